// The program: the window, the controller with its eight pages, and the one road out.
#include <QApplication>
#include <QIcon>
#include <QMetaObject>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ORVABluetoothManagerAppDelegate.h"
#include "app/TerminationSignals.h"
#include "platform/MainQueue.h"
#include "platform/Process.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "settings/SettingsPages.h"
#include "update/UpdateViewController.h"

namespace {

class ApplicationPages : public app::PageFactory {
public:
    std::unique_ptr<app::DeviceSelectionPage> makeDeviceSelection() override {
        return std::make_unique<recognition::DeviceSelectionViewController>();
    }
    std::unique_ptr<app::DeviceRecognitionPage> makeDeviceRecognition() override {
        return std::make_unique<recognition::DeviceRecognitionViewController>();
    }
    std::unique_ptr<app::FirmwarePage> makeFirmwarePage(int32_t mode) override {
        return std::make_unique<update::UpdateViewController>(mode);
    }
    std::unique_ptr<app::DeviceSettingsPage> makeDeviceSettings() override {
        return std::make_unique<settings::DeviceSettingsViewController>();
    }
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSecond() override {
        return std::make_unique<settings::DeviceSettingsSecondViewController>();
    }
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSpeedDial() override {
        return std::make_unique<settings::DeviceSettingsSpeedDialViewController>();
    }
};

}  // namespace

int main(int argc, char** argv) {
    platform::markMainThread();
    platform::setProgramArguments(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELMAR Helmets Device Manager");
    QApplication::setDesktopFileName("velmar-device-manager");
    QApplication::setWindowIcon(QIcon(":/icons/velmar-device-manager.svg"));
    // Only the termination handler ends the program; closing the window asks the controller.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::setMainQueueWaker([] {
        QMetaObject::invokeMethod(qApp, [] { platform::drainMainQueue(); }, Qt::QueuedConnection);
    });
    app::quitEventLoopOnTerminationSignals();

    ApplicationPages pages;
    app::ORVABluetoothManagerAppController controller(pages);
    app::MainWindow window;
    controller.setWindow(&window);
    controller.awakeFromNib();
    window.show();

    app::ORVABluetoothManagerAppDelegate delegate(&window, &controller);
    int status = QApplication::exec();
    delegate.applicationWillTerminate();
    platform::setMainQueueWaker(nullptr);
    return status;
}
