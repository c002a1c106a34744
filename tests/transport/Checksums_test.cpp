// The CRC-32 of DFU suffixes (no final XOR) and the CRC-16 of mesh blocks, against their
// catalogue check values and zlib.
#include "transport/Checksums.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace {
const uint8_t kDigits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
}

TEST(Checksums, Crc32HasTheJamcrcCheckValue) {
    crc32_set(0xFFFFFFFF);
    EXPECT_EQ(crc32_update(kDigits, sizeof kDigits), 0x340BC6D9u);
}

TEST(Checksums, Crc32IsTheComplementOfZlibOnRandomData) {
    std::mt19937 random(20240607);
    for (size_t size : {1u, 7u, 256u, 4099u}) {
        std::vector<uint8_t> data(size);
        for (uint8_t& b : data) b = static_cast<uint8_t>(random());
        crc32_set(0xFFFFFFFF);
        uint32_t ours = crc32_update(data.data(), data.size());
        uint32_t zlib = static_cast<uint32_t>(::crc32(0, data.data(), static_cast<uInt>(data.size())));
        EXPECT_EQ(ours, ~zlib) << size;
        // Fed in two pieces, the running value continues where it stopped.
        crc32_set(0xFFFFFFFF);
        crc32_update(data.data(), size / 3);
        EXPECT_EQ(crc32_update(data.data() + size / 3, size - size / 3), ours) << size;
    }
}

TEST(Checksums, Crc32OfNothingLeavesTheRunningValue) {
    crc32_set(0x12345678);
    EXPECT_EQ(crc32_update(kDigits, 0), 0x12345678u);
}

TEST(Checksums, Crc16HasTheXmodemCheckValue) {
    EXPECT_EQ(crc16_ccitt(kDigits, sizeof kDigits), 0x31C3);
    // Continued in two pieces it is the same.
    EXPECT_EQ(crc16_ccitt_update(crc16_ccitt(kDigits, 4), kDigits + 4, 5), 0x31C3);
}

TEST(Checksums, Crc16EdgeLengths) {
    EXPECT_EQ(crc16_ccitt(kDigits, 0), 0);
    EXPECT_EQ(crc16_ccitt(kDigits, -1), 0);
    EXPECT_EQ(crc16_ccitt_update(0x1234, kDigits, 0), 0x1234);
    EXPECT_EQ(crc16_ccitt_update(0xABCD1234, kDigits, 0), 0x1234);
    EXPECT_EQ(crc16_ccitt_update(0x1234, kDigits, -1), 0);
}
