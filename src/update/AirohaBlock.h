// One Airoha firmware block written over short HID reports (the device open on slot 0): the
// optional version query, the pieces with their CRC-16/XMODEM answered back, the whole block's
// check, the loader, the device found again after its restart, and the result query. The
// Airoha headsets and the Airoha mesh modules differ only in the options.
#pragma once

#include <cstdint>

#include "update/AirohaBlockWrite.h"
#include "update/ArchiveLayout.h"
#include "update/UpdateWorker.h"

namespace update {

// The mesh modules' block: always written (the version only asked), the module (0x3220) found
// again after its restart.
extern const AirohaBlockOptions kAirohaMeshBlock;
// The headset's `command` (byte 2 = 0) hands the link over to the Airoha mesh module; false with
// `failure` published and the work ended.
class PartExchange;
bool askMeshHandOver(UpdateRun& run, PartExchange& x, uint8_t command, const char* failure);
// The Airoha mesh module found within 20 tries (HID closed first); false with "[8]" published and
// the work ended.
bool findAirohaMesh(UpdateRun& run);

}  // namespace update
