// Files the program keeps: whole-file reads, atomic replacement, and the archive folder that
// holds the configuration, the settings backups and downloaded firmware.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The largest archive (configuration, settings backup) we read: ours are a few kilobytes.
inline constexpr size_t kArchiveFileCap = 1u << 20;
// The largest file of any other kind we read whole (firmware images are a few megabytes).
inline constexpr size_t kLargeFileCap = 64u << 20;

// Why a bounded read gave nothing.
enum class ReadFailure { None, CannotOpen, NotARegularFile, TooLarge, ReadError };

// The whole file when it is a regular file of at most maxBytes; otherwise nullopt and the reason
// in *failure. The open never blocks (a FIFO swapped in for the file is refused, not waited on),
// and the type and size are those of the opened descriptor, not of the path.
std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes = kLargeFileCap,
                                             ReadFailure* failure = nullptr);

// A few words for the log.
const char* describe(ReadFailure failure);

// Writes a temporary file beside path, flushes it and renames it over path, so that a crash or
// power loss leaves either the old file or the new one whole. On failure returns false with a
// short reason in *error and leaves path as it was.
bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr);

// Creates (or truncates) path with exactly bytes and flushes it to its device before closing it;
// false with a short reason in *error when any of that fails.
bool writeFileFlushed(const std::string& path, const unsigned char* bytes, size_t size, std::string* error = nullptr);
// Flushes a folder's entries (a rename in it) to its device.
bool syncFolder(const std::string& folder);

// Creates path and its missing parents; true when the folder exists afterwards.
bool createFolders(const std::string& path);

// $XDG_DATA_HOME/VELMARHelmetsDeviceManager/VELMARHelmetsDeviceManagerArchive, with
// ~/.local/share as the default data home. Not created here.
std::string archiveFolderPath();

// The archive folder, created with its parents when missing; nullopt when that fails.
std::optional<std::string> ensureArchiveFolder();

}  // namespace platform
