// The checksums the firmware paths share: the running CRC-32 of DFU suffixes (reflected IEEE
// polynomial, initial 0xFFFFFFFF, no final XOR: CRC-32/JAMCRC) and the CRC-16 of mesh-module
// blocks (polynomial 0x1021, MSB first, initial 0: CRC-16/XMODEM).
#pragma once

#include <cstdint>

// One CRC-32 step without the running state, for callers that keep their own value.
uint32_t crc32_init();
uint32_t crc32_byte(uint32_t value, uint8_t byte);

void crc32_set(uint32_t value);
// Continues the running CRC over the buffer and returns it.
uint32_t crc32_update(const uint8_t* buffer, uint64_t length);

uint16_t crc16_ccitt(const uint8_t* buffer, int length);
uint16_t crc16_ccitt_update(uint32_t initial, const uint8_t* buffer, int length);
