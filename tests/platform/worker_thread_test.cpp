// A page's worker thread as the shutdown sees it: a bounded wait that tells whether it ended.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/WorkerThread.h"

namespace {

using namespace std::chrono_literals;

TEST(WorkerThread, BoundedJoinTellsWhetherTheThreadEnded) {
    std::atomic<bool> release{false};
    platform::WorkerThread worker;
    EXPECT_TRUE(worker.joinWithin(0ms)) << "no thread is no thread left";
    ASSERT_TRUE(worker.start([&] {
        while (!release.load()) std::this_thread::yield();
    }));
    EXPECT_TRUE(worker.running());
    EXPECT_FALSE(worker.start([] {})) << "one operation at a time";
    EXPECT_FALSE(worker.joinWithin(20ms));
    release = true;
    EXPECT_TRUE(worker.joinWithin(std::chrono::minutes(1)));
    EXPECT_FALSE(worker.running());
    // The next operation may start once the previous one has ended.
    EXPECT_TRUE(worker.start([] {}));
    worker.join();
    EXPECT_FALSE(worker.running());
}

}  // namespace
