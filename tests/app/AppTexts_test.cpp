// Lookups through the controller's text methods: English fallback, the shorter tables, the
// status rules by page mode, the filled formats and the per-model message-box instructions.
#include "app/AppTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using app::AppTexts;

class Controller : public AppTexts {
  public:
    int32_t target = 0;
    bool shortcuts = false;
    std::map<int32_t, std::string> names;

    int32_t deviceTarget() const override { return target; }
    bool showShortcuts() const override { return shortcuts; }
    std::optional<std::string> productDisplayName(int32_t id) const override {
        auto it = names.find(id);
        if (it == names.end()) return std::nullopt;
        return it->second;
    }
};

constexpr int kFrench = 1, kGerman = 2, kItalian = 3, kJapanese = 4, kKorean = 5, kSpanish = 6, kFinnish = 10,
              kCzech = 11, kPolish = 12;

struct SimpleText {
    const char* name;
    std::string (*method)(int);
    const char* english;
};

const SimpleText kSimpleTexts[] = {
    {"ok", AppTexts::qelm_string_ok_in, "OK"},
    {"sendemail", AppTexts::qelm_string_sendemail_in, "SEND Email"},
    {"cancel", AppTexts::qelm_string_cancel_in, "CANCEL"},
    {"yes", AppTexts::qelm_string_yes_in, "YES"},
    {"no", AppTexts::qelm_string_no_in, "NO"},
    {"update", AppTexts::qelm_string_update_in, "UPDATE"},
    {"back", AppTexts::qelm_string_back_in, "BACK"},
    {"next", AppTexts::qelm_string_next_in, "NEXT"},
    {"new_device", AppTexts::qelm_string_new_device_in, "NEW DEVICE"},
    {"jog_dial", AppTexts::qelm_string_jog_dial_in, "Jog Dial"},
    {"phone_button", AppTexts::qelm_string_phone_button_in, "Phone Button"},
    {"center_button", AppTexts::qelm_string_center_button_in, "Center Button"},
    {"plus_button", AppTexts::qelm_string_plus_button_in, "[+] Button"},
    {"minus_button", AppTexts::qelm_string_minus_button_in, "[-] Button"},
    {"left_button", AppTexts::qelm_string_left_button_in, "[L] Button"},
    {"right_button", AppTexts::qelm_string_right_button_in, "[R] Button"},
    {"ptt_button", AppTexts::qelm_string_ptt_button_in, "PTT Button"},
    {"pairing_button", AppTexts::qelm_string_pairing_button_in, "Pairing Button"},
    {"orva_product", AppTexts::qelm_string_orva_product_in, "Orva Standard Products"},
    {"oem_product", AppTexts::qelm_string_oem_product_in, "Orva OEM Products"},
    {"cannot_open_usb", AppTexts::qelm_string_cannot_open_usb_in, "Cannot open USB"},
    {"firmware_management_mode", AppTexts::qelm_string_firmware_management_mode_in,
     "Firmware management mode"},
    {"not_recognized_device", AppTexts::qelm_string_not_recognized_device_in, "Not the recognized device"},
    {"cannot_make_backup_firmware", AppTexts::qelm_string_cannot_make_backup_firmware_in,
     "Cannot make backup firmware"},
    {"try_again", AppTexts::qelm_string_try_again_in, "Try again"},
    {"camera_update_fail", AppTexts::qelm_string_camera_update_fail_in, "Camera firmware update failed"},
    {"date_format", AppTexts::qelm_string_date_format_in, "MM/dd/yyyy HH:mm:ss"},
    {"enable", AppTexts::qelm_string_enable_in, "Enable"},
    {"disable", AppTexts::qelm_string_disable_in, "Disable"},
    {"enabled", AppTexts::qelm_string_enabled_in, "Enabled"},
    {"disabled", AppTexts::qelm_string_disabled_in, "Disabled"},
    {"seconds", AppTexts::qelm_string_seconds_in, "seconds"},
    {"recognized_device_not_selected", AppTexts::qelm_string_recognized_device_not_selected_in,
     "Recognized device is not connected or is not the same as the connected device.\nSelect appropriate "
     "device."},
    {"version", AppTexts::qelm_string_version_in, "Version"},
    {"firmware", AppTexts::qelm_string_firmware_in, "firmware"},
    {"cannot_update_ferrikevo", AppTexts::qelm_cannot_update_ferrikevo,
     "Firmware version is not supported by the FERRIK EVO. Update to the latest version of FERRIK EVO "
     "firmware."},
    {"check_sd_card", AppTexts::qelm_string_check_sd_card_in, "Check your SD Card"},
    {"language_manager", AppTexts::qelm_string_language_manager_in, "Manager Software Language"},
    {"apply_to_firmware_language", AppTexts::qelm_string_apply_to_firmware_language_in,
     "Apply To Firmware Language"},
};

