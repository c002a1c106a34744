// The HID headsets' settings reads and the write-back of a restored backup as data: one row per
// model group (its product ids, then the requests it sends: slot, command, key, word sources or
// destinations, defaults on failure), walked by one routine each (HidSettingsReader.cpp,
// HidSettingsWriter.cpp). Groups are searched in table order and the first group that holds the
// model decides, because several id lists overlap.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "device/WordSources.h"
#include "recognition/HidModelSets.h"

namespace recognition {

using ProductIds = std::vector<uint16_t>;

bool holds(const ProductIds& ids, int32_t productId);
// A model set that the rest of the HID road shares, as a table's id list.
inline ProductIds idsOf(models::ModelSet set) { return ProductIds(set.begin(), set.end()); }

// ---- shared ------------------------------------------------------------------------------------

// Firmware conditions, word sources and version-banded counts, shared with the settings save.
using device::Condition;
using device::CountBand;
using device::fromSecondaryVersion;
using device::fromVersion;
using device::Source;

// How a request travels: a format A exchange, or a format B report through the probe (reply
// length from the transport's table) or through the timed command (500 ms).
enum class Channel : uint8_t { LongReport, ShortProbe, ShortTimed };

// Word arrays of the record.
enum class Dest : uint8_t { Basic, Vox, SmartVolume, Camera, BackgroundVolume };

// Where a word array ends: reply words past it are never stored.
int destinationWords(Dest dest);

// ---- reads -------------------------------------------------------------------------------------

// The nineteen on/off settings that every HID read ends by storing, in their storing order.
enum class Legacy : uint8_t {
    intercomVOX,
    handsfreeVOX,
    edr,
    voicePrompt,
    plc,
    bitpoolRate,
    microphoneBoost,
    sidetone,
    advancedNoiseControl,
    autoGainControl,
    audioBoost,
    hdIntercom,
    fmStationGuide,
    hdVoice,
    smartNaviSystem,
    audioSourcePriority,
    audioOverlay,
    autoOnOff,
    autoStartRecording,
    None,
};
inline constexpr int kLegacyFields = static_cast<int>(Legacy::None);
using LegacyValues = std::array<int32_t, kLegacyFields>;

// Which field each bit of a legacy word sets.
using LegacyLayout = std::array<Legacy, 16>;

// A set of legacy fields (the ones that are 1 after a failed read).
inline constexpr uint32_t fieldSet(std::initializer_list<Legacy> fields) {
    uint32_t set = 0;
    for (Legacy f : fields) set |= 1u << static_cast<int>(f);
    return set;
}

struct WordValue {
    Dest dest;
    int index;
    int32_t value;
};

// A default chosen by the firmware version: the first band whose version the headset is below
// applies; a band with belowMajor < 0 applies to every version.
struct VersionBand {
    int belowMajor, belowMinor;
    std::vector<WordValue> values{};
};

// Reply word `word` into the destination's word `index` (when the reply holds that word).
struct Copy {
    int word;
    Dest dest;
    int index;
};

// How a read step sets up the run's shared request buffer before sending it.
enum class Prepare : uint8_t {
    AsLeft,                  // as the step before left it
    CommandAndKey,           // bytes 1-2 := command, key
    KeyOnly,                 // byte 2 := key
    ClearThenCommandAndKey,  // bytes 3.. cleared, then bytes 1-2
    Rebuilt,                 // bytes 3.. cleared; bytes 0-3 := 1, command, key, count
};

struct ReadLog {
    enum Kind : uint8_t {
        None,
        EachStored,           // per stored word: (index, value)
        EachStoredWithCount,  // per stored word: (reply count, index, value)
        ReplyWords,           // the reply words listed
        RecordWords,          // the destination's words listed, after the store
        ReplyNibble,          // bits 4-7 of the first reply word listed
    };
    Kind kind = None;
    const char* format = nullptr;
    std::vector<int> words{};
    bool alsoOnFailure = false;
    Condition when{};
};

struct ReadStep {
    uint8_t command = 0x03;
    uint8_t key = 0x04;
    Prepare prepare = Prepare::AsLeft;
    uint8_t count = 0;  // byte 3 of a rebuilt request
    int slot = 0;
    Channel channel = Channel::LongReport;
    Condition when{};
    ProductIds onlyFor{};  // empty: every model of the group
    // Success: reply words 0..n-1 into `words` from index `wordsFrom`; single copies; the legacy
    // word (reply word 0) decoded by `legacy`.
    std::optional<Dest> words{};
    int wordsFrom = 0;
    std::vector<Copy> copies{};
    const LegacyLayout* legacy = nullptr;
    bool speakerType = false;  // the controller takes the speaker accessory of the new words
    std::vector<ReadLog> logs{};
    // Failure.
    std::vector<WordValue> onFailure{};
    std::vector<VersionBand> onFailureByVersion{};
    uint32_t legacyOnFailure = 0;   // the legacy fields that are 1 (with `legacy` set)
    bool swapRequestWords = false;  // the request's counted words turned before sending
};

struct ReadOrder {
    ProductIds ids{};  // empty: every model
    std::vector<ReadStep> steps{};
};

// Steps before the family blocks; every row that holds the model runs, in table order (key
// refreshes, mesh-port words, two-chip basic words).
const std::vector<ReadOrder>& hidFirstReadSteps();
// The family blocks: the first row that holds the model decides.
const std::vector<ReadOrder>& hidReadOrders();
const ReadOrder& hidReadOrderFor(int32_t productId);

// The FM read over key 0x15 that follows every family block.
enum class FmRead : uint8_t {
    ByCommonTail,  // read later by the common FM block (key 0x44 or format B)
    Nothing,       // no read; everything 0
    ShortKey08,    // format B, key 0x08, 15 words little-endian from reply byte 4
    Slot1Words15,
    Slot0Words11,
    Slot0Words15,
};
struct FmReadOrder {
    ProductIds ids{};  // empty: every model
    FmRead read;
};
const std::vector<FmReadOrder>& hidFmReadOrders();
FmRead hidFmReadFor(int32_t productId);
// Models that refresh key 0x15 before the FM read.
const ProductIds& hidFmRefreshIds();

// ---- writes ------------------------------------------------------------------------------------

struct WriteLog {
    enum Kind : uint8_t {
        None,
        Words,              // the request's words as the arguments
        EachWordWithCount,  // per word: (count, index, value)
    };
    Kind kind = None;
    const char* format = nullptr;
};

struct WriteStep {
    uint8_t key = 0;
    std::vector<Source> words{};
    int slot = 0;
    std::vector<CountBand> countByVersion{};
    bool commit = false;  // 0x11 with the same key right after
    Condition when{};
    ProductIds onlyFor{};
    WriteLog log{};
    Channel channel = Channel::LongReport;  // ShortProbe: a format B report, words little-endian
};

enum class SpeedDialKeys : uint8_t { None, K1, K2 };

struct WriteOrder {
    ProductIds ids{};
    std::vector<WriteStep> steps{};
    SpeedDialKeys speedDials = SpeedDialKeys::None;
    bool emptySpeedDialAsOneWord = false;
};

const std::vector<WriteOrder>& hidWriteOrders();
// Null when no group holds the model (nothing is written).
const WriteOrder* hidWriteOrderFor(int32_t productId);

}  // namespace recognition
