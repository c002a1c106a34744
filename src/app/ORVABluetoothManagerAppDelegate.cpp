#include "app/ORVABluetoothManagerAppDelegate.h"

#include <libusb.h>

#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/Process.h"

namespace app {

ORVABluetoothManagerAppDelegate::ORVABluetoothManagerAppDelegate(MainWindow* window,
                                                                 ORVABluetoothManagerAppController* appController)
    : window_(window), appController_(appController), relaunch_(platform::relaunchSelf) {}

void ORVABluetoothManagerAppDelegate::applicationWillTerminate() {
    const std::string path = ORVABluetoothManagerAppController::configurationFilePath();
    std::string error;
    if (!platform::ensureArchiveFolder())
        platform::logf("configuration: cannot create the folder of %s", path.c_str());
    else if (!platform::writeFileAtomically(path, appController_->archivedConfiguration(), &error))
        platform::logf("configuration not written: %s", error.c_str());

    libusb_exit(nullptr);

    if (appController_->restartToRecover()) relaunch_();
}

}  // namespace app
