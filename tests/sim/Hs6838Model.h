// The 0x6838 headset and its format B family (0x68xx, 0x6Axx), also the Airoha mesh module:
// 62-byte commands (byte 2 the command, byte 3 its parameter) answered in fragments of input
// report 2. Command 0x01 gives the version (parameter 0, 5 bytes) or the language pack
// (parameter 1, 8 bytes), or a firmware block's five versions (parameter the block number),
// 0x03 a 58-byte text by parameter (2: the name), 0x02 the address, 0x04 takes a write (a speed
// dial for parameters 5-7: the bytes from request byte 4 are kept and read back as that text).
// The block write: 0x05 starts a block, 0x06 takes a piece (1-58 bytes) and answers its
// CRC-16/XMODEM low byte first, 0x5B checks the block's CRC, 0x08 runs the loader (the headset
// leaves the bus and comes back with the versions the test declares), 0x0A answers the result.
// Tests change the answers or inject faults.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/HeadsetModel.h"

namespace sim {

class HidrawTestbed;
class Scheduler;

class Hs6838Model : public HeadsetModel {
  public:
    static constexpr uint8_t kParameterName = 0x02;
    static constexpr uint8_t kVersion = 0x01, kStart = 0x05, kWrite = 0x06, kRunLoader = 0x08, kResult = 0x0A,
                             kVerify = 0x5B;

    struct Profile {
        std::string name = "VELMAR LUVEN";
        // major, minor, secondary type, secondary version, one more byte
        std::array<uint8_t, 5> version{1, 2, 0, 4, 0};
        // language pack: major, minor, two bytes, type, then its own three-part version
        std::array<uint8_t, 8> languagePack{3, 1, 0, 0, 5, 1, 0, 7};
        std::array<uint8_t, 6> address{0x00, 0x1B, 0x66, 0x12, 0x34, 0x56};
    };

    // Faults of the block write.
    struct BlockFaults {
        int wrongCrcAtPiece = -1;       // the n-th piece (from 0, counted over the run) answers a wrong CRC
        uint8_t silentCommand = 0;      // this command of the block write is never answered (0: none)
        uint8_t failingCommand = 0;     // this command answers a failure status (0: none)
        uint8_t failureStatus = 2;      // the status it answers
        bool neverComesBack = false;    // the loader leaves the bus for good
    };

    Hs6838Model() : Hs6838Model(Profile{}) {}
    explicit Hs6838Model(const Profile& p);

    // What command (with its parameter) answers instead: another length, a failed status, silence.
    void setShortAnswer(uint8_t command, uint8_t parameter, Answer a);
    // A 58-byte text answer for command 0x03 with the parameter.
    void setText(uint8_t parameter, const std::string& text);
    // A block's five versions as command 0x01 answers them.
    void setBlockVersions(uint8_t block, std::array<uint8_t, 5> versions);
    // What command 0x01 answers after the loader has restarted the headset (block or version).
    void setAfterRestart(uint8_t parameter, Answer a);
    void setBlockFaults(const BlockFaults& faults);
    // The loader makes the headset leave `bus` (its entry `entry`) 100 ms after command 0x08 and
    // come back backAfterMs after the command, timed by `events`.
    void restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events, int64_t backAfterMs);

    // Request bytes 4-61 of the last write (0x04) of speed dial `id` (5, 6 or 7); none before one.
    std::optional<std::vector<uint8_t>> speedDialBytes(uint8_t id) const;

    // The bytes of each block the host wrote, in order (a block starts at 0x05).
    std::vector<std::vector<uint8_t>> blocks() const;
    int restarts() const;

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  private:
    Answer blockAnswer(const std::vector<uint8_t>& request);
    void runLoader();

    std::map<std::pair<uint8_t, uint8_t>, Answer> answers_;
    std::map<uint8_t, Answer> afterRestart_;
    std::map<uint8_t, std::vector<uint8_t>> speedDials_;
    BlockFaults blockFaults_;
    std::vector<std::vector<uint8_t>> blocks_;
    int pieces_ = 0;
    int restarts_ = 0;
    HidrawTestbed* bus_ = nullptr;
    size_t entry_ = 0;
    Scheduler* events_ = nullptr;
    int64_t backAfterMs_ = 0;
};

}  // namespace sim
