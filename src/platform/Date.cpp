#include "platform/Date.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace platform {

Date Date::now() {
    using namespace std::chrono;
    double unix = duration<double>(system_clock::now().time_since_epoch()).count();
    return fromUnix(unix);
}

std::string Date::format(const char* strftimeFormat) const {
    std::time_t t = static_cast<std::time_t>(std::floor(unixSeconds()));
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[128];
    size_t n = std::strftime(buf, sizeof buf, strftimeFormat, &tm);
    return std::string(buf, n);
}

}  // namespace platform
