// Image files for the boot-loader program: a table of operations behind which a raw binary file
// (read and written) or an Intel HEX file (read only, parsed whole at open) stands.
#pragma once

#include <cstdint>
#include <vector>

enum image_result {
    IMAGE_ERR_OK = 0,
    IMAGE_ERR_SYSTEM = 1,
    IMAGE_ERR_INVALID_FILE = 2,
    IMAGE_ERR_WRONLY = 3,  // opened for writing, cannot read
    IMAGE_ERR_RDONLY = 4,  // opened for reading, or a parser that cannot write
};

struct image_reader {
    const char* name;
    void* (*init)();
    int (*open)(void* state, const char* name, bool for_writing);
    int (*close)(void* state);  // also frees the state
    uint32_t (*size)(void* state);
    int (*read)(void* state, void* buffer, unsigned int* length);
    int (*write)(void* state, const void* data, unsigned int length);
};

extern const image_reader raw_binary_reader;
extern const image_reader intel_hex_reader;

// The largest image the HEX parser accepts: the largest flash of the chip table.
constexpr uint64_t kLargestImage = 2u * 1024 * 1024;

// [start, end) offsets into an image.
struct image_span {
    uint32_t start;
    uint32_t end;
};

// The base address of an opened HEX image: the first extended address met while the image was
// still empty. False when the file set none.
bool intel_hex_base(void* state, uint32_t* base);

// The bytes of an opened HEX image that its data records name, as runs of offsets from the base,
// in order; the rest of the image is filler.
std::vector<image_span> intel_hex_named(void* state);
