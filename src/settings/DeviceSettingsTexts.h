// The texts of the settings pages that are not setting labels: the cannot-save message, the Save,
// Default and More-settings titles, the form's notes, the time-out message and unit, and the
// information text of every setting. Class methods take the language; instance methods read the
// page's current language. Plain C++: tested without a window.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// (method, entry of i18n/settings): the instance texts that read one entry each.
#define ORVA_SETTINGS_PAGE_TEXTS(X)                                                                        \
    X(stringNoteEDR, settings_note_edr)                                                                    \
    X(stringNoteApply, settings_note_apply)                                                                \
    X(stringInformationPLC, settings_info_plc)                                                             \
    X(stringInformationBitpoolRate, settings_info_bitpool_rate)                                            \
    X(stringInformationMicrophoneBoost, settings_info_microphone_boost)                                    \
    X(stringInformationSidetone, settings_info_sidetone)                                                   \
    X(stringInformationAdvancedNoiseControl, settings_info_advanced_noise_control)                         \
    X(stringInformationAutoGainControl, settings_info_auto_gain_control)                                   \
    X(stringInformationChannel, settings_info_channel)                                                     \
    X(stringInformationVolume, settings_info_volume)                                                       \
    X(stringInformationAutoOnOff, settings_info_auto_on_off)                                               \
    X(stringInformationAudioBoost, settings_info_audio_boost)                                              \
    X(stringInformationAudioBoost2, settings_info_audio_boost2)                                            \
    X(stringInformationAudioBoost2_old, settings_info_audio_boost2_old)                                    \
    X(stringInformationVoiceAssistant, settings_info_voice_assistant)                                      \
    X(stringInformationAutoStartRecording, settings_info_auto_start_recording)                             \
    X(stringInformationRTG, settings_info_rtg)                                                             \
    X(stringInformationEDR43, settings_info_edr43)                                                         \
    X(stringInformationACT, settings_info_act)                                                             \
    X(stringMessageACT, settings_message_act)                                                              \
    X(stringInformationMotionSensorSensitivity, settings_info_motion_sensor_sensitivity)                   \
    X(stringInformationNavigationAppOverlay, settings_info_navigation_app_overlay)                         \
    X(stringInformationAudioMultitasking, settings_info_audio_multitasking)                                \
    X(stringInformationIntercomAudioOverlaySesitivity, settings_info_intercom_audio_overlay_sensitivity)   \
    X(stringInformationIntercomAudioOverlaySesitivityGESSA,                                                \
      settings_info_intercom_audio_overlay_sensitivity_gessa)                                              \
    X(stringInformationFMRadioOn, settings_info_fm_radio_on)                                               \
    X(stringInformationPhoneOn, settings_info_phone_on)                                                    \
    X(stringInformationMicrophoneSensitivityOkemba, settings_info_microphone_sensitivity_okemba)           \
    X(stringInformationVoxSensitivityCORDALE, settings_info_vox_sensitivity_cordale)                       \
    X(stringInformationIntercomAudioOverlaySesitivityNoFMGPS,                                              \
      settings_info_intercom_audio_overlay_sensitivity_no_fm_gps)                                          \
    X(stringInformationVOXPhone, settings_info_vox_phone)                                                  \
    X(stringInformationVOXIntercom, settings_info_vox_intercom)                                            \
    X(stringInformationHDIntercom, settings_info_hd_intercom)                                              \
    X(stringInformationEightwayIntercom, settings_info_eightway_intercom)                                  \
    X(stringInformationVoicePrompt, settings_info_voice_prompt)                                            \
    X(stringInformationFMStationGuide, settings_info_fm_station_guide)                                     \
    X(stringInformationAdaptiveLight, settings_info_adaptive_light)                                        \
    X(stringInformationHDVoice, settings_info_hd_voice)                                                    \
    X(stringInformationUILayer, settings_info_ui_layer)                                                    \
    X(stringInformationAudioSourcePriority, settings_info_audio_source_priority)                           \
    X(stringInformationBluetoothIntercomAudioMultitasking, settings_info_bluetooth_intercom_audio_multitasking) \
    X(stringInformationAudioMultitaskingOneModuleForFerrand,                                               \
      settings_info_audio_multitasking_one_module_for_ferrand)                                             \
    X(stringInformationAudioMultitaskingOneModule, settings_info_audio_multitasking_one_module)            \
    X(stringInformationAudioMultitaskingWithQCC, settings_info_audio_multitasking_with_qcc)                \
    X(stringInformationBackgroundVolume, settings_info_background_volume)                                  \
    X(stringInformationAudioOverlay, settings_info_audio_overlay)                                          \
    X(stringInformationAudioOverlayARDEL1, settings_info_audio_overlay_ardel1)                             \
    X(stringInformationAutoOff, settings_info_auto_off)                                                    \
    X(stringInformationSimpleUI, settings_info_simple_ui)                                                  \
    X(stringInformationSmartNaviSystem, settings_info_smart_navi_system)                                   \
    X(stringInformationSmartVolumeControl, settings_info_smart_volume_control)                             \
    X(stringInformationHDSpeakerAccessory, settings_info_hd_speaker_accessory)                             \
    X(stringInformationHDSpeakerAccessorySelect, settings_info_hd_speaker_accessory_select)                \
    X(stringInformationMicAccessorySelect, settings_info_mic_accessory_select)                             \
    X(stringInformationVOXSensitivity, settings_info_vox_sensitivity)                                      \
    X(stringInformationVOXSensitivityMOSSEL, settings_info_vox_sensitivity_mossel)                         \
    X(stringInformationVOXSensitivityForFerrand, settings_info_vox_sensitivity_for_ferrand)                \
    X(stringInformationVOXSensitivityForHallvik, settings_info_vox_sensitivity_for_hallvik)                \
    X(stringInformationPhotoMode, settings_info_photo_mode)                                                \
    X(stringInformationVideoResolution, settings_info_video_resolution)                                    \
    X(stringInformationTimelapseInterval, settings_info_timelapse_interval)                                \
    X(stringInformationVideoTaggingInterval, settings_info_video_tagging_interval)                         \
    X(stringInformationLoopRecordingInterval, settings_info_loop_recording_interval)                       \
    X(stringInformationVideoMicrophoneGain, settings_info_video_microphone_gain)                           \
    X(stringInformationDateCaption, settings_info_date_caption)                                            \
    X(stringInformationSpeakerSoundRecording, settings_info_speaker_sound_recording)                       \
    X(stringInformationAutoCameraSleep, settings_info_auto_camera_sleep)                                   \
    X(stringInformationMeshGuestMode, settings_info_mesh_guest_mode)                                       \
    X(stringInformationMeshReachOut, settings_info_mesh_reach_out)                                         \
    X(stringInformationAirohaAutoOff, settings_info_airoha_auto_off)                                       \
    X(stringInformationAutomaticPowerOff, settings_info_automatic_power_off)                               \
    X(stringInformationAudioOverlayVolumeManagement, settings_info_audio_overlay_volume_management)        \
    X(stringInformationAudioOverlayVolumeManagementNoFMGPS,                                                \
      settings_info_audio_overlay_volume_management_no_fm_gps)                                             \
    X(stringInformationLEDControl, settings_info_led_control)                                              \
    X(stringInformationVoiceCommand, settings_info_voice_command)                                          \
    X(stringInformationMeshPublicChannel, settings_info_mesh_public_channel)                               \
    X(stringInformationChannelSetting, settings_info_channel_setting)                                      \
    X(stringInformationHeadsetLanguage, settings_info_headset_language)                                    \
    X(stringInformationHeadsetUnitLanguage, settings_info_headset_unit_language)                           \
    X(stringInformationUnitLanguage, settings_info_unit_language)                                          \
    X(stringInformationUnitLanguageZelk, settings_info_unit_language_zelk)                                 \
    X(stringInformationAudioEqualizer, settings_info_audio_equalizer)                                      \
    X(stringInformationAudioEqualizerQV, settings_info_audio_equalizer_qv)                                 \
    X(stringInformationAudioEqualizerRF, settings_info_audio_equalizer_rf)                                 \
    X(stringInformationESSStatus, settings_info_ess_status)                                                \
    X(stringInformationESSSensitivity, settings_info_ess_sensitivity)                                      \
    X(stringInformationMicGain, settings_info_mic_gain)

