// The umockdev plumbing of the simulated headset: a testbed whose sysfs and /dev hold one
// hidraw node per enumeration entry, each served by a HidEndpoint. Real hidapi (hidraw backend)
// finds and talks to these nodes as to real ones. Needs the umockdev preload in the process
// (LD_PRELOAD=libumockdev-preload.so.0; CTest sets it for the tests that use this).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/HidEndpoint.h"

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace sim {

struct HidInterface {
    uint16_t productId = 0;
    uint16_t vendorId = 0x3A6E;
    int interfaceNumber = 0;
    uint16_t usagePage = 0xFF00;
    uint16_t usage = 1;
    // Entries with the same device number are interfaces of one USB device; -1: a device of its
    // own. Enumeration follows the list order (devices by their first entry, then interfaces).
    int device = -1;
    bool openFails = false;
    // Off the bus until plugged in (HidrawTestbed::plugIn); all entries of one device share the
    // first entry's setting.
    bool present = true;
    std::shared_ptr<HidEndpoint> endpoint;  // required by the testbed

    HidInterface& ofVendor(uint16_t v) {
        vendorId = v;
        return *this;
    }
    HidInterface& atInterface(int n) {
        interfaceNumber = n;
        return *this;
    }
    HidInterface& withUsage(uint16_t page, uint16_t u) {
        usagePage = page;
        usage = u;
        return *this;
    }
    HidInterface& inDevice(int d) {
        device = d;
        return *this;
    }
    HidInterface& failingOpen() {
        openFails = true;
        return *this;
    }
    HidInterface& offBus() {
        present = false;
        return *this;
    }
    HidInterface& servedBy(std::shared_ptr<HidEndpoint> e) {
        endpoint = std::move(e);
        return *this;
    }
};

// An entry of product id pid with the defaults above.
inline HidInterface hid(uint16_t pid) {
    HidInterface e;
    e.productId = pid;
    return e;
}

class HidrawTestbed {
  public:
    // With `shared`, the nodes go into that umockdev testbed, which the caller owns and finalizes
    // before this object goes (SimHeadset puts the USB devices beside them so).
    explicit HidrawTestbed(std::vector<HidInterface> interfaces, UMockdevTestbed* shared = nullptr);
    ~HidrawTestbed();
    HidrawTestbed(const HidrawTestbed&) = delete;
    HidrawTestbed& operator=(const HidrawTestbed&) = delete;

    // False when the process runs without the umockdev preload: nothing is simulated then.
    static bool mocked();
    // The umockdev preload is in this process (CTest sets it), before any testbed exists.
    static bool preloaded();

    size_t size() const { return nodes_.size(); }
    std::string devnode(size_t index) const;
    // Gone from the bus: the nodes fail every call, the entries leave the enumeration.
    void unplug();
    // The device of an entry made offBus(), or one that left, joins the bus (as after a
    // re-enumeration) with the same ids and interfaces. Safe from a device model's handler;
    // nothing happens for a device already on the bus.
    void plugIn(size_t index);
    // The device of an entry leaves the bus alone (as a headset restarting): its nodes fail every
    // call and its entries leave the enumeration until plugIn brings it back. Not from one of its
    // own handlers.
    void leaveBus(size_t index);
    bool onBus(size_t index) const;
    // Calls the handlers served so far (to show that an idle reader costs nothing).
    unsigned handlerCalls() const;

    struct Node;

  private:
    void addToBus(size_t first);

    UMockdevTestbed* testbed_ = nullptr;
    std::string rootDir_;
    bool ownsTestbed_ = true;
    std::vector<std::unique_ptr<Node>> nodes_;
    std::vector<std::string> devicePaths_;
    mutable std::mutex plugLock_;
};

}  // namespace sim
