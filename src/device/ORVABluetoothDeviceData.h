// The one data model for a headset: identity, firmware versions, every setting of every model
// family, FM radio data and speed dials, and its keyed-archive form (the settings backup).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Date.h"
#include "platform/KeyedArchive.h"

namespace device {

using platform::OptString;

// Legacy and identity integers, in no particular order: (field, Capitalised) for the accessors.
#define ORVA_RECORD_INT_FIELDS(X)                                                                   \
    X(managerVersionMajor, ManagerVersionMajor)                                                     \
    X(managerVersionMinor, ManagerVersionMinor)                                                     \
    X(deviceRecognized, DeviceRecognized)                                                           \
    X(divisionFERRIKevoValue, DivisionFERRIKevoValue)                                               \
    X(deviceVersionMajor, DeviceVersionMajor)                                                       \
    X(deviceVersionMinor, DeviceVersionMinor)                                                       \
    X(deviceSecondaryVersionType, DeviceSecondaryVersionType)                                       \
    X(deviceSecondaryVersion, DeviceSecondaryVersion)                                               \
    X(deviceVersionMajor01, DeviceVersionMajor01)                                                   \
    X(deviceVersionMinor01, DeviceVersionMinor01)                                                   \
    X(deviceSecondaryVersionType01, DeviceSecondaryVersionType01)                                   \
    X(deviceSecondaryVersion01, DeviceSecondaryVersion01)                                           \
    X(deviceVersionMajor02, DeviceVersionMajor02)                                                   \
    X(deviceVersionMinor02, DeviceVersionMinor02)                                                   \
    X(deviceSecondaryVersionType02, DeviceSecondaryVersionType02)                                   \
    X(deviceSecondaryVersion02, DeviceSecondaryVersion02)                                           \
    X(devicelanguagePackType, DevicelanguagePackType)                                               \
    X(devicelanguagePackTypeVerMajor, DevicelanguagePackTypeVerMajor)                               \
    X(devicelanguagePackTypeVerMinor, DevicelanguagePackTypeVerMinor)                               \
    X(intercomVOX, IntercomVOX)                                                                     \
    X(handsfreeVOX, HandsfreeVOX)                                                                   \
    X(edr, Edr)                                                                                     \
    X(voicePrompt, VoicePrompt)                                                                     \
    X(plc, Plc)                                                                                     \
    X(bitpoolRate, BitpoolRate)                                                                     \
    X(microphoneBoost, MicrophoneBoost)                                                             \
    X(sidetone, Sidetone)                                                                           \
    X(advancedNoiseControl, AdvancedNoiseControl)                                                   \
    X(autoGainControl, AutoGainControl)                                                             \
    X(audioBoost, AudioBoost)                                                                       \
    X(autoStartRecording, AutoStartRecording)                                                       \
    X(hdIntercom, HdIntercom)                                                                       \
    X(fmStationGuide, FmStationGuide)                                                               \
    X(hdVoice, HdVoice)                                                                             \
    X(voiceAssistant, VoiceAssistant)                                                               \
    X(audioSourcePriority, AudioSourcePriority)                                                     \
    X(audioOverlay, AudioOverlay)                                                                   \
    X(autoOnOff, AutoOnOff)                                                                         \
    X(smartNaviSystem, SmartNaviSystem)                                                             \
    X(smartNaviSystem2, SmartNaviSystem2)                                                           \
    X(autoOff, AutoOff)                                                                             \
    X(simpleUI, SimpleUI)                                                                           \
    X(YORRALanguage, YORRALanguage)                                                                 \
    X(radioTransmitGain, RadioTransmitGain)                                                         \
    X(audioChannelTimeout, AudioChannelTimeout)                                                     \
    X(backgroundVolume, BackgroundVolume)                                                           \
    X(fmRadioMagicCode, FmRadioMagicCode)                                                           \
    X(fmRadioCurrentFrequency, FmRadioCurrentFrequency)                                             \
    X(fmRadioCurrentPreset, FmRadioCurrentPreset)                                                   \
    X(fmRadioRDS, FmRadioRDS)

#define ORVA_RECORD_STRING_FIELDS(X)                                                                \
    X(bdAddress, BdAddress)                                                                         \
    X(lastSixBDAddress, LastSixBDAddress)                                                           \
    X(deviceName, DeviceName)                                                                       \
    X(deviceBdAddress, DeviceBdAddress)                                                             \
    X(devicePSKey, DevicePSKey)                                                                     \
    X(devicePSKeyValue, DevicePSKeyValue)

// The settings that both copies move, in copy order (between the language-pack fields and the
// transmit gain).
#define ORVA_RECORD_COPIED_LEGACY_FIELDS(X)                                                         \
    X(intercomVOX) X(handsfreeVOX) X(edr) X(voicePrompt) X(plc) X(bitpoolRate) X(microphoneBoost)   \
    X(sidetone) X(advancedNoiseControl) X(autoGainControl) X(audioBoost) X(hdIntercom)              \
    X(fmStationGuide) X(hdVoice) X(audioSourcePriority) X(audioOverlay) X(autoOnOff)                \
    X(autoStartRecording) X(smartNaviSystem) X(smartNaviSystem2) X(autoOff) X(simpleUI)            \
    X(YORRALanguage)

class ORVABluetoothDeviceData {
public:
    static constexpr int kBasicSettingWords = 10;
    static constexpr int kVOXSensitivityWords = 2;
    static constexpr int kSmartVolumeWords = 2;
    static constexpr int kCameraWords = 4;
    static constexpr int kFMPresets = 10;
    static constexpr int kSpeedDials = 3;
    static constexpr int kSpeedDialUnits = 20;

