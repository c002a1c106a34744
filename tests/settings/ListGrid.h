// The grid of inputs on which the list's tables are checked as a whole: every id of the list set,
// every firmware version its tables name (with the one just below), both FM options, speaker types
// inside and outside 0 to 7, the statuses recognition stores and both motion-sensor options.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ListFixture.h"
#include "settings/RowCounts.h"
#include "settings/RowLayouts.h"

namespace settings::testing {

inline std::string hex(uint16_t id) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04X", id);
    return buf;
}

// The product ids whose settings page shows the list in place of the fixed form.
inline const std::vector<uint16_t> kListSet = {
    0x2030, 0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110,
    0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3136, 0x3140, 0x3144, 0x3146,
    0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
    0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321B, 0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3300,
    0x3310, 0x3320, 0x3330, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380, 0x3400, 0x3410, 0x3420, 0x3430,
    0x3500, 0x3540, 0x3560, 0x3570, 0x3701, 0x3800, 0x3900, 0x4023, 0x4050, 0x4210, 0x4310, 0x4330, 0x4410,
    0x4430, 0x4510, 0x4530, 0x4610, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428,
    0x5430, 0x5432, 0x5434, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445, 0x5510, 0x5520, 0x5522, 0x5524,
    0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5538, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5564, 0x5570,
    0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5596, 0x5597, 0x5610, 0x5611, 0x5612,
    0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5630, 0x5632, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012,
    0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038,
    0x6039, 0x6042, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400, 0x6461, 0x6481, 0x6491,
    0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6806, 0x6808, 0x6810, 0x6811, 0x6812,
    0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838, 0x6839, 0x683A,
    0x6840, 0x6900, 0x6910, 0x6A01, 0x6A02, 0x6A03, 0x6A04,
};

// In the list set, but no table gives them rows: they show an empty list.
inline const std::set<uint16_t> kListSetWithoutRows = {0x3052, 0x3072, 0x3082};

// ---- the grid of inputs ----------------------------------------------------------------------------

inline void addVersionsOf(const Condition& c, std::set<std::tuple<int, int, int, int>>& out) {
    const auto justBelow = [&](int a, int b) {
        if (b > 0) out.insert({a, b - 1, 0, 99});
        else out.insert({a - 1, 99, 0, 99});
    };
    switch (c.test) {
        case Test::Below:
        case Test::From:
            out.insert({c.a, c.b, 0, 0});
            justBelow(c.a, c.b);
            break;
        case Test::Below3:
        case Test::From3:
            out.insert({c.a, c.b, 0, c.c});
            if (c.c > 0) out.insert({c.a, c.b, 0, c.c - 1});
            else justBelow(c.a, c.b);
            break;
        case Test::BelowFull:
        case Test::FromFull:
            out.insert({c.a, c.b, c.c, c.d});
            out.insert({c.a, c.b, c.c, c.d - 1});
            out.insert({c.a, c.b, 1, c.d});  // type 1 ranks below every other type
            justBelow(c.a, c.b);
            break;
        default: break;
    }
}

// The firmware versions that the tables name for one id, each with the version just below it.
inline std::vector<Version> versionsFor(uint16_t id) {
    std::set<std::tuple<int, int, int, int>> found = {{0, 0, 0, 0}, {99, 99, 0, 0}};
    if (const CountLine* line = countLineFor(id))
        for (const CountStep& step : line->steps)
            for (const Condition& c : step.when) addVersionsOf(c, found);
    if (const SelectionGroup* group = groupFor(id))
        for (const LayoutChoice& choice : group->choices)
            for (const Condition& c : choice.when) addVersionsOf(c, found);
    std::vector<Version> versions;
    for (const auto& [a, b, t, s] : found) versions.push_back({a, b, t, s});
    return versions;
}

// Every option on the grid for the given versions; f(ListCase&, const Version&) may set values of
// the edit copy before it reads the inputs.
template <typename F>
void forEachCase(uint16_t id, const std::vector<Version>& versions, F&& f) {
    for (const Version& v : versions)
        for (int32_t fm : {3, 4})
            for (int32_t speaker : {-1, 0, 7, 8})
                for (int32_t status : {0, 1, 2, 6, 7})
                    for (int32_t motion : {5, 6}) {
                        ListCase c(id, v);
                        c.fm(fm).speaker(speaker).status(status).motion(motion);
                        f(c, v);
                    }
}

template <typename F>
void forEachInput(uint16_t id, F&& f) {
    forEachCase(id, versionsFor(id), [&](ListCase& c, const Version& v) { f(c.in, v); });
}

inline std::string describeInput(const ListInputs& in, const Version& v) {
    return hex(in.deviceTarget) + " at " + std::to_string(v.major) + "." + std::to_string(v.minor) + " type " +
           std::to_string(v.type) + " secondary " + std::to_string(v.secondary) + ", fm " +
           std::to_string(in.fmRadioShowAndHide) + ", speaker " + std::to_string(in.device50SpeakerType) + ", status " +
           std::to_string(in.deviceInfoStatus) + ", motion " + std::to_string(in.motionSensorShowAndHide);
}

}  // namespace settings::testing
