// The program's eight pages, from their subsystems. Only the executables include this: the shell
// itself knows the pages through their protocols.
#pragma once

#include "app/PageProtocols.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "settings/SettingsPages.h"
#include "update/UpdateViewController.h"

namespace app {

class ApplicationPages : public PageFactory {
public:
    std::unique_ptr<DeviceSelectionPage> makeDeviceSelection() override {
        return std::make_unique<recognition::DeviceSelectionViewController>();
    }
    std::unique_ptr<DeviceRecognitionPage> makeDeviceRecognition() override {
        return std::make_unique<recognition::DeviceRecognitionViewController>();
    }
    std::unique_ptr<FirmwarePage> makeFirmwarePage(int32_t mode) override {
        return std::make_unique<update::UpdateViewController>(mode);
    }
    std::unique_ptr<DeviceSettingsPage> makeDeviceSettings() override {
        return std::make_unique<settings::DeviceSettingsViewController>();
    }
    std::unique_ptr<SettingsPage> makeDeviceSettingsSecond() override {
        return std::make_unique<settings::DeviceSettingsSecondViewController>();
    }
    std::unique_ptr<SettingsPage> makeDeviceSettingsSpeedDial() override {
        return std::make_unique<settings::DeviceSettingsSpeedDialViewController>();
    }
};

}  // namespace app
