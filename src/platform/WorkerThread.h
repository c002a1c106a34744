// One thread of a page's long operation, which the shutdown can join within a bound. The thread
// marks its own end, so a bounded wait knows whether join() would return at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

class WorkerThread {
  public:
    WorkerThread() = default;
    // Joins a thread that has ended; one still running is left to the process's end (the
    // shutdown has already waited for it as long as it may).
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts fn on a new thread after joining the previous one; false while one still runs.
    bool start(std::function<void()> fn);
    // Started and not yet returned.
    bool running() const;
    // Waits for the thread's end without a bound.
    void join();
    // Waits up to bound for the thread to return and joins it; true when no thread is left.
    bool joinWithin(std::chrono::milliseconds bound);

  private:
    struct End {
        std::mutex mutex;
        std::condition_variable cv;
        bool done = false;
    };
    std::thread thread_;
    std::shared_ptr<End> end_;
};

}  // namespace platform
