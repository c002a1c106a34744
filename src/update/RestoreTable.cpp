#include "update/RestoreTable.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "device/SettingGetters.h"

namespace update {

namespace {

using app::TextId;
using G = device::SettingGetter;
using Record = device::ORVABluetoothDeviceData;

enum class R : uint8_t {
    onOff,        // 0 Disabled, else Enabled
    oneIsOff,     // 1 Disabled, else Enabled
    zeroIsOn,     // 0 Enabled, else Disabled
    number,       // the value plus the offset
    elevenMinus,  // 11 minus the value
    languageA,
    languageB,
    languageC,
    languageD,
    meshChannel,
    textMap  // listed values, else the other text
};

struct MapEntry {
    int32_t value;
    const char* text;
};

struct RowKind {
    const char* label;  // English, the key of its 13-language table
    G getter;
    R rule;
    std::vector<MapEntry> map;
    int32_t offset = 0;
    const char* other = nullptr;
};

// T1 to T109. T44 reads the voice-prompt codec as the product does; T93 is shown three times in
// L95 as the product lists it (both to be aligned with the all-settings list).
const std::vector<RowKind>& rowKinds() {
    static const std::vector<RowKind> kinds = {
        {"Audio Multitasking™", G::getBasicSettingFERRIKAudioMultitasking, R::onOff, {}},  // T1
        {"Intercom-audio Overlay Sensi...", G::getBasicSettingFERRIKAudioMultitaskingSensitivity, R::elevenMinus, {}},  // T2
        {"Audio Overlay Volume Management", G::getBasicSettingFERRIKNavigationAppOverlay, R::onOff, {}},  // T3
        {"Audio Boost", G::getBasicSettingFERRIKAudioBoost, R::onOff, {}},  // T4
        {"Smart Volume Control", G::getBasicSettingFERRIKSmartVolumeControl, R::textMap, {{0, "Disable"}, {1, "Low"}, {2, "Medium"}}, 0, "High"},  // T5
        {"VOX Phone", G::getBasicSettingFERRIKVOXPhone, R::onOff, {}},  // T6
        {"HD Intercom", G::getBasicSettingFERRIKHDIntercom, R::onOff, {}},  // T7
        {"Eight-way Intercom", G::getBasicSettingFERRIKEightWayIntercom, R::onOff, {}},  // T8
        {"Voice Prompt", G::getBasicSettingFERRIKVoicePrompt, R::onOff, {}},  // T9
        {"FM Station Guide", G::getBasicSettingFERRIKFMStationGuide, R::onOff, {}},  // T10
        {"Sidetone", G::getBasicSettingFERRIKSidetone, R::onOff, {}},  // T11
        {"Advanced Noise Control™", G::getBasicSettingFERRIKAdvancedNoiseControl, R::onOff, {}},  // T12
        {"Voice Command", G::GetBasicSettingFERRIKVoiceCommand, R::onOff, {}},  // T13
        {"Voice Prompt", G::voicePrompt, R::oneIsOff, {}},  // T14
        {"FM Station Guide", G::fmStationGuide, R::onOff, {}},  // T15
        {"Advanced Noise Control™", G::advancedNoiseControl, R::oneIsOff, {}},  // T16
        {"Unit Language", G::GetBasicSettingdunvikUnitLanguage, R::languageA, {}},  // T17
        {"Sidetone", G::sidetone, R::onOff, {}},  // T18
        {"Headset Language", G::GetBasicSettingdunvikUnitLanguage, R::languageA, {}},  // T19
        {"Audio Boost", G::GetBasicSettingGESSAAudioBoost, R::oneIsOff, {}},  // T20
        {"VOX Phone", G::GetBasicSettingGESSAVOXPhone, R::onOff, {}},  // T21
        {"VOX Intercom", G::GetBasicSettingGESSAVOXIntercom, R::onOff, {}},  // T22
        {"HD Intercom", G::GetBasicSettingGESSAHDIntercom, R::onOff, {}},  // T23
        {"Voice Prompt", G::GetBasicSettingGESSAVoicePrompt, R::oneIsOff, {}},  // T24
        {"High Quality A2DP", G::GetBasicSettingGESSAHighQulityA2DP, R::onOff, {}},  // T25
        {"Sidetone", G::GetBasicSettingGESSASidetone, R::onOff, {}},  // T26
        {"Advanced Noise Control™", G::GetBasicSettingGESSAAdvancedNoiseControl, R::oneIsOff, {}},  // T27
        {"FM Station Guide", G::GetBasicSettingGESSAFMStationGuide, R::onOff, {}},  // T28
        {"Guest Mode", G::GetBasicSettingGESSAMeshGuestMode, R::onOff, {}},  // T29
        {"VOX Sensitivity", G::GetBasicSettingGESSAVoxSensitivity, R::number, {}},  // T30
        {"Smart Volume Control", G::GetBasicSettingGESSAAGCSensitivity, R::textMap, {{0, "Disable"}, {1, "Low"}, {2, "Medium"}}, 0, "High"},  // T31
        {"Audio Overlay Volume Management", G::GetBasicSettingGESSAAudioOverlayVolumeManagement, R::onOff, {}},  // T32
        {"Intercom-audio Overlay Sensi...", G::GetBasicSettingGESSAAudioOverlaySensitivity, R::number, {}},  // T33
        {"Voice Command", G::GetBasicSettingGESSAVoiceCommand, R::onOff, {}},  // T34
        {"Bluetooth Intercom Audio Multitasking™", G::GetBasicSettingGESSAAudioOverlay, R::onOff, {}},  // T35
        {"Unit Language", G::GetBasicSettingGESSAUnitLanguage, R::languageA, {}},  // T36
        {"HD Speaker Accessory", G::GetBasicSettingGESSAHDSpeakerAccessory, R::onOff, {}},  // T37
        {"Audio Equalizer", G::GetBasicSetting30Equalizer, R::textMap, {{1, "Balance"}, {2, "Bass Boost"}, {3, "Mid Boost"}, {4, "Treble Boost"}}, 0, "Off"},  // T38
        {"Channel Setting", G::GetBasicSettingPEMVIKPumeliMeshPublicChannel, R::meshChannel, {}},  // T39
        {"Headset Language", G::GetBasicSettingGESSAUnitLanguage, R::languageA, {}},  // T40
        {"Audio Equalizer", G::GetBasicSetting50Equalizer, R::textMap, {{1, "Music Enhanced"}, {2, "Voice"}, {3, "Bass Boost"}, {4, "Treble Boost"}}, 0, "Music Balance"},  // T41
        {"Audio Boost", G::audioBoost, R::oneIsOff, {}},  // T42
        {"HD Voice", G::GetBasicSettingLUTRAHDVoice, R::onOff, {}},  // T43
        {"Voice Assistant", G::GetBasicSettingGESSAVoicePrompt, R::oneIsOff, {}},  // T44
        {"Audio Overlay Volume Management", G::GetBasicSettingGESSAAudioOverlayVolumeManagement, R::zeroIsOn, {}},  // T45
        {"FM Radio", G::GetBasicSettingFMRadioOnOkemba, R::onOff, {}},  // T46
        {"Smartphone Connection", G::GetBasicSettingPhoneOnOkemba, R::onOff, {}},  // T47
        {"Unit Language", G::GetBasicSettingSULVANEUnitLanguage, R::languageA, {}},  // T48
        {"Voice Prompt", G::GetBasicSettingLenvoraMeshPublicChannel, R::oneIsOff, {}},  // T49
        {"FM Station Guide", G::GetBasicSettingLenvoraRemoteUIPTT, R::onOff, {}},  // T50
        {"Unit Language", G::GetBasicSettingZANDRELUnitLanguage, R::languageD, {}},  // T51
        {"Audio Equalizer", G::GetBasicSetting50Equalizer, R::textMap, {{1, "Balance"}, {2, "Bass Boost"}, {3, "Mid Boost"}, {4, "Treble Boost"}}, 0, "Off"},  // T52
        {"Audio Equalizer", G::GetBasicSettingDUNVIKEqualizer, R::textMap, {{1, "Balance"}, {2, "Bass Boost"}, {3, "Mid Boost"}, {4, "Treble Boost"}}, 0, "Off"},  // T53
        {"VOX Phone", G::handsfreeVOX, R::onOff, {}},  // T54
        {"VOX Intercom", G::intercomVOX, R::onOff, {}},  // T55
        {"Audio Multitasking™", G::audioOverlay, R::onOff, {}},  // T56
        {"Audio Source Priority", G::audioSourcePriority, R::textMap, {{1, "Music"}}, 0, "Intercom"},  // T57
        {"HD Voice", G::hdVoice, R::onOff, {}},  // T58
        {"HD Intercom", G::hdIntercom, R::onOff, {}},  // T59
        {"Unit Language", G::GetBasicSettingCelvarUnitLanguage, R::languageB, {}},  // T60
        {"HD Speaker Accessory", G::GetBasicSettingCelvarHDSpeakerAccessory, R::onOff, {}},  // T61
        {"Advanced features", G::GetBasicSettingUILayer, R::onOff, {}},  // T62
        {"Unit Language", G::GetBasicSettingdunvikUnitLanguage, R::languageB, {}},  // T63
        {"Channel", G::basicSettingAlventoChannelAt, R::number, {}, 1},  // T64
        {"Volume", G::basicSettingAlventoVolumeAt, R::number, {}, -7},  // T65
        {"Motion Sensor Sensitivity", G::getBasicSettingFERRIKMotionSensorSensitivity, R::textMap, {{1, "Disable"}, {2, "Low"}}, 0, "High"},  // T66
        {"Navigation App Support", G::getBasicSettingFERRIKNavigationAppOverlay, R::onOff, {}},  // T67
        {"White LED Always On", G::getBasicSettingFERRIKLEDControl, R::onOff, {}},  // T68
        {"Smart Volume Control", G::basicSettingYELVARSmartVolumeControlAt, R::textMap, {{0, "Disable"}, {1, "Low"}, {2, "Medium"}}, 0, "High"},  // T69
        {"Audio Overlay™", G::audioOverlay, R::onOff, {}},  // T70
        {"VOX Sensitivity", G::basicSettingBELMORAVOXSensitivityAt, R::number, {}},  // T71
        {"High Quality A2DP", G::bitpoolRate, R::onOff, {}},  // T72
        {"Photo Mode", G::getBasicSettingTAVRINCameraPhotoMode, R::textMap, {{0, "Single Shot"}}, 0, "Burst Shot"},  // T73
        {"Video Mode", G::getBasicSettingTAVRINCameraVideoMode, R::textMap, {{0, "Video Mode"}}, 0, "Timelapse Mode"},  // T74
        {"Video Resolution", G::getBasicSettingTAVRINCameraVideoResolution, R::textMap, {{0, "1080p/30fps"}, {1, "720p/60fps"}}, 0, "720p/30fps"},  // T75
        {"Timelapse Interval", G::getBasicSettingTAVRINCameraTimelapseInterval, R::textMap, {{0, "1 sec"}}, 0, "10 secs"},  // T76
        {"Date Caption", G::getBasicSettingTAVRINCameraDateCaption, R::onOff, {}},  // T77
        {"Speaker Sound Recording", G::getBasicSettingTAVRINCameraSpeakerSoundRecording, R::onOff, {}},  // T78
        {"▶ Music", G::getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic, R::onOff, {}},  // T79
        {"▶ FM Radio", G::getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio, R::onOff, {}},  // T80
        {"▶ Intercom", G::getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom, R::onOff, {}},  // T81
        {"▶ Phone", G::getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone, R::onOff, {}},  // T82
        {"Auto Camera Sleep", G::getBasicSettingTAVRINCameraAutoCameraSleep, R::onOff, {}},  // T83
        {"Video Tagging Interval", G::getBasicSettingTAVRINCameraVideoTaggingInterval, R::textMap, {{0, "1 min"}, {1, "3 mins"}}, 0, "5 mins"},  // T84
        {"Loop Recording Mode", G::getBasicSettingTAVRINCameraLoopRecordingInterval, R::textMap, {{0, "1 min"}, {1, "3 mins"}}, 0, "5 mins"},  // T85
        {"Video Microphone Gain", G::getBasicSettingTAVRINCameraVideoMicrophoneGain, R::textMap, {{0, "Low"}, {1, "Medium"}}, 0, "High"},  // T86
        {"HD Speaker Accessory", G::getBasicSettingHIDOneModuleHDSpeakerAccessory, R::onOff, {}},  // T87
        {"Auto Start Recording", G::autoStartRecording, R::oneIsOff, {}},  // T88
        {"Audio Equalizer", G::GetBasicSettingDUNVIKEqualizer, R::textMap, {{1, "Music Enhanced"}, {2, "Voice"}, {3, "Bass Boost"}, {4, "Treble Boost"}}, 0, "Music Balance"},  // T89
        {"Headset Language", G::GetBasicSettingdunvikUnitLanguage, R::languageC, {}},  // T90
        {"ESS Configuration", G::getEssStatus, R::textMap, {{1, "Headlight + ESS"}, {2, "Flashing light + ESS"}, {3, "Disabled function"}}, 0, "ESS LIGHT"},  // T91
        {"ESS Sensitivity", G::getEssSensitivity, R::textMap, {{1, "Low"}, {3, "High"}}, 0, "Medium"},  // T92
        {"Smart Navi System", G::smartNaviSystem, R::onOff, {}},  // T93
        {"Audio Multitasking", G::audioOverlay, R::onOff, {}},  // T94
        {"Auto On-Off", G::autoOnOff, R::oneIsOff, {}},  // T95
        {"VOX Sensitivity", G::basicSettingBELMORAVOXSensitivityAt, R::number, {}, -1},  // T96
        {"Audio Equalizer", G::GetBasicSettingQCCAudioEqualizer, R::textMap, {{1, "Balance"}, {2, "Bass Boost"}, {3, "Mid Boost"}, {4, "Treble Boost"}}, 0, "Off"},  // T97
        {"VOX Sensitivity", G::GetBasicSettingQCCVOXSensitivity, R::number, {}, 1},  // T98
        {"Audio Overlay Volume Management", G::GetBasicSettingQCCAudioOverlayVolumeManagement, R::onOff, {}},  // T99
        {"Intercom-audio Overlay Sensi...", G::GetBasicSettingQCCAudioOverlaySensitivity, R::number, {}},  // T100
        {"Headset Language", G::GetBasicSettingAirohaUnitLanguage, R::languageA, {}},  // T101
        {"Audio Equalizer", G::GetBasicSettingAirohaAudioEqualizer, R::textMap, {{1, "Balance"}, {2, "Bass Boost"}, {3, "Mid Boost"}, {4, "Treble Boost"}}, 0, "Off"},  // T102
        {"VOX Phone", G::GetBasicSettingAirohaVOXPhone, R::onOff, {}},  // T103
        {"Voice Prompt", G::GetBasicSettingAirohaVoicePrompt, R::onOff, {}},  // T104
        {"VOX Sensitivity", G::GetBasicSettingAirohaVoxSensitivity, R::number, {}, 1},  // T105
        {"Audio Overlay Volume Management", G::GetBasicSettingAirohaAudioOverlayVolumeManagement, R::onOff, {}},  // T106
        {"Intercom-audio Overlay Sensi...", G::GetBasicSettingAirohaIntercomAudioOverlaySensitivity, R::number, {}, 1},  // T107
        {"FM Station Guide", G::GetBasicSettingAirohaFMStation, R::onOff, {}},  // T108
        {"Headset Language", G::GetBasicSettingAirohaVARROUnitLanguage, R::languageA, {}},  // T109
    };
    return kinds;
}

// Language maps: stored value -> index of the headset-language name table (0 English ... 23 Hindi).
const std::map<R, std::vector<int>>& languageMaps() {
    static const std::map<R, std::vector<int>> maps = {
        {R::languageA, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {R::languageB, {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11}},
        {R::languageC, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 12}},
        {R::languageD, {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 11, 12}},
    };
    return maps;
}

// The setting texts of the catalogue by their English form (the first entry of a text wins).
std::optional<TextId> settingTextId(std::string_view english) {
    static const std::map<std::string, TextId, std::less<>> index = [] {
        std::map<std::string, TextId, std::less<>> byEnglish;
        for (size_t i = 0; i < app::kTextIdCount; ++i) {
            const auto id = static_cast<TextId>(i);
            if (!std::string_view(app::catalogueEntryName(id)).starts_with("setting_")) continue;
            byEnglish.emplace(std::string(app::localizedText(id, 0)), id);
        }
        return byEnglish;
    }();
    const auto it = index.find(english);
    if (it == index.end()) return std::nullopt;
    return it->second;
}

std::string settingText(std::string_view english, int language) {
    if (english == "Disable") return app::AppTexts::qelm_string_disable_in(language);
    const auto id = settingTextId(english);
    return id ? std::string(app::localizedText(*id, language)) : std::string(english);
}

std::string onOff(bool enabled, int language) {
    return enabled ? app::AppTexts::qelm_string_enabled_in(language) : app::AppTexts::qelm_string_disabled_in(language);
}

const RowKind* kindOf(int kind) {
    return kind >= 1 && kind <= kRestoreRowKinds ? &rowKinds()[static_cast<size_t>(kind - 1)] : nullptr;
}

// Headset-language names of the interface language by index 0-23.
std::string headsetLanguageName(int index, int language) {
    static const TextId kNames[] = {
        TextId::setting_headset_language_0,  TextId::setting_headset_language_1,  TextId::setting_headset_language_2,
        TextId::setting_headset_language_3,  TextId::setting_headset_language_4,  TextId::setting_headset_language_5,
        TextId::setting_headset_language_6,  TextId::setting_headset_language_7,  TextId::setting_headset_language_8,
        TextId::setting_headset_language_9,  TextId::setting_headset_language_10, TextId::setting_headset_language_11,
        TextId::setting_headset_language_12, TextId::setting_headset_language_13, TextId::setting_headset_language_14,
        TextId::setting_headset_language_15, TextId::setting_headset_language_16, TextId::setting_headset_language_17,
        TextId::setting_headset_language_18, TextId::setting_headset_language_19, TextId::setting_headset_language_20,
        TextId::setting_headset_language_21, TextId::setting_headset_language_22, TextId::setting_headset_language_23};
    const int i = index >= 0 && index < 24 ? index : 0;
    return std::string(app::localizedText(kNames[static_cast<size_t>(i)], language));
}

std::string valueText(const RowKind& k, int32_t v, int language) {
    switch (k.rule) {
        case R::onOff: return onOff(v != 0, language);
        case R::oneIsOff: return onOff(v != 1, language);
        case R::zeroIsOn: return onOff(v == 0, language);
        case R::number: return app::formatText("%d", {static_cast<long long>(v) + k.offset});
        case R::elevenMinus: return app::formatText("%d", {11LL - v});
        case R::languageA:
        case R::languageB:
        case R::languageC:
        case R::languageD: {
            const auto& map = languageMaps().at(k.rule);
            const int index = v >= 0 && static_cast<size_t>(v) < map.size() ? map[static_cast<size_t>(v)] : 0;
            return headsetLanguageName(index, language);
        }
        case R::meshChannel:
            // Names for 0-8; beyond them the same form, and no channel below 0.
            if (v < 0) return "-";
            if (v <= 8) {
                static const TextId kChannels[] = {
                    TextId::setting_channel_1_common, TextId::restore_channel_2, TextId::restore_channel_3,
                    TextId::restore_channel_4,        TextId::restore_channel_5, TextId::restore_channel_6,
                    TextId::restore_channel_7,        TextId::restore_channel_8, TextId::restore_channel_9};
                return std::string(app::localizedText(kChannels[static_cast<size_t>(v)], language));
            }
            return app::formatText("CH %d", {static_cast<long long>(v) + 1});
        case R::textMap:
            for (const MapEntry& e : k.map)
                if (e.value == v) return settingText(e.text, language);
            return settingText(k.other, language);
    }
    return {};
}

enum class Fm : uint8_t { any, shown, hidden };

struct Band {
    int32_t major, minor;
    Fm fm;
    int list;  // 1-106; 50 is the empty list
};

struct ModelRows {
    std::vector<int32_t> models;
    std::vector<Band> bands;
};

// Row lists, row kinds by number (L1 first).
const std::vector<std::vector<uint8_t>> kRowLists = {
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},  // L1
    {14, 15, 16},  // L2
    {14, 16},  // L3
    {14, 15},  // L4
    {14},  // L5
    {17, 14, 15, 18},  // L6
    {17, 14, 18},  // L7
    {19, 14},  // L8
    {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34},  // L9
    {20, 21, 22, 35, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34},  // L10
    {36, 20, 21, 22, 35, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34},  // L11
    {36, 20, 21, 22, 35, 23, 24, 25, 26, 27, 28, 30, 31, 32, 33, 34},  // L12
    {36, 21, 22, 35, 23, 24, 25, 26, 27, 28, 30, 31, 32, 33, 34, 20, 37, 38},  // L13
    {20, 21, 22, 35, 23, 24, 25, 26, 27, 28, 30, 31, 32, 33, 34},  // L14
    {21, 22, 35, 23, 24, 25, 26, 27, 28, 30, 31, 32, 33, 34, 20, 37, 38},  // L15
    {36, 20, 21, 23, 24, 27, 28, 30, 32, 33},  // L16
    {36, 24, 26, 28, 34},  // L17
    {36, 24, 26, 34},  // L18
    {39, 24, 26, 27, 28},  // L19
    {39, 24, 26, 27},  // L20
    {40, 41, 42, 21, 22, 35, 23, 43, 44, 24, 26, 27, 28, 30, 31, 32, 33},  // L21
    {36, 24, 26, 28, 32, 33},  // L22
    {36, 26, 28, 45, 33, 46, 47},  // L23
    {48, 24, 28},  // L24
    {36, 41, 21, 22, 35, 23, 43, 24, 26, 27, 28, 30, 31, 32, 33},  // L25
    {49, 48, 50},  // L26
    {51, 52, 21, 22, 35, 23, 43, 24, 26, 27, 28, 30, 31, 32, 33},  // L27
    {40, 41, 21, 22, 35, 23, 43, 24, 26, 27, 30, 31, 32, 33},  // L28
    {53, 54, 55, 56, 57, 58, 59, 19, 14},  // L29
    {40, 52, 21, 22, 35, 23, 43, 24, 26, 27, 28, 30, 31, 32, 33},  // L30
    {17, 53, 54, 55, 56, 57, 58, 59, 14, 18, 16},  // L31
    {60, 61, 52, 21, 22, 35, 23, 43, 24, 26, 27, 28, 30, 31, 32, 33, 62},  // L32
    {60, 52, 21, 22, 35, 23, 43, 24, 26, 27, 28, 30, 31, 32, 33, 62},  // L33
    {61, 52, 54, 55, 56, 57, 58, 59, 63, 14, 62},  // L34
    {52, 54, 55, 56, 57, 58, 59, 63, 14, 62},  // L35
    {54, 55, 56, 57, 58, 59, 19},  // L36
    {54, 55, 56, 57, 58, 59, 19, 14, 15},  // L37
    {53, 54, 58, 59, 19, 14},  // L38
    {54, 55, 56, 57, 58, 59, 63, 14, 62},  // L39
    {64},  // L40
    {64, 65},  // L41
    {53, 54, 55, 56, 57, 58, 19, 14},  // L42
    {17},  // L43
    {6, 11, 1, 2},  // L44
    {6, 11, 66, 1, 2, 67},  // L45
    {1, 2, 67, 4, 66, 6, 7, 8, 9, 11, 12},  // L46
    {1, 2, 67, 4, 5, 66, 6, 7, 8, 9, 10, 11, 12},  // L47
    {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13},  // L48
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 68},  // L49
    {},  // L50
    {42, 69, 54, 70, 71, 14, 18},  // L51
    {42, 69, 54, 70, 58, 71, 14, 18},  // L52
    {42, 69, 54, 55, 70, 57, 58, 59, 71, 14, 18, 16},  // L53
    {42, 69, 54, 55, 70, 57, 59, 71, 14, 15, 18, 16},  // L54
    {42, 69, 54, 55, 70, 57, 58, 59, 71, 14, 15, 18, 16},  // L55
    {42, 69, 54, 55, 57, 59, 71, 14, 15, 18, 16},  // L56
    {17, 42, 54, 55, 56, 57, 58, 59, 71, 69, 14, 15, 18, 16},  // L57
    {42, 54, 55, 56, 57, 58, 59, 71, 69, 14, 15, 18, 16},  // L58
    {42, 54, 55, 14, 72, 18, 16, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83},  // L59
    {42, 54, 55, 59, 14, 72, 18, 16, 73, 74, 75, 76, 84, 85, 86, 77, 78, 79, 80, 81, 82, 83},  // L60
    {42, 54, 55, 59, 14, 15, 72, 18, 16, 73, 74, 75, 76, 84, 85, 86, 77, 78, 79, 80, 81, 82, 83},  // L61
    {42, 54, 55, 56, 57, 58, 59, 14, 15, 18, 16, 73, 74, 75, 76, 84, 85, 86, 77, 78, 79, 80, 81, 82, 83},  // L62
    {42, 54, 55, 71, 14, 72, 18, 16},  // L63
    {42, 54, 55, 59, 71, 14, 72, 18, 16},  // L64
    {42, 54, 55, 59, 71, 14, 15, 72, 18, 16},  // L65
    {42, 54, 55, 56, 57, 58, 59, 71, 14, 15, 18, 16},  // L66
    {42, 14, 15, 72, 16},  // L67
    {42, 14, 72, 16},  // L68
    {42, 56, 57, 58, 14, 15, 16},  // L69
    {42, 54, 55, 59, 14, 72, 18, 16},  // L70
    {42, 54, 55, 58, 59, 14, 15, 72, 18, 16},  // L71
    {42, 54, 55, 56, 57, 58, 59, 14, 15, 18, 16},  // L72
    {53, 54, 55, 56, 57, 58, 59, 19, 14, 15, 18, 16},  // L73
    {42, 59, 14, 15, 72, 16},  // L74
    {53, 58, 14, 15, 19},  // L75
    {15},  // L76
    {54, 55, 56, 57, 58, 59, 14, 15, 18, 16, 42, 87, 53},  // L77
    {88, 42, 54, 55, 56, 57, 58, 59, 14, 15, 18, 16},  // L78
    {42, 54, 55, 59, 14, 15, 72, 18, 16},  // L79
    {54, 55, 56, 57, 58, 59, 19, 14},  // L80
    {53, 54, 55, 56, 57, 58, 59, 14},  // L81
    {42, 54, 55, 14, 72, 18, 16},  // L82
    {42, 69, 54, 55, 59, 14, 72, 16},  // L83
    {42, 69, 54, 55, 59, 71, 14, 72, 16},  // L84
    {42, 69, 54, 55, 56, 57, 58, 59, 71, 14, 15, 16},  // L85
    {42, 54, 55, 56, 57, 58, 59, 71, 14, 18, 16},  // L86
    {42, 69, 54, 55, 57, 58, 59, 71, 14, 16},  // L87
    {89, 58, 14, 90},  // L88
    {42, 54, 55, 59, 71, 14, 72, 18, 16, 91, 92},  // L89
    {93, 42, 54, 55, 59, 71, 14, 72, 18, 16, 91, 92},  // L90
    {93, 42, 54, 55, 59, 71, 14, 72, 18, 16},  // L91
    {93, 54, 71, 14, 18, 16},  // L92
    {94, 93, 95, 42, 54, 55, 59, 71, 14, 18, 16},  // L93
    {94, 93, 95, 42, 54, 55, 59, 71, 14, 18, 16, 91, 92},  // L94
    {42, 59, 18, 16, 93, 93, 93, 54, 96, 14, 19},  // L95
    {42, 54, 55, 59, 14, 15, 72, 16},  // L96
    {42, 54, 55, 56, 57, 58, 59, 14, 15, 16},  // L97
    {17, 14},  // L98
    {17, 54, 58, 59, 14, 16},  // L99
    {42, 54, 55, 56, 57, 58, 59, 71, 14, 15, 16},  // L100
    {97, 21, 43, 24, 28, 98, 99, 100},  // L101
    {101, 102, 103, 104, 105, 106, 107},  // L102
    {101, 104},  // L103
    {101, 103, 104, 105, 106, 107},  // L104
    {101, 102, 103, 104, 105, 106, 107, 108},  // L105
    {109, 102, 103, 104, 105, 106, 107},  // L106
};

