// Page switching: where each side button, tab entry and start-up road leads, which leave guard
// of the page being left runs, and when a switch stops.
#include <QIntValidator>
#include <QLineEdit>

#include "ShellFixture.h"

namespace shell_test {
namespace {

enum class Via {
    SelectionButton,
    RecognitionButton,
    UpdateButton,
    RestoreButton,
    SettingsButton,
    FMRadioEntry,
    SpeedDialEntry,
    ManagerUpdateEntry,
    StartUpSelection,
};

struct SwitchCase {
    const char* name;
    int32_t from;
    Via via;
    int32_t model;  // deviceTarget; 0 = none chosen
    bool recognized;
    bool unsaved;   // the page being left reports unsaved changes
    bool actInRange;
    bool processing;
    int32_t modeAfter;
    int32_t pageShown;
    CallLog calls;
};

constexpr int32_t kLuven = 0x6838;  // a model with all three settings pages

const SwitchCase kCases[] = {
    {"UpdateWithoutModelShowsSelection", 3, Via::UpdateButton, 0, false, false, true, false, 3, 3, {"3:init"}},
    {"UpdateWithModelNotRecognizedShowsRecognitionWithoutStartingIt", 3, Via::UpdateButton, kLuven, false, false,
     true, false, 4, 4, {"4:init"}},
    {"UpdateWhenRecognized", 4, Via::UpdateButton, kLuven, true, false, true, false, 5, 5, {"5:init"}},
    {"RecognitionWithoutModelShowsSelection", 5, Via::RecognitionButton, 0, true, false, true, false, 3, 3,
     {"3:init"}},
    {"SettingsWithTimeoutOutOfRangeStays", 7, Via::UpdateButton, kLuven, true, false, false, false, 7, 7,
     {"7:checkACT"}},
    {"SettingsWithUnsavedChangesAsksAndStays", 7, Via::UpdateButton, kLuven, true, true, true, false, 7, 7,
     {"7:checkACT", "7:setModeToGo 5", "7:checkNeedToSave"}},
    {"SettingsWithoutChangesLeavesForSelection", 7, Via::SelectionButton, kLuven, true, false, true, false, 3, 3,
     {"7:checkACT", "7:setModeToGo 3", "7:checkNeedToSave", "3:init"}},
    {"StartUpSelectionAsksWithoutTimeoutCheck", 7, Via::StartUpSelection, kLuven, true, false, false, false, 3, 3,
     {"7:setModeToGo 3", "7:checkNeedToSave", "3:startUp"}},
    {"SettingsToSettingsChecksTimeoutOnly", 7, Via::SettingsButton, kLuven, true, true, true, false, 7, 7,
     {"7:checkACT", "7:init"}},
    {"SettingsToFMRadioChecksTimeoutThenAsks", 7, Via::FMRadioEntry, kLuven, true, false, true, false, 8, 8,
     {"7:checkACT", "7:setModeToGo 8", "7:checkNeedToSave", "8:init"}},
    {"FMRadioToFMRadioAsksNothing", 8, Via::FMRadioEntry, kLuven, true, true, true, false, 8, 8, {"8:init"}},
    {"FMRadioToSpeedDialWithUnsavedChangesStays", 8, Via::SpeedDialEntry, kLuven, true, true, true, false, 8, 8,
     {"8:setModeToGo 9", "8:checkNeedToSave"}},
    {"SpeedDialToSpeedDialAsksNothing", 9, Via::SpeedDialEntry, kLuven, true, true, true, false, 9, 9, {"9:init"}},
    {"SpeedDialToRecognitionWithUnsavedChangesStays", 9, Via::RecognitionButton, kLuven, true, true, true, false, 9,
     9, {"9:setModeToGo 4", "9:checkNeedToSave"}},
    {"SpeedDialToRestoreWithoutChanges", 9, Via::RestoreButton, kLuven, true, false, true, false, 6, 6,
     {"9:setModeToGo 6", "9:checkNeedToSave", "6:init"}},
    {"ManagerUpdateHasNoLeaveGuard", 7, Via::ManagerUpdateEntry, kLuven, true, true, false, false, 2, 2, {}},
    {"SideButtonsIgnoredWhileProcessing", 4, Via::UpdateButton, kLuven, true, false, true, true, 4, 4, {}},
    {"SettingsButtonIgnoredWhileProcessing", 5, Via::SettingsButton, kLuven, true, true, true, true, 5, 5, {}},
    {"SettingsButtonDoesNothingForModelWithoutSettings", 4, Via::SettingsButton, 0x3010, true, false, true, false, 4,
     4, {}},
    {"SettingsButtonOfSpeedDialOnlyModelOpensSpeedDial", 4, Via::SettingsButton, 0x4111, true, false, true, false, 9,
     9, {"9:init"}},
    // The target mode is set before the recognition check, so the settings page's own guard runs
    // on the way to recognition.
    {"SettingsBeforeRecognitionGoesThroughRecognition", 5, Via::SettingsButton, kLuven, false, false, true, false,
     4, 4, {"7:checkACT", "7:setModeToGo 4", "7:checkNeedToSave", "4:init"}},
};

void PrintTo(const SwitchCase& k, std::ostream* os) { *os << k.name; }

class PageSwitching : public ShellTest, public ::testing::WithParamInterface<SwitchCase> {
protected:
    // Shows the page of mode m as a user would have reached it.
    void reach(int32_t m) {
        controller->setDeviceTarget(kLuven);
        controller->setRecognized(true);
        if (m == 3) controller->setDeviceSelection();
        if (m == 4) controller->setDeviceRecognitionWithStatus(true, nullptr, 0);
        if (m >= 5) controller->setDetailViewController(m);
        ASSERT_EQ(controller->mode(), m);
    }

