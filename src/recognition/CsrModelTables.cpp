// The CSR headsets' per-model data: settings keys and their decoding, write-back keys, power tables.
#include "recognition/CsrModelTables.h"

#include <algorithm>
#include <vector>

namespace recognition::csr {

namespace {

using V = CsrSlotValues;

constexpr bool contains(std::span<const uint16_t> ids, int32_t productId) {
    return std::find(ids.begin(), ids.end(), productId) != ids.end();
}

// ---- settings word ------------------------------------------------------------------------------

constexpr SettingsWordBit kSettingsWordBits[] = {
    {0x0001, &V::handsfreeVOX, true},
    {0x0002, &V::intercomVOX, false},
    {0x0004, &V::edr, false},
    {0x0008, &V::voicePrompt, false},
    {0x0010, &V::plc, true},
    {0x0020, &V::bitpoolRate, true},
    {0x0040, &V::microphoneBoost, true},
    {0x0100, &V::sidetone, false},
    {0x0200, &V::advancedNoiseControl, false},
    {0x0400, &V::autoGainControl, false},
};

// Bits as the model branches name them.
constexpr uint16_t kBits0To5 = 0x003F;
constexpr uint16_t kBits0To6 = 0x007F;
constexpr uint16_t kBit8 = 0x0100, kBit9 = 0x0200, kBit10 = 0x0400;

// ---- settings read ------------------------------------------------------------------------------

// The older family: VOX levels and EDR in their own keys before firmware 4.0.
constexpr uint16_t kLegacyFamily[] = {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010,
                                      0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080};
constexpr uint16_t kLegacyFamilyWithFm[] = {0x5040, 0x5050};
constexpr uint16_t kRadioFamily[] = {0x5210};
constexpr uint16_t k2020[] = {0x2020};
constexpr uint16_t k4040[] = {0x4040};
constexpr uint16_t k4D21[] = {0x4D21};
constexpr uint16_t k4D75[] = {0x4D75, 0x5011};
constexpr uint16_t k6000[] = {0x6000};
constexpr uint16_t k6110[] = {0x6110, 0x6111, 0x6120, 0x6121};
constexpr uint16_t k4110[] = {0x4110, 0x4111, 0x4112, 0x4113};
constexpr uint16_t k4120[] = {0x4120};
constexpr uint16_t k6420[] = {0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
constexpr uint16_t k6430[] = {0x6430};
constexpr uint16_t k4021[] = {0x4021};
constexpr uint16_t k2010[] = {0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030};
constexpr uint16_t k4D85[] = {0x4D85};
constexpr uint16_t k4D15[] = {0x4D15, 0x4D45, 0x4D65};
constexpr uint16_t k4D35[] = {0x4D35, 0x4D55};
constexpr uint16_t k4D05[] = {0x4D05};

SettingsReadBranch branch(std::span<const uint16_t> ids, uint16_t bits, SpeedDials dials) {
    SettingsReadBranch b;
    b.productIds = ids;
    b.bits = bits;
    b.speedDials = dials;
    return b;
}

const std::vector<SettingsReadBranch>& readBranches() {
    static const std::vector<SettingsReadBranch> rows = [] {
        auto legacy = [](std::span<const uint16_t> ids, bool fm) {
            SettingsReadBranch b = branch(ids, kBits0To6 | kBit8, SpeedDials::AboveVersion);
            b.legacyBelow = {4, 0};
            b.gated = {kBit8, {5, 0}};
            b.speedDialsAbove = {4, 2};
            b.fmBlock = fm;
            return b;
        };
        auto early = [](std::span<const uint16_t> ids) {  // sidetone from 2.0, speed dials after 1.2
            SettingsReadBranch b = branch(ids, kBits0To5 | kBit8, SpeedDials::AboveVersion);
            b.gated = {kBit8, {2, 0}};
            b.speedDialsAbove = {1, 2};
            return b;
        };
        SettingsReadBranch radio = branch(kRadioFamily, 0, SpeedDials::None);
        radio.radioGainAndTimeout = true;
        SettingsReadBranch b2020 = branch(k2020, kBits0To6 | kBit8 | kBit9, SpeedDials::Always);
        b2020.gated = {kBit9, {1, 1}};
        SettingsReadBranch b4D21 = branch(k4D21, kBit8, SpeedDials::Always);
        b4D21.extraDefaults = kBit8;
        SettingsReadBranch b4D85 = branch(k4D85, kBits0To5 | kBit8, SpeedDials::Always);
        b4D85.fmBlock = true;
        SettingsReadBranch b4D15 = early(k4D15);
        b4D15.fmBlock = true;
        SettingsReadBranch b4D35 = early(k4D35);
        b4D35.fallbackPowerTable = true;
        return std::vector<SettingsReadBranch>{
            legacy(kLegacyFamily, false),
            legacy(kLegacyFamilyWithFm, true),
            radio,
            b2020,
            branch(k4040, kBits0To6 | kBit8 | kBit9, SpeedDials::None),
            b4D21,
            branch(k4D75, kBits0To6 | kBit8, SpeedDials::Always),
            branch(k6000, 0x0001 | 0x007C | kBit8, SpeedDials::Always),
            branch(k6110, 0x007C | kBit8 | kBit9, SpeedDials::Always),
            branch(k4110, kBits0To6, SpeedDials::Always),
            branch(k4120, kBits0To6 | kBit8 | kBit9 | kBit10, SpeedDials::Always),
            branch(k6420, 0x0001 | 0x0004 | 0x0008, SpeedDials::Always),
            branch(k6430, 0x0001, SpeedDials::Always),
            branch(k4021, 0x0001, SpeedDials::None),
            branch(k2010, kBits0To5, SpeedDials::None),
            b4D85,
            b4D15,
            b4D35,
            early(k4D05),
        };
    }();
    return rows;
}

// ---- write-back ---------------------------------------------------------------------------------

using S = WriteBackStep;
constexpr uint16_t kWriteLegacy[] = {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010,
                                     0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080};
constexpr uint16_t kWriteLegacyWithFm[] = {0x5040, 0x5050};
constexpr uint16_t kWriteWordAndFm[] = {0x4D15, 0x4D45, 0x4D65, 0x4D85};
constexpr uint16_t kWriteEarlyWord[] = {0x4D05, 0x4D35, 0x4D55};
constexpr uint16_t kWriteRadio[] = {0x5210};
constexpr uint16_t kWriteWord[] = {0x6000, 0x4D21, 0x4D75, 0x5011, 0x4040, 0x2020, 0x6110, 0x6111, 0x6120,
                                   0x6121, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x6420, 0x6430, 0x6440,
                                   0x6450, 0x6460, 0x6470, 0x6480, 0x6490, 0x2010, 0x2011, 0x2110, 0x2120,
                                   0x2210, 0x2310, 0x4010, 0x4020, 0x4021, 0x4030};

constexpr S kStepsLegacy[] = {S::SettingsWordOrLegacyVox};
constexpr S kStepsLegacyWithFm[] = {S::SettingsWordOrLegacyVox, S::FmBlock};
constexpr S kStepsWordAndFm[] = {S::SettingsWord, S::FmBlock};
constexpr S kStepsWord[] = {S::SettingsWord};
constexpr S kStepsRadio[] = {S::RadioTransmitGain, S::AudioChannelTimeout};

constexpr WriteBackRow kWriteBackRows[] = {
    {kWriteLegacy, kStepsLegacy},
    {kWriteLegacyWithFm, kStepsLegacyWithFm},
    {kWriteWordAndFm, kStepsWordAndFm},
    {kWriteEarlyWord, kStepsWord},
    {kWriteRadio, kStepsRadio},
    {kWriteWord, kStepsWord},
};

// ---- power tables -------------------------------------------------------------------------------

constexpr uint16_t kP1[] = {0x0B00, 0x0000, 0x1100, 0x0000, 0x0000, 0x1200, 0x0000, 0x1100,
                            0x0000, 0x0400, 0x1900, 0x0000, 0x1600, 0x0000, 0x0800};
constexpr uint16_t kP2[] = {0x0B00, 0x0000, 0x1100, 0x0000, 0x0000, 0x1600, 0x0000, 0x1100,
                            0x0000, 0x0800, 0x2700, 0x0000, 0x1600, 0x0000, 0x1000};
constexpr uint16_t kP3[] = {0x1600, 0x0050, 0x1900, 0x0050, 0xFC00, 0x1E00, 0x0050, 0x2000, 0x0050, 0x0000,
                            0x1C00, 0x0040, 0x1E00, 0x0040, 0x0400, 0x1D00, 0x0030, 0x1F00, 0x0030, 0x0800,
                            0x1F00, 0x0020, 0x2100, 0x0020, 0x0C00, 0x2000, 0x0000, 0x2200, 0x0000, 0x1000};
constexpr uint16_t kP4[] = {0x0500, 0x0000, 0x0600, 0x0000, 0xFA00, 0x0A00, 0x0000, 0x0A00, 0x0000,
                            0xFE00, 0x0F00, 0x0000, 0x1100, 0x0000, 0x0200, 0x1500, 0x0000, 0x1700,
                            0x0000, 0x0600, 0x1C00, 0x0000, 0x1E00, 0x0000, 0x0A00};
constexpr uint16_t kP5[] = {0x0F00, 0x0000, 0x1100, 0x0000, 0x0200, 0x1500, 0x0000, 0x1700, 0x0000, 0x0600,
                            0x1C00, 0x0000, 0x1E00, 0x0000, 0x0A00, 0x0000, 0x2200, 0x0000, 0x1000};
constexpr uint16_t kFallback[] = {0x2A00, 0x0050, 0x3100, 0x0050, 0xFC00, 0x2700, 0x0040, 0x2E00, 0x0040, 0x0000,
                                  0x2800, 0x0030, 0x2E00, 0x0030, 0x0400, 0x2B00, 0x0020, 0x3100, 0x0020, 0x0800,
                                  0x2E00, 0x0010, 0x3600, 0x0010, 0x0C00, 0x3800, 0x0000, 0x3A00, 0x0000, 0x1000};

// One word per key except the table itself.
constexpr uint16_t w0000[] = {0x0000}, w0001[] = {0x0001}, w0008[] = {0x0008}, w000A[] = {0x000A},
                   w000C[] = {0x000C}, w0010[] = {0x0010}, w0027[] = {0x0027};

constexpr PsKeyWords kPatch1[] = {{0x0017, w0008}, {0x0021, w0008}, {0x002D, w0008}, {0x0031, kP1},
                                  {0x01F6, w0027}, {0x0209, w0001}, {0x0242, w0000}};
constexpr PsKeyWords kPatch2[] = {{0x0017, w0010}, {0x0021, w0008}, {0x0031, kP2}};
constexpr PsKeyWords kPatch3[] = {{0x0017, w0010}, {0x0021, w000C}, {0x002D, w0010}, {0x0031, kP3},
                                  {0x01F6, w0027}, {0x0209, w0001}, {0x0242, w0000}};
constexpr PsKeyWords kPatch4[] = {{0x0017, w000A}, {0x0021, w000A}, {0x002D, w0010}, {0x0031, kP4},
                                  {0x01F6, w0027}, {0x0209, w0001}, {0x0242, w0000}};
constexpr PsKeyWords kPatch5[] = {{0x0017, w000A}, {0x0021, w000A}, {0x002D, w000A}, {0x0031, kP5},
                                  {0x01F6, w0027}, {0x0209, w0001}, {0x0242, w0000}};

constexpr PowerTableModel kPowerTableModels[] = {
    {0x4D05, "2DD49E", kPatch1}, {0x4D35, "2DD49E", kPatch1}, {0x4D55, "2DD49E", kPatch1},
    {0x4D85, "2E037E", kPatch1},
    {0x4D15, "2DE43E", kPatch2}, {0x4D45, "2DE43E", kPatch2}, {0x4D65, "2DE43E", kPatch2},
    {0x5040, "2DE43E", kPatch2}, {0x5050, "2DE43E", kPatch2},
    {0x4D10, "2C9BD1", kPatch3}, {0x4D30, "2C9BD1", kPatch3}, {0x4D40, "2C9BD1", kPatch3},
    {0x4D20, "2CAF59", kPatch3}, {0x4D50, "2CAF59", kPatch3},
    {0x6110, "34FD7D", kPatch4},
    {0x6120, "358E08", kPatch5},
};

}  // namespace

std::span<const SettingsWordBit> settingsWordBits() { return kSettingsWordBits; }

uint16_t settingsWordDefaults() {
    uint16_t word = 0;
    for (const SettingsWordBit& b : kSettingsWordBits)
        if (b.unreadDefault) word |= b.bit;
    return word;
}

std::span<const SettingsReadBranch> settingsReadBranches() { return readBranches(); }

const SettingsReadBranch* settingsReadBranch(int32_t productId) {
    for (const SettingsReadBranch& b : settingsReadBranches())
        if (contains(b.productIds, productId)) return &b;
    return nullptr;
}

std::span<const WriteBackRow> writeBackRows() { return kWriteBackRows; }

std::span<const WriteBackStep> writeBackSteps(int32_t deviceTarget) {
    for (const WriteBackRow& row : kWriteBackRows)
        if (contains(row.productIds, deviceTarget)) return row.steps;
    return {};
}

const PowerTableModel* powerTableModel(int32_t productId) {
    for (const PowerTableModel& m : kPowerTableModels)
        if (m.productId == productId) return &m;
    return nullptr;
}

std::span<const PowerTableModel> powerTableModels() { return kPowerTableModels; }

std::span<const uint16_t> fallbackPowerTable() { return kFallback; }

}  // namespace recognition::csr
