// What the HID families read of a loaded firmware archive: the entry count, the 32-byte part
// entries and the 312-byte block records, each checked against the image before use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace update {

struct PartEntry {
    uint8_t target = 0;  // type or target byte
    uint32_t kind = 0;   // the 32-bit field at +0 (the two-chip headsets' chip target)
    uint32_t offset = 0;
    uint32_t length = 0;
};

struct BlockRecord {
    uint32_t number = 0;  // block number, or block type
    uint32_t flag = 0;    // 1: compare versions first; or the block id
    uint32_t offset = 0;
    uint32_t length = 0;
    std::array<uint32_t, 5> versions{};
    std::array<uint8_t, 16> digest{};  // MD5 of the data
};

class ArchiveLayout {
  public:
    ArchiveLayout(const unsigned char* image, size_t size) : image_(image), size_(size) {}

    // The signed 32-bit count at byte 32; 0 for an image too short to hold it.
    int32_t count() const;
    // The entry or record at index k with its data inside the image; none when k is not below
    // the count or the entry or its data lies outside the image.
    std::optional<PartEntry> part(int32_t k) const;
    std::optional<BlockRecord> block(int32_t k) const;
    // Every block record 0..count-1 sound (a count of 0 or less has none to check).
    bool allBlocksInside() const;
    // The listed part entries sound.
    bool partsInside(std::initializer_list<int32_t> indexes) const;

  private:
    const unsigned char* image_;
    size_t size_;
};

}  // namespace update
