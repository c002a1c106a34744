#include "platform/MountedVolumes.h"

#include <unistd.h>

#include <fstream>
#include <mutex>
#include <sstream>

namespace platform {
namespace {

std::mutex testMutex;
std::optional<std::vector<Volume>> testVolumes;

// mountinfo escapes blanks and backslashes in paths as octal (\040).
std::string unescapeMountPath(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            int v = 0;
            bool ok = true;
            for (size_t k = 1; k <= 3; ++k) {
                char c = s[i + k];
                if (c < '0' || c > '7') ok = false;
                v = v * 8 + (c - '0');
            }
            if (ok) {
                out.push_back(static_cast<char>(v));
                i += 3;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}

bool readFlag(const std::string& path) {
    std::ifstream in(path);
    int v = 0;
    return in >> v && v != 0;
}

// A partition's removable flag lives on its parent disk.
bool blockDeviceRemovable(const std::string& majorMinor) {
    std::string base = "/sys/dev/block/" + majorMinor;
    return readFlag(base + "/removable") || readFlag(base + "/../removable");
}

}  // namespace

std::vector<Volume> mountedVolumes() {
    {
        std::lock_guard<std::mutex> lock(testMutex);
        if (testVolumes) return *testVolumes;
    }
    std::vector<Volume> volumes;
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, majorMinor, root, mountPoint, options;
        if (!(fields >> id >> parent >> majorMinor >> root >> mountPoint >> options)) continue;
        if (majorMinor.rfind("0:", 0) == 0) continue;  // not backed by a block device
        Volume v;
        v.path = unescapeMountPath(mountPoint);
        v.removable = blockDeviceRemovable(majorMinor);
        v.writable = (options == "rw" || options.rfind("rw,", 0) == 0) && access(v.path.c_str(), W_OK) == 0;
        v.unmountable = v.removable && v.path != "/";
        volumes.push_back(std::move(v));
    }
    return volumes;
}

void setVolumesForTesting(std::optional<std::vector<Volume>> volumes) {
    std::lock_guard<std::mutex> lock(testMutex);
    testVolumes = std::move(volumes);
}

}  // namespace platform
