// Modes 7, 8 and 9: device settings, FM radio settings and speed dial.
#pragma once

#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/SettingsPageBase.h"

namespace settings {

class DeviceSettingsSpeedDialViewController : public SettingsPageBase<app::SettingsPage> {};

}  // namespace settings
