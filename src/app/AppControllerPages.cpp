// Page switching: the entry routine of each page with its leave guard, the side buttons and the
// keyboard next/back.
#include <QApplication>
#include <QLayout>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Log.h"

namespace app {
namespace {

// Models without a settings page at all, and the version floors of three more.
bool modelHasNoSettings(int32_t target, const device::ORVABluetoothDeviceData& data) {
    switch (target) {
    case 0x3010: case 0x3020: case 0x3550: case 0x5310: case 0x5320: case 0x5330: case 0x5345:
        return true;
    case 0x3500:
        return data.compareVersionUpToMinorWithMajor(2, 2) < 0;
    case 0x3560: case 0x3570:
        return data.compareVersionUpToMinorWithMajor(1, 1) < 0;
    default:
        return false;
    }
}

}  // namespace

bool ORVABluetoothManagerAppController::settingsDisabledForModel() const {
    return modelHasNoSettings(deviceTarget(), data_);
}

bool ORVABluetoothManagerAppController::askSaveQuestion(SettingsPage* page, int32_t target) {
    page->setModeToGo(target);
    return !page->checkNeedToSave();
}

bool ORVABluetoothManagerAppController::passLeaveGuard(int32_t target, Guard fromDeviceSettings, bool guardFromFM,
                                                       bool guardFromSpeedDial) {
    switch (mode()) {
    case 9:
        return !guardFromSpeedDial || askSaveQuestion(deviceSettingsSpeedDialViewController(), target);
    case 8:
        return !guardFromFM || askSaveQuestion(deviceSettingsSecondViewController(), target);
    case 7:
        if (fromDeviceSettings == Guard::CheckACTOnly || fromDeviceSettings == Guard::CheckACTThenSaveQuestion) {
            if (!deviceSettingsViewController()->checkACT()) {
                setControls();
                return false;
            }
        }
        if (fromDeviceSettings == Guard::SaveQuestion || fromDeviceSettings == Guard::CheckACTThenSaveQuestion)
            return askSaveQuestion(deviceSettingsViewController(), target);
        return true;
    default:
        return true;
    }
}

void ORVABluetoothManagerAppController::setDeviceSelectionOnStartUp(bool startUp, bool checkACTFirst) {
    if (!passLeaveGuard(3, checkACTFirst ? Guard::CheckACTThenSaveQuestion : Guard::SaveQuestion, true, true)) return;
    mode_ = 3;
    recognized_ = false;
    initTabData();
    usbStatus_ = 0;
    data_.initializeObjectWithDevice(0, 0, 0);
    DeviceSelectionPage* page = deviceSelectionViewController();
    switchDetailViewWithViewController(page);
    page->initializeObjectOnStartUp(startUp);
    setStatusWithDefault();
    setControls();
}

void ORVABluetoothManagerAppController::setManagerUpdate() {
    mode_ = 2;
    recognized_ = false;
    initTabData();
    usbStatus_ = 0;
    ManagerUpdateViewController* page = managerUpdateViewController();
    switchDetailViewWithViewController(page);
    page->initializeObject();
    setStatusWithDefault();
    setControls();
}

void ORVABluetoothManagerAppController::setDeviceRecognitionWithStatus(bool status,
                                                                       const device::ORVABluetoothDeviceData* info,
                                                                       int32_t from) {
    if (!passLeaveGuard(4, Guard::CheckACTThenSaveQuestion, true, true)) return;
    mode_ = 4;
    recognized_ = false;
    initTabData();
    usbStatus_ = 0;
    data_.initializeObjectWithDevice(0, 0, 0);
    if (deviceTarget() == 0) {
        setDeviceSelection();
        return;
    }
    DeviceRecognitionPage* page = deviceRecognitionViewController();
    switchDetailViewWithViewController(page);
    page->setCallerMode(from);
    page->initializeObject();
    if (status) setStatusWithDefault();
    setControls();
    if (page->callerMode() != 0 && !isRestartDFU()) page->doRecognize(info);
}

void ORVABluetoothManagerAppController::enterFirmwareOrSettingsPage(int32_t target, bool status) {
    mode_ = target;
    auto* settingsPage = target >= 7 ? static_cast<SettingsPage*>(pageOfMode(target)) : nullptr;
    if (settingsPage) settingsPage->setModeToGo(0);
    if (deviceTarget() == 0) {
        setDeviceSelection();
        return;
    }
    if (!recognized()) {
        setDeviceRecognitionWithStatus(true, nullptr, 0);
        return;
    }
    switchDetailViewWithViewController(pageOfMode(target));
    bool showDefault = status;
    if (settingsPage) {
        settingsPage->initializeObject();
    } else {
        auto* firmware = target == 5 ? updateViewController() : restoreViewController();
        firmware->initializeObjectWithDefaultStatus(status);
        if (target == 6) showDefault = status && firmware->restorePossible();
    }
    if (showDefault) setStatusWithDefault();
    setControls();
}

void ORVABluetoothManagerAppController::setFirmwareUpdateWithStatus(bool status) {
    if (!passLeaveGuard(5, Guard::CheckACTThenSaveQuestion, true, true)) return;
    enterFirmwareOrSettingsPage(5, status);
}

void ORVABluetoothManagerAppController::setFirmwareRestoreWithStatus(bool status) {
    if (!passLeaveGuard(6, Guard::CheckACTThenSaveQuestion, true, true)) return;
    enterFirmwareOrSettingsPage(6, status);
}

void ORVABluetoothManagerAppController::setDeviceSettingsWithStatus(bool status) {
    if (!passLeaveGuard(7, Guard::CheckACTOnly, true, true)) return;
    enterFirmwareOrSettingsPage(7, status);
}

void ORVABluetoothManagerAppController::setDeviceSettingsSecondWithStatus(bool status) {
    if (!passLeaveGuard(8, Guard::CheckACTThenSaveQuestion, false, true)) return;
    enterFirmwareOrSettingsPage(8, status);
}

void ORVABluetoothManagerAppController::setDeviceSettingsSpeedDialWithStatus(bool status) {
    if (!passLeaveGuard(9, Guard::CheckACTThenSaveQuestion, true, false)) return;
    enterFirmwareOrSettingsPage(9, status);
}

void ORVABluetoothManagerAppController::setDetailViewController(int32_t target) {
    switch (target) {
    case 2: setManagerUpdate(); break;
    case 3: setDeviceSelection(); break;
    case 4: setDeviceRecognitionWithStatus(true, nullptr, 0); break;
    case 5: setFirmwareUpdateWithStatus(true); break;
    case 6: setFirmwareRestoreWithStatus(true); break;
    case 7: setDeviceSettingsWithStatus(true); break;
    case 8: setDeviceSettingsSecondWithStatus(true); break;
    case 9: setDeviceSettingsSpeedDialWithStatus(true); break;
    default: break;
    }
}

void ORVABluetoothManagerAppController::switchDetailViewWithViewController(DetailViewController* page) {
    page->view();  // a page's view is built when it is first shown, window or not
    if (!window_) {
        visiblePage_ = page;
        return;
    }
    if (!window_->makeFirstResponder()) {
        QApplication::beep();
        return;
    }
    QLayout* box = window_->boxDetail->layout();
    if (visiblePage_ && visiblePage_ != page && visiblePage_->view()) {
        box->removeWidget(visiblePage_->view());
        visiblePage_->view()->hide();
        visiblePage_->view()->setParent(nullptr);
    }
    if (page->view() && page->view()->parentWidget() != window_->boxDetail) {
        box->addWidget(page->view());
    }
    if (page->view()) page->view()->show();
    window_->claimKeysOf(page->view());
    visiblePage_ = page;
    platform::logf("page %d shown", static_cast<int>(mode_.load()));
}

void ORVABluetoothManagerAppController::setDetailTitle() {
    if (window_) window_->lblDetailTitle->setText(QString());
}

bool ORVABluetoothManagerAppController::isDeviceTargetSameAs(int32_t id) const {
    const int32_t target = deviceTarget();
    if (id == target) return true;
    struct Sibling {
        int32_t id, target;
    };
    static constexpr Sibling kSiblings[] = {{0x4D35, 0x4D05}, {0x4D55, 0x4D05}, {0x4D45, 0x4D15}, {0x4D65, 0x4D15},
                                            {0x5050, 0x5040}, {0x4D30, 0x4D10}, {0x4D40, 0x4D10}, {0x5060, 0x5010},
                                            {0x5061, 0x5010}, {0x5070, 0x5020}, {0x5080, 0x5030}};
    for (const auto& s : kSiblings)
        if (s.id == id && s.target == target) return true;
    return false;
}

bool ORVABluetoothManagerAppController::closeOpenListTabs() {
    if (listTabsOpened()) {
        listTabsOpened_ = false;
        enableListTabsTo(false);
        return true;
    }
    return false;
}

void ORVABluetoothManagerAppController::goNext(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    currentDetailViewController();  // builds the page's view, should it not be shown yet
    switch (mode()) {
    case 3: selection_->targetDeviceSet(selection_->btnNext()); break;
    case 4: recognition_->recognize(recognition_->btnNext()); break;
    case 5: update_->moveToNext(update_->btnNext()); break;
    case 6: restore_->moveToNext(restore_->btnNext()); break;
    case 7: case 8: case 9: {
        if (settingsDisabledForModel()) return;
        auto* page = static_cast<SettingsPage*>(currentDetailViewController());
        page->moveToDeviceSelection(page->btnNewDevice());
        break;
    }
    default: break;
    }
}

void ORVABluetoothManagerAppController::goBack(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    currentDetailViewController();  // builds the page's view, should it not be shown yet
    switch (mode()) {
    case 4: recognition_->targetDevice(recognition_->btnBack()); break;
    case 5: update_->moveToBack(update_->btnBack()); break;
    case 6: restore_->moveToBack(restore_->btnBack()); break;
    case 7: case 8: case 9: {
        if (settingsDisabledForModel()) return;
        auto* page = static_cast<SettingsPage*>(currentDetailViewController());
        page->moveToFirmwareUpdate(page->btnBack());
        break;
    }
    default: break;
    }
}

void ORVABluetoothManagerAppController::deviceSelection(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    setDeviceSelection();
}

void ORVABluetoothManagerAppController::deviceRecognition(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    setDeviceRecognitionWithStatus(true, nullptr, 0);
}

void ORVABluetoothManagerAppController::firmwareUpdate(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    setFirmwareUpdateWithStatus(true);
}

void ORVABluetoothManagerAppController::firmwareRestore(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    setFirmwareRestoreWithStatus(true);
}

void ORVABluetoothManagerAppController::deviceSettings(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    const int32_t target = deviceTarget();
    if (settingsDisabledForModel()) return;
    // Models whose settings are their speed dials alone, for all or for early firmware.
    switch (target) {
    case 0x4111: case 0x4112: case 0x6600: case 0x6610: case 0x6620: case 0x6700:
        setDeviceSettingsSpeedDialWithStatus(true);
        return;
    case 0x6480: case 0x6481: case 0x6490: case 0x6491:
        if (data_.compareVersionUpToMinorWithMajor(1, 1) < 0) {
            setDeviceSettingsSpeedDialWithStatus(true);
            return;
        }
        break;
    case 0x6460: case 0x6461:
        if (data_.compareVersionUpToMinorWithMajor(2, 1) < 0) {
            setDeviceSettingsSpeedDialWithStatus(true);
            return;
        }
        break;
    default:
        break;
    }
    setDeviceSettingsWithStatus(true);
}

}  // namespace app