// Models: their row list by band (newest band that the backup reaches) and FM flag.
const std::vector<ModelRows> kModelRows = {
    {{0x2030, 0x4310, 0x4330, 0x4510, 0x4530}, {{0, 0, Fm::any, 1}}},
    {{0x3030, 0x3040, 0x3060}, {{0, 0, Fm::any, 2}}},
    {{0x3032}, {{0, 0, Fm::shown, 2}, {1, 4, Fm::shown, 4}, {0, 0, Fm::hidden, 3}, {1, 4, Fm::hidden, 5}}},
    {{0x3050}, {{0, 0, Fm::shown, 2}, {1, 4, Fm::shown, 4}, {0, 0, Fm::hidden, 3}, {1, 4, Fm::hidden, 5}}},
    {{0x3070}, {{0, 0, Fm::shown, 6}, {0, 0, Fm::hidden, 7}}},
    {{0x3080}, {{0, 0, Fm::any, 7}}},
    {{0x3085}, {{0, 0, Fm::any, 8}}},
    {{0x3110}, {{0, 0, Fm::any, 9}, {1, 1, Fm::any, 10}, {2, 1, Fm::any, 11}, {3, 0, Fm::any, 12}, {3, 1, Fm::any, 13}}},
    {{0x3112}, {{0, 0, Fm::any, 9}, {1, 1, Fm::any, 10}, {3, 0, Fm::any, 14}, {3, 1, Fm::any, 15}}},
    {{0x3114}, {{0, 0, Fm::any, 9}, {1, 1, Fm::any, 10}, {3, 0, Fm::any, 14}}},
    {{0x3116}, {{0, 0, Fm::any, 11}, {2, 0, Fm::any, 12}}},
    {{0x3118}, {{0, 0, Fm::any, 16}}},
    {{0x3124, 0x3126, 0x3144}, {{0, 0, Fm::shown, 17}, {0, 0, Fm::hidden, 18}}},
    {{0x3128}, {{0, 0, Fm::shown, 19}, {0, 0, Fm::hidden, 20}}},
    {{0x3132, 0x3134, 0x3148, 0x3154, 0x3210, 0x3212, 0x3214, 0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321C, 0x3232, 0x3233, 0x3264, 0x3900}, {{0, 0, Fm::any, 21}}},
    {{0x3136}, {{0, 0, Fm::any, 22}, {1, 2, Fm::any, 22}}},
    {{0x3140}, {{0, 0, Fm::any, 12}}},
    {{0x3142}, {{0, 0, Fm::any, 23}}},
    {{0x3146}, {{0, 0, Fm::any, 13}}},
    {{0x3150}, {{0, 0, Fm::any, 24}}},
    {{0x3152}, {{0, 0, Fm::any, 18}}},
    {{0x3156, 0x3240}, {{0, 0, Fm::any, 25}}},
    {{0x3161}, {{0, 0, Fm::any, 26}}},
    {{0x3170}, {{0, 0, Fm::any, 27}}},
    {{0x3211}, {{0, 0, Fm::any, 28}}},
    {{0x3213}, {{0, 0, Fm::any, 21}}},
    {{0x3215}, {{0, 0, Fm::any, 28}}},
    {{0x321B}, {{0, 0, Fm::any, 29}}},
    {{0x3260}, {{0, 0, Fm::any, 30}}},
    {{0x3300}, {{0, 0, Fm::any, 31}}},
    {{0x3310, 0x3330}, {{0, 0, Fm::any, 32}}},
    {{0x3320}, {{0, 0, Fm::any, 33}}},
    {{0x3340}, {{0, 0, Fm::any, 34}}},
    {{0x3341}, {{0, 0, Fm::any, 35}}},
    {{0x3350}, {{0, 0, Fm::any, 36}}},
    {{0x3360}, {{0, 0, Fm::any, 36}}},
    {{0x3370, 0x3410}, {{0, 0, Fm::any, 37}}},
    {{0x3380, 0x4023, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445, 0x5590, 0x5591, 0x5593, 0x5597, 0x6900, 0x6910}, {{0, 0, Fm::any, 29}}},
    {{0x3400}, {{0, 0, Fm::any, 38}}},
    {{0x3420, 0x3430}, {{0, 0, Fm::any, 39}}},
    {{0x3500}, {{0, 0, Fm::any, 50}, {2, 2, Fm::any, 40}}},
    {{0x3540}, {{0, 0, Fm::any, 40}}},
    {{0x3560}, {{0, 0, Fm::any, 50}, {1, 1, Fm::any, 41}}},
    {{0x3570}, {{0, 0, Fm::any, 50}, {1, 1, Fm::any, 40}}},
    {{0x3701}, {{0, 0, Fm::any, 42}}},
    {{0x3800}, {{0, 0, Fm::any, 22}}},
    {{0x4050, 0x5564}, {{0, 0, Fm::any, 43}}},
    {{0x4210}, {{0, 0, Fm::any, 44}, {1, 1, Fm::any, 45}, {1, 2, Fm::any, 46}, {1, 5, Fm::any, 47}}},
    {{0x4410, 0x4430}, {{0, 0, Fm::any, 48}}},
    {{0x4610}, {{0, 0, Fm::any, 49}}},
    {{0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6461, 0x6481, 0x6491, 0x6600, 0x6610, 0x6620, 0x6700}, {{0, 0, Fm::any, 50}}},
    {{0x5410}, {{0, 0, Fm::any, 51}, {1, 1, Fm::any, 52}, {2, 0, Fm::any, 53}}},
    {{0x5412, 0x5414}, {{0, 0, Fm::any, 54}, {1, 1, Fm::any, 55}}},
    {{0x5416}, {{0, 0, Fm::any, 56}, {1, 1, Fm::any, 54}, {1, 2, Fm::any, 55}}},
    {{0x5418, 0x5420}, {{0, 0, Fm::any, 55}}},
    {{0x5424, 0x5428, 0x5430, 0x5432, 0x5434}, {{0, 0, Fm::any, 57}}},
    {{0x5426}, {{0, 0, Fm::any, 58}}},
    {{0x5510}, {{0, 0, Fm::any, 59}, {1, 1, Fm::any, 60}, {2, 0, Fm::any, 60}, {2, 2, Fm::any, 61}, {3, 0, Fm::any, 62}}},
    {{0x5520}, {{0, 0, Fm::any, 63}, {1, 1, Fm::any, 64}, {1, 3, Fm::any, 65}, {2, 0, Fm::any, 66}}},
    {{0x5522, 0x5536}, {{0, 0, Fm::any, 67}}},
    {{0x5524}, {{0, 0, Fm::any, 68}, {1, 1, Fm::any, 67}, {2, 0, Fm::any, 69}}},
    {{0x5526}, {{0, 0, Fm::any, 65}, {2, 0, Fm::any, 66}}},
    {{0x5530}, {{0, 0, Fm::any, 70}, {1, 4, Fm::any, 71}, {2, 0, Fm::any, 72}}},
    {{0x5532}, {{0, 0, Fm::any, 71}}},
    {{0x5534, 0x5538}, {{0, 0, Fm::any, 73}}},
    {{0x5550}, {{0, 0, Fm::any, 74}, {1, 2, Fm::any, 67}, {2, 0, Fm::any, 69}}},
    {{0x5552, 0x5553}, {{0, 0, Fm::any, 75}}},
    {{0x5560, 0x5562}, {{0, 0, Fm::any, 76}}},
    {{0x5570}, {{0, 0, Fm::any, 72}, {1, 4, Fm::any, 77}}},
    {{0x5576}, {{0, 0, Fm::any, 78}}},
    {{0x5580}, {{0, 0, Fm::any, 79}, {2, 0, Fm::any, 72}, {2, 6, Fm::any, 77}}},
    {{0x5592, 0x5594}, {{0, 0, Fm::any, 80}}},
    {{0x5595, 0x5596}, {{0, 0, Fm::any, 81}}},
    {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {{0, 0, Fm::any, 82}, {1, 1, Fm::any, 70}, {2, 0, Fm::any, 72}}},
    {{0x5622}, {{0, 0, Fm::any, 83}, {1, 1, Fm::any, 84}, {2, 0, Fm::any, 85}}},
    {{0x5623}, {{0, 0, Fm::any, 70}, {1, 1, Fm::any, 64}, {2, 0, Fm::any, 86}}},
    {{0x5624}, {{0, 0, Fm::any, 83}, {1, 1, Fm::any, 84}, {2, 0, Fm::any, 87}}},
    {{0x5630, 0x5632}, {{0, 0, Fm::any, 88}}},
    {{0x5710}, {{0, 0, Fm::any, 70}, {1, 2, Fm::any, 79}}},
    {{0x5720}, {{0, 0, Fm::any, 65}}},
    {{0x5910, 0x5920}, {{0, 0, Fm::any, 70}, {1, 1, Fm::any, 79}}},
    {{0x6010, 0x6012}, {{0, 0, Fm::any, 89}, {1, 2, Fm::any, 90}}},
    {{0x6014, 0x6016}, {{0, 0, Fm::any, 64}, {1, 2, Fm::any, 91}}},
    {{0x6018}, {{0, 0, Fm::any, 64}, {1, 1, Fm::any, 91}}},
    {{0x6020, 0x6022, 0x6024}, {{0, 0, Fm::any, 92}}},
    {{0x6026}, {{0, 0, Fm::any, 91}}},
    {{0x6028, 0x6030, 0x6032, 0x6036}, {{0, 0, Fm::any, 93}}},
    {{0x6034}, {{0, 0, Fm::any, 94}}},
    {{0x6038, 0x6039}, {{0, 0, Fm::any, 95}}},
    {{0x6042}, {{0, 0, Fm::any, 29}}},
    {{0x6112}, {{0, 0, Fm::any, 66}}},
    {{0x6114}, {{0, 0, Fm::any, 50}}},
    {{0x6210}, {{0, 0, Fm::any, 96}, {2, 0, Fm::any, 97}}},
    {{0x6310}, {{0, 0, Fm::any, 98}}},
    {{0x6320, 0x6330, 0x6335}, {{0, 0, Fm::any, 99}}},
    {{0x6400}, {{0, 0, Fm::any, 100}}},
    {{0x6500, 0x6510}, {{0, 0, Fm::any, 101}}},
    {{0x6800, 0x6805, 0x6810, 0x6811, 0x6815, 0x6817, 0x6821, 0x6822, 0x6825, 0x683A}, {{0, 0, Fm::any, 102}}},
    {{0x6801, 0x6802, 0x6803, 0x6814, 0x6816, 0x6824, 0x6828, 0x6831, 0x6838, 0x6839, 0x6840, 0x6A01, 0x6A02, 0x6A03, 0x6A04}, {{0, 0, Fm::any, 103}}},
    {{0x6804, 0x6812}, {{0, 0, Fm::any, 104}}},
    {{0x6806}, {{0, 0, Fm::any, 105}}},
    {{0x6808}, {{0, 0, Fm::any, 106}}},
};

}  // namespace

