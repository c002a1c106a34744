// The unsaved-change test of the device settings page: per model, the values of the edit buffer
// that are compared with the recognized headset's record, in order, some by firmware band.
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Log.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/ModelSets.h"

namespace settings {

using device::ORVABluetoothDeviceData;

namespace {

enum class Compare {
    Settings40,
    Settings40Traced,  // the same, after the trace of both words
    Settings40Second,
    IntercomVOX,
    HandsfreeVOX,
    Edr,
    RadioTransmitGain,
    AudioChannelTimeout,
    BackgroundVolume,
    BasicWords,
    VOXSensitivityWords,
    SmartVolumeWords,
    CameraWords,
};

struct ChangedRow {
    ModelIds models;
    // Firmware (major * 100 + minor) from which `from` holds; 0: `below` holds for every version.
    int32_t band;
    std::vector<Compare> below;
    std::vector<Compare> from;
};

using C = Compare;

const std::vector<ChangedRow>& changedTable() {
    static const std::vector<ChangedRow> table = {
        {{0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070,
          0x5080},
         400, {C::IntercomVOX, C::HandsfreeVOX, C::Edr}, {C::Settings40}},
        {{0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x4010,
          0x4020, 0x4021, 0x4030, 0x4040, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D15, 0x4D21, 0x4D35,
          0x4D45, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5011, 0x5522, 0x5524, 0x5530, 0x5532, 0x5536, 0x5550, 0x5560,
          0x5562, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5710, 0x5910, 0x5920, 0x6000, 0x6110, 0x6111, 0x6120,
          0x6121, 0x6210, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490},
         0, {C::Settings40}, {}},
        {{0x5210}, 0, {C::RadioTransmitGain, C::AudioChannelTimeout}, {}},
        {{0x5576}, 0, {C::Settings40, C::Settings40Second}, {}},
        {{0x5510}, 0, {C::Settings40, C::CameraWords}, {}},
        {{0x3070, 0x3080, 0x4050, 0x5564, 0x5570, 0x5580, 0x6310, 0x6320, 0x6330, 0x6335}, 0,
         {C::Settings40, C::BasicWords}, {}},
        {joinIds({{0x3052, 0x3072, 0x3082, 0x3085, 0x321B, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380,
                   0x3400, 0x3410, 0x3420, 0x3430, 0x3701, 0x4023},
                  idRange(0x5440, 0x5445),
                  {0x5534, 0x5538, 0x5552, 0x5553},
                  idRange(0x5590, 0x5597),
                  {0x5630, 0x5632, 0x6042, 0x6900, 0x6910}}),
         0, {C::Settings40Traced, C::BasicWords}, {}},
        {{0x6461, 0x6481, 0x6491}, 0, {C::Settings40, C::BasicWords, C::BackgroundVolume}, {}},
        {{0x6038, 0x6039}, 0, {C::Settings40, C::Settings40Second, C::BasicWords, C::VOXSensitivityWords}, {}},
        {{0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036}, 0,
         {C::Settings40, C::BasicWords, C::VOXSensitivityWords}, {}},
        {{0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434}, 0,
         {C::Settings40, C::BasicWords, C::VOXSensitivityWords, C::SmartVolumeWords}, {}},
        {{0x5520, 0x5526, 0x5720, 0x6020, 0x6022, 0x6024, 0x6112, 0x6114, 0x6400}, 0,
         {C::Settings40, C::VOXSensitivityWords}, {}},
        {{0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420}, 0,
         {C::Settings40, C::VOXSensitivityWords, C::SmartVolumeWords}, {}},
        {{0x5623}, 101, {C::Settings40}, {C::Settings40, C::VOXSensitivityWords}},
        {{0x5622, 0x5624}, 101, {C::Settings40, C::SmartVolumeWords},
         {C::Settings40, C::SmartVolumeWords, C::VOXSensitivityWords}},
        // 0x3150 has change actions and a save of its own but no row of its own: its twin 0x3161's
        // comparison, so that Save lights and leaving asks before dropping its edits.
        {joinIds({{0x2030, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3136,
                   0x3140, 0x3144, 0x3146, 0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170},
                  idRange(0x3210, 0x321A),
                  {0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320, 0x3330, 0x3500, 0x3540, 0x3560,
                   0x3570, 0x3800, 0x3900, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610, 0x4D06,
                   0x4D16, 0x4D76, 0x4D86, 0x6500, 0x6510},
                  idRange(0x6800, 0x6806),
                  {0x6808, 0x6810, 0x6811, 0x6812, 0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825,
                   0x6828, 0x6831, 0x6838, 0x6839, 0x683A, 0x6840},
                  idRange(0x6A01, 0x6A04)}),
         0, {C::BasicWords}, {}},
    };
    return table;
}

// YES when the edit buffer and the record differ in the compared value.
bool differs(Compare compare, const ORVABluetoothDeviceData& edit, const ORVABluetoothDeviceData& record) {
    auto low16 = [](int32_t word) { return word & 0xFFFF; };
    switch (compare) {
    case C::Settings40Traced:
        platform::logf("QCC SettingChanged %X %X", static_cast<unsigned>(low16(edit.getSettings40())),
                       static_cast<unsigned>(low16(record.getSettings40())));
        [[fallthrough]];
    case C::Settings40: return low16(edit.getSettings40()) != low16(record.getSettings40());
    case C::Settings40Second: return low16(edit.getSettings40Second()) != low16(record.getSettings40Second());
    case C::IntercomVOX: return edit.intercomVOX() != record.intercomVOX();
    case C::HandsfreeVOX: return edit.handsfreeVOX() != record.handsfreeVOX();
    case C::Edr: return edit.edr() != record.edr();
    case C::RadioTransmitGain: return edit.radioTransmitGain() != record.radioTransmitGain();
    case C::AudioChannelTimeout: return edit.audioChannelTimeout() != record.audioChannelTimeout();
    case C::BackgroundVolume: return edit.backgroundVolume() != record.backgroundVolume();
    case C::BasicWords: return record.compareBasicSettingFERRIKWith(edit) != 0;
    case C::VOXSensitivityWords: return record.compareBasicSettingBELMORAVOXSensitivityWith(edit) != 0;
    case C::SmartVolumeWords: return record.compareBasicSettingYELVARSmartVolumeControlWith(edit) != 0;
    case C::CameraWords: return record.compareBasicSettingTAVRINCameraWith(edit) != 0;
    }
    return false;
}

}  // namespace

bool DeviceSettingsViewController::isSettingsChanged() const {
    const auto& c = controller();
    const ORVABluetoothDeviceData& record = c.data();
    for (const ChangedRow& row : changedTable()) {
        if (!containsId(row.models, c.deviceTarget())) continue;
        const bool from =
            row.band != 0 && record.compareVersionUpToMinorWithMajor(row.band / 100, row.band % 100) >= 0;
        for (Compare compare : from ? row.from : row.below)
            if (differs(compare, dataCurrent_, record)) return true;
        return false;
    }
    return false;
}

}  // namespace settings
