// A controller with recording stand-in pages, its window (offscreen) and a fresh data folder: the
// ground of the shell's tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/MainQueue.h"
#include "tests_support/TempDir.h"

namespace shell_test {

// The process's application, made on first use. platform: Qt's platform argument for it (for
// example offscreen screens of a given size); false when the application was made before with
// another one, its screens being then another test's.
inline bool ensureQtApplication(const std::string& platform = {}) {
    static std::string madeWith;
    if (QApplication::instance()) return platform.empty() || platform == madeWith;
    madeWith = platform;
    static std::string platformArgument = platform;
    static int argc = platform.empty() ? 1 : 3;
    static char name[] = "app_tests";
    static char option[] = "-platform";
    static char* argv[] = {name, option, platformArgument.data(), nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    return true;
}

// Every call the controller makes on a page, as "<mode>:<operation>".
using CallLog = std::vector<std::string>;

class RecordingSelection : public app::DeviceSelectionPage {
public:
    explicit RecordingSelection(CallLog& log) : log_(log) {}
    void initializeObjectOnStartUp(bool startUp) override { log_.push_back(startUp ? "3:startUp" : "3:init"); }
    void targetDeviceSet(QObject*) override { log_.push_back("3:targetDeviceSet"); }
    QAbstractButton* btnNext() override { return nullptr; }

private:
    CallLog& log_;
};

class RecordingRecognition : public app::DeviceRecognitionPage {
public:
    explicit RecordingRecognition(CallLog& log) : log_(log) {}
    void setCallerMode(int32_t m) override { callerMode_ = m; }
    int32_t callerMode() const override { return callerMode_; }
    void initializeObject() override { log_.push_back("4:init"); }
    void doRecognize(const device::ORVABluetoothDeviceData*) override { log_.push_back("4:doRecognize"); }
    void recognize(QObject*) override { log_.push_back("4:recognize"); }
    void targetDevice(QObject*) override { log_.push_back("4:targetDevice"); }
    QAbstractButton* btnNext() override { return nullptr; }
    QAbstractButton* btnBack() override { return nullptr; }

private:
    CallLog& log_;
    int32_t callerMode_ = 0;
};

class RecordingFirmware : public app::FirmwarePage {
public:
    RecordingFirmware(CallLog& log, int32_t mode) : log_(log), mode_(std::to_string(mode)) {}
    void initializeObjectWithDefaultStatus(bool) override { log_.push_back(mode_ + ":init"); }
    bool restorePossible() const override { return restorePossible_; }
    void readLatest() override {}
    void setControlsFirmwareRestore() override {}
    void moveToNext(QObject*) override { log_.push_back(mode_ + ":moveToNext"); }
    void moveToBack(QObject*) override { log_.push_back(mode_ + ":moveToBack"); }
    QAbstractButton* btnNext() override { return nullptr; }
    QAbstractButton* btnBack() override { return nullptr; }
    int32_t tabCount() const override { return tabCount_; }
    int32_t tabAt(int32_t i) const override { return i < tabCount_ ? i + 1 : 0; }
    int32_t tabIndexSelected() const override { return selected_; }
    void setTabIndexSelected(int32_t i) override { selected_ = i; }
    void setOpenedMessageBox(bool opened) override {
        log_.push_back(mode_ + (opened ? ":openedMessageBox" : ":releasedMessageBox"));
    }
    void endNelvarUpdate() override { log_.push_back(mode_ + ":endNelvarUpdate"); }

    bool restorePossible_ = false;
    int32_t tabCount_ = 0;
    int32_t selected_ = 0;

private:
    CallLog& log_;
    std::string mode_;
};

template <class Base>
class RecordingSettings : public Base {
public:
    RecordingSettings(CallLog& log, int32_t mode) : log_(log), mode_(std::to_string(mode)) {}
    void initializeObject() override { log_.push_back(mode_ + ":init"); }
    void setModeToGo(int32_t m) override {
        if (m != 0) log_.push_back(mode_ + ":setModeToGo " + std::to_string(m));
        modeToGo_ = m;
    }
    bool checkNeedToSave() override {
        log_.push_back(mode_ + ":checkNeedToSave");
        return unsaved;
    }
    void moveToModeToGo() override {
        log_.push_back(mode_ + ":moveToModeToGo");
        this->appController()->setMode(modeToGo_);
        this->appController()->setDetailViewController(modeToGo_ > 100 ? modeToGo_ - 100 : modeToGo_);
    }
    void save(QObject*) override { log_.push_back(mode_ + ":save"); }
    void moveToDeviceSelection(QObject*) override { log_.push_back(mode_ + ":moveToDeviceSelection"); }
    void moveToFirmwareUpdate(QObject*) override { log_.push_back(mode_ + ":moveToFirmwareUpdate"); }
    QAbstractButton* btnNewDevice() override { return nullptr; }
    QAbstractButton* btnBack() override { return nullptr; }

    bool unsaved = false;
    int32_t modeToGo_ = 0;

protected:
    CallLog& log_;
    std::string mode_;
};

class RecordingDeviceSettings : public RecordingSettings<app::DeviceSettingsPage> {
public:
    explicit RecordingDeviceSettings(CallLog& log) : RecordingSettings(log, 7) {}
    bool checkACT() override {
        log_.push_back("7:checkACT");
        return actInRange;
    }
    void moveToSettingToSetting() override { log_.push_back("7:moveToSettingToSetting"); }
    QWidget* sheetDeviceAllSettings() override { return nullptr; }
    void callTableviewReloadDataForOutsideClass() override {}

    bool actInRange = true;
};

class RecordingPages : public app::PageFactory {
public:
    CallLog log;
    RecordingSelection* selection = nullptr;
    RecordingRecognition* recognition = nullptr;
    RecordingFirmware* update = nullptr;
    RecordingFirmware* restore = nullptr;
    RecordingDeviceSettings* settings = nullptr;
    RecordingSettings<app::SettingsPage>* fm = nullptr;
    RecordingSettings<app::SettingsPage>* speedDial = nullptr;

    std::unique_ptr<app::DeviceSelectionPage> makeDeviceSelection() override {
        auto p = std::make_unique<RecordingSelection>(log);
        selection = p.get();
        return p;
    }
    std::unique_ptr<app::DeviceRecognitionPage> makeDeviceRecognition() override {
        auto p = std::make_unique<RecordingRecognition>(log);
        recognition = p.get();
        return p;
    }
    std::unique_ptr<app::FirmwarePage> makeFirmwarePage(int32_t mode) override {
        auto p = std::make_unique<RecordingFirmware>(log, mode);
        (mode == 5 ? update : restore) = p.get();
        return p;
    }
    std::unique_ptr<app::DeviceSettingsPage> makeDeviceSettings() override {
        auto p = std::make_unique<RecordingDeviceSettings>(log);
        settings = p.get();
        return p;
    }
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSecond() override {
        auto p = std::make_unique<RecordingSettings<app::SettingsPage>>(log, 8);
        fm = p.get();
        return p;
    }
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSpeedDial() override {
        auto p = std::make_unique<RecordingSettings<app::SettingsPage>>(log, 9);
        speedDial = p.get();
        return p;
    }
};

// A controller on its window, with the data folder in a temporary directory; nothing read yet.
class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([this] { ++terminateRequests; });
    }
    ~ShellTest() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
    }

    // The start of a run: configuration read, first page shown; the start-up calls are not kept.
    void start() {
        controller->awakeFromNib();
        platform::drainMainQueue();
        pages.log.clear();
    }

    test_support::TempDir dataHome;
    RecordingPages pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    int terminateRequests = 0;
};

}  // namespace shell_test
