// What the CSR headsets differ in, as data: which persistent-store (PS) keys a model's settings
// live in and how they decode, which keys a restored backup is written to, and the radio power
// table that units built after a per-model address get. The CSR road (CsrRoad.cpp) walks these
// tables with one routine each; nothing here talks to a device.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/KeyedArchive.h"
#include "transport/CsrSettingKeys.h"

namespace recognition::csr {

using platform::OptString;

// PS keys of the CSR headsets' settings and the legacy EDR values.
using namespace transport::csr;

constexpr int kFmBlockWords = 15;
constexpr uint16_t kFmMagic = 0x56E9;
constexpr uint16_t kFmMagicAlternative = 0x66E9;

// A firmware version, compared up to the minor number.
struct Version {
    int32_t major = 0, minor = 0;
};

// ---- the values one slot's settings read yields ------------------------------------------------

// One value per record setter; what a model's branch does not set stays 0 (speed dials: none).
struct CsrSlotValues {
    int32_t intercomVOX = 0, handsfreeVOX = 0, edr = 0, voicePrompt = 0, plc = 0, bitpoolRate = 0,
            microphoneBoost = 0, sidetone = 0, advancedNoiseControl = 0, autoGainControl = 0;
    int32_t radioTransmitGain = 0, audioChannelTimeout = 0;
    int32_t fmRadioMagicCode = 0, fmRadioCurrentFrequency = 0, fmRadioCurrentPreset = 0, fmRadioRDS = 0,
            fmRadioRegion = 0;
    std::array<int32_t, 10> fmRadioPresets{};
    std::array<OptString, 3> speedDials{};
};

// ---- settings word (PS key 0x028E) ----------------------------------------------------------------

struct SettingsWordBit {
    uint16_t bit;                      // mask within the word's low 16 bits
    int32_t CsrSlotValues::*value;     // where the bit goes
    bool unreadDefault;                // its value when the key does not read 4 bytes
};
std::span<const SettingsWordBit> settingsWordBits();
// The word that stands for an unread key: every bit whose default is on.
uint16_t settingsWordDefaults();

// ---- settings read, keyed by the product id read from the device --------------------------------

enum class SpeedDials : uint8_t { None, Always, AboveVersion };

// A bit of the settings word that a model only has from some firmware version on.
struct GatedBit {
    uint16_t bit = 0;  // 0: none
    Version from;      // taken when the device's version is not older than this
};

struct SettingsReadBranch {
    std::span<const uint16_t> productIds;
    // Older firmware keeps VOX levels and EDR in their own keys: below `legacyBelow` the settings
    // word is not read (major 0: never).
    Version legacyBelow;
    uint16_t bits = 0;            // bits of the settings word the model takes
    uint16_t extraDefaults = 0;   // bits that an unread word sets besides the table's defaults
    GatedBit gated;
    SpeedDials speedDials = SpeedDials::None;
    Version speedDialsAbove;      // for AboveVersion: read when the version is newer than this
    bool fmBlock = false;         // the FM block of PS key 0x029F
    bool fallbackPowerTable = false;
    bool radioGainAndTimeout = false;  // transmit gain and audio-channel time-out instead of the word
};
// The branch of a product id; none for a model whose settings are not kept in PS keys.
const SettingsReadBranch* settingsReadBranch(int32_t productId);
std::span<const SettingsReadBranch> settingsReadBranches();

// ---- write-back of a restored backup, keyed by the selected model --------------------------------

enum class WriteBackStep : uint8_t {
    SettingsWord,            // 0x028E := {getSettings40, 0}
    SettingsWordOrLegacyVox, // as above; for a backup older than 4.0: 0x0298, 0x0299 := VOX levels
    FmBlock,                 // 0x029F := the 15 FM words
    RadioTransmitGain,       // 0x02AC := radioTransmitGain
    AudioChannelTimeout,     // 0x02AA := audioChannelTimeout x 1000 (milliseconds)
};
struct WriteBackRow {
    std::span<const uint16_t> productIds;
    std::span<const WriteBackStep> steps;
};
// The steps for a selected model, in order; empty for a model that writes nothing.
std::span<const WriteBackStep> writeBackSteps(int32_t deviceTarget);
std::span<const WriteBackRow> writeBackRows();

// ---- radio power table --------------------------------------------------------------------------

struct PsKeyWords {
    uint16_t key;
    std::span<const uint16_t> words;
};
struct PowerTableModel {
    uint16_t productId;
    const char* threshold;             // six hex digits of the address; patched when above
    std::span<const PsKeyWords> patch; // the writes, in order
};
const PowerTableModel* powerTableModel(int32_t productId);
std::span<const PowerTableModel> powerTableModels();
// The table written to PS key 0x0031 when a model with the fallback does not get the patch.
std::span<const uint16_t> fallbackPowerTable();

}  // namespace recognition::csr
