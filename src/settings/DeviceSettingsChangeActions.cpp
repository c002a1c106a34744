// The change actions of the device settings page as data: per action, the model sets in the order
// they are tested, each with the record setter it writes through and how the sender's state becomes
// the stored value. One routine walks the table; the few rules a row cannot hold sit beside it.
#include <QObject>
#include <deque>
#include <optional>

#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Log.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/ModelSets.h"

namespace settings {

using device::ORVABluetoothDeviceData;
using Action = DeviceSettingsViewController::ChangeAction;

namespace {

using R = ORVABluetoothDeviceData;
// The edit buffer, the value, the recognized headset's record and the chosen model.
using Setter = void (*)(R& r, int32_t v, const R& recognized, int32_t target);

// std/rev: an on/off pair's column 0 (enable) against any other column; the rest are pop-up
// formulas of the selected index i.
enum class Value { Std, Rev, I, IPlus1, TenMinusI, IPlus8, MicGain };

struct ChangeRow {
    Action action;
    // None: every model not named by an earlier row of the action.
    const ModelIds* models;
    // None: nothing stored (the page still refreshes).
    Setter setter;
    Value value;
    // Non-zero: the row holds only below this firmware (major * 100 + minor) of the recognized headset.
    int32_t below = 0;
};

#define SET(call) [](R & r, int32_t v, const R& rec, int32_t t) { (void)v, (void)rec, (void)t, r.call; }

// Each table row names its set once; the sets stay where they are for as long as the table.
const ModelIds& keep(ModelIds set) {
    static std::deque<ModelIds> kept;
    kept.push_back(std::move(set));
    return kept.back();
}

const ModelIds& ids(std::initializer_list<int32_t> list) { return keep(ModelIds(list)); }

const ModelIds& ids(std::initializer_list<ModelIds> parts) { return keep(joinIds(parts)); }

const std::vector<ChangeRow>& changeTable() {
    using namespace model_sets;
    static const ModelIds& ferrikSet = ferrik();
    static const ModelIds& gessaSet = gessa();
    static const ModelIds& lutraSet = lutra();
    static const ModelIds& airohaSet = airoha();
    static const ModelIds& airohaExt = airohaExtended();
    static const ModelIds& csrEdrSet = csrEdr();
    static const ModelIds& qccPair = ids({0x6500, 0x6510});
    static const ModelIds& gessaAndCsrEdr = ids({gessa(), csrEdr()});
    static const ModelIds& gessaCsrEdrQcc = ids({gessa(), csrEdr(), {0x6500, 0x6510}});
    static const ModelIds& gessaSulvaneQcc = ids({gessa(), {0x3150, 0x3161, 0x6500, 0x6510}});
    static const ModelIds& voxModels = ids({0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5040,
                                            0x5050, 0x5060, 0x5061, 0x5070, 0x5080});
    static const ModelIds& accessoryGessa = ids({0x3110, 0x3112, 0x3146});
    static const ModelIds& oneModule = ids({0x5570, 0x5580});
    static const ModelIds& qccQuad = ids({0x5630, 0x5632, 0x6500, 0x6510});
    static const ModelIds& airohaPair = ids({0x6821, 0x6825});
    static const ModelIds& yelvar = ids({0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5622, 0x5624});
    static const ModelIds& fennic = ids({0x3380, 0x3410, 0x3701, 0x5441, 0x6042});
    static const ModelIds& airohaSidetone =
        ids({{0x6801, 0x6802, 0x6803, 0x6814, 0x6816, 0x6824, 0x6828, 0x6831, 0x6838, 0x6839, 0x6840},
             idRange(0x6A01, 0x6A04)});
    static const ModelIds& airohaReachOut =
        ids({{0x6800, 0x6804, 0x6806, 0x6810, 0x6812, 0x6815, 0x6821, 0x6822, 0x6825, 0x6828, 0x6838, 0x6839, 0x683A,
              0x6840},
             idRange(0x6A01, 0x6A04)});
    static const ModelIds& dunvikLanguage =
        ids({{0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x321B, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370,
              0x3380, 0x3400, 0x3410, 0x3420, 0x3430, 0x3701, 0x4023, 0x4050, 0x5424, 0x5428, 0x5430, 0x5432, 0x5434},
             idRange(0x5440, 0x5445),
             {0x5534, 0x5538, 0x5564},
             idRange(0x5590, 0x5594),
             {0x5597, 0x6042, 0x6310, 0x6320, 0x6330, 0x6335, 0x6900, 0x6910}});
    static const ModelIds& gessaLanguage =
        ids({{0x3110, 0x3132, 0x3134, 0x3146, 0x3148, 0x3154, 0x3156},
             idRange(0x3210, 0x321A),
             {0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3900}});
    static const ModelIds& airohaLanguage =
        ids({idRange(0x6800, 0x6806),
             {0x6810, 0x6812},
             idRange(0x6814, 0x6817),
             {0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838, 0x6839, 0x683A, 0x6840},
             idRange(0x6A01, 0x6A04)});
    static const ModelIds& dunvikEqualizer =
        ids({{0x3052, 0x3072, 0x3082, 0x3085, 0x321B, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380, 0x3400,
              0x3410, 0x3420, 0x3430, 0x3701, 0x4023},
             idRange(0x5440, 0x5445),
             {0x5534, 0x5538, 0x5552, 0x5553, 0x5570, 0x5580},
             idRange(0x5590, 0x5597),
             {0x6038, 0x6039, 0x6042, 0x6900, 0x6910}});
    auto single = [](int32_t id) -> const ModelIds& { return keep(ModelIds{id}); };

    static const std::vector<ChangeRow> table = {
        {Action::IVOX, &ids({gessa(), {0x4D76}}), SET(SetBasicSettingGESSAVOXIntercom(v)), Value::Std},
        {Action::IVOX, nullptr, SET(setIntercomVOX(v)), Value::Std},
        {Action::VoiceAssistant, nullptr, SET(SetBasicSettingVoiceAssistant(v)), Value::Std},
        {Action::HVOX, &ferrikSet, SET(setBasicSettingFERRIKVOXPhone(v)), Value::Std},
        {Action::HVOX, &gessaCsrEdrQcc, SET(SetBasicSettingGESSAVOXPhone(v)), Value::Std},
        {Action::HVOX, &airohaSet, SET(SetBasicSettingAirohaVOXPhone(v)), Value::Std},
        // Their list row shows the Airoha word; the plain property would never read back.
        {Action::HVOX, &ids({0x6814, 0x6824, 0x6831}), SET(SetBasicSettingAirohaVOXPhone(v)), Value::Std},
        {Action::HVOX, nullptr, SET(setHandsfreeVOX(v)), Value::Std},
        {Action::EDR, &csrEdrSet, SET(SetBasicSettingEDR(v)), Value::Rev},
        // Below 4.0 these show a non-zero edr as on: their enable cell stores 1.
        {Action::EDR, &voxModels, SET(setEdr(v)), Value::Std, 400},
        {Action::EDR, nullptr, SET(setEdr(v)), Value::Rev},
        {Action::PLC, nullptr, SET(setPlc(v)), Value::Std},
        {Action::BitpoolRate, &gessaAndCsrEdr, SET(SetBasicSettingGESSAHighQulityA2DP(v)), Value::Std},
        {Action::BitpoolRate, nullptr, SET(setBitpoolRate(v)), Value::Std},
        {Action::MicrophoneBoost, nullptr, SET(setMicrophoneBoost(v)), Value::Std},
        {Action::Sidetone, &ferrikSet, SET(setBasicSettingFERRIKSidetone(v)), Value::Std},
        {Action::Sidetone, &gessaAndCsrEdr, SET(SetBasicSettingGESSASidetone(v)), Value::Std},
        {Action::Sidetone, &airohaSidetone, SET(SetBasicSettingAirohaSidetone(v)), Value::Std},
        {Action::Sidetone, nullptr, SET(setSidetone(v)), Value::Std},
        {Action::AdvancedNoiseControl, &ferrikSet, SET(setBasicSettingFERRIKAdvancedNoiseControl(v)), Value::Std},
        {Action::AdvancedNoiseControl, &gessaSet, SET(SetBasicSettingGESSAAdvancedNoiseControl(v)), Value::Rev},
        {Action::AdvancedNoiseControl, nullptr, SET(setAdvancedNoiseControl(v)), Value::Rev},
        {Action::AutoStartRecording, nullptr, SET(setAutoStartRecording(v)), Value::Rev},
        {Action::LEDControl, &single(0x4610), SET(setBasicSettingFERRIKLEDControl(v)), Value::Std},
        {Action::LEDControl, nullptr, nullptr, Value::Std},
        {Action::AutoGainControl, nullptr, SET(setAutoGainControl(v)), Value::Rev},
        {Action::AutoOnOff, nullptr, SET(setAutoOnOff(v)), Value::Std},
        {Action::AudioBoost, &ferrikSet, SET(setBasicSettingFERRIKAudioBoost(v)), Value::Std},
        {Action::AudioBoost, &gessaSet, SET(SetBasicSettingGESSAAudioBoost(v)), Value::Rev},
        {Action::AudioBoost, &airohaPair, SET(SetBasicSettingAirohaAudioBoost(v)), Value::Std},
        {Action::AudioBoost, nullptr, SET(setAudioBoost(v)), Value::Rev},
        {Action::HDSpeakerAccessory, &single(0x4210), SET(setBasicSettingFERRIKHDSpeakerAccessory(v)), Value::Std},
        {Action::HDSpeakerAccessory, &accessoryGessa, SET(SetBasicSettingGESSAHDSpeakerAccessory(v)), Value::Std},
        {Action::HDSpeakerAccessory, &oneModule, SET(setBasicSettingHIDOneModuleHDSpeakerAccessory(v)), Value::Std},
        // The list's row of this model shows the GESSA accessory; it has no audio-boost rule.
        {Action::HDSpeakerAccessory, &single(0x3215), SET(SetBasicSettingGESSAHDSpeakerAccessory(v)), Value::Std},
        {Action::HDSpeakerAccessory, nullptr, nullptr, Value::Std},
        {Action::MotionSensorSensitivity, nullptr, SET(setBasicSettingFERRIKMotionSensorSensitivity(v)), Value::IPlus1},
        {Action::AudioMultitasking, nullptr, SET(setBasicSettingFERRIKAudioMultitasking(v)), Value::Std},
        {Action::AudioMultitaskingSensitivity, &gessaSet, SET(SetBasicSettingGESSAAudioOverlaySensitivity(v)),
         Value::IPlus1},
        {Action::AudioMultitaskingSensitivity, &qccQuad, SET(SetBasicSettingQCCAudioOverlaySensitivity(v)),
         Value::IPlus1},
        {Action::AudioMultitaskingSensitivity, &airohaSet, SET(SetBasicSettingAirohaIntercomAudioOverlaySensitivity(v)),
         Value::I},
        {Action::AudioMultitaskingSensitivity, nullptr, SET(setBasicSettingFERRIKAudioMultitaskingSensitivity(v)),
         Value::TenMinusI},
        {Action::RemoteUIPTT, nullptr, SET(SetBasicSettingLenvoraRemoteUIPTT(v)), Value::Std},
        {Action::MeshPublicChannel, &single(0x3128), SET(SetBasicSettingPEMVIKPumeliMeshPublicChannel(v)),
         Value::IPlus1},
        {Action::MeshPublicChannel, &single(0x3161), SET(SetBasicSettingLenvoraMeshPublicChannel(v)), Value::I},
        {Action::MeshPublicChannel, nullptr, SET(SetBasicSettingGESSAMeshPublicChannel(v)), Value::I},
        {Action::UnitLanguage, &dunvikLanguage, SET(SetBasicSettingDUNVIKUnitLanguage(v, t)), Value::I},
        {Action::UnitLanguage, &gessaLanguage, SET(SetBasicSettingGESSAUnitLanguage(v)), Value::I},
        {Action::UnitLanguage, &ids({0x3150, 0x3161}), SET(SetBasicSettingSULVANEUnitLanguage(v)), Value::I},
        {Action::UnitLanguage, &single(0x3170), SET(SetBasicSettingZANDRELUnitLanguage(v)), Value::I},
        {Action::UnitLanguage, &ids({0x3310, 0x3320, 0x3330}), SET(SetBasicSettingCelvarUnitLanguage(v, t)), Value::I},
        {Action::UnitLanguage, &ids({0x5552, 0x5553}), SET(SetBasicSettingGALLOWUnitLanguage(v, t)), Value::I},
        {Action::UnitLanguage, &single(0x5596), SET(SetBasicSettingWENDELUnitLanguage(v, t)), Value::I},
        {Action::UnitLanguage, &ids({0x5630, 0x5632}), SET(SetBasicSettingTOVJASTROUnitLanguage(v, t)), Value::I},
        {Action::UnitLanguage, &ids({0x6038, 0x6039}), SET(SetBasicSettingYORRARUnitLanguage(v, t)), Value::I},
        {Action::UnitLanguage, &airohaLanguage, SET(SetBasicSettingAirohaUnitLanguage(v)), Value::I},
        {Action::UnitLanguage, &single(0x6808), SET(SetBasicSettingAirohaVARROUnitLanguage(v)), Value::I},
        // The language pack is the recognized headset's, not the edit buffer's.
        {Action::UnitLanguage, &single(0x6811),
         SET(SetBasicSettingAirohaUnitLanguageCELVAR8R(v, rec.devicelanguagePackType())), Value::I},
        // The list's "Unit Language" of these models shows the GESSA language: the pick goes there.
        {Action::UnitLanguage, &ids({0x3116, 0x3118, 0x3124, 0x3126, 0x3136, 0x3140, 0x3144, 0x3152, 0x3800}),
         SET(SetBasicSettingGESSAUnitLanguage(v)), Value::I},
        {Action::UnitLanguage, nullptr, nullptr, Value::I},
        {Action::AudioEqualizer, &dunvikEqualizer, SET(SetBasicSettingDUNVIKEqualizer(v)), Value::I},
        {Action::AudioEqualizer, &accessoryGessa, SET(SetBasicSetting30Equalizer(v)), Value::I},
        {Action::AudioEqualizer, &lutraSet, SET(SetBasicSetting50Equalizer(v)), Value::I},
        {Action::AudioEqualizer, &single(0x4210), SET(setBasicSettingFERRIKAudioEqualizer(v)), Value::I},
        {Action::AudioEqualizer, &qccQuad, SET(SetBasicSettingQCCAudioEqualizer(v)), Value::I},
        {Action::AudioEqualizer, &airohaSet, SET(SetBasicSettingAirohaAudioEqualizer(v)), Value::I},
        {Action::AudioEqualizer, nullptr, nullptr, Value::I},
        {Action::SpeakerSelect, &single(0x3112), SET(SetBasicSettingTamberSpeakerAccessorySelect(v)), Value::I},
        {Action::SpeakerSelect, &single(0x4210), SET(SetBasicSettingFERRIKTamberSpeakerAccessorySelect(v)), Value::I},
        {Action::SpeakerSelect, nullptr, SET(SetBasicSetting50SpeakerAccessorySelect(v)), Value::I},
        {Action::MicSelect, nullptr, SET(SetBasicSetting50MicAccessorySelect(v)), Value::Std},
        {Action::NavigationAppOverlay, nullptr, SET(setBasicSettingFERRIKNavigationAppOverlay(v)), Value::Std},
        {Action::VoicePrompt, &ferrikSet, SET(setBasicSettingFERRIKVoicePrompt(v)), Value::Std},
        {Action::VoicePrompt, &gessaSulvaneQcc, SET(SetBasicSettingGESSAVoicePrompt(v)), Value::Rev},
        {Action::VoicePrompt, &airohaExt, SET(SetBasicSettingAirohaVoicePrompt(v)), Value::Std},
        {Action::VoicePrompt, nullptr, SET(setVoicePrompt(v)), Value::Rev},
        {Action::AdaptiveLight, &airohaExt, SET(SetBasicSettingAirohaAdaptiveLight(v)), Value::Std},
        {Action::AdaptiveLight, nullptr, nullptr, Value::Std},
        {Action::HDIntercom, &ferrikSet, SET(setBasicSettingFERRIKHDIntercom(v)), Value::Std},
        {Action::HDIntercom, &gessaSet, SET(SetBasicSettingGESSAHDIntercom(v)), Value::Std},
        {Action::HDIntercom, nullptr, SET(setHdIntercom(v)), Value::Std},
        {Action::EightWayIntercom, nullptr, SET(setBasicSettingFERRIKEightWayIntercom(v)), Value::Std},
        {Action::FMStationGuide, &ferrikSet, SET(setBasicSettingFERRIKFMStationGuide(v)), Value::Std},
        {Action::FMStationGuide, &gessaSulvaneQcc, SET(SetBasicSettingGESSAFMStationGuide(v)), Value::Std},
        {Action::FMStationGuide, &single(0x6806), SET(SetBasicSettingAirohaFMStation(v)), Value::Std},
        {Action::FMStationGuide, nullptr, SET(setFmStationGuide(v)), Value::Std},
        {Action::HDVoice, &lutraSet, SET(SetBasicSettingLUTRAHDVoice(v)), Value::Std},
        {Action::HDVoice, &qccPair, SET(SetBasicSettingQCCHDVoice(v)), Value::Std},
        {Action::HDVoice, nullptr, SET(setHdVoice(v)), Value::Std},
        {Action::AudioSourcePriority, nullptr, SET(setAudioSourcePriority(v)), Value::I},
        {Action::BackgroundVolume, nullptr, SET(setBackgroundVolume(v)), Value::I},
        {Action::AudioOverlay, &gessaSet, SET(SetBasicSettingGESSAAudioOverlay(v)), Value::Std},
        {Action::AudioOverlay, nullptr, SET(setAudioOverlay(v)), Value::Std},
        {Action::AutoOff, &single(0x6042), SET(SetBasicSettingQccAutoOff(v)), Value::Std},
        {Action::AutoOff, &airohaPair, SET(SetBasicSettingAirohaAutoOnOff(v)), Value::Std},
        {Action::AutoOff, &ids({0x6838, 0x683A}), SET(SetBasicSettingAirohaAutoOff(v)), Value::Std},
        {Action::AutoOff, nullptr, SET(setAutoOff(v)), Value::Std},
        {Action::SimpleUI, nullptr, SET(setSimpleUI(v)), Value::Std},
        {Action::SmartNaviSystem2, nullptr, SET(setSmartNaviSystem2(v)), Value::Std},
        {Action::SmartNaviSystem, nullptr, SET(setSmartNaviSystem(v)), Value::Std},
        {Action::SmartVolumeControl, &yelvar, SET(setBasicSettingYELVARSmartVolumeControl(0, v)), Value::I},
        // Their list row shows YELVAR slot 0, not the FERRIK field of another family's record.
        {Action::SmartVolumeControl, &ids({0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}),
         SET(setBasicSettingYELVARSmartVolumeControl(0, v)), Value::I},
        {Action::SmartVolumeControl, nullptr, SET(setBasicSettingFERRIKSmartVolumeControl(v)), Value::I},
        {Action::Channel, nullptr, SET(setBasicSettingAlventoChannel(0, v)), Value::IPlus1},
        {Action::Volume, nullptr, SET(setBasicSettingAlventoVolume(1, v)), Value::IPlus8},
        {Action::Microphone, nullptr, SET(setBasicSettingAlventoMicrophone(2, v)), Value::IPlus8},
        {Action::VOXSensitivity, &gessaSet, SET(SetBasicSettingGESSAVoxSensitivity(v)), Value::IPlus1},
        {Action::VOXSensitivity, &fennic, SET(SetBasicSettingFENNICVOXSensitivity(v)), Value::IPlus1},
        {Action::VOXSensitivity, &qccPair, SET(SetBasicSettingQCCVOXSensitivity(v)), Value::IPlus1},
        {Action::VOXSensitivity, &airohaSet, SET(SetBasicSettingAirohaVoxSensitivity(v)), Value::I},
        {Action::VOXSensitivity, nullptr, SET(setBasicSettingBELMORAVOXSensitivity(0, v)), Value::IPlus1},
        {Action::MeshMode, nullptr, SET(SetBasicSettingGESSAMeshMode(v)), Value::I},
        {Action::MeshGuestMode, nullptr, SET(SetBasicSettingGESSAMeshGuestMode(v)), Value::Std},
        {Action::AGCSensitivity, nullptr, SET(SetBasicSettingGESSAAGCSensitivity(v)), Value::I},
        {Action::UILayer, nullptr, SET(SetBasicSettingUILayer(v)), Value::Std},
        {Action::CelvarHDSPeakerAccessory, nullptr, SET(SetBasicSettingCelvarHDSpeakerAccessory(v)), Value::Std},
        {Action::MeshReachOut, &single(0x3110), SET(SetBasicSettingGESSAMeshReachOut(v)), Value::Std},
        {Action::MeshReachOut, &single(0x3800), SET(SetBasicSettingMeshReachOutN2R(v)), Value::Std},
        {Action::MeshReachOut, &airohaReachOut, SET(SetBasicSettingAirohaMeshReachOut(v)), Value::Std},
        {Action::MeshReachOut, nullptr, SET(SetBasicSettingMeshReachOut(v)), Value::Rev},
        {Action::AudioOverlayVolumeManagement, &qccPair, SET(SetBasicSettingQCCAudioOverlayVolumeManagement(v)),
         Value::Rev},
        {Action::AudioOverlayVolumeManagement, &airohaSet, SET(SetBasicSettingAirohaAudioOverlayVolumeManagement(v)),
         Value::Std},
        {Action::AudioOverlayVolumeManagement, &single(0x3142), nullptr, Value::Rev},
        {Action::AudioOverlayVolumeManagement, nullptr, SET(SetBasicSettingGESSAAudioOverlayVolumeManagement(v)),
         Value::Rev},
        {Action::VoiceCommand, &ferrikSet, SET(SetBasicSettingFERRIKVoiceCommand(v)), Value::Std},
        {Action::VoiceCommand, nullptr, SET(SetBasicSettingGESSAVoiceCommand(v)), Value::Std},
        {Action::PhotoMode, nullptr, SET(setBasicSettingTAVRINCameraPhotoMode(v)), Value::I},
        {Action::VideoMode, nullptr, SET(setBasicSettingTAVRINCameraVideoMode(v)), Value::I},
        {Action::VideoResolution, nullptr, SET(setBasicSettingTAVRINCameraVideoResolution(v)), Value::I},
        {Action::TimelapseInterval, nullptr, SET(setBasicSettingTAVRINCameraTimelapseInterval(v)), Value::I},
        {Action::DateCaption, nullptr, SET(setBasicSettingTAVRINCameraDateCaption(v)), Value::Std},
        {Action::SpeakerSoundRecording, nullptr, SET(setBasicSettingTAVRINCameraSpeakerSoundRecording(v)), Value::Std},
        {Action::SpeakerSoundRecordingMusic, nullptr, SET(setBasicSettingTAVRINCameraSpeakerSoundRecordingMusic(v)),
         Value::Std},
        {Action::SpeakerSoundRecordingFMRadio, nullptr,
         SET(setBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio(v)), Value::Std},
        {Action::SpeakerSoundRecordingIntercom, nullptr,
         SET(setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(v)), Value::Std},
        {Action::SpeakerSoundRecordingPhone, nullptr, SET(setBasicSettingTAVRINCameraSpeakerSoundRecordingPhone(v)),
         Value::Std},
        {Action::AutoCameraSleep, nullptr, SET(setBasicSettingTAVRINCameraAutoCameraSleep(v)), Value::Std},
        {Action::VideoTaggingInterval, nullptr, SET(setBasicSettingTAVRINCameraVideoTaggingInterval(v)), Value::I},
        {Action::LoopRecordingInterval, nullptr, SET(setBasicSettingTAVRINCameraLoopRecordingInterval(v)), Value::I},
        {Action::VideoMicrophoneGain, nullptr, SET(setBasicSettingTAVRINCameraVideoMicrophoneGain(v)), Value::I},
        {Action::ESSStatus, nullptr, SET(setEssStatus(v)), Value::I},
        {Action::ESSSensitivity, nullptr, SET(setEssSensitivity(v)), Value::IPlus1},
        {Action::MicGain, nullptr, SET(setMicGain(v)), Value::MicGain},
    };
    return table;
}

// Switching the HD speaker accessory on turns audio boost off: per family, the accessory read
// back, the audio boost read, the value of audio boost's enable cell and the value to store then.
struct AccessoryBoostRule {
    ModelIds models;
    int32_t (*accessory)(const R&);
    int32_t (*audioBoost)(const R&);
    int32_t boostOn;
    void (*storeBoostOff)(R&);
};

const std::vector<AccessoryBoostRule>& accessoryBoostRules() {
    static const std::vector<AccessoryBoostRule> rules = {
        {{0x4210}, [](const R& r) { return r.getBasicSettingFERRIKHDSpeakerAccessory(); },
         [](const R& r) { return r.getBasicSettingFERRIKAudioBoost(); }, 1,
         [](R& r) { r.setBasicSettingFERRIKAudioBoost(0); }},
        {{0x3110, 0x3112, 0x3146}, [](const R& r) { return r.GetBasicSettingGESSAHDSpeakerAccessory(); },
         [](const R& r) { return r.GetBasicSettingGESSAAudioBoost(); }, 0,
         [](R& r) { r.SetBasicSettingGESSAAudioBoost(1); }},
        {{0x5570, 0x5580}, [](const R& r) { return r.getBasicSettingHIDOneModuleHDSpeakerAccessory(); },
         [](const R& r) { return r.audioBoost(); }, 0, [](R& r) { r.setAudioBoost(1); }},
    };
    return rules;
}

// What a control of either kind (form or list cell) holds: the selected column or item.
std::optional<int> senderState(QObject* sender) {
    if (auto* matrix = dynamic_cast<RadioMatrix*>(sender)) return matrix->selectedColumn();
    if (auto* popUp = dynamic_cast<PopUpButton*>(sender)) return popUp->indexOfSelectedItem();
    return std::nullopt;
}

std::optional<int32_t> valueOf(Value rule, int state) {
    switch (rule) {
    case Value::Std: return state == 0 ? 1 : 0;
    case Value::Rev: return state == 0 ? 0 : 1;
    case Value::I: return state;
    case Value::IPlus1: return state + 1;
    case Value::TenMinusI: return 10 - state;
    case Value::IPlus8: return state + 8;
    case Value::MicGain:
        if (state >= 0 && state <= 2) return 1 + 2 * state;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

void DeviceSettingsViewController::change(ChangeAction action, QObject* sender) {
    if (!passActionGuard()) return;
    auto& c = controller();
    const int32_t target = c.deviceTarget();
    const int state = senderState(sender).value_or(-1);
    if (action == ChangeAction::MicGain) platform::logf("send Num[%ld]", static_cast<long>(state));
    for (const ChangeRow& row : changeTable()) {
        if (row.action != action) continue;
        if (row.models && !containsId(*row.models, target)) continue;
        if (row.below && c.data().compareVersionUpToMinorWithMajor(row.below / 100, row.below % 100) >= 0) continue;
        auto value = valueOf(row.value, state);
        if (row.setter && value) row.setter(dataCurrent_, *value, c.data(), target);
        break;
    }
    if (action == ChangeAction::HDSpeakerAccessory) {
        for (const auto& rule : accessoryBoostRules()) {
            if (!containsId(rule.models, target)) continue;
            if (rule.accessory(dataCurrent_) == 1 && rule.audioBoost(dataCurrent_) == rule.boostOn)
                rule.storeBoostOff(dataCurrent_);
        }
    }
    // The list sends these two and refreshes by itself.
    if (action == ChangeAction::VoiceAssistant || action == ChangeAction::MeshReachOut) return;
    setControls();
}

}  // namespace settings
