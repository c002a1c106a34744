// The factory settings of every model as data: for each set of product ids, the fields a reset
// writes, in firmware bands. DefaultSettings.cpp walks the table; DefaultSettingsTable.cpp holds it.
#pragma once

#include <cstdint>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace device::defaults {

using R = ORVABluetoothDeviceData;

// One field a reset may write: a property setter, or an indexed setter and its element.
struct Field {
    void (R::*plain)(int32_t) = nullptr;
    void (R::*indexed)(int, int32_t) = nullptr;
    int index = 0;

    bool operator==(const Field&) const = default;
    void write(R& record, int32_t value) const {
        if (plain) {
            (record.*plain)(value);
        } else {
            (record.*indexed)(index, value);
        }
    }
};

struct Write {
    Field field;
    int32_t value;
};

// Which version a band is tested on. Most bands test the version passed to the reset; a few models
// were decided on the record's own firmware, which the caller sets before the reset.
enum class VersionSource {
    Always,           // the model's base band
    Arguments,        // passed major.minor
    RecordSecondary,  // the record's major.minor.secondary
    RecordTyped,      // the record's major.minor, secondary type (type 1 ranks lowest), secondary
};

struct Since {
    VersionSource source = VersionSource::Always;
    int32_t major = 0, minor = 0, secondaryType = 0, secondary = 0;
};

constexpr Since fromArguments(int32_t major, int32_t minor) {
    return {VersionSource::Arguments, major, minor};
}
constexpr Since fromRecord(int32_t major, int32_t minor, int32_t secondary) {
    return {VersionSource::RecordSecondary, major, minor, 0, secondary};
}
constexpr Since fromRecordTyped(int32_t major, int32_t minor, int32_t secondaryType, int32_t secondary) {
    return {VersionSource::RecordTyped, major, minor, secondaryType, secondary};
}

// The FM page in its factory state: region 0, the marker code, no current frequency or preset,
// the first `presets` presets empty, RDS as given. presets 0 means the band leaves FM alone.
struct FMBlock {
    int presets = 0;
    int32_t rds = 0;
};

// From its version on, a band writes `set` and the FM block on top of the earlier bands, and
// stops writing the fields of `unset`.
struct Band {
    Since since;
    std::vector<Write> set;
    std::vector<Field> unset;
    FMBlock fm;
};

struct Row {
    std::vector<int32_t> ids;
    std::vector<Band> bands;  // in ascending version order
};

const std::vector<Row>& table();

// ---- the fields the table names --------------------------------------------------------------
inline constexpr Field intercomVOX{&R::setIntercomVOX};
inline constexpr Field handsfreeVOX{&R::setHandsfreeVOX};
inline constexpr Field edr{&R::setEdr};
inline constexpr Field voicePrompt{&R::setVoicePrompt};
inline constexpr Field plc{&R::setPlc};
inline constexpr Field bitpoolRate{&R::setBitpoolRate};
inline constexpr Field microphoneBoost{&R::setMicrophoneBoost};
inline constexpr Field sidetone{&R::setSidetone};
inline constexpr Field advancedNoiseControl{&R::setAdvancedNoiseControl};
inline constexpr Field autoGainControl{&R::setAutoGainControl};
inline constexpr Field audioBoost{&R::setAudioBoost};
inline constexpr Field autoStartRecording{&R::setAutoStartRecording};
inline constexpr Field hdIntercom{&R::setHdIntercom};
inline constexpr Field fmStationGuide{&R::setFmStationGuide};
inline constexpr Field hdVoice{&R::setHdVoice};
inline constexpr Field audioSourcePriority{&R::setAudioSourcePriority};
inline constexpr Field audioOverlay{&R::setAudioOverlay};
inline constexpr Field autoOnOff{&R::setAutoOnOff};
inline constexpr Field smartNaviSystem{&R::setSmartNaviSystem};
inline constexpr Field smartNaviSystem2{&R::setSmartNaviSystem2};
inline constexpr Field autoOff{&R::setAutoOff};
inline constexpr Field simpleUI{&R::setSimpleUI};
inline constexpr Field radioTransmitGain{&R::setRadioTransmitGain};
inline constexpr Field audioChannelTimeout{&R::setAudioChannelTimeout};
inline constexpr Field backgroundVolume{&R::setBackgroundVolume};
inline constexpr Field fmRadioRegion{&R::setFmRadioRegion};
inline constexpr Field fmRadioMagicCode{&R::setFmRadioMagicCode};
inline constexpr Field fmRadioCurrentFrequency{&R::setFmRadioCurrentFrequency};
inline constexpr Field fmRadioCurrentPreset{&R::setFmRadioCurrentPreset};
inline constexpr Field fmRadioRDS{&R::setFmRadioRDS};

constexpr Field word(int n) { return {nullptr, &R::setBasicSetting20At, n}; }
constexpr Field voxSensitivity(int n) { return {nullptr, &R::setBasicSettingBELMORAVOXSensitivity, n}; }
constexpr Field smartVolume(int n) { return {nullptr, &R::setBasicSettingYELVARSmartVolumeControl, n}; }
constexpr Field camera(int n) { return {nullptr, &R::setBasicSettingTAVRINCamera, n}; }
constexpr Field fmRadioPreset(int n) { return {nullptr, &R::setFmRadioPresetsAt, n}; }

// The marker the FM page expects in a factory record.
inline constexpr int32_t kFMMagicCode = 0x56E9;

}  // namespace device::defaults
