// One settings page on the real controller and an offscreen window, the other pages the shell
// tests' recording stand-ins (Pages makes the page under test and keeps it in `page`): what the
// settings pages' tests share.
#pragma once

#include <gtest/gtest.h>

#include <QShortcut>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <type_traits>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ShellFixture.h"
#include "platform/Clock.h"
#include "platform/MainQueue.h"
#include "tests_support/TempDir.h"

namespace settings::testing {

template <class Pages>
class PageOnController : public ::testing::Test {
  protected:
    using Page = std::remove_pointer_t<decltype(Pages::page)>;

    PageOnController() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([] {});
        page = pages.page;
        platform::setClock(&clock);
    }
    ~PageOnController() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        platform::setClock(nullptr);
        unsetenv("XDG_DATA_HOME");
    }

    // The window's first set-up done and the headset recognized: model and firmware in the
    // controller's record.
    void recognizeOnController(int32_t model, int32_t major, int32_t minor) {
        controller->awakeFromNib();
        platform::drainMainQueue();
        controller->setDeviceTarget(model);
        controller->setRecognized(true);
        controller->setUsbStatus(model);
        controller->data().setDeviceRecognized(model);
        controller->data().setDeviceVersionMajor(major, minor);
    }

    // Waits (bounded) for the save worker to store its code; false when it never does.
    bool waitForCode() {
        using namespace std::chrono_literals;
        for (int i = 0; i < 2000 && page->rcThreadSave() < 0; ++i) std::this_thread::sleep_for(10ms);
        return page->rcThreadSave() >= 0;
    }
    // What the 1.0-second timer sees once the worker has stored its code.
    void finishSave() {
        ASSERT_TRUE(waitForCode()) << "the worker did not end";
        page->timerMethodSave();
        platform::drainMainQueue();
    }

    // The page's key equivalent for a key sequence, pressed; false when the page has none.
    bool pressKey(const char* sequence) {
        for (QShortcut* s : page->shortcuts())
            if (s->key() == QKeySequence(QString::fromLatin1(sequence))) {
                emit s->activated();
                return true;
            }
        return false;
    }

    std::string statusLine() const { return window->tfStatus->text().toStdString(); }
    std::string boxText() const { return window->messageBox().tfMessageBox->text().toStdString(); }

    test_support::TempDir dataHome;
    Pages pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    Page* page = nullptr;
    platform::VirtualClock clock;
};

}  // namespace settings::testing
