#include "transport/UsbDfu.h"

#include <algorithm>
#include <cerrno>

namespace {

constexpr int kTimeoutMs = 10000;
constexpr int kBadArgument = -5;
constexpr int kDetachTimeoutMs = 5000;
constexpr int kMaxClaimInterface = 10;
constexpr int kOut = USB_TYPE_CLASS | USB_RECIP_INTERFACE | USB_ENDPOINT_OUT;  // 0x21
constexpr int kIn = USB_TYPE_CLASS | USB_RECIP_INTERFACE | USB_ENDPOINT_IN;    // 0xA1

enum Request {
    DETACH = 0,
    DNLOAD = 1,
    UPLOAD = 2,
    GETSTATUS = 3,
    CLRSTATUS = 4,
    GETSTATE = 5,
    ABORT = 6,
    VENDOR_7 = 7
};

int send(usb_dev_handle* h, int type, int request, int value, int interface, char* data, int length) {
    if (!h) return kBadArgument;
    return usb_control_msg(h, type, request, value, interface, data, length, kTimeoutMs);
}

bool modeKeeps(int mode, unsigned product) {
    if (mode == 1) return product <= 0x7FFF;
    if (mode == 2) return product == 0 || product >= 0x8000;
    return true;
}

}  // namespace

extern "C" {

int dfu_detach(usb_dev_handle* handle, int interface) {
    return send(handle, kOut, DETACH, kDetachTimeoutMs, interface, nullptr, 0);
}

int dfu_download(usb_dev_handle* handle, int interface, int block, const unsigned char* buffer, int length) {
    if (length < 0 || (length > 0 && !buffer)) return kBadArgument;
    // usb_control_msg only reads an OUT buffer.
    return send(handle, kOut, DNLOAD, block, interface,
                reinterpret_cast<char*>(const_cast<unsigned char*>(buffer)), length);
}

int dfu_upload(usb_dev_handle* handle, int interface, int block, unsigned char* buffer, int length) {
    if (!buffer || length < 0) return kBadArgument;
    return send(handle, kIn, UPLOAD, block, interface, reinterpret_cast<char*>(buffer), length);
}

int dfu_get_status(usb_dev_handle* handle, int interface, unsigned char status[6]) {
    if (!status) return kBadArgument;
    return send(handle, kIn, GETSTATUS, 0, interface, reinterpret_cast<char*>(status), 6);
}

int dfu_clear_status(usb_dev_handle* handle, int interface) {
    return send(handle, kOut, CLRSTATUS, 0, interface, nullptr, 0);
}

int dfu_get_state(usb_dev_handle* handle, int interface, unsigned char* state) {
    if (!state) return kBadArgument;
    return send(handle, kIn, GETSTATE, 0, interface, reinterpret_cast<char*>(state), 1);
}

int dfu_abort(usb_dev_handle* handle, int interface) {
    return send(handle, kOut, ABORT, 0, interface, nullptr, 0);
}

int dfu_request_7(usb_dev_handle* handle, int interface) {
    return send(handle, kOut, VENDOR_7, 0, interface, nullptr, 0);
}

int dfu_find_interface(struct usb_device* device) {
    if (!device || !device->config) return -1;
    for (int c = 0; c < device->descriptor.bNumConfigurations; ++c) {
        const usb_config_descriptor& config = device->config[c];
        for (int i = 0; config.interface && i < config.bNumInterfaces; ++i) {
            const usb_interface& interface = config.interface[i];
            for (int a = 0; interface.altsetting && a < interface.num_altsetting; ++a) {
                const usb_interface_descriptor& alt = interface.altsetting[a];
                if (alt.bInterfaceClass == 0xFE && alt.bInterfaceSubClass == 1 && alt.bInterfaceProtocol == 0)
                    return alt.bInterfaceNumber;
            }
        }
    }
    return -1;
}

int dfu_list_devices(int mode, struct usb_device** out, int n) {
    usb_find_busses();
    usb_find_devices();
    struct usb_device* found[DFU_MAX_LISTED];
    int count = 0;
    for (usb_bus* bus = usb_get_busses(); bus; bus = bus->next) {
        for (struct usb_device* dev = bus->devices; dev; dev = dev->next) {
            if (dev->descriptor.bDeviceClass == USB_CLASS_HUB || count >= DFU_MAX_LISTED) continue;
            if (dfu_find_interface(dev) < 0 || !modeKeeps(mode, dev->descriptor.idProduct)) continue;
            found[count++] = dev;
        }
    }
    if (count == 0 || n < 1 || !out) return 0;
    int stored = std::min(n, count);
    std::copy(found, found + stored, out);
    return stored;
}

int dfu_open_devices(int mode, usb_dev_handle** out, int n) {
    if (n < 1 || !out) return 0;
    n = std::min(n, static_cast<int>(DFU_MAX_OPENED));  // the listing below has room for two
    struct usb_device* listed[DFU_MAX_OPENED];
    int count = dfu_list_devices(mode, listed, n);
    if (count == 0) return 0;

    // The first device: claim interface 0, then on failure rescan and try the next number, or 0
    // again when the interface did not exist, within bounds.
    int interface = 0;
    bool rescanned = false;
    for (;;) {
        out[0] = usb_open(listed[0]);
        if (!out[0]) return 0;
        int r = usb_claim_interface(out[0], interface);
        if (r >= 0) break;
        int e = r < 0 ? -r : errno;
        usb_close(out[0]);
        out[0] = nullptr;
        // libusb 0.1 hands back a handle even when open() failed; the claim on it then fails on the
        // missing descriptor: the device could not be opened.
        if (e == EBADF) return 0;
        if (interface > kMaxClaimInterface || (interface == 0 && rescanned)) return 0;
        interface = e == ENOENT ? 0 : interface + 1;
        count = dfu_list_devices(mode, listed, n);
        if (count == 0) return 0;
        rescanned = true;
    }

    int opened = std::min(n, count);
    for (int i = 1; i < opened; ++i) {
        out[i] = usb_open(listed[i]);
        if (!out[i]) return i;
        if (usb_claim_interface(out[i], dfu_find_interface(listed[i])) < 0) {
            usb_close(out[i]);
            out[i] = nullptr;
            return i;
        }
    }
    return opened;
}

}  // extern "C"
