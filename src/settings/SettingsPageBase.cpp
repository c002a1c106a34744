#include "settings/SettingsPageBase.h"

#include "app/ORVABluetoothManagerAppController.h"

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
