// Names of a model's files in the archive folder: its settings backup "<internal name>.qelmarch"
// and its restore download "<internal name>.img". Ids with one internal name share their restore
// download; the backup of an id whose display name another id shares (and that has no internal
// name of its own) is "<internal name>_<id in 4 hex digits>.qelmarch", so that each id keeps its
// own. Every writer and reader of a backup takes its name from backupFileName. Characters that
// would leave the folder or hide the file are escaped, and internal names that differ only in
// letter case get names that differ ignoring case; names that are already safe keep their form.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace update {

inline constexpr std::string_view kBackupExtension = "qelmarch";
inline constexpr std::string_view kRestoreImageExtension = "img";

// The file name for an internal name, among the internal names `known` (those that could
// collide with it ignoring case).
std::string archiveFileName(std::string_view internalName, std::string_view extension,
                            std::span<const std::string_view> known);
// The same among the catalogue's internal names.
std::string archiveFileName(std::string_view internalName, std::string_view extension);

// The model's file name, none for an id outside the catalogue.
std::optional<std::string> backupFileName(int32_t productId);
std::optional<std::string> restoreImageFileName(int32_t productId);

}  // namespace update
