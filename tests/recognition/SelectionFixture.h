// The shell's test ground with the real selection page in place of its recording stand-in, and a
// loopback firmware server that the page's version check asks.
#pragma once

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "app/ShellFixture.h"
#include "platform/Http.h"
#include "recognition/DeviceSelectionViewController.h"
#include "tests_support/LoopbackServer.h"

namespace selection_test {

class PagesWithSelection : public shell_test::RecordingPages {
  public:
    recognition::DeviceSelectionViewController* page = nullptr;
    std::unique_ptr<app::DeviceSelectionPage> makeDeviceSelection() override {
        auto p = std::make_unique<recognition::DeviceSelectionViewController>();
        page = p.get();
        return p;
    }
};

// Runs the event loop (timers, queued work) until done() or the limit; returns done().
inline bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        platform::drainMainQueue();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

class SelectionTest : public ::testing::Test {
  protected:
    SelectionTest() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
        setenv("TZ", "Europe/Paris", 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([] {});
        page = pages.page;
    }
    ~SelectionTest() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
        unsetenv("VELMAR_SERVER_BASE");
        unsetenv("TZ");
        platform::setHttpSecondForTesting(std::chrono::seconds(1));
    }

    // The start of a run; checkRuns: whether this is the first check of the process.
    void start(bool checkRuns) {
        recognition::DeviceSelectionViewController::setManagerCheckStartedForTesting(!checkRuns);
        controller->awakeFromNib();
        platform::drainMainQueue();
    }
    bool checkFinished() { return page->threadTerminated() && !controller->onProcessing(); }
    // Waits (bounded) for the check's worker, then runs the timer's round at once instead of up to
    // a second later; true when the check has finished.
    bool finishCheck(std::chrono::milliseconds bound = std::chrono::seconds(10)) {
        if (!runUntil([&] { return page->threadTerminated(); }, bound)) return false;
        if (page->timerActive()) page->timerMethodCheckManagerUpdate();
        return checkFinished() && !page->timerActive();
    }

    test_support::TempDir dataHome;
    test_support::LoopbackServer server;
    PagesWithSelection pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    recognition::DeviceSelectionViewController* page = nullptr;
};

}  // namespace selection_test
