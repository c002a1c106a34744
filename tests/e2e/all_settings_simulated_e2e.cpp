// The real program's all-settings sheet under a virtual X server, over a simulated 0x6838 whose
// settings differ from its defaults, all by the keyboard: Shift+Ctrl+M on the device settings
// page opens the sheet (screenshots in English and French); in the sheet Tab walks the rows, the
// arrows change a pop-up or an on/off pair, and Space on Save writes the two edited fields into
// the headset, which is then recognized again and shows them when the sheet opens once more.
#include <gtest/gtest.h>

#include <vector>

#include "ScreenShot.h"
#include "SettingsProgram.h"
#include "device/ORVABluetoothDeviceData.h"
#include "sim/Hs6838Model.h"
#include "sim/SettingBlocksModel.h"

namespace {

using namespace std::chrono_literals;
using device::ORVABluetoothDeviceData;

std::string screenshot(const std::string& name) {
    return std::string(VELMAR_ALL_SETTINGS_SCREENSHOT_PREFIX) + "-" + name + ".png";
}

// The record of a 0x6838 whose setting words are the given two.
ORVABluetoothDeviceData recordWith(const std::vector<uint16_t>& words) {
    ORVABluetoothDeviceData r;
    r.setDeviceRecognized(0x6838);
    r.setBasicSetting20At(0, words[0]);
    r.setBasicSetting20At(1, words[1]);
    return r;
}

class AllSettingsEndToEnd : public e2e::SettingsProgramTest {
protected:
    // The headset's words: not its defaults, VOX sensitivity at its second step, voice prompt on,
    // Spanish.
    void startWith6838() {
        family = std::make_shared<sim::Hs6838Model>();
        headset = std::make_shared<sim::SettingBlocksModel>(family);
        ORVABluetoothDeviceData defaults;
        defaults.setDeviceRecognized(0x6838);
        defaults.setDeviceVersionMajor(1, 2);
        ORVABluetoothDeviceData held = ORVABluetoothDeviceData::makeDefaultDataWithSource(defaults);
        held.SetBasicSettingAirohaVOXPhone(held.GetBasicSettingAirohaVOXPhone() ? 0 : 1);
        held.SetBasicSettingAirohaMeshReachOut(held.GetBasicSettingAirohaMeshReachOut() ? 0 : 1);
        held.SetBasicSettingAirohaVoxSensitivity(1);
        held.SetBasicSettingAirohaVoicePrompt(1);
        held.SetBasicSettingAirohaUnitLanguage(2);
        words = {static_cast<uint16_t>(held.basicSettingFERRIK(0)), static_cast<uint16_t>(held.basicSettingFERRIK(1)),
                 static_cast<uint16_t>(held.basicSettingFERRIK(2))};
        headset->setShortBlock(3, words);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_NO_FATAL_FAILURE(start());
        ASSERT_NO_FATAL_FAILURE(recognize([&] { return headset->requestCount() > 0; },
                                          [&] { return languagePackReads() > 0; }));
        openDeviceSettings();
    }

    // The language pack is the last thing a recognition of this headset asks.
    int languagePackReads() {
        int n = 0;
        for (const auto& r : headset->requests())
            n += r.format == sim::Format::B && r.bytes[2] == 0x01 && r.bytes[3] == 0x01;
        return n;
    }

    bool sheetShown() { return window->focusedWindowSize() == "550x400"; }

    // Shift+Ctrl+M until the sheet has the focus (the key is the page's once the page is shown).
    void openSheet() {
        for (int press = 0; press < 10 && !sheetShown() && program->running(); ++press) {
            window->type("shift+ctrl+m");
            waitFor([&] { return sheetShown(); }, 20);
        }
        if (!sheetShown()) e2e::saveScreen(display->name(), screenshot("not-shown"));
        ASSERT_TRUE(sheetShown()) << "the all-settings sheet did not show (the screen is in the screenshot)";
    }

    std::shared_ptr<sim::Hs6838Model> family;
    std::shared_ptr<sim::SettingBlocksModel> headset;
    std::vector<uint16_t> words;
};

TEST_F(AllSettingsEndToEnd, TheSheetOpensByItsKeyInEnglishAndFrench) {
    ASSERT_NO_FATAL_FAILURE(startWith6838());
    ASSERT_NO_FATAL_FAILURE(openSheet());
    EXPECT_TRUE(e2e::saveScreen(display->name(), screenshot("en")));

    // Escape closes the sheet as Close does (nothing was edited); Ctrl+L, Down, Return choose
    // French, the second language of the language sheet.
    window->keysIntoFocused("Escape");
    ASSERT_TRUE(waitFor([&] { return !sheetShown(); }, 50)) << "Escape did not close the sheet";
    window->type("ctrl+l");
    ASSERT_TRUE(waitFor([&] { return !window->focusedWindowSize().empty() && !sheetShown(); }, 50));
    std::this_thread::sleep_for(500ms);  // the language sheet takes the focus
    window->keysIntoFocused("Down Return");
    std::this_thread::sleep_for(500ms);
    ASSERT_NO_FATAL_FAILURE(openSheet());
    EXPECT_TRUE(e2e::saveScreen(display->name(), screenshot("fr")));
    window->keysIntoFocused("Escape");
    ASSERT_TRUE(waitFor([&] { return !sheetShown(); }, 50));
    quit();
}

TEST_F(AllSettingsEndToEnd, AnEditedListIsSavedIntoTheHeadsetAndShownAfterItsRecognition) {
    ASSERT_NO_FATAL_FAILURE(startWith6838());
    ASSERT_NO_FATAL_FAILURE(openSheet());
    // Rows: 0 Headset Language, 1 Audio Equalizer, 2 VOX Phone, 3 Voice Prompt, 4 VOX Sensitivity,
    // 5 Audio Overlay Volume Management, 6 Intercom-audio Overlay Sensi..., 7 Mesh Reach-Out,
    // 8 AUTO OFF; then Default, Cancel, Save. The focus starts on row 0.
    window->keysIntoFocused("Tab Tab Tab Tab Down");   // VOX Sensitivity: the next step
    window->keysIntoFocused("shift+Tab Right");        // Voice Prompt: from Enable to Disable
    window->keysIntoFocused("Tab Tab Tab Tab Tab Tab Tab Tab space");  // Save

    ORVABluetoothDeviceData edited = recordWith(words);
    edited.SetBasicSettingAirohaVoxSensitivity(2);
    edited.SetBasicSettingAirohaVoicePrompt(0);
    const std::vector<uint16_t> expected = {static_cast<uint16_t>(edited.basicSettingFERRIK(0)),
                                            static_cast<uint16_t>(edited.basicSettingFERRIK(1)), words[2]};
    auto written = [&] {
        auto sent = headset->keyRequests();
        return std::any_of(sent.begin(), sent.end(),
                           [](const auto& k) { return k.format == sim::Format::B && k.command == 0x04 && k.key == 3; });
    };
    if (!waitFor(written, 100)) e2e::saveScreen(display->name(), screenshot("not-saved"));
    ASSERT_TRUE(written()) << "the sheet's Save wrote nothing (the screen is in the screenshot)";
    EXPECT_FALSE(sheetShown()) << "Save ends the sheet";
    EXPECT_EQ(headset->shortBlock(3), expected) << "exactly VOX sensitivity and voice prompt changed";
    ASSERT_TRUE(waitFor([&] { return languagePackReads() > 1; }, 300)) << "no new recognition";
    quit();
}

}  // namespace
