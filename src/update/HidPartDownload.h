// The steps that the HID part-download families share: one format A request buffer reused across
// commands (bytes a command does not set keep what the previous one left, as the part-download
// headsets expect, or are cleared for the families whose requests are zero-filled), the version
// read, a part written as 0x05, 0x06 chunks and 0x07, the ready poll, the finish command, the wait
// for the restarted headset and the write phase's set-up. The mesh families build on them too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "transport/HidReportChannel.h"
#include "update/UpdateWorker.h"

namespace update {

struct ChipVersion {
    int32_t major = 1, minor = 0, type = 0, secondary = 0;  // what a failed read counts as
};

// The polls and waits that have no limit in the headsets' own description end after this many
// one-second passes.
constexpr int kPartDownloadPasses = 300;

// How a family fills the bytes a request does not set.
enum class RequestFill {
    carried,     // one buffer for every command: they keep what the previous request left
    zeroFilled,  // 0, in commands and in chunks past their data
};

class PartExchange {
  public:
    explicit PartExchange(UpdateRun& run, RequestFill fill = RequestFill::carried) : run_(run), fill_(fill) {}

    // Byte 0 = 1, byte 1 = cmd and, when given, byte 2 = arg; usbhid_command on the slot.
    bool command(int slot, uint8_t cmd, std::optional<uint8_t> arg = std::nullopt);
    // Command 0x01: reply bytes 3 to 6, or 1.0.0.0 when the command fails.
    ChipVersion readVersion(int slot);
    // 0x05 with the target byte, the data in 0x06 chunks, 0x07.
    bool writePart(int slot, uint8_t target, const unsigned char* data, size_t length);
    // 0x08 with byte 2 = 0: the chip restarts into its new firmware.
    bool finish(int slot) { return command(slot, 0x08, 0); }

    uint8_t request[kLongRequestSize] = {};
    uint8_t reply[kLongReplySize] = {};

  private:
    UpdateRun& run_;
    RequestFill fill_;
};

// The version equals the record's (by the record's four-field compare).
bool sameVersion(const ChipVersion& v, int32_t major, int32_t minor, int32_t type, int32_t secondary);
// Code 2 with "Not the recognized device", HID closed.
void failNotRecognized(UpdateRun& run);
// Which of the record's versions the headset's 0x01 must answer.
enum class RecordVersion { plain, first };
// The headset opened and identified, its version the record's (else code 2), the firmware file
// loaded (else code 3), addUpdateProcessed 1. False when the work has ended.
bool openCheckedAndLoaded(UpdateRun& run, PartExchange& x, RecordVersion version);
// Every entry the family reads lies inside the image, and there are at least `minimum`; otherwise
// "Firmware corrupted" with code 3 (HID closed).
bool checkEntries(UpdateRun& run, bool longTable, int32_t minimum);
// "Firmware corrupted" (the loader's message mapped) with the code (3: the user's file), then the
// end from `entry`.
void failFirmwareCorrupted(UpdateRun& run, EndEntry entry, int32_t code = kEndFirmwareFileFailed);
// The write phase's set-up: 2, the processing status, the timer fields reset, code 1, then the
// phase value.
void beginWritePhase(UpdateRun& run, int32_t phase);
// A stop asked while nothing had failed: the failure prefix alone with code 1, HID closed.
void endStopped(UpdateRun& run);
// "Cannot get status" with the failure prefix (and a tag when given), then the end with HID.
void failCannotGetStatus(UpdateRun& run, const std::string& tag = "");
// Command 0x0D until reply byte 3 is not 0, one second after a "not ready" answer and after a
// failed send alike; false when the passes ran out or the run was stopped.
bool pollReady(UpdateRun& run, PartExchange& x);
// Closes both slots, then once a second opens the headset and closes it again until an open
// succeeds; false when the passes ran out or the run was stopped.
bool waitForReturn(UpdateRun& run);
// The closing stretch of the block and image roads: HID closed, the code 0, 99, one second.
void closingStretch(UpdateRun& run);
// The closing stretch, then 100 with the success flag and the end of work.
void closeAndSucceed(UpdateRun& run);
// The end after the restarted headset was found: box closed, 100, the code 0, 100.
void succeedAfterReturn(UpdateRun& run);

}  // namespace update
