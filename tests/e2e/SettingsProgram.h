// The real program under a virtual X server against a simulated headset, driven by its keys:
// what the settings end-to-end tests share (start, recognition by the keyboard's Next, the device
// settings page and the return to it after a save, quit).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "ProgramRun.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace e2e {

using namespace std::chrono_literals;

// The middle of the side panel's device settings button (the fourth shown, below the menu bar).
constexpr int kDeviceSettingsButtonX = 115, kDeviceSettingsButtonY = 505;
// The controller's page numbers: the firmware update page follows a recognition from Home, and
// device settings is the page Save returns to.
constexpr int kUpdatePage = 5, kDeviceSettingsPage = 7;

class SettingsProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
    }

    void start() {
        ASSERT_TRUE(sim->mocked());
        // Only the program talks to the simulator; the X server and tools run as they are.
        unsetenv("LD_PRELOAD");
        ASSERT_NO_FATAL_FAILURE(run.start(data.path(), {{"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"},
                                                        e2e::shortWorkerSeconds(),
                                                        {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    bool waitFor(const std::function<bool()>& done, int tenths) {
        for (int i = 0; i < tenths && !done() && run.program->running(); ++i) std::this_thread::sleep_for(100ms);
        return done();
    }

    // Next until the recognition has started (presses during the start page's version check or
    // a running recognition are ignored), then until it has read what `recognized` looks for and
    // handed over to the update page.
    void recognize(const std::function<bool()>& begun, const std::function<bool()>& recognized) {
        const int updatePages = run.pagesShown(kUpdatePage);
        ASSERT_TRUE(run.window->pressUntil("ctrl+Right", begun)) << "the recognition did not start\n" << run.trace.text();
        ASSERT_TRUE(waitFor(recognized, 900)) << "the program did not recognize the headset";
        ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();
    }

    // The device settings page. The side button's Ctrl+T can be lost while the button's title is
    // set after its key: then a click on the button shows the page.
    void openDeviceSettings() {
        const int shown = run.pagesShown(kDeviceSettingsPage);
        run.window->type("ctrl+t");
        if (!run.waitPageShown(kDeviceSettingsPage, shown, 2s)) {
            run.window->click(kDeviceSettingsButtonX, kDeviceSettingsButtonY);
            ASSERT_TRUE(run.waitPageShown(kDeviceSettingsPage, shown)) << run.trace.text();
        }
    }

    // The second recognition after the save returns to the device settings page.
    void waitBackOnSettings(int settingsPagesBefore) {
        ASSERT_TRUE(run.waitPageShown(kDeviceSettingsPage, settingsPagesBefore)) << run.trace.text();
    }

    void quit() {
        std::optional<int> exitStatus = run.window->quit();
        ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
        EXPECT_EQ(*exitStatus, 0);
    }

    test_support::TempDir data;
    std::unique_ptr<sim::SimHeadset> sim;
    e2e::ProgramRun run{data.path() + "/program.log"};
};

}  // namespace e2e
