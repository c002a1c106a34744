// Where the firmware pages' Next leads: by the selected model, the USB status and the headset's
// firmware version, one table tested in order.
#pragma once

#include <cstdint>

#include "device/ORVABluetoothDeviceData.h"

namespace update {

enum class NextPage { deviceSelection, deviceSettings, speedDial };

NextPage nextPageFor(int32_t deviceTarget, int32_t usbStatus, const device::ORVABluetoothDeviceData& data);

}  // namespace update
