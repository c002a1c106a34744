#include "recognition/ManagerVersionList.h"

#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace recognition {
namespace {

using device::ORVABluetoothDeviceData;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + separator.size();
    }
}

}  // namespace

std::optional<std::string> asciiText(const std::string& bytes) {
    for (unsigned char c : bytes)
        if (c > 0x7F) return std::nullopt;
    return bytes;
}

ManagerLatestVersion parseManagerVersionList(const std::optional<std::string>& body, const std::string& baseUrl) {
    ManagerLatestVersion latest;
    if (!body) return latest;
    std::vector<std::string> lines = split(*body, "\r\n");
    if (lines.size() < 2) lines = split(*body, "\n");
    bool found = false;
    for (const std::string& line : lines) {
        std::vector<std::string> fields = split(line, ":");
        if (fields.size() == 3 && fields[0] == kManagerKey) {
            if (found) break;
            std::string version = fields[1].empty() ? fields[1] : fields[1].substr(1);  // without the "v"
            found = true;
            if (!ORVABluetoothDeviceData::versionInRange(version)) continue;  // no version: nothing is offered
            int32_t major = 0, minor = 0;
            ORVABluetoothDeviceData::getVersionFromString(version, &major, &minor);
            latest.major = major;
            latest.minor = minor;
            latest.url = baseUrl + fields[2];
        } else if (fields.size() == 2) {
            if (fields[0] == kManagerKey)
                if (const auto secondary = ORVABluetoothDeviceData::versionComponent(fields[1]))
                    latest.secondary = *secondary;
            if (found) break;
        } else if (found) {
            break;
        }
    }
    return latest;
}

bool haveNewManagerUpdate(int32_t major, int32_t minor, int32_t secondary) {
    if (major != 1) return major > 1;
    if (minor != 0) return minor > 0;
    return secondary > 0;
}

bool offersManagerUpdate(const ManagerLatestVersion& latest) {
    return latest.url.has_value() && haveNewManagerUpdate(latest.major, latest.minor, latest.secondary);
}

}  // namespace recognition
