#include "update/HidPartChunks.h"

#include <algorithm>
#include <cstring>

#include "transport/HidReportChannel.h"

namespace update {

bool sendPartChunks(int slot, uint8_t* request, const unsigned char* data, size_t length,
                    const std::atomic<bool>* stop, bool* failedAtWait, uint8_t lastCommand) {
    if (failedAtWait) *failedAtWait = false;
    for (size_t offset = 0; offset < length;) {
        if (stop && stop->load()) return false;
        const size_t chunk = std::min(kPartChunkMax, length - offset);
        request[0] = 1;
        request[1] = chunk == length - offset ? lastCommand : kPartChunkCommand;
        request[2] = static_cast<uint8_t>(chunk >> 8);
        request[3] = static_cast<uint8_t>(chunk);
        std::memcpy(request + 4, data + offset, chunk);
        if (!usbhid_send(slot, request)) return false;
        if (!usbhid_wait_ready(slot)) {
            if (failedAtWait) *failedAtWait = true;
            return false;
        }
        offset += chunk;
    }
    return true;
}

}  // namespace update
