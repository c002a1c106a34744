// The real program's all-settings sheet under a virtual X server, over a simulated 0x6838 whose
// settings differ from its defaults, all by the keyboard: Shift+Ctrl+M on the device settings
// page opens the sheet (screenshots in English, French and Polish, whose long labels end in "…");
// in the sheet Tab walks the rows, the
// arrows change a pop-up or an on/off pair, and Space on Save writes the two edited fields into
// the headset, which is then recognized again and shows them when the sheet opens once more.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ScreenShot.h"
#include "SettingsProgram.h"
#include "device/ORVABluetoothDeviceData.h"
#include "sim/Hs6838Model.h"
#include "sim/SettingBlocksModel.h"

namespace {

using device::ORVABluetoothDeviceData;
using e2e::kDeviceSettingsPage;

std::string screenshot(const std::string& name) {
    return std::string(VELMAR_ALL_SETTINGS_SCREENSHOT_PREFIX) + "-" + name + ".png";
}

class AllSettingsEndToEnd : public e2e::SettingsProgramTest {
protected:
    // The headset's words: not its defaults; VOX sensitivity at its second step, voice prompt on,
    // Spanish.
    void startWith6838() {
        auto family = std::make_shared<sim::Hs6838Model>();
        headset = std::make_shared<sim::SettingBlocksModel>(family);
        ORVABluetoothDeviceData model;
        model.setDeviceRecognized(0x6838);
        model.setDeviceVersionMajor(1, 2);  // the family model's firmware
        ORVABluetoothDeviceData held = ORVABluetoothDeviceData::makeDefaultDataWithSource(model);
        held.SetBasicSettingAirohaVOXPhone(held.GetBasicSettingAirohaVOXPhone() ? 0 : 1);
        held.SetBasicSettingAirohaMeshReachOut(held.GetBasicSettingAirohaMeshReachOut() ? 0 : 1);
        held.SetBasicSettingAirohaVoxSensitivity(1);
        held.SetBasicSettingAirohaVoicePrompt(1);
        held.SetBasicSettingAirohaUnitLanguage(2);
        for (int word = 0; word < 3; ++word) words.push_back(static_cast<uint16_t>(held.basicSettingFERRIK(word)));
        headset->setShortBlock(3, words);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_NO_FATAL_FAILURE(start());
        ASSERT_NO_FATAL_FAILURE(recognize([&] { return headset->requestCount() > 0; },
                                          [&] { return languagePackReads() > 0; }));
        ASSERT_NO_FATAL_FAILURE(openDeviceSettings());
    }

    // The language pack is the last thing a recognition of this headset asks.
    int languagePackReads() {
        int n = 0;
        for (const auto& r : headset->requests())
            n += r.format == sim::Format::B && r.bytes[2] == 0x01 && r.bytes[3] == 0x01;
        return n;
    }

    bool sheetShown() { return run.window->focusedWindowSize() == "550x400"; }

    void openSheet() {
        if (!run.window->pressUntil("shift+ctrl+m", [&] { return sheetShown(); }))
            e2e::saveScreen(run.display->name(), screenshot("not-shown"));
        ASSERT_TRUE(sheetShown()) << "the all-settings sheet did not show (the screen is in the screenshot)";
    }
    // Escape closes the sheet as Close does.
    void closeSheet() {
        ASSERT_TRUE(run.window->typeIntoDialog("", "Escape")) << "the sheet did not close";
        ASSERT_FALSE(sheetShown());
    }

    void chooseLanguage(const std::string& downs);

    // The end of row 5's label ("Audio Overlay Volume Management") in the sheet centred on the
    // window, in the window's coordinates.
    static constexpr int kCutLabelX = 463, kCutLabelY = 311;

    std::shared_ptr<sim::SettingBlocksModel> headset;
    std::vector<uint16_t> words;
};

// The language sheet (Ctrl+L on the main window) moved down to a row: French is the second.
void AllSettingsEndToEnd::chooseLanguage(const std::string& downs) {
    run.window->type("ctrl+l");
    ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused(); }, 50)) << "no language sheet";
    ASSERT_TRUE(run.window->typeIntoDialog("", downs + " Return")) << "the language sheet did not close";
}

