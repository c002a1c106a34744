// The interface texts of the 13 languages, compiled in from i18n/<code>.txt. An entry has the
// English text and, per language, its own text or none (then the English one is shown).
#pragma once

#include <optional>
#include <string_view>

#include "app/TextIds.h"

namespace app {

// The language's own text of an entry; none where the language has no text of its own or the
// index is outside 0..12.
std::optional<std::string_view> catalogueText(TextId id, int language);

// The text shown in a language: its own text for 1..12, else the English one.
std::string_view localizedText(TextId id, int language);

// The entry's name in the text files.
std::string_view catalogueEntryName(TextId id);

// The text file's name (without ".txt") of a language 0..12; "" outside.
std::string_view catalogueLanguageCode(int language);

}  // namespace app
