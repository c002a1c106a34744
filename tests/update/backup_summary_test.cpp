// The restore page's reading of a settings backup without a window: compatibility, version
// text, the summary lines of each tab and the summary-line counts, as tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/BackupSummary.h"

namespace {

using device::ORVABluetoothDeviceData;
using update::BackupCheck;
using update::SummaryLineCount;

ORVABluetoothDeviceData backupOf(int32_t major, int32_t minor, int32_t managerMajor = 3, int32_t managerMinor = 1) {
    ORVABluetoothDeviceData b;
    b.setManagerVersionMajor(managerMajor);
    b.setManagerVersionMinor(managerMinor);
    b.setDeviceVersionMajor(major);
    b.setDeviceVersionMinor(minor);
    return b;
}

TEST(BackupSummary, CompatibilityByConnectedHeadset) {
    struct Case {
        int32_t connected, major, minor, managerMajor, managerMinor;
        BackupCheck expected;
    };
    const Case cases[] = {
        {0x4D35, 1, 1, 3, 1, BackupCheck::notCompatible}, {0x4D35, 1, 2, 3, 1, BackupCheck::usable},
        {0x4D35, 2, 0, 3, 1, BackupCheck::usable},        {0x4D55, 1, 1, 3, 1, BackupCheck::notCompatible},
        {0x5070, 4, 1, 3, 1, BackupCheck::notCompatible}, {0x5070, 4, 2, 3, 1, BackupCheck::usable},
        {0x4D30, 3, 9, 3, 1, BackupCheck::notCompatible}, {0x5010, 1, 0, 3, 1, BackupCheck::usable},
        {0x6838, 1, 0, 0, 0, BackupCheck::noFile},        {0x6838, 1, 0, 0, 1, BackupCheck::usable},
    };
    for (const Case& c : cases) {
        const auto b = backupOf(c.major, c.minor, c.managerMajor, c.managerMinor);
        EXPECT_EQ(update::checkBackup(&b, c.connected), c.expected) << std::hex << c.connected << " " << c.major << "." << c.minor;
    }
    EXPECT_EQ(update::checkBackup(nullptr, 0x6838), BackupCheck::noFile);
}

TEST(BackupSummary, VersionTextByModel) {
    auto b = backupOf(2, 1);
    b.setDeviceSecondaryVersionType(1);
    b.setDeviceSecondaryVersion(5);
    EXPECT_EQ(update::restoredVersionText(0x3020, b), "v1.5.2.1");
    auto c = backupOf(1, 2);
    c.setDeviceSecondaryVersion(7);
    EXPECT_EQ(update::restoredVersionText(0x5345, c), "v1.2.7");
    EXPECT_EQ(update::restoredVersionText(0x6838, c), "v1.2");
}

// "label=value" of the written lines, "-" for a line left as it was.
std::vector<std::string> shown(const update::BackupSummaryLines& lines) {
    std::vector<std::string> out;
    for (size_t i = 0; i < 6; ++i)
        out.push_back(lines.labels[i] || lines.values[i] ? lines.labels[i].value_or("?") + "=" + lines.values[i].value_or("?")
                                                         : "-");
    return out;
}

TEST(BackupSummary, BasicLinesByModelAndVersion) {
    struct Case {
        const char* name;
        int32_t model, major, minor;
        std::vector<std::string> lines;
    };
    auto edrOne = [](ORVABluetoothDeviceData b) {
        b.setEdr(1);
        return b;
    };
    const Case cases[] = {
        {"0x4D10 3.9 EDR as stored", 0x4D10, 3, 9,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Enabled", "-", "-", "-"}},
        {"0x4D10 4.0 EDR inverted", 0x4D10, 4, 0,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Disabled",
          "PLC (Packet Loss Concealment):=Disabled", "-", "-"}},
        {"0x5010 4.1 PLC and A2DP", 0x5010, 4, 1,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Disabled",
          "PLC (Packet Loss Concealment):=Disabled", "High Quality A2DP:=Disabled", "-"}},
        {"0x5010 4.2 A2DP moves up", 0x5010, 4, 2,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Disabled",
          "High Quality A2DP:=Disabled", "-", "-"}},
        {"0x5010 5.0 ends with sidetone", 0x5010, 5, 0,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Disabled",
          "High Quality A2DP:=Disabled", "Sidetone:=Disabled", "-"}},
        {"0x5020 5.0 keeps 4.2", 0x5020, 5, 0,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Disabled",
          "High Quality A2DP:=Disabled", "-", "-"}},
        {"0x4D30 4.1 microphone on 6", 0x4D30, 4, 1,
         {"VOX Phone:=Disabled", "VOX Intercom:=Disabled", "EDR (Enhanced Data Rate):=Disabled",
          "PLC (Packet Loss Concealment):=Disabled", "High Quality A2DP:=Disabled", "Microphone Boosting:=Disabled"}},
        {"0x6838 writes nothing", 0x6838, 1, 0, {"-", "-", "-", "-", "-", "-"}},
    };
    for (const Case& c : cases) {
        const auto b = edrOne(backupOf(c.major, c.minor));
        EXPECT_EQ(shown(update::backupSummaryLines(c.model, update::kTabBasic, b, 0)), c.lines) << c.name;
    }
}

