#include "platform/WorkerThread.h"

#include "platform/Log.h"

namespace platform {

WorkerThread::~WorkerThread() {
    if (!thread_.joinable()) return;
    if (running()) {
        logLine("a worker thread outlived the shutdown's wait");
        thread_.detach();
        return;
    }
    thread_.join();
}

bool WorkerThread::start(std::function<void()> fn) {
    if (running()) return false;
    if (thread_.joinable()) thread_.join();
    end_ = std::make_shared<End>();
    thread_ = std::thread([end = end_, fn = std::move(fn)] {
        fn();
        std::lock_guard<std::mutex> lock(end->mutex);
        end->done = true;
        end->cv.notify_all();
    });
    return true;
}

bool WorkerThread::running() const {
    if (!thread_.joinable() || !end_) return false;
    std::lock_guard<std::mutex> lock(end_->mutex);
    return !end_->done;
}

void WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
}

bool WorkerThread::joinWithin(std::chrono::milliseconds bound) {
    if (!thread_.joinable()) return true;
    {
        std::unique_lock<std::mutex> lock(end_->mutex);
        if (!end_->cv.wait_for(lock, bound, [this] { return end_->done; })) return false;
    }
    thread_.join();
    return true;
}

}  // namespace platform
