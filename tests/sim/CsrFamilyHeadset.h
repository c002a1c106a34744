// CSR headsets of the older families as recognition meets them: a persistent store seeded the way
// a unit of each model group keeps its identity, version, settings word, FM block and speed
// dials, on the simulated USB CSR device. Tests start from one model per group and change what
// their case is about. A key can be made to refuse writes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/SimHeadset.h"
#include "sim/UsbHeadsetModel.h"

namespace sim {

// What the store holds; a key left empty is absent.
struct CsrStore {
    uint16_t runtimeId = 0;
    bool dfuMode = false;
    std::optional<uint16_t> productIdKey;            // 0x02A3
    std::optional<std::string> name;                 // 0x0108, bytes packed two to a word
    std::optional<std::array<uint8_t, 8>> address;   // 0x0001
    std::optional<std::array<uint8_t, 4>> version;   // 0x02A4: code low, code high, extra 2, extra 1
    std::optional<uint32_t> settingsWord;            // 0x028E, two words
    std::optional<std::array<uint16_t, 15>> fmBlock; // 0x029F
    std::array<std::optional<std::string>, 3> speedDials;  // 0x2280-0x2282, one character a word
    std::map<uint16_t, std::vector<uint16_t>> otherKeys;

    // Version code c is major c / 10, minor c % 10.
    CsrStore& withVersion(int code, uint8_t extra1 = 0, uint8_t extra2 = 0);
    // The address whose digits "%02X%02X%02X" of bytes 0, 3, 2 are `lastSix`; bytes 7, 6, 4 and 1
    // are fixed.
    CsrStore& withAddressDigits(uint32_t lastSix);
};

// A unit of the model group that `productId` belongs to, in normal mode: product id key, name,
// an address below every power-table threshold, a version its group reads settings at, settings
// word 0x0171, a valid FM block and three speed dials.
CsrStore csrModel(uint16_t productId);

class CsrFamilyHeadset : public UsbHeadsetModel {
  public:
    explicit CsrFamilyHeadset(const CsrStore& store);

    // Set requests to this key are answered with an error status (the value is not kept).
    void refuseWrites(uint16_t key);
    // The keys written, in order.
    std::vector<uint16_t> keysWritten() const;
    // The keys whose value was asked for, in order.
    std::vector<uint16_t> keysRead() const;

    int control(const UsbSetup& setup, uint8_t* data) override;

  private:
    mutable std::mutex refusedLock_;
    std::set<uint16_t> refused_;
};

// The device entry for a SimHeadset.
UsbDevice csrFamilyDevice(const CsrStore& store, int bus = 1);
std::shared_ptr<CsrFamilyHeadset> csrFamilyHeadset(const CsrStore& store);

}  // namespace sim
