#include "settings/DeviceSettingsViewController.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>
#include <functional>
#include <optional>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextCatalogue.h"
#include "app/TextFormat.h"
#include "app/QtText.h"
#include "platform/Log.h"

namespace settings {

using app::AppTexts;
using app::TextId;
using device::ORVABluetoothDeviceData;

namespace {

using app::qs;

void setTitle(QWidget* control, const QString& title) {
    if (auto* label = qobject_cast<QLabel*>(control)) label->setText(title);
    else if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(title);
}

}  // namespace

DeviceSettingsViewController::DeviceSettingsViewController() = default;

void DeviceSettingsViewController::loadView() {
    SettingsPageBase::loadView();
    // Positions come from layOutControls and the layout table.
    QWidget* v = view();
    auto label = [&] { return new ElidedLabel(v); };
    auto info = [&] {
        auto* b = new QPushButton("?", v);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto matrix = [&](int columns) { return new RadioMatrix(columns, v); };
    auto popUp = [&] { return new PopUpButton(v); };

    lblIntercomVOX = label();
    radioIntercomVOX = matrix(2);
    lblHandsfreeVOX = label();
    radioHandsfreeVOX = matrix(2);
#define ORVA_MAKE_ONOFF_ROW(Name) \
    lbl##Name = label();          \
    btn##Name = info();           \
    radio##Name = matrix(2);
    ORVA_MAKE_ONOFF_ROW(EDR)
    lblNoteEDR = label();
    ORVA_MAKE_ONOFF_ROW(PLC)
    ORVA_MAKE_ONOFF_ROW(BitpoolRate)
    ORVA_MAKE_ONOFF_ROW(MicrophoneBoost)
    ORVA_MAKE_ONOFF_ROW(Sidetone)
    ORVA_MAKE_ONOFF_ROW(AdvancedNoiseControl)
    ORVA_MAKE_ONOFF_ROW(AutoGainControl)
    ORVA_MAKE_ONOFF_ROW(AudioBoost)
    lblMotionSensorSensitivity = label();
    btnMotionSensorSensitivity = info();
    popUpMotionSensorSensitivity = popUp();
    ORVA_MAKE_ONOFF_ROW(AudioMultitasking)
    lblAudioMultitaskingSensitivity = label();
    btnAudioMultitaskingSensitivity = info();
    popUpAudioMultitaskingSensitivity = popUp();
    ORVA_MAKE_ONOFF_ROW(NavigationAppOverlay)
#undef ORVA_MAKE_ONOFF_ROW
    lblRTG = label();
    btnRTG = info();
    radioRTG = matrix(3);
    lblACT = label();
    btnACT = info();
    tfACT = new TextField(v);
    stepperACT = new Stepper(v);
    lblACTUnit = new QLabel(v);

#define ORVA_CELLS(Name)                                \
    enable##Name = radio##Name->cellAtRow(0, 0);        \
    disable##Name = radio##Name->cellAtRow(0, 1);
    ORVA_CELLS(IntercomVOX)
    ORVA_CELLS(HandsfreeVOX)
    ORVA_CELLS(EDR)
    ORVA_CELLS(PLC)
    ORVA_CELLS(BitpoolRate)
    ORVA_CELLS(MicrophoneBoost)
    ORVA_CELLS(Sidetone)
    ORVA_CELLS(AdvancedNoiseControl)
    ORVA_CELLS(AutoGainControl)
    ORVA_CELLS(AudioBoost)
    ORVA_CELLS(AudioMultitasking)
    ORVA_CELLS(NavigationAppOverlay)
#undef ORVA_CELLS
    lowRTG = radioRTG->cellAtRow(0, 0);
    mediumRTG = radioRTG->cellAtRow(0, 1);
    highRTG = radioRTG->cellAtRow(0, 2);

    // Three items at least: Disable, Low, High.
    popUpMotionSensorSensitivity->addItemsWithTitles({"", "", ""});
    // Ten levels, the highest first (item 10 - level), titled "1" to "10" as the list titles them.
    for (int item = 1; item <= 10; ++item) popUpAudioMultitaskingSensitivity->addItemWithTitle(std::to_string(item));
    // The time-out is 3 to 60 seconds on every model; the stepper's road stores unchecked.
    stepperACT->setMinValue(3);
    stepperACT->setMaxValue(60);
    stepperACT->setIncrement(1);
    stepperACT->setFloatValue(5);
    tfACT->setIntValue(5);

    lblNoteApply = new ElidedLabel(v);
    // The notes are long in some languages: a smaller type, from the top of their frames. The EDR
    // note wraps in its two lines; the apply note has one line, and its button shows it whole.
    for (QLabel* note : {lblNoteEDR, lblNoteApply}) {
        QFont small = note->font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        note->setFont(small);
        note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    lblNoteEDR->setWordWrap(true);
    btnNoteApply = new QPushButton("?", v);
    btnNoteApply->setFocusPolicy(Qt::NoFocus);
    btnBack_->show();
    btnNewDevice_->show();
    btnDefault = new QPushButton(v);
    btnCancel = new QPushButton(v);
    btnSave = new QPushButton(v);
    btnAllSettings = new QPushButton(v);
    piProcessing = new QProgressBar(v);
    piProcessing->setTextVisible(false);
    piProcessing->hide();

    // The all-settings sheet: its table in a scroll view, and four buttons.
    // Escape and the window's close button act as Close: the sheet ends or asks to save.
    auto* sheet = new app::Sheet(v, Qt::Sheet);
    sheet->onEscape = [this] { closeAllSettins(btnDeviceAllSettingsBasicClose); };
    sheetDeviceAllSettings_ = sheet;
    // Its list and buttons stand where they are: the sheet keeps its size.
    sheetDeviceAllSettings_->setFixedSize(550, 400);
    scrollViewDeviceAllSettingsBasic = new QScrollArea(sheetDeviceAllSettings_);
    scrollViewDeviceAllSettingsBasic->setGeometry(10, 10, 530, 340);
    scrollViewDeviceAllSettingsBasic->setWidgetResizable(true);
    tableViewDeviceAllSettingsBasic = new QTableWidget(0, 1);
    // One column of whole cells without headers: each row shows its label, button and control.
    tableViewDeviceAllSettingsBasic->horizontalHeader()->hide();
    tableViewDeviceAllSettingsBasic->horizontalHeader()->setStretchLastSection(true);
    tableViewDeviceAllSettingsBasic->verticalHeader()->hide();
    tableViewDeviceAllSettingsBasic->verticalHeader()->setDefaultSectionSize(30);
    scrollViewDeviceAllSettingsBasic->setWidget(tableViewDeviceAllSettingsBasic);
    btnDeviceAllSettingsBasicDefault = new QPushButton(sheetDeviceAllSettings_);
    btnDeviceAllSettingsBasicCancel = new QPushButton(sheetDeviceAllSettings_);
    btnDeviceAllSettingsBasicSave = new QPushButton(sheetDeviceAllSettings_);
    btnDeviceAllSettingsBasicClose = new QPushButton(sheetDeviceAllSettings_);
    int x = 10;
    for (QPushButton* b : {btnDeviceAllSettingsBasicDefault, btnDeviceAllSettingsBasicCancel,
                           btnDeviceAllSettingsBasicSave, btnDeviceAllSettingsBasicClose}) {
        b->setGeometry(x, 360, 125, 30);
        b->setAutoDefault(false);  // Return in a row must not press a button
        x += 133;
    }

    // The form's rows in the order enableOldControlsEnable walks them.
    formRows_ = {
        {{lblIntercomVOX}, {radioIntercomVOX}},
        {{lblHandsfreeVOX}, {radioHandsfreeVOX}},
        {{lblEDR}, {btnEDR, radioEDR}},
        {{lblNoteEDR}, {}},
        {{lblPLC}, {btnPLC, radioPLC}},
        {{lblBitpoolRate}, {btnBitpoolRate, radioBitpoolRate}},
        {{lblMicrophoneBoost}, {btnMicrophoneBoost, radioMicrophoneBoost}},
        {{lblSidetone}, {btnSidetone, radioSidetone}},
        {{lblAdvancedNoiseControl}, {btnAdvancedNoiseControl, radioAdvancedNoiseControl}},
        {{lblAutoGainControl}, {btnAutoGainControl, radioAutoGainControl}},
        {{lblAudioBoost}, {btnAudioBoost, radioAudioBoost}},
        {{lblMotionSensorSensitivity}, {btnMotionSensorSensitivity, popUpMotionSensorSensitivity}},
        {{lblAudioMultitasking}, {btnAudioMultitasking, radioAudioMultitasking}},
        {{lblAudioMultitaskingSensitivity}, {btnAudioMultitaskingSensitivity, popUpAudioMultitaskingSensitivity}},
        {{lblNavigationAppOverlay}, {btnNavigationAppOverlay, radioNavigationAppOverlay}},
        {{lblRTG}, {btnRTG, radioRTG}},
        {{lblACT, lblACTUnit}, {tfACT, stepperACT, btnACT}},
    };

    layOutControls();
    wireActions();
    bindKeyEquivalents();
    bindRowInformationKey();
}

DeviceSettingsViewController::~DeviceSettingsViewController() = default;

void DeviceSettingsViewController::wireActions() {
    QWidget* v = view();
    auto onClick = [v](QAbstractButton* b, auto fn) { QObject::connect(b, &QAbstractButton::clicked, v, fn); };
    auto pair = [this](RadioMatrix* m, void (DeviceSettingsViewController::*action)(QObject*)) {
        m->setAction([this, action](QObject* sender) { (this->*action)(sender); });
    };
    pair(radioIntercomVOX, &DeviceSettingsViewController::changeIVOX);
    pair(radioHandsfreeVOX, &DeviceSettingsViewController::changeHVOX);
    pair(radioEDR, &DeviceSettingsViewController::changeEDR);
    pair(radioPLC, &DeviceSettingsViewController::changePLC);
    pair(radioBitpoolRate, &DeviceSettingsViewController::changeBitpoolRate);
    pair(radioMicrophoneBoost, &DeviceSettingsViewController::changeMicrophoneBoost);
    pair(radioSidetone, &DeviceSettingsViewController::changeSidetone);
    pair(radioAdvancedNoiseControl, &DeviceSettingsViewController::changeAdvancedNoiseControl);
    pair(radioAutoGainControl, &DeviceSettingsViewController::changeAutoGainControl);
    pair(radioAudioBoost, &DeviceSettingsViewController::changeAudioBoost);
    pair(radioAudioMultitasking, &DeviceSettingsViewController::changeAudioMultitasking);
    pair(radioNavigationAppOverlay, &DeviceSettingsViewController::changeNavigationAppOverlay);
    pair(radioRTG, &DeviceSettingsViewController::changeRTG);
    popUpMotionSensorSensitivity->setAction([this](QObject* s) { changeMotionSensorSensitivity(s); });
    popUpAudioMultitaskingSensitivity->setAction([this](QObject* s) { changeAudioMultitaskingSensitivity(s); });
    tfACT->setAction([this](QObject* s) { changeACT(s); });
    tfACT->setActionAfterClicks(true);
    stepperACT->setAction([this](QObject* s) { changeACT(s); });
    for (QPushButton* b : {btnPLC, btnBitpoolRate, btnMicrophoneBoost, btnSidetone, btnAdvancedNoiseControl,
                           btnAutoGainControl, btnAudioBoost, btnMotionSensorSensitivity, btnAudioMultitasking,
                           btnAudioMultitaskingSensitivity, btnNavigationAppOverlay, btnRTG, btnEDR, btnACT})
        onClick(b, [this, b] { displayInformationRadioTransmitGain(b); });
    onClick(btnNoteApply, [this] { displayNoteApply(btnNoteApply); });
    onClick(btnDefault, [this] { changeToDefault(btnDefault); });
    onClick(btnCancel, [this] { changeToOriginal(btnCancel); });
    onClick(btnSave, [this] { save(btnSave); });
    onClick(btnAllSettings, [this] { moveToAllSettins(btnAllSettings); });
    onClick(btnDeviceAllSettingsBasicDefault, [this] { changeToDefaultAllSettins(btnDeviceAllSettingsBasicDefault); });
    onClick(btnDeviceAllSettingsBasicSave, [this] { saveToAllSettins(btnDeviceAllSettingsBasicSave); });
    onClick(btnDeviceAllSettingsBasicCancel, [this] { ChangeToOtiginalAllSettins(btnDeviceAllSettingsBasicCancel); });
    onClick(btnDeviceAllSettingsBasicClose, [this] { closeAllSettins(btnDeviceAllSettingsBasicClose); });
    onClick(btnBack_, [this] { moveToFirmwareUpdate(btnBack_); });
    onClick(btnNewDevice_, [this] { moveToDeviceSelection(btnNewDevice_); });
}

// The keys that the shortcut labels announce ([C] Ctrl, [O] Alt, [S] Shift). A key shared by two
// controls (the same label on rows that no model shows together) goes to the first one shown and
// enabled. The window's own next/back keys reach the page through the controller.
void DeviceSettingsViewController::bindKeyEquivalents() {
    const std::vector<std::pair<const char*, std::vector<QAbstractButton*>>> keys = {
        {"Alt+Ctrl+S", {btnSave}},
        {"Ctrl+D", {btnDefault}},
        {"Ctrl+C", {btnCancel}},
        {"Shift+Ctrl+M", {btnAllSettings}},
        {"Alt+Ctrl+E", {btnEDR}},
        {"Alt+Ctrl+P", {btnPLC}},
        {"Alt+Ctrl+Q", {btnBitpoolRate}},
        {"Alt+Ctrl+M", {btnMicrophoneBoost, btnMotionSensorSensitivity}},
        {"Alt+Ctrl+T", {btnSidetone}},
        {"Alt+Ctrl+V", {btnAdvancedNoiseControl}},
        {"Alt+Ctrl+G", {btnAutoGainControl}},
        {"Alt+Ctrl+B", {btnAudioBoost}},
        {"Alt+Ctrl+R", {btnRTG}},
        {"Alt+Ctrl+A", {btnACT, btnAudioMultitasking}},
        {"Alt+Ctrl+I", {btnAudioMultitaskingSensitivity}},
        {"Alt+Ctrl+N", {btnNavigationAppOverlay}},
        {"Alt+I", {enableIntercomVOX}},
        {"Shift+Alt+I", {disableIntercomVOX}},
        {"Alt+H", {enableHandsfreeVOX}},
        {"Shift+Alt+H", {disableHandsfreeVOX}},
        {"Alt+E", {enableEDR}},
        {"Shift+Alt+E", {disableEDR}},
        {"Alt+P", {enablePLC}},
        {"Shift+Alt+P", {disablePLC, highRTG}},
        {"Alt+Q", {enableBitpoolRate}},
        {"Shift+Alt+Q", {disableBitpoolRate}},
        {"Alt+M", {enableMicrophoneBoost}},
        {"Shift+Alt+M", {disableMicrophoneBoost}},
        {"Alt+T", {enableSidetone}},
        {"Shift+Alt+T", {disableSidetone}},
        {"Alt+V", {enableAdvancedNoiseControl}},
        {"Shift+Alt+V", {disableAdvancedNoiseControl}},
        {"Alt+G", {enableAutoGainControl}},
        {"Shift+Alt+G", {disableAutoGainControl}},
        {"Alt+B", {enableAudioBoost}},
        {"Shift+Alt+B", {disableAudioBoost}},
        {"Alt+A", {enableAudioMultitasking}},
        {"Shift+Alt+A", {disableAudioMultitasking}},
        {"Alt+N", {enableNavigationAppOverlay}},
        {"Shift+Alt+N", {disableNavigationAppOverlay}},
        {"Alt+R", {lowRTG}},
        {"Shift+R", {mediumRTG}},
    };
    QWidget* v = view();
    for (const auto& [sequence, targets] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(sequence)), v);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, v, [v, targets] {
            for (QAbstractButton* target : targets) {
                if (target->isVisibleTo(v) && target->isEnabled()) {
                    target->click();
                    return;
                }
            }
        });
        shortcuts_.push_back(shortcut);
    }
}

