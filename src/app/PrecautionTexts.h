// Texts of the precaution page, in the controller's interface language. They exist in languages
// 1..10; every other language shows English. The page supplies the language it reads.
#pragma once

#include <cstdint>
#include <string>

namespace app {

class PrecautionTexts {
  public:
    virtual ~PrecautionTexts() = default;

    // The interface language the texts are shown in (the controller's languageManager).
    virtual int32_t precautionLanguage() const = 0;

    std::string stringPrecaution() const;
    std::string stringMakeSafe() const;
    std::string stringEnterPassword() const;
    std::string stringConfirmPassword() const;
    std::string stringNote() const;
    std::string stringShowPrecaution() const;
    std::string stringMore() const;
    std::string stringErrorMessageEmptyPassword() const;
    std::string stringErrorMessageConfirmPassword() const;
    std::string stringAboutDeviceConversionPrecaution() const;
    std::string stringAboutDeviceConversionNote() const;
};

}  // namespace app
