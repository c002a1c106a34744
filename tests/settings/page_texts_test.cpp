// The texts of the settings pages: the cannot-save message by persistent-store key, the titles of
// the short tables, the texts chosen by language or by the headset's firmware.
#include <gtest/gtest.h>

#include "settings/DeviceSettingsTexts.h"

namespace {

using settings::DeviceSettingsTexts;

// The texts of one language and firmware, without a page.
class Texts : public DeviceSettingsTexts {
public:
    Texts(int32_t language, int32_t major = 1, int32_t minor = 0) : language_(language), major_(major), minor_(minor) {}
    int32_t textLanguage() const override { return language_; }
    int32_t textFirmwareUpToMinor(int32_t major, int32_t minor) const override {
        return major_ != major ? major_ - major : minor_ - minor;
    }

private:
    int32_t language_, major_, minor_;
};

struct CannotSaveCase {
    const char* name;
    int32_t key, language;
    const char* text;
};

void PrintTo(const CannotSaveCase& c, std::ostream* os) { *os << c.name; }

class CannotSave : public ::testing::TestWithParam<CannotSaveCase> {};

TEST_P(CannotSave, NamesTheSettingOfTheKey) {
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_cannot_save(GetParam().key, GetParam().language), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CannotSave,
    ::testing::Values(CannotSaveCase{"EdrEnglish", 239, 0, "Cannot save EDR"},
                      CannotSaveCase{"EdrJapanese", 239, 4, "EDRを保存できません"},
                      CannotSaveCase{"SpeedDial", 8833, 0, "Cannot save Speed Dial Setting"},
                      CannotSaveCase{"SpeedDialFirstKey", 8832, 0, "Cannot save Speed Dial Setting"},
                      CannotSaveCase{"Timeout", 682, 0, "Cannot save Audio Channel Timeout"},
                      CannotSaveCase{"Gain", 684, 0, "Cannot save Radio Transmit Gain"},
                      CannotSaveCase{"FmRadio", 671, 0, "Cannot save FM Radio Setting"},
                      CannotSaveCase{"VoxIntercomFrench", 664, 1, "Enreg. VOX intercom impossible"},
                      // No format keeps an unfilled placeholder.
                      CannotSaveCase{"UnknownKeyNamesTheDeviceSetting", 1, 0, "Cannot save Device Setting"},
                      CannotSaveCase{"UnknownKeyInGerman", 0x7FFF, 2,
                                     "Speichern der Geräteeinstellung nicht möglich"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsTitles, ShortTablesShowEnglishInCzechAndPolish) {
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_save_in(11), "ULOŽIT");
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_more_settings_in(11), "MORE SETTINGS");
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_more_settings_in(12), "MORE SETTINGS");
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_more_settings_in(10), "ENEMMÄN ASETUKSIA");
    EXPECT_EQ(Texts(11).stringInformationAutoOff(), Texts(0).stringInformationAutoOff());
    EXPECT_NE(Texts(10).stringInformationAutoOff(), Texts(0).stringInformationAutoOff());
    // Outside 1..12: English.
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_default_in(13), "DEFAULT");
    EXPECT_EQ(DeviceSettingsTexts::qelm_string_default_in(-1), "DEFAULT");
}

TEST(SettingsTexts, AutomaticPowerOffHasOnlyJapaneseAndChinese) {
    const std::string english = Texts(0).stringInformationAutomaticPowerOff();
    EXPECT_EQ(Texts(1).stringInformationAutomaticPowerOff(), english);
    EXPECT_EQ(Texts(4).stringInformationAutomaticPowerOff().rfind("[自動電源オフ]\n", 0), 0u);
    EXPECT_EQ(Texts(9).stringInformationAutomaticPowerOff().rfind("[Automatic Power Off]\nAutomatic Power Off功能", 0),
              0u);
}

TEST(SettingsTexts, ThreeTextsAreEnglishInEveryLanguage) {
    for (int language = 0; language < 13; ++language) {
        EXPECT_EQ(Texts(language).stringInformationChannel(), "[Channel]\n");
        EXPECT_EQ(Texts(language).stringInformationVolume(), "[Volume]\n");
        EXPECT_EQ(Texts(language).stringInformationMicGain(), "MicGainInfo");
    }
}

struct VideoModeCase {
    int32_t major, minor;
    bool loopRecording;
};

class VideoMode : public ::testing::TestWithParam<VideoModeCase> {};

TEST_P(VideoMode, NamesLoopRecordingFromFirmware2) {
    for (int language : {0, 2, 9}) {
        const std::string text = Texts(language, GetParam().major, GetParam().minor).stringInformationVideoMode();
        const std::string before = Texts(language, 1, 9).stringInformationVideoMode();
        EXPECT_EQ(text != before, GetParam().loopRecording) << language;
    }
    const std::string english = Texts(0, GetParam().major, GetParam().minor).stringInformationVideoMode();
    EXPECT_EQ(english.find("loop recording") != std::string::npos, GetParam().loopRecording);
}

INSTANTIATE_TEST_SUITE_P(Firmware, VideoMode,
                         ::testing::Values(VideoModeCase{1, 9, false}, VideoModeCase{2, 0, true},
                                           VideoModeCase{2, 1, true}, VideoModeCase{10, 0, true}));

TEST(SettingsTexts, TimeoutUnitNamesSecondsAndTheRange) {
    EXPECT_EQ(Texts(0).stringACTUnit(), "seconds (3 ~ 60)");
    EXPECT_EQ(Texts(0).stringMessageACT(), "Audio Channel Timeout should be between 3 and 60. Enter valid value again.");
}

TEST(SettingsTexts, TheEdrNoteNamesNoMotorcycleModel) {
    EXPECT_EQ(Texts(0).stringNoteEDR().rfind("If you use DAX Bluetooth onboard audio system (", 0), 0u);
    EXPECT_NE(Texts(0).stringNoteEDR().find("please disable this option."), std::string::npos);
}

}  // namespace
