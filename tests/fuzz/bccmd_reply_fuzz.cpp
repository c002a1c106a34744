// The CSR channel's BCCMD reply handling and the persistent-store reads on top of it, against a
// fake USB device whose interrupt transfers carry the fuzzer's input. The fake libusb calls
// below take the place of the library's for this program only.
#include <libusb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/FuzzInput.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/CsrUsbState.h"

namespace {

fuzz::FuzzInput* input = nullptr;
libusb_transfer* pending = nullptr;
bool cancelled = false;
uint8_t fakeHandle[16];

}  // namespace

extern "C" {
int LIBUSB_CALL libusb_control_transfer(libusb_device_handle*, uint8_t, uint8_t, uint16_t, uint16_t,
                                        unsigned char*, uint16_t length, unsigned int) {
    return length;
}
struct libusb_transfer* LIBUSB_CALL libusb_alloc_transfer(int) {
    return static_cast<libusb_transfer*>(std::calloc(1, sizeof(libusb_transfer)));
}
void LIBUSB_CALL libusb_free_transfer(struct libusb_transfer* t) { std::free(t); }
int LIBUSB_CALL libusb_submit_transfer(struct libusb_transfer* t) {
    pending = t;
    cancelled = false;
    return 0;
}
int LIBUSB_CALL libusb_cancel_transfer(struct libusb_transfer*) {
    cancelled = true;
    return 0;
}
// Completes the pending transfer: a length byte (0xFF: no data this time), then the bytes.
int LIBUSB_CALL libusb_handle_events_timeout(libusb_context*, struct timeval*) {
    libusb_transfer* t = pending;
    if (!t) return 0;
    const uint8_t n = input && !input->empty() ? input->byte() : 0xFF;
    if (n == 0xFF) {
        if (!cancelled) return 0;  // a time-out: the caller cancels, the next round ends it
        t->status = LIBUSB_TRANSFER_CANCELLED;
        t->actual_length = 0;
    } else {
        const int wanted = n < t->length ? n : t->length;
        t->actual_length = static_cast<int>(input->take(t->buffer, static_cast<size_t>(wanted)));
        t->status = LIBUSB_TRANSFER_COMPLETED;
    }
    pending = nullptr;
    t->callback(t);
    return 0;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    input = &in;
    auto& s = transport::csr::state();
    s.handles[0] = reinterpret_cast<libusb_device_handle*>(fakeHandle);
    s.selected = 0;
    s.sequence = in.byte();

    uint8_t out[512] = {};
    uint16_t bytes = 0;
    switch (in.byte() % 5) {
        case 0: (void)csr_read_pskey(static_cast<uint16_t>(in.byte() << 8 | in.byte()), out, &bytes); break;
        case 1: (void)csr_read_product_id(); break;
        case 2: (void)csr_read_device_name(out); break;
        case 3: (void)csr_read_bdaddr(out); break;
        default: {
            uint32_t major = 0, minor = 0, extra1 = 0, extra2 = 0;
            (void)csr_read_firmware_version(0x4D10, &major, &minor, &extra1, &extra2);
            break;
        }
    }
    // A transfer left pending by a failed read is completed so that nothing outlives this input.
    while (pending) {
        cancelled = true;
        libusb_handle_events_timeout(nullptr, nullptr);
    }
    s.handles[0] = nullptr;
    input = nullptr;
    return 0;
}
