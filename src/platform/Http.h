// Plain HTTPS GET of the server's text lists and files (libcurl). Blocking: callers are worker
// threads. Certificate checks stay on.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class CachePolicy {
    IgnoreAllCaches,    // the application-version list: no local copy, and no proxy copy either
    IgnoreLocalCache,   // firmware lists
    UseCacheWhenPresent // firmware files and images (there is no local cache here)
};

// The largest list (Software, Firmware, Revisions) taken from the server: ours are a few kilobytes.
inline constexpr size_t kListBodyCap = 1u << 20;

struct HttpResult {
    bool ok = false;         // a complete 2xx answer arrived
    long status = 0;         // HTTP status, 0 when no answer
    std::vector<uint8_t> body;
    std::string error;       // why it failed: time-out, refused, HTTP 404, ...
    std::string text() const { return std::string(body.begin(), body.end()); }
};

// Every request takes a body of at most maxBytes: a larger announced length fails at once, and a
// body that grows past it ends the transfer there, as a broken connection does ("answer larger
// than ..."). cancel: when given and set (by any thread), the request ends early as a failure.
HttpResult httpGet(const std::string& url, int timeoutSeconds, CachePolicy policy, size_t maxBytes,
                   const std::atomic<bool>* cancel = nullptr);

// Takes a body piece by piece as it arrives; false ends the transfer as a failure.
using HttpSink = std::function<bool(const uint8_t* data, size_t size)>;

// A GET whose body goes to sink in order of arrival, on the calling thread (blocking), for files
// of megabytes on a slow link: the whole transfer has no bound, but it fails when nothing arrives
// for idleLimit (the connection included). Only a 2xx answer's body reaches the sink; any other
// status fails as "HTTP <status>". The result's body stays empty. cancel, when set by any
// thread, ends the transfer within a few milliseconds as a failure.
HttpResult httpGetStreaming(const std::string& url, std::chrono::milliseconds idleLimit, CachePolicy policy,
                            size_t maxBytes, const HttpSink& sink, const std::atomic<bool>* cancel = nullptr);

// As httpGet, but the time-out is an idle limit: the request fails when nothing arrives for
// idleSeconds, however long a steadily flowing file takes in all.
HttpResult httpGetIdle(const std::string& url, int idleSeconds, CachePolicy policy, size_t maxBytes,
                       const std::atomic<bool>* cancel = nullptr);

// How long one second of the time-outs given in seconds (httpGet, httpGetIdle) lasts: 1000 ms,
// unless a test shortens it to run a time-out out quickly with its count of seconds unchanged.
void setHttpSecondForTesting(std::chrono::milliseconds second);

}  // namespace platform
