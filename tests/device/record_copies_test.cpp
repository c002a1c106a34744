// Snapshots and copies move exactly the fields their model rules allow.
#include <gtest/gtest.h>

#include "device/ORVABluetoothDeviceData.h"

using device::ORVABluetoothDeviceData;

namespace {

ORVABluetoothDeviceData source(int32_t productId) {
    ORVABluetoothDeviceData s;
    s.setManagerVersionMajor(3);
    s.setManagerVersionMinor(7);
    s.setDeviceRecognized(productId);
    s.setDeviceVersionMajor(2, 1);
    s.setDeviceSecondaryVersionType(1);
    s.setDeviceSecondaryVersion(5);
    s.setDeviceVersion01Major(4, 4);
    s.setDeviceVersion02Major(6, 6);
    s.setDevicelanguagePackType(9);
    s.setBackgroundVolume(12);
    s.setVoiceAssistant(1);
    s.setHdIntercom(1);
    s.setAudioChannelTimeout(30);
    s.setDateArchived(platform::Date{1000.0});
    s.setBdAddress(std::string("00:11:22:33:44:55"));
    s.setDeviceBdAddress(std::string("001122334455"));
    for (int i = 0; i < 10; ++i) s.setFmRadioPresetsAt(i, 9000 + i);
    for (int i = 0; i < 4; ++i) s.setBasicSettingTAVRINCamera(i, 0x10 + i);
    s.setFmRadioRegion(3);
    s.setSpeedDialAt(1, std::string("555"));
    return s;
}

ORVABluetoothDeviceData receiver() {
    ORVABluetoothDeviceData r;
    for (int i = 0; i < 10; ++i) r.setFmRadioPresetsAt(i, -1);
    r.setDeviceVersionMajor(9, 9);
    r.setDeviceVersion01Major(9, 9);
    r.setDeviceVersion02Major(9, 9);
    r.setBackgroundVolume(-7);
    return r;
}

}  // namespace

TEST(RecordCopies, SnapshotSaysManagerOneZeroCarriesNowAndDropsTheChipVersions) {
    ORVABluetoothDeviceData snap;
    double before = platform::Date::now().sinceReferenceDate;
    snap.configureWithSource(source(0x6838));
    EXPECT_EQ(snap.managerVersionMajor(), 1);
    EXPECT_EQ(snap.managerVersionMinor(), 0);
    ASSERT_TRUE(snap.dateArchived());
    EXPECT_GE(snap.dateArchived()->sinceReferenceDate, before);
    EXPECT_EQ(snap.deviceVersionMajor(), 2);
    EXPECT_EQ(snap.deviceSecondaryVersion(), 5);
    EXPECT_EQ(snap.deviceVersionMajor01(), 0);
    EXPECT_EQ(snap.deviceVersionMajor02(), 0);
    EXPECT_EQ(snap.devicelanguagePackType(), 9);
    EXPECT_EQ(snap.bdAddress(), std::string("00:11:22:33:44:55"));
    EXPECT_FALSE(snap.deviceBdAddress());
    EXPECT_EQ(snap.voiceAssistant(), 0);
    EXPECT_EQ(snap.basicSettingTAVRINCameraAt(3), 0x13);  // all four camera words
    EXPECT_EQ(snap.fmRadioRegion(), 3);
    EXPECT_EQ(snap.speedDialAt(1), std::string("555"));
}

TEST(RecordCopies, VersionFlagDecidesWhetherTheThreeVersionSetsMove) {
    for (bool version : {false, true}) {
        ORVABluetoothDeviceData r = receiver();
        r.copyWithSource(source(0x6838), version);
        EXPECT_EQ(r.deviceVersionMajor(), version ? 2 : 9);
        EXPECT_EQ(r.deviceSecondaryVersionType(), version ? 1 : 0);
        EXPECT_EQ(r.deviceVersionMajor01(), version ? 4 : 9);
        EXPECT_EQ(r.deviceVersionMinor02(), version ? 6 : 9);
        EXPECT_EQ(r.managerVersionMinor(), 7);
        EXPECT_EQ(r.dateArchived()->sinceReferenceDate, 1000.0);  // the source's date, not now
        EXPECT_EQ(r.hdIntercom(), 1);
    }
}

TEST(RecordCopies, PresetsAndBackgroundVolumeFollowTheModel) {
    struct Case {
        int32_t productId;
        int presetsMoved;
        bool backgroundVolumeMoves;
    } cases[] = {
        {0x6010, 6, false}, {0x6036, 6, false}, {0x6011, 10, false}, {0x6838, 10, false},
        {0x6461, 10, true}, {0x6481, 10, true}, {0x6491, 10, true},  {0x6480, 10, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.productId);
        ORVABluetoothDeviceData copy = receiver();
        copy.copyWithSource(source(c.productId), true);
        ORVABluetoothDeviceData snap = receiver();
        snap.configureWithSource(source(c.productId));
        for (int i = 0; i < 10; ++i) {
            int32_t expected = i < c.presetsMoved ? 9000 + i : -1;
            EXPECT_EQ(copy.fmRadioPresetsAt(i), expected) << i;
            EXPECT_EQ(snap.fmRadioPresetsAt(i), expected) << i;
        }
        EXPECT_EQ(copy.backgroundVolume(), c.backgroundVolumeMoves ? 12 : -7);
        EXPECT_EQ(snap.backgroundVolume(), -7);  // never by the snapshot
    }
}

TEST(RecordAccessors, OutOfRangeIndexesReadZeroAndStoreNothing) {
    ORVABluetoothDeviceData r;
    for (int i : {-1, 10, 1000}) {
        r.setBasicSetting20At(i, 5);
        r.setFmRadioPresetsAt(i, 5);
        EXPECT_EQ(r.basicSettingFERRIK(i), 0);
        EXPECT_EQ(r.fmRadioPresetsAt(i), 0);
    }
    for (int i : {-1, 2}) {
        r.setBasicSettingBELMORAVOXSensitivity(i, 5);
        r.setBasicSettingYELVARSmartVolumeControl(i, 5);
        EXPECT_EQ(r.basicSettingBELMORAVOXSensitivityAt(i), 0);
        EXPECT_EQ(r.basicSettingYELVARSmartVolumeControlAt(i), 0);
    }
    r.setBasicSettingTAVRINCamera(4, 5);
    EXPECT_EQ(r.basicSettingTAVRINCameraAt(4), 0);
    r.setSpeedDialAt(3, std::string("1"));
    EXPECT_FALSE(r.speedDialAt(3));
    EXPECT_FALSE(r.speedDialAt(-1));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(r.basicSettingFERRIK(i), 0);

    // Alvento accessors are the same words.
    r.setBasicSettingAlventoVolume(2, 0x55);
    EXPECT_EQ(r.basicSettingFERRIK(2), 0x55);
    EXPECT_EQ(r.basicSettingAlventoChannelAt(2), 0x55);

    // A nil or empty speed dial is stored as "".
    r.setSpeedDialAt(0, std::nullopt);
    EXPECT_EQ(r.speedDialAt(0), std::string());
}
