// The manager-version check's request: the server's "Software" list, fetched and read for this
// application's latest version. Blocking; the pages run it on their worker threads.
#pragma once

#include <string>

#include "app/ManagerVersionFetch.h"
#include "platform/Http.h"
#include "recognition/ManagerVersionList.h"

namespace recognition {

// The list is asked for with this time-out.
inline constexpr int kManagerListTimeoutSeconds = 15;

// baseUrl ends in "/"; the list is baseUrl + "Software". No answer, an error status, a cut-off
// body or a body that is not ASCII gives the defaults (1.0.0, no download address).
ManagerLatestVersion fetchManagerLatestVersion(
    const std::string& baseUrl, platform::CachePolicy policy = platform::CachePolicy::IgnoreAllCaches);

// The check as a page runs it: the latest version and whether it is offered.
app::ManagerVersionFound checkManagerVersion(const std::string& baseUrl, platform::CachePolicy policy);

// The check with the given cache rules, for a page that receives it (the precaution page asks
// with the default rules, the selection page ignoring every cache).
app::ManagerVersionFetch managerVersionFetch(platform::CachePolicy policy);

}  // namespace recognition
