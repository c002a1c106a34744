// Trace lines of the classes (the system log of the original program): standard error here.
#pragma once

#include <string>

namespace platform {

void logLine(const std::string& line);
// printf-style convenience.
void logf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
