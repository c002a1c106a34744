// Default and Cancel of the device settings page. Default loads the model's defaults, after
// restoring from the headset the setting words that hold what Default must keep (the unit
// language among them) and forcing a few settings of those words; Cancel loads the headset's values.
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Log.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/ModelSets.h"

namespace settings {

using device::ORVABluetoothDeviceData;

namespace {

using R = ORVABluetoothDeviceData;

// One adjustment of the defaults: copy a basic word from the headset's record, or store a value.
struct Step {
    int word = -1;  // >= 0: copy that word
    void (*store)(R&, int32_t) = nullptr;
    int32_t value = 0;
};

Step copy(int word) { return Step{word, nullptr, 0}; }
Step put(void (*store)(R&, int32_t), int32_t value) { return Step{-1, store, value}; }

#define STORE(setter) [](R & r, int32_t v) { r.setter(v); }

struct DefaultRow {
    ModelIds models;
    // Firmware (major * 100 + minor) from which `from` holds; 0: `below` holds for every version.
    int32_t band;
    std::vector<Step> below;
    std::vector<Step> from;
    // The trace of the record's words 0 and 1 first.
    bool arabicTrace = false;
};

const std::vector<DefaultRow>& defaultTable() {
    static const auto eq30 = put(STORE(SetBasicSetting30Equalizer), 0);
    static const auto eq50 = put(STORE(SetBasicSetting50Equalizer), 0);
    static const auto hdVoiceOn = put(STORE(SetBasicSettingLUTRAHDVoice), 1);
    static const auto reachOut = put(STORE(SetBasicSettingMeshReachOut), 1);
    static const auto assistant = put(STORE(SetBasicSettingVoiceAssistant), 1);
    static const auto boostOff = put(STORE(SetBasicSettingGESSAAudioBoost), 0);
    static const auto accessoryOff = put(STORE(SetBasicSettingGESSAHDSpeakerAccessory), 0);
    static const auto dunvikEq = put(STORE(SetBasicSettingDUNVIKEqualizer), 0);
    static const auto qccEq = put(STORE(SetBasicSettingQCCAudioEqualizer), 0);
    static const std::vector<DefaultRow> table = {
        {{0x3110}, 301, {copy(3)}, {copy(3), eq30, put(STORE(SetBasicSettingGESSAMeshReachOut), 0)}},
        {{0x3112, 0x3114}, 300, {}, {copy(3), accessoryOff, eq30}},
        {{0x3146}, 0, {copy(3), accessoryOff, eq30}, {}},
        {{0x3116, 0x3118, 0x3124, 0x3126, 0x3136, 0x3140, 0x3144, 0x3152, 0x3800}, 0, {copy(3)}, {}},
        {{0x3128}, 0, {copy(3), put(STORE(SetBasicSettingPEMVIKPumeliMeshPublicChannel), 1)}, {}},
        {{0x3214}, 205, {copy(3)}, {copy(3), assistant, reachOut}},
        {{0x3156, 0x3170, 0x3213, 0x3240, 0x3310, 0x3320, 0x3330}, 0, {copy(3), hdVoiceOn, eq50, reachOut}, {}},
        {{0x3211, 0x3215, 0x3217, 0x3260, 0x3900}, 0, {copy(3), copy(4), hdVoiceOn, eq50, reachOut}, {}},
        {{0x3132, 0x3134, 0x3210, 0x3218, 0x321C, 0x3232, 0x3233, 0x3264}, 101,
         {copy(3), copy(4), hdVoiceOn, eq50, assistant, boostOff, reachOut},
         {copy(3), copy(5), hdVoiceOn, eq50, assistant, boostOff, reachOut}},
        {{0x3148, 0x3154}, 0, {copy(3), copy(5), hdVoiceOn, eq50, assistant, boostOff, reachOut}, {}},
        {{0x3212, 0x3216, 0x3219}, 0, {copy(3), copy(5), assistant, boostOff, reachOut}, {}},
        {{0x321A}, 0,
         {copy(3), copy(5), assistant, boostOff, reachOut, put(STORE(SetBasicSettingGESSAAudioOverlayVolumeManagement), 0),
          put(STORE(SetBasicSettingGESSAAudioOverlaySensitivity), 3)},
         {}},
        {{0x4210}, 0, {copy(4)}, {}},
        {{0x4D06, 0x4D16, 0x4D76, 0x4D86}, 0,
         {copy(0), copy(1), put(STORE(SetBasicSettingGESSAVOXPhone), 1), put(STORE(SetBasicSettingEDR), 0),
          put(STORE(SetBasicSettingGESSAHighQulityA2DP), 1), put(STORE(SetBasicSettingGESSASidetone), 0)},
         {}},
        {{0x3150, 0x3161, 0x6320, 0x6330, 0x6335}, 0, {copy(1)}, {}},
        {joinIds({{0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x321B, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360,
                   0x3370, 0x3380, 0x3400, 0x3410, 0x3420, 0x3430, 0x3701, 0x4023, 0x5424, 0x5428, 0x5430, 0x5432,
                   0x5434},
                  idRange(0x5440, 0x5445),
                  {0x5534, 0x5538, 0x5570, 0x5580},
                  idRange(0x5590, 0x5594),
                  {0x5597, 0x6038, 0x6039, 0x6310, 0x6900, 0x6910}}),
         0, {copy(1), dunvikEq}, {}},
        {{0x5595}, 0, {copy(2), dunvikEq}, {}, true},
        {{0x5596}, 0, {copy(1), dunvikEq}, {}, true},
        {{0x5552, 0x5553, 0x5630, 0x5632}, 0, {copy(1), qccEq, put(STORE(SetBasicSettingLUTRAHDVoice), 0)}, {}},
        {{0x6042}, 0,
         {copy(1), qccEq, put(STORE(SetBasicSettingQccAutoOff), 1), put(STORE(SetBasicSettingFENNICVOXSensitivity), 3)},
         {}},
        {{0x6461, 0x6481, 0x6491}, 0, {copy(1), put(STORE(setBackgroundVolume), 4)}, {}},
        {joinIds({idRange(0x6800, 0x6805),
                  {0x6808, 0x6810, 0x6811, 0x6812, 0x6815, 0x6816, 0x6817, 0x6822, 0x6828, 0x6838, 0x6839, 0x6840},
                  idRange(0x6A01, 0x6A04)}),
         0, {copy(2)}, {}},
        {{0x6806}, 0, {copy(2), put(STORE(SetBasicSettingAirohaFMStation), 1)}, {}},
        {{0x6814, 0x6824, 0x6831}, 0, {copy(2), put(STORE(SetBasicSettingAirohaAdaptiveLight), 1)}, {}},
        {{0x6821, 0x6825}, 0, {copy(2), put(STORE(SetBasicSettingAirohaAutoOnOff), 1)}, {}},
        {{0x683A}, 0,
         {copy(2), put(STORE(SetBasicSettingAirohaVoicePrompt), 1), put(STORE(SetBasicSettingAirohaVOXPhone), 1),
          put(STORE(SetBasicSettingAirohaIntercomAudioOverlaySensitivity), 2),
          put(STORE(SetBasicSettingAirohaVoxSensitivity), 2), put(STORE(SetBasicSettingAirohaMeshReachOut), 0),
          put(STORE(SetBasicSettingAirohaAutoOff), 0)},
         {}},
    };
    return table;
}

}  // namespace

void DeviceSettingsViewController::changeToDefault(QObject*) {
    if (!passActionGuard()) return;
    const auto& c = controller();
    const R& record = c.data();
    for (const DefaultRow& row : defaultTable()) {
        if (!containsId(row.models, c.deviceTarget())) continue;
        if (row.arabicTrace)
            platform::logf("ARABIC %X %X", static_cast<unsigned>(record.basicSettingFERRIK(0)),
                           static_cast<unsigned>(record.basicSettingFERRIK(1)));
        const bool from =
            row.band != 0 && record.compareVersionUpToMinorWithMajor(row.band / 100, row.band % 100) >= 0;
        for (const Step& step : from ? row.from : row.below) {
            if (step.word >= 0) dataDefault_.setBasicSetting20At(step.word, record.basicSettingFERRIK(step.word));
            else step.store(dataDefault_, step.value);
        }
        break;
    }
    dataCurrent_.copyWithSource(dataDefault_, false);
    reloadAllSettingsRows();
    setControlsWithData();
    setControls();
}

void DeviceSettingsViewController::changeToOriginal(QObject*) {
    if (!passActionGuard()) return;
    dropEdits();
    reloadAllSettingsRows();
    setControlsWithData();
    setControls();
}

}  // namespace settings
