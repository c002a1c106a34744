#include "device/ORVABluetoothDeviceData.h"

#include <cstdio>

#include "platform/Log.h"

namespace device {

namespace {

std::string numberedKey(const char* key, int oneBased) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s%02d", key, oneBased);
    return buf;
}

// An old archive stored a version as one float (1.2); it is split at the dot of its
// one-decimal text.
void readFloatVersion(const platform::KeyedUnarchiver& coder, const char* key, int32_t* major, int32_t* minor) {
    double value = coder.decodeDoubleForKey(key);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%0.1f", value);
    int32_t ma = 0, mi = 0;
    if (ORVABluetoothDeviceData::getVersionFromString(buf, &ma, &mi)) *major = ma, *minor = mi;
}

}  // namespace

OptString ORVABluetoothDeviceData::speedDialAt(int index) const {
    return static_cast<unsigned>(index) < kSpeedDials ? speedDial_[static_cast<size_t>(index)] : std::nullopt;
}

void ORVABluetoothDeviceData::setSpeedDialAt(int index, const OptString& with) {
    if (static_cast<unsigned>(index) >= kSpeedDials) return;
    speedDial_[static_cast<size_t>(index)] = with && !with->empty() ? *with : std::string();
}

bool ORVABluetoothDeviceData::hasSixFMPresets(int32_t productId) {
    switch (productId) {
        case 0x6010: case 0x6012: case 0x6014: case 0x6016: case 0x6018: case 0x6026:
        case 0x6028: case 0x6030: case 0x6032: case 0x6034: case 0x6036:
            return true;
        default:
            return false;
    }
}

// The settings both copies move, from the legacy integers to the speed dials.
void ORVABluetoothDeviceData::copySettingsFrom(const ORVABluetoothDeviceData& s, bool snapshot) {
#define ORVA_COPY(name) name##_ = s.name##_;
    ORVA_RECORD_COPIED_LEGACY_FIELDS(ORVA_COPY)
#undef ORVA_COPY
    if (snapshot) platform::logLine("PPQQ 5");
    radioTransmitGain_ = s.radioTransmitGain_;
    audioChannelTimeout_ = s.audioChannelTimeout_;
    if (!snapshot && (deviceRecognized_ == 0x6461 || deviceRecognized_ == 0x6481 || deviceRecognized_ == 0x6491))
        backgroundVolume_ = s.backgroundVolume_;
    basicSettingFERRIK_ = s.basicSettingFERRIK_;
    if (!snapshot) {
        platform::logf("Default Value %X %X %X %X %X", s.basicSettingFERRIK_[0], s.basicSettingFERRIK_[1],
                       s.basicSettingFERRIK_[2], s.basicSettingFERRIK_[3], s.basicSettingFERRIK_[4]);
    }
    basicSettingBELMORAVOXSensitivity_ = s.basicSettingBELMORAVOXSensitivity_;
    basicSettingYELVARSmartVolumeControl_ = s.basicSettingYELVARSmartVolumeControl_;
    basicSettingTAVRINCamera_ = s.basicSettingTAVRINCamera_;
    copyFMAndSpeedDialsFrom(s);
}

void ORVABluetoothDeviceData::copyFMAndSpeedDialsFrom(const ORVABluetoothDeviceData& s) {
    setFmRadioRegion(s.fmRadioRegion_);
    fmRadioMagicCode_ = s.fmRadioMagicCode_;
    fmRadioCurrentFrequency_ = s.fmRadioCurrentFrequency_;
    fmRadioCurrentPreset_ = s.fmRadioCurrentPreset_;
    size_t presets = hasSixFMPresets(deviceRecognized_) ? 6 : kFMPresets;
    for (size_t i = 0; i < presets; ++i) fmRadioPresets_[i] = s.fmRadioPresets_[i];
    fmRadioRDS_ = s.fmRadioRDS_;
    speedDial_ = s.speedDial_;
}

