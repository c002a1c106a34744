#include "update/ArchiveLayout.h"

#include <algorithm>

namespace update {

namespace {

constexpr uint64_t kHeader = 36, kPartEntry = 32, kBlockRecord = 312;

uint32_t le32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

int32_t ArchiveLayout::count() const {
    if (!image_ || size_ < kHeader) return 0;
    return static_cast<int32_t>(le32(image_ + 32));
}

std::optional<PartEntry> ArchiveLayout::part(int32_t k) const {
    const int32_t n = count();
    if (k < 0 || k >= n) return std::nullopt;
    const uint64_t at = kHeader + kPartEntry * static_cast<uint64_t>(k);
    if (at + kPartEntry > size_) return std::nullopt;
    const unsigned char* e = image_ + at;
    PartEntry entry{e[4], le32(e), le32(e + 8), le32(e + 12)};
    if (uint64_t(entry.offset) + entry.length > size_) return std::nullopt;
    return entry;
}

std::optional<BlockRecord> ArchiveLayout::block(int32_t k) const {
    const int32_t n = count();
    if (k < 0 || k >= n) return std::nullopt;
    const uint64_t at = kHeader + kPartEntry * static_cast<uint64_t>(n) + kBlockRecord * static_cast<uint64_t>(k);
    if (at + kBlockRecord > size_) return std::nullopt;
    const unsigned char* r = image_ + at;
    BlockRecord record{le32(r), le32(r + 4), le32(r + 8), le32(r + 12), {}};
    for (size_t v = 0; v < record.versions.size(); ++v) record.versions[v] = le32(r + 16 + 4 * v);
    std::copy(r + 296, r + 312, record.digest.begin());
    if (uint64_t(record.offset) + record.length > size_) return std::nullopt;
    return record;
}

bool ArchiveLayout::allBlocksInside() const {
    const int32_t n = count();
    for (int32_t k = 0; k < n; ++k)
        if (!block(k)) return false;
    return true;
}

bool ArchiveLayout::partsInside(std::initializer_list<int32_t> indexes) const {
    for (int32_t k : indexes)
        if (!part(k)) return false;
    return true;
}

}  // namespace update
