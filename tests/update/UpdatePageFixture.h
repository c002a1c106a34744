// The update and restore pages on the real controller and an offscreen window, with the data
// folder and the firmware server's base in the test's hands: what the page tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ShellFixture.h"
#include "platform/MainQueue.h"
#include "tests_support/TempDir.h"
#include "update/UpdateViewController.h"

namespace update_page_test {

// A restore page that finds the backup the test gives it (the real backup reading is the
// restore road's).
class PageWithBackup : public update::UpdateViewController {
  public:
    using UpdateViewController::UpdateViewController;
    std::optional<device::ORVABluetoothDeviceData> backup;
    void setBackupInfo() override {
        setDataToUnarchive(backup);
        if (!backup) setRestorePossible(false);
    }
    // The download file cannot be opened once created (root opens any file it may create).
    bool refuseOpen = false;
    std::FILE* openForWriting(const std::string& path) override {
        return refuseOpen ? nullptr : UpdateViewController::openForWriting(path);
    }
};

class PagesWithUpdate : public shell_test::RecordingPages {
  public:
    PageWithBackup* update = nullptr;
    PageWithBackup* restore = nullptr;
    std::unique_ptr<app::FirmwarePage> makeFirmwarePage(int32_t mode) override {
        auto p = std::make_unique<PageWithBackup>(mode);
        (mode == 5 ? update : restore) = p.get();
        return p;
    }
};

// Restores an environment variable when the test ends.
class SavedVariable {
  public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) value_ = v;
    }
    ~SavedVariable() {
        if (value_)
            setenv(name_, value_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> value_;
};

class UpdatePageFixture : public ::testing::Test {
  protected:
    UpdatePageFixture() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        // Nothing may reach a real server: a refused port unless the test serves the lists.
        setenv("VELMAR_SERVER_BASE", "http://127.0.0.1:9/orvabluetoothmanager/", 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([this] { ++terminateRequests; });
        controller->awakeFromNib();
        platform::drainMainQueue();
        pages.log.clear();
    }
    ~UpdatePageFixture() override {
        for (auto* page : {pages.update, pages.restore})
            if (page) page->joinListRead();
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
    }

    // A recognized headset of the model, on the page of the mode (5 or 6).
    PageWithBackup& enter(int32_t mode, int32_t model) {
        controller->setDeviceTarget(model);
        controller->setRecognized(true);
        controller->setUsbStatus(model);
        if (mode == 5)
            controller->setFirmwareUpdateWithStatus(true);
        else
            controller->setFirmwareRestoreWithStatus(true);
        platform::drainMainQueue();
        return mode == 5 ? *pages.update : *pages.restore;
    }
    // What the timer does once the list worker has ended.
    void finishListRead(PageWithBackup& page) {
        page.joinListRead();
        page.timerMethodUpdate();
        platform::drainMainQueue();
    }
    std::string statusLine() { return window->tfStatus->text().toStdString(); }
    std::vector<std::string> popUpItems(PageWithBackup& page) {
        std::vector<std::string> items;
        for (int i = 0; i < page.popUpLanguageFirmware()->count(); ++i)
            items.push_back(page.popUpLanguageFirmware()->itemText(i).toStdString());
        return items;
    }

    SavedVariable savedBase{"VELMAR_SERVER_BASE"};
    SavedVariable savedZone{"TZ"};
    test_support::TempDir dataHome;
    PagesWithUpdate pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    int terminateRequests = 0;
};

}  // namespace update_page_test
