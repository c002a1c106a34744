#include "sim/SimHeadset.h"

#include <umockdev.h>

#include <stdexcept>

namespace sim {

SimHeadset::SimHeadset(std::vector<HidInterface> entries, std::vector<UsbDevice> usbDevices)
    : umockdev_(umockdev_testbed_new()) {
    for (HidInterface& e : entries) {
        if (!e.endpoint) e.endpoint = std::make_shared<HeadsetModel>();
        endpoints_.push_back(e.endpoint);
    }
    testbed_ = std::make_unique<HidrawTestbed>(std::move(entries), umockdev_);
    usb_ = std::make_unique<UsbTestbed>(std::move(usbDevices), umockdev_);
}

// The umockdev testbed goes first: that stops every handler before the nodes they serve go.
SimHeadset::~SimHeadset() {
    g_object_unref(umockdev_);
    usb_.reset();
    testbed_.reset();
}

HeadsetModel& SimHeadset::model(size_t entry) {
    auto* m = dynamic_cast<HeadsetModel*>(endpoints_.at(entry).get());
    if (!m) throw std::logic_error("sim: entry is not served by a HeadsetModel");
    return *m;
}

void SimHeadset::joinsBusAfter(size_t entry, Format format, uint8_t command, size_t joining) {
    HidrawTestbed* testbed = testbed_.get();
    model(entry).onRequest = [=](Format f, const std::vector<uint8_t>& request) {
        size_t at = f == Format::B ? 2 : 1;
        if (f == format && request.size() > at && request[at] == command) testbed->plugIn(joining);
    };
}

UsbHeadsetModel& SimHeadset::usbModel(size_t device) {
    auto* m = dynamic_cast<UsbHeadsetModel*>(usb_->endpoint(device).get());
    if (!m) throw std::logic_error("sim: USB device is not a UsbHeadsetModel");
    return *m;
}

UsbDevice csrHeadset(uint16_t productId, bool dfuMode, int bus) {
    return usbDevice(std::make_shared<UsbHeadsetModel>(productId, dfuMode), bus);
}

}  // namespace sim
