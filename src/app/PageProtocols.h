// What the application controller asks of each page besides setControls and setShortcuts. The
// pages themselves live with their subsystems (selection and recognition, firmware, settings);
// the controller knows them only through these operations.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "app/DetailViewController.h"
#include "device/ORVABluetoothDeviceData.h"

namespace app {

// Mode 3, the start page.
class DeviceSelectionPage : public DetailViewController {
public:
    virtual void initializeObjectOnStartUp(bool startUp) = 0;
    virtual void targetDeviceSet(QObject* sender) = 0;
    virtual QAbstractButton* btnNext() = 0;
};

// Mode 4.
class DeviceRecognitionPage : public DetailViewController {
public:
    // The page to return to after recognition: 0 stay, 5-9 that page, n above 100 mode n - 100.
    virtual void setCallerMode(int32_t callerMode) = 0;
    virtual int32_t callerMode() const = 0;
    virtual void initializeObject() = 0;
    // info: a record to write back to the headset after recognition, or none.
    virtual void doRecognize(const device::ORVABluetoothDeviceData* info) = 0;
    virtual void recognize(QObject* sender) = 0;
    virtual void targetDevice(QObject* sender) = 0;
    virtual QAbstractButton* btnNext() = 0;
    virtual QAbstractButton* btnBack() = 0;
};

// Modes 5 (update) and 6 (restore): one class in two modes.
class FirmwarePage : public DetailViewController {
public:
    virtual void initializeObjectWithDefaultStatus(bool showDefaultStatus) = 0;
    virtual bool restorePossible() const = 0;
    virtual void readLatest() = 0;
    virtual void setControlsFirmwareRestore() = 0;
    virtual void moveToNext(QObject* sender) = 0;
    virtual void moveToBack(QObject* sender) = 0;
    virtual QAbstractButton* btnNext() = 0;
    virtual QAbstractButton* btnBack() = 0;
    // The restore page's own tab list (up to 3 tabs).
    virtual int32_t tabCount() const = 0;
    virtual int32_t tabAt(int32_t index) const = 0;
    virtual int32_t tabIndexSelected() const = 0;
    virtual void setTabIndexSelected(int32_t index) = 0;
    // The update worker waits while a message box is open; NO releases it.
    virtual void setOpenedMessageBox(bool opened) = 0;
    // Ends the wait of a camera update.
    virtual void endNelvarUpdate() = 0;
};

// Modes 7, 8 and 9.
class SettingsPage : public DetailViewController {
public:
    virtual void initializeObject() = 0;
    // The mode (or 100 + a page) to go to once the save question is answered; 0 on opening.
    virtual void setModeToGo(int32_t modeToGo) = 0;
    // YES: the page has unsaved changes and has asked whether to save them; the switch stops.
    virtual bool checkNeedToSave() = 0;
    virtual void moveToModeToGo() = 0;
    virtual void save(QObject* sender) = 0;
    virtual void moveToDeviceSelection(QObject* sender) = 0;
    virtual void moveToFirmwareUpdate(QObject* sender) = 0;
    virtual QAbstractButton* btnNewDevice() = 0;
    virtual QAbstractButton* btnBack() = 0;
};

// Mode 7 adds its audio-channel time-out check and its all-settings sheet.
class DeviceSettingsPage : public SettingsPage {
public:
    // NO: the time-out field holds a value outside 3-60 and the user has been told.
    virtual bool checkACT() = 0;
    virtual void moveToSettingToSetting() = 0;
    virtual QWidget* sheetDeviceAllSettings() = 0;
    virtual void callTableviewReloadDataForOutsideClass() = 0;
};

class ManagerUpdateViewController;

// Makes the eight pages; the controller asks for them once, in mode order (2 to 9).
class PageFactory {
public:
    virtual ~PageFactory() = default;
    virtual std::unique_ptr<ManagerUpdateViewController> makeManagerUpdate();
    virtual std::unique_ptr<DeviceSelectionPage> makeDeviceSelection() = 0;
    virtual std::unique_ptr<DeviceRecognitionPage> makeDeviceRecognition() = 0;
    // mode 5: the update page, mode 6: the restore page.
    virtual std::unique_ptr<FirmwarePage> makeFirmwarePage(int32_t mode) = 0;
    virtual std::unique_ptr<DeviceSettingsPage> makeDeviceSettings() = 0;
    virtual std::unique_ptr<SettingsPage> makeDeviceSettingsSecond() = 0;
    virtual std::unique_ptr<SettingsPage> makeDeviceSettingsSpeedDial() = 0;
};

}  // namespace app
