// Row layouts of the FERRIK headset (0x4210) and of the models that share its settings words
// (Brevant, TORVIN, SMART KAV JANDRO, EM-VAR2). FERRIK picks one of nine layouts by firmware,
// accessory status and the FM and motion-sensor options; the others by product id alone.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

namespace {

using namespace kinds;

// ---- item lists and row kinds of this family only ----------------------------------------------------
// The motion sensor has no medium level: disable, then the levels of gains 12 and 17.
constexpr RowText kMotionLevels[] = {disableWord(), text(T::setting_level_low), text(T::setting_level_high)};
constexpr RowText kFerrikSpeakers[] = {text(T::setting_label_basic_speakers), text(T::setting_label_xq_audio_ulvask_spkrs)};

constexpr RowKind kNavigationAppSupport =
    withLabel(kAudioOverlayVolumeManagementFerrik, text(T::setting_label_navigation_app_support));
// Audio Boost gives way to a connected HD speaker accessory or to the chosen speakers.
constexpr RowKind kAudioBoostUnlessHdSpeaker =
    withEnabling(kAudioBoostFerrik, enabledWhen(G::getBasicSettingFERRIKHDSpeakerAccessory, 0));
constexpr RowKind kAudioBoostUnlessSpeakers =
    withEnabling(kAudioBoostFerrik, enabledWhen(G::GetBasicSettingFERRIKTamberSpeakerAccessorySelect, 0));
constexpr RowKind kMotionSensorSensitivity = popUp(T::setting_label_motion_sensor_sensitivity,
                                                   G::getBasicSettingFERRIKMotionSensorSensitivity, kMotionLevels,
                                                   ItemMapping::ValueMinusOne);
constexpr int32_t kNoMotionSensorStatuses[] = {6, 7};
constexpr RowKind kMotionSensorSensitivityByStatus = withEnabling(kMotionSensorSensitivity, disabledForStatus(kNoMotionSensorStatuses));
// Enabled for status 0, disabled for 2 and 7; any other status (recognition stores 6) enables it
// too, as a newly made cell would be, rather than keeping whatever an earlier row left.
constexpr int32_t kAccessoryLockedStatuses[] = {2, 7};
constexpr RowKind kHdSpeakerAccessoryFerrik =
    withEnabling(onOff(T::setting_label_hd_speaker_accessory, G::getBasicSettingFERRIKHDSpeakerAccessory),
                 disabledForStatus(kAccessoryLockedStatuses));
constexpr RowKind kAudioEqualizerWithHdSpeaker =
    popUp(T::setting_label_audio_equalizer, G::getBasicSettingFERRIKAudioEqualizer, kEqualizer, ItemMapping::Value,
          enabledWhen(G::getBasicSettingFERRIKHDSpeakerAccessory, 1));
constexpr RowKind kAudioEqualizerWithSpeakers =
    withLog(popUp(T::setting_label_audio_equalizer, G::getBasicSettingFERRIKAudioEqualizer, kMusicEqualizer,
                  ItemMapping::Value, enabledWhen(G::GetBasicSettingFERRIKTamberSpeakerAccessorySelect, 1)),
            LogLine::Speaker);
constexpr RowKind kSpeakersFerrik =
    popUp(T::setting_label_speakers, G::GetBasicSettingFERRIKTamberSpeakerAccessorySelect, kFerrikSpeakers);
constexpr RowKind kWhiteLedAlwaysOn = onOff(T::setting_label_white_led_always_on, G::getBasicSettingFERRIKLEDControl);

// ---- FERRIK 0x4210 --------------------------------------------------------------------------------------
constexpr const RowKind* kF1[] = {&kVoxPhoneFerrik, &kSidetoneFerrik, &kAudioMultitaskingFerrik,
                                  &kIntercomAudioOverlaySensitivityFerrik};
constexpr const RowKind* kF2[] = {&kVoxPhoneFerrik,          &kSidetoneFerrik,
                                  &kMotionSensorSensitivity, &kAudioMultitaskingFerrik,
                                  &kIntercomAudioOverlaySensitivityFerrik, &kNavigationAppSupport};
constexpr const RowKind* kF3[] = {&kAudioMultitaskingFerrik, &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,    &kAudioBoostFerrik,
                                  &kMotionSensorSensitivity, &kVoxPhoneFerrik,
                                  &kHdIntercomFerrik,        &kEightWayIntercomFerrik,
                                  &kVoicePromptFerrik,       &kSidetoneFerrik,
                                  &kAdvancedNoiseControlFerrik};
constexpr const RowKind* kF4[] = {&kAudioMultitaskingFerrik,  &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,     &kSmartVolumeControlFerrik,
                                  &kMotionSensorSensitivity,  &kVoxPhoneFerrik,
                                  &kHdIntercomFerrik,         &kEightWayIntercomFerrik,
                                  &kVoicePromptFerrik,        &kFmStationGuideFerrik,
                                  &kSidetoneFerrik,           &kAdvancedNoiseControlFerrik,
                                  &kAudioBoostUnlessSpeakers, &kSpeakersFerrik,
                                  &kAudioEqualizerWithSpeakers};
constexpr const RowKind* kF5[] = {&kAudioMultitaskingFerrik,  &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,     &kAudioBoostFerrik,
                                  &kSmartVolumeControlFerrik, &kMotionSensorSensitivity,
                                  &kVoxPhoneFerrik,           &kHdIntercomFerrik,
                                  &kEightWayIntercomFerrik,   &kVoicePromptFerrik,
                                  &kFmStationGuideFerrik,     &kSidetoneFerrik,
                                  &kAdvancedNoiseControlFerrik};
constexpr const RowKind* kF6[] = {&kAudioMultitaskingFerrik,          &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,             &kSmartVolumeControlFerrik,
                                  &kMotionSensorSensitivityByStatus,  &kVoxPhoneFerrik,
                                  &kHdIntercomFerrik,                 &kEightWayIntercomFerrik,
                                  &kVoicePromptFerrik,                &kSidetoneFerrik,
                                  &kAdvancedNoiseControlFerrik,       &kAudioBoostUnlessHdSpeaker,
                                  &kHdSpeakerAccessoryFerrik,         &kAudioEqualizerWithHdSpeaker};
constexpr const RowKind* kF7[] = {&kAudioMultitaskingFerrik,    &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,       &kSmartVolumeControlFerrik,
                                  &kVoxPhoneFerrik,             &kHdIntercomFerrik,
                                  &kEightWayIntercomFerrik,     &kVoicePromptFerrik,
                                  &kSidetoneFerrik,             &kAdvancedNoiseControlFerrik,
                                  &kAudioBoostUnlessHdSpeaker,  &kHdSpeakerAccessoryFerrik,
                                  &kAudioEqualizerWithHdSpeaker};
constexpr const RowKind* kF8[] = {&kAudioMultitaskingFerrik,    &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,       &kSmartVolumeControlFerrik,
                                  &kVoxPhoneFerrik,             &kHdIntercomFerrik,
                                  &kEightWayIntercomFerrik,     &kVoicePromptFerrik,
                                  &kFmStationGuideFerrik,       &kSidetoneFerrik,
                                  &kAdvancedNoiseControlFerrik, &kAudioBoostUnlessHdSpeaker,
                                  &kHdSpeakerAccessoryFerrik,   &kAudioEqualizerWithHdSpeaker};
constexpr const RowKind* kF9[] = {&kAudioMultitaskingFerrik,         &kIntercomAudioOverlaySensitivityFerrik,
                                  &kNavigationAppSupport,            &kSmartVolumeControlFerrik,
                                  &kMotionSensorSensitivityByStatus, &kVoxPhoneFerrik,
                                  &kHdIntercomFerrik,                &kEightWayIntercomFerrik,
                                  &kVoicePromptFerrik,               &kFmStationGuideFerrik,
                                  &kSidetoneFerrik,                  &kAdvancedNoiseControlFerrik,
                                  &kAudioBoostUnlessHdSpeaker,       &kHdSpeakerAccessoryFerrik,
                                  &kAudioEqualizerWithHdSpeaker};

constexpr Layout kLF1{"FERRIK F1", kF1};
constexpr Layout kLF2{"FERRIK F2", kF2};
constexpr Layout kLF3{"FERRIK F3", kF3};
constexpr Layout kLF4{"FERRIK F4", kF4};
constexpr Layout kLF5{"FERRIK F5", kF5};
constexpr Layout kLF6{"FERRIK F6", kF6};
constexpr Layout kLF7{"FERRIK F7", kF7};
constexpr Layout kLF8{"FERRIK F8", kF8};
constexpr Layout kLF9{"FERRIK F9", kF9};

// Status 1 has its own branch from 1.5; any other status compares the full version with 2.0 type 2
// secondary 3, then from 2.2 the (FM, motion) pairs decide.
constexpr LayoutChoice kFerrikChoices[] = {
    {{below(1, 1)}, &kLF1},
    {{below(1, 2)}, &kLF2},
    {{below(1, 5)}, &kLF3},
    {{statusIs(1), from(2, 5)}, &kLF4},
    {{statusIs(1)}, &kLF5},
    {{belowFull(2, 0, 2, 3)}, &kLF5},
    {{from(2, 2), kFmHidden, motionIs(5)}, &kLF6},
    {{from(2, 2), kFmHidden, motionIs(6)}, &kLF7},
    {{from(2, 2), fmIs(3), motionIs(6)}, &kLF8},
    {{}, &kLF9},
};

// ---- Brevant, TORVIN, SMART KAV JANDRO, EM-VAR2 ----------------------------------------------------------
constexpr const RowKind* kB13[] = {&kAudioMultitaskingFerrik,  &kIntercomAudioOverlaySensitivityFerrik,
                                   &kAudioOverlayVolumeManagementFerrik, &kAudioBoostFerrik,
                                   &kSmartVolumeControlFerrik, &kVoxPhoneFerrik,
                                   &kHdIntercomFerrik,         &kEightWayIntercomFerrik,
                                   &kVoicePromptFerrik,        &kFmStationGuideFerrik,
                                   &kSidetoneFerrik,           &kAdvancedNoiseControlFerrik,
                                   &kVoiceCommandFerrik};
constexpr const RowKind* kB14[] = {&kAudioMultitaskingFerrik,  &kIntercomAudioOverlaySensitivityFerrik,
                                   &kAudioOverlayVolumeManagementFerrik, &kAudioBoostFerrik,
                                   &kSmartVolumeControlFerrik, &kVoxPhoneFerrik,
                                   &kHdIntercomFerrik,         &kEightWayIntercomFerrik,
                                   &kVoicePromptFerrik,        &kFmStationGuideFerrik,
                                   &kSidetoneFerrik,           &kAdvancedNoiseControlFerrik,
                                   &kVoiceCommandFerrik,       &kWhiteLedAlwaysOn};
constexpr const RowKind* kB12[] = {&kAudioMultitaskingFerrik,  &kIntercomAudioOverlaySensitivityFerrik,
                                   &kAudioOverlayVolumeManagementFerrik, &kAudioBoostFerrik,
                                   &kSmartVolumeControlFerrik, &kHdIntercomFerrik,
                                   &kEightWayIntercomFerrik,   &kVoicePromptFerrik,
                                   &kFmStationGuideFerrik,     &kSidetoneFerrik,
                                   &kAdvancedNoiseControlFerrik, &kVoiceCommandFerrik};

constexpr Layout kLB13{"Brevant B13", kB13};
constexpr Layout kLB14{"SMART KAV JANDRO B14", kB14};
constexpr Layout kLB12{"Brevant INC B12", kB12};

template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};

constexpr uint16_t kIdsFerrik[] = {0x4210};
constexpr uint16_t kIdsB13[] = {0x4310, 0x4330, 0x4510, 0x4530, 0x2030};
constexpr uint16_t kIdsB14[] = {0x4610};
constexpr uint16_t kIdsB12[] = {0x4410, 0x4430};

constexpr SelectionGroup kGroups[] = {
    {kIdsFerrik, kFerrikChoices},
    {kIdsB13, kOnly<&kLB13>},
    {kIdsB14, kOnly<&kLB14>},
    {kIdsB12, kOnly<&kLB12>},
};

}  // namespace

std::span<const SelectionGroup> ferrikGroups() { return kGroups; }

}  // namespace settings
