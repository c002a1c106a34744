// STAND-IN until the text catalogue lands (see AppTexts.h).
#include <strings.h>

#include <array>
#include <cstdio>

#include "app/AppTexts.h"

namespace app {
namespace {

bool french(int32_t l) { return l == 1; }

constexpr std::array<const char*, 21> kEnglishNames = {
    "English", "French", "German", "Italian", "Japanese", "Korean", "Spanish",
    "Dutch",   "Russian", "Chinese", "Finnish", "Czech",   "Polish", "Danish",
    "Norwegian", "Swedish", "Turkish", "Hungarian", "Portuguese", "Hebrew", "Greek"};

std::string format1(const char* f, const std::string& a) {
    char buf[512];
    std::snprintf(buf, sizeof buf, f, a.c_str());
    return buf;
}

}  // namespace

std::string AppTexts::qelm_string_ok_in(int32_t) { return "OK"; }
std::string AppTexts::qelm_string_yes_in(int32_t l) { return french(l) ? "OUI" : "YES"; }
std::string AppTexts::qelm_string_no_in(int32_t l) { return french(l) ? "NON" : "NO"; }
std::string AppTexts::qelm_string_next_in(int32_t l) { return french(l) ? "SUIVANT" : "NEXT"; }
std::string AppTexts::qelm_string_version_in(int32_t) { return "Version"; }
std::string AppTexts::qelm_string_language_manager_in(int32_t l) {
    return french(l) ? "Langue du logiciel" : "Manager Software Language";
}

std::string AppTexts::qelm_string_mode(int32_t mode, int32_t l) {
    static constexpr std::array<const char*, 8> en = {"MANAGER UPDATE",  "WELCOME",        "DEVICE RECOGNITION",
                                                     "FIRMWARE UPDATE", "FIRMWARE RESTORE", "DEVICE SETTING",
                                                     "DEVICE SETTING",  "DEVICE SETTING"};
    static constexpr std::array<const char*, 8> fr = {
        "MISE À JOUR DU GESTIONNAIRE", "BIENVENUE", "RECONNAISSANCE", "MISE À JOUR",
        "RESTAURATION", "PARAMÈTRES", "PARAMÈTRES", "PARAMÈTRES"};
    if (mode < 2 || mode > 9) return "MODE NOT AVAILABLE";
    return (french(l) ? fr : en)[static_cast<size_t>(mode - 2)];
}

std::string AppTexts::qelm_title(const OptString&, int32_t) { return "VELMAR Helmets Device Manager"; }

std::string AppTexts::qelm_language_manager(int32_t n) {
    return n >= 0 && n < 21 ? kEnglishNames[static_cast<size_t>(n)] : "English";
}

int32_t AppTexts::qelm_language_manager_index(const std::string& name, bool withDefault) {
    for (int32_t i = 0; i < 25; ++i)
        if (strcasecmp(qelm_language_manager(i).c_str(), name.c_str()) == 0) return i;
    return withDefault ? 0 : -1;
}

OptString AppTexts::qelm_status_processing(int32_t mode, int32_t, int32_t) {
    if (mode < 2 || mode > 9) return std::nullopt;
    return "On processing.";
}
OptString AppTexts::qelm_status_success(int32_t mode, int32_t, int32_t) {
    if (mode < 2 || mode > 9) return std::nullopt;
    if (mode == 3) return "%@ selected. %@";
    if (mode == 4) return "%@. %@";
    return "Done";
}
OptString AppTexts::qelm_status_failure(int32_t mode, int32_t, int32_t) {
    if (mode < 2 || mode > 9 || mode == 3) return std::nullopt;
    return "Failed";
}
OptString AppTexts::qelm_status_default(int32_t mode, int32_t usb, int32_t l) {
    if (mode < 2 || mode > 9) return std::nullopt;
    if (mode == 3) return format1(french(l) ? "Appuyez sur %s pour continuer." : "Press %s to proceed.", qelm_string_next_in(l));
    std::string s = format1(french(l) ? "Prêt pour %s" : "Ready for %s", qelm_string_mode(mode, l));
    if ((mode == 5 || mode == 6) && usb >= 0x8000) s += ". Cannot make backup firmware";
    return s;
}

std::string AppTexts::stringMenuHelp() const { return french(languageManager_) ? "Aide" : "Help"; }
std::string AppTexts::stringMenuItemAbout() const {
    return format1(french(languageManager_) ? "À propos de %s" : "About %s", qelm_title(std::nullopt, 0));
}
std::string AppTexts::stringMenuItemQuit() const {
    return format1(french(languageManager_) ? "Quitter %s" : "Quit %s", qelm_title(std::nullopt, 0));
}
std::string AppTexts::stringMenuItemOnlineHelp() const { return french(languageManager_) ? "Aide en ligne" : "Online Help"; }
std::string AppTexts::stringMenuItemKeyboradShortcuts() const {
    return format1("%s Keyboard Shortcut", showsShortcuts() ? "Hide" : "Show");
}

std::string AppTexts::qelm_string_no_device_recognized_in(int32_t l, int32_t line) {
    if (french(l)) return line == 0 ? "Aucun appareil" : "n'est reconnu";
    return line == 0 ? "No device" : "recognized";
}
std::string AppTexts::qelm_string_firmware_management_in(int32_t l, int32_t line) {
    if (french(l)) return line == 0 ? "Gestion du" : "micrologiciel";
    return line == 0 ? "Firmware" : "Management";
}
std::string AppTexts::qelm_string_more_tabs_in(int32_t l) { return french(l) ? "Plus..." : "More..."; }

}  // namespace app
