// The device settings page's save worker as plain C++: the edit buffer written to the connected
// headset by the chosen model's road (HID blocks, the Airoha short command, or CSR PS keys), one
// result code back. The page runs it on its own thread with a copy of what it reads and stores
// the code once the worker has closed what it opened.
#pragma once

#include <atomic>
#include <cstdint>

#include "device/ORVABluetoothDeviceData.h"
#include "settings/save/SaveIdentity.h"

namespace settings::save {

// rcThreadSave: -1 while the worker runs, then one of these.
enum : int32_t {
    kSaveRunning = -1,
    kSaved = 0,
    kCannotOpenUsb = 1,       // CSR open failed
    kFirmwareManagement = 2,  // CSR headset in firmware-management mode
    kVoxIntercomNotSaved = 3,  // PS key 664
    kVoxPhoneNotSaved = 4,     // PS key 665
    kEdrNotSaved = 5,          // PS key 239
    kRadioGainNotSaved = 6,    // PS key 684
    kTimeoutNotSaved = 7,      // PS key 682
    kWriteFailed = 8,          // PS key 654, or any HID status check or write
    kNotRecognized = 9,
};

inline constexpr SaveCodes kDeviceSettingsCodes{kCannotOpenUsb, kFirmwareManagement, kNotRecognized, kWriteFailed};

// What the save reads, copied when it starts: the edit buffer, the controller's record, the
// chosen model and the recognized product id.
struct DeviceSettingsSaveInput {
    device::ORVABluetoothDeviceData dataCurrent;
    device::ORVABluetoothDeviceData data;
    int32_t deviceTarget = 0;
    int32_t usbStatus = 0;
};

// The whole save. `stop` set ends it early with a failure code (the transport's waits end on
// transport::stopWaits); everything opened is closed before it returns.
int32_t threadMethodSave(const DeviceSettingsSaveInput& in, const HidOpener& open, const std::atomic<bool>& stop);

}  // namespace settings::save
