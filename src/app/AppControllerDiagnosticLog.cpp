// The diagnostic log's menu action: a save panel with the default name, then the log written
// where the user chose.
#include <QFileDialog>

#include "app/DiagnosticLog.h"
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Date.h"
#include "platform/ProcessOutput.h"

namespace app {

void ORVABluetoothManagerAppController::logStatus(QObject*) {
    if (onProcessing() || !window_) return;
    closeOpenListTabs();
    auto* panel = new QFileDialog(window_);
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    panel->setWindowModality(Qt::WindowModal);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->selectFile(QString::fromStdString(defaultDiagnosticLogName(platform::Date::now())));
    QObject::connect(panel, &QFileDialog::finished, window_, [this, panel](int answer) {
        if (answer != QDialog::Accepted) return;
        const QStringList chosen = panel->selectedFiles();
        if (!chosen.isEmpty()) writeDiagnosticLogTo(chosen.front().toStdString());
    });
    panel->open();
}

void ORVABluetoothManagerAppController::writeDiagnosticLogTo(const std::string& path) {
    DiagnosticState state;
    state.status = window_ ? window_->tfStatus->text().toStdString() : getStrStatus();
    state.recognized = recognized();
    state.deviceTarget = deviceTarget();
    state.usbStatus = usbStatus();
    // The tools run here, on the main thread: the window waits until they have finished.
    writeDiagnosticLog(path, diagnosticLogText(state, data_, platform::runAndCapture));
}

}  // namespace app
