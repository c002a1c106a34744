// The real program updates a simulated 0x6838 that this process serves to it through umockdev,
// with the loopback firmware server: recognition, then on the update page Browse's shortcut, the
// firmware path typed into the dialog and Update's shortcut. The archive's blocks end in the
// headset, which restarts after each; re-recognition asks its version again; the backup is in the
// archive folder and the configuration written on quit holds no resume record. A damaged file's
// notice ends the program on its OK. A run ended by SIGTERM while it writes exits 0 within a
// bound, and the next run completes the update.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "Hs6838Session.h"
#include "ProgramRun.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/LoopbackServer.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The controller's firmware update page, and the trace line of the end of its list read.
constexpr int kUpdatePage = 5;
constexpr const char* kListReadEnded = "update list read ended";
constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";

fs::path archiveFolder(const std::string& dataHome) {
    return fs::path(dataHome) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
}

class SimulatedUpdateEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        headset = std::make_shared<sim::Hs6838Model>();
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        headset->restartsOn(sim->testbed(), 0, events, e2e::inWorkerSeconds(6500));
        headset->setAfterRestart(0x00, sim::Answer{0, {1, 3, 0, 0, 0}});
        server.put("Firmware", "AIROHAVELMAR:v1.2:AIROHAVELMAR_v1.2.img\r\n");
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator
    }

    void writeFirmware(size_t blockSize) {
        auto bytes = e2e::twoBlockArchive("AIROHAVELMAR v1.3", 1, blockSize, expected);
        std::ofstream(firmware, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    void start() {
        ASSERT_NO_FATAL_FAILURE(
            run.start(data.path(), {{"VELMAR_SERVER_BASE", server.base()},
                                    e2e::shortWorkerSeconds(),
                                    {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    int requests(uint8_t command, uint8_t parameter) { return e2e::requestsOf(*headset, command, parameter); }
    template <typename Condition>
    bool waitFor(Condition done, std::chrono::seconds bound) {
        return e2e::waitWhileRunning(*run.program, done, bound);
    }

    // From the start page to the update page of the recognized headset, then Browse, the path,
    // Update; the headset takes its first blocks.
    void recognizeAndStartUpdate() {
        ASSERT_NO_FATAL_FAILURE(recognizeAndPressUpdate());
        ASSERT_TRUE(waitFor([&] { return headset->requestCount() > 0 && !headset->blocks().empty(); }, 30s))
            << "the update did not start";
    }

    void recognizeAndPressUpdate() {
        const int languagePacks = requests(0x01, 0x01);
        const int listReads = run.trace.count(kListReadEnded);
        ASSERT_TRUE(run.window->pressUntil("ctrl+Right", [&] { return requests(0x01, 0x01) > languagePacks; }, 120));
        ASSERT_TRUE(waitFor([&] { return requests(0x01, 0x01) > languagePacks; }, 90s)) << "not recognized";
        // The update page takes Browse once its list read has ended; the dialog takes the path.
        ASSERT_TRUE(run.trace.waitFor(kListReadEnded, listReads + 1)) << run.trace.text();
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

    bool noResumeRecord() {
        auto bytes = platform::readFile((archiveFolder(data.path()) / "VELMARHelmetsDeviceManager.qelmconf").string());
        if (!bytes) return false;
        platform::KeyedUnarchiver stored(*bytes, kControllerClass);
        return !stored.decodeBoolForKey("keyRestartToRecover") &&
               !stored.containsValueForKey("keyStrRestartDFUFirmwareFile");
    }

    test_support::TempDir data;
    test_support::LoopbackServer server;
    std::shared_ptr<sim::Hs6838Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    // Declared after the simulator: it stops before the testbed goes, so that a restart it still
    // holds never plugs a device into a removed testbed.
    sim::RealTimeScheduler events;
    e2e::ProgramRun run{data.path() + "/program.log"};
    std::string firmware = data.path() + "/AIROHAVELMAR_v1.3.img";
    std::vector<std::vector<uint8_t>> expected;
};

TEST_F(SimulatedUpdateEndToEnd, UpdateThroughTheWindowWritesTheBlocksAndRecognizesAgain) {
    writeFirmware(3000);
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognizeAndStartUpdate());
    const int versionAsked = requests(0x01, 0x00);
    const int updatePages = run.pagesShown(kUpdatePage);
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2 && requests(0x01, 0x00) > versionAsked; }, 120s))
        << "blocks written " << headset->blocks().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(headset->blocks(), expected);
    EXPECT_TRUE(fs::is_regular_file(archiveFolder(data.path()) / "AIROHAVELMAR.qelmarch"));
    // Re-recognition ends on the update page.
    ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();
    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    EXPECT_TRUE(noResumeRecord());
}

// A damaged file: the notice says the program will restart, and its OK ends the program as a
// normal quit does (status 0, the configuration written); so does Ctrl+Q typed into the notice.
TEST_F(SimulatedUpdateEndToEnd, DamagedFileNoticeEndsTheProgramOnItsOKOrCtrlQ) {
    std::ofstream(firmware, std::ios::binary | std::ios::trunc) << "AIROHAVELMAR v1.3, cut short";
    for (const char* key : {"Return", "ctrl+q"}) {
        SCOPED_TRACE(key);
        const int notices = run.trace.count("message box 8 shown");
        ASSERT_NO_FATAL_FAILURE(start());
        ASSERT_NO_FATAL_FAILURE(recognizeAndPressUpdate());
        ASSERT_TRUE(run.trace.waitFor("message box 8 shown", notices + 1)) << run.trace.text();
        ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused(); }, 10s)) << "the notice has no focus";
        run.window->keysIntoFocused(key);
        std::optional<int> exitStatus = run.program->waitExit(10s);
        ASSERT_TRUE(exitStatus.has_value()) << "the program did not end\n" << run.trace.text();
        EXPECT_EQ(*exitStatus, 0);
        EXPECT_TRUE(noResumeRecord()) << "the configuration is written on the way out";
        fs::remove(archiveFolder(data.path()) / "VELMARHelmetsDeviceManager.qelmconf");
    }
    EXPECT_TRUE(headset->blocks().empty());
}

