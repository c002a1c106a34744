// The text files as a whole: which languages have their own text of each entry, and that every
// translation keeps the placeholders and line breaks of the English text.
#include "app/TextCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
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
    // The device settings page: short tables, English-only texts, and one text that only Japanese
    // and Chinese translate.
    {"settings_more_settings", kLanguages0To10},
    {"settings_info_auto_off", kLanguages0To10},
    {"settings_info_simple_ui", kLanguages0To10},
    {"settings_info_smart_navi_system", kLanguages0To10},
    {"settings_info_ess_status", kLanguages0To10},
    {"settings_info_ess_sensitivity", kLanguages0To10},
    {"settings_info_channel", kEnglishOnly},
    {"settings_info_volume", kEnglishOnly},
    {"settings_info_mic_gain", kEnglishOnly},
    {"settings_info_automatic_power_off", 0x0001 | 1 << 4 | 1 << 9},
};

// Translations (bit n: language n) with one "%@" that the complete English sentence has not: the
// conversion texts embed the unplug text, the Japanese noise-control text the setting's label.
const std::map<std::string_view, uint16_t> kOnlyTranslationsHavePlaceholder = {
    {"conversion_unplug_or_force_restart", kAllLanguages & ~kEnglishOnly},
    {"settings_info_advanced_noise_control", 1 << 4},
};

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
            const auto addsPlaceholder = kOnlyTranslationsHavePlaceholder.find(name);
            if (addsPlaceholder != kOnlyTranslationsHavePlaceholder.end() && (addsPlaceholder->second >> language) & 1) {
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
