#include "app/TextCatalogue.h"

#include <cstddef>

namespace app {

namespace {

bool inCatalogue(int language) { return language >= 0 && language < kCatalogueLanguageCount; }

}  // namespace

std::optional<std::string_view> catalogueText(TextId id, int language) {
    auto index = static_cast<std::size_t>(id);
    if (!inCatalogue(language) || index >= kTextIdCount) return std::nullopt;
    const char* text = detail::kTexts[language][index];
    if (text == nullptr) return std::nullopt;
    return std::string_view(text);
}

std::string_view localizedText(TextId id, int language) {
    if (language >= 1 && language <= 12) {
        if (auto own = catalogueText(id, language)) return *own;
    }
    // English names every entry (the text compiler refuses files where it does not).
    return catalogueText(id, 0).value_or(std::string_view());
}

std::string_view catalogueEntryName(TextId id) {
    auto index = static_cast<std::size_t>(id);
    return index < kTextIdCount ? std::string_view(detail::kTextNames[index]) : std::string_view();
}

std::string_view catalogueLanguageCode(int language) {
    return inCatalogue(language) ? std::string_view(detail::kLanguageCodes[language]) : std::string_view();
}

}  // namespace app
