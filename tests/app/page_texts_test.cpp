// The manager-update offer and the precaution page's texts, filled and in their languages.
#include <gtest/gtest.h>

#include <string>

#include "app/ManagerUpdateTexts.h"
#include "app/PrecautionTexts.h"

namespace {

using app::ManagerUpdateTexts;

constexpr int kFrench = 1, kJapanese = 4, kFinnish = 10, kCzech = 11, kPolish = 12;

TEST(ManagerUpdateTexts, OfferNamesTheNewVersionItsSecondaryAndThisVersion) {
    const std::string english12 =
        "Newer version of VELMAR Helmets Device Manager is available. Would you like to update VELMAR "
        "Helmets "
        "Device Manager to v1.2?\n\nPressing the [YES] button will close this program and start downloading "
        "the update. Install the update after downloading.\nPressing the [NO] button will start VELMAR "
        "Helmets Device Manager v1.0 without updating.";
    EXPECT_EQ(ManagerUpdateTexts::instruction(0, 1, 2, 0), english12);
    for (int language : {-1, 13, 99})
        EXPECT_EQ(ManagerUpdateTexts::instruction(language, 1, 2, 0), english12);

    std::string withSecondary = ManagerUpdateTexts::instruction(0, 1, 2, 3);
    EXPECT_NE(withSecondary.find("to v1.2.3?"), std::string::npos);
    EXPECT_NE(withSecondary.find("Manager v1.0 without"), std::string::npos);
    EXPECT_NE(ManagerUpdateTexts::instruction(0, 1, 2, -4).find("to v1.2?"), std::string::npos);

    // Every language names its own YES and NO and both versions.
    std::string french = ManagerUpdateTexts::instruction(kFrench, 2, 0, 1);
    EXPECT_NE(french.find("[OUI]"), std::string::npos);
    EXPECT_NE(french.find("[NON]"), std::string::npos);
    EXPECT_NE(french.find("v2.0.1"), std::string::npos);
    EXPECT_NE(french.find("VELMAR Helmets Device Manager v1.0 sans"), std::string::npos);
    for (int language : {kJapanese, kFinnish, kCzech, kPolish}) {
        std::string text = ManagerUpdateTexts::instruction(language, 3, 4, 0);
        EXPECT_NE(text, english12) << language;
        EXPECT_NE(text.find("v3.4"), std::string::npos) << language;
        EXPECT_NE(text.find("v1.0"), std::string::npos) << language;
        EXPECT_EQ(text.find('%'), std::string::npos) << language;
    }
    EXPECT_EQ(ManagerUpdateTexts::releaseNotesTitle(), "Release Notes");
}

class Page : public app::PrecautionTexts {
  public:
    int32_t language = 0;
    int32_t precautionLanguage() const override { return language; }
};

TEST(PrecautionTexts, TranslatedUpToFinnishEnglishBeyond) {
    Page page;
    EXPECT_EQ(page.stringErrorMessageEmptyPassword(),
              "Empty password is not allowed!\nEnter password again.");
    EXPECT_EQ(page.stringErrorMessageConfirmPassword(),
              "Confirm Password is different!\nEnter password again.");
    EXPECT_EQ(page.stringShowPrecaution(), "Show precaution at startup");
    EXPECT_EQ(page.stringMore(), "More...");
    EXPECT_TRUE(page.stringAboutDeviceConversionNote().starts_with("NOTE:\n1. The Administrator-level user"));
    EXPECT_NE(page.stringAboutDeviceConversionNote().find("If you are \n    not an"), std::string::npos);
    EXPECT_NE(page.stringAboutDeviceConversionPrecaution().find("Blutooth"), std::string::npos);

    const std::string english = page.stringPrecaution();
    page.language = kFrench;
    EXPECT_EQ(page.stringMore(), "Plus...");
    EXPECT_NE(page.stringPrecaution(), english);
    page.language = kFinnish;
    EXPECT_NE(page.stringPrecaution(), english);
    for (int language : {kCzech, kPolish, 13, -1}) {
        page.language = language;
        EXPECT_EQ(page.stringPrecaution(), english) << language;
        EXPECT_EQ(page.stringNote(), "NOTE: MAC may restart automatically.") << language;
    }
}

}  // namespace
