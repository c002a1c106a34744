#include "recognition/DeviceRecognitionTexts.h"

#include <cstring>

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

namespace recognition {

namespace {

using app::TextId;

std::string text(TextId id, int language) { return std::string(app::localizedText(id, language)); }

}  // namespace

std::string DeviceRecognitionTexts::stringInstruction(int language) {
    return stringInstructionNormalActivated(language);
}

std::string DeviceRecognitionTexts::stringInstructionNormalActivated(int language) {
    return text(TextId::recognition_connect, language) + stringInstructionPressNextButtonAt(2, language);
}

std::string DeviceRecognitionTexts::stringInstructionPressNextButtonAt(int n, int language) {
    return app::formatText(text(TextId::recognition_press_next, language),
                           {n, app::AppTexts::qelm_string_next_in(language)});
}

std::string DeviceRecognitionTexts::stringOrvaProduct(int language) {
    return text(TextId::recognition_orva_products, language) + stringInstructionPressNextButtonAt(3, language) +
           "\n";
}

std::string DeviceRecognitionTexts::stringOEMProduct(int language) {
    return text(TextId::recognition_oem_products, language);
}

std::string DeviceRecognitionTexts::stringMessageDeviceOtherThan(const std::string& productName, int language) {
    return app::formatText(text(TextId::recognition_other_device, language), {productName});
}

std::string DeviceRecognitionTexts::stringMessageRestartingManager(const std::string& title, int language) {
    return app::formatText(text(TextId::recognition_restarting_manager, language), {title, title});
}

platform::OptString DeviceRecognitionTexts::qelm_string_for_status(const char* message, int _in) {
    if (!message) return std::nullopt;
    if (std::strcmp(message, "Firmware management mode") == 0)
        return app::AppTexts::qelm_string_firmware_management_mode_in(_in);
    if (std::strcmp(message, "Device recognized successfully") == 0)
        return text(TextId::recognition_device_recognized, _in);
    return std::nullopt;
}

std::string DeviceRecognitionTexts::stringCannotReadFirmwareVersion(int language) {
    return text(TextId::recognition_cannot_read_version, language);
}

}  // namespace recognition
