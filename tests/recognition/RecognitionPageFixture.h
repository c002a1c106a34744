// The recognition page on the real controller and an offscreen window, on a virtual clock: what
// the page tests share.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ShellFixture.h"
#include "platform/Clock.h"
#include "platform/MainQueue.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

namespace recognition_page_test {

class PagesWithRecognition : public shell_test::RecordingPages {
  public:
    recognition::DeviceRecognitionViewController* page = nullptr;
    std::unique_ptr<app::DeviceRecognitionPage> makeDeviceRecognition() override {
        auto p = std::make_unique<recognition::DeviceRecognitionViewController>();
        page = p.get();
        return p;
    }
};

class RecognitionPageFixture : public ::testing::Test {
  protected:
    RecognitionPageFixture() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([] {});
        page = pages.page;
    }
    ~RecognitionPageFixture() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
    }

    static bool simulated() { return sim::HidrawTestbed::preloaded(); }
    // The controller wakes on the virtual clock.
    void wakeController() {
        platform::setClock(&clock);
        controller->awakeFromNib();
        platform::drainMainQueue();
    }
    // What the 1.0-second timer sees once the worker has set its result.
    void finishRecognition() {
        using namespace std::chrono_literals;
        for (int i = 0; i < 2000 && page->threadFields().resultThreadRecognize.load() == 0; ++i)
            std::this_thread::sleep_for(10ms);
        ASSERT_GT(page->threadFields().resultThreadRecognize.load(), 0) << "the worker did not end";
        page->timerMethodRecognize();
        platform::drainMainQueue();
    }
    // What the status line shows.
    std::string statusLine() { return window->tfStatus->text().toStdString(); }

    test_support::TempDir dataHome;
    PagesWithRecognition pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    recognition::DeviceRecognitionViewController* page = nullptr;
    std::unique_ptr<sim::SimHeadset> sim;
    platform::VirtualClock clock;
};

// The page against simulated HID headsets: a short silence limit so that a missing answer fails
// fast, the controller awake on the virtual clock, and every channel closed before the headset goes.
class HidRecognitionPageFixture : public RecognitionPageFixture {
  protected:
    void SetUp() override {
        transport::silenceLimitMs = 300;
        wakeController();
        pages.log.clear();
    }
    void TearDown() override {
        usbhid_close_all();
        sim.reset();
        platform::setClock(nullptr);
        transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
    }

    void plug(std::vector<sim::HidInterface> entries) { sim = std::make_unique<sim::SimHeadset>(std::move(entries)); }
};

}  // namespace recognition_page_test