    void go(Via via) {
        auto& c = *controller;
        switch (via) {
        case Via::SelectionButton: c.deviceSelection(); break;
        case Via::RecognitionButton: c.deviceRecognition(); break;
        case Via::UpdateButton: c.firmwareUpdate(); break;
        case Via::RestoreButton: c.firmwareRestore(); break;
        case Via::SettingsButton: c.deviceSettings(); break;
        case Via::FMRadioEntry: c.setDeviceSettingsSecondWithStatus(true); break;
        case Via::SpeedDialEntry: c.setDeviceSettingsSpeedDialWithStatus(true); break;
        case Via::ManagerUpdateEntry: c.setManagerUpdate(); break;
        case Via::StartUpSelection: c.setDeviceSelectionOnStartUp(true); break;
        }
    }
};

TEST_P(PageSwitching, FollowsTheLeaveGuardsAndEntryRules) {
    const SwitchCase& k = GetParam();
    start();
    reach(k.from);
    controller->setDeviceTarget(k.model);
    controller->setRecognized(k.recognized);
    pages.settings->unsaved = pages.fm->unsaved = pages.speedDial->unsaved = k.unsaved;
    pages.settings->actInRange = k.actInRange;
    controller->setOnProcessing(k.processing);
    pages.log.clear();

    go(k.via);

    EXPECT_EQ(pages.log, k.calls);
    EXPECT_EQ(controller->mode(), k.modeAfter);
    EXPECT_EQ(controller->visibleDetailViewController(), controller->pageOfMode(k.pageShown));
}

INSTANTIATE_TEST_SUITE_P(Cases, PageSwitching, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageSwitching, EnteringSelectionOrRecognitionForgetsTheDevice) {
    start();
    controller->setDeviceTarget(kLuven);
    controller->setRecognized(true);
    controller->setUsbStatus(0x6838);
    controller->setTabCount(3);
    controller->setDeviceRecognitionWithStatus(true, nullptr, 0);
    EXPECT_FALSE(controller->recognized());
    EXPECT_EQ(controller->usbStatus(), 0);
    EXPECT_EQ(controller->tabCount(), 0);
    EXPECT_EQ(controller->deviceTarget(), kLuven) << "the chosen model stays";
}

TEST_F(PageSwitching, RecognitionWithACallerStartsByItselfUnlessResumingFirmware) {
    start();
    controller->setDeviceTarget(kLuven);
    controller->setDeviceRecognitionWithStatus(true, nullptr, 5);
    EXPECT_EQ(pages.log, (CallLog{"4:init", "4:doRecognize"}));

    pages.log.clear();
    controller->setStrRestartDFUFirmwareFile(std::string("/tmp/fw.img"));
    controller->setDeviceRecognitionWithStatus(true, nullptr, 5);
    EXPECT_EQ(pages.log, (CallLog{"4:init"}));
}

TEST_F(PageSwitching, SaveQuestionAnsweredNoContinuesToTheAskedPage) {
    start();
    controller->setDeviceTarget(kLuven);
    controller->setRecognized(true);
    controller->setDeviceSettingsWithStatus(true);
    pages.settings->unsaved = true;
    controller->firmwareUpdate();
    ASSERT_EQ(controller->mode(), 7);

    // The page asks through the message box with purpose 4; Cancel ("No") discards the changes.
    controller->openMessageBoxWithMessage("Save?", false, std::string("NO"), std::string("YES"), 0, 4);
    platform::drainMainQueue();
    pages.log.clear();
    pages.settings->unsaved = false;
    controller->messageBoxCancel();
    platform::drainMainQueue();

    // The page sets the mode first, so its own guard does not run a second time.
    EXPECT_EQ(pages.log, (CallLog{"7:moveToModeToGo", "5:init"}));
    EXPECT_EQ(controller->mode(), 5);
}

TEST_F(PageSwitching, WindowRefusingToEndEditingKeepsThePreviousPageVisible) {
    start();
    controller->setDeviceTarget(kLuven);
    controller->setRecognized(true);
    controller->setDeviceSettingsWithStatus(true);
    auto* field = new QLineEdit(pages.settings->view());
    field->setValidator(new QIntValidator(3, 60, field));
    field->setText("");
    field->show();
    field->setFocus();
    ASSERT_EQ(window->focusWidget(), field);

    controller->setFirmwareUpdateWithStatus(true);

    EXPECT_EQ(controller->mode(), 5);
    EXPECT_EQ(controller->visibleDetailViewController(), pages.settings);
}

TEST_F(PageSwitching, KeyboardNextAndBackFollowTheMode) {
    start();
    controller->setDeviceTarget(kLuven);
    controller->setRecognized(true);
    struct Step {
        int32_t mode;
        CallLog next, back;
    };
    const Step steps[] = {
        {3, {"3:targetDeviceSet"}, {}},
        {4, {"4:recognize"}, {"4:targetDevice"}},
        {5, {"5:moveToNext"}, {"5:moveToBack"}},
        {6, {"6:moveToNext"}, {"6:moveToBack"}},
        {8, {"8:moveToDeviceSelection"}, {"8:moveToFirmwareUpdate"}},
        {2, {}, {}},
    };
    for (const Step& s : steps) {
        controller->setMode(s.mode);
        pages.log.clear();
        controller->goNext();
        EXPECT_EQ(pages.log, s.next) << "mode " << s.mode;
        pages.log.clear();
        controller->goBack();
        EXPECT_EQ(pages.log, s.back) << "mode " << s.mode;
    }
    controller->setMode(7);
    controller->setDeviceTarget(0x3020);  // no settings for this model: both keys do nothing
    pages.log.clear();
    controller->goNext();
    controller->goBack();
    EXPECT_TRUE(pages.log.empty());
}

}  // namespace
}  // namespace shell_test
