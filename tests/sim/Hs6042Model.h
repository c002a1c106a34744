// The 0x6042 headset, also the QCC family's headsets: a format A headset whose vendor interface
// (usage page 0xFF00, usage 1) passes the probe (command 0x12 answers 0), says whether it has an
// FM radio (0x1A), keeps its name under key 0x3C, its version (no language pack) under command
// 0x01, its FM block under key 0x44 and its speed dials under keys 0x37-0x39. Tests change any of
// these after construction.
//
// The QCC image write: 0x05 starts a part with its type byte; each 0x06 or 0x0E chunk (big-endian
// length, data) is reassembled and gets one status report, 0x0E marking the part's last; 0x07
// ends the part; 0x08 and 0x13 make the headset leave the bus and come back after a set time
// (after 0x08 with the test's new version, when it gave one); 0x0A answers, optionally late;
// 0x0D and 0x12 answer "not ready" (byte 3 = 0) a set number of times, then 1.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/BlockHeadsetModel.h"

namespace sim {

class HidrawTestbed;
class Scheduler;

class Hs6042Model : public BlockHeadsetModel {
  public:
    static constexpr uint8_t kKeyName = 0x3C, kKeyFm = 0x44, kKeySpeedDial = 0x37;

    struct Profile {
        std::string name = "VELMAR 6042";
        std::array<uint8_t, 4> version{2, 1, 0, 3};
        bool fmRadio = true;
        // magic, frequency, current preset, 10 presets, RDS, region
        std::array<uint16_t, 15> fm{0x66E9, 10390, 2, 8750, 9010, 9130, 9410, 9650, 9890, 10150, 10390, 10590,
                                    10790, 1, 3};
        std::array<std::string, 3> speedDials{"0123456789", "+4412345", ""};
    };

    struct Part {
        uint8_t type = 0;
        std::vector<uint8_t> bytes;
        bool lastChunk = false;  // a 0x0E chunk came
        bool ended = false;      // 0x07 came
        bool operator==(const Part&) const = default;
    };
    struct Behaviour {
        int64_t restartBackMs = 8000;       // 0x08 and 0x13: back on the bus this long after
        bool neverComesBack = false;        // after 0x08
        std::map<uint8_t, int> notReady;    // 0x0D / 0x12: "not ready" answers before the first 1
        int64_t confirmLateMs = 0;          // 0x0A answers this late (on the late scheduler)
        int refusedChunk = -1;              // this chunk (from 0, over the run) answers status 2
        int faultsAtChunk = -1;             // this chunk sets chunkFaults (checked from its reply
        Faults chunkFaults;                 // on: busy for ever fails its wait, a failing write the next send)
        std::set<uint8_t> refused;          // these commands answer status 2
        std::optional<std::array<uint8_t, 4>> newVersion;  // 0x01 after each 0x08 restart
    };

    Hs6042Model() : Hs6042Model(Profile{}) {}
    explicit Hs6042Model(const Profile& p);

    void setBehaviour(const Behaviour& b);
    // The restarts leave `bus` (the device of entry `entry`) and come back, timed by `events`; a
    // late 0x0A answer is timed by `late` (real time: the host waits for it in a read).
    void restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events, Scheduler* late = nullptr);

    std::vector<Part> parts() const;
    // The format A command bytes taken, in order, and each chunk's (command, length).
    std::vector<uint8_t> commands() const;
    int count(uint8_t command) const;
    std::vector<std::pair<uint8_t, size_t>> chunks() const;
    int restarts() const;

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  private:
    Answer imageAnswer(const std::vector<uint8_t>& request);
    void leaveAndReturn(bool returns, bool restart);

    Behaviour behaviour_;
    std::vector<Part> parts_;
    std::vector<std::pair<uint8_t, size_t>> chunks_;
    std::map<uint8_t, int> polls_;
    int restarts_ = 0;
    HidrawTestbed* bus_ = nullptr;
    size_t entry_ = 0;
    Scheduler* events_ = nullptr;
    Scheduler* late_ = nullptr;
};

}  // namespace sim
