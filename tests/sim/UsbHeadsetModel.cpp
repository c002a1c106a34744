#include "sim/UsbHeadsetModel.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "sim/TimedEvents.h"
#include "sim/UsbDescriptors.h"
#include "sim/UsbTestbed.h"

namespace sim {

namespace {

constexpr uint8_t kInterruptIn = 0x81;
constexpr uint16_t kStatusNoSuchVarid = 1, kStatusNoValue = 3;

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void put16(Bytes& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

uint16_t firmwareTwin(uint16_t runtimeId) {
    switch (runtimeId) {
        case 0x6021:
            return 0xE020;
        case 0x6023:
            return 0xE022;
        case 0x6025:
            return 0xE024;
        default:
            return static_cast<uint16_t>(runtimeId | 0x8000);
    }
}

UsbHeadsetModel::UsbHeadsetModel(uint16_t runtimeId, bool dfuMode, uint16_t vendor)
    : vendor_(vendor), runtimeId_(runtimeId) {
    dfu_.enter(dfuMode);
}

// ---- what tests script and read --------------------------------------------------------------

void UsbHeadsetModel::setKey(uint16_t key, std::vector<uint16_t> words) {
    std::lock_guard<std::mutex> g(lock_);
    store_[key] = std::move(words);
}

void UsbHeadsetModel::eraseKey(uint16_t key) {
    std::lock_guard<std::mutex> g(lock_);
    store_.erase(key);
}

std::optional<std::vector<uint16_t>> UsbHeadsetModel::key(uint16_t key) const {
    std::lock_guard<std::mutex> g(lock_);
    auto it = store_.find(key);
    if (it == store_.end()) return std::nullopt;
    return it->second;
}

std::vector<UsbHeadsetModel::PsWrite> UsbHeadsetModel::psWrites() const {
    std::lock_guard<std::mutex> g(lock_);
    return writes_;
}

void UsbHeadsetModel::setFaults(const BccmdFaults& faults) {
    std::lock_guard<std::mutex> g(lock_);
    faults_ = faults;
}

std::vector<UsbHeadsetModel::BccmdRequest> UsbHeadsetModel::bccmdRequests() const {
    std::lock_guard<std::mutex> g(lock_);
    return requests_;
}

int UsbHeadsetModel::malformedFrames() const {
    std::lock_guard<std::mutex> g(lock_);
    return malformed_;
}

void UsbHeadsetModel::failClaims(std::vector<int> errnos) {
    std::lock_guard<std::mutex> g(lock_);
    claimErrors_.assign(errnos.begin(), errnos.end());
}

void UsbHeadsetModel::failClaimsAlways(int errnoValue) {
    std::lock_guard<std::mutex> g(lock_);
    claimAlways_ = errnoValue;
}

std::vector<int> UsbHeadsetModel::claimAttempts() const {
    std::lock_guard<std::mutex> g(lock_);
    return claimAttempts_;
}

std::set<int> UsbHeadsetModel::claimed() const {
    std::lock_guard<std::mutex> g(lock_);
    return claimed_;
}

void UsbHeadsetModel::setDfu(const DfuMachine::Behaviour& behaviour) {
    std::lock_guard<std::mutex> g(lock_);
    dfu_.setBehaviour(behaviour);
    dfu_.enter(dfu_.dfuMode());
}

std::vector<DfuMachine::Block> UsbHeadsetModel::dfuBlocks() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.blocks();
}

Bytes UsbHeadsetModel::dfuImage() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.image();
}

std::vector<DfuMachine::Request> UsbHeadsetModel::dfuRequests() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.requests();
}

bool UsbHeadsetModel::dfuDownloadEnded() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.downloadEnded();
}

int UsbHeadsetModel::dfuDetaches() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.detaches();
}

int UsbHeadsetModel::dfuVendorRequests7() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.vendorRequests7();
}

DfuMachine::State UsbHeadsetModel::dfuState() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.state();
}

uint16_t UsbHeadsetModel::productId() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.dfuMode() ? firmwareTwin(runtimeId_) : runtimeId_;
}

bool UsbHeadsetModel::inDfuMode() const {
    std::lock_guard<std::mutex> g(lock_);
    return dfu_.dfuMode();
}

int UsbHeadsetModel::resets() const {
    std::lock_guard<std::mutex> g(lock_);
    return resets_;
}

// ---- the device ------------------------------------------------------------------------------

