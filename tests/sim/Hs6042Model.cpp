#include "sim/Hs6042Model.h"

#include "sim/HidrawTestbed.h"
#include "sim/TimedEvents.h"

namespace sim {

namespace {
constexpr uint8_t kRefused = 2;
constexpr int64_t kLeaveAfterMs = 100;
constexpr size_t kChunkMax = 1019;
constexpr uint8_t kStart = 0x05, kChunk = 0x06, kLastChunk = 0x0E, kEnd = 0x07, kRunLoader = 0x08,
                  kConfirm = 0x0A, kUpdateMode = 0x13;
}  // namespace

Hs6042Model::Hs6042Model(const Profile& p) {
    setByte(0x12, 0);  // probe: ready
    setByte(0x1A, p.fmRadio ? 1 : 0);
    setVersion({p.version[0], p.version[1], p.version[2], p.version[3]});
    setKey(kKeyName, nameWords(p.name));
    setKey(kKeyFm, {p.fm.begin(), p.fm.end()});
    for (uint8_t k = 0; k < 3; ++k) setKey(static_cast<uint8_t>(kKeySpeedDial + k), textWords(p.speedDials[k], 20));
}

void Hs6042Model::setBehaviour(const Behaviour& b) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    behaviour_ = b;
}

void Hs6042Model::restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events, Scheduler* late) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bus_ = &bus;
    entry_ = entry;
    events_ = &events;
    late_ = late;
}

std::vector<Hs6042Model::Part> Hs6042Model::parts() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return parts_;
}

std::vector<uint8_t> Hs6042Model::commands() const {
    std::vector<uint8_t> out;
    for (const Request& r : requests())
        if (r.format == Format::A && r.bytes.size() > 1) out.push_back(r.bytes[1]);
    return out;
}

int Hs6042Model::count(uint8_t command) const {
    int n = 0;
    for (uint8_t c : commands()) n += c == command;
    return n;
}

std::vector<std::pair<uint8_t, size_t>> Hs6042Model::chunks() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return chunks_;
}

int Hs6042Model::restarts() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return restarts_;
}

void Hs6042Model::leaveAndReturn(bool returns, bool restart) {
    if (restart) ++restarts_;
    if (!bus_ || !events_) return;
    HidrawTestbed* bus = bus_;
    size_t entry = entry_;
    events_->after(kLeaveAfterMs, [bus, entry] { bus->leaveBus(entry); });
    if (!returns) return;
    events_->after(behaviour_.restartBackMs, [this, bus, entry, restart] {
        {
            std::lock_guard<std::recursive_mutex> lock(mutex_);
            if (restart && behaviour_.newVersion) {
                const auto& v = *behaviour_.newVersion;
                setVersion({v[0], v[1], v[2], v[3]});
            }
        }
        bus->plugIn(entry);
    });
}

Answer Hs6042Model::imageAnswer(const std::vector<uint8_t>& request) {
    const uint8_t command = request[1];
    switch (command) {
        case kStart:
            parts_.push_back(Part{request[2], {}, false, false});
            return Answer{};
        case kChunk:
        case kLastChunk: {
            const int index = static_cast<int>(chunks_.size());
            const size_t length = static_cast<size_t>(request[2] << 8 | request[3]);
            chunks_.emplace_back(command, length);
            if (index == behaviour_.refusedChunk) return Answer{kRefused, {}};
            if (index == behaviour_.faultsAtChunk) setFaults(behaviour_.chunkFaults);
            if (parts_.empty() || length > kChunkMax || parts_.back().lastChunk) return Answer{kRefused, {}};
            parts_.back().bytes.insert(parts_.back().bytes.end(), request.begin() + 4,
                                       request.begin() + 4 + static_cast<std::ptrdiff_t>(length));
            parts_.back().lastChunk = command == kLastChunk;
            return Answer{};
        }
        case kEnd:
            if (parts_.empty()) return Answer{kRefused, {}};
            parts_.back().ended = true;
            return Answer{};
        case kRunLoader:
            leaveAndReturn(!behaviour_.neverComesBack, true);
            return Answer{};
        case kUpdateMode:
            leaveAndReturn(true, false);
            return Answer{};
        case kConfirm: {
            if (behaviour_.confirmLateMs <= 0 || !late_) return Answer{};
            std::vector<uint8_t> reply(67, 0);
            reply[0] = request[0];
            reply[1] = kConfirm;
            late_->after(behaviour_.confirmLateMs, [this, reply] { pushInput(reply); });
            return Answer{0, {}, true};
        }
        default: {
            int& polls = polls_[command];
            return Answer{0, {static_cast<uint8_t>(polls++ < behaviour_.notReady.at(command) ? 0 : 1)}};
        }
    }
}

Answer Hs6042Model::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format != Format::A) return BlockHeadsetModel::answer(format, request);
    const uint8_t command = request[1];
    if (behaviour_.refused.count(command)) return Answer{kRefused, {}};
    switch (command) {
        case kStart:
        case kChunk:
        case kLastChunk:
        case kEnd:
        case kRunLoader:
        case kUpdateMode:
        case kConfirm:
            return imageAnswer(request);
        default:
            if (behaviour_.notReady.count(command)) return imageAnswer(request);
            return BlockHeadsetModel::answer(format, request);
    }
}

}  // namespace sim
