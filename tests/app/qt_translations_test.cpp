// Qt's own dialogs speak the interface language chosen in the language sheet (Qt's translations
// as the system installs them); a language without one leaves them in English, and so does
// English. The About box's copyright line is in the interface language too.
#include <QDialogButtonBox>
#include <QPushButton>

#include "ShellFixture.h"
#include "app/QtTranslations.h"
#include "platform/Files.h"

namespace shell_test {
namespace {

using Controller = app::ORVABluetoothManagerAppController;

class QtTranslations : public ShellTest {
protected:
    ~QtTranslations() override { app::useQtTranslationFor(0); }

    // As the user does: the sheet's row of the language, then OK.
    void chooseLanguage(int32_t language) {
        window->btnLanguageManager->click();
        const auto row = static_cast<size_t>(Controller::buttonCellIndexFromLanguageManager(language));
        window->languageSheet().btnLanguageManagerGeneral[row]->click();
        window->languageSheet().btnLanguageManagerOK->click();
    }
    // The file dialogs' Open button and a standard Cancel button, as Qt titles them now.
    static std::string openButton() { return QCoreApplication::translate("QFileDialog", "Open").toStdString(); }
    static std::string cancelButton() {
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Cancel)->text().toStdString();
    }
};

TEST_F(QtTranslations, TheFileDialogsFollowTheLanguageChosenInTheSheet) {
    start();
    const std::pair<int32_t, const char*> kOpen[] = {
        {1, "Ouvrir"}, {2, "Öffnen"}, {3, "Apri"},    {4, "開く"},   {5, "열기"},   {6, "Abrir"},
        {7, "Openen"}, {8, "Открыть"}, {9, "打开"}, {10, "Avaa"}, {11, "Otevřít"}, {12, "Otwórz"},
    };
    for (const auto& [language, open] : kOpen) {
        chooseLanguage(language);
        EXPECT_EQ(controller->languageManager(), language);
        EXPECT_EQ(openButton(), open) << "language " << language;
    }
    chooseLanguage(2);
    EXPECT_EQ(cancelButton(), "Abbrechen");
    chooseLanguage(0);
    EXPECT_EQ(openButton(), "Open");
    EXPECT_EQ(cancelButton(), "Cancel");
}

TEST_F(QtTranslations, TheStartUsesTheStoredLanguage) {
    controller->setStrLanguageManager("French");
    ASSERT_TRUE(platform::ensureArchiveFolder());
    ASSERT_TRUE(platform::writeFileAtomically(Controller::configurationFilePath(), controller->archivedConfiguration()));
    start();
    ASSERT_EQ(controller->languageManager(), 1);
    EXPECT_EQ(openButton(), "Ouvrir");
}

TEST_F(QtTranslations, ALanguageWithoutQtsTranslationLeavesEnglish) {
    test_support::TempDir noTranslations;
    app::useQtTranslationFor(1);
    EXPECT_FALSE(app::useQtTranslationFor(2, QString::fromStdString(noTranslations.path())));
    EXPECT_EQ(openButton(), "Open") << "the French one is gone too";
    EXPECT_FALSE(app::useQtTranslationFor(0));
    EXPECT_FALSE(app::useQtTranslationFor(13));
    EXPECT_EQ(cancelButton(), "Cancel");
}

TEST_F(QtTranslations, TheAboutBoxsCopyrightLineIsInTheInterfaceLanguage) {
    start();
    const std::pair<int32_t, const char*> kCopyright[] = {
        {0, "All rights reserved."}, {1, "Tous droits réservés."}, {2, "Alle Rechte vorbehalten."},
        {9, "保留所有权利。"},
    };
    for (const auto& [language, words] : kCopyright) {
        controller->setLanguageManager(language);
        controller->about();
        const std::string text = window->about().tfAbout->text().toStdString();
        EXPECT_NE(text.find(words), std::string::npos) << text;
        window->about().btnAboutOK->click();
    }
}

}  // namespace
}  // namespace shell_test
