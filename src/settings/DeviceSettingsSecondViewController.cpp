#include "settings/DeviceSettingsSecondViewController.h"

#include <QKeySequence>
#include <charconv>
#include <cmath>
#include <optional>

#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "app/QtText.h"
#include "settings/DeviceSettingsTexts.h"
#include "settings/save/FmRadioModels.h"

namespace settings {

using app::AppTexts;
using app::TextId;
using device::ORVABluetoothDeviceData;

namespace {

using app::qs;

constexpr int32_t kFmMode = 8;
constexpr int kRegions = 6;
constexpr TextId kRegionNames[kRegions] = {TextId::fm_region_worldwide, TextId::fm_region_americas,
                                           TextId::fm_region_asia,      TextId::fm_region_australia,
                                           TextId::fm_region_europe,    TextId::fm_region_japan};
// Above any band: a typed value beyond it is no frequency (and float-to-int stays defined).
constexpr float kHighestTypedMHz = 1000.0f;


// Each "%0.1f" of the format in turn takes the next text.
std::string fillTenths(std::string format, std::initializer_list<std::string> values) {
    size_t at = 0;
    for (const std::string& v : values) {
        at = format.find("%0.1f", at);
        if (at == std::string::npos) break;
        format.replace(at, 5, v);
        at += v.size();
    }
    return format;
}

int rowOf(const auto& row, const QObject* sender, int count) {
    for (int i = 0; i < count; ++i)
        if (row[static_cast<size_t>(i)] == sender) return i;
    return -1;
}

}  // namespace

DeviceSettingsSecondViewController::DeviceSettingsSecondViewController() = default;

void DeviceSettingsSecondViewController::loadView() {
    SettingsPageBase::loadView();
    layOutControls();
    layOutSheet();
    wireActions();
    bindKeyEquivalents();
}

DeviceSettingsSecondViewController::~DeviceSettingsSecondViewController() = default;

// ---- layout ---------------------------------------------------------------------------------------

namespace {

// The region pop-up tells the page when its list is about to open.
class RegionPopUp : public PopUpButton {
public:
    using PopUpButton::PopUpButton;
    std::function<void()> willOpen;
    void showPopup() override {
        if (willOpen) willOpen();
        PopUpButton::showPopup();
    }
};

}  // namespace

void DeviceSettingsSecondViewController::layOutControls() {
    QWidget* v = view();
    lblFMRadioRegion = new QLabel(v);
    lblFMRadioRegion->setGeometry(20, 15, 160, 24);
    popUpFMRadioRegion = new RegionPopUp(v);
    popUpFMRadioRegion->setGeometry(190, 15, 220, 26);
    popUpFMRadioRegion->addItemsWithTitles(std::vector<std::string>(kRegions));

    lblFMRadioPresets = new QLabel(v);
    lblFMRadioPresets->setGeometry(20, 60, 690, 24);
    // Two columns of five rows: check box (its number), frequency button, stepper, unit.
    for (int i = 0; i < kPresetRows; ++i) {
        const int x = i < 5 ? 30 : 380, y = 95 + (i % 5) * 38;
        const auto at = static_cast<size_t>(i);
        cbFMRadioPresets[at] = new QCheckBox(QString::number(i + 1), v);
        cbFMRadioPresets[at]->setGeometry(x, y, 55, 28);
        btnFMRadioPresets[at] = new QPushButton(v);
        btnFMRadioPresets[at]->setGeometry(x + 60, y, 120, 28);
        stepperFMRadioPresets[at] = new Stepper(v);
        stepperFMRadioPresets[at]->setGeometry(x + 185, y, 20, 28);
        lblFMRadioPresetUnits[at] = new QLabel("MHz", v);
        lblFMRadioPresetUnits[at]->setGeometry(x + 212, y, 60, 28);
    }

    lblFMRadioRDS = new QLabel(v);
    lblFMRadioRDS->setGeometry(20, 300, 330, 24);
    btnFMRadioRDS = new QPushButton("?", v);
    btnFMRadioRDS->setGeometry(355, 300, 24, 22);
    btnFMRadioRDS->setFocusPolicy(Qt::NoFocus);
    radioFMRadioRDS = new RadioMatrix(2, v);
    radioFMRadioRDS->setGeometry(390, 300, 260, 24);
    enableFMRadioRDS = radioFMRadioRDS->cellAtRow(0, 0);
    disableFMRadioRDS = radioFMRadioRDS->cellAtRow(0, 1);

    const int buttonsY = 420;
    auto pageButton = [&](QPushButton* b, int x) {
        b->setGeometry(x, buttonsY, 110, 30);
        b->show();
        return b;
    };
    pageButton(btnBack_, 10);
    btnDefault = pageButton(new QPushButton(v), 250);
    btnCancel = pageButton(new QPushButton(v), 365);
    btnSave = pageButton(new QPushButton(v), 480);
    pageButton(btnNewDevice_, 615);
}

void DeviceSettingsSecondViewController::layOutSheet() {
    // A sheet on the main window: window-modal, opened without a local event loop so that the
    // window's timers keep running.
    sheetFMRadioPresetEdit = new QDialog(view(), Qt::Sheet);
    sheetFMRadioPresetEdit->setWindowModality(Qt::WindowModal);
    sheetFMRadioPresetEdit->setFixedSize(380, 150);
    // Set apart from the page it lies over, where no window frame draws its edge.
    sheetFMRadioPresetEdit->setObjectName("sheetFMRadioPresetEdit");
    sheetFMRadioPresetEdit->setStyleSheet("#sheetFMRadioPresetEdit { border: 1px solid #8a8a8a; }");
    QDialog* s = sheetFMRadioPresetEdit;
    lblFMRadioPresetEditNumber = new QLabel(s);
    lblFMRadioPresetEditNumber->setGeometry(20, 22, 40, 26);
    lblFMRadioPresetEditNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tfFMRadioPresetEdit = new TextField(s);
    tfFMRadioPresetEdit->setGeometry(70, 22, 140, 26);
    lblFMRadioPresetEditUnit = new QLabel("MHz", s);
    lblFMRadioPresetEditUnit->setGeometry(218, 22, 60, 26);
    lblFMRadioPresetEditRange = new QLabel(s);
    lblFMRadioPresetEditRange->setGeometry(20, 58, 340, 24);
    btnFMRadioPresetEditCancel = new QPushButton(s);
    btnFMRadioPresetEditCancel->setGeometry(150, 104, 105, 30);
    btnFMRadioPresetEditCancel->setAutoDefault(false);
    btnFMRadioPresetEditOK = new QPushButton(s);
    btnFMRadioPresetEditOK->setGeometry(260, 104, 105, 30);
    btnFMRadioPresetEditOK->setDefault(true);
    btnFMRAdioPresetEditWarning = new QPushButton(s);
    btnFMRAdioPresetEditWarning->setGeometry(10, 10, 360, 130);
    btnFMRAdioPresetEditWarning->setAutoDefault(false);
    btnFMRAdioPresetEditWarning->hide();
}

void DeviceSettingsSecondViewController::wireActions() {
    QWidget* v = view();
    auto onClick = [v](QAbstractButton* b, auto fn) { QObject::connect(b, &QAbstractButton::clicked, v, fn); };
    static_cast<RegionPopUp*>(popUpFMRadioRegion)->willOpen = [this] { menuWillOpen(popUpFMRadioRegion); };
    popUpFMRadioRegion->setAction([this](QObject* s) { changeFMRadioRegion(s); });
    for (int i = 0; i < kPresetRows; ++i) {
        const auto at = static_cast<size_t>(i);
        QCheckBox* cb = cbFMRadioPresets[at];
        QPushButton* b = btnFMRadioPresets[at];
        onClick(cb, [this, cb] { checkFMRadioPreset(cb); });
        onClick(b, [this, b] { openFMRadioPresetEdit(b); });
        stepperFMRadioPresets[at]->setAction([this](QObject* s) { changeFMRadioPreset(s); });
    }
    radioFMRadioRDS->setAction([this](QObject* s) { changeFMRadioRDS(s); });
    onClick(btnFMRadioRDS, [this] { displayInformation(btnFMRadioRDS); });
    onClick(btnDefault, [this] { changeToDefault(btnDefault); });
    onClick(btnCancel, [this] { changeToOriginal(btnCancel); });
    onClick(btnSave, [this] { save(btnSave); });
    onClick(btnBack_, [this] { moveToFirmwareUpdate(btnBack_); });
    onClick(btnNewDevice_, [this] { moveToDeviceSelection(btnNewDevice_); });
    onClick(btnFMRadioPresetEditOK, [this] { okFMRadioPresetEdit(btnFMRadioPresetEditOK); });
    onClick(btnFMRadioPresetEditCancel, [this] { cancelFMRadioPresetEdit(btnFMRadioPresetEditCancel); });
    onClick(btnFMRAdioPresetEditWarning, [this] { warnFMRadioPresetEdit(btnFMRAdioPresetEditWarning); });
    // Escape ends the sheet as Cancel does.
    QObject::connect(sheetFMRadioPresetEdit, &QDialog::rejected, v,
                     [this] { cancelFMRadioPresetEdit(btnFMRadioPresetEditCancel); });
}

// The keys that the hints announce ([C] Ctrl, [O] Alt, [S] Shift): Alt+digit the check boxes,
// Shift+Ctrl+digit the preset buttons (0 for the tenth). With Shift held most layouts send the
// shifted character rather than the digit, so both are bound; a press that matches both reaches
// one of them as an ambiguous activation, which acts the same.
void DeviceSettingsSecondViewController::bindKeyEquivalents() {
    static constexpr const char* kShiftedDigits[kPresetRows] = {"!", "@", "#", "$", "%", "^", "&", "*", "(", ")"};
    std::vector<std::pair<QString, QAbstractButton*>> keys = {
        {"Alt+Ctrl+S", btnSave},         {"Ctrl+D", btnDefault},           {"Ctrl+C", btnCancel},
        {"Alt+A", enableFMRadioRDS},     {"Shift+Alt+A", disableFMRadioRDS}, {"Alt+Ctrl+A", btnFMRadioRDS},
    };
    for (int i = 0; i < kPresetRows; ++i) {
        const QString digit = QString::number((i + 1) % 10);
        const auto at = static_cast<size_t>(i);
        keys.emplace_back("Alt+" + digit, cbFMRadioPresets[at]);
        keys.emplace_back("Shift+Ctrl+" + digit, btnFMRadioPresets[at]);
        keys.emplace_back(QString("Shift+Ctrl+") + kShiftedDigits[i], btnFMRadioPresets[at]);
    }
    QWidget* v = view();
    for (const auto& [sequence, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(sequence), v);
        shortcut->setContext(Qt::WindowShortcut);
        auto press = [v, target] {
            if (target->isVisibleTo(v) && target->isEnabled()) target->click();
        };
        QObject::connect(shortcut, &QShortcut::activated, v, press);
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, v, press);
        shortcuts_.push_back(shortcut);
    }
}

