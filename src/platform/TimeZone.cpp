#include "platform/TimeZone.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace platform {

std::string localTimeZoneName() {
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        const std::string prefix = "/usr/share/zoneinfo/";
        if (name.rfind(prefix, 0) == 0) name = name.substr(prefix.size());
        if (!name.empty()) return name;
    }
    std::error_code ec;
    auto target = std::filesystem::read_symlink("/etc/localtime", ec);
    if (!ec) {
        std::string path = target.string();
        auto at = path.find("zoneinfo/");
        if (at != std::string::npos) return path.substr(at + 9);
    }
    std::ifstream in("/etc/timezone");
    std::string name;
    if (in >> name && !name.empty()) return name;
    return "UTC";
}

}  // namespace platform
