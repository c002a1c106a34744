// One CSR headset of each model group recognized over the simulated USB: the device record holds
// what that group's keys say, decoded as the group decodes them, and nothing is written to the
// headset unless the case says so.
#include <map>

#include "CsrRoadFixture.h"

namespace {

using csrtest::CsrRoadTest;
using device::ORVABluetoothDeviceData;
using sim::CsrStore;
using sim::csrModel;

const std::vector<uint16_t> kLegacyEdrOn = {0xFEFF, 0xF88F, 0x1E18, 0x8359};
const std::vector<uint16_t> kLegacyEdrOff = {0xFEFF, 0xFE8F, 0xFF98, 0x8359};

// The record's on/off and level settings that the CSR road fills, by name.
const std::vector<std::pair<std::string, int32_t (ORVABluetoothDeviceData::*)() const>> kSettings = {
    {"intercomVOX", &ORVABluetoothDeviceData::intercomVOX},
    {"handsfreeVOX", &ORVABluetoothDeviceData::handsfreeVOX},
    {"edr", &ORVABluetoothDeviceData::edr},
    {"voicePrompt", &ORVABluetoothDeviceData::voicePrompt},
    {"plc", &ORVABluetoothDeviceData::plc},
    {"bitpoolRate", &ORVABluetoothDeviceData::bitpoolRate},
    {"microphoneBoost", &ORVABluetoothDeviceData::microphoneBoost},
    {"sidetone", &ORVABluetoothDeviceData::sidetone},
    {"advancedNoiseControl", &ORVABluetoothDeviceData::advancedNoiseControl},
    {"autoGainControl", &ORVABluetoothDeviceData::autoGainControl},
    {"radioTransmitGain", &ORVABluetoothDeviceData::radioTransmitGain},
    {"audioChannelTimeout", &ORVABluetoothDeviceData::audioChannelTimeout},
};

using Values = std::map<std::string, int32_t>;
const Values kWordDefaults = {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}, {"microphoneBoost", 1}};
const std::array<std::string, 3> kStoredDials = {"0123456", "+4930", "911"};
const std::array<std::string, 3> kNoDials = {"", "", ""};

enum class Fm { None, Stored, Empty };

struct GroupCase {
    const char* name;
    CsrStore store;
    Values settings;  // every setting not named is 0
    std::array<std::string, 3> dials;
    Fm fm;
    std::vector<uint16_t> written;  // keys written, in order
};
void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.name; }

CsrStore model(uint16_t id, int versionCode) { return csrModel(id).withVersion(versionCode, 1, 2); }
CsrStore withWord(CsrStore s, uint32_t word) {
    s.settingsWord = word;
    return s;
}
CsrStore withKeys(CsrStore s, std::map<uint16_t, std::vector<uint16_t>> keys) {
    s.otherKeys = std::move(keys);
    return s;
}
CsrStore withFmMagic(CsrStore s, uint16_t magic) {
    (*s.fmBlock)[0] = magic;
    return s;
}
CsrStore withoutFm(CsrStore s) {
    s.fmBlock.reset();
    return s;
}
CsrStore withoutWord(CsrStore s) {
    s.settingsWord.reset();
    return s;
}
Values plus(Values v, const Values& more) {
    for (const auto& [k, x] : more) v[k] = x;
    return v;
}

