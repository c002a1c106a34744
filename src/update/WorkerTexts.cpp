#include "update/WorkerTexts.h"

#include <cstring>

// Until the page's text tables land, English stands for every language.
namespace update::worker_texts {

std::string checkingFirmware(int) { return "Checking firmware"; }
std::string checkingBackupFirmware(int) { return "Checking backup firmware"; }
std::string aboutToMakeBackupFirmware(int) { return "about to make backup firmware"; }
std::string cannotGetStatus(int) { return "Cannot get status"; }

std::optional<std::string> firmwareMessage(const char* message, int, int) {
    if (!message) return std::nullopt;
    for (const char* known : {"Cannot access firmware", "Cannot allocate file buffer", "Cannot open firmware",
                              "Cannot load firmware", "Firmware corrupted", "Finished checking firmware"})
        if (std::strcmp(message, known) == 0) return std::string(known);
    if (std::strncmp(message, "Firmware not for", 16) == 0) return std::string(message);
    return std::nullopt;
}

}  // namespace update::worker_texts
