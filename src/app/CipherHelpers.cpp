#include "app/CipherHelpers.h"

#include <mbedtls/des.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

// Two key sets of three DES keys each: the first for the stored password, the second for the
// activation token.
const unsigned char kPasswordKeys[24] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFE, 0xDC, 0xBA, 0x98,
                                         0x76, 0x54, 0x32, 0x10, 0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67};
const unsigned char kTokenKeys[24] = {0x3A, 0x6E, 0x68, 0x38, 0x60, 0x42, 0x51, 0x7C, 0x2D, 0x94, 0xE5, 0x0B,
                                      0xC1, 0x7F, 0x36, 0xA8, 0x5E, 0x13, 0xD0, 0x6B, 0x92, 0x4F, 0x27, 0xB4};

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::atomic<int> swapFlag{0};

void des3(const unsigned char keys[24], bool encrypt, unsigned char* data, size_t length) {
    mbedtls_des3_context ctx;
    mbedtls_des3_init(&ctx);
    if (encrypt)
        mbedtls_des3_set3key_enc(&ctx, keys);
    else
        mbedtls_des3_set3key_dec(&ctx, keys);
    for (size_t i = 0; i + 8 <= length; i += 8) mbedtls_des3_crypt_ecb(&ctx, data + i, data + i);
    mbedtls_des3_free(&ctx);
}

int letterValue(char c) {
    const char* p = c ? std::strchr(kAlphabet, c) : nullptr;
    return p ? static_cast<int>(p - kAlphabet) : -1;
}

// The padding of a base64 text whose letters and "=" signs are given: at most two "=", all at the
// end, and a length that is a multiple of four; -1 for any other text.
int paddingOf(const std::string& significant) {
    if (significant.size() % 4 != 0) return -1;
    size_t first = significant.find('=');
    if (first == std::string::npos) return 0;
    const size_t padding = significant.size() - first;
    if (padding > 2 || significant.find_first_not_of('=', first) != std::string::npos) return -1;
    return static_cast<int>(padding);
}

// Encodes n bytes into out (which holds 4 * ceil(n / 3) + 1); returns the text length.
int encodeInto(const unsigned char* bytes, size_t n, char* out, bool swap) {
    size_t o = 0;
    for (size_t i = 0; i < n; i += 3) {
        size_t left = n - i < 3 ? n - i : 3;
        unsigned char g[3] = {bytes[i], left > 1 ? bytes[i + 1] : uint8_t{0}, left > 2 ? bytes[i + 2] : uint8_t{0}};
        if (swap && left == 3) std::swap(g[0], g[2]);
        uint32_t v = (uint32_t{g[0]} << 16) | (uint32_t{g[1]} << 8) | g[2];
        out[o++] = kAlphabet[(v >> 18) & 63];
        out[o++] = kAlphabet[(v >> 12) & 63];
        out[o++] = left > 1 ? kAlphabet[(v >> 6) & 63] : '=';
        out[o++] = left > 2 ? kAlphabet[v & 63] : '=';
    }
    out[o] = '\0';
    return static_cast<int>(o);
}

}  // namespace

extern "C" {

int base64_encode(const unsigned char* bytes, size_t n, char** out) {
    size_t size = 4 * ((n + 2) / 3) + 1;
    *out = static_cast<char*>(std::malloc(size));
    if (!*out) return 0;
    encodeInto(bytes, n, *out, false);
    return static_cast<int>(size);
}

int base64_decode(const char* text, unsigned char* out, size_t capacity) {
    std::string significant;
    for (const char* p = text; *p; ++p)
        if (*p == '=' || letterValue(*p) >= 0) significant.push_back(*p);
    if (paddingOf(significant) < 0) return -1;
    size_t written = 0;
    uint32_t acc = 0;
    int bits = 0;
    for (const char* p = text; *p && written < capacity; ++p) {
        int v = letterValue(*p);
        if (v < 0) continue;
        acc = (acc << 6) | static_cast<uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out[written++] = static_cast<unsigned char>((acc >> bits) & 0xFF);
        }
    }
    return static_cast<int>(written);
}

