// The page's texts that the update worker publishes, by language index.
#pragma once

#include <optional>
#include <string>

namespace update::worker_texts {

std::string checkingFirmware(int language);
std::string checkingBackupFirmware(int language);
std::string aboutToMakeBackupFirmware(int language);
std::string cannotGetStatus(int language);
// The page's text for an English message of the file checks, none for another message.
std::optional<std::string> firmwareMessage(const char* message, int modelCode, int language);

}  // namespace update::worker_texts
