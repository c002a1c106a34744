#include "platform/TestWaits.h"

#include <cerrno>
#include <cstdlib>

namespace platform {

int64_t testWaitFromText(const char* text) {
    constexpr long long kLongestMs = 60'000;
    if (!text || !*text) return 0;
    errno = 0;
    char* end = nullptr;
    const long long ms = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || ms <= 0 || ms > kLongestMs) return 0;
    return ms;
}

int64_t workerMs(int64_t ms) {
    static const int64_t secondMs = [] {
        const int64_t set = testWaitFromText(std::getenv("VELMAR_TEST_WORKER_SECOND_MS"));
        return set > 0 ? set : 1000;
    }();
    return ms * secondMs / 1000;
}

}  // namespace platform
