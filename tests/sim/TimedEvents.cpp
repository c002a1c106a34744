#include "sim/TimedEvents.h"

namespace sim {

int64_t EventClock::nowMs() {
    std::lock_guard<std::mutex> lock(mutex_);
    return now_;
}

void EventClock::sleepMs(int64_t ms) {
    if (ms <= 0) return;
    std::unique_lock<std::mutex> lock(mutex_);
    const int64_t end = now_ + ms;
    while (!events_.empty() && events_.begin()->first <= end) {
        auto first = events_.begin();
        now_ = std::max(now_, first->first);
        std::function<void()> fn = std::move(first->second);
        events_.erase(first);
        lock.unlock();
        fn();  // may schedule more
        lock.lock();
    }
    now_ = std::max(now_, end);
}

void EventClock::after(int64_t ms, std::function<void()> fn) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.emplace(now_ + std::max<int64_t>(ms, 0), std::move(fn));
}

size_t EventClock::pendingEvents() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_.size();
}

RealTimeScheduler::RealTimeScheduler() : thread_([this] { run(); }) {}

RealTimeScheduler::~RealTimeScheduler() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RealTimeScheduler::after(int64_t ms, std::function<void()> fn) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.emplace(std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max<int64_t>(ms, 0)),
                        std::move(fn));
    }
    wake_.notify_all();
}

void RealTimeScheduler::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (events_.empty()) {
            wake_.wait(lock);
            continue;
        }
        auto due = events_.begin()->first;
        if (std::chrono::steady_clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        std::function<void()> fn = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        lock.unlock();
        fn();
        lock.lock();
    }
}

}  // namespace sim