std::vector<int> restoreRowKinds(int32_t model, const Record* backup, bool fmRowsHidden) {
    for (const ModelRows& row : kModelRows) {
        if (std::find(row.models.begin(), row.models.end(), model) == row.models.end()) continue;
        for (auto band = row.bands.rbegin(); band != row.bands.rend(); ++band) {
            const bool reached = backup == nullptr || backup->compareVersionUpToMinorWithMajor(band->major, band->minor) >= 0;
            const bool fm = band->fm == Fm::any || (band->fm == Fm::hidden) == fmRowsHidden;
            if (!reached || !fm) continue;
            const auto& list = kRowLists[static_cast<size_t>(band->list - 1)];
            return std::vector<int>(list.begin(), list.end());
        }
        return {};
    }
    return {};
}

RestoreRowTexts restoreRowTexts(int kind, const Record* backup, int32_t model, int language) {
    const RowKind* k = kindOf(kind);
    if (!k) return {};
    const device::GetterArgument argument = device::getterArgument(k->getter);
    const int32_t v = backup ? device::read(*backup, k->getter, argument == device::GetterArgument::ProductId ? model : 0)
                             : 0;
    return {settingText(k->label, language), valueText(*k, v, language)};
}

std::string restoreValueText(int kind, int32_t value, int language) {
    const RowKind* k = kindOf(kind);
    return k ? valueText(*k, value, language) : std::string();
}

bool restoreTextInAllLanguages(const std::string& english) {
    const auto id = settingTextId(english);
    if (!id) return false;
    for (int l = 0; l < app::kCatalogueLanguageCount; ++l)
        if (!app::catalogueText(*id, l)) return false;
    return true;
}

std::string restoreRowLabel(int kind) {
    const RowKind* k = kindOf(kind);
    return k ? k->label : "";
}

std::vector<std::string> restoreRowValueTexts(int kind) {
    const RowKind* k = kindOf(kind);
    if (!k || k->rule != R::textMap) return {};
    std::vector<std::string> texts{k->other};
    for (const MapEntry& e : k->map) texts.emplace_back(e.text);
    return texts;
}

}  // namespace update
