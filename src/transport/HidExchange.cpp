#include "transport/HidExchange.h"

#include <hidapi.h>

#include <cstdio>
#include <cstring>

#include "platform/Clock.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

namespace transport::detail {

using transport::stopWaits;
using transport::kStopSliceMs;

bool writeReport(hid_device* dev, const uint8_t* report, size_t size) {
    return hid_write(dev, report, size) == static_cast<int>(size);
}

// A reply shorter than the buffer leaves no stale bytes of an earlier exchange behind; one too
// short to carry the status keeps the "nothing read" mark, as does a read that times out.
// A silent device is waited for in slices, so that a stop ends the wait soon.
int readReply(hid_device* dev, uint8_t* reply, size_t size, int timeoutMs) {
    reply[kStatusOffset] = kStatusNothingRead;
    int n = 0;
    int left = timeoutMs;
    do {
        if (stopWaits.load()) return -1;
        int slice = left < kStopSliceMs ? left : kStopSliceMs;
        n = hid_read_timeout(dev, reply, size, slice);
        left -= slice;
    } while (n == 0 && left > 0);
    if (n > 0 && static_cast<size_t>(n) < size) {
        size_t from = static_cast<size_t>(n) > kStatusOffset ? static_cast<size_t>(n) : kStatusOffset + 1;
        std::memset(reply + from, 0, size - from);
    }
    return n;
}

BusyBudget::BusyBudget() : start_(platform::nowMs()) {}

bool BusyBudget::spent() const {
    if (stopWaits.load()) return true;
    int64_t limit = busyLimitMs.load();
    if (platform::nowMs() - start_ < limit) return false;
    std::printf("device busy for more than %lld ms\n", static_cast<long long>(limit));
    return true;
}

bool rereadWhileBusy(hid_device* dev, uint8_t* reply, size_t size) {
    BusyBudget budget;
    while (reply[kStatusOffset] == kStatusBusy) {
        if (budget.spent()) return false;
        // Unchecked: a failed or silent re-read leaves the "nothing read" mark and ends the loop.
        readReply(dev, reply, size, readTimeoutMs());
    }
    return true;
}

bool exchange(hid_device* dev, const uint8_t* request, size_t requestSize, uint8_t* reply, size_t replySize) {
    reply[kStatusOffset] = kStatusNothingRead;
    if (!writeReport(dev, request, requestSize)) return false;
    if (readReply(dev, reply, replySize, readTimeoutMs()) < 0) return false;
    return rereadWhileBusy(dev, reply, replySize);
}

}  // namespace transport::detail
