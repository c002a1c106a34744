#include <gtest/gtest.h>

#include "platform/Clock.h"

TEST(Clock, VirtualClockMovesOnlyWhenSomeoneSleeps) {
    platform::VirtualClock virtualClock;
    platform::setClock(&virtualClock);
    int64_t start = platform::nowMs();
    platform::sleepMs(50000);
    EXPECT_EQ(platform::nowMs() - start, 50000);
    platform::setClock(nullptr);
    int64_t realStart = platform::nowMs();
    platform::sleepMs(1);
    EXPECT_GE(platform::nowMs(), realStart);
}
