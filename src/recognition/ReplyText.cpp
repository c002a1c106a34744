#include "recognition/ReplyText.h"

#include <string>

namespace recognition {

namespace {

bool validUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t extra;
        uint32_t code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            code = code << 6 | (d & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        static const uint32_t lowest[] = {0, 0x80, 0x800, 0x10000};
        if (code < lowest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

platform::OptString utf8Text(const uint8_t* bytes, size_t max) {
    size_t n = 0;
    while (n < max && bytes[n] != 0) ++n;
    std::string text(reinterpret_cast<const char*>(bytes), n);
    if (!validUtf8(text)) return std::nullopt;
    return text;
}

}  // namespace recognition
