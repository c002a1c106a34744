// A headset with a mesh-intercom module: a part-download headset that also takes the mesh
// families' commands. 0x50 (or the QCC headsets' 0x0F) brings its module onto the bus a little
// later, as many times as told; 0x52 / 0x53 hold and release its power; 0x59 sets the firmware
// language (the codes are recorded); 0x80 answers the voice-prompt mount state; 0x10 and 0x0A
// are taken; with the QCC image write 0x0E is the image's last chunk. Faults: the headset leaves
// the bus for good after a given command.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/PartDownloadHeadset.h"

namespace sim {

class MeshHeadset : public PartDownloadHeadset {
  public:
    // Each `command` brings the module of entry `moduleEntry` onto the bus `afterMs` later, the
    // first `times` times.
    void bringsModule(uint8_t command, size_t moduleEntry, int64_t afterMs, int times = 1000);
    // Taking `command` switches its module off: it leaves the bus at once.
    void dropsModuleOn(uint8_t command);
    // The headset leaves the bus for good after taking the `nth` (from 1) `command`.
    void leavesAfter(uint8_t command, int nth = 1);
    // 0x80 answers "not mounted" (a failed status with reply byte 3 = 1) this many times first;
    // -1: always.
    void failMountChecks(int times);
    // 0x0E carries the last chunk of a QCC image instead of entering the download mode.
    void takesQccImage();

    std::vector<uint8_t> languageCodes() const;

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  private:
    uint8_t bringCommand_ = 0;
    size_t moduleEntry_ = 0;
    int64_t bringAfterMs_ = 0;
    int bringsLeft_ = 0;
    uint8_t dropCommand_ = 0;
    uint8_t leaveCommand_ = 0;
    int leaveAt_ = 0, leaveSeen_ = 0;
    int mountFailures_ = 0;
    bool qccImage_ = false;
    std::vector<uint8_t> languageCodes_;
};

}  // namespace sim
