// Row layouts of the mesh models: those with speaker accessories (0x3215 to 0x3134), those chosen
// by speaker type (0x3210 to 0x3216), and the single-layout mesh models with the Alvento ports
// (0x3232 to 0x3500). A speaker type outside 0 to 7 means a partner accessory is fitted: those
// layouts gain the microphone and speaker rows near the top.
#include "settings/MeshRowKinds.h"
#include "settings/RowLayouts.h"

namespace settings {

namespace {

using namespace kinds;

// The rows as the layout tables name them.
constexpr const RowKind* UnitLanguage = &kUnitLanguageGessa;
constexpr const RowKind* HeadsetLanguage = &kHeadsetLanguageGessa;
constexpr const RowKind* Equalizer = &kAudioEqualizer50;
constexpr const RowKind* Equalizer1 = &kAudioEqualizer50Accessory1;  // partner presets for accessory 1
constexpr const RowKind* Equalizer9 = &kAudioEqualizer50Accessory9;  // partner presets for accessory 9
constexpr const RowKind* EqualizerMusic = &kAudioEqualizer50Music;
constexpr const RowKind* Mic = &kMorrowTansyMic;
constexpr const RowKind* Speakers = &kSpeakers50;
constexpr const RowKind* Boost = &kAudioBoostGessa;
constexpr const RowKind* BoostAccessory = &kAudioBoostGessaAccessory;
constexpr const RowKind* BoostAccessoryVersion = &kAudioBoostGessaAccessoryVersion;
constexpr const RowKind* VoxPhone = &kVoxPhoneGessa;
constexpr const RowKind* VoxIntercom = &kVoxIntercomGessa;
constexpr const RowKind* Multitasking = &kBluetoothIntercomAudioMultitasking;
constexpr const RowKind* HdIntercom = &kHdIntercomGessa;
constexpr const RowKind* HdVoice = &kHdVoiceLutra;
constexpr const RowKind* Assistant = &kVoiceAssistant;
constexpr const RowKind* Prompt = &kVoicePromptGessa;
constexpr const RowKind* Sidetone = &kSidetoneGessa;
constexpr const RowKind* NoiseControl = &kAdvancedNoiseControlGessa;
constexpr const RowKind* FmGuide = &kFmStationGuideGessa;
constexpr const RowKind* VoxSensitivity = &kVoxSensitivityGessa;
constexpr const RowKind* SmartVolume = &kSmartVolumeControlGessa;
constexpr const RowKind* OverlayVolume = &kAudioOverlayVolumeManagementGessa;
constexpr const RowKind* OverlaySensitivity = &kIntercomAudioOverlaySensitivityGessa;
constexpr const RowKind* ReachOut = &kMeshReachOut;

// ---- mesh models with speaker accessories ---------------------------------------------------------

constexpr const RowKind* k3215[] = {
    HeadsetLanguage, &kAudioBoostGessaWithoutHdSpeaker, &kHdSpeakerAccessoryGessaStatusNone,
    &kAudioEqualizer50Accessory1WithHdSpeaker, VoxPhone, VoxIntercom, Multitasking, HdIntercom, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity};

// 0x3211 with the FM rows shown has no layout at all.
constexpr const RowKind* k3211NoFm[] = {
    HeadsetLanguage, Equalizer1, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut, BoostAccessory};
constexpr const RowKind* k3211NoFmAccessory[] = {
    HeadsetLanguage, Mic, Speakers, Equalizer9, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt,
    Sidetone, NoiseControl, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};

// Below 1.1 the speaker type is not looked at (0x3132 group and 0x3210 group alike).
constexpr const RowKind* kBelow11[] = {
    UnitLanguage, Equalizer, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};
constexpr const RowKind* k3132Accessory[] = {
    UnitLanguage, Mic, Speakers, Equalizer9, BoostAccessoryVersion, VoxPhone, VoxIntercom, Multitasking, HdIntercom,
    HdVoice, Assistant, Prompt, Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume,
    OverlaySensitivity, ReachOut};
constexpr const RowKind* k3132[] = {
    UnitLanguage, Equalizer1, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Assistant, Prompt,
    Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut,
    BoostAccessory};

// ---- mesh models chosen by speaker type -------------------------------------------------------------

// Also the 0x3212 group with a known speaker type.
constexpr const RowKind* k3210[] = {
    UnitLanguage, Equalizer1, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Assistant, Prompt,
    Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};
constexpr const RowKind* k3210Accessory[] = {
    UnitLanguage, Mic, Speakers, Equalizer9, BoostAccessory, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice,
    Assistant, Prompt, Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume,
    OverlaySensitivity, ReachOut};

// 0x3214 has Voice Assistant after the overlay sensitivity.
constexpr const RowKind* k3214[] = {
    HeadsetLanguage, Equalizer1, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, Assistant, ReachOut};
constexpr const RowKind* k3214Accessory[] = {
    HeadsetLanguage, Mic, Speakers, Equalizer9, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt,
    Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, Assistant,
    ReachOut};

constexpr const RowKind* k3217Accessory[] = {
    HeadsetLanguage, Mic, Speakers, Equalizer9, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt,
    Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};
constexpr const RowKind* k3217[] = {
    HeadsetLanguage, Equalizer1, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};

// The speakers row lists three models for 0x321A (the row kind decides by product id).
constexpr const RowKind* k3212Accessory[] = {
    UnitLanguage, Mic, Speakers, Equalizer9, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice,
    Assistant, Prompt, Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume,
    OverlaySensitivity, ReachOut};

// ---- single-layout mesh models and the Alvento ports -------------------------------------------------

constexpr const RowKind* k3232[] = {
    HeadsetLanguage, EqualizerMusic, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Assistant,
    Prompt, Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};
constexpr const RowKind* k3154[] = {
    UnitLanguage, Equalizer, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Assistant, Prompt,
    Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};
constexpr const RowKind* k3260[] = {
    HeadsetLanguage, Equalizer, VoxPhone, VoxIntercom, HdIntercom, HdVoice, Prompt, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity};
constexpr const RowKind* k3170[] = {
    &kUnitLanguageZandrel, Equalizer, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, ReachOut};
constexpr const RowKind* k3156[] = {
    UnitLanguage, EqualizerMusic, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity};
constexpr const RowKind* k3320[] = {
    &kUnitLanguageCelvar, Equalizer, VoxPhone, VoxIntercom, Multitasking, HdIntercom, HdVoice, Prompt, Sidetone,
    NoiseControl, FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, &kAdvancedFeatures};
constexpr const RowKind* k3310[] = {
    &kUnitLanguageCelvar, &kHdSpeakerAccessoryCelvar, &kAudioEqualizer50WithCelvarSpeaker, VoxPhone, VoxIntercom,
    Multitasking, HdIntercom, HdVoice, Prompt, Sidetone, NoiseControl, FmGuide, VoxSensitivity, SmartVolume,
    OverlayVolume, OverlaySensitivity, &kAdvancedFeatures};
constexpr const RowKind* kAlvento[] = {&kChannelAlvento, &kVolumeAlvento, &kMicrophoneSensitivityAlvento};

constexpr Layout kL3215{"0x3215", k3215};
constexpr Layout kL3211NoFm{"0x3211 without FM", k3211NoFm};
constexpr Layout kL3211NoFmAccessory{"0x3211 without FM, accessory", k3211NoFmAccessory};
constexpr Layout kL3132Below11{"0x3132 below 1.1", kBelow11};
constexpr Layout kL3132Accessory{"0x3132 accessory", k3132Accessory};
constexpr Layout kL3132{"0x3132", k3132};
constexpr Layout kL3210Below11{"0x3210 below 1.1", kBelow11};
constexpr Layout kL3210{"0x3210", k3210};
constexpr Layout kL3210Accessory{"0x3210 accessory", k3210Accessory};
constexpr Layout kL3214{"0x3214", k3214};
constexpr Layout kL3214Accessory{"0x3214 accessory", k3214Accessory};
constexpr Layout kL3217Negative{"0x3217 speaker negative", k3217Accessory};
constexpr Layout kL3217Above7{"0x3217 speaker above 7", k3217Accessory};
constexpr Layout kL3217{"0x3217", k3217};
constexpr Layout kL3212{"0x3212", k3210};
constexpr Layout kL3212Accessory{"0x3212 accessory", k3212Accessory};
constexpr Layout kL3232{"0x3232", k3232};
constexpr Layout kL3154{"0x3154", k3154};
constexpr Layout kL3260{"0x3260", k3260};
constexpr Layout kL3170{"0x3170", k3170};
constexpr Layout kL3156{"0x3156", k3156};
constexpr Layout kL3320{"0x3320", k3320};
constexpr Layout kL3310{"0x3310", k3310};
constexpr Layout kLAlvento{"Alvento", kAlvento};

constexpr LayoutChoice k3215Choices[] = {{{}, &kL3215}};
constexpr LayoutChoice k3211Choices[] = {
    {{kFmHidden, kSpeakerKnown}, &kL3211NoFm},
    {{kFmHidden, kSpeakerOther}, &kL3211NoFmAccessory},
};
constexpr LayoutChoice k3132Choices[] = {
    {{below(1, 1)}, &kL3132Below11},
    {{from(1, 1), kSpeakerNegative}, &kL3132Accessory},
    {{from(1, 1), kSpeakerAbove7}, &kL3132Accessory},
    {{from(1, 1), kSpeakerKnown}, &kL3132},
};
constexpr LayoutChoice k3210Choices[] = {
    {{below(1, 1)}, &kL3210Below11},
    {{from(1, 1), kSpeakerKnown}, &kL3210},
    {{from(1, 1), kSpeakerOther}, &kL3210Accessory},
};
constexpr LayoutChoice k3214Choices[] = {
    {{kSpeakerKnown}, &kL3214},
    {{kSpeakerOther}, &kL3214Accessory},
};
constexpr LayoutChoice k3217Choices[] = {
    {{kSpeakerNegative}, &kL3217Negative},
    {{kSpeakerAbove7}, &kL3217Above7},
    {{kSpeakerKnown}, &kL3217},
};
constexpr LayoutChoice k3212Choices[] = {
    {{kSpeakerKnown}, &kL3212},
    {{kSpeakerOther}, &kL3212Accessory},
};
template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};

constexpr uint16_t kIds3215[] = {0x3215};
constexpr uint16_t kIds3211[] = {0x3211};
constexpr uint16_t kIds3132[] = {0x3132, 0x3134};
constexpr uint16_t kIds3210[] = {0x3210, 0x321C, 0x3218, 0x3900};
constexpr uint16_t kIds3214[] = {0x3214};
constexpr uint16_t kIds3217[] = {0x3217};
constexpr uint16_t kIds3212[] = {0x3212, 0x3219, 0x321A, 0x3216};
constexpr uint16_t kIds3232[] = {0x3232, 0x3233, 0x3264};
constexpr uint16_t kIds3154[] = {0x3154, 0x3148};
constexpr uint16_t kIds3260[] = {0x3260};
constexpr uint16_t kIds3170[] = {0x3170};
constexpr uint16_t kIds3156[] = {0x3156, 0x3213, 0x3240};
constexpr uint16_t kIds3320[] = {0x3320};
constexpr uint16_t kIds3310[] = {0x3310, 0x3330};
constexpr uint16_t kIdsAlvento[] = {0x3560, 0x3570, 0x3540, 0x3500};

// The groups whose layout the speaker type chooses write it to the log while choosing.
constexpr bool kLogsSpeakerType = true;

constexpr SelectionGroup kGroups[] = {
    {kIds3215, k3215Choices},
    {kIds3211, k3211Choices, kLogsSpeakerType},
    {kIds3132, k3132Choices, kLogsSpeakerType},
    {kIds3210, k3210Choices, kLogsSpeakerType},
    {kIds3214, k3214Choices, kLogsSpeakerType},
    {kIds3217, k3217Choices, kLogsSpeakerType},
    {kIds3212, k3212Choices, kLogsSpeakerType},
    {kIds3232, kOnly<&kL3232>},
    {kIds3154, kOnly<&kL3154>},
    {kIds3260, kOnly<&kL3260>},
    {kIds3170, kOnly<&kL3170>},
    {kIds3156, kOnly<&kL3156>},
    {kIds3320, kOnly<&kL3320>},
    {kIds3310, kOnly<&kL3310>},
    {kIdsAlvento, kOnly<&kLAlvento>},
};

}  // namespace

std::span<const SelectionGroup> meshGroups() { return kGroups; }

}  // namespace settings
