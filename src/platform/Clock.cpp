#include "platform/Clock.h"

#include <atomic>
#include <thread>

namespace platform {

int64_t RealClock::nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::sleepMs(int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t VirtualClock::nowMs() { return now_.load(); }

void VirtualClock::sleepMs(int64_t ms) {
    if (ms > 0) now_.fetch_add(ms);
}

int64_t VirtualClock::sleptMs() const { return now_.load(); }

namespace {
RealClock realClock;
std::atomic<Clock*> current{&realClock};
}  // namespace

Clock& clock() { return *current.load(); }

void setClock(Clock* c) { current.store(c ? c : &realClock); }

}  // namespace platform
