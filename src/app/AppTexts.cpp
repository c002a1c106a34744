#include "app/AppTexts.h"

#include <array>
#include <cctype>

#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

#ifndef VELMAR_SUPPORT_EMAIL
#define VELMAR_SUPPORT_EMAIL "support@velmar.example"
#endif
#ifndef VELMAR_MAKER_WEBSITE
#define VELMAR_MAKER_WEBSITE "https://www.orva.example"
#endif

namespace app {

namespace {

using T = TextId;

std::string text(TextId id, int language) { return std::string(localizedText(id, language)); }

constexpr int kLanguageNameCount = 21;    // interface languages, then voice-prompt languages
constexpr int kLanguageLookupCount = 25;  // indexes 21..24 name English again

constexpr std::array<TextId, kLanguageNameCount> kLanguageNames = {
    T::language_0,  T::language_1,  T::language_2,  T::language_3,  T::language_4,  T::language_5,
    T::language_6,  T::language_7,  T::language_8,  T::language_9,  T::language_10, T::language_11,
    T::language_12, T::language_13, T::language_14, T::language_15, T::language_16, T::language_17,
    T::language_18, T::language_19, T::language_20,
};

// Texts by page mode 2..9; none where a mode has no text.
using ModeTable = std::array<std::optional<TextId>, 8>;
constexpr int kFirstMode = 2;
constexpr int kLastMode = 9;

constexpr ModeTable kModeNames = {T::mode_2, T::mode_3, T::mode_4, T::mode_5,
                                  T::mode_6, T::mode_7, T::mode_8, T::mode_9};
constexpr ModeTable kProcessing = {T::status_processing_2, T::status_processing_3, T::status_processing_4,
                                   T::status_processing_5, T::status_processing_6, T::status_processing_7,
                                   T::status_processing_8, T::status_processing_9};
constexpr ModeTable kSuccess = {T::status_success_2, T::status_success_3, T::status_success_4,
                                T::status_success_5, T::status_success_6, T::status_success_7,
                                T::status_success_8, T::status_success_9};
constexpr ModeTable kFailure = {T::status_failure_2, std::nullopt,        T::status_failure_4,
                                T::status_failure_5, T::status_failure_6, T::status_failure_7,
                                T::status_failure_8, T::status_failure_9};
constexpr ModeTable kDefault = {T::status_default_2, T::status_default_3, T::status_default_4,
                                T::status_default_5, T::status_default_6, T::status_default_7,
                                T::status_default_8, T::status_default_9};
// Firmware pages with the headset in firmware-management mode.
constexpr ModeTable kDefaultNoBackup = {
    std::nullopt, std::nullopt, std::nullopt, T::status_default_backup_5, T::status_default_backup_6,
    std::nullopt, std::nullopt, std::nullopt};

std::optional<TextId> pick(const ModeTable& table, int mode) {
    if (mode < kFirstMode || mode > kLastMode) return std::nullopt;
    return table[static_cast<size_t>(mode - kFirstMode)];
}

std::optional<std::string> statusText(const ModeTable& table, int mode, int language) {
    auto id = pick(table, mode);
    if (!id) return std::nullopt;
    return text(*id, language);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

void replaceAll(std::string& s, std::string_view what, std::string_view with) {
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
}

}  // namespace

// Language names.

std::string AppTexts::qelm_string_language(int language, int in) {
    int n = language >= 1 && language < kLanguageNameCount ? language : 0;
    return text(kLanguageNames[static_cast<size_t>(n)], in);
}

std::string AppTexts::qelm_language_manager(int language) { return qelm_string_language(language, 0); }

int AppTexts::qelm_language_manager_index(std::string_view name, bool with_default) {
    for (int i = 0; i < kLanguageLookupCount; ++i) {
        if (equalsIgnoringCase(qelm_language_manager(i), name)) return i;
    }
    return with_default ? 0 : -1;
}

std::string AppTexts::qelm_language_manager_from_language(std::string_view name, int in) {
    int index = qelm_language_manager_index(name, false);
    return index < 0 ? std::string(name) : qelm_string_language(index, in);
}

std::string AppTexts::qelm_string_language_manager_in(int l) { return text(T::language_manager, l); }
std::string AppTexts::qelm_string_apply_to_firmware_language_in(int l) {
    return text(T::apply_to_firmware_language, l);
}

// Words and short texts.

std::string AppTexts::qelm_string_ok_in(int l) { return text(T::ok, l); }
std::string AppTexts::qelm_string_sendemail_in(int l) { return text(T::sendemail, l); }
std::string AppTexts::qelm_string_cancel_in(int l) { return text(T::cancel, l); }
std::string AppTexts::qelm_string_yes_in(int l) { return text(T::yes, l); }
std::string AppTexts::qelm_string_no_in(int l) { return text(T::no, l); }
std::string AppTexts::qelm_string_update_in(int l) { return text(T::update, l); }
std::string AppTexts::qelm_string_back_in(int l) { return text(T::back, l); }
std::string AppTexts::qelm_string_next_in(int l) { return text(T::next, l); }
std::string AppTexts::qelm_string_new_device_in(int l) { return text(T::new_device, l); }
std::string AppTexts::qelm_string_jog_dial_in(int l) { return text(T::jog_dial, l); }
std::string AppTexts::qelm_string_phone_button_in(int l) { return text(T::phone_button, l); }
std::string AppTexts::qelm_string_center_button_in(int l) { return text(T::center_button, l); }
std::string AppTexts::qelm_string_plus_button_in(int l) { return text(T::plus_button, l); }
std::string AppTexts::qelm_string_minus_button_in(int l) { return text(T::minus_button, l); }
std::string AppTexts::qelm_string_left_button_in(int l) { return text(T::left_button, l); }
std::string AppTexts::qelm_string_right_button_in(int l) { return text(T::right_button, l); }
std::string AppTexts::qelm_string_ptt_button_in(int l) { return text(T::ptt_button, l); }
std::string AppTexts::qelm_string_pairing_button_in(int l) { return text(T::pairing_button, l); }
std::string AppTexts::qelm_string_orva_product_in(int l) { return text(T::orva_product, l); }
std::string AppTexts::qelm_string_oem_product_in(int l) { return text(T::oem_product, l); }
std::string AppTexts::qelm_string_cannot_open_usb_in(int l) { return text(T::cannot_open_usb, l); }
std::string AppTexts::qelm_string_firmware_management_mode_in(int l) {
    return text(T::firmware_management_mode, l);
}
std::string AppTexts::qelm_string_not_recognized_device_in(int l) {
    return text(T::not_recognized_device, l);
}
std::string AppTexts::qelm_string_cannot_make_backup_firmware_in(int l) {
    return text(T::cannot_make_backup_firmware, l);
}
std::string AppTexts::qelm_string_try_again_in(int l) { return text(T::try_again, l); }
std::string AppTexts::qelm_string_camera_update_fail_in(int l) { return text(T::camera_update_fail, l); }
std::string AppTexts::qelm_string_date_format_in(int l) { return text(T::date_format, l); }
std::string AppTexts::qelm_string_enable_in(int l) { return text(T::enable, l); }
std::string AppTexts::qelm_string_disable_in(int l) { return text(T::disable, l); }
std::string AppTexts::qelm_string_enabled_in(int l) { return text(T::enabled, l); }
std::string AppTexts::qelm_string_disabled_in(int l) { return text(T::disabled, l); }
std::string AppTexts::qelm_string_seconds_in(int l) { return text(T::seconds, l); }
std::string AppTexts::qelm_string_recognized_device_not_selected_in(int l) {
    return text(T::recognized_device_not_selected, l);
}
std::string AppTexts::qelm_string_version_in(int l) { return text(T::version, l); }
std::string AppTexts::qelm_string_firmware_in(int l) { return text(T::firmware, l); }
std::string AppTexts::qelm_cannot_update_ferrikevo(int l) { return text(T::cannot_update_ferrikevo, l); }
std::string AppTexts::qelm_string_check_sd_card_in(int l) { return text(T::check_sd_card, l); }

// Texts with arguments.

std::string AppTexts::qelm_string_mode(int mode, int in) {
    auto id = pick(kModeNames, mode);
    return text(id.value_or(T::mode_not_available), in);
}

std::string AppTexts::qelm_string_continue_the_firmware_update_or_restore(int mode, int in) {
    TextId word = mode == 5 ? T::continue_firmware_update : T::continue_firmware_restore;
    return formatText(localizedText(T::continue_firmware, in), {localizedText(word, in)});
}

std::string AppTexts::qelm_title(std::string_view, int) { return text(T::title, 0); }

std::optional<std::string> AppTexts::qelm_status_processing(int mode, int, int in) {
    return statusText(kProcessing, mode, in);
}

std::optional<std::string> AppTexts::qelm_status_success(int mode, int, int in) {
    return statusText(kSuccess, mode, in);
}

std::optional<std::string> AppTexts::qelm_status_failure(int mode, int, int in) {
    return statusText(kFailure, mode, in);
}

std::optional<std::string> AppTexts::qelm_status_default(int mode, int usb, int in) {
    auto templateId = pick(kDefault, mode);
    if (!templateId) return std::nullopt;
    if (mode == 3) return formatText(localizedText(*templateId, in), {qelm_string_next_in(in)});
    std::string pageName = qelm_string_mode(mode, in);
    auto noBackupId = pick(kDefaultNoBackup, mode);
    if (noBackupId && usb >= 0x8000) {
        // "%%@" survives the first fill as "%@" and takes the page name in the second.
        std::string withNotice =
            formatText(localizedText(*noBackupId, in), {qelm_string_cannot_make_backup_firmware_in(in)});
        return formatText(withNotice, {pageName});
    }
    return formatText(localizedText(*templateId, in), {pageName});
}

// Menu texts.

std::string AppTexts::stringMenuHelp() const { return text(T::menu_help, languageManager()); }
std::string AppTexts::stringMenuItemAbout() const {
    int l = languageManager();
    return formatText(localizedText(T::menu_about, l), {qelm_title({}, l)});
}
std::string AppTexts::stringMenuItemHideThis() const {
    int l = languageManager();
    return formatText(localizedText(T::menu_hide_this, l), {qelm_title({}, l)});
}
std::string AppTexts::stringMenuItemHideOthers() const {
    return text(T::menu_hide_others, languageManager());
}
std::string AppTexts::stringMenuItemShowAll() const { return text(T::menu_show_all, languageManager()); }
std::string AppTexts::stringMenuItemQuit() const {
    int l = languageManager();
    return formatText(localizedText(T::menu_quit, l), {qelm_title({}, l)});
}
std::string AppTexts::stringMenuItemOnlineHelp() const {
    return text(T::menu_online_help, languageManager());
}
std::string AppTexts::stringMenuItemManagerLanguage() const {
    return qelm_string_language_manager_in(languageManager());
}
std::string AppTexts::stringMenuItemDiagnosticLog() const {
    return text(T::menu_diagnostic_log, languageManager());
}
std::string AppTexts::stringMenuItemKeyboradShortcuts() const {
    int l = languageManager();
    TextId verb = showShortcuts() ? T::menu_keyboard_shortcuts_hide : T::menu_keyboard_shortcuts_show;
    return formatText(localizedText(T::menu_keyboard_shortcuts, l), {localizedText(verb, l)});
}
std::string AppTexts::stringMenuItemShowPrecaution() const {
    return text(T::menu_show_precaution, languageManager());
}
std::string AppTexts::stringPromptSave() const {
    int l = languageManager();
    return formatText(localizedText(T::prompt_save, l), {qelm_string_mode(7, l)});
}

// Device-conversion notices.

std::string AppTexts::stringDeviceConversionUnplugUSBCableFromMac() const {
    return text(T::conversion_unplug, languageManager());
}
std::string AppTexts::stringDeviceConversion1UnplugUSBCableFromMac() const {
    return formatText(localizedText(T::conversion_step1_unplug, languageManager()),
                      {stringDeviceConversionUnplugUSBCableFromMac()});
}
std::string AppTexts::stringDeviceConversionPlugUSBCableToMac() const {
    return text(T::conversion_plug, languageManager());
}
std::string AppTexts::stringDeviceConversion2PlugUSBCableToMacAgain() const {
    return formatText(localizedText(T::conversion_step2_plug_again, languageManager()),
                      {stringDeviceConversionPlugUSBCableToMac()});
}
std::string AppTexts::stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart() const {
    // English has its own full sentence; the other languages embed the unplug text.
    return formatText(localizedText(T::conversion_unplug_or_force_restart, languageManager()),
                      {stringDeviceConversionUnplugUSBCableFromMac()});
}
std::string AppTexts::stringDeviceConversionUnPlugAndPlugUSBCableToMac() const {
    return text(T::conversion_unplug_and_plug, languageManager());
}
std::string AppTexts::stringDeviceConversionConnectAndTurnOn() const {
    return text(T::conversion_connect_and_turn_on, languageManager());
}
std::string AppTexts::stringDeviceConversionDeviceIsNotFound() const {
    return text(T::conversion_device_not_found, languageManager());
}
std::string AppTexts::stringDeviceConversionFailedToOpenUSB() const {
    return text(T::conversion_failed_to_open_usb, languageManager());
}
std::string AppTexts::stringDeviceConversionDeviceIsInModeOfUpdating() const {
    return text(T::conversion_device_in_update_mode, languageManager());
}
std::string AppTexts::stringDeviceConversionDeviceIsSafe() const {
    return text(T::conversion_device_is_safe, languageManager());
}
std::string AppTexts::stringDeviceConversionDeviceIsActivated() const {
    return text(T::conversion_device_activated, languageManager());
}
std::string AppTexts::stringDeviceConversionActivatingDevice() const {
    return text(T::conversion_activating_device, languageManager());
}
std::string AppTexts::stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(
    bool haveAlternative) const {
    return text(haveAlternative ? T::conversion_invalid_password_alternative : T::conversion_invalid_password,
                languageManager());
}
std::string AppTexts::stringDeviceConversionFailedBluetoothOff() const {
    return formatText(localizedText(T::conversion_failed_bluetooth_off, languageManager()),
                      {supportEmailAddress()});
}

// Firmware-update message box.

std::optional<std::string> AppTexts::instruction(InstructionStage stage) const {
    return firmwareUpdateInstruction(stage, deviceTarget(), languageManager(),
                                     [this](int32_t id) { return productDisplayName(id); });
}

std::optional<std::string> AppTexts::getMessageBoxFirstButton() const {
    return instruction(InstructionStage::firstButton);
}
std::optional<std::string> AppTexts::getMessageBoxFailureFirstButton() const {
    return instruction(InstructionStage::failureFirstButton);
}
std::optional<std::string> AppTexts::getMessageBoxSecondButton() const {
    return instruction(InstructionStage::secondButton);
}

std::string AppTexts::getMessageBoxFileCreationFailed() const {
    int l = languageManager();
    std::string restore = qelm_string_mode(6, l);
    std::string message = formatText(
        localizedText(T::backup_file_creation_failed, l),
        {restore, restore, qelm_string_firmware_in(l), qelm_string_mode(5, l), qelm_string_ok_in(l)});
    // After filling, so that a per-cent sign in the address is shown as it is.
    replaceAll(message, "{website}", makerWebSiteAddress());
    return message;
}

std::string_view AppTexts::supportEmailAddress() { return VELMAR_SUPPORT_EMAIL; }
std::string_view AppTexts::makerWebSiteAddress() { return VELMAR_MAKER_WEBSITE; }

}  // namespace app