// ---- entry and refresh ----------------------------------------------------------------------------

int32_t DeviceSettingsSecondViewController::language() const { return controller().languageManager(); }

bool DeviceSettingsSecondViewController::isFmModel() const {
    return save::isFmRadioModel(controller().deviceTarget());
}

int DeviceSettingsSecondViewController::presetCount() const {
    return ORVABluetoothDeviceData::hasSixFMPresets(controller().deviceTarget()) ? 6 : kPresetRows;
}

void DeviceSettingsSecondViewController::initializeObject() {
    loadViewIfNeeded();
    auto& c = controller();
    indexSelectedForFMRadioEdit_ = -1;
    c.setShowShortcuts(false);
    c.reflectShortcuts();
    dataCurrent_ = ORVABluetoothDeviceData();
    dataCurrent_.copyWithSource(c.data(), true);
    dataDefault_ = ORVABluetoothDeviceData::makeDefaultDataWithSource(dataCurrent_);
    // Default never changes the voice prompt.
    dataDefault_.setVoicePrompt(dataCurrent_.voicePrompt());
    c.setTabIndexSelected(c.GetTabIndexWith(kFmMode));
    refresh();
}

void DeviceSettingsSecondViewController::refresh() {
    setControlsWithData();
    setControls();
}

// Another model shows nothing here, and is not sent back into this page: entering it again would
// only come back to the same place.
void DeviceSettingsSecondViewController::setControlsWithData() {
    if (!isFmModel()) return;
    const ORVABluetoothDeviceData& d = dataCurrent_;
    const int32_t region = d.fmRadioRegion();
    popUpFMRadioRegion->selectItemAtIndex(region);
    const ORVABluetoothDeviceData::FMBand band = ORVABluetoothDeviceData::fmRadioBand(region);
    const std::string empty(app::localizedText(TextId::setting_label_empty, language()));
    for (int i = 0; i < presetCount(); ++i) {
        const auto at = static_cast<size_t>(i);
        const int32_t p = d.fmRadioPresetsAt(i);
        const bool valid = ORVABluetoothDeviceData::checkFMPresetValidWithRegion(region, p) == 0;
        Stepper* stepper = stepperFMRadioPresets[at];
        stepper->setMinValue(band.lowest);
        stepper->setMaxValue(band.highest);
        stepper->setIncrement(band.step);
        stepper->setIntValue(valid ? p : 0);
        cbFMRadioPresets[at]->setChecked(valid);
        btnFMRadioPresets[at]->setText(qs(valid ? megahertz(p) : empty));
    }
    radioFMRadioRDS->selectCellAtRow(0, d.fmRadioRDS() != 0 ? 0 : 1);
}

