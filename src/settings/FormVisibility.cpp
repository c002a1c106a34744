#include "settings/FormVisibility.h"

#include <initializer_list>
#include <vector>

namespace settings {

namespace {

using R = FormRowId;

FormRowSet rowsOf(std::initializer_list<FormRowId> rows) {
    FormRowSet set;
    for (FormRowId r : rows) set.set(static_cast<size_t>(r));
    return set;
}

// Rows from a firmware version on (major, minor); the first band of a group starts at 0.0.
struct Band {
    int32_t major, minor;
    FormRowSet rows;
};

struct RowGroup {
    ModelIds ids;
    std::vector<Band> bands;
    ApplyNote note;
};

const FormRowSet kVoxEdrNote = rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::NoteEDR});
const FormRowSet kVoxEdrNotePlc = rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::NoteEDR, R::PLC});
const FormRowSet kVoxEdrNotePlcA2dp = rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::NoteEDR, R::PLC, R::BitpoolRate});
const FormRowSet kVoxEdrA2dp = rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::BitpoolRate});
const FormRowSet kMic = rowsOf({R::MicrophoneBoost});
const FormRowSet kSidetone = rowsOf({R::Sidetone});

const std::vector<RowGroup>& rowGroups() {
    static const ModelIds kFerrikList = {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
    static const ModelIds kA2dpBoostList = {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522, 0x5524, 0x5536};
    static const ModelIds kNoRowList = {0x5560, 0x5562};
    // The list's models that no other group names.
    static const ModelIds kOtherList = [] {
        ModelIds ids;
        for (int32_t id : listSetIds())
            if (!containsId(kFerrikList, id) && !containsId(kA2dpBoostList, id) && !containsId(kNoRowList, id) &&
                id != 0x4210)
                ids.push_back(id);
        return ids;
    }();
    static const std::vector<RowGroup> groups = {
        {{0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030},
         {{0, 0, rowsOf({R::HandsfreeVOX, R::EDR, R::BitpoolRate})}},
         ApplyNote::WithButton},
        {{0x2020},
         {{0, 0, rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::BitpoolRate, R::Sidetone})},
          {1, 1, rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::BitpoolRate, R::Sidetone, R::AdvancedNoiseControl})}},
         ApplyNote::WithButton},
        {{0x2120, 0x4021}, {{0, 0, rowsOf({R::HandsfreeVOX})}}, ApplyNote::WithButton},
        {{0x4040, 0x4D21}, {{0, 0, rowsOf({R::Sidetone})}}, ApplyNote::WithButton},
        {{0x4110, 0x4111, 0x4112, 0x4113}, {{0, 0, rowsOf({R::EDR, R::BitpoolRate})}}, ApplyNote::WithButton},
        {{0x4120},
         {{0, 0, rowsOf({R::EDR, R::BitpoolRate, R::Sidetone, R::AdvancedNoiseControl, R::AutoGainControl})}},
         ApplyNote::WithButton},
        {{0x4D05, 0x4D06, 0x4D15, 0x4D16, 0x4D35, 0x4D45, 0x4D55, 0x4D65, 0x4D86},
         {{0, 0, rowsOf({R::HandsfreeVOX, R::EDR, R::NoteEDR, R::PLC})},
          {1, 2, rowsOf({R::HandsfreeVOX, R::EDR, R::BitpoolRate})},
          {2, 0, rowsOf({R::HandsfreeVOX, R::EDR, R::BitpoolRate, R::Sidetone})}},
         ApplyNote::WithButton},
        {{0x4D10, 0x4D30, 0x4D40},
         {{0, 0, kVoxEdrNote},
          {4, 0, kVoxEdrNotePlc},
          {4, 1, kVoxEdrNotePlcA2dp | kMic},
          {4, 2, kVoxEdrA2dp | kMic},
          {5, 0, kVoxEdrA2dp | kMic | kSidetone}},
         ApplyNote::WithButton},
        {{0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080},
         {{0, 0, kVoxEdrNote},
          {4, 0, kVoxEdrNotePlc},
          {4, 1, kVoxEdrNotePlcA2dp},
          {4, 2, kVoxEdrA2dp},
          {5, 0, kVoxEdrA2dp | kSidetone}},
         ApplyNote::WithButton},
        {{0x4D75, 0x4D76, 0x5011},
         {{0, 0, rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::EDR, R::BitpoolRate, R::Sidetone})}},
         ApplyNote::WithButton},
        {{0x4D85, 0x6000}, {{0, 0, rowsOf({R::HandsfreeVOX, R::EDR, R::BitpoolRate, R::Sidetone})}}, ApplyNote::WithButton},
        // No Sidetone band on these two.
        {{0x5020, 0x5070},
         {{0, 0, kVoxEdrNote}, {4, 0, kVoxEdrNotePlc}, {4, 1, kVoxEdrNotePlcA2dp}, {4, 2, kVoxEdrA2dp}},
         ApplyNote::WithButton},
        {{0x5210}, {{0, 0, rowsOf({R::RTG, R::ACT})}}, ApplyNote::WithButton},
        {{0x6110, 0x6111, 0x6120, 0x6121},
         {{0, 0, rowsOf({R::EDR, R::BitpoolRate, R::Sidetone, R::AdvancedNoiseControl})}},
         ApplyNote::WithButton},
        {{0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490},
         {{0, 0, rowsOf({R::HandsfreeVOX, R::EDR})}},
         ApplyNote::LabelOnly},
        {{0x6430}, {{0, 0, rowsOf({R::HandsfreeVOX})}}, ApplyNote::LabelOnly},
        {kFerrikList,
         {{0, 0,
           rowsOf({R::HandsfreeVOX, R::Sidetone, R::MotionSensorSensitivity, R::AudioMultitasking,
                   R::AudioMultitaskingSensitivity, R::NavigationAppOverlay})}},
         ApplyNote::None},
        {kA2dpBoostList, {{0, 0, rowsOf({R::BitpoolRate, R::AdvancedNoiseControl, R::AudioBoost})}}, ApplyNote::None},
        {kOtherList,
         {{0, 0,
           rowsOf({R::IntercomVOX, R::HandsfreeVOX, R::BitpoolRate, R::Sidetone, R::AdvancedNoiseControl,
                   R::AudioBoost})}},
         ApplyNote::None},
        {{0x4210},
         {{0, 0, rowsOf({R::HandsfreeVOX, R::Sidetone, R::AudioMultitasking, R::AudioMultitaskingSensitivity})},
          {1, 1,
           rowsOf({R::HandsfreeVOX, R::Sidetone, R::AudioMultitasking, R::AudioMultitaskingSensitivity,
                   R::MotionSensorSensitivity, R::NavigationAppOverlay})}},
         ApplyNote::None},
        {kNoRowList, {{0, 0, FormRowSet{}}}, ApplyNote::None},
    };
    return groups;
}

}  // namespace

