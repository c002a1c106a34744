// Writing a restored backup into a HID headset: for each model group, the keys it writes (on
// which chip, how many words, with or without commit), and, read back, the record agrees with
// the backup on the fields that the group both writes and reads (groups that write constants,
// fewer words, or to another chip than they read from agree on fewer fields).
#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

#include "HidSettingsFixture.h"
#include "RecordFields.h"

namespace recognition::testing {
namespace {

// (command, key, word count) of each write, refresh or commit, in order; a commit repeats the
// count of the write before it.
using Sent = std::vector<std::tuple<int, int, int>>;

struct Version {
    int major = 2, minor = 0, secondary = 0;
};

struct WriteCase {
    const char* name;
    uint16_t target;
    Version version = {};
    bool twoChips = false;
    Sent chip0 = {};
    Sent chip1 = {};
    Names roundTrip = {};
    int32_t fmMagic = -1;  // the magic read back: the group's constant, not the backup's
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

Sent seq(std::initializer_list<Sent> parts) {
    Sent all;
    for (const Sent& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The backup's dials "112", "" and "0123456789": 3, 0 and 10 units (an empty dial goes with one
// word in the commit families and their neighbours).
const Sent kK1 = {{4, 0x5A, 3}, {4, 0x5B, 0}, {4, 0x5C, 10}};
const Sent kK1OneWord = {{4, 0x5A, 3}, {4, 0x5B, 1}, {4, 0x5C, 10}};
const Sent kK2 = {{4, 0x37, 3}, {4, 0x38, 0}, {4, 0x39, 10}};
const Sent kFm15 = {{4, 0x15, 15}};

Names basicNames(std::initializer_list<int> indexes) {
    Names n;
    for (int i : indexes) n.push_back("basic[" + std::to_string(i) + "]");
    return n;
}

Names fmNames(int presets) {
    Names n = {"fmFrequency", "fmCurrentPreset", "fmRDS", "fmRegion"};
    for (int i = 0; i < presets; ++i) n.push_back("fmPreset[" + std::to_string(i) + "]");
    return n;
}

const Names kFull15 = fullLegacyWordFields();
const Names kCommon9 = {"handsfreeVOX", "intercomVOX",     "edr",      "voicePrompt",         "plc",
                        "bitpoolRate",  "microphoneBoost", "sidetone", "advancedNoiseControl"};
const Names kTenWords = basicNames({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});

std::vector<WriteCase> cases() {
    return {
        {.name = "0x4210 from 1.2 writes ten words and FM to the second chip",
         .target = 0x4210,
         .version = {1, 2},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 10}, {4, 0x15, 15}},
         .roundTrip = plus(kTenWords, fmNames(10)),
         .fmMagic = 0x66E9},
        {.name = "0x4210 at 1.0 writes three words",
         .target = 0x4210,
         .version = {1, 0},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 3}, {4, 0x15, 15}},
         .roundTrip = basicNames({0, 1, 2})},
        {.name = "0x4210 at 1.1 writes four words",
         .target = 0x4210,
         .version = {1, 1},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}},
         .roundTrip = basicNames({0, 1, 2, 3})},
        {.name = "two part module gets nothing", .target = 0x5345, .twoChips = true},
        {.name = "second chip family",
         .target = 0x4430,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 10}, {4, 0x15, 15}},
         .roundTrip = plus(kTenWords, fmNames(10)),
         .fmMagic = 0x66E9},
        {.name = "second chip family of 0x4530",
         .target = 0x4530,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 10}, {4, 0x15, 15}},
         .roundTrip = plus(kTenWords, fmNames(10)),
         .fmMagic = 0x66E9},
        {.name = "speed dials only, before the key 0x36 family", .target = 0x6481, .chip0 = kK2},
        {.name = "key 0x36 words, FM block 0x44 and dials",
         .target = 0x4D86,
         .chip0 = seq({{{4, 0x36, 2}, {4, 0x44, 15}}, kK2}),
         .roundTrip = basicNames({0, 1})},
        {.name = "key 0x36 words and dials",
         .target = 0x4D06,
         .chip0 = seq({{{4, 0x36, 2}}, kK2}),
         .roundTrip = basicNames({0, 1})},
        {.name = "timed short command family gets nothing", .target = 0x6A03},
        {.name = "three words over format B",
         .target = 0x6838,
         .chip0 = {{4, 0x03, 3}},
         .roundTrip = basicNames({0, 1, 2})},
        {.name = "key 0x36 words of 0x3161",
         .target = 0x3161,
         .chip0 = seq({{{4, 0x36, 2}, {4, 0x44, 15}}, kK2}),
         .roundTrip = basicNames({0, 1})},
        {.name = "FM to an absent second chip fails quietly", .target = 0x3217, .chip0 = kK1},
        {.name = "five words to the second chip",
         .target = 0x3170,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 5}, {4, 0x15, 15}}},
        {.name = "four words to the second chip",
         .target = 0x3240,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "four logged words to the second chip",
         .target = 0x3310,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "mesh words from 1.4.3",
         .target = 0x3560,
         .version = {1, 4, 3},
         .twoChips = true,
         .chip1 = {{4, 0x20, 1}, {4, 0x1F, 1}, {4, 0x1E, 1}}},
        {.name = "mesh words below 1.4.3",
         .target = 0x3560,
         .version = {1, 4, 2},
         .twoChips = true,
         .chip1 = {{4, 0x20, 1}, {4, 0x1F, 1}}},
        {.name = "mesh channel only below 1.4.3",
         .target = 0x3570,
         .version = {1, 4, 2},
         .twoChips = true,
         .chip1 = {{4, 0x20, 1}}},
        {.name = "mesh words of 0x3570 from 1.4.3",
         .target = 0x3570,
         .version = {1, 4, 3},
         .twoChips = true,
         .chip1 = {{4, 0x20, 1}, {4, 0x1F, 1}, {4, 0x1E, 1}}},
        {.name = "mesh channel", .target = 0x3500, .twoChips = true, .chip1 = {{4, 0x20, 1}}},
        {.name = "0x3110 below 2.1 writes two words",
         .target = 0x3110,
         .version = {2, 0},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 2}, {4, 0x15, 15}}},
        {.name = "0x3110 from 2.1 writes four words",
         .target = 0x3110,
         .version = {2, 1},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "four words of 0x3146",
         .target = 0x3146,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "four words of 0x3140",
         .target = 0x3140,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "four words of 0x3124",
         .target = 0x3124,
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "four words without dials",
         .target = 0x3142,
         .twoChips = true,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "0x3112 below 3.0 writes three words",
         .target = 0x3112,
         .version = {2, 9},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 3}, {4, 0x15, 15}}},
        {.name = "0x3114 from 3.0 writes four words",
         .target = 0x3114,
         .version = {3, 0},
         .twoChips = true,
         .chip0 = kK1,
         .chip1 = {{4, 0x04, 4}, {4, 0x15, 15}}},
        {.name = "legacy word and word 1 to key 0x04",
         .target = 0x5570,
         .twoChips = true,
         .chip0 = seq({{{4, 0x04, 2}}, kK1}),
         .chip1 = kFm15,
         .roundTrip = plus(kFull15, basicNames({1}))},
        {.name = "legacy word and word 1 to key 0x36",
         .target = 0x6042,
         .chip0 = seq({{{4, 0x36, 2}, {4, 0x44, 15}}, kK2}),
         .roundTrip = plus(kFull15, basicNames({1}))},
        {.name = "legacy word and four words to key 0x36",
         .target = 0x5632,
         .chip0 = {{4, 0x36, 5}},
         .roundTrip = plus(minus(kFull15, {"fmStationGuide"}), basicNames({1, 2, 4}))},
        {.name = "legacy word and two words to key 0x36",
         .target = 0x5552,
         .chip0 = seq({{{4, 0x36, 3}, {4, 0x44, 15}}, kK2}),
         .roundTrip = plus(kFull15, basicNames({1, 2}))},
        {.name = "legacy word of 0x5538",
         .target = 0x5538,
         .twoChips = true,
         .chip0 = seq({{{4, 0x04, 2}}, kK1}),
         .chip1 = kFm15,
         .roundTrip = plus(kFull15, basicNames({1}))},
        {.name = "legacy word of 0x3300",
         .target = 0x3300,
         .chip0 = seq({{{4, 0x04, 2}}, kK1}),
         .roundTrip = plus(kFull15, basicNames({1}))},
        {.name = "legacy word with gain control at bit 10",
         .target = 0x3080,
         .twoChips = true,
         .chip0 = {{4, 0x04, 2}},
         .chip1 = kFm15,
         .roundTrip = plus(kCommon9, plus({"fmStationGuide"}, basicNames({1})))},
        {.name = "legacy word only",
         .target = 0x6335,
         .chip0 = {{4, 0x04, 2}},
         .roundTrip = plus(kCommon9, plus({"hdIntercom", "hdVoice"}, basicNames({1})))},
        {.name = "legacy word, VOX and smart volume",
         .target = 0x5430,
         .twoChips = true,
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x14, 1}, {4, 0x03, 1}}, kK1}),
         .chip1 = kFm15,
         .roundTrip = plus(kFull15, {"basic[1]", "vox[0]", "smartVolume[0]"})},
        {.name = "legacy word and second word with FM on the first chip",
         .target = 0x5524,
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip = plus(plus(kCommon9, {"audioBoost", "fmStationGuide", "hdVoice", "audioSourcePriority",
                                           "audioOverlay"}),
                           fmNames(10)),
         .fmMagic = 0x66E9},
        {.name = "camera words and key 0x1C from 2.0",
         .target = 0x5510,
         .version = {2, 0},
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x07, 2}, {4, 0x1C, 2}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip = plus(kFull15, plus({"camera[0]", "camera[1]"}, fmNames(10)))},
        {.name = "camera words without key 0x1C below 2.0",
         .target = 0x5510,
         .version = {1, 9},
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x07, 2}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip = plus({"camera[0]", "camera[1]"}, fmNames(10))},
        {.name = "smart volume then VOX from 1.1",
         .target = 0x5622,
         .version = {1, 1},
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x03, 1}, {4, 0x14, 1}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip = plus(kFull15, plus({"smartVolume[0]", "vox[0]"}, fmNames(10)))},
        {.name = "no VOX for 0x5623 below 1.1",
         .target = 0x5623,
         .version = {1, 0},
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip = plus(minus(kFull15, {"fmStationGuide"}), fmNames(10))},
        {.name = "VOX of 0x6114",
         .target = 0x6114,
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x14, 1}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip =
             plus(kCommon9, plus({"audioBoost", "hdIntercom", "fmStationGuide", "vox[0]"}, fmNames(10)))},
        {.name = "second legacy word of 0x5576",
         .target = 0x5576,
         .chip0 = seq({{{4, 0x04, 2}, {4, 0x15, 15}}, kK1OneWord}),
         .roundTrip = plus(kFull15, fmNames(10))},
        {.name = "commits without FM",
         .target = 0x5410,
         .chip0 = seq(
             {{{4, 0x04, 2}, {0x11, 0x04, 2}, {4, 0x14, 1}, {0x11, 0x14, 1}, {4, 0x03, 1}, {0x11, 0x03, 1}},
              kK1OneWord}),
         .roundTrip = plus(kFull15, {"vox[0]", "smartVolume[0]"})},
        {.name = "commits with FM",
         .target = 0x5420,
         .chip0 = seq({{{4, 0x04, 2},
                        {0x11, 0x04, 2},
                        {4, 0x14, 1},
                        {0x11, 0x14, 1},
                        {4, 0x03, 1},
                        {0x11, 0x03, 1},
                        {4, 0x15, 15},
                        {0x11, 0x15, 15}},
                       kK1OneWord}),
         .roundTrip = plus(kFull15, plus({"vox[0]", "smartVolume[0]"}, fmNames(10))),
         .fmMagic = 0x56E9},
        {.name = "commits with FM of 0x5416",
         .target = 0x5416,
         .chip0 = seq({{{4, 0x04, 2},
                        {0x11, 0x04, 2},
                        {4, 0x14, 1},
                        {0x11, 0x14, 1},
                        {4, 0x03, 1},
                        {0x11, 0x03, 1},
                        {4, 0x15, 15},
                        {0x11, 0x15, 15}},
                       kK1OneWord}),
         .roundTrip = plus(kFull15, plus({"vox[0]", "smartVolume[0]"}, fmNames(10))),
         .fmMagic = 0x56E9},
        {.name = "six presets with commits",
         .target = 0x6016,
         .chip0 = seq(
             {{{4, 0x04, 4}, {0x11, 0x04, 4}, {4, 0x14, 1}, {0x11, 0x14, 1}, {4, 0x15, 11}, {0x11, 0x15, 11}},
              kK1OneWord}),
         .roundTrip =
             plus(kCommon9,
                  plus({"audioBoost", "hdIntercom", "smartNaviSystem", "basic[2]", "vox[0]"}, fmNames(6))),
         .fmMagic = 0x56E9},
        {.name = "VOX to key 0x12 with commits",
         .target = 0x6024,
         .chip0 = seq({{{4, 0x04, 4}, {0x11, 0x04, 4}, {4, 0x12, 1}, {0x11, 0x12, 1}}, kK1OneWord}),
         .roundTrip = plus(kCommon9, {"smartNaviSystem", "vox[0]"})},
    };
}

