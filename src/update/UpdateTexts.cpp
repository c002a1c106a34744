#include "update/UpdateTexts.h"

#include <cstring>
#include <map>

#include "app/AppTexts.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "device/ProductCatalogue.h"

namespace update {

namespace {

using app::TextId;

std::string text(TextId id, int language) { return std::string(app::localizedText(id, language)); }

// The 13-entry setting-label tables, keyed by the English label as stored.
const std::map<std::string, TextId, std::less<>>& settingLabels() {
    static const std::map<std::string, TextId, std::less<>> labels = {
        {"Voice Prompt", TextId::label_voice_prompt},
        {"Date", TextId::setting_label_date},
    };
    return labels;
}

}  // namespace

#define UPDATE_TEXT(method, id) \
    std::string UpdateTexts::method(int language) { return text(TextId::id, language); }

UPDATE_TEXT(qelm_string_no_backup_firmware_in, update_no_backup_firmware)
UPDATE_TEXT(qelm_string_checking_firmware_in, update_checking_firmware)
UPDATE_TEXT(qelm_string_checking_backup_firmware_in, update_checking_backup_firmware)
UPDATE_TEXT(qelm_string_cannot_access_firmware_in, update_cannot_access_firmware)
UPDATE_TEXT(qelm_string_cannot_allocate_file_buffer_in, update_cannot_allocate_file_buffer)
UPDATE_TEXT(qelm_string_cannot_open_firmware_in, update_cannot_open_firmware)
UPDATE_TEXT(qelm_string_cannot_load_firmware_in, update_cannot_load_firmware)
UPDATE_TEXT(qelm_string_firmware_corrupted_in, update_firmware_corrupted)
UPDATE_TEXT(qelm_string_finished_checking_firmware_in, update_finished_checking_firmware)
UPDATE_TEXT(qelm_string_without_backup_firmware_in, update_without_backup_firmware)
UPDATE_TEXT(qelm_string_about_to_make_backup_firmware_in, update_about_to_make_backup_firmware)
UPDATE_TEXT(qelm_string_cannot_get_device_in, update_cannot_get_device)
UPDATE_TEXT(qelm_string_cannot_open_device_in, update_cannot_open_device)
UPDATE_TEXT(qelm_string_cannot_claim_device_in, update_cannot_claim_device)
UPDATE_TEXT(qelm_string_cannot_get_status_in, update_cannot_get_status)
UPDATE_TEXT(qelm_string_cannot_clear_status_in, update_cannot_clear_status)
UPDATE_TEXT(qelm_string_cannot_abort_previous_action_in, update_cannot_abort_previous_action)
UPDATE_TEXT(qelm_string_cannot_detach_device_in, update_cannot_detach_device)
UPDATE_TEXT(qelm_string_cannot_identify_device_in, update_cannot_identify_device)
UPDATE_TEXT(qelm_string_cannot_use_device_in, update_cannot_use_device)
UPDATE_TEXT(qelm_string_aborting_in, update_aborting)
UPDATE_TEXT(qelm_string_cannot_update_next_block_in, update_cannot_update_next_block)
UPDATE_TEXT(qelm_string_cannot_send_final_block_in, update_cannot_send_final_block)
UPDATE_TEXT(qelm_string_cannot_connect_to_the_server_in, update_cannot_connect_to_the_server)
UPDATE_TEXT(qelm_string_restore_in, update_restore)
UPDATE_TEXT(qelm_string_press_x_button_in, update_press_x_button)
UPDATE_TEXT(qelm_string_failed_to_download_latest_firmware_in, update_failed_to_download_latest_firmware)
UPDATE_TEXT(qelm_string_cannot_create_file_in, update_cannot_create_file)
UPDATE_TEXT(qelm_string_cannot_get_backup_firmware_in, update_cannot_get_backup_firmware)
UPDATE_TEXT(qelm_string_cannot_open_file_in, update_cannot_open_file)
UPDATE_TEXT(qelm_string_about_to_download_latest_firmware_in, update_about_to_download_latest_firmware)
UPDATE_TEXT(qelm_string_about_to_download_backup_firmware_in, update_about_to_download_backup_firmware)
UPDATE_TEXT(qelm_string_about_to_restore_in, update_about_to_restore)
UPDATE_TEXT(qelm_string_cannot_download_firmware_in, update_cannot_download_firmware)
UPDATE_TEXT(qelm_string_cannot_download_backup_firmware_in, update_cannot_download_backup_firmware)
UPDATE_TEXT(stringBrowse, update_browse)
UPDATE_TEXT(stringDownload, update_download)
UPDATE_TEXT(stringMessageReconfigure, update_message_reconfigure)
UPDATE_TEXT(stringMessagePowerOnPowerOff, update_message_power_on_power_off)
UPDATE_TEXT(stringMessageSWitchOnSwitchOff, update_message_switch_on_switch_off)
UPDATE_TEXT(stringMessageManagerRestart, update_message_manager_restart)
UPDATE_TEXT(stringLatestVersion, update_latest_version)
UPDATE_TEXT(stringFirmwareToUpdate, update_firmware_to_update)
UPDATE_TEXT(stringBackupFirmwareInformation, update_backup_firmware_information)
UPDATE_TEXT(stringNewUpdateFoundInformation, update_new_update_found_information)
UPDATE_TEXT(stringNewUpdateFoundCurrentVersion, update_new_update_found_current_version)
UPDATE_TEXT(stringNewUpdateFoundNewVersion, update_new_update_found_new_version)
UPDATE_TEXT(stringMessageIVERONToXQIVERONForTamber, update_message_iveron_for_tamber)
UPDATE_TEXT(stringVoicePromptInformation, update_voice_prompt_information)
UPDATE_TEXT(stringVoicePromptInformationForFerrand, update_voice_prompt_information_for_ferrand)
UPDATE_TEXT(displayNOBackupFirmwareFirst, update_no_backup_first)
UPDATE_TEXT(displayNOBackupFirmwareSecond, update_no_backup_second)
#undef UPDATE_TEXT

std::string UpdateTexts::qelm_string_firmware_not_for(int model, int language) {
    return app::formatText(text(TextId::update_firmware_not_for, language),
                           {device::qelm_product_name(model).value_or("")});
}

std::string UpdateTexts::qelm_string_cannot_detach_device_not_idle_in(int language) {
    return app::formatText(text(TextId::update_cannot_detach_device_not_idle, language),
                           {qelm_string_cannot_detach_device_in(language)});
}

std::string UpdateTexts::qelm_string_cannot_detach_device_try_again_in(int language) {
    // One format in every language.
    return app::formatText("%@. %@.", {qelm_string_cannot_detach_device_in(language),
                                        app::AppTexts::qelm_string_try_again_in(language)});
}

std::string UpdateTexts::qelm_string_update_in(int language) { return app::AppTexts::qelm_string_update_in(language); }

std::string UpdateTexts::qelm_string_press_restore_button_in(int language) {
    return app::formatText(qelm_string_press_x_button_in(language), {qelm_string_restore_in(language)});
}

std::string UpdateTexts::qelm_string_press_update_button_in(int language) {
    return app::formatText(qelm_string_press_x_button_in(language), {qelm_string_update_in(language)});
}

std::string UpdateTexts::qelm_string_press_restore_button_after_selecting_in(int language) {
    return app::formatText(text(TextId::update_press_restore_button_after_selecting, language),
                           {qelm_string_press_restore_button_in(language)});
}

platform::OptString UpdateTexts::qelm_string_message(const char* message, int _for, int _in) {
    if (!message) return std::nullopt;
    struct Exact {
        const char* message;
        std::string (*text)(int);
    };
    static constexpr Exact kBefore[] = {
        {"Cannot access firmware", qelm_string_cannot_access_firmware_in},
        {"Cannot allocate file buffer", qelm_string_cannot_allocate_file_buffer_in},
        {"Cannot open firmware", qelm_string_cannot_open_firmware_in},
        {"Cannot load firmware", qelm_string_cannot_load_firmware_in},
        {"Firmware corrupted", qelm_string_firmware_corrupted_in},
    };
    for (const Exact& e : kBefore)
        if (std::strcmp(message, e.message) == 0) return e.text(_in);
    static constexpr char kNotFor[] = "Firmware not for";
    if (std::strncmp(message, kNotFor, sizeof kNotFor - 1) == 0) return qelm_string_firmware_not_for(_for, _in);
    if (std::strcmp(message, "Finished checking firmware") == 0) return qelm_string_finished_checking_firmware_in(_in);
    return std::nullopt;
}

platform::OptString UpdateTexts::settingLabel(const std::string& english, int language) {
    if (language < 0 || language > 12) return std::nullopt;
    auto it = settingLabels().find(english);
    if (it == settingLabels().end()) return std::nullopt;
    return text(it->second, language);
}

}  // namespace update
