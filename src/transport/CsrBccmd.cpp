// BCCMD requests over USB: a request goes out as an HCI vendor command in a class control
// transfer; its reply comes back as an HCI event, read from interrupt endpoint 0x81 in as many
// pieces as the device sends.
#include <libusb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "transport/CsrBccmdChannel.h"
#include "transport/CsrUsbState.h"

using transport::csr::state;

namespace {

constexpr uint8_t kEventEndpoint = 0x81;
constexpr size_t kMaxPayload = 240;
constexpr size_t kMaxEvent = 254;
constexpr size_t kReplyHeader = 13;
constexpr unsigned kControlTimeoutMs = 1000;
constexpr int kDrainTimeoutMs = 2;
constexpr int kReplyTimeoutMs = 10;
// Rounds of event handling, 10 ms each, that a cancelled transfer gets to come back.
constexpr int kCancelRounds = 100;

void put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct TransferState {
    bool done = false;      // completed with data
    bool finished = false;  // the callback ran, whatever the outcome
};

void LIBUSB_CALL transferFinished(libusb_transfer* t) {
    auto* ts = static_cast<TransferState*>(t->user_data);
    if (t->status == LIBUSB_TRANSFER_COMPLETED) ts->done = true;
    ts->finished = true;
}

libusb_device_handle* selectedHandle() {
    auto& s = state();
    return s.selected >= 0 && s.selected < 2 ? s.handles[s.selected] : nullptr;
}

}  // namespace

extern "C" {

int csr_usb_interrupt_read(uint8_t* buffer, int length, int timeout_ms) {
    libusb_device_handle* handle = selectedHandle();
    if (!handle || !buffer || length <= 0) return 0;
    // The transfer gets a buffer of its own, so that a transfer that never comes back after its
    // cancellation cannot write into the caller's memory later.
    auto* data = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(length)));
    auto* ts = new TransferState;
    libusb_transfer* t = libusb_alloc_transfer(0);
    if (!data || !t) {
        std::free(data);
        delete ts;
        if (t) libusb_free_transfer(t);
        return 0;
    }
    libusb_fill_interrupt_transfer(t, handle, kEventEndpoint, data, length, transferFinished, ts,
                                   static_cast<unsigned>(timeout_ms));
    if (libusb_submit_transfer(t) < 0) {
        libusb_free_transfer(t);
        std::free(data);
        delete ts;
        return 0;
    }
    timeval tv{0, 10000};
    libusb_handle_events_timeout(nullptr, &tv);
    if (!ts->done) libusb_cancel_transfer(t);
    // A cancelled transfer still owns its buffer until libusb hands it back.
    for (int round = 0; !ts->finished && round < kCancelRounds; ++round) {
        tv = timeval{0, 10000};
        libusb_handle_events_timeout(nullptr, &tv);
    }
    if (!ts->finished) return 0;  // left to libusb rather than freed under it
    int received = t->actual_length > 0 && t->actual_length <= length ? t->actual_length : 0;
    std::memcpy(buffer, data, static_cast<size_t>(received));
    libusb_free_transfer(t);
    std::free(data);
    delete ts;
    return received;
}

int csr_bccmd_transaction(uint16_t type, uint16_t sequence, uint16_t varid, uint8_t* payload,
                          uint16_t length) {
    libusb_device_handle* handle = selectedHandle();
    if (!handle) {
        errno = ENODEV;
        return -1;
    }
    // A longer payload would not fit the frame, and its length byte would wrap.
    if (length > kMaxPayload || (length && !payload)) {
        errno = EINVAL;
        return -1;
    }
    uint16_t size = length < 8 ? 9 : static_cast<uint16_t>((length + 1) / 2 + 5);
    uint8_t frame[2 * 125 + 4] = {};
    const size_t frameLength = 2u * size + 4;
    put16(frame, 0xFC00);  // HCI vendor command
    frame[2] = static_cast<uint8_t>(2 * size + 1);
    frame[3] = 0xC2;  // BCCMD channel
    put16(frame + 4, type);
    put16(frame + 6, size);
    put16(frame + 8, sequence);
    put16(frame + 10, varid);
    put16(frame + 12, 0);
    if (length) std::memcpy(frame + 14, payload, length);

    uint8_t reply[kMaxEvent] = {};
    csr_usb_interrupt_read(reply, sizeof reply, kDrainTimeoutMs);  // a late reply of an earlier request
    std::memset(reply, 0, sizeof reply);

    if (libusb_control_transfer(handle, 0x20, 0, 0, 0, frame, static_cast<uint16_t>(frameLength),
                                kControlTimeoutMs) < 0) {
        errno = EIO;
        return -1;
    }
    if (varid >= 0x4001 && varid <= 0x4004) return 0;  // resets: the device answers nothing

    size_t total = 0;
    while (total < sizeof reply) {
        int n =
            csr_usb_interrupt_read(reply + total, static_cast<int>(sizeof reply - total), kReplyTimeoutMs);
        if (n <= 0) break;
        total += static_cast<size_t>(n);
    }
    if (reply[0] != 0xFF || reply[2] != 0xC2) {
        errno = EIO;
        return -1;
    }
    // Only the reply to this request counts: a short one, or one left over from an earlier
    // request, would hand back bytes that are not the answer.
    if (total < kReplyHeader + length || get16(reply + 5) != size || get16(reply + 7) != sequence ||
        get16(reply + 9) != varid) {
        errno = EIO;
        return -1;
    }
    if (get16(reply + 11) != 0) {
        errno = ENXIO;
        return -1;
    }
    if (length) std::memcpy(payload, reply + kReplyHeader, length);
    return 0;
}

int csr_bccmd_get(uint16_t varid, uint8_t* payload, uint16_t length) {
    return csr_bccmd_transaction(0, state().sequence++, varid, payload, length);
}

int csr_bccmd_set(uint16_t varid, uint8_t* payload, uint16_t length) {
    return csr_bccmd_transaction(2, state().sequence++, varid, payload, length);
}

}  // extern "C"
