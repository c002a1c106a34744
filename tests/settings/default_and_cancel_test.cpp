// Default loads the model's defaults, keeping the headset's words that the model keeps and forcing
// a few of their settings; Cancel brings back the headset's values.
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

using R = ORVABluetoothDeviceData;

// Word k of the edit buffer, masked, after Default.
struct Bits {
    int word;
    int32_t mask;
    int32_t value;
};

struct DefaultCase {
    const char* name;
    int32_t target, major, minor;
    std::vector<Bits> copied;    // against a headset whose ten words are all 0xFFFF
    std::vector<int> asDefault;  // words that stay as the defaults made them
};

void PrintTo(const DefaultCase& c, std::ostream* os) { *os << c.name; }

constexpr int32_t kAll = 0xFFFF;

class Default : public SettingsPageTest, public ::testing::WithParamInterface<DefaultCase> {
protected:
    void SetUp() override {
        const DefaultCase& c = GetParam();
        recognize(c.target, c.major, c.minor);
        made = R::makeDefaultDataWithSource(record());
        for (int k = 0; k < R::kBasicSettingWords; ++k) record().setBasicSetting20At(k, kAll);
        open(c.target, c.major, c.minor);
        for (int k = 0; k < R::kBasicSettingWords; ++k) record().setBasicSetting20At(k, kAll);
    }
    void expectDefaults() {
        const DefaultCase& c = GetParam();
        for (const Bits& b : c.copied)
            EXPECT_EQ(edit().basicSettingFERRIK(b.word) & b.mask, b.value) << "word " << b.word;
        for (int k : c.asDefault) EXPECT_EQ(edit().basicSettingFERRIK(k), made.basicSettingFERRIK(k)) << "word " << k;
    }
    R made;
};

TEST_P(Default, KeepsTheHeadsetsWordsAndForcesTheModelsSettings) {
    page->changeToDefault(page->btnDefault);
    expectDefaults();
}

TEST_P(Default, TwiceGivesWhatOnceGives) {
    page->changeToDefault(page->btnDefault);
    const R once = edit();
    edit().setBasicSetting20At(3, 0x1234);
    page->btnDefault->click();
    EXPECT_EQ(edit().compareBasicSettingFERRIKWith(once), 0);
    expectDefaults();
}

