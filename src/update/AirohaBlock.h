// One Airoha firmware block written over short HID reports (the device open on slot 0): the
// optional version query, the pieces with their CRC-16/XMODEM answered back, the whole block's
// check, the loader, the device found again after its restart, and the result query. The
// Airoha headsets and the Airoha mesh modules differ only in the options.
#pragma once

#include <cstdint>

#include "update/ArchiveLayout.h"
#include "update/UpdateWorker.h"

namespace update {

struct AirohaBlockOptions {
    bool skipSameVersion;  // a block the device reports in the same five versions is not written
    HeadsetOpener reopen;  // finds the restarted device; nullptr: the run's headset opener
    int64_t restartMs;     // the wait before the first try
};

// The failed step's tag ("%d" standing for the block number), or nullptr.
const char* writeAirohaBlock(UpdateRun& run, const BlockRecord& record, const AirohaBlockOptions& options);
// "Cannot get status" with the tag of the block, then the end with HID.
void failAirohaBlock(UpdateRun& run, const BlockRecord& record, const char* tag);

// The mesh modules' block: always written (the version only asked), the module (0x3220) found
// again after its restart.
extern const AirohaBlockOptions kAirohaMeshBlock;
// The headset's `command` (byte 2 = 0) hands the link over to the Airoha mesh module, found within
// 20 tries after two seconds; false with the failure published ("failure" for the command, "[8]"
// for the search) and the work ended.
class PartExchange;
bool handOverToAirohaMesh(UpdateRun& run, PartExchange& x, uint8_t command, const char* failure);

}  // namespace update
