// Leaving the device settings page: no question without changes; with changes the save question,
// whose No drops the edits and goes on (or, on the sheet, stays with the values reverted).
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

class LeaveGuard : public SettingsPageTest {
protected:
    void SetUp() override {
        open(0x6838);
        record().setBasicSetting20At(2, 0x0101);
        page->initializeObject();
    }
    void changeSomething() { edit().setBasicSetting20At(2, 0x0303); }
};

TEST_F(LeaveGuard, WithoutChangesAsksNothingAndLeaves) {
    controller->setDeviceSelection();
    platform::drainMainQueue();
    EXPECT_FALSE(boxOpen());
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_EQ(edit().basicSettingFERRIK(2), 0x0101);
}

TEST_F(LeaveGuard, ChangesOpenTheSaveQuestionAndHoldTheSwitch) {
    changeSomething();
    controller->setDeviceSelection();
    Box b = box();
    EXPECT_EQ(b.text, "Would you like to save DEVICE SETTING changes?");
    EXPECT_EQ(b.forWhat, 4);
    EXPECT_TRUE(hasSize(b, 0));
    EXPECT_FALSE(b.warning);
    EXPECT_EQ(b.ok, "YES");
    EXPECT_EQ(b.cancel, "NO");
    EXPECT_EQ(controller->mode(), 7);
    EXPECT_EQ(page->modeToGo(), 3);
}

struct NoCase {
    const char* name;
    int32_t modeToGo;
    int32_t modeReached;
    const char* entered;
};

void PrintTo(const NoCase& c, std::ostream* os) { *os << c.name; }

class AnswerNo : public LeaveGuard, public ::testing::WithParamInterface<NoCase> {};

TEST_P(AnswerNo, DropsTheEditsAndGoesToTheTarget) {
    changeSomething();
    controller->setDeviceSelection();
    platform::drainMainQueue();
    page->setModeToGo(GetParam().modeToGo);
    controller->messageBoxCancel();
    platform::drainMainQueue();
    EXPECT_EQ(edit().basicSettingFERRIK(2), 0x0101);
    EXPECT_EQ(controller->mode(), GetParam().modeReached);
    EXPECT_NE(std::find(pages.log.begin(), pages.log.end(), GetParam().entered), pages.log.end());
}

INSTANTIATE_TEST_SUITE_P(Targets, AnswerNo,
                         ::testing::Values(NoCase{"Selection", 3, 3, "3:init"}, NoCase{"Settings8", 8, 8, "8:init"},
                                           NoCase{"HundredPlusSelection", 103, 3, "3:init"},
                                           NoCase{"RecognitionThenPage", 104, 4, "4:init"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LeaveGuard, NoToTheSheetsQuestionStaysWithTheValuesReverted) {
    changeSomething();
    controller->openMessageBoxWithMessage(controller->stringPromptSave(), false, std::string("NO"),
                                          std::string("YES"), 0, 13);
    platform::drainMainQueue();
    controller->messageBoxCancel();
    platform::drainMainQueue();
    EXPECT_EQ(controller->mode(), 7);
    EXPECT_EQ(edit().basicSettingFERRIK(2), 0x0101);
    EXPECT_FALSE(page->btnSave->isEnabled());
}

TEST_F(LeaveGuard, ATimeoutFieldOutOfRangeStopsTheSwitchOnAModelWithoutTheRow) {
    // Every model starts with a valid field, so the guard passes where the form has no time-out.
    controller->setFirmwareUpdateWithStatus(true);
    platform::drainMainQueue();
    EXPECT_FALSE(boxOpen());
    EXPECT_EQ(controller->mode(), 5);
}

}  // namespace
}  // namespace settings_test
