// Row kinds that only the mesh layouts use: the shared mesh kinds with a label, an item list or an
// enabling rule of their own, and the kinds of a few single models (0x3170, the Celvar ports, the
// Alvento ports, 0x3128, 0x3112).
#pragma once

#include "settings/SharedRowKinds.h"

namespace settings::kinds {

// ---- labels of their own on the shared getters -------------------------------------------------
inline constexpr RowKind kHeadsetLanguageGessa = withLabel(kUnitLanguageGessa, text(T::setting_label_headset_language));
inline constexpr RowKind kMicrophoneSensitivityGessa =
    withLabel(kIntercomAudioOverlaySensitivityGessa, text(T::setting_label_microphone_sensitivity_2));
inline constexpr RowKind kMeshIntercomVoxSensitivityGessa =
    withLabel(kIntercomAudioOverlaySensitivityGessa, text(T::setting_label_mesh_intercom_vox_sensitivity));

// ---- equalizers -------------------------------------------------------------------------------------
// The partner presets whatever the accessory.
inline constexpr RowKind kAudioEqualizer50Music = withItems(kAudioEqualizer50, ItemRule{ItemsBy::Fixed, kMusicEqualizer});

// ---- the HD speaker accessory: the boost only without it, the equalizer only with it -------------
inline constexpr int32_t kStatusNone[] = {0};
inline constexpr RowKind kHdSpeakerAccessoryGessaStatusNone = withEnabling(kHdSpeakerAccessoryGessa, enabledForStatus(kStatusNone));
inline constexpr RowKind kAudioBoostGessaWithoutHdSpeaker =
    withEnabling(kAudioBoostGessa, enabledWhen(G::GetBasicSettingGESSAHDSpeakerAccessory, 0));
inline constexpr RowKind kAudioEqualizer50Accessory1WithHdSpeaker =
    withEnabling(kAudioEqualizer50Accessory1, enabledUnless(G::GetBasicSettingGESSAHDSpeakerAccessory, 0));
inline constexpr RowKind kAudioEqualizer30WithHdSpeaker = popUp(T::setting_label_audio_equalizer, G::GetBasicSetting30Equalizer,
                                                                kEqualizer, ItemMapping::Value,
                                                                enabledWhen(G::GetBasicSettingGESSAHDSpeakerAccessory, 1));

// The older mesh models keep HD Intercom off while the intercom audio multitasking is on.
inline constexpr RowKind kHdIntercomGessaWithoutOverlay =
    withEnabling(kHdIntercomGessa, enabledWhen(G::GetBasicSettingGESSAAudioOverlay, 0));

// ---- 0x3112 from 3.3: the three-way speaker choice ---------------------------------------------------
inline constexpr RowText kTamberSpeakers[] = {text(T::setting_label_basic_speakers), text(T::setting_label_xq_audio_ulvask_spkrs),
                                              text(T::setting_label_orva_hd_speakers)};
inline constexpr RowKind kSpeakersTamber = popUp(T::setting_label_speakers, G::GetBasicSettingTamberSpeakerAccessorySelect, kTamberSpeakers);
inline constexpr RowKind kAudioBoostGessaWithBasicSpeakers =
    withEnabling(kAudioBoostGessa, enabledWhen(G::GetBasicSettingTamberSpeakerAccessorySelect, 0));
inline constexpr RowKind kAudioEqualizer30Tamber = withItems(
    popUp(T::setting_label_audio_equalizer, G::GetBasicSetting30Equalizer, kEqualizer, ItemMapping::Value,
          enabledUnless(G::GetBasicSettingTamberSpeakerAccessorySelect, 0)),
    ItemRule{ItemsBy::GetterEquals, kEqualizer, kMusicEqualizer, {}, G::GetBasicSettingTamberSpeakerAccessorySelect, 1});

// ---- single models --------------------------------------------------------------------------------------
// 0x3170: the first nine languages, then Czech and Brazilian Portuguese.
inline constexpr RowText kLanguagesZandrel[] = {
    text(T::setting_headset_language_0), text(T::setting_headset_language_1), text(T::setting_headset_language_2),
    text(T::setting_headset_language_3), text(T::setting_headset_language_4), text(T::setting_headset_language_5),
    text(T::setting_headset_language_6), text(T::setting_headset_language_7), text(T::setting_headset_language_8),
    text(T::setting_headset_language_11), text(T::setting_headset_language_12)};
inline constexpr RowKind kUnitLanguageZandrel = popUp(T::setting_label_unit_language, G::GetBasicSettingZANDRELUnitLanguage, kLanguagesZandrel);

// The Celvar ports: languages by the record's language pack; the equalizer only with the HD speakers.
inline constexpr RowKind kUnitLanguageCelvar =
    withItems(popUp(T::setting_label_unit_language, G::GetBasicSettingCelvarUnitLanguage, kLanguagesPack0), kLanguagesPack);
inline constexpr RowKind kAudioEqualizer50WithCelvarSpeaker =
    withEnabling(kAudioEqualizer50, enabledWhen(G::GetBasicSettingCelvarHDSpeakerAccessory, 1));

// The Alvento ports: one word each for channel, volume and microphone; no information buttons.
inline constexpr RowText kAlventoChannels[] = {labelNumbered(1), labelNumbered(2), labelNumbered(3),
                                               labelNumbered(4), labelNumbered(5), labelNumbered(6),
                                               labelNumbered(7), labelNumbered(8), labelNumbered(9)};
inline constexpr RowKind kChannelAlvento = withInfo(
    withSlot(popUp(T::setting_label_channel, G::basicSettingAlventoChannelAt, kAlventoChannels, ItemMapping::ValueMinusOne), 0), false);
inline constexpr RowKind kVolumeAlvento = withInfo(
    withSlot(popUp(T::setting_label_volume, G::basicSettingAlventoVolumeAt, kSteps5, ItemMapping::ValueMinusEight), 1), false);
inline constexpr RowKind kMicrophoneSensitivityAlvento =
    withInfo(withSlot(popUp(T::setting_label_microphone_sensitivity, G::basicSettingAlventoMicrophoneAt, kSteps5,
                            ItemMapping::ValueMinusEight),
                      2),
             false);

// 0x3128: the public mesh channels 1 to 9.
inline constexpr RowKind kChannelSettingPemvik =
    popUp(T::setting_label_channel_setting, G::GetBasicSettingPEMVIKPumeliMeshPublicChannel, kChannelsFrom1, ItemMapping::ValueMinusOne);

}  // namespace settings::kinds
