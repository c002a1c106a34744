// Shared by the protocol tests: a virtual clock, the in-memory boot loader, captured standard
// error.
#pragma once

#include "platform/Clock.h"
#include "sim/stm32/MemoryPort.h"
#include "stm32/Stm32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace stm32test {

class VirtualTime : public testing::Test {
protected:
    VirtualTime() { platform::setClock(&clock); }
    ~VirtualTime() override { platform::setClock(nullptr); }
    platform::VirtualClock clock;
};

// A connection to an in-memory boot loader; stderr of the connect is kept apart.
class Connected : public VirtualTime {
protected:
    ~Connected() override { stm32_disconnect(conn); }

    // Connects and returns whether it worked; connectErr holds what the connect printed.
    bool connect(stm32sim::Config config, stm32sim::PortOptions options = {}, int init = 1) {
        sim = std::make_unique<stm32sim::MemoryPort>(std::move(config), std::move(options));
        testing::internal::CaptureStderr();
        conn = stm32_connect(sim->port(), init);
        connectErr = testing::internal::GetCapturedStderr();
        sim->takeWritten();
        return conn != nullptr;
    }
    stm32sim::BootMachine& machine() { return sim->machine(); }

    std::unique_ptr<stm32sim::MemoryPort> sim;
    stm32_conn* conn = nullptr;
    std::string connectErr;
};

inline stm32sim::Config chip(uint16_t id) {
    stm32sim::Config c;
    c.chipId = id;
    return c;
}

// Runs f with standard error captured and returns what it printed.
template <class F>
std::string stderrOf(F f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}

}  // namespace stm32test
