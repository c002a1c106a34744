// The steps that every settings save runs before it writes: the HID headset opened through the
// caller's opener and checked against the recognized one (product id, firmware of a chip, the
// ready status), the short-command write of the Airoha family with its reply check, and the CSR
// open and per-device check. Each reports the calling page's own result codes. Plain C++ over
// the transport's process-wide slots; one save at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "device/ORVABluetoothDeviceData.h"

namespace settings::save {

// A page's result codes for the failures the shared steps tell apart.
struct SaveCodes {
    int32_t cannotOpenUsb;       // CSR open failed
    int32_t firmwareManagement;  // CSR headset in firmware-management mode
    int32_t notRecognized;       // HID open failed, or another headset or firmware
    int32_t writeFailed;         // the HID status check or a write failed
};

// Opens the connected HID headset into slot 0 (and, where the caller can, its second chip into
// slot 1): 0 with the product id, else a negative code. The program passes usbhid_open_headset.
using HidOpener = std::function<int(uint32_t* productId, char* message)>;

// Which of the record's three firmware version sets a chip is checked against.
enum class VersionSet : uint8_t { Primary, First, Second };  // main, `01`, `02`

// Slot 0 filled by the opener, its product id the recognized one (usbStatus). False when the
// open fails or another product answers.
bool openRecognizedHid(const HidOpener& open, int32_t usbStatus);
// The slot's firmware (command 0x01, answer bytes 3-6) equals the record's set. A failed read is
// no match.
bool firmwareMatches(int slot, const device::ORVABluetoothDeviceData& record, VersionSet set);
// The status request 0x12 answers done with device status 0 (ready).
bool headsetReady(int slot);
// A format B command through the probe, done when the reply echoes the command with status 0 or
// 1 (busy): the probe alone takes any reply of the right length.
bool shortCommandDone(int slot, uint8_t* request);

// CSR: opens up to two headsets (budget 5, normal mode). 0 with the ids, else
// codes.cannotOpenUsb (whatever a failed open left is closed) or codes.firmwareManagement (the
// first device in firmware-management mode; the caller closes).
int32_t openCsrForSave(uint32_t ids[2], const SaveCodes& codes);
// Selects device `index` and checks it is the recognized headset: its USB product id is
// usbStatus, the product id of its store (0 or less counts as 0x4D10) the record's
// deviceRecognized, its firmware the record's. 0 or codes.notRecognized.
int32_t checkCsrDevice(int index, uint32_t usbProductId, int32_t usbStatus,
                       const device::ORVABluetoothDeviceData& record, const SaveCodes& codes);

}  // namespace settings::save
