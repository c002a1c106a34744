#include "settings/SettingsPageBase.h"

#include "app/ORVABluetoothManagerAppController.h"
#include "settings/SaveTimerFrame.h"

namespace settings {

template <class Page>
SettingsPageBase<Page>::SettingsPageBase() = default;

template <class Page>
void SettingsPageBase<Page>::loadView() {
    btnNewDevice_ = new QPushButton(this->view());
    btnBack_ = new QPushButton(this->view());
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

template <class Page>
void SettingsPageBase<Page>::beginSaveRun(SaveRun::Work work, std::function<void()> tick) {
    saveRun_.begin(
        controller(), this->view(), [this] { this->setControls(); }, [this](int32_t code) { setRcThreadSave(code); },
        std::move(work), std::move(tick));
}

template <class Page>
void SettingsPageBase<Page>::finishSaveRun(bool success, bool discards,
                                           std::function<std::string(int language)> reason,
                                           std::function<void()> beforeRecognition,
                                           std::function<void()> redrawAfterDrop) {
    saveRun_.end();
    endSave(controller(), dataCurrent(), modeToGo(),
            {.success = success,
             .discards = discards,
             .reason = std::move(reason),
             .beforeRecognition = std::move(beforeRecognition),
             .dropEdits =
                 [this, redraw = std::move(redrawAfterDrop)] {
                     dropEdits();
                     redraw();
                 },
             .forgetModeToGo = [this] { setModeToGo(0); }});
    this->setControls();
}

template class SettingsPageBase<app::DeviceSettingsPage>;
template class SettingsPageBase<app::SettingsPage>;

}  // namespace settings
