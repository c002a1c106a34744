// The interface-language sheet: the user picks one of the 13 interface languages and whether the
// headset's voice prompts follow it; the sheet previews the choice in its own texts, and OK
// redraws the window and the current page in it.
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/QtText.h"
#include "app/QtTranslations.h"

namespace app {
namespace {

// Language index of each row of the sheet.
constexpr std::array<int32_t, MainWindow::kLanguageRows> kLanguageOfRow = {0, 1, 6, 3,  2,  7, 8,
                                                                           9, 5, 4, 10, 11, 12};

}  // namespace

int32_t ORVABluetoothManagerAppController::languageManagerFromButtonCellIndex(int32_t row) {
    if (row < 1 || row > 12) return 0;
    return kLanguageOfRow[static_cast<size_t>(row)];
}

int32_t ORVABluetoothManagerAppController::buttonCellIndexFromLanguageManager(int32_t language) {
    if (language < 1 || language > 12) return 0;
    for (size_t row = 0; row < kLanguageOfRow.size(); ++row)
        if (kLanguageOfRow[row] == language) return static_cast<int32_t>(row);
    return 0;
}

void ORVABluetoothManagerAppController::connectLanguageManagerAndLog() {
    MainWindow& w = *window_;
    QObject::connect(w.btnLanguageManager, &QPushButton::clicked, &w,
                     [this] { openLanguageManager(window_->btnLanguageManager); });
    QObject::connect(w.menuItemManagerLanguage, &QAction::triggered, &w,
                     [this] { openLanguageManager(window_->menuItemManagerLanguage); });
    QObject::connect(w.menuItemDiagnosticLog, &QAction::triggered, &w,
                     [this] { logStatus(window_->menuItemDiagnosticLog); });
    w.onLanguageSheetBuilt = [this, &w](MainWindow::LanguageSheet& sheet) {
        QObject::connect(sheet.radioLanguageManager, &QButtonGroup::buttonClicked, &w,
                         [this](QAbstractButton* cell) { changeLanguageManager(cell); });
        for (QPushButton* label : sheet.btnLanguageManagerGeneral)
            QObject::connect(label, &QPushButton::clicked, &w, [this, label] { changeLanguageManager(label); });
        QPushButton* ok = sheet.btnLanguageManagerOK;
        QPushButton* cancel = sheet.btnLanguageManagerCancel;
        QObject::connect(ok, &QPushButton::clicked, &w, [this, ok] { languageManagerOK(ok); });
        QObject::connect(cancel, &QPushButton::clicked, &w, [this, cancel] { languageManagerCancel(cancel); });
        sheet.sheetLanguageManager->onEscape = [this, cancel] { languageManagerCancel(cancel); };
    };
}

void ORVABluetoothManagerAppController::setControlsLanguageManager() {
    if (!window_) return;
    MainWindow& w = *window_;
    MainWindow::LanguageSheet& sheet = w.languageSheet();
    const int32_t l = languageManagerFromButtonCellIndex(sheet.radioLanguageManager->checkedId());
    const QString title = qs(qelm_string_language_manager_in(l));
    sheet.sheetLanguageManager->setWindowTitle(title);
    sheet.boxLanguageManager->setTitle(title);
    for (size_t row = 0; row < MainWindow::kLanguageRows; ++row)
        sheet.btnLanguageManagerGeneral[row]->setText(qs(" " + qelm_string_language(kLanguageOfRow[row], l)));
    sheet.btnApplyToLanguageFirmware->setText(qs(qelm_string_apply_to_firmware_language_in(l)));
    sheet.btnLanguageManagerOK->setText(qs(qelm_string_ok_in(l)));
    sheet.btnLanguageManagerCancel->setText(qs(qelm_string_cancel_in(l)));
}

void ORVABluetoothManagerAppController::openLanguageManager(QObject*) {
    if (onProcessing() || !window_) return;
    closeOpenListTabs();
    MainWindow& w = *window_;
    MainWindow::LanguageSheet& sheet = w.languageSheet();
    sheet.buttonCellLanguageManagerGeneral[static_cast<size_t>(
                                           buttonCellIndexFromLanguageManager(languageManager()))]
        ->setChecked(true);
    setControlsLanguageManager();
    sheet.sheetLanguageManager->open();
    // The keyboard starts on the selected row, not the first one.
    sheet.radioLanguageManager->checkedButton()->setFocus(Qt::OtherFocusReason);
    sheet.btnApplyToLanguageFirmware->setChecked(applyToLanguageFirmware());
}

void ORVABluetoothManagerAppController::changeLanguageManager(QObject* sender) {
    if (!window_) return;
    MainWindow& w = *window_;
    MainWindow::LanguageSheet& sheet = w.languageSheet();
    for (QPushButton* label : sheet.btnLanguageManagerGeneral) label->setChecked(false);
    for (size_t row = 0; row < MainWindow::kLanguageRows; ++row) {
        if (sender == sheet.btnLanguageManagerGeneral[row]) {
            sheet.buttonCellLanguageManagerGeneral[row]->setChecked(true);
            changeLanguageManager(sheet.buttonCellLanguageManagerGeneral[row]);
            return;
        }
    }
    setControlsLanguageManager();
}

void ORVABluetoothManagerAppController::languageManagerOK(QObject*) {
    if (!window_) return;
    MainWindow& w = *window_;
    MainWindow::LanguageSheet& sheet = w.languageSheet();
    const int32_t l = languageManagerFromButtonCellIndex(sheet.radioLanguageManager->checkedId());
    const bool apply = sheet.btnApplyToLanguageFirmware->isChecked();
    if (l != languageManager() || apply != applyToLanguageFirmware()) {
        setLanguageManager(l);
        useQtTranslationFor(l);
        setStrLanguageManager(qelm_language_manager(l));
        setApplyToLanguageFirmware(apply);
        setControlsFont();
        setControls();
        updateStatusInManagerLanguage();
        const int32_t m = mode();
        if (m == 5 || m == 6) {
            if (m == 6) {
                restoreViewController()->initializeObjectWithDefaultStatus(true);
                restoreViewController()->setControlsFirmwareRestore();
            }
            (m == 5 ? updateViewController() : restoreViewController())->readLatest();
        } else if (DetailViewController* page = currentDetailViewController()) {
            page->setControls();
            if (m == 7) deviceSettingsViewController()->callTableviewReloadDataForOutsideClass();
        }
    }
    sheet.sheetLanguageManager->hide();
}

void ORVABluetoothManagerAppController::languageManagerCancel(QObject*) {
    if (window_) window_->languageSheet().sheetLanguageManager->hide();
}

}  // namespace app
