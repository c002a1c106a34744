// The page's one timer: the end of a list read, the running operation's progress and status,
// and the end of an operation with its message.
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "device/ProductCatalogue.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "update/UpdateViewController.h"

namespace update {

using app::AppTexts;
using app::ORVABluetoothManagerAppController;

namespace {

constexpr int32_t kPowerCycleModel = 0x5310;

}  // namespace

void UpdateViewController::timerMethodUpdate() {
    switch (fields_.state.load()) {
        case kStateIdle:
            endOfUpdateListRead();
            break;
        case kStateUpdating:
        case kStateRestoring:
            runningOperationTick();
            break;
        case kStateReadRestoreList:
            endOfRestoreListRead();
            break;
        default:  // list read, downloads: they report elsewhere
            break;
    }
}

void UpdateViewController::endOfUpdateListRead() {
    timer_->stop();
    listWorker_.join();
    platform::logLine("update list read ended");
    platform::drainMainQueue();  // the pop-up changes the worker posted
    ORVABluetoothManagerAppController& c = controller();
    if (c.isRestartDFU()) {
        fields_.newUpdateFound = false;
        updateFirmware(nullptr);
        return;
    }
    if (fields_.newUpdateFound) offerNewUpdate();
    c.setOnProcessing(false);
    c.setControls();
    setControls();
}

void UpdateViewController::runningOperationTick() {
    // The end flag first (acquire): what the worker wrote before it is then visible.
    const bool finished = fields_.updateFinished.load(std::memory_order_acquire);
    if (finished)
        endOperation();
    else
        applyDisplayRule(displayRuleFor(controller().deviceTarget()), fields_, processDisplayCounters());

    ORVABluetoothManagerAppController& c = controller();
    const auto status = fields_.updateStatusSnapshot();
    for (int i = 0; i < kLanguages; ++i) c.setStrStatus(status[static_cast<size_t>(i)], i);
    const bool succeeded = fields_.updateSucceeded.load(std::memory_order_acquire);
    const bool warning = !isQuietStatusModel(c.deviceTarget()) && finished && !succeeded;
    c.setStatus(c.getStrStatus(), warning);
    setControls();
}

void UpdateViewController::endOperation() {
    timer_->stop();
    platform::logf("update ended: succeeded %d, code %d", fields_.updateSucceeded.load() ? 1 : 0,
                   static_cast<int>(fields_.updateRestoreError.load()));
    ORVABluetoothManagerAppController& c = controller();
    // The restart record is cleared before the end code is read: code 4 writes a fresh one.
    c.setStrRestartDFUFirmwareFile(std::nullopt);
    c.setIndexRestartDFUFirmwareLanguage(-1);
    c.setDeviceVersionMajorRestartDFU(0);
    c.setDeviceVersionMinorRestartDFU(0);
    c.setDeviceSecondaryVersionTypeRestartDFU(0);
    c.setDeviceSecondaryVersionRestartDFU(0);

    fields_.state = kStateIdle;
    c.setOnProcessing(false);
    c.setControls();
    c.setDeviceUpdatedOrRestored(c.deviceTarget());
    fields_.updateTimerProcessTime = 0;
    fields_.updateTimerPercentToProcess = 0;
    fields_.updateTimerProcessed = 0;
    fields_.addUpdateProcessed = 0;
    spinnerByWorker_ = false;

    const int32_t mode = c.mode();
    const int32_t usb = c.usbStatus();
    const int32_t target = c.deviceTarget();
    const int l = language();
    const std::string ok = AppTexts::qelm_string_ok_in(l);
    const std::string internalName = device::qelm_product_name(target, true).value_or("");

    if (fields_.updateSucceeded.load(std::memory_order_acquire)) {
        fields_.updateProcessed = kProcessedComplete;
        fields_.setUpdateStatusAll([&](int i) { return AppTexts::qelm_status_success(mode, usb, i).value_or(""); });
        const device::ORVABluetoothDeviceData* info = mode != 5 && dataToUnarchive_ ? &*dataToUnarchive_ : nullptr;
        if (isReconfigureModel(target)) {
            c.openMessageBoxWithMessage(stringMessageReconfigure(l), true, std::nullopt, ok, 2, 2);
        } else if (target == kPowerCycleModel) {
            c.openMessageBoxWithMessage(
                app::formatText(stringMessagePowerOnPowerOff(l), {fields_.updateStatus(l), internalName}), false,
                std::nullopt, ok, 2, 2);
        }
        // Re-recognition, with the backed-up settings written back after a restore. The record is
        // copied: the recognition page keeps its own.
        std::optional<device::ORVABluetoothDeviceData> backup;
        if (info) backup = *info;
        c.setDeviceRecognitionWithStatus(false, backup ? &*backup : nullptr, mode);
        return;
    }

    switch (fields_.updateRestoreError.load()) {
        case kEndFailed:
            if (target == kPowerCycleModel)
                c.openMessageBoxWithMessage(app::formatText(stringMessageSWitchOnSwitchOff(l), {internalName}), true,
                                            std::nullopt, ok, 1, 2);
            break;
        case kEndNotRecognizedDevice:
            c.openMessageBoxWithMessage(AppTexts::qelm_string_recognized_device_not_selected_in(l), true, std::nullopt,
                                        ok, 1, 3);
            break;
        case kEndFirmwareFileFailed:
            c.openMessageBoxWithMessage(app::formatText(stringMessageManagerRestart(l),
                                                        {fields_.updateStatus(l), AppTexts::qelm_title("", 0)}),
                                        true, std::nullopt, ok, 2, 8);
            break;
        case kEndRestartToRecover: {
            c.setRestartToRecover(true);
            c.setModeRestartToRecover(mode);
            c.setStrRestartDFUFirmwareFile(tfFirmwareFile_->text().toStdString());
            c.setIndexRestartDFUFirmwareLanguage(popUpLanguageFirmware_->currentIndex());
            const device::ORVABluetoothDeviceData& d = c.data();
            c.setDeviceVersionMajorRestartDFU(d.deviceVersionMajor());
            c.setDeviceVersionMinorRestartDFU(d.deviceVersionMinor());
            c.setDeviceSecondaryVersionTypeRestartDFU(d.deviceSecondaryVersionType());
            c.setDeviceSecondaryVersionRestartDFU(d.deviceSecondaryVersion());
            c.stopManager(nullptr);
            break;
        }
        default:
            break;
    }
}

void UpdateViewController::endOfRestoreListRead() {
    if (!fields_.updateFinished.load(std::memory_order_acquire)) return;
    timer_->stop();
    listWorker_.join();
    platform::drainMainQueue();  // the pop-up changes the worker posted
    fields_.updateFinished = false;
    fields_.state = kStateIdle;
    ORVABluetoothManagerAppController& c = controller();
    c.setOnProcessing(false);
    const int32_t mode = c.mode();
    const int32_t usb = c.usbStatus();
    if (!restorePossible_) {
        showStatusInAllLanguages(
            [&](int i) {
                return app::formatText("%@. %@", {AppTexts::qelm_status_failure(mode, usb, i).value_or(""),
                                                  qelm_string_cannot_connect_to_the_server_in(i)});
            },
            true);
    } else if (writeDefaultStatus_) {
        const bool languages = popUpLanguageFirmware_->count() >= 1;
        showStatusInAllLanguages(
            [&](int i) {
                return languages ? qelm_string_press_restore_button_after_selecting_in(i)
                                 : qelm_string_press_restore_button_in(i);
            },
            false);
    }
    c.setControls();
    setControls();
    platform::logf("restore list read ended: revision %s", restorePossible_ ? "listed" : "not listed");
    if (c.isRestartDFU()) restoreFirmware(nullptr);
}

}  // namespace update
