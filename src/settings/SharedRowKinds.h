// The item lists and row kinds that many layouts share: the record's plain fields, the mesh
// (GESSA, LUTRA, 50) family, the Airoha, QCC and FERRIK families and the language pop-ups. A
// layout that needs a variant derives it here or in its own data file with the RowKind.h modifiers.
#pragma once

#include "settings/RowKind.h"

namespace settings::kinds {

using G = device::SettingGetter;
using T = app::TextId;

// ---- item lists --------------------------------------------------------------------------------
inline constexpr RowText kSteps5[] = {literal("1"), literal("2"), literal("3"), literal("4"), literal("5")};
inline constexpr RowText kSteps9[] = {literal("1"), literal("2"), literal("3"), literal("4"), literal("5"),
                                      literal("6"), literal("7"), literal("8"), literal("9")};
inline constexpr RowText kSteps10[] = {literal("1"), literal("2"), literal("3"), literal("4"), literal("5"),
                                       literal("6"), literal("7"), literal("8"), literal("9"), literal("10")};
// The disable word, then the levels of the gain-level index 0, 1, 2 (gains 12, 15, 17).
inline constexpr RowText kLevels[] = {disableWord(), text(T::setting_level_low), text(T::setting_level_medium),
                                      text(T::setting_level_high)};
inline constexpr RowText kGainLevels[] = {text(T::setting_level_low), text(T::setting_level_medium),
                                          text(T::setting_level_high)};
inline constexpr RowText kEqualizer[] = {text(T::setting_label_off), text(T::setting_label_balance),
                                         text(T::setting_label_bass_boost), text(T::setting_label_mid_boost),
                                         text(T::setting_label_treble_boost)};
inline constexpr RowText kMusicEqualizer[] = {text(T::setting_label_music_balance), text(T::setting_label_music_enhanced),
                                              text(T::setting_label_voice), text(T::setting_label_bass_boost_2),
                                              text(T::setting_label_treble_boost_2)};
inline constexpr RowText kSource[] = {text(T::setting_label_intercom), text(T::setting_label_music)};
inline constexpr RowText kSpeakers[] = {text(T::setting_label_orva_hd_speakers), text(T::setting_label_morrow_tansy_speakers)};
inline constexpr RowText kSpeakers321A[] = {text(T::setting_label_morrow_tansy_preef3_speakers),
                                            text(T::setting_label_morrow_tansy_speakers_k300),
                                            text(T::setting_label_morrow_tansy_speakers_pdune)};
inline constexpr uint16_t kSpeakers321AProductId = 0x321A;
inline constexpr RowText kChannelsFrom0[] = {text(T::setting_channel_0_common), literal("CH 1"), literal("CH 2"),
                                             literal("CH 3"), literal("CH 4"), literal("CH 5")};
inline constexpr RowText kChannelsFrom1[] = {text(T::setting_channel_1_common), literal("CH 2"), literal("CH 3"),
                                             literal("CH 4"), literal("CH 5"), literal("CH 6"), literal("CH 7"),
                                             literal("CH 8"), literal("CH 9")};

// Voice-prompt languages: entries of the 24-language headset table.
inline constexpr RowText kLanguages11[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_1), text(T::setting_headset_language_2), text(T::setting_headset_language_3), text(T::setting_headset_language_4), text(T::setting_headset_language_5), text(T::setting_headset_language_6), text(T::setting_headset_language_7), text(T::setting_headset_language_8), text(T::setting_headset_language_9), text(T::setting_headset_language_10)};
inline constexpr RowText kLanguages3[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_1), text(T::setting_headset_language_2)};
inline constexpr RowText kLanguagesPack0[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_1), text(T::setting_headset_language_2), text(T::setting_headset_language_3), text(T::setting_headset_language_4), text(T::setting_headset_language_5), text(T::setting_headset_language_7), text(T::setting_headset_language_8), text(T::setting_headset_language_9), text(T::setting_headset_language_10), text(T::setting_headset_language_11)};
inline constexpr RowText kLanguagesPack2[] = {text(T::setting_headset_language_6), text(T::setting_headset_language_13), text(T::setting_headset_language_14), text(T::setting_headset_language_15), text(T::setting_headset_language_16), text(T::setting_headset_language_17), text(T::setting_headset_language_18), text(T::setting_headset_language_19), text(T::setting_headset_language_20), text(T::setting_headset_language_21)};
inline constexpr RowText kLanguagesPackOther[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_13), text(T::setting_headset_language_14), text(T::setting_headset_language_15), text(T::setting_headset_language_16), text(T::setting_headset_language_17), text(T::setting_headset_language_18), text(T::setting_headset_language_19), text(T::setting_headset_language_20), text(T::setting_headset_language_21)};
inline constexpr RowText kLanguagesYorra[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_3), text(T::setting_headset_language_1), text(T::setting_headset_language_4), text(T::setting_headset_language_2), text(T::setting_headset_language_5), text(T::setting_headset_language_16), text(T::setting_headset_language_22)};
inline constexpr RowText kLanguagesEnglishChinese[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_7)};
// Chinese dialects: the same texts in every interface language.
inline constexpr RowText kDialects[] = {literal("普通话"), literal("东北话"), literal("广东话"), literal("江浙沪"),
                                        literal("四川话"), literal("陕西话"), literal("台湾话")};

