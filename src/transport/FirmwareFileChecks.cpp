#include "transport/FirmwareFileChecks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Files.h"

namespace {

// Products whose archives carry the long part table (312-byte entries) after the short one.
constexpr uint16_t kLongEntryProducts[] = {
    0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110, 0x3112,
    0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3136, 0x3140, 0x3142, 0x3144, 0x3146,
    0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
    0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321B, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310,
    0x3320, 0x3330, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380, 0x3400, 0x3410, 0x3420, 0x3430, 0x3500,
    0x3540, 0x3550, 0x3560, 0x3570, 0x3701, 0x3800, 0x4023, 0x4050, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x5320,
    0x5330, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434,
    0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532,
    0x5534, 0x5536, 0x5538, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5564, 0x5570, 0x5576, 0x5580, 0x5590,
    0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5596, 0x5597, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622,
    0x5623, 0x5624, 0x5630, 0x5632, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018,
    0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6042, 0x6112, 0x6114, 0x6210, 0x6310,
    0x6320, 0x6330, 0x6335, 0x6400, 0x6461, 0x6481, 0x6491, 0x6500, 0x6510, 0x6600, 0x6610, 0x6620, 0x6700,
    0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6808, 0x6810, 0x6811, 0x6812, 0x6814, 0x6815, 0x6816,
    0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838, 0x6839, 0x683A, 0x6840, 0x6900, 0x6910,
    0x6A01, 0x6A02, 0x6A03, 0x6A04,
};
static_assert(std::size(kLongEntryProducts) == 199);
static_assert(std::is_sorted(std::begin(kLongEntryProducts), std::end(kLongEntryProducts)));

// The in-memory check also reads 0x321C archives from the long table; the file loader does not.
constexpr int kLongEntryOnlyWhenChecking = 0x321C;

enum class PartTables { loader, checker };

bool uses_long_entries(int product_id, PartTables tables) {
    if (tables == PartTables::checker && product_id == kLongEntryOnlyWhenChecking) return true;
    return product_id >= 0 && product_id <= 0xFFFF &&
           std::binary_search(std::begin(kLongEntryProducts), std::end(kLongEntryProducts),
                              static_cast<uint16_t>(product_id));
}


// Archive header and part-table layout.
constexpr long kHeaderSize = 36;
constexpr long kModelNameSize = 24;
constexpr long kShortEntrySize = 32;
constexpr long kLongEntrySize = 312;
constexpr long kShortDigestOffset = 16;
constexpr long kLongDigestOffset = 296;
constexpr long kImageNameOffset = 16;

const char kCorrupted[] = "Firmware corrupted";

uint32_t le32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void set_message(char* message, const char* text) {
    if (message) std::snprintf(message, FIRMWARE_MESSAGE_SIZE, "%s", text);
}

// Reads the whole regular file into a new buffer. Returns its size, or -1 with the message set and
// nothing left allocated. A file that shrinks under us is a failed load, never a read past its end.
long load_file(const char* path, unsigned char** out, char* message) {
    // The descriptor is checked, not the path: a FIFO swapped in after a check of the path would
    // block the open, and O_NONBLOCK keeps even that open from waiting.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        struct stat st;
        set_message(message, stat(path, &st) != 0 ? "Cannot access firmware" : "Cannot open firmware");
        return -1;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        set_message(message, "Cannot access firmware");
        return -1;
    }
    // No image of any family comes near the cap; a larger file is not firmware and must not cost
    // its size in memory before that is found.
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > platform::kLargeFileCap) {
        close(fd);
        set_message(message, kCorrupted);
        return -1;
    }
    const auto size = static_cast<size_t>(st.st_size);
    auto* buffer = static_cast<unsigned char*>(std::malloc(size > 0 ? size : 1));
    if (!buffer) {
        close(fd);
        set_message(message, "Cannot allocate file buffer");
        return -1;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    if (done < size) {
        std::free(buffer);
        set_message(message, "Cannot load firmware");
        return -1;
    }
    *out = buffer;
    return static_cast<long>(size);
}

// The release encoded in a model name such as "XYZ v1.2.3.1": each '.', 'v' or 'd' in the first 15
// characters followed by digits gives one component, the first four weighted 10^6, 10^4, 10^2, 1.
long long archive_name_version(const unsigned char* header, int* found) {
    constexpr int kChars = 15;
    // A component is capped so that an absurd run of digits cannot overflow the sum.
    constexpr long long kComponentCap = 99999999;
    char text[kChars + 1] = {};
    std::memcpy(text, header, strnlen(reinterpret_cast<const char*>(header), kChars));
    const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    long long components[4] = {};
    int count = 0;
    for (int i = 0; i <= kChars - 2 && count < 4; ++i) {
        if (text[i] != '.' && text[i] != 'v' && text[i] != 'd') continue;
        int j = i + 1;
        if (!is_digit(text[j])) continue;
        long long value = 0;
        for (; j < kChars && is_digit(text[j]); ++j)
            value = std::min(value * 10 + (text[j] - '0'), kComponentCap);
        components[count++] = value;
    }
    *found = count;
    return components[0] * 1000000 + components[1] * 10000 + components[2] * 100 + components[3];
}

