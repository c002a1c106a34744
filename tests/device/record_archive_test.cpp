// The settings backup: what a record writes must read back unchanged, and damaged or foreign
// files must fail clearly instead of crashing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/Files.h"
#include "tests_support/TempDir.h"

using device::ORVABluetoothDeviceData;
using platform::ArchiveError;
using platform::Bytes;

namespace {

// A record with a distinct, non-default value in every archived field (negatives included).
ORVABluetoothDeviceData fullRecord() {
    ORVABluetoothDeviceData r;
    int32_t v = -40;
    auto next = [&v] { return v += 7; };
#define SET_INT(name, Name) r.set##Name(next());
    ORVA_RECORD_INT_FIELDS(SET_INT)
#undef SET_INT
    r.setDeviceName(std::string("VELMAR LUVEN ü"));
    r.setFmRadioRegion(4);
    r.setDateArchived(platform::Date{812345678.25});
    for (int i = 0; i < 10; ++i) r.setBasicSetting20At(i, 0x8000 + i * 0x111 - (i == 3 ? 0x20000 : 0));
    for (int i = 0; i < 2; ++i) r.setBasicSettingBELMORAVOXSensitivity(i, 11 + i);
    for (int i = 0; i < 2; ++i) r.setBasicSettingYELVARSmartVolumeControl(i, -3 - i);
    for (int i = 0; i < 4; ++i) r.setBasicSettingTAVRINCamera(i, i + 1);
    for (int i = 0; i < 10; ++i) r.setFmRadioPresetsAt(i, 8750 + 20 * i);
    r.setSpeedDialAt(0, std::string("+4912345"));
    r.setSpeedDialAt(1, std::string("0049 89"));
    r.setSpeedDialAt(2, std::string("112"));
    return r;
}

std::string runPython(const std::string& script) {
    std::string out;
    FILE* p = popen(("python3 -c '" + script + "' 2>&1").c_str(), "r");
    if (!p) return "popen failed";
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    return out;
}

}  // namespace

TEST(SettingsBackup, EveryArchivedFieldSurvivesWriteAndRead) {
    ORVABluetoothDeviceData in = fullRecord();
    ORVABluetoothDeviceData out = ORVABluetoothDeviceData::unarchiveFromData(in.archivedData());

    EXPECT_EQ(out.managerVersionMajor(), in.managerVersionMajor());
    EXPECT_EQ(out.managerVersionMinor(), in.managerVersionMinor());
    EXPECT_EQ(out.deviceRecognized(), in.deviceRecognized());
    EXPECT_EQ(out.deviceName(), in.deviceName());
    EXPECT_EQ(out.deviceVersionMajor(), in.deviceVersionMajor());
    EXPECT_EQ(out.deviceVersionMinor(), in.deviceVersionMinor());
    EXPECT_EQ(out.deviceSecondaryVersionType(), in.deviceSecondaryVersionType());
    EXPECT_EQ(out.deviceSecondaryVersion(), in.deviceSecondaryVersion());
    EXPECT_EQ(out.dateArchived(), in.dateArchived());
#define SAME(name) EXPECT_EQ(out.name(), in.name()) << #name;
#define SAME_ARCHIVED(name) if (std::string(#name) != "YORRALanguage") { SAME(name) }  // not archived
    ORVA_RECORD_COPIED_LEGACY_FIELDS(SAME_ARCHIVED)
#undef SAME_ARCHIVED
    SAME(radioTransmitGain) SAME(audioChannelTimeout) SAME(fmRadioRegion) SAME(fmRadioMagicCode)
    SAME(fmRadioCurrentFrequency) SAME(fmRadioCurrentPreset) SAME(fmRadioRDS)
#undef SAME
    for (int i = 0; i < 10; ++i) EXPECT_EQ(out.basicSettingFERRIK(i), in.basicSettingFERRIK(i)) << i;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(out.basicSettingBELMORAVOXSensitivityAt(i), in.basicSettingBELMORAVOXSensitivityAt(i));
        EXPECT_EQ(out.basicSettingYELVARSmartVolumeControlAt(i), in.basicSettingYELVARSmartVolumeControlAt(i));
    }
    for (int i = 0; i < 10; ++i) EXPECT_EQ(out.fmRadioPresetsAt(i), in.fmRadioPresetsAt(i));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(out.speedDialAt(i), in.speedDialAt(i));
}