// The same road by Tab, Shift+Tab and Return alone, as a user without a mouse goes: the start
// page's picture, the recognition page's NEXT (the last stop before the bottom buttons), then on
// the update page Browse, the path typed into the dialog, and UPDATE.
TEST_F(SimulatedUpdateEndToEnd, TabAndReturnAloneLeadFromTheStartPageToAnUpdate) {
    writeFirmware(3000);
    ASSERT_NO_FATAL_FAILURE(start());
    const int recognitionPages = run.pagesShown(4);
    run.window->type("Tab");
    // Return on the picture is ignored until the start's version check has ended.
    ASSERT_TRUE(run.window->pressUntil("Return", [&] { return run.pagesShown(4) > recognitionPages; }, 40))
        << run.trace.text();
    const int languagePacks = requests(0x01, 0x01);
    const int listReads = run.trace.count(kListReadEnded);
    run.window->type("shift+Tab shift+Tab shift+Tab shift+Tab");
    ASSERT_TRUE(run.window->pressUntil("Return", [&] { return requests(0x01, 0x01) > languagePacks; }, 10))
        << "NEXT did not recognize\n" << run.trace.text();
    ASSERT_TRUE(waitFor([&] { return requests(0x01, 0x01) > languagePacks; }, 90s)) << "not recognized";
    ASSERT_TRUE(run.trace.waitFor(kListReadEnded, listReads + 1)) << run.trace.text();
    // The file field, then Browse.
    run.window->type("Tab Tab");
    ASSERT_TRUE(run.window->pressUntil("Return", [&] { return run.window->dialogFocused(); }, 5, 3s))
        << "Browse showed no dialog";
    ASSERT_TRUE(run.window->typeIntoDialog(firmware, "Return")) << "the dialog stayed open";
    // From Browse: Download (the list offers v1.2; it names no voice-prompt languages, so their
    // pop-up is hidden), BACK, then UPDATE.
    const int updatesStarted = run.trace.count("update started");
    run.window->type("Tab Tab Tab");
    ASSERT_TRUE(run.window->pressUntil(
        "Return", [&] { return run.trace.count("update started") > updatesStarted; }, 3, 3s))
        << "UPDATE did not start\n" << run.trace.text();
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2; }, 120s))
        << "blocks written " << headset->blocks().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(headset->blocks(), expected);
}

TEST_F(SimulatedUpdateEndToEnd, TerminatedWhileWritingExitsAndTheNextRunCompletes) {
    writeFirmware(200 * 1024);  // a write phase of several seconds
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognizeAndStartUpdate());
    ASSERT_TRUE(waitFor([&] { return requests(0x06, 58) > 20; }, 30s)) << "no write phase";
    const auto signalled = std::chrono::steady_clock::now();
    ASSERT_TRUE(run.program->running());
    run.program->signal(SIGTERM);
    std::optional<int> exitStatus = run.program->waitExit(15s);
    ASSERT_TRUE(exitStatus.has_value()) << "SIGTERM did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, 15s);
    EXPECT_EQ(headset->restarts(), 0);

    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognizeAndStartUpdate());
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2; }, 180s))
        << "blocks written " << headset->blocks().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(e2e::lastTwoBlocks(*headset), expected);
}

}  // namespace
