// The QCC image write: one firmware image moved into a QCC headset over format A (0x05 start,
// 0x06 / 0x0E chunks, 0x07 end, 0x08 run the loader), the wait for the restarted headset, and
// 0x0A to confirm. The QCC roads share it and name their own failure tags.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "update/UpdateWorker.h"

namespace update {

// The tag each step's failure appends to "Cannot get status".
struct QccTags {
    const char* start;    // 0x05
    const char* send;     // a chunk's send
    const char* wait;     // a chunk's acknowledgement
    const char* end;      // 0x07
    const char* loader;   // 0x08
    const char* reopen;   // the restarted headset not found (HID is not closed after it)
    const char* confirm;  // 0x0A
};

struct QccImage {
    uint8_t type = 0;  // byte 2 of 0x05
    const unsigned char* data = nullptr;
    size_t length = 0;
    bool timedConfirm = false;  // 0x0A's first reply is awaited at most confirmFirstReplyMs
};

// How long a timed confirmation waits for its first reply. A read of the device, so real time
// passes: tests lower it; the program keeps the default.
constexpr int kDefaultConfirmFirstReplyMs = 5000;
extern std::atomic<int> confirmFirstReplyMs;

// One format A command on slot 0 from a zeroed request: byte 1 the command, byte 2 its argument.
bool qccCommand(UpdateRun& run, uint8_t command, uint8_t argument, uint8_t* reply);
// Closes HID, sleeps waitMs, polls the headset once a second until it opens (bounded like every
// reconnection poll), then opens it once more and leaves it open. False when not found or stopped.
bool reopenWithWait(UpdateRun& run, int64_t waitMs);
// Writes the image; the failed step's tag, or nullptr. The headset is open in slot 0 before and
// after.
const char* writeQccImage(UpdateRun& run, const QccImage& image, const QccTags& tags);
// Ends the run after a failed image write: "Cannot get status" with the tag, HID closed except
// after the reopen.
void failQccWrite(UpdateRun& run, const QccTags& tags, const char* tag);
// Part 0 of a QCC image through the short part table: offset at byte 44, length at 48, inside the
// image; none otherwise.
std::optional<QccImage> qccPartZero(const unsigned char* image, size_t size);

}  // namespace update
