// The main window's shared parts: status line, side buttons by mode and model, the side panel's
// device texts, shortcut titles, quitting, the server choice and the camera-disk lookup.
#include <QCloseEvent>
#include <filesystem>
#include <fstream>

#include "ShellFixture.h"
#include "platform/Browser.h"
#include "platform/MountedVolumes.h"
#include "platform/Servers.h"

namespace shell_test {
namespace {

using Controller = app::ORVABluetoothManagerAppController;
namespace fs = std::filesystem;

class MainWindowTest : public ShellTest {};

QColor statusBackground(const app::MainWindow& w) { return w.tfStatus->palette().color(QPalette::Window); }

TEST_F(MainWindowTest, StatusLineIsBlueOrOrangeWithBlackText) {
    start();
    controller->setStatus("Ready", false);
    EXPECT_EQ(window->tfStatus->text(), "Ready");
    EXPECT_EQ(statusBackground(*window), QColor(0, 117, 168));
    controller->setStatus("Careful", true);
    EXPECT_EQ(statusBackground(*window), QColor(255, 149, 0));
    EXPECT_EQ(window->tfStatus->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_TRUE(controller->statusWithWarning());

    // A language change shows the stored text of the new language, with the same colour.
    controller->setStrStatus("Prêt", 1);
    controller->setLanguageManager(1);
    controller->updateStatusInManagerLanguage();
    EXPECT_EQ(window->tfStatus->text(), "Prêt");
    EXPECT_EQ(statusBackground(*window), QColor(255, 149, 0));
}

TEST_F(MainWindowTest, DefaultStatusOfFirmwarePagesNamesTheMissingBackupInManagementMode) {
    start();
    controller->setMode(5);
    controller->setUsbStatus(0x7FFF);
    EXPECT_EQ(controller->getStatusDefault(), "Ready for FIRMWARE UPDATE");
    controller->setUsbStatus(0x8000);
    EXPECT_EQ(controller->getStatusDefault(), "Ready for FIRMWARE UPDATE. Cannot make backup firmware");
}

TEST_F(MainWindowTest, RecognitionWithACallerShowsTheCallersTextFirst) {
    start();
    controller->setDeviceTarget(0x6838);
    controller->setDeviceRecognitionWithStatus(true, nullptr, 5);
    EXPECT_EQ(window->tfStatus->text().toStdString(),
              *Controller::qelm_status_success(5, 0, 0) + ". Ready for DEVICE RECOGNITION");
}

struct SideButtonCase {
    const char* name;
    int32_t mode;
    bool recognized;
    int32_t model;
    int32_t usb;
    bool processing;
    // selection, recognition, update, restore, settings
    std::array<bool, 5> enabled;
    int pressed;  // index of the pressed button, -1 none
};

void PrintTo(const SideButtonCase& k, std::ostream* os) { *os << k.name; }

const SideButtonCase kSideButtons[] = {
    {"SelectionPageOnlySelection", 3, false, 0x6838, 0, false, {true, false, false, false, false}, 0},
    {"RecognitionBeforeRecognizing", 4, false, 0x6838, 0, false, {true, true, false, false, false}, 1},
    {"RecognitionAfterRecognizing", 4, true, 0x6838, 0x6838, false, {true, true, true, true, true}, 1},
    {"RecognizedModelWithoutSettings", 4, true, 0x3020, 0x3020, false, {true, true, true, true, false}, 1},
    {"UpdatePageInManagementMode", 5, true, 0x6838, 0x8838, false, {true, true, true, true, false}, 2},
    {"RestorePageOfModelWithoutImage", 6, true, 0x6A01, 0x6A01, false, {true, true, true, true, false}, 3},
    {"SettingsPage", 8, true, 0x6838, 0x6838, false, {true, true, true, true, true}, 4},
    {"ManagerUpdatePage", 2, false, 0x6838, 0, false, {true, false, false, false, false}, -1},
    {"EverythingOffWhileProcessing", 5, true, 0x6838, 0x6838, true, {false, false, false, false, false}, 2},
};

class SideButtons : public MainWindowTest, public ::testing::WithParamInterface<SideButtonCase> {};

TEST_P(SideButtons, FollowModeModelAndProcessing) {
    const SideButtonCase& k = GetParam();
    start();
    controller->setMode(k.mode);
    controller->setRecognized(k.recognized);
    controller->setDeviceTarget(k.model);
    controller->setUsbStatus(k.usb);
    controller->setOnProcessing(k.processing);
    controller->setControls();
    const std::array<app::ORVABluetoothMainButton*, 5> buttons = {
        window->btnDeviceSelection, window->btnDeviceRecognition, window->btnFirmwareUpdate,
        window->btnFirmwareRestore, window->btnDeviceSettings};
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->isEnabled(), k.enabled[i]) << "button " << i;
        EXPECT_EQ(buttons[i]->state(), static_cast<int>(i) == k.pressed ? 1 : 0) << "button " << i;
    }
    EXPECT_TRUE(window->btnFirmwareRestore->isHidden());
    EXPECT_EQ(window->btnDeviceSettings->geometry(), window->btnFirmwareRestore->geometry());
    EXPECT_EQ(window->btnAbout->isEnabled(), !k.processing);
    EXPECT_EQ(window->btnClose->isEnabled(), !k.processing);
}

INSTANTIATE_TEST_SUITE_P(Modes, SideButtons, ::testing::ValuesIn(kSideButtons),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, SidePanelNamesTheRecognizedDevice) {
    start();
    struct Case {
        const char* name;
        int32_t model;
        const char* deviceName;
        std::array<int32_t, 4> main;     // type, major, minor, secondary
        std::array<int32_t, 4> second;   // the "02" set of two-chip models
        const char* product;
        const char* version;
    };
    const Case cases[] = {
        {"release", 0x6838, "VELMAR LUVEN", {2, 1, 3, 0}, {}, "VELMAR LUVEN", "v1.3"},
        {"secondary", 0x6838, "VELMAR LUVEN", {2, 1, 3, 4}, {}, "VELMAR LUVEN", "v1.3.4"},
        {"candidate", 0x6838, "VELMAR LUVEN", {1, 2, 0, 5}, {}, "VELMAR LUVEN", "v2.0rc5"},
        {"bare candidate", 0x6838, "VELMAR LUVEN", {1, 2, 0, 0}, {}, "VELMAR LUVEN", "v2.0rc"},
        {"other type", 0x6838, "VELMAR LUVEN", {7, 2, 0, 5}, {}, "VELMAR LUVEN", "v2.0"},
        {"name with a version", 0x6838, "LUVEN Pro v1.2", {0, 1, 2, 0}, {}, "LUVEN Pro", "v1.2"},
        {"fixed name", 0x4112, "HOLLIN 2.0", {0, 1, 0, 0}, {}, "Tovrel! Audio HOLLIN2.0", "v1.0"},
        {"always three numbers", 0x5345, "DORSK", {0, 1, 1, 0}, {}, "DORSK", "v1.1.0"},
        {"camera order", 0x3020, "NELVAR", {3, 1, 4, 2}, {}, "NELVAR", "v3.2.1.4"},
        {"two chips alike", 0x4210, "FERRIK", {2, 1, 5, 0}, {2, 1, 5, 0}, "FERRIK", "v1.5"},
        {"two chips differ", 0x4210, "FERRIK", {2, 1, 5, 0}, {1, 1, 6, 2}, "FERRIK", "v1.5 / v1.6rc2"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto& d = controller->data();
        d.setDeviceName(std::string(k.deviceName));
        d.setDeviceSecondaryVersionType(k.main[0]);
        d.setDeviceVersionMajor(k.main[1], k.main[2]);
        d.setDeviceSecondaryVersion(k.main[3]);
        d.setDeviceSecondaryVersionType01(k.main[0]);
        d.setDeviceVersion01Major(k.main[1], k.main[2]);
        d.setDeviceSecondaryVersion01(k.main[3]);
        d.setDeviceSecondaryVersionType02(k.second[0]);
        d.setDeviceVersion02Major(k.second[1], k.second[2]);
        d.setDeviceSecondaryVersion02(k.second[3]);
        controller->setDeviceTarget(k.model);
        controller->setRecognized(true);
        controller->setUsbStatus(k.model);
        controller->setInformationDeviceRecognized();
        EXPECT_EQ(window->lblProduct->text().toStdString(), k.product);
        EXPECT_EQ(window->lblVersion->text().toStdString(), k.version);
        EXPECT_FALSE(window->imgProduct->pixmap().isNull());
    }
}

TEST_F(MainWindowTest, SidePanelWithoutDeviceOrInManagementModeInTheCurrentLanguage) {
    start();
    controller->setInformationDeviceRecognized();
    EXPECT_EQ(window->lblProduct->text(), "No device");
    EXPECT_EQ(window->lblVersion->text(), "recognized");
    controller->setLanguageManager(1);
    controller->setInformationDeviceRecognized();
    EXPECT_EQ(window->lblProduct->text(), "Aucun appareil");
    EXPECT_EQ(window->lblVersion->text(), "n'est reconnu");

    controller->setRecognized(true);
    controller->setUsbStatus(0x8838);
    controller->setLanguageManager(2);
    controller->setInformationDeviceRecognized();
    EXPECT_EQ(window->lblProduct->text(), "Firmware-");
    EXPECT_EQ(window->lblVersion->text(), "Management");

    // Resuming an interrupted camera update names it from the stored versions.
    controller->setDeviceTarget(0x3020);
    controller->setStrRestartDFUFirmwareFile(std::string("/data/NELVAR.img"));
    controller->setDeviceSecondaryVersionTypeRestartDFU(3);
    controller->setDeviceSecondaryVersionRestartDFU(2);
    controller->setDeviceVersionMajorRestartDFU(1);
    controller->setDeviceVersionMinorRestartDFU(4);
    controller->setInformationDeviceRecognized();
    EXPECT_EQ(window->lblProduct->text(), "Orva Nelvar");
    EXPECT_EQ(window->lblVersion->text(), "v3.2.1.4");
}

TEST_F(MainWindowTest, ShortcutTitlesAreTheSameInEveryLanguage) {
    start();
    const std::array<app::ORVABluetoothMainButton*, 5> buttons = {
        window->btnDeviceSelection, window->btnDeviceRecognition, window->btnFirmwareUpdate,
        window->btnFirmwareRestore, window->btnDeviceSettings};
    const std::array<const char*, 5> keys = {"[C]-S", "[C]-R", "[C]-U", "[C]-E", "[C]-T"};
    for (int32_t l = 0; l < 13; ++l) {
        controller->setLanguageManager(l);
        controller->setShowShortcuts(false);
        controller->reflectShortcuts();
        EXPECT_EQ(buttons[0]->text().toStdString(), Controller::qelm_string_mode(3, l));
        EXPECT_EQ(buttons[4]->text().toStdString(), Controller::qelm_string_mode(7, l));
        EXPECT_TRUE(window->lblShortcutsClose->isHidden());
        controller->changeShortcuts();
        for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i]->text().toStdString(), keys[i]) << l;
        EXPECT_FALSE(window->lblShortcutsClose->isHidden());
    }
    controller->setOnProcessing(true);
    controller->changeShortcuts();
    EXPECT_TRUE(controller->showShortcuts()) << "ignored while processing";
}

