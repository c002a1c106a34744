#include "sim/PartDownloadHeadset.h"

#include "sim/HidrawTestbed.h"
#include "sim/SimCamera.h"
#include "sim/TimedEvents.h"

namespace sim {

namespace {
constexpr uint8_t kRefused = 2;
constexpr int64_t kLeaveAfterMs = 100;
}  // namespace

PartDownloadHeadset::PartDownloadHeadset() { setVersion({1, 2, 0, 0}); }

void PartDownloadHeadset::setBehaviour(const Behaviour& b) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    behaviour_ = b;
}

void PartDownloadHeadset::restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bus_ = &bus;
    entry_ = entry;
    events_ = &events;
}

void PartDownloadHeadset::attachCamera(std::shared_ptr<SimCamera> camera) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    camera_ = std::move(camera);
}

std::vector<PartDownloadHeadset::Part> PartDownloadHeadset::parts() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return parts_;
}

std::vector<uint8_t> PartDownloadHeadset::commands() const {
    std::vector<uint8_t> out;
    for (const Request& r : requests())
        if (r.format == Format::A && r.bytes.size() > 1) out.push_back(r.bytes[1]);
    return out;
}

int PartDownloadHeadset::count(uint8_t command) const {
    int n = 0;
    for (uint8_t c : commands()) n += c == command;
    return n;
}

void PartDownloadHeadset::leaveAndReturn(int64_t backMs, bool returns) {
    if (!bus_ || !events_) return;
    HidrawTestbed* bus = bus_;
    size_t entry = entry_;
    events_->after(kLeaveAfterMs, [bus, entry] { bus->leaveBus(entry); });
    if (returns) events_->after(backMs, [bus, entry] { bus->plugIn(entry); });
}

Answer PartDownloadHeadset::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format != Format::A) return BlockHeadsetModel::answer(format, request);
    if (behaviour_.refused.count(request[1])) return Answer{kRefused, {}};
    switch (request[1]) {
        case 0x0E:
            leaveAndReturn(behaviour_.downloadModeBackMs, true);
            return Answer{};
        case 0x05:
            parts_.push_back(Part{request[2], {}, false});
            return Answer{};
        case 0x06: {
            if (chunks_++ == behaviour_.refusedChunk) return Answer{kRefused, {}};
            const size_t length = static_cast<size_t>(request[2] << 8 | request[3]);
            if (parts_.empty() || length > request.size() - 4) return Answer{kRefused, {}};
            parts_.back().bytes.insert(parts_.back().bytes.end(), request.begin() + 4,
                                       request.begin() + 4 + static_cast<std::ptrdiff_t>(length));
            return Answer{};
        }
        case 0x07:
            if (parts_.empty()) return Answer{kRefused, {}};
            parts_.back().ended = true;
            return Answer{};
        case 0x0D:
            return Answer{0, {static_cast<uint8_t>(polls_++ < behaviour_.notReadyPolls ? 0 : 1)}};
        case 0x08:
            leaveAndReturn(behaviour_.restartBackMs, !behaviour_.neverComesBack);
            return Answer{};
        case 0x20:
        case 0x21:
        case 0x22: {
            if (!camera_) return Answer{kRefused, {}};
            if (request[1] == 0x20) camera_->storageOn();
            if (request[1] == 0x21) camera_->storageOff();
            if (request[1] != 0x22) return Answer{};
            uint8_t state = 0;
            if (!camera_->stateQuery(state)) return Answer{kRefused, {}};
            return Answer{0, {state}};
        }
        default:
            return BlockHeadsetModel::answer(format, request);
    }
}

}  // namespace sim