const Names kBackupLegacyOn = {"handsfreeVOX",
                               "edr",
                               "plc",
                               "microphoneBoost",
                               "advancedNoiseControl",
                               "audioBoost",
                               "hdIntercom",
                               "hdVoice",
                               "audioOverlay",
                               "smartNaviSystem",
                               "autoOnOff",
                               "autoStartRecording"};

// A backup of `target` whose every word differs from what a fresh headset or record holds.
Record backupOf(int32_t target) {
    Record r;
    r.setDeviceRecognized(target);
    for (int i = 0; i < Record::kBasicSettingWords; ++i) r.setBasicSetting20At(i, 0x0A10 + i);
    r.setBasicSettingBELMORAVOXSensitivity(0, 0x21);
    r.setBasicSettingBELMORAVOXSensitivity(1, 0x22);
    r.setBasicSettingYELVARSmartVolumeControl(0, 0x31);
    r.setBasicSettingYELVARSmartVolumeControl(1, 0x32);
    for (int i = 0; i < Record::kCameraWords; ++i) r.setBasicSettingTAVRINCamera(i, 0x41 + i);
    for (const std::string& name : kBackupLegacyOn) setField(r, name, 1);
    r.setFmRadioMagicCode(0x1234);
    r.setFmRadioCurrentFrequency(0x0399);
    r.setFmRadioCurrentPreset(3);
    for (int i = 0; i < Record::kFMPresets; ++i) r.setFmRadioPresetsAt(i, 0x0400 + i);
    r.setFmRadioRDS(1);
    r.setFmRadioRegion(2);
    r.setSpeedDialAt(0, std::string("112"));
    r.setSpeedDialAt(1, std::string());
    r.setSpeedDialAt(2, std::string("0123456789"));
    return r;
}

