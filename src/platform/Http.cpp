#include "platform/Http.h"

// libcurl is loaded on the first request, not linked: with its TLS, Kerberos, LDAP and SSH
// libraries it would double the shared objects mapped before the first window shows, and the
// first request is made only after that. Its header still gives the types.
#include <curl/curl.h>
#include <dlfcn.h>

#include <mutex>

namespace platform {
namespace {

struct CurlApi {
    decltype(&curl_global_init) global_init;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_perform) multi_perform;
    decltype(&curl_multi_poll) multi_poll;
    decltype(&curl_multi_info_read) multi_info_read;
    decltype(&curl_multi_cleanup) multi_cleanup;
};

template <typename F>
bool bind(void* library, const char* name, F& slot) {
    slot = reinterpret_cast<F>(dlsym(library, name));
    return slot != nullptr;
}

// Loaded and initialised once, by whichever thread asks first; nullptr when the library or one
// of its functions is missing, or it would not initialise. The library stays loaded.
const CurlApi* curlApi() {
    static CurlApi api;
    static const CurlApi* loaded = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!library) return;
        const bool all = bind(library, "curl_global_init", api.global_init) &&
                         bind(library, "curl_easy_init", api.easy_init) &&
                         bind(library, "curl_easy_setopt", api.easy_setopt) &&
                         bind(library, "curl_easy_perform", api.easy_perform) &&
                         bind(library, "curl_easy_getinfo", api.easy_getinfo) &&
                         bind(library, "curl_easy_strerror", api.easy_strerror) &&
                         bind(library, "curl_easy_cleanup", api.easy_cleanup) &&
                         bind(library, "curl_slist_append", api.slist_append) &&
                         bind(library, "curl_slist_free_all", api.slist_free_all) &&
                         bind(library, "curl_multi_init", api.multi_init) &&
                         bind(library, "curl_multi_add_handle", api.multi_add_handle) &&
                         bind(library, "curl_multi_remove_handle", api.multi_remove_handle) &&
                         bind(library, "curl_multi_perform", api.multi_perform) &&
                         bind(library, "curl_multi_poll", api.multi_poll) &&
                         bind(library, "curl_multi_info_read", api.multi_info_read) &&
                         bind(library, "curl_multi_cleanup", api.multi_cleanup);
        if (all && api.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) loaded = &api;
    });
    return loaded;
}

constexpr const char* kNoLibrary = "cannot load libcurl";

constexpr int64_t kSecondMs = 1000;
std::atomic<int64_t> secondMs{kSecondMs};

long timeoutMs(int seconds) { return static_cast<long>(seconds * secondMs.load()); }

// A body that may not pass its cap: the piece that would pass it ends the transfer.
struct CappedBody {
    std::vector<uint8_t>* body;
    size_t maxBytes;
    bool tooLarge = false;
};

size_t collect(char* data, size_t size, size_t count, void* user) {
    auto* capped = static_cast<CappedBody*>(user);
    const size_t n = size * count;
    if (n > capped->maxBytes - capped->body->size()) {
        capped->tooLarge = true;
        return 0;
    }
    capped->body->insert(capped->body->end(), data, data + n);
    return n;
}

std::string tooLargeText(size_t maxBytes) { return "answer larger than " + std::to_string(maxBytes) + " bytes"; }

int abortWhenCancelled(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancel = static_cast<const std::atomic<bool>*>(user);
    return cancel && cancel->load() ? 1 : 0;
}

// What every request sets: the address, the cache headers (returned, for the caller to free),
// redirects, no signals (worker threads), the error text, and the refusal of an announced body
// above the cap.
curl_slist* prepareRequest(const CurlApi* api, CURL* curl, const std::string& url, CachePolicy policy,
                           size_t maxBytes, char* errorBuffer) {
    curl_slist* headers = nullptr;
    if (policy != CachePolicy::UseCacheWhenPresent) {
        headers = api->slist_append(headers, "Cache-Control: no-cache");
        headers = api->slist_append(headers, "Pragma: no-cache");
    }
    api->easy_setopt(curl, CURLOPT_URL, url.c_str());
    api->easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    api->easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    api->easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    api->easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    api->easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    api->easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes));
    return headers;
}

bool successStatus(long status) { return status >= 200 && status <= 299; }

}  // namespace

HttpResult httpGet(const std::string& url, int timeoutSeconds, CachePolicy policy, size_t maxBytes,
                   const std::atomic<bool>* cancel) {
    HttpResult result;
    const CurlApi* api = curlApi();
    if (!api) {
        result.error = kNoLibrary;
        return result;
    }
    CURL* curl = api->easy_init();
    if (!curl) {
        result.error = "cannot start a request";
        return result;
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* headers = prepareRequest(api, curl, url, policy, maxBytes, errorBuffer);
    CappedBody capped{&result.body, maxBytes};
    api->easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs(timeoutSeconds));
    api->easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs(timeoutSeconds));
    api->easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    api->easy_setopt(curl, CURLOPT_WRITEDATA, &capped);
    if (cancel) {
        api->easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled);
        api->easy_setopt(curl, CURLOPT_XFERINFODATA, cancel);
        api->easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }
    CURLcode code = api->easy_perform(curl);
    api->easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    if (code != CURLE_OK) {
        result.error = capped.tooLarge || code == CURLE_FILESIZE_EXCEEDED ? tooLargeText(maxBytes)
                       : errorBuffer[0]                                   ? errorBuffer
                                                                          : api->easy_strerror(code);
        result.body.clear();  // a cut-off answer is no answer
    } else if (!successStatus(result.status)) {
        result.error = "HTTP " + std::to_string(result.status);
    } else {
        result.ok = true;
    }
    api->slist_free_all(headers);
    api->easy_cleanup(curl);
    return result;
}