    static constexpr const char* kClassName = "ORVABluetoothDeviceData";

    ORVABluetoothDeviceData() = default;

    // ---- properties -------------------------------------------------------------------------
#define ORVA_INT_ACCESSORS(name, Name)                 \
    int32_t name() const { return name##_; }           \
    void set##Name(int32_t value) { name##_ = value; }
    ORVA_RECORD_INT_FIELDS(ORVA_INT_ACCESSORS)
#undef ORVA_INT_ACCESSORS

#define ORVA_STRING_ACCESSORS(name, Name)           \
    const OptString& name() const { return name##_; } \
    void set##Name(const OptString& value) { name##_ = value; }
    ORVA_RECORD_STRING_FIELDS(ORVA_STRING_ACCESSORS)
#undef ORVA_STRING_ACCESSORS

    const std::optional<platform::Date>& dateArchived() const { return dateArchived_; }
    void setDateArchived(const std::optional<platform::Date>& d) { dateArchived_ = d; }

    // Only 0..5 are regions; anything else (negative included) is stored as 0.
    int32_t fmRadioRegion() const { return fmRadioRegion_; }
    void setFmRadioRegion(int32_t value) { fmRadioRegion_ = static_cast<uint32_t>(value) < 6 ? value : 0; }

    // Major and minor of one version set together.
    void setDeviceVersionMajor(int32_t major, int32_t Minor) { deviceVersionMajor_ = major, deviceVersionMinor_ = Minor; }
    void setDeviceVersion01Major(int32_t major, int32_t Minor) { deviceVersionMajor01_ = major, deviceVersionMinor01_ = Minor; }
    void setDeviceVersion02Major(int32_t major, int32_t Minor) { deviceVersionMajor02_ = major, deviceVersionMinor02_ = Minor; }

    // ---- indexed accessors: an index out of range reads 0 (nil) and stores nothing -----------
    int32_t basicSettingFERRIK(int index) const { return at(basicSettingFERRIK_, index); }
    void setBasicSetting20At(int index, int32_t with) { put(basicSettingFERRIK_, index, with); }
    int32_t basicSettingAlventoChannelAt(int index) const { return basicSettingFERRIK(index); }
    int32_t basicSettingAlventoVolumeAt(int index) const { return basicSettingFERRIK(index); }
    int32_t basicSettingAlventoMicrophoneAt(int index) const { return basicSettingFERRIK(index); }
    void setBasicSettingAlventoChannel(int index, int32_t with) { setBasicSetting20At(index, with); }
    void setBasicSettingAlventoVolume(int index, int32_t with) { setBasicSetting20At(index, with); }
    void setBasicSettingAlventoMicrophone(int index, int32_t with) { setBasicSetting20At(index, with); }
    int32_t basicSettingBELMORAVOXSensitivityAt(int index) const { return at(basicSettingBELMORAVOXSensitivity_, index); }
    void setBasicSettingBELMORAVOXSensitivity(int index, int32_t with) { put(basicSettingBELMORAVOXSensitivity_, index, with); }
    int32_t basicSettingYELVARSmartVolumeControlAt(int index) const { return at(basicSettingYELVARSmartVolumeControl_, index); }
    void setBasicSettingYELVARSmartVolumeControl(int index, int32_t with) { put(basicSettingYELVARSmartVolumeControl_, index, with); }
    int32_t basicSettingTAVRINCameraAt(int index) const { return at(basicSettingTAVRINCamera_, index); }
    void setBasicSettingTAVRINCamera(int index, int32_t with) { put(basicSettingTAVRINCamera_, index, with); }
    int32_t fmRadioPresetsAt(int index) const { return at(fmRadioPresets_, index); }
    void setFmRadioPresetsAt(int index, int32_t with) { put(fmRadioPresets_, index, with); }
    OptString speedDialAt(int index) const;
    // Stores a copy, or "" for nil or an empty text.
    void setSpeedDialAt(int index, const OptString& with);

    // ---- copies and snapshots -----------------------------------------------------------------
    // The six-preset FM family moves presets 1..6 only.
    static bool hasSixFMPresets(int32_t productId);
    void configureWithSource(const ORVABluetoothDeviceData& source);
    void copyWithSource(const ORVABluetoothDeviceData& source, bool version);

    // ---- keyed archive (settings backup) ------------------------------------------------------
    void encodeWithCoder(platform::KeyedArchiver& coder) const;
    // Throws platform::ArchiveError for an archive whose values have the wrong types.
    static ORVABluetoothDeviceData initWithCoder(const platform::KeyedUnarchiver& coder);
    platform::Bytes archivedData() const;
    // Throws platform::ArchiveError when the bytes are not an archived record.
    static ORVABluetoothDeviceData unarchiveFromData(const platform::Bytes& bytes);
    // A settings backup file: nullopt when it is missing, not a regular file, larger than any
    // archive we write, or not an archived record (the reason is logged).
    static std::optional<ORVABluetoothDeviceData> unarchiveFromFile(const std::string& path);

    // ---- record helpers: versions --------------------------------------------------------------
    // A version component of a list or a file has at most four digits; anything else is damage.
    static constexpr int32_t kMaxVersionComponent = 9999;
    // The leading decimal integer of text (0 when there is none), none when it lies outside 0 to
    // kMaxVersionComponent.
    static std::optional<int32_t> versionComponent(const std::string& text);
    // Every "."-separated component of text is in range.
    static bool versionInRange(const std::string& text);
    // Exactly two (four) parts, each in range: the parts are stored and the result is true;
    // otherwise nothing changes. The comparisons return a difference whose sign is that of the
    // true difference, never wrapped.
    static bool getVersionFromString(const std::string& text, int32_t* ToMajor, int32_t* Minor);
    static bool getVersionFromString(const std::string& text, int32_t* ToSecondaryType, int32_t* Secondary,
                                     int32_t* Major, int32_t* Minor);
    static int32_t compareVersionUpToMinorMajor(int32_t aMajor, int32_t aMinor, int32_t WithMajor, int32_t Minor);
    static int32_t compareVersionUpToMinorMajor(int32_t aMajor, int32_t aMinor, int32_t aMinor2nd, int32_t WithMajor,
                                                int32_t Minor, int32_t Minor2nd);
    static int32_t compareVersionMajor(int32_t aMajor, int32_t aMinor, int32_t aType, int32_t aSecondary,
                                       int32_t WithVersionMajor, int32_t Minor, int32_t SecondaryVersionType,
                                       int32_t SecondaryVersion, bool ForNelvar = false);
    static int32_t downGradeFERRIKEVOCompareVersionMajor(int32_t aMajor, int32_t aMinor, int32_t aType,
                                                         int32_t aSecondary, int32_t WithVersionMajor, int32_t Minor,
                                                         int32_t SecondaryVersionType, int32_t SecondaryVersion);
    int32_t compareVersionWithVersionMajor(int32_t major, int32_t Minor, int32_t SecondaryVersionType,
                                           int32_t SecondaryVersion) const;
    int32_t compareVersionUpToMinor2ndWithMajor2nd(int32_t major, int32_t Minor, int32_t Minor2nd) const;
    int32_t compareVersionUpToMinorWithMajor(int32_t major, int32_t Minor) const;

    // ---- record helpers: gain, FM, tabs, speed dials, camera volume ---------------------------
    static int32_t getIndexFromRTG(int32_t gain);
    // Language outside 0..12 falls back to English.
    static std::string getRTGStringFromRTG(int32_t gain, int32_t In);
    static int32_t checkFMPresetValidWithRegion(int32_t region, int32_t FMRadioPreset);
    // A region's band in 10 kHz units: its lowest and highest frequency and its channel step. A
    // region outside 0..5 reads as 0 (Worldwide), as the preset check reads it.
    struct FMBand {
        int32_t lowest, highest, step;
    };
    static FMBand fmRadioBand(int32_t region);
    // Receives the key equivalent ("B", "S" or "F") and its modifier mask.
    using KeyEquivalentSetter = std::function<void(const std::string& key, uint32_t modifierMask)>;
    static constexpr uint32_t kTabModifierMask = 0x120000;
    static OptString getTabText(int32_t tab, bool With, int32_t In, const KeyEquivalentSetter& SetEquivalentTo = {});
    static int32_t getSpeedDialString(OptString* out, const std::array<uint16_t, kSpeedDialUnits>& FromArray);
    static int32_t getSpeedDialArray(std::array<uint16_t, kSpeedDialUnits>* out, const OptString& FromString);
    static OptString getNelvarDiskPathWithDevice(int32_t productId);

    // ---- per-model defaults ------------------------------------------------------------------
    void initializeObjectWithDevice(int32_t device, int32_t VersionMajor, int32_t Minor);
    void initializeSecondObjectWithDevice(int32_t device, int32_t VersionMajor, int32_t Minor);
    void initializeSpeedDialObjectWithDevice(int32_t device, int32_t VersionMajor, int32_t Minor);
    static ORVABluetoothDeviceData makeDefaultDataWithSource(const ORVABluetoothDeviceData& source);
    static ORVABluetoothDeviceData makeDefaultSecondDataWithSource(const ORVABluetoothDeviceData& source);
    static ORVABluetoothDeviceData makeDefaultSpeedDialDataWithSource(const ORVABluetoothDeviceData& source);

    // ---- setting codecs --------------------------------------------------------------------------
#include "device/SettingCodecs.inc"

private:
    template <size_t N>
    static int32_t at(const std::array<int32_t, N>& a, int index) {
        return static_cast<unsigned>(index) < N ? a[static_cast<size_t>(index)] : 0;
    }
    template <size_t N>
    static void put(std::array<int32_t, N>& a, int index, int32_t value) {
        if (static_cast<unsigned>(index) < N) a[static_cast<size_t>(index)] = value;
    }
    void copyIdentityFrom(const ORVABluetoothDeviceData& source);
    void copyVersionSet(const ORVABluetoothDeviceData& source, int set);
    void copyLanguagePackFrom(const ORVABluetoothDeviceData& source);
    void copySettingsFrom(const ORVABluetoothDeviceData& source, bool snapshot);
    void copyFMAndSpeedDialsFrom(const ORVABluetoothDeviceData& source);

#define ORVA_INT_MEMBER(name, Name) int32_t name##_ = 0;
    ORVA_RECORD_INT_FIELDS(ORVA_INT_MEMBER)
#undef ORVA_INT_MEMBER
#define ORVA_STRING_MEMBER(name, Name) OptString name##_;
    ORVA_RECORD_STRING_FIELDS(ORVA_STRING_MEMBER)
#undef ORVA_STRING_MEMBER
    std::optional<platform::Date> dateArchived_;
    int32_t fmRadioRegion_ = 0;
    std::array<int32_t, kBasicSettingWords> basicSettingFERRIK_{};
    std::array<int32_t, kVOXSensitivityWords> basicSettingBELMORAVOXSensitivity_{};
    std::array<int32_t, kSmartVolumeWords> basicSettingYELVARSmartVolumeControl_{};
    std::array<int32_t, kCameraWords> basicSettingTAVRINCamera_{};
    std::array<int32_t, kFMPresets> fmRadioPresets_{};
    std::array<OptString, kSpeedDials> speedDial_{};
};

}  // namespace device
