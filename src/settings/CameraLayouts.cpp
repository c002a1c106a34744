// Row layouts of the TAVRIN camera headsets (0x5510 TAVRIN, 0x5580 TAVRIN Pro) and of the headsets
// that share their single-module settings record: TAVRIN EVO (0x5570), HURVEK-HX7C (0x5576) and
// SIVRA (0x3300). Firmware bands and, for TAVRIN EVO, the FM option pick the layout.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

namespace {

using namespace kinds;

// ---- the single-module record --------------------------------------------------------------------------
constexpr RowKind kHdSpeakerAccessoryOneModule =
    onOff(T::setting_label_hd_speaker_accessory, G::getBasicSettingHIDOneModuleHDSpeakerAccessory);
// Enabled only while recognition found no accessory status (0).
constexpr int32_t kAccessoryFreeStatus[] = {0};
constexpr RowKind kHdSpeakerAccessoryOneModuleByStatus =
    withEnabling(kHdSpeakerAccessoryOneModule, enabledForStatus(kAccessoryFreeStatus));
constexpr RowKind kAudioBoostUnlessHdSpeaker =
    withEnabling(kAudioBoostPlain, enabledUnless(G::getBasicSettingHIDOneModuleHDSpeakerAccessory, 1));
// Its own enabling follows the HD speaker; the record does not know the equalizer's field yet.
constexpr RowKind kAudioEqualizerWithHdSpeaker = withFieldUnknown(
    popUp(T::setting_label_audio_equalizer, G::GetBasicSettingDUNVIKEqualizer, kEqualizer, ItemMapping::Value,
          enabledWhen(G::getBasicSettingHIDOneModuleHDSpeakerAccessory, 1)));
constexpr RowKind kAutoStartRecording =
    onOff(T::setting_label_auto_start_recording, G::autoStartRecording, OnOffRule::Inverted);

// ---- the camera --------------------------------------------------------------------------------------------
constexpr RowText kPhotoModes[] = {text(T::setting_label_single_shot), text(T::setting_label_burst_shot)};
constexpr RowText kVideoModes2[] = {text(T::setting_label_video_mode), text(T::setting_label_timelapse_mode)};
constexpr RowText kVideoModes3[] = {text(T::setting_label_video_mode), text(T::setting_label_timelapse_mode),
                                    text(T::setting_label_loop_recording_mode)};
constexpr RowText kResolutions[] = {text(T::setting_label_1080p_30fps), text(T::setting_label_720p_60fps),
                                    text(T::setting_label_720p_30fps)};
constexpr RowText kTimelapseIntervals[] = {text(T::setting_label_1_sec), text(T::setting_label_10_secs)};
constexpr RowText kMinutes[] = {text(T::setting_label_1_min), text(T::setting_label_3_mins), text(T::setting_label_5_mins)};

constexpr RowKind kPhotoMode = popUp(T::setting_label_photo_mode, G::getBasicSettingTAVRINCameraPhotoMode, kPhotoModes);
constexpr RowKind kVideoMode2 = popUp(T::setting_label_video_mode, G::getBasicSettingTAVRINCameraVideoMode, kVideoModes2);
constexpr RowKind kVideoMode3 = popUp(T::setting_label_video_mode, G::getBasicSettingTAVRINCameraVideoMode, kVideoModes3);
constexpr RowKind kVideoResolution =
    popUp(T::setting_label_video_resolution, G::getBasicSettingTAVRINCameraVideoResolution, kResolutions);
constexpr RowKind kTimelapseInterval =
    popUp(T::setting_label_timelapse_interval, G::getBasicSettingTAVRINCameraTimelapseInterval, kTimelapseIntervals);
constexpr RowKind kVideoTaggingInterval =
    popUp(T::setting_label_video_tagging_interval, G::getBasicSettingTAVRINCameraVideoTaggingInterval, kMinutes);
constexpr RowKind kLoopRecordingInterval =
    popUp(T::setting_label_loop_recording_interval, G::getBasicSettingTAVRINCameraLoopRecordingInterval, kMinutes);
constexpr RowKind kVideoMicrophoneGain =
    popUp(T::setting_label_video_microphone_gain, G::getBasicSettingTAVRINCameraVideoMicrophoneGain, kGainLevels);
constexpr RowKind kDateCaption = onOff(T::setting_label_date_caption, G::getBasicSettingTAVRINCameraDateCaption);
constexpr RowKind kSpeakerSoundRecording =
    onOff(T::setting_label_speaker_sound_recording, G::getBasicSettingTAVRINCameraSpeakerSoundRecording);
// The four sources under Speaker Sound Recording: no information button, on only while it is on.
constexpr Enabling kWhileRecordingSpeaker = enabledWhen(G::getBasicSettingTAVRINCameraSpeakerSoundRecording, 1);
constexpr RowKind kRecordMusic = withInfo(
    onOff(T::setting_label_sub_music, G::getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic, OnOffRule::Direct,
          kWhileRecordingSpeaker),
    false);
constexpr RowKind kRecordFmRadio = withInfo(
    onOff(T::setting_label_sub_fm_radio, G::getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio, OnOffRule::Direct,
          kWhileRecordingSpeaker),
    false);
constexpr RowKind kRecordIntercom = withInfo(
    onOff(T::setting_label_sub_intercom, G::getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom, OnOffRule::Direct,
          kWhileRecordingSpeaker),
    false);
constexpr RowKind kRecordPhone = withInfo(
    onOff(T::setting_label_sub_phone, G::getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone, OnOffRule::Direct,
          kWhileRecordingSpeaker),
    false);
constexpr RowKind kAutoCameraSleep = onOff(T::setting_label_auto_camera_sleep, G::getBasicSettingTAVRINCameraAutoCameraSleep);

// ---- TAVRIN Pro 0x5580 -------------------------------------------------------------------------------------
constexpr const RowKind* kTP1[] = {&kAudioBoostPlain,   &kVoxPhonePlain,        &kVoxIntercomPlain,
                                   &kHdIntercomPlain,   &kVoicePromptPlain,     &kFmStationGuidePlain,
                                   &kHighQualityA2dpPlain, &kSidetonePlain,     &kAdvancedNoiseControlPlain};
constexpr const RowKind* kTP2[] = {&kAudioBoostPlain,        &kVoxPhonePlain,        &kVoxIntercomPlain,
                                   &kAudioMultitaskingPlain, &kAudioSourcePriority,  &kHdVoicePlain,
                                   &kHdIntercomTied,         &kVoicePromptPlain,     &kFmStationGuidePlain,
                                   &kSidetonePlain,          &kAdvancedNoiseControlPlain};
constexpr const RowKind* kTP3[] = {&kVoxPhonePlain,          &kVoxIntercomPlain,         &kAudioMultitaskingPlain,
                                   &kAudioSourcePriority,    &kHdVoicePlain,             &kHdIntercomTied,
                                   &kVoicePromptPlain,       &kFmStationGuidePlain,      &kSidetonePlain,
                                   &kAdvancedNoiseControlPlain, &kAudioBoostUnlessHdSpeaker, &kHdSpeakerAccessoryOneModule,
                                   &kAudioEqualizerWithHdSpeaker};

// ---- TAVRIN 0x5510 ----------------------------------------------------------------------------------------
constexpr const RowKind* kT1[] = {&kAudioBoostPlain,   &kVoxPhonePlain,       &kVoxIntercomPlain,
                                  &kVoicePromptPlain,  &kHighQualityA2dpPlain, &kSidetonePlain,
                                  &kAdvancedNoiseControlPlain, &kPhotoMode,   &kVideoMode2,
                                  &kVideoResolution,   &kTimelapseInterval,   &kDateCaption,
                                  &kSpeakerSoundRecording, &kRecordMusic,     &kRecordFmRadio,
                                  &kRecordIntercom,    &kRecordPhone,         &kAutoCameraSleep};
constexpr const RowKind* kT2[] = {&kAudioBoostPlain,      &kVoxPhonePlain,         &kVoxIntercomPlain,
                                  &kHdIntercomPlain,      &kVoicePromptPlain,      &kHighQualityA2dpPlain,
                                  &kSidetonePlain,        &kAdvancedNoiseControlPlain, &kPhotoMode,
                                  &kVideoMode3,           &kVideoResolution,       &kTimelapseInterval,
                                  &kVideoTaggingInterval, &kLoopRecordingInterval, &kVideoMicrophoneGain,
                                  &kDateCaption,          &kSpeakerSoundRecording, &kRecordMusic,
                                  &kRecordFmRadio,        &kRecordIntercom,        &kRecordPhone,
                                  &kAutoCameraSleep};
constexpr const RowKind* kT3[] = {&kAudioBoostPlain,      &kVoxPhonePlain,         &kVoxIntercomPlain,
                                  &kHdIntercomPlain,      &kVoicePromptPlain,      &kFmStationGuidePlain,
                                  &kHighQualityA2dpPlain, &kSidetonePlain,         &kAdvancedNoiseControlPlain,
                                  &kPhotoMode,            &kVideoMode3,            &kVideoResolution,
                                  &kTimelapseInterval,    &kVideoTaggingInterval,  &kLoopRecordingInterval,
                                  &kVideoMicrophoneGain,  &kDateCaption,           &kSpeakerSoundRecording,
                                  &kRecordMusic,          &kRecordFmRadio,         &kRecordIntercom,
                                  &kRecordPhone,          &kAutoCameraSleep};
constexpr const RowKind* kT4[] = {&kAudioBoostPlain,      &kVoxPhonePlain,         &kVoxIntercomPlain,
                                  &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain,
                                  &kHdIntercomTied,       &kVoicePromptPlain,      &kFmStationGuidePlain,
                                  &kSidetonePlain,        &kAdvancedNoiseControlPlain, &kPhotoMode,
                                  &kVideoMode3,           &kVideoResolution,       &kTimelapseInterval,
                                  &kVideoTaggingInterval, &kLoopRecordingInterval, &kVideoMicrophoneGain,
                                  &kDateCaption,          &kSpeakerSoundRecording, &kRecordMusic,
                                  &kRecordFmRadio,        &kRecordIntercom,        &kRecordPhone,
                                  &kAutoCameraSleep};

// ---- TAVRIN EVO 0x5570, HURVEK-HX7C 0x5576, SIVRA 0x3300 ------------------------------------------------------
constexpr const RowKind* kE1[] = {&kAudioBoostPlain,        &kVoxPhonePlain,       &kVoxIntercomPlain,
                                  &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain,
                                  &kHdIntercomTied,         &kVoicePromptPlain,    &kFmStationGuidePlain,
                                  &kSidetonePlain,          &kAdvancedNoiseControlPlain};
constexpr const RowKind* kE2[] = {&kVoxPhonePlain,          &kVoxIntercomPlain,         &kAudioMultitaskingPlain,
                                  &kAudioSourcePriority,    &kHdVoicePlain,             &kHdIntercomTied,
                                  &kVoicePromptPlain,       &kFmStationGuidePlain,      &kSidetonePlain,
                                  &kAdvancedNoiseControlPlain, &kAudioBoostUnlessHdSpeaker,
                                  &kHdSpeakerAccessoryOneModuleByStatus, &kAudioEqualizerWithHdSpeaker};
constexpr const RowKind* kE3[] = {&kVoxPhonePlain,          &kVoxIntercomPlain,         &kAudioMultitaskingPlain,
                                  &kAudioSourcePriority,    &kHdVoicePlain,             &kHdIntercomTied,
                                  &kVoicePromptPlain,       &kSidetonePlain,            &kAdvancedNoiseControlPlain,
                                  &kAudioBoostUnlessHdSpeaker, &kHdSpeakerAccessoryOneModuleByStatus,
                                  &kAudioEqualizerWithHdSpeaker};
constexpr const RowKind* kH[] = {&kAutoStartRecording,     &kAudioBoostPlain,     &kVoxPhonePlain,
                                 &kVoxIntercomPlain,       &kAudioMultitaskingPlain, &kAudioSourcePriority,
                                 &kHdVoicePlain,           &kHdIntercomTied,      &kVoicePromptPlain,
                                 &kFmStationGuidePlain,    &kSidetonePlain,       &kAdvancedNoiseControlPlain};
constexpr const RowKind* kS[] = {&kUnitLanguageDunvik,     &kAudioEqualizerDunvik, &kVoxPhonePlain,
                                 &kVoxIntercomPlain,       &kAudioMultitaskingPlain, &kAudioSourcePriority,
                                 &kHdVoicePlain,           &kHdIntercomTied,       &kVoicePromptPlain,
                                 &kSidetonePlain,          &kAdvancedNoiseControlPlain};

constexpr Layout kLTP1{"TAVRIN Pro TP1", kTP1};
constexpr Layout kLTP2{"TAVRIN Pro TP2", kTP2};
constexpr Layout kLTP3{"TAVRIN Pro TP3", kTP3};
constexpr Layout kLT1{"TAVRIN T1", kT1};
constexpr Layout kLT2{"TAVRIN T2", kT2};
constexpr Layout kLT3{"TAVRIN T3", kT3};
constexpr Layout kLT4{"TAVRIN T4", kT4};
constexpr Layout kLE1{"TAVRIN EVO E1", kE1};
constexpr Layout kLE2{"TAVRIN EVO E2", kE2};
constexpr Layout kLE3{"TAVRIN EVO E3", kE3};
constexpr Layout kLH{"HURVEK-HX7C", kH};
constexpr Layout kLS{"SIVRA", kS};

constexpr LayoutChoice kTavrinProChoices[] = {
    {{below(2, 0)}, &kLTP1},
    {{below(2, 6)}, &kLTP2},
    {{}, &kLTP3},
};
constexpr LayoutChoice kTavrinChoices[] = {
    {{below(2, 0)}, &kLT1},
    {{below(2, 2)}, &kLT2},
    {{below(3, 0)}, &kLT3},
    {{}, &kLT4},
};
constexpr LayoutChoice kTavrinEvoChoices[] = {
    {{below(1, 4)}, &kLE1},
    {{kFmHidden}, &kLE3},
    {{}, &kLE2},
};

template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};

constexpr uint16_t kIdsTavrinPro[] = {0x5580};
constexpr uint16_t kIdsTavrin[] = {0x5510};
constexpr uint16_t kIdsTavrinEvo[] = {0x5570};
constexpr uint16_t kIdsHurvek[] = {0x5576};
constexpr uint16_t kIdsSivra[] = {0x3300};

constexpr SelectionGroup kGroups[] = {
    {kIdsTavrinPro, kTavrinProChoices},
    {kIdsTavrin, kTavrinChoices},
    {kIdsTavrinEvo, kTavrinEvoChoices},
    {kIdsHurvek, kOnly<&kLH>},
    {kIdsSivra, kOnly<&kLS>},
};

}  // namespace

std::span<const SelectionGroup> cameraGroups() { return kGroups; }

}  // namespace settings
