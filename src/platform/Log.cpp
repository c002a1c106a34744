#include "platform/Log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace platform {

namespace {
std::mutex logMutex;
}

void logLine(const std::string& line) {
    std::lock_guard<std::mutex> lock(logMutex);
    std::fprintf(stderr, "%s\n", line.c_str());
}

void logf(const char* format, ...) {
    char buf[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    logLine(buf);
}

}  // namespace platform
