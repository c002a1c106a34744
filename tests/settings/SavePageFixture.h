// The device settings page on the real controller and an offscreen window, the other pages
// recording what the controller asks of them (the recognition page its caller mode): what the
// save command tests share. A recognized 0x3070 at 2.0 is on the page with one edit made.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ShellFixture.h"
#include "platform/Clock.h"
#include "platform/MainQueue.h"
#include "settings/DeviceSettingsViewController.h"
#include "tests_support/TempDir.h"

namespace settings::testing {

class PagesWithDeviceSettings : public shell_test::RecordingPages {
  public:
    DeviceSettingsViewController* page = nullptr;
    std::unique_ptr<app::DeviceSettingsPage> makeDeviceSettings() override {
        auto p = std::make_unique<DeviceSettingsViewController>();
        page = p.get();
        return p;
    }
};

class SavePageTest : public ::testing::Test {
  protected:
    static constexpr int32_t kModel = 0x3070;
    static constexpr int32_t kEdited = 0x0155;

    SavePageTest() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([] {});
        page = pages.page;
        platform::setClock(&clock);
        controller->awakeFromNib();
        platform::drainMainQueue();
        controller->setDeviceTarget(kModel);
        controller->setRecognized(true);
        controller->setUsbStatus(kModel);
        controller->data().setDeviceRecognized(kModel);
        controller->data().setDeviceVersionMajor(2, 0);
        controller->setDeviceSettingsWithStatus(true);
        platform::drainMainQueue();
        page->dataCurrent().setBasicSetting20At(1, kEdited);
        pages.log.clear();
    }
    ~SavePageTest() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        platform::setClock(nullptr);
        unsetenv("XDG_DATA_HOME");
    }

    // What the 1.0-second timer sees once the worker has stored its code.
    void finishSave() {
        using namespace std::chrono_literals;
        for (int i = 0; i < 2000 && page->rcThreadSave() < 0; ++i) std::this_thread::sleep_for(10ms);
        ASSERT_GE(page->rcThreadSave(), 0) << "the worker did not end";
        page->timerMethodSave();
        platform::drainMainQueue();
    }

    std::string statusLine() const { return window->tfStatus->text().toStdString(); }
    std::string boxText() const { return window->tfMessageBox->text().toStdString(); }

    test_support::TempDir dataHome;
    PagesWithDeviceSettings pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    DeviceSettingsViewController* page = nullptr;
    platform::VirtualClock clock;
};

}  // namespace settings::testing
