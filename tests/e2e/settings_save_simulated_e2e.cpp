// The real program under a virtual X server saving settings into a simulated headset. Default
// saved into a headset that held other settings: a 0x6838 (its settings in short key 3) and a CSR
// 0x4D10 (its settings word in PS key 654). Recognize by the keyboard's Next, then Ctrl+T (device
// settings), Ctrl+D (Default) and Alt+Ctrl+S (Save): the headset then holds the default words, is
// recognized a second time, and the program is back on the device settings page. And VOX Phone
// turned off on the fixed form of a CSR 0x4D10 by its key (Shift+Alt+H), then Save: the key that
// holds it (PS key 665 below firmware 4.0, bit 0 of the settings word in key 654 from 4.0) keeps
// the new value and the new recognition reads it again, once in English at 5.0 and once in French
// at 3.9. On the 0x6838, a row's information box opened by the keys. Screenshots are kept in the
// build folder; Ctrl+Q ends the program.
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

#include "SettingsProgram.h"
#include "ScreenShot.h"
#include "device/ORVABluetoothDeviceData.h"
#include "platform/KeyedArchive.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/Hs6838Model.h"
#include "sim/SettingBlocksModel.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace {

using namespace std::chrono_literals;
using device::ORVABluetoothDeviceData;
using e2e::kDeviceSettingsPage;
// The title line and the OK button of a message box of size 2, and the Close button of the
// all-settings sheet.
constexpr int kInformationTitleX = 331, kInformationTitleY = 221;

// The model's default record at its firmware, as Default loads it.
ORVABluetoothDeviceData defaultsOf(int32_t model, int32_t major, int32_t minor) {
    ORVABluetoothDeviceData r;
    r.setDeviceRecognized(model);
    r.setDeviceVersionMajor(major, minor);
    return ORVABluetoothDeviceData::makeDefaultDataWithSource(r);
}

// The 0x6838 family's language-pack reads so far: one a recognition.
int languagePackReads(const sim::SettingBlocksModel& headset) {
    int n = 0;
    for (const auto& r : headset.requests()) n += r.format == sim::Format::B && r.bytes[2] == 0x01 && r.bytes[3] == 0x01;
    return n;
}

class SettingsSaveEndToEnd : public e2e::SettingsProgramTest {
  protected:
    // Device settings, Default, Save. The keys reach the shown page in order: Default is loaded
    // before Save reads the form.
    void saveDefaults() {
        ASSERT_NO_FATAL_FAILURE(openDeviceSettings());
        run.window->type("ctrl+d");
        run.window->type("alt+ctrl+s");
    }
};

TEST_F(SettingsSaveEndToEnd, DefaultsSavedInto6838) {
    auto family = std::make_shared<sim::Hs6838Model>();
    auto headset = std::make_shared<sim::SettingBlocksModel>(family);
    const ORVABluetoothDeviceData defaults = defaultsOf(0x6838, 1, 2);  // the family model's firmware
    const std::vector<uint16_t> held = {static_cast<uint16_t>(defaults.basicSettingFERRIK(0) ^ 0x0101),
                                        static_cast<uint16_t>(defaults.basicSettingFERRIK(1) ^ 0x0010), 0x0203};
    headset->setShortBlock(3, held);
    sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
    ASSERT_NO_FATAL_FAILURE(start());

    auto nameReads = [&] {
        int n = 0;
        for (const auto& r : headset->requests())
            n += r.format == sim::Format::B && r.bytes[2] == 0x03 && r.bytes[3] == sim::Hs6838Model::kParameterName;
        return n;
    };
    ASSERT_NO_FATAL_FAILURE(recognize([&] { return headset->requestCount() > 0; },
                                      [&] { return languagePackReads(*headset) > 0; }));
    ASSERT_NO_FATAL_FAILURE(saveDefaults());
    const int settingsPages = run.pagesShown(kDeviceSettingsPage);
    auto written = [&] {
        auto sent = headset->keyRequests();
        return std::any_of(sent.begin(), sent.end(),
                           [](const auto& k) { return k.format == sim::Format::B && k.command == 0x04 && k.key == 3; });
    };
    if (!waitFor(written, 100)) e2e::saveScreen(run.display->name(), VELMAR_SAVED_6838_SCREENSHOT_FILE);
    ASSERT_TRUE(written()) << "Save wrote nothing (the screen is in the screenshot)";
    ASSERT_TRUE(waitFor([&] { return languagePackReads(*headset) > 1; }, 300)) << "no second recognition";
    ASSERT_NO_FATAL_FAILURE(waitBackOnSettings(settingsPages));
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SAVED_6838_SCREENSHOT_FILE));

    EXPECT_EQ(headset->shortBlock(3), (std::vector<uint16_t>{static_cast<uint16_t>(defaults.basicSettingFERRIK(0)),
                                                             static_cast<uint16_t>(defaults.basicSettingFERRIK(1)),
                                                             held[2]}));
    EXPECT_EQ(nameReads(), 2) << "recognized twice";
    ASSERT_NO_FATAL_FAILURE(quit());
}

