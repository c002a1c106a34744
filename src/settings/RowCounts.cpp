// The row-count table of the all-settings list, as given: one line per group of product ids, each
// an ordered list of (conditions, rows); lower firmware bounds come first and the first step that
// holds gives the count.
#include "settings/RowCounts.h"

#include <algorithm>

namespace settings {

namespace {

// clang-format off
constexpr uint16_t kIds0[] = {0x6828, 0x6A01, 0x6A02, 0x6A03, 0x6A04};
constexpr CountStep kSteps0[] = {{{}, 0}};
constexpr uint16_t kIds1[] = {0x3142, 0x3500, 0x3540, 0x4050, 0x5560, 0x5562, 0x5564};
constexpr CountStep kSteps1[] = {{{}, 1}};
constexpr uint16_t kIds2[] = {0x3085, 0x6310, 0x6461, 0x6481, 0x6491, 0x6801, 0x6802, 0x6803, 0x6815, 0x6816, 0x6822, 0x6824};
constexpr CountStep kSteps2[] = {{{}, 2}};
constexpr uint16_t kIds3[] = {0x3030, 0x3040, 0x3060, 0x3080, 0x3161};
constexpr CountStep kSteps3[] = {{{}, 3}};
constexpr uint16_t kIds4[] = {0x3152, 0x5630, 0x5632};
constexpr CountStep kSteps4[] = {{{}, 4}};
constexpr uint16_t kIds5[] = {0x5522, 0x5536, 0x5552, 0x5553, 0x6839, 0x6840};
constexpr CountStep kSteps5[] = {{{}, 5}};
constexpr uint16_t kIds6[] = {0x3136, 0x3400, 0x3800, 0x6020, 0x6022, 0x6024, 0x6320, 0x6330, 0x6335};
constexpr CountStep kSteps6[] = {{{}, 6}};
constexpr uint16_t kIds7[] = {0x3350, 0x3360, 0x6500, 0x6510, 0x6805, 0x6808, 0x6811, 0x6817};
constexpr CountStep kSteps7[] = {{{}, 7}};
constexpr uint16_t kIds8[] = {0x5595, 0x6114, 0x6806};
constexpr CountStep kSteps8[] = {{{}, 8}};
constexpr uint16_t kIds9[] = {0x3370, 0x3420, 0x3430, 0x3701, 0x5596, 0x6821, 0x6825, 0x6838, 0x683A};
constexpr CountStep kSteps9[] = {{{}, 9}};
constexpr uint16_t kIds10[] = {0x3118, 0x3341, 0x3380, 0x5532, 0x5720, 0x6026};
constexpr CountStep kSteps10[] = {{{}, 10}};
constexpr uint16_t kIds11[] = {0x321B, 0x3300, 0x3340, 0x5441, 0x6028, 0x6030, 0x6032, 0x6036, 0x6038, 0x6039, 0x6042, 0x6400};
constexpr CountStep kSteps11[] = {{{}, 11}};
constexpr uint16_t kIds12[] = {0x3410, 0x4410, 0x4430, 0x5576, 0x6112};
constexpr CountStep kSteps12[] = {{{}, 12}};
constexpr uint16_t kIds13[] = {0x2030, 0x4310, 0x4330, 0x4510, 0x4530, 0x5420, 0x6034};
constexpr CountStep kSteps13[] = {{{}, 13}};
constexpr uint16_t kIds14[] = {0x3260, 0x4610};
constexpr CountStep kSteps14[] = {{{}, 14}};
constexpr uint16_t kIds15[] = {0x3156, 0x3213, 0x3240};
constexpr CountStep kSteps15[] = {{{}, 15}};
constexpr uint16_t kIds16[] = {0x3140, 0x3215, 0x3320};
constexpr CountStep kSteps16[] = {{{}, 16}};
constexpr uint16_t kIds17[] = {0x3310, 0x3330};
constexpr CountStep kSteps17[] = {{{}, 17}};
constexpr uint16_t kIds18[] = {0x3146, 0x3232, 0x3233, 0x3264};
constexpr CountStep kSteps18[] = {{{}, 18}};
constexpr uint16_t kIds19[] = {0x3032, 0x3150};
constexpr CountStep kSteps19[] = {{{kFmHidden}, 2}, {{}, 3}};
constexpr uint16_t kIds20[] = {0x3070};
constexpr CountStep kSteps20[] = {{{kFmHidden}, 3}, {{}, 4}};
constexpr uint16_t kIds21[] = {0x3124, 0x3126, 0x3128, 0x3144};
constexpr CountStep kSteps21[] = {{{kFmHidden}, 4}, {{}, 5}};
constexpr uint16_t kIds22[] = {0x5592, 0x5594};
constexpr CountStep kSteps22[] = {{{kFmHidden}, 8}, {{}, 9}};
constexpr uint16_t kIds23[] = {0x5440, 0x5442, 0x5443, 0x5444, 0x5445, 0x5590, 0x5591, 0x5593, 0x5597, 0x6900, 0x6910};
constexpr CountStep kSteps23[] = {{{kFmHidden}, 9}, {{}, 10}};
constexpr uint16_t kIds24[] = {0x5534, 0x5538};
constexpr CountStep kSteps24[] = {{{kFmHidden}, 11}, {{}, 12}};
constexpr uint16_t kIds25[] = {0x5418, 0x5426};
constexpr CountStep kSteps25[] = {{{kFmHidden}, 12}, {{}, 13}};
constexpr uint16_t kIds26[] = {0x5424, 0x5428, 0x5430, 0x5432, 0x5434};
constexpr CountStep kSteps26[] = {{{kFmHidden}, 13}, {{}, 14}};
constexpr uint16_t kIds27[] = {0x3050};
constexpr CountStep kSteps27[] = {{{kFmHidden, below(1, 4)}, 2}, {{kFmHidden}, 1}, {{below(1, 4)}, 3}, {{}, 2}};
constexpr uint16_t kIds28[] = {0x3110};
constexpr CountStep kSteps28[] = {{{below(1, 1)}, 15}, {{below(2, 1)}, 16}, {{below(3, 0)}, 17}, {{below(3, 1)}, 16}, {{kFmHidden}, 18}, {{}, 19}};
constexpr uint16_t kIds29[] = {0x3112};
constexpr CountStep kSteps29[] = {{{below(1, 1)}, 15}, {{below(3, 0)}, 16}, {{below(3, 1)}, 15}, {{}, 17}};
constexpr uint16_t kIds30[] = {0x3114};
constexpr CountStep kSteps30[] = {{{below(1, 1)}, 15}, {{below(3, 0)}, 16}, {{}, 15}};
constexpr uint16_t kIds31[] = {0x3116};
constexpr CountStep kSteps31[] = {{{below(2, 0)}, 17}, {{}, 16}};
constexpr uint16_t kIds32[] = {0x3132, 0x3134};
constexpr CountStep kSteps32[] = {{{below(1, 1)}, 15}, {{kSpeakerKnown, below(1, 3)}, 18}, {{kSpeakerKnown, below(1, 4)}, 19}, {{kSpeakerKnown}, 20}, {{below(1, 3)}, 19}, {{below(1, 4)}, 20}, {{}, 21}};
constexpr uint16_t kIds33[] = {0x3148, 0x3154};
constexpr CountStep kSteps33[] = {{{below(1, 2)}, 18}, {{}, 19}};
constexpr uint16_t kIds34[] = {0x3170};
constexpr CountStep kSteps34[] = {{{below(1, 2)}, 15}, {{}, 16}};
constexpr uint16_t kIds35[] = {0x3210, 0x3218, 0x321C};
constexpr CountStep kSteps35[] = {{{below(1, 1)}, 15}, {{kSpeakerKnown, below(2, 2)}, 18}, {{kSpeakerKnown}, 19}, {{below(2, 2)}, 19}, {{}, 20}};
constexpr uint16_t kIds36[] = {0x3211};
constexpr CountStep kSteps36[] = {{{kSpeakerKnown, kFmShown, below(1, 3)}, 15}, {{kSpeakerKnown, kFmShown, below(4, 3)}, 16}, {{kSpeakerKnown, kFmShown}, 17}, {{kSpeakerKnown, below(1, 3)}, 14}, {{kSpeakerKnown, below(4, 3)}, 15}, {{kSpeakerKnown}, 16}, {{kFmShown, below(1, 3)}, 17}, {{kFmShown, below(4, 3)}, 18}, {{kFmShown}, 19}, {{below(1, 3)}, 16}, {{below(4, 3)}, 17}, {{}, 18}};
constexpr uint16_t kIds37[] = {0x3212, 0x3216, 0x321A};
constexpr CountStep kSteps37[] = {{{kSpeakerKnown, below(1, 2)}, 18}, {{kSpeakerKnown}, 19}, {{below(1, 2)}, 19}, {{}, 20}};
constexpr uint16_t kIds38[] = {0x3214};
constexpr CountStep kSteps38[] = {{{kSpeakerKnown, below(2, 5)}, 15}, {{kSpeakerKnown}, 17}, {{below(2, 5)}, 17}, {{}, 19}};
constexpr uint16_t kIds39[] = {0x3217};
constexpr CountStep kSteps39[] = {{{kSpeakerKnown, below(2, 1)}, 15}, {{kSpeakerKnown}, 16}, {{below(2, 1)}, 17}, {{}, 18}};
constexpr uint16_t kIds40[] = {0x3219};
constexpr CountStep kSteps40[] = {{{kSpeakerKnown}, 19}, {{}, 20}};
constexpr uint16_t kIds41[] = {0x3900};
constexpr CountStep kSteps41[] = {{{below(1, 1)}, 15}, {{kSpeakerKnown}, 18}, {{}, 19}};
constexpr uint16_t kIds42[] = {0x3560};
constexpr CountStep kSteps42[] = {{{below3(1, 4, 3)}, 2}, {{}, 3}};
constexpr uint16_t kIds43[] = {0x3570};
constexpr CountStep kSteps43[] = {{{below3(1, 4, 3)}, 1}, {{}, 3}};
constexpr uint16_t kIds44[] = {0x4023};
constexpr CountStep kSteps44[] = {{{below(2, 3)}, 5}, {{}, 6}};
constexpr uint16_t kIds45[] = {0x4210};
constexpr CountStep kSteps45[] = {{{below(1, 1)}, 4}, {{below(1, 2)}, 6}, {{below(1, 5)}, 11}, {{statusIs(1), below(2, 5)}, 13}, {{statusIs(1)}, 15}, {{belowFull(2, 0, 2, 3)}, 13}, {{below(2, 2)}, 15}, {{kFmHidden, motionIs(5)}, 14}, {{kFmHidden, motionIs(6)}, 13}, {{fmIs(3), motionIs(6)}, 14}, {{}, 15}};
constexpr uint16_t kIds46[] = {0x5410};
constexpr CountStep kSteps46[] = {{{below(1, 1)}, 7}, {{below(2, 0)}, 8}, {{}, 12}};
constexpr uint16_t kIds47[] = {0x5412};
constexpr CountStep kSteps47[] = {{{kFmHidden}, 12}, {{below(1, 1)}, 12}, {{}, 13}};
constexpr uint16_t kIds48[] = {0x5414};
constexpr CountStep kSteps48[] = {{{below(1, 1)}, 12}, {{}, 13}};
constexpr uint16_t kIds49[] = {0x5416};
constexpr CountStep kSteps49[] = {{{below(1, 1)}, 11}, {{below(1, 2)}, 12}, {{}, 13}};
constexpr uint16_t kIds50[] = {0x5510};
constexpr CountStep kSteps50[] = {{{below(2, 0)}, 18}, {{below(2, 2)}, 22}, {{below(3, 0)}, 23}, {{}, 25}};
constexpr uint16_t kIds51[] = {0x5520};
constexpr CountStep kSteps51[] = {{{below(1, 1)}, 8}, {{below(1, 3)}, 9}, {{below(2, 0)}, 10}, {{kFmHidden}, 11}, {{}, 12}};
constexpr uint16_t kIds52[] = {0x5524};
constexpr CountStep kSteps52[] = {{{below(1, 1)}, 4}, {{below(2, 0)}, 5}, {{}, 7}};
constexpr uint16_t kIds53[] = {0x5526};
constexpr CountStep kSteps53[] = {{{below(2, 0)}, 10}, {{}, 12}};
constexpr uint16_t kIds54[] = {0x5530};
constexpr CountStep kSteps54[] = {{{below(1, 4)}, 8}, {{below(2, 0)}, 10}, {{kFmHidden}, 10}, {{}, 11}};
constexpr uint16_t kIds55[] = {0x5550};
constexpr CountStep kSteps55[] = {{{below(1, 2)}, 6}, {{below(2, 0)}, 5}, {{}, 7}};
constexpr uint16_t kIds56[] = {0x5570};
constexpr CountStep kSteps56[] = {{{below(1, 4)}, 11}, {{kFmHidden}, 12}, {{}, 13}};
constexpr uint16_t kIds57[] = {0x5580};
constexpr CountStep kSteps57[] = {{{below(2, 0)}, 9}, {{below(2, 6)}, 11}, {{}, 13}};
constexpr uint16_t kIds58[] = {0x5610, 0x5611, 0x5612, 0x5620, 0x5621};
constexpr CountStep kSteps58[] = {{{below(1, 1)}, 7}, {{below(2, 0)}, 8}, {{}, 11}};
constexpr uint16_t kIds59[] = {0x5622};
constexpr CountStep kSteps59[] = {{{below(1, 1)}, 8}, {{below(2, 0)}, 9}, {{}, 12}};
constexpr uint16_t kIds60[] = {0x5623};
constexpr CountStep kSteps60[] = {{{below(1, 1)}, 8}, {{below(2, 0)}, 9}, {{}, 11}};
constexpr uint16_t kIds61[] = {0x5624};
constexpr CountStep kSteps61[] = {{{below(1, 1)}, 8}, {{below(2, 0)}, 9}, {{}, 10}};
constexpr uint16_t kIds62[] = {0x5710};
constexpr CountStep kSteps62[] = {{{below(1, 2)}, 8}, {{}, 9}};
constexpr uint16_t kIds63[] = {0x5910, 0x5920};
constexpr CountStep kSteps63[] = {{{below(1, 1)}, 8}, {{}, 9}};
constexpr uint16_t kIds64[] = {0x6010, 0x6012};
constexpr CountStep kSteps64[] = {{{below(1, 2)}, 11}, {{}, 12}};
constexpr uint16_t kIds65[] = {0x6014, 0x6016};
constexpr CountStep kSteps65[] = {{{below(1, 2)}, 9}, {{}, 10}};
constexpr uint16_t kIds66[] = {0x6018};
constexpr CountStep kSteps66[] = {{{below(1, 1)}, 9}, {{}, 10}};
constexpr uint16_t kIds67[] = {0x6210};
constexpr CountStep kSteps67[] = {{{below(2, 0)}, 8}, {{}, 10}};
constexpr uint16_t kIds68[] = {0x6800, 0x6810};
constexpr CountStep kSteps68[] = {{{below(1, 2)}, 7}, {{}, 8}};
constexpr uint16_t kIds69[] = {0x6804};
constexpr CountStep kSteps69[] = {{{below3(1, 0, 1)}, 6}, {{}, 7}};
constexpr uint16_t kIds70[] = {0x6812};
constexpr CountStep kSteps70[] = {{{below3(1, 0, 4)}, 6}, {{}, 7}};
constexpr uint16_t kIds71[] = {0x6814, 0x6831};
constexpr CountStep kSteps71[] = {{{below3(1, 3, 2)}, 2}, {{}, 3}};

constexpr CountLine kLines[] = {
    {kIds0, kSteps0},
    {kIds1, kSteps1},
    {kIds2, kSteps2},
    {kIds3, kSteps3},
    {kIds4, kSteps4},
    {kIds5, kSteps5},
    {kIds6, kSteps6},
    {kIds7, kSteps7},
    {kIds8, kSteps8},
    {kIds9, kSteps9},
    {kIds10, kSteps10},
    {kIds11, kSteps11},
    {kIds12, kSteps12},
    {kIds13, kSteps13},
    {kIds14, kSteps14},
    {kIds15, kSteps15},
    {kIds16, kSteps16},
    {kIds17, kSteps17},
    {kIds18, kSteps18},
    {kIds19, kSteps19},
    {kIds20, kSteps20},
    {kIds21, kSteps21},
    {kIds22, kSteps22},
    {kIds23, kSteps23},
    {kIds24, kSteps24},
    {kIds25, kSteps25},
    {kIds26, kSteps26},
    {kIds27, kSteps27},
    {kIds28, kSteps28},
    {kIds29, kSteps29},
    {kIds30, kSteps30},
    {kIds31, kSteps31},
    {kIds32, kSteps32},
    {kIds33, kSteps33},
    {kIds34, kSteps34},
    {kIds35, kSteps35},
    {kIds36, kSteps36},
    {kIds37, kSteps37},
    {kIds38, kSteps38},
    {kIds39, kSteps39},
    {kIds40, kSteps40},
    {kIds41, kSteps41},
    {kIds42, kSteps42},
    {kIds43, kSteps43},
    {kIds44, kSteps44},
    {kIds45, kSteps45},
    {kIds46, kSteps46},
    {kIds47, kSteps47},
    {kIds48, kSteps48},
    {kIds49, kSteps49},
    {kIds50, kSteps50},
    {kIds51, kSteps51},
    {kIds52, kSteps52},
    {kIds53, kSteps53},
    {kIds54, kSteps54},
    {kIds55, kSteps55},
    {kIds56, kSteps56},
    {kIds57, kSteps57},
    {kIds58, kSteps58},
    {kIds59, kSteps59},
    {kIds60, kSteps60},
    {kIds61, kSteps61},
    {kIds62, kSteps62},
    {kIds63, kSteps63},
    {kIds64, kSteps64},
    {kIds65, kSteps65},
    {kIds66, kSteps66},
    {kIds67, kSteps67},
    {kIds68, kSteps68},
    {kIds69, kSteps69},
    {kIds70, kSteps70},
    {kIds71, kSteps71},
};
// clang-format on

}  // namespace

std::span<const CountLine> rowCountLines() { return kLines; }

const CountLine* countLineFor(uint16_t productId) {
    for (const CountLine& line : kLines)
        if (std::find(line.productIds.begin(), line.productIds.end(), productId) != line.productIds.end()) return &line;
    return nullptr;
}

int32_t countedRows(const ListInputs& in) {
    const CountLine* line = countLineFor(in.deviceTarget);
    if (!line) return 0;
    for (const CountStep& step : line->steps)
        if (holds(step.when, in)) return step.rows;
    return 0;
}

}  // namespace settings
