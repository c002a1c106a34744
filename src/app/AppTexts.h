// Every text the application controller hands out, in the 13 interface languages: class methods
// that take the language, instance methods that read the controller's `languageManager`, the
// status-line texts by page mode and the per-model instructions of the firmware-update box.
// The application controller inherits this class and supplies the state the texts read.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/FirmwareUpdateInstructions.h"

namespace app {

class AppTexts {
  public:
    AppTexts() = default;
    virtual ~AppTexts() = default;
    AppTexts(const AppTexts&) = delete;
    AppTexts& operator=(const AppTexts&) = delete;

    // Interface language 0..12 (0 English); any other value shows English.
    int32_t languageManager() const { return languageManager_.load(); }
    void setLanguageManager(int32_t language) { languageManager_.store(language); }

    // State of the controller that some texts depend on.
    virtual int32_t deviceTarget() const = 0;
    virtual bool showShortcuts() const = 0;
    // Display name of a model (the product catalogue); none for an unknown id.
    virtual std::optional<std::string> productDisplayName(int32_t productId) const = 0;

    // Language names: n 0..20 (interface languages, then voice-prompt languages); n outside
    // 1..20 names English.
    static std::string qelm_string_language(int language, int in);
    static std::string qelm_language_manager(int language);  // English name
    // Index 0..24 of the English name, ignoring case; no match: 0 with the default, else -1.
    static int qelm_language_manager_index(std::string_view name, bool with_default);
    // The English name translated into a language; the name itself when it names no language.
    static std::string qelm_language_manager_from_language(std::string_view name, int in);
    static std::string qelm_string_language_manager_in(int language);
    static std::string qelm_string_apply_to_firmware_language_in(int language);

    // Words and short texts.
    static std::string qelm_string_ok_in(int language);
    static std::string qelm_string_sendemail_in(int language);
    static std::string qelm_string_cancel_in(int language);
    static std::string qelm_string_yes_in(int language);
    static std::string qelm_string_no_in(int language);
    static std::string qelm_string_update_in(int language);
    static std::string qelm_string_back_in(int language);
    static std::string qelm_string_next_in(int language);
    static std::string qelm_string_new_device_in(int language);
    static std::string qelm_string_jog_dial_in(int language);
    static std::string qelm_string_phone_button_in(int language);
    static std::string qelm_string_center_button_in(int language);
    static std::string qelm_string_plus_button_in(int language);
    static std::string qelm_string_minus_button_in(int language);
    static std::string qelm_string_left_button_in(int language);
    static std::string qelm_string_right_button_in(int language);
    static std::string qelm_string_ptt_button_in(int language);
    static std::string qelm_string_pairing_button_in(int language);
    static std::string qelm_string_orva_product_in(int language);
    static std::string qelm_string_oem_product_in(int language);
    static std::string qelm_string_cannot_open_usb_in(int language);
    static std::string qelm_string_firmware_management_mode_in(int language);
    static std::string qelm_string_not_recognized_device_in(int language);
    static std::string qelm_string_cannot_make_backup_firmware_in(int language);
    static std::string qelm_string_try_again_in(int language);
    static std::string qelm_string_camera_update_fail_in(int language);
    static std::string qelm_string_date_format_in(int language);  // a date-formatter pattern
    static std::string qelm_string_enable_in(int language);
    static std::string qelm_string_disable_in(int language);
    static std::string qelm_string_enabled_in(int language);
    static std::string qelm_string_disabled_in(int language);
    static std::string qelm_string_seconds_in(int language);
    static std::string qelm_string_recognized_device_not_selected_in(int language);
    static std::string qelm_string_version_in(int language);
    static std::string qelm_string_firmware_in(int language);
    static std::string qelm_cannot_update_ferrikevo(int language);
    static std::string qelm_string_check_sd_card_in(int language);

    // Page name of a mode 2..9; "MODE NOT AVAILABLE" for any other mode.
    static std::string qelm_string_mode(int mode, int in);
    // "continue the firmware update" (mode 5) or "... restore" (any other mode).
    static std::string qelm_string_continue_the_firmware_update_or_restore(int mode, int in);
    // The product title; both arguments are ignored.
    static std::string qelm_title(std::string_view title, int in);

    // Status line by page mode; none where the mode has no such text.
    static std::optional<std::string> qelm_status_processing(int mode, int usb, int in);
    // Modes 3 and 4 give formats ("%@ selected. %@", "%@. %@") for the caller to fill.
    static std::optional<std::string> qelm_status_success(int mode, int usb, int in);
    static std::optional<std::string> qelm_status_failure(int mode, int usb, int in);
    // "Ready for <page>"; on the firmware pages a headset in firmware-management mode
    // (usb >= 0x8000) adds the backup notice; mode 3 asks to press NEXT.
    static std::optional<std::string> qelm_status_default(int mode, int usb, int in);

    // Menu texts in the current language.
    std::string stringMenuHelp() const;
    std::string stringMenuItemAbout() const;
    std::string stringMenuItemHideThis() const;
    std::string stringMenuItemHideOthers() const;
    std::string stringMenuItemShowAll() const;
    std::string stringMenuItemQuit() const;
    std::string stringMenuItemOnlineHelp() const;
    std::string stringMenuItemManagerLanguage() const;
    std::string stringMenuItemDiagnosticLog() const;
    std::string stringMenuItemKeyboradShortcuts() const;  // "Show"/"Hide" by showShortcuts()
    std::string stringMenuItemShowPrecaution() const;
    std::string stringPromptSave() const;

    // Device-conversion notices (no page asks for them).
    std::string stringDeviceConversionUnplugUSBCableFromMac() const;
    std::string stringDeviceConversion1UnplugUSBCableFromMac() const;
    std::string stringDeviceConversionPlugUSBCableToMac() const;
    std::string stringDeviceConversion2PlugUSBCableToMacAgain() const;
    std::string stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart() const;
    std::string stringDeviceConversionUnPlugAndPlugUSBCableToMac() const;
    std::string stringDeviceConversionConnectAndTurnOn() const;
    std::string stringDeviceConversionDeviceIsNotFound() const;
    std::string stringDeviceConversionFailedToOpenUSB() const;
    std::string stringDeviceConversionDeviceIsInModeOfUpdating() const;
    std::string stringDeviceConversionDeviceIsSafe() const;
    std::string stringDeviceConversionDeviceIsActivated() const;
    std::string stringDeviceConversionActivatingDevice() const;
    std::string stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(
        bool haveAlternative) const;
    std::string stringDeviceConversionFailedBluetoothOff() const;  // names the support address

    // Firmware-update message box, for the model in deviceTarget(); none for other models.
    std::optional<std::string> getMessageBoxFirstButton() const;
    std::optional<std::string> getMessageBoxFailureFirstButton() const;
    std::optional<std::string> getMessageBoxSecondButton() const;
    // The backup file of a restore could not be made: where to get the firmware instead.
    std::string getMessageBoxFileCreationFailed() const;

    // The addresses the texts name (build configuration).
    static std::string_view supportEmailAddress();
    static std::string_view makerWebSiteAddress();

  private:
    std::optional<std::string> instruction(InstructionStage stage) const;

    std::atomic<int32_t> languageManager_{0};
};

}  // namespace app
