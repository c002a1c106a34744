// Factory resets of the device record: each model's listed values by firmware band, fields a model
// does not name left as they were, the FM page and speed-dial resets, and the default-record
// factories. Expected values are written out per case, as the cumulative state at that firmware.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "device/DefaultSettings.h"
#include "device/ORVABluetoothDeviceData.h"

namespace {

using device::ORVABluetoothDeviceData;
using R = ORVABluetoothDeviceData;
using Values = std::map<std::string, int32_t>;

std::string element(const char* array, int i) { return std::string(array) + " " + std::to_string(i); }

// Every integer the record shows, by name; array elements as "word 3", "preset 9".
Values observe(const R& r) {
    Values v;
#define OBSERVE(name, Name) v[#name] = r.name();
    ORVA_RECORD_INT_FIELDS(OBSERVE)
#undef OBSERVE
    v["fmRadioRegion"] = r.fmRadioRegion();
    for (int i = 0; i < R::kBasicSettingWords; ++i) v[element("word", i)] = r.basicSettingFERRIK(i);
    for (int i = 0; i < R::kVOXSensitivityWords; ++i)
        v[element("voxSensitivity", i)] = r.basicSettingBELMORAVOXSensitivityAt(i);
    for (int i = 0; i < R::kSmartVolumeWords; ++i)
        v[element("smartVolume", i)] = r.basicSettingYELVARSmartVolumeControlAt(i);
    for (int i = 0; i < R::kCameraWords; ++i) v[element("camera", i)] = r.basicSettingTAVRINCameraAt(i);
    for (int i = 0; i < R::kFMPresets; ++i) v[element("preset", i)] = r.fmRadioPresetsAt(i);
    return v;
}

struct Fw {
    int32_t major, minor, type = 0, secondary = 0;
};

// A record in which every field holds a value no reset writes, so that any write shows.
R sentinelRecord(int32_t productId, const Fw& own) {
    R r;
    int32_t sentinel = 100;
#define FILL(name, Name) r.set##Name(sentinel++);
    ORVA_RECORD_INT_FIELDS(FILL)
#undef FILL
    r.setDeviceRecognized(productId);
    r.setDeviceVersionMajor(own.major, own.minor);
    r.setDeviceSecondaryVersionType(own.type);
    r.setDeviceSecondaryVersion(own.secondary);
    r.setFmRadioRegion(5);
    for (int i = 0; i < R::kBasicSettingWords; ++i) r.setBasicSetting20At(i, 0x7700 + i);
    for (int i = 0; i < R::kVOXSensitivityWords; ++i) r.setBasicSettingBELMORAVOXSensitivity(i, 0x7710 + i);
    for (int i = 0; i < R::kSmartVolumeWords; ++i) r.setBasicSettingYELVARSmartVolumeControl(i, 0x7720 + i);
    for (int i = 0; i < R::kCameraWords; ++i) r.setBasicSettingTAVRINCamera(i, 0x7730 + i);
    for (int i = 0; i < R::kFMPresets; ++i) r.setFmRadioPresetsAt(i, 9000 + i);
    for (int i = 0; i < R::kSpeedDials; ++i) r.setSpeedDialAt(i, "0123456789");
    return r;
}

// The state a reset must leave: the record as it was, settings words cleared, then the listed
// values ("name v", "word n = v", "FM n r" for the factory FM page with n presets and RDS r).
Values expectedAfterReset(const Values& before, const std::string& listed) {
    Values v = before;
    for (auto& [name, value] : v) {
        for (const char* array : {"word ", "voxSensitivity ", "smartVolume ", "camera "})
            if (name.rfind(array, 0) == 0) value = 0;
    }
    auto set = [&](const std::string& name, int32_t value) {
        if (!v.count(name)) ADD_FAILURE() << "unknown field in expectation: " << name;
        v[name] = value;
    };
    std::stringstream items(listed);
    std::string item;
    while (std::getline(items, item, ';')) {
        std::stringstream words(item);
        std::vector<std::string> tokens;
        for (std::string t; words >> t;)
            if (t != "=") tokens.push_back(t);
        if (tokens.empty()) continue;
        if (tokens[0] == "FM") {
            int presets = std::stoi(tokens.at(1));
            set("fmRadioRegion", 0);
            set("fmRadioMagicCode", 0x56E9);
            set("fmRadioCurrentFrequency", 0);
            set("fmRadioCurrentPreset", 0);
            for (int i = 0; i < presets; ++i) set(element("preset", i), 0);
            set("fmRadioRDS", std::stoi(tokens.at(2)));
            continue;
        }
        int32_t value = static_cast<int32_t>(std::stol(tokens.back(), nullptr, 0));
        tokens.pop_back();
        std::string name;
        for (const auto& t : tokens) name += (name.empty() ? "" : " ") + t;
        set(name, value);
    }
    return v;
}

std::string differences(const Values& actual, const Values& expected) {
    std::string out;
    for (const auto& [name, value] : expected) {
        int32_t got = actual.at(name);
        if (got != value)
            out += "  " + name + ": got " + std::to_string(got) + ", want " + std::to_string(value) + "\n";
    }
    return out;
}

struct ResetCase {
    std::vector<int32_t> ids;
    Fw firmware;                 // passed to the reset
    const char* listed;          // what the reset writes
    std::optional<Fw> own = {};  // the record's own version, when not the one passed
};

std::string caseName(const ResetCase& c) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "Id%04X_fw%d_%d", c.ids.front(), c.firmware.major, c.firmware.minor);
    std::string name = buf;
    if (c.own) {
        std::snprintf(buf, sizeof buf, "_own%d_%d_type%d_%d", c.own->major, c.own->minor, c.own->type,
                      c.own->secondary);
        name += buf;
    }
    return name;
}

