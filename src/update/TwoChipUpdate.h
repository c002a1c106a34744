// The two-chip HID headsets: the firmware container's parts routed to the chip on slot 0 or on
// slot 1, each chip's loader started when a part asked for it. 0x4210 checks a downgrade first.
#pragma once

#include <optional>
#include <string>

#include "update/HidPartDownload.h"

namespace update {

// The version a firmware file's name claims: after the first "v" of the last path component
// (".img" and a language suffix such as "-fr" removed), "major.minor" or "major.minor.secondary";
// any other count of fields is 0.0.0. None for a name without "v".
std::optional<ChipVersion> versionFromFileName(const std::string& path);

}  // namespace update