void ORVABluetoothDeviceData::copyIdentityFrom(const ORVABluetoothDeviceData& s) {
    deviceRecognized_ = s.deviceRecognized_;
    bdAddress_ = s.bdAddress_;
    divisionFERRIKevoValue_ = s.divisionFERRIKevoValue_;
    lastSixBDAddress_ = s.lastSixBDAddress_;
    deviceName_ = s.deviceName_;
}

// Version set 0 is the main one, 1 and 2 the chips of a two-chip headset.
void ORVABluetoothDeviceData::copyVersionSet(const ORVABluetoothDeviceData& s, int set) {
    struct Set {
        int32_t ORVABluetoothDeviceData::*major, ORVABluetoothDeviceData::*minor, ORVABluetoothDeviceData::*type,
            ORVABluetoothDeviceData::*secondary;
    };
    using R = ORVABluetoothDeviceData;
    static constexpr Set kSets[3] = {
        {&R::deviceVersionMajor_, &R::deviceVersionMinor_, &R::deviceSecondaryVersionType_, &R::deviceSecondaryVersion_},
        {&R::deviceVersionMajor01_, &R::deviceVersionMinor01_, &R::deviceSecondaryVersionType01_,
         &R::deviceSecondaryVersion01_},
        {&R::deviceVersionMajor02_, &R::deviceVersionMinor02_, &R::deviceSecondaryVersionType02_,
         &R::deviceSecondaryVersion02_},
    };
    const Set& v = kSets[set];
    this->*v.major = s.*v.major;
    this->*v.minor = s.*v.minor;
    this->*v.type = s.*v.type;
    this->*v.secondary = s.*v.secondary;
}

void ORVABluetoothDeviceData::copyLanguagePackFrom(const ORVABluetoothDeviceData& s) {
    devicelanguagePackType_ = s.devicelanguagePackType_;
    devicelanguagePackTypeVerMajor_ = s.devicelanguagePackTypeVerMajor_;
    devicelanguagePackTypeVerMinor_ = s.devicelanguagePackTypeVerMinor_;
}

void ORVABluetoothDeviceData::configureWithSource(const ORVABluetoothDeviceData& s) {
    managerVersionMajor_ = 1;
    managerVersionMinor_ = 0;
    copyIdentityFrom(s);
    copyVersionSet(s, 0);
    copyLanguagePackFrom(s);
    dateArchived_ = platform::Date::now();
    copySettingsFrom(s, true);
}

void ORVABluetoothDeviceData::copyWithSource(const ORVABluetoothDeviceData& s, bool version) {
    managerVersionMajor_ = s.managerVersionMajor_;
    managerVersionMinor_ = s.managerVersionMinor_;
    copyIdentityFrom(s);
    if (version) {
        for (int set = 0; set < 3; ++set) copyVersionSet(s, set);
    }
    copyLanguagePackFrom(s);
    dateArchived_ = s.dateArchived_;
    copySettingsFrom(s, false);
}

// ---- keyed archive --------------------------------------------------------------------------