void DeviceSettingsSecondViewController::setControls() {
    loadViewIfNeeded();
    setShortcuts();
    setControlsWithData();
    auto& c = controller();
    const bool fmModel = isFmModel();
    const bool regionChoice = !save::hasFixedFmRegion(c.deviceTarget());
    lblFMRadioRegion->setVisible(regionChoice);
    popUpFMRadioRegion->setVisible(regionChoice);
    const int32_t l = language();
    lblFMRadioRegion->setText(qs(app::localizedText(TextId::setting_label_region, l)));
    for (int i = 0; i < popUpFMRadioRegion->numberOfItems() && i < kRegions; ++i)
        popUpFMRadioRegion->setTitleOfItemAtIndex(i, std::string(app::localizedText(kRegionNames[i], l)));

    if (c.onProcessing()) {
        for (QWidget* w : std::initializer_list<QWidget*>{btnBack_, btnNewDevice_, btnDefault, btnCancel, btnSave,
                                                          popUpFMRadioRegion, btnFMRadioRDS, radioFMRadioRDS})
            w->setEnabled(false);
        for (int i = 0; i < kPresetRows; ++i) {
            const auto at = static_cast<size_t>(i);
            cbFMRadioPresets[at]->setEnabled(false);
            btnFMRadioPresets[at]->setEnabled(false);
            stepperFMRadioPresets[at]->setEnabled(false);
        }
        return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{btnBack_, btnNewDevice_, btnDefault, btnCancel})
        w->setEnabled(true);
    btnSave->setEnabled(isSettingsChanged());
    for (int i = 0; i < kPresetRows; ++i) {
        const auto at = static_cast<size_t>(i);
        const bool inUse = cbFMRadioPresets[at]->isChecked();
        cbFMRadioPresets[at]->setEnabled(true);
        btnFMRadioPresets[at]->setEnabled(inUse);
        stepperFMRadioPresets[at]->setEnabled(inUse);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{popUpFMRadioRegion, btnFMRadioRDS, radioFMRadioRDS})
        w->setEnabled(fmModel);
    const int shown = fmModel ? presetCount() : 0;
    for (int i = 0; i < kPresetRows; ++i) {
        const auto at = static_cast<size_t>(i);
        for (QWidget* w : std::initializer_list<QWidget*>{cbFMRadioPresets[at], btnFMRadioPresets[at],
                                                          stepperFMRadioPresets[at], lblFMRadioPresetUnits[at]})
            w->setVisible(i < shown);
    }
}

