// The diagnostic log: blocks in order, version formats by model, tools' outputs under headings.
#include <gtest/gtest.h>

#include "app/DiagnosticLog.h"
#include "platform/Files.h"
#include "platform/ProcessOutput.h"
#include "tests_support/TempDir.h"

using device::ORVABluetoothDeviceData;

namespace {

std::optional<std::string> fakeTools(const std::vector<std::string>& argv) {
    if (argv[0] == "cat") return "NAME=Debian\n";
    if (argv[0] == "uname") return "Linux box 6.1\n";
    if (argv[0] == "lscpu") return "";  // prints nothing: only its heading stays
    if (argv[0] == "lsusb") return "Bus 001 Device 002: ID 3a6e:6838\n";
    return std::nullopt;  // not installed
}

}  // namespace

TEST(DiagnosticLog, NoHeadsetStillGivesEveryBlockInOrder) {
    ORVABluetoothDeviceData data;
    std::string log = app::diagnosticLogText({"Select your device.", false, 0, 0}, data, fakeTools);
    EXPECT_EQ(log,
              "[Manager Information]\nStatus: Select your device.\nVersion: 1.0\n[Device Information]\nRecognized: 0\n"
              "Target Device: 0000\nUSB Status: 0000\nRecognized Device: 0000\nBD Address: (null)\nDevice Name: (null)\n"
              "Device Version: 0.0\nSecondary Version Type: 0Secondary Version: 0\n\n[Linux Version]\n"
              "NAME=Debian\nLinux box 6.1\n"
              "\n[System Profile - Hardware / Bluetooth / USB]\n"
              "ls: not available on this system\nBus 001 Device 002: ID 3a6e:6838\n"
              "\n[/usr/sbin/lsmod]\nlsmod: not available on this system\n");
}

TEST(DiagnosticLog, TwoChipModelsShowBothVersionSets) {
    ORVABluetoothDeviceData data;
    data.setDeviceRecognized(0x4210);
    data.setDeviceVersion01Major(2, 1);
    data.setDeviceSecondaryVersionType01(1);
    data.setDeviceSecondaryVersion01(3);
    data.setDeviceVersion02Major(1, 5);
    data.setBdAddress(std::string("0011223344AB"));
    std::string block = app::diagnosticStateBlock({"Ready", true, 0x4210, 0x4210}, data);
    EXPECT_NE(block.find("Recognized: 1\nTarget Device: 4210\nUSB Status: 4210\nRecognized Device: 4210\n"
                         "BD Address: 0011223344AB\n"),
              std::string::npos);
    EXPECT_NE(block.find("Device Version 01: 2.1\nSecondary Version Type 01: 1Secondary Version 01: 3\n"
                         "Device Version 02: 1.5\nSecondary Version Type 02: 0Secondary Version 02: 0\n\n[Linux Version]\n"),
              std::string::npos);
}

TEST(DiagnosticLog, DefaultNameUsesTheCalendarYearAndWritingReplaces) {
    setenv("TZ", "UTC", 1);
    tzset();
    // 2026-12-31 23:59:58 UTC lies in week 1 of 2027: the name must still say 2026.
    EXPECT_EQ(app::defaultDiagnosticLogName(platform::Date::fromUnix(1798761598)), "20261231235958_DiagnosticLog.qelmdlog");

    test_support::TempDir dir;
    std::string path = dir.path() + "/log.qelmdlog";
    ASSERT_TRUE(app::writeDiagnosticLog(path, "first, longer text"));
    ASSERT_TRUE(app::writeDiagnosticLog(path, "second"));
    auto bytes = platform::readFile(path);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "second");
    EXPECT_FALSE(app::writeDiagnosticLog(dir.path() + "/missing/log.qelmdlog", "x"));
}

TEST(DiagnosticLog, RealToolsRunAndMissingOnesAreReported) {
    EXPECT_EQ(platform::runAndCapture({"printf", "a%sb", "-"}), std::string("a-b"));
    EXPECT_FALSE(platform::runAndCapture({"velmar-no-such-tool"}));
}
