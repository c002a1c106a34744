// What the transport tests share: a simulated headset on the real hidapi, short wait limits so
// that silence and endless busy end in milliseconds, and a clean slate after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "sim/SimHeadset.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

// A fault set made by a setter, for tables of cases.
sim::Faults faults(auto set) {
    sim::Faults f;
    set(f);
    return f;
}

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded())
            GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        transport::silenceLimitMs = 300;
        transport::busyLimitMs = 200;
    }

    void TearDown() override {
        usbhid_close_all();
        sim_.reset();
        platform::setClock(nullptr);
        transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
        transport::busyLimitMs = transport::kDefaultBusyLimitMs;
    }

    void plug(std::vector<sim::HidInterface> entries) {
        sim_ = std::make_unique<sim::SimHeadset>(std::move(entries));
        ASSERT_TRUE(sim_->mocked());
    }

    // The common case: one headset interface, opened into slot 0.
    void openHeadset(uint16_t productId = 0x6838) {
        ASSERT_NO_FATAL_FAILURE(plug({sim::hid(productId)}));
        uint32_t pid = 0;
        char message[kOpenMessageSize] = "";
        ASSERT_EQ(usbhid_open_headset(&pid, message), 0);
    }

    // Long waits (poll budgets, loader poll time-outs, one-second rounds) cost nothing.
    void useVirtualClock() { platform::setClock(&virtualClock_); }

    sim::HeadsetModel& model(size_t entry = 0) { return sim_->model(entry); }

    std::unique_ptr<sim::SimHeadset> sim_;
    platform::VirtualClock virtualClock_;
};
