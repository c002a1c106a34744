// How long the host waits on a headset before an exchange fails: silence (no report at all) and
// a device that keeps answering busy. Reads without a bound could hang a worker for ever on a
// dead or confused device. Tests lower these; the program keeps the defaults.
#pragma once

#include <atomic>
#include <cstdint>

namespace transport {

constexpr int64_t kDefaultSilenceLimitMs = 30'000;
// A firmware write keeps a headset busy for long stretches.
constexpr int64_t kDefaultBusyLimitMs = 300'000;

extern std::atomic<int64_t> silenceLimitMs;
extern std::atomic<int64_t> busyLimitMs;

// The silence bound as a hidapi read time-out.
int readTimeoutMs();

}  // namespace transport
