// Finding, claiming and closing CSR headsets: normal mode through libusb-1.0, firmware-management
// mode through the libusb 0.1 API, and the open retry that the workers use.
#include <libusb.h>
#include <usb.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/Clock.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/CsrUsbState.h"

namespace transport::csr {

State& state() {
    static State s;
    return s;
}

}  // namespace transport::csr

using transport::csr::state;

namespace {

constexpr uint16_t kVendor = 0x3A6E;
constexpr uint16_t kTwoDeviceFamily = 0x5310;
constexpr int kFirmwareManagementMaxInterface = 10;

__attribute__((format(printf, 2, 3))) void say(char* message, const char* format, ...) {
    if (!message) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, CSR_MESSAGE_SIZE, format, args);
    va_end(args);
}

// libusb-1.0 does nothing before libusb_init; the default context lives until csr_usb_exit.
bool startLibusb() {
    auto& s = state();
    if (!s.libusbStarted) s.libusbStarted = libusb_init(nullptr) == 0;
    return s.libusbStarted;
}

void closeHandle(int slot) {
    auto& s = state();
    if (s.handles[slot]) libusb_close(s.handles[slot]);
    s.handles[slot] = nullptr;
}

// Fills the handles in list order: the first device of the id table, and after a device of the
// two-device family one more.
void scanNormalMode(uint32_t* ids) {
    auto& s = state();
    libusb_device** list = nullptr;
    if (!startLibusb()) return;
    ssize_t n = libusb_get_device_list(nullptr, &list);
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor d;
        // libusb 1.0.26 answers from a copy cached at enumeration: this cannot fail, and the
        // scan would end here if it did.
        if (libusb_get_device_descriptor(list[i], &d) < 0) break;
        uint16_t id = transport::csr::normalModeId(d.idVendor, d.idProduct);
        if (!id) continue;
        if (libusb_open(list[i], &s.handles[s.count]) < 0) {
            s.handles[s.count] = nullptr;
            break;
        }
        ids[s.count++] = id;
        if ((id & 0x7FFF) != kTwoDeviceFamily || s.count == 2) break;
    }
    if (n >= 0) libusb_free_device_list(list, 1);
}

int openNormalMode(uint32_t* ids, char* message) {
    auto& s = state();
    csr_usb_close_all();  // a handle left open by an earlier conversation is not lost
    scanNormalMode(ids);
    if (s.count == 0) {
        say(message, "Device not available");
        csr_usb_close_all();
        return -1;
    }
    if (int r = libusb_claim_interface(s.handles[0], 0); r < 0) {
        say(message, "Cannot claim interface: %s (%d)", libusb_strerror(r), r);
        closeHandle(0);
        closeHandle(1);
        s.count = 0;
        return -3;
    }
    if (s.count == 2) {
        if ((ids[1] & 0x7FFF) != kTwoDeviceFamily) {
            say(message, "USB interface 2 Not Match USB interface 1");
            closeHandle(1);
            s.count = 1;
            csr_usb_close_all();
            return -5;
        }
        if (int r = libusb_claim_interface(s.handles[1], 0); r < 0) {
            say(message, "Cannot claim interface 2: %s (%d)", libusb_strerror(r), r);
            closeHandle(1);
            s.count = 1;
            csr_usb_close_all();
            return -4;
        }
    }
    bool management = ids[0] >= 0x8000 || (s.count == 2 && ids[1] >= 0x8000);
    say(message, management ? "Firmware management mode" : "Device recognized successfully");
    return 0;
}

void rescan() {
    usb_find_busses();
    usb_find_devices();
}

// Walks every bus for a firmware-management device and claims it; a failed claim rescans and
// tries the next interface number (or 0 again when the interface did not exist), within bounds.
int openFirmwareManagementMode(uint32_t* ids, char* message) {
    auto& s = state();
    csr_usb_compat_close();
    int interface = 0;
    bool rescanned = false;
    rescan();
    for (bool again = true; again;) {
        again = false;
        for (usb_bus* bus = usb_get_busses(); bus && !again; bus = bus->next) {
            for (struct usb_device* dev = bus->devices; dev && !again; dev = dev->next) {
                const auto& d = dev->descriptor;
                if (d.bDeviceClass == USB_CLASS_HUB || d.idVendor != kVendor ||
                    !transport::csr::firmwareManagementId(d.idProduct))
                    continue;
                uint16_t product = d.idProduct;
                errno = 0;
                s.compat = usb_open(dev);
                int openError = errno ? errno : EBADF;
                int r = s.compat ? usb_claim_interface(s.compat, interface) : -openError;
                if (!s.compat || r == -EBADF) {
                    // libusb 0.1 hands back a handle even when open() failed; its first request
                    // then fails on the missing descriptor.
                    if (s.compat) usb_close(s.compat);
                    s.compat = nullptr;
                    say(message, "Cannot open device: %s (%d)", std::strerror(openError), openError);
                    return 2;
                }
                if (r >= 0) {
                    ids[0] = product;
                    say(message, "Firmware management mode");
                    return 0;
                }
                int e = r < 0 ? -r : errno;
                say(message, "Cannot claim interface: %s (%d)", std::strerror(e), e);
                usb_close(s.compat);
                s.compat = nullptr;
                if (interface > kFirmwareManagementMaxInterface || (interface == 0 && rescanned)) return 3;
                interface = e == ENOENT ? 0 : interface + 1;
                rescan();
                rescanned = true;
                again = true;  // the walk starts again from the first bus
            }
        }
    }
    say(message, "Device not available");
    return 1;
}

}  // namespace

extern "C" {

int csr_usb_device_count(void) { return state().count; }

int csr_usb_select_device(int n) {
    auto& s = state();
    if (n < 0 || n > 1 || n >= s.count) return 0;
    s.selected = n;
    return 1;
}

int csr_usb_open(uint32_t product_ids[2], char* message, int mode) {
    uint32_t local[2] = {0, 0};
    uint32_t* ids = product_ids ? product_ids : local;
    return mode == 0 ? openNormalMode(ids, message) : openFirmwareManagementMode(ids, message);
}

int csr_usb_open_retry(uint32_t product_ids[2], char* message, int budget, int mode) {
    if (budget < 1) {  // nothing was opened: not a success
        say(message, "Device not available");
        return 1;
    }
    int result = 0, spent = 0;
    do {
        result = csr_usb_open(product_ids, message, mode);
        if (result <= 0) return result;
        spent += result == 1 ? 1 : 2;
        platform::sleepMs(1000);
    } while (spent < budget);
    return result;
}

void csr_usb_close_all(void) {
    auto& s = state();
    for (int slot = 0; slot < 2; ++slot) {
        if (!s.handles[slot]) continue;
        libusb_release_interface(s.handles[slot], 0);
        closeHandle(slot);
    }
    s.count = 0;
    s.selected = 0;
}

void csr_usb_compat_close(void) {
    auto& s = state();
    if (!s.compat) return;
    usb_release_interface(s.compat, 0);
    usb_close(s.compat);
    s.compat = nullptr;
}

void csr_usb_exit(void) {
    auto& s = state();
    csr_usb_close_all();
    csr_usb_compat_close();
    if (s.libusbStarted) libusb_exit(nullptr);
    s.libusbStarted = false;
}

}  // extern "C"