// Run-time mode: a Bluetooth HCI device (interface 0 with the event endpoint and the ACL bulk
// pipes, interface 1 for voice) with a DFU interface 2. DFU mode: the DFU interface alone.
Bytes UsbHeadsetModel::descriptors() {
    std::lock_guard<std::mutex> g(lock_);
    if (dfu_.dfuMode()) {
        // Class 0xFE on the device: what a host waiting for firmware-management mode looks for.
        Bytes d = deviceDescriptor(vendor_, firmwareTwin(runtimeId_), 0xFE);
        Bytes c = configDescriptor(1, {dfuInterface(0)});
        d.insert(d.end(), c.begin(), c.end());
        return d;
    }
    UsbInterfaceDesc hci;
    hci.cls = 0xE0;
    hci.subclass = 1;
    hci.protocol = 1;
    hci.endpoints = 3;
    hci.extra = {endpointDescriptor(kInterruptIn, 3, 16, 1), endpointDescriptor(0x82, 2, 64, 0),
                 endpointDescriptor(0x02, 2, 64, 0)};
    UsbInterfaceDesc voice = hci;
    voice.number = 1;
    voice.endpoints = 0;
    voice.extra.clear();
    Bytes d = deviceDescriptor(vendor_, runtimeId_, 0xE0);
    Bytes c = configDescriptor(1, {hci, voice, dfuInterface(2)});
    d.insert(d.end(), c.begin(), c.end());
    return d;
}

int UsbHeadsetModel::control(const UsbSetup& setup, uint8_t* data) {
    int result = -EPIPE;
    std::function<void(const UsbSetup&, const uint8_t*)> hook;
    {
        std::lock_guard<std::mutex> g(lock_);
        hook = onControl_;
        if (setup.requestType == 0x20 && setup.request == 0 && !dfu_.dfuMode())
            result = faults_.controlStalls ? -EPIPE : bccmd(data, setup.length);
        else if ((setup.requestType & 0x60) == 0x20 && (setup.requestType & 0x1F) == 1)
            result = dfu_.request(setup, data);
    }
    if (hook) hook(setup, data);
    return result;
}

void UsbHeadsetModel::onControl(std::function<void(const UsbSetup&, const uint8_t*)> hook) {
    std::lock_guard<std::mutex> g(lock_);
    onControl_ = std::move(hook);
}

void UsbHeadsetModel::powerUp() {
    std::lock_guard<std::mutex> g(lock_);
    dfu_.powerUp();
    claimed_.clear();
    events_.clear();
    eventOffset_ = 0;
    held_.reset();
}

// An HCI vendor command carrying one BCCMD PDU.
int UsbHeadsetModel::bccmd(const uint8_t* f, size_t length) {
    if (length < 14 || le16(f) != 0xFC00 || f[2] != length - 3 || f[3] != 0xC2 ||
        length != 2u * le16(f + 6) + 4u) {
        ++malformed_;
        return static_cast<int>(length);
    }
    BccmdRequest r{le16(f + 4), le16(f + 6), le16(f + 8), le16(f + 10), Bytes(f + 14, f + length)};
    requests_.push_back(r);
    if (held_) {  // the previous reply arrives late, ahead of this one
        queueReply(std::move(*held_));
        held_.reset();
    }
    if (r.varid >= 0x4001 && r.varid <= 0x4004) return static_cast<int>(length);  // resets: no reply
    if (faults_.silent) return static_cast<int>(length);

    uint16_t status = 0;
    Bytes payload = answer(r, status);
    if (faults_.status) status = faults_.status;
    Bytes event(3 + 2u * r.size, 0);
    event[0] = faults_.eventCode >= 0 ? static_cast<uint8_t>(faults_.eventCode) : 0xFF;
    event[1] = static_cast<uint8_t>(event.size() - 2);
    event[2] = faults_.channel >= 0 ? static_cast<uint8_t>(faults_.channel) : 0xC2;
    put16(event, 3, 1);  // get-response
    put16(event, 5, r.size);
    put16(event, 7, r.sequence);
    put16(event, 9, r.varid);
    put16(event, 11, status);
    std::copy_n(payload.begin(), std::min(payload.size(), event.size() - 13), event.begin() + 13);
    if (faults_.truncateTo >= 0 && static_cast<size_t>(faults_.truncateTo) < event.size())
        event.resize(faults_.truncateTo);
    if (faults_.staleReplies > 0) {
        --faults_.staleReplies;
        held_ = std::move(event);
    } else {
        queueReply(std::move(event));
    }
    return static_cast<int>(length);
}