inline constexpr ItemRule kLanguagesPack{ItemsBy::LanguagePackType, kLanguagesPack0, kLanguagesPack2, kLanguagesPackOther};

// ---- the record's plain fields -------------------------------------------------------------------
inline constexpr RowKind kAudioBoostPlain = onOff(T::setting_label_audio_boost, G::audioBoost, OnOffRule::Inverted);
inline constexpr RowKind kVoxPhonePlain = onOff(T::setting_label_vox_phone, G::handsfreeVOX);
inline constexpr RowKind kVoxIntercomPlain = onOff(T::setting_label_vox_intercom, G::intercomVOX);
inline constexpr RowKind kAudioMultitaskingPlain = onOff(T::setting_label_audio_multitasking, G::audioOverlay);
// Tied to Audio Multitasking: disabled while audioOverlay is 1.
inline constexpr Enabling kTiedToAudioOverlay = enabledUnless(G::audioOverlay, 1);
inline constexpr RowKind kAudioSourcePriority =
    popUp(T::setting_label_audio_source_priority, G::audioSourcePriority, kSource, ItemMapping::Value, kTiedToAudioOverlay);
inline constexpr RowKind kHdVoicePlain = onOff(T::setting_label_hd_voice, G::hdVoice, OnOffRule::Direct, kTiedToAudioOverlay);
inline constexpr RowKind kHdIntercomTied = onOff(T::setting_label_hd_intercom, G::hdIntercom, OnOffRule::Direct, kTiedToAudioOverlay);
inline constexpr RowKind kHdIntercomPlain = onOff(T::setting_label_hd_intercom, G::hdIntercom);
inline constexpr RowKind kVoicePromptPlain = onOff(T::setting_label_voice_prompt, G::voicePrompt, OnOffRule::Inverted);
inline constexpr RowKind kHighQualityA2dpPlain = onOff(T::setting_label_high_quality_a2dp, G::bitpoolRate);
inline constexpr RowKind kSidetonePlain = onOff(T::setting_label_sidetone, G::sidetone);
inline constexpr RowKind kAdvancedNoiseControlPlain =
    onOff(T::setting_label_advanced_noise_control, G::advancedNoiseControl, OnOffRule::Inverted);
inline constexpr RowKind kFmStationGuidePlain = onOff(T::setting_label_fm_station_guide, G::fmStationGuide);
inline constexpr RowKind kSmartNaviSystem = onOff(T::setting_label_smart_navi_system, G::smartNaviSystem2);
inline constexpr RowKind kAutoOffPlain = onOff(T::setting_label_auto_off, G::autoOff);
inline constexpr RowKind kSimpleMode = onOff(T::setting_label_simple_mode, G::simpleUI);
inline constexpr RowKind kAdvancedFeatures = onOff(T::setting_label_advanced_features, G::GetBasicSettingUILayer);
inline constexpr RowKind kVoxSensitivityPlain =
    popUp(T::setting_label_vox_sensitivity, G::basicSettingBELMORAVOXSensitivityAt, kSteps5, ItemMapping::ValueMinusOne);
