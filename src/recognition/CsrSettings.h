// The per-model steps of the CSR road on the selected USB slot: the radio power-table patch, the
// write-back of a restored backup into the persistent store, and the settings read. Each walks its
// table of CsrModelTables.h over the CSR channel's PS-key calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "device/ORVABluetoothDeviceData.h"
#include "recognition/CsrModelTables.h"

namespace recognition {

// YES when the selected model gets the power-table patch: its address digits (the first six, as
// hex) lie above the model's threshold. NO for a model without a patch.
bool changePSKeyPowerTableWith(int32_t deviceTarget, const std::string& digits);

namespace csr {

// Writes the selected model's power-table patch when changePSKeyPowerTableWith says so; the
// writes are not verified. True when it wrote.
bool patchPowerTable(int32_t deviceTarget, const std::string& digits);

// Writes the backup's settings into the keys of the selected model. The key of the first write
// that fails, none when every write succeeded (or the model writes nothing).
std::optional<uint16_t> writeRestoredSettings(int32_t deviceTarget, const device::ORVABluetoothDeviceData& backup);

struct SlotIdentity {
    int32_t productId = 0;      // as read from the headset
    Version version;            // its firmware version
    int32_t deviceTarget = 0;   // the selected model (decides the fallback power table)
    std::string lastSixBDAddress;
};
// The slot's settings as its model keeps them; every value 0 for a model without a branch.
CsrSlotValues readSettings(const SlotIdentity& slot);

}  // namespace csr
}  // namespace recognition
