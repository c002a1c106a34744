// The two process-wide device slots. Plain variables as the callers expect: one device
// conversation at a time, on one worker thread.
#include <hidapi.h>

#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"

namespace {
hid_device* slots[2] = {nullptr, nullptr};
}  // namespace

hid_device* usbhid_slot(int slot) {
    if (slot < 0 || slot > 1) return nullptr;
    return slots[slot];
}

namespace transport::detail {
void fillSlot(int slot, hid_device* device) {
    if (slot < 0 || slot > 1) {
        if (device) hid_close(device);  // no such slot: the handle is not kept, so not leaked
        return;
    }
    // An open over a slot that still holds a device replaces it: close the old handle instead of
    // leaking it (and the device file it keeps open).
    if (slots[slot] && slots[slot] != device) hid_close(slots[slot]);
    slots[slot] = device;
}
}  // namespace transport::detail

void usbhid_close_all() {
    for (hid_device*& s : slots) {
        if (s) hid_close(s);
        s = nullptr;
    }
    hid_exit();
}
