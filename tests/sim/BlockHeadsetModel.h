// A headset that speaks report format A with user keys: command 0x03 reads a key's words,
// 0x04 writes them, 0x10 and 0x11 (refresh, commit) are taken; every other command answers what
// setAnswer gave it (version, probe, one-byte questions, format C). The base of the simulated HID
// families and of the mesh modules.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/HeadsetModel.h"

namespace sim {

class BlockHeadsetModel : public HeadsetModel {
  public:
    static constexpr uint8_t kReadKey = 0x03, kWriteKey = 0x04, kRefreshKey = 0x10, kCommitKey = 0x11;

    // A key's words in host order; the reply carries them big-endian after the key and the count.
    void setKey(uint8_t key, std::vector<uint16_t> words);
    std::optional<std::vector<uint16_t>> key(uint8_t key) const;
    // Reads of the key answer this instead (a failed status, silence); a key never set fails.
    void setKeyAnswer(uint8_t key, Answer a);
    // Overrides the count byte of the key's replies (a count that lies about the words sent).
    void setKeyCount(uint8_t key, uint8_t count);

    // Replies of one byte at reply byte 3 (probe 0x12, FM 0x1A, motion 0x1B), and the version
    // bytes of command 0x01 from reply byte 3 (major, minor, secondary type, secondary version,
    // then whatever the family adds).
    void setByte(uint8_t command, uint8_t value, Format format = Format::A);
    void setVersion(std::vector<uint8_t> bytes, Format format = Format::A);

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

    // Words of a name as the headset keeps it: word 0 a length, then one character per word.
    static std::vector<uint16_t> nameWords(const std::string& name);
    // Words of a speed dial: one character per word, zero-filled to count words.
    static std::vector<uint16_t> textWords(const std::string& text, size_t count);

  private:
    std::map<uint8_t, std::vector<uint16_t>> keys_;
    std::map<uint8_t, Answer> keyAnswers_;
    std::map<uint8_t, uint8_t> keyCounts_;
};

}  // namespace sim