TEST(SettingsBackup, FieldsOutsideTheArchiveReadBackEmpty) {
    ORVABluetoothDeviceData out = ORVABluetoothDeviceData::unarchiveFromData(fullRecord().archivedData());
    // Camera words 2 and 3, the 01/02 versions, the language pack and the addresses are not kept.
    EXPECT_EQ(out.basicSettingTAVRINCameraAt(0), 1);
    EXPECT_EQ(out.basicSettingTAVRINCameraAt(1), 2);
    EXPECT_EQ(out.basicSettingTAVRINCameraAt(2), 0);
    EXPECT_EQ(out.basicSettingTAVRINCameraAt(3), 0);
    EXPECT_EQ(out.deviceVersionMajor01(), 0);
    EXPECT_EQ(out.deviceSecondaryVersion02(), 0);
    EXPECT_EQ(out.devicelanguagePackType(), 0);
    EXPECT_EQ(out.voiceAssistant(), 0);
    EXPECT_EQ(out.YORRALanguage(), 0);
    EXPECT_EQ(out.backgroundVolume(), 0);
    EXPECT_EQ(out.divisionFERRIKevoValue(), 0);
    EXPECT_FALSE(out.bdAddress());
}

TEST(SettingsBackup, PythonPlistlibSeesTheKeyedArchiveAndItsKeys) {
    test_support::TempDir dir;
    std::string path = dir.path() + "/AIROHAVELMAR.qelmarch";
    ASSERT_TRUE(platform::writeFileAtomically(path, fullRecord().archivedData()));
    std::string out = runPython(
        "import plistlib; a = plistlib.load(open(\"" + path + "\", \"rb\")); o = a[\"$objects\"]; "
        "root = o[a[\"$top\"][\"root\"].data]; cls = o[root[\"$class\"].data]; "
        "keys = [k for k in root if k != \"$class\"]; "
        "print(a[\"$archiver\"], a[\"$version\"], cls[\"$classname\"], len(keys), keys[0], keys[-1], "
        "root[\"keyBasicSettingFERRIK04\"], o[root[\"keySpeedDial03\"].data])");
    EXPECT_EQ(out, "NSKeyedArchiver 100000 ORVABluetoothDeviceData 67 keyManagerVersionMajor keySpeedDial03 "
                   "-97485 112\n");
}

TEST(SettingsBackup, RegionOutsideItsRangeReadsAsZero) {
    for (int32_t stored : {6, 255, -1, 5}) {
        platform::KeyedArchiver coder({ORVABluetoothDeviceData::kClassName, "NSObject"});
        coder.encodeInt32(stored, "keyFMRadioRegion");
        auto r = ORVABluetoothDeviceData::unarchiveFromData(coder.finish());
        EXPECT_EQ(r.fmRadioRegion(), stored == 5 ? 5 : 0) << stored;
        ORVABluetoothDeviceData s;
        s.setFmRadioRegion(stored);
        EXPECT_EQ(s.fmRadioRegion(), stored == 5 ? 5 : 0) << stored;
    }
}

TEST(SettingsBackup, OldFloatVersionEntriesAreSplitAtTheDot) {
    struct Case {
        double manager, device;
        int32_t mMajor, mMinor, dMajor, dMinor;
    } cases[] = {{1.2, 2.1, 1, 2, 2, 1}, {3.0, 3.0, 3, 0, 3, 0}};
    for (const auto& c : cases) {
        platform::KeyedArchiver coder({ORVABluetoothDeviceData::kClassName, "NSObject"});
        coder.encodeDouble(c.manager, "keyManagerVersion");
        coder.encodeDouble(c.device, "keyDeviceVersion");
        coder.encodeInt32(7, "keyDeviceSecondaryVersion");
        auto r = ORVABluetoothDeviceData::unarchiveFromData(coder.finish());
        EXPECT_EQ(r.managerVersionMajor(), c.mMajor);
        EXPECT_EQ(r.managerVersionMinor(), c.mMinor);
        EXPECT_EQ(r.deviceVersionMajor(), c.dMajor);
        EXPECT_EQ(r.deviceVersionMinor(), c.dMinor);
        EXPECT_EQ(r.deviceSecondaryVersion(), 7);
        EXPECT_FALSE(r.speedDialAt(0));  // absent speed dials stay nil, not ""
        EXPECT_FALSE(r.dateArchived());
    }
}

