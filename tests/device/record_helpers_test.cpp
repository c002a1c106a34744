// Version parsing and comparison, gain levels, FM checks, tab texts and speed-dial conversion.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/MountedVolumes.h"
#include "tests_support/TempDir.h"

using R = device::ORVABluetoothDeviceData;

TEST(RecordHelpers, TransmitGainLevelsAndTexts) {
    struct Case {
        int32_t gain, level;
    } cases[] = {{12, 0}, {13, 1}, {16, 1}, {17, 2}, {0, 1}, {11, 1}, {18, 1}, {-5, 1}};
    for (auto c : cases) EXPECT_EQ(R::getIndexFromRTG(c.gain), c.level) << c.gain;
    EXPECT_EQ(R::getRTGStringFromRTG(17, 8), "высокий");
    EXPECT_EQ(R::getRTGStringFromRTG(12, 1), "Faible");
    EXPECT_EQ(R::getRTGStringFromRTG(12, 13), "Low");  // outside 0..12: English
    EXPECT_EQ(R::getRTGStringFromRTG(14, -1), "Medium");
}

TEST(RecordHelpers, FMPresetValidity) {
    struct Case {
        int32_t region, frequency, result;
    } cases[] = {{1, 8750, 0},  {1, 8770, 0}, {1, 8760, 2},  {1, 10790, 0},
                 {1, 10800, 1}, {1, 8740, 1}, {5, 9500, 0}, {5, 9510, 1}, {0, 7600, 0}, {2, 8755, 2}};
    for (auto c : cases) EXPECT_EQ(R::checkFMPresetValidWithRegion(c.region, c.frequency), c.result) << c.frequency;
}

TEST(RecordHelpers, VersionComparisonsBySign) {
    EXPECT_EQ(R::compareVersionUpToMinorMajor(1, 10, 1, 2), 8);
    EXPECT_EQ(R::compareVersionUpToMinorMajor(2, 0, 1, 9), 1);
    EXPECT_GT(R::compareVersionUpToMinorMajor(1, 2, 7, 1, 2, 3), 0);
    EXPECT_EQ(R::compareVersionUpToMinorMajor(1, 2, 3, 1, 2, 3), 0);

    struct Case {
        int32_t a[4], b[4];
        bool nelvar;
        int expectedSign;
    } cases[] = {
        {{1, 0, 1, 0}, {1, 0, 0, 0}, false, -1},  // a pre-release ranks below a release
        {{1, 0, 2, 0}, {1, 0, 0, 0}, false, +1},
        {{1, 0, 0, 4}, {1, 0, 0, 3}, false, +1},
        {{1, 0, 0, 3}, {1, 0, 0, 3}, false, 0},
        {{1, 1, 1, 0}, {1, 0, 0, 9}, false, +1},
        {{5, 0, 1, 3}, {9, 9, 1, 2}, true, +1},  // the camera's secondary pair decides first
        {{5, 0, 1, 3}, {4, 0, 1, 3}, true, +1},
    };
    for (const auto& c : cases) {
        int32_t r = R::compareVersionMajor(c.a[0], c.a[1], c.a[2], c.a[3], c.b[0], c.b[1], c.b[2], c.b[3], c.nelvar);
        EXPECT_EQ((r > 0) - (r < 0), c.expectedSign);
    }
    EXPECT_LT(R::downGradeFERRIKEVOCompareVersionMajor(1, 0, 9, 2, 1, 0, 0, 3), 0);  // types ignored

    R record;
    record.setDeviceVersionMajor(1, 9);
    EXPECT_LT(record.compareVersionUpToMinorWithMajor(2, 0), 0);
    record.setDeviceRecognized(0x3020);
    record.setDeviceSecondaryVersionType(2);
    EXPECT_GT(record.compareVersionWithVersionMajor(9, 9, 1, 0), 0);  // camera rule from the record's id
}

TEST(RecordHelpers, VersionTextParsing) {
    int32_t major = -1, minor = -1;
    EXPECT_FALSE(R::getVersionFromString("1.2.3", &major, &minor));
    EXPECT_EQ(major, -1);
    EXPECT_TRUE(R::getVersionFromString("a1.2", &major, &minor));
    EXPECT_EQ(major, 0);
    EXPECT_EQ(minor, 2);
    EXPECT_TRUE(R::getVersionFromString("1.x", &major, &minor));
    EXPECT_EQ(major, 1);
    EXPECT_EQ(minor, 0);
    int32_t type = -1, secondary = -1;
    EXPECT_TRUE(R::getVersionFromString("1.7.2.3", &type, &secondary, &major, &minor));
    EXPECT_EQ(type, 1);
    EXPECT_EQ(secondary, 7);
    EXPECT_EQ(major, 2);
    EXPECT_EQ(minor, 3);
    EXPECT_FALSE(R::getVersionFromString("1.7.2", &type, &secondary, &major, &minor));
}