// Model names of some older archives carry bytes after their terminator; their header product id
// is left unexamined for the 0x4210/0x4220 family.
bool model_name_has_trailing_bytes(const unsigned char* header) {
    const size_t length = strnlen(reinterpret_cast<const char*>(header), kModelNameSize);
    for (size_t i = length + 1; i < static_cast<size_t>(kModelNameSize); ++i)
        if (header[i] != 0) return true;
    return false;
}

bool header_accepts(const unsigned char* archive, int product_id) {
    const uint32_t header_id = le32(archive + 28);
    if (product_id == 0x4210 || product_id == 0x4220) {
        return model_name_has_trailing_bytes(archive) || header_id == 0 || header_id == 0x4210 ||
               header_id == 0x4220;
    }
    if (product_id == 0x3233 && header_id == 0x3232) {
        // The older sibling's archive fits only from the release that supports this product.
        std::printf("RERU POWER\r");
        int found = 0;
        const long long version = archive_name_version(archive, &found);
        std::printf("BB %lld %d\r\n", version, found);
        return version >= 1020301;
    }
    return header_id == static_cast<uint32_t>(product_id);
}

bool archive_is_sound(const unsigned char* archive, int product_id, long size, PartTables tables) {
    if (!archive || size < kHeaderSize) return false;
    if (!header_accepts(archive, product_id)) return false;
    const auto count = static_cast<int32_t>(le32(archive + 32));
    if (count <= 0) return true;

    const bool long_entries = uses_long_entries(product_id, tables);
    const long long entry_size = long_entries ? kLongEntrySize : kShortEntrySize;
    const long long table = kHeaderSize + (long_entries ? kShortEntrySize * count : 0);
    if (table + entry_size * count > size) return false;
    const long digest_offset = long_entries ? kLongDigestOffset : kShortDigestOffset;

    for (int32_t k = 0; k < count; ++k) {
        const unsigned char* entry = archive + table + entry_size * k;
        const uint32_t offset = le32(entry + 8);
        const uint32_t length = le32(entry + 12);
        if (uint64_t(offset) + length > uint64_t(size)) return false;
        unsigned char digest[16];
        md5_context context;
        md5_init(&context);
        md5_update(&context, archive + offset, length);
        md5_final(digest, &context);
        if (std::memcmp(digest, entry + digest_offset, sizeof digest) != 0) return false;
    }
    return true;
}

}  // namespace

extern "C" {

long firmware_check_dfu_file(const char* path, unsigned char** out, char* message, const char* expected) {
    if (out) *out = nullptr;
    if (!path || !out || !expected) {
        set_message(message, "Cannot access firmware");
        return 0;
    }
    unsigned char* buffer = nullptr;
    const long size = load_file(path, &buffer, message);
    if (size < 0) return 0;

    // A file with no byte after the 16-byte image header has no name field and no room for both
    // header and trailer; its size - 16 could not be reported as a success either.
    bool sound = size > kImageNameOffset;
    if (sound) {
        uint32_t crc = crc32_init();
        for (long i = 0; i < size - 4; ++i) crc = crc32_byte(crc, buffer[i]);
        sound = crc == le32(buffer + size - 4);
    }
    if (!sound) {
        std::free(buffer);
        set_message(message, kCorrupted);
        return 0;
    }

    const size_t expected_length = std::strlen(expected);
    const unsigned char* name = buffer + kImageNameOffset;
    const bool named = expected_length <= size_t(size - kImageNameOffset) &&
                       std::memcmp(name, expected, expected_length) == 0;
    const bool hembrin = name[0] == ' ' && std::strncmp(expected, "HEMBRIN", 7) == 0;
    if (!named && !hembrin) {
        std::free(buffer);
        // The expected text is "<name>#<product id>"; the user is shown the name only.
        const size_t shown = std::min(std::strcspn(expected, "#"), size_t(FIRMWARE_MESSAGE_SIZE));
        if (message)
            std::snprintf(message, FIRMWARE_MESSAGE_SIZE, "Firmware not for %.*s", int(shown), expected);
        return 0;
    }
    set_message(message, "Finished checking firmware");
    *out = buffer;
    return size - kImageNameOffset;
}

long firmware_load_archive(const char* path, unsigned char** out, char* message, int product_id) {
    if (out) *out = nullptr;
    if (!path || !out) {
        set_message(message, "Cannot access firmware");
        return 0;
    }
    unsigned char* buffer = nullptr;
    const long size = load_file(path, &buffer, message);
    if (size < 0) return 0;
    if (!archive_is_sound(buffer, product_id, size, PartTables::loader)) {
        std::free(buffer);
        set_message(message, kCorrupted);
        return 0;
    }
    *out = buffer;
    return size;
}

long firmware_check_archive(const unsigned char* archive, char* message, int product_id, long size) {
    if (!archive_is_sound(archive, product_id, size, PartTables::checker)) {
        set_message(message, kCorrupted);
        return 0;
    }
    return size;
}

void md5_init(md5_context* context) {
    mbedtls_md5_init(context);
    mbedtls_md5_starts_ret(context);
}

void md5_update(md5_context* context, const unsigned char* bytes, uint32_t length) {
    mbedtls_md5_update_ret(context, bytes, length);
}

void md5_final(unsigned char digest[16], md5_context* context) {
    mbedtls_md5_finish_ret(context, digest);
    mbedtls_md5_free(context);
}
}
