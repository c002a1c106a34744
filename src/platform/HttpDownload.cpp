#include "platform/HttpDownload.h"

#include "platform/Http.h"
#include "platform/MainQueue.h"

namespace platform {

HttpDownload::~HttpDownload() {
    cancel();
    thread_.join();
}

bool HttpDownload::start(const std::string& url, std::chrono::milliseconds idleLimit, size_t maxBytes,
                         Delegate delegate) {
    // A transfer that has ended (its last callback ran, or it was cancelled) returns at once.
    if (ended_ && ended_->load()) thread_.join();
    if (thread_.running()) return false;
    if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) return false;
    auto ended = std::make_shared<std::atomic<bool>>(false);
    ended_ = ended;
    auto shared = std::make_shared<Delegate>(std::move(delegate));
    // Every callback is posted with the flag and runs only while the transfer is not ended:
    // cancel() runs on the main thread, so nothing posted before it runs after it.
    auto post = [ended](std::function<void()> fn) {
        postToMainQueue([ended, fn = std::move(fn)] {
            if (!ended->load()) fn();
        });
    };
    return thread_.start([url, idleLimit, maxBytes, ended, shared, post] {
        const HttpSink sink = [&](const uint8_t* data, size_t size) {
            post([shared, bytes = std::vector<uint8_t>(data, data + size)]() mutable {
                shared->didReceiveData(std::move(bytes));
            });
            return true;
        };
        HttpResult result = httpGetStreaming(url, idleLimit, CachePolicy::UseCacheWhenPresent, maxBytes, sink, ended.get());
        // The last callback marks the transfer as ended before it runs.
        if (result.ok)
            post([shared, ended] {
                ended->store(true);
                shared->didFinishLoading();
            });
        else
            post([shared, ended, error = result.error] {
                ended->store(true);
                shared->didFailWithError(error);
            });
    });
}

void HttpDownload::cancel() {
    if (ended_) ended_->store(true);
}

}  // namespace platform