std::vector<GroupCase> cases() {
    const Values word0171 = plus(kWordDefaults, {{"sidetone", 1}});
    return {
        {"OlderFamilyFrom5_0TakesTheWordWithSidetoneAndSpeedDials", model(0x4D10, 50), word0171, kStoredDials, Fm::None, {}},
        {"OlderFamilyAt4_2HasNoSidetoneNorSpeedDials", model(0x4D20, 42), kWordDefaults, kNoDials, Fm::None, {}},
        {"OlderFamilyBelow4_0ReadsVoxLevelsAndEdrKeys",
         withKeys(model(0x5010, 32), {{0x0298, {3}}, {0x0299, {5}}, {0x00EF, kLegacyEdrOn}}),
         {{"intercomVOX", 3}, {"handsfreeVOX", 5}, {"edr", 1}}, kNoDials, Fm::None, {}},
        {"OlderFamilyBelow4_0WithTheOtherEdrPatternAndNoVoxKeys",
         withKeys(model(0x5020, 33), {{0x00EF, kLegacyEdrOff}}), {}, kNoDials, Fm::None, {}},
        {"OlderFamilyWordOfTwoBytesOn5_1GivesTheDefaults",
         withKeys(withoutWord(model(0x4D50, 51)), {{0x028E, {0xFFFF}}}), kWordDefaults, kStoredDials, Fm::None, {}},
        {"OlderFmModelReadsTheFmBlock", model(0x5040, 50), word0171, kStoredDials, Fm::Stored, {}},
        {"RadioModelReadsGainAndChannelTimeout", withKeys(model(0x5210, 10), {{0x02AC, {15}}, {0x02AA, {7000}}}),
         {{"radioTransmitGain", 15}, {"audioChannelTimeout", 7}}, kNoDials, Fm::None, {}},
        {"RadioModelGainLevelsAndTimeoutOutOfRange", withKeys(model(0x5210, 10), {{0x02AC, {13}}, {0x02AA, {61000}}}),
         {{"radioTransmitGain", 12}, {"audioChannelTimeout", 5}}, kNoDials, Fm::None, {}},
        {"RadioModelWithoutItsKeys", model(0x5210, 10), {{"radioTransmitGain", 15}, {"audioChannelTimeout", 5}},
         kNoDials, Fm::None, {}},
        {"Model2020On1_0HasNoNoiseControl", withWord(model(0x2020, 10), 0x0200), {}, kStoredDials, Fm::None, {}},
        {"Model2020On1_1ReportsNoiseControl", withWord(model(0x2020, 11), 0x0200), {{"advancedNoiseControl", 1}},
         kStoredDials, Fm::None, {}},
        {"Model4040ReportsNoiseControlWithoutSpeedDials", withWord(model(0x4040, 10), 0x0200),
         {{"advancedNoiseControl", 1}}, kNoDials, Fm::None, {}},
        {"Model4D21TakesSidetoneOnly", withWord(model(0x4D21, 10), 0x0100), {{"sidetone", 1}}, kStoredDials, Fm::None, {}},
        {"Model4D21WithoutItsWordHasSidetoneOn", withoutWord(model(0x4D21, 10)), {{"sidetone", 1}}, kStoredDials,
         Fm::None, {}},
        {"Model6110IgnoresTheVoxBits", withWord(model(0x6110, 10), 0x0003), {}, kStoredDials, Fm::None, {}},
        {"Model4120ReportsAutoGainControl", withWord(model(0x4120, 10), 0x0400), {{"autoGainControl", 1}},
         kStoredDials, Fm::None, {}},
        {"Model6420TakesVoxEdrAndVoicePrompt", withWord(model(0x6420, 10), 0x07FF),
         {{"handsfreeVOX", 1}, {"edr", 1}, {"voicePrompt", 1}}, kStoredDials, Fm::None, {}},
        {"Model6430TakesHandsfreeVoxAlone", withWord(model(0x6430, 10), 0x07FF), {{"handsfreeVOX", 1}}, kStoredDials,
         Fm::None, {}},
        {"Model4021WithoutSpeedDials", withWord(model(0x4021, 11), 0x07FF), {{"handsfreeVOX", 1}}, kNoDials, Fm::None, {}},
        {"Model2010TakesBits0To5", withWord(model(0x2010, 10), 0x07FF),
         {{"handsfreeVOX", 1}, {"intercomVOX", 1}, {"edr", 1}, {"voicePrompt", 1}, {"plc", 1}, {"bitpoolRate", 1}},
         kNoDials, Fm::None, {}},
        {"Model4D85ReadsFmWithoutMicrophoneBoost", model(0x4D85, 10),
         {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}, {"sidetone", 1}}, kStoredDials, Fm::Stored, {}},
        {"Model4D45ForeignFmMagicGetsAFreshBlock", withFmMagic(model(0x4D45, 20), 0x1234),
         {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}, {"sidetone", 1}}, kStoredDials, Fm::Empty, {0x029F}},
        {"Model4D15AlternativeFmMagicIsValid", withFmMagic(model(0x4D15, 20), 0x66E9),
         {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}, {"sidetone", 1}}, kStoredDials, Fm::Stored, {}},
        {"Model4D65WithoutFmKeyWritesNothing", withoutFm(model(0x4D65, 20)),
         {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}, {"sidetone", 1}}, kStoredDials, Fm::Empty, {}},
        {"Model4D05On1_2HasNoSidetoneNorSpeedDials", model(0x4D05, 12),
         {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}}, kNoDials, Fm::None, {}},
        {"Model4D05On1_3ReadsSpeedDials", model(0x4D05, 13), {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}},
         kStoredDials, Fm::None, {}},
        {"Model4D35BelowItsThresholdGetsTheFallbackPowerTable", model(0x4D35, 20),
         {{"handsfreeVOX", 1}, {"plc", 1}, {"bitpoolRate", 1}, {"sidetone", 1}}, kStoredDials, Fm::None, {0x0031}},
        {"ModelWithoutABranchReadsNothing", model(0x3010, 10), {}, kNoDials, Fm::None, {}},
    };
}

