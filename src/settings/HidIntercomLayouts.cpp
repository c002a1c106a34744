// Row layouts of the HID intercom models: the two blocks of models chosen by product id and the FM
// option, and the models whose rows change with firmware bands (older firmware lacks the Audio
// Multitasking rows; HD Intercom and FM Station Guide join at given versions). The last two ids read
// the mesh-family getters.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

namespace {

using namespace kinds;

// ---- row kinds these models add to the shared ones -------------------------------------------------------
// Older firmware of 0x5530 and 0x5532 shows HD Voice without the Audio Multitasking tie.
constexpr RowKind kHdVoiceUntied = onOff(T::setting_label_hd_voice, G::hdVoice);
constexpr RowKind kVoxSensitivityFennic =
    popUp(T::setting_label_vox_sensitivity, G::GetBasicSettingFENNICVOXSensitivity, kSteps5, ItemMapping::ValueMinusOne);
constexpr RowKind kBackgroundVolume = popUp(T::setting_label_background_volume, G::backgroundVolume, kSteps10);
constexpr RowText kLanguagesEnglishHindi[] = {text(T::setting_headset_language_0), text(T::setting_headset_language_23)};
constexpr RowKind kHeadsetLanguageWendel =
    popUp(T::setting_label_headset_language, G::GetBasicSettingWENDELUnitLanguage, kLanguagesEnglishHindi);
constexpr RowKind kChannelSelectLenvora =
    popUp(T::setting_label_channel_select, G::GetBasicSettingLenvoraMeshPublicChannel, kSteps9);
constexpr RowKind kUnitLanguageSulvane = popUp(T::setting_label_unit_language, G::GetBasicSettingSULVANEUnitLanguage, kLanguages11);
// The settings word of 0x5591 to 0x5597 has no bit for the FM station guide, and that word is all
// a save writes: the row is listed but disabled, since no change of it could reach the headset.
constexpr RowKind kFmStationGuideNoBit = withFieldUnknown(kFmStationGuidePlain);

// ---- first HID intercom block: 0x5534 to 0x4023 -------------------------------------------------
constexpr const RowKind* k5534Fm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain, &kFmStationGuidePlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5534NoFm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k3341[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kUnitLanguageDunvikPack,
    &kVoicePromptPlain, &kAdvancedFeatures};
constexpr const RowKind* k3340[] = {&kHdSpeakerAccessoryCelvar, &kAudioEqualizerDunvik, &kVoxPhonePlain,
    &kVoxIntercomPlain, &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied,
    &kUnitLanguageDunvikPack, &kVoicePromptPlain, &kAdvancedFeatures};
constexpr const RowKind* k3420[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kUnitLanguageDunvikPack, &kVoicePromptPlain,
    &kAdvancedFeatures};
constexpr const RowKind* k3085[] = {&kHeadsetLanguageDunvik, &kVoicePromptPlain};
constexpr const RowKind* k6038[] = {&kAudioBoostPlain, &kHdIntercomTied, &kSidetonePlain, &kAdvancedNoiseControlPlain,
    &kSmartNaviSystem, &kAutoOffPlain, &kSimpleMode, &kVoxPhonePlain, &kVoxSensitivityPlain, &kVoicePromptPlain,
    &kLanguageYorra};
constexpr const RowKind* k5632[] = {&kIntercomAudioOverlaySensitivityQcc};
constexpr const RowKind* k5552[] = {&kAudioEqualizerDunvik, &kHdVoicePlain, &kVoicePromptPlain, &kFmStationGuidePlain,
    &kHeadsetLanguageGallow};
constexpr const RowKind* k321B[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain, &kFmStationGuidePlain, &kSidetonePlain};
constexpr const RowKind* k6042[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain,
    &kSidetonePlain, &kAutoOffQcc, &kVoxSensitivityFennic};
constexpr const RowKind* k5590Fm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain, &kFmStationGuidePlain};
constexpr const RowKind* k5590NoFm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain};
constexpr const RowKind* k4023From23[] = {&kVoxPhonePlain, &kAudioMultitaskingPlain, &kHdVoicePlain, &kHdIntercomTied,
    &kHeadsetLanguageDunvik, &kVoicePromptPlain};
