// Format A user-key writes and their 0x11 follow-up.
#include <algorithm>
#include <cstring>

#include "transport/HidReportChannel.h"

namespace {
constexpr uint8_t kWriteKey = 0x04, kFollowUp = 0x11;
constexpr size_t kWordsAt = 4;
constexpr size_t kWordRoom = (kLongRequestSize - kWordsAt) / 2;
}  // namespace

int usbhid_write_user_key(int slot, uint8_t* request, uint8_t* reply, uint8_t key, const uint16_t* words,
                          size_t placed, size_t count) {
    if (!request || !reply) return 0;
    placed = std::min(placed, kWordRoom);
    count = std::min({count, placed, size_t{255}});
    std::memset(request, 0, kLongRequestSize);
    request[0] = 1;
    request[1] = kWriteKey;
    request[2] = key;
    request[3] = static_cast<uint8_t>(count);
    if (placed && words) std::memcpy(request + kWordsAt, words, placed * sizeof(uint16_t));
    // Host order into the buffer, big-endian on the wire.
    usbhid_swap_block_words(request, kLongRequestSize);
    return usbhid_command(slot, request, reply);
}

int usbhid_follow_up(int slot, uint8_t* request, uint8_t* reply, uint8_t key, FollowUpWords words) {
    if (!request || !reply) return 0;
    request[1] = kFollowUp;
    request[2] = key;
    // The count byte is unchanged, so this turns back exactly the words the write turned.
    if (words == FollowUpWords::HostOrder) usbhid_swap_block_words(request, kLongRequestSize);
    return usbhid_command(slot, request, reply);
}