void DeviceSettingsSecondViewController::setShortcuts() {
    loadViewIfNeeded();
    auto& c = controller();
    if (c.showShortcuts()) {
        btnBack_->setText(QString::fromUtf8("[C]-\u25C0"));
        btnNewDevice_->setText(QString::fromUtf8("[C]-\u25B6"));
        btnSave->setText("[O][C]-S");
        btnDefault->setText("[C]-D");
        btnCancel->setText("[C]-C");
        lblFMRadioPresets->setText(qs(stringShortCutFMRadioPreset()));
        lblFMRadioRDS->setText("[O][C]-A");
        enableFMRadioRDS->setText("[O]-A");
        disableFMRadioRDS->setText("[S][O]-A");
        return;
    }
    const int32_t l = language();
    btnBack_->setText(qs(AppTexts::qelm_string_back_in(l)));
    btnNewDevice_->setText(qs(AppTexts::qelm_string_new_device_in(l)));
    btnSave->setText(qs(DeviceSettingsTexts::qelm_string_save_in(l)));
    btnDefault->setText(qs(DeviceSettingsTexts::qelm_string_default_in(l)));
    btnCancel->setText(qs(AppTexts::qelm_string_cancel_in(l)));
    lblFMRadioPresets->setText(qs(app::localizedText(TextId::setting_label_fm_radio_presets, l)));
    lblFMRadioRDS->setText(qs(app::localizedText(TextId::setting_label_rds_af, l)));
    enableFMRadioRDS->setText(qs(AppTexts::qelm_string_enable_in(l)));
    disableFMRadioRDS->setText(qs(AppTexts::qelm_string_disable_in(l)));
}

