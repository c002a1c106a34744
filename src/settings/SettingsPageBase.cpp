#include "settings/SettingsPageBase.h"

#include "app/ORVABluetoothManagerAppController.h"

namespace settings {

template <class Page>
void SettingsPageBase<Page>::moveToModeToGo() {
    auto* c = this->appController();
    c->setMode(modeToGo_);
    c->setDetailViewController(modeToGo_ > 100 ? modeToGo_ - 100 : modeToGo_);
}

template <class Page>
void SettingsPageBase<Page>::moveToDeviceSelection(QObject*) {
    auto* c = this->appController();
    if (c->onProcessing()) return;
    c->setListTabsOpened(false);
    c->enableListTabsTo(false);
    c->setDeviceSelection();
}

template <class Page>
void SettingsPageBase<Page>::moveToFirmwareUpdate(QObject*) {
    auto* c = this->appController();
    if (c->onProcessing()) return;
    c->setListTabsOpened(false);
    c->enableListTabsTo(false);
    c->setFirmwareUpdateWithStatus(true);
}

template class SettingsPageBase<app::DeviceSettingsPage>;
template class SettingsPageBase<app::SettingsPage>;

}  // namespace settings
