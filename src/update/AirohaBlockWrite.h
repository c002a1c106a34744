// The Airoha block write: one block record of a loaded archive over short reports, each piece
// checked by its CRC, the block verified whole, the loader run and the restarted device found
// again. The Airoha family uses it for every block; the QCC headset with an Airoha mesh chip for
// its mesh block, with the differences below.
#pragma once

#include <cstdint>

#include "update/ArchiveLayout.h"
#include "update/UpdateWorker.h"

namespace update {

struct AirohaBlockOptions {
    bool skipSameVersion = true;      // a block the device holds in the same version is skipped
    int64_t restartMs = 6000;         // the wait after the loader before polling for the device
    HeadsetOpener reopen = nullptr;   // how the restarted device is found; none: run.openHeadset
    bool meshLogs = false;            // the mesh module's diagnostic lines (pieces with CRCs, verify, result)
};

// Writes the record's block on slot 0; the failed step's tag ("%d" for the block number), or
// nullptr.
const char* writeAirohaBlock(UpdateRun& run, const BlockRecord& record, const AirohaBlockOptions& options);
// "Cannot get status" with the tag filled with the block number, then the end with HID.
void failAirohaBlock(UpdateRun& run, const BlockRecord& record, const char* tag);

}  // namespace update
