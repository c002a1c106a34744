// Files the program keeps: whole-file reads, atomic replacement, and the archive folder that
// holds the configuration, the settings backups and downloaded firmware.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The whole file, or nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> readFile(const std::string& path);

// Writes a temporary file beside path, flushes it and renames it over path, so that a crash or
// power loss leaves either the old file or the new one whole. On failure returns false with a
// short reason in *error and leaves path as it was.
bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr);

// Creates path and its missing parents; true when the folder exists afterwards.
bool createFolders(const std::string& path);

// $XDG_DATA_HOME/VELMARHelmetsDeviceManager/VELMARHelmetsDeviceManagerArchive, with
// ~/.local/share as the default data home. Not created here.
std::string archiveFolderPath();

// The archive folder, created with its parents when missing; nullopt when that fails.
std::optional<std::string> ensureArchiveFolder();

}  // namespace platform
