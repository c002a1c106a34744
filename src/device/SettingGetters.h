// The setting getters that the all-settings list and the restore table read, as data: one enum
// entry per getter of the record, one read routine, and for the getters backed by the field
// table the values their field can hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace device {

// Named after the record's getter (a selector's first part).
enum class SettingGetter : uint8_t {
    advancedNoiseControl,
    audioBoost,
    audioOverlay,
    audioSourcePriority,
    autoOff,
    autoOnOff,
    autoStartRecording,
    backgroundVolume,
    basicSettingAlventoChannelAt,
    basicSettingAlventoMicrophoneAt,
    basicSettingAlventoVolumeAt,
    basicSettingBELMORAVOXSensitivityAt,
    basicSettingYELVARSmartVolumeControlAt,
    bitpoolRate,
    fmStationGuide,
    GetBasicSetting30Equalizer,
    GetBasicSetting50Equalizer,
    GetBasicSetting50MicAccessorySelect,
    GetBasicSetting50SpeakerAccessorySelect,
    GetBasicSettingAirohaAudioBoost,
    GetBasicSettingAirohaAudioEqualizer,
    GetBasicSettingAirohaAudioOverlayVolumeManagement,
    GetBasicSettingAirohaAutoOff,
    GetBasicSettingAirohaAutoOnOff,
    GetBasicSettingAirohaFMStation,
    GetBasicSettingAirohaIntercomAudioOverlaySensitivity,
    GetBasicSettingAirohaMeshReachOut,
    GetBasicSettingAirohaUnitLanguage,
    GetBasicSettingAirohaUnitLanguageCELVAR8R,
    GetBasicSettingAirohaVARROUnitLanguage,
    GetBasicSettingAirohaVoicePrompt,
    GetBasicSettingAirohaVOXPhone,
    GetBasicSettingAirohaVoxSensitivity,
    GetBasicSettingCelvarHDSpeakerAccessory,
    GetBasicSettingCelvarUnitLanguage,
    GetBasicSettingDUNVIKEqualizer,
    GetBasicSettingdunvikUnitLanguage,
    GetBasicSettingFENNICVOXSensitivity,
    getBasicSettingFERRIKAdvancedNoiseControl,
    getBasicSettingFERRIKAudioBoost,
    getBasicSettingFERRIKAudioEqualizer,
    getBasicSettingFERRIKAudioMultitasking,
    getBasicSettingFERRIKAudioMultitaskingSensitivity,
    getBasicSettingFERRIKEightWayIntercom,
    getBasicSettingFERRIKFMStationGuide,
    getBasicSettingFERRIKHDIntercom,
    getBasicSettingFERRIKHDSpeakerAccessory,
    getBasicSettingFERRIKLEDControl,
    getBasicSettingFERRIKMotionSensorSensitivity,
    getBasicSettingFERRIKNavigationAppOverlay,
    getBasicSettingFERRIKSidetone,
    getBasicSettingFERRIKSmartVolumeControl,
    GetBasicSettingFERRIKTamberSpeakerAccessorySelect,
    GetBasicSettingFERRIKVoiceCommand,
    getBasicSettingFERRIKVoicePrompt,
    getBasicSettingFERRIKVOXPhone,
    GetBasicSettingFMRadioOnOkemba,
    GetBasicSettingGALLOWUnitLanguage,
    GetBasicSettingGESSAAdvancedNoiseControl,
    GetBasicSettingGESSAAGCSensitivity,
    GetBasicSettingGESSAAudioBoost,
    GetBasicSettingGESSAAudioOverlay,
    GetBasicSettingGESSAAudioOverlaySensitivity,
    GetBasicSettingGESSAAudioOverlayVolumeManagement,
    GetBasicSettingGESSAFMStationGuide,
    GetBasicSettingGESSAHDIntercom,
    GetBasicSettingGESSAHDSpeakerAccessory,
    GetBasicSettingGESSAHighQulityA2DP,
    GetBasicSettingGESSAMeshGuestMode,
    GetBasicSettingGESSAMeshReachOut,
    GetBasicSettingGESSASidetone,
    GetBasicSettingGESSAUnitLanguage,
    GetBasicSettingGESSAVoiceCommand,
    GetBasicSettingGESSAVoicePrompt,
    GetBasicSettingGESSAVOXIntercom,
    GetBasicSettingGESSAVOXPhone,
    GetBasicSettingGESSAVoxSensitivity,
    getBasicSettingHIDOneModuleHDSpeakerAccessory,
    GetBasicSettingLenvoraMeshPublicChannel,
    GetBasicSettingLenvoraRemoteUIPTT,
    GetBasicSettingLUTRAHDVoice,
    GetBasicSettingMeshReachOut,
    GetBasicSettingMeshReachOutN2R,
    GetBasicSettingPEMVIKPumeliMeshPublicChannel,
    GetBasicSettingPhoneOnOkemba,
    GetBasicSettingQCCAudioEqualizer,
    GetBasicSettingQCCAudioOverlaySensitivity,
    GetBasicSettingQCCAudioOverlayVolumeManagement,
    GetBasicSettingQccAutoOff,
    GetBasicSettingQCCHDVoice,
    GetBasicSettingQCCVOXSensitivity,
    GetBasicSettingSULVANEUnitLanguage,
    GetBasicSettingTamberSpeakerAccessorySelect,
    getBasicSettingTAVRINCameraAutoCameraSleep,
    getBasicSettingTAVRINCameraDateCaption,
    getBasicSettingTAVRINCameraLoopRecordingInterval,
    getBasicSettingTAVRINCameraPhotoMode,
    getBasicSettingTAVRINCameraSpeakerSoundRecording,
    getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio,
    getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom,
    getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic,
    getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone,
    getBasicSettingTAVRINCameraTimelapseInterval,
    getBasicSettingTAVRINCameraVideoMicrophoneGain,
    getBasicSettingTAVRINCameraVideoMode,
    getBasicSettingTAVRINCameraVideoResolution,
    getBasicSettingTAVRINCameraVideoTaggingInterval,
    GetBasicSettingUILayer,
    GetBasicSettingVoiceAssistant,
    GetBasicSettingWENDELUnitLanguage,
    GetBasicSettingZANDRELUnitLanguage,
    handsfreeVOX,
    hdIntercom,
    hdVoice,
    intercomVOX,
    sidetone,
    simpleUI,
    smartNaviSystem,
    smartNaviSystem2,
    voicePrompt,
    YORRALanguage,
    getEssStatus,
    getEssSensitivity,
    Count
};

inline constexpr size_t kSettingGetterCount = static_cast<size_t>(SettingGetter::Count);

// What the getter takes besides the record.
enum class GetterArgument : uint8_t {
    None,
    Slot,              // an index into the record's word array; the layout gives it
    ProductId,         // the controller's deviceTarget
    LanguagePackType,  // devicelanguagePackType of the controller's record data
};

GetterArgument getterArgument(SettingGetter getter);
std::string_view getterName(SettingGetter getter);

// The getter's value on the record; the argument is ignored by getters that take none.
int32_t read(const ORVABluetoothDeviceData& record, SettingGetter getter, int32_t argument = 0);

// The values the getter's field holds after any store, in ascending order; none for a getter that
// no row of the field table backs (plain properties, constants).
std::optional<std::vector<int32_t>> storedValues(SettingGetter getter);

}  // namespace device
