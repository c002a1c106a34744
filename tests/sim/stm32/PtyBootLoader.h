// The simulated boot loader on the master side of a pseudo-terminal, served by a thread. The
// client opens path() as its serial device. A slave descriptor stays open here, so the
// machine's state survives the client's close and reopen.
#pragma once

#include "sim/stm32/BootMachine.h"

#include <atomic>
#include <mutex>
#include <string>
#include <termios.h>
#include <thread>

namespace stm32sim {

class PtyBootLoader {
public:
    // speed: the rate the chip listens at; answers are garbled while the client's differs.
    explicit PtyBootLoader(Config config, speed_t speed = B115200);
    ~PtyBootLoader();
    PtyBootLoader(const PtyBootLoader&) = delete;
    PtyBootLoader& operator=(const PtyBootLoader&) = delete;

    const std::string& path() const { return path_; }
    int slaveFd() const { return slave_; }
    int masterFd() const { return master_; }

    // Times the client stopped sending and waited for an answer (benchmarks).
    uint64_t roundTrips() const { return roundTrips_; }

    // Runs f on the machine while the serving thread keeps off it.
    template <class F>
    auto with(F f) {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(machine_);
    }

private:
    void serve();

    BootMachine machine_;
    speed_t speed_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> roundTrips_{0};
    std::thread thread_;
};

}  // namespace stm32sim