TEST(AppTexts, LanguageOutsideOneToTwelveGivesEnglish) {
    for (const auto& entry : kSimpleTexts) {
        for (int language : {0, 13, -1, 1000}) {
            EXPECT_EQ(entry.method(language), entry.english) << entry.name << " in " << language;
        }
    }
    for (int language : {0, 13, -1}) {
        EXPECT_EQ(AppTexts::qelm_string_mode(5, language), "FIRMWARE UPDATE");
        EXPECT_EQ(AppTexts::qelm_status_failure(5, 0, language), "Failed to update firmware");
        EXPECT_EQ(AppTexts::qelm_string_language(2, language), "German");
    }
}

TEST(AppTexts, ShorterTablesFallBackToEnglish) {
    EXPECT_EQ(AppTexts::qelm_string_orva_product_in(kCzech), "Orva Standard Products");
    EXPECT_EQ(AppTexts::qelm_string_oem_product_in(kPolish), "Orva OEM Products");
    EXPECT_NE(AppTexts::qelm_string_orva_product_in(kFinnish), "Orva Standard Products");
    EXPECT_EQ(AppTexts::qelm_string_version_in(kFrench), "Version");
    EXPECT_EQ(AppTexts::qelm_string_version_in(kGerman), "Version");
    EXPECT_EQ(AppTexts::qelm_string_version_in(kItalian), "Versione");
    for (int language = 0; language <= 12; ++language) {
        EXPECT_EQ(AppTexts::qelm_string_ok_in(language), language == kKorean ? "확인" : "OK") << language;
        EXPECT_EQ(AppTexts::qelm_title("ignored", language), "VELMAR Helmets Device Manager");
        EXPECT_EQ(AppTexts::qelm_string_mode(10, language), "MODE NOT AVAILABLE");
    }
}

TEST(AppTexts, LanguageNamesAndTheirLookup) {
    EXPECT_EQ(AppTexts::qelm_string_language(1, kFrench), "Français");
    EXPECT_EQ(AppTexts::qelm_string_language(0, kFrench), "Anglais");
    EXPECT_EQ(AppTexts::qelm_string_language(21, kGerman), "Englisch");
    EXPECT_EQ(AppTexts::qelm_string_language(-3, kGerman), "Englisch");
    EXPECT_EQ(AppTexts::qelm_language_manager(20), "Greek");
    EXPECT_EQ(AppTexts::qelm_language_manager(24), "English");

    struct Case {
        const char* name;
        bool withDefault;
        int index;
    } cases[] = {
        {"english", true, 0}, {"SPANISH", false, 6},  {"Polish", true, 12}, {"greek", false, 20},
        {"Klingon", true, 0}, {"Klingon", false, -1}, {"", false, -1},      {"Englis", false, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AppTexts::qelm_language_manager_index(c.name, c.withDefault), c.index) << c.name;
    }
    EXPECT_EQ(AppTexts::qelm_language_manager_from_language("German", kFrench), "Allemand");
    EXPECT_EQ(AppTexts::qelm_language_manager_from_language("japanese", kJapanese), "日本語");
    EXPECT_EQ(AppTexts::qelm_language_manager_from_language("Klingon", kFrench), "Klingon");
}

