#include "settings/FormLayout.h"

namespace settings {

namespace {

using R = device::ORVABluetoothDeviceData;
using F = FormRowId;
constexpr F kEmpty = F::Count;

struct LayoutBand {
    int32_t major, minor;  // from this firmware on; the first band starts at 0.0
    int layout;
    std::vector<FormRowId> rows;
    bool noteRow, moreSettings, edrNonZeroMeansOn;
    std::vector<FormRowId> unplacedValues{};
};

struct LayoutGroup {
    ModelIds ids;
    FormFamily family;
    std::vector<LayoutBand> bands;
};

constexpr bool kNote = true, kNoNote = false, kMore = true, kNoMore = false, kEdrOn = true, kEdrOff = false;

// The oldest CSR headsets: VOX, EDR with its note, then PLC from 4.0 and High Quality A2DP from
// 4.1; the note leaves from 4.2. `extra` is the last row of the models that have one.
std::vector<LayoutBand> csrBands(std::vector<FormRowId> extra, bool sidetoneBand) {
    auto with = [&](std::vector<FormRowId> rows) {
        rows.insert(rows.end(), extra.begin(), extra.end());
        return rows;
    };
    std::vector<LayoutBand> bands = {
        {0, 0, 1, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::NoteEDR}, kNote, kNoMore, kEdrOn},
        {4, 0, 1, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::NoteEDR, F::PLC}, kNote, kNoMore, kEdrOff},
        {4, 1, 1, with({F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::NoteEDR, F::PLC, F::BitpoolRate}), kNote, kNoMore,
         kEdrOff},
        {4, 2, 3, with({F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate}), kNote, kNoMore, kEdrOff},
    };
    if (sidetoneBand)
        bands.push_back(
            {5, 0, 3, with({F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone}), kNote, kNoMore, kEdrOff});
    return bands;
}

LayoutBand plain3(std::vector<FormRowId> rows) { return {0, 0, 3, std::move(rows), kNote, kNoMore, kEdrOff}; }
LayoutBand plain4(std::vector<FormRowId> rows) { return {0, 0, 4, std::move(rows), kNoNote, kMore, kEdrOff}; }

