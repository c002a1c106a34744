// Row layouts of the later single-chip headsets of the partner brands (Bellisk, WENLOW, YELVAR,
// VOSTRA, Nardell, Rosvel, Sorvane, FENDRAL, PEMVIK, Dolvanpad, YELVARM, Brevant Lite, ARDEL,
// UVESK, ZEL TOLVEK, WUVEL, ARVANE, BRISCO, ZEMLO, XANDOR), all on the record's plain fields.
// Where a layout has an audio multitasking row, the rows it rules stay off while it is exactly 1.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

namespace {

using namespace kinds;

// ---- row kinds of these layouts only --------------------------------------------------------------------
// The three gain levels on the VOX sensitivity word: stored 1 to 3.
constexpr RowKind kVoxSensitivityLevels =
    popUp(T::setting_label_vox_sensitivity, G::basicSettingBELMORAVOXSensitivityAt, kGainLevels, ItemMapping::ValueMinusOne);
// Labels of their own on the audio overlay field.
constexpr RowKind kAudioOverlay = onOff(T::setting_label_audio_overlay, G::audioOverlay);
constexpr RowKind kAudioMultitaskingNoMark = onOff(T::setting_label_audio_multitasking_no_tm, G::audioOverlay);
// Without an audio overlay row the source priority is always open.
constexpr RowKind kAudioSourcePriorityOpen = withEnabling(kAudioSourcePriority, Enabling{});
constexpr RowKind kSmartNaviSystemPlain = onOff(T::setting_label_smart_navi_system, G::smartNaviSystem);
constexpr RowKind kAutoOnOff = onOff(T::setting_label_auto_on_off, G::autoOnOff);
constexpr RowText kEssConfigurations[] = {text(T::setting_label_ess_light), text(T::setting_label_headlight_ess),
                                          text(T::setting_label_flashing_light_ess),
                                          text(T::setting_label_disabled_function)};
constexpr RowKind kEssConfiguration =
    popUp(T::setting_label_ess_configuration, G::getEssStatus, kEssConfigurations, ItemMapping::EssStatus);
constexpr RowKind kEssSensitivity =
    popUp(T::setting_label_ess_sensitivity, G::getEssSensitivity, kGainLevels, ItemMapping::EssSensitivity);

// The rows as the layout tables name them.
constexpr const RowKind* Boost = &kAudioBoostPlain;
constexpr const RowKind* VoxPhone = &kVoxPhonePlain;
constexpr const RowKind* VoxIntercom = &kVoxIntercomPlain;
constexpr const RowKind* Multitasking = &kAudioMultitaskingPlain;
constexpr const RowKind* Overlay = &kAudioOverlay;
constexpr const RowKind* MultitaskingNoMark = &kAudioMultitaskingNoMark;
constexpr const RowKind* SourcePriority = &kAudioSourcePriority;  // off while audioOverlay is 1
constexpr const RowKind* HdVoice = &kHdVoicePlain;                // off while audioOverlay is 1
constexpr const RowKind* HdIntercomTied = &kHdIntercomTied;       // off while audioOverlay is 1
constexpr const RowKind* HdIntercom = &kHdIntercomPlain;
constexpr const RowKind* Prompt = &kVoicePromptPlain;
constexpr const RowKind* A2dp = &kHighQualityA2dpPlain;
constexpr const RowKind* Sidetone = &kSidetonePlain;
constexpr const RowKind* NoiseControl = &kAdvancedNoiseControlPlain;
constexpr const RowKind* FmGuide = &kFmStationGuidePlain;
constexpr const RowKind* VoxSteps = &kVoxSensitivityPlain;  // "1" to "5"
constexpr const RowKind* VoxLevels = &kVoxSensitivityLevels;
constexpr const RowKind* SmartVolume = &kSmartVolumeControlPlain;
constexpr const RowKind* SmartNavi = &kSmartNaviSystemPlain;
constexpr const RowKind* AutoOnOff = &kAutoOnOff;
constexpr const RowKind* EssConfiguration = &kEssConfiguration;
constexpr const RowKind* EssSensitivity = &kEssSensitivity;

// ---- Bellisk, WENLOW, YELVAR, VOSTRA Pelder, Nardell Tarrow -----------------------------------------------
constexpr const RowKind* kCb1[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, Prompt, A2dp, Sidetone, NoiseControl};
constexpr const RowKind* kCb2[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, Prompt, FmGuide, A2dp, Sidetone,
                                   NoiseControl};
constexpr const RowKind* kCb3[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, VoxLevels, Prompt, A2dp, Sidetone,
                                   NoiseControl};
constexpr const RowKind* kCb4[] = {Boost, VoxPhone, VoxIntercom, Multitasking, SourcePriority, HdVoice, HdIntercomTied,
                                   VoxLevels, Prompt, Sidetone, NoiseControl};
constexpr const RowKind* kCb5[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, HdIntercom, Prompt, A2dp, NoiseControl};
constexpr const RowKind* kCb6[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, HdIntercom, VoxLevels, Prompt, A2dp,
                                   NoiseControl};
constexpr const RowKind* kCb7[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, Multitasking, SourcePriority, HdVoice,
                                   HdIntercomTied, VoxLevels, Prompt, FmGuide, NoiseControl};
constexpr const RowKind* kCb8[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, SourcePriority, HdVoice, HdIntercomTied,
                                   VoxLevels, Prompt, NoiseControl};

// ---- Rosvel, Sorvane, FENDRAL, PEMVIK, Dolvanpad, YELVARM, Brevant Lite, Bellisk Lite -----------------------
constexpr const RowKind* kSh1[] = {FmGuide};
constexpr const RowKind* kSh2[] = {Prompt, FmGuide, NoiseControl};
constexpr const RowKind* kSh3[] = {Prompt, NoiseControl};
constexpr const RowKind* kSh4[] = {Prompt, FmGuide};
constexpr const RowKind* kSh5[] = {Prompt};
constexpr const RowKind* kRv1[] = {Boost, Prompt, A2dp, NoiseControl};
constexpr const RowKind* kRv2[] = {Boost, Prompt, FmGuide, A2dp, NoiseControl};
constexpr const RowKind* kRv3[] = {Boost, Multitasking, SourcePriority, HdVoice, Prompt, FmGuide, NoiseControl};
constexpr const RowKind* kDp1[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, Prompt, FmGuide, A2dp, NoiseControl};
constexpr const RowKind* kDp2[] = {Boost, VoxPhone, VoxIntercom, Multitasking, SourcePriority, HdVoice, HdIntercomTied,
                                   Prompt, FmGuide, NoiseControl};
constexpr const RowKind* kYm1[] = {Boost, VoxPhone, VoxIntercom, Multitasking, SourcePriority, HdVoice, HdIntercomTied,
                                   VoxLevels, Prompt, FmGuide, NoiseControl};
constexpr const RowKind* kBl1[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, FmGuide, A2dp, Sidetone,
                                   NoiseControl};
constexpr const RowKind* kBl2[] = {Boost, VoxPhone, VoxIntercom, Multitasking, SourcePriority, HdVoice, HdIntercomTied,
                                   VoxSteps, Prompt, FmGuide, Sidetone, NoiseControl};

// ---- ARDEL, UVESK, ZEL TOLVEK: "Audio Overlay™" rules the rows after it --------------------------------------
constexpr const RowKind* kAr1[] = {Boost, SmartVolume, VoxPhone, Overlay, VoxSteps, Prompt, Sidetone};
constexpr const RowKind* kAr2[] = {Boost, SmartVolume, VoxPhone, Overlay, HdVoice, VoxSteps, Prompt, Sidetone};
constexpr const RowKind* kAr3[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, Overlay, SourcePriority, HdVoice,
                                   HdIntercomTied, VoxSteps, Prompt, Sidetone, NoiseControl};
constexpr const RowKind* kAr4[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, Overlay, SourcePriority, HdIntercomTied,
                                   VoxSteps, Prompt, FmGuide, Sidetone, NoiseControl};
constexpr const RowKind* kAr5[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, Overlay, SourcePriority, HdVoice,
                                   HdIntercomTied, VoxSteps, Prompt, FmGuide, Sidetone, NoiseControl};
constexpr const RowKind* kAr6[] = {Boost, SmartVolume, VoxPhone, VoxIntercom, &kAudioSourcePriorityOpen, HdIntercom,
                                   VoxSteps, Prompt, FmGuide, Sidetone, NoiseControl};

// ---- WUVEL, ARVANE, BRISCO, ZEMLO: the ESS light rows -------------------------------------------------------
constexpr const RowKind* kWv1[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, A2dp, Sidetone,
                                   NoiseControl, EssConfiguration, EssSensitivity};
constexpr const RowKind* kWv2[] = {SmartNavi, Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, A2dp,
                                   Sidetone, NoiseControl, EssConfiguration, EssSensitivity};
constexpr const RowKind* kWv3[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, A2dp, Sidetone,
                                   NoiseControl};
constexpr const RowKind* kWv4[] = {SmartNavi, Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, A2dp,
                                   Sidetone, NoiseControl};
constexpr const RowKind* kWv5[] = {MultitaskingNoMark, SmartNavi, AutoOnOff, Boost, VoxPhone, VoxIntercom,
                                   HdIntercomTied, VoxSteps, Prompt, Sidetone, NoiseControl, EssConfiguration,
                                   EssSensitivity};
constexpr const RowKind* kWv6[] = {MultitaskingNoMark, SmartNavi, AutoOnOff, Boost, VoxPhone, VoxIntercom,
                                   HdIntercomTied, VoxSteps, Prompt, Sidetone, NoiseControl};

// ---- ARVANES, ARVANEX, XANDOR ----------------------------------------------------------------------------------
constexpr const RowKind* kArvanesA[] = {SmartNavi, Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, A2dp,
                                        Sidetone, NoiseControl};
constexpr const RowKind* kArvanesB[] = {Boost, VoxPhone, VoxIntercom, HdIntercom, VoxSteps, Prompt, A2dp, Sidetone,
                                        NoiseControl};
constexpr const RowKind* kXandor[] = {SmartNavi, VoxPhone, VoxSteps, Prompt, Sidetone, NoiseControl};

constexpr Layout kLCb1{"CB1", kCb1};
constexpr Layout kLCb2{"CB2", kCb2};
constexpr Layout kLCb3{"CB3", kCb3};
constexpr Layout kLCb4{"CB4", kCb4};
constexpr Layout kLCb5{"CB5", kCb5};
constexpr Layout kLCb6{"CB6", kCb6};
constexpr Layout kLCb7{"CB7", kCb7};
constexpr Layout kLCb8{"CB8", kCb8};
constexpr Layout kLSh1{"SH1", kSh1};
constexpr Layout kLSh2{"SH2", kSh2};
constexpr Layout kLSh3{"SH3", kSh3};
constexpr Layout kLSh4{"SH4", kSh4};
constexpr Layout kLSh5{"SH5", kSh5};
constexpr Layout kLRv1{"RV1", kRv1};
constexpr Layout kLRv2{"RV2", kRv2};
constexpr Layout kLRv3{"RV3", kRv3};
constexpr Layout kLDp1{"DP1", kDp1};
constexpr Layout kLDp2{"DP2", kDp2};
constexpr Layout kLYm1{"YM1", kYm1};
constexpr Layout kLBl1{"BL1", kBl1};
constexpr Layout kLBl2{"BL2", kBl2};
constexpr Layout kLAr1{"AR1", kAr1};
constexpr Layout kLAr2{"AR2", kAr2};
constexpr Layout kLAr3{"AR3", kAr3};
constexpr Layout kLAr4{"AR4", kAr4};
constexpr Layout kLAr5{"AR5", kAr5};
constexpr Layout kLAr6{"AR6", kAr6};
constexpr Layout kLWv1{"WV1", kWv1};
constexpr Layout kLWv2{"WV2", kWv2};
constexpr Layout kLWv3{"WV3", kWv3};
constexpr Layout kLWv4{"WV4", kWv4};
constexpr Layout kLWv5{"WV5", kWv5};
constexpr Layout kLWv6{"WV6", kWv6};
constexpr Layout kLArvanesA{"ARVANES A", kArvanesA};
constexpr Layout kLArvanesB{"ARVANES B", kArvanesB};
constexpr Layout kLXandor{"XANDOR C", kXandor};

template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};
// Two bands: below a.b the first layout, from it the second.
template <int32_t Major, int32_t Minor, const Layout* Lower, const Layout* Upper>
constexpr LayoutChoice kBands2[] = {{{below(Major, Minor)}, Lower}, {{}, Upper}};
// Three bands: below the first bound, below the second, from the second.
template <int32_t Major1, int32_t Minor1, int32_t Major2, int32_t Minor2, const Layout* Low, const Layout* Mid,
          const Layout* High>
