// Mode 9, the speed-dial page: the headset's three speed-dial numbers, each edited in a small
// window-modal sheet whose field takes only dial characters, Default (all empty) and Cancel (the
// headset's numbers), the unsaved-change test behind the leave guard, and the save of the three
// numbers by a worker and a one-second timer.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "settings/SettingsPageBase.h"
#include "settings/save/SpeedDialSave.h"

class QShortcut;

namespace settings {

class DeviceSettingsSpeedDialViewController : public SettingsPageBase<app::SettingsPage> {
public:
    DeviceSettingsSpeedDialViewController();
    ~DeviceSettingsSpeedDialViewController() override;

    // ---- page protocol ----------------------------------------------------------------------
    void initializeObject() override;
    void setControls() override;
    void setShortcuts() override;
    // Each dial button shows its number, or the empty-dial word.
    void setControlsWithData();
    bool isSettingsChanged() const;
    bool checkNeedToSave() override;

    // ---- edit sheet -------------------------------------------------------------------------
    // Checks the field's text again and stores it into the dial being edited; false leaves the
    // sheet open with the text selected (cut to 20 characters when it was longer).
    bool isSpeedDialValid();
    void openSpeedDialEdit(QObject* sender);
    void okSpeedDialEdit(QObject* sender);
    void cancelSpeedDialEdit(QObject* sender);
    int32_t indexSelectedSpeedDialEdit() const { return indexSelectedSpeedDialEdit_; }

    // ---- actions ----------------------------------------------------------------------------
    void changeToDefault(QObject* sender);
    void changeToOriginal(QObject* sender);

    // ---- save (DeviceSettingsSpeedDialSave.cpp) -----------------------------------------------
    void save(QObject* sender) override;
    void timerMethodSave();
    // The opens of the save; the program's are usbhid_open_headset and csr_usb_open_retry.
    void setHidOpener(save::HidOpener open) { hidOpener_ = std::move(open); }
    void setCsrOpener(save::speed_dial::CsrOpener open) { csrOpener_ = std::move(open); }
    // Shutdown: a running save is asked to end, then waited for until the deadline.

    // The page's key equivalents, for the tests that drive the page by keys.
    const std::vector<QShortcut*>& shortcuts() const {
        loadViewIfNeeded();
        return shortcuts_;
    }

    // ---- outlets (the layout's part, built in code) ------------------------------------------
    QPushButton* btnDefault;
    QPushButton* btnCancel;
    QPushButton* btnSave;
    QProgressBar* piProcessing;
    QLabel *lblSpeedDial01, *lblSpeedDial02, *lblSpeedDial03;
    QPushButton *btnSpeedDial01, *btnSpeedDial02, *btnSpeedDial03;
    QDialog* sheetSpeedDialEdit;
    QLabel* lblSpeedDialEditNumber;
    QLineEdit* tfSpeedDialEdit;
    QPushButton* btnSpeedDialEditOK;
    QPushButton* btnSpeedDialEditCancel;
    std::array<QPushButton*, 3> btnSpeedDials{};
    std::array<QLabel*, 3> lblSpeedDials{};

protected:
    void loadView() override;

private:
    void endSheet();
    void replaceEdits(const device::ORVABluetoothDeviceData& source);
    void wireActions();
    void bindKeyEquivalents();

    int32_t indexSelectedSpeedDialEdit_ = -1;
    save::HidOpener hidOpener_;
    save::speed_dial::CsrOpener csrOpener_;
    std::vector<QShortcut*> shortcuts_;
};

}  // namespace settings