int url_percent_encode(const char* text, char* out) {
    int o = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        unsigned char c = *p;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_') {
            out[o++] = static_cast<char>(c);
        } else {
            std::snprintf(out + o, 4, "%%%02X", c);
            o += 3;
        }
    }
    out[o] = '\0';
    return o;
}

int encrypt_string_3des_base64(const char* text, char** out) {
    size_t length = std::strlen(text);
    size_t padded = (length + 7) / 8 * 8;
    std::vector<unsigned char> block(padded, 0);
    if (length > 0) std::memcpy(block.data(), text, length);
    des3(kPasswordKeys, true, block.data(), padded);
    return base64_encode(block.data(), padded, out);
}

int decrypt_string_3des_base64(const char* text, unsigned char** out) {
    size_t capacity = std::strlen(text);
    std::vector<unsigned char> decoded(capacity + 1, 0);
    int n = std::max(0, base64_decode(text, decoded.data(), capacity));
    *out = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(n) + 1, 1));
    if (!*out) return 0;
    // Only whole blocks decrypt; a partial tail is not the cipher's and stays zero.
    size_t whole = static_cast<size_t>(n) / 8 * 8;
    std::memcpy(*out, decoded.data(), whole);
    des3(kPasswordKeys, false, *out, whole);
    return n;
}

int make_padded_token(const unsigned char bytes[10], char** out) {
    unsigned char reversed[10];
    for (int k = 0; k < 10; ++k) reversed[k] = bytes[9 - k];

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    int N = ((std::rand() % 254) + 3) % 256;
    int M = ((std::rand() % 256) + 1) % 256;
    int P = (8 - (N + M + 170) % 8) % 8;
    size_t S = static_cast<size_t>(N + M + 170 + P);

    std::vector<unsigned char> b(S);
    for (size_t i = 0; i < S; ++i) {
        int high = std::rand() % 16;
        int low = std::rand() % 16;
        b[i] = static_cast<unsigned char>((high << 4) | low);
    }
    // The header: where the two length bytes stand is itself random. N is never 1 or 2, so the
    // divisor N - 2 is never 0; with N = 0 it is -2.
    int R = static_cast<int32_t>(b[0]) % (N - 2);
    b[0] = static_cast<unsigned char>(R);
    b[static_cast<size_t>(R + 1)] = static_cast<unsigned char>((M + P) % 256);
    b[static_cast<size_t>(R + 2)] = static_cast<unsigned char>(N);
    for (int k = 0; k < 10; ++k) {
        size_t base = static_cast<size_t>(N + 1 + 17 * k);
        b[base + (b[base - 1] % 16)] = reversed[k];
    }
    des3(kTokenKeys, true, b.data(), S);

    char* text = nullptr;
    int size = base64_encode(b.data(), S, &text);
    if (!text) return 0;
    *out = static_cast<char*>(std::calloc(static_cast<size_t>(size) * 3, 1));
    int length = *out ? url_percent_encode(text, *out) : 0;
    std::free(text);
    return length;
}

void base64_set_swap(int swap) { swapFlag.store(swap); }

int base64_get_swap(void) { return swapFlag.load(); }

int base64_encode_swap(const unsigned char* bytes, size_t n, char* out) {
    return encodeInto(bytes, n, out, swapFlag.load() != 0);
}

int base64_decode_swap(const char* text, unsigned char* out, int* count) {
    size_t length = std::strlen(text);
    const int padding = paddingOf(std::string(text, length));
    if (padding < 0) {
        *count = 0;
        return -1;
    }
    bool swap = swapFlag.load() != 0;
    size_t o = 0;
    for (size_t i = 0; i + 4 <= length; i += 4) {
        uint32_t v = 0;
        for (size_t k = 0; k < 4; ++k) {
            int d = letterValue(text[i + k]);
            v = (v << 6) | static_cast<uint32_t>(d < 0 ? 0 : d);
        }
        unsigned char g[3] = {static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v)};
        // A final group with padding holds fewer than three bytes and is never reversed.
        bool last = i + 4 == length;
        if (swap && !(last && padding > 0)) std::swap(g[0], g[2]);
        for (unsigned char c : g) out[o++] = c;
    }
    *count = static_cast<int>(length / 4 * 3) - padding;
    return *count;
}

}  // extern "C"
