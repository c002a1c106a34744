// The real program under a virtual X server, recognizing a simulated 0x6838 headset that this
// process serves to it through umockdev: from the start page (Home, by the keyboard's Next once
// the version check has ended) to the recognition page and its Next, then the firmware update
// page, which reads the loopback server's firmware list; then Ctrl+Q, whose configuration holds
// the recognized model. A screenshot of the update page is kept in the build folder. A run
// ended by SIGTERM while the server holds the list read still ends at once, with its
// configuration written.
#include <gtest/gtest.h>

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
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "tests_support/LoopbackServer.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";

fs::path archiveFolder(const std::string& dataHome) {
    return fs::path(dataHome) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
}

class SimulatedHeadsetEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        headset = std::make_shared<sim::Hs6838Model>();
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        // Only the program talks to the simulator; the X server and tools run as they are.
        unsetenv("LD_PRELOAD");

        // The headset's version 1.2.4, listed in two languages; a test may make the server hold it.
        server.put("Firmware",
                   "AIROHAVELMAR:v1.2:English:velmar/luven_en.img\r\nAIROHAVELMAR:v1.2:French:velmar/luven_fr.img\r\n"
                   "AIROHAVELMAR:4\r\n\r\n",
                   test_support::LoopbackServer::Fault::None, listDelayMs());

        ASSERT_NO_FATAL_FAILURE(
            run.start(data.path(), {{"VELMAR_SERVER_BASE", server.base()}, {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    // How long the server holds the list read.
    virtual int listDelayMs() const { return 0; }

    // Home, then Next: the recognition runs to its last question (bounded).
    bool recognize() {
        // Next is ignored while the start page's version check runs: the first one that counts
        // goes Home to the recognition page, the second starts the recognition. Stop at the
        // headset's first request.
        run.window->pressUntil("ctrl+Right", [&] { return headset->requestCount() > 0; }, 120);
        for (int i = 0; i < 900 && !languagePackAsked() && run.program->running(); ++i)
            std::this_thread::sleep_for(100ms);
        return languagePackAsked();
    }
    // The update page entered after recognition asks for its list (bounded).
    bool listAsked() {
        for (int i = 0; i < 300 && server.requestsFor("Firmware") == 0 && run.program->running(); ++i)
            std::this_thread::sleep_for(50ms);
        return server.requestsFor("Firmware") > 0;
    }

    std::string configurationFile() const {
        return (archiveFolder(data.path()) / "VELMARHelmetsDeviceManager.qelmconf").string();
    }

    // How often the headset has been asked a command with its parameter.
    int requests(uint8_t command, uint8_t parameter) {
        int n = 0;
        for (const auto& r : headset->requests())
            n += r.format == sim::Format::B && r.bytes[2] == command && r.bytes[3] == parameter;
        return n;
    }
    // The language pack is the last thing a recognition of this headset asks.
    bool languagePackAsked() { return requests(0x01, 0x01) > 0; }

    test_support::TempDir data;
    test_support::LoopbackServer server;
    std::shared_ptr<sim::Hs6838Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    e2e::ProgramRun run{data.path() + "/program.log"};
};

TEST_F(SimulatedHeadsetEndToEnd, HomeThenNextRecognizesThe6838AndQuitStoresIt) {
    ASSERT_TRUE(recognize()) << "the program did not recognize the headset";
    // The page's one-second timer hands over to the firmware update page, which reads its list.
    ASSERT_TRUE(listAsked()) << "the update page did not ask for its list";
    EXPECT_EQ(server.lastCacheControl(), "no-cache");
    // The list read ends at the page's next tick. The list's 1.2 carries a secondary number, which
    // this model's rule offers to a headset on 1.2: the offer is declined with Escape.
    ASSERT_TRUE(run.trace.waitFor("update list read ended")) << run.trace.text();
    for (int i = 0; i < 100 && !run.window->dialogFocused() && run.program->running(); ++i)
        std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(run.window->dialogFocused()) << "no offer sheet";
    ASSERT_TRUE(run.window->typeIntoDialog("", "Escape")) << "the offer sheet stayed open";
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SCREENSHOT_FILE));

    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    auto bytes = platform::readFile(configurationFile());
    ASSERT_TRUE(bytes.has_value());
    platform::KeyedUnarchiver stored(*bytes, kControllerClass);
    EXPECT_EQ(stored.decodeInt32ForKey("keyDeviceTarget"), 0x6838);
    EXPECT_EQ(requests(0x03, sim::Hs6838Model::kParameterName), 1) << "one recognition";
    EXPECT_EQ(server.requestsFor("Firmware"), 1) << "one list read";
}

// The server holds the list read far longer than the program may take to end.
class HeldListEndToEnd : public SimulatedHeadsetEndToEnd {
  protected:
    int listDelayMs() const override { return 15000; }
};

TEST_F(HeldListEndToEnd, SigtermDuringTheListReadEndsTheProgramWithItsConfiguration) {
    ASSERT_TRUE(recognize()) << "the program did not recognize the headset";
    ASSERT_TRUE(listAsked()) << "the update page did not ask for its list";
    run.program->signal(SIGTERM);
    std::optional<int> exitStatus = run.program->waitExit(8s);
    ASSERT_TRUE(exitStatus.has_value()) << "SIGTERM did not end the program during the list read";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    auto bytes = platform::readFile(configurationFile());
    ASSERT_TRUE(bytes.has_value()) << "no configuration written";
    platform::KeyedUnarchiver stored(*bytes, kControllerClass);
    EXPECT_EQ(stored.decodeInt32ForKey("keyDeviceTarget"), 0x6838);
}

}  // namespace
