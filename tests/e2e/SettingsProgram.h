// The real program under a virtual X server against a simulated headset, driven by its keys:
// what the settings end-to-end tests share (start, recognition by the keyboard's Next, the device
// settings page, quit).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace e2e {

using namespace std::chrono_literals;

constexpr const char* kTitle = "VELMAR Helmets Device Manager";
// The middle of the side panel's device settings button (the fourth shown, below the menu bar).
constexpr int kDeviceSettingsButtonX = 115, kDeviceSettingsButtonY = 505;

class SettingsProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(e2e::onPath("xdotool"));
    }

    void start() {
        ASSERT_TRUE(sim->mocked());
        // Only the program talks to the simulator; the X server and tools run as they are.
        unsetenv("LD_PRELOAD");
        display = std::make_unique<e2e::VirtualDisplay>();
        ASSERT_TRUE(display->ready()) << "Xvfb did not start";
        program = std::make_unique<e2e::ChildProcess>(
            std::vector<std::string>{VELMAR_APP_BINARY},
            std::map<std::string, std::string>{{"DISPLAY", display->name()},
                                               {"QT_QPA_PLATFORM", "xcb"},
                                               {"XDG_DATA_HOME", data.path()},
                                               {"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"},
                                               {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}});
        ASSERT_TRUE(program->started());
        window = std::make_unique<e2e::ProgramWindow>(display->name(), *program);
        ASSERT_TRUE(window->find(kTitle)) << "the window did not show";
    }

    bool waitFor(const std::function<bool()>& done, int tenths) {
        for (int i = 0; i < tenths && !done() && program->running(); ++i) std::this_thread::sleep_for(100ms);
        return done();
    }

    // Next until the recognition has started (presses during the start page's version check or
    // a running recognition are ignored), then until it has read what `recognized` looks for.
    void recognize(const std::function<bool()>& begun, const std::function<bool()>& recognized) {
        for (int press = 0; press < 8 && !begun() && program->running(); ++press) {
            window->type("ctrl+Right");
            waitFor(begun, 150);
        }
        ASSERT_TRUE(begun()) << "the recognition did not start";
        ASSERT_TRUE(waitFor(recognized, 900)) << "the program did not recognize the headset";
        // The recognition page's one-second timer hands over.
        std::this_thread::sleep_for(2500ms);
    }

    // The device settings page. The side button's Ctrl+T is lost while the button's title is set
    // after its key (a landed fault the update page's issue mends): Ctrl+T, then a click on the
    // button, which does nothing more once the page is shown.
    void openDeviceSettings() {
        window->type("ctrl+t");
        std::this_thread::sleep_for(700ms);
        window->click(kDeviceSettingsButtonX, kDeviceSettingsButtonY);
        std::this_thread::sleep_for(1500ms);
    }

    void quit() {
        std::optional<int> exitStatus = window->quit();
        ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
        EXPECT_EQ(*exitStatus, 0);
    }

    test_support::TempDir data;
    std::unique_ptr<sim::SimHeadset> sim;
    std::unique_ptr<e2e::VirtualDisplay> display;
    std::unique_ptr<e2e::ChildProcess> program;
    std::unique_ptr<e2e::ProgramWindow> window;
};

}  // namespace e2e
