// The text files as a whole: which languages have their own text of each entry, and that every
// translation keeps the placeholders and line breaks of the English text.
#include "app/TextCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using app::TextId;

// Bit n: language n has its own text.
constexpr uint16_t kAllLanguages = 0x1FFF;
constexpr uint16_t kLanguages0To10 = 0x07FF;  // tables of 10 translations, for languages 1..10
constexpr uint16_t kEnglishOnly = 0x0001;

// Entries that not every language translates; every other entry exists in all 13.
const std::map<std::string_view, uint16_t> kOwnTextLanguages = {
    {"ok", 0x0001 | 1 << 5},               // only Korean has its own word
    {"version", kAllLanguages & ~0x0006},  // French and German show "Version"
    {"title", kEnglishOnly},               // the product title is one text
    {"mode_not_available", kEnglishOnly},
    {"orva_product", kLanguages0To10},
    {"oem_product", kLanguages0To10},
    {"cannot_restore", kLanguages0To10},
    {"conversion_plug", kLanguages0To10},
    {"conversion_unplug_and_plug", kLanguages0To10},
    {"conversion_connect_and_turn_on", kLanguages0To10},
    {"conversion_device_not_found", kLanguages0To10},
    {"conversion_failed_to_open_usb", kLanguages0To10},
    {"conversion_device_in_update_mode", kLanguages0To10},
    {"conversion_device_is_safe", kLanguages0To10},
    {"conversion_device_activated", kLanguages0To10},
    {"conversion_activating_device", kLanguages0To10},
    {"conversion_invalid_password", kLanguages0To10},
    {"conversion_invalid_password_alternative", kLanguages0To10},
    {"recognition_oem_products", kLanguages0To10},
    {"recognition_restarting_manager", kLanguages0To10},
    {"release_notes", kEnglishOnly},  // the manager-update page's button is titled in English only
    // The precaution page's texts.
    {"precaution_text", kLanguages0To10},
    {"precaution_make_safe", kLanguages0To10},
    {"precaution_enter_password", kLanguages0To10},
    {"precaution_confirm_password", kLanguages0To10},
    {"precaution_note", kLanguages0To10},
    {"precaution_show_at_startup", kLanguages0To10},
    {"precaution_more", kLanguages0To10},
    {"precaution_empty_password", kLanguages0To10},
    {"precaution_confirm_password_differs", kLanguages0To10},
    {"precaution_about_conversion", kLanguages0To10},
    {"precaution_about_conversion_note", kLanguages0To10},
};

const std::set<std::string_view> kEnglishForNow = {
    "settings_cannot_save", "settings_save", "settings_default", "settings_more_settings",
    "setting_label_speed_dial_setting", "setting_label_edr_enhanced_data_rate", "setting_label_plc",
    "setting_label_high_quality_a2dp", "setting_label_microphone_boosting", "setting_label_sidetone",
    "setting_label_advanced_noise_control", "setting_label_auto_gain_control", "setting_label_audio_boost",
    "setting_label_motion_sensor_sensitivity", "setting_label_audio_multitasking",
    "setting_label_intercom_audio_overlay_sensitivity", "setting_label_navigation_app_support",
    "setting_label_fm_radio",
    "settings_note_edr",
    "settings_note_apply",
    "settings_info_plc",
    "settings_info_bitpool_rate",
    "settings_info_microphone_boost",
    "settings_info_sidetone",
    "settings_info_advanced_noise_control",
    "settings_info_auto_gain_control",
    "settings_info_channel",
    "settings_info_volume",
    "settings_info_auto_on_off",
    "settings_info_audio_boost",
    "settings_info_audio_boost2",
    "settings_info_audio_boost2_old",
    "settings_info_voice_assistant",
    "settings_info_auto_start_recording",
    "settings_info_rtg",
    "settings_info_edr43",
    "settings_info_act",
    "settings_message_act",
    "settings_info_motion_sensor_sensitivity",
    "settings_info_navigation_app_overlay",
    "settings_info_audio_multitasking",
    "settings_info_intercom_audio_overlay_sensitivity",
    "settings_info_intercom_audio_overlay_sensitivity_gessa",
    "settings_info_fm_radio_on",
    "settings_info_phone_on",
    "settings_info_microphone_sensitivity_okemba",
    "settings_info_vox_sensitivity_cordale",
    "settings_info_intercom_audio_overlay_sensitivity_no_fm_gps",
    "settings_info_vox_phone",
    "settings_info_vox_intercom",
    "settings_info_hd_intercom",
    "settings_info_eightway_intercom",
    "settings_info_voice_prompt",
    "settings_info_fm_station_guide",
    "settings_info_adaptive_light",
    "settings_info_hd_voice",
    "settings_info_ui_layer",
    "settings_info_audio_source_priority",
    "settings_info_bluetooth_intercom_audio_multitasking",
    "settings_info_audio_multitasking_one_module_for_ferrand",
    "settings_info_audio_multitasking_one_module",
    "settings_info_audio_multitasking_with_qcc",
    "settings_info_background_volume",
    "settings_info_audio_overlay",
    "settings_info_audio_overlay_ardel1",
    "settings_info_auto_off",
    "settings_info_simple_ui",
    "settings_info_smart_navi_system",
    "settings_info_smart_volume_control",
    "settings_info_hd_speaker_accessory",
    "settings_info_hd_speaker_accessory_select",
    "settings_info_mic_accessory_select",
    "settings_info_vox_sensitivity",
    "settings_info_vox_sensitivity_mossel",
    "settings_info_vox_sensitivity_for_ferrand",
    "settings_info_vox_sensitivity_for_hallvik",
    "settings_info_photo_mode",
    "settings_info_video_mode_before_2",
    "settings_info_video_mode",
    "settings_info_video_resolution",
    "settings_info_timelapse_interval",
    "settings_info_video_tagging_interval",
    "settings_info_loop_recording_interval",
    "settings_info_video_microphone_gain",
    "settings_info_date_caption",
    "settings_info_speaker_sound_recording",
    "settings_info_auto_camera_sleep",
    "settings_info_mesh_guest_mode",
    "settings_info_mesh_reach_out",
    "settings_info_airoha_auto_off",
    "settings_info_automatic_power_off",
    "settings_info_audio_overlay_volume_management",
    "settings_info_audio_overlay_volume_management_no_fm_gps",
    "settings_info_led_control",
    "settings_info_voice_command",
    "settings_info_mesh_public_channel",
    "settings_info_channel_setting",
    "settings_info_headset_language",
    "settings_info_headset_unit_language",
    "settings_info_unit_language",
    "settings_info_unit_language_zelk",
    "settings_info_audio_equalizer",
    "settings_info_audio_equalizer_qv",
    "settings_info_audio_equalizer_rf",
    "settings_info_ess_status",
    "settings_info_ess_sensitivity",
    "settings_info_mic_gain",
};

