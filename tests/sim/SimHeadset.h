// A simulated headset (or several devices) on the bus: one umockdev testbed holding the HID
// entries, each served by a device model, and beside them the USB devices of the CSR channel and
// DFU. What tests and benchmarks create.
#pragma once

#include <memory>
#include <vector>

#include "sim/HeadsetModel.h"
#include "sim/HidrawTestbed.h"
#include "sim/UsbHeadsetModel.h"
#include "sim/UsbTestbed.h"

namespace sim {

class SimHeadset {
  public:
    // HID entries in enumeration order; one without an endpoint gets a plain HeadsetModel. USB
    // devices in list order.
    explicit SimHeadset(std::vector<HidInterface> entries, std::vector<UsbDevice> usbDevices = {});
    ~SimHeadset();
    SimHeadset(const SimHeadset&) = delete;
    SimHeadset& operator=(const SimHeadset&) = delete;

    // False without the umockdev preload: the test should skip.
    bool mocked() const { return HidrawTestbed::mocked(); }
    HeadsetModel& model(size_t entry = 0);
    UsbHeadsetModel& usbModel(size_t device = 0);
    HidrawTestbed& testbed() { return *testbed_; }
    UsbTestbed& usb() { return *usb_; }
    void unplug() { testbed_->unplug(); }
    // The device of entry `joining` (made offBus()) joins the bus once entry `entry` has taken
    // the command, as a mesh module does after the headset switches it to its update mode.
    void joinsBusAfter(size_t entry, Format format, uint8_t command, size_t joining);

  private:
    UMockdevTestbed* umockdev_ = nullptr;
    std::vector<std::shared_ptr<HidEndpoint>> endpoints_;
    std::unique_ptr<HidrawTestbed> testbed_;
    std::unique_ptr<UsbTestbed> usb_;
};

// A CSR headset on USB with run-time product id `productId`, in DFU mode from the start when
// `dfuMode`.
UsbDevice csrHeadset(uint16_t productId, bool dfuMode = false, int bus = 1);

}  // namespace sim