TEST_F(MainWindowTest, AboutAndStatusDetailsWaitForTheOperationToEnd) {
    start();
    controller->setOnProcessing(true);
    controller->about();
    controller->showStatus();
    platform::drainMainQueue();
    EXPECT_FALSE(window->about().sheetAbout->isVisible());
    EXPECT_FALSE(window->messageBox().sheetMessageBox->isVisible());

    controller->setOnProcessing(false);
    controller->about();
    EXPECT_TRUE(window->about().sheetAbout->isVisible());
    EXPECT_EQ(window->about().sheetAbout->size(), QSize(540, 150));
    EXPECT_TRUE(window->about().tfAbout->text().startsWith("VELMAR Helmets Device Manager Version 1.0"));
    window->about().btnAboutOK->click();
    EXPECT_FALSE(window->about().sheetAbout->isVisible());

    controller->setStatus("Failed to recognize device", true);
    controller->showStatus();
    platform::drainMainQueue();
    EXPECT_EQ(window->messageBox().tfMessageBox->text(), "[WELCOME]\nFailed to recognize device");
    EXPECT_EQ(controller->messageBoxStatus(), 2);
    EXPECT_TRUE(window->messageBox().tfBackGround->isVisible());
    EXPECT_EQ(window->messageBox().sheetMessageBox->width(), 420);
}