Sent sentTo(const sim::SettingBlocksModel& chip) {
    Sent s;
    for (const auto& r : chip.keyRequests())
        s.emplace_back(r.command, r.key, static_cast<int>(r.words.size()));
    return s;
}

class HidSettingsWrite : public HidSettingsTest, public ::testing::WithParamInterface<WriteCase> {
  protected:
    void prepare(const WriteCase& c) {
        ASSERT_NO_FATAL_FAILURE(plug(c.target, c.twoChips));
        data() = Record();
        setVersion(c.version.major, c.version.minor, c.version.secondary);
    }
};

TEST_P(HidSettingsWrite, ModelGroupWritesItsKeysAndReadsBackTheBackup) {
    const WriteCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(prepare(c));
    Record backup = backupOf(c.target);
    backup.setDeviceVersionMajor(c.version.major, c.version.minor);
    ctx.backup = backup;
    writeRestoredSettingsToHid(ctx);
    EXPECT_EQ(sentTo(chip(0)), c.chip0);
    EXPECT_EQ(sentTo(chip(1)), c.chip1);

    readHidSettings(ctx);
    const Fields want = fieldsOf(backup), got = fieldsOf(data());
    for (const std::string& name : c.roundTrip) EXPECT_EQ(got.at(name), want.at(name)) << name;
    if (c.fmMagic >= 0) {
        EXPECT_EQ(data().fmRadioMagicCode(), c.fmMagic);
    }
}

