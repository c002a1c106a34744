// The timer's tick at the end of an update or restore: what the controller is asked to do, by the
// worker's outcome, its end code and the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "UpdatePageFixture.h"
#include "app/AppTexts.h"
#include "device/ProductCatalogue.h"

namespace {

using update_page_test::UpdatePageFixture;

class EndOfOperation : public UpdatePageFixture {
  protected:
    // The page of the mode with its list read over (no server), then an operation running.
    update_page_test::PageWithBackup& running(int32_t mode, int32_t model) {
        if (mode == 6) pages.restore->backup = device::ORVABluetoothDeviceData();
        auto& page = enter(mode, model);
        finishListRead(page);
        page.tfFirmwareFile()->setText("/tmp/chosen.img");
        // A record left by an earlier run.
        controller->setStrRestartDFUFirmwareFile(std::string("old.img"));
        controller->setIndexRestartDFUFirmwareLanguage(3);
        controller->setDeviceVersionMajorRestartDFU(9);
        controller->setDeviceVersionMinorRestartDFU(9);
        controller->data().setDeviceVersionMajor(2, 3);
        controller->data().setDeviceSecondaryVersionType(1);
        controller->data().setDeviceSecondaryVersion(4);
        page.fields().state = mode == 5 ? update::kStateUpdating : update::kStateRestoring;
        page.fields().setUpdateStatusAll([](int i) { return "worker text " + std::to_string(i); });
        controller->setOnProcessing(true);
        pages.log.clear();
        return page;
    }
    bool recognitionStarted() {
        return std::find(pages.log.begin(), pages.log.end(), "4:doRecognize") != pages.log.end();
    }
    std::string box() { return window->messageBox().tfMessageBox->text().toStdString(); }
};

struct EndCase {
    const char* name;
    int32_t mode;
    int32_t model;
    bool succeeded;
    int32_t code;
    // What the controller is asked to do.
    std::optional<std::string> boxStart;  // none: no message box
    int32_t forWhat;
    bool boxWarning;
    bool recognition;
    bool statusWarning;
};

std::string internalName(int32_t model) { return device::qelm_product_name(model, true).value_or(""); }

const EndCase kEndCases[] = {
    {"SuccessWithReconfigureMessage", 5, 0x4D10, true, 0, "It is strongly recommended to clear", 2, true, true, false},
    {"SuccessWithPowerCycleMessage", 5, 0x5310, true, 0, "[Firmware updated successfully]\nPower off and power on ",
     2, false, true, false},
    {"SuccessWithoutMessage", 5, 0x4210, true, 0, std::nullopt, 0, false, true, false},
    {"RestoreSuccess", 6, 0x4210, true, 0, std::nullopt, 0, false, true, false},
    {"Code1NoMessage", 5, 0x4210, false, 1, std::nullopt, 0, false, false, true},
    {"Code1QuietModelWithoutWarning", 5, 0x6838, false, 1, std::nullopt, 0, false, false, false},
    {"Code1PowerCycleModel", 5, 0x5310, false, 1, "After switching off " + internalName(0x5310), 2, true, false, true},
    {"Code2GoesToDeviceSelection", 5, 0x4210, false, 2,
     "Recognized device is not connected or is not the same as the connected device.", 3, true, false, true},
    {"Code2OnTheRestorePage", 6, 0x4210, false, 2,
     "Recognized device is not connected or is not the same as the connected device.", 3, true, false, true},
    {"Code3RestartsTheManager", 5, 0x4210, false, 3, "[worker text 0]\nVELMAR Helmets Device Manager will restart.\n",
     8, true, false, true},
    {"OtherCodeNothing", 5, 0x4210, false, 7, std::nullopt, 0, false, false, true},
};

class EndOfOperationCases : public EndOfOperation, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndOfOperationCases, AsksTheControllerByOutcomeCodeAndModel) {
    const EndCase& c = GetParam();
    auto& page = running(c.mode, c.model);
    page.fields().finishWith(c.succeeded, c.code);
    page.timerMethodUpdate();
    platform::drainMainQueue();

