// The precaution page's helpers: the password kept Triple-DES-encrypted and base64-encoded, the
// activation token, and their base64 and percent-encoding routines. C-style: every returned
// buffer is allocated with malloc and freed by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// Zero-pads text to a multiple of 8, encrypts it (Triple-DES EDE, ECB) under the password key set
// and base64-encodes it into *out; returns the size of that buffer (text plus NUL).
int encrypt_string_3des_base64(const char* text, char** out);
// The inverse: decodes the base64 text, decrypts every whole block and returns the decoded byte
// count; *out holds that many bytes plus a NUL, readable as a string.
int decrypt_string_3des_base64(const char* text, unsigned char** out);
// The activation token built from 10 bytes: see the .cpp for its layout.
int make_padded_token(const unsigned char bytes[10], char** out);

// RFC 4648 base64 with "=" padding and a NUL; returns 4 * ceil(n / 3) + 1.
int base64_encode(const unsigned char* bytes, size_t n, char** out);
// Skips every character outside the alphabet and "="; never writes more than capacity bytes.
// Returns the bytes written, or -1 for a text whose letters do not come in groups of four or
// whose "=" padding (at most two) is not at its end.
int base64_decode(const char* text, unsigned char* out, size_t capacity);
// Unreserved characters as they are, every other byte as %XX; out must hold 3 * strlen(text) + 1.
int url_percent_encode(const char* text, char* out);

// The swap flag: when set, each 3-byte group is encoded from, and decoded into, its bytes in
// reverse order.
void base64_set_swap(int swap);
int base64_get_swap(void);
// out must hold 4 * ceil(n / 3) + 1 bytes; returns the text length.
int base64_encode_swap(const unsigned char* bytes, size_t n, char* out);
// out must hold 3 * (strlen(text) / 4) bytes; returns the count (each "=" one byte less), or -1
// with *count 0 for a text whose length is not a multiple of four or whose "=" padding (at most
// two) is not at its end.
int base64_decode_swap(const char* text, unsigned char* out, int* count);

}
