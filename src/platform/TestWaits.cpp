#include "platform/TestWaits.h"

#include <array>
#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

struct Row {
    TestWait which;
    const char* variable;
};
constexpr Row kRows[] = {
    {TestWait::WorkerSecond, "VELMAR_TEST_WORKER_SECOND_MS"},
};
constexpr size_t kCount = std::size(kRows);

// The lengths the environment sets, 0 where it sets none.
const std::array<int64_t, kCount>& fromEnvironment() {
    static const std::array<int64_t, kCount> lengths = [] {
        std::array<int64_t, kCount> l{};
        for (size_t i = 0; i < kCount; ++i) l[i] = testWaitFromText(std::getenv(kRows[i].variable));
        return l;
    }();
    return lengths;
}

}  // namespace

int64_t testWaitFromText(const char* text) {
    constexpr long long kLongestMs = 60'000;
    if (!text || !*text) return 0;
    errno = 0;
    char* end = nullptr;
    const long long ms = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || ms <= 0 || ms > kLongestMs) return 0;
    return ms;
}

int64_t waitMs(TestWait which, int64_t programMs) {
    for (size_t i = 0; i < kCount; ++i)
        if (kRows[i].which == which && fromEnvironment()[i] > 0) return fromEnvironment()[i];
    return programMs;
}

int64_t workerMs(int64_t ms) { return ms * waitMs(TestWait::WorkerSecond, 1000) / 1000; }

}  // namespace platform
