#include "settings/DeviceSettingsSpeedDialViewController.h"

#include <QFrame>
#include <QKeySequence>
#include <QShortcut>

#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "app/QtText.h"
#include "settings/DeviceSettingsTexts.h"
#include "settings/SpeedDialFormatter.h"

namespace settings {

using app::AppTexts;
using device::ORVABluetoothDeviceData;

namespace {

using app::qs;

constexpr int kSpeedDialTab = 2;
constexpr int kPageMode = 9;
// Within the window's content box.
constexpr int kRowSpacing = 56;
constexpr int kLabelX = 40, kLabelWidth = 240;
constexpr int kDialX = 290, kDialWidth = 300;
constexpr int kButtonsY = 400;

// "Speed Dial" in the language: the record's speed-dial tab text.
std::string captionWord(int32_t language) {
    return ORVABluetoothDeviceData::getTabText(kSpeedDialTab, false, language).value_or("Speed Dial");
}

// The word an empty dial shows; the FM radio page shows it for an empty preset.
std::string emptyWord(int32_t language) {
    return std::string(app::localizedText(app::TextId::setting_label_empty, language));
}

bool isEmpty(const device::OptString& dial) { return !dial || dial->empty(); }

}  // namespace

DeviceSettingsSpeedDialViewController::DeviceSettingsSpeedDialViewController() = default;

void DeviceSettingsSpeedDialViewController::loadView() {
    SettingsPageBase::loadView();
    QWidget* v = view();
    lblSpeedDial01 = new QLabel(v);
    lblSpeedDial02 = new QLabel(v);
    lblSpeedDial03 = new QLabel(v);
    btnSpeedDial01 = new QPushButton(v);
    btnSpeedDial02 = new QPushButton(v);
    btnSpeedDial03 = new QPushButton(v);
    int row = 1;
    for (auto [label, button] : {std::pair{lblSpeedDial01, btnSpeedDial01}, std::pair{lblSpeedDial02, btnSpeedDial02},
                                 std::pair{lblSpeedDial03, btnSpeedDial03}}) {
        label->setGeometry(kLabelX, 10 + row * kRowSpacing, kLabelWidth, 26);
        button->setGeometry(kDialX, 8 + row * kRowSpacing, kDialWidth, 30);
        ++row;
    }

    const int buttonsY = kButtonsY;
    auto pageButton = [&](QPushButton* b, int x, int width) {
        b->setGeometry(x, buttonsY, width, 30);
        b->show();
        return b;
    };
    pageButton(btnBack_, 5, 115);
    btnDefault = pageButton(new QPushButton(v), 220, 115);
    btnCancel = pageButton(new QPushButton(v), 340, 115);
    btnSave = pageButton(new QPushButton(v), 460, 115);
    pageButton(btnNewDevice_, 580, 135);
    piProcessing = new QProgressBar(v);
    piProcessing->setGeometry(120, buttonsY + 4, 110, 22);
    piProcessing->setTextVisible(false);
    piProcessing->hide();

    // The edit sheet: the dial's number, its field, OK (the default button: Enter) and Cancel.
    sheetSpeedDialEdit = new QDialog(v, Qt::Sheet);
    sheetSpeedDialEdit->resize(340, 120);
    // Its own edge: without a window manager nothing else frames it.
    auto* edge = new QFrame(sheetSpeedDialEdit);
    edge->setGeometry(0, 0, 340, 120);
    edge->setFrameShape(QFrame::Box);
    lblSpeedDialEditNumber = new QLabel(sheetSpeedDialEdit);
    lblSpeedDialEditNumber->setGeometry(20, 24, 30, 26);
    lblSpeedDialEditNumber->setAlignment(Qt::AlignCenter);
    tfSpeedDialEdit = new QLineEdit(sheetSpeedDialEdit);
    tfSpeedDialEdit->setGeometry(60, 24, 260, 26);
    btnSpeedDialEditCancel = new QPushButton(sheetSpeedDialEdit);
    btnSpeedDialEditCancel->setGeometry(100, 72, 105, 30);
    btnSpeedDialEditCancel->setAutoDefault(false);
    btnSpeedDialEditOK = new QPushButton(sheetSpeedDialEdit);
    btnSpeedDialEditOK->setGeometry(215, 72, 105, 30);
    btnSpeedDialEditOK->setDefault(true);
    // awakeFromNib: the field keeps its formatter.
    tfSpeedDialEdit->setValidator(new SpeedDialFormatter(tfSpeedDialEdit));

    wireActions();
    bindKeyEquivalents();
}

DeviceSettingsSpeedDialViewController::~DeviceSettingsSpeedDialViewController() = default;

void DeviceSettingsSpeedDialViewController::wireActions() {
    QWidget* v = view();
    auto onClick = [v](QAbstractButton* b, auto fn) { QObject::connect(b, &QAbstractButton::clicked, v, fn); };
    for (QPushButton* b : {btnSpeedDial01, btnSpeedDial02, btnSpeedDial03})
        onClick(b, [this, b] { openSpeedDialEdit(b); });
    onClick(btnSpeedDialEditOK, [this] { okSpeedDialEdit(btnSpeedDialEditOK); });
    onClick(btnSpeedDialEditCancel, [this] { cancelSpeedDialEdit(btnSpeedDialEditCancel); });
    // Escape closes the sheet as its Cancel does.
    QObject::connect(sheetSpeedDialEdit, &QDialog::rejected, v, [this] { cancelSpeedDialEdit(sheetSpeedDialEdit); });
    onClick(btnDefault, [this] { changeToDefault(btnDefault); });
    onClick(btnCancel, [this] { changeToOriginal(btnCancel); });
    onClick(btnSave, [this] { save(btnSave); });
    onClick(btnBack_, [this] { moveToFirmwareUpdate(btnBack_); });
    onClick(btnNewDevice_, [this] { moveToDeviceSelection(btnNewDevice_); });
}

// The keys that the shortcut titles announce ([C] Ctrl, [O] Alt); the window's own next and back
// keys reach the page through the controller.
void DeviceSettingsSpeedDialViewController::bindKeyEquivalents() {
    const std::vector<std::pair<const char*, QAbstractButton*>> keys = {
        {"Alt+Ctrl+S", btnSave}, {"Ctrl+D", btnDefault},  {"Ctrl+C", btnCancel},
        {"Alt+1", btnSpeedDial01}, {"Alt+2", btnSpeedDial02}, {"Alt+3", btnSpeedDial03},
    };
    QWidget* v = view();
    for (const auto& [sequence, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(sequence)), v);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, v, [v, target] {
            if (target->isVisibleTo(v) && target->isEnabled()) target->click();
        });
        shortcuts_.push_back(shortcut);
    }
}

