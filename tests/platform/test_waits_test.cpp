// The test-only wait settings: only a plain count of milliseconds from 1 to a minute is taken;
// anything else leaves the program's own waits.
#include <gtest/gtest.h>

#include "platform/TestWaits.h"

namespace {

TEST(TestWaitText, OnlyAPlainCountUpToAMinuteIsTaken) {
    const struct {
        const char* text;
        int64_t ms;
    } cases[] = {
        {nullptr, 0},   {"", 0},      {"100", 100},  {"1", 1},         {"60000", 60000}, {"60001", 0},
        {"0", 0},       {"-5", 0},    {"100ms", 0},  {" 100", 100},    {"abc", 0},
        {"99999999999999999999", 0},  {"9223372036854775807", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::testWaitFromText(c.text), c.ms) << (c.text ? c.text : "(unset)");
}

TEST(TestWaitText, UnsetLeavesTheProgramsWait) {
    // CTest does not set the worker's second for this binary.
    EXPECT_EQ(platform::workerMs(6500), 6500);
}

}  // namespace