INSTANTIATE_TEST_SUITE_P(Groups, HidSettingsWrite, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<WriteCase>& info) {
                             std::string name;
                             bool upper = true;
                             for (const char* p = info.param.name; *p; ++p) {
                                 if (std::isalnum(static_cast<unsigned char>(*p))) {
                                     name +=
                                         upper
                                             ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p)))
                                             : *p;
                                     upper = false;
                                 } else {
                                     upper = true;
                                 }
                             }
                             return name;
                         });

TEST_F(HidSettingsTest, SpeedDialsGoAsOneWordPerCharacter) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6042));
    ctx.backup = backupOf(0x6042);
    writeRestoredSettingsToHid(ctx);
    EXPECT_EQ(chip().block(0x37), (sim::SettingBlocksModel::Words{'1', '1', '2'}));
    EXPECT_EQ(chip().block(0x39),
              (sim::SettingBlocksModel::Words{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}));
}

TEST_F(HidSettingsTest, FmBlockCarriesTheGroupMagicNotTheBackups) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6042));
    ctx.backup = backupOf(0x6042);
    writeRestoredSettingsToHid(ctx);
    auto fm = chip().block(0x44);
    ASSERT_TRUE(fm);
    EXPECT_EQ(fm->at(0), 0x66E9);
    EXPECT_EQ(fm->at(1), 0x0399);
    EXPECT_EQ(fm->at(14), 2);
}

