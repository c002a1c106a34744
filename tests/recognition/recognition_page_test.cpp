// The recognition page on the real controller and an offscreen window: its controls and texts,
// a recognition from Next to the hand-over, the failure and message-box outcomes, and the hand
// over to each calling page.
#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <thread>

#include "RecognitionPageFixture.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "platform/MainQueue.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace {

using app::AppTexts;
using recognition::DeviceRecognitionViewController;
using namespace std::chrono_literals;

using RecognitionPage = recognition_page_test::HidRecognitionPageFixture;

TEST_F(RecognitionPage, ShowsItsInstructionAndOnlyItsTwoButtons) {
    controller->setLanguageManager(2);
    page->initializeObject();
    page->setControls();
    EXPECT_EQ(page->tvInstruction()->toPlainText().toStdString(), DeviceRecognitionViewController::stringInstruction(2));
    EXPECT_TRUE(page->tvInstruction()->isReadOnly());
    EXPECT_FALSE(page->btnOrvaProduct()->isEnabled());
    EXPECT_FALSE(page->btnOEMProduct()->isEnabled());
    EXPECT_EQ(page->btnNext()->text(), "WEITER");
    EXPECT_TRUE(page->btnNext()->isEnabled());
    EXPECT_EQ(page->piProcessing()->maximum(), 100);

    controller->setShowShortcuts(true);
    controller->setOnProcessing(true);
    page->setControls();
    EXPECT_EQ(page->btnNext()->text(), QString::fromUtf8("[C]-\u25B6"));
    EXPECT_EQ(page->btnOEMProduct()->text(), "[S][C]-O");
    EXPECT_FALSE(page->btnNext()->isEnabled());
    EXPECT_FALSE(page->btnBack()->isEnabled());
    EXPECT_EQ(page->piProcessing()->maximum(), 0) << "busy animation while processing";
}

TEST_F(RecognitionPage, RestartToRecoverShowsTheContinueStatusAsAWarning) {
    controller->setRestartToRecover(true);
    controller->setModeRestartToRecover(6);
    page->initializeObject();
    EXPECT_EQ(statusLine(), AppTexts::qelm_status_default(4, 0x4D10, 0).value() + ". " +
                                AppTexts::qelm_string_continue_the_firmware_update_or_restore(6, 0));
    EXPECT_TRUE(controller->statusWithWarning());
}

TEST_F(RecognitionPage, ProductButtonsOpenTheirInstructionBoxes) {
    page->oemProductBtn(nullptr);
    platform::drainMainQueue();
    EXPECT_EQ(window->messageBox().tfMessageBox->text().toStdString(),
              DeviceRecognitionViewController::stringOEMProduct(0));
    EXPECT_EQ(controller->messageBoxStatus(), 2);
}

TEST_F(RecognitionPage, NextRecognizesTheHeadsetAndHandsOverToTheUpdatePage) {
    if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
    plug({sim::hid(0x6838).servedBy(std::make_shared<sim::Hs6838Model>())});
    controller->setDeviceTarget(0x6042);
    controller->setMode(4);
    page->setCallerMode(0);

    page->recognize(page->btnNext());
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_FALSE(page->btnNext()->isEnabled());
    EXPECT_EQ(statusLine(), controller->getStatusProcessing());
    ASSERT_NO_FATAL_FAILURE(finishRecognition());

    EXPECT_FALSE(controller->onProcessing());
    EXPECT_FALSE(page->timer()->isActive());
    EXPECT_EQ(controller->deviceTarget(), 0x6838);
    EXPECT_EQ(controller->usbStatus(), 0x6838);
    EXPECT_TRUE(controller->recognized());
    EXPECT_EQ(controller->data().deviceName(), "VELMAR LUVEN");
    EXPECT_EQ(controller->data().deviceVersionMinor(), 2);
    EXPECT_EQ(pages.log, (shell_test::CallLog{"5:init"}));
    EXPECT_EQ(controller->mode(), 5);
    EXPECT_EQ(statusLine(), "Device recognized successfully. " + AppTexts::qelm_status_default(5, 0x6838, 0).value());
    EXPECT_FALSE(controller->statusWithWarning());
    EXPECT_EQ(window->lblProduct->text(), "VELMAR LUVEN");
    EXPECT_EQ(window->lblVersion->text(), "v1.2");
}

