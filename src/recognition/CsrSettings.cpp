// Power-table patch, write-back and settings read of one CSR slot, walking the model tables.
#include "recognition/CsrSettings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "transport/CsrBccmdChannel.h"

namespace recognition {

namespace {

using device::ORVABluetoothDeviceData;

// The leading hex number of the first six characters, as a scanner reads it (0 when none).
uint32_t hexDigits(const std::string& text) {
    std::string head = text.substr(0, 6);
    size_t i = 0;
    while (i < head.size() && std::isspace(static_cast<unsigned char>(head[i]))) ++i;
    if (i + 1 < head.size() && head[i] == '0' && (head[i + 1] == 'x' || head[i + 1] == 'X')) i += 2;
    uint32_t value = 0;
    for (; i < head.size() && std::isxdigit(static_cast<unsigned char>(head[i])); ++i) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(head[i])));
        value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return value;
}

}  // namespace

bool changePSKeyPowerTableWith(int32_t deviceTarget, const std::string& digits) {
    const csr::PowerTableModel* model = csr::powerTableModel(deviceTarget);
    return model && hexDigits(digits) > hexDigits(model->threshold);
}

namespace csr {

namespace {

// Room for the longest key the channel reads, zeroed before each read.
constexpr size_t kValueBuffer = 256;
static_assert(kValueBuffer >= 2 * CSR_PSKEY_MAX_WORDS);

uint16_t wordAt(const uint8_t* bytes, size_t i) {
    return static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

int compare(const Version& v, int32_t major, int32_t minor) {
    return ORVABluetoothDeviceData::compareVersionUpToMinorMajor(v.major, v.minor, major, minor);
}

bool write(uint16_t key, const std::vector<uint16_t>& words) {
    return csr_write_pskey(key, words.data(), static_cast<uint16_t>(words.size())) == 0;
}

uint16_t low16(int32_t value) { return static_cast<uint16_t>(value & 0xFFFF); }

std::vector<uint16_t> fmWords(const ORVABluetoothDeviceData& r) {
    std::vector<uint16_t> w = {low16(r.fmRadioMagicCode()), low16(r.fmRadioCurrentFrequency()),
                               low16(r.fmRadioCurrentPreset())};
    for (int i = 0; i < ORVABluetoothDeviceData::kFMPresets; ++i) w.push_back(low16(r.fmRadioPresetsAt(i)));
    w.push_back(low16(r.fmRadioRDS()));
    w.push_back(low16(r.fmRadioRegion()));
    return w;
}

// A fixed-length key: true with its bytes when it reads exactly `bytes` bytes.
bool readExactly(uint16_t key, uint8_t (&value)[kValueBuffer], uint16_t bytes) {
    std::memset(value, 0, sizeof value);
    return csr_read_pskey_len16(key, value) == bytes;
}

void readSettingsWord(const SettingsReadBranch& b, const SlotIdentity& slot, CsrSlotValues& v) {
    uint8_t value[kValueBuffer];
    uint16_t word = readExactly(kPsKeySettingsWord, value, 4) ? wordAt(value, 0)
                                                             : static_cast<uint16_t>(settingsWordDefaults() | b.extraDefaults);
    uint16_t taken = b.bits;
    if (b.gated.bit && compare(slot.version, b.gated.from.major, b.gated.from.minor) < 0) taken &= ~b.gated.bit;
    for (const SettingsWordBit& bit : settingsWordBits())
        if (taken & bit.bit) v.*bit.value = (word & bit.bit) ? 1 : 0;
}

// VOX levels and EDR of the older family's firmware before the settings word.
void readLegacySettings(CsrSlotValues& v) {
    uint8_t value[kValueBuffer];
    v.intercomVOX = readExactly(kPsKeyIntercomVox, value, 2) ? wordAt(value, 0) : 0;
    v.handsfreeVOX = readExactly(kPsKeyHandsfreeVox, value, 2) ? wordAt(value, 0) : 0;
    auto on = legacyEdrOn();
    v.edr = readExactly(kPsKeyLegacyEdr, value, static_cast<uint16_t>(on.size())) &&
                    std::equal(on.begin(), on.end(), value)
                ? 1
                : 0;
}

void readRadioSettings(CsrSlotValues& v) {
    uint8_t value[kValueBuffer];
    if (readExactly(kPsKeyRadioTransmitGain, value, 2)) {
        uint16_t gain = wordAt(value, 0);
        v.radioTransmitGain = gain < 14 ? 12 : gain <= 16 ? 15 : 17;
    } else {
        v.radioTransmitGain = 15;
    }
    uint16_t ms = readExactly(kPsKeyAudioChannelTimeout, value, 2) ? wordAt(value, 0) : 0;
    v.audioChannelTimeout = ms >= 3000 && ms <= 60999 ? ms / 1000 : 5;
}

void readSpeedDials(CsrSlotValues& v) {
    for (int k = 0; k < 3; ++k) {
        uint8_t value[kValueBuffer] = {};
        if (csr_read_pskey_len32(static_cast<uint16_t>(kPsKeySpeedDial0 + k), value) > 0) {
            std::array<uint16_t, ORVABluetoothDeviceData::kSpeedDialUnits> units{};
            for (size_t i = 0; i < units.size(); ++i) units[i] = wordAt(value, i);
            ORVABluetoothDeviceData::getSpeedDialString(&v.speedDials[static_cast<size_t>(k)], units);
        } else {
            v.speedDials[static_cast<size_t>(k)] = std::string();
        }
    }
}

// A block with a foreign magic code is replaced by an empty one, so the FM page starts clean.
void readFmBlock(CsrSlotValues& v) {
    uint8_t value[kValueBuffer];
    v.fmRadioMagicCode = kFmMagic;
    if (!readExactly(kPsKeyFmBlock, value, 2 * kFmBlockWords)) return;
    uint16_t magic = wordAt(value, 0);
    if (magic != kFmMagic && magic != kFmMagicAlternative) {
        std::vector<uint16_t> fresh(kFmBlockWords, 0);
        fresh[0] = kFmMagic;
        write(kPsKeyFmBlock, fresh);
        return;
    }
    v.fmRadioMagicCode = magic;
    v.fmRadioCurrentFrequency = wordAt(value, 1);
    v.fmRadioCurrentPreset = wordAt(value, 2);
    for (size_t i = 0; i < v.fmRadioPresets.size(); ++i) v.fmRadioPresets[i] = wordAt(value, 3 + i);
    v.fmRadioRDS = wordAt(value, 13);
    v.fmRadioRegion = wordAt(value, 14);
}

}  // namespace

bool patchPowerTable(int32_t deviceTarget, const std::string& digits) {
    if (!changePSKeyPowerTableWith(deviceTarget, digits)) return false;
    for (const PsKeyWords& w : powerTableModel(deviceTarget)->patch)
        csr_write_pskey(w.key, w.words.data(), static_cast<uint16_t>(w.words.size()));
    return true;
}

std::optional<uint16_t> writeRestoredSettings(int32_t deviceTarget, const ORVABluetoothDeviceData& backup) {
    for (WriteBackStep step : writeBackSteps(deviceTarget)) {
        std::vector<std::pair<uint16_t, std::vector<uint16_t>>> writes;
        switch (step) {
        case WriteBackStep::SettingsWordOrLegacyVox:
            if (backup.compareVersionUpToMinorWithMajor(4, 0) < 0) {
                writes = {{kPsKeyIntercomVox, {low16(backup.intercomVOX())}},
                          {kPsKeyHandsfreeVox, {low16(backup.handsfreeVOX())}}};
                break;
            }
            [[fallthrough]];
        case WriteBackStep::SettingsWord:
            writes = {{kPsKeySettingsWord, {low16(backup.getSettings40()), 0}}};
            break;
        case WriteBackStep::FmBlock:
            writes = {{kPsKeyFmBlock, fmWords(backup)}};
            break;
        case WriteBackStep::RadioTransmitGain:
            writes = {{kPsKeyRadioTransmitGain, {low16(backup.radioTransmitGain())}}};
            break;
        case WriteBackStep::AudioChannelTimeout:
            writes = {{kPsKeyAudioChannelTimeout, {low16(backup.audioChannelTimeout() * 1000)}}};
            break;
        }
        for (const auto& [key, words] : writes)
            if (!write(key, words)) return key;
    }
    return std::nullopt;
}

CsrSlotValues readSettings(const SlotIdentity& slot) {
    CsrSlotValues v;
    const SettingsReadBranch* b = settingsReadBranch(slot.productId);
    if (!b) return v;
    if (b->radioGainAndTimeout) {
        readRadioSettings(v);
        return v;
    }
    if (b->legacyBelow.major && compare(slot.version, b->legacyBelow.major, b->legacyBelow.minor) < 0)
        readLegacySettings(v);
    else
        readSettingsWord(*b, slot, v);
    const bool dials = b->speedDials == SpeedDials::Always ||
                       (b->speedDials == SpeedDials::AboveVersion &&
                        compare(slot.version, b->speedDialsAbove.major, b->speedDialsAbove.minor) > 0);
    if (dials) readSpeedDials(v);
    if (b->fmBlock) readFmBlock(v);
    if (b->fallbackPowerTable && !changePSKeyPowerTableWith(slot.deviceTarget, slot.lastSixBDAddress)) {
        auto table = fallbackPowerTable();
        csr_write_pskey(kPsKeyPowerTable, table.data(), static_cast<uint16_t>(table.size()));
    }
    return v;
}

}  // namespace csr
}  // namespace recognition