// The all-settings sheet by Shift+Ctrl+M, its table by Tab, the VOX Sensitivity row (row 4 of
// 0x6838) by the arrows, its information box by Ctrl+I (kept in a screenshot), closed by Return, then
// by Escape, then Ctrl+Q typed into the box: the program quits without asking to save, and nothing
// was written to the headset.
TEST_F(SettingsSaveEndToEnd, InformationOfARowOpenedByTheKeyboard) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6838Model>());
    sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognize([&] { return headset->requestCount() > 0; },
                                      [&] { return languagePackReads(*headset) > 0; }));
    ASSERT_NO_FATAL_FAILURE(openDeviceSettings());
    ASSERT_TRUE(run.window->pressUntil("shift+ctrl+m", [&] { return run.window->dialogFocused(); }))
        << "the all-settings sheet did not open\n" << run.trace.text();
    // The focus starts on row 0; Tab walks the rows' controls down to VOX Sensitivity (row 4).
    run.window->typeIntoFocused("", "Tab Tab Tab Tab ctrl+i");
    ASSERT_TRUE(run.trace.waitFor("message box 12 shown")) << run.trace.text();
    // Kept once the box's title line is drawn (where the page has no words of its own).
    EXPECT_TRUE(e2e::saveScreenOnceTextAt(run.display->name(), VELMAR_ROW_INFORMATION_6838_SCREENSHOT_FILE,
                                          kInformationTitleX, kInformationTitleY, 100, 12));

    // The box has the keys: Return presses its OK, and the sheet has them again; Escape closes the
    // box the next time, and the sheet has them again.
    auto sheetHasTheKeys = [&] { return waitFor([&] { return run.window->focusedWindowSize() == "550x400"; }, 50); };
    auto openTheRowsInformation = [&](int shown) {
        run.window->keysIntoFocused("ctrl+i");
        return run.trace.waitFor("message box 12 shown", shown) &&
               waitFor([&] { return run.window->focusedWindowSize() != "550x400"; }, 50);
    };
    run.window->keysIntoFocused("Return");
    ASSERT_TRUE(run.trace.waitFor("message box closed")) << run.trace.text();
    ASSERT_TRUE(sheetHasTheKeys()) << "the sheet did not have the keys again";
    ASSERT_TRUE(openTheRowsInformation(2)) << "Ctrl+I in the sheet opened no box\n" << run.trace.text();
    run.window->keysIntoFocused("Escape");
    ASSERT_TRUE(run.trace.waitFor("message box closed", 2)) << run.trace.text();
    ASSERT_TRUE(sheetHasTheKeys()) << "the sheet did not have the keys after Escape";

    // Ctrl+Q typed into an open box quits as it does without one.
    ASSERT_TRUE(openTheRowsInformation(3)) << run.trace.text();
    run.window->keysIntoFocused("ctrl+q");
    const std::optional<int> exitStatus = run.program->waitExit(10s);
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q in the information box did not end the program\n"
                                        << run.trace.text();
    EXPECT_EQ(*exitStatus, 0);
    const auto sent = headset->keyRequests();
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), [](const auto& k) { return k.command == 0x04; }))
        << "a setting was written";
}

TEST_F(SettingsSaveEndToEnd, DefaultsSavedIntoCsr4D10) {
    sim::CsrStore store = sim::csrModel(0x4D10);  // firmware 5.0: the settings word
    const ORVABluetoothDeviceData defaults = defaultsOf(0x4D10, 5, 0);
    const uint16_t defaultWord = static_cast<uint16_t>(defaults.getSettings40());
    store.settingsWord = static_cast<uint16_t>(defaultWord ^ 0x000F);  // VOX, EDR and voice prompt flipped
    auto headset = sim::csrFamilyHeadset(store);
    sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{},
                                            std::vector<sim::UsbDevice>{sim::usbDevice(headset)});
    ASSERT_NO_FATAL_FAILURE(start());

    constexpr uint16_t kLastKeyRead = 0x2282;  // the third speed dial ends the settings read
    auto settingsReads = [&] {
        auto keys = headset->keysRead();
        return std::count(keys.begin(), keys.end(), kLastKeyRead);
    };
    ASSERT_NO_FATAL_FAILURE(recognize([&] { return !headset->claimAttempts().empty(); },
                                      [&] { return settingsReads() > 0; }));
    ASSERT_NO_FATAL_FAILURE(saveDefaults());
    const int settingsPages = run.pagesShown(kDeviceSettingsPage);
    auto written = [&] {
        auto keys = headset->keysWritten();
        return std::find(keys.begin(), keys.end(), 0x028E) != keys.end();
    };
    ASSERT_TRUE(waitFor(written, 200)) << "Save wrote nothing";
    ASSERT_TRUE(waitFor([&] { return settingsReads() > 1; }, 600)) << "no second recognition";
    ASSERT_NO_FATAL_FAILURE(waitBackOnSettings(settingsPages));
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_SAVED_CSR_SCREENSHOT_FILE));

    // The VOX and EDR bits come from the model's defaults; settings that the defaults leave as
    // the headset had them keep their bits.
    auto word = headset->key(0x028E);
    ASSERT_TRUE(word.has_value());
    ASSERT_EQ(word->size(), 2u);
    EXPECT_EQ((*word)[0] & 0x0007, defaultWord & 0x0007);
    EXPECT_EQ((*word)[1], 0);
    auto keys = headset->keysWritten();
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0x00EF), defaults.edr() != 1 ? 1 : 0)
        << "EDR is written only when it differs";
    ASSERT_NO_FATAL_FAILURE(quit());
}

