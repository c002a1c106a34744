// How long the host waits on a headset before an exchange fails: silence (no report at all) and
// a device that keeps answering busy. Reads without a bound could hang a worker for ever on a
// dead or confused device. Tests lower these; the program keeps the defaults.
//
// Silence is a hidapi read time-out, so it passes in real time. The busy limit is measured on
// platform::clock(): format B polls and the one-second rounds of the timed command sleep on it,
// but formats A and C re-read a busy device without sleeping, so under a virtual clock a device
// that is busy for ever ends those only with a real clock or a lowered limit of real time.
#pragma once

#include <atomic>
#include <cstdint>

namespace transport {

constexpr int64_t kDefaultSilenceLimitMs = 30'000;
// A firmware write keeps a headset busy for long stretches.
constexpr int64_t kDefaultBusyLimitMs = 300'000;

extern std::atomic<int64_t> silenceLimitMs;
extern std::atomic<int64_t> busyLimitMs;

// Poll budgets of format B, in fetches of input report 2: the gathering of the final reply after a
// busy one, and each row of the probe. They pass through the simulator fetch by fetch, whatever
// the clock, so tests that only need a budget to run out lower them.
constexpr int kDefaultBusyPolls = 20000;
constexpr int kDefaultProbePolls = 10000;

extern std::atomic<int> busyPolls;
extern std::atomic<int> probePolls;

// Set when the program stops a worker (shutdown): every wait on a headset ends at its next look
// (silent reads are taken in slices of kStopSliceMs) and the exchange fails. Cleared by whoever
// starts device work again.
extern std::atomic<bool> stopWaits;
constexpr int kStopSliceMs = 50;

// The silence bound as a hidapi read time-out.
int readTimeoutMs();

}  // namespace transport