inline constexpr RowKind kSmartVolumeControlPlain =
    popUp(T::setting_label_smart_volume_control, G::basicSettingYELVARSmartVolumeControlAt, kLevels);
// The record does not know this equalizer's field yet: it reads "Off" and its pop-up stays disabled.
inline constexpr RowKind kAudioEqualizerDunvik =
    withFieldUnknown(popUp(T::setting_label_audio_equalizer, G::GetBasicSettingDUNVIKEqualizer, kEqualizer));
inline constexpr RowKind kUnitLanguageDunvik = popUp(T::setting_label_unit_language, G::GetBasicSettingdunvikUnitLanguage, kLanguages11);
inline constexpr RowKind kHeadsetLanguageDunvik =
    popUp(T::setting_label_headset_language, G::GetBasicSettingdunvikUnitLanguage, kLanguages11);
inline constexpr RowKind kUnitLanguageDunvikPack = withItems(kUnitLanguageDunvik, kLanguagesPack);
inline constexpr RowKind kHeadsetLanguageDunvikPack = withItems(kHeadsetLanguageDunvik, kLanguagesPack);
inline constexpr RowKind kHeadsetLanguageGallow =
    popUp(T::setting_label_headset_language, G::GetBasicSettingGALLOWUnitLanguage, kLanguages11);
inline constexpr RowKind kLanguageYorra =
    withLog(popUp(T::setting_label_language, G::YORRALanguage, kLanguagesYorra), LogLine::HeadsetLanguage);

// ---- the mesh family (GESSA, LUTRA and 50 getters) ----------------------------------------------------
inline constexpr RowKind kUnitLanguageGessa = popUp(T::setting_label_unit_language, G::GetBasicSettingGESSAUnitLanguage, kLanguages11);
inline constexpr RowKind kAudioEqualizer50 = popUp(T::setting_label_audio_equalizer, G::GetBasicSetting50Equalizer, kEqualizer);
inline constexpr RowKind kAudioEqualizer50Accessory1 = withItems(
    kAudioEqualizer50, ItemRule{ItemsBy::GetterEquals, kEqualizer, kMusicEqualizer, {}, G::GetBasicSetting50SpeakerAccessorySelect, 1});
inline constexpr RowKind kAudioEqualizer50Accessory9 = withLog(
    withItems(kAudioEqualizer50,
              ItemRule{ItemsBy::GetterEquals, kEqualizer, kMusicEqualizer, {}, G::GetBasicSetting50SpeakerAccessorySelect, 9}),
    LogLine::SpeakerValue);
inline constexpr RowKind kSpeakers50 = withItems(
    popUp(T::setting_label_speakers, G::GetBasicSetting50SpeakerAccessorySelect, kSpeakers, ItemMapping::ValueMinusEight),
    ItemRule{ItemsBy::ProductIdEquals, kSpeakers, kSpeakers321A, {}, G::Count, kSpeakers321AProductId});
inline constexpr RowKind kMorrowTansyMic =
    onOff(T::setting_label_morrow_tansy_mic, G::GetBasicSetting50MicAccessorySelect, OnOffRule::Accessory);
inline constexpr RowKind kAudioBoostGessa = onOff(T::setting_label_audio_boost, G::GetBasicSettingGESSAAudioBoost, OnOffRule::Inverted);
inline constexpr RowKind kAudioBoostGessaAccessory =
    withEnabling(kAudioBoostGessa, enabledUnless(G::GetBasicSetting50SpeakerAccessorySelect, 8));
inline constexpr RowKind kAudioBoostGessaAccessoryVersion = withEnabling(
    kAudioBoostGessa, Enabling{EnableWhen::GetterNotEqualsOrFromVersion, G::GetBasicSetting50SpeakerAccessorySelect, 8, {}, 1, 4});
