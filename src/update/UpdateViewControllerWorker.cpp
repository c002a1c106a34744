// The update page's side of the update worker: the controller as the worker sees it, the start
// of a run with what the worker reads of the page, and Browse, which fills the firmware field.
#include <QFileDialog>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "update/SpinnerTasks.h"
#include "update/UpdateViewController.h"

namespace update {

using app::ORVABluetoothManagerAppController;

// Everything here is callable from the worker's thread: atomics of the controller, its message
// box (which posts to the main queue) and texts.
class UpdateViewController::WorkerControllerBridge : public UpdateWorkerController {
  public:
    explicit WorkerControllerBridge(ORVABluetoothManagerAppController& c) : c_(c) {}
    int32_t deviceTarget() const override { return c_.deviceTarget(); }
    int32_t mode() const override { return c_.mode(); }
    int32_t usbStatus() const override { return c_.usbStatus(); }
    int32_t languageManager() const override { return c_.languageManager(); }
    bool skipRestoreBackupFile() const override { return c_.skipRestoreBackupFile(); }
    void setSkipRestoreBackupFile(bool skip) override { c_.setSkipRestoreBackupFile(skip); }
    std::string getMessageBoxFileCreationFailed() const override { return c_.getMessageBoxFileCreationFailed(); }
    void openMessageBoxWithMessage(const std::string& message, bool warning, const std::optional<std::string>& cancel,
                                   const std::optional<std::string>& ok, int32_t size, int32_t forWhat) override {
        c_.openMessageBoxWithMessage(message, warning, cancel, ok, size, forWhat);
    }
    int32_t closeMessageBox() override { return c_.closeMessageBox(); }
    void setUsbStatus(int32_t usbStatus) override { c_.setUsbStatus(usbStatus); }
    std::optional<std::string> getMessageBoxFirstButton() const override { return c_.getMessageBoxFirstButton(); }
    std::optional<std::string> getMessageBoxFailureFirstButton() const override {
        return c_.getMessageBoxFailureFirstButton();
    }
    std::optional<std::string> getMessageBoxSecondButton() const override { return c_.getMessageBoxSecondButton(); }
    std::optional<std::string> getCameraDiskPath() const override { return c_.getCameraDiskPath(); }
    // The file name is the main thread's; the numbers are atomics but go with it, in order.
    void clearRestartDFU() override {
        ORVABluetoothManagerAppController* c = &c_;
        platform::postToMainQueue([c] {
            c->setStrRestartDFUFirmwareFile(std::nullopt);
            c->setIndexRestartDFUFirmwareLanguage(-1);
            c->setDeviceVersionMajorRestartDFU(0);
            c->setDeviceVersionMinorRestartDFU(0);
            c->setDeviceSecondaryVersionTypeRestartDFU(0);
            c->setDeviceSecondaryVersionRestartDFU(0);
        });
    }

  private:
    ORVABluetoothManagerAppController& c_;
};

bool UpdateViewController::startUpdateWorker() {
    if (updateWorker_.running()) return false;
    updateWorker_.join();  // the previous run has returned; its run may go
    ORVABluetoothManagerAppController& c = controller();
    if (!workerController_) workerController_ = std::make_unique<WorkerControllerBridge>(c);
    updateRun_ = std::make_unique<UpdateRun>(*workerController_, fields_);
    UpdateRun& run = *updateRun_;
    run.firmwareFile = tfFirmwareFile_->text().toStdString();
    run.languageFirmware = arrLanguageFirmware();
    run.languageFirmwareSelected = popUpLanguageFirmware_->currentIndex();
    run.strLanguageFirmware = c.strLanguageFirmware();
    run.record = c.data();
    run.archiveFolder = platform::archiveFolderPath();
    run.openHeadset = headsetOpener_;
    run.spinner = spinnerTasks(spinnerStartBlock(), spinnerStopBlock());
    if (!updateWorker_.start([&run] { threadMethodUpdate(run); })) return false;
    platform::logf("update started");
    return true;
}

void UpdateViewController::browseFirmware(QObject*) {
    QFileDialog* panel = newFilePanel(false);
    QObject::connect(panel, &QFileDialog::finished, view(), [this, panel](int answer) {
        if (answer != QDialog::Accepted) return;
        const QStringList chosen = panel->selectedFiles();
        if (chosen.isEmpty()) return;
        tfFirmwareFile_->setText(chosen.front());
        showStatusInAllLanguages(qelm_string_press_update_button_in, false);
        fields_.updateProcessed = kNothingReported;
        fields_.updateFinished = false;
        setControls();
    });
    panel->open();
}

}  // namespace update
