// Runs a tool and collects its standard output (the diagnostic log's system information).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The tool's standard output once it has exited, or nullopt when it could not be started.
// argv[0] is looked up on PATH.
std::optional<std::string> runAndCapture(const std::vector<std::string>& argv);

}  // namespace platform