int32_t DeviceSettingsViewController::textLanguage() const {
    return appController() ? controller().languageManager() : 0;
}

int32_t DeviceSettingsViewController::textFirmwareUpToMinor(int32_t major, int32_t minor) const {
    return controller().data().compareVersionUpToMinorWithMajor(major, minor);
}

bool DeviceSettingsViewController::passesSystemTest() const {
    const auto& c = controller();
    return (c.osVersionPrimary() >= 10 && c.osVersionSecondary() >= 7) || c.osVersionPrimary() >= 11;
}

// ---- initialisation and refresh ---------------------------------------------------------------

void DeviceSettingsViewController::initializeObject() {
    loadViewIfNeeded();
    auto& c = controller();
    c.setShowShortcuts(false);
    c.reflectShortcuts();
    dataCurrent_ = ORVABluetoothDeviceData();
    dataCurrent_.copyWithSource(c.data(), true);
    dataDefault_ = ORVABluetoothDeviceData::makeDefaultDataWithSource(dataCurrent_);
    c.setTabIndexSelected(c.GetTabIndexWith(7));
    platform::logLine("ASDF NEXT RELOAD!!");
    reloadAllSettingsRows();
    layOutControls();
    setControls();
    setControlsWithData();
}

// ---- shortcut labels ----------------------------------------------------------------------------

