// One row per getter: its name, its argument, the field-table row behind it (if any) and the
// call. read() and storedValues() are the generic routines over the rows.
#include "device/SettingGetters.h"

#include <iterator>

namespace device {

namespace {

using R = ORVABluetoothDeviceData;
using F = R::SettingField;
using G = SettingGetter;
using A = GetterArgument;

constexpr F kNoField = F::Count;

struct GetterRow {
    G getter;
    std::string_view name;
    A argument;
    F field;
    int32_t (*call)(const R&, int32_t);
};

// clang-format off
constexpr GetterRow kGetters[] = {
    {G::advancedNoiseControl, "advancedNoiseControl", A::None, kNoField, [](const R& r, int32_t) { return r.advancedNoiseControl(); }},
    {G::audioBoost, "audioBoost", A::None, kNoField, [](const R& r, int32_t) { return r.audioBoost(); }},
    {G::audioOverlay, "audioOverlay", A::None, kNoField, [](const R& r, int32_t) { return r.audioOverlay(); }},
    {G::audioSourcePriority, "audioSourcePriority", A::None, kNoField, [](const R& r, int32_t) { return r.audioSourcePriority(); }},
    {G::autoOff, "autoOff", A::None, kNoField, [](const R& r, int32_t) { return r.autoOff(); }},
    {G::autoOnOff, "autoOnOff", A::None, kNoField, [](const R& r, int32_t) { return r.autoOnOff(); }},
    {G::autoStartRecording, "autoStartRecording", A::None, kNoField, [](const R& r, int32_t) { return r.autoStartRecording(); }},
    {G::backgroundVolume, "backgroundVolume", A::None, kNoField, [](const R& r, int32_t) { return r.backgroundVolume(); }},
    {G::basicSettingAlventoChannelAt, "basicSettingAlventoChannelAt", A::Slot, kNoField, [](const R& r, int32_t a) { return r.basicSettingAlventoChannelAt(a); }},
    {G::basicSettingAlventoMicrophoneAt, "basicSettingAlventoMicrophoneAt", A::Slot, kNoField, [](const R& r, int32_t a) { return r.basicSettingAlventoMicrophoneAt(a); }},
    {G::basicSettingAlventoVolumeAt, "basicSettingAlventoVolumeAt", A::Slot, kNoField, [](const R& r, int32_t a) { return r.basicSettingAlventoVolumeAt(a); }},
    {G::basicSettingBELMORAVOXSensitivityAt, "basicSettingBELMORAVOXSensitivityAt", A::Slot, kNoField, [](const R& r, int32_t a) { return r.basicSettingBELMORAVOXSensitivityAt(a); }},
    {G::basicSettingYELVARSmartVolumeControlAt, "basicSettingYELVARSmartVolumeControlAt", A::Slot, kNoField, [](const R& r, int32_t a) { return r.basicSettingYELVARSmartVolumeControlAt(a); }},
    {G::bitpoolRate, "bitpoolRate", A::None, kNoField, [](const R& r, int32_t) { return r.bitpoolRate(); }},
    {G::fmStationGuide, "fmStationGuide", A::None, kNoField, [](const R& r, int32_t) { return r.fmStationGuide(); }},
    {G::GetBasicSetting30Equalizer, "GetBasicSetting30Equalizer", A::None, F::Equalizer30, [](const R& r, int32_t) { return r.GetBasicSetting30Equalizer(); }},
    {G::GetBasicSetting50Equalizer, "GetBasicSetting50Equalizer", A::None, F::Equalizer50, [](const R& r, int32_t) { return r.GetBasicSetting50Equalizer(); }},
    {G::GetBasicSetting50MicAccessorySelect, "GetBasicSetting50MicAccessorySelect", A::None, F::MicAccessorySelect50, [](const R& r, int32_t) { return r.GetBasicSetting50MicAccessorySelect(); }},
    {G::GetBasicSetting50SpeakerAccessorySelect, "GetBasicSetting50SpeakerAccessorySelect", A::None, F::SpeakerAccessorySelect50, [](const R& r, int32_t) { return r.GetBasicSetting50SpeakerAccessorySelect(); }},
    {G::GetBasicSettingAirohaAudioBoost, "GetBasicSettingAirohaAudioBoost", A::None, F::AirohaAudioBoost, [](const R& r, int32_t) { return r.GetBasicSettingAirohaAudioBoost(); }},
    {G::GetBasicSettingAirohaAudioEqualizer, "GetBasicSettingAirohaAudioEqualizer", A::None, F::AirohaAudioEqualizer, [](const R& r, int32_t) { return r.GetBasicSettingAirohaAudioEqualizer(); }},
    {G::GetBasicSettingAirohaAudioOverlayVolumeManagement, "GetBasicSettingAirohaAudioOverlayVolumeManagement", A::None, F::AirohaAudioOverlayVolumeManagement, [](const R& r, int32_t) { return r.GetBasicSettingAirohaAudioOverlayVolumeManagement(); }},
    {G::GetBasicSettingAirohaAutoOff, "GetBasicSettingAirohaAutoOff", A::None, F::AirohaAutoOff, [](const R& r, int32_t) { return r.GetBasicSettingAirohaAutoOff(); }},
    {G::GetBasicSettingAirohaAutoOnOff, "GetBasicSettingAirohaAutoOnOff", A::None, F::AirohaAutoOnOff, [](const R& r, int32_t) { return r.GetBasicSettingAirohaAutoOnOff(); }},
    {G::GetBasicSettingAirohaFMStation, "GetBasicSettingAirohaFMStation", A::None, F::AirohaFMStation, [](const R& r, int32_t) { return r.GetBasicSettingAirohaFMStation(); }},
    {G::GetBasicSettingAirohaIntercomAudioOverlaySensitivity, "GetBasicSettingAirohaIntercomAudioOverlaySensitivity", A::None, F::AirohaIntercomAudioOverlaySensitivity, [](const R& r, int32_t) { return r.GetBasicSettingAirohaIntercomAudioOverlaySensitivity(); }},
    {G::GetBasicSettingAirohaMeshReachOut, "GetBasicSettingAirohaMeshReachOut", A::None, F::AirohaMeshReachOut, [](const R& r, int32_t) { return r.GetBasicSettingAirohaMeshReachOut(); }},
    {G::GetBasicSettingAirohaUnitLanguage, "GetBasicSettingAirohaUnitLanguage", A::None, F::AirohaUnitLanguage, [](const R& r, int32_t) { return r.GetBasicSettingAirohaUnitLanguage(); }},
    {G::GetBasicSettingAirohaUnitLanguageCELVAR8R, "GetBasicSettingAirohaUnitLanguageCELVAR8R", A::LanguagePackType, F::AirohaUnitLanguage, [](const R& r, int32_t a) { return r.GetBasicSettingAirohaUnitLanguageCELVAR8R(a); }},
    {G::GetBasicSettingAirohaVARROUnitLanguage, "GetBasicSettingAirohaVARROUnitLanguage", A::None, F::AirohaVARROUnitLanguage, [](const R& r, int32_t) { return r.GetBasicSettingAirohaVARROUnitLanguage(); }},
    {G::GetBasicSettingAirohaVoicePrompt, "GetBasicSettingAirohaVoicePrompt", A::None, F::AirohaVoicePrompt, [](const R& r, int32_t) { return r.GetBasicSettingAirohaVoicePrompt(); }},
    {G::GetBasicSettingAirohaVOXPhone, "GetBasicSettingAirohaVOXPhone", A::None, F::AirohaVOXPhone, [](const R& r, int32_t) { return r.GetBasicSettingAirohaVOXPhone(); }},
    {G::GetBasicSettingAirohaVoxSensitivity, "GetBasicSettingAirohaVoxSensitivity", A::None, F::AirohaVoxSensitivity, [](const R& r, int32_t) { return r.GetBasicSettingAirohaVoxSensitivity(); }},
    {G::GetBasicSettingCelvarHDSpeakerAccessory, "GetBasicSettingCelvarHDSpeakerAccessory", A::None, F::CelvarHDSpeakerAccessory, [](const R& r, int32_t) { return r.GetBasicSettingCelvarHDSpeakerAccessory(); }},
    {G::GetBasicSettingCelvarUnitLanguage, "GetBasicSettingCelvarUnitLanguage", A::ProductId, F::CelvarUnitLanguage, [](const R& r, int32_t a) { return r.GetBasicSettingCelvarUnitLanguage(a); }},
    {G::GetBasicSettingDUNVIKEqualizer, "GetBasicSettingDUNVIKEqualizer", A::None, kNoField, [](const R& r, int32_t) { return r.GetBasicSettingDUNVIKEqualizer(); }},
    {G::GetBasicSettingdunvikUnitLanguage, "GetBasicSettingdunvikUnitLanguage", A::ProductId, F::DUNVIKUnitLanguage, [](const R& r, int32_t a) { return r.GetBasicSettingdunvikUnitLanguage(a); }},
    {G::GetBasicSettingFENNICVOXSensitivity, "GetBasicSettingFENNICVOXSensitivity", A::None, F::FENNICVOXSensitivity, [](const R& r, int32_t) { return r.GetBasicSettingFENNICVOXSensitivity(); }},
    {G::getBasicSettingFERRIKAdvancedNoiseControl, "getBasicSettingFERRIKAdvancedNoiseControl", A::None, F::FERRIKAdvancedNoiseControl, [](const R& r, int32_t) { return r.getBasicSettingFERRIKAdvancedNoiseControl(); }},
    {G::getBasicSettingFERRIKAudioBoost, "getBasicSettingFERRIKAudioBoost", A::None, F::FERRIKAudioBoost, [](const R& r, int32_t) { return r.getBasicSettingFERRIKAudioBoost(); }},
    {G::getBasicSettingFERRIKAudioEqualizer, "getBasicSettingFERRIKAudioEqualizer", A::None, F::FERRIKAudioEqualizer, [](const R& r, int32_t) { return r.getBasicSettingFERRIKAudioEqualizer(); }},
    {G::getBasicSettingFERRIKAudioMultitasking, "getBasicSettingFERRIKAudioMultitasking", A::None, F::FERRIKAudioMultitasking, [](const R& r, int32_t) { return r.getBasicSettingFERRIKAudioMultitasking(); }},
    {G::getBasicSettingFERRIKAudioMultitaskingSensitivity, "getBasicSettingFERRIKAudioMultitaskingSensitivity", A::None, F::FERRIKAudioMultitaskingSensitivity, [](const R& r, int32_t) { return r.getBasicSettingFERRIKAudioMultitaskingSensitivity(); }},
    {G::getBasicSettingFERRIKEightWayIntercom, "getBasicSettingFERRIKEightWayIntercom", A::None, F::FERRIKEightWayIntercom, [](const R& r, int32_t) { return r.getBasicSettingFERRIKEightWayIntercom(); }},
    {G::getBasicSettingFERRIKFMStationGuide, "getBasicSettingFERRIKFMStationGuide", A::None, F::FERRIKFMStationGuide, [](const R& r, int32_t) { return r.getBasicSettingFERRIKFMStationGuide(); }},
    {G::getBasicSettingFERRIKHDIntercom, "getBasicSettingFERRIKHDIntercom", A::None, F::FERRIKHDIntercom, [](const R& r, int32_t) { return r.getBasicSettingFERRIKHDIntercom(); }},
    {G::getBasicSettingFERRIKHDSpeakerAccessory, "getBasicSettingFERRIKHDSpeakerAccessory", A::None, F::FERRIKHDSpeakerAccessory, [](const R& r, int32_t) { return r.getBasicSettingFERRIKHDSpeakerAccessory(); }},
    {G::getBasicSettingFERRIKLEDControl, "getBasicSettingFERRIKLEDControl", A::None, F::FERRIKHDSpeakerAccessory, [](const R& r, int32_t) { return r.getBasicSettingFERRIKLEDControl(); }},
    {G::getBasicSettingFERRIKMotionSensorSensitivity, "getBasicSettingFERRIKMotionSensorSensitivity", A::None, F::FERRIKMotionSensorSensitivity, [](const R& r, int32_t) { return r.getBasicSettingFERRIKMotionSensorSensitivity(); }},
    {G::getBasicSettingFERRIKNavigationAppOverlay, "getBasicSettingFERRIKNavigationAppOverlay", A::None, F::FERRIKNavigationAppOverlay, [](const R& r, int32_t) { return r.getBasicSettingFERRIKNavigationAppOverlay(); }},
    {G::getBasicSettingFERRIKSidetone, "getBasicSettingFERRIKSidetone", A::None, F::FERRIKSidetone, [](const R& r, int32_t) { return r.getBasicSettingFERRIKSidetone(); }},
    {G::getBasicSettingFERRIKSmartVolumeControl, "getBasicSettingFERRIKSmartVolumeControl", A::None, F::FERRIKSmartVolumeControl, [](const R& r, int32_t) { return r.getBasicSettingFERRIKSmartVolumeControl(); }},
    {G::GetBasicSettingFERRIKTamberSpeakerAccessorySelect, "GetBasicSettingFERRIKTamberSpeakerAccessorySelect", A::None, F::FERRIKTamberSpeakerAccessorySelect, [](const R& r, int32_t) { return r.GetBasicSettingFERRIKTamberSpeakerAccessorySelect(); }},
    {G::GetBasicSettingFERRIKVoiceCommand, "GetBasicSettingFERRIKVoiceCommand", A::None, F::FERRIKVoiceCommand, [](const R& r, int32_t) { return r.GetBasicSettingFERRIKVoiceCommand(); }},
    {G::getBasicSettingFERRIKVoicePrompt, "getBasicSettingFERRIKVoicePrompt", A::None, F::FERRIKVoicePrompt, [](const R& r, int32_t) { return r.getBasicSettingFERRIKVoicePrompt(); }},
    {G::getBasicSettingFERRIKVOXPhone, "getBasicSettingFERRIKVOXPhone", A::None, F::FERRIKVOXPhone, [](const R& r, int32_t) { return r.getBasicSettingFERRIKVOXPhone(); }},
    {G::GetBasicSettingFMRadioOnOkemba, "GetBasicSettingFMRadioOnOkemba", A::None, kNoField, [](const R& r, int32_t) { return r.GetBasicSettingFMRadioOnOkemba(); }},
    {G::GetBasicSettingGALLOWUnitLanguage, "GetBasicSettingGALLOWUnitLanguage", A::ProductId, F::GALLOWUnitLanguage, [](const R& r, int32_t a) { return r.GetBasicSettingGALLOWUnitLanguage(a); }},
    {G::GetBasicSettingGESSAAdvancedNoiseControl, "GetBasicSettingGESSAAdvancedNoiseControl", A::None, F::GESSAAdvancedNoiseControl, [](const R& r, int32_t) { return r.GetBasicSettingGESSAAdvancedNoiseControl(); }},
    {G::GetBasicSettingGESSAAGCSensitivity, "GetBasicSettingGESSAAGCSensitivity", A::None, F::GESSAAGCSensitivity, [](const R& r, int32_t) { return r.GetBasicSettingGESSAAGCSensitivity(); }},
    {G::GetBasicSettingGESSAAudioBoost, "GetBasicSettingGESSAAudioBoost", A::None, F::GESSAAudioBoost, [](const R& r, int32_t) { return r.GetBasicSettingGESSAAudioBoost(); }},
    {G::GetBasicSettingGESSAAudioOverlay, "GetBasicSettingGESSAAudioOverlay", A::None, F::GESSAAudioOverlay, [](const R& r, int32_t) { return r.GetBasicSettingGESSAAudioOverlay(); }},
    {G::GetBasicSettingGESSAAudioOverlaySensitivity, "GetBasicSettingGESSAAudioOverlaySensitivity", A::None, F::GESSAAudioOverlaySensitivity, [](const R& r, int32_t) { return r.GetBasicSettingGESSAAudioOverlaySensitivity(); }},
    {G::GetBasicSettingGESSAAudioOverlayVolumeManagement, "GetBasicSettingGESSAAudioOverlayVolumeManagement", A::None, F::GESSAAudioOverlayVolumeManagement, [](const R& r, int32_t) { return r.GetBasicSettingGESSAAudioOverlayVolumeManagement(); }},
    {G::GetBasicSettingGESSAFMStationGuide, "GetBasicSettingGESSAFMStationGuide", A::None, F::GESSAFMStationGuide, [](const R& r, int32_t) { return r.GetBasicSettingGESSAFMStationGuide(); }},
    {G::GetBasicSettingGESSAHDIntercom, "GetBasicSettingGESSAHDIntercom", A::None, F::GESSAHDIntercom, [](const R& r, int32_t) { return r.GetBasicSettingGESSAHDIntercom(); }},
    {G::GetBasicSettingGESSAHDSpeakerAccessory, "GetBasicSettingGESSAHDSpeakerAccessory", A::None, F::GESSAHDSpeakerAccessory, [](const R& r, int32_t) { return r.GetBasicSettingGESSAHDSpeakerAccessory(); }},
    {G::GetBasicSettingGESSAHighQulityA2DP, "GetBasicSettingGESSAHighQulityA2DP", A::None, F::GESSAHighQulityA2DP, [](const R& r, int32_t) { return r.GetBasicSettingGESSAHighQulityA2DP(); }},
    {G::GetBasicSettingGESSAMeshGuestMode, "GetBasicSettingGESSAMeshGuestMode", A::None, F::GESSAMeshGuestMode, [](const R& r, int32_t) { return r.GetBasicSettingGESSAMeshGuestMode(); }},
    {G::GetBasicSettingGESSAMeshReachOut, "GetBasicSettingGESSAMeshReachOut", A::None, F::GESSAMeshReachOut, [](const R& r, int32_t) { return r.GetBasicSettingGESSAMeshReachOut(); }},
    {G::GetBasicSettingGESSASidetone, "GetBasicSettingGESSASidetone", A::None, F::GESSASidetone, [](const R& r, int32_t) { return r.GetBasicSettingGESSASidetone(); }},
    {G::GetBasicSettingGESSAUnitLanguage, "GetBasicSettingGESSAUnitLanguage", A::None, F::GESSAUnitLanguage, [](const R& r, int32_t) { return r.GetBasicSettingGESSAUnitLanguage(); }},
    {G::GetBasicSettingGESSAVoiceCommand, "GetBasicSettingGESSAVoiceCommand", A::None, F::GESSAVoiceCommand, [](const R& r, int32_t) { return r.GetBasicSettingGESSAVoiceCommand(); }},
    {G::GetBasicSettingGESSAVoicePrompt, "GetBasicSettingGESSAVoicePrompt", A::None, F::GESSAVoicePrompt, [](const R& r, int32_t) { return r.GetBasicSettingGESSAVoicePrompt(); }},
    {G::GetBasicSettingGESSAVOXIntercom, "GetBasicSettingGESSAVOXIntercom", A::None, F::GESSAVOXIntercom, [](const R& r, int32_t) { return r.GetBasicSettingGESSAVOXIntercom(); }},
    {G::GetBasicSettingGESSAVOXPhone, "GetBasicSettingGESSAVOXPhone", A::None, F::GESSAVOXPhone, [](const R& r, int32_t) { return r.GetBasicSettingGESSAVOXPhone(); }},
    {G::GetBasicSettingGESSAVoxSensitivity, "GetBasicSettingGESSAVoxSensitivity", A::None, F::GESSAVoxSensitivity, [](const R& r, int32_t) { return r.GetBasicSettingGESSAVoxSensitivity(); }},
    {G::getBasicSettingHIDOneModuleHDSpeakerAccessory, "getBasicSettingHIDOneModuleHDSpeakerAccessory", A::None, F::HIDOneModuleHDSpeakerAccessory, [](const R& r, int32_t) { return r.getBasicSettingHIDOneModuleHDSpeakerAccessory(); }},
    {G::GetBasicSettingLenvoraMeshPublicChannel, "GetBasicSettingLenvoraMeshPublicChannel", A::None, F::LenvoraMeshPublicChannel, [](const R& r, int32_t) { return r.GetBasicSettingLenvoraMeshPublicChannel(); }},
    {G::GetBasicSettingLenvoraRemoteUIPTT, "GetBasicSettingLenvoraRemoteUIPTT", A::None, F::LenvoraRemoteUIPTT, [](const R& r, int32_t) { return r.GetBasicSettingLenvoraRemoteUIPTT(); }},
    {G::GetBasicSettingLUTRAHDVoice, "GetBasicSettingLUTRAHDVoice", A::None, F::GESSAHDSpeakerAccessory, [](const R& r, int32_t) { return r.GetBasicSettingLUTRAHDVoice(); }},
    {G::GetBasicSettingMeshReachOut, "GetBasicSettingMeshReachOut", A::None, F::MeshReachOut, [](const R& r, int32_t) { return r.GetBasicSettingMeshReachOut(); }},
    {G::GetBasicSettingMeshReachOutN2R, "GetBasicSettingMeshReachOutN2R", A::None, F::GESSAHDSpeakerAccessory, [](const R& r, int32_t) { return r.GetBasicSettingMeshReachOutN2R(); }},
    {G::GetBasicSettingPEMVIKPumeliMeshPublicChannel, "GetBasicSettingPEMVIKPumeliMeshPublicChannel", A::None, F::PEMVIKPumeliMeshPublicChannel, [](const R& r, int32_t) { return r.GetBasicSettingPEMVIKPumeliMeshPublicChannel(); }},
    {G::GetBasicSettingPhoneOnOkemba, "GetBasicSettingPhoneOnOkemba", A::None, kNoField, [](const R& r, int32_t) { return r.GetBasicSettingPhoneOnOkemba(); }},
    {G::GetBasicSettingQCCAudioEqualizer, "GetBasicSettingQCCAudioEqualizer", A::None, F::QCCAudioEqualizer, [](const R& r, int32_t) { return r.GetBasicSettingQCCAudioEqualizer(); }},
    {G::GetBasicSettingQCCAudioOverlaySensitivity, "GetBasicSettingQCCAudioOverlaySensitivity", A::None, F::QCCAudioOverlaySensitivity, [](const R& r, int32_t) { return r.GetBasicSettingQCCAudioOverlaySensitivity(); }},
    {G::GetBasicSettingQCCAudioOverlayVolumeManagement, "GetBasicSettingQCCAudioOverlayVolumeManagement", A::None, F::QCCAudioOverlayVolumeManagement, [](const R& r, int32_t) { return r.GetBasicSettingQCCAudioOverlayVolumeManagement(); }},
    {G::GetBasicSettingQccAutoOff, "GetBasicSettingQccAutoOff", A::None, F::UILayer, [](const R& r, int32_t) { return r.GetBasicSettingQccAutoOff(); }},
    {G::GetBasicSettingQCCHDVoice, "GetBasicSettingQCCHDVoice", A::None, F::QCCHDVoice, [](const R& r, int32_t) { return r.GetBasicSettingQCCHDVoice(); }},
    {G::GetBasicSettingQCCVOXSensitivity, "GetBasicSettingQCCVOXSensitivity", A::None, F::QCCVOXSensitivity, [](const R& r, int32_t) { return r.GetBasicSettingQCCVOXSensitivity(); }},
    {G::GetBasicSettingSULVANEUnitLanguage, "GetBasicSettingSULVANEUnitLanguage", A::None, F::SULVANEUnitLanguage, [](const R& r, int32_t) { return r.GetBasicSettingSULVANEUnitLanguage(); }},
    {G::GetBasicSettingTamberSpeakerAccessorySelect, "GetBasicSettingTamberSpeakerAccessorySelect", A::None, F::TamberSpeakerAccessorySelect, [](const R& r, int32_t) { return r.GetBasicSettingTamberSpeakerAccessorySelect(); }},
    {G::getBasicSettingTAVRINCameraAutoCameraSleep, "getBasicSettingTAVRINCameraAutoCameraSleep", A::None, F::TAVRINCameraAutoCameraSleep, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraAutoCameraSleep(); }},
    {G::getBasicSettingTAVRINCameraDateCaption, "getBasicSettingTAVRINCameraDateCaption", A::None, F::TAVRINCameraDateCaption, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraDateCaption(); }},
    {G::getBasicSettingTAVRINCameraLoopRecordingInterval, "getBasicSettingTAVRINCameraLoopRecordingInterval", A::None, F::TAVRINCameraLoopRecordingInterval, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraLoopRecordingInterval(); }},
    {G::getBasicSettingTAVRINCameraPhotoMode, "getBasicSettingTAVRINCameraPhotoMode", A::None, F::TAVRINCameraPhotoMode, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraPhotoMode(); }},
    {G::getBasicSettingTAVRINCameraSpeakerSoundRecording, "getBasicSettingTAVRINCameraSpeakerSoundRecording", A::None, F::TAVRINCameraSpeakerSoundRecording, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraSpeakerSoundRecording(); }},
    {G::getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio, "getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio", A::None, F::TAVRINCameraSpeakerSoundRecordingFMRadio, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio(); }},
    {G::getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom, "getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom", A::None, F::TAVRINCameraSpeakerSoundRecordingIntercom, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(); }},
    {G::getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic, "getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic", A::None, F::TAVRINCameraSpeakerSoundRecordingMusic, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic(); }},
    {G::getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone, "getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone", A::None, F::TAVRINCameraSpeakerSoundRecordingPhone, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone(); }},
    {G::getBasicSettingTAVRINCameraTimelapseInterval, "getBasicSettingTAVRINCameraTimelapseInterval", A::None, F::TAVRINCameraTimelapseInterval, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraTimelapseInterval(); }},
    {G::getBasicSettingTAVRINCameraVideoMicrophoneGain, "getBasicSettingTAVRINCameraVideoMicrophoneGain", A::None, F::TAVRINCameraVideoMicrophoneGain, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraVideoMicrophoneGain(); }},
    {G::getBasicSettingTAVRINCameraVideoMode, "getBasicSettingTAVRINCameraVideoMode", A::None, F::TAVRINCameraVideoMode, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraVideoMode(); }},
    {G::getBasicSettingTAVRINCameraVideoResolution, "getBasicSettingTAVRINCameraVideoResolution", A::None, F::TAVRINCameraVideoResolution, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraVideoResolution(); }},
    {G::getBasicSettingTAVRINCameraVideoTaggingInterval, "getBasicSettingTAVRINCameraVideoTaggingInterval", A::None, F::TAVRINCameraVideoTaggingInterval, [](const R& r, int32_t) { return r.getBasicSettingTAVRINCameraVideoTaggingInterval(); }},
    {G::GetBasicSettingUILayer, "GetBasicSettingUILayer", A::None, F::UILayer, [](const R& r, int32_t) { return r.GetBasicSettingUILayer(); }},
    {G::GetBasicSettingVoiceAssistant, "GetBasicSettingVoiceAssistant", A::None, F::VoiceAssistant, [](const R& r, int32_t) { return r.GetBasicSettingVoiceAssistant(); }},
    {G::GetBasicSettingWENDELUnitLanguage, "GetBasicSettingWENDELUnitLanguage", A::ProductId, F::WENDELUnitLanguage, [](const R& r, int32_t a) { return r.GetBasicSettingWENDELUnitLanguage(a); }},
    {G::GetBasicSettingZANDRELUnitLanguage, "GetBasicSettingZANDRELUnitLanguage", A::None, F::ZANDRELUnitLanguage, [](const R& r, int32_t) { return r.GetBasicSettingZANDRELUnitLanguage(); }},
    {G::handsfreeVOX, "handsfreeVOX", A::None, kNoField, [](const R& r, int32_t) { return r.handsfreeVOX(); }},
    {G::hdIntercom, "hdIntercom", A::None, kNoField, [](const R& r, int32_t) { return r.hdIntercom(); }},
    {G::hdVoice, "hdVoice", A::None, kNoField, [](const R& r, int32_t) { return r.hdVoice(); }},
    {G::intercomVOX, "intercomVOX", A::None, kNoField, [](const R& r, int32_t) { return r.intercomVOX(); }},
    {G::sidetone, "sidetone", A::None, kNoField, [](const R& r, int32_t) { return r.sidetone(); }},
    {G::simpleUI, "simpleUI", A::None, kNoField, [](const R& r, int32_t) { return r.simpleUI(); }},
    {G::smartNaviSystem, "smartNaviSystem", A::None, kNoField, [](const R& r, int32_t) { return r.smartNaviSystem(); }},
    {G::smartNaviSystem2, "smartNaviSystem2", A::None, kNoField, [](const R& r, int32_t) { return r.smartNaviSystem2(); }},
    {G::voicePrompt, "voicePrompt", A::None, kNoField, [](const R& r, int32_t) { return r.voicePrompt(); }},
    {G::YORRALanguage, "YORRALanguage", A::None, kNoField, [](const R& r, int32_t) { return r.YORRALanguage(); }},
    {G::getEssStatus, "getEssStatus", A::None, F::EssStatus, [](const R& r, int32_t) { return r.getEssStatus(); }},
    {G::getEssSensitivity, "getEssSensitivity", A::None, F::EssSensitivity, [](const R& r, int32_t) { return r.getEssSensitivity(); }},
};
// clang-format on

