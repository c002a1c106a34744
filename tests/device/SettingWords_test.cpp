// The legacy settings words pack a field's bit only when the field is exactly 1, and only the fields
// of the product's row; the word-array comparisons find the first difference.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace {

using R = device::ORVABluetoothDeviceData;

struct LegacyField {
    const char* name;
    void (R::*set)(int32_t);
};
using Setter = void (R::*)(int32_t);

// Every legacy integer either word may carry.
const LegacyField kLegacyFields[] = {
    {"handsfreeVOX", &R::setHandsfreeVOX},       {"intercomVOX", &R::setIntercomVOX},
    {"edr", &R::setEdr},                         {"voicePrompt", &R::setVoicePrompt},
    {"plc", &R::setPlc},                         {"bitpoolRate", &R::setBitpoolRate},
    {"microphoneBoost", &R::setMicrophoneBoost}, {"sidetone", &R::setSidetone},
    {"advancedNoiseControl", &R::setAdvancedNoiseControl},
    {"autoGainControl", &R::setAutoGainControl}, {"audioBoost", &R::setAudioBoost},
    {"hdIntercom", &R::setHdIntercom},           {"fmStationGuide", &R::setFmStationGuide},
    {"hdVoice", &R::setHdVoice},                 {"audioSourcePriority", &R::setAudioSourcePriority},
    {"audioOverlay", &R::setAudioOverlay},       {"autoOnOff", &R::setAutoOnOff},
    {"smartNaviSystem", &R::setSmartNaviSystem}, {"smartNaviSystem2", &R::setSmartNaviSystem2},
    {"autoStartRecording", &R::setAutoStartRecording},
    {"autoOff", &R::setAutoOff},                 {"simpleUI", &R::setSimpleUI},
};

// Bits 0..9 (without 7) that every id carries.
const std::vector<std::pair<Setter, int>> kCommon = {
    {&R::setHandsfreeVOX, 0}, {&R::setIntercomVOX, 1},   {&R::setEdr, 2},
    {&R::setVoicePrompt, 3},  {&R::setPlc, 4},           {&R::setBitpoolRate, 5},
    {&R::setMicrophoneBoost, 6}, {&R::setSidetone, 8},   {&R::setAdvancedNoiseControl, 9},
};

struct WordCase {
    const char* name;
    int32_t product;
    std::vector<std::pair<Setter, int>> bits;  // beyond the common ones
};

constexpr auto AGC = &R::setAutoGainControl;
constexpr auto Boost = &R::setAudioBoost;
constexpr auto HDI = &R::setHdIntercom;
constexpr auto FMSG = &R::setFmStationGuide;
constexpr auto HDV = &R::setHdVoice;
constexpr auto ASP = &R::setAudioSourcePriority;
constexpr auto AO = &R::setAudioOverlay;
constexpr auto Navi = &R::setSmartNaviSystem;

int expectedBit(const std::vector<std::pair<Setter, int>>& bits, Setter set) {
    for (const auto& [s, bit] : bits)
        if (s == set) return bit;
    return -1;
}

// Each field alone: 1 gives its bit (or nothing when the row lacks it); 2 and -1 give nothing.
void checkWord(const WordCase& c, int32_t (R::*word)() const, bool withCommon, int32_t major = 0, int32_t minor = 0) {
    SCOPED_TRACE(c.name);
    std::vector<std::pair<Setter, int>> bits = c.bits;
    if (withCommon) bits.insert(bits.end(), kCommon.begin(), kCommon.end());
    for (const LegacyField& f : kLegacyFields) {
        SCOPED_TRACE(f.name);
        const int bit = expectedBit(bits, f.set);
        for (int32_t value : {1, 2, -1}) {
            R r;
            r.setDeviceRecognized(c.product);
            r.setDeviceVersionMajor(major, minor);
            (r.*f.set)(value);
            EXPECT_EQ((r.*word)(), value == 1 && bit >= 0 ? 1 << bit : 0) << "value " << value;
        }
    }
}