TEST_F(RecognitionPage, SecondRecognitionIsRefusedWhileOneRuns) {
    if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
    auto headset = std::make_shared<sim::Hs6838Model>();
    // The name request goes unanswered, which keeps the worker busy polling for a while.
    headset->setShortAnswer(0x03, sim::Hs6838Model::kParameterName, sim::Answer{0, {}, true});
    plug({sim::hid(0x6838).servedBy(headset)});
    controller->setDeviceTarget(0x6838);

    page->doRecognize(nullptr);
    ASSERT_TRUE(page->workerRunning());
    page->doRecognize(nullptr);
    ASSERT_NO_FATAL_FAILURE(finishRecognition());

    size_t nameRequests = 0;
    for (const auto& r : headset->requests())
        nameRequests += r.bytes[2] == 0x03 && r.bytes[3] == sim::Hs6838Model::kParameterName;
    EXPECT_EQ(nameRequests, 1u);
    EXPECT_EQ(page->threadFields().resultThreadRecognize.load(), recognition::kRecognizeSuccess);
}

TEST_F(RecognitionPage, ResumedRunAsksTwiceButRecognizesOnce) {
    if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
    auto headset = std::make_shared<sim::Hs6838Model>();
    plug({sim::hid(0x6838).servedBy(headset)});
    // A run stopped in the middle of a firmware update of another model.
    platform::KeyedArchiver configuration({"ORVABluetoothManagerAppController"});
    configuration.encodeInt32(0x6042, "keyDeviceTarget");
    configuration.encodeBool(true, "keyRestartToRecover");
    configuration.encodeInt32(5, "keyModeRestartToRecover");
    std::string file = app::ORVABluetoothManagerAppController::configurationFilePath();
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    ASSERT_TRUE(platform::writeFileAtomically(file, configuration.finish()));

    // Start-up enters the recognition page for the caller (which starts a recognition) and
    // then presses its Next.
    controller->initializeObject();
    ASSERT_NO_FATAL_FAILURE(finishRecognition());

    size_t nameRequests = 0;
    for (const auto& r : headset->requests())
        nameRequests += r.bytes[2] == 0x03 && r.bytes[3] == sim::Hs6838Model::kParameterName;
    EXPECT_EQ(nameRequests, 1u);
    EXPECT_EQ(controller->mode(), 5);
    EXPECT_EQ(controller->deviceTarget(), 0x6838);
}

TEST_F(RecognitionPage, FailureShowsTheModesFailureTextWithTheWorkersAsAWarning) {
    if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
    plug({});
    controller->setDeviceTarget(0x6838);
    controller->setMode(4);
    page->doRecognize(nullptr);
    ASSERT_NO_FATAL_FAILURE(finishRecognition());

    EXPECT_EQ(statusLine(), "Failed to recognize device. Cannot open USB [1][N]");
    EXPECT_TRUE(controller->statusWithWarning());
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_TRUE(page->btnNext()->isEnabled()) << "Next can be pressed again";
    EXPECT_TRUE(pages.log.empty());
}

TEST_F(RecognitionPage, FailureAfterUpdatingThe5310OffersToRestartTheManager) {
    if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
    plug({});
    controller->setDeviceTarget(0x6838);
    controller->setMode(4);
    controller->setDeviceUpdatedOrRestored(0x5310);
    page->doRecognize(nullptr);
    ASSERT_NO_FATAL_FAILURE(finishRecognition());

    EXPECT_EQ(statusLine(), "Failed to recognize device. Cannot open USB [1]");
    EXPECT_EQ(controller->messageBoxStatus(), 8);
    std::string title = AppTexts::qelm_title("", 0);
    EXPECT_EQ(window->messageBox().tfMessageBox->text().toStdString(),
              "Restarting " + title + " may fix this problem.\nWould you like to restart " + title + "?\n");
}

