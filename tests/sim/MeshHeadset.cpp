#include "sim/MeshHeadset.h"

#include "sim/HidrawTestbed.h"
#include "sim/TimedEvents.h"

namespace sim {

namespace {
constexpr uint8_t kRefused = 2;
}  // namespace

void MeshHeadset::bringsModule(uint8_t command, size_t moduleEntry, int64_t afterMs, int times) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bringCommand_ = command;
    moduleEntry_ = moduleEntry;
    bringAfterMs_ = afterMs;
    bringsLeft_ = times;
}

void MeshHeadset::dropsModuleOn(uint8_t command) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    dropCommand_ = command;
}

void MeshHeadset::leavesAfter(uint8_t command, int nth) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    leaveCommand_ = command;
    leaveAt_ = nth;
    leaveSeen_ = 0;
}

void MeshHeadset::failMountChecks(int times) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    mountFailures_ = times;
}

void MeshHeadset::takesQccImage() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    qccImage_ = true;
}

std::vector<uint8_t> MeshHeadset::languageCodes() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return languageCodes_;
}

Answer MeshHeadset::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format != Format::A) return PartDownloadHeadset::answer(format, request);
    const uint8_t command = request[1];
    if (leaveAt_ > 0 && command == leaveCommand_ && ++leaveSeen_ == leaveAt_) leaveAndReturn(0, false);
    if (behaviour_.refused.count(command)) return Answer{kRefused, {}};
    if (dropCommand_ != 0 && command == dropCommand_ && bus_) bus_->leaveBus(moduleEntry_);
    if (command == bringCommand_ && bringsLeft_ > 0 && bus_ && events_) {
        --bringsLeft_;
        HidrawTestbed* bus = bus_;
        const size_t entry = moduleEntry_;
        events_->after(bringAfterMs_, [bus, entry] { bus->plugIn(entry); });
    }
    switch (command) {
        case 0x50:
        case 0x0F:
        case 0x52:
        case 0x53:
        case 0x10:
            return Answer{};
        case 0x0A:
            return Answer{0, {0}};
        case 0x59:
            languageCodes_.push_back(request[2]);
            return Answer{};
        case 0x80:
            if (mountFailures_ != 0) {
                if (mountFailures_ > 0) --mountFailures_;
                return Answer{kRefused, {1}};
            }
            return Answer{0, {0}};
        case 0x0E:
            if (!qccImage_) break;
            {
                // The last chunk: taken as a 0x06 chunk is.
                std::vector<uint8_t> chunk = request;
                chunk[1] = 0x06;
                return PartDownloadHeadset::answer(format, chunk);
            }
        default:
            break;
    }
    return PartDownloadHeadset::answer(format, request);
}

}  // namespace sim
