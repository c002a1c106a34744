// The FM radio page's save worker as plain C++: the FM image of the edit buffer (region, current
// frequency and preset, the presets, RDS) written to the connected headset by the model's road,
// one result code back. The page runs it on its own thread with a copy of what it reads.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"
#include "settings/save/DeviceSettingsSave.h"
#include "settings/save/SaveIdentity.h"

namespace settings::save {

// rcThreadSave of the FM radio page: -1 while the worker runs, then one of these.
enum : int32_t {
    kFmSaved = 0,
    kFmCannotOpenUsb = 1,
    kFmFirmwareManagement = 2,
    kFmWriteFailed = 3,
    kFmNotRecognized = 4,
};

inline constexpr SaveCodes kFmRadioCodes{kFmCannotOpenUsb, kFmFirmwareManagement, kFmNotRecognized, kFmWriteFailed};

// What the save reads, copied when it starts: the same as the device settings save reads.
using FmRadioSaveInput = DeviceSettingsSaveInput;

// The image in host order: magic, current frequency, current preset, the presets (six on the
// six-preset models, else ten), RDS, region; each value's low 16 bits.
std::vector<uint16_t> fmRadioImage(const device::ORVABluetoothDeviceData& record, int32_t deviceTarget);

// The whole save. `stop` set ends it early with kFmWriteFailed; everything opened is closed
// before it returns.
int32_t fmRadioThreadMethodSave(const FmRadioSaveInput& in, const HidOpener& open, const std::atomic<bool>& stop);

}  // namespace settings::save
