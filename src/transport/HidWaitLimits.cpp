#include "transport/HidWaitLimits.h"

#include <algorithm>
#include <climits>

namespace transport {

std::atomic<int64_t> silenceLimitMs{kDefaultSilenceLimitMs};
std::atomic<int64_t> busyLimitMs{kDefaultBusyLimitMs};
std::atomic<int> busyPolls{kDefaultBusyPolls};
std::atomic<int> probePolls{kDefaultProbePolls};
std::atomic<bool> stopWaits{false};

int readTimeoutMs() {
    // Never negative: hidapi reads a negative time-out as "wait for ever".
    return static_cast<int>(std::clamp<int64_t>(silenceLimitMs.load(), 0, INT_MAX));
}

}  // namespace transport
