// The interface-language sheet: its row order, the preview in the selected language, and what OK
// redraws (the status line, the menus, the open page) or leaves alone.
#include "ShellFixture.h"
#include "app/ManagerUpdateTexts.h"

namespace shell_test {
namespace {

using Controller = app::ORVABluetoothManagerAppController;

class LanguageSheetTest : public ShellTest {
  protected:
    QRadioButton* row(size_t r) { return window->languageSheet().buttonCellLanguageManagerGeneral[r]; }
    QPushButton* label(size_t r) { return window->languageSheet().btnLanguageManagerGeneral[r]; }
    std::string labelText(size_t r) { return label(r)->text().toStdString(); }
};

TEST_F(LanguageSheetTest, RowsListTheLanguagesInTheirOwnOrder) {
    const int32_t languageOfRow[13] = {0, 1, 6, 3, 2, 7, 8, 9, 5, 4, 10, 11, 12};
    for (int32_t r = 0; r < 13; ++r) {
        EXPECT_EQ(Controller::languageManagerFromButtonCellIndex(r), languageOfRow[r]) << r;
        EXPECT_EQ(Controller::buttonCellIndexFromLanguageManager(languageOfRow[r]), r) << r;
    }
    for (int32_t outside : {-1, 13, 40}) {
        EXPECT_EQ(Controller::languageManagerFromButtonCellIndex(outside), 0);
        EXPECT_EQ(Controller::buttonCellIndexFromLanguageManager(outside), 0);
    }
}

TEST_F(LanguageSheetTest, OpeningSelectsTheCurrentLanguageAndLabelsTheSheetInIt) {
    start();
    controller->setLanguageManager(4);
    controller->setApplyToLanguageFirmware(false);
    window->btnLanguageManager->click();
    EXPECT_TRUE(window->languageSheet().sheetLanguageManager->isVisible());
    EXPECT_TRUE(row(9)->isChecked());
    EXPECT_EQ(window->languageSheet().sheetLanguageManager->focusWidget(), row(9)) << "the keyboard starts on it";
    EXPECT_EQ(window->languageSheet().sheetLanguageManager->windowTitle().toStdString(),
              Controller::qelm_string_language_manager_in(4));
    EXPECT_EQ(window->languageSheet().boxLanguageManager->title().toStdString(),
              Controller::qelm_string_language_manager_in(4));
    EXPECT_EQ(labelText(0), " " + Controller::qelm_string_language(0, 4));
    EXPECT_EQ(labelText(9), " " + Controller::qelm_string_language(4, 4));
    EXPECT_EQ(window->languageSheet().btnApplyToLanguageFirmware->text().toStdString(),
              Controller::qelm_string_apply_to_firmware_language_in(4));
    EXPECT_EQ(window->languageSheet().btnLanguageManagerCancel->text().toStdString(),
              Controller::qelm_string_cancel_in(4));
    EXPECT_FALSE(window->languageSheet().btnApplyToLanguageFirmware->isChecked());

    window->languageSheet().btnLanguageManagerCancel->click();
    EXPECT_FALSE(window->languageSheet().sheetLanguageManager->isVisible());
    EXPECT_EQ(controller->languageManager(), 4);

    // Not while an operation runs.
    controller->setOnProcessing(true);
    controller->openLanguageManager(window->btnLanguageManager);
    EXPECT_FALSE(window->languageSheet().sheetLanguageManager->isVisible());
}

TEST_F(LanguageSheetTest, ALabelPreviewsItsLanguageAndOKRedrawsTheWindowAndThePage) {
    start();
    controller->setManagerLatestVersionMajor(1);
    controller->setManagerLatestVersionMinor(1);
    controller->setManagerUpdate();
    EXPECT_EQ(window->tfStatus->text().toStdString(), "Ready for MANAGER UPDATE");
    window->btnLanguageManager->click();

    label(2)->click();
    EXPECT_TRUE(row(2)->isChecked());
    for (size_t r = 0; r < 13; ++r) EXPECT_FALSE(label(r)->isChecked()) << r;
    EXPECT_EQ(labelText(0), " " + Controller::qelm_string_language(0, 6));
    EXPECT_EQ(window->languageSheet().btnLanguageManagerOK->text().toStdString(), Controller::qelm_string_ok_in(6));
    EXPECT_EQ(controller->languageManager(), 0);  // a preview until OK

    window->languageSheet().btnLanguageManagerOK->click();
    EXPECT_FALSE(window->languageSheet().sheetLanguageManager->isVisible());
    EXPECT_EQ(controller->languageManager(), 6);
    EXPECT_EQ(controller->strLanguageManager(), "Spanish");
    // The status line, the window's own controls and the open page, all in Spanish.
    EXPECT_EQ(window->tfStatus->text().toStdString(), *Controller::qelm_status_default(2, 0, 6));
    EXPECT_EQ(window->btnLanguageManager->text().toStdString(),
              Controller::qelm_string_language_manager_in(6));
    EXPECT_EQ(window->menuItemDiagnosticLog->text().toStdString(), controller->stringMenuItemDiagnosticLog());
    EXPECT_NE(window->menuItemDiagnosticLog->text(), "Diagnostic Log");
    auto* page = controller->managerUpdateViewController();
    EXPECT_EQ(page->tfInstruction()->text().toStdString(), app::ManagerUpdateTexts::instruction(6, 1, 1, 0));
    EXPECT_EQ(page->btnYes()->text().toStdString(), Controller::qelm_string_yes_in(6));
}

TEST_F(LanguageSheetTest, OKRedrawsOnlyWhenTheLanguageOrTheCheckBoxChanged) {
    start();
    window->tfStatus->setText("unchanged");
    window->btnLanguageManager->click();
    window->languageSheet().btnLanguageManagerOK->click();
    EXPECT_FALSE(window->languageSheet().sheetLanguageManager->isVisible());
    EXPECT_EQ(window->tfStatus->text(), "unchanged");

    const bool apply = controller->applyToLanguageFirmware();
    window->btnLanguageManager->click();
    window->languageSheet().btnApplyToLanguageFirmware->click();
    window->languageSheet().btnLanguageManagerOK->click();
    EXPECT_EQ(controller->applyToLanguageFirmware(), !apply);
    EXPECT_EQ(controller->languageManager(), 0);
    EXPECT_EQ(window->tfStatus->text().toStdString(), *Controller::qelm_status_default(3, 0, 0));
}

}  // namespace
}  // namespace shell_test
