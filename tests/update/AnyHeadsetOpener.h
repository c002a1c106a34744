// An opener for update tests of families that the program's own open passes over.
#pragma once

#include <hidapi.h>

#include <cstdio>

#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"

// Opens the first HID entry of the maker into slot 0 whose product id `accept` takes (any, for
// none), of product id `only` when it is not 0.
inline int openHeadsetWhere(bool (*accept)(uint16_t pid), uint16_t only, uint32_t* pid, char* message) {
    hid_device_info* devs = hid_enumerate(kHeadsetVendorId, only);
    int result = -2;
    for (hid_device_info* e = devs; e && result != 0; e = e->next) {
        if (accept && !accept(e->product_id)) continue;
        hid_device* dev = hid_open_path(e->path);
        if (!dev) continue;
        transport::detail::fillSlot(0, dev);
        *pid = e->product_id;
        std::snprintf(message, kOpenMessageSize, "Device recognized successfully");
        result = 0;
    }
    hid_free_enumeration(devs);
    return result;
}

// Opens the first HID headset of the maker into slot 0, whatever its product id.
inline int openAnyHeadset(uint32_t* pid, char* message) { return openHeadsetWhere(nullptr, 0, pid, message); }

// The headset of one model only, when other devices of the maker share the bus.
template <uint16_t Product>
int openHeadsetOf(uint32_t* pid, char* message) {
    return openHeadsetWhere(nullptr, Product, pid, message);
}