void DeviceSettingsViewController::setShortcuts() {
    loadViewIfNeeded();
    auto& c = controller();
    const std::vector<std::pair<QWidget*, const char*>> keyLabels = {
        {btnBack_, "[C]-\u25C0"}, {btnNewDevice_, "[C]-\u25B6"},
        {btnSave, "[O][C]-S"}, {btnDefault, "[C]-D"}, {btnCancel, "[C]-C"}, {btnAllSettings, "[S][C]-M"},
        {lblPLC, "[O][C]-P"}, {lblBitpoolRate, "[O][C]-Q"}, {lblMicrophoneBoost, "[O][C]-M"},
        {lblSidetone, "[O][C]-T"}, {lblAdvancedNoiseControl, "[O][C]-V"}, {lblAutoGainControl, "[O][C]-G"},
        {lblAudioBoost, "[O][C]-B"}, {lblRTG, "[O][C]-R"}, {lblACT, "[O][C]-A"},
        {lblMotionSensorSensitivity, "[O][C]-M"}, {lblAudioMultitasking, "[O][C]-A"},
        {lblAudioMultitaskingSensitivity, "[O][C]-I"}, {lblNavigationAppOverlay, "[O][C]-N"},
        {enableIntercomVOX, "[O]-I"}, {disableIntercomVOX, "[S][O]-I"},
        {enableHandsfreeVOX, "[O]-H"}, {disableHandsfreeVOX, "[S][O]-H"},
        {enableEDR, "[O]-E"}, {disableEDR, "[S][O]-E"},
        {enablePLC, "[O]-P"}, {disablePLC, "[S][O]-P"},
        {enableBitpoolRate, "[O]-Q"}, {disableBitpoolRate, "[S][O]-Q"},
        {enableMicrophoneBoost, "[O]-M"}, {disableMicrophoneBoost, "[S][O]-M"},
        {enableSidetone, "[O]-T"}, {disableSidetone, "[S][O]-T"},
        {enableAdvancedNoiseControl, "[O]-V"}, {disableAdvancedNoiseControl, "[S][O]-V"},
        {enableAutoGainControl, "[O]-G"}, {disableAutoGainControl, "[S][O]-G"},
        {enableAudioBoost, "[O]-B"}, {disableAudioBoost, "[S][O]-B"},
        {enableAudioMultitasking, "[O]-A"}, {disableAudioMultitasking, "[S][O]-A"},
        {enableNavigationAppOverlay, "[O]-N"}, {disableNavigationAppOverlay, "[S][O]-N"},
        // Not "[S][O]-R": the high gain cell shares its label with the PLC disable cell.
        {lowRTG, "[O]-R"}, {mediumRTG, "[S]-R"}, {highRTG, "[S][O]-P"},
    };
    const int32_t l = c.languageManager();
    // The sheet's buttons have no key labels: their titles stay in words in both modes.
    btnDeviceAllSettingsBasicCancel->setText(qs(AppTexts::qelm_string_cancel_in(l)));
    btnDeviceAllSettingsBasicSave->setText(qs(qelm_string_save_in(l)));
    btnDeviceAllSettingsBasicDefault->setText(qs(qelm_string_default_in(l)));
    btnDeviceAllSettingsBasicClose->setText(qs(qelm_string_close_in(l)));
    if (c.showShortcuts()) {
        for (const auto& [control, text] : keyLabels) setTitle(control, QString::fromUtf8(text));
        if (!btnEDR->isHidden()) lblEDR->setText("[O][C]-E");
        return;
    }
    btnBack_->setText(qs(AppTexts::qelm_string_back_in(l)));
    btnNewDevice_->setText(qs(AppTexts::qelm_string_new_device_in(l)));
    btnCancel->setText(qs(AppTexts::qelm_string_cancel_in(l)));
    btnAllSettings->setText(qs(qelm_string_more_settings_in(l)));
    btnSave->setText(qs(qelm_string_save_in(l)));
    btnDefault->setText(qs(qelm_string_default_in(l)));
    for (const auto& [control, text] : keyLabels) {
        (void)text;
        auto* cell = qobject_cast<QRadioButton*>(control);
        if (!cell || cell == lowRTG || cell == mediumRTG || cell == highRTG) continue;
        const bool enableCell = cell->parentWidget() && static_cast<RadioMatrix*>(cell->parentWidget())->cellAtRow(0, 0) == cell;
        cell->setText(qs(enableCell ? AppTexts::qelm_string_enable_in(l) : AppTexts::qelm_string_disable_in(l)));
    }
    lowRTG->setText(qs(ORVABluetoothDeviceData::getRTGStringFromRTG(12, l)));
    mediumRTG->setText(qs(ORVABluetoothDeviceData::getRTGStringFromRTG(15, l)));
    highRTG->setText(qs(ORVABluetoothDeviceData::getRTGStringFromRTG(17, l)));
    const std::pair<QLabel*, TextId> labels[] = {
        {lblEDR, TextId::setting_label_edr_enhanced_data_rate},
        {lblPLC, TextId::setting_label_plc},
        {lblBitpoolRate, TextId::setting_label_high_quality_a2dp},
        {lblMicrophoneBoost, TextId::setting_label_microphone_boosting},
        {lblSidetone, TextId::setting_label_sidetone},
        {lblAdvancedNoiseControl, TextId::setting_label_advanced_noise_control},
        {lblAutoGainControl, TextId::setting_label_auto_gain_control},
        {lblAudioBoost, TextId::setting_label_audio_boost},
        {lblMotionSensorSensitivity, TextId::setting_label_motion_sensor_sensitivity},
        {lblAudioMultitasking, TextId::setting_label_audio_multitasking},
        {lblAudioMultitaskingSensitivity, TextId::setting_label_intercom_audio_overlay_sensitivity},
        {lblNavigationAppOverlay, TextId::setting_label_navigation_app_support},
        {lblRTG, TextId::setting_label_radio_transmit_gain},
        {lblACT, TextId::setting_label_audio_channel_timeout},
    };
    for (const auto& [label, id] : labels) label->setText(qs(std::string(app::localizedText(id, l))));
}

