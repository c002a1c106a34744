#include "sim/SimHeadset.h"

#include <stdexcept>

namespace sim {

SimHeadset::SimHeadset(std::vector<HidInterface> entries) {
    for (HidInterface& e : entries) {
        if (!e.endpoint) e.endpoint = std::make_shared<HeadsetModel>();
        endpoints_.push_back(e.endpoint);
    }
    testbed_ = std::make_unique<HidrawTestbed>(std::move(entries));
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

}  // namespace sim