TEST(LegacySettingsWord, EachProductRowPacksItsFieldsAtTheirBits) {
    const std::vector<WordCase> cases = {
        {"unlisted id", 0x6838, {{AGC, 10}}},
        {"no id", 0, {{AGC, 10}}},
        {"just past a range", 0x5446, {{AGC, 10}}},
        {"just past the second range", 0x5598, {{AGC, 10}}},
        {"FM guide, gain control", 0x3030, {{AGC, 10}, {FMSG, 12}}},
        {"FM guide, gain control (last)", 0x5562, {{AGC, 10}, {FMSG, 12}}},
        {"boost, HD intercom", 0x3085, {{Boost, 10}, {HDI, 11}}},
        {"boost and five", 0x321B, {{Boost, 10}, {HDI, 11}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"boost and five (range start)", 0x5440, {{Boost, 10}, {HDI, 11}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"boost and five (range end)", 0x5445, {{Boost, 10}, {HDI, 11}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"boost and five (last)", 0x6910, {{Boost, 10}, {HDI, 11}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"boost, no FM guide", 0x3341, {{Boost, 10}, {HDI, 11}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"gain control, no FM guide", 0x5591, {{AGC, 10}, {HDI, 11}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"gain control, no FM guide (range end)", 0x5597, {{AGC, 10}, {HDI, 11}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"gain control, no FM guide (last)", 0x6491, {{AGC, 10}, {HDI, 11}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"boost, FM guide", 0x5536, {{Boost, 10}, {FMSG, 12}}},
        {"boost, FM guide and three", 0x5524, {{Boost, 10}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"boost, three low", 0x5532, {{Boost, 10}, {HDI, 11}, {FMSG, 12}, {HDV, 13}}},
        {"boost, two low", 0x6114, {{Boost, 10}, {HDI, 11}, {FMSG, 12}}},
        {"firmware-dependent row below 1.1", 0x5621, {{Boost, 10}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}}},
        {"navigation", 0x6026, {{Boost, 10}, {HDI, 11}, {Navi, 13}}},
        {"navigation, gain control", 0x6022, {{AGC, 10}, {Navi, 13}}},
        {"navigation, auto on/off", 0x6036, {{Boost, 10}, {HDI, 11}, {Navi, 13}, {&R::setAutoOnOff, 14}, {AO, 15}}},
        {"second navigation", 0x6039, {{Boost, 10}, {HDI, 11}, {&R::setSmartNaviSystem2, 14}}},
        {"gain control, HD voice", 0x6335, {{AGC, 10}, {HDI, 11}, {HDV, 13}}},
    };
    for (const WordCase& c : cases) checkWord(c, &R::getSettings40, true);
}

TEST(LegacySettingsWord, HDIntercomJoinsItsRowFromFirmwareOneOne) {
    const std::vector<std::pair<Setter, int>> below = {{Boost, 10}, {FMSG, 12}, {HDV, 13}, {ASP, 14}, {AO, 15}};
    std::vector<std::pair<Setter, int>> from = below;
    from.push_back({HDI, 11});
    checkWord({"0x5510 at 1.0", 0x5510, below}, &R::getSettings40, true, 1, 0);
    checkWord({"0x5510 at 0.9", 0x5510, below}, &R::getSettings40, true, 0, 9);
    checkWord({"0x5510 at 1.1", 0x5510, from}, &R::getSettings40, true, 1, 1);
    checkWord({"0x5620 at 2.0", 0x5620, from}, &R::getSettings40, true, 2, 0);
    // no other row looks at the firmware
    checkWord({"0x3052 at 0.0", 0x3052, {{Boost, 10}, {HDI, 11}}}, &R::getSettings40, true, 0, 0);
}

TEST(LegacySettingsWord, SecondWordCarriesRecordingOrUIFlags) {
    checkWord({"recording", 0x5576, {{&R::setAutoStartRecording, 0}}}, &R::getSettings40Second, false);
    checkWord({"simple UI and auto off", 0x6038, {{&R::setSimpleUI, 10}, {&R::setAutoOff, 11}}},
              &R::getSettings40Second, false);
    checkWord({"simple UI and auto off (second id)", 0x6039, {{&R::setSimpleUI, 10}, {&R::setAutoOff, 11}}},
              &R::getSettings40Second, false);
    checkWord({"other id", 0x6036, {}}, &R::getSettings40Second, false);
}

TEST(LegacySettingsWord, SecondWordOrsTheLanguageIntoBitsFourToFifteen) {
    struct Case {
        int32_t product, language, simpleUI, autoOff, expected;
    };
    for (const Case& c : std::vector<Case>{
             {0x6038, 3, 0, 0, 0x0030},
             {0x6039, 0x41, 1, 1, 0x0C10},  // bit 10 is both a flag and language bit 6
             {0x6038, 0x40, 1, 0, 0x0400},
             {0x6038, 0x1001, 0, 0, 0x0010},  // cut to 16 bits
             {0x6038, -1, 0, 0, 0xFFF0},
             {0x6036, 3, 1, 1, 0},
             {0x5576, 3, 0, 0, 0},
         }) {
        R r;
        r.setDeviceRecognized(c.product);
        r.setYORRALanguage(c.language);
        r.setSimpleUI(c.simpleUI);
        r.setAutoOff(c.autoOff);
        EXPECT_EQ(r.getSettings40Second(), c.expected) << std::hex << c.product << " " << c.language;
    }
}

// ---- comparisons --------------------------------------------------------------------------------------

TEST(SettingWordComparison, ResultIsTheFirstDifferenceOrZero) {
    R a, b;
    EXPECT_EQ(a.compareBasicSettingFERRIKWith(b), 0);
    a.setBasicSetting20At(3, 10);
    b.setBasicSetting20At(3, 5);
    a.setBasicSetting20At(7, 1);
    b.setBasicSetting20At(7, 9);
    EXPECT_EQ(a.compareBasicSettingFERRIKWith(b), 5);
    EXPECT_EQ(b.compareBasicSettingFERRIKWith(a), -5);
    b.setBasicSetting20At(3, 10);
    EXPECT_EQ(a.compareBasicSettingFERRIKWith(b), -8);
    a.setBasicSetting20At(9, INT32_MIN);
    b.setBasicSetting20At(7, 1);
    b.setBasicSetting20At(9, 1);
    EXPECT_EQ(a.compareBasicSettingFERRIKWith(b), INT32_MAX);  // wraps at 32 bits

    a.setBasicSettingBELMORAVOXSensitivity(1, 4);
    EXPECT_EQ(a.compareBasicSettingBELMORAVOXSensitivityWith(b), 4);
    b.setBasicSettingYELVARSmartVolumeControl(0, 2);
    EXPECT_EQ(a.compareBasicSettingYELVARSmartVolumeControlWith(b), -2);
}

TEST(SettingWordComparison, CameraWordsTwoAndThreeCountFromTheReceiversFirmwareTwo) {
    R a, b;
    a.setBasicSettingTAVRINCamera(2, 7);
    b.setBasicSettingTAVRINCamera(3, 1);
    b.setDeviceVersionMajor(3, 0);  // the other record's version does not matter
    a.setDeviceVersionMajor(1, 9);
    EXPECT_EQ(a.compareBasicSettingTAVRINCameraWith(b), 0);
    a.setDeviceVersionMajor(2, 0);
    EXPECT_EQ(a.compareBasicSettingTAVRINCameraWith(b), 7);
    a.setBasicSettingTAVRINCamera(2, 0);
    EXPECT_EQ(a.compareBasicSettingTAVRINCameraWith(b), -1);
    a.setDeviceVersionMajor(1, 0);
    a.setBasicSettingTAVRINCamera(1, 2);
    EXPECT_EQ(a.compareBasicSettingTAVRINCameraWith(b), 2);
}

}  // namespace