const std::vector<LayoutGroup>& layoutGroups() {
    static const std::vector<FormRowId> kFerrikRows = {F::HandsfreeVOX,      F::Sidetone,
                                                       F::MotionSensorSensitivity, F::AudioMultitasking,
                                                       F::AudioMultitaskingSensitivity, F::NavigationAppOverlay};
    static const std::vector<LayoutGroup> groups = {
        {{0x4D10, 0x4D30, 0x4D40}, FormFamily::Plain, csrBands({F::MicrophoneBoost}, true)},
        {{0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080}, FormFamily::Plain, csrBands({}, true)},
        {{0x5020, 0x5070}, FormFamily::Plain, csrBands({}, false)},
        {{0x6000}, FormFamily::Plain, {plain3({F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone})}},
        {{0x4D21}, FormFamily::Plain, {plain3({kEmpty, F::Sidetone})}},
        {{0x4D75, 0x5011}, FormFamily::Plain,
         {plain3({F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone})}},
        {{0x4040}, FormFamily::Plain, {plain3({F::Sidetone})}},
        {{0x2020}, FormFamily::Plain,
         {plain3({F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone}),
          {1, 1, 3, {F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl},
           kNote, kNoMore, kEdrOff}}},
        {{0x6110, 0x6111, 0x6120, 0x6121}, FormFamily::Plain,
         {plain3({F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl})}},
        {{0x4110, 0x4111, 0x4112, 0x4113}, FormFamily::Plain, {plain3({F::EDR, F::BitpoolRate})}},
        {{0x4120}, FormFamily::Plain,
         {plain3({F::EDR, F::BitpoolRate, F::Sidetone, F::AdvancedNoiseControl, F::AutoGainControl})}},
        {{0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}, FormFamily::Plain,
         {{0, 0, 3, {F::HandsfreeVOX, F::EDR}, kNoNote, kNoMore, kEdrOff}}},
        {{0x6430}, FormFamily::Plain, {{0, 0, 3, {F::HandsfreeVOX}, kNoNote, kNoMore, kEdrOff}}},
        {{0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65}, FormFamily::Plain,
         {{0, 0, 2, {F::HandsfreeVOX, F::EDR, F::NoteEDR, F::PLC}, kNote, kNoMore, kEdrOff},
          {1, 2, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate}, kNote, kNoMore, kEdrOff},
          {2, 0, 3, {F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone}, kNote, kNoMore, kEdrOff}}},
        {{0x4D85}, FormFamily::Plain, {plain3({F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone})}},
        {{0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}, FormFamily::Plain,
         {plain3({F::HandsfreeVOX, F::EDR, F::BitpoolRate})}},
        {{0x2120, 0x4021}, FormFamily::Plain, {plain3({kEmpty, F::HandsfreeVOX})}},
        // The gain and the time-out show their values where they stand.
        {{0x5210}, FormFamily::Plain, {{0, 0, 1, {}, kNote, kNoMore, kEdrOff, {F::RTG, F::ACT}}}},
        {{0x4210}, FormFamily::Ferrik,
         {{0, 0, 4,
           {F::HandsfreeVOX, F::Sidetone, F::AudioMultitasking, F::AudioMultitaskingSensitivity},
           kNoNote, kNoMore, kEdrOff},
          {1, 1, 4, kFerrikRows, kNoNote, kNoMore, kEdrOff},
          {1, 2, 4, kFerrikRows, kNoNote, kMore, kEdrOff}}},
        {{0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}, FormFamily::Ferrik, {plain4(kFerrikRows)}},
        {{
        0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128,
        0x3132, 0x3134, 0x3136, 0x3140, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212,
        0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321B, 0x321C, 0x3232, 0x3233, 0x3240, 0x3260,
        0x3264, 0x3300, 0x3310, 0x3320, 0x3330, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380, 0x3400, 0x3410, 0x3420,
        0x3430, 0x3701, 0x3800, 0x3900, 0x4023, 0x4050, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426,
        0x5428, 0x5430, 0x5432, 0x5434, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445, 0x5510, 0x5520, 0x5530, 0x5532,
        0x5534, 0x5538, 0x5550, 0x5552, 0x5553, 0x5564, 0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594,
        0x5595, 0x5596, 0x5597, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5630, 0x5632, 0x6010, 0x6012, 0x6014, 0x6016,
        0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6042, 0x6112,
        0x6114, 0x6310, 0x6330, 0x6335, 0x6461, 0x6481, 0x6491, 0x6900, 0x6910
         },
         FormFamily::Plain,
         {plain4({F::AudioBoost, F::HandsfreeVOX, F::IntercomVOX, F::BitpoolRate, F::Sidetone,
                  F::AdvancedNoiseControl})}},
        {{0x5526, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6210, 0x6400}, FormFamily::Plain,
         {plain4({F::AudioBoost, F::HandsfreeVOX, F::IntercomVOX, F::BitpoolRate, F::AdvancedNoiseControl})}},
        {{0x5522, 0x5524, 0x5536}, FormFamily::Plain,
         {plain4({F::AudioBoost, F::BitpoolRate, F::AdvancedNoiseControl})}},
        {{0x3030, 0x3032, 0x3040, 0x3050, 0x3060}, FormFamily::Plain,
         {plain4({F::BitpoolRate, F::AdvancedNoiseControl})}},
        // The page buttons only.
        {{
        0x3150, 0x3161, 0x5560, 0x5562, 0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6806, 0x6808,
        0x6810, 0x6811, 0x6812, 0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838,
        0x6839, 0x683A, 0x6840, 0x6A01, 0x6A02, 0x6A03, 0x6A04
         },
         FormFamily::Plain,
         {{0, 0, 0, {}, kNoNote, kNoMore, kEdrOff}}},
        {{0x4D76}, FormFamily::Gessa,
         {plain3({F::HandsfreeVOX, F::IntercomVOX, F::EDR, F::BitpoolRate, F::Sidetone})}},
        {{0x4D06, 0x4D16, 0x4D86}, FormFamily::Gessa,
         {plain3({F::HandsfreeVOX, F::EDR, F::BitpoolRate, F::Sidetone})}},
    };
    return groups;
}

