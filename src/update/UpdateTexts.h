// The texts of the update and restore page and of its workers, in the 13 interface languages
// (index 1-12 the translation, any other index English). The page class inherits them; the
// workers fill the 13 status strings with the class texts, without a window.
#pragma once

#include <string>

#include "platform/KeyedArchive.h"

namespace update {

class UpdateTexts {
  public:
    static std::string qelm_string_no_backup_firmware_in(int language);
    static std::string qelm_string_checking_firmware_in(int language);
    static std::string qelm_string_checking_backup_firmware_in(int language);
    static std::string qelm_string_cannot_access_firmware_in(int language);
    static std::string qelm_string_cannot_allocate_file_buffer_in(int language);
    static std::string qelm_string_cannot_open_firmware_in(int language);
    static std::string qelm_string_cannot_load_firmware_in(int language);
    static std::string qelm_string_firmware_corrupted_in(int language);
    // Filled with the display name of the model code (empty for an unknown code).
    static std::string qelm_string_firmware_not_for(int model, int language);
    static std::string qelm_string_finished_checking_firmware_in(int language);
    static std::string qelm_string_without_backup_firmware_in(int language);
    static std::string qelm_string_about_to_make_backup_firmware_in(int language);
    static std::string qelm_string_cannot_get_device_in(int language);
    static std::string qelm_string_cannot_open_device_in(int language);
    static std::string qelm_string_cannot_claim_device_in(int language);
    static std::string qelm_string_cannot_get_status_in(int language);
    static std::string qelm_string_cannot_clear_status_in(int language);
    static std::string qelm_string_cannot_abort_previous_action_in(int language);
    static std::string qelm_string_cannot_detach_device_in(int language);
    static std::string qelm_string_cannot_detach_device_not_idle_in(int language);
    static std::string qelm_string_cannot_detach_device_try_again_in(int language);
    static std::string qelm_string_cannot_identify_device_in(int language);
    static std::string qelm_string_cannot_use_device_in(int language);
    static std::string qelm_string_aborting_in(int language);
    static std::string qelm_string_cannot_update_next_block_in(int language);
    static std::string qelm_string_cannot_send_final_block_in(int language);
    static std::string qelm_string_cannot_connect_to_the_server_in(int language);
    static std::string qelm_string_update_in(int language);
    static std::string qelm_string_restore_in(int language);
    static std::string qelm_string_press_x_button_in(int language);
    static std::string qelm_string_press_restore_button_in(int language);
    static std::string qelm_string_press_restore_button_after_selecting_in(int language);
    static std::string qelm_string_press_update_button_in(int language);
    static std::string qelm_string_failed_to_download_latest_firmware_in(int language);
    static std::string qelm_string_cannot_create_file_in(int language);
    static std::string qelm_string_cannot_get_backup_firmware_in(int language);
    static std::string qelm_string_cannot_open_file_in(int language);
    static std::string qelm_string_about_to_download_latest_firmware_in(int language);
    static std::string qelm_string_about_to_download_backup_firmware_in(int language);
    static std::string qelm_string_about_to_restore_in(int language);
    static std::string qelm_string_cannot_download_firmware_in(int language);
    static std::string qelm_string_cannot_download_backup_firmware_in(int language);

    // The page's text of a firmware-file check's English message (byte-exact, case-sensitive),
    // none for a message it does not know. _for: the model code that a "Firmware not for"
    // message is filled with, whatever model the message names.
    static platform::OptString qelm_string_message(const char* message, int _for, int _in);

    // Texts that the page shows in its interface language.
    static std::string stringUPDATE(int language) { return qelm_string_update_in(language); }
    static std::string stringRESTORE(int language) { return qelm_string_restore_in(language); }
    static std::string stringBrowse(int language);
    static std::string stringDownload(int language);
    static std::string stringMessageReconfigure(int language);
    static std::string stringMessagePowerOnPowerOff(int language);
    static std::string stringMessageSWitchOnSwitchOff(int language);
    static std::string stringMessageManagerRestart(int language);
    static std::string stringLatestVersion(int language);
    static std::string stringFirmwareToUpdate(int language);
    static std::string stringBackupFirmwareInformation(int language);
    static std::string stringNewUpdateFoundInformation(int language);
    static std::string stringNewUpdateFoundCurrentVersion(int language);
    static std::string stringNewUpdateFoundNewVersion(int language);
    static std::string stringMessageIVERONToXQIVERONForTamber(int language);
    static std::string stringVoicePromptInformation(int language);
    static std::string stringVoicePromptInformationForFerrand(int language);
    // The no-backup notice in the two pieces of the first summary line: label, then field.
    static std::string displayNOBackupFirmwareFirst(int language);
    static std::string displayNOBackupFirmwareSecond(int language);

    // A setting label of a 13-entry table, by its English text, in a language 0-12; none for a
    // label the table does not hold or a language outside 0-12.
    static platform::OptString settingLabel(const std::string& english, int language);
};

}  // namespace update