const ModelIds& listSetIds() {
    static const ModelIds ids = {
    0x2030, 0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110, 0x3112,
    0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3136, 0x3140, 0x3144, 0x3146, 0x3148, 0x3150,
    0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218,
    0x3219, 0x321A, 0x321B, 0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310, 0x3320, 0x3330, 0x3340,
    0x3341, 0x3350, 0x3360, 0x3370, 0x3380, 0x3400, 0x3410, 0x3420, 0x3430, 0x3500, 0x3540, 0x3560, 0x3570, 0x3701,
    0x3800, 0x3900, 0x4023, 0x4050, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610, 0x5410, 0x5412,
    0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5440, 0x5441, 0x5442, 0x5443,
    0x5444, 0x5445, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5538, 0x5550, 0x5552,
    0x5553, 0x5560, 0x5562, 0x5564, 0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5596,
    0x5597, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5630, 0x5632, 0x5710, 0x5720, 0x5910,
    0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034,
    0x6036, 0x6038, 0x6039, 0x6042, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400, 0x6461, 0x6481,
    0x6491, 0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6806, 0x6808, 0x6810, 0x6811, 0x6812,
    0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838, 0x6839, 0x683A, 0x6840,
    0x6900, 0x6910, 0x6A01, 0x6A02, 0x6A03, 0x6A04
};
    return ids;
}

bool inListSet(int32_t productId) { return containsId(listSetIds(), productId); }

FormVisibility formVisibility(int32_t productId, const device::ORVABluetoothDeviceData& data) {
    for (const RowGroup& group : rowGroups()) {
        if (!containsId(group.ids, productId)) continue;
        const Band* band = &group.bands.front();
        for (const Band& b : group.bands)
            if (data.compareVersionUpToMinorWithMajor(b.major, b.minor) >= 0) band = &b;
        return {band->rows, group.note};
    }
    return {FormRowSet{}.set(), ApplyNote::WithButton};
}

bool applyNoteHasButton(int32_t language) { return language == 1 || language == 7 || language == 8; }

}  // namespace settings