// Label y of rows 0 to 6 per layout; 0 marks a slot that holds no setting row.
constexpr std::array<std::array<double, 7>, 4> kLabelY = {{
    {226, 201, 176, 0, 115, 90, 65},
    {226, 201, 0, 140, 115, 90, 65},
    {226, 201, 176, 151, 126, 101, 76},
    {226, 201, 176, 151, 126, 101, 0},
}};
// The control's offset below the label and its height, per layout.
constexpr std::array<std::pair<double, double>, 4> kControlShape = {{{2, 18}, {2, 18}, {3, 18}, {5, 23}}};
constexpr FormRect kMoreSettingsSlot{137, 76, 250, 19};

size_t layoutIndex(int layout) { return static_cast<size_t>(layout >= 1 && layout <= 4 ? layout - 1 : 2); }
double labelY(int layout, int slot) { return kLabelY[layoutIndex(layout)][static_cast<size_t>(slot)]; }

int32_t readEdr(const R& r) { return r.edr(); }

struct ValueRow {
    FormRowId row;
    FormFamily family;
    FormValue value;
};

#define ORVA_GET(expr) [](const R& r) -> int32_t { return r.expr; }
const ValueRow kValues[] = {
    {F::HandsfreeVOX, FormFamily::Plain, {ORVA_GET(handsfreeVOX()), FormValueShown::OnWhenNonZero}},
    {F::HandsfreeVOX, FormFamily::Ferrik, {ORVA_GET(getBasicSettingFERRIKVOXPhone()), FormValueShown::OnWhenNonZero}},
    {F::HandsfreeVOX, FormFamily::Gessa, {ORVA_GET(GetBasicSettingGESSAVOXPhone()), FormValueShown::OnWhenNonZero}},
    {F::IntercomVOX, FormFamily::Plain, {ORVA_GET(intercomVOX()), FormValueShown::OnWhenNonZero}},
    {F::IntercomVOX, FormFamily::Gessa, {ORVA_GET(GetBasicSettingGESSAVOXIntercom()), FormValueShown::OnWhenNonZero}},
    {F::EDR, FormFamily::Plain, {readEdr, FormValueShown::EdrByBand}},
    {F::EDR, FormFamily::Gessa, {ORVA_GET(GetBasicSettingEDR()), FormValueShown::OffWhenNonZero}},
    {F::PLC, FormFamily::Plain, {ORVA_GET(plc()), FormValueShown::OnWhenNonZero}},
    {F::BitpoolRate, FormFamily::Plain, {ORVA_GET(bitpoolRate()), FormValueShown::OnWhenNonZero}},
    {F::BitpoolRate, FormFamily::Gessa, {ORVA_GET(GetBasicSettingGESSAHighQulityA2DP()), FormValueShown::OnWhenNonZero}},
    {F::MicrophoneBoost, FormFamily::Plain, {ORVA_GET(microphoneBoost()), FormValueShown::OnWhenNonZero}},
    {F::Sidetone, FormFamily::Plain, {ORVA_GET(sidetone()), FormValueShown::OnWhenNonZero}},
    {F::Sidetone, FormFamily::Ferrik, {ORVA_GET(getBasicSettingFERRIKSidetone()), FormValueShown::OnWhenNonZero}},
    {F::Sidetone, FormFamily::Gessa, {ORVA_GET(GetBasicSettingGESSASidetone()), FormValueShown::OnWhenNonZero}},
    {F::AdvancedNoiseControl, FormFamily::Plain, {ORVA_GET(advancedNoiseControl()), FormValueShown::OffWhenNonZero}},
    {F::AutoGainControl, FormFamily::Plain, {ORVA_GET(autoGainControl()), FormValueShown::OffWhenNonZero}},
    {F::AudioBoost, FormFamily::Plain, {ORVA_GET(audioBoost()), FormValueShown::OffWhenNonZero}},
    {F::MotionSensorSensitivity, FormFamily::Ferrik,
     {ORVA_GET(getBasicSettingFERRIKMotionSensorSensitivity()), FormValueShown::ItemLevelMinusOne}},
    {F::AudioMultitasking, FormFamily::Ferrik,
     {ORVA_GET(getBasicSettingFERRIKAudioMultitasking()), FormValueShown::OnWhenNonZero}},
    {F::AudioMultitaskingSensitivity, FormFamily::Ferrik,
     {ORVA_GET(getBasicSettingFERRIKAudioMultitaskingSensitivity()), FormValueShown::ItemTenMinusLevel}},
    {F::NavigationAppOverlay, FormFamily::Ferrik,
     {ORVA_GET(getBasicSettingFERRIKNavigationAppOverlay()), FormValueShown::OnWhenNonZero}},
    {F::RTG, FormFamily::Plain, {ORVA_GET(radioTransmitGain()), FormValueShown::GainColumn}},
    {F::ACT, FormFamily::Plain, {ORVA_GET(audioChannelTimeout()), FormValueShown::Seconds}},
};
#undef ORVA_GET

}  // namespace

