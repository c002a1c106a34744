// How the timer moves the shown percentage, by the model's set.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "update/ProgressRules.h"

namespace {

using update::DisplayCounters;
using update::DisplayRule;
using update::UpdatePageFields;

struct RuleCase {
    const char* name;
    int32_t model;
    int32_t a;                         // addUpdateProcessed
    int32_t p, t, percent, processTime;  // start values
    bool openedMessageBox;
    // (tick number, shown value after it)
    std::vector<std::pair<int, int32_t>> shown;
};

const RuleCase kRuleCases[] = {
    {"NothingReportedYet", 0x9999, 0, -1, 0, 0, 0, false, {{1, -1}, {5, -1}}},
    {"DefaultTimeEstimate", 0x9999, 0, 0, 20, 31, 0, false, {{1, 20}, {2, 21}, {61, 50}, {62, 51}, {80, 51}}},
    {"DefaultStepsToTarget", 0x9999, 30, 27, 0, 0, 0, false, {{1, 28}, {3, 30}, {10, 30}}},
    {"DefaultHoldsWhileBoxOpen", 0x9999, 30, 27, 0, 0, 0, true, {{10, 27}}},
    {"DefaultTargetAbove99StopsAt99", 0x9999, 100, 97, 0, 0, 0, false, {{2, 99}, {5, 99}}},
    {"DefaultEstimateStopsAt99", 0x9999, 0, 0, 90, 31, 0, false, {{62, 99}}},
    {"PhaseAFirstPhase", 0x4210, 4, 0, 0, 0, 0, false, {{1, 4}, {242, 84}, {243, 85}, {400, 85}}},
    {"PhaseAFinalPhase", 0x4210, 86, 86, 0, 0, 0, false, {{37, 98}, {38, 99}, {60, 99}}},
    {"PhaseAIgnoresTheBox", 0x4310, 86, 86, 0, 0, 0, true, {{38, 99}}},
    {"PhaseAStartValueShownAsIs", 0x4210, 3, -1, 0, 0, 0, false, {{1, 3}}},
    {"PhaseBFirstPhase", 0x6838, 4, 0, 0, 0, 0, false, {{494, 87}, {495, 88}, {600, 88}}},
    {"PhaseBFinalPhaseNeverPasses99", 0x6838, 89, 89, 0, 0, 0, false, {{28, 98}, {29, 99}, {200, 99}}},
    {"PhaseBNinetyNineMarksTheEnd", 0x6838, 99, 50, 0, 0, 0, false, {{1, 99}, {5, 99}}},
    {"PhaseCHoldsWhileBoxOpen", 0x4D16, 4, 0, 0, 0, 0, true, {{100, 0}}},
    {"PhaseCMovesWithoutBox", 0x4D16, 4, 0, 0, 0, 0, false, {{495, 88}}},
    {"PlainStepStopsAt95", 0x5345, 0, 90, 0, 0, 0, false, {{4, 94}, {5, 95}, {20, 95}}},
    {"SlowStepEveryFourthTick", 0x6042, 50, 10, 0, 0, 0, false, {{3, 10}, {4, 11}, {8, 12}}},
    {"SlowStepLeavesMinusOne", 0x6042, 50, -1, 0, 0, 0, false, {{1, 0}, {2, 1}}},
    {"SlowStepHoldsWhileBoxOpen", 0x6042, 50, 10, 0, 0, 0, true, {{20, 10}}},
    // 10 waits three ticks (even); 11 moves at once (odd, not a multiple of 3); 12 waits three.
    {"CameraPattern", 0x5510, 50, 10, 0, 0, 0, false, {{3, 10}, {4, 11}, {5, 11}, {7, 12}, {8, 12}, {9, 13}}},
    {"CameraHoldsWhileBoxOpen", 0x3060, 50, 10, 0, 0, 0, true, {{20, 10}}},
};

class DisplayRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DisplayRules, ShownValueAfterTicks) {
    const RuleCase& c = GetParam();
    UpdatePageFields f;
    f.addUpdateProcessed = c.a;
    f.updateProcessed = c.p;
    f.updateTimerProcessed = c.t;
    f.updateTimerPercentToProcess = c.percent;
    f.updateTimerProcessTime = c.processTime;
    f.openedMessageBox = c.openedMessageBox;
    DisplayCounters counters;
    const DisplayRule rule = update::displayRuleFor(c.model);
    int tick = 0;
    for (auto [at, expected] : c.shown) {
        while (tick < at) {
            update::applyDisplayRule(rule, f, counters);
            ++tick;
        }
        EXPECT_EQ(f.updateProcessed.load(), expected) << "after tick " << at;
    }
}

INSTANTIATE_TEST_SUITE_P(Update, DisplayRules, ::testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayRuleSets, FirstMatchingSetPicksTheRuleAndSetsAreDisjoint) {
    struct Case {
        int32_t model;
        DisplayRule rule;
    };
    for (const Case& c : {Case{0x4210, DisplayRule::PhaseA}, Case{0x2030, DisplayRule::PhaseA},
                          Case{0x3110, DisplayRule::PhaseB}, Case{0x3540, DisplayRule::PhaseB},
                          Case{0x4D86, DisplayRule::PhaseC}, Case{0x5416, DisplayRule::SlowStep},
                          Case{0x3060, DisplayRule::CameraStep}, Case{0x5345, DisplayRule::PlainStep},
                          Case{0x4D10, DisplayRule::Default}, Case{0, DisplayRule::Default}})
        EXPECT_EQ(update::displayRuleFor(c.model), c.rule) << std::hex << c.model;
    std::set<int32_t> seen;
    size_t total = 0;
    for (const auto& set : update::displayRuleSets()) {
        seen.insert(set.models.begin(), set.models.end());
        total += set.models.size();
    }
    EXPECT_EQ(seen.size(), total);
    EXPECT_EQ(total, 9u + 84u + 4u + 109u + 5u + 1u);
}

TEST(DisplayRuleSets, QuietStatusIsPhaseBWithoutSevenModels) {
    int quiet = 0;
    for (const auto& set : update::displayRuleSets())
        for (int32_t m : set.models) quiet += update::isQuietStatusModel(m);
    EXPECT_EQ(quiet, 77);
    for (int32_t m : {0x6700, 0x6620, 0x3500, 0x3550, 0x3560, 0x3570, 0x3540, 0x4210})
        EXPECT_FALSE(update::isQuietStatusModel(m)) << std::hex << m;
    EXPECT_TRUE(update::isQuietStatusModel(0x6838));
    for (int32_t m : {0x4D10, 0x4D30, 0x4D40, 0x5010, 0x5060, 0x5061, 0x5011, 0x5020, 0x5070})
        EXPECT_TRUE(update::isReconfigureModel(m)) << std::hex << m;
    EXPECT_FALSE(update::isReconfigureModel(0x6838));
}

}  // namespace
