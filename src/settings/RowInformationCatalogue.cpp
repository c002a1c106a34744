// The information catalogue of the all-settings list: for each row label, the text method, the
// labels that fill its "%@" places and the message-box size, with the variants some models take.
// First entry of a line: every product id that no later entry of the line names.
#include "settings/RowInformation.h"

namespace settings {

namespace {

using D = DeviceSettingsTexts;
using G = device::SettingGetter;
using T = app::TextId;

constexpr InformationEntry info(InformationText text, int8_t size) { return {{}, text, {}, 0, size}; }
constexpr InformationEntry info(InformationText text, T label, int8_t size) { return {{}, text, {label}, 1, size}; }
constexpr InformationEntry info(InformationText text, T first, T second, int8_t size) {
    return {{}, text, {first, second}, 2, size};
}
constexpr InformationEntry when(InformationWhen w, InformationEntry e) {
    e.when = w;
    return e;
}
constexpr InformationWhen ids(std::span<const uint16_t> productIds) { return {productIds}; }

// ---- product id sets --------------------------------------------------------------------------------
constexpr uint16_t kIds6838[] = {0x6838};
constexpr uint16_t kIds3211[] = {0x3211};
constexpr uint16_t kIds3132[] = {0x3132, 0x3134};
constexpr uint16_t kIds3215[] = {0x3215};
constexpr uint16_t kIds3112[] = {0x3112};
constexpr uint16_t kIds4210[] = {0x4210};
constexpr uint16_t kIds4023[] = {0x4023};
constexpr uint16_t kIds6808[] = {0x6808};
constexpr uint16_t kIds5410[] = {0x5410};
constexpr uint16_t kIds3340[] = {0x3340};
constexpr uint16_t kIds3161[] = {0x3161};
constexpr uint16_t kIds3214And3217[] = {0x3214, 0x3217};
constexpr uint16_t kIdsReachOut4[] = {0x3110, 0x3217};
constexpr uint16_t kIdsFerrik[] = {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
constexpr uint16_t kIdsFerrikRelated[] = {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
// Mesh models whose equalizer offers the partner presets for a partner speaker accessory.
constexpr uint16_t kIdsPartnerEqualizer[] = {0x3132, 0x3134, 0x3210, 0x3211, 0x3212, 0x3214, 0x3216,
                                             0x3217, 0x3218, 0x3219, 0x321A, 0x321C, 0x3900};
// Mesh models whose rows are those of the older firmware below 1.1.
constexpr uint16_t kIdsMeshBelow11[] = {0x3132, 0x3134, 0x3210, 0x3218, 0x321C, 0x3900};
constexpr uint16_t kIdsEqualizer6[] = {0x3112, 0x3211, 0x3212, 0x3214, 0x3215, 0x3216, 0x3217, 0x3219, 0x321A};
constexpr uint16_t kIdsEqualizerQV[] = {0x3232, 0x3233, 0x3264};
constexpr uint16_t kIdsEqualizerRF[] = {0x3156, 0x3213, 0x3240};
constexpr uint16_t kIdsVoxFerrand[] = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024,
                                       0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039};
constexpr uint16_t kIdsVoxMossel[] = {0x6500, 0x6510, 0x6800, 0x6805, 0x6806, 0x6808, 0x6810, 0x6811,
                                      0x6812, 0x6817, 0x6821, 0x6825, 0x6838, 0x683A, 0x6840};
constexpr uint16_t kIdsVoxHallvik[] = {0x5622, 0x5623, 0x5624, 0x6400};
// The voice-prompt text; 0x6839 as the other ids of its layout, 0x5552 and 0x5553 (no voice
// command) too. Every other id shows the voice prompt and voice command text.
constexpr uint16_t kIdsHeadsetUnitLanguage[] = {
    0x3211, 0x3215, 0x3260, 0x5552, 0x5553, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6806, 0x6808,
    0x6810, 0x6811, 0x6812, 0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6831, 0x6838,
    0x6839, 0x683A, 0x6840};
constexpr uint16_t kIdsUnitLanguageHeadset[] = {0x3148, 0x3154, 0x3161, 0x3170};

constexpr ValueIs accessory(int32_t value) { return {G::GetBasicSetting50SpeakerAccessorySelect, value}; }

// ---- the lines ------------------------------------------------------------------------------------------
constexpr InformationEntry kAutoOff[] = {
    info(&D::stringInformationAutoOff, 2),
    when(ids(kIds6838), info(&D::stringInformationAutoOff, 3)),
};
constexpr InformationEntry kAdvancedNoiseControl[] = {
    info(&D::stringInformationAdvancedNoiseControl, T::setting_label_advanced_noise_control, 2)};
constexpr InformationEntry kAdvancedFeatures[] = {info(&D::stringInformationUILayer, 2)};
constexpr InformationEntry kAudioBoost[] = {
    info(&D::stringInformationAudioBoost, 2),
    when(ids(kIds3211), info(&D::stringInformationAudioBoost2, 2)),
    // The second Audio Boost row of the 1.3 layout with a known speaker type.
    when({kIds3132, {from(1, 3), below(1, 4), kSpeakerKnown}, {}, 18}, info(&D::stringInformationAudioBoost2, 2)),
    when({kIds3132, {from(1, 1), below(1, 4)}}, info(&D::stringInformationAudioBoost2_old, 2)),
    when({kIds3132, {from(1, 1)}, accessory(1)}, info(&D::stringInformationAudioBoost2_old, 2)),
    when({kIds3132, {from(1, 1)}}, info(&D::stringInformationAudioBoost2, 2)),
};
constexpr InformationEntry kAudioEqualizer[] = {
    info(&D::stringInformationAudioEqualizer, 4),
    when(ids(kIdsEqualizerRF), info(&D::stringInformationAudioEqualizerRF, 6)),
    when(ids(kIdsEqualizerQV), info(&D::stringInformationAudioEqualizerQV, 6)),
    // Below 1.1 these rows offer the plain presets only, whatever the accessory.
    when({kIdsMeshBelow11, {below(1, 1)}}, info(&D::stringInformationAudioEqualizer, 4)),
    when({kIdsPartnerEqualizer, {kSpeakerKnown}, accessory(1)}, info(&D::stringInformationAudioEqualizerQV, 6)),
    when({kIdsPartnerEqualizer, {kSpeakerOther}, accessory(9)}, info(&D::stringInformationAudioEqualizerQV, 6)),
    when({kIds3215, {}, accessory(1)}, info(&D::stringInformationAudioEqualizerQV, 6)),
    when({kIds3112, {from(3, 3)}, {G::GetBasicSettingTamberSpeakerAccessorySelect, 1}},
         info(&D::stringInformationAudioEqualizerQV, 6)),
    when({kIds4210, {from(2, 5), statusIs(1)}}, info(&D::stringInformationAudioEqualizerQV, 6)),
    when(ids(kIdsEqualizer6), info(&D::stringInformationAudioEqualizer, 6)),
    when({kIdsMeshBelow11, {from(1, 1)}}, info(&D::stringInformationAudioEqualizer, 6)),
};
constexpr InformationEntry kAudioMultitaskingNoMark[] = {info(&D::stringInformationAudioMultitaskingOneModuleForFerrand, 2)};
constexpr InformationEntry kAudioMultitasking[] = {
    info(&D::stringInformationAudioMultitaskingOneModule, 6),
    when(ids(kIdsFerrik),
         info(&D::stringInformationAudioMultitasking, T::setting_label_audio_multitasking, T::setting_label_fm_radio, 6)),
    when(ids(kIds4023), info(&D::stringInformationAudioMultitaskingWithQCC, 6)),
};
constexpr InformationEntry kAudioOverlayVolumeManagement[] = {
    info(&D::stringInformationAudioOverlayVolumeManagement, 3),
    when(ids(kIdsFerrikRelated), info(&D::stringInformationAudioOverlayVolumeManagement, 4)),
    when(ids(kIds6808), info(&D::stringInformationAudioOverlayVolumeManagementNoFMGPS, 3)),
};
constexpr InformationEntry kAudioOverlay[] = {
    info(&D::stringInformationAudioOverlay, 6),
    when(ids(kIds5410), info(&D::stringInformationAudioOverlayARDEL1, 2)),
};
constexpr InformationEntry kAudioSourcePriority[] = {info(&D::stringInformationAudioSourcePriority, 4)};
constexpr InformationEntry kAutoCameraSleep[] = {
    info(&D::stringInformationAutoCameraSleep, T::setting_label_auto_camera_sleep, T::setting_label_auto_camera_sleep, 4)};
constexpr InformationEntry kAutoOnOff[] = {info(&D::stringInformationAutoOnOff, 2)};
constexpr InformationEntry kAutoStartRecording[] = {info(&D::stringInformationAutoStartRecording, 2)};
constexpr InformationEntry kAutomaticPowerOff[] = {info(&D::stringInformationAutomaticPowerOff, 3)};
constexpr InformationEntry kBackgroundVolume[] = {info(&D::stringInformationBackgroundVolume, 2)};
constexpr InformationEntry kBluetoothIntercomAudioMultitasking[] = {
    info(&D::stringInformationBluetoothIntercomAudioMultitasking, 6)};
// Only 0x3161 shows it: the text about its public mesh channel.
constexpr InformationEntry kChannelSelect[] = {info(&D::stringInformationMeshPublicChannel, 3)};
constexpr InformationEntry kChannelSetting[] = {info(&D::stringInformationChannelSetting, 2)};
constexpr InformationEntry kDateCaption[] = {info(&D::stringInformationDateCaption, 2)};
constexpr InformationEntry kEssConfiguration[] = {info(&D::stringInformationESSStatus, 2)};
constexpr InformationEntry kEssSensitivity[] = {info(&D::stringInformationESSSensitivity, 2)};
constexpr InformationEntry kEightWayIntercom[] = {
    info(&D::stringInformationEightwayIntercom, T::setting_label_eight_way_intercom, T::setting_label_eight_way_intercom, 2)};
constexpr InformationEntry kFmStationGuide[] = {info(&D::stringInformationFMStationGuide, 2)};
constexpr InformationEntry kGuestMode[] = {info(&D::stringInformationMeshGuestMode, 6)};
constexpr InformationEntry kHdIntercom[] = {info(&D::stringInformationHDIntercom, T::setting_label_hd_intercom, 2)};
constexpr InformationEntry kHdSpeakerAccessory[] = {
    info(&D::stringInformationHDSpeakerAccessory, 2),
    when(ids(kIds3340), info(&D::stringInformationHDSpeakerAccessorySelect, 2)),
};
constexpr InformationEntry kHdVoice[] = {info(&D::stringInformationHDVoice, 2)};
constexpr InformationEntry kHeadsetLanguage[] = {
    info(&D::stringInformationHeadsetLanguage, 2),
    when(ids(kIdsHeadsetUnitLanguage), info(&D::stringInformationHeadsetUnitLanguage, 2)),
    when({kIds3214And3217, {kSpeakerKnown}}, info(&D::stringInformationHeadsetUnitLanguage, 2)),
    when(ids(kIds3214And3217), info(&D::stringInformationUnitLanguage, 2)),
};
constexpr InformationEntry kHighQualityA2dp[] = {info(&D::stringInformationBitpoolRate, 2)};
// 0x5630 and 0x5632 edit the five-level setting with this row: the first entry is theirs.
constexpr InformationEntry kIntercomAudioOverlaySensitivity[] = {
    info(&D::stringInformationIntercomAudioOverlaySesitivityGESSA, 4),
    when(ids(kIdsFerrik),
         info(&D::stringInformationIntercomAudioOverlaySesitivity, T::setting_label_audio_multitasking, 4)),
    when(ids(kIds6808), info(&D::stringInformationIntercomAudioOverlaySesitivityNoFMGPS, 4)),
};
constexpr InformationEntry kLanguage[] = {info(&D::stringInformationUnitLanguageZelk, 2)};
constexpr InformationEntry kLoopRecordingInterval[] = {info(&D::stringInformationLoopRecordingInterval, 2)};
constexpr InformationEntry kMeshIntercomVoxSensitivity[] = {info(&D::stringInformationVoxSensitivityCORDALE, 3)};
constexpr InformationEntry kMeshReachOut[] = {
    info(&D::stringInformationMeshReachOut, 3),
    when(ids(kIdsReachOut4), info(&D::stringInformationMeshReachOut, 4)),
};
constexpr InformationEntry kMorrowTansyMic[] = {info(&D::stringInformationMicAccessorySelect, 2)};
constexpr InformationEntry kMotionSensorSensitivity[] = {info(&D::stringInformationMotionSensorSensitivity, 2)};
constexpr InformationEntry kNavigationAppSupport[] = {info(&D::stringInformationNavigationAppOverlay,
                                                           T::setting_label_audio_multitasking,
                                                           T::setting_label_audio_multitasking, 2)};
constexpr InformationEntry kPhotoMode[] = {info(&D::stringInformationPhotoMode, 2)};
constexpr InformationEntry kSidetone[] = {info(&D::stringInformationSidetone, 2)};
constexpr InformationEntry kSimpleMode[] = {info(&D::stringInformationSimpleUI, 2)};
constexpr InformationEntry kSmartNaviSystem[] = {info(&D::stringInformationSmartNaviSystem, 2)};
constexpr InformationEntry kSmartVolumeControl[] = {info(&D::stringInformationSmartVolumeControl, 2)};
constexpr InformationEntry kSpeakerSoundRecording[] = {info(&D::stringInformationSpeakerSoundRecording,
                                                            T::setting_label_speaker_sound_recording,
                                                            T::setting_label_speaker_sound_recording, 4)};
constexpr InformationEntry kSpeakers[] = {info(&D::stringInformationHDSpeakerAccessorySelect, 2)};
constexpr InformationEntry kTimelapseInterval[] = {info(&D::stringInformationTimelapseInterval, 2)};
constexpr InformationEntry kUnitLanguage[] = {
    info(&D::stringInformationUnitLanguage, 2),
    when(ids(kIdsUnitLanguageHeadset), info(&D::stringInformationHeadsetUnitLanguage, 2)),
    when({kIdsMeshBelow11, {below(1, 1)}}, info(&D::stringInformationHeadsetUnitLanguage, 2)),
};
constexpr InformationEntry kVoxIntercom[] = {
    info(&D::stringInformationVOXIntercom, T::setting_label_vox_intercom, T::setting_label_vox_intercom, 4)};
constexpr InformationEntry kVoxPhone[] = {info(&D::stringInformationVOXPhone, 2)};
constexpr InformationEntry kVoxSensitivity[] = {
    info(&D::stringInformationVOXSensitivity, 2),
    when(ids(kIdsVoxFerrand), info(&D::stringInformationVOXSensitivityForFerrand, 2)),
    when(ids(kIdsVoxMossel), info(&D::stringInformationVOXSensitivityMOSSEL, 2)),
    when(ids(kIdsVoxHallvik), info(&D::stringInformationVOXSensitivityForHallvik, 2)),
};
constexpr InformationEntry kVideoMicrophoneGain[] = {info(&D::stringInformationVideoMicrophoneGain, 2)};
// The text itself changes at 2.0 too (the page's method tells the bands apart).
constexpr InformationEntry kVideoMode[] = {
    info(&D::stringInformationVideoMode, 2),
    when({{}, {from(2, 0)}}, info(&D::stringInformationVideoMode, 4)),
};
constexpr InformationEntry kVideoResolution[] = {info(&D::stringInformationVideoResolution, 2)};
constexpr InformationEntry kVideoTaggingInterval[] = {info(&D::stringInformationVideoTaggingInterval, 2)};
constexpr InformationEntry kVoiceAssistant[] = {info(&D::stringInformationVoiceAssistant, 2)};
constexpr InformationEntry kVoiceCommand[] = {info(&D::stringInformationVoiceCommand, 2)};
constexpr InformationEntry kVoicePrompt[] = {info(&D::stringInformationVoicePrompt, 2)};
constexpr InformationEntry kWhiteLedAlwaysOn[] = {info(&D::stringInformationLEDControl, 2)};

// Rows without a line keep their buttons hidden: "Channel", "Volume", "Microphone sensitivity",
// the four "▶" rows and "Remote UI RTT".
constexpr InformationLine kCatalogue[] = {
    {text(T::setting_label_auto_off), kAutoOff},
    {text(T::setting_label_advanced_noise_control), kAdvancedNoiseControl},
    {text(T::setting_label_advanced_features), kAdvancedFeatures},
    {text(T::setting_label_audio_boost), kAudioBoost},
    {text(T::setting_label_audio_equalizer), kAudioEqualizer},
    {text(T::setting_label_audio_multitasking_no_tm), kAudioMultitaskingNoMark},
    {text(T::setting_label_audio_multitasking), kAudioMultitasking},
    {text(T::setting_label_audio_overlay_volume_management), kAudioOverlayVolumeManagement},
    {text(T::setting_label_audio_overlay), kAudioOverlay},
    {text(T::setting_label_audio_source_priority), kAudioSourcePriority},
    {text(T::setting_label_auto_camera_sleep), kAutoCameraSleep},
    {text(T::setting_label_auto_on_off), kAutoOnOff},
    {text(T::setting_label_auto_start_recording), kAutoStartRecording},
    {text(T::setting_label_automatic_power_off), kAutomaticPowerOff},
    {text(T::setting_label_background_volume), kBackgroundVolume},
    {text(T::setting_label_bluetooth_intercom_audio_multitasking), kBluetoothIntercomAudioMultitasking},
    {text(T::setting_label_channel_select), kChannelSelect},
    {text(T::setting_label_channel_setting), kChannelSetting},
    {text(T::setting_label_date_caption), kDateCaption},
    {text(T::setting_label_ess_configuration), kEssConfiguration},
    {text(T::setting_label_ess_sensitivity), kEssSensitivity},
    {text(T::setting_label_eight_way_intercom), kEightWayIntercom},
    {text(T::setting_label_fm_station_guide), kFmStationGuide},
    {text(T::setting_label_guest_mode), kGuestMode},
    {text(T::setting_label_hd_intercom), kHdIntercom},
    {text(T::setting_label_hd_speaker_accessory), kHdSpeakerAccessory},
    {text(T::setting_label_hd_voice), kHdVoice},
    {text(T::setting_label_headset_language), kHeadsetLanguage},
    {text(T::setting_label_high_quality_a2dp), kHighQualityA2dp},
    {text(T::setting_label_intercom_audio_overlay_sensitivity), kIntercomAudioOverlaySensitivity},
    {text(T::setting_label_language), kLanguage},
    {text(T::setting_label_loop_recording_interval), kLoopRecordingInterval},
    {text(T::setting_label_mesh_intercom_vox_sensitivity), kMeshIntercomVoxSensitivity},
    {text(T::setting_label_mesh_reach_out), kMeshReachOut},
    {text(T::setting_label_morrow_tansy_mic), kMorrowTansyMic},
    {text(T::setting_label_motion_sensor_sensitivity), kMotionSensorSensitivity},
    {text(T::setting_label_navigation_app_support), kNavigationAppSupport},
    {text(T::setting_label_photo_mode), kPhotoMode},
    {text(T::setting_label_sidetone), kSidetone},
    {text(T::setting_label_simple_mode), kSimpleMode},
    {text(T::setting_label_smart_navi_system), kSmartNaviSystem},
    {text(T::setting_label_smart_volume_control), kSmartVolumeControl},
    {text(T::setting_label_speaker_sound_recording), kSpeakerSoundRecording},
    {text(T::setting_label_speakers), kSpeakers},
    {text(T::setting_label_timelapse_interval), kTimelapseInterval},
    {text(T::setting_label_unit_language), kUnitLanguage},
    {text(T::setting_label_vox_intercom), kVoxIntercom},
    {text(T::setting_label_vox_phone), kVoxPhone},
    {text(T::setting_label_vox_sensitivity), kVoxSensitivity},
    {text(T::setting_label_video_microphone_gain), kVideoMicrophoneGain},
    {text(T::setting_label_video_mode), kVideoMode},
    {text(T::setting_label_video_resolution), kVideoResolution},
    {text(T::setting_label_video_tagging_interval), kVideoTaggingInterval},
    {text(T::setting_label_voice_assistant), kVoiceAssistant},
    {text(T::setting_label_voice_command), kVoiceCommand},
    {text(T::setting_label_voice_prompt), kVoicePrompt},
    {text(T::setting_label_white_led_always_on), kWhiteLedAlwaysOn},
};

}  // namespace

std::span<const InformationLine> informationCatalogue() { return kCatalogue; }

}  // namespace settings
