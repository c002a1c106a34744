#include "app/ORVABluetoothManagerAppDelegate.h"

#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/Process.h"
#include "transport/CsrBccmdChannel.h"

namespace app {

ORVABluetoothManagerAppDelegate::ORVABluetoothManagerAppDelegate(MainWindow* window,
                                                                 ORVABluetoothManagerAppController* appController)
    : window_(window), appController_(appController), relaunch_(platform::relaunchSelf) {}

void ORVABluetoothManagerAppDelegate::applicationWillTerminate() {
    // First, so that no worker still talks to a headset or writes a page field below.
    threadsStopped_ = appController_->stopPageThreads(kThreadStopWait);
    if (!threadsStopped_) platform::logLine("shutdown: a page's thread is still running");

    const std::string path = ORVABluetoothManagerAppController::configurationFilePath();
    std::string error;
    if (!platform::ensureArchiveFolder())
        platform::logf("configuration: cannot create the folder of %s", path.c_str());
    else if (!platform::writeFileAtomically(path, appController_->archivedConfiguration(), &error))
        platform::logf("configuration not written: %s", error.c_str());

    if (threadsStopped_) csr_usb_exit();  // closes what is open, then libusb_exit

    if (appController_->restartToRecover()) relaunch_();
}

}  // namespace app
