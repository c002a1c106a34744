// Reading a HID headset's settings into the record: for each model group, a simulated headset
// with known blocks (or none, so that the reads fail) gives the record the group derives from
// them. The record starts with a mark in every field, so that words a group must leave alone are
// seen to stay.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "HidSettingsFixture.h"
#include "RecordFields.h"

namespace recognition::testing {
namespace {

using Words = sim::SettingBlocksModel::Words;
using Blocks = std::map<uint8_t, Words>;
using Changes = std::vector<std::pair<std::string, int32_t>>;

// How the FM fields end.
enum class Fm {
    Failed,     // magic 0x56E9, everything else 0
    Untouched,  // left to the common FM read that follows
    Zero,       // no read: everything 0
    Read15,     // the FM block of kFmWords from key 0x15 of the first chip
    Read15Chip1,
    Read11,     // the six-preset block from key 0x15 of the first chip
    ReadShort,  // the FM block of kFmWords from format B key 0x08
};

const Words kFmWords = {0x66E9, 0x0385, 2,     0x300, 0x301, 0x302, 0x303, 0x304,
                        0x305,  0x306,  0x307, 0x308, 0x309, 1,     4};
const Words kFm11Words = {0x56E9, 0x0385, 2, 0x300, 0x301, 0x302, 0x303, 0x304, 0x305, 1, 4};

struct Version {
    int major = 1, minor = 0, secondary = 0;
};

struct ReadCase {
    const char* name;
    uint16_t target;
    Version version = {};
    Blocks chip0 = {};
    Blocks chip1 = {};
    Blocks short0 = {};
    std::map<uint8_t, uint8_t> claimedCounts = {};  // chip 0 keys whose reply claims another count
    Fm fm = Fm::Failed;
    Changes changes = {};      // every other word keeps its mark
    Names legacyOn = {};       // every other legacy field ends 0
    int32_t speakerType = 99;  // -1: the speaker accessory that the basic words read encode
    bool twoChips = false;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

const Names kFull15 = fullLegacyWordFields();
const Names kStandardOn = {"handsfreeVOX", "plc",        "bitpoolRate",   "microphoneBoost",
                           "audioBoost",   "hdIntercom", "fmStationGuide"};

Changes basic(std::initializer_list<int32_t> values, int first = 0) {
    Changes c;
    for (int32_t v : values) c.push_back({"basic[" + std::to_string(first++) + "]", v});
    return c;
}

Changes join(std::initializer_list<Changes> parts) {
    Changes all;
    for (const Changes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Bits 0-6 and 8-12 of the legacy word, and variants.
const Names kTo12 = minus(kFull15, {"hdVoice", "audioSourcePriority", "audioOverlay"});
const Names kNavi = plus(minus(kFull15, {"fmStationGuide", "hdVoice", "audioSourcePriority", "audioOverlay"}),
                         {"smartNaviSystem"});
const Words kTen = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA};

std::vector<ReadCase> cases() {
    return {
        // ---- words before the family blocks ----
        {.name = "mesh words from 1.4.3 read three keys",
         .target = 0x3560,
         .version = {1, 4, 3},
         .chip0 = {{0x20, {4}}, {0x1F, {7}}, {0x1E, {8}}},
         .changes = basic({4, 7, 8}),
         .legacyOn = kStandardOn},
        {.name = "mesh words below 1.4.3 fall back without key 0x1E",
         .target = 0x3560,
         .version = {1, 4, 2},
         .chip0 = {{0x1E, {8}}},
         .changes = basic({1, 10}),
         .legacyOn = kStandardOn},
        {.name = "mesh channel only below 1.4.3",
         .target = 0x3570,
         .version = {1, 4, 2},
         .chip0 = {{0x20, {3}}, {0x1F, {9}}},
         .changes = basic({3}),
         .legacyOn = kStandardOn},
        {.name = "mesh channel default", .target = 0x3540, .changes = basic({1}), .legacyOn = kStandardOn},
        {.name = "second chip words of the 0x4210 at 1.4 fall back",
         .target = 0x4210,
         .version = {1, 4},
         .changes = basic({5, 3, 0xED80, 3, 0, 0, 0, 0, 0, 0}),
         .legacyOn = kStandardOn,
         .twoChips = true},
        {.name = "second chip words of the 0x4210 at 1.0 fall back in two words",
         .target = 0x4210,
         .version = {1, 0},
         .changes = basic({5, 3}),
         .legacyOn = kStandardOn,
         .twoChips = true},
        {.name = "second chip words of the 0x4210 at 1.1",
         .target = 0x4210,
         .version = {1, 1},
         .changes = basic({5, 3, 0xEC00}),
         .legacyOn = kStandardOn,
         .twoChips = true},
        {.name = "second chip words of the 0x4210 at 1.5",
         .target = 0x4210,
         .version = {1, 5},
         .changes = basic({5, 3, 0xEDA0, 3, 0, 0, 0, 0, 0, 0}),
         .legacyOn = kStandardOn,
         .twoChips = true},
        {.name = "second chip words of the 0x4210 from 1.6",
         .target = 0x4210,
         .version = {2, 0},
         .changes = basic({5, 3, 0xED20, 2, 0, 0, 0, 0, 0, 0}),
         .legacyOn = kStandardOn,
         .twoChips = true},
        {.name = "second chip words clamped to ten",
         .target = 0x4510,
         .chip1 = {{0x04, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, {0x15, kFmWords}},
         .fm = Fm::Read15Chip1,
         .changes = basic({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {.name = "second chip words of the 0x4530",
         .target = 0x4530,
         .chip1 = {{0x04, {7, 8, 9}}},
         .changes = basic({7, 8, 9})},
        {.name = "second chip words of the 0x4610 fall back",
         .target = 0x4610,
         .changes = basic({5, 3, 0xED21, 2, 0, 0, 0, 0, 0, 0}),
         .twoChips = true},
        {.name = "second chip words of the 0x2030 fall back",
         .target = 0x2030,
         .changes = basic({5, 3, 0xED21, 2, 0, 0, 0, 0, 0, 0}),
         .twoChips = true},

        // ---- family blocks ----
        {.name = "two part module reads nothing",
         .target = 0x5345,
         .chip0 = {{0x04, {0xFFFF}}},
         .fm = Fm::Zero},
        {.name = "second chip word list",
         .target = 0x4330,
         .chip1 = {{0x04, {0x11, 0x22, 0x33}}, {0x15, kFmWords}},
         .fm = Fm::Read15Chip1,
         .changes = basic({0x11, 0x22, 0x33})},
        {.name = "second chip word list falls back",
         .target = 0x4410,
         .changes = basic({5, 3, 0xED21, 2, 0, 0, 0, 0, 0, 0}),
         .twoChips = true},
        {.name = "legacy word and word 1",
         .target = 0x5580,
         .chip0 = {{0x04, {0xFFFF, 0x1234}}},
         .changes = basic({0x1234}, 1),
         .legacyOn = kFull15},
        {.name = "legacy word read fails",
         .target = 0x5570,
         .changes = basic({0}, 1),
         .legacyOn = kStandardOn},
        {.name = "legacy word bit by bit",
         .target = 0x5530,
         .chip0 = {{0x04, {0x8081, 0x1234}}},
         .legacyOn = {"handsfreeVOX", "audioOverlay"}},
        {.name = "legacy word without source priority and overlay",
         .target = 0x5532,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = minus(kFull15, {"audioSourcePriority", "audioOverlay"})},
        {.name = "legacy word without VOX and sidetone",
         .target = 0x5550,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = minus(kFull15, {"handsfreeVOX", "intercomVOX", "sidetone"})},
        {.name = "legacy word without VOX fails",
         .target = 0x5550,
         .legacyOn = minus(kStandardOn, {"handsfreeVOX"})},
        {.name = "key 0x36 word list",
         .target = 0x4D16,
         .chip0 = {{0x36, {0xAAAA, 0xBBBB}}},
         .fm = Fm::Untouched,
         .changes = basic({0xAAAA, 0xBBBB})},
        {.name = "key 0x36 word list falls back",
         .target = 0x4D76,
         .fm = Fm::Failed,
         .changes = basic({0x1421, 0x0200})},
        {.name = "three words over the timed short command",
         .target = 0x6A02,
         .short0 = {{0x03, {0x10, 0x20, 0x30, 0x40}}},
         .fm = Fm::Untouched,
         .changes = basic({0x10, 0x20, 0x30})},
        {.name = "three words over the timed short command fall back",
         .target = 0x6A01,
         .fm = Fm::Untouched,
         .changes = basic({3, 0x2200})},
        {.name = "three words over the short probe",
         .target = 0x6838,
         .short0 = {{0x03, {0x1111, 0x2222, 0x3333}}},
         .fm = Fm::Zero,
         .changes = basic({0x1111, 0x2222, 0x3333})},
        {.name = "three words over the short probe fall back",
         .target = 0x6801,
         .fm = Fm::Zero,
         .changes = basic({3, 0x2200})},
        {.name = "the 0x6806 reads its FM block over the short probe",
         .target = 0x6806,
         .short0 = {{0x08, kFmWords}},
         .fm = Fm::ReadShort,
         .changes = basic({3, 0x2200})},
        {.name = "the 0x6806 FM read fails",
         .target = 0x6806,
         .fm = Fm::Failed,
         .changes = basic({3, 0x2200})},
        {.name = "rebuilt key 0x36 word list",
         .target = 0x3150,
         .chip0 = {{0x36, {1, 2, 3}}},
         .fm = Fm::Untouched,
         .changes = basic({1, 2, 3})},
        {.name = "rebuilt key 0x36 word list falls back",
         .target = 0x6500,
         .fm = Fm::Untouched,
         .changes = basic({0x1C21, 0x0583})},
        {.name = "speaker type from the words read",
         .target = 0x3132,
         .chip0 = {{0x04, {0x1C21, 0x0583, 0, 0, 0x0003}}, {0x15, kFmWords}},
         .fm = Fm::Read15,
         .changes = basic({0x1C21, 0x0583, 0, 0, 0x0003}),
         .speakerType = -1},
        {.name = "speaker type kept when the read fails",
         .target = 0x3260,
         .changes = basic({0x1C21, 0x0583})},
        {.name = "word list of five",
         .target = 0x3154,
         .chip0 = {{0x04, {1, 2, 3, 4, 5}}},
         .changes = basic({1, 2, 3, 4, 5})},
        {.name = "word list of four",
         .target = 0x3213,
         .chip0 = {{0x04, {1, 2, 3, 4}}},
         .changes = basic({1, 2, 3, 4})},
        {.name = "word list logged with its count",
         .target = 0x3330,
         .chip0 = {{0x04, {9, 8}}},
         .changes = basic({9, 8})},
        {.name = "empty word list keeps the words", .target = 0x3110, .chip0 = {{0x04, {}}}},
        {.name = "basic words 0x3146 fall back", .target = 0x3146, .changes = basic({0x1C21, 0x0583})},
        {.name = "basic words 0x3140 fall back", .target = 0x3140, .changes = basic({0x1821, 0x0583})},
        {.name = "basic words 0x3116 fall back in four words",
         .target = 0x3116,
         .changes = basic({0x1C21, 0x0583, 0, 0x0020})},
        {.name = "word count beyond the reply is clamped",
         .target = 0x3124,
         .chip0 = {{0x04, kTen}},
         .claimedCounts = {{0x04, 200}},
         .changes = basic({0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA})},
        {.name = "basic words 0x3152 fall back", .target = 0x3152, .changes = basic({0x1C21, 0x0583})},
        {.name = "basic words 0x3126", .target = 0x3126, .chip0 = {{0x04, {5, 6}}}, .changes = basic({5, 6})},
        {.name = "basic words 0x3128 fall back", .target = 0x3128, .changes = basic({0x1C21, 0x0583})},
        {.name = "basic words 0x3800 fall back in four words",
         .target = 0x3800,
         .changes = basic({0x1C21, 0x0583, 0xFFFF, 0x20})},
        {.name = "basic words 0x3142 fall back", .target = 0x3142, .changes = basic({0x1D21, 0x0183})},
        {.name = "basic words 0x3114 fall back in three words",
         .target = 0x3114,
         .changes = basic({0x1C21, 0x0583, 0x66})},
        {.name = "legacy bits 0-6 and 8-12",
         .target = 0x5710,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = kTo12},
        {.name = "legacy station guide only",
         .target = 0x5562,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = {"fmStationGuide"}},
        {.name = "legacy station guide only fails", .target = 0x5560, .legacyOn = {"fmStationGuide"}},
        {.name = "legacy full without audio boost on failure",
         .target = 0x5524,
         .legacyOn = minus(kStandardOn, {"audioBoost"})},
        {.name = "legacy five bits",
         .target = 0x5536,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = {"voicePrompt", "bitpoolRate", "advancedNoiseControl", "audioBoost", "fmStationGuide"}},
        {.name = "legacy five bits fail", .target = 0x5536, .legacyOn = {"bitpoolRate", "fmStationGuide"}},
        {.name = "legacy to bit 12 fails without audio boost",
         .target = 0x3040,
         .legacyOn = minus(kStandardOn, {"audioBoost"})},
        {.name = "legacy without sidetone",
         .target = 0x6210,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = minus(kFull15, {"sidetone"})},
        {.name = "legacy fails then VOX read",
         .target = 0x5526,
         .chip0 = {{0x14, {5, 6}}},
         .changes = {{"vox[0]", 5}, {"vox[1]", 6}},
         .legacyOn = kStandardOn},
        {.name = "legacy and VOX fail",
         .target = 0x5526,
         .changes = {{"vox[0]", 3}, {"vox[1]", 0}},
         .legacyOn = kStandardOn},
        {.name = "VOX falls back after a legacy word",
         .target = 0x5720,
         .chip0 = {{0x04, {0x0001}}},
         .changes = {{"vox[0]", 3}, {"vox[1]", 0}},
         .legacyOn = {"handsfreeVOX"}},
        {.name = "no read for 0x5330", .target = 0x5330, .chip0 = {{0x04, {0xFFFF}}}},
        {.name = "no read for 0x3550", .target = 0x3550, .chip0 = {{0x04, {0xFFFF}}}},
        {.name = "commit family reads legacy, VOX, smart volume and FM",
         .target = 0x5414,
         .chip0 = {{0x04, {0x0C00}}, {0x14, {7}}, {0x03, {4, 5}}, {0x15, kFmWords}},
         .fm = Fm::Read15,
         .changes = {{"vox[0]", 7}, {"smartVolume[0]", 4}, {"smartVolume[1]", 5}},
         .legacyOn = {"audioBoost", "hdIntercom"}},
        {.name = "commit family reads fail",
         .target = 0x5410,
         .fm = Fm::Zero,
         .changes = {{"vox[0]", 3}, {"vox[1]", 0}, {"smartVolume[0]", 0}, {"smartVolume[1]", 0}},
         .legacyOn = kStandardOn},
        {.name = "six preset family",
         .target = 0x6012,
         .chip0 = {{0x04, {0xFFFF, 1, 2, 3, 4}}, {0x15, kFm11Words}},
         .fm = Fm::Read11,
         .changes = join({basic({2, 3}, 2), {{"vox[0]", 2}, {"vox[1]", 0}}}),
         .legacyOn = kNavi},
        {.name = "six preset family fails",
         .target = 0x6010,
         .changes = join({basic({0x68, 0}, 2), {{"vox[0]", 2}, {"vox[1]", 0}}}),
         .legacyOn = minus(kStandardOn, {"fmStationGuide"})},
        {.name = "six preset family with auto on-off",
         .target = 0x6030,
         .chip0 = {{0x04, {0xFFFF, 1, 2, 3}}, {0x14, {6, 7}}},
         .changes = join({basic({2, 3}, 2), {{"vox[0]", 6}, {"vox[1]", 7}}}),
         .legacyOn = plus(kNavi, {"autoOnOff", "audioOverlay"})},
        {.name = "six preset family with auto on-off fails",
         .target = 0x6036,
         .changes = join({basic({0x6B, 0}, 2), {{"vox[0]", 2}, {"vox[1]", 0}}}),
         .legacyOn = plus(minus(kStandardOn, {"fmStationGuide"}), {"autoOnOff"})},
        {.name = "six preset family of 0x6026 fails",
         .target = 0x6026,
         .changes = join({basic({0x6B, 0}, 2), {{"vox[0]", 2}, {"vox[1]", 0}}}),
         .legacyOn = minus(kStandardOn, {"fmStationGuide"})},
        {.name = "VOX from key 0x12",
         .target = 0x6022,
         .chip0 = {{0x04, {0x2000}}, {0x12, {9, 8}}},
         .changes = {{"vox[0]", 9}, {"vox[1]", 8}},
         .legacyOn = {"smartNaviSystem"}},
        {.name = "legacy to bit 12 of 0x5920",
         .target = 0x5920,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = kTo12},
        {.name = "key 0x36 words 1, 2 and 4",
         .target = 0x5630,
         .chip0 = {{0x36, {0xFFFF, 1, 2, 3, 4}}},
         .changes = join({basic({1, 2}, 1), basic({4}, 4)}),
         .legacyOn = kFull15},
        {.name = "key 0x36 legacy read fails",
         .target = 0x5632,
         .changes = basic({0x20}, 1),
         .legacyOn = kStandardOn},
        {.name = "key 0x36 words 1 and 2",
         .target = 0x5553,
         .chip0 = {{0x36, {0, 0x11, 0x22, 0x33}}},
         .fm = Fm::Untouched,
         .changes = basic({0x11, 0x22}, 1)},
        {.name = "key 0x36 and VOX from key 0x17 clamped to two",
         .target = 0x6039,
         .chip0 = {{0x36, {0x0004, 0x0050}}, {0x17, {1, 2, 3}}},
         .fm = Fm::Untouched,
         .changes = join({basic({0x50}, 1), {{"vox[0]", 1}, {"vox[1]", 2}}}),
         .legacyOn = {"edr"}},
        {.name = "key 0x36 legacy and word 1",
         .target = 0x6042,
         .chip0 = {{0x36, {0xFFFF, 0x99}}},
         .fm = Fm::Untouched,
         .changes = basic({0x99}, 1),
         .legacyOn = kFull15},
        {.name = "background volume 12 becomes 4",
         .target = 0x6491,
         .chip0 = {{0x36, {0, 0x99}}, {0x3F, {0, 1, 2, 3, 4, 5, 6, 12}}},
         .changes = {{"basic[1]", 0x99}, {"backgroundVolume", 4}}},
        {.name = "background volume 9 is kept",
         .target = 0x6461,
         .chip0 = {{0x36, {0, 0x99}}, {0x3F, {0, 0, 0, 0, 0, 0, 0, 9}}},
         .changes = {{"basic[1]", 0x99}, {"backgroundVolume", 9}}},
        {.name = "background volume read fails",
         .target = 0x6481,
         .changes = basic({0x20}, 1),
         .legacyOn = kStandardOn},
        {.name = "rebuilt key 0x36 legacy of 0x3341",
         .target = 0x3341,
         .chip0 = {{0x36, {0x0010, 0x77}}},
         .fm = Fm::Untouched,
         .changes = basic({0x77}, 1),
         .legacyOn = {"plc"}},
        {.name = "key 0x04 legacy and word 1",
         .target = 0x4050,
         .chip0 = {{0x04, {0xFFFF, 0x42}}},
         .changes = basic({0x42}, 1),
         .legacyOn = kFull15},
        {.name = "key 0x04 legacy and word 1 fail",
         .target = 0x3300,
         .changes = basic({0x20}, 1),
         .legacyOn = kStandardOn},
        {.name = "legacy of 0x5576", .target = 0x5576, .chip0 = {{0x04, {0xFFFF}}}, .legacyOn = kFull15},
        {.name = "legacy, VOX and smart volume",
         .target = 0x5428,
         .chip0 = {{0x04, {0x0002, 0x44}}, {0x14, {6}}, {0x03, {1, 2}}},
         .changes = {{"basic[1]", 0x44}, {"vox[0]", 6}, {"smartVolume[0]", 1}, {"smartVolume[1]", 2}},
         .legacyOn = {"intercomVOX"}},
        {.name = "legacy, VOX and smart volume fail",
         .target = 0x5426,
         .changes = {{"basic[1]", 0x20}, {"vox[0]", 3}, {"smartVolume[0]", 0}, {"smartVolume[1]", 0}},
         .legacyOn = kStandardOn},
        {.name = "other models read the legacy word",
         .target = 0x6700,
         .chip0 = {{0x04, {0xFFFF}}},
         .legacyOn = kFull15},
        {.name = "VOX of 0x5520 falls back",
         .target = 0x5520,
         .chip0 = {{0x04, {0xFFFF}}},
         .changes = {{"vox[0]", 3}, {"vox[1]", 0}},
         .legacyOn = kFull15},
        {.name = "camera below 2.0 reads key 0x07 only",
         .target = 0x5510,
         .version = {1, 9},
         .chip0 = {{0x07, {1, 2}}, {0x1C, {5, 6}}},
         .changes = {{"camera[0]", 1}, {"camera[1]", 2}},
         .legacyOn = kStandardOn},
        {.name = "camera from 2.0 falls back on both keys",
         .target = 0x5510,
         .version = {2, 0},
         .changes = {{"camera[0]", 0x07C0}, {"camera[1]", 0}, {"camera[2]", 0x14}, {"camera[3]", 0}},
         .legacyOn = kStandardOn},
        {.name = "camera key 0x1C clamped to two words",
         .target = 0x5510,
         .version = {2, 0},
         .chip0 = {{0x07, {1, 2, 3}}, {0x1C, {5, 6, 7}}},
         .changes = {{"camera[0]", 1}, {"camera[1]", 2}, {"camera[2]", 5}, {"camera[3]", 6}},
         .legacyOn = kStandardOn},
        {.name = "smart volume and VOX from 1.1",
         .target = 0x5622,
         .version = {1, 1},
         .chip0 = {{0x03, {3, 4}}, {0x14, {5, 6}}},
         .changes = {{"smartVolume[0]", 3}, {"smartVolume[1]", 4}, {"vox[0]", 5}, {"vox[1]", 6}},
         .legacyOn = kStandardOn},
        {.name = "smart volume without VOX below 1.1",
         .target = 0x5624,
         .version = {1, 0},
         .chip0 = {{0x14, {5, 6}}},
         .changes = {{"smartVolume[0]", 0}, {"smartVolume[1]", 0}},
         .legacyOn = kStandardOn},
        {.name = "VOX of 0x5623 from 1.1",
         .target = 0x5623,
         .version = {1, 1},
         .chip0 = {{0x14, {2, 2}}},
         .changes = {{"vox[0]", 2}, {"vox[1]", 2}},
         .legacyOn = kStandardOn},
        {.name = "VOX of 0x6400 falls back",
         .target = 0x6400,
         .changes = {{"vox[0]", 3}, {"vox[1]", 0}},
         .legacyOn = kStandardOn},
    };
}

// A mark in every field, so that a field the read leaves alone is seen to stay.
Record markedRecord() {
    Record r;
    int k = 0;
    for (const auto& [name, value] : fieldsOf(r)) setField(r, name, 0x7000 + k++);
    for (const std::string& name : legacyFieldNames()) setField(r, name, 7);
    r.setFmRadioRegion(3);
    r.setBackgroundVolume(77);
    return r;
}

Fields expectedFields(const ReadCase& c, const Record& marked) {
    Record r = marked;
    for (const std::string& name : legacyFieldNames()) setField(r, name, 0);
    auto fm = [&](const Words& w, int presets) {
        r.setFmRadioMagicCode(w[0]);
        r.setFmRadioCurrentFrequency(w[1]);
        r.setFmRadioCurrentPreset(w[2]);
        for (int i = 0; i < Record::kFMPresets; ++i)
            r.setFmRadioPresetsAt(i, i < presets ? w[3 + static_cast<size_t>(i)] : 0);
        r.setFmRadioRDS(w[3 + static_cast<size_t>(presets)]);
        r.setFmRadioRegion(w[4 + static_cast<size_t>(presets)]);
    };
    switch (c.fm) {
        case Fm::Failed:
            fm({0x56E9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 10);
            break;
        case Fm::Untouched:
            break;
        case Fm::Zero:
            fm(Words(15, 0), 10);
            break;
        case Fm::Read15:
        case Fm::Read15Chip1:
        case Fm::ReadShort:
            fm(kFmWords, 10);
            break;
        case Fm::Read11:
            fm(kFm11Words, 6);
            break;
    }
    for (const auto& [name, value] : c.changes) setField(r, name, value);
    for (const std::string& name : c.legacyOn) setField(r, name, 1);
    return fieldsOf(r);
}

class HidSettingsRead : public HidSettingsTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(HidSettingsRead, ModelGroupFillsTheRecordFromItsBlocks) {
    const ReadCase& c = GetParam();
    const bool twoChips = c.twoChips || !c.chip1.empty();
    ASSERT_NO_FATAL_FAILURE(plug(c.target, twoChips));
    for (const auto& [key, words] : c.chip0) chip(0).setBlock(key, words);
    for (const auto& [key, words] : c.chip1) chip(1).setBlock(key, words);
    for (const auto& [key, words] : c.short0) chip(0).setShortBlock(key, words);
    for (const auto& [key, count] : c.claimedCounts) chip(0).claimWordCount(key, count);
    chip(0).setAddress({1, 2, 3, 4, 5, 6});
    if (c.fm == Fm::Read15) chip(0).setBlock(0x15, kFmWords);
    if (c.fm == Fm::Read11) chip(0).setBlock(0x15, kFm11Words);
    if (c.fm == Fm::ReadShort) chip(0).setShortBlock(0x08, kFmWords);

    const Record marked = markedRecord();
    data() = marked;
    setVersion(c.version.major, c.version.minor, c.version.secondary);
    readHidSettings(ctx);

    EXPECT_EQ(fieldsOf(data()), expectedFields(c, marked));
    int32_t speaker = c.speakerType;
    if (speaker == -1) {
        Record fromWords;
        fromWords.setBasicSetting20At(4, c.chip0.at(0x04).at(4));
        speaker = fromWords.GetBasicSetting50SpeakerAccessorySelect();
    }
    EXPECT_EQ(controller.speaker, speaker);
}

std::string caseName(const ::testing::TestParamInfo<ReadCase>& info) {
    std::string name;
    bool upper = true;
    for (const char* p = info.param.name; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Groups, HidSettingsRead, ::testing::ValuesIn(cases()), caseName);

}  // namespace
}  // namespace recognition::testing
