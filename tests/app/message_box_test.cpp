// The message box: its look (buttons, warning, size), opening from a worker thread, what each
// purpose code's answers do, and boxes that wait while a question is open.
#include <thread>

#include "ShellFixture.h"
#include "platform/Browser.h"
#include "platform/Servers.h"

namespace shell_test {
namespace {

using Controller = app::ORVABluetoothManagerAppController;
using platform::OptString;

class MessageBox : public ShellTest {
protected:
    MessageBox() {
        platform::setURLOpenerForTesting([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
    }
    ~MessageBox() override { platform::setURLOpenerForTesting(std::nullopt); }

    void open(const std::string& text, int32_t forWhat, bool warning = false,
              OptString cancel = std::string("Cancel"), OptString ok = std::string("OK"), int32_t size = 0) {
        controller->openMessageBoxWithMessage(text, warning, cancel, ok, size, forWhat);
        platform::drainMainQueue();
    }
    std::string shownText() const { return window->messageBox().tfMessageBox->text().toStdString(); }

    std::vector<std::string> opened;
};

TEST(MessageBoxSizes, PresetSizesWithTheFirstBoxTaller) {
    struct Case {
        int32_t code;
        Controller::BoxSize size;
    };
    const Case cases[] = {{0, {420, 115, 135}}, {1, {420, 135, 155}}, {2, {520, 175, 195}}, {3, {520, 205, 225}},
                          {4, {520, 235, 255}}, {5, {530, 355, 375}}, {6, {520, 265, 285}}, {7, {840, 240, 260}},
                          {8, {720, 180, 200}}, {9, {0, 0, 20}},       {-1, {530, 355, 375}}, {42, {530, 355, 375}}};
    for (const Case& k : cases) {
        auto s = Controller::messageBoxSize(k.code);
        EXPECT_EQ(s.width, k.size.width) << k.code;
        EXPECT_EQ(s.height, k.size.height) << k.code;
        EXPECT_EQ(s.firstHeight, k.size.firstHeight) << k.code;
    }
}

TEST_F(MessageBox, FirstBoxOfTheRunIsTwentyPointsTaller) {
    start();
    open("first", 2, false, std::nullopt, std::string("OK"), 1);
    const int first = window->messageBox().sheetMessageBox->height();
    if (first == 135) GTEST_SKIP() << "another box of this process came first";
    controller->messageBoxOK();
    platform::drainMainQueue();
    open("second", 2, false, std::nullopt, std::string("OK"), 1);
    EXPECT_EQ(first, 155);
    EXPECT_EQ(window->messageBox().sheetMessageBox->height(), 135);
    EXPECT_EQ(window->messageBox().sheetMessageBox->width(), 420);
}

TEST_F(MessageBox, MissingTitlesHideButtonsAndWarningShowsItsBackground) {
    start();
    open("100% sure? %@ stays", 2, true, std::nullopt, std::nullopt);
    EXPECT_TRUE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(shownText(), "100% sure? %@ stays");
    EXPECT_FALSE(window->messageBox().btnMessageBoxOK->isEnabled());
    EXPECT_FALSE(window->messageBox().btnMessageBoxCancel->isEnabled());
    EXPECT_FALSE(window->messageBox().btnMessageBoxOK->isVisible());
    EXPECT_TRUE(window->messageBox().tfBackGround->isVisible());
    // Only code closes a box without buttons.
    controller->closeMessageBox();
    platform::drainMainQueue();
    EXPECT_FALSE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(controller->messageBoxStatus(), 0);

    open("notice", 2, false, std::nullopt, std::string("OK"));
    EXPECT_TRUE(window->messageBox().btnMessageBoxOK->isVisible());
    EXPECT_EQ(window->messageBox().btnMessageBoxOK->text(), "OK");
    EXPECT_FALSE(window->messageBox().btnMessageBoxCancel->isVisible());
    EXPECT_FALSE(window->messageBox().tfBackGround->isVisible());
}

// An instruction box that its worker closes again before the main queue has run (the headset came
// back at once) must not open afterwards: without buttons nothing could close it.
TEST_F(MessageBox, ABoxClosedBeforeItsSheetBeganNeverOpens) {
    start();
    controller->openMessageBoxWithMessage("re-plug the cable", true, std::nullopt, std::nullopt, 0, 1);
    EXPECT_EQ(controller->closeMessageBox(), 1);
    platform::drainMainQueue();
    EXPECT_FALSE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(controller->messageBoxStatus(), 0);

    open("notice", 2, false, std::nullopt, std::string("OK"));
    EXPECT_TRUE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(shownText(), "notice");
}

TEST_F(MessageBox, WorkerThreadOpensThroughTheMainQueue) {
    start();
    std::thread worker([this] {
        controller->openMessageBoxWithMessage("from the worker", false, std::nullopt, std::string("OK"), 0, 14);
    });
    worker.join();
    EXPECT_EQ(controller->messageBoxStatus(), 14) << "the purpose is set at once";
    EXPECT_FALSE(window->messageBox().sheetMessageBox->isVisible()) << "the window changes wait for the main thread";
    platform::drainMainQueue();
    EXPECT_TRUE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(shownText(), "from the worker");
}

struct AnswerCase {
    const char* name;
    int32_t forWhat;
    bool ok;
    int32_t mode;  // the page shown when the box was opened
    CallLog calls;
    int terminates;
    bool skipBackup;
    int32_t modeAfter;
};

void PrintTo(const AnswerCase& k, std::ostream* os) { *os << k.name; }

const AnswerCase kAnswers[] = {
    {"InformationDoesNothingMore", 2, true, 5, {}, 0, false, 5},
    {"StartAgainOKShowsSelection", 3, true, 5, {"3:init"}, 0, false, 3},
    {"StartAgainCancelStays", 15, false, 5, {}, 0, false, 5},
    {"EndNoticeOKShowsSelection", 15, true, 5, {"3:init"}, 0, false, 3},
    {"DeviceSettingsYesSaves", 4, true, 7, {"7:save"}, 0, false, 7},
    {"DeviceSettingsNoContinues", 4, false, 7, {"7:moveToModeToGo", "3:init"}, 0, false, 3},
    {"FMRadioYesSaves", 5, true, 8, {"8:save"}, 0, false, 8},
    {"SpeedDialNoContinues", 6, false, 9, {"9:moveToModeToGo", "3:init"}, 0, false, 3},
    {"RestartToFinishQuits", 7, true, 5, {}, 1, false, 5},
    {"RestartToFinishCancelStays", 7, false, 5, {}, 0, false, 5},
    {"MustRestartQuits", 8, true, 4, {}, 1, false, 4},
    {"CameraQuestionEndsTheUpdatePagesWait", 11, true, 5, {"5:endNelvarUpdate"}, 0, false, 5},
    {"CameraQuestionEndsTheRestorePagesWait", 11, true, 6, {"6:endNelvarUpdate"}, 0, false, 6},
    {"AllSettingsYesSaves", 13, true, 7, {"7:save"}, 0, false, 7},
    {"AllSettingsNoGoesBackToTheSettings", 13, false, 7, {"7:moveToSettingToSetting"}, 0, false, 7},
    {"WorkerQuestionOKSkipsTheBackup", 14, true, 5, {"5:releasedMessageBox"}, 0, true, 5},
    {"WorkerQuestionCancelKeepsTheBackup", 14, false, 5, {"5:releasedMessageBox"}, 0, false, 5},
    {"UnknownPurposeDoesNothing", 1, true, 5, {}, 0, false, 5},
};

class MessageBoxAnswers : public MessageBox, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(MessageBoxAnswers, DoWhatThePurposeSays) {
    const AnswerCase& k = GetParam();
    start();
    controller->setDeviceTarget(0x6838);
    controller->setRecognized(true);
    controller->setDetailViewController(k.mode);
    ASSERT_EQ(controller->mode(), k.mode);
    // A save question stands for a switch to the selection page that the user asked for.
    pages.settings->modeToGo_ = pages.fm->modeToGo_ = pages.speedDial->modeToGo_ = 3;
    open("?", k.forWhat);
    pages.log.clear();
    // A quit that leaves the box up is refused by the window system: the box must be gone first.
    bool boxShownAtQuit = false;
    controller->setTerminateHandler([&] {
        ++terminateRequests;
        boxShownAtQuit = window->messageBox().sheetMessageBox->isVisible() || controller->messageBoxStatus() != 0;
    });

    if (k.ok)
        controller->messageBoxOK(window->messageBox().btnMessageBoxOK);
    else
        controller->messageBoxCancel(window->messageBox().btnMessageBoxCancel);
    platform::drainMainQueue();

    EXPECT_EQ(pages.log, k.calls);
    EXPECT_EQ(terminateRequests, k.terminates);
    EXPECT_FALSE(boxShownAtQuit);
    EXPECT_EQ(controller->skipRestoreBackupFile(), k.skipBackup);
    EXPECT_EQ(controller->mode(), k.modeAfter);
    EXPECT_EQ(controller->messageBoxStatus(), 0);
    EXPECT_FALSE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_TRUE(opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Purposes, MessageBoxAnswers, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageBox, CancelOpensSupportMailOrTheRecognitionHelp) {
    start();
    for (auto [forWhat, ok] : {std::pair{9, true}, {9, false}, {10, false}}) {
        open("?", forWhat);
        ok ? controller->messageBoxOK() : controller->messageBoxCancel();
        platform::drainMainQueue();
    }
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "mailto:" + std::string(app::AppTexts::supportEmailAddress()));
    EXPECT_EQ(opened[1], platform::mainServerBase() +
                             "OrvaBluetoothDeviceManagerHelp/Contents/Resources/English/device_recognition_failure.html");
}

TEST_F(MessageBox, BoxAskedForDuringAQuestionWaitsItsTurn) {
    start();
    controller->setMode(5);
    open("keep the backup?", 14);
    controller->openMessageBoxWithMessage("later notice", false, std::nullopt, std::string("OK"), 0, 2);
    platform::drainMainQueue();
    EXPECT_EQ(shownText(), "keep the backup?");
    EXPECT_EQ(controller->messageBoxStatus(), 14);

    controller->messageBoxOK();  // closes twice, then the waiting box comes
    platform::drainMainQueue();
    EXPECT_TRUE(controller->skipRestoreBackupFile());
    EXPECT_TRUE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(shownText(), "later notice");
    EXPECT_EQ(controller->messageBoxStatus(), 2);
}

TEST_F(MessageBox, PlainNoticeIsReplacedByTheNextBox) {
    start();
    open("first notice", 2);
    open("second notice", 3);
    EXPECT_EQ(shownText(), "second notice");
    EXPECT_EQ(controller->messageBoxStatus(), 3);
}

}  // namespace
}  // namespace shell_test