namespace {

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string xmlArchive(const std::string& rootBody, const std::string& className = "ORVABluetoothDeviceData") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
           "<key>$archiver</key><string>NSKeyedArchiver</string><key>$version</key><integer>100000</integer>"
           "<key>$top</key><dict><key>root</key><dict><key>CF$UID</key><integer>1</integer></dict></dict>"
           "<key>$objects</key><array><string>$null</string><dict>" +
           rootBody +
           "<key>$class</key><dict><key>CF$UID</key><integer>2</integer></dict></dict>"
           "<dict><key>$classname</key><string>" +
           className + "</string><key>$classes</key><array><string>" + className +
           "</string><string>NSObject</string></array></dict><string>PEMVIK</string></array></dict></plist>";
}

}  // namespace

TEST(SettingsBackup, DamagedAndForeignArchivesFailClearlyOrReadAsDefined) {
    Bytes good = fullRecord().archivedData();
    Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    Bytes flipped = good;
    flipped[flipped.size() - 10] ^= 0xFF;  // corrupt the trailer's offsets
    platform::KeyedArchiver foreign({"ORVABluetoothManagerAppController", "NSObject"});
    foreign.encodeInt32(3, "keyDeviceRecognized");

    struct Case {
        const char* name;
        Bytes bytes;
        bool fails;
        int32_t deviceRecognized;  // when it reads
    } cases[] = {
        {"empty file", {}, true, 0},
        {"truncated binary", truncated, true, 0},
        {"corrupt trailer", flipped, true, 0},
        {"text that is no property list", bytesOf("hello, world"), true, 0},
        {"property list that is no keyed archive", bytesOf("<plist><dict><key>a</key><integer>1</integer></dict></plist>"), true, 0},
        {"another class", foreign.finish(), true, 0},
        {"XML archive", bytesOf(xmlArchive("<key>keyDeviceRecognized</key><integer>12368</integer>"
                                           "<key>keyDeviceName</key><dict><key>CF$UID</key><integer>3</integer></dict>")),
         false, 0x3050},
        {"string where an integer belongs", bytesOf(xmlArchive("<key>keyDeviceRecognized</key><string>x</string>")), true, 0},
        {"integer where a string belongs", bytesOf(xmlArchive("<key>keyDeviceName</key><integer>4</integer>")), true, 0},
        {"reference past the objects", bytesOf(xmlArchive("<key>keyDeviceName</key><dict><key>CF$UID</key><integer>99</integer></dict>")), true, 0},
        {"integer beyond 32 bits", bytesOf(xmlArchive("<key>keyDeviceRecognized</key><integer>4294967296</integer>")), true, 0},
        {"real where an integer belongs", bytesOf(xmlArchive("<key>keyDeviceRecognized</key><real>12368.0</real>")), false, 0x3050},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.fails) {
            EXPECT_THROW(ORVABluetoothDeviceData::unarchiveFromData(c.bytes), ArchiveError);
        } else {
            auto r = ORVABluetoothDeviceData::unarchiveFromData(c.bytes);
            EXPECT_EQ(r.deviceRecognized(), c.deviceRecognized);
        }
    }
    auto xml = ORVABluetoothDeviceData::unarchiveFromData(bytesOf(xmlArchive(
        "<key>keyDeviceName</key><dict><key>CF$UID</key><integer>3</integer></dict>")));
    EXPECT_EQ(xml.deviceName(), std::string("PEMVIK"));
}

TEST(SettingsBackup, NilAndNullReadAsNil) {
    ORVABluetoothDeviceData r;  // every string nil, no date
    auto out = ORVABluetoothDeviceData::unarchiveFromData(r.archivedData());
    EXPECT_FALSE(out.deviceName());
    EXPECT_FALSE(out.dateArchived());
    EXPECT_FALSE(out.speedDialAt(2));
}
