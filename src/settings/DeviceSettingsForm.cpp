// The device settings page's fixed form: its refresh (texts, the list or the form, the rows a
// model shows by firmware band, the apply note, the enabled states) and the walk over every row.
#include "app/AppTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextCatalogue.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/FormVisibility.h"

namespace settings {

using app::AppTexts;
using app::TextId;
using device::ORVABluetoothDeviceData;

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }
QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void DeviceSettingsViewController::setControls() {
    setShortcuts();
    auto& c = controller();
    const int32_t l = c.languageManager();

    lblIntercomVOX->setText(qs(app::localizedText(TextId::setting_label_vox_intercom, l)));
    lblHandsfreeVOX->setText(qs(app::localizedText(TextId::setting_label_vox_phone, l)));
    lblNoteEDR->setText(qs(stringNoteEDR()));
    lblNoteApply->setText(qs(stringNoteApply()));
    // The motion sensor has no medium level.
    popUpMotionSensorSensitivity->setTitleOfItemAtIndex(0, AppTexts::qelm_string_disable_in(l));
    popUpMotionSensorSensitivity->setTitleOfItemAtIndex(1, ORVABluetoothDeviceData::getRTGStringFromRTG(12, l));
    popUpMotionSensorSensitivity->setTitleOfItemAtIndex(2, ORVABluetoothDeviceData::getRTGStringFromRTG(17, l));

    // The list or the form.
    btnAllSettings->setHidden(true);
    btnAllSettings->setEnabled(false);
    tableViewDeviceAllSettingsBasic->setHidden(true);
    scrollViewDeviceAllSettingsBasic->setHidden(true);
    const int32_t target = c.deviceTarget();
    const bool listed = inListSet(target);
    const bool showsList = listed && passesSystemTest();
    if (listed) {
        lblNoteApply->setHidden(true);
        btnNoteApply->setHidden(true);
        btnNoteApply->setEnabled(false);
        if (showsList) {
            btnAllSettings->setHidden(false);
            btnAllSettings->setEnabled(true);
            tableViewDeviceAllSettingsBasic->setHidden(false);
            scrollViewDeviceAllSettingsBasic->setHidden(false);
        }
    } else {
        const bool withButton = applyNoteHasButton(l);
        btnNoteApply->setEnabled(withButton);
        btnNoteApply->setHidden(!withButton);
        lblNoteApply->setHidden(false);
    }

    lblACTUnit->setText(qs(stringACTUnit()));

    if (c.onProcessing()) {
        // Rows keep the visibility of the last refresh; only input is refused.
        for (const FormRow& row : formRows_)
            for (QWidget* input : row.inputs) input->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{btnBack_, btnNewDevice_, btnDefault, btnCancel, btnSave,
                                                          btnDeviceAllSettingsBasicSave, btnAllSettings, btnNoteApply})
            w->setEnabled(false);
        return;
    }

    enableOldControlsEnable(true, false);
    const FormVisibility visibility = formVisibility(target, c.data());
    for (size_t i = 0; i < formRows_.size(); ++i) {
        if (visibility.rows.test(i)) continue;
        for (QWidget* label : formRows_[i].labels) label->setHidden(true);
        for (QWidget* input : formRows_[i].inputs) {
            input->setHidden(true);
            input->setEnabled(false);
        }
    }
    if (visibility.note == ApplyNote::LabelOnly) {
        btnNoteApply->setHidden(true);
        btnNoteApply->setEnabled(false);
    }
    if (showsList) enableOldControlsEnable(false, true);

    for (QWidget* w : std::initializer_list<QWidget*>{btnBack_, btnNewDevice_, btnDefault, btnCancel})
        w->setEnabled(true);
    btnSave->setEnabled(isSettingsChanged());
    btnDeviceAllSettingsBasicSave->setEnabled(isSettingsChanged());
}

void DeviceSettingsViewController::enableOldControlsEnable(bool enable, bool hidden) {
    for (const FormRow& row : formRows_) {
        for (QWidget* label : row.labels) label->setHidden(hidden);
        for (QWidget* input : row.inputs) {
            input->setHidden(hidden);
            input->setEnabled(enable);
        }
    }
}

void DeviceSettingsViewController::setControlsWithData() {}

}  // namespace settings
