// Persistent-store keys over BCCMD, and the identity read from them: device name, Bluetooth
// address, product id and firmware version.
#include <cstring>

#include "transport/CsrBccmdChannel.h"
#include "transport/CsrUsbState.h"

namespace {

constexpr uint16_t kVaridPsSize = 0x3006;
constexpr uint16_t kVaridPsValue = 0x7003;
constexpr size_t kValueBytes = 2 * CSR_PSKEY_MAX_WORDS;

void put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool holds(const uint8_t* bytes, size_t count, const char* text) {
    size_t n = std::strlen(text);
    for (size_t i = 0; i + n <= count; ++i)
        if (std::memcmp(bytes + i, text, n) == 0) return true;
    return false;
}

// The version code of the older models that keep it in PS key 0x0293.
struct LegacyVersion {
    bool read = false;  // the key read as 4 bytes
    uint16_t code = 0;  // its low 16 bits
};

LegacyVersion readLegacyVersion(bool& failed) {
    uint8_t value[kValueBytes] = {};
    uint16_t bytes = 0;
    failed = csr_read_pskey(CSR_PSKEY_LEGACY_VERSION, value, &bytes) != 0;
    LegacyVersion v;
    if (!failed && bytes == 4) {
        v.read = true;
        v.code = get16(value);
    }
    return v;
}

bool clearStoredVersion() {
    const uint16_t zeros[2] = {0, 0};
    return csr_write_pskey(CSR_PSKEY_FIRMWARE_VERSION, zeros, 2) == 0;
}

// A stored legacy code from 4 to 31 is moved out of the way of the version key.
bool legacyCodeToMove(uint16_t code) { return code >= 4 && code <= 31; }

}  // namespace

extern "C" {

int csr_read_pskey(uint16_t key, uint8_t* out, uint16_t* out_bytes) {
    uint16_t ignored = 0;
    uint16_t& bytes = out_bytes ? *out_bytes : ignored;
    bytes = 0;
    if (!out) return -1;
    uint8_t size[8] = {};
    put16(size, key);
    if (csr_bccmd_get(kVaridPsSize, size, sizeof size) != 0) return -1;
    uint16_t words = get16(size + 2);
    if (words > CSR_PSKEY_MAX_WORDS) return -5;
    uint8_t request[6 + kValueBytes] = {};
    put16(request, key);
    put16(request + 2, words);
    put16(request + 4, 0);  // stores: the default
    if (csr_bccmd_get(kVaridPsValue, request, static_cast<uint16_t>(6 + 2 * words)) != 0) return -1;
    std::memcpy(out, request + 6, 2u * words);
    bytes = static_cast<uint16_t>(2 * words);
    return 0;
}

uint16_t csr_read_pskey_len16(uint16_t key, uint8_t* out) {
    uint16_t bytes = 0;
    return csr_read_pskey(key, out, &bytes) == 0 ? bytes : 0;
}

uint32_t csr_read_pskey_len32(uint16_t key, uint8_t* out) { return csr_read_pskey_len16(key, out); }

int csr_write_pskey(uint16_t key, const uint16_t* words, uint16_t count) {
    if (count > CSR_PSKEY_MAX_WORDS) return -5;
    if (count && !words) return -1;
    uint8_t request[6 + kValueBytes] = {};
    put16(request, key);
    put16(request + 2, count);
    put16(request + 4, 1);  // stores: written through
    for (uint16_t i = 0; i < count; ++i) put16(request + 6 + 2 * i, words[i]);
    return csr_bccmd_set(kVaridPsValue, request, static_cast<uint16_t>(6 + 2 * count));
}

int csr_read_device_name(uint8_t* out) { return out ? csr_read_pskey_len16(CSR_PSKEY_DEVICE_NAME, out) : 0; }

int csr_read_bdaddr(uint8_t* out) { return out ? csr_read_pskey_len16(CSR_PSKEY_BDADDR, out) : 0; }

int csr_read_product_id(void) {
    uint8_t value[kValueBytes] = {};
    uint16_t bytes = 0;
    int code = 0;
    if (csr_read_pskey(CSR_PSKEY_PRODUCT_ID, value, &bytes) != 0) {
        code = 0;
    } else if (bytes != 2) {
        code = -1;
    } else {
        uint16_t id = get16(value);
        if (transport::csr::knownProductId(id)) return id;
        code = -2;
    }
    uint8_t name[kValueBytes] = {};
    int n = csr_read_device_name(name);
    if (n <= 0) return code;
    if (holds(name, static_cast<size_t>(n), "HEMBRIN")) return 0x4D10;
    if (holds(name, static_cast<size_t>(n), "IVERON")) return 0x5010;
    return code;
}

int csr_read_firmware_version(int product_id, uint32_t* major, uint32_t* minor, uint32_t* extra1,
                              uint32_t* extra2) {
    uint32_t ignored[4];
    uint32_t& ma = major ? *major : ignored[0];
    uint32_t& mi = minor ? *minor : ignored[1];
    uint32_t& e1 = extra1 ? *extra1 : ignored[2];
    uint32_t& e2 = extra2 ? *extra2 : ignored[3];
    ma = mi = e1 = e2 = 0;
    auto found = [&](uint32_t code) {
        ma = code / 10;
        mi = code % 10;
        return 0;
    };
    const bool legacyModel = product_id == 0x4D10 || product_id == 0x4D30 || product_id == 0x4D40;

    uint8_t value[kValueBytes] = {};
    uint16_t bytes = 0;
    bool keyFailed = csr_read_pskey(CSR_PSKEY_FIRMWARE_VERSION, value, &bytes) != 0;
    if (!keyFailed && bytes == 4) {
        if (product_id == 0x3020) {
            ma = value[3];
            mi = value[2];
            e1 = value[1];
            e2 = value[0];
            return 0;
        }
        uint32_t code = get16(value);
        e1 = value[3];
        e2 = value[2];
        if (legacyModel) {
            bool failed = false;
            LegacyVersion legacy = readLegacyVersion(failed);
            if (legacy.read) {
                e1 = e2 = 0;
                if (legacyCodeToMove(legacy.code) && code != 32 && clearStoredVersion())
                    return found(legacy.code);
            }
        }
        if (code != 0) return found(code);
    }

    // No stored version: by model.
    if (product_id == 0x3020) {
        if (!keyFailed) return 1;
        ma = 1;
        mi = 0;
        e1 = 1;
        e2 = 0;
        return 1;
    }
    if (legacyModel) {
        bool failed = false;
        LegacyVersion legacy = readLegacyVersion(failed);
        if (failed) return found(30);
        if (!legacy.read) return found(product_id == 0x4D10 ? 30 : product_id == 0x4D30 ? 42 : 50);
        if (legacyCodeToMove(legacy.code)) {
            clearStoredVersion();
            return found(legacy.code);
        }
        return legacy.code ? found(legacy.code) : 1;
    }
    int code = product_id >= 0 && product_id <= 0xFFFF
                   ? transport::csr::fixedVersionCode(static_cast<uint16_t>(product_id))
                   : -1;
    return code >= 0 ? found(static_cast<uint32_t>(code)) : 1;
}

}  // extern "C"
