#include "settings/SettingsPageBase.h"

#include "app/ORVABluetoothManagerAppController.h"
#include "settings/SaveTimerFrame.h"

namespace settings {

template <class Page>
SettingsPageBase<Page>::SettingsPageBase()
    : btnNewDevice_(new QPushButton(this->view())), btnBack_(new QPushButton(this->view())) {
    btnNewDevice_->hide();
    btnBack_->hide();
}

template <class Page>
bool SettingsPageBase<Page>::passActionGuard() {
    auto& c = controller();
    if (c.onProcessing()) return false;
    if (c.listTabsOpened()) {
        c.setListTabsOpened(false);
        c.enableListTabsTo(false);
    }
    return true;
}

template <class Page>
void SettingsPageBase<Page>::dropEdits() {
    dataCurrent_.copyWithSource(controller().data(), false);
}

template <class Page>
void SettingsPageBase<Page>::beginSave() {
    auto& c = controller();
    c.setStatus(c.getStatusProcessing(), false);
    c.setOnProcessing(true);
    c.setControls();
    this->setControls();
    setRcThreadSave(-1);
}

template <class Page>
void SettingsPageBase<Page>::finishSave(bool success, bool dropsEdits, const std::function<std::string(int)>& reason,
                                        const std::function<void()>& refreshAfterDrop,
                                        const std::function<void()>& beforeRecognition) {
    auto& c = controller();
    const SaveStatusTexts texts = saveStatusTexts(c, success, reason);
    bool recognizing = false;
    if (success) {
        recognizing = commitAndRecognizeAgain(c, dataCurrent_, modeToGo_, beforeRecognition);
    } else {
        if (dropsEdits) {
            // What the page's Cancel does; that action is refused while the save is still busy.
            dropEdits();
            if (refreshAfterDrop) refreshAfterDrop();
            openRecognizedDeviceNotSelectedBox(c);
        }
        // An abandoned page switch is not followed by a later Save.
        modeToGo_ = 0;
    }
    showSaveStatus(c, texts, !success);
    // After success the recognition owns the busy flag, unless it did not start.
    if (!recognizing) c.setOnProcessing(false);
    c.setControls();
    this->setControls();
}

template <class Page>
void SettingsPageBase<Page>::moveToModeToGo() {
    dropEdits();
    auto& c = controller();
    c.setMode(modeToGo_);
    c.setDetailViewController(modeToGo_ > 100 ? modeToGo_ - 100 : modeToGo_);
}

template <class Page>
void SettingsPageBase<Page>::moveToDeviceSelection(QObject*) {
    if (!passActionGuard()) return;
    controller().setDeviceSelection();
}

template <class Page>
void SettingsPageBase<Page>::moveToFirmwareUpdate(QObject*) {
    if (!passActionGuard()) return;
    controller().setFirmwareUpdateWithStatus(true);
}

template class SettingsPageBase<app::DeviceSettingsPage>;
template class SettingsPageBase<app::SettingsPage>;

}  // namespace settings
