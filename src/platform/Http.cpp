#include "platform/Http.h"

#include <curl/curl.h>

#include <mutex>

namespace platform {
namespace {

size_t collect(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<std::vector<uint8_t>*>(user);
    body->insert(body->end(), data, data + size * count);
    return size * count;
}

int abortWhenCancelled(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancel = static_cast<const std::atomic<bool>*>(user);
    return cancel && cancel->load() ? 1 : 0;
}

void initOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpResult get(const std::string& url, int timeoutSeconds, bool idle, CachePolicy policy,
               const std::atomic<bool>* cancel) {
    initOnce();
    HttpResult result;
    CURL* curl = curl_easy_init();
    if (!curl) {
        result.error = "cannot start a request";
        return result;
    }
    curl_slist* headers = nullptr;
    if (policy != CachePolicy::UseCacheWhenPresent) {
        headers = curl_slist_append(headers, "Cache-Control: no-cache");
        headers = curl_slist_append(headers, "Pragma: no-cache");
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    if (idle) {
        // Below one byte a second for the whole limit counts as nothing arriving.
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(timeoutSeconds));
    } else {
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(timeoutSeconds));
    }
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // worker threads
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    if (cancel) {
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, cancel);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }
    CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    if (code != CURLE_OK) {
        result.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
        result.body.clear();  // a cut-off answer is no answer
    } else if (result.status < 200 || result.status > 299) {
        result.error = "HTTP " + std::to_string(result.status);
    } else {
        result.ok = true;
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}

}  // namespace

HttpResult httpGet(const std::string& url, int timeoutSeconds, CachePolicy policy, const std::atomic<bool>* cancel) {
    return get(url, timeoutSeconds, false, policy, cancel);
}

HttpResult httpGetIdle(const std::string& url, int idleSeconds, CachePolicy policy, const std::atomic<bool>* cancel) {
    return get(url, idleSeconds, true, policy, cancel);
}

}  // namespace platform

namespace platform {
namespace {

// Poll step of the streaming loop: how soon a cancel or the idle limit is seen.
constexpr int kStreamPollMs = 20;

struct Stream {
    CURL* curl = nullptr;
    const HttpSink* sink = nullptr;
    std::chrono::steady_clock::time_point lastData;
};

bool successStatus(long status) { return status >= 200 && status <= 299; }

size_t streamBody(char* data, size_t size, size_t count, void* user) {
    auto* s = static_cast<Stream*>(user);
    const size_t n = size * count;
    s->lastData = std::chrono::steady_clock::now();
    long status = 0;
    curl_easy_getinfo(s->curl, CURLINFO_RESPONSE_CODE, &status);
    // An error page is not the file: the transfer ends before any of it is taken.
    if (!successStatus(status) || n == 0) return 0;
    return (*s->sink)(reinterpret_cast<const uint8_t*>(data), n) ? n : 0;
}

size_t streamHeader(char*, size_t size, size_t count, void* user) {
    static_cast<Stream*>(user)->lastData = std::chrono::steady_clock::now();
    return size * count;
}

}  // namespace

HttpResult httpGetStreaming(const std::string& url, std::chrono::milliseconds idleLimit, CachePolicy policy,
                            const HttpSink& sink, const std::atomic<bool>* cancel) {
    initOnce();
    HttpResult result;
    CURL* curl = curl_easy_init();
    CURLM* multi = curl_multi_init();
    if (!curl || !multi) {
        if (curl) curl_easy_cleanup(curl);
        if (multi) curl_multi_cleanup(multi);
        result.error = "cannot start a request";
        return result;
    }
    Stream stream{curl, &sink, std::chrono::steady_clock::now()};
    curl_slist* headers = nullptr;
    if (policy != CachePolicy::UseCacheWhenPresent) {
        headers = curl_slist_append(headers, "Cache-Control: no-cache");
        headers = curl_slist_append(headers, "Pragma: no-cache");
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(idleLimit.count()));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, streamBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &stream);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, streamHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &stream);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_multi_add_handle(multi, curl);

    // The multi loop instead of one blocking perform: the idle limit and a cancel are checked at
    // every poll step, whatever the server does.
    int running = 1;
    std::string stopped;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            stopped = "transfer failed";
            break;
        }
        if (!running) break;
        if (cancel && cancel->load()) {
            stopped = "cancelled";
            break;
        }
        if (std::chrono::steady_clock::now() - stream.lastData > idleLimit) {
            stopped = "no data for " + std::to_string(idleLimit.count()) + " ms";
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kStreamPollMs, nullptr);
    }
    CURLcode code = CURLE_OK;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &left))
        if (msg->msg == CURLMSG_DONE) code = msg->data.result;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    if (!stopped.empty()) {
        result.error = stopped;
    } else if (result.status != 0 && !successStatus(result.status)) {
        result.error = "HTTP " + std::to_string(result.status);
    } else if (code != CURLE_OK) {
        result.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
    } else {
        result.ok = true;
    }
    curl_multi_remove_handle(multi, curl);
    curl_multi_cleanup(multi);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}

}  // namespace platform
