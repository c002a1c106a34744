// The HID wait limits of the fixtures that run exchanges through the simulated headset: short
// silences and busy waits, and small poll budgets (a spent budget is what a case needs, not its
// length; the transport tests count the full ones), set in SetUp and restored in TearDown.
#pragma once

#include "transport/HidWaitLimits.h"

namespace test_support {

inline void shortenHidWaits() {
    transport::silenceLimitMs = 300;
    transport::busyLimitMs = 200;
    transport::busyPolls = 100;
    transport::probePolls = 100;
}

inline void restoreHidWaits() {
    transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
    transport::busyLimitMs = transport::kDefaultBusyLimitMs;
    transport::busyPolls = transport::kDefaultBusyPolls;
    transport::probePolls = transport::kDefaultProbePolls;
}

}  // namespace test_support
