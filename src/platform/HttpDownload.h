// A download that runs while the window stays live: the transfer runs on a thread of its own and
// its data, its end and its failure arrive on the main thread through the main queue, in that
// order, as a URL connection's delegate callbacks do. One transfer at a time.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/WorkerThread.h"

namespace platform {

class HttpDownload {
  public:
    struct Delegate {
        std::function<void(std::vector<uint8_t> data)> didReceiveData;
        std::function<void()> didFinishLoading;
        std::function<void(const std::string& error)> didFailWithError;
    };

    HttpDownload() = default;
    // Cancels a running transfer and waits for its thread.
    ~HttpDownload();
    HttpDownload(const HttpDownload&) = delete;
    HttpDownload& operator=(const HttpDownload&) = delete;

    // Starts the GET of url (main thread), of a body of at most maxBytes (beyond it the transfer
    // fails). False, and no callback ever, when it cannot start: an address that is not http or
    // https, or a transfer still running.
    bool start(const std::string& url, std::chrono::milliseconds idleLimit, size_t maxBytes, Delegate delegate);
    // Ends the transfer at once (main thread): no callback of it runs after this returns.
    void cancel();
    // The transfer's thread has not returned yet.
    bool running() const { return thread_.running(); }
    // Waits up to bound for the transfer's thread; true when none is left.
    bool joinWithin(std::chrono::milliseconds bound) { return thread_.joinWithin(bound); }

  private:
    std::shared_ptr<std::atomic<bool>> ended_;
    WorkerThread thread_;
};

}  // namespace platform