class CsrModelGroup : public csrtest::CsrRoadTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(CsrModelGroup, RecordHoldsWhatTheGroupsKeysSay) {
    const GroupCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug({c.store}));
    recognize();

    EXPECT_EQ(result(), recognition::kRecognizeSuccess) << status();
    EXPECT_FALSE(page.doWarnThreadRecognize);
    EXPECT_EQ(controller.target, c.store.runtimeId);
    EXPECT_EQ(controller.usb, c.store.runtimeId);
    EXPECT_TRUE(controller.recognized);

    const ORVABluetoothDeviceData& r = controller.record;
    EXPECT_EQ(r.deviceRecognized(), c.store.runtimeId);
    EXPECT_EQ(r.deviceName(), c.store.name);
    const int code = (*c.store.version)[0] | (*c.store.version)[1] << 8;
    EXPECT_EQ(r.deviceVersionMajor(), code / 10);
    EXPECT_EQ(r.deviceVersionMinor(), code % 10);
    EXPECT_EQ(r.deviceSecondaryVersionType(), 1);
    EXPECT_EQ(r.deviceSecondaryVersion(), 2);
    EXPECT_EQ(r.bdAddress(), "3A6E1A[100000]");
    EXPECT_EQ(r.lastSixBDAddress(), "100000");

    for (const auto& [name, get] : kSettings) {
        auto it = c.settings.find(name);
        EXPECT_EQ((r.*get)(), it == c.settings.end() ? 0 : it->second) << name;
    }
    for (int k = 0; k < 3; ++k) EXPECT_EQ(r.speedDialAt(k), c.dials[static_cast<size_t>(k)]) << "speed dial " << k;

    const auto block = *csrModel(c.store.runtimeId).fmBlock;
    switch (c.fm) {
    case Fm::None:
        EXPECT_EQ(r.fmRadioMagicCode(), 0);
        EXPECT_EQ(r.fmRadioCurrentFrequency(), 0);
        EXPECT_EQ(r.fmRadioPresetsAt(0), 0);
        break;
    case Fm::Empty:
        EXPECT_EQ(r.fmRadioMagicCode(), 0x56E9);
        EXPECT_EQ(r.fmRadioCurrentFrequency(), 0);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(r.fmRadioPresetsAt(i), 0);
        EXPECT_EQ(r.fmRadioRegion(), 0);
        break;
    case Fm::Stored:
        EXPECT_EQ(r.fmRadioMagicCode(), (*c.store.fmBlock)[0]);
        EXPECT_EQ(r.fmRadioCurrentFrequency(), block[1]);
        EXPECT_EQ(r.fmRadioCurrentPreset(), block[2]);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(r.fmRadioPresetsAt(i), block[static_cast<size_t>(3 + i)]);
        EXPECT_EQ(r.fmRadioRDS(), block[13]);
        EXPECT_EQ(r.fmRadioRegion(), block[14]);
        break;
    }
    EXPECT_EQ(headset().keysWritten(), c.written);
    if (c.fm == Fm::Empty && !c.written.empty()) {
        std::vector<uint16_t> fresh(15, 0);
        fresh[0] = 0x56E9;
        EXPECT_EQ(headset().key(0x029F), fresh);
    }
}

INSTANTIATE_TEST_SUITE_P(Csr, CsrModelGroup, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<GroupCase>& info) { return std::string(info.param.name); });

// A model without a settings branch asks for no settings key at all.
TEST_F(CsrRoadTest, ModelWithoutABranchAsksForNoSettingsKey) {
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x3010)}));
    recognize();
    ASSERT_EQ(result(), recognition::kRecognizeSuccess);
    for (uint16_t key : headset().keysRead())
        EXPECT_TRUE(key == 0x02A3 || key == 0x0001 || key == 0x0108 || key == 0x02A4) << std::hex << key;
}

}  // namespace