namespace {

// The archived integers by key, in archive order around the arrays.
struct IntKey {
    const char* key;
    int32_t (ORVABluetoothDeviceData::*get)() const;
    void (ORVABluetoothDeviceData::*set)(int32_t);
};

using R = ORVABluetoothDeviceData;
#define K(key, Name, name) {key, &R::name, &R::set##Name}
const IntKey kLegacyKeys[] = {
    K("keyIntercomVOX", IntercomVOX, intercomVOX),
    K("keyHandsfreeVOX", HandsfreeVOX, handsfreeVOX),
    K("keyEDR", Edr, edr),
    K("keyVoicePrompt", VoicePrompt, voicePrompt),
    K("keyPLC", Plc, plc),
    K("keyBitpoolRate", BitpoolRate, bitpoolRate),
    K("keyMicrophoneBoost", MicrophoneBoost, microphoneBoost),
    K("keySidetone", Sidetone, sidetone),
    K("keyAdvancedNoiseControl", AdvancedNoiseControl, advancedNoiseControl),
    K("keyAutoGainControl", AutoGainControl, autoGainControl),
    K("keyAudioBoost", AudioBoost, audioBoost),
    K("keyHDIntercom", HdIntercom, hdIntercom),
    K("keyFMStationGuide", FmStationGuide, fmStationGuide),
    K("keyHDVoice", HdVoice, hdVoice),
    K("keyAudioSourcePriority", AudioSourcePriority, audioSourcePriority),
    K("keyAudioOverlay", AudioOverlay, audioOverlay),
    K("keyAutoOnOff", AutoOnOff, autoOnOff),
    K("keyAutoStartRecording", AutoStartRecording, autoStartRecording),
    K("keySmartNaviSystem", SmartNaviSystem, smartNaviSystem),
    K("keySmartNaviSystem2", SmartNaviSystem2, smartNaviSystem2),
    K("keyAutoOff", AutoOff, autoOff),
    K("keySimpleUI", SimpleUI, simpleUI),
    K("keyRadioTransmitGain", RadioTransmitGain, radioTransmitGain),
    K("keyAudioChannelTimeout", AudioChannelTimeout, audioChannelTimeout),
};
const IntKey kFMKeys[] = {
    K("keyFMRadioRegion", FmRadioRegion, fmRadioRegion),
    K("keyFMRadioMagicCode", FmRadioMagicCode, fmRadioMagicCode),
    K("keyFMRadioCurrentFrequency", FmRadioCurrentFrequency, fmRadioCurrentFrequency),
    K("keyFMRadioCurrentPreset", FmRadioCurrentPreset, fmRadioCurrentPreset),
};
#undef K

// Arrays archived element by element under "<key>NN"; camera words 2 and 3 are not archived.
struct ArrayKey {
    const char* key;
    int count;
    int32_t (ORVABluetoothDeviceData::*get)(int) const;
    void (ORVABluetoothDeviceData::*set)(int, int32_t);
};
const ArrayKey kWordKeys[] = {
    {"keyBasicSettingFERRIK", R::kBasicSettingWords, &R::basicSettingFERRIK, &R::setBasicSetting20At},
    {"keyBasicSettingBELMORAVOXSensitivity", R::kVOXSensitivityWords, &R::basicSettingBELMORAVOXSensitivityAt,
     &R::setBasicSettingBELMORAVOXSensitivity},
    {"keyBasicSettingYELVARSmartVolumeControl", R::kSmartVolumeWords, &R::basicSettingYELVARSmartVolumeControlAt,
     &R::setBasicSettingYELVARSmartVolumeControl},
    {"keyBasicSettingTAVRINCamera", 2, &R::basicSettingTAVRINCameraAt, &R::setBasicSettingTAVRINCamera},
};
const ArrayKey kPresetKey = {"keyFMRadioPreset", R::kFMPresets, &R::fmRadioPresetsAt, &R::setFmRadioPresetsAt};

}  // namespace

void ORVABluetoothDeviceData::encodeWithCoder(platform::KeyedArchiver& c) const {
    c.encodeInt32(managerVersionMajor_, "keyManagerVersionMajor");
    c.encodeInt32(managerVersionMinor_, "keyManagerVersionMinor");
    c.encodeInt32(deviceRecognized_, "keyDeviceRecognized");
    c.encodeString(deviceName_, "keyDeviceName");
    c.encodeInt32(deviceVersionMajor_, "keyDeviceVersionMajor");
    c.encodeInt32(deviceVersionMinor_, "keyDeviceVersionMinor");
    c.encodeInt32(deviceSecondaryVersionType_, "keyDeviceSecondaryVersionType");
    c.encodeInt32(deviceSecondaryVersion_, "keyDeviceSecondaryVersion");
    c.encodeDate(dateArchived_, "keyDateArchived");
    for (const auto& k : kLegacyKeys) c.encodeInt32((this->*k.get)(), k.key);
    auto encodeArray = [&](const ArrayKey& a) {
        for (int i = 0; i < a.count; ++i) c.encodeInt32((this->*a.get)(i), numberedKey(a.key, i + 1));
    };
    for (const auto& a : kWordKeys) encodeArray(a);
    for (const auto& k : kFMKeys) c.encodeInt32((this->*k.get)(), k.key);
    encodeArray(kPresetKey);
    c.encodeInt32(fmRadioRDS_, "keyFMRadioRDS");
    for (int i = 0; i < kSpeedDials; ++i) c.encodeString(speedDial_[static_cast<size_t>(i)], numberedKey("keySpeedDial", i + 1));
}

