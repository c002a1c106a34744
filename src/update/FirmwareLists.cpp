#include "update/FirmwareLists.h"

#include <algorithm>
#include <cctype>

#include "device/ORVABluetoothDeviceData.h"

namespace update {

namespace {

using device::ORVABluetoothDeviceData;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    size_t at = 0;
    while (true) {
        size_t next = text.find(separator, at);
        if (next == std::string::npos) {
            pieces.push_back(text.substr(at));
            return pieces;
        }
        pieces.push_back(text.substr(at, next - at));
        at = next + separator.size();
    }
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A language line of the model: pop-up item, both arrays, and the selection when it is the
// language last chosen.
void addLanguage(FirmwareListRead& read, const std::string& language, const std::string& file,
                 const std::string& strLanguageFirmware) {
    read.popUp.push_back({PopUpChange::Kind::Add, language, 0});
    read.arrFileNamesLatestVersion.push_back(file);
    read.arrLanguageFirmware.push_back(language);
    if (equalIgnoringCase(language, strLanguageFirmware)) {
        read.popUp.push_back({PopUpChange::Kind::Select, "", static_cast<int>(read.arrLanguageFirmware.size()) - 1});
        read.fileNameLatestVersion = file;
    }
}

}  // namespace

std::vector<std::string> firmwareListLines(const std::string& body) {
    std::vector<std::string> lines = split(body, "\r\n");
    if (lines.size() < 2) lines = split(body, "\n");
    return lines;
}

bool isAsciiList(const std::string& body) {
    return std::all_of(body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

size_t usableFieldCount(const std::vector<std::string>& f) {
    const bool inRange = f.size() == 2   ? ORVABluetoothDeviceData::versionComponent(f[1]).has_value()
                         : f.size() >= 3 ? f[1].empty() || ORVABluetoothDeviceData::versionInRange(f[1].substr(1))
                                         : true;
    return inRange ? f.size() : 0;
}

bool parseVersionField(const std::string& field, bool nelvar, FirmwareVersion& v) {
    if (field.empty()) return false;  // there is no "v" to drop, and nothing after it
    const std::string text = field.substr(1);
    if (nelvar) return ORVABluetoothDeviceData::getVersionFromString(text, &v.secondaryType, &v.secondary, &v.major, &v.minor);
    return ORVABluetoothDeviceData::getVersionFromString(text, &v.major, &v.minor);
}

FirmwareListRead readUpdateList(const std::string& body, const std::string& internalName, bool nelvar,
                                const std::string& strLanguageFirmware, FirmwareVersion start) {
    FirmwareListRead read;
    read.latest = start;
    bool single = false, block = false;
    for (const std::string& line : firmwareListLines(body)) {
        const std::vector<std::string> f = split(line, ":");
        const bool model = f[0] == internalName;
        const size_t fields = usableFieldCount(f);
        if (fields == 3) {
            if (block || single) break;
            if (!model) continue;
            parseVersionField(f[1], nelvar, read.latest);
            read.fileNameLatestVersion = f[2];
            single = true;
        } else if (fields == 4) {
            if (single) break;
            if (!model) {
                if (block) break;
                continue;
            }
            if (!block) {
                parseVersionField(f[1], nelvar, read.latest);
                read.popUp.push_back({PopUpChange::Kind::Add, f[2], 0});
                read.arrFileNamesLatestVersion.push_back(f[3]);
                read.arrLanguageFirmware.push_back(f[2]);
                read.popUp.push_back({PopUpChange::Kind::Select, "", 0});
                read.fileNameLatestVersion = f[3];
                block = true;
            } else {
                addLanguage(read, f[2], f[3], strLanguageFirmware);
            }
        } else if (fields == 2) {
            if (!single && !block) continue;
            if (model) read.latest.secondary = *ORVABluetoothDeviceData::versionComponent(f[1]);
            break;
        } else if (single || block) {
            break;
        }
    }
    return read;
}

FirmwareListRead readRestoreList(const std::string& body, const std::string& internalName, bool nelvar,
                                 const FirmwareVersion& backup, const std::string& strLanguageFirmware,
                                 FirmwareVersion start) {
    FirmwareListRead read;
    read.latest = start;
    bool found = false;
    auto sameAsBackup = [&](const FirmwareVersion& v) {
        if (nelvar)
            return ORVABluetoothDeviceData::compareVersionMajor(backup.major, backup.minor, backup.secondaryType,
                                                                backup.secondary, v.major, v.minor, v.secondaryType,
                                                                v.secondary, true) == 0;
        return ORVABluetoothDeviceData::compareVersionUpToMinorMajor(backup.major, backup.minor, v.major, v.minor) == 0;
    };
    for (const std::string& line : firmwareListLines(body)) {
        const std::vector<std::string> f = split(line, ":");
        const bool model = f[0] == internalName;
        const size_t fields = usableFieldCount(f);
        if (fields == 3) {
            if (found) break;
            if (!model) continue;
            parseVersionField(f[1], nelvar, read.latest);
            read.fileNameLatestVersion = f[2];
            // A single-file revision compares major.minor only, for every model.
            if (ORVABluetoothDeviceData::compareVersionUpToMinorMajor(backup.major, backup.minor, read.latest.major,
                                                                      read.latest.minor) == 0) {
                found = true;
                break;
            }
        } else if (fields == 4) {
            if (!model) {
                if (found) break;
                continue;
            }
            FirmwareVersion listed = read.latest;
            parseVersionField(f[1], nelvar, listed);
            read.latest = listed;
            if (!sameAsBackup(listed)) {
                if (found) break;
                continue;
            }
            if (!found) {
                read.fileNameLatestVersion = f[3];
                found = true;
            }
            addLanguage(read, f[2], f[3], strLanguageFirmware);
        } else if (found) {
            break;
        }
    }
    read.restorePossible = found;
    return read;
}

int preselectedLanguage(const std::vector<std::string>& languages, const std::string& strLanguageManager) {
    for (size_t i = 0; i < languages.size(); ++i)
        if (equalIgnoringCase(languages[i], strLanguageManager)) return static_cast<int>(i);
    return -1;
}

}  // namespace update