// Only the FM fields count here: region, the fields the page does not show, the model's presets
// and RDS.
bool DeviceSettingsSecondViewController::isSettingsChanged() const {
    if (!isFmModel()) return false;
    const ORVABluetoothDeviceData &now = dataCurrent_, &was = controller().data();
    if (now.fmRadioRegion() != was.fmRadioRegion() || now.fmRadioMagicCode() != was.fmRadioMagicCode() ||
        now.fmRadioCurrentFrequency() != was.fmRadioCurrentFrequency() ||
        now.fmRadioCurrentPreset() != was.fmRadioCurrentPreset())
        return true;
    for (int i = 0; i < presetCount(); ++i)
        if (now.fmRadioPresetsAt(i) != was.fmRadioPresetsAt(i)) return true;
    return now.fmRadioRDS() != was.fmRadioRDS();
}

bool DeviceSettingsSecondViewController::checkNeedToSave() {
    if (!isSettingsChanged()) return false;
    auto& c = controller();
    const int32_t l = c.languageManager();
    c.openMessageBoxWithMessage(c.stringPromptSave(), false, AppTexts::qelm_string_no_in(l),
                                AppTexts::qelm_string_yes_in(l), 0, 5);
    return true;
}

// ---- actions --------------------------------------------------------------------------------------

void DeviceSettingsSecondViewController::changeFMRadioRegion(QObject*) {
    if (!passActionGuard()) return;
    dataCurrent_.setFmRadioRegion(popUpFMRadioRegion->indexOfSelectedItem());
    const int32_t region = dataCurrent_.fmRadioRegion();
    // What the new band or its raster does not hold is emptied; the rest stays.
    for (int i = 0; i < presetCount(); ++i)
        if (ORVABluetoothDeviceData::checkFMPresetValidWithRegion(region, dataCurrent_.fmRadioPresetsAt(i)) != 0)
            dataCurrent_.setFmRadioPresetsAt(i, 0);
    refresh();
}

