// Single DFU images as the CSR family's check reads them, built by the tests: a 16-byte header,
// the model tag "<name>#<id>" at byte 16, the body, and a CRC-32 trailer (no final XOR). What a
// headset is sent is the file without its last 16 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

using ImageBytes = std::vector<unsigned char>;

inline const std::string kImageHeader = "IMAGE-HEADER-16B";

// Bit by bit, without a table: an independent CRC-32/JAMCRC.
inline uint32_t reference_crc32(const ImageBytes& data, size_t count) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc;
}

inline void append32(ImageBytes& data, uint32_t value) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

inline ImageBytes with_crc_trailer(ImageBytes data) {
    append32(data, reference_crc32(data, data.size()));
    return data;
}

inline ImageBytes image_body(const std::string& name_field) {
    const std::string text = kImageHeader + name_field + "\x01\x02 payload \xFE\xFF";
    return ImageBytes(text.begin(), text.end());
}

// An image for `model_tag` whose download (the file less 16 bytes) is `download` bytes long
// (at least the header and the tag), filled with a pattern that tells blocks apart.
inline ImageBytes dfu_image(const std::string& model_tag, size_t download) {
    ImageBytes body(kImageHeader.begin(), kImageHeader.end());
    body.insert(body.end(), model_tag.begin(), model_tag.end());
    for (size_t i = body.size(); i < download + 12; ++i) body.push_back(static_cast<unsigned char>(i * 31 + i / 1023));
    body.resize(download + 12);
    return with_crc_trailer(body);
}

}  // namespace test_support