constexpr LayoutChoice kBands3[] = {{{below(Major1, Minor1)}, Low}, {{below(Major2, Minor2)}, Mid}, {{}, High}};

constexpr LayoutChoice k3050Choices[] = {
    {{kFmHidden, below(1, 4)}, &kLSh3},
    {{kFmHidden}, &kLSh5},
    {{below(1, 4)}, &kLSh2},
    {{}, &kLSh4},
};
constexpr LayoutChoice k3032Choices[] = {{{kFmShown}, &kLSh2}, {{}, &kLSh3}};
constexpr LayoutChoice k5412Choices[] = {{{below(1, 1)}, &kLAr4}, {{kFmShown}, &kLAr5}, {{}, &kLAr3}};
constexpr LayoutChoice k5418Choices[] = {{{kFmShown}, &kLAr5}, {{}, &kLAr3}};

constexpr uint16_t kIds5710[] = {0x5710};
constexpr uint16_t kIds5623[] = {0x5623};
constexpr uint16_t kIds5622[] = {0x5622};
constexpr uint16_t kIds5624[] = {0x5624};
constexpr uint16_t kIds5910[] = {0x5910, 0x5920};
constexpr uint16_t kIds5524[] = {0x5524};
constexpr uint16_t kIds5536[] = {0x5536, 0x5522};
constexpr uint16_t kIds5560[] = {0x5560, 0x5562};
constexpr uint16_t kIds3030[] = {0x3030, 0x3040, 0x3060};
constexpr uint16_t kIds3032[] = {0x3032};
constexpr uint16_t kIds3050[] = {0x3050};
constexpr uint16_t kIds6210[] = {0x6210};
constexpr uint16_t kIds6400[] = {0x6400};
constexpr uint16_t kIds5526[] = {0x5526};
constexpr uint16_t kIds5720[] = {0x5720};
constexpr uint16_t kIds5410[] = {0x5410};
constexpr uint16_t kIds5414[] = {0x5414};
constexpr uint16_t kIds5412[] = {0x5412};
constexpr uint16_t kIds5420[] = {0x5420};
constexpr uint16_t kIds5418[] = {0x5418};
constexpr uint16_t kIds5416[] = {0x5416};
constexpr uint16_t kIds6010[] = {0x6010, 0x6012};
constexpr uint16_t kIds6014[] = {0x6014, 0x6016};
constexpr uint16_t kIds6034[] = {0x6034};
constexpr uint16_t kIds6028[] = {0x6028, 0x6030, 0x6032, 0x6036};
constexpr uint16_t kIds6026[] = {0x6026};
constexpr uint16_t kIds6018[] = {0x6018};
constexpr uint16_t kIds6020[] = {0x6020, 0x6022, 0x6024};

