// What one simulated hidraw interface does with the host's reports. The umockdev plumbing
// (HidrawTestbed) calls these on umockdev's worker thread; a device model implements them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace sim {

class HidEndpoint {
  public:
    virtual ~HidEndpoint() = default;

    // An output report from write(), report id first. Returns the bytes taken or -errno.
    virtual int write(const uint8_t* data, size_t size) = 0;
    // The next input report for read(), when there is one.
    virtual bool takeInput(std::vector<uint8_t>& report) = 0;
    virtual bool inputPending() = 0;
    // HIDIOCGINPUT, HIDIOCGFEATURE, HIDIOCSFEATURE: buf[0] is the report id; return the report's
    // length or -errno.
    virtual int getInputReport(uint8_t* buf, size_t size) = 0;
    virtual int getFeatureReport(uint8_t* buf, size_t size) = 0;
    virtual int setFeatureReport(const uint8_t* buf, size_t size) = 0;

    // Set by the plumbing: the model calls these when input appears outside a host request, or
    // when it leaves the bus in the middle of an exchange.
    std::function<void()> inputChanged;
    std::function<void()> pullPlug;
};

}  // namespace sim
