#include "sim/CsrFamilyHeadset.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {

constexpr uint16_t kVaridPsValue = 0x7003;
constexpr uint16_t kStatusError = 3;
// Where a BCCMD frame keeps its type, varid and the payload's key.
constexpr size_t kTypeAt = 4, kVaridAt = 10, kKeyAt = 14;

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

std::vector<uint16_t> packedBytes(const uint8_t* bytes, size_t n) {
    std::vector<uint16_t> words((n + 1) / 2, 0);
    for (size_t i = 0; i < n; ++i) words[i / 2] |= static_cast<uint16_t>(bytes[i] << (i % 2 ? 8 : 0));
    return words;
}

bool setRequestTo(const UsbSetup& setup, const uint8_t* data, uint16_t& key) {
    if (setup.requestType != 0x20 || setup.request != 0 || setup.length < kKeyAt + 2) return false;
    if (le16(data + kTypeAt) != 2 || le16(data + kVaridAt) != kVaridPsValue) return false;
    key = le16(data + kKeyAt);
    return true;
}

// The model groups' versions: where their settings branches are read in full.
int groupVersionCode(uint16_t productId) {
    switch (productId) {
    case 0x4D10: case 0x4D20: case 0x4D30: case 0x4D40: case 0x4D50: case 0x5010: case 0x5020:
    case 0x5030: case 0x5040: case 0x5050: case 0x5060: case 0x5061: case 0x5070: case 0x5080:
        return 50;
    case 0x4D05: case 0x4D15: case 0x4D35: case 0x4D45: case 0x4D55: case 0x4D65:
        return 20;
    default:
        return 11;
    }
}

}  // namespace

CsrStore& CsrStore::withVersion(int code, uint8_t extra1, uint8_t extra2) {
    version = std::array<uint8_t, 4>{static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8), extra2, extra1};
    return *this;
}

CsrStore& CsrStore::withAddressDigits(uint32_t lastSix) {
    address = std::array<uint8_t, 8>{static_cast<uint8_t>(lastSix >> 16), 0x5B, static_cast<uint8_t>(lastSix & 0xFF),
                                     static_cast<uint8_t>(lastSix >> 8), 0x1A, 0x00, 0x6E, 0x3A};
    return *this;
}

CsrStore csrModel(uint16_t productId) {
    CsrStore s;
    s.runtimeId = productId;
    s.productIdKey = productId;
    char name[16];
    std::snprintf(name, sizeof name, "VELMAR %04X", productId);
    s.name = name;
    s.withAddressDigits(0x100000);
    s.withVersion(groupVersionCode(productId), 1, 2);
    s.settingsWord = 0x0171;
    std::array<uint16_t, 15> fm{};
    fm[0] = 0x56E9;
    fm[1] = 1035;
    fm[2] = 2;
    for (int i = 0; i < 10; ++i) fm[static_cast<size_t>(3 + i)] = static_cast<uint16_t>(875 + 10 * i);
    fm[13] = 1;
    fm[14] = 3;
    s.fmBlock = fm;
    s.speedDials = {std::string("0123456"), std::string("+4930"), std::string("911")};
    return s;
}

CsrFamilyHeadset::CsrFamilyHeadset(const CsrStore& s) : UsbHeadsetModel(s.runtimeId, s.dfuMode) {
    if (s.productIdKey) setKey(0x02A3, {*s.productIdKey});
    if (s.name) setKey(0x0108, packedBytes(reinterpret_cast<const uint8_t*>(s.name->data()), s.name->size()));
    if (s.address) setKey(0x0001, packedBytes(s.address->data(), s.address->size()));
    if (s.version) setKey(0x02A4, packedBytes(s.version->data(), s.version->size()));
    if (s.settingsWord)
        setKey(0x028E, {static_cast<uint16_t>(*s.settingsWord & 0xFFFF), static_cast<uint16_t>(*s.settingsWord >> 16)});
    if (s.fmBlock) setKey(0x029F, std::vector<uint16_t>(s.fmBlock->begin(), s.fmBlock->end()));
    for (size_t k = 0; k < s.speedDials.size(); ++k) {
        if (!s.speedDials[k]) continue;
        std::vector<uint16_t> units;
        for (char c : *s.speedDials[k]) units.push_back(static_cast<uint8_t>(c));
        units.resize(20, 0);
        setKey(static_cast<uint16_t>(0x2280 + k), units);
    }
    for (const auto& [key, words] : s.otherKeys) setKey(key, words);
}

void CsrFamilyHeadset::refuseWrites(uint16_t key) {
    std::lock_guard<std::mutex> g(refusedLock_);
    refused_.insert(key);
}

std::vector<uint16_t> CsrFamilyHeadset::keysWritten() const {
    std::vector<uint16_t> keys;
    for (const auto& r : bccmdRequests())
        if (r.type == 2 && r.varid == kVaridPsValue && r.payload.size() >= 2) keys.push_back(le16(r.payload.data()));
    return keys;
}

std::vector<uint16_t> CsrFamilyHeadset::keysRead() const {
    std::vector<uint16_t> keys;
    for (const auto& r : bccmdRequests())
        if (r.type == 0 && r.varid == kVaridPsValue && r.payload.size() >= 2) keys.push_back(le16(r.payload.data()));
    return keys;
}

int CsrFamilyHeadset::control(const UsbSetup& setup, uint8_t* data) {
    uint16_t key = 0;
    bool refuse = false;
    if (data && setRequestTo(setup, data, key)) {
        std::lock_guard<std::mutex> g(refusedLock_);
        refuse = refused_.count(key) != 0;
    }
    if (!refuse) return UsbHeadsetModel::control(setup, data);
    // The model answers with the fault's status; the value it stored meanwhile is put back.
    auto before = this->key(key);
    BccmdFaults failing;
    failing.status = kStatusError;
    setFaults(failing);
    int r = UsbHeadsetModel::control(setup, data);
    setFaults(BccmdFaults{});
    if (before) setKey(key, *before);
    else eraseKey(key);
    return r;
}

std::shared_ptr<CsrFamilyHeadset> csrFamilyHeadset(const CsrStore& store) {
    return std::make_shared<CsrFamilyHeadset>(store);
}

UsbDevice csrFamilyDevice(const CsrStore& store, int bus) { return usbDevice(csrFamilyHeadset(store), bus); }

}  // namespace sim
