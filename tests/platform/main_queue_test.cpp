// Work posted to the main thread runs there, in posting order, including work posted meanwhile.
#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(MainQueue, RunsPostedWorkInOrderWhenDrainedIncludingWorkPostedWhileRunning) {
    std::vector<int> ran;
    std::atomic<int> wakes{0};
    platform::setMainQueueWaker([&] { ++wakes; });
    std::thread worker([&] {
        platform::postToMainQueue([&] { ran.push_back(1); });
        platform::postToMainQueue([&] {
            ran.push_back(2);
            platform::postToMainQueue([&] { ran.push_back(4); });
        });
    });
    worker.join();
    platform::postToMainQueue([&] { ran.push_back(3); });
    EXPECT_TRUE(ran.empty()) << "nothing runs before the main thread drains";
    EXPECT_EQ(wakes, 3);
    EXPECT_EQ(platform::drainMainQueue(), 4u);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(platform::drainMainQueue(), 0u);
    platform::setMainQueueWaker(nullptr);
}

}  // namespace