constexpr bool rowsInEnumOrder() {
    if (std::size(kGetters) != kSettingGetterCount) return false;
    for (size_t i = 0; i < std::size(kGetters); ++i)
        if (static_cast<size_t>(kGetters[i].getter) != i) return false;
    return true;
}
static_assert(rowsInEnumOrder(), "one row per getter, in the order of SettingGetter");

const GetterRow* rowOf(G getter) {
    const auto i = static_cast<size_t>(getter);
    return i < std::size(kGetters) ? &kGetters[i] : nullptr;
}

}  // namespace

GetterArgument getterArgument(SettingGetter getter) {
    const GetterRow* row = rowOf(getter);
    return row ? row->argument : A::None;
}

std::string_view getterName(SettingGetter getter) {
    const GetterRow* row = rowOf(getter);
    return row ? row->name : std::string_view{};
}

int32_t read(const ORVABluetoothDeviceData& record, SettingGetter getter, int32_t argument) {
    const GetterRow* row = rowOf(getter);
    return row ? row->call(record, argument) : 0;
}

std::optional<std::vector<int32_t>> storedValues(SettingGetter getter) {
    const GetterRow* row = rowOf(getter);
    if (!row || row->field == kNoField) return std::nullopt;
    return R::storedValuesOf(row->field);
}

}  // namespace device
