#include "platform/Servers.h"

#include <cstdlib>

namespace platform {
namespace {

std::string overridden(const char* configured) {
    if (const char* base = std::getenv("VELMAR_SERVER_BASE"); base && *base) {
        std::string s = base;
        if (s.back() != '/') s.push_back('/');
        return s;
    }
    return configured;
}

}  // namespace

std::string mainServerBase() { return overridden(VELMAR_MAIN_SERVER); }
std::string mirrorServerBase() { return overridden(VELMAR_MIRROR_SERVER); }

}  // namespace platform
