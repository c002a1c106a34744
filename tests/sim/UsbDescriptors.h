// Builders of USB descriptors for the simulated devices, and the plain devices that only show
// descriptors (hubs, other makers' devices) beside the headset.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/UsbEndpoint.h"

namespace sim {

struct UsbInterfaceDesc {
    uint8_t number = 0;
    uint8_t alternate = 0;
    uint8_t cls = 0;
    uint8_t subclass = 0;
    uint8_t protocol = 0;
    std::vector<Bytes> extra;  // class descriptors and endpoint descriptors, in order
    uint8_t endpoints = 0;     // how many of `extra` are endpoint descriptors
};

Bytes deviceDescriptor(uint16_t vendor, uint16_t product, uint8_t cls, uint8_t configurations = 1);
Bytes configDescriptor(uint8_t value, const std::vector<UsbInterfaceDesc>& interfaces);
Bytes endpointDescriptor(uint8_t address, uint8_t attributes, uint16_t maxPacket, uint8_t interval);
// A DFU 1.0 interface (class 0xFE, subclass 1, protocol 0) with its functional descriptor.
UsbInterfaceDesc dfuInterface(uint8_t number, uint16_t transferSize = 1023);

// A device that answers only with its descriptors: every other request stalls, claims succeed
// on the interfaces it has, resets do nothing.
class DescriptorOnlyDevice : public UsbEndpoint {
  public:
    explicit DescriptorOnlyDevice(Bytes descriptors) : descriptors_(std::move(descriptors)) {}

    Bytes descriptors() override { return descriptors_; }
    int control(const UsbSetup&, uint8_t*) override;
    bool takeIn(uint8_t, size_t, Bytes&) override { return false; }
    bool inPending(uint8_t) override { return false; }
    int transferOut(uint8_t, const uint8_t*, size_t) override;
    int claim(int interface) override;
    void release(int) override {}
    bool reset() override { return false; }

  private:
    Bytes descriptors_;
};

// A hub (device class 9) on vendor `vendor`; with `dfu` its configuration also shows a DFU
// interface, which no DFU listing may take.
Bytes hubDescriptors(uint16_t vendor, uint16_t product, bool dfu);
// A device of another class with a DFU interface beside its own (interface 0, vendor class).
Bytes dfuCapableDescriptors(uint16_t vendor, uint16_t product);

// True when the configuration descriptors in `descriptors` hold interface `number`.
bool hasInterface(const Bytes& descriptors, int number);

}  // namespace sim
