// A simulated headset (or several HID devices) on the bus: the umockdev testbed with one device
// model per enumeration entry. What tests and benchmarks create.
#pragma once

#include <memory>
#include <vector>

#include "sim/HeadsetModel.h"
#include "sim/HidrawTestbed.h"

namespace sim {

class SimHeadset {
  public:
    // Entries in enumeration order; one without an endpoint gets a plain HeadsetModel.
    explicit SimHeadset(std::vector<HidInterface> entries);

    // False without the umockdev preload: the test should skip.
    bool mocked() const { return HidrawTestbed::mocked(); }
    HeadsetModel& model(size_t entry = 0);
    HidrawTestbed& testbed() { return *testbed_; }
    void unplug() { testbed_->unplug(); }
    // The device of entry `joining` (made offBus()) joins the bus once entry `entry` has taken
    // the command, as a mesh module does after the headset switches it to its update mode.
    void joinsBusAfter(size_t entry, Format format, uint8_t command, size_t joining);

  private:
    std::vector<std::shared_ptr<HidEndpoint>> endpoints_;
    std::unique_ptr<HidrawTestbed> testbed_;
};

}  // namespace sim
