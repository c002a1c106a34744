#include "platform/TestWaits.h"

#include <array>
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
        for (size_t i = 0; i < kCount; ++i) {
            const char* text = std::getenv(kRows[i].variable);
            if (!text || !*text) continue;
            char* end = nullptr;
            const long long ms = std::strtoll(text, &end, 10);
            if (*end == '\0' && ms > 0) l[i] = ms;
        }
        return l;
    }();
    return lengths;
}

}  // namespace

int64_t waitMs(TestWait which, int64_t programMs) {
    for (size_t i = 0; i < kCount; ++i)
        if (kRows[i].which == which && fromEnvironment()[i] > 0) return fromEnvironment()[i];
    return programMs;
}

int64_t workerMs(int64_t ms) { return ms * waitMs(TestWait::WorkerSecond, 1000) / 1000; }

}  // namespace platform
