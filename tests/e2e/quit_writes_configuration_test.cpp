// The real program under a virtual X server: it shows its window, and Ctrl+Q (typed with
// xdotool) or SIGTERM ends it the normal way, writing a configuration file that Python's plistlib
// reads as an archive of the controller with the keys of a normal run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "ChildProcess.h"
#include "WindowClose.h"
#include "tests_support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kTitle = "VELMAR Helmets Device Manager";

// Prints the archive's root class and its keys, one per line, sorted.
constexpr const char* kReadArchive = R"PY(
import plistlib, sys
with open(sys.argv[1], 'rb') as f:
    archive = plistlib.load(f)
assert archive['$archiver'] == 'NSKeyedArchiver', archive['$archiver']
objects = archive['$objects']
root = objects[archive['$top']['root'].data]
print(objects[root['$class'].data]['$classname'])
for key in sorted(k for k in root if k != '$class'):
    print(key)
)PY";

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!e2e::onPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(e2e::onPath("xdotool")) << "xdotool is needed to find the window and type";
        display = std::make_unique<e2e::VirtualDisplay>();
        ASSERT_TRUE(display->ready()) << "Xvfb did not start";
        program = std::make_unique<e2e::ChildProcess>(
            std::vector<std::string>{VELMAR_APP_BINARY},
            std::map<std::string, std::string>{{"DISPLAY", display->name()},
                                               {"QT_QPA_PLATFORM", "xcb"},
                                               {"XDG_DATA_HOME", data.path()},
                                               {"VELMAR_SERVER_BASE", "http://127.0.0.1:9/"}});
        ASSERT_TRUE(program->started());
        window = std::make_unique<e2e::ProgramWindow>(display->name(), *program);
        ASSERT_TRUE(window->find(kTitle)) << "the window did not show";
    }

    // The configuration file's root class and keys, as Python's plistlib reads them.
    std::optional<std::string> readConfiguration() {
        const fs::path file = fs::path(data.path()) / "VELMARHelmetsDeviceManager" /
                              "VELMARHelmetsDeviceManagerArchive" / "VELMARHelmetsDeviceManager.qelmconf";
        if (!fs::exists(file)) return std::nullopt;
        const fs::path script = fs::path(data.path()) / "read_archive.py";
        std::FILE* f = std::fopen(script.c_str(), "w");
        if (!f) return std::nullopt;
        std::fputs(kReadArchive, f);
        std::fclose(f);
        return e2e::commandOutput("python3 '" + script.string() + "' '" + file.string() + "'");
    }

    test_support::TempDir data;
    std::unique_ptr<e2e::VirtualDisplay> display;
    std::unique_ptr<e2e::ChildProcess> program;
    std::unique_ptr<e2e::ProgramWindow> window;
};

constexpr const char* kNormalRun =
    "ORVABluetoothManagerAppController\n"
    "keyApplyToLanguageFirmware\nkeyDeviceTarget\nkeyEncrypted\nkeyModeRestartToRecover\n"
    "keyRestartToRecover\nkeyStrLanguageFirmware\nkeyStrLanguageManager\nkeyStrManagerVersion\n";

TEST_F(EndToEnd, CtrlQWritesTheConfigurationOfANormalRun) {
    std::optional<int> exitStatus = window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0);
    EXPECT_EQ(readConfiguration(), kNormalRun);
}

// The About sheet (Ctrl+I) takes the keyboard and blocks the window: Ctrl+Q typed into it, or the
// window manager's close of the window, still ends the run the normal way.
TEST_F(EndToEnd, QuitWithASheetOpenEndsTheRun) {
    for (const std::string way : {"Ctrl+Q in the sheet", "close of the window"}) {
        SCOPED_TRACE(way);
        ASSERT_TRUE(window->pressUntil("ctrl+i", [&] { return window->dialogFocused(); }, 20, 500ms))
            << "About showed no sheet";
        if (way == "Ctrl+Q in the sheet")
            window->keysIntoFocused("ctrl+q");
        else
            ASSERT_TRUE(e2e::askWindowToClose(display->name(), window->id()));
        std::optional<int> exitStatus = program->waitExit(10s);
        ASSERT_TRUE(exitStatus.has_value()) << "the program did not end";
        EXPECT_EQ(*exitStatus, 0);
        EXPECT_EQ(readConfiguration(), kNormalRun);
        fs::remove_all(fs::path(data.path()) / "VELMARHelmetsDeviceManager");
        SetUp();
    }
}

TEST_F(EndToEnd, TerminationSignalEndsTheRunTheSameWay) {
    program->stop();  // SIGTERM
    EXPECT_EQ(program->waitExit(0ms), 0);
    EXPECT_EQ(readConfiguration(), kNormalRun);
}

}  // namespace
