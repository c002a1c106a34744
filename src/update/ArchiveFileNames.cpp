#include "update/ArchiveFileNames.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "device/ProductCatalogue.h"

namespace update {

namespace {

// '%' and '~' are ours (escapes and the case mark), '/' would leave the folder, a leading '.'
// would hide the file or name the folder itself.
bool needsEscape(unsigned char c, bool first) {
    return c == '/' || c == '\\' || c == '%' || c == '~' || c < 0x20 || c == 0x7F || (first && c == '.');
}

std::string escaped(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (!needsEscape(c, i == 0)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", c);
        out += hex;
    }
    if (out.empty()) out = "%00";
    return out;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Which letters are upper case, as hex digits of 4 letters each: two names equal ignoring case
// and with the same mark are the same name.
std::string caseMark(std::string_view name) {
    std::string mark;
    unsigned bits = 0, used = 0;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (!std::isalpha(c)) continue;
        bits = bits << 1 | (std::isupper(c) ? 1u : 0u);
        if (++used == 4) {
            mark.push_back("0123456789ABCDEF"[bits]);
            bits = used = 0;
        }
    }
    if (used) mark.push_back("0123456789ABCDEF"[bits << (4 - used)]);
    return mark;
}

bool displayNameShared(const device::ProductNameRow& row) {
    return std::ranges::any_of(device::productNameTable(), [&](const device::ProductNameRow& other) {
        return other.productId != row.productId && equalIgnoringCase(other.displayName, row.displayName);
    });
}

// Ids that share a display name and have no internal name of their own share their internal
// name; their backups hold different settings, so their file names carry the id.
std::string backupStem(const device::ProductNameRow& row) {
    std::string stem(row.internalName());
    if (row.hasOwnInternalName() || !displayNameShared(row)) return stem;
    char id[8];
    std::snprintf(id, sizeof id, "_%04X", static_cast<unsigned>(row.productId) & 0xFFFFu);
    return stem + id;
}

// Every id's backup stem, by catalogue row, and the same names as the escaping routine takes them.
struct BackupStems {
    std::vector<std::string> byRow;
    std::vector<std::string_view> known;
};

const BackupStems& backupStems() {
    static const BackupStems stems = [] {
        BackupStems all;
        for (const device::ProductNameRow& row : device::productNameTable()) all.byRow.push_back(backupStem(row));
        all.known.assign(all.byRow.begin(), all.byRow.end());
        return all;
    }();
    return stems;
}

const std::vector<std::string_view>& catalogueNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        for (const device::ProductNameRow& row : device::productNameTable()) all.push_back(row.internalName());
        return all;
    }();
    return names;
}

}  // namespace

std::string archiveFileName(std::string_view internalName, std::string_view extension,
                            std::span<const std::string_view> known) {
    std::string name = escaped(internalName);
    const bool caseTwin = std::any_of(known.begin(), known.end(), [&](std::string_view other) {
        return other != internalName && equalIgnoringCase(escaped(other), name);
    });
    if (caseTwin) name += "~" + caseMark(internalName);
    return name + "." + std::string(extension);
}

std::string archiveFileName(std::string_view internalName, std::string_view extension) {
    return archiveFileName(internalName, extension, catalogueNames());
}

std::optional<std::string> backupFileName(int32_t productId) {
    const device::ProductNameRow* row = device::productNameRow(productId);
    if (!row) return std::nullopt;
    const BackupStems& stems = backupStems();
    const auto index = static_cast<size_t>(row - device::productNameTable().data());
    return archiveFileName(stems.byRow[index], kBackupExtension, stems.known);
}

std::optional<std::string> restoreImageFileName(int32_t productId) {
    const device::ProductNameRow* row = device::productNameRow(productId);
    if (!row) return std::nullopt;
    return archiveFileName(row->internalName(), kRestoreImageExtension);
}

}  // namespace update
