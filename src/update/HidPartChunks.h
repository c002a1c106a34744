// The chunked part data of format A: command 0x06 carrying at most 1019 bytes after a big-endian
// length, each chunk written with usbhid_send and acknowledged by usbhid_wait_ready on the same
// slot. Shared by every family that writes firmware parts over format A.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace update {

constexpr uint8_t kPartChunkCommand = 0x06;
constexpr size_t kPartChunkMax = 1019;

// Sends length bytes of data as chunks in the caller's 1023-byte request buffer, which keeps what
// earlier commands left in the bytes a chunk does not set. A length of 0 sends nothing. False at
// the first send or wait that fails (with `failedAtWait` told which, when given); a set `stop`
// ends it before the next chunk. The last chunk goes with `lastCommand` (the QCC headsets mark it).
bool sendPartChunks(int slot, uint8_t* request, const unsigned char* data, size_t length,
                    const std::atomic<bool>* stop = nullptr, bool* failedAtWait = nullptr,
                    uint8_t lastCommand = kPartChunkCommand);

}  // namespace update
