// Layouts of the all-settings list and how a model picks one. A layout is an ordered list of row
// kinds; a selection group names its product ids and an ordered list of (conditions, layout), the
// first whose conditions all hold wins; an id in no group has no rows. Each family keeps its
// groups in a data file of its own (…Layouts.cpp) and exposes them through one function declared
// below; allLayoutFamilies() lists every family, which is how the engine and the table check find
// them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "settings/ListInputs.h"
#include "settings/RowKind.h"

namespace settings {

// One test on the inputs of the list (ListInputs.h).
enum class Test : uint8_t {
    Always,
    Below,          // firmware of data below a.b (major, then minor)
    From,           // a.b or later
    Below3,         // below a.b.c (the secondary version decides last)
    From3,
    BelowFull,      // full comparison with a.b, secondary type c, secondary version d is negative
    FromFull,
    FmShown,        // fmRadioShowAndHide is not 4
    FmHidden,       // it is 4
    FmIs,           // fmRadioShowAndHide == a
    SpeakerKnown,   // device50SpeakerType in 0..7
    SpeakerNegative,
    SpeakerAbove7,
    SpeakerOther,   // negative or above 7
    StatusIs,       // deviceInfoStatus == a
    StatusIsNot,
    MotionIs,       // motionSensorShowAndHide == a
    MotionIsNot,
};

struct Condition {
    Test test = Test::Always;
    int32_t a = 0, b = 0, c = 0, d = 0;
};

constexpr Condition below(int32_t major, int32_t minor) { return {Test::Below, major, minor}; }
constexpr Condition from(int32_t major, int32_t minor) { return {Test::From, major, minor}; }
constexpr Condition below3(int32_t major, int32_t minor, int32_t third) { return {Test::Below3, major, minor, third}; }
constexpr Condition from3(int32_t major, int32_t minor, int32_t third) { return {Test::From3, major, minor, third}; }
constexpr Condition belowFull(int32_t major, int32_t minor, int32_t type, int32_t secondary) {
    return {Test::BelowFull, major, minor, type, secondary};
}
constexpr Condition fromFull(int32_t major, int32_t minor, int32_t type, int32_t secondary) {
    return {Test::FromFull, major, minor, type, secondary};
}
inline constexpr Condition kFmShown{Test::FmShown};
inline constexpr Condition kFmHidden{Test::FmHidden};
constexpr Condition fmIs(int32_t value) { return {Test::FmIs, value}; }
inline constexpr Condition kSpeakerKnown{Test::SpeakerKnown};
inline constexpr Condition kSpeakerOther{Test::SpeakerOther};
inline constexpr Condition kSpeakerNegative{Test::SpeakerNegative};
inline constexpr Condition kSpeakerAbove7{Test::SpeakerAbove7};
constexpr Condition statusIs(int32_t s) { return {Test::StatusIs, s}; }
constexpr Condition statusIsNot(int32_t s) { return {Test::StatusIsNot, s}; }
constexpr Condition motionIs(int32_t m) { return {Test::MotionIs, m}; }
constexpr Condition motionIsNot(int32_t m) { return {Test::MotionIsNot, m}; }

// Up to four conditions that must all hold; unused places stay Always: {below(2, 0), kFmHidden}.
using Conditions = std::array<Condition, 4>;

// True when every condition holds (an empty list always holds).
bool holds(std::span<const Condition> conditions, const ListInputs& in);

// A layout: row 0 first. The name is for tests and messages ("0x6838", "FERRIK F4").
struct Layout {
    std::string_view name;
    std::span<const RowKind* const> rows;
};

struct LayoutChoice {
    Conditions when;  // all must hold; {}: always
    const Layout* layout;
};

struct SelectionGroup {
    std::span<const uint16_t> productIds;
    std::span<const LayoutChoice> choices;  // first match wins; none matching: no rows
    // Writes "SAVANA %d" with device50SpeakerType while choosing (the groups chosen by speaker type).
    bool logsSpeakerType = false;
};

struct LayoutFamily {
    std::string_view name;
    std::span<const SelectionGroup> groups;
};

// One function per family data file.
std::span<const SelectionGroup> airohaQccGroups();      // AirohaQccLayouts.cpp
std::span<const SelectionGroup> ferrikGroups();         // FerrikLayouts.cpp
std::span<const SelectionGroup> cameraGroups();         // CameraLayouts.cpp
std::span<const SelectionGroup> hidIntercomGroups();    // HidIntercomLayouts.cpp
std::span<const SelectionGroup> meshGroups();           // MeshLayouts.cpp
std::span<const SelectionGroup> olderMeshGroups();      // OlderMeshLayouts.cpp
std::span<const SelectionGroup> otherHeadsetGroups();   // OtherHeadsetLayouts.cpp

// Every family, in the order the engine searches them.
std::span<const LayoutFamily> allLayoutFamilies();

// The group naming the product id; none when no family names it.
const SelectionGroup* groupFor(uint16_t productId);

// The layout the inputs choose; none when the id is in no group or no choice matches.
const Layout* chooseLayout(const ListInputs& in);

}  // namespace settings
