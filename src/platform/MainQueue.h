// Work that a worker thread hands to the main thread (interface updates). Plain C++: the window's
// event loop installs a waker that makes it drain the queue; without one (tests, tools) the
// posted work waits until someone drains the queue.
#pragma once

#include <cstddef>
#include <functional>

namespace platform {

// Queues fn to run on the main thread after the work posted before it. Callable from any thread.
void postToMainQueue(std::function<void()> fn);

// Runs the posted work, in order, on the calling thread (the main thread), including work that
// the running items post; returns how many items ran.
size_t drainMainQueue();

// Called (from any thread) after each post, so that the event loop schedules a drain.
void setMainQueueWaker(std::function<void()> wake);

// Marks the calling thread as the main thread (main() does it first thing).
void markMainThread();
bool isMainThread();

}  // namespace platform
