#include "transport/Checksums.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> makeCrc32Table() {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}

constexpr std::array<uint16_t, 256> makeCrc16Table() {
    std::array<uint16_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i << 8;
        for (int k = 0; k < 8; ++k) c = (c & 0x8000) ? ((c << 1) ^ 0x1021) : (c << 1);
        t[i] = static_cast<uint16_t>(c);
    }
    return t;
}

constexpr auto kCrc32Table = makeCrc32Table();
constexpr auto kCrc16Table = makeCrc16Table();

// Process-wide: the loader leaves the CRC of the last checked file here.
uint32_t runningCrc = 0xFFFFFFFFu;

}  // namespace

uint32_t crc32_init() { return 0xFFFFFFFFu; }

uint32_t crc32_byte(uint32_t value, uint8_t byte) { return (value >> 8) ^ kCrc32Table[(value ^ byte) & 0xFF]; }

void crc32_set(uint32_t value) { runningCrc = value; }

uint32_t crc32_update(const uint8_t* buffer, uint64_t length) {
    for (uint64_t i = 0; buffer && i < length; ++i) runningCrc = crc32_byte(runningCrc, buffer[i]);
    return runningCrc;
}

uint16_t crc16_ccitt_update(uint32_t initial, const uint8_t* buffer, int length) {
    if (length < 0) return 0;
    uint16_t crc = static_cast<uint16_t>(initial);
    for (int i = 0; buffer && i < length; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ kCrc16Table[(buffer[i] ^ (crc >> 8)) & 0xFF]);
    return crc;
}

uint16_t crc16_ccitt(const uint8_t* buffer, int length) {
    if (length < 1) return 0;
    return crc16_ccitt_update(0, buffer, length);
}
