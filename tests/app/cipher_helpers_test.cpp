// The stored-password cipher, the token builder and their encodings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/CipherHelpers.h"

namespace {
std::string take(char* p) {
    std::string s = p ? p : "";
    std::free(p);
    return s;
}
}  // namespace

TEST(CipherHelpers, PasswordEncryptionMatchesTripleDesAndRoundTrips) {
    char* text = nullptr;
    // Known answers from `openssl enc -des-ede3 -nopad` under the password key set.
    EXPECT_EQ(encrypt_string_3des_base64("password", &text), 13);
    EXPECT_EQ(take(text), "IvhknutLtu8=");

    EXPECT_EQ(encrypt_string_3des_base64("nine char", &text), 25);  // 9 characters: 16 bytes
    std::string encrypted = take(text);
    EXPECT_EQ(encrypted, "rgXylQaKPFD7pGEOwS21Fg==");
    unsigned char* plain = nullptr;
    EXPECT_EQ(decrypt_string_3des_base64(encrypted.c_str(), &plain), 16);
    EXPECT_STREQ(reinterpret_cast<char*>(plain), "nine char");
    for (int i = 9; i < 17; ++i) EXPECT_EQ(plain[i], 0);
    std::free(plain);

    EXPECT_EQ(encrypt_string_3des_base64("", &text), 1);
    EXPECT_EQ(take(text), "");
}

TEST(CipherHelpers, Base64AndPercentEncoding) {
    char* text = nullptr;
    EXPECT_EQ(base64_encode(reinterpret_cast<const unsigned char*>("ABCD"), 4, &text), 9);
    EXPECT_EQ(take(text), "QUJDRA==");

    unsigned char out[8] = {};
    EXPECT_EQ(base64_decode("QUJD\n", out, sizeof out), 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 3), "ABC");
    std::memset(out, 0, sizeof out);
    EXPECT_EQ(base64_decode("QUJD\n", out, 2), 2);
    EXPECT_EQ(out[2], 0);  // nothing past the capacity

    char encoded[32] = {};
    EXPECT_EQ(url_percent_encode("a+b=9", encoded), 9);
    EXPECT_STREQ(encoded, "a%2Bb%3D9");
}

TEST(CipherHelpers, SwapFlagReversesEachWholeGroup) {
    const unsigned char bytes[] = {'A', 'B', 'C', 'D', 'E'};
    char text[16] = {};
    unsigned char back[16] = {};
    int count = 0;
    for (int swap : {0, 1}) {
        base64_set_swap(swap);
        base64_encode_swap(bytes, 5, text);
        EXPECT_STREQ(text, swap ? "Q0JBREU=" : "QUJDREU=");
        EXPECT_EQ(base64_decode_swap(text, back, &count), 5);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 5), "ABCDE");
    }
    base64_set_swap(0);
}

TEST(CipherHelpers, TokenIsPercentEncodedBase64OfWholeBlocks) {
    const unsigned char id[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int round = 0; round < 3; ++round) {
        char* token = nullptr;
        int length = make_padded_token(id, &token);
        std::string t = take(token);
        EXPECT_EQ(static_cast<size_t>(length), t.size());
        // Undo the percent-encoding, then the base64: a whole number of cipher blocks.
        std::string b64;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '%') {
                b64 += static_cast<char>(std::strtol(t.substr(i + 1, 2).c_str(), nullptr, 16));
                i += 2;
            } else {
                b64 += t[i];
            }
        }
        std::string raw(b64.size(), '\0');
        int n = base64_decode(b64.c_str(), reinterpret_cast<unsigned char*>(raw.data()), raw.size());
        EXPECT_EQ(n % 8, 0);
        EXPECT_GE(n, 170);
    }
}

TEST(CipherHelpers, OnlyAFinalPaddingOfAtMostTwoCounts) {
    const struct {
        const char* text;
        int decoded;  // -1: refused
    } cases[] = {
        {"", 0},           {"QUJD", 3},     {"QUI=", 2},     {"QQ==", 1},     {"QUJDREU=", 5},
        {"=", -1},         {"====", -1},    {"Q===", -1},    {"A=AAAAAA", -1}, {"QQ==QUJD", -1},
        {"QUJ", -1},       {"Q=I=", -1},
    };
    for (int swap = 0; swap < 2; ++swap) {
        base64_set_swap(swap);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.text) + (swap ? " swapped" : ""));
            unsigned char out[16] = {};
            int count = -7;
            EXPECT_EQ(base64_decode_swap(c.text, out, &count), c.decoded);
            EXPECT_EQ(count, std::max(c.decoded, 0));
            EXPECT_EQ(base64_decode(c.text, out, sizeof out), c.decoded);
        }
    }
    base64_set_swap(0);
    // Line breaks and other characters outside the alphabet are still skipped.
    unsigned char out[8] = {};
    EXPECT_EQ(base64_decode("QU\nI=\n", out, sizeof out), 2);
}