class DeviceSettingsTexts {
public:
    virtual ~DeviceSettingsTexts() = default;

    // "Cannot save %@" with the name of the setting that a persistent-store key holds; a key
    // outside the table names "Device Setting".
    static std::string qelm_string_cannot_save(int32_t pskey, int32_t in);
    static std::string qelm_string_save_in(int32_t language);
    static std::string qelm_string_default_in(int32_t language);
    static std::string qelm_string_more_settings_in(int32_t language);
    // The all-settings sheet's Close button.
    static std::string qelm_string_close_in(int32_t language);

#define ORVA_DECLARE_TEXT(method, entry) std::string method() const;
    ORVA_SETTINGS_PAGE_TEXTS(ORVA_DECLARE_TEXT)
#undef ORVA_DECLARE_TEXT
    // Two texts: before firmware 2.0 of the recognized headset, and from 2.0 on.
    std::string stringInformationVideoMode() const;
    // "<seconds> (3 ~ 60)".
    std::string stringACTUnit() const;

    // The language the instance texts are in (0..12), and the recognized headset's firmware
    // compared up to the minor number.
    virtual int32_t textLanguage() const = 0;
    virtual int32_t textFirmwareUpToMinor(int32_t major, int32_t minor) const = 0;
};

}  // namespace settings
