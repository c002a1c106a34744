#include "sim/UsbDescriptors.h"

#include <cerrno>

namespace sim {

namespace {

void put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

Bytes deviceDescriptor(uint16_t vendor, uint16_t product, uint8_t cls, uint8_t configurations) {
    Bytes d = {18, 1};
    put16(d, 0x0200);  // USB 2.0
    d.push_back(cls);
    d.push_back(cls == 0xE0 ? 1 : 0);  // wireless controller: RF subclass
    d.push_back(cls == 0xE0 ? 1 : 0);  // ... Bluetooth programming interface
    d.push_back(64);
    put16(d, vendor);
    put16(d, product);
    put16(d, 0x0100);
    d.push_back(0);  // no string descriptors
    d.push_back(0);
    d.push_back(0);
    d.push_back(configurations);
    return d;
}

Bytes endpointDescriptor(uint8_t address, uint8_t attributes, uint16_t maxPacket, uint8_t interval) {
    Bytes d = {7, 5, address, attributes};
    put16(d, maxPacket);
    d.push_back(interval);
    return d;
}

UsbInterfaceDesc dfuInterface(uint8_t number, uint16_t transferSize) {
    UsbInterfaceDesc i;
    i.number = number;
    i.cls = 0xFE;
    i.subclass = 1;
    i.protocol = 0;
    // DFU functional descriptor: can download, manifestation not tolerant.
    Bytes functional = {9, 0x21, 0x01};
    put16(functional, 5000);  // detach time-out, ms
    put16(functional, transferSize);
    put16(functional, 0x0100);  // DFU 1.0
    i.extra.push_back(functional);
    return i;
}

Bytes configDescriptor(uint8_t value, const std::vector<UsbInterfaceDesc>& interfaces) {
    Bytes body;
    uint8_t numbers = 0;
    for (const auto& i : interfaces) {
        if (i.alternate == 0) ++numbers;
        body.insert(body.end(), {9, 4, i.number, i.alternate, i.endpoints, i.cls, i.subclass, i.protocol, 0});
        for (const auto& e : i.extra) body.insert(body.end(), e.begin(), e.end());
    }
    Bytes d = {9, 2};
    put16(d, static_cast<uint16_t>(9 + body.size()));
    d.push_back(numbers);
    d.push_back(value);
    d.push_back(0);
    d.push_back(0x80);  // bus powered
    d.push_back(50);    // 100 mA
    d.insert(d.end(), body.begin(), body.end());
    return d;
}

Bytes hubDescriptors(uint16_t vendor, uint16_t product, bool dfu) {
    UsbInterfaceDesc hub;
    hub.cls = 9;
    hub.endpoints = 1;
    hub.extra.push_back(endpointDescriptor(0x81, 3, 2, 12));
    std::vector<UsbInterfaceDesc> interfaces = {hub};
    if (dfu) interfaces.push_back(dfuInterface(1));
    Bytes d = deviceDescriptor(vendor, product, 9);
    Bytes c = configDescriptor(1, interfaces);
    d.insert(d.end(), c.begin(), c.end());
    return d;
}

Bytes dfuCapableDescriptors(uint16_t vendor, uint16_t product) {
    UsbInterfaceDesc own;
    own.cls = 0xFF;
    Bytes d = deviceDescriptor(vendor, product, 0);
    Bytes c = configDescriptor(1, {own, dfuInterface(1)});
    d.insert(d.end(), c.begin(), c.end());
    return d;
}

bool hasInterface(const Bytes& descriptors, int number) {
    // Walk the descriptor chain after the device descriptor.
    for (size_t at = descriptors.empty() ? 0 : descriptors[0]; at + 2 <= descriptors.size();) {
        uint8_t length = descriptors[at];
        if (length < 2) break;
        if (descriptors[at + 1] == 4 && at + 2 < descriptors.size() && descriptors[at + 2] == number)
            return true;
        at += length;
    }
    return false;
}

int DescriptorOnlyDevice::control(const UsbSetup&, uint8_t*) { return -EPIPE; }

int DescriptorOnlyDevice::transferOut(uint8_t, const uint8_t*, size_t) { return -EPIPE; }

int DescriptorOnlyDevice::claim(int interface) { return hasInterface(descriptors_, interface) ? 0 : -ENOENT; }

}  // namespace sim
