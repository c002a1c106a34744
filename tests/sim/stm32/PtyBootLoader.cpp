#include "sim/stm32/PtyBootLoader.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace stm32sim {

PtyBootLoader::PtyBootLoader(Config config, speed_t speed) : machine_(std::move(config)), speed_(speed) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) abort();
    path_ = ptsname(master_);
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) abort();
    termios t{};
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    tcsetattr(slave_, TCSANOW, &t);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    thread_ = std::thread([this] { serve(); });
}

PtyBootLoader::~PtyBootLoader() {
    stop_ = true;
    thread_.join();
    ::close(slave_);
    ::close(master_);
}

void PtyBootLoader::serve() {
    uint8_t buf[512];
    bool clientSpoke = false;
    while (!stop_) {
        pollfd pfd{master_, POLLIN, 0};
        poll(&pfd, 1, 5);
        ssize_t n = ::read(master_, buf, sizeof buf);
        // The master's terminal settings are the client's: its rate decides whether the chip
        // understands it.
        termios t{};
        bool garbled = tcgetattr(master_, &t) == 0 && cfgetospeed(&t) != speed_;
        std::lock_guard<std::mutex> lock(mutex_);
        for (ssize_t i = 0; i < n; ++i) machine_.receive(buf[i]);
        size_t out = 0;
        uint8_t b;
        // Bounded per round, so an endless busy stream never starves the stop flag.
        while (out < sizeof buf && machine_.send(b)) buf[out++] = garbled ? uint8_t(b ^ 0xA5) : b;
        if (n > 0) clientSpoke = true;
        if (out > 0 && clientSpoke) {
            ++roundTrips_;
            clientSpoke = false;
        }
        size_t done = 0;
        while (done < out) {
            ssize_t w = ::write(master_, buf + done, out - done);
            if (w > 0) {
                done += size_t(w);
            } else if (w < 0 && errno == EAGAIN) {
                // A client that reads nothing: what does not fit is lost, as on a line.
                pollfd wfd{master_, POLLOUT, 0};
                if (poll(&wfd, 1, 5) <= 0) break;
            } else {
                break;
            }
        }
    }
}

}  // namespace stm32sim
