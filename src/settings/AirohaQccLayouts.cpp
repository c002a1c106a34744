// Row layouts of the Airoha models and the QCC pair 0x6510, 0x6500: one layout per group, no
// conditions. The row counts of these ids are often smaller (RowCounts.cpp).
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

namespace {

using namespace kinds;

constexpr const RowKind* k6840[] = {&kHeadsetLanguageAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha, &kVoxSensitivityAiroha,
                                    &kMeshReachOutAiroha};
constexpr const RowKind* kThreeLanguages[] = {&kHeadsetLanguageAiroha3, &kVoxPhoneAiroha, &kVoicePromptAiroha,
                                              &kVoxSensitivityAiroha, &kMeshReachOutAiroha};
constexpr const RowKind* kLanguageAndPrompt[] = {&kHeadsetLanguageAiroha, &kVoicePromptAiroha};
constexpr const RowKind* k6812[] = {&kHeadsetLanguageAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha, &kVoxSensitivityAiroha,
                                    &kAudioOverlayVolumeManagementAiroha, &kIntercomAudioOverlaySensitivityAiroha,
                                    &kMeshReachOutAiroha};
constexpr const RowKind* k6811[] = {&kHeadsetLanguageAirohaPack, &kAudioEqualizerAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha,
                                    &kVoxSensitivityAiroha, &kAudioOverlayVolumeManagementAiroha,
                                    &kIntercomAudioOverlaySensitivityAiroha};
constexpr const RowKind* k6804[] = {&kHeadsetLanguageAiroha, &kVoicePromptAiroha, &kMeshIntercomVoxSensitivityAiroha,
                                    &kMeshReachOutAiroha};
constexpr const RowKind* k6821[] = {&kHeadsetLanguageAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha, &kVoxSensitivityAiroha,
                                    &kAudioOverlayVolumeManagementAiroha, &kIntercomAudioOverlaySensitivityAiroha,
                                    &kAudioBoostAiroha, &kMeshReachOutAiroha, &kAutoOnOffAiroha};
constexpr const RowKind* k6838[] = {&kHeadsetLanguageAiroha, &kAudioEqualizerAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha,
                                    &kVoxSensitivityAiroha, &kAudioOverlayVolumeManagementAiroha,
                                    &kIntercomAudioOverlaySensitivityAiroha, &kMeshReachOutAiroha, &kAutoOffAiroha};
constexpr const RowKind* k683A[] = {&kHeadsetLanguageAirohaDialects, &kAudioEqualizerAiroha, &kVoxPhoneAiroha,
                                    &kVoicePromptAiroha, &kVoxSensitivityAiroha, &kAudioOverlayVolumeManagementAiroha,
                                    &kIntercomAudioOverlaySensitivityAiroha, &kMeshReachOutAiroha,
                                    &kAutomaticPowerOffAiroha};
constexpr const RowKind* k6800[] = {&kHeadsetLanguageAiroha, &kAudioEqualizerAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha,
                                    &kVoxSensitivityAiroha, &kAudioOverlayVolumeManagementAiroha,
                                    &kIntercomAudioOverlaySensitivityAiroha, &kMeshReachOutAiroha};
constexpr const RowKind* k6806[] = {&kHeadsetLanguageAiroha, &kAudioEqualizerAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha,
                                    &kVoxSensitivityAiroha, &kAudioOverlayVolumeManagementAiroha,
                                    &kIntercomAudioOverlaySensitivityAiroha, &kFmStationGuideAiroha};
constexpr const RowKind* k6808[] = {&kHeadsetLanguageVarro, &kAudioEqualizerAiroha, &kVoxPhoneAiroha, &kVoicePromptAiroha,
                                    &kVoxSensitivityAiroha, &kAudioOverlayVolumeManagementAiroha,
                                    &kIntercomAudioOverlaySensitivityAiroha};
constexpr const RowKind* kQcc[] = {&kAudioEqualizerQcc, &kVoxPhoneGessa, &kHdVoiceQcc, &kVoicePromptGessa, &kVoxSensitivityQcc,
                                   &kAudioOverlayVolumeManagementQcc, &kIntercomAudioOverlaySensitivityQcc};

constexpr Layout kL6840{"0x6840", k6840};
constexpr Layout kLThreeLanguages{"0x6814 group", kThreeLanguages};
constexpr Layout kLLanguageAndPrompt{"0x6801 group", kLanguageAndPrompt};
constexpr Layout kL6812{"0x6812", k6812};
constexpr Layout kL6811{"0x6811", k6811};
constexpr Layout kL6804{"0x6804", k6804};
constexpr Layout kL6821{"0x6821 group", k6821};
constexpr Layout kL6838{"0x6838", k6838};
constexpr Layout kL683A{"0x683A", k683A};
constexpr Layout kL6800{"0x6800 group", k6800};
constexpr Layout kL6806{"0x6806", k6806};
constexpr Layout kL6808{"0x6808", k6808};
constexpr Layout kLQcc{"QCC 0x6510 group", kQcc};

template <const Layout* L>
constexpr LayoutChoice kOnly[] = {{Conditions{}, L}};

constexpr uint16_t kIds6840[] = {0x6840};
constexpr uint16_t kIdsThreeLanguages[] = {0x6814, 0x6831, 0x6824, 0x6A04, 0x6A01, 0x6A02, 0x6A03, 0x6828, 0x6839};
constexpr uint16_t kIdsLanguageAndPrompt[] = {0x6801, 0x6816, 0x6802, 0x6803, 0x6815, 0x6822};
constexpr uint16_t kIds6812[] = {0x6812};
constexpr uint16_t kIds6811[] = {0x6811};
constexpr uint16_t kIds6804[] = {0x6804};
constexpr uint16_t kIds6821[] = {0x6821, 0x6825};
constexpr uint16_t kIds6838[] = {0x6838};
constexpr uint16_t kIds683A[] = {0x683A};
constexpr uint16_t kIds6800[] = {0x6800, 0x6805, 0x6817, 0x6810};
constexpr uint16_t kIds6806[] = {0x6806};
constexpr uint16_t kIds6808[] = {0x6808};
constexpr uint16_t kIdsQcc[] = {0x6510, 0x6500};

constexpr SelectionGroup kGroups[] = {
    {kIds6840, kOnly<&kL6840>},
    {kIdsThreeLanguages, kOnly<&kLThreeLanguages>},
    {kIdsLanguageAndPrompt, kOnly<&kLLanguageAndPrompt>},
    {kIds6812, kOnly<&kL6812>},
    {kIds6811, kOnly<&kL6811>},
    {kIds6804, kOnly<&kL6804>},
    {kIds6821, kOnly<&kL6821>},
    {kIds6838, kOnly<&kL6838>},
    {kIds683A, kOnly<&kL683A>},
    {kIds6800, kOnly<&kL6800>},
    {kIds6806, kOnly<&kL6806>},
    {kIds6808, kOnly<&kL6808>},
    {kIdsQcc, kOnly<&kLQcc>},
};

}  // namespace

std::span<const SelectionGroup> airohaQccGroups() { return kGroups; }

}  // namespace settings
