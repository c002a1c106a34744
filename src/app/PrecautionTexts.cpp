#include "app/PrecautionTexts.h"

#include "app/TextCatalogue.h"

namespace app {

namespace {

// Languages 11 and 12 have no precaution texts of their own; the catalogue shows English then.
std::string text(TextId id, int32_t language) { return std::string(localizedText(id, language)); }

}  // namespace

std::string PrecautionTexts::stringPrecaution() const {
    return text(TextId::precaution_text, precautionLanguage());
}
std::string PrecautionTexts::stringMakeSafe() const {
    return text(TextId::precaution_make_safe, precautionLanguage());
}
std::string PrecautionTexts::stringEnterPassword() const {
    return text(TextId::precaution_enter_password, precautionLanguage());
}
std::string PrecautionTexts::stringConfirmPassword() const {
    return text(TextId::precaution_confirm_password, precautionLanguage());
}
std::string PrecautionTexts::stringNote() const {
    return text(TextId::precaution_note, precautionLanguage());
}
std::string PrecautionTexts::stringShowPrecaution() const {
    return text(TextId::precaution_show_at_startup, precautionLanguage());
}
std::string PrecautionTexts::stringMore() const {
    return text(TextId::precaution_more, precautionLanguage());
}
std::string PrecautionTexts::stringErrorMessageEmptyPassword() const {
    return text(TextId::precaution_empty_password, precautionLanguage());
}
std::string PrecautionTexts::stringErrorMessageConfirmPassword() const {
    return text(TextId::precaution_confirm_password_differs, precautionLanguage());
}
std::string PrecautionTexts::stringAboutDeviceConversionPrecaution() const {
    return text(TextId::precaution_about_conversion, precautionLanguage());
}
std::string PrecautionTexts::stringAboutDeviceConversionNote() const {
    return text(TextId::precaution_about_conversion_note, precautionLanguage());
}

}  // namespace app
