// The speed-dial page's save worker as plain C++: the three dials of the edit buffer written to
// the connected headset by the chosen model's road (HID user-key blocks on the first chip, the
// short command of the 0x68xx family, or CSR PS keys 0x2280-0x2282), one result code back.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "device/ORVABluetoothDeviceData.h"
#include "settings/save/SaveIdentity.h"

namespace settings::save::speed_dial {

// rcThreadSave of the speed-dial page: -1 while the worker runs, then one of these.
enum : int32_t {
    kRunning = -1,
    kSaved = 0,
    kCannotOpenUsb = 1,       // CSR open failed
    kFirmwareManagement = 2,  // CSR headset in firmware-management mode
    kWriteFailed = 3,         // the status check or a dial's write failed
    kNotRecognized = 4,       // HID open failed, or another headset or firmware
};

inline constexpr SaveCodes kSpeedDialCodes{kCannotOpenUsb, kFirmwareManagement, kNotRecognized, kWriteFailed};

// Where a model's dials go.
enum class Road : uint8_t { TwoChip, ShortCommand, Block37, Block5A, Csr };
Road roadFor(int32_t deviceTarget);

// The CSR open (csr_usb_open_retry's shape); tests wrap the real one.
using CsrOpener = std::function<int(uint32_t productIds[2], char* message, int budget, int mode)>;

// What the save reads, copied when it starts: the dials of the edit buffer, the controller's
// record (identity and versions), the chosen model and the recognized product id.
struct SpeedDialSaveInput {
    std::array<device::OptString, device::ORVABluetoothDeviceData::kSpeedDials> dials{};
    device::ORVABluetoothDeviceData data;
    int32_t deviceTarget = 0;
    int32_t usbStatus = 0;
};

// The 62-byte short command of dial `id` (5, 6 or 7): the text and its zero byte from byte 4, a
// text cut at a character boundary so that both fit in the report; a missing dial is empty.
std::array<uint8_t, 62> shortCommandOf(uint8_t id, const device::OptString& dial);

// The whole save. `stop` set ends it early with a failure code; everything opened is closed
// before it returns.
int32_t threadMethodSave(const SpeedDialSaveInput& in, const HidOpener& openHid, const CsrOpener& openCsr,
                         const std::atomic<bool>& stop);

}  // namespace settings::save::speed_dial
