// The device settings page's fixed form: its refresh (texts, the list or the form, the rows a
// model shows by firmware band, the apply note, the enabled states), the walk over every row, and
// the positions and values of the rows (the layout's own positions, then the model group's).
#include "app/AppTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextCatalogue.h"
#include "app/QtText.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/FormLayout.h"
#include "settings/FormVisibility.h"

namespace settings {

using app::AppTexts;
using app::TextId;
using device::ORVABluetoothDeviceData;

namespace {

using app::qs;

// A rectangle of the layout table as a frame of the page (y growing downward).
QRect frameOf(const FormRect& r) {
    return QRect(qRound(r.x), qRound(kFormPageHeight - r.y - r.height), qRound(r.width), qRound(r.height));
}

// Rows that the layout table places nowhere for some models stand below the page buttons, where
// no layout reaches; the others fill the form's own area, which only a model without a layout
// shows them in. One row every 21 points: no two rows meet.
constexpr int kRowPitch = 21;
constexpr int kFormAreaTop = 30;
constexpr int kBelowFormTop = static_cast<int>(kFormPageHeight);
constexpr FormRowId kInFormArea[] = {
    FormRowId::IntercomVOX,     FormRowId::HandsfreeVOX,         FormRowId::EDR,
    FormRowId::BitpoolRate,     FormRowId::MicrophoneBoost,      FormRowId::AdvancedNoiseControl,
    FormRowId::AutoGainControl, FormRowId::MotionSensorSensitivity, FormRowId::AudioMultitasking,
    FormRowId::AudioMultitaskingSensitivity};
constexpr FormRowId kBelowForm[] = {FormRowId::NavigationAppOverlay, FormRowId::PLC, FormRowId::NoteEDR,
                                    FormRowId::RTG, FormRowId::ACT, FormRowId::AudioBoost, FormRowId::Sidetone};
constexpr int kNoteEdrHeight = 34;

}  // namespace

void DeviceSettingsViewController::setControls() {
    loadViewIfNeeded();
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
    keepNoteClearOfItsButton();
}

// The apply note's text ends before its button: the note row's frame reaches under the button, so
// a text that ran there would be covered (the button shows the whole note).
void DeviceSettingsViewController::keepNoteClearOfItsButton() {
    constexpr int kGap = 4;
    const QRect note = lblNoteApply->geometry();
    const QRect button = btnNoteApply->geometry();
    const bool covered = !btnNoteApply->isHidden() && note.intersects(button);
    lblNoteApply->setContentsMargins(0, 0, covered ? note.right() - button.left() + 1 + kGap : 0, 0);
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

// The layout's positions of every control, as the page first shows them: each page opening starts
// from them, so that rows a model shows without a place of its own never meet another model's.
void DeviceSettingsViewController::layOutControls() {
    auto placeRow = [this](FormRowId id, int top) {
        const FormRow& row = formRows_[static_cast<size_t>(id)];
        row.labels.front()->setGeometry(50, top, 207, 17);
        if (id == FormRowId::ACT) {
            tfACT->setGeometry(289, top, 50, 20);
            stepperACT->setGeometry(341, top, 18, 20);
            btnACT->setGeometry(257, top + 1, 19, 17);
            lblACTUnit->setGeometry(365, top + 1, 150, 17);
            return;
        }
        QWidget* control = row.inputs.back();
        if (row.inputs.size() > 1) row.inputs.front()->setGeometry(257, top + 1, 19, 17);
        const int width = id == FormRowId::RTG ? 240 : 182;
        control->setGeometry(289, top, width, dynamic_cast<PopUpButton*>(control) ? 21 : 20);
    };
    int top = kFormAreaTop;
    for (FormRowId id : kInFormArea) {
        placeRow(id, top);
        top += kRowPitch;
    }
    top = kBelowFormTop;
    for (FormRowId id : kBelowForm) {
        if (id == FormRowId::NoteEDR) {
            lblNoteEDR->setGeometry(50, top, 424, kNoteEdrHeight);
            top += kNoteEdrHeight + 2;
            continue;
        }
        placeRow(id, top);
        top += kRowPitch;
    }
    lblNoteApply->setGeometry(50, top, 424, 17);
    btnNoteApply->setGeometry(480, top, 20, 17);
    keepNoteClearOfItsButton();

    btnDefault->setGeometry(frameOf(kPageButtonRects.btnDefault));
    btnCancel->setGeometry(frameOf(kPageButtonRects.btnCancel));
    btnBack_->setGeometry(frameOf(kPageButtonRects.btnBack));
    btnSave->setGeometry(frameOf(kPageButtonRects.btnSave));
    btnNewDevice_->setGeometry(frameOf(kPageButtonRects.btnNewDevice));
    btnAllSettings->setGeometry(frameOf(moreSettingsRect(6)));
    piProcessing->setGeometry(50, qRound(kFormPageHeight - 243 - 19), 200, 19);
}

void DeviceSettingsViewController::setControlsWithData() {
    auto& c = controller();
    const std::optional<FormPlacement> placement = formPlacement(c.deviceTarget(), c.data());
    if (!placement) return;

    btnDefault->setGeometry(frameOf(kPageButtonRects.btnDefault));
    btnCancel->setGeometry(frameOf(kPageButtonRects.btnCancel));
    btnBack_->setGeometry(frameOf(kPageButtonRects.btnBack));
    btnSave->setGeometry(frameOf(kPageButtonRects.btnSave));
    btnNewDevice_->setGeometry(frameOf(kPageButtonRects.btnNewDevice));
    if (placement->layout == 0) return;

    const int layout = placement->layout;
    for (size_t slot = 0; slot < placement->rows.size(); ++slot) {
        const FormRowId id = placement->rows[slot];
        const int s = static_cast<int>(slot);
        if (id == FormRowId::NoteEDR) {
            lblNoteEDR->setGeometry(frameOf(edrNoteRect(layout)));
            continue;
        }
        if (id == FormRowId::Count) continue;
        const FormRow& row = formRows_[static_cast<size_t>(id)];
        row.labels.front()->setGeometry(frameOf(labelRect(layout, s)));
        if (row.inputs.size() > 1) row.inputs.front()->setGeometry(frameOf(infoButtonRect(layout, s)));
        row.inputs.back()->setGeometry(frameOf(controlRect(layout, s)));
    }
    if (placement->noteRow) {
        lblNoteApply->setGeometry(frameOf(kNoteLabelRect));
        btnNoteApply->setGeometry(frameOf(kNoteButtonRect));
        keepNoteClearOfItsButton();
    }
    if (placement->moreSettings)
        btnAllSettings->setGeometry(frameOf(moreSettingsRect(static_cast<int>(placement->rows.size()))));

    // The values, without sending any action.
    auto show = [&](FormRowId id) {
        const std::optional<FormValue> value = formValue(id, placement->family);
        if (!value) return;
        const int32_t stored = value->read(dataCurrent_);
        const int selection = formSelection(value->shown, stored, placement->edrNonZeroMeansOn);
        if (id == FormRowId::ACT) {
            tfACT->setIntValue(stored);
            stepperACT->setFloatValue(stored);
            return;
        }
        QWidget* control = formRows_[static_cast<size_t>(id)].inputs.back();
        if (auto* matrix = dynamic_cast<RadioMatrix*>(control)) matrix->selectCellAtRow(0, selection);
        if (auto* popUp = dynamic_cast<PopUpButton*>(control))
            popUp->selectItemAtIndex(selection >= 0 && selection < popUp->numberOfItems() ? selection : -1);
    };
    for (FormRowId id : placement->rows)
        if (id != FormRowId::NoteEDR && id != FormRowId::Count) show(id);
    for (FormRowId id : placement->unplacedValues) show(id);
}

}  // namespace settings
