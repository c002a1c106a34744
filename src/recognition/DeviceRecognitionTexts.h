// The texts of the recognition page and its worker, in the 13 interface languages (any other
// index shows English). The page class inherits them; the worker uses them without a window.
#pragma once

#include <string>

#include "platform/KeyedArchive.h"

namespace recognition {

class DeviceRecognitionTexts {
  public:
    // The page's instruction: connect the product (step 1), press Next (step 2).
    static std::string stringInstruction(int language);
    static std::string stringInstructionNormalActivated(int language);
    static std::string stringInstructionPressNextButtonAt(int n, int language);
    // The product-group boxes behind the two (hidden) product buttons.
    static std::string stringOrvaProduct(int language);
    static std::string stringOEMProduct(int language);
    static std::string stringMessageDeviceOtherThan(const std::string& productName, int language);
    // Formatted with the application's title (twice).
    static std::string stringMessageRestartingManager(const std::string& title, int language);

    // The open routines' message in a language: "Firmware management mode", "Device recognized
    // successfully"; nil for any other message.
    static platform::OptString qelm_string_for_status(const char* message, int _in);
    // The worker's status when the headset's firmware version cannot be read.
    static std::string stringCannotReadFirmwareVersion(int language);
};

}  // namespace recognition
