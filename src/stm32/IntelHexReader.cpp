// Intel HEX images, parsed whole at open into one contiguous image that starts at the base
// address. Records land at their absolute address, so their order does not matter; a byte given
// twice, or an image larger than any chip's flash, makes the file invalid.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "stm32/ImageReader.h"


namespace {

struct HexState {
    std::vector<uint8_t> image;
    std::vector<bool> given;  // which image bytes a data record set
    uint64_t readPos = 0;
    bool hasBase = false;
    uint32_t base = 0;
};

void* hexInit() { return new (std::nothrow) HexState; }

int hexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Two hex digits; -1 on end of file or any other character.
int readByte(FILE* f) {
    int hi = hexValue(std::getc(f));
    if (hi < 0) return -1;
    int lo = hexValue(std::getc(f));
    if (lo < 0) return -1;
    return hi * 16 + lo;
}

// Grows the image (0xFF-filled) to cover `end` bytes; refuses what no chip could hold.
int growTo(HexState* s, uint64_t end) {
    if (end > kLargestImage) return IMAGE_ERR_INVALID_FILE;
    if (end <= s->image.size()) return IMAGE_ERR_OK;
    try {
        s->image.resize(end, 0xFF);
        s->given.resize(end, false);
    } catch (const std::bad_alloc&) {
        return IMAGE_ERR_SYSTEM;
    }
    return IMAGE_ERR_OK;
}

int parse(HexState* s, FILE* f) {
    uint64_t segment = 0;
    for (;;) {
        int c = std::getc(f);
        if (c == EOF) return IMAGE_ERR_OK;
        if (c == '\r' || c == '\n') continue;
        if (c != ':') return IMAGE_ERR_INVALID_FILE;

        int count = readByte(f), addrHi = readByte(f), addrLo = readByte(f), type = readByte(f);
        if (count < 0 || addrHi < 0 || addrLo < 0 || type < 0) return IMAGE_ERR_INVALID_FILE;
        if (type > 5) return IMAGE_ERR_INVALID_FILE;
        if ((type == 2 || type == 4) && count != 2) return IMAGE_ERR_INVALID_FILE;
        unsigned sum = unsigned(count + addrHi + addrLo + type);
        uint8_t data[255];
        for (int i = 0; i < count; ++i) {
            int b = readByte(f);
            if (b < 0) return IMAGE_ERR_INVALID_FILE;
            data[i] = uint8_t(b);
            sum += unsigned(b);
        }
        int check = readByte(f);
        if (check < 0 || ((sum + unsigned(check)) & 0xFF) != 0) return IMAGE_ERR_INVALID_FILE;

        uint64_t address = uint64_t(addrHi) * 256 + uint64_t(addrLo);
        switch (type) {
        case 0: {
            // Before any extended address the base is 0.
            uint64_t absolute = segment + address;
            if (absolute < s->base) return IMAGE_ERR_INVALID_FILE;
            uint64_t at = absolute - s->base;
            if (int r = growTo(s, at + uint64_t(count)); r != IMAGE_ERR_OK) return r;
            for (int i = 0; i < count; ++i) {
                if (s->given[at + i]) return IMAGE_ERR_INVALID_FILE;
                s->given[at + i] = true;
                s->image[at + i] = data[i];
            }
            break;
        }
        case 1:
            return IMAGE_ERR_OK;
        case 2:
        case 4: {
            uint64_t value = uint64_t(data[0]) * 256 + data[1];
            segment = type == 2 ? value * 16 : value * 65536;
            if (s->image.empty() && !s->hasBase) {
                s->hasBase = true;
                s->base = uint32_t(segment);
            } else {
                if (segment < s->base) return IMAGE_ERR_INVALID_FILE;
                if (int r = growTo(s, segment - s->base); r != IMAGE_ERR_OK) return r;
            }
            break;
        }
        default:  // 3 and 5: start addresses, of no use to a flash write
            break;
        }
    }
}

int hexOpen(void* state, const char* name, bool forWriting) {
    if (forWriting) return IMAGE_ERR_RDONLY;
    auto* s = static_cast<HexState*>(state);
    // Opened without blocking, so a FIFO's name cannot hold the open until a writer comes.
    int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return IMAGE_ERR_SYSTEM;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return IMAGE_ERR_INVALID_FILE;
    }
    FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return IMAGE_ERR_SYSTEM;
    }
    int r = parse(s, f);
    // getc gives EOF on a read error too: a file cut short by one is no image.
    if (std::ferror(f)) r = IMAGE_ERR_SYSTEM;
    std::fclose(f);
    return r;
}

int hexClose(void* state) {
    delete static_cast<HexState*>(state);
    return IMAGE_ERR_OK;
}

uint32_t hexSize(void* state) { return uint32_t(static_cast<HexState*>(state)->image.size()); }

int hexRead(void* state, void* buffer, unsigned int* length) {
    auto* s = static_cast<HexState*>(state);
    uint64_t left = s->image.size() - s->readPos;
    unsigned int n = *length < left ? *length : unsigned(left);
    if (n) std::memcpy(buffer, s->image.data() + s->readPos, n);
    s->readPos += n;
    *length = n;
    return IMAGE_ERR_OK;
}

int hexWrite(void*, const void*, unsigned int) { return IMAGE_ERR_RDONLY; }

}  // namespace

const image_reader intel_hex_reader = {"Intel HEX", hexInit, hexOpen, hexClose, hexSize, hexRead, hexWrite};

bool intel_hex_base(void* state, uint32_t* base) {
    auto* s = static_cast<HexState*>(state);
    *base = s->base;
    return s->hasBase;
}

std::vector<image_span> intel_hex_named(void* state) {
    const auto& given = static_cast<HexState*>(state)->given;
    std::vector<image_span> runs;
    for (size_t i = 0; i < given.size(); ++i) {
        if (!given[i]) continue;
        if (!runs.empty() && runs.back().end == i)
            ++runs.back().end;
        else
            runs.push_back({uint32_t(i), uint32_t(i + 1)});
    }
    return runs;
}
