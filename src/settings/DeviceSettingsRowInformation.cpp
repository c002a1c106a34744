// The information button of the all-settings list: the row that holds it, the row's entry of the
// information catalogue, and the message box with one OK button. Nothing else changes.
#include <QApplication>
#include <QKeySequence>
#include <QShortcut>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "settings/DeviceSettingsTableCellView.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/RowInformation.h"

namespace settings {

// Not guarded by onProcessing: it only shows a text.
void DeviceSettingsViewController::allSettingsInformation(QObject* sender) {
    if (!appController()) return;
    const int row = rowForView(sender);
    const std::optional<InformationBox> box = informationForRow(listInputs(), row, *this);
    // A row without an entry opens no box rather than an empty one.
    if (!box) return;
    // The keyboard is the row's while the box is up (the button takes no focus), so that the
    // sheet gives it to the row again once the box has closed.
    if (auto* view = dynamic_cast<DeviceSettingsTableCellView*>(tableViewDeviceAllSettingsBasic->cellWidget(row, 0)))
        view->keyboardControl()->setFocus(Qt::OtherFocusReason);
    auto& c = controller();
    if (c.window() && sheetDeviceAllSettings_->isVisible()) keepSheetKeysAgainst(c.window()->messageBox().sheetMessageBox);
    c.openMessageBoxWithMessage(box->text, false, std::nullopt, app::AppTexts::qelm_string_ok_in(c.languageManager()),
                                box->size, 12);
}

void DeviceSettingsViewController::allSettingsInformationOfCurrentRow() {
    QTableWidget* table = tableViewDeviceAllSettingsBasic;
    // The row whose control has the keyboard (Tab walks the rows' controls), else the table's
    // current row.
    int row = QApplication::focusWidget() ? rowForView(QApplication::focusWidget()) : -1;
    if (row < 0) row = table->currentRow();
    auto* cell = dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(row, 0));
    // As the mouse can: only a button that is shown and enabled.
    if (cell && cell->infoOnOffBtn->isVisibleTo(cell) && cell->infoOnOffBtn->isEnabled()) cell->infoOnOffBtn->click();
}

// The sheet is a window of its own: its key works while the sheet has the keyboard.
void DeviceSettingsViewController::bindRowInformationKey() {
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), sheetDeviceAllSettings_);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, sheetDeviceAllSettings_, [this] { allSettingsInformationOfCurrentRow(); });
}

}  // namespace settings
