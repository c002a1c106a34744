// The device settings page's side of the all-settings list and its sheet: the page hands the list
// engine its inputs, copies each cell description into a fresh cell view, and runs the sheet's
// buttons.
#include <QApplication>
#include <QEvent>
#include <QRect>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "app/ORVABluetoothManagerAppController.h"
#include "app/QtText.h"
#include "platform/Log.h"
#include "settings/AllSettingsList.h"
#include "settings/DeviceSettingsTableCellView.h"
#include "settings/DeviceSettingsViewController.h"

namespace settings {

using device::ORVABluetoothDeviceData;

using app::qs;

namespace {

// While the sheet is up, the keys stay with it or with the box over it. A window system may hand
// them to the window under the sheet as a box opens over the sheet, or to none as the box closes:
// the window under the sheet is blocked, and no key would reach anything until a click.
class KeysStayWithTheSheet : public QObject {
public:
    explicit KeysStayWithTheSheet(QWidget* sheet) : QObject(sheet), sheet_(sheet) {}

    // Watches the window under the sheet (its activation) and the boxes over it (their closing).
    bool eventFilter(QObject*, QEvent* event) override {
        if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Hide) && sheet_->isVisible()) {
            QTimer::singleShot(0, sheet_, [sheet = sheet_] {
                QWidget* top = QApplication::activeModalWidget();
                if (sheet->isVisible() && top && !top->isActiveWindow()) top->activateWindow();
            });
        }
        return false;
    }

private:
    QWidget* sheet_;
};

// The window the sheet stands over: the page's window, or the page itself before it is placed.
QWidget* hostOf(QWidget* sheet) { return sheet->parentWidget() ? sheet->parentWidget()->window() : sheet; }

}  // namespace

ListInputs DeviceSettingsViewController::listInputs() const {
    const auto& c = controller();
    ListInputs in;
    in.deviceTarget = static_cast<uint16_t>(c.deviceTarget());
    in.data = &c.data();
    in.dataCurrent = &dataCurrent_;
    in.fmRadioShowAndHide = c.fmRadioShowAndHide();
    in.motionSensorShowAndHide = c.motionSensorShowAndHide();
    in.deviceInfoStatus = c.deviceInfoStatus();
    in.device50SpeakerType = c.device50SpeakerType();
    in.languageManager = c.languageManager();
    return in;
}

int DeviceSettingsViewController::numberOfRowsInTableView(QTableWidget*) const {
    return appController() ? numberOfRows(listInputs()) : 0;
}

// A new cell every time: nothing of an earlier row can stay in it. Building never sends a change.
QWidget* DeviceSettingsViewController::tableView(QTableWidget*, int, int row) {
    if (!appController()) return nullptr;
    const std::optional<CellDescription> cell = cellForRow(listInputs(), row);
    if (!cell) return nullptr;
    for (const std::string& line : cell->logLines) platform::logLine(line);
    const bool onOff = cell->kind == CellKind::OnOff;
    auto* view = new DeviceSettingsTableCellView(onOff ? DeviceSettingsTableCellView::kOnOffIdentifier
                                                       : DeviceSettingsTableCellView::kComboIdentifier);
    view->infoOnOffBtn->setHidden(!cell->infoShown);
    view->infoOnOffBtn->setEnabled(cell->infoShown);
    QObject::connect(view->infoOnOffBtn, &QPushButton::clicked, view,
                     [this, b = view->infoOnOffBtn] { allSettingsInformation(b); });
    if (view->infoPopUpBtn) {
        view->infoPopUpBtn->setHidden(true);
        view->infoPopUpBtn->setEnabled(cell->infoShown);
    }
    view->textField()->setText(qs(cell->label));
    if (onOff) {
        view->enablebtn->setText(qs(cell->enableTitle));
        view->disablebtn->setText(qs(cell->disableTitle));
        view->radiobtn->selectCellAtRow(0, cell->selectedColumn);
        view->radiobtn->setEnabled(cell->enabled);
        view->radiobtn->setAction([this](QObject* sender) { allSettingsChangeOnOff(sender); });
    } else {
        view->popUpBtn->removeAllItems();
        for (const std::string& item : cell->items) view->popUpBtn->addItemWithTitle(item);
        view->popUpBtn->selectItemAtIndex(cell->selectedItem);
        view->popUpBtn->setEnabled(cell->enabled);
        view->popUpBtn->setAction([this](QObject* sender) { allSettingsChangePopUp(sender); });
    }
    return view;
}

// ---- the sheet --------------------------------------------------------------------------------------

