// Which bytes of a format A command request the firmware roads name: report id and command, then
// each command's own bytes (a selector, a block number, a length with its data, a CRC). The
// headsets of those roads take a request whose every other byte is 0; a byte past the named ones
// that is not 0 is a request the headset does not understand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

// How a headset takes the bytes a request leaves unnamed.
enum class RequestBytes {
    zeroFilled,  // every unnamed byte is 0 (the QCC, mesh and two-chip guard roads)
    carried,     // one buffer serves every request: unnamed bytes keep what the last one left
};

// How many leading bytes of the request its command names; nullopt for a command outside the
// firmware roads (not checked).
std::optional<size_t> namedRequestBytes(const std::vector<uint8_t>& request);
// The first byte past the named ones that is not 0, or nullopt when there is none.
std::optional<size_t> strayRequestByte(const std::vector<uint8_t>& request);

}  // namespace sim