// ---- leave guard ----------------------------------------------------------------------------------

bool DeviceSettingsViewController::checkNeedToSave() {
    if (!isSettingsChanged()) return false;
    auto& c = controller();
    const int32_t l = c.languageManager();
    c.openMessageBoxWithMessage(c.stringPromptSave(), false, AppTexts::qelm_string_no_in(l),
                                AppTexts::qelm_string_yes_in(l), 0, 4);
    return true;
}

void DeviceSettingsViewController::moveToSettingToSetting() {
    dropEdits();
    setControls();
}

void DeviceSettingsViewController::callTableviewReloadDataForOutsideClass() { reloadAllSettingsRows(); }

// ---- all-settings list seams ----------------------------------------------------------------------

void DeviceSettingsViewController::reloadAllSettingsRows() {
    QTableWidget* table = tableViewDeviceAllSettingsBasic;
    table->setRowCount(numberOfRowsInTableView(table));
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            table->setCellWidget(row, column, tableView(table, column, row));
    chainAllSettingsFocus();
}

// ---- apply note, time-out, gain, information ------------------------------------------------------

void DeviceSettingsViewController::displayNoteApply(QObject*) {
    if (!passActionGuard()) return;
    auto& c = controller();
    const int32_t l = c.languageManager();
    c.openMessageBoxWithMessage(
        app::formatText("[%@]\n%@", {AppTexts::qelm_string_mode(c.mode(), l), lblNoteApply->text().toStdString()}),
        true, std::nullopt, AppTexts::qelm_string_ok_in(l), 1, 2);
}

