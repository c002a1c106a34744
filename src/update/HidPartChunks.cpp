#include "update/HidPartChunks.h"

#include <algorithm>
#include <cstring>

#include "platform/Log.h"
#include "transport/HidReportChannel.h"

namespace update {

bool sendPartChunks(int slot, uint8_t* request, const unsigned char* data, size_t length,
                    const std::atomic<bool>* stop, ChunkMarks marks, ChunkFailure* failed) {
    auto fail = [failed](ChunkFailure why) {
        if (failed) *failed = why;
        return false;
    };
    if (failed) *failed = ChunkFailure::none;
    for (size_t offset = 0; offset < length;) {
        if (stop && stop->load()) return fail(ChunkFailure::stopped);
        const size_t chunk = std::min(kPartChunkMax, length - offset);
        request[0] = 1;
        request[1] = offset + chunk == length ? marks.last : kPartChunkCommand;
        request[2] = static_cast<uint8_t>(chunk >> 8);
        request[3] = static_cast<uint8_t>(chunk);
        std::memcpy(request + 4, data + offset, chunk);
        if (marks.zeroTail) std::memset(request + 4 + chunk, 0, kPartChunkMax - chunk);
        if (marks.lastLog && offset + chunk == length) platform::logf("%s", marks.lastLog);
        if (!usbhid_send(slot, request)) return fail(ChunkFailure::send);
        if (!usbhid_wait_ready(slot)) return fail(ChunkFailure::wait);
        offset += chunk;
    }
    return true;
}

}  // namespace update
