#include "sim/MeshModule.h"

#include "sim/HidrawTestbed.h"
#include "sim/TimedEvents.h"

namespace sim {

namespace {

constexpr uint8_t kRefused = 2;
constexpr int64_t kLeaveAfterMs = 100;

uint16_t crc16(uint16_t crc, const uint8_t* data, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        crc = static_cast<uint16_t>(crc ^ (data[i] << 8));
        for (int bit = 0; bit < 8; ++bit) crc = static_cast<uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

uint16_t crcOf(const std::vector<uint8_t>& request) { return static_cast<uint16_t>(request[4] | request[5] << 8); }

}  // namespace

SimMeshModule::SimMeshModule(Format format) : format_(format) { setVersion({1, 0, 2, 1, 7}, format); }

void SimMeshModule::setBehaviour(const Behaviour& b) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    behaviour_ = b;
}

void SimMeshModule::restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bus_ = &bus;
    entry_ = entry;
    events_ = &events;
}

std::vector<SimMeshModule::Image> SimMeshModule::images() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return images_;
}

std::vector<uint8_t> SimMeshModule::commands() const {
    std::vector<uint8_t> out;
    for (const Request& r : requests())
        if (r.format == format_ && r.bytes.size() > 1) out.push_back(r.bytes[1]);
    return out;
}

int SimMeshModule::count(uint8_t command) const {
    int n = 0;
    for (uint8_t c : commands()) n += c == command;
    return n;
}

Answer SimMeshModule::imageAnswer(const std::vector<uint8_t>& request) {
    if (images_.empty()) return Answer{kRefused, {}};
    Image& image = images_.back();
    switch (request[1]) {
        case 0x06: {
            const size_t length = request[3];
            if (length > request.size() - 4) return Answer{kRefused, {}};
            pending_.assign(request.begin() + 4, request.begin() + 4 + static_cast<std::ptrdiff_t>(length));
            image.chunks.push_back(length);
            // Without checks every chunk counts; the checks take back what they refuse.
            image.accepted.insert(image.accepted.end(), pending_.begin(), pending_.end());
            return Answer{};
        }
        case 0x5A: {
            const int n = checks_++;
            const bool fails = behaviour_.failingChecks.count(n) ||
                               (behaviour_.checksFailFrom >= 0 && n >= behaviour_.checksFailFrom);
            if (fails || crc16(0, pending_.data(), pending_.size()) != crcOf(request)) {
                image.accepted.resize(image.accepted.size() - std::min(image.accepted.size(), pending_.size()));
                pending_.clear();
                return Answer{kRefused, {}};
            }
            pending_.clear();
            return Answer{};
        }
        case 0x5B: {
            const bool fails = behaviour_.failingVerifies.count(verifies_++) ||
                               crc16(0, image.accepted.data(), image.accepted.size()) != crcOf(request);
            if (!fails) {
                image.verified = true;
                return Answer{};
            }
            image.accepted.clear();  // the next attempt starts from the beginning
            return Answer{kRefused, {}};
        }
        case 0x07:
            image.ended = true;
            return Answer{};
        default:
            return Answer{kRefused, {}};
    }
}

Answer SimMeshModule::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format != format_) return BlockHeadsetModel::answer(format, request);
    if (behaviour_.refused.count(request[1])) return Answer{kRefused, {}};
    switch (request[1]) {
        case 0x00:
            return Answer{};
        case 0x05:
            images_.push_back(Image{request[2], {}, {}, false, false});
            pending_.clear();
            return Answer{};
        case 0x06:
        case 0x5A:
        case 0x5B:
        case 0x07:
            return imageAnswer(request);
        case 0x47:
            return Answer{0, {static_cast<uint8_t>(behaviour_.im501Good ? 1 : 0)}};
        case 0x08:
            if (bus_ && events_) {
                HidrawTestbed* bus = bus_;
                const size_t entry = entry_;
                events_->after(kLeaveAfterMs, [bus, entry] { bus->leaveBus(entry); });
                if (behaviour_.restartBackMs >= 0)
                    events_->after(behaviour_.restartBackMs, [bus, entry] { bus->plugIn(entry); });
            }
            return Answer{};
        default:
            return BlockHeadsetModel::answer(format, request);
    }
}

}  // namespace sim