// ---- initialisation and refresh ---------------------------------------------------------------

void DeviceSettingsSpeedDialViewController::initializeObject() {
    loadViewIfNeeded();
    if (!lblSpeedDials[0]) {
        lblSpeedDials = {lblSpeedDial01, lblSpeedDial02, lblSpeedDial03};
        btnSpeedDials = {btnSpeedDial01, btnSpeedDial02, btnSpeedDial03};
    }
    indexSelectedSpeedDialEdit_ = -1;
    auto& c = controller();
    c.setShowShortcuts(false);
    c.reflectShortcuts();
    dataCurrent_ = ORVABluetoothDeviceData();
    dataCurrent_.copyWithSource(c.data(), true);
    dataDefault_ = ORVABluetoothDeviceData::makeDefaultSpeedDialDataWithSource(dataCurrent_);
    c.setTabIndexSelected(c.GetTabIndexWith(kPageMode));
    setControlsWithData();
    setControls();
}

void DeviceSettingsSpeedDialViewController::setControlsWithData() {
    const int32_t l = controller().languageManager();
    for (size_t i = 0; i < btnSpeedDials.size(); ++i) {
        if (!btnSpeedDials[i]) continue;
        const device::OptString dial = dataCurrent_.speedDialAt(static_cast<int>(i));
        btnSpeedDials[i]->setText(qs(isEmpty(dial) ? emptyWord(l) : *dial));
    }
}

void DeviceSettingsSpeedDialViewController::setControls() {
    loadViewIfNeeded();
    setShortcuts();
    setControlsWithData();
    const bool idle = !controller().onProcessing();
    for (QWidget* w : {static_cast<QWidget*>(btnBack_), static_cast<QWidget*>(btnNewDevice_),
                       static_cast<QWidget*>(btnDefault), static_cast<QWidget*>(btnCancel)})
        w->setEnabled(idle);
    for (QPushButton* b : {btnSpeedDial01, btnSpeedDial02, btnSpeedDial03}) b->setEnabled(idle);
    btnSave->setEnabled(idle && isSettingsChanged());
}

void DeviceSettingsSpeedDialViewController::setShortcuts() {
    loadViewIfNeeded();
    auto& c = controller();
    const std::array<QLabel*, 3> labels = {lblSpeedDial01, lblSpeedDial02, lblSpeedDial03};
    if (c.showShortcuts()) {
        btnBack_->setText(QString::fromUtf8("[C]-\u25C0"));
        btnNewDevice_->setText(QString::fromUtf8("[C]-\u25B6"));
        btnSave->setText("[O][C]-S");
        btnDefault->setText("[C]-D");
        btnCancel->setText("[C]-C");
        for (size_t i = 0; i < labels.size(); ++i)
            labels[i]->setText(qs(app::formatText("[O]-%d", {static_cast<int>(i + 1)})));
        return;
    }
    const int32_t l = c.languageManager();
    btnBack_->setText(qs(AppTexts::qelm_string_back_in(l)));
    btnNewDevice_->setText(qs(AppTexts::qelm_string_new_device_in(l)));
    btnSave->setText(qs(DeviceSettingsTexts::qelm_string_save_in(l)));
    btnDefault->setText(qs(DeviceSettingsTexts::qelm_string_default_in(l)));
    btnCancel->setText(qs(AppTexts::qelm_string_cancel_in(l)));
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i]->setText(qs(app::formatText("%@ %d", {captionWord(l), static_cast<int>(i + 1)})));
}