constexpr const RowKind* k4023Below23[] = {&kVoxPhonePlain, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain};

// ---- second HID intercom block: 0x3350 to 0x4050 ------------------------------------------------
constexpr const RowKind* k3350[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik};
constexpr const RowKind* k3370[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain,
    &kFmStationGuidePlain};
constexpr const RowKind* k3410[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain,
    &kFmStationGuidePlain, &kSidetonePlain, &kVoxSensitivityFennic, &kAudioEqualizerDunvik};
constexpr const RowKind* k5441[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain,
    &kFmStationGuidePlain, &kSidetonePlain, &kVoxSensitivityFennic};
constexpr const RowKind* k6900Fm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain, &kFmStationGuidePlain};
constexpr const RowKind* k5591Fm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain, &kFmStationGuideNoBit};
constexpr const RowKind* k6900NoFm[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik,
    &kVoicePromptPlain};
constexpr const RowKind* k6481[] = {&kBackgroundVolume, &kAudioMultitaskingPlain};
constexpr const RowKind* k5596[] = {&kAudioEqualizerDunvik, &kHeadsetLanguageWendel, &kVoxPhonePlain,
    &kVoxIntercomPlain, &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied,
    &kVoicePromptPlain};
constexpr const RowKind* k5595[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoicePromptPlain};
constexpr const RowKind* k3380[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain,
    &kSidetonePlain, &kVoxSensitivityFennic};
constexpr const RowKind* k3701[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoicePromptPlain, &kSidetonePlain,
    &kVoxSensitivityFennic};
constexpr const RowKind* k5592Fm[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain,
    &kFmStationGuideNoBit};
constexpr const RowKind* k5592NoFm[] = {&kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kHeadsetLanguageDunvik, &kVoicePromptPlain};
constexpr const RowKind* k3400[] = {&kAudioEqualizerDunvik, &kVoxPhonePlain, &kHdVoicePlain, &kHdIntercomTied,
    &kHeadsetLanguageDunvik, &kVoicePromptPlain};
constexpr const RowKind* k3070Fm[] = {&kUnitLanguageDunvik, &kVoicePromptPlain, &kFmStationGuidePlain,
    &kSidetonePlain};
