// The worker thread of a settings page's save: runs the save with a stop flag, stores its code as
// its last act, and can be stopped and joined within a bound at shutdown. The page keeps one for
// its life; its destructor stops and joins a save still running.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace settings {

class SaveThread {
  public:
    SaveThread() = default;
    ~SaveThread();
    SaveThread(const SaveThread&) = delete;
    SaveThread& operator=(const SaveThread&) = delete;

    // A save is started and has not stored its code yet.
    bool running() const;
    // Joins the previous save, then runs work on a new thread; store(code) is its last act.
    void start(std::function<int32_t(const std::atomic<bool>& stop)> work, std::function<void(int32_t)> store);
    // Asks a running save to end soon: its own flag and the transport's waits.
    void stop();
    void join();
    // Waits for the thread until the deadline; true when none is left running.
    bool joinBy(std::chrono::steady_clock::time_point deadline);

  private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{true};
};

}  // namespace settings
