#include "platform/MainQueue.h"

#include <deque>
#include <mutex>
#include <thread>

namespace platform {
namespace {

std::mutex queueMutex;
std::deque<std::function<void()>> queue;
std::function<void()> waker;
std::thread::id mainThread = std::this_thread::get_id();

}  // namespace

void postToMainQueue(std::function<void()> fn) {
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        queue.push_back(std::move(fn));
        wake = waker;
    }
    if (wake) wake();
}

size_t drainMainQueue() {
    size_t ran = 0;
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            if (queue.empty()) return ran;
            fn = std::move(queue.front());
            queue.pop_front();
        }
        fn();
        ++ran;
    }
}

void setMainQueueWaker(std::function<void()> wake) {
    std::lock_guard<std::mutex> lock(queueMutex);
    waker = std::move(wake);
}

void markMainThread() { mainThread = std::this_thread::get_id(); }

bool isMainThread() { return std::this_thread::get_id() == mainThread; }

}  // namespace platform
