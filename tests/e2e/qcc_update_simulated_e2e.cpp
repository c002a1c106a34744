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

#include "ChildProcess.h"
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

class SimulatedQccUpdateEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(e2e::onPath("xdotool"));
        headset = std::make_shared<sim::Hs6042Model>();
        sim::Hs6042Model::Behaviour b;
        b.restartBackMs = 3000;
        b.newVersion = std::array<uint8_t, 4>{2, 2, 0, 0};
        headset->setBehaviour(b);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6042).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        headset->restartsOn(sim->testbed(), 0, events);
        server.put("Firmware", "QCC_VELMAR:v2.2:QCC_VELMAR_v2.2.img\r\n");
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator
        display = std::make_unique<e2e::VirtualDisplay>();
        ASSERT_TRUE(display->ready()) << "Xvfb did not start";
    }
    void TearDown() override {
        window.reset();
        program.reset();
    }

    int versionReads() const {
        int n = 0;
        for (const auto& r : headset->requests()) n += r.format == sim::Format::A && r.bytes[1] == 0x01;
        return n;
    }
    template <typename Condition>
    bool waitFor(Condition done, std::chrono::seconds bound) {
        auto end = std::chrono::steady_clock::now() + bound;
        while (!done() && program->running() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(100ms);
        return done();
    }

    test_support::TempDir data;
    test_support::LoopbackServer server;
    sim::RealTimeScheduler events;
    std::shared_ptr<sim::Hs6042Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    std::unique_ptr<e2e::VirtualDisplay> display;
    std::unique_ptr<e2e::ChildProcess> program;
    std::unique_ptr<e2e::ProgramWindow> window;
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

    program = std::make_unique<e2e::ChildProcess>(
        std::vector<std::string>{VELMAR_APP_BINARY},
        std::map<std::string, std::string>{{"DISPLAY", display->name()},
                                           {"QT_QPA_PLATFORM", "xcb"},
                                           {"XDG_DATA_HOME", data.path()},
                                           {"VELMAR_SERVER_BASE", server.base()},
                                           {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}});
    ASSERT_TRUE(program->started());
    window = std::make_unique<e2e::ProgramWindow>(display->name(), *program);
    ASSERT_TRUE(window->find("VELMAR Helmets Device Manager")) << "the window did not show";

    // Home, then Next, until the headset is asked its version.
    for (int i = 0; i < 120 && versionReads() == 0 && program->running(); ++i) {
        window->type("ctrl+Right");
        std::this_thread::sleep_for(700ms);
    }
    ASSERT_TRUE(waitFor([&] { return server.requestsFor("Firmware") > 0; }, 90s)) << "no update page";
    std::this_thread::sleep_for(3s);  // the list read ends
    window->type("ctrl+b");
    std::this_thread::sleep_for(1500ms);
    window->typeIntoFocused(firmware, "Return");
    std::this_thread::sleep_for(1s);
    const int versionAsked = versionReads();
    window->type("alt+ctrl+u");
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2 && versionReads() > versionAsked; }, 120s))
        << "parts " << headset->parts().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(headset->parts(), expected);
    EXPECT_TRUE(fs::is_regular_file(fs::path(data.path()) / "VELMARHelmetsDeviceManager" /
                                    "VELMARHelmetsDeviceManagerArchive" / "QCC_VELMAR.qelmarch"));
    std::this_thread::sleep_for(3s);  // re-recognition ends
    std::optional<int> exitStatus = window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0);
}

}  // namespace