TEST_F(AllSettingsEndToEnd, TheSheetOpensByItsKeyInEnglishFrenchAndPolish) {
    ASSERT_NO_FATAL_FAILURE(startWith6838());
    ASSERT_NO_FATAL_FAILURE(openSheet());
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), screenshot("en")));
    ASSERT_NO_FATAL_FAILURE(closeSheet());

    ASSERT_NO_FATAL_FAILURE(chooseLanguage("Down"));
    ASSERT_NO_FATAL_FAILURE(openSheet());
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), screenshot("fr")));
    // The pointer on the cut label of row 5 raises its whole text, drawn over the next row's
    // pop-up, which is empty there.
    run.window->pointAt(kCutLabelX, kCutLabelY);
    EXPECT_TRUE(e2e::saveScreenOnceTextAt(run.display->name(), screenshot("tooltip-fr"), kCutLabelX + 100,
                                          kCutLabelY + 20, 120, 12));
    ASSERT_NO_FATAL_FAILURE(closeSheet());

    ASSERT_NO_FATAL_FAILURE(chooseLanguage("Down Down Down Down Down Down Down Down Down Down Down"));  // Polish
    ASSERT_NO_FATAL_FAILURE(openSheet());
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), screenshot("pl")));
    ASSERT_NO_FATAL_FAILURE(closeSheet());
    ASSERT_NO_FATAL_FAILURE(quit());
}

TEST_F(AllSettingsEndToEnd, AnEditedListIsSavedIntoTheHeadsetAndShownAfterItsRecognition) {
    ASSERT_NO_FATAL_FAILURE(startWith6838());
    ASSERT_NO_FATAL_FAILURE(openSheet());
    // Rows: 0 Headset Language, 1 Audio Equalizer, 2 VOX Phone, 3 Voice Prompt, 4 VOX Sensitivity,
    // 5 Audio Overlay Volume Management, 6 Intercom-audio Overlay Sensi..., 7 Mesh Reach-Out,
    // 8 AUTO OFF; then Default, Cancel, Save. The focus starts on row 0.
    run.window->keysIntoFocused("Tab Tab Tab Tab Down");  // VOX Sensitivity: the next step
    run.window->keysIntoFocused("shift+Tab Right");       // Voice Prompt: from Enable to Disable
    const int settingsPages = run.pagesShown(kDeviceSettingsPage);
    ASSERT_TRUE(run.window->typeIntoDialog("", "Tab Tab Tab Tab Tab Tab Tab Tab space"))  // Save
        << "Save did not end the sheet";

    ORVABluetoothDeviceData edited;
    edited.setDeviceRecognized(0x6838);
    for (int word = 0; word < 3; ++word) edited.setBasicSetting20At(word, words[static_cast<size_t>(word)]);
    edited.SetBasicSettingAirohaVoxSensitivity(2);
    edited.SetBasicSettingAirohaVoicePrompt(0);
    std::vector<uint16_t> expected;
    for (int word = 0; word < 3; ++word) expected.push_back(static_cast<uint16_t>(edited.basicSettingFERRIK(word)));
    ASSERT_NE(expected, words);
    auto written = [&] {
        auto sent = headset->keyRequests();
        return std::any_of(sent.begin(), sent.end(),
                           [](const auto& k) { return k.format == sim::Format::B && k.command == 0x04 && k.key == 3; });
    };
    if (!waitFor(written, 100)) e2e::saveScreen(run.display->name(), screenshot("not-saved"));
    ASSERT_TRUE(written()) << "the sheet's Save wrote nothing (the screen is in the screenshot)";
    EXPECT_EQ(headset->shortBlock(3), expected) << "exactly VOX sensitivity and voice prompt changed";
    ASSERT_TRUE(waitFor([&] { return languagePackReads() > 1; }, 300)) << "no new recognition";
    ASSERT_NO_FATAL_FAILURE(waitBackOnSettings(settingsPages));

    ASSERT_NO_FATAL_FAILURE(openSheet());
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), screenshot("edited-en")));
    // The sheet shows the headset's values: nothing to ask on closing.
    ASSERT_NO_FATAL_FAILURE(closeSheet());
    ASSERT_NO_FATAL_FAILURE(quit());
}

}  // namespace
