// The real program under a virtual X server, recognizing a simulated CSR headset (0x4D10, a
// model of the firmware-management list, so that the first run's probe finds it) that this
// process serves to it through umockdev. Driven by its keyboard shortcuts: Next on the selection
// page once the version check has ended, Next on the recognition page; after the recognition
// Ctrl+Q, and the configuration written at quit holds the recognized model. A screenshot of the
// screen after the recognition is kept in the build folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "ProgramRun.h"
#include "ScreenShot.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";
constexpr uint16_t kHeadset = 0x4D10;
constexpr int32_t kSelectedBefore = 0x5010;
// The last key the recognition of this headset reads: its third speed dial.
constexpr uint16_t kLastKeyRead = 0x2282;
// The controller's firmware update page, which follows a recognition.
constexpr int kUpdatePage = 5;

class CsrHeadsetEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        headset = sim::csrFamilyHeadset(sim::csrModel(kHeadset));
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{},
                                                std::vector<sim::UsbDevice>{sim::usbDevice(headset)});
        ASSERT_TRUE(sim->mocked());
        // Only the program talks to the simulator; the X server and tools run as they are.
        unsetenv("LD_PRELOAD");

        // A run that had selected another model.
        platform::KeyedArchiver configuration({kControllerClass});
        configuration.encodeInt32(kSelectedBefore, "keyDeviceTarget");
        fs::create_directories(archiveFolder());
        ASSERT_TRUE(platform::writeFileAtomically(configurationFile(), configuration.finish()));

        ASSERT_NO_FATAL_FAILURE(run.start(
            data.path(), {{"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"},
                          e2e::shortWorkerSeconds(),
                          {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    fs::path archiveFolder() const {
        return fs::path(data.path()) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
    }
    std::string configurationFile() const { return (archiveFolder() / "VELMARHelmetsDeviceManager.qelmconf").string(); }

    // The recognition has reached the USB road once the program has claimed the headset.
    bool usbRoadStarted() { return !headset->claimAttempts().empty(); }
    bool recognitionRead() {
        auto keys = headset->keysRead();
        return std::find(keys.begin(), keys.end(), kLastKeyRead) != keys.end();
    }

    test_support::TempDir data;
    std::shared_ptr<sim::CsrFamilyHeadset> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    e2e::ProgramRun run{data.path() + "/program.log"};
};

TEST_F(CsrHeadsetEndToEnd, NextTwiceRecognizesThe4D10AndQuitStoresIt) {
    // Next leaves the selection page once its version check has ended (a press during it is
    // ignored); Next on the recognition page starts the worker, whose USB road follows three
    // one-second HID tries. A press while it runs is ignored too; none is made after it started.
    const int updatePages = run.pagesShown(kUpdatePage);
    ASSERT_TRUE(run.window->pressUntil("ctrl+Right", [&] { return usbRoadStarted(); }, 20, 2s))
        << "the recognition did not reach the USB road\n" << run.trace.text();
    for (int i = 0; i < 900 && !recognitionRead() && run.program->running(); ++i) std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(recognitionRead()) << "the program did not read the headset's settings";
    // The page's one-second timer hands over to the firmware update page.
    ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_CSR_SCREENSHOT_FILE));

    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    auto bytes = platform::readFile(configurationFile());
    ASSERT_TRUE(bytes.has_value());
    platform::KeyedUnarchiver stored(*bytes, kControllerClass);
    EXPECT_EQ(stored.decodeInt32ForKey("keyDeviceTarget"), kHeadset);
    // Recognition reads; it writes nothing into a headset below its power-table threshold.
    EXPECT_TRUE(headset->keysWritten().empty());
    EXPECT_TRUE(headset->claimed().empty()) << "the program let the headset go";
}

}  // namespace