inline constexpr RowKind kVoiceAssistant = onOff(T::setting_label_voice_assistant, G::GetBasicSettingVoiceAssistant, OnOffRule::Inverted);
inline constexpr RowKind kMeshReachOut = onOff(T::setting_label_mesh_reach_out, G::GetBasicSettingMeshReachOut);
inline constexpr RowKind kVoxPhoneGessa = onOff(T::setting_label_vox_phone, G::GetBasicSettingGESSAVOXPhone);
inline constexpr RowKind kVoxIntercomGessa = onOff(T::setting_label_vox_intercom, G::GetBasicSettingGESSAVOXIntercom);
inline constexpr RowKind kBluetoothIntercomAudioMultitasking =
    onOff(T::setting_label_bluetooth_intercom_audio_multitasking, G::GetBasicSettingGESSAAudioOverlay);
inline constexpr RowKind kHdIntercomGessa = onOff(T::setting_label_hd_intercom, G::GetBasicSettingGESSAHDIntercom);
inline constexpr RowKind kHdVoiceLutra = onOff(T::setting_label_hd_voice, G::GetBasicSettingLUTRAHDVoice);
inline constexpr RowKind kVoicePromptGessa = onOff(T::setting_label_voice_prompt, G::GetBasicSettingGESSAVoicePrompt, OnOffRule::Inverted);
inline constexpr RowKind kSidetoneGessa = onOff(T::setting_label_sidetone, G::GetBasicSettingGESSASidetone);
inline constexpr RowKind kAdvancedNoiseControlGessa =
    onOff(T::setting_label_advanced_noise_control, G::GetBasicSettingGESSAAdvancedNoiseControl, OnOffRule::Inverted);
inline constexpr RowKind kFmStationGuideGessa = onOff(T::setting_label_fm_station_guide, G::GetBasicSettingGESSAFMStationGuide);
inline constexpr RowKind kVoxSensitivityGessa =
    popUp(T::setting_label_vox_sensitivity, G::GetBasicSettingGESSAVoxSensitivity, kSteps5, ItemMapping::ValueMinusOne);
inline constexpr RowKind kSmartVolumeControlGessa = popUp(T::setting_label_smart_volume_control, G::GetBasicSettingGESSAAGCSensitivity, kLevels);
inline constexpr RowKind kAudioOverlayVolumeManagementGessa =
    onOff(T::setting_label_audio_overlay_volume_management, G::GetBasicSettingGESSAAudioOverlayVolumeManagement);
inline constexpr RowKind kIntercomAudioOverlaySensitivityGessa = popUp(
    T::setting_label_intercom_audio_overlay_sensitivity, G::GetBasicSettingGESSAAudioOverlaySensitivity, kSteps5, ItemMapping::ValueMinusOne);

// ---- the Airoha family: step pop-ups select the value itself -----------------------------------------
inline constexpr RowKind kHeadsetLanguageAiroha =
    popUp(T::setting_label_headset_language, G::GetBasicSettingAirohaUnitLanguage, kLanguages11);
inline constexpr RowKind kHeadsetLanguageAiroha3 = withItems(kHeadsetLanguageAiroha, ItemRule{ItemsBy::Fixed, kLanguages3});
inline constexpr RowKind kHeadsetLanguageAirohaDialects = withItems(kHeadsetLanguageAiroha, ItemRule{ItemsBy::Fixed, kDialects});
inline constexpr RowKind kHeadsetLanguageAirohaPack =
    withItems(popUp(T::setting_label_headset_language, G::GetBasicSettingAirohaUnitLanguageCELVAR8R, kLanguagesPack0), kLanguagesPack);
inline constexpr RowKind kHeadsetLanguageVarro =
    popUp(T::setting_label_headset_language, G::GetBasicSettingAirohaVARROUnitLanguage, kLanguagesEnglishChinese);