// A whole body held in memory under an idle limit: the streaming read into a buffer.
HttpResult httpGetIdle(const std::string& url, int idleSeconds, CachePolicy policy, size_t maxBytes,
                       const std::atomic<bool>* cancel) {
    std::vector<uint8_t> body;
    HttpResult result = httpGetStreaming(
        url, std::chrono::milliseconds(timeoutMs(idleSeconds)), policy, maxBytes,
        [&body](const uint8_t* data, size_t size) {
            body.insert(body.end(), data, data + size);
            return true;
        },
        cancel);
    if (result.ok) result.body = std::move(body);  // a cut-off answer is no answer
    return result;
}

namespace {

// Poll step of the streaming loop: how soon a cancel or the idle limit is seen.
constexpr int kStreamPollMs = 20;

struct Stream {
    const CurlApi* api = nullptr;
    CURL* curl = nullptr;
    const HttpSink* sink = nullptr;
    std::chrono::steady_clock::time_point lastData;
    size_t maxBytes = 0;
    size_t received = 0;
    bool tooLarge = false;
};

size_t streamBody(char* data, size_t size, size_t count, void* user) {
    auto* s = static_cast<Stream*>(user);
    const size_t n = size * count;
    s->lastData = std::chrono::steady_clock::now();
    long status = 0;
    s->api->easy_getinfo(s->curl, CURLINFO_RESPONSE_CODE, &status);
    // An error page is not the file: the transfer ends before any of it is taken.
    if (!successStatus(status) || n == 0) return 0;
    // Nothing past the cap reaches the sink.
    if (n > s->maxBytes - s->received) {
        s->tooLarge = true;
        return 0;
    }
    s->received += n;
    return (*s->sink)(reinterpret_cast<const uint8_t*>(data), n) ? n : 0;
}

size_t streamHeader(char*, size_t size, size_t count, void* user) {
    static_cast<Stream*>(user)->lastData = std::chrono::steady_clock::now();
    return size * count;
}

}  // namespace

void setHttpSecondForTesting(std::chrono::milliseconds second) {
    secondMs = second.count() > 0 ? second.count() : kSecondMs;
}

HttpResult httpGetStreaming(const std::string& url, std::chrono::milliseconds idleLimit, CachePolicy policy,
                            size_t maxBytes, const HttpSink& sink, const std::atomic<bool>* cancel) {
    HttpResult result;
    const CurlApi* api = curlApi();
    if (!api) {
        result.error = kNoLibrary;
        return result;
    }
    CURL* curl = api->easy_init();
    CURLM* multi = api->multi_init();
    if (!curl || !multi) {
        if (curl) api->easy_cleanup(curl);
        if (multi) api->multi_cleanup(multi);
        result.error = "cannot start a request";
        return result;
    }
    Stream stream{api, curl, &sink, std::chrono::steady_clock::now(), maxBytes};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* headers = prepareRequest(api, curl, url, policy, maxBytes, errorBuffer);
    api->easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(idleLimit.count()));
    api->easy_setopt(curl, CURLOPT_WRITEFUNCTION, streamBody);
    api->easy_setopt(curl, CURLOPT_WRITEDATA, &stream);
    api->easy_setopt(curl, CURLOPT_HEADERFUNCTION, streamHeader);
    api->easy_setopt(curl, CURLOPT_HEADERDATA, &stream);
    api->multi_add_handle(multi, curl);

    // The multi loop instead of one blocking perform: the idle limit and a cancel are checked at
    // every poll step, whatever the server does.
    int running = 1;
    std::string stopped;
    while (running) {
        if (api->multi_perform(multi, &running) != CURLM_OK) {
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
        api->multi_poll(multi, nullptr, 0, kStreamPollMs, nullptr);
    }
    CURLcode code = CURLE_OK;
    int left = 0;
    while (CURLMsg* msg = api->multi_info_read(multi, &left))
        if (msg->msg == CURLMSG_DONE) code = msg->data.result;
    api->easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    if (!stopped.empty()) {
        result.error = stopped;
    } else if (result.status != 0 && !successStatus(result.status)) {
        result.error = "HTTP " + std::to_string(result.status);
    } else if (stream.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.error = tooLargeText(maxBytes);
    } else if (code != CURLE_OK) {
        result.error = errorBuffer[0] ? errorBuffer : api->easy_strerror(code);
    } else {
        result.ok = true;
    }
    api->multi_remove_handle(multi, curl);
    api->multi_cleanup(multi);
    api->slist_free_all(headers);
    api->easy_cleanup(curl);
    return result;
}

}  // namespace platform
