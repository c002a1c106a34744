// Work that a simulated device does some time after a request (a headset that restarts and comes
// back): on a virtual clock it runs when a sleep passes its time, so a long wait costs nothing;
// on real time a thread of its own runs it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Clock.h"

namespace sim {

class Scheduler {
  public:
    virtual ~Scheduler() = default;
    // Runs fn once, ms milliseconds from now (in the scheduler's time). Callable from any thread.
    virtual void after(int64_t ms, std::function<void()> fn) = 0;
};

// A virtual clock with timed events: a sleep moves time to each due event in turn, runs it on
// the sleeping thread, then moves on to the end of the sleep.
class EventClock : public platform::Clock, public Scheduler {
  public:
    int64_t nowMs() override;
    void sleepMs(int64_t ms) override;
    void after(int64_t ms, std::function<void()> fn) override;
    size_t pendingEvents() const;

  private:
    mutable std::mutex mutex_;
    int64_t now_ = 0;
    std::multimap<int64_t, std::function<void()>> events_;
};

// Real time: events run on a thread of the scheduler; those still pending when it goes are
// dropped.
class RealTimeScheduler : public Scheduler {
  public:
    RealTimeScheduler();
    ~RealTimeScheduler() override;
    RealTimeScheduler(const RealTimeScheduler&) = delete;
    RealTimeScheduler& operator=(const RealTimeScheduler&) = delete;
    void after(int64_t ms, std::function<void()> fn) override;

  private:
    void run();
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::multimap<std::chrono::steady_clock::time_point, std::function<void()>> events_;
    std::thread thread_;
};

}  // namespace sim