TEST(BackupSummary, GenericValueKinds) {
    struct Case {
        int32_t motion, overlay;
        const char* motionText;
        const char* overlayText;
    };
    const Case cases[] = {{1, 0, "Disable", "11"}, {2, 10, "Low", "1"}, {3, 5, "High", "6"}, {4, 1, "4", "10"}};
    for (const Case& c : cases) {
        auto b = backupOf(1, 0);
        b.setBasicSettingFERRIKMotionSensorSensitivity(c.motion);
        b.setBasicSettingFERRIKAudioMultitaskingSensitivity(c.overlay);
        const auto lines = update::backupSummaryLines(0x2030, update::kTabBasic, b, 0);
        EXPECT_EQ(lines.values[2], c.motionText) << c.motion;
        EXPECT_EQ(lines.values[4], c.overlayText) << c.overlay;
    }
    auto b = backupOf(1, 0);
    b.setAudioChannelTimeout(30);
    const auto gain = update::backupSummaryLines(0x5210, update::kTabFMRadio, b, 0);
    EXPECT_EQ(gain.labels[0], "Radio Transmit Gain:");
    EXPECT_EQ(gain.values[1], "30 seconds");
}

TEST(BackupSummary, TabsAModelReactsTo) {
    auto b = backupOf(1, 0);
    b.setSpeedDialAt(0, std::string("0123"));
    b.setSpeedDialAt(1, std::string());
    const auto dials = update::backupSummaryLines(0x6838, update::kTabSpeedDial, b, 0);
    EXPECT_EQ(shown(dials), (std::vector<std::string>{"Speed Dial 1: =0123", "Speed Dial 2: =Empty", "Speed Dial 3: =Empty",
                                                      "-", "-", "-"}));
    // Speed dials without FM, Basic whatever the tab, and Basic only.
    EXPECT_EQ(shown(update::backupSummaryLines(0x2020, update::kTabFMRadio, b, 0))[0], "-");
    EXPECT_EQ(shown(update::backupSummaryLines(0x2010, update::kTabSpeedDial, b, 0))[0], "VOX Phone:=Disabled");
    EXPECT_EQ(shown(update::backupSummaryLines(0x4040, update::kTabSpeedDial, b, 0))[0], "-");
}

TEST(BackupSummary, FMSummaryPresetsAndPadding) {
    auto b = backupOf(1, 0);
    b.setFmRadioRegion(4);
    b.setFmRadioPresetsAt(0, 8750);
    b.setFmRadioPresetsAt(1, 10800);
    b.setFmRadioPresetsAt(9, 9000);
    b.setFmRadioRDS(1);
    const auto ten = update::backupSummaryLines(0x4D10, update::kTabFMRadio, b, 0);
    EXPECT_TRUE(ten.leftAligned);
    EXPECT_EQ(ten.dateLabel, "Radio Region: ");
    EXPECT_EQ(ten.dateValue, "Europe");
    EXPECT_EQ(ten.labels[0], std::string(20, ' ') + "  1:   87.5 MHz");
    EXPECT_EQ(ten.values[0], "  2: 108.0 MHz");
    EXPECT_EQ(ten.labels[1], std::string(20, ' ') + "  3: Empty");
    EXPECT_EQ(ten.values[4], "10:   90.0 MHz");
    EXPECT_EQ(ten.labels[5], "RDS AF (Alternative Frequencies):");
    EXPECT_EQ(ten.values[5], "Enabled");
    const auto six = update::backupSummaryLines(0x6010, update::kTabFMRadio, b, 0);
    EXPECT_EQ(six.dateLabel, "Radio Region:");
    EXPECT_TRUE(six.values[2].has_value());
    EXPECT_FALSE(six.labels[3].has_value());
    EXPECT_FALSE(six.values[4].has_value());
}

TEST(BackupSummary, LineCountsByModelTabAndVersion) {
    struct Case {
        int32_t model, tab, major, minor;
        std::optional<SummaryLineCount> count;
    };
    const Case cases[] = {
        {0x4210, 1, 1, 0, SummaryLineCount{4, true}}, {0x4210, 1, 1, 1, SummaryLineCount{6, true}},
        {0x4210, 2, 1, 1, SummaryLineCount{3, false}}, {0x6838, 1, 1, 0, SummaryLineCount{6, true}},
        {0x6838, 3, 1, 0, SummaryLineCount{6, false}}, {0x6010, 3, 1, 0, SummaryLineCount{4, false}},
        {0x4D10, 1, 3, 9, SummaryLineCount{3, false}}, {0x4D10, 1, 4, 1, SummaryLineCount{6, false}},
        {0x4D10, 1, 4, 2, SummaryLineCount{5, false}}, {0x4D10, 1, 5, 0, SummaryLineCount{6, false}},
        {0x5070, 1, 5, 0, SummaryLineCount{4, false}}, {0x5560, 2, 1, 0, SummaryLineCount{0, false}},
        {0x2120, 4, 1, 0, SummaryLineCount{1, false}}, {0x5345, 1, 1, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto b = backupOf(c.major, c.minor);
        EXPECT_EQ(update::summaryLineCount(c.model, c.tab, &b), c.count) << std::hex << c.model << " tab " << c.tab;
    }
    // Without a record the newest band applies.
    EXPECT_EQ(update::summaryLineCount(0x4210, 1, nullptr), (SummaryLineCount{6, true}));
}

}  // namespace
