// How the page's one-second timer moves the shown percentage toward the worker's phase value,
// by the model's set, and which models end quietly or with the advice to pair again. The sets
// are data; one routine per rule.
#pragma once

#include <cstdint>
#include <span>

#include "update/UpdatePageFields.h"

namespace update {

enum class DisplayRule { Default, PhaseA, PhaseB, PhaseC, SlowStep, CameraStep, PlainStep };

// The sets in the order they are tested; the first that holds the model picks the rule.
struct DisplayRuleSet {
    DisplayRule rule;
    std::span<const int32_t> models;
};
std::span<const DisplayRuleSet> displayRuleSets();
DisplayRule displayRuleFor(int32_t model);

// Models whose running or ended operation never shows its status as a warning.
bool isQuietStatusModel(int32_t model);
// Models that, after a success, advise pairing again and reconfiguring.
bool isReconfigureModel(int32_t model);

// Counters of the slow-step and camera rules, kept for the life of the process.
struct DisplayCounters {
    int32_t stepWaitCount = 0;
    bool cameraStepFirst = false, cameraStepSecond = false, cameraStepThird = false;
};
DisplayCounters& processDisplayCounters();

// The highest value a rule shows before the worker ends: 100 is the worker's alone.
constexpr int32_t kHighestShown = 99;

// One tick of the rule on the fields (updateProcessed and the rule's own fields).
void applyDisplayRule(DisplayRule rule, UpdatePageFields& f, DisplayCounters& counters);

}  // namespace update
