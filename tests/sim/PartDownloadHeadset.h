// A headset of the HID part-download families (format A): 0x0E enters the download mode (the
// headset leaves the bus and comes back with the same id), 0x01 answers the version, 0x05 / 0x06 /
// 0x07 take a part per target byte with its chunks reassembled, 0x0D answers "not ready" as many
// times as told, 0x08 restarts it (leaves, comes back after a set time), 0x20 / 0x21 / 0x22 drive
// its camera. Its user keys (configuration record 0x04, block 5) are those of BlockHeadsetModel.
// One model per HID interface: a two-chip headset is two of them in one USB device.
#pragma once

#include <memory>
#include <set>
#include <vector>

#include "sim/BlockHeadsetModel.h"

namespace sim {

class HidrawTestbed;
class Scheduler;
class SimCamera;

class PartDownloadHeadset : public BlockHeadsetModel {
  public:
    struct Part {
        uint8_t target = 0;
        std::vector<uint8_t> bytes;
        bool ended = false;  // 0x07 came
        bool operator==(const Part&) const = default;
    };
    struct Behaviour {
        int notReadyPolls = 0;         // 0x0D answers "not ready" this many times first
        int refusedChunk = -1;         // this 0x06 (from 0, over the run) answers status 2
        int64_t downloadModeBackMs = 1500;
        int64_t restartBackMs = 20000;
        bool neverComesBack = false;   // after 0x08
        std::set<uint8_t> refused;     // these commands answer status 2
    };

    PartDownloadHeadset();

    void setBehaviour(const Behaviour& b);
    // The restarts leave `bus` (the device of entry `entry`) and come back, timed by `events`.
    void restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events);
    void attachCamera(std::shared_ptr<SimCamera> camera);

    std::vector<Part> parts() const;
    // The format A command bytes taken, in order.
    std::vector<uint8_t> commands() const;
    int count(uint8_t command) const;

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  protected:
    void leaveAndReturn(int64_t backMs, bool returns);

    Behaviour behaviour_;

    HidrawTestbed* bus_ = nullptr;
    size_t entry_ = 0;
    Scheduler* events_ = nullptr;

  private:
    std::vector<Part> parts_;
    int chunks_ = 0;
    int polls_ = 0;
    std::shared_ptr<SimCamera> camera_;
};

}  // namespace sim
