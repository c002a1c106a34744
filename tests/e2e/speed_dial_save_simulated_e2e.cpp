// The real program under a virtual X server saving a speed dial into a simulated 0x6042, whose
// dials the recognition reads back from keys 0x37-0x39. The configuration names 0x6042, so the
// start page has it chosen: the keyboard's Next recognizes it; Ctrl+T (device settings) and Ctrl+2
// (the second tab of a 0x6042 without FM radio) reach the speed-dial page; Alt+1 opens dial 1's sheet,
// a number and Enter set it, Alt+Ctrl+S saves. The headset then holds the number under key 0x37
// and the new recognition reads it there. Screenshots of the page and of its sheet are kept in
// the build folder, one run in English and one in Polish; Ctrl+Q ends the program.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "ChildProcess.h"
#include "ScreenShot.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/Hs6042Model.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kTitle = "VELMAR Helmets Device Manager";
// The middle of the side panel's device settings button (the fourth shown, below the menu bar).
constexpr int kDeviceSettingsButtonX = 115, kDeviceSettingsButtonY = 505;
constexpr uint8_t kReadKey = 0x03, kWriteKey = 0x04, kDial1Key = 0x37, kDial3Key = 0x39;

class SpeedDialEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(e2e::onPath("xdotool"));
        // Without an FM radio the model has two settings tabs: Ctrl+2 is the speed-dial tab.
        sim::Hs6042Model::Profile profile;
        profile.fmRadio = false;
        headset = std::make_shared<sim::Hs6042Model>(profile);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6042).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
    }

    // The run before this one chose 0x6042 and the interface language.
    void writeConfiguration(const std::string& language) {
        const fs::path folder = fs::path(data.path()) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
        ASSERT_TRUE(platform::createFolders(folder.string()));
        platform::KeyedArchiver coder({"ORVABluetoothManagerAppController", "NSObject"});
        coder.encodeString(language, "keyStrLanguageManager");
        coder.encodeInt32(0x6042, "keyDeviceTarget");
        ASSERT_TRUE(platform::writeFileAtomically((folder / "VELMARHelmetsDeviceManager.qelmconf").string(),
                                                  coder.finish()));
    }

    void start(const std::string& language) {
        ASSERT_NO_FATAL_FAILURE(writeConfiguration(language));
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

    // Format A requests of a command for a key, in order: their positions among all requests.
    std::vector<size_t> requestsOf(uint8_t command, uint8_t key) const {
        std::vector<size_t> at;
        const auto all = headset->requests();
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].format == sim::Format::A && all[i].bytes[1] == command && all[i].bytes[2] == key) at.push_back(i);
        return at;
    }
    // The third dial is the last thing a recognition of this headset reads.
    size_t recognitions() const { return requestsOf(kReadKey, kDial3Key).size(); }

    // Next until the recognition has started (presses during the start page's version check are
    // ignored), then until it has read the dials; the recognition page's timer then hands over.
    void recognize() {
        for (int press = 0; press < 8 && headset->requestCount() == 0 && program->running(); ++press) {
            window->type("ctrl+Right");
            waitFor([&] { return headset->requestCount() > 0; }, 150);
        }
        ASSERT_GT(headset->requestCount(), 0u) << "the recognition did not start";
        ASSERT_TRUE(waitFor([&] { return recognitions() > 0; }, 900)) << "the program did not recognize the headset";
        std::this_thread::sleep_for(2500ms);
    }

    // Device settings, then the speed-dial tab from the tab list. The side button's Ctrl+T can be
    // lost while the button's title is set after its key: a click on the button follows, which
    // does nothing more once the page is shown.
    void openSpeedDialPage() {
        window->type("ctrl+t");
        std::this_thread::sleep_for(700ms);
        window->click(kDeviceSettingsButtonX, kDeviceSettingsButtonY);
        std::this_thread::sleep_for(1500ms);
        window->type("ctrl+2");
        std::this_thread::sleep_for(1500ms);
    }

    // The sheet of a dial, found by its title (bounded).
    std::unique_ptr<e2e::ProgramWindow> openSheet(int dial, const std::string& title) {
        window->type("alt+" + std::to_string(dial));
        auto sheet = std::make_unique<e2e::ProgramWindow>(display->name(), *program);
        if (!sheet->find(title)) return nullptr;
        std::this_thread::sleep_for(500ms);  // drawn
        return sheet;
    }

    void quit() {
        std::optional<int> exitStatus = window->quit();
        ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
        EXPECT_EQ(*exitStatus, 0);
    }

    test_support::TempDir data;
    std::shared_ptr<sim::Hs6042Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    std::unique_ptr<e2e::VirtualDisplay> display;
    std::unique_ptr<e2e::ChildProcess> program;
    std::unique_ptr<e2e::ProgramWindow> window;
};

TEST_F(SpeedDialEndToEnd, Dial1SavedInto6042AndReadBack) {
    ASSERT_NO_FATAL_FAILURE(start("English"));
    ASSERT_NO_FATAL_FAILURE(recognize());
    openSpeedDialPage();
    auto sheet = openSheet(1, "Speed Dial 1");
    if (!sheet) e2e::saveScreen(display->name(), VELMAR_SPEED_DIAL_SHEET_SCREENSHOT_FILE);
    ASSERT_TRUE(sheet) << "Alt+1 opened no sheet (the screen is in the screenshot)";
    EXPECT_TRUE(e2e::saveScreen(display->name(), VELMAR_SPEED_DIAL_SHEET_SCREENSHOT_FILE));

    const std::string number = "5551234";
    std::string keys;
    for (char c : number) keys += std::string(1, c) + " ";
    sheet->type(keys + "Return");
    std::this_thread::sleep_for(1000ms);
    window->type("alt+ctrl+s");

    const std::vector<uint16_t> words(number.begin(), number.end());
    ASSERT_TRUE(waitFor([&] { return headset->key(kDial1Key) == words; }, 200)) << "key 0x37 did not get the number";
    ASSERT_TRUE(waitFor([&] { return recognitions() > 1; }, 600)) << "no second recognition";
    const std::vector<size_t> writes = requestsOf(kWriteKey, kDial1Key), reads = requestsOf(kReadKey, kDial1Key);
    ASSERT_EQ(writes.size(), 1u);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_GT(reads.back(), writes.front()) << "the new recognition reads the number back";
    // Back on the speed-dial page, which shows the number read.
    std::this_thread::sleep_for(3000ms);
    EXPECT_TRUE(e2e::saveScreen(display->name(), VELMAR_SPEED_DIAL_PAGE_SCREENSHOT_FILE));
    quit();
}

TEST_F(SpeedDialEndToEnd, ThePageAndTheSheetOfAnEmptyDialInPolish) {
    ASSERT_NO_FATAL_FAILURE(start("Polish"));
    ASSERT_NO_FATAL_FAILURE(recognize());
    openSpeedDialPage();
    EXPECT_TRUE(e2e::saveScreen(display->name(), VELMAR_SPEED_DIAL_PAGE_PL_SCREENSHOT_FILE));
    auto sheet = openSheet(3, "Szybkie wybieranie 3");
    ASSERT_TRUE(sheet) << "Alt+3 opened no sheet";
    EXPECT_TRUE(e2e::saveScreen(display->name(), VELMAR_SPEED_DIAL_SHEET_PL_SCREENSHOT_FILE));
    sheet->type("Escape");
    std::this_thread::sleep_for(500ms);
    quit();
}

}  // namespace
