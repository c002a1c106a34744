#include "sim/RequestBytes.h"

#include <array>

namespace sim {

namespace {

constexpr size_t kHeader = 2;  // report id, command
// A chunk: bytes 2-3 the data length, high byte first, the data from byte 4 (the mesh module's
// record, byte 2 = 0 and byte 3 = the length, reads the same).
constexpr size_t kChunkHeader = 4;

struct Named {
    uint8_t command;
    size_t bytes;  // 0: a chunk, named up to the end of its data
};

// Commands whose byte 2 must be 0 (0x08, 0x13, 0x50) name nothing past the command: their 0 is
// checked with the unnamed bytes. A block read (0x03) names its key and, as every block request
// does, a word count.
constexpr std::array<Named, 22> kNamed = {{
    {0x01, kHeader},     {0x03, kHeader + 2}, {0x05, kHeader + 1}, {0x06, 0},           {0x07, kHeader},
    {0x08, kHeader},     {0x0A, kHeader},     {0x0D, kHeader},     {0x0E, 0},           {0x0F, kHeader},
    {0x12, kHeader},     {0x13, kHeader},     {0x20, kHeader},     {0x21, kHeader},     {0x22, kHeader},
    {0x47, kHeader},     {0x50, kHeader},     {0x52, kHeader},     {0x53, kHeader},     {0x59, kHeader + 1},
    {0x5A, kHeader + 4}, {0x5B, kHeader + 4},
}};

}  // namespace

std::optional<size_t> namedRequestBytes(const std::vector<uint8_t>& request) {
    if (request.size() < kChunkHeader) return std::nullopt;
    for (const Named& n : kNamed) {
        if (n.command != request[1]) continue;
        if (n.bytes != 0) return n.bytes;
        return kChunkHeader + static_cast<size_t>(request[2] << 8 | request[3]);
    }
    return std::nullopt;
}

std::optional<size_t> strayRequestByte(const std::vector<uint8_t>& request) {
    const std::optional<size_t> named = namedRequestBytes(request);
    if (!named) return std::nullopt;
    for (size_t i = *named; i < request.size(); ++i)
        if (request[i] != 0) return i;
    return std::nullopt;
}

}  // namespace sim