ORVABluetoothDeviceData ORVABluetoothDeviceData::initWithCoder(const platform::KeyedUnarchiver& c) {
    ORVABluetoothDeviceData r;
    if (c.containsValueForKey("keyManagerVersionMajor")) {
        r.managerVersionMajor_ = c.decodeInt32ForKey("keyManagerVersionMajor");
        r.managerVersionMinor_ = c.decodeInt32ForKey("keyManagerVersionMinor");
    } else {
        readFloatVersion(c, "keyManagerVersion", &r.managerVersionMajor_, &r.managerVersionMinor_);
    }
    r.deviceRecognized_ = c.decodeInt32ForKey("keyDeviceRecognized");
    r.deviceName_ = c.decodeStringForKey("keyDeviceName");
    if (c.containsValueForKey("keyDeviceVersionMajor")) {
        r.deviceVersionMajor_ = c.decodeInt32ForKey("keyDeviceVersionMajor");
        r.deviceVersionMinor_ = c.decodeInt32ForKey("keyDeviceVersionMinor");
    } else {
        readFloatVersion(c, "keyDeviceVersion", &r.deviceVersionMajor_, &r.deviceVersionMinor_);
    }
    r.deviceSecondaryVersionType_ = c.decodeInt32ForKey("keyDeviceSecondaryVersionType");
    r.deviceSecondaryVersion_ = c.decodeInt32ForKey("keyDeviceSecondaryVersion");
    r.dateArchived_ = c.decodeDateForKey("keyDateArchived");
    for (const auto& k : kLegacyKeys) (r.*k.set)(c.decodeInt32ForKey(k.key));
    auto decodeArray = [&](const ArrayKey& a) {
        for (int i = 0; i < a.count; ++i) (r.*a.set)(i, c.decodeInt32ForKey(numberedKey(a.key, i + 1)));
    };
    for (const auto& a : kWordKeys) decodeArray(a);
    for (const auto& k : kFMKeys) (r.*k.set)(c.decodeInt32ForKey(k.key));  // the region through its rule
    decodeArray(kPresetKey);
    r.fmRadioRDS_ = c.decodeInt32ForKey("keyFMRadioRDS");
    for (int i = 0; i < kSpeedDials; ++i)
        r.speedDial_[static_cast<size_t>(i)] = c.decodeStringForKey(numberedKey("keySpeedDial", i + 1));
    return r;
}

platform::Bytes ORVABluetoothDeviceData::archivedData() const {
    platform::KeyedArchiver coder({kClassName, "NSObject"});
    encodeWithCoder(coder);
    return coder.finish();
}

ORVABluetoothDeviceData ORVABluetoothDeviceData::unarchiveFromData(const platform::Bytes& bytes) {
    platform::KeyedUnarchiver coder(bytes, kClassName);
    return initWithCoder(coder);
}

std::optional<ORVABluetoothDeviceData> ORVABluetoothDeviceData::unarchiveFromFile(const std::string& path) {
    const auto bytes = platform::readArchiveFile(path, "backup");
    if (!bytes) return std::nullopt;
    try {
        return unarchiveFromData(*bytes);
    } catch (const platform::ArchiveError& e) {
        platform::logf("backup %s cannot be read (%s)", path.c_str(), e.what());
        return std::nullopt;
    }
}

}  // namespace device