inline constexpr RowKind kAudioEqualizerAiroha = popUp(T::setting_label_audio_equalizer, G::GetBasicSettingAirohaAudioEqualizer, kEqualizer);
inline constexpr RowKind kVoxPhoneAiroha = onOff(T::setting_label_vox_phone, G::GetBasicSettingAirohaVOXPhone);
inline constexpr RowKind kVoicePromptAiroha = onOff(T::setting_label_voice_prompt, G::GetBasicSettingAirohaVoicePrompt);
inline constexpr RowKind kVoxSensitivityAiroha = popUp(T::setting_label_vox_sensitivity, G::GetBasicSettingAirohaVoxSensitivity, kSteps5);
inline constexpr RowKind kAudioOverlayVolumeManagementAiroha =
    onOff(T::setting_label_audio_overlay_volume_management, G::GetBasicSettingAirohaAudioOverlayVolumeManagement);
inline constexpr RowKind kIntercomAudioOverlaySensitivityAiroha =
    popUp(T::setting_label_intercom_audio_overlay_sensitivity, G::GetBasicSettingAirohaIntercomAudioOverlaySensitivity, kSteps5);
inline constexpr RowKind kMeshIntercomVoxSensitivityAiroha =
    withLabel(kIntercomAudioOverlaySensitivityAiroha, text(T::setting_label_mesh_intercom_vox_sensitivity));
inline constexpr RowKind kMeshReachOutAiroha = onOff(T::setting_label_mesh_reach_out, G::GetBasicSettingAirohaMeshReachOut);
inline constexpr RowKind kAudioBoostAiroha = onOff(T::setting_label_audio_boost, G::GetBasicSettingAirohaAudioBoost);
inline constexpr RowKind kAutoOnOffAiroha = onOff(T::setting_label_auto_on_off, G::GetBasicSettingAirohaAutoOnOff);
inline constexpr RowKind kAutoOffAiroha = onOff(T::setting_label_auto_off, G::GetBasicSettingAirohaAutoOff);
inline constexpr RowKind kAutomaticPowerOffAiroha = onOff(T::setting_label_automatic_power_off, G::GetBasicSettingAirohaAutoOff);
inline constexpr RowKind kFmStationGuideAiroha = onOff(T::setting_label_fm_station_guide, G::GetBasicSettingAirohaFMStation);

// ---- the QCC family ------------------------------------------------------------------------------------
inline constexpr RowKind kAudioEqualizerQcc = popUp(T::setting_label_audio_equalizer, G::GetBasicSettingQCCAudioEqualizer, kEqualizer);
inline constexpr RowKind kHdVoiceQcc = onOff(T::setting_label_hd_voice, G::GetBasicSettingQCCHDVoice);
inline constexpr RowKind kVoxSensitivityQcc =
    popUp(T::setting_label_vox_sensitivity, G::GetBasicSettingQCCVOXSensitivity, kSteps5, ItemMapping::ValueMinusOne);
inline constexpr RowKind kAudioOverlayVolumeManagementQcc =
    onOff(T::setting_label_audio_overlay_volume_management, G::GetBasicSettingQCCAudioOverlayVolumeManagement);
inline constexpr RowKind kIntercomAudioOverlaySensitivityQcc = popUp(
    T::setting_label_intercom_audio_overlay_sensitivity, G::GetBasicSettingQCCAudioOverlaySensitivity, kSteps5, ItemMapping::ValueMinusOne);
inline constexpr RowKind kAutoOffQcc = onOff(T::setting_label_auto_off, G::GetBasicSettingQccAutoOff);

// ---- the FERRIK family: its on/off rows are all direct --------------------------------------------------
inline constexpr Enabling kTiedToFerrikMultitasking = enabledWhen(G::getBasicSettingFERRIKAudioMultitasking, 1);
inline constexpr RowKind kAudioMultitaskingFerrik = onOff(T::setting_label_audio_multitasking, G::getBasicSettingFERRIKAudioMultitasking);
inline constexpr RowKind kIntercomAudioOverlaySensitivityFerrik =
    popUp(T::setting_label_intercom_audio_overlay_sensitivity, G::getBasicSettingFERRIKAudioMultitaskingSensitivity, kSteps10,
          ItemMapping::TenMinusValue, kTiedToFerrikMultitasking);