void PrintTo(const ResetCase& c, std::ostream* os) { *os << caseName(c); }

void expectReset(const ResetCase& c) {
    for (int32_t id : c.ids) {
        SCOPED_TRACE(testing::Message() << "product id 0x" << std::hex << id);
        R r = sentinelRecord(id, c.own.value_or(Fw{c.firmware.major, c.firmware.minor}));
        Values want = expectedAfterReset(observe(r), c.listed);
        r.initializeObjectWithDevice(id, c.firmware.major, c.firmware.minor);
        std::string diff = differences(observe(r), want);
        EXPECT_TRUE(diff.empty()) << diff;
        for (int i = 0; i < R::kSpeedDials; ++i) EXPECT_EQ(r.speedDialAt(i), std::optional<std::string>(""));
    }
}

// The settings most current models share.
#define STANDARD                                                                                       \
    "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; " \
    "hdIntercom 1; fmStationGuide 1; hdVoice 1; audioSourcePriority 0; audioOverlay 0"

// clang-format off
const std::vector<ResetCase> kResetCases = {
    {{0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030},
     {1, 0},
     "handsfreeVOX 1; edr 0; bitpoolRate 1"},
    {{0x2020}, {1, 0}, "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0"},
    {{0x2020},
     {1, 1},
     "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0; advancedNoiseControl 0"},
    {{0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610},
     {1, 0},
     "word 0 = 0x0005; word 1 = 0x0003; word 2 = 0xED21; word 3 = 0x0002; word 4 = 0; word 5 = 0; "
     "word 6 = 0; word 7 = 0; word 8 = 0; word 9 = 0; FM 10 0"},
    {{0x3030, 0x3032, 0x3040, 0x3050, 0x3060},
     {1, 0},
     "voicePrompt 0; fmStationGuide 1; advancedNoiseControl 0; FM 10 0"},
    {{0x3070}, {1, 0}, "voicePrompt 0; sidetone 0; fmStationGuide 1; FM 10 0"},
    {{0x3080}, {1, 0}, "voicePrompt 0; sidetone 0; FM 10 0"},
    {{0x3085, 0x6310}, {1, 0}, "voicePrompt 0"},
    {{0x3110}, {1, 0}, "word 0 = 0x1C21; word 1 = 0x0583; word 3 = 0; FM 10 0"},
    {{0x3112, 0x3114}, {1, 0}, "word 0 = 0x1C21; word 1 = 0x0583; word 2 = 0x0066; FM 10 0"},
    {{0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3136, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154,
      0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3219, 0x321A,
      0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3800, 0x3900},
     {1, 0},
     "word 0 = 0x1C21; word 1 = 0x0583; FM 10 0"},
    {{0x3140}, {1, 0}, "word 0 = 0x1821; word 1 = 0x0583; FM 10 0"},
    {{0x3142}, {1, 0}, "word 0 = 0x1D21; word 1 = 0x0183; FM 10 0"},
    {{0x3150, 0x3161}, {1, 0}, "word 0 = 0x1C21; FM 10 0"},
    {{0x321B, 0x3350, 0x3360, 0x3370, 0x3410, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445,
      0x5534, 0x5538, 0x5552, 0x5553, 0x5590, 0x5630, 0x5632, 0x6042, 0x6900, 0x6910},
     {1, 0},
     STANDARD "; FM 10 0"},
    {{0x3300, 0x3340, 0x3341, 0x3380, 0x3420, 0x3430, 0x3701, 0x4023, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595,
      0x5596, 0x5597},
     {1, 0},
     STANDARD},
    {{0x3400}, {1, 0}, "handsfreeVOX 1; voicePrompt 0; hdIntercom 1; fmStationGuide 1; hdVoice 1"},
    {{0x3500, 0x3540}, {1, 0}, "word 0 = 1"},
    // These two decide on the record's own major.minor.secondary, whatever is passed.
    {{0x3560}, {9, 9}, "word 0 = 1; word 1 = 0xA", Fw{1, 4, 0, 2}},
    {{0x3560}, {0, 0}, "word 0 = 1; word 1 = 0xA; word 2 = 0xA", Fw{1, 4, 0, 3}},
    {{0x3560}, {0, 0}, "word 0 = 1; word 1 = 0xA; word 2 = 0xA", Fw{1, 4, 1, 3}},
    {{0x3560}, {0, 0}, "word 0 = 1; word 1 = 0xA; word 2 = 0xA", Fw{1, 5, 0, 0}},
    {{0x3560}, {9, 9}, "word 0 = 1; word 1 = 0xA", Fw{1, 3, 0, 9}},
    {{0x3570}, {9, 9}, "word 0 = 1", Fw{1, 4, 0, 2}},
    {{0x3570}, {0, 0}, "word 0 = 1; word 1 = 0xA; word 2 = 0xA", Fw{1, 4, 0, 3}},
    {{0x4021, 0x6430}, {1, 0}, "handsfreeVOX 1"},
    {{0x4040}, {1, 0}, "sidetone 0"},
    {{0x4110, 0x4111, 0x4112, 0x4113}, {1, 0}, "edr 0; bitpoolRate 1"},
    {{0x4120}, {1, 0}, "edr 0; bitpoolRate 1; sidetone 0; advancedNoiseControl 0; autoGainControl 0"},
    {{0x4210}, {0, 9}, "word 0 = 5; word 1 = 3; word 2 = 0xEC00; FM 10 0"},
    {{0x4210}, {1, 0}, "word 0 = 5; word 1 = 3; word 2 = 0xEC00; FM 10 0"},
    {{0x4210}, {1, 1}, "word 0 = 5; word 1 = 3; word 2 = 0xEC00; word 3 = 3; FM 10 0; fmRadioRegion 1"},
    {{0x4210},
     {1, 2},
     "word 0 = 5; word 1 = 3; word 2 = 0xED80; word 3 = 3; word 4 = 0; word 5 = 0; word 6 = 0; word 7 = 0; "
     "word 8 = 0; word 9 = 0; FM 10 0; fmRadioRegion 1"},
    {{0x4210}, {1, 4}, "word 0 = 5; word 1 = 3; word 2 = 0xED80; word 3 = 3; FM 10 0; fmRadioRegion 1"},
    {{0x4210}, {1, 5}, "word 0 = 5; word 1 = 3; word 2 = 0xEDA0; word 3 = 3; FM 10 0; fmRadioRegion 1"},
    {{0x4210}, {1, 6}, "word 0 = 5; word 1 = 3; word 2 = 0xED20; word 3 = 2; FM 10 0; fmRadioRegion 1"},
    // Minors compare as numbers: 1.10 is later than 1.6.
    {{0x4210}, {1, 10}, "word 0 = 5; word 1 = 3; word 2 = 0xED20; word 3 = 2; FM 10 0; fmRadioRegion 1"},
    {{0x4D05, 0x4D35, 0x4D55}, {1, 1}, "handsfreeVOX 1; edr 0; plc 1"},
    {{0x4D05, 0x4D35, 0x4D55}, {1, 2}, "handsfreeVOX 1; edr 0; bitpoolRate 1"},
    {{0x4D05, 0x4D35, 0x4D55}, {1, 9}, "handsfreeVOX 1; edr 0; bitpoolRate 1"},
    {{0x4D05, 0x4D35, 0x4D55}, {2, 0}, "handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0"},
    {{0x4D06, 0x4D16, 0x4D76, 0x4D86}, {1, 0}, "FM 10 0"},
    {{0x4D10, 0x4D30, 0x4D40}, {3, 9}, "intercomVOX 0; handsfreeVOX 0; edr 0"},
    {{0x4D10, 0x4D30, 0x4D40}, {4, 0}, "intercomVOX 0; handsfreeVOX 1; edr 0; plc 1"},
    {{0x4D10, 0x4D30, 0x4D40},
     {4, 1},
     "intercomVOX 0; handsfreeVOX 1; edr 0; plc 1; bitpoolRate 1; microphoneBoost 1"},
    {{0x4D10, 0x4D30, 0x4D40},
     {4, 2},
     "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; microphoneBoost 1"},
    {{0x4D10, 0x4D30, 0x4D40},
     {4, 9},
     "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; microphoneBoost 1"},
    {{0x4D10, 0x4D30, 0x4D40},
     {5, 0},
     "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; microphoneBoost 1; sidetone 0"},
    {{0x4D15, 0x4D45, 0x4D65}, {1, 1}, "handsfreeVOX 1; edr 0; plc 1; FM 10 0"},
    {{0x4D15, 0x4D45, 0x4D65}, {1, 2}, "handsfreeVOX 1; edr 0; bitpoolRate 1; FM 10 0"},
    {{0x4D15, 0x4D45, 0x4D65}, {2, 0}, "handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0; FM 10 0"},
    {{0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080},
     {3, 9},
     "intercomVOX 0; handsfreeVOX 0; edr 0"},
    {{0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080},
     {4, 0},
     "intercomVOX 0; handsfreeVOX 1; edr 0; plc 1"},
    {{0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080},
     {4, 1},
     "intercomVOX 0; handsfreeVOX 1; edr 0; plc 1; bitpoolRate 1"},
    {{0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080},
     {4, 2},
     "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1"},
    {{0x4D20, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080},
     {5, 0},
     "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0"},
    {{0x4D21}, {1, 0}, "sidetone 1"},
    {{0x4D75, 0x5011}, {1, 0}, "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0"},
    {{0x4D85}, {1, 0}, "handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0; FM 10 0"},
    {{0x5040, 0x5050}, {3, 9}, "intercomVOX 0; handsfreeVOX 0; edr 0; FM 10 0"},
    {{0x5040, 0x5050}, {4, 0}, "intercomVOX 0; handsfreeVOX 1; edr 0; plc 1; FM 10 0"},
    {{0x5040, 0x5050}, {4, 1}, "intercomVOX 0; handsfreeVOX 1; edr 0; plc 1; bitpoolRate 1; FM 10 0"},
    {{0x5040, 0x5050}, {4, 2}, "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; FM 10 0"},
    {{0x5040, 0x5050}, {5, 0}, "intercomVOX 0; handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0; FM 10 0"},
    {{0x5210}, {1, 0}, "radioTransmitGain 15; audioChannelTimeout 5"},
    {{0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdVoice 0; hdIntercom 1; fmStationGuide 1; audioSourcePriority 0; audioOverlay 0; "
     "smartVolume 0 = 0; smartVolume 1 = 0; voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0"},
    {{0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434},
     {1, 0},
     STANDARD "; voxSensitivity 0 = 3; voxSensitivity 1 = 0; smartVolume 0 = 0; smartVolume 1 = 0; FM 10 0"},
    // The first band of 0x5510 and 0x5520 reads the record's own four-part version (secondary type 1
    // ranks below every other type); the later bands read the version passed.
    {{0x5510},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 0; camera 0 = 0x7C0; camera 1 = 0; FM 10 0",
     Fw{1, 0, 2, 2}},
    {{0x5510},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; camera 0 = 0x7C0; camera 1 = 0; FM 10 0",
     Fw{1, 0, 2, 3}},
    {{0x5510},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 0; camera 0 = 0x7C0; camera 1 = 0; FM 10 0",
     Fw{1, 0, 1, 9}},
    {{0x5510},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 0; camera 0 = 0x7C0; camera 1 = 0; FM 10 0",
     Fw{1, 0, 0, 9}},
    {{0x5510},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; camera 0 = 0x7C0; camera 1 = 0; FM 10 0",
     Fw{1, 0, 3, 0}},
    {{0x5510},
     {1, 9},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; camera 0 = 0x7C0; camera 1 = 0; FM 10 0"},
    {{0x5510},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 0; camera 0 = 0x7C0; camera 1 = 0; FM 10 0; hdIntercom 1; camera 2 = 0x14; camera 3 = 0",
     Fw{0, 9, 2, 3}},
    {{0x5510},
     {2, 1},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; camera 0 = 0x7C0; camera 1 = 0; FM 10 0; hdIntercom 1; camera 2 = 0x14; camera 3 = 0"},
    {{0x5510},
     {2, 2},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; camera 0 = 0x7C0; camera 1 = 0; FM 10 0; hdIntercom 1; camera 2 = 0x14; camera 3 = 0; "
     "fmStationGuide 1"},
    {{0x5510},
     {3, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "camera 0 = 0x7C0; camera 1 = 0; FM 10 0; hdIntercom 1; camera 2 = 0x14; camera 3 = 0; "
     "fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0"},
    {{0x5520},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 0; voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0",
     Fw{1, 0, 2, 0}},
    {{0x5520},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0",
     Fw{1, 0, 2, 1}},
    {{0x5520},
     {1, 1},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0; hdIntercom 1; fmStationGuide 1"},
    {{0x5520},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 0; "
     "voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0; hdIntercom 1; fmStationGuide 1; hdVoice 0; "
     "audioSourcePriority 0; audioOverlay 0",
     Fw{0, 5, 0, 0}},
    {{0x5520},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0; hdIntercom 1; fmStationGuide 1; hdVoice 0; "
     "audioSourcePriority 0; audioOverlay 0"},
    {{0x5522, 0x5536},
     {1, 0},
     "bitpoolRate 1; voicePrompt 0; advancedNoiseControl 0; audioBoost 0; fmStationGuide 1; FM 10 0"},
    {{0x5524},
     {1, 9},
     "bitpoolRate 1; voicePrompt 0; advancedNoiseControl 0; audioBoost 0; fmStationGuide 1; FM 10 0"},
    {{0x5524},
     {2, 0},
     "voicePrompt 0; advancedNoiseControl 0; audioBoost 0; fmStationGuide 1; FM 10 0; hdVoice 0; "
     "audioSourcePriority 0; audioOverlay 0"},
    {{0x5526},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0; "
     "voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0"},
    {{0x5530},
     {1, 3},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0"},
    {{0x5530},
     {1, 4},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0; fmStationGuide 1; hdVoice 0"},
    {{0x5530},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "hdIntercom 1; FM 10 0; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0"},
    {{0x5532},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; fmStationGuide 1; hdVoice 0; FM 10 0"},
    {{0x5550},
     {1, 9},
     "bitpoolRate 1; voicePrompt 0; advancedNoiseControl 0; audioBoost 1; hdIntercom 1; fmStationGuide 1; "
     "FM 10 0"},
    {{0x5550},
     {2, 0},
     "voicePrompt 0; advancedNoiseControl 0; audioBoost 1; fmStationGuide 1; FM 10 0; hdVoice 0; "
     "audioSourcePriority 0; audioOverlay 0"},
    {{0x5560, 0x5562}, {1, 0}, "fmStationGuide 1; FM 10 0"},
    {{0x5570},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "hdIntercom 1; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0; FM 10 0"},
    {{0x5576},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 0; "
     "hdIntercom 1; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0; "
     "autoStartRecording 0; FM 10 0"},
    {{0x5580},
     {1, 9},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; fmStationGuide 1; FM 10 0"},
    {{0x5580},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "hdIntercom 1; fmStationGuide 1; FM 10 0; hdVoice 0; audioSourcePriority 0; audioOverlay 0"},
    {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 0; FM 10 0"},
    {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621},
     {1, 1},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0"},
    {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "hdIntercom 1; FM 10 0; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0"},
    {{0x5622, 0x5624},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; smartVolume 0 = 0; smartVolume 1 = 0; "
     "advancedNoiseControl 0; audioBoost 1; hdIntercom 1; FM 10 0"},
    {{0x5622, 0x5624},
     {1, 1},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; smartVolume 0 = 0; smartVolume 1 = 0; "
     "advancedNoiseControl 0; audioBoost 1; hdIntercom 1; FM 10 0; voxSensitivity 0 = 2; "
     "voxSensitivity 1 = 0"},
    {{0x5622, 0x5624},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; smartVolume 0 = 0; smartVolume 1 = 0; "
     "advancedNoiseControl 0; audioBoost 1; hdIntercom 1; FM 10 0; voxSensitivity 0 = 2; "
     "voxSensitivity 1 = 0; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0"},
    {{0x5623},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0"},
    {{0x5623},
     {1, 1},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0; hdVoice 0; audioSourcePriority 0; audioOverlay 0; "
     "voxSensitivity 0 = 2; voxSensitivity 1 = 0"},
    {{0x5710},
     {1, 1},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0"},
    {{0x5710},
     {1, 2},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0; fmStationGuide 1"},
    {{0x5720},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; fmStationGuide 1; voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0"},
    {{0x5910, 0x5920},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; FM 10 0"},
    {{0x6000}, {1, 0}, "handsfreeVOX 1; edr 0; bitpoolRate 1; sidetone 0"},
    {{0x6010, 0x6012},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; smartNaviSystem 0; word 2 = 0x0068; word 3 = 0; voxSensitivity 0 = 2; "
     "voxSensitivity 1 = 0; FM 6 1"},
    {{0x6014, 0x6016, 0x6018, 0x6026},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; "
     "audioBoost 1; hdIntercom 1; smartNaviSystem 0; word 2 = 0x006B; word 3 = 0; voxSensitivity 0 = 2; "
     "voxSensitivity 1 = 0; FM 6 1"},
    {{0x6020, 0x6022, 0x6024},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; smartNaviSystem 0; "
     "voxSensitivity 0 = 2; voxSensitivity 1 = 0"},
    {{0x6028, 0x6030, 0x6032},
     {1, 0},
     "autoOnOff 1; audioOverlay 0; intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; "
     "advancedNoiseControl 0; audioBoost 1; hdIntercom 1; smartNaviSystem 0; word 2 = 0x006B; word 3 = 0; "
     "voxSensitivity 0 = 2; voxSensitivity 1 = 0; FM 6 1"},
    {{0x6034},
     {1, 0},
     "autoOnOff 1; audioOverlay 0; intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; "
     "advancedNoiseControl 0; audioBoost 1; hdIntercom 1; smartNaviSystem 0; word 2 = 0x0068; word 3 = 0; "
     "voxSensitivity 0 = 2; voxSensitivity 1 = 0; FM 6 1"},
    {{0x6036},
     {1, 0},
     "autoOnOff 1; audioOverlay 0; intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; sidetone 0; "
     "advancedNoiseControl 0; audioBoost 1; hdIntercom 1; smartNaviSystem 0; word 2 = 0x0063; word 3 = 0; "
     "voxSensitivity 0 = 2; voxSensitivity 1 = 0; FM 6 1"},
    {{0x6038, 0x6039}, {1, 0}, "smartNaviSystem2 0; autoOff 0; simpleUI 1; " STANDARD "; FM 10 0"},
    {{0x6110, 0x6111, 0x6120, 0x6121}, {1, 0}, "edr 0; bitpoolRate 1; sidetone 0; advancedNoiseControl 0"},
    {{0x6112},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "hdIntercom 1; fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0; "
     "voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0"},
    {{0x6114},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; sidetone 0; advancedNoiseControl 0; audioBoost 1; "
     "fmStationGuide 1; voxSensitivity 0 = 3; voxSensitivity 1 = 0; FM 10 0"},
    {{0x6210},
     {1, 9},
     "intercomVOX 0; handsfreeVOX 1; bitpoolRate 1; voicePrompt 0; advancedNoiseControl 0; audioBoost 1; "
     "hdIntercom 1; fmStationGuide 1; FM 10 0"},
    {{0x6210},
     {2, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; advancedNoiseControl 0; audioBoost 1; hdIntercom 1; "
     "fmStationGuide 1; FM 10 0; hdVoice 0; audioSourcePriority 0; audioOverlay 0"},
    {{0x6320, 0x6330, 0x6335},
     {1, 0},
     "handsfreeVOX 1; voicePrompt 0; advancedNoiseControl 0; hdIntercom 1; hdVoice 1"},
    {{0x6400},
     {1, 0},
     "intercomVOX 0; handsfreeVOX 1; voicePrompt 0; advancedNoiseControl 0; audioBoost 1; hdIntercom 1; "
     "fmStationGuide 1; hdVoice 0; audioSourcePriority 0; audioOverlay 0; voxSensitivity 0 = 2; "
     "voxSensitivity 1 = 0; FM 10 0"},
    {{0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}, {1, 0}, "handsfreeVOX 1; edr 0"},
    {{0x6461, 0x6481, 0x6491}, {1, 0}, STANDARD "; backgroundVolume 4"},
    {{0x6500, 0x6510}, {1, 0}, "word 0 = 0x1C21; word 1 = 0x1980; FM 10 0"},
    {{0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6808, 0x6810, 0x6811, 0x6812, 0x6814, 0x6815, 0x6816,
      0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6839, 0x6840, 0x6A01, 0x6A02, 0x6A03, 0x6A04},
     {1, 0},
     "word 0 = 3; word 1 = 0x2200"},
    {{0x6806}, {1, 0}, "word 0 = 3; word 1 = 0x2200; fmRadioRDS 0"},
    {{0x6838}, {1, 0}, "word 0 = 0x020B; word 1 = 0x2200"},
};
// clang-format on

#undef STANDARD

class ModelReset : public testing::TestWithParam<ResetCase> {};

TEST_P(ModelReset, WritesTheListedValuesAndLeavesOtherFieldsAlone) { expectReset(GetParam()); }

INSTANTIATE_TEST_SUITE_P(EveryModelAndBand, ModelReset, testing::ValuesIn(kResetCases),
                         [](const testing::TestParamInfo<ResetCase>& info) { return caseName(info.param); });

TEST(ModelReset, ModelOutsideTheTableOnlyClearsTheWordsAndSpeedDials) {
    // 0x602E has the six-preset FM page but no factory row.
    expectReset({{0x0000, 0x3020, 0x602E, 0x2012, 0x8000, -1}, {1, 0}, ""});
}

TEST(ModelReset, TheTableNamesEachCheckedModelOnceAndNoOther) {
    std::multiset<int32_t> inTable;
    for (const auto& row : device::defaults::table()) inTable.insert(row.ids.begin(), row.ids.end());
    std::set<int32_t> checked;
    for (const auto& c : kResetCases) checked.insert(c.ids.begin(), c.ids.end());
    EXPECT_EQ(std::set<int32_t>(inTable.begin(), inTable.end()), checked);
    for (int32_t id : checked) EXPECT_EQ(inTable.count(id), 1u) << "product id 0x" << std::hex << id;
}

// ---- FM page --------------------------------------------------------------------------------

struct FMPageCase {
    const char* name;
    int32_t recognized;  // the record's model, which decides the preset count
    int32_t device;      // the model passed, which with the version decides the region
    Fw firmware;
    int32_t region;
    int clearedPresets;
};

void PrintTo(const FMPageCase& c, std::ostream* os) { *os << c.name; }

class FMPageReset : public testing::TestWithParam<FMPageCase> {};

TEST_P(FMPageReset, ClearsTheModelsPresetsAndSetsTheRegion) {
    const FMPageCase& c = GetParam();
    R r = sentinelRecord(c.recognized, {7, 7});
    Values want = observe(r);
    want["fmRadioRegion"] = c.region;
    want["fmRadioRDS"] = 0;
    for (int i = 0; i < c.clearedPresets; ++i) want[element("preset", i)] = 0;
    r.initializeSecondObjectWithDevice(c.device, c.firmware.major, c.firmware.minor);
    std::string diff = differences(observe(r), want);
    EXPECT_TRUE(diff.empty()) << diff;
    EXPECT_EQ(r.speedDialAt(0), std::optional<std::string>("0123456789"));
}

INSTANTIATE_TEST_SUITE_P(Cases, FMPageReset,
                         testing::ValuesIn(std::vector<FMPageCase>{
                             {"RegionOneFor4210From1_1", 0x4210, 0x4210, {1, 1}, 1, 10},
                             {"RegionOneFor4210At1_10", 0x4210, 0x4210, {1, 10}, 1, 10},
                             {"RegionZeroFor4210Below1_1", 0x4210, 0x4210, {1, 0}, 0, 10},
                             {"RegionZeroForOtherModels", 0x2030, 0x2030, {2, 0}, 0, 10},
                             {"SixPresetModel", 0x6030, 0x6030, {1, 0}, 0, 6},
                             {"SixPresetModel602E", 0x602E, 0x602E, {1, 0}, 0, 6},
                             {"PresetCountFollowsTheRecordNotTheArgument", 0x6030, 0x6031, {1, 0}, 0, 6},
                             {"TenPresetsWhenOnlyTheArgumentIsSixPreset", 0x6031, 0x6030, {1, 0}, 0, 10},
                             {"RegionFollowsTheArgumentNotTheRecord", 0x2030, 0x4210, {1, 1}, 1, 10},
                         }),
                         [](const testing::TestParamInfo<FMPageCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- speed dials and factories ------------------------------------------------------------------

TEST(SpeedDialReset, EmptiesAllThreeDialsAndNothingElse) {
    R r = sentinelRecord(0x6838, {1, 0});
    r.setSpeedDialAt(1, std::nullopt);
    Values before = observe(r);
    r.initializeSpeedDialObjectWithDevice(0x6838, 1, 0);
    for (int i = 0; i < R::kSpeedDials; ++i) EXPECT_EQ(r.speedDialAt(i), std::optional<std::string>(""));
    EXPECT_TRUE(differences(observe(r), before).empty());
}

R factorySource(int32_t productId, Fw own) {
    R s = sentinelRecord(productId, own);
    s.setDeviceName("Helmet");
    s.setDeviceVersion01Major(3, 4);
    return s;
}

TEST(DefaultRecordFactory, CopiesTheSourceThenResetsItForTheSourcesModelAndFirmware) {
    R source = factorySource(0x4D10, {4, 0});
    R made = R::makeDefaultDataWithSource(source);
    EXPECT_EQ(made.deviceRecognized(), 0x4D10);
    EXPECT_EQ(made.deviceName(), std::optional<std::string>("Helmet"));
    EXPECT_EQ(made.deviceVersionMajor01(), 3);  // version sets travel with the copy
    EXPECT_EQ(made.handsfreeVOX(), 1);          // the 4.0 band
    EXPECT_EQ(made.plc(), 1);
    EXPECT_EQ(made.bitpoolRate(), source.bitpoolRate());  // named only from 4.1
    EXPECT_EQ(made.radioTransmitGain(), source.radioTransmitGain());
    EXPECT_EQ(made.basicSettingFERRIK(0), 0);
    EXPECT_EQ(made.fmRadioPresetsAt(0), source.fmRadioPresetsAt(0));
    EXPECT_EQ(made.speedDialAt(0), std::optional<std::string>(""));
}

TEST(DefaultRecordFactory, BandsOnTheRecordsOwnVersionSeeTheSourcesVersion) {
    R made = R::makeDefaultDataWithSource(factorySource(0x5510, {1, 0, 2, 3}));
    EXPECT_EQ(made.audioBoost(), 1);
    made = R::makeDefaultDataWithSource(factorySource(0x5510, {1, 0, 2, 2}));
    EXPECT_EQ(made.audioBoost(), 0);
}

TEST(DefaultRecordFactory, SecondResetsOnlyTheFMPage) {
    R source = factorySource(0x4210, {1, 1});
    R made = R::makeDefaultSecondDataWithSource(source);
    EXPECT_EQ(made.fmRadioRegion(), 1);
    EXPECT_EQ(made.fmRadioPresetsAt(9), 0);
    EXPECT_EQ(made.fmRadioRDS(), 0);
    EXPECT_EQ(made.fmRadioMagicCode(), source.fmRadioMagicCode());
    EXPECT_EQ(made.basicSettingFERRIK(2), source.basicSettingFERRIK(2));
    EXPECT_EQ(made.speedDialAt(0), source.speedDialAt(0));
}

TEST(DefaultRecordFactory, SpeedDialResetsOnlyTheDials) {
    R source = factorySource(0x6838, {1, 0});
    R made = R::makeDefaultSpeedDialDataWithSource(source);
    EXPECT_EQ(made.speedDialAt(2), std::optional<std::string>(""));
    EXPECT_EQ(made.basicSettingFERRIK(0), source.basicSettingFERRIK(0));
    EXPECT_EQ(made.fmRadioPresetsAt(0), source.fmRadioPresetsAt(0));
}

}  // namespace
