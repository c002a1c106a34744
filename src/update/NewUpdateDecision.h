// Whether the server's firmware is offered to the recognized headset, the Bluetooth-address
// ranges that take part in it, and the version texts of the offer. Plain C++: the page asks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "update/FirmwareLists.h"

namespace update {

// The headset as the offer sees it.
struct OfferedHeadset {
    int32_t model = 0;
    FirmwareVersion version;
    std::optional<std::string> address;  // lastSixBDAddress
};

// The decision for the headset against the listed version.
bool haveNewUpdateFor(const OfferedHeadset& headset, const FirmwareVersion& latest);

// Model 0x5060 with an address in its one range: offered whatever the versions, and told by a
// message instead of the sheet. NO for any other model.
bool changePSKeyXQIVERONWith(int32_t model, const std::optional<std::string>& address);
// The address lies in one of the twelve ranges of that block; any model.
bool checkPSKeyFENNIC_RWith(const std::optional<std::string>& address);

// The model takes the listed secondary number into account when its own type is neither 1 nor 2.
bool isSecondaryAwareModel(int32_t model);
// How many models that set holds (one table).
size_t secondaryAwareModelCount();

// The sheet's "v..." texts of the listed and of the headset's firmware.
std::string newVersionText(int32_t model, const FirmwareVersion& latest);
std::string currentVersionText(int32_t model, const FirmwareVersion& device);

}  // namespace update
