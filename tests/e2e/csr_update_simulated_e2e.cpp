// The real program updates a simulated CSR 0x4D10 through its window, as a user does: recognized,
// then on the update page Browse, the image's path and Update. The first run keeps a backup and
// detaches the headset, which restarts as a real one does and is back in firmware-management mode
// 2.5 s later; the run takes it and ends with code 1. Back, a new recognition that finds the
// headset in that mode, and a second Update download the image, bring the headset back to normal
// mode and end in success. Checked from outside: the image the headset holds, the
// first run's backup left as it was, no resume record in the configuration written on quit, and a
// screenshot. The recognition's and the update's own waits (among them the manifestation wait of
// 50 s) run here with seconds of a tenth, through the program's test setting; the in-process tests
// check their full length on the virtual clock.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <thread>

#include "ProgramRun.h"
#include "ScreenShot.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/DfuImage.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";
constexpr uint16_t kHeadset = 0x4D10;
// The controller's recognition and firmware update pages, and the trace line of the end of its list read.
constexpr int kRecognitionPage = 4, kUpdatePage = 5;
constexpr const char* kListReadEnded = "update list read ended";
// The last key a recognition of this headset in normal mode reads: its third speed dial.
constexpr uint16_t kLastKeyRead = 0x2282;
// When the detached headset is back in firmware-management mode (real time, far below the 60
// passes after which the program tells the user that re-plugging failed).
constexpr int64_t kBackAfterDetachMs = 2'500;

class CsrUpdateEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        headset = sim::csrFamilyHeadset(sim::csrModel(kHeadset));
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{},
                                                std::vector<sim::UsbDevice>{sim::usbDevice(headset)});
        ASSERT_TRUE(sim->mocked());
        // Gone from the bus a moment after the reset (a tenth of it, as the program's seconds).
        headset->restartsAfterDetach(sim->usb(), 0, *events, kBackAfterDetachMs, e2e::inWorkerSeconds(100));
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator

        const auto file = test_support::dfu_image("HEMBRIN#4D10", 3000);  // as the maker tags it
        std::ofstream(firmware, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        image.assign(file.begin(), file.end() - 16);  // without the DFU suffix

        ASSERT_NO_FATAL_FAILURE(
            run.start(data.path(), {{"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"},
                                    e2e::shortWorkerSeconds(),
                                    {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    fs::path archiveFolder() const {
        return fs::path(data.path()) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
    }
    fs::path backupFile() const {
        return archiveFolder() / "HEMBRIN_4D10.qelmarch";
    }

    template <typename Condition>
    bool waitFor(Condition done, std::chrono::seconds bound) {
        auto end = std::chrono::steady_clock::now() + bound;
        while (!done() && run.program->running() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(100ms);
        return done();
    }

    // Next (after Back to the recognition page when asked) until the recognition has begun, then
    // until it hands over to the update page and its list read has ended.
    void recognize(bool back, const std::function<bool()>& begun) {
        const int updatePages = run.pagesShown(kUpdatePage);
        const int listReads = run.trace.count(kListReadEnded);
        const int recognitionPages = run.pagesShown(kRecognitionPage);
        // Back is ignored until the running operation has ended.
        if (back) {
            ASSERT_TRUE(run.window->pressUntil("ctrl+Left", [&] { return run.pagesShown(kRecognitionPage) > recognitionPages; }, 20, 1s))
                << "Back did not reach the recognition page\n" << run.trace.text();
        }
        ASSERT_TRUE(run.window->pressUntil("ctrl+Right", begun, 20, 2s)) << "no recognition\n" << run.trace.text();
        ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();
        ASSERT_TRUE(run.trace.waitFor(kListReadEnded, listReads + 1)) << run.trace.text();
    }

    // Browse, the image's path, Update.
    void startUpdate() {
        ASSERT_TRUE(run.window->pressUntil("ctrl+b", [&] { return run.window->dialogFocused(); }, 20, 3s))
            << "Browse showed no dialog";
        ASSERT_TRUE(run.window->typeIntoDialog(firmware, "Return")) << "the dialog stayed open";
        // Pressed again until the update starts: a key sent while the file dialog hands the focus back
        // can be lost.
        const int updatesStarted = run.trace.count("update started");
        ASSERT_TRUE(run.window->pressUntil(
            "alt+ctrl+u", [&] { return run.trace.count("update started") > updatesStarted; }, 10, 3s))
            << "Update started nothing\n" << run.trace.text();
    }

    test_support::TempDir data;
    std::shared_ptr<sim::CsrFamilyHeadset> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    // Destroyed before the simulator, so that no restart event runs on one that is gone.
    std::unique_ptr<sim::RealTimeScheduler> events = std::make_unique<sim::RealTimeScheduler>();
    e2e::ProgramRun run{data.path() + "/program.log"};
    std::string firmware = data.path() + "/velmar-4d10.dfu";
    std::vector<unsigned char> image;
};

TEST_F(CsrUpdateEndToEnd, DetachThenDownloadThroughTheWindow) {
    const size_t claimsBefore = headset->claimAttempts().size();
    ASSERT_NO_FATAL_FAILURE(recognize(false, [&] { return headset->claimAttempts().size() > claimsBefore; }));
    auto keys = headset->keysRead();
    ASSERT_NE(std::find(keys.begin(), keys.end(), kLastKeyRead), keys.end()) << "not recognized";

    // Run 1: the backup, the detach; the headset, back in firmware-management mode, is taken by
    // the wait and the run ends with code 1, the download left to the next run.
    ASSERT_NO_FATAL_FAILURE(startUpdate());
    ASSERT_TRUE(run.trace.waitFor("update ended", 1, 180s)) << run.trace.text();
    ASSERT_TRUE(fs::exists(backupFile())) << "no backup";
    const auto backup = platform::readFile(backupFile().string());
    ASSERT_TRUE(backup.has_value());
    ASSERT_EQ(run.trace.count("update ended: succeeded 0, code 1"), 1) << run.trace.text();
    EXPECT_TRUE(headset->inDfuMode());
    EXPECT_EQ(headset->dfuDetaches(), 1);
    EXPECT_TRUE(headset->dfuImage().empty()) << "run 1 downloads nothing";

    // Back to the recognition page; the new recognition finds the headset in firmware-management
    // mode; run 2 downloads the image.
    const size_t claimsAfterRun1 = headset->claimAttempts().size();
    ASSERT_NO_FATAL_FAILURE(recognize(true, [&] { return headset->claimAttempts().size() > claimsAfterRun1; }));
    ASSERT_TRUE(headset->inDfuMode());
    ASSERT_NO_FATAL_FAILURE(startUpdate());
    ASSERT_TRUE(run.trace.waitFor("update ended", 2, 180s)) << run.trace.text();
    EXPECT_EQ(run.trace.count("update ended: succeeded 1"), 1) << run.trace.text();
    EXPECT_FALSE(headset->inDfuMode());
    EXPECT_EQ(headset->dfuImage(), image);
    // Success ends the run with the pairing advice, which waits for its OK.
    ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused(); }, 30s)) << "no advice\n" << run.trace.text();
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_CSR_UPDATE_SCREENSHOT_FILE));
    ASSERT_TRUE(run.window->typeIntoDialog("", "Return")) << "the advice stayed open";

    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    EXPECT_EQ(platform::readFile(backupFile().string()), backup) << "run 2 left run 1's backup as it was";
    auto bytes = platform::readFile((archiveFolder() / "VELMARHelmetsDeviceManager.qelmconf").string());
    ASSERT_TRUE(bytes.has_value());
    platform::KeyedUnarchiver stored(*bytes, kControllerClass);
    EXPECT_FALSE(stored.decodeBoolForKey("keyRestartToRecover"));
    EXPECT_FALSE(stored.containsValueForKey("keyStrRestartDFUFirmwareFile"));
    EXPECT_TRUE(headset->claimed().empty()) << "the program let the headset go";
}

}  // namespace
