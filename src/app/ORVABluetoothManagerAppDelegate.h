// The application's delegate: the one termination handler, run however the program ends
// normally (Quit, the close button, a message-box answer, SIGTERM).
#pragma once

#include <functional>

namespace app {

class MainWindow;
class ORVABluetoothManagerAppController;

class ORVABluetoothManagerAppDelegate {
public:
    ORVABluetoothManagerAppDelegate(MainWindow* window, ORVABluetoothManagerAppController* appController);

    MainWindow* window() const { return window_; }
    ORVABluetoothManagerAppController* appController() const { return appController_; }

    // Writes the configuration, shuts the USB library down, then relaunches the program when a
    // firmware operation must be resumed.
    void applicationWillTerminate();

    // How the program starts itself again (tests watch it instead).
    void setRelauncher(std::function<bool()> relaunch) { relaunch_ = std::move(relaunch); }

private:
    MainWindow* window_;
    ORVABluetoothManagerAppController* appController_;
    std::function<bool()> relaunch_;
};

}  // namespace app
