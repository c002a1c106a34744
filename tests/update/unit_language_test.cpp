// The headset's voice-prompt language: the configuration record read, changed in its low five
// bits and written back (a length-2 record widened), and the lookups as tables.
#include "PartDownloadFixture.h"
#include "update/UnitLanguage.h"

namespace unit_language_test {
namespace {

using update::UnitLanguage;

TEST(UnitLanguageLookups, NamesAreExactAndEachTableHasItsCodes) {
    struct Case {
        const char* name;
        int plain, celvar;
    };
    const Case cases[] = {{"French", 1, 1},  {"Finnish", 10, 10}, {"Czech", 0, 11},  {"Danish", 0, 1},
                          {"Greek", 0, 9},   {"English", 0, 0},   {"FRENCH", 0, 0},  {"french", 0, 0},
                          {"Japanese", 9, 9}, {"", 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnitLanguage::UnitLanguageCodeFromString(c.name), c.plain);
        EXPECT_EQ(UnitLanguage::UnitLanguageCodeFromStringForCelvar(c.name), c.celvar);
    }
}

TEST(UnitLanguageLookups, FileNameTagsGiveTheHeadsetsCode) {
    struct Case {
        const char* tag;
        int number, code;
    };
    const Case cases[] = {{"fr", 1, 1}, {"de", 2, 4}, {"jp", 4, 6}, {"es", 6, 2}, {"fn", 10, 10}, {"FR", 0, 0}, {"xx", 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(UnitLanguage::GetLanguageCodeFromIMGFileNmae(c.tag), c.number);
        EXPECT_EQ(UnitLanguage::LanguageCodeFromString(c.number), c.code);
    }
    EXPECT_EQ(UnitLanguage::LanguageCodeFromString(11), 0);
    EXPECT_EQ(UnitLanguage::LanguageCodeFromString(-1), 0);
}

class UnitLanguageRecord : public part_download::PartDownloadTest {};

TEST_F(UnitLanguageRecord, TheLanguageIsWrittenIntoTheRecordsLowFiveBits) {
    struct Case {
        const char* name;
        bool (*set)(int, int);
        uint8_t key;
        std::optional<std::vector<uint16_t>> record;  // none: the read fails
        int code;
        bool written;
        std::vector<uint16_t> after;
    };
    const Case cases[] = {
        {"LengthTwoWidened", UnitLanguage::bt_set_unit_language_celvar, 4, std::vector<uint16_t>{0x0102, 0x0304}, 10, true,
         {0x0102, 0x0304, 0, 0x002A}},
        {"LengthThreeRefused", UnitLanguage::bt_set_unit_language, 4, std::vector<uint16_t>{1, 2, 3}, 10, false, {1, 2, 3}},
        {"LengthFourKeepsUpperBits", UnitLanguage::bt_set_unit_language, 4, std::vector<uint16_t>{1, 2, 3, 0xE0E5}, 10,
         true, {1, 2, 3, 0xE0EA}},
        {"CodeCutToFiveBits", UnitLanguage::bt_set_unit_language, 4, std::vector<uint16_t>{1, 2, 3, 0}, 33, true,
         {1, 2, 3, 1}},
        {"DunvikNeitherCheckedNorWidened", UnitLanguage::bt_set_unit_language_dunvik, 0x36,
         std::vector<uint16_t>{0x1111, 0x22FF}, 4, true, {0x1111, 0x22E4}},
        {"ReadFails", UnitLanguage::bt_set_unit_language, 4, std::nullopt, 1, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plug(0x3310));
        if (c.record) headset->setKey(c.key, *c.record);
        uint32_t pid = 0;
        char message[kOpenMessageSize] = {};
        ASSERT_EQ(openAnyHeadset(&pid, message), 0);
        EXPECT_EQ(c.set(0, c.code), c.written);
        EXPECT_EQ(headset->count(0x04), c.written ? 1 : 0);
        if (c.record) {
            EXPECT_EQ(headset->key(c.key), c.after);
        }
        TearDown();
        SetUp();
    }
}

}  // namespace
}  // namespace unit_language_test
