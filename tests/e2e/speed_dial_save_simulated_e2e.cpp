// The real program under a virtual X server saving a speed dial into a simulated 0x6042, whose
// dials the recognition reads back from keys 0x37-0x39. The configuration names 0x6042, so the
// start page has it chosen: the keyboard's Next recognizes it; Ctrl+T (device settings) and Ctrl+2
// (the second tab of a 0x6042 without FM radio) reach the speed-dial page; Alt+1 opens dial 1's sheet,
// a number and Enter set it, Alt+Ctrl+S saves. The headset then holds the number under key 0x37
// and the new recognition reads it there before the program is back on the speed-dial page.
// Screenshots of the page and of its sheet are kept in the build folder, one run in English and
// one in Polish; Ctrl+Q ends the program. Every step waits for the program's own state.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "ProgramRun.h"
#include "ScreenShot.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/Hs6042Model.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The middle of the side panel's device settings button (the fourth shown, below the menu bar).
constexpr int kDeviceSettingsButtonX = 115, kDeviceSettingsButtonY = 505;
// The controller's page numbers: the firmware update page follows a recognition from Home.
constexpr int kUpdatePage = 5, kDeviceSettingsPage = 7, kSpeedDialPage = 9;
constexpr uint8_t kReadKey = 0x03, kWriteKey = 0x04, kDial1Key = 0x37, kDial3Key = 0x39;

class SpeedDialEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
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
        ASSERT_NO_FATAL_FAILURE(run.start(data.path(), {{"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"},
                                                        {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    bool waitFor(const std::function<bool()>& done, int tenths) {
        for (int i = 0; i < tenths && !done() && run.program->running(); ++i) std::this_thread::sleep_for(100ms);
        return done();
    }

    // Format A requests of a command for a key: their positions among all requests.
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
    // ignored), then until it has read the dials and handed over to the update page.
    void recognize() {
        const int updatePages = run.pagesShown(kUpdatePage);
        ASSERT_TRUE(run.window->pressUntil("ctrl+Right", [&] { return headset->requestCount() > 0; }))
            << "the recognition did not start\n" << run.trace.text();
        ASSERT_TRUE(waitFor([&] { return recognitions() > 0; }, 900)) << "the program did not recognize the headset";
        ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();
    }

    // Device settings, then its second tab. The side button's Ctrl+T can be lost while the
    // button's title is set after its key: then a click on the button shows the page.
    void openSpeedDialPage() {
        const int settingsPages = run.pagesShown(kDeviceSettingsPage);
        run.window->type("ctrl+t");
        if (!run.waitPageShown(kDeviceSettingsPage, settingsPages, 2s)) {
            run.window->click(kDeviceSettingsButtonX, kDeviceSettingsButtonY);
            ASSERT_TRUE(run.waitPageShown(kDeviceSettingsPage, settingsPages)) << run.trace.text();
        }
        const int speedDialPages = run.pagesShown(kSpeedDialPage);
        ASSERT_TRUE(run.window->pressUntil("ctrl+2", [&] { return run.pagesShown(kSpeedDialPage) > speedDialPages; }))
            << run.trace.text();
    }

    // Alt+n until the dial's sheet (titled with its caption) shows and has the focus.
    std::unique_ptr<e2e::ProgramWindow> openSheet(int dial, const std::string& title) {
        auto sheet = std::make_unique<e2e::ProgramWindow>(run.display->name(), *run.program);
        if (!run.window->pressUntil("alt+" + std::to_string(dial), [&] { return run.window->dialogFocused(); }, 10))
            return nullptr;
        if (!sheet->find(title)) return nullptr;
        return sheet;
    }

    void quit() {
        std::optional<int> exitStatus = run.window->quit();
        ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
        EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    }

    test_support::TempDir data;
    std::shared_ptr<sim::Hs6042Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    e2e::ProgramRun run{data.path() + "/program.log"};
};

TEST_F(SpeedDialEndToEnd, Dial1SavedInto6042AndReadBack) {
    ASSERT_NO_FATAL_FAILURE(start("English"));
    ASSERT_NO_FATAL_FAILURE(recognize());
    ASSERT_NO_FATAL_FAILURE(openSpeedDialPage());
    auto sheet = openSheet(1, "Speed Dial 1");
    if (!sheet) e2e::saveScreen(run.display->name(), VELMAR_SPEED_DIAL_SHEET_SCREENSHOT_FILE);
    ASSERT_TRUE(sheet) << "Alt+1 opened no sheet (the screen is in the screenshot)";
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SPEED_DIAL_SHEET_SCREENSHOT_FILE));

    // The number replaces the selected dial; Enter is the sheet's OK.
    const std::string number = "5551234";
    ASSERT_TRUE(run.window->typeIntoDialog(number, "Return")) << "the sheet did not close";
    const int speedDialPages = run.pagesShown(kSpeedDialPage);
    run.window->type("alt+ctrl+s");

    const std::vector<uint16_t> words(number.begin(), number.end());
    ASSERT_TRUE(waitFor([&] { return headset->key(kDial1Key) == words; }, 200)) << "key 0x37 did not get the number";
    ASSERT_TRUE(waitFor([&] { return recognitions() > 1; }, 600)) << "no second recognition";
    ASSERT_TRUE(run.waitPageShown(kSpeedDialPage, speedDialPages)) << "not back on the page\n" << run.trace.text();
    const std::vector<size_t> writes = requestsOf(kWriteKey, kDial1Key), reads = requestsOf(kReadKey, kDial1Key);
    ASSERT_EQ(writes.size(), 1u);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_GT(reads.back(), writes.front()) << "the new recognition reads the number back";
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SPEED_DIAL_PAGE_SCREENSHOT_FILE));
    ASSERT_NO_FATAL_FAILURE(quit());
}

TEST_F(SpeedDialEndToEnd, ThePageAndTheSheetOfAnEmptyDialInPolish) {
    ASSERT_NO_FATAL_FAILURE(start("Polish"));
    ASSERT_NO_FATAL_FAILURE(recognize());
    ASSERT_NO_FATAL_FAILURE(openSpeedDialPage());
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SPEED_DIAL_PAGE_PL_SCREENSHOT_FILE));
    auto sheet = openSheet(3, "Szybkie wybieranie 3");
    ASSERT_TRUE(sheet) << "Alt+3 opened no sheet";
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SPEED_DIAL_SHEET_PL_SCREENSHOT_FILE));
    ASSERT_TRUE(run.window->typeIntoDialog("", "Escape")) << "Escape did not close the sheet";
    ASSERT_NO_FATAL_FAILURE(quit());
}

}  // namespace
