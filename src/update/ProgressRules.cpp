#include "update/ProgressRules.h"

#include <algorithm>
#include <array>

namespace update {

namespace {

constexpr int32_t kPhaseA[] = {0x4210, 0x4310, 0x4330, 0x4430, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410};

// Phase set B; its first 77 codes are also the quiet-status set.
constexpr int32_t kPhaseB[] = {
    0x3110, 0x3146, 0x3140, 0x3132, 0x3260, 0x321C, 0x3210, 0x3218, 0x3214, 0x3217, 0x3212, 0x3216, 0x321A, 0x3219,
    0x3211, 0x3215, 0x3264, 0x3232, 0x3233, 0x3240, 0x3156, 0x3213, 0x3148, 0x3154, 0x3320, 0x3134, 0x3900, 0x3170,
    0x6800, 0x683A, 0x6A04, 0x6A01, 0x6A02, 0x6A03, 0x6828, 0x6838, 0x6840, 0x6839, 0x6821, 0x6825, 0x6804, 0x6815,
    0x6822, 0x6810, 0x6806, 0x6808, 0x6811, 0x6805, 0x6817, 0x6812, 0x6801, 0x6816, 0x6802, 0x6803, 0x6814, 0x6831,
    0x6824, 0x5552, 0x5553, 0x5630, 0x5632, 0x6510, 0x6500, 0x3161, 0x3150, 0x6700, 0x6620, 0x3116, 0x3118, 0x3136,
    0x3800, 0x3142, 0x3124, 0x3144, 0x3152, 0x3126, 0x3128, 0x3112, 0x3114, 0x3500, 0x3550, 0x3560, 0x3570, 0x3540};
static_assert(std::size(kPhaseB) == 84);

// Phase set B without these models.
constexpr int32_t kNotQuiet[] = {0x6700, 0x6620, 0x3500, 0x3550, 0x3560, 0x3570, 0x3540};

constexpr int32_t kPhaseC[] = {0x4D16, 0x4D76, 0x4D06, 0x4D86};

constexpr int32_t kSlowStep[] = {
    0x5610, 0x6481, 0x6491, 0x6461, 0x5611, 0x5612, 0x5620, 0x5621, 0x5520, 0x6112, 0x6114, 0x5424, 0x5434, 0x5430,
    0x5432, 0x5428, 0x5426, 0x5534, 0x5538, 0x3420, 0x3430, 0x3340, 0x3341, 0x5590, 0x6042, 0x321B, 0x3085, 0x3052,
    0x3072, 0x3082, 0x6038, 0x6039, 0x3350, 0x3360, 0x3370, 0x3410, 0x6900, 0x6910, 0x5440, 0x5441, 0x5442, 0x5443,
    0x5444, 0x5445, 0x3400, 0x6600, 0x6610, 0x5595, 0x5596, 0x3380, 0x3701, 0x5591, 0x5597, 0x5592, 0x5593, 0x5594,
    0x4023, 0x3300, 0x3070, 0x3080, 0x3310, 0x3330, 0x6310, 0x6320, 0x6335, 0x6330, 0x5564, 0x4050, 0x5530, 0x5532,
    0x5550, 0x5710, 0x5623, 0x5622, 0x5624, 0x5524, 0x5560, 0x5562, 0x5536, 0x5522, 0x3030, 0x3032, 0x3050, 0x3040,
    0x6210, 0x6400, 0x5526, 0x5720, 0x5320, 0x5330, 0x5910, 0x5920, 0x6010, 0x6018, 0x6012, 0x6014, 0x6016, 0x6026,
    0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x5410, 0x5412, 0x5414, 0x5420, 0x5418, 0x5416};
static_assert(std::size(kSlowStep) == 109);

constexpr int32_t kCamera[] = {0x5510, 0x5580, 0x5570, 0x5576, 0x3060};
constexpr int32_t kPlainStep[] = {0x5345};

constexpr int32_t kReconfigure[] = {0x4D10, 0x4D30, 0x4D40, 0x5010, 0x5060, 0x5061, 0x5011, 0x5020, 0x5070};

constexpr DisplayRuleSet kSets[] = {
    {DisplayRule::PhaseA, kPhaseA},     {DisplayRule::PhaseB, kPhaseB},         {DisplayRule::PhaseC, kPhaseC},
    {DisplayRule::SlowStep, kSlowStep}, {DisplayRule::CameraStep, kCamera}, {DisplayRule::PlainStep, kPlainStep},
};

bool holds(std::span<const int32_t> set, int32_t model) { return std::find(set.begin(), set.end(), model) != set.end(); }

int32_t shownAtMost(int32_t value) { return std::min(value, kHighestShown); }

void defaultRule(UpdatePageFields& f) {
    if (f.openedMessageBox.load()) return;
    const int32_t a = f.addUpdateProcessed.load();
    const int32_t p = f.updateProcessed.load();
    if (a > 0) {
        if (p < a) f.updateProcessed = shownAtMost(p + 1);
    } else if (const int32_t span = f.updateTimerPercentToProcess.load(); span > 0) {
        const int32_t ticks = std::min(f.updateTimerProcessTime.load() + 1, 62);
        f.updateTimerProcessTime = ticks;
        f.updateProcessed = shownAtMost(f.updateTimerProcessed.load() + ticks * span / 62);
    }
}

// Phase rules A and B: what a phase value shows after t ticks of its phase.
struct Phase {
    int32_t value;
    int32_t (*shown)(int32_t t);
};
constexpr Phase kPhasesA[] = {
    {86, [](int32_t t) { return std::min(86 + (t * 100 / 40 * 14) / 100, 99); }},
    {4, [](int32_t t) { return std::min(4 + (t * 100 / 245 * 82) / 100, 85); }},
};
constexpr Phase kPhasesB[] = {
    {89, [](int32_t t) { return std::min(89 + (t * 100 / 40 * 14) / 100, kHighestShown); }},
    {4, [](int32_t t) { return std::min(4 + ((t / 5) * 85) / 100, 88); }},
};

void phaseRule(UpdatePageFields& f, std::span<const Phase> phases) {
    const int32_t a = f.addUpdateProcessed.load();
    if (a <= 3) {
        f.updateProcessed = a;
        return;
    }
    if (a == 99) {
        f.addUpdateProcessed = 100;
        f.updateProcessed = 99;
        return;
    }
    for (const Phase& phase : phases) {
        if (phase.value != a) continue;
        const int32_t t = f.updateTimerProcessed.load() + 1;
        f.updateTimerProcessed = t;
        f.updateProcessed = phase.shown(t);
        return;
    }
}

void slowStepRule(UpdatePageFields& f, DisplayCounters& c) {
    const int32_t p = f.updateProcessed.load();
    if (p <= 0) {
        f.updateProcessed = p + 1;
        return;
    }
    if (f.openedMessageBox.load() || p >= f.addUpdateProcessed.load()) return;
    if (c.stepWaitCount++ >= 3) {
        c.stepWaitCount = 0;
        f.updateProcessed = shownAtMost(p + 1);
    }
}

void cameraStepRule(UpdatePageFields& f, DisplayCounters& c) {
    const int32_t p = f.updateProcessed.load();
    if (p <= 0) {
        f.updateProcessed = p + 1;
        return;
    }
    if (f.openedMessageBox.load() || p >= f.addUpdateProcessed.load()) return;
    if (!c.cameraStepFirst) {
        c.cameraStepFirst = true;
    } else if (!c.cameraStepSecond) {
        c.cameraStepSecond = true;
    } else if (p % 2 == 1 && p % 3 != 0) {
        f.updateProcessed = shownAtMost(p + 1);
    } else if (!c.cameraStepThird) {
        c.cameraStepThird = true;
    } else {
        f.updateProcessed = shownAtMost(p + 1);
        c.cameraStepFirst = c.cameraStepSecond = c.cameraStepThird = false;
    }
}

}  // namespace

std::span<const DisplayRuleSet> displayRuleSets() { return kSets; }

DisplayRule displayRuleFor(int32_t model) {
    for (const DisplayRuleSet& set : kSets)
        if (holds(set.models, model)) return set.rule;
    return DisplayRule::Default;
}

bool isQuietStatusModel(int32_t model) { return holds(kPhaseB, model) && !holds(kNotQuiet, model); }

bool isReconfigureModel(int32_t model) { return holds(kReconfigure, model); }

DisplayCounters& processDisplayCounters() {
    static DisplayCounters counters;
    return counters;
}

void applyDisplayRule(DisplayRule rule, UpdatePageFields& f, DisplayCounters& counters) {
    switch (rule) {
        case DisplayRule::Default:
            defaultRule(f);
            break;
        case DisplayRule::PhaseA:
            phaseRule(f, kPhasesA);
            break;
        case DisplayRule::PhaseC:
            if (f.openedMessageBox.load()) break;
            [[fallthrough]];
        case DisplayRule::PhaseB:
            phaseRule(f, kPhasesB);
            break;
        case DisplayRule::SlowStep:
            slowStepRule(f, counters);
            break;
        case DisplayRule::CameraStep:
            cameraStepRule(f, counters);
            break;
        case DisplayRule::PlainStep:
            if (const int32_t p = f.updateProcessed.load(); p <= 94) f.updateProcessed = p + 1;
            break;
    }
}

}  // namespace update
