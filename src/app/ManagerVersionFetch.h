// What a manager-version check found, and the routine that asks the server for it. The routine
// lives with the selection page's subsystem; pages of the shell receive it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace app {

struct ManagerVersionFound {
    int32_t major = 1;
    int32_t minor = 0;
    int32_t secondary = 0;
    std::optional<std::string> url;  // where to download it, when the list named it
    bool offered = false;            // newer than this program, with a download address
};

// Asks the server below baseUrl (ending in "/") and reads the answer. Blocking.
using ManagerVersionFetch = std::function<ManagerVersionFound(const std::string& baseUrl)>;

}  // namespace app