INSTANTIATE_TEST_SUITE_P(
    Models, Default,
    ::testing::Values(
        DefaultCase{"Gessa0x3110_at30_copiesWord3", 0x3110, 3, 0, {{3, kAll, kAll}}, {0, 1}},
        DefaultCase{"Gessa0x3110_at31_equalizerAndReachOutOff", 0x3110, 3, 1, {{3, kAll, 0x87FF}}, {0}},
        DefaultCase{"Gessa0x3112_at29_pureDefaults", 0x3112, 2, 9, {}, {0, 3, 4}},
        DefaultCase{"Gessa0x3112_at30_accessoryAndEqualizerOff", 0x3112, 3, 0, {{3, kAll, 0xC3FF}}, {0}},
        DefaultCase{"Gessa0x3146", 0x3146, 1, 0, {{3, kAll, 0xC3FF}}, {0}},
        DefaultCase{"Gessa0x3116_word3", 0x3116, 1, 0, {{3, kAll, kAll}}, {0, 4}},
        DefaultCase{"Pemvik0x3128_channelOne", 0x3128, 1, 0, {{3, kAll, 0xFC7F}}, {0}},
        DefaultCase{"Mesh0x3214_at24", 0x3214, 2, 4, {{3, kAll, kAll}}, {4}},
        DefaultCase{"Mesh0x3214_at25_assistantAndReachOut", 0x3214, 2, 5, {{3, kAll, kAll}, {4, 0x300, 0x100}}, {}},
        DefaultCase{"Lutra0x3156", 0x3156, 1, 0, {{3, kAll, 0x87FF}, {4, 0x200, 0}}, {0}},
        DefaultCase{"Lutra0x3211_words3And4", 0x3211, 1, 0, {{3, kAll, 0x87FF}, {4, kAll, 0xFDFF}}, {0}},
        DefaultCase{"Lutra0x3132_at10_words3And4", 0x3132, 1, 0, {{3, kAll, 0x87FF}, {4, kAll, 0xFDFF}, {0, 0x400, 0}},
                    {5}},
        DefaultCase{"Lutra0x3132_at11_words3And5", 0x3132, 1, 1,
                    {{3, kAll, 0x87FF}, {5, kAll, kAll}, {4, 0x300, 0x100}, {0, 0x400, 0}}, {}},
        DefaultCase{"Lutra0x3148_words3And5", 0x3148, 1, 0, {{3, kAll, 0x87FF}, {5, kAll, kAll}}, {}},
        DefaultCase{"Mesh0x3212_words3And5", 0x3212, 1, 0, {{3, kAll, kAll}, {5, kAll, kAll}, {0, 0x400, 0}}, {}},
        DefaultCase{"Mesh0x321A_overlayForced", 0x321A, 1, 0,
                    {{3, kAll, kAll}, {5, kAll, kAll}, {1, 0x3C0, 0x1C0}}, {}},
        DefaultCase{"Ferrik0x4210_word4", 0x4210, 1, 0, {{4, kAll, kAll}}, {0, 2}},
        DefaultCase{"CsrEdr0x4D06_words0And1", 0x4D06, 1, 0, {{0, kAll, 0xFEFB}, {1, kAll, kAll}}, {2}},
        DefaultCase{"Sulvane0x3150_word1", 0x3150, 1, 0, {{1, kAll, kAll}}, {0}},
        DefaultCase{"Dunvik0x3052_word1", 0x3052, 1, 0, {{1, kAll, kAll}}, {0}},
        DefaultCase{"Arabic0x5595_word2", 0x5595, 1, 0, {{2, kAll, kAll}}, {1}},
        DefaultCase{"Arabic0x5596_word1", 0x5596, 1, 0, {{1, kAll, kAll}}, {2}},
        DefaultCase{"Qcc0x5552_equalizerOff", 0x5552, 1, 0, {{1, kAll, 0xFF8F}}, {0}},
        DefaultCase{"Qcc0x6042_forced", 0x6042, 1, 0, {{1, 0x1E70, 0x1600}}, {0}},
        DefaultCase{"Airoha0x6800_word2", 0x6800, 1, 0, {{2, kAll, kAll}}, {1}},
        DefaultCase{"Airoha0x6806_fmStation", 0x6806, 1, 0, {{2, kAll, kAll}, {0, 0x8, 0x8}}, {1}},
        DefaultCase{"Airoha0x6814_adaptiveLight", 0x6814, 1, 0, {{2, kAll, kAll}, {0, 0x40, 0x40}}, {1}},
        DefaultCase{"Airoha0x6821_autoOnOff", 0x6821, 1, 0, {{2, kAll, kAll}, {0, 0x100, 0x100}}, {1}},
        DefaultCase{"Airoha0x683A_forced", 0x683A, 1, 0,
                    {{2, kAll, kAll}, {0, 0x223, 0x3}, {1, 0xFF00, 0x2200}}, {}},
        DefaultCase{"Unnamed0x5426_asMade", 0x5426, 1, 0, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        DefaultCase{"Unnamed0x5210_asMade", 0x5210, 1, 0, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsPageTest, DefaultOnTheBackgroundVolumeModelsSetsFour) {
    open(0x6461);
    edit().setBackgroundVolume(0);
    page->changeToDefault(nullptr);
    EXPECT_EQ(edit().backgroundVolume(), 4);
}

TEST_F(SettingsPageTest, CancelBringsBackTheHeadsetsValues) {
    open(0x6838);
    record().setBasicSetting20At(2, 0x0102);
    record().setHandsfreeVOX(1);
    page->changeToOriginal(page->btnCancel);
    const R opened = edit();
    edit().setBasicSetting20At(2, 0x0F0F);
    edit().setHandsfreeVOX(0);
    page->btnCancel->click();
    EXPECT_EQ(edit().basicSettingFERRIK(2), 0x0102);
    EXPECT_EQ(edit().handsfreeVOX(), 1);
    EXPECT_EQ(edit().compareBasicSettingFERRIKWith(opened), 0);
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_FALSE(page->btnSave->isEnabled());
}

TEST_F(SettingsPageTest, DefaultAndCancelDoNothingWhileADeviceOperationRuns) {
    open(0x6838);
    edit().setBasicSetting20At(2, 0x0F0F);
    controller->setOnProcessing(true);
    page->changeToDefault(nullptr);
    page->changeToOriginal(nullptr);
    EXPECT_EQ(edit().basicSettingFERRIK(2), 0x0F0F);
}

}  // namespace
}  // namespace settings_test