std::optional<FormPlacement> formPlacement(int32_t productId, const device::ORVABluetoothDeviceData& data) {
    for (const LayoutGroup& group : layoutGroups()) {
        if (!containsId(group.ids, productId)) continue;
        const LayoutBand* band = &group.bands.front();
        for (const LayoutBand& b : group.bands)
            if (data.compareVersionUpToMinorWithMajor(b.major, b.minor) >= 0) band = &b;
        return FormPlacement{band->layout,  group.family,         band->rows,
                             band->unplacedValues, band->noteRow, band->moreSettings,
                             band->edrNonZeroMeansOn};
    }
    return std::nullopt;
}

FormRect labelRect(int layout, int slot) { return {50, labelY(layout, slot), 207, 17}; }

FormRect infoButtonRect(int layout, int slot) {
    if (layout == 1 && slot == 6) return {257, 64, 19, 17};
    return {257, labelY(layout, slot) - 2, 19, 17};
}

FormRect controlRect(int layout, int slot) {
    if (layout == 1 && slot == 6) return {289, 64, 182, 18};
    const auto [below, height] = kControlShape[layoutIndex(layout)];
    return {289, labelY(layout, slot) - below, 182, height};
}

FormRect edrNoteRect(int layout) { return layout == 2 ? FormRect{50, 165, 424, 34} : FormRect{50, 140, 424, 34}; }

FormRect moreSettingsRect(int rowsUsed) { return rowsUsed >= 6 ? kMoreSettingsSlot : labelRect(4, rowsUsed); }

std::optional<FormValue> formValue(FormRowId row, FormFamily family) {
    for (const ValueRow& v : kValues)
        if (v.row == row && v.family == family) return v.value;
    return std::nullopt;
}

int formSelection(FormValueShown shown, int32_t stored, bool edrNonZeroMeansOn) {
    switch (shown) {
        case FormValueShown::OnWhenNonZero:
            return stored != 0 ? 0 : 1;
        case FormValueShown::OffWhenNonZero:
            return stored != 0 ? 1 : 0;
        case FormValueShown::EdrByBand:
            return formSelection(edrNonZeroMeansOn ? FormValueShown::OnWhenNonZero : FormValueShown::OffWhenNonZero,
                                 stored, false);
        // A level far outside any item list selects none (and cannot overflow).
        case FormValueShown::ItemLevelMinusOne:
            return stored > 0 && stored <= 100 ? stored - 1 : -1;
        case FormValueShown::ItemTenMinusLevel:
            return stored >= -90 && stored <= 10 ? 10 - stored : -1;
        case FormValueShown::GainColumn:
            return R::getIndexFromRTG(stored);
        case FormValueShown::Seconds:
            return stored;
    }
    return -1;
}

}  // namespace settings
