// How the HID setting writes name their words and their firmware conditions: a word is taken
// from a record (a basic word, the packed legacy words, a VOX, smart-volume or camera word, an FM
// field, or a constant), a step may run only from some firmware version on, and a block may hold
// fewer words on older firmware. Recognition's write-back of a restored backup and the settings
// save share these; both walk their own tables with them.
#pragma once

#include <cstdint>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace device {

// A step that runs only at some firmware versions of the headset (as the record holds them).
struct Condition {
    enum Kind : uint8_t {
        Always,
        VersionAtLeast,           // major.minor
        SecondaryVersionAtLeast,  // major.minor.minor2 of the secondary version
    };
    Kind kind = Always;
    int major = 0, minor = 0, minor2 = 0;
};

inline constexpr Condition fromVersion(int major, int minor) {
    return {Condition::VersionAtLeast, major, minor, 0};
}
inline constexpr Condition fromSecondaryVersion(int major, int minor, int minor2) {
    return {Condition::SecondaryVersionAtLeast, major, minor, minor2};
}

// Whether the condition holds for the headset whose versions `record` holds.
bool conditionHolds(const Condition& c, const ORVABluetoothDeviceData& record);

// One word of a write request, taken from a record.
struct Source {
    enum Kind : uint8_t {
        Basic,         // basic word `arg`
        LegacyWord,    // getSettings40
        LegacySecond,  // getSettings40Second
        Constant,      // `arg`
        Vox,           // VOX sensitivity word `arg`
        SmartVolume,   // smart-volume word `arg`
        Camera,        // camera word `arg`
        FmFrequency,
        FmPreset,
        FmPresetAt,  // preset `arg`
        FmRDS,
        FmRegion,
    };
    Kind kind;
    int32_t arg = 0;
};

int32_t sourceValue(const Source& s, const ORVABluetoothDeviceData& record);

// A block's word count chosen by the headset's firmware: the first band whose version the
// headset is below gives the count; above every band all words go.
struct CountBand {
    int belowMajor, belowMinor, count;
};

// The words of a block (low 16 bits of each source), cut to the count that `versions` (the
// record holding the headset's firmware) gives and to `room`.
std::vector<uint16_t> sourceWords(const std::vector<Source>& sources, const std::vector<CountBand>& counts,
                                  const ORVABluetoothDeviceData& values, const ORVABluetoothDeviceData& versions,
                                  size_t room);

}  // namespace device
