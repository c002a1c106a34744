// The server's application-version list ("Software") and the check whether it offers a newer
// manager than this one (1.0.0).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace recognition {

// The list's key of this application.
inline constexpr const char* kManagerKey = "VELMARHelmetsDeviceManagerForMAC";

struct ManagerLatestVersion {
    int32_t major = 1;
    int32_t minor = 0;
    int32_t secondary = 0;
    std::optional<std::string> url;  // base URL + the list's path, when the key's line gave one
};

// Walks the list's lines for this application's key. body nullopt (no data, or not ASCII) leaves
// the defaults.
ManagerLatestVersion parseManagerVersionList(const std::optional<std::string>& body, const std::string& baseUrl);

// The body as ASCII text, or nullopt when a byte is outside ASCII.
std::optional<std::string> asciiText(const std::string& bytes);

// Newer than 1.0.0, by major, then minor, then secondary.
bool haveNewManagerUpdate(int32_t major, int32_t minor, int32_t secondary);

// Whether the page offers the update: only when the list named where to get it.
bool offersManagerUpdate(const ManagerLatestVersion& latest);

}  // namespace recognition