// ---- the fixed form of a CSR 0x4D10 ---------------------------------------------------------------

constexpr uint16_t kSettingsWordKey = 0x028E;  // 654
constexpr uint16_t kVoxPhoneKey = 0x0299;      // 665

struct FormRun {
    const char* name;
    int versionCode;       // major * 10 + minor
    const char* language;  // the configuration's interface language
    const char* screenshot;
};
void PrintTo(const FormRun& r, std::ostream* os) { *os << r.name; }

class SettingsFormEndToEnd : public SettingsSaveEndToEnd, public ::testing::WithParamInterface<FormRun> {
  protected:
    // The configuration the program reads at start: only its interface language.
    void writeLanguage(const std::string& language) {
        namespace fs = std::filesystem;
        const fs::path folder = fs::path(data.path()) / "VELMARHelmetsDeviceManager" / "VELMARHelmetsDeviceManagerArchive";
        fs::create_directories(folder);
        platform::KeyedArchiver coder({"ORVABluetoothManagerAppController", "NSObject"});
        coder.encodeString(language, "keyStrLanguageManager");
        const platform::Bytes bytes = coder.finish();
        std::ofstream out(folder / "VELMARHelmetsDeviceManager.qelmconf", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_P(SettingsFormEndToEnd, VoxPhoneOffByItsKeyIsSavedAndReadAgain) {
    const FormRun& form = GetParam();
    const bool legacy = form.versionCode < 40;
    const uint16_t key = legacy ? kVoxPhoneKey : kSettingsWordKey;
    sim::CsrStore store = sim::csrModel(0x4D10);
    store.withVersion(form.versionCode, 1, 2);
    store.settingsWord = 0x0171;          // VOX Phone on (bit 0)
    store.otherKeys[kVoxPhoneKey] = {1};  // on, where the oldest firmware keeps it
    auto headset = sim::csrFamilyHeadset(store);
    sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{},
                                            std::vector<sim::UsbDevice>{sim::usbDevice(headset)});
    writeLanguage(form.language);
    ASSERT_NO_FATAL_FAILURE(start());

    auto readsOfKey = [&] {
        auto keys = headset->keysRead();
        return std::count(keys.begin(), keys.end(), key);
    };
    // The settings read reaches the key that holds VOX Phone.
    ASSERT_NO_FATAL_FAILURE(recognize([&] { return !headset->claimAttempts().empty(); },
                                      [&] { return readsOfKey() > 0; }));
    const long readsBefore = readsOfKey();
    ASSERT_NO_FATAL_FAILURE(openDeviceSettings());
    // The keys reach the shown page in order: VOX Phone is off before Save reads the form.
    run.window->type("shift+alt+h");
    run.window->type("alt+ctrl+s");
    const int settingsPages = run.pagesShown(kDeviceSettingsPage);

    auto written = [&] {
        auto keys = headset->keysWritten();
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    if (!waitFor(written, 200)) e2e::saveScreen(run.display->name(), form.screenshot);
    ASSERT_TRUE(written()) << "Save wrote nothing (the screen is in the screenshot)";
    ASSERT_TRUE(waitFor([&] { return readsOfKey() > readsBefore; }, 600))
        << "the new recognition did not read the key again";
    ASSERT_NO_FATAL_FAILURE(waitBackOnSettings(settingsPages));
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), form.screenshot));

    auto value = headset->key(key);
    ASSERT_TRUE(value.has_value());
    ASSERT_FALSE(value->empty());
    EXPECT_EQ((*value)[0] & (legacy ? 0xFFFF : 0x0001), 0) << "VOX Phone is still on";
    ASSERT_NO_FATAL_FAILURE(quit());
}

INSTANTIATE_TEST_SUITE_P(
    Csr4D10, SettingsFormEndToEnd,
    ::testing::Values(FormRun{"English_5_0_settingsWord", 50, "English", VELMAR_FORM_EN_SCREENSHOT_FILE},
                      FormRun{"French_3_9_voxPhoneKey", 39, "French", VELMAR_FORM_FR_SCREENSHOT_FILE}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
