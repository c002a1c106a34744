// What the all-settings list reads on every call, taken afresh from the controller and the page:
// nothing of it is kept between calls.
#pragma once

#include <cstdint>

#include "device/ORVABluetoothDeviceData.h"

namespace settings {

struct ListInputs {
    uint16_t deviceTarget = 0;
    // The controller's record: firmware version, language-pack type, one log line.
    const device::ORVABluetoothDeviceData* data = nullptr;
    // The page's edit copy: every value a row shows.
    const device::ORVABluetoothDeviceData* dataCurrent = nullptr;
    int32_t fmRadioShowAndHide = 3;       // 4: no FM radio
    int32_t motionSensorShowAndHide = 6;
    int32_t deviceInfoStatus = 0;
    int32_t device50SpeakerType = 0;
    int32_t languageManager = 0;          // 0..12
};

}  // namespace settings
