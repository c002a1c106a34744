#include "platform/PlistNesting.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

namespace platform {
namespace {

uint64_t bigEndian(const uint8_t* p, unsigned size) {
    uint64_t v = 0;
    for (unsigned i = 0; i < size; ++i) v = (v << 8) | p[i];
    return v;
}

// The object table of a binary property list, every access checked against the file.
class BinaryPlist {
public:
    explicit BinaryPlist(const std::vector<uint8_t>& bytes) : b_(bytes) {}

    bool open() {
        const size_t n = b_.size();
        if (n < 8 + 32) return false;
        const uint8_t* t = b_.data() + n - 32;
        offsetSize_ = t[6];
        refSize_ = t[7];
        count_ = bigEndian(t + 8, 8);
        top_ = bigEndian(t + 16, 8);
        tableOffset_ = bigEndian(t + 24, 8);
        end_ = n - 32;
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
        if (count_ == 0 || count_ > n || top_ >= count_) return false;
        if (tableOffset_ < 8 || tableOffset_ > end_ || count_ * offsetSize_ > end_ - tableOffset_) return false;
        return true;
    }

    uint64_t count() const { return count_; }
    uint64_t top() const { return top_; }

    enum class Object { Sound, Malformed, NulInString };

    // The references object i holds (none for a scalar). A string holding a NUL is reported: the
    // parser would silently cut it there.
    Object inspect(uint64_t i, std::vector<uint64_t>* out) const {
        out->clear();
        const uint64_t at = bigEndian(b_.data() + tableOffset_ + i * offsetSize_, offsetSize_);
        if (at < 8 || at >= end_) return Object::Malformed;
        const uint8_t marker = b_[at];
        const unsigned type = marker >> 4;
        unsigned perEntry = 0;  // references per entry, or bytes per character for a string
        const bool string = type == 0x5 || type == 0x6;
        if (type == 0xA || type == 0xC) perEntry = 1;  // array, set
        else if (type == 0xD) perEntry = 2;           // dictionary: keys, then values
        else if (type == 0x5) perEntry = 1;           // ASCII string
        else if (type == 0x6) perEntry = 2;           // UTF-16 string
        else return Object::Sound;
        uint64_t pos = at + 1;
        uint64_t entries = marker & 0xF;
        if (entries == 0xF) {
            if (pos >= end_ || (b_[pos] >> 4) != 0x1) return Object::Malformed;
            const unsigned size = 1u << (b_[pos] & 0xF);
            if (size > 8 || pos + 1 + size > end_) return Object::Malformed;
            entries = bigEndian(b_.data() + pos + 1, size);
            pos += 1 + size;
        }
        if (entries > end_) return Object::Malformed;
        const uint64_t unit = string ? perEntry : perEntry * refSize_;
        if (entries * unit > end_ - pos) return Object::Malformed;
        if (string) {
            for (uint64_t k = 0; k < entries; ++k) {
                const uint8_t* c = b_.data() + pos + k * unit;
                if (c[0] == 0 && (unit == 1 || c[1] == 0)) return Object::NulInString;
            }
            return Object::Sound;
        }
        out->reserve(entries * perEntry);
        for (uint64_t k = 0; k < entries * perEntry; ++k) {
            const uint64_t ref = bigEndian(b_.data() + pos + k * refSize_, refSize_);
            if (ref >= count_) return Object::Malformed;
            out->push_back(ref);
        }
        return Object::Sound;
    }

private:
    const std::vector<uint8_t>& b_;
    unsigned offsetSize_ = 0, refSize_ = 0;
    uint64_t count_ = 0, top_ = 0, tableOffset_ = 0, end_ = 0;
};

bool startsWith(const std::vector<uint8_t>& b, size_t at, std::string_view text) {
    return at <= b.size() && b.size() - at >= text.size() && std::memcmp(b.data() + at, text.data(), text.size()) == 0;
}

// Index of the double quote that closes the run opened at open, or none.
std::optional<size_t> closingQuote(const std::vector<uint8_t>& b, size_t open) {
    const void* q = std::memchr(b.data() + open + 1, '"', b.size() - open - 1);
    if (!q) return std::nullopt;
    return static_cast<size_t>(static_cast<const uint8_t*>(q) - b.data());
}

// The XML parser skips a double-quoted run wherever it looks for the end of a tag, a processing
// instruction or a document type: a '>' or "?>" inside quotes ends nothing. Returns the index of the
// first byte at or after at that is one of stops (outside quotes), or the end of the bytes.
size_t findAny(const std::vector<uint8_t>& b, size_t at, std::string_view stops) {
    for (size_t i = at; i < b.size(); ++i) {
        if (b[i] == '"') {
            const auto close = closingQuote(b, i);
            if (!close) return b.size();
            i = *close;
            continue;
        }
        if (stops.find(static_cast<char>(b[i])) != std::string_view::npos) return i;
    }
    return b.size();
}

// Index just past the first occurrence of text at or after at, or the end of the bytes; with
// quoted, double-quoted runs are skipped as above.
size_t skipPast(const std::vector<uint8_t>& b, size_t at, std::string_view text, bool quoted = false) {
    for (size_t i = at; i + text.size() <= b.size(); ++i) {
        if (std::memcmp(b.data() + i, text.data(), text.size()) == 0) return i + text.size();
        if (quoted && b[i] == '"') {
            const auto close = closingQuote(b, i);
            if (!close) return b.size();
            i = *close;
        }
    }
    return b.size();
}

bool isSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Just past a document type: at its first '>', or, with an internal subset, at the "]>" after it.
size_t skipDocumentType(const std::vector<uint8_t>& b, size_t at) {
    const size_t stop = findAny(b, at, "[>");
    if (stop >= b.size()) return b.size();
    return b[stop] == '>' ? stop + 1 : skipPast(b, stop, "]>", true);
}

}  // namespace

NestingCheck binaryPlistNesting(const std::vector<uint8_t>& bytes, int maxDepth, uint64_t maxNodes) {
    BinaryPlist plist(bytes);
    if (!plist.open()) return NestingCheck::Malformed;
    // Depth of every finished object (0: not seen, -1: on the current path), so that shared
    // objects are walked once and a reference back into the path is a cycle; and the number of
    // nodes the parser would make of it.
    std::vector<int> depth(plist.count(), 0);
    std::vector<uint64_t> nodes(plist.count(), 0);
    struct Frame {
        uint64_t object;
        std::vector<uint64_t> children;
        size_t next = 0;
        int deepest = 0;
        uint64_t nodes = 1;
    };
    std::vector<Frame> path;
    auto enter = [&](uint64_t object) {
        Frame f{object, {}, 0, 0, 1};
        const BinaryPlist::Object found = plist.inspect(object, &f.children);
        if (found != BinaryPlist::Object::Sound)
            return found == BinaryPlist::Object::NulInString ? NestingCheck::NulInString : NestingCheck::Malformed;
        depth[object] = -1;
        path.push_back(std::move(f));
        return NestingCheck::WithinLimit;
    };
    auto add = [&](Frame& f, int childDepth, uint64_t childNodes) {
        f.deepest = std::max(f.deepest, childDepth);
        f.nodes += childNodes;
        return f.nodes <= maxNodes;
    };
    if (const NestingCheck e = enter(plist.top()); e != NestingCheck::WithinLimit) return e;
    while (!path.empty()) {
        if (static_cast<int>(path.size()) > maxDepth) return NestingCheck::TooDeep;
        Frame& f = path.back();
        if (f.next < f.children.size()) {
            const uint64_t child = f.children[f.next++];
            if (depth[child] == -1) return NestingCheck::TooDeep;
            if (depth[child] > 0) {
                if (!add(f, depth[child], nodes[child])) return NestingCheck::TooLarge;
                continue;
            }
            if (const NestingCheck e = enter(child); e != NestingCheck::WithinLimit) return e;
            continue;
        }
        const int d = f.deepest + 1;
        if (d > maxDepth) return NestingCheck::TooDeep;
        depth[f.object] = d;
        nodes[f.object] = f.nodes;
        const uint64_t n = f.nodes;
        path.pop_back();
        if (!path.empty() && !add(path.back(), d, n)) return NestingCheck::TooLarge;
    }
    return NestingCheck::WithinLimit;
}

NestingCheck xmlPlistNesting(const std::vector<uint8_t>& bytes, int maxDepth, uint64_t maxContainers) {
    // Markup is skipped exactly where the parser skips it, so no closing tag it never sees can
    // lower the count; and the containers in all are bounded too, which holds the depth down
    // whatever this walk and the parser may still disagree on.
    int open = 0;
    uint64_t containers = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != '<') {
            ++i;
            continue;
        }
        if (startsWith(bytes, i, "<!--")) {
            i = skipPast(bytes, i + 4, "-->");
            continue;
        }
        if (startsWith(bytes, i, "<![CDATA[")) {
            i = skipPast(bytes, i + 9, "]]>");
            continue;
        }
        if (startsWith(bytes, i, "<?")) {
            i = skipPast(bytes, i + 1, "?>", true);
            continue;
        }
        if (startsWith(bytes, i, "<!DOCTYPE")) {
            i = skipDocumentType(bytes, i + 9);
            continue;
        }
        const bool closing = startsWith(bytes, i, "</");
        const size_t nameStart = i + (closing ? 2 : 1);
        size_t nameEnd = nameStart;
        while (nameEnd < bytes.size() && !isSpace(bytes[nameEnd]) && bytes[nameEnd] != '<' && bytes[nameEnd] != '>')
            ++nameEnd;
        const size_t close =
            nameEnd < bytes.size() && bytes[nameEnd] == '>' ? nameEnd : findAny(bytes, nameEnd, "<>");
        if (close >= bytes.size()) break;  // the parser fails here
        if (bytes[close] == '<') {         // and here: a tag without its '>'
            i = close;
            continue;
        }
        const bool empty = bytes[close - 1] == '/';
        // "<array/>" names its element without the slash.
        const size_t nameLength = nameEnd - nameStart - (empty && nameEnd == close && nameEnd > nameStart ? 1 : 0);
        const std::string_view name(reinterpret_cast<const char*>(bytes.data()) + nameStart, nameLength);
        if (name == "array" || name == "dict") {
            if (closing) {
                if (open > 0) --open;
            } else {
                if (++containers > maxContainers) return NestingCheck::TooLarge;
                if (!empty && ++open > maxDepth) return NestingCheck::TooDeep;
            }
        }
        i = close + 1;
    }
    return NestingCheck::WithinLimit;
}

}  // namespace platform
