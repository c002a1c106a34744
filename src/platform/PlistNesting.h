// How deeply a property list's containers nest, found without building it: the parser that
// builds it recurses once per level and would overflow the stack on a hostile file.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

enum class NestingCheck { WithinLimit, TooDeep, TooLarge, NulInString, Malformed };

// A keyed archive nests its objects a few levels deep and has a few hundred; this leaves ample
// room.
inline constexpr int kMaxArchiveNesting = 32;
inline constexpr uint64_t kMaxArchiveNodes = 100000;
// Ours hold a handful of containers (the archive, its top, its objects, a class, a date).
inline constexpr uint64_t kMaxArchiveContainers = 1000;

// Walks the object table of a "bplist00" file once (each object and reference at most once).
// References that form a cycle count as too deep. The parser copies an object once per reference
// to it, so a few kilobytes of shared references can stand for billions of nodes: more than
// maxNodes is too large. A string holding a NUL (which the parser would cut there) is reported;
// a table, reference or string outside the file is malformed.
NestingCheck binaryPlistNesting(const std::vector<uint8_t>& bytes, int maxDepth, uint64_t maxNodes);

// Counts <array> and <dict> elements open at once (more than maxDepth: too deep) and in all (more
// than maxContainers: too large). Comments, CDATA sections, processing instructions and document
// types are skipped as the parser skips them, quoted runs included.
NestingCheck xmlPlistNesting(const std::vector<uint8_t>& bytes, int maxDepth,
                             uint64_t maxContainers = kMaxArchiveContainers);

}  // namespace platform
