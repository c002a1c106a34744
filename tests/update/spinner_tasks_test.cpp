// The spinner tasks posted from the worker's thread run on the main thread, in order.
#include <gtest/gtest.h>

#include <thread>

#include "platform/MainQueue.h"
#include "update/SpinnerTasks.h"

namespace {

TEST(SpinnerTasks, PostedFromAWorkerRunOnTheMainThreadInOrder) {
    platform::markMainThread();
    std::vector<std::string> ran;
    bool allOnMain = true;
    auto record = [&](const char* what) {
        return [&, what] {
            allOnMain = allOnMain && platform::isMainThread();
            ran.push_back(what);
        };
    };
    const update::SpinnerTasks tasks = update::spinnerTasks(record("start"), record("stop"));
    std::thread worker([&] {
        tasks.start();
        tasks.stop();
        tasks.start();
        tasks.stop();
    });
    worker.join();  // the worker did not wait: nothing has run yet
    EXPECT_TRUE(ran.empty());
    platform::drainMainQueue();
    EXPECT_EQ(ran, (std::vector<std::string>{"start", "stop", "start", "stop"}));
    EXPECT_TRUE(allOnMain);
}

}  // namespace
