// What one simulated USB device does with the host's requests. The umockdev plumbing
// (UsbTestbed) calls these on umockdev's worker thread for libusb-1.0 and libusb 0.1 alike; a
// device model implements them. Standard descriptor reads are answered by the plumbing from
// descriptors().
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sim {

using Bytes = std::vector<uint8_t>;

struct UsbSetup {
    uint8_t requestType = 0;
    uint8_t request = 0;
    uint16_t value = 0;
    uint16_t index = 0;
    uint16_t length = 0;

    bool in() const { return requestType & 0x80; }
};

class UsbEndpoint {
  public:
    virtual ~UsbEndpoint() = default;

    // The device descriptor followed by every configuration descriptor (with its interfaces and
    // endpoints), as usbfs read() returns them.
    virtual std::vector<uint8_t> descriptors() = 0;
    // A control request that is not a standard descriptor read. `data` holds setup.length bytes:
    // the host's for OUT, to be filled for IN. Returns the bytes transferred or -errno (-EPIPE is
    // a stall).
    virtual int control(const UsbSetup& setup, uint8_t* data) = 0;
    // The next piece of data of IN endpoint `ep`, at most `max` bytes; false when there is none
    // now (the host's transfer stays pending).
    virtual bool takeIn(uint8_t ep, size_t max, std::vector<uint8_t>& piece) = 0;
    virtual bool inPending(uint8_t ep) = 0;
    // Data of an OUT transfer. Returns the bytes taken or -errno.
    virtual int transferOut(uint8_t ep, const uint8_t* data, size_t size) = 0;
    // Claiming an interface: 0 or -errno.
    virtual int claim(int interface) = 0;
    virtual void release(int interface) = 0;
    // A USB reset. True when the device leaves the bus and comes back at a new address with the
    // descriptors that descriptors() gives from then on.
    virtual bool reset() = 0;

    // Set by the plumbing: the model calls it when IN data appears outside a host request.
    std::function<void()> inputChanged;
};

}  // namespace sim
