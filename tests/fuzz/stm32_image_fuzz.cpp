// The boot-loader program's image readers, reading the input from a file as they do (a memory
// file passed by path). A HEX image is checked against a walk of the records written apart from
// the reader: the same files accepted, the same bytes at the same places, the same named bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "stm32/ImageReader.h"

namespace {

using Bytes = std::vector<uint8_t>;

// What a HEX file stands for, found record by record.
struct Walk {
    bool valid = true;
    bool hasBase = false;
    uint64_t base = 0;
    uint64_t length = 0;                 // the image's length from the base
    std::map<uint64_t, uint8_t> named;   // absolute address -> byte
};

std::optional<unsigned> hexPair(const std::string& text, size_t at) {
    static const std::string digits = "0123456789abcdef";
    if (at + 2 > text.size()) return std::nullopt;
    unsigned value = 0;
    for (size_t i = at; i < at + 2; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'F') c = char(c - 'A' + 'a');
        size_t d = c ? digits.find(c) : std::string::npos;
        if (d == std::string::npos) return std::nullopt;
        value = value * 16 + unsigned(d);
    }
    return value;
}

Walk walk(const std::string& text) {
    constexpr uint64_t largest = 2u * 1024 * 1024;  // the largest flash of any chip
    Walk w;
    uint64_t segment = 0;
    size_t at = 0;
    auto invalid = [&w] {
        w.valid = false;
        return w;
    };
    while (at < text.size()) {
        if (text[at] == '\r' || text[at] == '\n') {
            ++at;
            continue;
        }
        if (text[at] != ':') return invalid();
        ++at;
        std::vector<unsigned> fields;  // count, address high, address low, type, data..., checksum
        for (int i = 0; i < 4; ++i, at += 2) {
            auto v = hexPair(text, at);
            if (!v) return invalid();
            fields.push_back(*v);
        }
        const unsigned count = fields[0], type = fields[3];
        if (type > 5 || ((type == 2 || type == 4) && count != 2)) return invalid();
        for (unsigned i = 0; i <= count; ++i, at += 2) {
            auto v = hexPair(text, at);
            if (!v) return invalid();
            fields.push_back(*v);
        }
        unsigned sum = 0;
        for (unsigned v : fields) sum += v;
        if (sum % 256 != 0) return invalid();
        const uint64_t offset = fields[1] * 256 + fields[2];
        const unsigned* data = fields.data() + 4;
        if (type == 1) return w;
        if (type == 0) {
            const uint64_t address = segment + offset;
            if (address < w.base || address - w.base + count > largest) return invalid();
            for (unsigned i = 0; i < count; ++i)
                if (!w.named.emplace(address + i, uint8_t(data[i])).second) return invalid();
            w.length = std::max(w.length, address - w.base + count);
        } else if (type == 2 || type == 4) {
            segment = uint64_t(data[0] * 256 + data[1]) << (type == 2 ? 4 : 16);
            if (w.length == 0 && !w.hasBase) {
                w.hasBase = true;
                w.base = segment;
            } else {
                if (segment < w.base || segment - w.base > largest) return invalid();
                w.length = std::max(w.length, segment - w.base);
            }
        }
    }
    return w;
}

Bytes readAll(const image_reader& reader, void* state) {
    Bytes out(reader.size(state));
    unsigned n = unsigned(out.size());
    if (reader.read(state, out.data(), &n) != IMAGE_ERR_OK || n != out.size()) std::abort();
    unsigned more = 1;
    uint8_t extra = 0;
    if (reader.read(state, &extra, &more) != IMAGE_ERR_OK || more != 0) std::abort();
    return out;
}

void checkHex(const std::string& path, const std::string& text) {
    void* state = intel_hex_reader.init();
    const int r = intel_hex_reader.open(state, path.c_str(), false);
    const Walk w = walk(text);
    if (r == IMAGE_ERR_SYSTEM) {  // out of memory: nothing to compare
        intel_hex_reader.close(state);
        return;
    }
    if ((r == IMAGE_ERR_OK) != w.valid) std::abort();
    if (r == IMAGE_ERR_OK) {
        uint32_t base = 0;
        if (intel_hex_base(state, &base) != w.hasBase || base != w.base) std::abort();
        const Bytes image = readAll(intel_hex_reader, state);
        if (image.size() != w.length) std::abort();
        Bytes expected(w.length, 0xFF);
        for (const auto& [address, byte] : w.named) expected[address - w.base] = byte;
        if (image != expected) std::abort();
        // The named runs cover exactly the walk's named bytes, in order and apart.
        uint64_t covered = 0, previousEnd = 0;
        bool first = true;
        for (const image_span& run : intel_hex_named(state)) {
            if (run.start >= run.end || (!first && run.start <= previousEnd)) std::abort();
            for (uint64_t i = run.start; i < run.end; ++i)
                if (!w.named.count(w.base + i)) std::abort();
            covered += run.end - run.start;
            previousEnd = run.end;
            first = false;
        }
        if (covered != w.named.size()) std::abort();
    }
    intel_hex_reader.close(state);
}

void checkRaw(const std::string& path, const Bytes& content) {
    void* state = raw_binary_reader.init();
    if (raw_binary_reader.open(state, path.c_str(), false) != IMAGE_ERR_OK) std::abort();
    if (readAll(raw_binary_reader, state) != content) std::abort();
    raw_binary_reader.close(state);
}

}  // namespace

// The first byte chooses the reader (bit 0: raw binary); the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool raw = size && (data[0] & 1);
    const uint8_t* rest = size ? data + 1 : data;
    const size_t length = size ? size - 1 : 0;
    const int fd = memfd_create("image", MFD_CLOEXEC);
    if (fd < 0) return 0;
    if (length && write(fd, rest, length) != static_cast<ssize_t>(length)) {
        close(fd);
        return 0;
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (raw)
        checkRaw(path, Bytes(rest, rest + length));
    else
        checkHex(path, std::string(reinterpret_cast<const char*>(rest), length));
    close(fd);
    return 0;
}
