// What each HID model group writes when a restored backup goes back into the headset: keys,
// slots and which words of the backup record fill each request.
#include "recognition/HidSettingOrders.h"

namespace recognition {

namespace {

using S = Source;


std::vector<Source> basicWords(int n) {
    std::vector<Source> w;
    for (int i = 0; i < n; ++i) w.push_back({S::Basic, i});
    return w;
}

// The legacy word and then the given words.
std::vector<Source> legacyThen(std::initializer_list<Source> rest) {
    std::vector<Source> w = {{S::LegacyWord}};
    w.insert(w.end(), rest.begin(), rest.end());
    return w;
}

const std::vector<Source> kLegacy2 = legacyThen({{S::Basic, 1}});
const std::vector<Source> kLegacy2Second = legacyThen({{S::LegacySecond}});
const std::vector<Source> kLegacy2Zero = legacyThen({{S::Constant, 0}});
const std::vector<Source> kLegacy3 = legacyThen({{S::Basic, 1}, {S::Basic, 2}});
const std::vector<Source> kLegacy5 = legacyThen({{S::Basic, 1}, {S::Basic, 2}, {S::Basic, 3}, {S::Basic, 4}});
const std::vector<Source> kLegacy4Zero = legacyThen({{S::Constant, 0}, {S::Basic, 2}, {S::Constant, 0}});
const std::vector<Source> kLegacy4ZeroZero =
    legacyThen({{S::Constant, 0}, {S::Constant, 0}, {S::Constant, 0}});

// The FM block: magic, frequency, current preset, the presets, RDS, region. The magic is the
// group's constant, never the record's.
std::vector<Source> fmBlock(int32_t magic, int presets) {
    std::vector<Source> w = {{S::Constant, magic}, {S::FmFrequency}, {S::FmPreset}};
    for (int i = 0; i < presets; ++i) w.push_back({S::FmPresetAt, i});
    w.push_back({S::FmRDS});
    w.push_back({S::FmRegion});
    return w;
}

constexpr int32_t kMagic = 0x66E9, kCommitMagic = 0x56E9;

WriteStep write(uint8_t key, std::vector<Source> words, int slot, WriteLog log = {}) {
    WriteStep s{key, std::move(words)};
    s.slot = slot;
    s.log = log;
    return s;
}

WriteStep committed(WriteStep s) {
    s.commit = true;
    return s;
}

WriteStep withCounts(WriteStep s, std::vector<CountBand> bands) {
    s.countByVersion = std::move(bands);
    return s;
}

WriteStep only(ProductIds ids, WriteStep s, Condition when = {}) {
    s.onlyFor = std::move(ids);
    s.when = when;
    return s;
}

WriteStep when(Condition c, WriteStep s) {
    s.when = c;
    return s;
}

const WriteStep kFm15Slot1 = write(0x15, fmBlock(kMagic, 10), 1);
const WriteStep kFm15Slot0 = write(0x15, fmBlock(kMagic, 10), 0);
const WriteStep kFm44Slot0 = write(0x44, fmBlock(kMagic, 10), 0);
const WriteLog kPDate{WriteLog::Words, "Set PDate[0] = %d"};

// Basic words to key 0x04 and the FM block on the second chip's slot, speed dials K1.
WriteOrder secondChip(ProductIds ids, int words, std::vector<CountBand> bands = {},
                      SpeedDialKeys dials = SpeedDialKeys::K1, WriteLog log = {}) {
    return {std::move(ids),
            {withCounts(write(0x04, basicWords(words), 1, log), std::move(bands)), kFm15Slot1},
            dials};
}

// The commit families: every write followed by 0x11, speed dials with a word even when empty.
WriteOrder commitFamily(ProductIds ids, bool fm) {
    WriteOrder o{std::move(ids),
                 {committed(write(0x04, kLegacy2Zero, 0)), committed(write(0x14, {{S::Vox, 0}}, 0)),
                  committed(write(0x03, {{S::SmartVolume, 0}}, 0, kPDate))},
                 SpeedDialKeys::K1,
                 true};
    if (fm) o.steps.push_back(committed(write(0x15, fmBlock(kCommitMagic, 10), 0)));
    return o;
}

}  // namespace

const std::vector<WriteOrder>& hidWriteOrders() {
    static const std::vector<WriteOrder> rows = {
        secondChip({0x4210}, 10, {{1, 1, 3}, {1, 2, 4}}),
        {{0x5345}, {}},
        secondChip({0x4310, 0x4330, 0x4430, 0x4410}, 10),
        secondChip({0x4510}, 10),
        secondChip({0x4530}, 10),
        secondChip({0x4610}, 10),
        secondChip({0x2030}, 10),
        {{0x6461, 0x6481, 0x6700, 0x6600, 0x6610, 0x6620, 0x6491}, {}, SpeedDialKeys::K2},
        {{0x4D16, 0x4D86}, {write(0x36, basicWords(2), 0), kFm44Slot0}, SpeedDialKeys::K2},
        {{0x4D06, 0x4D76}, {write(0x36, basicWords(2), 0)}, SpeedDialKeys::K2},
        {idsOf(models::kShortTimed), {}},
        {idsOf(models::kShortProbed), {[] {
             WriteStep s = write(0x03, basicWords(3), 0,
                                 {WriteLog::Words, "Set HEX airoha [%04X], 1=[%04X], 2=[%04X]"});
             s.channel = Channel::ShortProbe;
             return s;
         }()}},
        {{0x6510, 0x6500, 0x3161, 0x3150}, {write(0x36, basicWords(2), 0), kFm44Slot0}, SpeedDialKeys::K2},
        {{0x3132, 0x3260, 0x321C, 0x3210, 0x3218, 0x3214, 0x3217, 0x3212, 0x3216, 0x321A, 0x3219, 0x3211,
          0x3215, 0x3264, 0x3232, 0x3233, 0x3900, 0x3134},
         {kFm15Slot1},
         SpeedDialKeys::K1},
        secondChip({0x3148, 0x3154, 0x3170}, 5),
        secondChip({0x3156, 0x3213, 0x3240}, 4),
        secondChip({0x3320, 0x3310, 0x3330}, 4, {}, SpeedDialKeys::K1,
                   {WriteLog::EachWordWithCount, "len[%d] celvar data2[%d] = %04X"}),
        {{0x3560},
         {write(0x20, {{S::Basic, 0}}, 1), write(0x1F, {{S::Basic, 1}}, 1),
          when(fromSecondaryVersion(1, 4, 3), write(0x1E, {{S::Basic, 2}}, 1))}},
        {{0x3570},
         {write(0x20, {{S::Basic, 0}}, 1),
          when(fromSecondaryVersion(1, 4, 3), write(0x1F, {{S::Basic, 1}}, 1)),
          when(fromSecondaryVersion(1, 4, 3), write(0x1E, {{S::Basic, 2}}, 1))}},
        {{0x3500, 0x3540}, {write(0x20, {{S::Basic, 0}}, 1)}},
        secondChip({0x3110}, 4, {{2, 1, 2}}),
        secondChip({0x3146}, 4),
        secondChip({0x3140}, 4),
        secondChip({0x3116, 0x3118, 0x3136, 0x3800, 0x3124, 0x3144, 0x3152, 0x3126, 0x3128}, 4),
        secondChip({0x3142}, 4, {}, SpeedDialKeys::None),
        secondChip({0x3112, 0x3114}, 4, {{3, 0, 3}}),
        {{0x5580, 0x5570}, {write(0x04, kLegacy2, 0), kFm15Slot1}, SpeedDialKeys::K1},
        {{0x5590, 0x6042, 0x321B, 0x3085, 0x3052, 0x3072, 0x3082, 0x6038, 0x6039, 0x3350, 0x3360, 0x3370,
          0x3410, 0x6900, 0x6910, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445, 0x3400, 0x3420, 0x3430,
          0x3340, 0x3341, 0x5595, 0x5596, 0x3380, 0x3701, 0x5591, 0x5597, 0x5592, 0x5593, 0x5594, 0x4023},
         {write(0x36, kLegacy2, 0, {WriteLog::Words, "ASDP %X %X"}), kFm44Slot0},
         SpeedDialKeys::K2},
        {{0x5630, 0x5632},
         {write(0x36, kLegacy5, 0, {WriteLog::Words, "SAVEF2 %4.4X %4.4X %4.4X %4.4X %4.4X"})}},
        {{0x5552, 0x5553},
         {write(0x36, kLegacy3, 0, {WriteLog::Words, "SAVEF2 %4.4X %4.4X %4.4X"}), kFm44Slot0},
         SpeedDialKeys::K2},
        {{0x5534, 0x5538}, {write(0x04, kLegacy2, 0), kFm15Slot1}, SpeedDialKeys::K1},
        {{0x3300}, {write(0x04, kLegacy2, 0)}, SpeedDialKeys::K1},
        {{0x3070, 0x3080}, {write(0x04, kLegacy2, 0), kFm15Slot1}},
        {{0x6310, 0x6320, 0x6335, 0x6330, 0x5564, 0x4050}, {write(0x04, kLegacy2, 0)}},
        {{0x5424, 0x5434, 0x5430, 0x5432, 0x5428, 0x5426},
         {write(0x04, kLegacy2, 0), write(0x14, {{S::Vox, 0}}, 0),
          write(0x03, {{S::SmartVolume, 0}}, 0, kPDate), kFm15Slot1},
         SpeedDialKeys::K1},
        {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5510, 0x5576, 0x5520, 0x6112, 0x6114, 0x5530, 0x5532,
          0x5550, 0x5710, 0x5623, 0x5622, 0x5624, 0x5524, 0x5560, 0x5562, 0x5536, 0x5522, 0x3030, 0x3032,
          0x3050, 0x3060, 0x3040, 0x6210, 0x6400, 0x5526, 0x5720, 0x5320, 0x5330, 0x3550, 0x5910, 0x5920},
         {write(0x04, kLegacy2Second, 0),
          only({0x5520, 0x6112, 0x6114, 0x5526, 0x5720, 0x6400}, write(0x14, {{S::Vox, 0}}, 0)),
          only({0x5510}, write(0x07, {{S::Camera, 0}, {S::Camera, 1}}, 0)),
          only({0x5510}, write(0x1C, {{S::Constant, 0}, {S::Constant, 0}}, 0), fromVersion(2, 0)),
          only({0x5622, 0x5624}, write(0x03, {{S::SmartVolume, 0}}, 0, kPDate)),
          only({0x5622, 0x5624, 0x5623}, write(0x14, {{S::Vox, 0}}, 0), fromVersion(1, 1)), kFm15Slot0},
         SpeedDialKeys::K1,
         true},
        commitFamily({0x5410}, false),
        commitFamily({0x5412, 0x5414, 0x5420, 0x5418}, true),
        commitFamily({0x5416}, true),
        {{0x6010, 0x6018, 0x6012, 0x6014, 0x6016, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036},
         {committed(write(0x04, kLegacy4Zero, 0)), committed(write(0x14, {{S::Vox, 0}}, 0)),
          committed(write(0x15, fmBlock(kCommitMagic, 6), 0))},
         SpeedDialKeys::K1,
         true},
        {{0x6020, 0x6022, 0x6024},
         {committed(write(0x04, kLegacy4ZeroZero, 0)), committed(write(0x12, {{S::Vox, 0}}, 0))},
         SpeedDialKeys::K1,
         true},
    };
    return rows;
}

const WriteOrder* hidWriteOrderFor(int32_t productId) {
    for (const WriteOrder& row : hidWriteOrders())
        if (holds(row.ids, productId)) return &row;
    return nullptr;
}

}  // namespace recognition
