// Property lists made to hurt a reader: strings holding a NUL byte and containers nested far
// deeper than any archive we write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/KeyedArchive.h"

namespace test_support {

inline void appendBigEndian(std::vector<uint8_t>& b, uint64_t v, int size) {
    for (int i = size - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A binary property list of n arrays, each holding the next.
inline std::vector<uint8_t> nestedBinaryArrays(uint32_t n) {
    std::vector<uint8_t> b = {'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<uint64_t> offsets;
    for (uint32_t i = 0; i < n; ++i) {
        offsets.push_back(b.size());
        if (i + 1 < n) {
            b.push_back(0xA1);
            appendBigEndian(b, i + 1, 4);
        } else {
            b.push_back(0xA0);
        }
    }
    const uint64_t table = b.size();
    for (uint64_t o : offsets) appendBigEndian(b, o, 4);
    b.insert(b.end(), 6, 0);
    b.push_back(4);  // offset size
    b.push_back(4);  // reference size
    appendBigEndian(b, n, 8);
    appendBigEndian(b, 0, 8);
    appendBigEndian(b, table, 8);
    return b;
}

inline std::vector<uint8_t> nestedXmlArrays(uint32_t n) {
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    s.reserve(s.size() + n * 15 + 16);
    for (uint32_t i = 0; i < n; ++i) s += "<array>";
    for (uint32_t i = 0; i < n; ++i) s += "</array>";
    s += "</plist>\n";
    return {s.begin(), s.end()};
}

// An XML property list of piece n times over: with a piece that opens an array and hides its
// closing tag where the parser never sees one (a processing instruction, a document type), n
// arrays nested in one another.
inline std::vector<uint8_t> repeatedXml(uint32_t n, const std::string& piece) {
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    s.reserve(s.size() + n * piece.size() + 16);
    for (uint32_t i = 0; i < n; ++i) s += piece;
    s += "</plist>\n";
    return {s.begin(), s.end()};
}

// Arrays nested about 40,000 deep, each behind a processing instruction holding a '>' and a closing
// tag: under the archive cap, and deep enough to overflow the parser's stack.
inline std::vector<uint8_t> xmlArraysBehindInstructions() { return repeatedXml(40000, "<array><?a > </array> ?>"); }

// An XML property list whose "$archiver" string holds a NUL byte.
inline std::vector<uint8_t> xmlArchiverNameWithNul() {
    const std::string s = std::string("<plist><dict><key>$archiver</key><string>NSKeyed") + '\0' +
                          "Archiver</string></dict></plist>";
    return {s.begin(), s.end()};
}

// A binary keyed archive of the given class whose string under key holds a NUL byte in the middle.
inline std::vector<uint8_t> binaryArchiveWithNulInString(const std::string& className, const std::string& key) {
    platform::KeyedArchiver coder({className, "NSObject"});
    const std::string marked = "VELMAR#LUVEN";
    coder.encodeString(marked, key);
    std::vector<uint8_t> b = coder.finish();
    for (size_t i = 0; i + marked.size() <= b.size(); ++i)
        if (std::string(b.begin() + i, b.begin() + i + marked.size()) == marked) b[i + 6] = 0;
    return b;
}

}  // namespace test_support