void DeviceSettingsViewController::moveToAllSettins(QObject*) {
    QDialog* sheet = sheetDeviceAllSettings_;
    if (!sheet) return;
    // Centred on the window on every opening: a position of its own would be the never-shown
    // origin, which a window manager takes as the user's choice (the screen's corner).
    QWidget* host = hostOf(sheet);
    QRect frame(QPoint(), QSize(550, 400));
    frame.moveCenter(host->geometry().center());
    sheet->setGeometry(frame);
    if (host != sheet && host != sheetKeysHost_) {
        if (sheetKeysHost_) sheetKeysHost_->removeEventFilter(sheetKeysKeeper());
        keepSheetKeysAgainst(host);
        sheetKeysHost_ = host;
    }
    sheet->setWindowModality(Qt::WindowModal);
    sheet->show();
    sheet->activateWindow();
    reloadAllSettingsRows();
    if (QWidget* first = chainAllSettingsFocus()) first->setFocus(Qt::TabFocusReason);
}

QObject* DeviceSettingsViewController::sheetKeysKeeper() {
    if (!sheetKeysKeeper_) sheetKeysKeeper_ = new KeysStayWithTheSheet(sheetDeviceAllSettings_);
    return sheetKeysKeeper_;
}

void DeviceSettingsViewController::keepSheetKeysAgainst(QWidget* window) { window->installEventFilter(sheetKeysKeeper()); }

// Tab walks the rows' controls top to bottom, then the sheet's buttons; the table itself takes no
// focus. Of an on/off pair only the selected side takes Tab, as in any radio group: the arrows
// move to the other side and choose it.
QWidget* DeviceSettingsViewController::chainAllSettingsFocus() {
    QTableWidget* table = tableViewDeviceAllSettingsBasic;
    table->setFocusPolicy(Qt::NoFocus);
    table->setTabKeyNavigation(false);
    scrollViewDeviceAllSettingsBasic->setFocusPolicy(Qt::NoFocus);
    std::vector<QWidget*> order;
    for (int row = 0; row < table->rowCount(); ++row) {
        auto* view = dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(row, 0));
        if (!view) continue;
        if (view->popUpBtn) {
            order.push_back(view->popUpBtn);
            continue;
        }
        const int selected = std::max(view->radiobtn->selectedColumn(), 0);
        for (int column = 0; column < view->radiobtn->numberOfColumns(); ++column) {
            QRadioButton* side = view->radiobtn->cellAtRow(0, column);
            side->setFocusPolicy(column == selected ? Qt::StrongFocus : Qt::ClickFocus);
            order.push_back(side);
        }
    }
    QWidget* first = order.empty() ? nullptr : order.front();
    for (QPushButton* b : {btnDeviceAllSettingsBasicDefault, btnDeviceAllSettingsBasicCancel,
                           btnDeviceAllSettingsBasicSave, btnDeviceAllSettingsBasicClose})
        order.push_back(b);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return first;
}

// The page's own save without its time-out check: the list's models hide that field.
void DeviceSettingsViewController::saveToAllSettins(QObject*) {
    if (!passActionGuard()) return;
    endAllSettingsSheet();
    startSave();
}

void DeviceSettingsViewController::endAllSettingsSheet() {
    if (sheetDeviceAllSettings_) sheetDeviceAllSettings_->hide();
}

void DeviceSettingsViewController::replaceEditsInAllSettings(const ORVABluetoothDeviceData& source) {
    if (!passActionGuard()) return;
    dataCurrent_.copyWithSource(source, false);
    reloadAllSettingsRows();
    setControlsWithData();
    setControls();
}

void DeviceSettingsViewController::changeToDefaultAllSettins(QObject*) { replaceEditsInAllSettings(dataDefault_); }

void DeviceSettingsViewController::ChangeToOtiginalAllSettins(QObject*) {
    // A copy: the source must not be the record that the copy reads while it writes.
    const ORVABluetoothDeviceData original = controller().data();
    replaceEditsInAllSettings(original);
}

// Not guarded by onProcessing: it only ends the sheet or asks.
void DeviceSettingsViewController::closeAllSettins(QObject*) {
    if (!isSettingsChanged()) {
        endAllSettingsSheet();
        return;
    }
    auto& c = controller();
    const int32_t l = c.languageManager();
    c.openMessageBoxWithMessage(c.stringPromptSave(), false, app::AppTexts::qelm_string_no_in(l),
                                app::AppTexts::qelm_string_yes_in(l), 0, 13);
}

}  // namespace settings
