// Checks of the two firmware file kinds that the update worker sends to CSR headsets: a single
// image with a CRC-32 trailer and a product name, and a multi-part archive whose parts carry MD5
// digests; with the CRC-32 step and the MD5 helpers they use. C-style: each check writes a short
// English message into the caller's buffer and returns a size, 0 meaning failure. Buffers handed
// back through `out` are allocated with malloc and freed by the caller.
#pragma once

#include <mbedtls/md5.h>

#include <cstdint>

#include "transport/Checksums.h"  // crc32_init, crc32_byte

extern "C" {

// The capacity of the message buffer callers pass; no message is longer (NUL included).
enum { FIRMWARE_MESSAGE_SIZE = 256 };

// Reads the whole file into *out and checks its CRC-32 trailer and the product name at offset 16
// against `expected` ("<name>#<product id>"). Success: file size - 16, the buffer kept for the
// caller and "Finished checking firmware". Failure: 0, *out null and the reason in `message`.
long firmware_check_dfu_file(const char* path, unsigned char** out, char* message, const char* expected);

// Reads the whole archive into *out and checks it as firmware_check_archive does for product_id
// (with the loader's long-entry list). Success: the file size, the buffer kept, message
// untouched. Failure: 0, *out null and the reason in `message`.
long firmware_load_archive(const char* path, unsigned char** out, char* message, int product_id);

// Checks an archive already in memory: header product id (with its exceptions), then the MD5 of
// every part. Returns `size`, or 0 with "Firmware corrupted". Never releases the buffer.
long firmware_check_archive(const unsigned char* archive, char* message, int product_id, long size);

// MD5 (RFC 1321). md5_final writes the 16-byte digest and leaves the context to be started again.
typedef mbedtls_md5_context md5_context;
void md5_init(md5_context* context);
void md5_update(md5_context* context, const unsigned char* bytes, uint32_t length);
void md5_final(unsigned char digest[16], md5_context* context);
}
