// What the three settings pages share: the edit buffer (dataCurrent, the copy that the user edits,
// and dataDefault, the model's defaults), the action guard, the save run with its worker's result
// field, and the leave guard's mode to go to once the save question is answered.
#pragma once

#include <QPushButton>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "app/PageProtocols.h"
#include "device/ORVABluetoothDeviceData.h"
#include "settings/SaveRun.h"

namespace app {
class ORVABluetoothManagerAppController;
}

namespace settings {

template <class Page>
class SettingsPageBase : public Page {
public:
    SettingsPageBase();

    void initializeObject() override { this->setControls(); }
    void setModeToGo(int32_t modeToGo) override { modeToGo_ = modeToGo; }
    int32_t modeToGo() const { return modeToGo_; }
    bool checkNeedToSave() override { return false; }
    // Drops the edits (the headset's values come back), then goes where the controller was going.
    void moveToModeToGo() override;
    void save(QObject*) override {}
    void moveToDeviceSelection(QObject* sender) override;
    void moveToFirmwareUpdate(QObject* sender) override;
    QAbstractButton* btnNewDevice() override { return this->loaded(btnNewDevice_); }
    QAbstractButton* btnBack() override { return this->loaded(btnBack_); }

    app::ORVABluetoothManagerAppController& controller() const { return *this->appController(); }

    // The edit buffer; the page owns both records, each initialisation replaces them.
    device::ORVABluetoothDeviceData& dataCurrent() { return dataCurrent_; }
    const device::ORVABluetoothDeviceData& dataCurrent() const { return dataCurrent_; }
    device::ORVABluetoothDeviceData& dataDefault() { return dataDefault_; }
    const device::ORVABluetoothDeviceData& dataDefault() const { return dataDefault_; }

    // The save worker's result: -1 while it runs. Written by the worker, polled by the timer.
    int32_t rcThreadSave() const { return rcThreadSave_.load(); }
    void setRcThreadSave(int32_t rc) { rcThreadSave_.store(rc); }

    // Every user action of a settings page starts here: false (do nothing) while a device
    // operation runs; otherwise an open tab list is closed first and the action may go on.
    bool passActionGuard();
    // Copies the controller's record into the edit buffer (settings only), dropping the edits.
    void dropEdits();

    // The save's one-second timer (none before the first save).
    QTimer* saveTimer() const { return saveRun_.timer(); }
    // Shutdown: a running save is asked to end, then waited for.
    void stopThreads() override { saveRun_.stop(); }
    bool joinThreadsBy(std::chrono::steady_clock::time_point deadline) override { return saveRun_.joinBy(deadline); }

protected:
    // The two buttons every settings page has; each page builds its own controls after them.
    void loadView() override;
    // Starts the page's save once its guards have passed: work on a thread of its own, its code
    // polled by tick every second. Nothing while a save still runs.
    void beginSaveRun(SaveRun::Work work, std::function<void()> tick);
    // Once the worker's code is in: the run ended, the result shown (status; commit and new
    // recognition, or the edits dropped with the box where `discards` says so and the page redrawn
    // by redrawAfterDrop; the page switch forgotten after a failure), then the page's controls.
    void finishSaveRun(bool success, bool discards, std::function<std::string(int language)> reason,
                       std::function<void()> beforeRecognition, std::function<void()> redrawAfterDrop);

    QPushButton* btnNewDevice_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    device::ORVABluetoothDeviceData dataCurrent_;
    device::ORVABluetoothDeviceData dataDefault_;

private:
    int32_t modeToGo_ = 0;
    std::atomic<int32_t> rcThreadSave_{0};
    SaveRun saveRun_;
};

}  // namespace settings
