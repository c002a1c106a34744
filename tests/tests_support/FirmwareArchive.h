// Firmware archives as the HID families and the archive check read them, built by the tests: a
// 36-byte header (model name, product id at 28, count at 32), a table of 32-byte part entries
// (type or target byte at +4, offset at +8, length at +12, MD5 at +16), for the long layout a
// table of 312-byte block records describing the same parts (number or type at +0, flag or id at
// +4, offset at +8, length at +12, five versions from +16, MD5 at +296), then the data. Helpers
// spoil a built archive in the ways a damaged file is.
#pragma once

#include <mbedtls/md5.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test_support {

using ArchiveBytes = std::vector<unsigned char>;

enum class Layout { short_table, long_table };

struct ArchiveEntry {
    ArchiveEntry(const char* text) : data(text, text + std::strlen(text)) {}
    ArchiveEntry(const std::string& text) : data(text.begin(), text.end()) {}
    ArchiveEntry(std::vector<unsigned char> bytes) : data(std::move(bytes)) {}

    std::vector<unsigned char> data;
    uint8_t target = 0;                  // part entry +4
    uint32_t word0 = 0x5A5A5A5A;         // part entry +0 (a two-chip headset's chip target)
    uint32_t number = 0;                 // block record +0: block number or type
    uint32_t flag = 0;                   // block record +4: compare versions, or block id
    std::array<uint32_t, 5> versions{};  // block record +16..+32
};

struct ArchiveRecipe {
    std::string model_name = "ZELTA";  // up to 24 bytes; the rest of the field is zero
    uint32_t header_id = 0x2100;
    Layout layout = Layout::short_table;
    std::vector<ArchiveEntry> parts = {"first part", "the second, longer part \x01\x02\x03"};
    bool short_digests_sound = true;
    bool long_digests_sound = true;  // only with Layout::long_table
};

inline void put32(ArchiveBytes& data, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) data[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

inline constexpr size_t kArchiveHeader = 36, kPartEntry = 32, kBlockRecord = 312;

// Where part entry k and block record k of an archive of `count` entries begin.
inline size_t partEntryAt(size_t k) { return kArchiveHeader + kPartEntry * k; }
inline size_t blockRecordAt(size_t count, size_t k) {
    return kArchiveHeader + kPartEntry * count + kBlockRecord * k;
}

inline ArchiveBytes make_archive(const ArchiveRecipe& recipe) {
    const size_t count = recipe.parts.size();
    const bool long_layout = recipe.layout == Layout::long_table;
    size_t at = kArchiveHeader + kPartEntry * count + (long_layout ? kBlockRecord * count : 0);
    ArchiveBytes archive(at, 0);
    std::memcpy(archive.data(), recipe.model_name.data(), std::min<size_t>(recipe.model_name.size(), 24));
    put32(archive, 24, 0xA5A5A5A5);
    put32(archive, 28, recipe.header_id);
    put32(archive, 32, static_cast<uint32_t>(count));
    for (size_t k = 0; k < count; ++k) {
        const ArchiveEntry& part = recipe.parts[k];
        unsigned char digest[16];
        mbedtls_md5_ret(part.data.data(), part.data.size(), digest);
        const size_t entry = partEntryAt(k);
        std::memset(&archive[entry], 0x5A, 8);
        put32(archive, entry, part.word0);
        archive[entry + 4] = part.target;
        put32(archive, entry + 8, static_cast<uint32_t>(at));
        put32(archive, entry + 12, static_cast<uint32_t>(part.data.size()));
        if (recipe.short_digests_sound) std::memcpy(&archive[entry + 16], digest, 16);
        if (long_layout) {
            const size_t record = blockRecordAt(count, k);
            std::memset(&archive[record + 36], 0x3C, 260);
            put32(archive, record + 0, part.number);
            put32(archive, record + 4, part.flag);
            put32(archive, record + 8, static_cast<uint32_t>(at));
            put32(archive, record + 12, static_cast<uint32_t>(part.data.size()));
            for (size_t v = 0; v < 5; ++v) put32(archive, record + 16 + 4 * v, part.versions[v]);
            if (recipe.long_digests_sound) std::memcpy(&archive[record + 296], digest, 16);
        }
        archive.insert(archive.end(), part.data.begin(), part.data.end());
        at += part.data.size();
    }
    return archive;
}

// ---- damaged archives --------------------------------------------------------------------------

inline ArchiveBytes with_count(ArchiveBytes a, int32_t count) {
    put32(a, 32, static_cast<uint32_t>(count));
    return a;
}

inline ArchiveBytes with_header_id(ArchiveBytes a, uint32_t id) {
    put32(a, 28, id);
    return a;
}

// Offset and length of entry k in both tables (an archive of `count` entries; the long table
// only when the layout has one).
inline ArchiveBytes with_bounds(ArchiveBytes a, size_t count, size_t k, Layout layout, uint32_t offset,
                                uint32_t length) {
    put32(a, partEntryAt(k) + 8, offset);
    put32(a, partEntryAt(k) + 12, length);
    if (layout == Layout::long_table) {
        put32(a, blockRecordAt(count, k) + 8, offset);
        put32(a, blockRecordAt(count, k) + 12, length);
    }
    return a;
}

// One digest byte of entry k changed in both tables.
inline ArchiveBytes with_bad_md5(ArchiveBytes a, size_t count, size_t k, Layout layout) {
    a[partEntryAt(k) + 16] ^= 0x01;
    if (layout == Layout::long_table) a[blockRecordAt(count, k) + 296] ^= 0x01;
    return a;
}

}  // namespace test_support
