// The speed-dial page on the real controller and an offscreen window, the other pages recording
// what the controller asks of them (the recognition page its caller mode). A recognized 0x6042
// at 2.1 whose record holds dials 1 and 2; dial 3 is empty. The page is open (mode 9).
#pragma once

#include <gtest/gtest.h>

#include <QShortcut>
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
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "tests_support/TempDir.h"

namespace settings::testing {

class PagesWithSpeedDial : public shell_test::RecordingPages {
  public:
    DeviceSettingsSpeedDialViewController* page = nullptr;
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSpeedDial() override {
        auto p = std::make_unique<DeviceSettingsSpeedDialViewController>();
        page = p.get();
        return p;
    }
};

class SpeedDialPageTest : public ::testing::Test {
  protected:
    static constexpr int32_t kModel = 0x6042;
    static constexpr const char* kDial1 = "0123456789";
    static constexpr const char* kDial2 = "+4412345";

    SpeedDialPageTest() {
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
        device::ORVABluetoothDeviceData& d = controller->data();
        d.setDeviceRecognized(kModel);
        d.setDeviceVersionMajor(2, 1);
        d.setSpeedDialAt(0, std::string(kDial1));
        d.setSpeedDialAt(1, std::string(kDial2));
        d.setSpeedDialAt(2, std::string());
        controller->setDeviceSettingsSpeedDialWithStatus(true);
        platform::drainMainQueue();
        pages.log.clear();
    }
    ~SpeedDialPageTest() override {
        page->sheetSpeedDialEdit->hide();
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        platform::setClock(nullptr);
        unsetenv("XDG_DATA_HOME");
    }

    // The dial's button title, the sheet's field.
    std::string title(int dial) const { return page->btnSpeedDials.at(static_cast<size_t>(dial))->text().toStdString(); }
    std::string field() const { return page->tfSpeedDialEdit->text().toStdString(); }
    bool sheetOpen() const { return page->sheetSpeedDialEdit->isVisible(); }
    std::string edited(int dial) const { return page->dataCurrent().speedDialAt(dial).value_or("<none>"); }

    // Opens dial n's sheet (0-2) by its button, puts the text into the field and presses OK.
    void enterDial(int dial, const std::string& text) {
        page->btnSpeedDials.at(static_cast<size_t>(dial))->click();
        page->tfSpeedDialEdit->setText(QString::fromStdString(text));
        page->btnSpeedDialEditOK->click();
    }

    // The page's key equivalent for a key sequence, pressed.
    bool pressKey(const char* sequence) {
        for (QShortcut* s : page->shortcuts()) {
            if (s->key() == QKeySequence(QString::fromLatin1(sequence))) {
                emit s->activated();
                return true;
            }
        }
        return false;
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
    PagesWithSpeedDial pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    DeviceSettingsSpeedDialViewController* page = nullptr;
    platform::VirtualClock clock;
};

}  // namespace settings::testing