constexpr const RowKind* k3070NoFm[] = {&kUnitLanguageDunvik, &kVoicePromptPlain, &kSidetonePlain};
constexpr const RowKind* k3080[] = {&kUnitLanguageDunvik, &kVoicePromptPlain, &kSidetonePlain};
constexpr const RowKind* k6310[] = {&kUnitLanguageDunvik, &kVoicePromptPlain};
constexpr const RowKind* k6320[] = {&kUnitLanguageDunvik, &kVoxPhonePlain, &kHdVoicePlain, &kHdIntercomTied,
    &kVoicePromptPlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5564[] = {&kUnitLanguageDunvik};

// ---- firmware-banded intercom models: 0x6112 to 0x3150 ------------------------------------------
constexpr const RowKind* k6112[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kAudioMultitaskingPlain,
    &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain, &kVoicePromptPlain,
    &kFmStationGuidePlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k6114[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kVoxSensitivityPlain,
    &kVoicePromptPlain, &kFmStationGuidePlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5424NoFm[] = {&kUnitLanguageDunvik, &kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain,
    &kSmartVolumeControlPlain, &kVoicePromptPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5424Fm[] = {&kUnitLanguageDunvik, &kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain,
    &kSmartVolumeControlPlain, &kVoicePromptPlain, &kFmStationGuidePlain, &kSidetonePlain,
    &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5426Fm[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain,
    &kSmartVolumeControlPlain, &kVoicePromptPlain, &kFmStationGuidePlain, &kSidetonePlain,
    &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5426NoFm[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain,
    &kSmartVolumeControlPlain, &kVoicePromptPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5520Below11[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kVoxSensitivityPlain, &kVoicePromptPlain, &kHighQualityA2dpPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5520From11[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kHdIntercomPlain,
    &kVoxSensitivityPlain, &kVoicePromptPlain, &kHighQualityA2dpPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5520From13[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kHdIntercomPlain,
    &kVoxSensitivityPlain, &kVoicePromptPlain, &kFmStationGuidePlain, &kHighQualityA2dpPlain, &kSidetonePlain,
    &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5520From20Fm[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain,
    &kVoicePromptPlain, &kFmStationGuidePlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5520From20NoFm[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoxSensitivityPlain,
    &kVoicePromptPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5610Below11[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kVoicePromptPlain,
    &kHighQualityA2dpPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5610From11[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kHdIntercomPlain,
    &kVoicePromptPlain, &kHighQualityA2dpPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5610From20[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoicePromptPlain,
    &kFmStationGuidePlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5530Below14[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kHdIntercomPlain,
    &kVoicePromptPlain, &kHighQualityA2dpPlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5530From14[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kHdVoiceUntied,
    &kHdIntercomPlain, &kVoicePromptPlain, &kFmStationGuidePlain, &kHighQualityA2dpPlain, &kSidetonePlain,
    &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5530From20Fm[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoicePromptPlain,
    &kFmStationGuidePlain, &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5530From20NoFm[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain,
    &kAudioMultitaskingPlain, &kAudioSourcePriority, &kHdVoicePlain, &kHdIntercomTied, &kVoicePromptPlain,
    &kSidetonePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5532[] = {&kAudioBoostPlain, &kVoxPhonePlain, &kVoxIntercomPlain, &kHdVoiceUntied,
    &kHdIntercomPlain, &kVoicePromptPlain, &kFmStationGuidePlain, &kHighQualityA2dpPlain, &kSidetonePlain,
    &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5550Below12[] = {&kAudioBoostPlain, &kHdIntercomPlain, &kVoicePromptPlain,
    &kFmStationGuidePlain, &kHighQualityA2dpPlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5550From12[] = {&kAudioBoostPlain, &kVoicePromptPlain, &kFmStationGuidePlain,
    &kHighQualityA2dpPlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k5550From20[] = {&kAudioBoostPlain, &kAudioMultitaskingPlain, &kAudioSourcePriority,
    &kHdVoicePlain, &kVoicePromptPlain, &kFmStationGuidePlain, &kAdvancedNoiseControlPlain};
constexpr const RowKind* k3161[] = {&kChannelSelectLenvora, &kUnitLanguageSulvane, &kRemoteUiRtt};
constexpr const RowKind* k3150Fm[] = {&kUnitLanguageSulvane, &kVoicePromptGessa, &kFmStationGuideGessa};
constexpr const RowKind* k3150NoFm[] = {&kUnitLanguageSulvane, &kVoicePromptGessa};


constexpr Layout kL5534Fm{"0x5534 group, FM shown", k5534Fm};
constexpr Layout kL5534NoFm{"0x5534 group, no FM", k5534NoFm};
constexpr Layout kL3341{"0x3341", k3341};
constexpr Layout kL3340{"0x3340", k3340};
constexpr Layout kL3420{"0x3420 group", k3420};
constexpr Layout kL3085{"0x3085", k3085};
constexpr Layout kL6038{"0x6038 group", k6038};
constexpr Layout kL5632{"0x5632 group", k5632};
constexpr Layout kL5552{"0x5552 group", k5552};
constexpr Layout kL321B{"0x321B", k321B};
constexpr Layout kL6042{"0x6042", k6042};
constexpr Layout kL5590Fm{"0x5590, FM shown", k5590Fm};
constexpr Layout kL5590NoFm{"0x5590, no FM", k5590NoFm};
constexpr Layout kL4023From23{"0x4023, 2.3 or later", k4023From23};
constexpr Layout kL4023Below23{"0x4023, below 2.3", k4023Below23};
constexpr Layout kL3350{"0x3350 group", k3350};
constexpr Layout kL3370{"0x3370", k3370};
constexpr Layout kL3410{"0x3410", k3410};
constexpr Layout kL5441{"0x5441", k5441};
constexpr Layout kL6900Fm{"0x6900 group, FM shown", k6900Fm};
constexpr Layout kL6900NoFm{"0x6900 group, no FM", k6900NoFm};
constexpr Layout kL5591Fm{"0x5591 group, FM shown", k5591Fm};
constexpr Layout kL6481{"0x6481 group", k6481};
constexpr Layout kL5596{"0x5596", k5596};
constexpr Layout kL5595{"0x5595", k5595};
constexpr Layout kL3380{"0x3380", k3380};
constexpr Layout kL3701{"0x3701", k3701};
constexpr Layout kL5592Fm{"0x5592 group, FM shown", k5592Fm};
constexpr Layout kL5592NoFm{"0x5592 group, no FM", k5592NoFm};
constexpr Layout kL3400{"0x3400", k3400};
constexpr Layout kL3070Fm{"0x3070, FM shown", k3070Fm};
constexpr Layout kL3070NoFm{"0x3070, no FM", k3070NoFm};
constexpr Layout kL3080{"0x3080", k3080};
constexpr Layout kL6310{"0x6310", k6310};
constexpr Layout kL6320{"0x6320 group", k6320};
constexpr Layout kL5564{"0x5564 group", k5564};
constexpr Layout kL6112{"0x6112", k6112};
constexpr Layout kL6114{"0x6114", k6114};
constexpr Layout kL5424NoFm{"0x5424 group, no FM", k5424NoFm};
constexpr Layout kL5424Fm{"0x5424 group, FM shown", k5424Fm};
constexpr Layout kL5426Fm{"0x5426, FM shown", k5426Fm};
constexpr Layout kL5426NoFm{"0x5426, no FM", k5426NoFm};
constexpr Layout kL5520Below11{"0x5520, below 1.1", k5520Below11};
constexpr Layout kL5520From11{"0x5520, 1.1 or later and below 1.3", k5520From11};
constexpr Layout kL5520From13{"0x5520, 1.3 or later and below 2.0", k5520From13};
constexpr Layout kL5520From20Fm{"0x5520, 2.0 or later, FM shown", k5520From20Fm};
constexpr Layout kL5520From20NoFm{"0x5520, 2.0 or later, no FM", k5520From20NoFm};
constexpr Layout kL5610Below11{"0x5610 group, below 1.1", k5610Below11};
constexpr Layout kL5610From11{"0x5610 group, 1.1 or later and below 2.0", k5610From11};
constexpr Layout kL5610From20{"0x5610 group, 2.0 or later", k5610From20};
constexpr Layout kL5530Below14{"0x5530, below 1.4", k5530Below14};
constexpr Layout kL5530From14{"0x5530, 1.4 or later and below 2.0", k5530From14};
constexpr Layout kL5530From20Fm{"0x5530, 2.0 or later, FM shown", k5530From20Fm};
constexpr Layout kL5530From20NoFm{"0x5530, 2.0 or later, no FM", k5530From20NoFm};
constexpr Layout kL5532{"0x5532", k5532};
constexpr Layout kL5550Below12{"0x5550, below 1.2", k5550Below12};
constexpr Layout kL5550From12{"0x5550, 1.2 or later and below 2.0", k5550From12};
constexpr Layout kL5550From20{"0x5550, 2.0 or later", k5550From20};
constexpr Layout kL3161{"0x3161", k3161};
constexpr Layout kL3150Fm{"0x3150, FM shown", k3150Fm};
constexpr Layout kL3150NoFm{"0x3150, no FM", k3150NoFm};

template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};

constexpr uint16_t kIds5534[] = {0x5534, 0x5538};
constexpr LayoutChoice k5534Choices[] = {
    {{kFmShown}, &kL5534Fm},
    {{kFmHidden}, &kL5534NoFm},
};
constexpr uint16_t kIds3341[] = {0x3341};
constexpr uint16_t kIds3340[] = {0x3340};
constexpr uint16_t kIds3420[] = {0x3420, 0x3430};
constexpr uint16_t kIds3085[] = {0x3085};
constexpr uint16_t kIds6038[] = {0x6038, 0x6039};
constexpr uint16_t kIds5632[] = {0x5632, 0x5630};
constexpr uint16_t kIds5552[] = {0x5552, 0x5553};
constexpr uint16_t kIds321B[] = {0x321B};
constexpr uint16_t kIds6042[] = {0x6042};
constexpr uint16_t kIds5590[] = {0x5590};
constexpr LayoutChoice k5590Choices[] = {
    {{kFmShown}, &kL5590Fm},
    {{kFmHidden}, &kL5590NoFm},
};
constexpr uint16_t kIds4023[] = {0x4023};
constexpr LayoutChoice k4023Choices[] = {
    {{from(2, 3)}, &kL4023From23},
    {{below(2, 3)}, &kL4023Below23},
};
constexpr uint16_t kIds3350[] = {0x3350, 0x3360};
constexpr uint16_t kIds3370[] = {0x3370};
constexpr uint16_t kIds3410[] = {0x3410};
constexpr uint16_t kIds5441[] = {0x5441};
constexpr uint16_t kIds6900[] = {0x6900, 0x6910, 0x5440, 0x5442, 0x5443, 0x5444, 0x5445};
constexpr LayoutChoice k6900Choices[] = {
    {{kFmShown}, &kL6900Fm},
    {{kFmHidden}, &kL6900NoFm},
};
constexpr uint16_t kIds5591[] = {0x5591, 0x5597, 0x5593};
constexpr LayoutChoice k5591Choices[] = {
    {{kFmShown}, &kL5591Fm},
    {{kFmHidden}, &kL6900NoFm},
};
constexpr uint16_t kIds6481[] = {0x6481, 0x6461, 0x6491};
constexpr uint16_t kIds5596[] = {0x5596};
constexpr uint16_t kIds5595[] = {0x5595};
constexpr uint16_t kIds3380[] = {0x3380};
constexpr uint16_t kIds3701[] = {0x3701};
constexpr uint16_t kIds5592[] = {0x5592, 0x5594};
constexpr LayoutChoice k5592Choices[] = {
    {{kFmShown}, &kL5592Fm},
    {{kFmHidden}, &kL5592NoFm},
};
constexpr uint16_t kIds3400[] = {0x3400};
constexpr uint16_t kIds3070[] = {0x3070};
constexpr LayoutChoice k3070Choices[] = {
    {{kFmShown}, &kL3070Fm},
    {{kFmHidden}, &kL3070NoFm},
};
constexpr uint16_t kIds3080[] = {0x3080};
constexpr uint16_t kIds6310[] = {0x6310};
constexpr uint16_t kIds6320[] = {0x6320, 0x6335, 0x6330};
constexpr uint16_t kIds5564[] = {0x5564, 0x4050};
constexpr uint16_t kIds6112[] = {0x6112};
constexpr uint16_t kIds6114[] = {0x6114};
constexpr uint16_t kIds5424[] = {0x5424, 0x5434, 0x5430, 0x5432, 0x5428};
constexpr LayoutChoice k5424Choices[] = {
    {{kFmHidden}, &kL5424NoFm},
    {{kFmShown}, &kL5424Fm},
};
constexpr uint16_t kIds5426[] = {0x5426};
constexpr LayoutChoice k5426Choices[] = {
    {{kFmShown}, &kL5426Fm},
    {{kFmHidden}, &kL5426NoFm},
};
constexpr uint16_t kIds5520[] = {0x5520};
constexpr LayoutChoice k5520Choices[] = {
    {{below(1, 1)}, &kL5520Below11},
    {{from(1, 1), below(1, 3)}, &kL5520From11},
    {{from(1, 3), below(2, 0)}, &kL5520From13},
    {{from(2, 0), kFmShown}, &kL5520From20Fm},
    {{from(2, 0), kFmHidden}, &kL5520From20NoFm},
};
constexpr uint16_t kIds5610[] = {0x5610, 0x5611, 0x5612, 0x5620, 0x5621};
constexpr LayoutChoice k5610Choices[] = {
    {{below(1, 1)}, &kL5610Below11},
    {{from(1, 1), below(2, 0)}, &kL5610From11},
    {{from(2, 0)}, &kL5610From20},
};
constexpr uint16_t kIds5530[] = {0x5530};
constexpr LayoutChoice k5530Choices[] = {
    {{below(1, 4)}, &kL5530Below14},
    {{from(1, 4), below(2, 0)}, &kL5530From14},
    {{from(2, 0), kFmShown}, &kL5530From20Fm},
    {{from(2, 0), kFmHidden}, &kL5530From20NoFm},
};
constexpr uint16_t kIds5532[] = {0x5532};
constexpr uint16_t kIds5550[] = {0x5550};
constexpr LayoutChoice k5550Choices[] = {
    {{below(1, 2)}, &kL5550Below12},
    {{from(1, 2), below(2, 0)}, &kL5550From12},
    {{from(2, 0)}, &kL5550From20},
};
constexpr uint16_t kIds3161[] = {0x3161};
constexpr uint16_t kIds3150[] = {0x3150};
constexpr LayoutChoice k3150Choices[] = {
    {{kFmShown}, &kL3150Fm},
    {{kFmHidden}, &kL3150NoFm},
};

constexpr SelectionGroup kGroups[] = {
    {kIds5534, k5534Choices},
    {kIds3341, kOnly<&kL3341>},
    {kIds3340, kOnly<&kL3340>},
    {kIds3420, kOnly<&kL3420>},
    {kIds3085, kOnly<&kL3085>},
    {kIds6038, kOnly<&kL6038>},
    {kIds5632, kOnly<&kL5632>},
    {kIds5552, kOnly<&kL5552>},
    {kIds321B, kOnly<&kL321B>},
    {kIds6042, kOnly<&kL6042>},
    {kIds5590, k5590Choices},
    {kIds4023, k4023Choices},
    {kIds3350, kOnly<&kL3350>},
    {kIds3370, kOnly<&kL3370>},
    {kIds3410, kOnly<&kL3410>},
    {kIds5441, kOnly<&kL5441>},
    {kIds6900, k6900Choices},
    {kIds5591, k5591Choices},
    {kIds6481, kOnly<&kL6481>},
    {kIds5596, kOnly<&kL5596>},
    {kIds5595, kOnly<&kL5595>},
    {kIds3380, kOnly<&kL3380>},
    {kIds3701, kOnly<&kL3701>},
    {kIds5592, k5592Choices},
    {kIds3400, kOnly<&kL3400>},
    {kIds3070, k3070Choices},
    {kIds3080, kOnly<&kL3080>},
    {kIds6310, kOnly<&kL6310>},
    {kIds6320, kOnly<&kL6320>},
    {kIds5564, kOnly<&kL5564>},
    {kIds6112, kOnly<&kL6112>},
    {kIds6114, kOnly<&kL6114>},
    {kIds5424, k5424Choices},
    {kIds5426, k5426Choices},
    {kIds5520, k5520Choices},
    {kIds5610, k5610Choices},
    {kIds5530, k5530Choices},
    {kIds5532, kOnly<&kL5532>},
    {kIds5550, k5550Choices},
    {kIds3161, kOnly<&kL3161>},
    {kIds3150, k3150Choices},
};

}  // namespace

std::span<const SelectionGroup> hidIntercomGroups() { return kGroups; }

}  // namespace settings
