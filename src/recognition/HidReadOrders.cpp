// What each HID model group reads into the record during recognition, and where the words go.
#include <algorithm>

#include "recognition/HidSettingOrders.h"

namespace recognition {

bool holds(const ProductIds& ids, int32_t productId) {
    return std::find(ids.begin(), ids.end(), productId) != ids.end();
}

int destinationWords(Dest dest) {
    switch (dest) {
        case Dest::Basic:
            return 10;
        case Dest::Vox:
            return 2;
        case Dest::SmartVolume:
            return 2;
        case Dest::Camera:
            return 4;
        case Dest::BackgroundVolume:
            return 1;
    }
    return 0;
}

namespace {

using L = Legacy;

// The legacy word of the older families, bit by bit; bit 7 is never read.
constexpr LegacyLayout kFullLayout = {
    L::handsfreeVOX,         L::intercomVOX, L::edr,
    L::voicePrompt,          L::plc,         L::bitpoolRate,
    L::microphoneBoost,      L::None,        L::sidetone,
    L::advancedNoiseControl, L::audioBoost,  L::hdIntercom,
    L::fmStationGuide,       L::hdVoice,     L::audioSourcePriority,
    L::audioOverlay,
};

// The full layout limited to the bits of `mask`, with some bits sent to other fields.
constexpr LegacyLayout layout(uint16_t mask, std::initializer_list<std::pair<int, Legacy>> moved = {}) {
    LegacyLayout l = kFullLayout;
    for (int bit = 0; bit < 16; ++bit)
        if (!(mask & (1u << bit))) l[static_cast<size_t>(bit)] = L::None;
    for (auto [bit, field] : moved) l[static_cast<size_t>(bit)] = field;
    return l;
}

constexpr uint16_t bits(int first, int last) {
    uint16_t m = 0;
    for (int b = first; b <= last; ++b) m = static_cast<uint16_t>(m | 1u << b);
    return m;
}

constexpr LegacyLayout kFull = layout(0xFFFF);
constexpr LegacyLayout kTo12 = layout(bits(0, 6) | bits(8, 12));  // bits 0-6 and 8-12
constexpr LegacyLayout kTo13 = layout(bits(0, 6) | bits(8, 13));  // bits 0-6 and 8-13
constexpr LegacyLayout kNoVoxNoSidetone = layout(bits(2, 6) | bits(9, 15));
constexpr LegacyLayout kNoSidetone = layout(bits(0, 6) | bits(9, 15));
constexpr LegacyLayout kGuideOnly = layout(1u << 12);
constexpr LegacyLayout kFiveBits = layout(1u << 3 | 1u << 5 | 1u << 9 | 1u << 10 | 1u << 12);
constexpr LegacyLayout kNavi = layout(bits(0, 6) | bits(8, 11), {{13, L::smartNaviSystem}});
constexpr LegacyLayout kNaviAutoOnOff =
    layout(bits(0, 6) | bits(8, 11), {{13, L::smartNaviSystem}, {14, L::autoOnOff}, {15, L::audioOverlay}});

// What a failed legacy read leaves at 1.
constexpr uint32_t kStandard = fieldSet({L::handsfreeVOX, L::plc, L::bitpoolRate, L::microphoneBoost,
                                         L::audioBoost, L::hdIntercom, L::fmStationGuide});
constexpr uint32_t without(uint32_t set, Legacy f) { return set & ~fieldSet({f}); }

// ---- id lists that more than one table names ----

// The sets that the rest of the HID road shares.
const ProductIds kAirohaFamily = idsOf(models::kShortProbed);
const ProductIds kQuorraFamily = idsOf(models::kShortTimed);
const ProductIds kSixPresetFamily = {0x6010, 0x6018, 0x6012, 0x6014, 0x6016, 0x6026,
                                     0x6028, 0x6030, 0x6032, 0x6034, 0x6036};
const ProductIds kCommitFamily = {0x5410, 0x5412, 0x5414, 0x5420, 0x5418, 0x5416};

// ---- step builders ----

// Basic words 0..n-1 from key 0x04 (or a rebuilt key 0x36 request), defaults on failure.
ReadStep wordList(std::vector<WordValue> defaults, const char* logFormat = nullptr, bool withCount = false) {
    ReadStep s;
    s.words = Dest::Basic;
    s.onFailure = std::move(defaults);
    if (logFormat)
        s.logs = {{withCount ? ReadLog::EachStoredWithCount : ReadLog::EachStored, logFormat, {}, false, {}}};
    return s;
}

ReadStep rebuiltKey36(ReadStep s) {
    s.key = 0x36;
    s.prepare = Prepare::Rebuilt;
    return s;
}

ReadStep onSlot1(ReadStep s) {
    s.slot = 1;
    return s;
}

std::vector<WordValue> basic(std::initializer_list<int32_t> values) {
    std::vector<WordValue> v;
    int i = 0;
    for (int32_t x : values) v.push_back({Dest::Basic, i++, x});
    return v;
}

ReadStep legacyRead(const LegacyLayout& l, uint32_t onFailure, std::vector<WordValue> wordsOnFailure = {}) {
    ReadStep s;
    s.legacy = &l;
    s.legacyOnFailure = onFailure;
    s.onFailure = std::move(wordsOnFailure);
    return s;
}

ReadStep withCopies(ReadStep s, std::initializer_list<int> words) {
    for (int w : words) s.copies.push_back({w, Dest::Basic, w});
    return s;
}

ReadStep logged(ReadStep s, ReadLog log) {
    s.logs.push_back(std::move(log));
    return s;
}

ReadLog replyWords(const char* format, std::vector<int> words) {
    return {ReadLog::ReplyWords, format, std::move(words), false, {}};
}

// VOX-sensitivity words from key 0x14 (or another key).
ReadStep voxRead(std::vector<int32_t> onFailure, Prepare prepare = Prepare::CommandAndKey,
                 uint8_t key = 0x14) {
    ReadStep s;
    s.key = key;
    s.prepare = prepare;
    s.words = Dest::Vox;
    for (size_t k = 0; k < onFailure.size(); ++k)
        s.onFailure.push_back({Dest::Vox, static_cast<int>(k), onFailure[k]});
    return s;
}

ReadStep smartVolumeRead(const char* logFormat, Prepare prepare = Prepare::CommandAndKey) {
    ReadStep s;
    s.key = 0x03;
    s.prepare = prepare;
    s.words = Dest::SmartVolume;
    s.onFailure = {{Dest::SmartVolume, 0, 0}, {Dest::SmartVolume, 1, 0}};
    if (logFormat) s.logs = {{ReadLog::RecordWords, logFormat, {0, 1}, false, {}}};
    return s;
}

ReadStep only(ProductIds ids, ReadStep s, Condition when = {}) {
    s.onlyFor = std::move(ids);
    s.when = when;
    return s;
}

// The three words of the format B families.
ReadStep threeWords(Channel channel, const char* logFormat) {
    ReadStep s;
    s.key = 0x03;
    s.channel = channel;
    s.copies = {{0, Dest::Basic, 0}, {1, Dest::Basic, 1}, {2, Dest::Basic, 2}};
    s.logs = {replyWords(logFormat, {0, 1, 2})};
    s.onFailure = basic({3, 0x2200});
    return s;
}

// One mesh-port word: reply word 0 into basic word `index`.
ReadStep meshWord(uint8_t key, int index, int32_t onFailure, const char* logFormat, Condition when = {}) {
    ReadStep s;
    s.key = key;
    s.prepare = Prepare::CommandAndKey;
    s.when = when;
    s.copies = {{0, Dest::Basic, index}};
    s.onFailure = {{Dest::Basic, index, onFailure}};
    s.logs = {{ReadLog::EachStored, logFormat, {}, false, {}}};
    return s;
}

ReadStep refresh(uint8_t key, ProductIds onlyFor = {}) {
    ReadStep s;
    s.command = 0x10;
    s.key = key;
    s.prepare = Prepare::CommandAndKey;
    s.onlyFor = std::move(onlyFor);
    return s;
}

const char* const kMeshChannel = "mesh channel data[%d] = %d";
const char* const kMeshVolume = "mesh volume data[%d] = %d";
const std::vector<WordValue> kOlderBasicDefaults = basic({0x1C21, 0x0583});
const std::vector<WordValue> kTwoChipDefaults = basic({5, 3, 0xED21, 2, 0, 0, 0, 0, 0, 0});
const std::vector<WordValue> kWord1Default = {{Dest::Basic, 1, 0x20}};

}  // namespace

const std::vector<ReadOrder>& hidFirstReadSteps() {
    static const std::vector<ReadOrder> rows = {
        // Key refreshes (results not tested).
        {{0x6010, 0x6012, 0x6018, 0x6014, 0x6016, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x5410,
          0x5412, 0x5414, 0x5420, 0x5418, 0x5416},
         {refresh(0x04), refresh(0x14), refresh(0x03, kCommitFamily)}},
        {{0x6020, 0x6022, 0x6024}, {refresh(0x04), refresh(0x12)}},
        // Mesh-port words.
        {{0x3560},
         {meshWord(0x20, 0, 1, kMeshChannel), meshWord(0x1F, 1, 10, kMeshVolume),
          meshWord(0x1E, 2, 10, kMeshVolume, fromSecondaryVersion(1, 4, 3))}},
        {{0x3570},
         {meshWord(0x20, 0, 1, kMeshChannel),
          meshWord(0x1F, 1, 10, kMeshVolume, fromSecondaryVersion(1, 4, 3)),
          meshWord(0x1E, 2, 10, kMeshVolume, fromSecondaryVersion(1, 4, 3))}},
        {{0x3500, 0x3540}, {meshWord(0x20, 0, 1, kMeshChannel)}},
        // Basic words of the second chip's family, from slot 1.
        {{0x4210, 0x4510, 0x4530, 0x4610, 0x2030},
         {[] {
              ReadStep s = onSlot1(wordList({}));
              s.prepare = Prepare::CommandAndKey;
              s.onFailureByVersion = {
                  {1, 1, basic({5, 3})},
                  {1, 2, basic({5, 3, 0xEC00})},
                  {1, 5, basic({5, 3, 0xED80, 3, 0, 0, 0, 0, 0, 0})},
                  {1, 6, basic({5, 3, 0xEDA0, 3, 0, 0, 0, 0, 0, 0})},
                  {-1, -1, basic({5, 3, 0xED20, 2, 0, 0, 0, 0, 0, 0})},
              };
              return only({0x4210}, s);
          }(),
          [] {
              ReadStep s = onSlot1(wordList(kTwoChipDefaults));
              s.prepare = Prepare::CommandAndKey;
              return only({0x4510, 0x4530, 0x4610, 0x2030}, s);
          }()}},
    };
    return rows;
}

const std::vector<ReadOrder>& hidReadOrders() {
    static const ReadStep kVox30 = voxRead({3, 0});
    static const std::vector<ReadOrder> rows = {
        {{0x5345}, {}},
        {{0x4310, 0x4330}, {onSlot1(wordList(kTwoChipDefaults))}},
        {{0x4510}, {}},  // read with the second chip's words before
        {{0x4530}, {}},
        {{0x4610}, {}},
        {{0x2030}, {}},
        {{0x4410, 0x4430}, {onSlot1(wordList(kTwoChipDefaults))}},
        {{0x5580, 0x5570}, {withCopies(legacyRead(kFull, kStandard, {{Dest::Basic, 1, 0}}), {1})}},
        {{0x5530}, {legacyRead(kFull, kStandard)}},
        {{0x5532}, {legacyRead(kTo13, kStandard)}},
        {{0x5550}, {legacyRead(kNoVoxNoSidetone, without(kStandard, L::handsfreeVOX))}},
        {{0x4D16, 0x4D06, 0x4D76, 0x4D86},
         {rebuiltKey36(wordList(basic({0x1421, 0x0200}), "LUTRA data[%d] = %04X"))}},
        {kQuorraFamily,
         {threeWords(Channel::ShortTimed, "Get Total HEX QUORRA 0=[%04X], 1=[%04X], 2=[%04X]")}},
        {kAirohaFamily,
         {threeWords(Channel::ShortProbe, "Get Total HEX AIROHA 0=[%04X], 1=[%04X], 2=[%04X]")}},
        {{0x6510, 0x6500, 0x3161, 0x3150},
         {rebuiltKey36(wordList(kOlderBasicDefaults, "voskelr data[%d] = %04X"))}},
        {{0x3132, 0x3260, 0x321C, 0x3210, 0x3218, 0x3214, 0x3217, 0x3212, 0x3216, 0x321A, 0x3219, 0x3211,
          0x3215, 0x3264, 0x3232, 0x3233, 0x3900, 0x3134},
         {[] {
             ReadStep s = wordList(kOlderBasicDefaults, "LUTRA data[%d] = %04X");
             s.speakerType = true;
             return s;
         }()}},
        {{0x3148, 0x3154, 0x3170}, {wordList(kOlderBasicDefaults, "zandrel data[%d] = %04X")}},
        {{0x3156, 0x3213, 0x3240}, {wordList(kOlderBasicDefaults, "XQLUTRA data[%d] = %04X")}},
        {{0x3320, 0x3310, 0x3330}, {wordList(kOlderBasicDefaults, "len[%d] celvar data[%d] = %04X", true)}},
        {{0x3110}, {wordList(kOlderBasicDefaults, "GESSA data[%d] = %04X")}},
        {{0x3146}, {wordList(kOlderBasicDefaults, "GESSA data[%d] = %04X")}},
        {{0x3140}, {wordList(basic({0x1821, 0x0583}), "HURVEK_HX5M data[%d] = %04X")}},
        {{0x3116}, {wordList(basic({0x1C21, 0x0583, 0, 0x0020}), "Brevant m data[%d] = %04X")}},
        {{0x3124}, {wordList(kOlderBasicDefaults, "Brevant m data[%d] = %04X")}},
        {{0x3144, 0x3152}, {wordList(kOlderBasicDefaults, "Brevant m data[%d] = %04X")}},
        {{0x3126}, {wordList(kOlderBasicDefaults, "PEMVIK EVO CS data[%d] = %04X")}},
        {{0x3128}, {wordList(kOlderBasicDefaults, "Brevant m data[%d] = %04X")}},
        {{0x3118, 0x3800, 0x3136},
         {wordList(basic({0x1C21, 0x0583, 0xFFFF, 0x20}), "Brevant m data[%d] = %04X")}},
        {{0x3142}, {wordList(basic({0x1D21, 0x0183}), "Brevant m data[%d] = %04X")}},
        {{0x3112, 0x3114}, {wordList(basic({0x1C21, 0x0583, 0x66}), "XQGESSA len[%d]data[%d] = %04X", true)}},
        {{0x5710}, {legacyRead(kTo12, kStandard)}},
        {{0x5560, 0x5562}, {legacyRead(kGuideOnly, fieldSet({L::fmStationGuide}))}},
        {{0x5524}, {legacyRead(kFull, without(kStandard, L::audioBoost))}},
        {{0x5536}, {legacyRead(kFiveBits, fieldSet({L::bitpoolRate, L::fmStationGuide}))}},
        {{0x5522, 0x3030, 0x3032, 0x3050, 0x3060, 0x3040},
         {legacyRead(kTo12, without(kStandard, L::audioBoost))}},
        {{0x6210}, {legacyRead(kNoSidetone, kStandard)}},
        {{0x5526}, {legacyRead(kFull, kStandard, {{Dest::Vox, 0, 3}, {Dest::Vox, 1, 0}}), kVox30}},
        {{0x5720}, {legacyRead(kTo12, kStandard), kVox30}},
        {{0x5320, 0x5330}, {}},
        {{0x3550}, {}},
        {kCommitFamily,
         {legacyRead(
              kFull, kStandard,
              {{Dest::Vox, 0, 3}, {Dest::Vox, 1, 0}, {Dest::SmartVolume, 0, 0}, {Dest::SmartVolume, 1, 0}}),
          voxRead({3}), smartVolumeRead(nullptr)}},
        {{0x6010, 0x6012},
         {logged(logged(withCopies(legacyRead(kNavi, without(kStandard, L::fmStationGuide),
                                              {{Dest::Basic, 2, 0x68}, {Dest::Basic, 3, 0}}),
                                   {2, 3}),
                        replyWords("pdata2 = %04X", {2})),
                 replyWords("pdata3 = %04X", {3})),
          voxRead({2, 0}, Prepare::KeyOnly)}},
        {{0x6028, 0x6030, 0x6032, 0x6034, 0x6036},
         {logged(
              logged(withCopies(legacyRead(kNaviAutoOnOff,
                                           without(kStandard, L::fmStationGuide) | fieldSet({L::autoOnOff}),
                                           {{Dest::Basic, 2, 0x6B}, {Dest::Basic, 3, 0}}),
                                {2, 3}),
                     replyWords("pdata2 = %04X", {2})),
              replyWords("pdata3 = %04X", {3})),
          voxRead({2, 0}, Prepare::KeyOnly)}},
        {{0x6014, 0x6018, 0x6016, 0x6026},
         {logged(logged(withCopies(legacyRead(kNavi, without(kStandard, L::fmStationGuide),
                                              {{Dest::Basic, 2, 0x6B}, {Dest::Basic, 3, 0}}),
                                   {2, 3}),
                        replyWords("pdata2 = %04X", {2})),
                 replyWords("pdata3 = %04X", {3})),
          voxRead({2, 0}, Prepare::KeyOnly)}},
        {{0x6020, 0x6022, 0x6024},
         {legacyRead(kNavi, without(kStandard, L::fmStationGuide)), voxRead({2, 0}, Prepare::KeyOnly, 0x12)}},
        {{0x5910, 0x5920}, {legacyRead(kTo12, kStandard)}},
        {{0x5632, 0x5630},
         {logged(rebuiltKey36(withCopies(legacyRead(kFull, kStandard, kWord1Default), {1, 2, 4})),
                 replyWords("SAVEF3 %X %X %X %X", {0, 1, 2, 4}))}},
        {{0x5552, 0x5553},
         {logged(rebuiltKey36(withCopies(legacyRead(kFull, kStandard, kWord1Default), {1, 2})),
                 replyWords("SAVEF3 %X %X %X", {0, 1, 2}))}},
        {{0x6038, 0x6039},
         {logged(rebuiltKey36(withCopies(legacyRead(kFull, kStandard, kWord1Default), {1})),
                 {ReadLog::ReplyNibble, "PQPQ %d", {1}, false, {}}),
          logged(voxRead({2, 0}, Prepare::KeyOnly, 0x17), replyWords("SAVEF3 %X %X %X", {0, 1, 2}))}},
        {{0x5590, 0x6042, 0x321B, 0x3085, 0x3052, 0x3072, 0x3082, 0x3400, 0x5595, 0x5596, 0x6461,
          0x6481, 0x6491, 0x3350, 0x3360, 0x3370, 0x3410, 0x6900, 0x6910, 0x5440, 0x5441, 0x5442,
          0x5443, 0x5444, 0x5445, 0x3380, 0x3701, 0x5591, 0x5597, 0x5592, 0x5593, 0x5594, 0x4023},
         {logged(rebuiltKey36(withCopies(legacyRead(kFull, kStandard, kWord1Default), {1})),
                 replyWords("qcc velmar %X %X %X", {0, 1, 2})),
          [] {
              // Background volume: reply word 7, kept only below 10.
              ReadStep s;
              s.key = 0x3F;
              s.prepare = Prepare::Rebuilt;
              s.count = 0x08;
              s.copies = {{7, Dest::BackgroundVolume, 0}};
              s.logs = {replyWords("ARABIC QUILLON %X", {7})};
              return only({0x6461, 0x6481, 0x6491}, s);
          }()}},
        {{0x3340, 0x3420, 0x3430, 0x3341},
         {rebuiltKey36(withCopies(legacyRead(kFull, kStandard, kWord1Default), {1}))}},
        {{0x5534, 0x5538, 0x3300, 0x3070, 0x3080, 0x6310, 0x6320, 0x6335, 0x6330, 0x5564, 0x4050},
         {withCopies(legacyRead(kFull, kStandard, kWord1Default), {1})}},
        {{0x5576}, {legacyRead(kFull, kStandard)}},
        {{0x5424, 0x5428, 0x5434, 0x5430, 0x5432, 0x5426},
         {withCopies(legacyRead(kFull, kStandard, kWord1Default), {1}),
          voxRead({3}, Prepare::ClearThenCommandAndKey),
          smartVolumeRead("fennic r, ostvale evo smart volume[[%d, %d]]", Prepare::ClearThenCommandAndKey)}},
        // Every other model, with the steps of a few.
        {{},
         {legacyRead(kFull, kStandard), only({0x5520, 0x6112, 0x6114}, kVox30),
          [] {
              ReadStep s;
              s.key = 0x07;
              s.prepare = Prepare::CommandAndKey;
              s.words = Dest::Camera;
              s.onFailure = {{Dest::Camera, 0, 0x07C0}, {Dest::Camera, 1, 0}};
              s.logs = {{ReadLog::RecordWords, "TAVRINCamera[[%d, %d", {0, 1}, false, fromVersion(2, 0)}};
              return only({0x5510}, s);
          }(),
          [] {
              ReadStep s;
              s.key = 0x1C;
              s.prepare = Prepare::CommandAndKey;
              s.words = Dest::Camera;
              s.wordsFrom = 2;
              s.onFailure = {{Dest::Camera, 2, 0x14}, {Dest::Camera, 3, 0}};
              s.logs = {{ReadLog::RecordWords, "TAVRINCamera[[%d, %d", {2, 3}, true, {}}};
              return only({0x5510}, s, fromVersion(2, 0));
          }(),
          only({0x5622, 0x5624}, smartVolumeRead("smart volume[[%d, %d]]")),
          only({0x5622, 0x5624, 0x5623}, kVox30, fromVersion(1, 1)), only({0x6400}, kVox30)}},
    };
    return rows;
}

const ReadOrder& hidReadOrderFor(int32_t productId) {
    for (const ReadOrder& row : hidReadOrders())
        if (row.ids.empty() || holds(row.ids, productId)) return row;
    return hidReadOrders().back();
}

const std::vector<FmReadOrder>& hidFmReadOrders() {
    static const std::vector<FmReadOrder> rows = [] {
        std::vector<FmReadOrder> r = {
            // The common FM block reads these afterwards (key 0x44, or format B for the 0x6A family).
            {idsOf(models::kFmKey44), FmRead::ByCommonTail},
            {kQuorraFamily, FmRead::ByCommonTail},
        };
        ProductIds none;
        for (uint16_t id : kAirohaFamily)
            if (id != 0x6806) none.push_back(id);
        none.push_back(0x5345);
        r.push_back({none, FmRead::Nothing});
        r.push_back({{0x6806}, FmRead::ShortKey08});
        r.push_back({idsOf(models::kTwoChip), FmRead::Slot1Words15});
        r.push_back({{0x5410}, FmRead::Nothing});
        r.push_back({kSixPresetFamily, FmRead::Slot0Words11});
        r.push_back({{}, FmRead::Slot0Words15});
        return r;
    }();
    return rows;
}

FmRead hidFmReadFor(int32_t productId) {
    for (const FmReadOrder& row : hidFmReadOrders())
        if (row.ids.empty() || holds(row.ids, productId)) return row.read;
    return FmRead::Slot0Words15;
}

const ProductIds& hidFmRefreshIds() {
    static const ProductIds ids = {0x6010, 0x6012, 0x6018, 0x6014, 0x6016, 0x6026, 0x6028, 0x6030,
                                   0x6032, 0x6034, 0x6036, 0x5412, 0x5414, 0x5420, 0x5418, 0x5416};
    return ids;
}

}  // namespace recognition
