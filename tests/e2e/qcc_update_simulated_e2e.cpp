// The real program updates a simulated 0x6042 through the window: recognition, then on the update
// page Browse's shortcut, the path of a two-part archive and Update's shortcut. Each part ends in
// the headset, which restarts after each; re-recognition asks its version again; the settings
// backup is in the archive folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

#include "ProgramRun.h"
#include "sim/Hs6042Model.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/FirmwareArchive.h"
#include "tests_support/LoopbackServer.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<unsigned char> partBytes(size_t n, unsigned char seed) {
    std::vector<unsigned char> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(seed + i * 5);
    return out;
}

// The controller's firmware update page, and the trace line of the end of its list read.
constexpr int kUpdatePage = 5;
constexpr const char* kListReadEnded = "update list read ended";

class SimulatedQccUpdateEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        headset = std::make_shared<sim::Hs6042Model>();
        sim::Hs6042Model::Behaviour b;
        b.restartBackMs = e2e::inWorkerSeconds(3000);
        b.newVersion = std::array<uint8_t, 4>{2, 2, 0, 0};
        headset->setBehaviour(b);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6042).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        headset->restartsOn(sim->testbed(), 0, events);
        // The list holds the headset's own version: no offer sheet stands in Browse's way.
        server.put("Firmware", "QCC_VELMAR:v2.1:QCC_VELMAR_v2.1.img\r\n");
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator
    }

    int versionReads() const {
        int n = 0;
        for (const auto& r : headset->requests()) n += r.format == sim::Format::A && r.bytes[1] == 0x01;
        return n;
    }
    template <typename Condition>
    bool waitFor(Condition done, std::chrono::seconds bound) {
        auto end = std::chrono::steady_clock::now() + bound;
        while (!done() && run.program->running() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(100ms);
        return done();
    }

    test_support::TempDir data;
    test_support::LoopbackServer server;
    std::shared_ptr<sim::Hs6042Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    // Declared after the simulator: it stops before the testbed goes, so that a restart it still
    // holds never plugs a device into a removed testbed.
    sim::RealTimeScheduler events;
    e2e::ProgramRun run{data.path() + "/program.log"};
    std::string firmware = data.path() + "/QCC_VELMAR_v2.2.img";
};

TEST_F(SimulatedQccUpdateEndToEnd, UpdateThroughTheWindowWritesBothPartsAndRecognizesAgain) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "QCC_VELMAR v2.2";
    recipe.header_id = 0x6042;
    recipe.layout = test_support::Layout::long_table;
    recipe.parts.clear();
    std::vector<sim::Hs6042Model::Part> expected;
    for (uint8_t type : {1, 2}) {
        test_support::ArchiveEntry e(partBytes(type == 1 ? 5000 : 1019, type));
        e.target = type;
        e.number = type;
        expected.push_back({type, e.data, true, true});
        recipe.parts.push_back(e);
    }
    const auto bytes = test_support::make_archive(recipe);
    std::ofstream(firmware, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    ASSERT_NO_FATAL_FAILURE(
        run.start(data.path(), {{"VELMAR_SERVER_BASE", server.base()},
                                e2e::shortWorkerSeconds(),
                                {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    // Home, then Next, until the headset is asked its version; the update page takes Browse once
    // its list read has ended; the dialog takes the path.
    const int listReads = run.trace.count(kListReadEnded);
    ASSERT_TRUE(run.window->pressUntil("ctrl+Right", [&] { return versionReads() > 0; }, 120)) << "not recognized";
    ASSERT_TRUE(run.trace.waitFor(kListReadEnded, listReads + 1)) << run.trace.text();
    ASSERT_TRUE(run.window->pressUntil("ctrl+b", [&] { return run.window->dialogFocused(); }, 20, 3s))
        << "Browse showed no dialog";
    ASSERT_TRUE(run.window->typeIntoDialog(firmware, "Return")) << "the dialog stayed open";
    const int versionAsked = versionReads();
    const int updatePages = run.pagesShown(kUpdatePage);
    // Pressed again until the update starts: a key sent while the file dialog hands the focus back
    // can be lost.
    const int updatesStarted = run.trace.count("update started");
    ASSERT_TRUE(run.window->pressUntil(
        "alt+ctrl+u", [&] { return run.trace.count("update started") > updatesStarted; }, 10, 3s))
        << "Update started nothing\n" << run.trace.text();
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2 && versionReads() > versionAsked; }, 120s))
        << "parts " << headset->parts().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(headset->parts(), expected);
    EXPECT_TRUE(fs::is_regular_file(fs::path(data.path()) / "VELMARHelmetsDeviceManager" /
                                    "VELMARHelmetsDeviceManagerArchive" / "QCC_VELMAR.qelmarch"));
    // Re-recognition ends on the update page.
    ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();
    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
}

}  // namespace
