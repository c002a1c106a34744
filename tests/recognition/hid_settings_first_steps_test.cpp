// The first steps of the HID settings read: the Bluetooth address by report format, the second
// chip's address, the OEM key of the 0x4210, and the key refreshes that come before the reads.
#include <gtest/gtest.h>

#include <ostream>

#include "HidSettingsFixture.h"

namespace recognition::testing {
namespace {

struct AddressCase {
    const char* name;
    uint16_t target;
    bool firstAnswers;
    bool twoChips;
    bool secondAnswers;
    const char* shown;
    const char* stored;  // deviceBdAddress; the old value stays when the read fails
};

void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }

class HidAddress : public HidSettingsTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(HidAddress, ShowsTheAddressBytesOfEachChip) {
    const AddressCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug(c.target, c.twoChips));
    if (c.firstAnswers) chip(0).setAddress({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xEF});
    if (c.secondAnswers) chip(1).setAddress({0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    data().setDeviceBdAddress(std::string("OLD"));
    readHidSettings(ctx);
    EXPECT_EQ(data().bdAddress(), OptString(c.shown));
    EXPECT_EQ(data().deviceBdAddress(), OptString(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, HidAddress,
    ::testing::ValuesIn(std::vector<AddressCase>{
        {"format A", 0x6042, true, false, false, "001A2B[3C4DEF]", "001A2B3C4DEF"},
        {"format A failing", 0x6042, false, false, false, "", "OLD"},
        {"format B probe", 0x6838, true, false, false, "001A2B[3C4DEF]", "001A2B3C4DEF"},
        {"format B timed", 0x6A04, true, false, false, "001A2B[3C4DEF]", "001A2B3C4DEF"},
        {"format B timed failing", 0x6A04, false, false, false, "", "OLD"},
        {"two chips", 0x4310, true, true, true, "001A2B[3C4DEF] _ 112233[445566]", "001A2B3C4DEF"},
        {"second chip silent", 0x4310, true, true, false, "001A2B[3C4DEF] _ ", "001A2B3C4DEF"},
        {"two chip family without the first", 0x2030, false, true, true, " _ 112233[445566]", "OLD"},
    }),
    [](const ::testing::TestParamInfo<AddressCase>& info) {
        std::string n;
        for (const char* p = info.param.name; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) n += *p;
        return n;
    });

// Units of one OEM variant (told by the address) must hold 11 in key 0x05 on both chips.
struct OemCase {
    const char* name;
    bool variant;
    std::vector<uint16_t> key05;  // empty: the key does not answer
    bool corrected;
    int32_t division;
};

void PrintTo(const OemCase& c, std::ostream* os) { *os << c.name; }

class HidOemKey : public HidSettingsTest, public ::testing::WithParamInterface<OemCase> {};

TEST_P(HidOemKey, CorrectsKey05OnBothChipsAndKeepsItsLowByte) {
    const OemCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug(0x4210, true));
    chip(0).setAddress({0x00, 0x1A, 0x2B, 0x33, 0x40, 0x00});
    if (!c.key05.empty()) chip(0).setBlock(0x05, c.key05);
    std::string asked;
    ctx.addPSKeyFERRIKForTamberWollisWith = [&](const std::string& digits) {
        asked = digits;
        return c.variant;
    };
    readHidSettings(ctx);
    EXPECT_EQ(asked, "334000");
    using KeyRequest = sim::SettingBlocksModel::KeyRequest;
    const std::vector<KeyRequest> correction = {{sim::Format::A, 0x04, 0x05, {11}}};
    for (int slot : {0, 1}) {
        std::vector<KeyRequest> writes;
        for (const auto& r : chip(slot).keyRequests())
            if (r.key == 0x05) writes.push_back(r);
        EXPECT_EQ(writes, c.corrected ? correction : std::vector<KeyRequest>{}) << "chip " << slot;
    }
    EXPECT_EQ(data().divisionFERRIKevoValue(), c.division);
    // The key is read once more (and again when that fails).
    EXPECT_EQ(chip(0).readsOf(0x05), (c.variant ? 1 : 0) + (c.key05.empty() ? 2 : 1));
}

INSTANTIATE_TEST_SUITE_P(Variants, HidOemKey,
                         ::testing::ValuesIn(std::vector<OemCase>{
                             {"variant with another value", true, {0x0A05}, true, 0x0B},
                             {"variant already holding 11", true, {0x120B}, false, 0x0B},
                             {"other units", false, {0x0A05}, false, 0x05},
                             {"key silent", true, {}, false, 0},
                         }),
                         [](const ::testing::TestParamInfo<OemCase>& info) {
                             std::string n;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) n += *p;
                             return n;
                         });

TEST_F(HidSettingsTest, KeyRefreshesComeBeforeTheReadsTheyServe) {
    struct Case {
        uint16_t target;
        std::vector<uint8_t> refreshed;
    } cases[] = {
        {0x5414, {0x04, 0x14, 0x03, 0x15}},
        {0x5410, {0x04, 0x14, 0x03}},
        {0x6012, {0x04, 0x14, 0x15}},
        {0x6022, {0x04, 0x12}},
        {0x6042, {}},
    };
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(plug(c.target));
        readHidSettings(ctx);
        std::vector<uint8_t> refreshed;
        for (const auto& r : chip().keyRequests())
            if (r.command == 0x10) refreshed.push_back(r.key);
        EXPECT_EQ(refreshed, c.refreshed) << std::hex << c.target;
    }
}

}  // namespace
}  // namespace recognition::testing
