// The process-wide state of the CSR channel, shared by its open, BCCMD and PS-key parts, and the
// product id tables that decide which devices it takes. Internal to the transport.
#pragma once

#include <cstdint>

struct libusb_device_handle;
struct usb_dev_handle;

namespace transport::csr {

struct State {
    int count = 0;     // headsets opened in normal mode
    int selected = 0;  // the slot BCCMD requests go to
    libusb_device_handle* handles[2] = {nullptr, nullptr};
    usb_dev_handle* compat = nullptr;  // the firmware-management handle
    uint16_t sequence = 0;             // BCCMD sequence number, runs on for the whole process
    bool libusbStarted = false;
};

State& state();

// The product id that a normal-mode open reports for {vendor, product}, or 0 when the id table
// has no such row.
uint16_t normalModeId(uint16_t vendor, uint16_t product);
// True for the run-time ids and DFU-mode twins that the firmware-management open takes.
bool firmwareManagementId(uint16_t product);
// True for the product ids that PS key 0x02A3 may name.
bool knownProductId(uint16_t product);
// The version code of the fixed-version table (42 is 4.2), or -1 for products not in it.
int fixedVersionCode(uint16_t product);

}  // namespace transport::csr