TEST_F(MainWindowTest, EveryWayToQuitAsksTheControllerWhichWaitsForTheOperation) {
    start();
    controller->setOnProcessing(true);
    window->btnClose->click();
    window->menuItemQuit->trigger();
    QCloseEvent close;
    QCoreApplication::sendEvent(window.get(), &close);
    EXPECT_FALSE(close.isAccepted()) << "the window never closes by itself";
    EXPECT_EQ(terminateRequests, 0);

    controller->setOnProcessing(false);
    window->btnClose->click();
    window->menuItemQuit->trigger();
    QCoreApplication::sendEvent(window.get(), &close);
    EXPECT_EQ(terminateRequests, 3);
}

// A shown box or sheet never holds the way out: the quit closes them first, and a box that waits
// its turn is dropped instead of opening on the way out.
TEST_F(MainWindowTest, QuitWithABoxOpenClosesItFirst) {
    start();
    int boxesShownAtQuit = -1;
    controller->setTerminateHandler([&] {
        ++terminateRequests;
        boxesShownAtQuit = window->messageBox().sheetMessageBox->isVisible() + window->about().sheetAbout->isVisible();
    });
    controller->openMessageBoxWithMessage("Save?", false, std::string("No"), std::string("Yes"), 0, 4);
    controller->openMessageBoxWithMessage("waits its turn", false, std::nullopt, std::string("OK"), 0, 2);
    platform::drainMainQueue();
    ASSERT_TRUE(window->messageBox().sheetMessageBox->isVisible());

    QCloseEvent close;
    QCoreApplication::sendEvent(window.get(), &close);
    EXPECT_EQ(terminateRequests, 1);
    EXPECT_EQ(boxesShownAtQuit, 0);
    EXPECT_EQ(controller->messageBoxStatus(), 0);
    platform::drainMainQueue();
    EXPECT_FALSE(window->messageBox().sheetMessageBox->isVisible()) << "the waiting box stays closed";
    EXPECT_TRUE(pages.log.empty()) << "closing is no answer to the question";

    controller->about();
    platform::drainMainQueue();
    ASSERT_TRUE(window->about().sheetAbout->isVisible());
    window->menuItemQuit->trigger();
    EXPECT_EQ(terminateRequests, 2);
    EXPECT_EQ(boxesShownAtQuit, 0);
}

