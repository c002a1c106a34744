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