inline constexpr RowKind kAudioOverlayVolumeManagementFerrik =
    onOff(T::setting_label_audio_overlay_volume_management, G::getBasicSettingFERRIKNavigationAppOverlay, OnOffRule::Direct,
          kTiedToFerrikMultitasking);
inline constexpr RowKind kAudioBoostFerrik = onOff(T::setting_label_audio_boost, G::getBasicSettingFERRIKAudioBoost);
inline constexpr RowKind kSmartVolumeControlFerrik =
    popUp(T::setting_label_smart_volume_control, G::getBasicSettingFERRIKSmartVolumeControl, kLevels);
inline constexpr RowKind kVoxPhoneFerrik = onOff(T::setting_label_vox_phone, G::getBasicSettingFERRIKVOXPhone);
inline constexpr RowKind kHdIntercomFerrik = onOff(T::setting_label_hd_intercom, G::getBasicSettingFERRIKHDIntercom);
inline constexpr RowKind kEightWayIntercomFerrik = onOff(T::setting_label_eight_way_intercom, G::getBasicSettingFERRIKEightWayIntercom);
inline constexpr RowKind kVoicePromptFerrik = onOff(T::setting_label_voice_prompt, G::getBasicSettingFERRIKVoicePrompt);
inline constexpr RowKind kFmStationGuideFerrik = onOff(T::setting_label_fm_station_guide, G::getBasicSettingFERRIKFMStationGuide);
inline constexpr RowKind kSidetoneFerrik = onOff(T::setting_label_sidetone, G::getBasicSettingFERRIKSidetone);
inline constexpr RowKind kAdvancedNoiseControlFerrik =
    onOff(T::setting_label_advanced_noise_control, G::getBasicSettingFERRIKAdvancedNoiseControl);
inline constexpr RowKind kVoiceCommandFerrik = onOff(T::setting_label_voice_command, G::GetBasicSettingFERRIKVoiceCommand);

// ---- further on/off kinds ---------------------------------------------------------------------------------
inline constexpr RowKind kHdSpeakerAccessoryCelvar =
    onOff(T::setting_label_hd_speaker_accessory, G::GetBasicSettingCelvarHDSpeakerAccessory);
// No information text describes it: its information button stays hidden.
inline constexpr RowKind kRemoteUiRtt = withInfo(
    withLabel(onOff(T{}, G::GetBasicSettingLenvoraRemoteUIPTT, OnOffRule::Inverted), literal("Remote UI RTT")), false);
inline constexpr RowKind kHdSpeakerAccessoryGessa =
    onOff(T::setting_label_hd_speaker_accessory, G::GetBasicSettingGESSAHDSpeakerAccessory);
inline constexpr RowKind kMeshReachOutGessa = onOff(T::setting_label_mesh_reach_out, G::GetBasicSettingGESSAMeshReachOut);
inline constexpr RowKind kMeshReachOutN2R = onOff(T::setting_label_mesh_reach_out, G::GetBasicSettingMeshReachOutN2R);
inline constexpr RowKind kGuestMode = onOff(T::setting_label_guest_mode, G::GetBasicSettingGESSAMeshGuestMode);
inline constexpr RowKind kHighQualityA2dpGessa = onOff(T::setting_label_high_quality_a2dp, G::GetBasicSettingGESSAHighQulityA2DP);
inline constexpr RowKind kVoiceCommandGessa = onOff(T::setting_label_voice_command, G::GetBasicSettingGESSAVoiceCommand);
inline constexpr RowKind kFmRadioOkemba = onOff(T::setting_label_fm_radio_2, G::GetBasicSettingFMRadioOnOkemba);
inline constexpr RowKind kSmartphoneConnection = onOff(T::setting_label_smartphone_connection, G::GetBasicSettingPhoneOnOkemba);

}  // namespace settings::kinds