// The hand-over after a successful recognition, by the page that asked and the USB status.
struct CallerCase {
    std::string name;
    int32_t callerMode;
    int32_t usbStatus;
    bool restartDfuFile;
    std::string pageEntered;
    int32_t statusMode;  // whose success text the status line shows; 0: the worker's text
};

void PrintTo(const CallerCase& c, std::ostream* os) { *os << c.name; }

class HandOver : public RecognitionPage, public ::testing::WithParamInterface<CallerCase> {};

TEST_P(HandOver, EntersTheCallerAndShowsTheRightStatus) {
    const CallerCase& c = GetParam();
    controller->setDeviceTarget(0x6838);
    controller->setRecognized(true);
    controller->setUsbStatus(c.usbStatus);
    if (c.restartDfuFile) controller->setStrRestartDFUFirmwareFile(std::string("/tmp/restart.img"));
    page->setCallerMode(c.callerMode);

    page->moveToCaller("the worker's status", true);
    platform::drainMainQueue();

    ASSERT_FALSE(pages.log.empty());
    EXPECT_EQ(pages.log.front(), c.pageEntered);
    if (c.statusMode == 0) {
        EXPECT_EQ(statusLine(), "the worker's status");
        EXPECT_TRUE(controller->statusWithWarning());
    } else {
        EXPECT_EQ(statusLine(), AppTexts::qelm_status_success(c.statusMode, c.usbStatus, 0).value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Recognition, HandOver,
    ::testing::Values(CallerCase{"SelectionGoesToUpdate", 0, 0x6838, false, "5:init", 0},
                      CallerCase{"UpdatePageShowsItsSuccess", 5, 0x6838, false, "5:init", 5},
                      CallerCase{"RestorePageShowsItsSuccess", 6, 0x6838, false, "6:init", 6},
                      CallerCase{"UpdatePageInManagementModeShowsTheWorker", 5, 0x8000 | 0x4D10, false, "5:init", 0},
                      CallerCase{"PendingRestartFileShowsTheSuccessEvenInManagementMode", 5, 0x8000 | 0x4D10, true,
                                 "5:init", 5},
                      CallerCase{"SettingsPageShowsItsSuccess", 7, 0x6838, false, "7:init", 7},
                      CallerCase{"SpeedDialPageInManagementModeShowsTheWorker", 9, 0x8000 | 0x4D10, false, "9:init",
                                 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(RecognitionPage, OemVariantTestTakesTheFirstSixDigitsOfFerrikAddresses) {
    controller->setDeviceTarget(0x4210);
    EXPECT_TRUE(page->addPSKeyFERRIKForTamberWollisWith("333D55"));
    EXPECT_TRUE(page->addPSKeyFERRIKForTamberWollisWith("334B7D99"));
    EXPECT_FALSE(page->addPSKeyFERRIKForTamberWollisWith("334B7E"));
    EXPECT_TRUE(page->addPSKeyFERRIKForTamberWollisWith("2E90BA"));
    EXPECT_FALSE(page->addPSKeyFERRIKForTamberWollisWith("2E9056"));
    controller->setDeviceTarget(0x4310);
    EXPECT_FALSE(page->addPSKeyFERRIKForTamberWollisWith("333D55"));
}

TEST(RecognitionPageLinks, AddressesInTheTextBecomeLinks) {
    QString html = DeviceRecognitionViewController::autoLinkURLs("See https://example.org/x and <b>.");
    EXPECT_TRUE(html.contains("<a href=\"https://example.org/x\">https://example.org/x</a>"));
    EXPECT_TRUE(html.contains("&lt;b&gt;"));
}

}  // namespace
