// The real program under a virtual X server with a simulated CSR 0x4D10: recognize, open device
// settings, turn VOX Phone off on the fixed form by its key (Shift+Alt+H), Save (Alt+Ctrl+S). The
// headset's key then holds VOX Phone off (PS key 665 below firmware 4.0, bit 0 of the settings
// word in key 654 from 4.0), and the new recognition reads that key again. One run in English at
// 5.0, one in French at 3.9; a screenshot of the form after each (kept in the build folder).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "ChildProcess.h"
#include "ScreenShot.h"
#include "platform/KeyedArchive.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kTitle = "VELMAR Helmets Device Manager";
// The middle of the side panel's device settings button (the fourth shown, below the menu bar).
constexpr int kDeviceSettingsButtonX = 115, kDeviceSettingsButtonY = 505;
constexpr uint16_t kSettingsWordKey = 0x028E;  // 654
constexpr uint16_t kVoxPhoneKey = 0x0299;      // 665

struct FormRun {
    const char* name;
    int versionCode;        // major * 10 + minor
    const char* language;   // the configuration's interface language
    const char* screenshot;
};
void PrintTo(const FormRun& r, std::ostream* os) { *os << r.name; }

class SettingsFormEndToEnd : public ::testing::TestWithParam<FormRun> {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(e2e::onPath("xdotool"));
    }

    // The configuration the program reads at start: only its interface language.
    void writeLanguage(const std::string& language) {
        const fs::path folder = fs::path(data.path()) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
        fs::create_directories(folder);
        platform::KeyedArchiver coder({"ORVABluetoothManagerAppController", "NSObject"});
        coder.encodeString(language, "keyStrLanguageManager");
        const platform::Bytes bytes = coder.finish();
        std::ofstream out(folder / "VELMARHelmetsDeviceManager.qelmconf", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    void start() {
        ASSERT_TRUE(sim->mocked());
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

    long readsOf(uint16_t key) const {
        auto keys = headset->keysRead();
        return std::count(keys.begin(), keys.end(), key);
    }

    test_support::TempDir data;
    std::shared_ptr<sim::CsrFamilyHeadset> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    std::unique_ptr<e2e::VirtualDisplay> display;
    std::unique_ptr<e2e::ChildProcess> program;
    std::unique_ptr<e2e::ProgramWindow> window;
};

TEST_P(SettingsFormEndToEnd, VoxPhoneOffByItsKeyIsSavedAndReadAgain) {
    const FormRun& run = GetParam();
    const bool legacy = run.versionCode < 40;
    const uint16_t key = legacy ? kVoxPhoneKey : kSettingsWordKey;
    sim::CsrStore store = sim::csrModel(0x4D10);
    store.withVersion(run.versionCode, 1, 2);
    store.settingsWord = 0x0171;                  // VOX Phone on (bit 0)
    store.otherKeys[kVoxPhoneKey] = {1};          // on, where the oldest firmware keeps it
    headset = sim::csrFamilyHeadset(store);
    sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{},
                                            std::vector<sim::UsbDevice>{sim::usbDevice(headset)});
    writeLanguage(run.language);
    ASSERT_NO_FATAL_FAILURE(start());

    auto begun = [&] { return !headset->claimAttempts().empty(); };
    for (int press = 0; press < 8 && !begun() && program->running(); ++press) {
        window->type("ctrl+Right");
        waitFor(begun, 150);
    }
    ASSERT_TRUE(begun()) << "the recognition did not start";
    // The settings read reaches the key that holds VOX Phone.
    ASSERT_TRUE(waitFor([&] { return readsOf(key) > 0; }, 900)) << "the program did not recognize the headset";
    std::this_thread::sleep_for(2500ms);  // the rest of the read; the recognition page's timer hands over
    const long keyReadsBefore = readsOf(key);

    // Device settings (Ctrl+T, and the side button, whose key a landed fault may lose).
    window->type("ctrl+t");
    std::this_thread::sleep_for(700ms);
    window->click(kDeviceSettingsButtonX, kDeviceSettingsButtonY);
    std::this_thread::sleep_for(1500ms);
    window->type("shift+alt+h");
    std::this_thread::sleep_for(700ms);
    window->type("alt+ctrl+s");

    auto written = [&] {
        auto keys = headset->keysWritten();
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    if (!waitFor(written, 200)) e2e::saveScreen(display->name(), run.screenshot);
    ASSERT_TRUE(written()) << "Save wrote nothing (the screen is in the screenshot)";
    ASSERT_TRUE(waitFor([&] { return readsOf(key) > keyReadsBefore; }, 600))
        << "the new recognition did not read the key again";
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(e2e::saveScreen(display->name(), run.screenshot));

    auto value = headset->key(key);
    ASSERT_TRUE(value.has_value());
    ASSERT_FALSE(value->empty());
    if (legacy) EXPECT_EQ((*value)[0], 0) << "VOX Phone is still on";
    else EXPECT_EQ((*value)[0] & 0x0001, 0) << "VOX Phone is still on";

    std::optional<int> exitStatus = window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Csr4D10, SettingsFormEndToEnd,
    ::testing::Values(FormRun{"English_5_0_settingsWord", 50, "English", VELMAR_FORM_EN_SCREENSHOT_FILE},
                      FormRun{"French_3_9_voxPhoneKey", 39, "French", VELMAR_FORM_FR_SCREENSHOT_FILE}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
