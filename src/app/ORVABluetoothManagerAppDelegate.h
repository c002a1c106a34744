// The application's delegate: the one termination handler, run however the program ends
// normally (Quit, the close button, a message-box answer, SIGTERM).
#pragma once

#include <chrono>
#include <functional>

namespace app {

class MainWindow;
class ORVABluetoothManagerAppController;

class ORVABluetoothManagerAppDelegate {
public:
    ORVABluetoothManagerAppDelegate(MainWindow* window, ORVABluetoothManagerAppController* appController);

    MainWindow* window() const { return window_; }
    ORVABluetoothManagerAppController* appController() const { return appController_; }

    // Stops the pages' threads (bounded), writes the configuration, shuts the USB library down,
    // then relaunches the program when a firmware operation must be resumed.
    void applicationWillTerminate();
    // NO when a page's thread did not end within the shutdown's wait: the USB library was left
    // open under it, and the program must end without running its destructors.
    bool threadsStopped() const { return threadsStopped_; }

    // How long the shutdown waits for the pages' threads.
    static constexpr std::chrono::milliseconds kThreadStopWait{12000};

    // How the program starts itself again (tests watch it instead).
    void setRelauncher(std::function<bool()> relaunch) { relaunch_ = std::move(relaunch); }

private:
    MainWindow* window_;
    ORVABluetoothManagerAppController* appController_;
    std::function<bool()> relaunch_;
    bool threadsStopped_ = true;
};

}  // namespace app
