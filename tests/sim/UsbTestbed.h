// The umockdev plumbing of the simulated USB devices: a testbed whose sysfs and /dev/bus/usb hold
// one usbfs node per device, each served by a UsbEndpoint. The real libusb-1.0 (sysfs and URBs)
// and the real libusb 0.1 (its own /dev/bus/usb scan, read() of descriptors, USBDEVFS_CONTROL)
// find and talk to these nodes as to real ones. Needs the umockdev preload in the process.
//
// Device addresses are unique in the whole process, so that libusb 0.1, which keeps devices by
// file name across rescans, never mistakes a new device for an old one.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/UsbEndpoint.h"

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace sim {

struct UsbDevice {
    int bus = 1;
    std::shared_ptr<UsbEndpoint> endpoint;
};

inline UsbDevice usbDevice(std::shared_ptr<UsbEndpoint> endpoint, int bus = 1) {
    UsbDevice d;
    d.bus = bus;
    d.endpoint = std::move(endpoint);
    return d;
}

class UsbTestbed {
  public:
    // Devices in list order (libusb-1.0's device list and, per bus, libusb 0.1's); each gets the
    // next address.
    // With `shared`, the devices go into that umockdev testbed, which the caller owns and
    // finalizes before this object goes.
    explicit UsbTestbed(std::vector<UsbDevice> devices, UMockdevTestbed* shared = nullptr);
    ~UsbTestbed();
    UsbTestbed(const UsbTestbed&) = delete;
    UsbTestbed& operator=(const UsbTestbed&) = delete;

    // False when the process runs without the umockdev preload: nothing is simulated then.
    static bool mocked();

    size_t size() const;
    const std::shared_ptr<UsbEndpoint>& endpoint(size_t i) const { return devices_.at(i).endpoint; }
    // /dev/bus/usb/BBB/DDD of device i now (it changes when the device re-enumerates).
    std::string devnode(size_t i) const;
    int reenumerations(size_t i) const;
    // The usbfs node is gone while sysfs still lists the device: opening it fails.
    void removeNode(size_t i);
    // The node disappears right after a bus scan has read all of its descriptors, so that
    // libusb 0.1 lists the device but cannot open it.
    void removeNodeAfterScan(size_t i);
    // Descriptor reads through the node (libusb 0.1 scans), all devices together.
    unsigned scans() const;
    // Descriptors of the node that this process holds open now.
    int openHandles(size_t i) const;
    // Gone from the bus: uevent, sysfs entry and node removed; open descriptors fail.
    void unplug(size_t i);
    // Back on the bus at a new address, with the descriptors the device shows now.
    void plugBack(size_t i);

    struct Node;

  private:
    friend struct Node;
    void addNode(size_t device, int bus);
    void reenumerate(Node* node);

    UMockdevTestbed* testbed_ = nullptr;
    bool ownsTestbed_ = true;
    mutable std::recursive_mutex lock_;
    std::vector<UsbDevice> devices_;
    std::vector<std::unique_ptr<Node>> nodes_;  // every node ever made; the last one per device is current
    std::vector<Node*> current_;
    std::vector<int> reenumerations_;
    std::atomic<unsigned> scans_{0};
};

}  // namespace sim