// The English sentence is complete; the translations embed the unplug text instead.
constexpr std::string_view kOnlyTranslationsHavePlaceholder = "conversion_unplug_or_force_restart";

// The placeholders of a text in order: "%@", "%d" and "%%".
std::vector<std::string> placeholders(std::string_view text) {
    std::vector<std::string> found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%') continue;
        char kind = text[i + 1];
        if (kind == '@' || kind == 'd' || kind == '%') {
            found.push_back(std::string{'%', kind});
            ++i;
        }
    }
    return found;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) out += p + " ";
    return out;
}

TEST(TextCatalogue, EveryEntryExistsInItsLanguagesWithTheEnglishPlaceholdersAndLineBreaks) {
    std::map<std::string_view, bool> exceptionSeen;
    for (size_t index = 0; index < app::kTextIdCount; ++index) {
        auto id = static_cast<TextId>(index);
        std::string_view name = app::catalogueEntryName(id);
        auto rule = kOwnTextLanguages.find(name);
        uint16_t expected = rule == kOwnTextLanguages.end() ? kAllLanguages : rule->second;
        // The device settings page's texts are English until their translations land.
        if (rule == kOwnTextLanguages.end() && kEnglishForNow.count(name)) expected = kEnglishOnly;
        if (rule != kOwnTextLanguages.end()) exceptionSeen[name] = true;

        auto english = app::catalogueText(id, 0);
        ASSERT_TRUE(english.has_value()) << name;
        auto englishPlaceholders = placeholders(*english);
        auto englishBreaks = std::count(english->begin(), english->end(), '\n');

        for (int language = 0; language < app::kCatalogueLanguageCount; ++language) {
            std::string where =
                std::string(name) + " in " + std::string(app::catalogueLanguageCode(language));
            auto own = app::catalogueText(id, language);
            bool shouldExist = (expected >> language) & 1;
            EXPECT_EQ(own.has_value(), shouldExist) << where;
            if (!own) continue;
            EXPECT_FALSE(own->empty()) << where;
            EXPECT_EQ(std::count(own->begin(), own->end(), '\n'), englishBreaks) << where;
            if (name == kOnlyTranslationsHavePlaceholder && language != 0) {
                EXPECT_TRUE(englishPlaceholders.empty()) << where;
                EXPECT_EQ(joined(placeholders(*own)), "%@ ") << where;
            } else {
                EXPECT_EQ(joined(placeholders(*own)), joined(englishPlaceholders)) << where;
            }
        }
    }
    // A renamed entry must not leave its rule behind unnoticed.
    for (const auto& [name, languages] : kOwnTextLanguages) EXPECT_TRUE(exceptionSeen[name]) << name;
    EXPECT_EQ(app::catalogueLanguageCode(0), "en");
    EXPECT_EQ(app::catalogueLanguageCode(12), "pl");
}

}  // namespace