constexpr SelectionGroup kGroups[] = {
    {kIds5710, kBands2<1, 2, &kLCb1, &kLCb2>},
    {kIds5623, kBands3<1, 1, 2, 0, &kLCb1, &kLCb3, &kLCb4>},
    {kIds5622, kBands3<1, 1, 2, 0, &kLCb5, &kLCb6, &kLCb7>},
    {kIds5624, kBands3<1, 1, 2, 0, &kLCb5, &kLCb6, &kLCb8>},
    {kIds5910, kBands2<1, 1, &kLCb1, &kLCb2>},
    {kIds5524, kBands3<1, 1, 2, 0, &kLRv1, &kLRv2, &kLRv3>},
    {kIds5536, kOnly<&kLRv2>},
    {kIds5560, kOnly<&kLSh1>},
    {kIds3030, kOnly<&kLSh2>},
    {kIds3032, k3032Choices},
    {kIds3050, k3050Choices},
    {kIds6210, kBands2<2, 0, &kLDp1, &kLDp2>},
    {kIds6400, kOnly<&kLYm1>},
    {kIds5526, kBands2<2, 0, &kLBl1, &kLBl2>},
    {kIds5720, kOnly<&kLBl1>},
    {kIds5410, kBands3<1, 1, 2, 0, &kLAr1, &kLAr2, &kLAr3>},
    {kIds5414, kBands2<1, 1, &kLAr4, &kLAr5>},
    {kIds5412, k5412Choices},
    {kIds5420, kOnly<&kLAr5>},
    {kIds5418, k5418Choices},
    {kIds5416, kBands3<1, 1, 1, 2, &kLAr6, &kLAr4, &kLAr5>},
    {kIds6010, kBands2<1, 2, &kLWv1, &kLWv2>},
    {kIds6014, kBands2<1, 2, &kLWv3, &kLWv4>},
    {kIds6034, kOnly<&kLWv5>},
    {kIds6028, kOnly<&kLWv6>},
    {kIds6026, kOnly<&kLArvanesA>},
    {kIds6018, kBands2<1, 1, &kLArvanesB, &kLArvanesA>},
    {kIds6020, kOnly<&kLXandor>},
};

}  // namespace

std::span<const SelectionGroup> otherHeadsetGroups() { return kGroups; }

}  // namespace settings
