// A mesh-intercom module on its own USB id while its headset has switched it on for updating: the
// 0x3120 module (format A) with its iM501 voice processor, or a QCC mesh module (format C, 65-byte
// reports). 0x01 answers the version (with a build byte), 0x05 starts an image (selector 0 mesh,
// 1 iM501), each 0x06 record carries a chunk (length in byte 3, data from byte 4), 0x5A checks the
// chunk just sent against its CRC-16/XMODEM and 0x5B the image over the accepted chunks (the next
// attempt starts afresh), 0x47 answers the iM501's final check, 0x07 ends the image and 0x08
// restarts the module: it leaves the bus and comes back after a set time, or only when its
// headset brings it again.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "sim/BlockHeadsetModel.h"

namespace sim {

class HidrawTestbed;
class Scheduler;

class SimMeshModule : public BlockHeadsetModel {
  public:
    struct Image {
        uint8_t selector = 0;
        std::vector<size_t> chunks;     // the length of every record taken, resent ones too
        std::vector<uint8_t> accepted;  // what the checks accepted (every chunk when none came)
        bool verified = false;          // a 0x5B matched
        bool ended = false;             // 0x07 came
    };
    struct Behaviour {
        std::set<int> failingChecks;    // these 0x5A (from 0, over the run) fail
        int checksFailFrom = -1;        // every 0x5A from this one on fails
        std::set<int> failingVerifies;  // these 0x5B (from 0, over the run) fail
        bool im501Good = true;          // what 0x47 answers
        int64_t restartBackMs = -1;     // after 0x08; -1: only when its headset brings it again
        std::set<uint8_t> refused;      // these commands answer status 2
    };

    explicit SimMeshModule(Format format = Format::A);

    void setBehaviour(const Behaviour& b);
    void restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events);

    std::vector<Image> images() const;
    std::vector<uint8_t> commands() const;
    int count(uint8_t command) const;

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  private:
    Answer imageAnswer(const std::vector<uint8_t>& request);

    Format format_;
    Behaviour behaviour_;
    std::vector<Image> images_;
    std::vector<uint8_t> pending_;
    int checks_ = 0, verifies_ = 0;
    HidrawTestbed* bus_ = nullptr;
    size_t entry_ = 0;
    Scheduler* events_ = nullptr;
};

}  // namespace sim
