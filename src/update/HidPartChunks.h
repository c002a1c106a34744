// The chunked part data of format A: at most 1019 bytes after a big-endian length, each chunk
// written with usbhid_send and acknowledged by usbhid_wait_ready on the same slot. Shared by every
// family that writes firmware parts over format A (the part downloads mark every chunk 0x06; the
// QCC image write marks the chunk that ends the image 0x0E).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace update {

constexpr uint8_t kPartChunkCommand = 0x06;
constexpr uint8_t kLastImageChunkCommand = 0x0E;
constexpr size_t kPartChunkMax = 1019;

struct ChunkMarks {
    uint8_t last = kPartChunkCommand;  // the command of the chunk that ends the data
    bool zeroTail = false;             // bytes after a chunk's data are 0, not what the buffer held
    const char* lastLog = nullptr;     // a diagnostic line written before the last chunk goes out
};

enum class ChunkFailure { none, send, wait, stopped };

// Sends length bytes of data as chunks in the caller's 1023-byte request buffer, which keeps what
// earlier commands left in the bytes a chunk does not set (unless marks.zeroTail). A length of 0
// sends nothing. False at the first send or wait that fails, `failed` (when given) saying which;
// a set `stop` ends it before the next chunk.
bool sendPartChunks(int slot, uint8_t* request, const unsigned char* data, size_t length,
                    const std::atomic<bool>* stop = nullptr, ChunkMarks marks = {},
                    ChunkFailure* failed = nullptr);

}  // namespace update
