// The page's texts: the language rule, the texts composed of parts of one language, and the
// mapping of the firmware checks' English messages.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/TextCatalogue.h"
#include "update/UpdateTexts.h"

namespace {

using update::UpdateTexts;

TEST(UpdateTexts, IndexesOutsideOneToTwelveGiveEnglishAndTwelveGivesPolish) {
    struct Case {
        int language;
        const char* expected;
    };
    for (const Case& c : {Case{0, "Cannot connect to the server"}, Case{13, "Cannot connect to the server"},
                          Case{-1, "Cannot connect to the server"},
                          Case{12, "Nie można połączyć się z serwerem"}})
        EXPECT_EQ(UpdateTexts::qelm_string_cannot_connect_to_the_server_in(c.language), c.expected) << c.language;
}

TEST(UpdateTexts, ComposedTextsTakeEveryPartInOneLanguage) {
    struct Case {
        std::string (*text)(int);
        int language;
        const char* expected;
    };
    const Case cases[] = {
        {UpdateTexts::qelm_string_press_restore_button_in, 0, "Press the [RESTORE] button"},
        {UpdateTexts::qelm_string_press_update_button_in, 0, "Press the [UPDATE] button"},
        {UpdateTexts::qelm_string_press_restore_button_after_selecting_in, 0,
         "Press the [RESTORE] button after selecting voice prompt language"},
        {UpdateTexts::qelm_string_cannot_detach_device_not_idle_in, 0, "Cannot detach device(not idle)"},
        {UpdateTexts::qelm_string_cannot_detach_device_try_again_in, 0, "Cannot detach device. Try again."},
        {UpdateTexts::qelm_string_press_restore_button_in, 1, "Appuyez sur le bouton [RESTAURER]"},
        {UpdateTexts::qelm_string_press_update_button_in, 1, "Appuyez sur le bouton [METTRE À JOUR]"},
        {UpdateTexts::qelm_string_press_restore_button_after_selecting_in, 1,
         "Appuyez sur le bouton [RESTAURER] après avoir choisi la langue des messages vocaux"},
        {UpdateTexts::qelm_string_cannot_detach_device_try_again_in, 1, "Impossible de détacher l'appareil. Réessayez."},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text(c.language), c.expected);
}

TEST(UpdateTexts, NoBackupNoticeSplitsPerLanguage) {
    struct Case {
        int language;
        const char *first, *second;
    };
    for (const Case& c : {Case{0, "NO backup ", "firmware"}, Case{-3, "NO backup ", "firmware"},
                          Case{1, "PAS de firmware ", "de secours"}, Case{2, "KEINE Backup-", "Firmware"},
                          Case{3, "Nessun backup ", "firmware"},
                          Case{12, "BRAK kopii zapasowej", "oprogramowania układowego"}}) {
        EXPECT_EQ(UpdateTexts::displayNOBackupFirmwareFirst(c.language), c.first) << c.language;
        EXPECT_EQ(UpdateTexts::displayNOBackupFirmwareSecond(c.language), c.second) << c.language;
    }
}

TEST(UpdateTexts, FirmwareCheckMessagesMapByteExactly) {
    struct Case {
        const char* message;
        int model;
        int language;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Cannot access firmware", 0x6838, 0, "Cannot access firmware"},
        {"Cannot allocate file buffer", 0x6838, 0, "Cannot allocate file buffer"},
        {"Cannot open firmware", 0x6838, 0, "Cannot open firmware"},
        {"Cannot load firmware", 0x6838, 0, "Cannot load firmware"},
        {"Firmware corrupted", 0x6838, 1, "Micrologiciel endommagé"},
        {"Finished checking firmware", 0x6838, 0, "Finished checking firmware"},
        // The model of the argument, not the one the message names.
        {"Firmware not for FERRIK", 0x6838, 0, "Firmware not for VELMAR LUVEN"},
        {"Firmware not for", 0x3020, 0, "Firmware not for NELVAR"},
        {"Firmware not fo", 0x6838, 0, std::nullopt},
        {"cannot access firmware", 0x6838, 0, std::nullopt},
        {"Cannot access firmware.", 0x6838, 0, std::nullopt},
        {"", 0x6838, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdateTexts::qelm_string_message(c.message, c.model, c.language), c.expected) << c.message;
    EXPECT_EQ(UpdateTexts::qelm_string_message(nullptr, 0x6838, 0), std::nullopt);
}

TEST(UpdateTexts, VoicePromptLabelByEnglishLabel) {
    EXPECT_EQ(UpdateTexts::settingLabel("Voice Prompt", 0), "Voice Prompt");
    EXPECT_EQ(UpdateTexts::settingLabel("Voice Prompt", 2), "Sprachansagen");
    EXPECT_EQ(UpdateTexts::settingLabel("Voice Prompt", 13), std::nullopt);
    EXPECT_EQ(UpdateTexts::settingLabel("voice prompt", 0), std::nullopt);
}

}  // namespace

namespace {

// The program runs on Linux: no text of any language tells the user about a Mac.
TEST(InterfaceTexts, NoTextNamesTheMac) {
    for (size_t id = 0; id < app::kTextIdCount; ++id)
        for (int language = 0; language < app::kCatalogueLanguageCount; ++language) {
            std::string_view text = app::localizedText(static_cast<app::TextId>(id), language);
            EXPECT_EQ(text.find("Mac"), std::string_view::npos)
                << app::catalogueEntryName(static_cast<app::TextId>(id)) << " in " << language;
        }
}

}  // namespace
