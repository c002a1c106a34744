#include "recognition/ManagerVersionCheck.h"

#include "platform/Log.h"

namespace recognition {

ManagerLatestVersion fetchManagerLatestVersion(const std::string& baseUrl, platform::CachePolicy policy) {
    platform::HttpResult reply = platform::httpGet(baseUrl + "Software", kManagerListTimeoutSeconds, policy, platform::kListBodyCap);
    if (!reply.ok) {
        platform::logLine("manager-version check: no list (" + reply.error + ")");
        return parseManagerVersionList(std::nullopt, baseUrl);
    }
    return parseManagerVersionList(asciiText(reply.text()), baseUrl);
}

app::ManagerVersionFound checkManagerVersion(const std::string& baseUrl, platform::CachePolicy policy) {
    ManagerLatestVersion latest = fetchManagerLatestVersion(baseUrl, policy);
    return {latest.major, latest.minor, latest.secondary, latest.url, offersManagerUpdate(latest)};
}

app::ManagerVersionFetch managerVersionFetch(platform::CachePolicy policy) {
    return [policy](const std::string& baseUrl) { return checkManagerVersion(baseUrl, policy); };
}

}  // namespace recognition
