// USB DFU 1.0 for headsets that switch into DFU mode: the class requests over the libusb 0.1 API,
// and the discovery and opening of DFU-capable devices. C-style; the handles opened here belong
// to the caller, which releases interface 0, resets and closes each. The libusb 0.1 API must have
// been started (usb_init) by the program.
#pragma once

#include <usb.h>

extern "C" {

enum {
    DFU_STATE_ERROR = 10,  // bState of the status record in dfuERROR
    DFU_MAX_LISTED = 30,   // devices a listing looks at
    DFU_MAX_OPENED = 2,    // devices dfu_open_devices opens
};

// The class requests address interface `interface` (wIndex) with a 10 s time-out. Each returns
// -5 for a null handle (or a null buffer where data is carried), otherwise what usb_control_msg
// gives: the bytes transferred (0 without data), negative on failure.
int dfu_detach(usb_dev_handle* handle, int interface);
int dfu_download(usb_dev_handle* handle, int interface, int block, const unsigned char* buffer, int length);
int dfu_upload(usb_dev_handle* handle, int interface, int block, unsigned char* buffer, int length);
// The 6-byte status record: bStatus, bwPollTimeout (24-bit little-endian ms), bState, iString.
int dfu_get_status(usb_dev_handle* handle, int interface, unsigned char status[6]);
int dfu_clear_status(usb_dev_handle* handle, int interface);
int dfu_get_state(usb_dev_handle* handle, int interface, unsigned char* state);
int dfu_abort(usb_dev_handle* handle, int interface);
int dfu_request_7(usb_dev_handle* handle, int interface);

// bInterfaceNumber of the first DFU interface (class 0xFE, subclass 1, protocol 0) over every
// configuration, interface and alternate setting; -1 when there is none.
int dfu_find_interface(struct usb_device* device);
// Rescans the buses and stores up to n DFU-capable devices that are not hubs: mode 1 run-time
// ids (below 0x8000), mode 2 DFU-mode ids (0x8000 and up, or 0), any other mode all. Returns the
// number stored.
int dfu_list_devices(int mode, struct usb_device** out, int n);
// Opens and claims up to n (at most DFU_MAX_OPENED) listed devices into out; the number opened.
int dfu_open_devices(int mode, usb_dev_handle** out, int n);
}