// A box checked takes the nearest preset below that the region holds, else the nearest above,
// else the region's lowest frequency: a neighbour the region does not hold would be saved while
// the row shows "Empty".
void DeviceSettingsSecondViewController::checkFMRadioPreset(QObject* sender) {
    if (!passActionGuard()) return;
    const int count = presetCount();
    const int i = rowOf(cbFMRadioPresets, sender, count);
    if (i < 0) return;
    ORVABluetoothDeviceData& d = dataCurrent_;
    if (!cbFMRadioPresets[static_cast<size_t>(i)]->isChecked()) {
        d.setFmRadioPresetsAt(i, 0);
        refresh();
        return;
    }
    const int32_t region = d.fmRadioRegion();
    auto usable = [&](int row) {
        const int32_t p = d.fmRadioPresetsAt(row);
        return p > 0 && ORVABluetoothDeviceData::checkFMPresetValidWithRegion(region, p) == 0;
    };
    std::optional<int32_t> value;
    for (int row = i - 1; row >= 0 && !value; --row)
        if (usable(row)) value = d.fmRadioPresetsAt(row);
    for (int row = i + 1; row < count && !value; ++row)
        if (usable(row)) value = d.fmRadioPresetsAt(row);
    d.setFmRadioPresetsAt(i, value.value_or(ORVABluetoothDeviceData::fmRadioBand(region).lowest));
    refresh();
}

void DeviceSettingsSecondViewController::changeFMRadioPreset(QObject* sender) {
    if (!passActionGuard()) return;
    const int i = rowOf(stepperFMRadioPresets, sender, presetCount());
    if (i < 0) return;
    dataCurrent_.setFmRadioPresetsAt(i, stepperFMRadioPresets[static_cast<size_t>(i)]->intValue());
    refresh();
}

void DeviceSettingsSecondViewController::changeFMRadioRDS(QObject*) {
    if (!passActionGuard()) return;
    dataCurrent_.setFmRadioRDS(radioFMRadioRDS->selectedColumn() == 0 ? 1 : 0);
    refresh();
}

void DeviceSettingsSecondViewController::displayInformation(QObject* sender) {
    if (!passActionGuard()) return;
    if (sender != btnFMRadioRDS) return;
    auto& c = controller();
    c.openMessageBoxWithMessage(stringInformationRDS(), false, std::nullopt,
                                AppTexts::qelm_string_ok_in(c.languageManager()), 4, 2);
}

void DeviceSettingsSecondViewController::changeToDefault(QObject*) {
    if (!passActionGuard()) return;
    dataCurrent_.copyWithSource(dataDefault_, false);
    refresh();
}

void DeviceSettingsSecondViewController::changeToOriginal(QObject*) {
    if (!passActionGuard()) return;
    dropEdits();
    refresh();
}

void DeviceSettingsSecondViewController::menuWillOpen(QObject*) {
    auto& c = controller();
    if (!c.listTabsOpened()) return;
    c.setListTabsOpened(false);
    c.enableListTabsTo(false);
}

// ---- the preset sheet -----------------------------------------------------------------------------

void DeviceSettingsSecondViewController::showPresetEditWarning(bool warning) {
    for (QWidget* w : std::initializer_list<QWidget*>{lblFMRadioPresetEditNumber, tfFMRadioPresetEdit,
                                                      lblFMRadioPresetEditUnit, lblFMRadioPresetEditRange,
                                                      btnFMRadioPresetEditOK, btnFMRadioPresetEditCancel})
        w->setVisible(!warning);
    btnFMRadioPresetEditOK->setEnabled(!warning);
    btnFMRadioPresetEditCancel->setEnabled(!warning);
    btnFMRAdioPresetEditWarning->setVisible(warning);
    btnFMRAdioPresetEditWarning->setEnabled(warning);
    // Return goes back to editing from the warning, and confirms the value while editing.
    btnFMRAdioPresetEditWarning->setDefault(warning);
    btnFMRadioPresetEditOK->setDefault(!warning);
    lblFMRadioPresetEditRange->setStyleSheet("color: black;");
}

