// The real program offers newer firmware to a simulated 0x6838 on 1.0: the list offers 1.1 in
// two languages, each with its own archive. Entering the update page opens the offer sheet; the
// second language is chosen by keys, Yes, and the save panel accepted with its preset name
// download that language's archive, which the update then writes to the headset without Update
// being pressed. Re-recognition asks the version again, and the configuration written on quit
// holds the chosen firmware language.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "ChildProcess.h"
#include "Hs6838Session.h"
#include "ScreenShot.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/LoopbackServer.h"
#include "tests_support/TempDir.h"

namespace offer_e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kTitle = "VELMAR Helmets Device Manager";
constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

class OfferEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(e2e::onPath("xdotool"));
        sim::Hs6838Model::Profile onOneZero;
        onOneZero.version = {1, 0, 0, 0, 0};
        headset = std::make_shared<sim::Hs6838Model>(onOneZero);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        headset->restartsOn(sim->testbed(), 0, events, 6500);
        headset->setAfterRestart(0x00, sim::Answer{0, {1, 1, 0, 0, 0}});
        server.put("Firmware",
                   "AIROHAVELMAR:v1.1:English:AIROHAVELMAR_en.img\r\nAIROHAVELMAR:v1.1:French:AIROHAVELMAR_fr.img\r\n");
        server.put("AIROHAVELMAR_en.img", archive(1, english));
        french = archive(7, frenchBlocks);
        server.put("AIROHAVELMAR_fr.img", french);
        fs::create_directories(downloads);
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator
        display = std::make_unique<e2e::VirtualDisplay>();
        ASSERT_TRUE(display->ready()) << "Xvfb did not start";
    }
    void TearDown() override {
        window.reset();
        program.reset();
    }

    static std::string archive(unsigned char seed, std::vector<std::vector<uint8_t>>& blocks) {
        auto bytes = e2e::twoBlockArchive("AIROHAVELMAR v1.1", seed, 3000, blocks);
        return std::string(bytes.begin(), bytes.end());
    }

    void start() {
        program = std::make_unique<e2e::ChildProcess>(
            std::vector<std::string>{VELMAR_APP_BINARY},
            std::map<std::string, std::string>{{"DISPLAY", display->name()},
                                               {"QT_QPA_PLATFORM", "xcb"},
                                               {"HOME", data.path()},
                                               {"XDG_DATA_HOME", data.path()},
                                               {"XDG_CONFIG_HOME", data.path()},
                                               {"VELMAR_SERVER_BASE", server.base()},
                                               {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}});
        ASSERT_TRUE(program->started());
        window = std::make_unique<e2e::ProgramWindow>(display->name(), *program);
        ASSERT_TRUE(window->find(kTitle)) << "the window did not show";
        mainWindow = visibleWindows(kTitle).at(0);
    }

    std::string xdotool() const { return "DISPLAY=" + display->name() + " xdotool "; }
    std::vector<std::string> visibleWindows(const std::string& title) const {
        auto found = e2e::commandOutput(xdotool() + "search --onlyvisible --name '^" + title + "$' 2>/dev/null");
        return found ? lines(*found) : std::vector<std::string>{};
    }
    // The window of the title other than the main window, once it shows (bounded).
    std::optional<std::string> waitForWindow(const std::string& title) {
        for (int i = 0; i < 600 && program->running(); ++i) {
            for (const std::string& id : visibleWindows(title))
                if (id != mainWindow) return id;
            std::this_thread::sleep_for(100ms);
        }
        return std::nullopt;
    }
    void keysInto(const std::string& id, const std::string& keys) {
        e2e::commandOutput(xdotool() + "windowfocus --sync " + id + " key --clearmodifiers " + keys + " 2>/dev/null");
    }

    int requests(uint8_t command, uint8_t parameter) { return e2e::requestsOf(*headset, command, parameter); }
    template <typename Condition>
    bool waitFor(Condition done, std::chrono::seconds bound) {
        return e2e::waitWhileRunning(*program, done, bound);
    }
    // From the start page to the recognized headset's update page (Next until it is recognized).
    void recognize() {
        const int languagePacks = requests(0x01, 0x01);
        for (int i = 0; i < 120 && requests(0x01, 0x01) == languagePacks && program->running(); ++i) {
            window->type("ctrl+Right");
            waitFor([&] { return requests(0x01, 0x01) > languagePacks; }, 1s);
        }
        ASSERT_GT(requests(0x01, 0x01), languagePacks) << "not recognized";
    }
    platform::OptString storedLanguage() {
        auto bytes = platform::readFile((fs::path(data.path()) / "VELMARHelmetsDeviceManager" /
                                         "VELMARHelmetsDeviceManagerArchive" / "VELMARHelmetsDeviceManager.qelmconf")
                                            .string());
        if (!bytes) return std::nullopt;
        return platform::KeyedUnarchiver(*bytes, kControllerClass).decodeStringForKey("keyStrLanguageFirmware");
    }

    test_support::TempDir data;
    std::string downloads = data.path() + "/Downloads";
    test_support::LoopbackServer server;
    sim::RealTimeScheduler events;
    std::shared_ptr<sim::Hs6838Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    std::unique_ptr<e2e::VirtualDisplay> display;
    std::unique_ptr<e2e::ChildProcess> program;
    std::unique_ptr<e2e::ProgramWindow> window;
    std::string mainWindow;
    std::vector<std::vector<uint8_t>> english, frenchBlocks;
    std::string french;
};

TEST_F(OfferEndToEnd, SheetYesDownloadsTheChosenLanguageAndUpdatesTheHeadset) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognize());
    const std::optional<std::string> sheet = waitForWindow(kTitle);
    ASSERT_TRUE(sheet) << "the offer sheet did not open";
    EXPECT_TRUE(e2e::saveScreen(display->name(), VELMAR_OFFER_SCREENSHOT_FILE));

    keysInto(*sheet, "Down");    // the language pop-up has the focus: the second language
    keysInto(*sheet, "Return");  // Yes, the default button
    const std::optional<std::string> panel = waitForWindow("Save As");
    ASSERT_TRUE(panel) << "the save panel did not open";
    keysInto(*panel, "Return");  // its preset name, in the download folder

    ASSERT_TRUE(waitFor([&] { return server.requestsFor("AIROHAVELMAR_fr.img") == 1; }, 30s))
        << "the French archive was not asked for";
    EXPECT_EQ(server.requestsFor("AIROHAVELMAR_en.img"), 0);
    const int versionAsked = requests(0x01, 0x00);
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2 && requests(0x01, 0x00) > versionAsked; }, 120s))
        << "blocks written " << headset->blocks().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(headset->blocks(), frenchBlocks);
    auto saved = platform::readFile(downloads + "/AIROHAVELMAR_fr.img");
    ASSERT_TRUE(saved) << "the download is not where the save panel put it";
    EXPECT_TRUE(std::string(saved->begin(), saved->end()) == french);

    std::optional<int> exitStatus = window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0);
    EXPECT_EQ(storedLanguage(), "French");
}

}  // namespace
}  // namespace offer_e2e