bool DeviceSettingsViewController::checkACT() {
    const int v = tfACT->intValue();
    if (v >= 3 && v <= 60) {
        stepperACT->setFloatValue(v);
        dataCurrent_.setAudioChannelTimeout(v);
        setControls();
        return true;
    }
    auto& c = controller();
    c.openMessageBoxWithMessage(stringMessageACT(), true, std::nullopt,
                                AppTexts::qelm_string_ok_in(c.languageManager()), 0, 2);
    tfACT->setIntValue(static_cast<int>(stepperACT->floatValue()));
    tfACT->selectText();
    return false;
}

void DeviceSettingsViewController::changeACT(QObject* sender) {
    if (!passActionGuard()) return;
    if (sender == tfACT) {
        checkACT();
        return;
    }
    const int v = static_cast<int>(stepperACT->floatValue());
    tfACT->setIntValue(v);
    dataCurrent_.setAudioChannelTimeout(v);
    setControls();
}

void DeviceSettingsViewController::changeRTG(QObject* sender) {
    if (!passActionGuard()) return;
    static constexpr int32_t kRadioTransmitGain[] = {12, 15, 17, 0};
    auto* group = dynamic_cast<RadioMatrix*>(sender);
    const int column = group ? group->selectedColumn() : radioRTG->selectedColumn();
    // No cell selected: the stored gain stays.
    if (column >= 0 && column <= 2) dataCurrent_.setRadioTransmitGain(kRadioTransmitGain[column]);
    setControls();
}

