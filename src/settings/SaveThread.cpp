#include "settings/SaveThread.h"

#include "transport/HidWaitLimits.h"

namespace settings {

SaveThread::~SaveThread() {
    if (running()) stop();
    join();
}

bool SaveThread::running() const { return thread_.joinable() && !finished_.load(); }

void SaveThread::start(std::function<int32_t(const std::atomic<bool>&)> work, std::function<void(int32_t)> store) {
    join();
    stop_ = false;
    transport::stopWaits = false;
    finished_ = false;
    thread_ = std::thread([this, work = std::move(work), store = std::move(store)] {
        int32_t code = work(stop_);
        store(code);
        finished_ = true;
    });
}

void SaveThread::stop() {
    stop_ = true;
    transport::stopWaits = true;
}

void SaveThread::join() {
    if (thread_.joinable()) thread_.join();
}

bool SaveThread::joinBy(std::chrono::steady_clock::time_point deadline) {
    if (!thread_.joinable()) return true;
    // A bounded wait at shutdown: std::thread has no timed join.
    while (!finished_.load() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!finished_.load()) return false;
    thread_.join();
    return true;
}

}  // namespace settings
