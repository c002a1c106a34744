// Inputs of the all-settings list for the tests: a controller record with a firmware version, an
// edit copy, and the options recognition stores.
#pragma once

#include <cstdint>
#include <memory>

#include "device/ORVABluetoothDeviceData.h"
#include "settings/ListInputs.h"

namespace settings::testing {

struct Version {
    int32_t major = 0, minor = 0, type = 0, secondary = 0;
};

// Owns the two records the inputs point at, so a case can build its inputs in one expression.
struct ListCase {
    device::ORVABluetoothDeviceData data;
    device::ORVABluetoothDeviceData dataCurrent;
    ListInputs in;

    explicit ListCase(uint16_t productId, Version v = {1, 0, 0, 0}) {
        data.setDeviceVersionMajor(v.major, v.minor);
        data.setDeviceSecondaryVersionType(v.type);
        data.setDeviceSecondaryVersion(v.secondary);
        in.deviceTarget = productId;
        in.data = &data;
        in.dataCurrent = &dataCurrent;
    }
    ListCase(const ListCase&) = delete;
    ListCase& operator=(const ListCase&) = delete;

    ListCase& fm(int32_t value) { in.fmRadioShowAndHide = value; return *this; }
    ListCase& motion(int32_t value) { in.motionSensorShowAndHide = value; return *this; }
    ListCase& status(int32_t value) { in.deviceInfoStatus = value; return *this; }
    ListCase& speaker(int32_t value) { in.device50SpeakerType = value; return *this; }
    ListCase& language(int32_t value) { in.languageManager = value; return *this; }
};

}  // namespace settings::testing
