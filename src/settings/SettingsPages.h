// Modes 7, 8 and 9: device settings, FM radio settings and speed dial.
#pragma once

#include "settings/SettingsPageBase.h"

namespace settings {

class DeviceSettingsViewController : public SettingsPageBase<app::DeviceSettingsPage> {
public:
    bool checkACT() override { return true; }
    void moveToSettingToSetting() override { setControls(); }
    QWidget* sheetDeviceAllSettings() override { return nullptr; }
    void callTableviewReloadDataForOutsideClass() override {}
};

class DeviceSettingsSecondViewController : public SettingsPageBase<app::SettingsPage> {};

class DeviceSettingsSpeedDialViewController : public SettingsPageBase<app::SettingsPage> {};

}  // namespace settings