TEST_F(MainWindowTest, TimeZonePicksTheServerOfHelpPages) {
    start();
    std::vector<std::string> opened;
    platform::setURLOpenerForTesting([&](const std::string& url) { return opened.push_back(url), true; });
    const char* saved = std::getenv("TZ");
    const std::string restore = saved ? saved : "";
    struct Case {
        const char* zone;
        bool mirror;
    };
    const Case cases[] = {{"Asia/Shanghai", true},  {"Asia/Harbin", true},   {"Asia/Chongqing", true},
                          {"Asia/Kashgar", true},   {"Asia/Urumqi", true},   {"Asia/Tokyo", false},
                          {"Europe/Paris", false},  {":Asia/Urumqi", true},  {"UTC", false}};
    for (const Case& k : cases) {
        setenv("TZ", k.zone, 1);
        EXPECT_EQ(Controller::is_china_server(), k.mirror) << k.zone;
        controller->showOnlineHelp();
        EXPECT_EQ(opened.back(), (k.mirror ? platform::mirrorServerBase() : platform::mainServerBase()) +
                                     "OrvaBluetoothDeviceManagerHelp/Contents/Resources/English/overview.html");
    }
    if (saved) setenv("TZ", restore.c_str(), 1); else unsetenv("TZ");
    platform::setURLOpenerForTesting(std::nullopt);
}

TEST_F(MainWindowTest, CameraDiskIsAWritableRemovableVolumeWithTheModelsMarker) {
    start();
    test_support::TempDir root;
    auto volume = [&](const char* name, const char* marker) {
        fs::path p = fs::path(root.path()) / name;
        fs::create_directories(p / "MISC");
        if (marker) std::ofstream(p / marker) << "x";
        return p.string();
    };
    const std::string readOnly = volume("readonly", "MISC/version.conf");
    const std::string fixed = volume("fixed", "MISC/version.conf");
    const std::string empty = volume("empty", nullptr);
    const std::string camera = volume("camera", "MISC/version.conf");
    platform::setVolumesForTesting(std::vector<platform::Volume>{
        {readOnly, true, false, true}, {fixed, false, true, false}, {empty, true, true, true}, {camera, true, true, true}});

    controller->setDeviceTarget(0x3232);
    EXPECT_EQ(controller->getCameraDiskPath(), camera + "/");
    controller->setDeviceTarget(0x5510);  // its marker is another file
    EXPECT_EQ(controller->getCameraDiskPath(), std::nullopt);
    controller->setDeviceTarget(0x6838);  // no camera
    EXPECT_EQ(controller->getCameraDiskPath(), std::nullopt);
    platform::setVolumesForTesting(std::nullopt);
}

}  // namespace
}  // namespace shell_test
