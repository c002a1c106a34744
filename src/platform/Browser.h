// Opens a web page or a new e-mail ("mailto:") in the user's own programs (xdg-open).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform {

// Starts the opener without waiting for it; false when it cannot be started.
bool openURL(const std::string& url);

// Tests see the addresses instead of starting a browser; nullopt restores xdg-open.
void setURLOpenerForTesting(std::optional<std::function<bool(const std::string&)>> opener);

}  // namespace platform
