// The HID report channel's reply handling (formats A, B and C), against a fake device whose
// every read, input report and failure comes from the fuzzer's input. The fake hidapi calls
// below take the place of the library's for this program only.
#include <hidapi.h>

#include <cstdint>
#include <cstring>

#include "fuzz/FuzzInput.h"
#include "platform/Clock.h"
#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"

namespace {

fuzz::FuzzInput* input = nullptr;
uint8_t fakeDevice[16];

// One answer from the device: a length byte (0xFF: failure, 0xFE: silence), then the bytes.
int answer(unsigned char* buffer, size_t length) {
    if (!input || input->empty()) return -1;
    const uint8_t n = input->byte();
    if (n == 0xFF) return -1;
    if (n == 0xFE) return 0;
    const size_t wanted = n < length ? n : length;
    std::memset(buffer, 0, length);
    return static_cast<int>(input->take(buffer, wanted));
}

}  // namespace

extern "C" {
int hid_write(hid_device*, const unsigned char*, size_t length) { return static_cast<int>(length); }
int hid_read_timeout(hid_device*, unsigned char* data, size_t length, int) { return answer(data, length); }
int hid_read(hid_device*, unsigned char* data, size_t length) { return answer(data, length); }
int hid_get_input_report(hid_device*, unsigned char* data, size_t length) { return answer(data, length); }
int hid_get_feature_report(hid_device*, unsigned char* data, size_t length) { return answer(data, length); }
int hid_send_feature_report(hid_device*, const unsigned char*, size_t length) { return static_cast<int>(length); }
void hid_close(hid_device*) {}
int hid_exit(void) { return 0; }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::VirtualClock virtualClock;  // busy and silence limits pass without waiting
    platform::setClock(&virtualClock);
    fuzz::FuzzInput in(data, size);
    input = &in;
    transport::detail::fillSlot(0, reinterpret_cast<hid_device*>(fakeDevice));

    const uint8_t op = in.byte();
    uint8_t request[kLongRequestSize] = {0x01, 0x03, 0x10, 0x02};
    switch (op % 4) {
        case 0: {
            uint8_t reply[kLongReplySize] = {};
            if (usbhid_command(0, request, reply) == 0) usbhid_swap_block_words(reply, sizeof reply);
            break;
        }
        case 1: {
            uint8_t shortRequest[kShortReportSize] = {0x06, in.byte(), in.byte()};
            uint8_t reply[kShortReportSize] = {};
            reply[1] = in.byte();
            (void)usbhid_short_command(0, shortRequest, reply, 1000);
            break;
        }
        case 2: {
            uint8_t reply[kReport65Size] = {};
            if (usbhid_command_65(0, request, reply) == 0) usbhid_swap_block_words_ext(reply, sizeof reply);
            break;
        }
        default: {
            uint8_t shortRequest[kShortReportSize] = {0x06, in.byte(), in.byte()};
            uint8_t reply[kShortReportSize] = {};
            (void)usbhid_short_command_probe(0, shortRequest, reply);
            break;
        }
    }
    transport::detail::fillSlot(0, nullptr);
    input = nullptr;
    platform::setClock(nullptr);
    return 0;
}