    EXPECT_EQ(page.fields().state.load(), update::kStateIdle);
    EXPECT_FALSE(page.timer()->isActive());
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(controller->deviceUpdatedOrRestored(), c.model);
    if (c.boxStart) {
        EXPECT_EQ(box().rfind(*c.boxStart, 0), 0u) << box();
        EXPECT_EQ(controller->messageBoxStatus(), c.forWhat);
        EXPECT_EQ(window->messageBox().tfBackGround->isVisibleTo(window->messageBox().sheetMessageBox), c.boxWarning);
    } else {
        EXPECT_EQ(controller->messageBoxStatus(), 0);
    }
    EXPECT_EQ(recognitionStarted(), c.recognition);
    EXPECT_EQ(controller->statusWithWarning(), c.statusWarning);
    // The restart record of an earlier run is gone.
    EXPECT_EQ(controller->strRestartDFUFirmwareFile(), std::nullopt);
    EXPECT_EQ(controller->indexRestartDFUFirmwareLanguage(), -1);
    EXPECT_EQ(controller->deviceVersionMajorRestartDFU(), 0);
    EXPECT_EQ(controller->deviceVersionMinorRestartDFU(), 0);
    EXPECT_FALSE(controller->restartToRecover());
    EXPECT_EQ(terminateRequests, 0);
    if (c.succeeded) {
        EXPECT_EQ(page.fields().updateProcessed.load(), 100);
        EXPECT_EQ(statusLine(), *app::AppTexts::qelm_status_success(c.mode, c.model, 0));
    } else {
        EXPECT_EQ(statusLine(), "worker text 0");
    }
}

INSTANTIATE_TEST_SUITE_P(Update, EndOfOperationCases, ::testing::ValuesIn(kEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndOfOperation, Code4WritesAFreshRestartRecordAndStops) {
    auto& page = running(5, 0x4210);
    page.fields().finishWith(false, update::kEndRestartToRecover);
    page.timerMethodUpdate();
    platform::drainMainQueue();
    EXPECT_TRUE(controller->restartToRecover());
    EXPECT_EQ(controller->modeRestartToRecover(), 5);
    EXPECT_EQ(controller->strRestartDFUFirmwareFile(), "/tmp/chosen.img");
    EXPECT_EQ(controller->indexRestartDFUFirmwareLanguage(), -1);  // no language listed
    EXPECT_EQ(controller->deviceVersionMajorRestartDFU(), 2);
    EXPECT_EQ(controller->deviceVersionMinorRestartDFU(), 3);
    EXPECT_EQ(controller->deviceSecondaryVersionTypeRestartDFU(), 1);
    EXPECT_EQ(controller->deviceSecondaryVersionRestartDFU(), 4);
    EXPECT_EQ(terminateRequests, 1);
    EXPECT_FALSE(recognitionStarted());
}

TEST_F(EndOfOperation, SuccessFlagHoldsWhenADisplayRuleWrote99BeforeTheEnd) {
    auto& page = running(5, 0x6838);
    auto& f = page.fields();
    // The worker's last phase and its outcome, a tick before its end flag.
    f.addUpdateProcessed = 99;
    f.updateProcessed = 100;
    f.updateSucceeded.store(true, std::memory_order_release);
    page.timerMethodUpdate();
    EXPECT_EQ(f.updateProcessed.load(), 99);
    // Without the end flag that tick ends nothing.
    EXPECT_EQ(f.state.load(), update::kStateUpdating);
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_FALSE(recognitionStarted());
    f.updateFinished.store(true, std::memory_order_release);
    page.timerMethodUpdate();
    platform::drainMainQueue();
    EXPECT_TRUE(recognitionStarted());
    EXPECT_FALSE(controller->statusWithWarning());
    EXPECT_EQ(f.updateProcessed.load(), 100);
}

TEST_F(EndOfOperation, RunningTickPublishesTheStatusAndMovesTheBar) {
    auto& page = running(5, 0x4210);
    page.fields().addUpdateProcessed = 4;
    page.fields().updateProcessed = 0;
    controller->setLanguageManager(2);
    page.timerMethodUpdate();
    EXPECT_EQ(statusLine(), "worker text 2");
    EXPECT_FALSE(controller->statusWithWarning());
    EXPECT_EQ(page.fields().updateProcessed.load(), 4);
    EXPECT_TRUE(page.piProcessing()->isVisibleTo(page.view()));
    EXPECT_EQ(page.piProcessing()->value(), 4);
    EXPECT_EQ(page.tfProcessing()->text(), "4");
    EXPECT_FALSE(page.lblUpdateVoicePromptInformation()->isVisibleTo(page.view()));
}

}  // namespace