// The write-back's commit goes with the buffer as its write left it: the words high byte first,
// so a headset reading them low byte first sees them turned (VOX 0x0021 as 0x2100).
TEST_F(HidSettingsTest, CommitRepeatsTheWriteAsItWent) {
    ASSERT_NO_FATAL_FAILURE(plug(0x5410));
    ctx.backup = backupOf(0x5410);
    writeRestoredSettingsToHid(ctx);
    std::vector<sim::SettingBlocksModel::Words> committed;
    for (const auto& r : chip().keyRequests())
        if (r.command == 0x11 && (r.key == 0x14 || r.key == 0x03)) committed.push_back(r.words);
    EXPECT_EQ(committed, (std::vector<sim::SettingBlocksModel::Words>{{0x2100}, {0x3100}}));
}

TEST_F(HidSettingsTest, BackupOfAnotherModelIsNotWritten) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6838));
    ctx.backup = backupOf(0x6042);
    writeRestoredSettingsToHid(ctx);
    EXPECT_TRUE(chip().keyRequests().empty());
    EXPECT_EQ(chip().requestCount(), 0u);
}

TEST_F(HidSettingsTest, NoBackupSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6042));
    writeRestoredSettingsToHid(ctx);
    EXPECT_EQ(chip().requestCount(), 0u);
}

// Refused writes neither stop the sequence nor hide the headset's own values from the read.
TEST_F(HidSettingsTest, RefusedWritesRunOnAndTheReadShowsTheHeadsetsValues) {
    ASSERT_NO_FATAL_FAILURE(plug(0x5410));
    chip().refuseWrites(true);
    chip().setBlock(0x04, {0x0001});
    chip().setBlock(0x14, {9, 9});
    ctx.backup = backupOf(0x5410);
    writeRestoredSettingsToHid(ctx);
    EXPECT_EQ(
        sentTo(chip()),
        seq({{{4, 0x04, 2}, {0x11, 0x04, 2}, {4, 0x14, 1}, {0x11, 0x14, 1}, {4, 0x03, 1}, {0x11, 0x03, 1}},
             kK1OneWord}));
    readHidSettings(ctx);
    EXPECT_EQ(data().handsfreeVOX(), 1);
    EXPECT_EQ(data().edr(), 0);
    EXPECT_EQ(data().basicSettingBELMORAVOXSensitivityAt(0), 9);
}

}  // namespace
}  // namespace recognition::testing
