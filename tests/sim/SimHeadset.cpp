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

}  // namespace sim
