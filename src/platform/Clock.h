// The one clock that every sleep, poll delay and time-out of the workers and transports goes
// through. The program uses real time; tests install a virtual clock so that long waits cost
// nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <atomic>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds since an arbitrary start.
    virtual int64_t nowMs() = 0;
    virtual void sleepMs(int64_t ms) = 0;
};

class RealClock : public Clock {
public:
    int64_t nowMs() override;
    void sleepMs(int64_t ms) override;
};

// Time moves only when someone sleeps; a sleep returns at once.
class VirtualClock : public Clock {
public:
    int64_t nowMs() override;
    void sleepMs(int64_t ms) override;
    int64_t sleptMs() const;

private:
    std::atomic<int64_t> now_{0};
};

Clock& clock();
// Installs c (not owned) as the process clock; nullptr restores real time.
void setClock(Clock* c);

inline void sleepMs(int64_t ms) { clock().sleepMs(ms); }
inline int64_t nowMs() { return clock().nowMs(); }

}  // namespace platform
