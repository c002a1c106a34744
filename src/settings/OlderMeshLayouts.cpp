// Row layouts of the older mesh models (0x3110 to 0x3128) and of the two Tovrel! Audio headsets
// 0x3112 and 0x3114, all on the GESSA words. From 1.1 on their HD Intercom stays off while the
// intercom audio multitasking is on; the newest bands move Audio Boost to the end, next to the HD
// speaker rows that rule it.
#include "settings/MeshRowKinds.h"
#include "settings/RowLayouts.h"

namespace settings {

namespace {

using namespace kinds;

// The rows as the layout tables name them.
constexpr const RowKind* UnitLanguage = &kUnitLanguageGessa;
constexpr const RowKind* Boost = &kAudioBoostGessa;
constexpr const RowKind* BoostWithoutHdSpeaker = &kAudioBoostGessaWithoutHdSpeaker;
constexpr const RowKind* HdSpeaker = &kHdSpeakerAccessoryGessa;
constexpr const RowKind* HdSpeakerStatusNone = &kHdSpeakerAccessoryGessaStatusNone;
constexpr const RowKind* Equalizer30 = &kAudioEqualizer30WithHdSpeaker;
constexpr const RowKind* VoxPhone = &kVoxPhoneGessa;
constexpr const RowKind* VoxIntercom = &kVoxIntercomGessa;
constexpr const RowKind* Multitasking = &kBluetoothIntercomAudioMultitasking;
constexpr const RowKind* HdIntercom = &kHdIntercomGessa;                      // always enabled
constexpr const RowKind* HdIntercomTied = &kHdIntercomGessaWithoutOverlay;   // off while multitasking
constexpr const RowKind* Prompt = &kVoicePromptGessa;
constexpr const RowKind* A2dp = &kHighQualityA2dpGessa;
constexpr const RowKind* Sidetone = &kSidetoneGessa;
constexpr const RowKind* NoiseControl = &kAdvancedNoiseControlGessa;
constexpr const RowKind* FmGuide = &kFmStationGuideGessa;
constexpr const RowKind* GuestMode = &kGuestMode;
constexpr const RowKind* VoxSensitivity = &kVoxSensitivityGessa;
constexpr const RowKind* SmartVolume = &kSmartVolumeControlGessa;
constexpr const RowKind* OverlayVolume = &kAudioOverlayVolumeManagementGessa;
constexpr const RowKind* OverlaySensitivity = &kIntercomAudioOverlaySensitivityGessa;
constexpr const RowKind* VoiceCommand = &kVoiceCommandGessa;
constexpr const RowKind* ReachOutGessa = &kMeshReachOutGessa;

// ---- 0x3110 ---------------------------------------------------------------------------------------------

constexpr const RowKind* k3110Below11[] = {
    Boost, VoxPhone, VoxIntercom, HdIntercom, Prompt, A2dp, Sidetone, NoiseControl, FmGuide, GuestMode,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* k3110From11[] = {
    Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    GuestMode, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* k3110From21[] = {
    UnitLanguage, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl,
    FmGuide, GuestMode, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
// Also 0x3140 and 0x3116 from 2.0.
constexpr const RowKind* k3110From30[] = {
    UnitLanguage, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl,
    FmGuide, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* k3110From34NoFm[] = {
    UnitLanguage, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, BoostWithoutHdSpeaker,
    HdSpeakerStatusNone, Equalizer30, ReachOutGessa};
constexpr const RowKind* k3110From34[] = {
    UnitLanguage, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, BoostWithoutHdSpeaker,
    HdSpeakerStatusNone, Equalizer30, ReachOutGessa};
constexpr const RowKind* k3110From31NoFm[] = {
    UnitLanguage, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, BoostWithoutHdSpeaker,
    HdSpeakerStatusNone, Equalizer30};
constexpr const RowKind* k3110From31[] = {
    UnitLanguage, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, BoostWithoutHdSpeaker,
    HdSpeakerStatusNone, Equalizer30};

// ---- the other older mesh models -------------------------------------------------------------------------

// As 0x3110 from 3.1 with the FM rows, but its HD speaker switch has no status rule.
constexpr const RowKind* k3146[] = {
    UnitLanguage, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, BoostWithoutHdSpeaker, HdSpeaker,
    Equalizer30};
constexpr const RowKind* k3116Below20[] = {
    UnitLanguage, Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl,
    FmGuide, GuestMode, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* k3118[] = {
    UnitLanguage, Boost, VoxPhone, HdIntercomTied, Prompt, NoiseControl, FmGuide, VoxSensitivity, OverlayVolume,
    OverlaySensitivity};
constexpr const RowKind* k3136[] = {UnitLanguage, Prompt, Sidetone, FmGuide, OverlayVolume, OverlaySensitivity};
constexpr const RowKind* k3800[] = {UnitLanguage, Prompt, Sidetone, FmGuide, &kMeshIntercomVoxSensitivityGessa,
                                    &kMeshReachOutN2R};
constexpr const RowKind* k3142[] = {UnitLanguage, Sidetone, FmGuide, OverlayVolume, &kMicrophoneSensitivityGessa,
                                    &kFmRadioOkemba, &kSmartphoneConnection};
constexpr const RowKind* k3124NoFm[] = {UnitLanguage, Prompt, Sidetone, VoiceCommand};  // also 0x3152
constexpr const RowKind* k3124[] = {UnitLanguage, Prompt, Sidetone, FmGuide, VoiceCommand};
constexpr const RowKind* k3128[] = {&kChannelSettingPemvik, Prompt, Sidetone, NoiseControl, FmGuide};
constexpr const RowKind* k3128NoFm[] = {&kChannelSettingPemvik, Prompt, Sidetone, NoiseControl};

// ---- the Tovrel! Audio headsets 0x3112 and 0x3114 ----------------------------------------------------------

constexpr const RowKind* kGa1[] = {
    Boost, VoxPhone, VoxIntercom, HdIntercom, Prompt, A2dp, Sidetone, NoiseControl, FmGuide, GuestMode,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* kGa2[] = {
    Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    GuestMode, VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* kGa3[] = {
    Boost, VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand};
constexpr const RowKind* kGa4[] = {
    VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, BoostWithoutHdSpeaker, HdSpeaker,
    Equalizer30};
constexpr const RowKind* kGa5[] = {
    VoxPhone, VoxIntercom, Multitasking, HdIntercomTied, Prompt, A2dp, Sidetone, NoiseControl, FmGuide,
    VoxSensitivity, SmartVolume, OverlayVolume, OverlaySensitivity, VoiceCommand, &kAudioBoostGessaWithBasicSpeakers,
    &kSpeakersTamber, &kAudioEqualizer30Tamber};

constexpr Layout kL3110Below11{"0x3110 below 1.1", k3110Below11};
constexpr Layout kL3110From11{"0x3110 from 1.1", k3110From11};
constexpr Layout kL3110From21{"0x3110 from 2.1", k3110From21};
constexpr Layout kL3110From30{"0x3110 from 3.0", k3110From30};
constexpr Layout kL3110From34NoFm{"0x3110 from 3.4 without FM", k3110From34NoFm};
constexpr Layout kL3110From34{"0x3110 from 3.4", k3110From34};
constexpr Layout kL3110From31NoFm{"0x3110 from 3.1 without FM", k3110From31NoFm};
constexpr Layout kL3110From31{"0x3110 from 3.1", k3110From31};
constexpr Layout kL3146{"0x3146", k3146};
constexpr Layout kL3140{"0x3140", k3110From30};
constexpr Layout kL3116From20{"0x3116 from 2.0", k3110From30};
constexpr Layout kL3116Below20{"0x3116 below 2.0", k3116Below20};
constexpr Layout kL3118{"0x3118", k3118};
constexpr Layout kL3136{"0x3136", k3136};
constexpr Layout kL3800{"0x3800", k3800};
constexpr Layout kL3142{"0x3142", k3142};
constexpr Layout kL3124NoFm{"0x3124 without FM", k3124NoFm};
constexpr Layout kL3124{"0x3124", k3124};
constexpr Layout kL3152{"0x3152", k3124NoFm};
constexpr Layout kL3128{"0x3128", k3128};
constexpr Layout kL3128NoFm{"0x3128 without FM", k3128NoFm};
constexpr Layout kLGa1{"GA1", kGa1};
constexpr Layout kLGa2{"GA2", kGa2};
constexpr Layout kLGa3{"GA3", kGa3};
constexpr Layout kLGa4{"GA4", kGa4};
constexpr Layout kLGa5{"GA5", kGa5};

// Bands from the lowest bound upward; only the two newest look at the FM option.
constexpr LayoutChoice k3110Choices[] = {
    {{below(1, 1)}, &kL3110Below11},
    {{below(2, 1)}, &kL3110From11},
    {{below(3, 0)}, &kL3110From21},
    {{below(3, 1)}, &kL3110From30},
    {{from(3, 4), kFmHidden}, &kL3110From34NoFm},
    {{from(3, 4), kFmShown}, &kL3110From34},
    {{kFmHidden}, &kL3110From31NoFm},
    {{kFmShown}, &kL3110From31},
};
constexpr LayoutChoice k3116Choices[] = {
    {{from(2, 0)}, &kL3116From20},
    {{below(2, 0)}, &kL3116Below20},
};
constexpr LayoutChoice k3124Choices[] = {
    {{kFmHidden}, &kL3124NoFm},
    {{kFmShown}, &kL3124},
};
constexpr LayoutChoice k3128Choices[] = {
    {{kFmShown}, &kL3128},
    {{kFmHidden}, &kL3128NoFm},
};
constexpr LayoutChoice k3112Choices[] = {
    {{below(1, 1)}, &kLGa1},
    {{below(3, 0)}, &kLGa2},
    {{below(3, 1)}, &kLGa3},
    {{below(3, 3)}, &kLGa4},
    {{}, &kLGa5},
};
constexpr LayoutChoice k3114Choices[] = {
    {{below(1, 1)}, &kLGa1},
    {{below(3, 0)}, &kLGa2},
    {{}, &kLGa3},
};
template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};

constexpr uint16_t kIds3110[] = {0x3110};
constexpr uint16_t kIds3146[] = {0x3146};
constexpr uint16_t kIds3140[] = {0x3140};
constexpr uint16_t kIds3116[] = {0x3116};
constexpr uint16_t kIds3118[] = {0x3118};
constexpr uint16_t kIds3136[] = {0x3136};
constexpr uint16_t kIds3800[] = {0x3800};
constexpr uint16_t kIds3142[] = {0x3142};
constexpr uint16_t kIds3124[] = {0x3124, 0x3144, 0x3126};
constexpr uint16_t kIds3152[] = {0x3152};
constexpr uint16_t kIds3128[] = {0x3128};
constexpr uint16_t kIds3112[] = {0x3112};
constexpr uint16_t kIds3114[] = {0x3114};

constexpr SelectionGroup kGroups[] = {
    {kIds3110, k3110Choices},
    {kIds3146, kOnly<&kL3146>},
    {kIds3140, kOnly<&kL3140>},
    {kIds3116, k3116Choices},
    {kIds3118, kOnly<&kL3118>},
    {kIds3136, kOnly<&kL3136>},
    {kIds3800, kOnly<&kL3800>},
    {kIds3142, kOnly<&kL3142>},
    {kIds3124, k3124Choices},
    {kIds3152, kOnly<&kL3152>},
    {kIds3128, k3128Choices},
    {kIds3112, k3112Choices},
    {kIds3114, k3114Choices},
};

}  // namespace

std::span<const SelectionGroup> olderMeshGroups() { return kGroups; }

}  // namespace settings