TEST(RecordHelpers, ListVersionsAreReadInRange) {
    // A list's version text (without its "v"): read as given, or refused with nothing changed.
    const struct {
        const char* text;
        bool read;
        int32_t major, minor;
    } cases[] = {
        {"9999.9999", true, 9999, 9999},
        {"0.0", true, 0, 0},
        {"2147483648.0", false, 0, 0},     // would wrap to -2147483648
        {"4294967297.0", false, 0, 0},     // would wrap to 1
        {"2.99999999999", false, 0, 0},    // would wrap to 2.1215752191
        {"99999999999999999999.1", false, 0, 0},
        {"10000.0", false, 0, 0},
        {"1.-1", false, 0, 0},
        {"-2147483648.0", false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int32_t major = -7, minor = -7;
        EXPECT_EQ(R::getVersionFromString(c.text, &major, &minor), c.read);
        EXPECT_EQ(R::versionInRange(c.text), c.read);
        EXPECT_EQ(major, c.read ? c.major : -7);
        EXPECT_EQ(minor, c.read ? c.minor : -7);
    }
    int32_t type = -7, secondary = -7, major = -7, minor = -7;
    EXPECT_FALSE(R::getVersionFromString("1.4294967297.1.0", &type, &secondary, &major, &minor));
    EXPECT_EQ(secondary, -7);
    EXPECT_EQ(R::versionComponent("12"), 12);
    EXPECT_EQ(R::versionComponent("12345"), std::nullopt);
}

TEST(RecordHelpers, ComparisonsNeverWrap) {
    // Whatever a record holds, the sign is that of the true difference.
    EXPECT_LT(R::compareVersionUpToMinorMajor(INT32_MIN, 0, 1, 0), 0);
    EXPECT_GT(R::compareVersionUpToMinorMajor(INT32_MAX, 0, -1, 0), 0);
    EXPECT_LT(R::compareVersionUpToMinorMajor(1, INT32_MIN, 1, INT32_MAX), 0);
    EXPECT_GT(R::compareVersionUpToMinorMajor(1, 2, INT32_MAX, 1, 2, INT32_MIN), 0);
    EXPECT_LT(R::compareVersionMajor(0, 0, 1, INT32_MIN, 0, 0, 1, INT32_MAX, true), 0);
    EXPECT_LT(R::downGradeFERRIKEVOCompareVersionMajor(1, 0, 0, INT32_MIN, 1, 0, 0, 1), 0);
}

TEST(RecordHelpers, TabTextsAndKeyEquivalents) {
    EXPECT_FALSE(R::getTabText(4, false, 0));
    EXPECT_FALSE(R::getTabText(1, false, 13));
    EXPECT_FALSE(R::getTabText(1, false, -1));
    for (int language = 0; language <= 12; ++language) EXPECT_EQ(R::getTabText(2, true, language), std::string("[S][C]-S"));
    EXPECT_EQ(R::getTabText(3, false, 2), std::string("UKW-Radio"));
    std::string key;
    uint32_t mask = 0;
    EXPECT_EQ(R::getTabText(1, false, 9, [&](const std::string& k, uint32_t m) { key = k, mask = m; }), std::string("基本"));
    EXPECT_EQ(key, "B");
    EXPECT_EQ(mask, 0x120000u);
}

TEST(RecordHelpers, SpeedDialUnitsAndText) {
    std::array<uint16_t, 20> units;
    units.fill(0x7777);
    EXPECT_EQ(R::getSpeedDialArray(&units, std::string("")), 0);
    EXPECT_EQ(R::getSpeedDialArray(&units, std::nullopt), 0);
    EXPECT_EQ(units[0], 0x7777);  // untouched

    EXPECT_EQ(R::getSpeedDialArray(&units, std::string("1234567890123456789012345")), 40);
    platform::OptString text;
    EXPECT_EQ(R::getSpeedDialString(&text, units), 20);
    EXPECT_EQ(text, std::string("12345678901234567890"));

    EXPECT_EQ(R::getSpeedDialArray(&units, std::string("+49")), 6);
    EXPECT_EQ(units[3], 0);
    EXPECT_EQ(R::getSpeedDialString(&text, units), 3);
    EXPECT_EQ(text, std::string("+49"));

    // Bytes above 0x7F are sign-extended; a cut never splits a character.
    std::string nineteenThenEuro(19, '1');
    nineteenThenEuro += "€";
    EXPECT_EQ(R::getSpeedDialArray(&units, nineteenThenEuro), 38);
    EXPECT_EQ(units[19], 0);
    EXPECT_EQ(R::getSpeedDialArray(&units, std::string("é")), 4);
    EXPECT_EQ(units[0], 0xFFC3);
    EXPECT_EQ(R::getSpeedDialString(&text, units), 1);
    EXPECT_EQ(text, std::string("é"));

    units.fill(0);
    units[0] = 0xC3;  // a lone lead byte is no text
    EXPECT_EQ(R::getSpeedDialString(&text, units), 0);
    EXPECT_FALSE(text);
}

TEST(RecordHelpers, CameraVolumeIsTheFirstRemovableWritableVolumeWithTheMarker) {
    test_support::TempDir dir;
    auto make = [&](const std::string& name, const std::string& marker) {
        std::filesystem::create_directories(dir.path() + "/" + name + "/MISC");
        if (!marker.empty()) std::ofstream(dir.path() + "/" + name + "/" + marker) << "x";
        return dir.path() + "/" + name;
    };
    std::string fixed = make("fixed", "MISC/version.conf");
    std::string readOnly = make("ro", "MISC/version.conf");
    std::string other = make("other", "nelvar.bin");
    std::string camera = make("camera", "MISC/version.conf");
    platform::setVolumesForTesting(std::vector<platform::Volume>{
        {fixed, false, true, false}, {readOnly, true, false, true}, {other, true, true, true}, {camera, true, true, true}});
    EXPECT_EQ(R::getNelvarDiskPathWithDevice(0x5570), camera + "/");
    EXPECT_EQ(R::getNelvarDiskPathWithDevice(0x3020), other + "/");
    EXPECT_FALSE(R::getNelvarDiskPathWithDevice(0x5580));
    EXPECT_FALSE(R::getNelvarDiskPathWithDevice(0x6838));
    platform::setVolumesForTesting(std::nullopt);
}