void DeviceSettingsSecondViewController::openFMRadioPresetEdit(QObject* sender) {
    if (!passActionGuard()) return;
    const ORVABluetoothDeviceData::FMBand band = ORVABluetoothDeviceData::fmRadioBand(dataCurrent_.fmRadioRegion());
    const std::string lowest = megahertz(band.lowest), highest = megahertz(band.highest);
    lblFMRadioPresetEditRange->setText(qs(fillTenths("(%0.1f MHz ~ %0.1f MHz)", {lowest, highest})));
    btnFMRAdioPresetEditWarning->setText(qs(fillTenths(stringMessageFMRadioPreset(), {lowest, highest})));
    const int i = rowOf(btnFMRadioPresets, sender, kPresetRows);
    if (i < 0) return;
    indexSelectedForFMRadioEdit_ = i;
    lblFMRadioPresetEditNumber->setText(QString::number(i + 1));
    showPresetEditWarning(false);
    tfFMRadioPresetEdit->setText(btnFMRadioPresets[static_cast<size_t>(i)]->text());
    tfFMRadioPresetEdit->selectText();
    const int32_t l = language();
    btnFMRadioPresetEditOK->setText(qs(AppTexts::qelm_string_ok_in(l)));
    btnFMRadioPresetEditCancel->setText(qs(AppTexts::qelm_string_cancel_in(l)));
    sheetFMRadioPresetEdit->open();
    sheetFMRadioPresetEdit->activateWindow();
    tfFMRadioPresetEdit->setFocus();
}

int32_t DeviceSettingsSecondViewController::typedFrequency(const std::string& text) {
    const float megahertz = TextField::floatValueOf(text);
    if (!std::isfinite(megahertz) || megahertz < 0.0f || megahertz > kHighestTypedMHz) return -1;
    // Single precision as typed, cut toward zero, then to 0.1 MHz with halves upward.
    const float scaled = megahertz * 100.0f;
    const auto v = static_cast<int32_t>(scaled);
    const int32_t q = v / 10 * 10;
    return v - q < 5 ? q : q + 10;
}

bool DeviceSettingsSecondViewController::isFMRadioPresetValid() {
    const int32_t value = typedFrequency(tfFMRadioPresetEdit->stringValue());
    const int i = indexSelectedForFMRadioEdit_;
    if (value < 0 || i < 0 || i >= kPresetRows ||
        ORVABluetoothDeviceData::checkFMPresetValidWithRegion(dataCurrent_.fmRadioRegion(), value) != 0) {
        showPresetEditWarning(true);
        tfFMRadioPresetEdit->selectText();
        return false;
    }
    stepperFMRadioPresets[static_cast<size_t>(i)]->setIntValue(value);
    dataCurrent_.setFmRadioPresetsAt(i, value);
    refresh();
    return true;
}

void DeviceSettingsSecondViewController::okFMRadioPresetEdit(QObject*) {
    if (!passActionGuard()) return;
    if (!isFMRadioPresetValid()) return;
    sheetFMRadioPresetEdit->hide();
}

void DeviceSettingsSecondViewController::cancelFMRadioPresetEdit(QObject*) {
    if (!passActionGuard()) return;
    sheetFMRadioPresetEdit->hide();
}

void DeviceSettingsSecondViewController::warnFMRadioPresetEdit(QObject*) {
    if (!passActionGuard()) return;
    showPresetEditWarning(false);
    tfFMRadioPresetEdit->setFocus();
}

// ---- texts ----------------------------------------------------------------------------------------

std::string DeviceSettingsSecondViewController::stringShortCutFMRadioPreset() const {
    const int32_t l = language();
    return app::formatText(app::localizedText(TextId::fm_shortcut_presets, l),
                           {app::localizedText(TextId::setting_label_fm_radio_setting, l)});
}

std::string DeviceSettingsSecondViewController::stringInformationRDS() const {
    return std::string(app::localizedText(TextId::fm_info_rds, language()));
}

std::string DeviceSettingsSecondViewController::stringMessageFMRadioPreset() const {
    return std::string(app::localizedText(TextId::fm_message_preset, language()));
}

std::string DeviceSettingsSecondViewController::megahertz(int32_t tenKilohertz) {
    // Written in the C locale whatever the system's: the dot is the decimal separator.
    char text[32];
    const float value = static_cast<float>(tenKilohertz) / 100.0f;
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace settings
