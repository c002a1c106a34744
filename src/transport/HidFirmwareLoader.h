// A DFU download carried over HID feature reports: report 1 carries blocks, report 2 the DFU
// status, report 3 one-byte requests. It checks the file's DFU suffix and CRC-32 first. Works on
// an open hidapi handle; opening and closing is the caller's business.
#pragma once

#include <cstddef>
#include <cstdint>

struct hid_device_;
typedef struct hid_device_ hid_device;

constexpr size_t kDfuSuffixSize = 16;
constexpr size_t kDfuImageLengthOffset = 10;

int hid_dfu_command(hid_device* device, const uint8_t* request, uint8_t* reply);
int hid_dfu_vendor_request(hid_device* device);
// The image length at byte 10 (little-endian); 0 when the image is too short to hold it.
uint32_t hid_dfu_image_length(const uint8_t* image, size_t imageSize);
int hid_dfu_get_status(hid_device* device, uint8_t* status, uint8_t* state);
int hid_dfu_wait_status(hid_device* device, int final);
// report holds the loader's report size (1023) bytes with the data at byte 6.
int hid_dfu_download_block(hid_device* device, int maxLength, uint8_t* report, int64_t* remaining,
                           uint16_t* blockNumber);
int hid_dfu_download_file(hid_device* device, const char* path);
