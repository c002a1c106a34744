// The real program under a virtual X server saving an FM preset into a simulated 0x6042 that its
// configuration names (the selection page preselects it). Driven by its keys: Next until the
// headset is recognized, Ctrl+T (device settings), Ctrl+2 and the tab list's FM entry,
// Shift+Ctrl+1 (preset 1's sheet), a frequency and Return, Alt+Ctrl+S (Save). Key 0x44 then holds
// the new image and the new recognition reads it back. Screenshots of the page and of its sheet
// are kept in the build folder.
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

constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";
constexpr uint16_t kHeadset = 0x6042;
constexpr uint8_t kFmKey = sim::Hs6042Model::kKeyFm;
// The controller's page numbers.
constexpr int kUpdatePage = 5, kDeviceSettingsPage = 7, kFmPage = 8;
// The middle of the side panel's device settings button, and of the open tab list's FM entry
// (the third), in the window's coordinates.
constexpr int kDeviceSettingsButtonX = 115, kDeviceSettingsButtonY = 505;
constexpr int kFmTabEntryX = 700, kFmTabEntryY = 159;
// Typed into preset 1's sheet: on the raster of the headset's region (Australia, odd tenths).
constexpr const char* kTyped = "95.5";
constexpr uint16_t kStored = 9550;

class FmSaveEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        headset = std::make_shared<sim::Hs6042Model>();
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(kHeadset).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        // Only the program talks to the simulator; the X server and tools run as they are.
        unsetenv("LD_PRELOAD");

        // The model chosen in an earlier run: the selection page preselects it.
        platform::KeyedArchiver configuration({kControllerClass});
        configuration.encodeInt32(kHeadset, "keyDeviceTarget");
        const fs::path archive =
            fs::path(data.path()) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
        fs::create_directories(archive);
        ASSERT_TRUE(platform::writeFileAtomically((archive / "VELMARHelmetsDeviceManager.qelmconf").string(),
                                                  configuration.finish()));
        ASSERT_NO_FATAL_FAILURE(run.start(data.path(), {{"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"},
                                                        {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    bool waitFor(const std::function<bool()>& done, int tenths) {
        for (int i = 0; i < tenths && !done() && run.program->running(); ++i) std::this_thread::sleep_for(100ms);
        return done();
    }

    int fmReads() {
        int n = 0;
        for (const auto& r : headset->requests())
            n += r.format == sim::Format::A && r.bytes[1] == 0x03 && r.bytes[2] == kFmKey;
        return n;
    }

    test_support::TempDir data;
    std::shared_ptr<sim::Hs6042Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    e2e::ProgramRun run{data.path() + "/program.log"};
};

TEST_F(FmSaveEndToEnd, PresetTypedInItsSheetIsSavedAndReadBack) {
    e2e::ProgramWindow& window = *run.window;
    const int updatePages = run.pagesShown(kUpdatePage);
    ASSERT_TRUE(window.pressUntil("ctrl+Right", [&] { return headset->requestCount() > 0; }))
        << "the recognition did not start\n" << run.trace.text();
    ASSERT_TRUE(waitFor([&] { return fmReads() > 0; }, 900)) << "the program did not read the FM block";
    ASSERT_TRUE(run.waitPageShown(kUpdatePage, updatePages)) << run.trace.text();

    // Device settings: its side button's key, or the button when the key is lost while the
    // button's title is set after it.
    const int settingsPages = run.pagesShown(kDeviceSettingsPage);
    window.type("ctrl+t");
    if (!run.waitPageShown(kDeviceSettingsPage, settingsPages, 2s)) {
        window.click(kDeviceSettingsButtonX, kDeviceSettingsButtonY);
        ASSERT_TRUE(run.waitPageShown(kDeviceSettingsPage, settingsPages)) << run.trace.text();
    }
    // The FM tab: Ctrl+2 opens the tab list, whose FM entry is clicked (its Shift+Ctrl+F is lost
    // the same way).
    int fmPages = run.pagesShown(kFmPage);
    for (int attempt = 0; attempt < 5 && run.pagesShown(kFmPage) == fmPages; ++attempt) {
        window.type("ctrl+2");
        window.click(kFmTabEntryX, kFmTabEntryY);
        run.waitPageShown(kFmPage, fmPages, 3s);
    }
    ASSERT_GT(run.pagesShown(kFmPage), fmPages) << run.trace.text();

    // Preset 1's sheet, a frequency, Return; then Save.
    ASSERT_TRUE(window.pressUntil("shift+ctrl+1", [&] { return window.dialogFocused(); }, 10))
        << "the preset sheet did not open";
    window.typeIntoFocused(kTyped, "");
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_FM_SHEET_SCREENSHOT_FILE));
    ASSERT_TRUE(window.typeIntoDialog("", "Return")) << "the sheet took the value and closed";
    fmPages = run.pagesShown(kFmPage);
    auto written = [&] {
        auto fm = headset->key(kFmKey);
        return fm && fm->size() == 15 && (*fm)[3] == kStored;
    };
    const int readsBefore = fmReads();
    if (!window.pressUntil("alt+ctrl+s", written, 10)) e2e::saveScreen(run.display->name(), VELMAR_FM_PAGE_SCREENSHOT_FILE);
    ASSERT_TRUE(written()) << "Save did not write preset 1 (the screen is in the page screenshot)";
    ASSERT_TRUE(waitFor([&] { return fmReads() > readsBefore; }, 600)) << "no new recognition read the block";
    ASSERT_TRUE(run.waitPageShown(kFmPage, fmPages)) << "not back on the FM page\n" << run.trace.text();
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_FM_PAGE_SCREENSHOT_FILE));

    const std::vector<uint16_t> held = *headset->key(kFmKey);
    EXPECT_EQ(held[0], 0x66E9) << "the model's magic";
    EXPECT_EQ(held[4], 9010) << "the other presets as they were";
    EXPECT_EQ(held[14], 3) << "the region as it was";

    std::optional<int> exitStatus = window.quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
}

}  // namespace