void DeviceSettingsViewController::displayInformationRadioTransmitGain(QObject* sender) {
    if (!passActionGuard()) return;
    auto& c = controller();
    const int32_t l = c.languageManager();
    auto label = [l](TextId id) { return std::string(app::localizedText(id, l)); };
    const std::string product = c.qelm_product_name(c.deviceTarget()).value_or("");
    const std::string multitasking = label(TextId::setting_label_audio_multitasking);
    struct Box {
        std::string text;
        int32_t size;
        int32_t forWhat = 2;
        std::optional<std::string> cancel = std::nullopt;
    };
    const std::vector<std::pair<QObject*, std::function<Box()>>> boxes = {
        {btnPLC, [&] { return Box{stringInformationPLC(), 4}; }},
        {btnBitpoolRate, [&] { return Box{stringInformationBitpoolRate(), 2}; }},
        {btnMicrophoneBoost, [&] { return Box{stringInformationMicrophoneBoost(), l == 4 ? 4 : 3}; }},
        {btnSidetone, [&] { return Box{stringInformationSidetone(), 2}; }},
        {btnAdvancedNoiseControl,
         [&] {
             return Box{app::formatText(stringInformationAdvancedNoiseControl(),
                                        {label(TextId::setting_label_advanced_noise_control)}),
                        2};
         }},
        {btnAutoGainControl, [&] { return Box{stringInformationAutoGainControl(), 4}; }},
        {btnAudioBoost, [&] { return Box{stringInformationAudioBoost(), 2}; }},
        {btnMotionSensorSensitivity, [&] { return Box{stringInformationMotionSensorSensitivity(), 2}; }},
        {btnAudioMultitasking,
         [&] {
             return Box{app::formatText(stringInformationAudioMultitasking(),
                                        {multitasking, label(TextId::setting_label_fm_radio)}),
                        6};
         }},
        {btnAudioMultitaskingSensitivity,
         [&] { return Box{app::formatText(stringInformationIntercomAudioOverlaySesitivity(), {multitasking}), 4}; }},
        {btnNavigationAppOverlay,
         [&] {
             return Box{app::formatText(stringInformationNavigationAppOverlay(), {multitasking, multitasking}), 2};
         }},
        {btnRTG, [&] { return Box{app::formatText(stringInformationRTG(), {product, product}), 3}; }},
        {btnEDR,
         [&] {
             return Box{app::formatText(stringInformationEDR43(), {AppTexts::supportEmailAddress()}), 3, 9,
                        AppTexts::qelm_string_sendemail_in(l)};
         }},
    };
    Box box;
    bool found = false;
    for (const auto& [button, make] : boxes) {
        if (button != sender) continue;
        box = make();
        found = true;
        break;
    }
    // Any other sender is the time-out's button.
    if (!found) box = Box{app::formatText(stringInformationACT(), {product, product}), 3};
    c.openMessageBoxWithMessage(box.text, false, box.cancel, AppTexts::qelm_string_ok_in(l), box.size, box.forWhat);
}

}  // namespace settings