// ---- change test and leave guard ----------------------------------------------------------------

bool DeviceSettingsSpeedDialViewController::isSettingsChanged() const {
    const ORVABluetoothDeviceData& record = controller().data();
    for (int i = 0; i < ORVABluetoothDeviceData::kSpeedDials; ++i)
        if (dataCurrent_.speedDialAt(i).value_or("") != record.speedDialAt(i).value_or("")) return true;
    return false;
}

bool DeviceSettingsSpeedDialViewController::checkNeedToSave() {
    if (!isSettingsChanged()) return false;
    auto& c = controller();
    const int32_t l = c.languageManager();
    c.openMessageBoxWithMessage(c.stringPromptSave(), false, AppTexts::qelm_string_no_in(l),
                                AppTexts::qelm_string_yes_in(l), 0, 6);
    return true;
}

// ---- edit sheet -----------------------------------------------------------------------------------

void DeviceSettingsSpeedDialViewController::openSpeedDialEdit(QObject* sender) {
    if (!passActionGuard()) return;
    auto found = std::find(btnSpeedDials.begin(), btnSpeedDials.end(), sender);
    if (!sender || found == btnSpeedDials.end()) return;
    const int index = static_cast<int>(found - btnSpeedDials.begin());
    indexSelectedSpeedDialEdit_ = index;
    auto& c = controller();
    const int32_t l = c.languageManager();
    lblSpeedDialEditNumber->setText(QString::number(index + 1));
    sheetSpeedDialEdit->setWindowTitle(qs(app::formatText("%@ %d", {captionWord(l), index + 1})));
    tfSpeedDialEdit->setText((*found)->text());
    tfSpeedDialEdit->selectAll();
    btnSpeedDialEditOK->setText(qs(AppTexts::qelm_string_ok_in(l)));
    btnSpeedDialEditCancel->setText(qs(AppTexts::qelm_string_cancel_in(l)));
    // A sheet of the window that shows the page (the main window): modal to it alone, and the
    // call does not wait for the answer.
    sheetSpeedDialEdit->setWindowModality(Qt::WindowModal);
    // Where a sheet hangs: at the top of the page, in its middle.
    sheetSpeedDialEdit->move(view()->mapToGlobal(QPoint((view()->width() - sheetSpeedDialEdit->width()) / 2, 0)));
    sheetSpeedDialEdit->show();
    sheetSpeedDialEdit->raise();
    sheetSpeedDialEdit->activateWindow();
    tfSpeedDialEdit->setFocus();
    // The empty-dial word is a title, never a number to edit.
    if (isEmpty(dataCurrent_.speedDialAt(index))) tfSpeedDialEdit->setText(QString());
}

bool DeviceSettingsSpeedDialViewController::isSpeedDialValid() {
    const QString text = tfSpeedDialEdit->text();
    if (text.length() > SpeedDialFormatter::kMaxLength) {
        tfSpeedDialEdit->setText(text.left(SpeedDialFormatter::kMaxLength));
        tfSpeedDialEdit->selectAll();
        return false;
    }
    if (!SpeedDialFormatter::hasOnlyDialCharacters(text)) {
        tfSpeedDialEdit->selectAll();
        return false;
    }
    if (indexSelectedSpeedDialEdit_ < 0 || indexSelectedSpeedDialEdit_ >= ORVABluetoothDeviceData::kSpeedDials)
        return false;
    dataCurrent_.setSpeedDialAt(indexSelectedSpeedDialEdit_, text.toStdString());
    setControlsWithData();
    setControls();
    return true;
}

void DeviceSettingsSpeedDialViewController::okSpeedDialEdit(QObject*) {
    if (!passActionGuard()) return;
    if (isSpeedDialValid()) endSheet();
}

void DeviceSettingsSpeedDialViewController::cancelSpeedDialEdit(QObject*) {
    if (!passActionGuard()) return;
    endSheet();
}

void DeviceSettingsSpeedDialViewController::endSheet() { sheetSpeedDialEdit->hide(); }

// ---- Default and Cancel -------------------------------------------------------------------------

void DeviceSettingsSpeedDialViewController::replaceEdits(const ORVABluetoothDeviceData& source) {
    if (!passActionGuard()) return;
    dataCurrent_.copyWithSource(source, false);
    setControlsWithData();
    setControls();
}

void DeviceSettingsSpeedDialViewController::changeToDefault(QObject*) { replaceEdits(dataDefault_); }

void DeviceSettingsSpeedDialViewController::changeToOriginal(QObject*) { replaceEdits(controller().data()); }

}  // namespace settings