// The payload of the reply: the request's, with the persistent store's answer filled in.
Bytes UsbHeadsetModel::answer(const BccmdRequest& r, uint16_t& status) {
    Bytes p = r.payload;
    if (p.size() < 4) {
        status = kStatusNoSuchVarid;
        return p;
    }
    uint16_t key = le16(p.data()), words = le16(p.data() + 2);
    auto it = store_.find(key);
    if (r.varid == 0x3006) {
        if (it == store_.end())
            status = kStatusNoValue;
        else
            put16(p, 2, static_cast<uint16_t>(it->second.size()));
    } else if (r.varid == 0x7003 && r.type == 2) {
        std::vector<uint16_t> value;
        for (size_t i = 0; i < words && 6 + 2 * i + 1 < p.size(); ++i)
            value.push_back(le16(p.data() + 6 + 2 * i));
        store_[key] = value;
        writes_.push_back({key, value});
    } else if (r.varid == 0x7003) {
        if (it == store_.end()) {
            status = kStatusNoValue;
        } else {
            for (size_t i = 0; i < words && i < it->second.size() && 6 + 2 * i + 1 < p.size(); ++i)
                put16(p, 6 + 2 * i, it->second[i]);
        }
    } else {
        status = kStatusNoSuchVarid;
    }
    return p;
}

void UsbHeadsetModel::queueReply(Bytes event) { events_.push_back(std::move(event)); }

// A read ends at the end of an event, as a short packet ends an interrupt transfer.
bool UsbHeadsetModel::takeIn(uint8_t ep, size_t max, Bytes& piece) {
    std::lock_guard<std::mutex> g(lock_);
    if (ep != kInterruptIn || events_.empty() || max == 0) return false;
    const Bytes& e = events_.front();
    size_t n = std::min(max, e.size() - eventOffset_);
    if (faults_.piece) n = std::min(n, faults_.piece);
    piece.assign(e.begin() + eventOffset_, e.begin() + eventOffset_ + n);
    eventOffset_ += n;
    if (eventOffset_ >= e.size()) {
        events_.pop_front();
        eventOffset_ = 0;
    }
    return true;
}

bool UsbHeadsetModel::inPending(uint8_t ep) {
    std::lock_guard<std::mutex> g(lock_);
    return ep == kInterruptIn && !events_.empty();
}

int UsbHeadsetModel::transferOut(uint8_t, const uint8_t*, size_t) { return -EPIPE; }

int UsbHeadsetModel::claim(int interface) {
    std::lock_guard<std::mutex> g(lock_);
    claimAttempts_.push_back(interface);
    int e = claimAlways_;
    if (!claimErrors_.empty()) {
        e = claimErrors_.front();
        claimErrors_.pop_front();
    }
    if (e) return -e;
    bool exists = dfu_.dfuMode() ? interface == 0 : interface >= 0 && interface <= 2;
    if (!exists) return -ENOENT;
    claimed_.insert(interface);
    return 0;
}

void UsbHeadsetModel::release(int interface) {
    std::lock_guard<std::mutex> g(lock_);
    claimed_.erase(interface);
}

void UsbHeadsetModel::startsAgain() {
    claimed_.clear();
    events_.clear();
    eventOffset_ = 0;
    held_.reset();
}

void UsbHeadsetModel::restartsAfterDetach(UsbTestbed& bus, size_t device, Scheduler& events,
                                          std::optional<int64_t> backAfterMs, int64_t leaveAfterMs) {
    std::lock_guard<std::mutex> g(lock_);
    restart_ = Restart{&bus, device, &events, backAfterMs, leaveAfterMs};
}

bool UsbHeadsetModel::reset() {
    std::lock_guard<std::mutex> g(lock_);
    ++resets_;
    if (restart_ && !dfu_.dfuMode() && dfu_.state() == DfuMachine::appDETACH) {
        // Restarting already: a second reset changes nothing.
        if (restarting_) return false;
        restarting_ = true;
        const Restart r = *restart_;
        std::weak_ptr<int> alive = alive_;
        r.events->after(r.leaveAfterMs, [r, alive] {
            if (alive.lock()) r.bus->unplug(r.device);
        });
        if (r.backAfterMs) {
            r.events->after(*r.backAfterMs, [this, r, alive] {
                const auto held = alive.lock();
                if (!held) return;
                {
                    std::lock_guard<std::mutex> g(lock_);
                    restarting_ = false;
                    dfu_.reset();
                    startsAgain();
                }
                r.bus->plugBack(r.device);
            });
        }
        return false;
    }
    bool again = dfu_.reset();
    if (again) startsAgain();
    return again;
}

}  // namespace sim