TEST(AppTexts, StatusTextsByPageMode) {
    EXPECT_EQ(AppTexts::qelm_status_processing(4, 0, 0), "On recognizing device.");
    EXPECT_EQ(AppTexts::qelm_status_success(3, 0, 0), "%@ selected. %@");
    EXPECT_EQ(AppTexts::qelm_status_success(9, 0, 0), "Device setting saved successfully");
    for (int language = -1; language <= 13; ++language) {
        EXPECT_EQ(AppTexts::qelm_status_failure(3, 0, language), std::nullopt) << language;
        for (int mode : {-1, 0, 1, 10}) {
            EXPECT_EQ(AppTexts::qelm_status_processing(mode, 0, language), std::nullopt);
            EXPECT_EQ(AppTexts::qelm_status_success(mode, 0, language), std::nullopt);
            EXPECT_EQ(AppTexts::qelm_status_failure(mode, 0, language), std::nullopt);
            EXPECT_EQ(AppTexts::qelm_status_default(mode, 0, language), std::nullopt);
        }
        // The three settings pages share their name and status texts.
        for (int mode : {8, 9}) {
            EXPECT_EQ(AppTexts::qelm_string_mode(mode, language), AppTexts::qelm_string_mode(7, language));
            EXPECT_EQ(AppTexts::qelm_status_processing(mode, 0, language),
                      AppTexts::qelm_status_processing(7, 0, language));
            EXPECT_EQ(AppTexts::qelm_status_success(mode, 0, language),
                      AppTexts::qelm_status_success(7, 0, language));
            EXPECT_EQ(AppTexts::qelm_status_failure(mode, 0, language),
                      AppTexts::qelm_status_failure(7, 0, language));
        }
    }
}

TEST(AppTexts, DefaultStatusNamesThePageAndTheMissingBackup) {
    struct Case {
        int mode;
        int usb;
        int language;
        const char* text;
    } cases[] = {
        {5, 0x7FFF, 0, "Ready for FIRMWARE UPDATE"},
        {5, 0x8000, 0, "Ready for FIRMWARE UPDATE. Cannot make backup firmware"},
        {6, 0xE020, 0, "Ready for FIRMWARE RESTORE. Cannot make backup firmware"},
        {4, 0x8000, 0, "Ready for DEVICE RECOGNITION"},  // only the firmware pages mention the backup
        {7, 0x8000, 13, "Ready for DEVICE SETTING"},
        {3, 0, 0, "Press NEXT to proceed."},
        {3, 0, kSpanish, "Pulse SIGUIENTE para continuar."},
        {5, 0x8000, kJapanese,
         "ファームウェアのアップデートの準備ができました。ファームウェアをバックアップできません"},
        {2, 0, kFinnish, "Valmiina: MANAGERIN PÄIVITYS."},
        {5, 0, kFinnish, "Valmis toimintoon LAITEOHJELMISTON PÄIVITYS"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AppTexts::qelm_status_default(c.mode, c.usb, c.language), c.text)
            << "mode " << c.mode << " usb " << c.usb << " language " << c.language;
    }
    // Finnish, Czech and Polish end the sentence of pages 2 and 4 with a full stop.
    for (int language : {kFinnish, kCzech, kPolish}) {
        for (int mode : {2, 4}) EXPECT_TRUE(AppTexts::qelm_status_default(mode, 0, language)->ends_with('.'));
        for (int mode : {5, 6, 7, 8, 9})
            EXPECT_FALSE(AppTexts::qelm_status_default(mode, 0, language)->ends_with('.'));
    }
}

TEST(AppTexts, FormattedTextsInTheControllersLanguage) {
    Controller c;
    EXPECT_EQ(c.stringMenuItemAbout(), "About VELMAR Helmets Device Manager");
    EXPECT_EQ(c.stringMenuItemQuit(), "Quit VELMAR Helmets Device Manager");
    EXPECT_EQ(c.stringPromptSave(), "Would you like to save DEVICE SETTING changes?");
    EXPECT_EQ(c.stringMenuItemKeyboradShortcuts(), "Show Keyboard Shortcut");
    c.shortcuts = true;
    EXPECT_EQ(c.stringMenuItemKeyboradShortcuts(), "Hide Keyboard Shortcut");
    EXPECT_EQ(AppTexts::qelm_string_continue_the_firmware_update_or_restore(5, 0),
              "continue the firmware update");
    EXPECT_EQ(AppTexts::qelm_string_continue_the_firmware_update_or_restore(6, kGerman),
              "Firmware Zurücks. fortsetzen");
    EXPECT_EQ(c.stringDeviceConversion1UnplugUSBCableFromMac(), "1. Unplug the USB cable from the computer.");
    EXPECT_EQ(
        c.stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart(),
        "Unplug the USB cable from your computer or force it to restart in case of inputting the wrong password.");
    EXPECT_EQ(c.stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(true),
              "The password does not match. Go back to the Device Recognition page and try again.");
    EXPECT_EQ(c.stringDeviceConversionFailedBluetoothOff(), "Error code: 89. Please contact (" +
                                                                std::string(AppTexts::supportEmailAddress()) +
                                                                ") with the error code.");
    EXPECT_EQ(
        c.getMessageBoxFileCreationFailed(),
        "Creating a backup file for FIRMWARE RESTORE has failed. For FIRMWARE RESTORE, download the previous "
        "firmware file from " +
            std::string(AppTexts::makerWebSiteAddress()) +
            ", and update the file manually using the Device Manager's FIRMWARE UPDATE. To continue, click "
            "the [OK] button below.");

    c.setLanguageManager(kJapanese);
    EXPECT_EQ(c.languageManager(), kJapanese);
    EXPECT_EQ(c.stringDeviceConversion1UnplugUSBCableFromMac(), "1. コンピューターからUSBケーブルを抜きます。");
    EXPECT_EQ(c.stringMenuItemKeyboradShortcuts(), "キーボードショートカットを隠す");
    c.setLanguageManager(kKorean);
    EXPECT_NE(c.getMessageBoxFileCreationFailed().find("[확인]"), std::string::npos);
    EXPECT_EQ(c.getMessageBoxFileCreationFailed().find("{website}"), std::string::npos);
    c.setLanguageManager(kCzech);  // no Czech text of its own: English
    EXPECT_EQ(c.stringDeviceConversionConnectAndTurnOn(), "Connect and turn on");
    c.setLanguageManager(13);
    EXPECT_EQ(c.stringMenuHelp(), "Help");
    EXPECT_EQ(c.stringMenuItemManagerLanguage(), "Manager Software Language");
}

