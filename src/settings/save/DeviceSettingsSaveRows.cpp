#include "settings/save/DeviceSettingsSaveRows.h"

#include <algorithm>

namespace settings::save {

namespace {

using device::fromSecondaryVersion;
using device::fromVersion;
using S = device::Source;
using Kind = SaveRow::Kind;

std::vector<S> basics(int from, int to) {
    std::vector<S> w;
    for (int i = from; i <= to; ++i) w.push_back({S::Basic, i});
    return w;
}

SaveWrite write(uint8_t key, std::vector<S> words) { return SaveWrite{.key = key, .words = std::move(words)}; }

SaveWrite continuing(SaveWrite w) {
    w.continues = true;
    return w;
}

SaveWrite followed(SaveWrite w) {
    w.followUp = true;
    return w;
}

SaveWrite from(device::Condition c, SaveWrite w) {
    w.when = c;
    return w;
}

SaveWrite only(ProductIds ids, SaveWrite w) {
    w.onlyFor = std::move(ids);
    return w;
}

SaveWrite counted(std::vector<device::CountBand> bands, SaveWrite w) {
    w.countByVersion = std::move(bands);
    return w;
}

SaveWrite traced(const char* format, SaveWrite w) {
    w.trace = format;
    return w;
}

const S kLegacy{S::LegacyWord}, kLegacySecond{S::LegacySecond}, kZero{S::Constant, 0}, kVox{S::Vox, 0},
    kSmart{S::SmartVolume, 0};

const std::vector<VersionCheck> kPrimary = {{0, VersionSet::Primary}};
const std::vector<VersionCheck> kFirst = {{0, VersionSet::First}};

// Row 12's word counts: key 4, basic words from 0.
std::vector<SaveWrite> gessaWrites() {
    return {
        only({0x3110}, counted({{2, 1, 2}}, write(4, basics(0, 3)))),
        only({0x3112, 0x3114}, counted({{3, 0, 3}}, write(4, basics(0, 3)))),
        only({0x3170}, counted({{1, 2, 4}}, write(4, basics(0, 4)))),
        only({0x3132, 0x3134, 0x3210, 0x3214, 0x3217, 0x3218, 0x321C, 0x3900},
             counted({{1, 1, 4}}, write(4, basics(0, 4)))),
        only({0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3136, 0x3140, 0x3144, 0x3146, 0x3152, 0x3320, 0x3800},
             write(4, basics(0, 3))),
        only({0x3148, 0x3154, 0x3156, 0x3211, 0x3212, 0x3213, 0x3215, 0x3216, 0x3219, 0x321A, 0x3232, 0x3233,
              0x3240, 0x3260, 0x3264},
             write(4, basics(0, 4))),
    };
}

ProductIds gessaIds() {
    ProductIds ids;
    for (const SaveWrite& w : gessaWrites()) ids.insert(ids.end(), w.onlyFor.begin(), w.onlyFor.end());
    return ids;
}

std::vector<SaveRow> makeRows() {
    std::vector<SaveRow> rows;
    // Two-chip headsets: both chips checked, the block to the second.
    SaveWrite twoChip = write(4, basics(0, 9));
    twoChip.placeAll = true;
    const ProductIds twoChipIds = {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
    ProductIds tenWords = twoChipIds;
    tenWords.erase(std::find(tenWords.begin(), tenWords.end(), 0x4210));
    rows.push_back({.ids = twoChipIds,
                    .versions = {{0, VersionSet::First}, {1, VersionSet::Second}},
                    .slot = 1,
                    .writes = {only({0x4210}, counted({{1, 1, 3}, {1, 2, 4}}, twoChip)), only(tenWords, twoChip)}});
    rows.push_back({.ids = {0x3560},
                    .versions = kFirst,
                    .writes = {continuing(write(32, basics(0, 0))), continuing(write(31, basics(1, 1))),
                               from(fromSecondaryVersion(1, 4, 3), write(30, basics(2, 2)))}});
    rows.push_back({.ids = {0x3570},
                    .versions = kFirst,
                    .writes = {continuing(write(32, basics(0, 0))),
                               from(fromSecondaryVersion(1, 4, 3), continuing(write(31, basics(1, 1)))),
                               from(fromSecondaryVersion(1, 4, 3), write(30, basics(2, 2)))}});
    rows.push_back({.ids = {0x3500, 0x3540}, .versions = kFirst, .writes = {write(32, basics(0, 0))}});
    rows.push_back({.ids = {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6806, 0x6808, 0x6810, 0x6811,
                            0x6812, 0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828,
                            0x6831, 0x6838, 0x6839, 0x683A, 0x6840, 0x6A01, 0x6A02, 0x6A03, 0x6A04},
                    .kind = Kind::ShortCommand});
    rows.push_back({.ids = {0x3150, 0x3161, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6500, 0x6510},
                    .status = true,
                    .statusOnlyFor = {0x6500, 0x6510},
                    .writes = {write(54, basics(0, 1))}});
    rows.push_back({.ids = {0x5630, 0x5632},
                    .status = true,
                    .writes = {traced("SAVEF %X %X %X %X", write(54, {kLegacy, {S::Basic, 1}, {S::Basic, 2},
                                                                     {S::Basic, 3}, {S::Basic, 4}}))}});
    rows.push_back({.ids = {0x5552, 0x5553},
                    .status = true,
                    .writes = {traced("SAVEF %X %X %X", write(54, {kLegacy, {S::Basic, 1}, {S::Basic, 2}}))}});
    rows.push_back({.ids = {0x6038, 0x6039},
                    .status = true,
                    .writes = {continuing(write(54, {kLegacy, kLegacySecond})), followed(write(23, {kVox}))}});
    rows.push_back({.ids = {0x3052, 0x3072, 0x3082, 0x3085, 0x321B, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370,
                            0x3380, 0x3400, 0x3410, 0x3420, 0x3430, 0x3701, 0x4023, 0x5440, 0x5441, 0x5442,
                            0x5443, 0x5444, 0x5445, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5596,
                            0x5597, 0x6042, 0x6461, 0x6481, 0x6491, 0x6900, 0x6910},
                    .status = true,
                    .writes = {continuing(write(54, {kLegacy, {S::Basic, 1}}))},
                    .backgroundVolume = {0x6461, 0x6481, 0x6491}});
    rows.push_back({.ids = {0x3310, 0x3330}, .versions = kPrimary, .writes = {write(4, basics(0, 3))}});
    rows.push_back({.ids = gessaIds(), .versions = kFirst, .writes = gessaWrites()});
    rows.push_back({.ids = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036},
                    .versions = kPrimary,
                    .writes = {followed(write(4, {kLegacy, kZero, {S::Basic, 2}, kZero})),
                               followed(write(20, {kVox}))}});
    rows.push_back({.ids = {0x3070, 0x3080, 0x3300, 0x4050, 0x5534, 0x5538, 0x5564, 0x5570, 0x5580, 0x6310,
                            0x6320, 0x6330, 0x6335},
                    .versions = kPrimary,
                    .writes = {write(4, {kLegacy, {S::Basic, 1}})}});
    rows.push_back({.ids = {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434},
                    .versions = kPrimary,
                    .writes = {write(4, {kLegacy, {S::Basic, 1}}), write(20, {kVox}),
                               traced("Set Setting smart[0] = %d", write(3, {kSmart}))}});
    rows.push_back({.ids = {0x6020, 0x6022, 0x6024},
                    .versions = kPrimary,
                    .writes = {followed(write(4, {kLegacy, kZero, kZero, kZero})), followed(write(18, {kVox}))}});
    rows.push_back({.ids = {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420},
                    .versions = kPrimary,
                    .writes = {followed(write(4, {kLegacy, kZero})), followed(write(20, {kVox})),
                               followed(write(3, {kSmart}))}});
    rows.push_back(
        {.ids = {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530,
                 0x5532, 0x5536, 0x5550, 0x5560, 0x5562, 0x5576, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
                 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400},
         .versions = kPrimary,
         .writes = {write(4, {kLegacy, kLegacySecond}),
                    only({0x5520, 0x5526, 0x5720, 0x6112, 0x6114, 0x6400}, write(20, {kVox})),
                    only({0x5510}, continuing(write(7, {{S::Camera, 0}, {S::Camera, 1}}))),
                    only({0x5510}, from(fromVersion(2, 0), write(28, {{S::Camera, 2}, {S::Camera, 3}}))),
                    only({0x5622, 0x5624}, write(3, {kSmart})),
                    only({0x5622, 0x5623, 0x5624}, from(fromVersion(1, 1), write(20, {kVox})))}});
    return rows;
}

std::vector<CsrSaveFamily> makeCsrFamilies() {
    using K = CsrSaveFamily::Kind;
    return {
        {{0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070,
          0x5080},
         K::VoxLevelsBelow,
         4,
         0},
        {{0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021, 0x4030, 0x4040,
          0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D15, 0x4D21, 0x4D35, 0x4D45, 0x4D55, 0x4D65,
          0x4D75, 0x4D85, 0x5011, 0x6000, 0x6110, 0x6111, 0x6120, 0x6121, 0x6420, 0x6430, 0x6440, 0x6450,
          0x6460, 0x6470, 0x6480, 0x6490},
         K::SettingsWord},
        {{0x5210}, K::RadioAndTimeout},
    };
}

}  // namespace

bool holds(const ProductIds& ids, int32_t productId) {
    return std::find(ids.begin(), ids.end(), productId) != ids.end();
}

const std::vector<SaveRow>& deviceSettingsSaveRows() {
    static const std::vector<SaveRow> rows = makeRows();
    return rows;
}

const SaveRow* deviceSettingsSaveRowFor(int32_t deviceTarget) {
    for (const SaveRow& row : deviceSettingsSaveRows())
        if (holds(row.ids, deviceTarget)) return &row;
    return nullptr;
}

const std::vector<CsrSaveFamily>& csrSaveFamilies() {
    static const std::vector<CsrSaveFamily> families = makeCsrFamilies();
    return families;
}

const CsrSaveFamily* csrSaveFamilyFor(int32_t deviceTarget) {
    for (const CsrSaveFamily& f : csrSaveFamilies())
        if (holds(f.ids, deviceTarget)) return &f;
    return nullptr;
}

}  // namespace settings::save
