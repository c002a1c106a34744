// A simulated headset that holds its setting blocks: user keys mapped to 16-bit words, answered
// to reads (0x03) and taken from writes (0x04) in format A (big-endian words after a count byte)
// and in format B (little-endian words from reply byte 4), with the key refresh (0x10) and the
// commit (0x11) recorded. Also the Bluetooth address (0x02). It may stand in front of a family's
// model (identification, versions, names): what it does not hold goes there, else to
// HeadsetModel.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "sim/HeadsetModel.h"

namespace sim {

class SettingBlocksModel : public HeadsetModel {
  public:
    using Words = std::vector<uint16_t>;

    // What the host did to a key, in order: reads are not listed.
    struct KeyRequest {
        Format format;
        uint8_t command;  // 0x04 write, 0x10 refresh, 0x11 commit
        uint8_t key;
        // A write's words in host order (sent high byte first); a commit's words read low byte
        // first, as such a commit carries them; none for a refresh.
        Words words;
        bool operator==(const KeyRequest&) const = default;
    };

    explicit SettingBlocksModel(std::shared_ptr<HeadsetModel> family = nullptr)
        : family_(std::move(family)) {}

    // Without a family model, a key that holds no block fails its reads: format A with status 2,
    // format B with no reply at all (the format B probe takes any reply of the right length,
    // whatever its status); so does the address when none was set.
    void setBlock(uint8_t key, Words words);
    void setShortBlock(uint8_t key, Words words);
    std::optional<Words> block(uint8_t key) const;
    std::optional<Words> shortBlock(uint8_t key) const;
    void setAddress(std::array<uint8_t, 6> address);
    // Writes answer status 2 and change nothing.
    void refuseWrites(bool refuse);
    // The same for writes to one key (both formats); the other keys take theirs.
    void refuseWritesTo(uint8_t key);
    // A format A read of this key answers this word count instead of the block's length.
    void claimWordCount(uint8_t key, uint8_t count);

    std::vector<KeyRequest> keyRequests() const;
    // Format A reads of a key so far.
    int readsOf(uint8_t key) const;

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  private:
    Answer longAnswer(const std::vector<uint8_t>& request);
    Answer shortAnswer(const std::vector<uint8_t>& request);
    Answer notHeld(Format format, const std::vector<uint8_t>& request, Answer failed);

    std::shared_ptr<HeadsetModel> family_;

    std::map<uint8_t, Words> blocks_;       // format A keys
    std::map<uint8_t, Words> shortBlocks_;  // format B keys
    std::map<uint8_t, uint8_t> claimedCounts_;
    std::map<uint8_t, int> reads_;
    std::optional<std::array<uint8_t, 6>> address_;
    bool refuseWrites_ = false;
    std::set<uint8_t> refusedKeys_;
    std::vector<KeyRequest> keyRequests_;
};

}  // namespace sim