TEST(AppTexts, FirmwareUpdateInstructionsFollowTheModel) {
    struct Case {
        int32_t target;
        std::optional<std::string> first, failureFirst, second;
    };
    const std::string hold = "Press and hold the ", until = " until this message disappears.";
    const std::string replugHolding =
        "Unplug the USB cable from the USB port and plug it back by pressing and holding the ";
    const std::string replug = "Unplug the USB cable from the USB port and plug it back in.";
    const Case cases[] = {
        {0x2010, hold + "[-] Button" + until, replugHolding + "[-] Button" + until,
         hold + "[+] Button and [-] Button" + until},
        {0x5623, hold + "[-] Button" + until, replugHolding + "[-] Button" + until,
         hold + "[+] Button and [-] Button" + until},
        {0x4112, hold + "Center Button" + until, replugHolding + "Center Button" + until,
         hold + "Center Button and [+] Button" + until},
        {0x4D10, hold + "Phone Button" + until, replugHolding + "Phone Button" + until,
         hold + "Jog Dial and Phone Button" + until},
        {0x4D06, hold + "Phone Button" + until, std::nullopt, hold + "Jog Dial and Phone Button" + until},
        {0x5520, hold + "[-] Button" + until, replugHolding + "Center Button" + until,
         hold + "Center Button and [+] Button" + until},
        {0x3300, hold + "[-] Button" + until, std::nullopt, std::nullopt},
        {0x4040, hold + "[L] Button" + until, replugHolding + "[L] Button" + until,
         hold + "[L] Button and [R] Button" + until},
        {0x5210, hold + "Pairing Button" + until, replugHolding + "Pairing Button" + until,
         hold + "PTT Button and Pairing Button" + until},
        {0x3010, replug, replug, "Switch off Dasker and switch it back on."},
        {0x3020, replug, replug,
         "1. Disconnect the USB cable from the NELVAR.\n2. Wait until the NELVAR completes update and powers "
         "off.\n3. Connect USB cable to the NELVAR and then power on it.\n4. Press [OK] button."},
        {0x4120, replug, replug, hold + "Center Button and [+] Button" + until},
        {0x5613, std::nullopt, std::nullopt, std::nullopt},  // just past a range
        {0x6838, std::nullopt, std::nullopt, std::nullopt},
    };
    Controller c;
    c.names[0x3010] = "Dasker";
    for (const auto& k : cases) {
        c.target = k.target;
        EXPECT_EQ(c.getMessageBoxFirstButton(), k.first) << std::hex << k.target;
        EXPECT_EQ(c.getMessageBoxFailureFirstButton(), k.failureFirst) << std::hex << k.target;
        EXPECT_EQ(c.getMessageBoxSecondButton(), k.second) << std::hex << k.target;
    }
    c.target = 0x4D10;
    c.setLanguageManager(kGerman);
    EXPECT_EQ(c.getMessageBoxSecondButton(),
              "Halten Sie Drehregler und Telefontaste gedrückt, bis diese Meldung verschwindet.");
}

}  // namespace
