// The real program started as a user would, on a fresh virtual X display, with its trace lines
// kept in a file so that a test can wait for the program's own state. Use with
// ASSERT_NO_FATAL_FAILURE(run.start(...)).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "ChildProcess.h"
#include "ProgramTrace.h"
#include "sim/HidrawTestbed.h"

// What a run of the program on the simulated headset needs, checked first in a fixture's SetUp:
// without the umockdev preload (CTest sets it) or Xvfb the test is skipped; xdotool must be there.
#define VELMAR_NEEDS_SIMULATED_RUN()                                                                       \
    do {                                                                                                    \
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)"; \
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";                                 \
        ASSERT_TRUE(e2e::onPath("xdotool"));                                                                \
    } while (false)

namespace e2e {

constexpr const char* kProgramTitle = "VELMAR Helmets Device Manager";

// The recognition's and the firmware update's own waits run with seconds of a tenth in the runs
// that ask for it, through the program's test setting (the in-process tests check the full waits
// on the virtual clock); a simulated headset's restart is timed in the same seconds.
constexpr int kWorkerSecondMs = 100;
inline std::pair<std::string, std::string> shortWorkerSeconds() {
    return {"VELMAR_TEST_WORKER_SECOND_MS", std::to_string(kWorkerSecondMs)};
}
// ms of the program's time in those seconds.
constexpr int64_t inWorkerSeconds(int64_t ms) { return ms * kWorkerSecondMs / 1000; }

class ProgramRun {
public:
    // traceFile collects the standard error of every start, so counts of trace lines go on
    // growing over restarts.
    explicit ProgramRun(const std::string& traceFile) : trace(traceFile) {}

    // Starts the program with XDG_DATA_HOME at dataHome and env added, and waits for its window.
    // A second start ends the earlier run's window first.
    void start(const std::string& dataHome, const std::map<std::string, std::string>& env) {
        // A program that ends at once because it cannot reach its fresh display (an X server
        // that lost its socket to a neighbour's start on a loaded machine) gets a new display;
        // a program that runs without showing its window is a failure.
        for (int attempt = 0; attempt < 3; ++attempt) {
            window.reset();
            program.reset();
            display = std::make_unique<VirtualDisplay>();
            ASSERT_TRUE(display->ready()) << "Xvfb did not start";
            std::map<std::string, std::string> all{
                {"DISPLAY", display->name()}, {"QT_QPA_PLATFORM", "xcb"}, {"XDG_DATA_HOME", dataHome}};
            for (const auto& [k, v] : env) all[k] = v;
            program = std::make_unique<ChildProcess>(std::vector<std::string>{VELMAR_APP_BINARY}, all, trace.file());
            ASSERT_TRUE(program->started());
            window = std::make_unique<ProgramWindow>(display->name(), *program);
            if (window->find(kProgramTitle)) return;
            if (program->running()) break;
        }
        FAIL() << "the window did not show\n" << trace.text();
    }

    // "page N shown" lines so far: the controller writes one each time it shows a page.
    int pagesShown(int mode) const { return trace.count(pageLine(mode)); }
    // Waits (bounded) until page mode has been shown more than `before` times.
    bool waitPageShown(int mode, int before, std::chrono::milliseconds bound = std::chrono::seconds(90)) const {
        return trace.waitFor(pageLine(mode), before + 1, bound);
    }

    ProgramTrace trace;
    std::unique_ptr<VirtualDisplay> display;
    std::unique_ptr<ChildProcess> program;
    std::unique_ptr<ProgramWindow> window;

private:
    static std::string pageLine(int mode) { return "page " + std::to_string(mode) + " shown"; }
};

}  // namespace e2e
