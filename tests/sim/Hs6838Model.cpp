#include "sim/Hs6838Model.h"

#include <algorithm>

#include "sim/HidrawTestbed.h"
#include "sim/TimedEvents.h"

namespace sim {

namespace {

constexpr size_t kTextLength = 58;
constexpr size_t kPieceMax = 58;
constexpr int64_t kLeaveAfterMs = 100;
constexpr uint8_t kRefused = 2;
constexpr uint8_t kWriteKey = 0x04, kReadText = 0x03, kFirstSpeedDial = 5, kLastSpeedDial = 7;
constexpr size_t kWrittenFrom = 4;

// Bit by bit, independent of the program's table: CRC-16/XMODEM.
uint16_t crc16(const uint8_t* data, size_t size, uint16_t crc = 0) {
    for (size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021) : crc << 1;
    }
    return crc;
}

}  // namespace

Hs6838Model::Hs6838Model(const Profile& p) {
    setShortAnswer(0x01, 0x00, Answer{0, {p.version.begin(), p.version.end()}});
    setShortAnswer(0x01, 0x01, Answer{0, {p.languagePack.begin(), p.languagePack.end()}});
    setShortAnswer(0x02, 0x00, Answer{0, {p.address.begin(), p.address.end()}});
    setText(kParameterName, p.name);
}

void Hs6838Model::setShortAnswer(uint8_t command, uint8_t parameter, Answer a) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    answers_[{command, parameter}] = std::move(a);
}

void Hs6838Model::setText(uint8_t parameter, const std::string& text) {
    std::vector<uint8_t> data(kTextLength, 0);
    for (size_t i = 0; i < text.size() && i < kTextLength; ++i) data[i] = static_cast<uint8_t>(text[i]);
    setShortAnswer(0x03, parameter, Answer{0, std::move(data)});
}

void Hs6838Model::setBlockVersions(uint8_t block, std::array<uint8_t, 5> versions) {
    setShortAnswer(kVersion, block, Answer{0, {versions.begin(), versions.end()}});
}

void Hs6838Model::setAfterRestart(uint8_t parameter, Answer a) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    afterRestart_[parameter] = std::move(a);
}

void Hs6838Model::setBlockFaults(const BlockFaults& faults) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    blockFaults_ = faults;
}

void Hs6838Model::restartsOn(HidrawTestbed& bus, size_t entry, Scheduler& events, int64_t backAfterMs) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bus_ = &bus;
    entry_ = entry;
    events_ = &events;
    backAfterMs_ = backAfterMs;
}

std::optional<std::vector<uint8_t>> Hs6838Model::speedDialBytes(uint8_t id) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = speedDials_.find(id);
    if (it == speedDials_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::vector<uint8_t>> Hs6838Model::blocks() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return blocks_;
}

int Hs6838Model::restarts() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return restarts_;
}

// Leaves once the answer to 0x08 has been fetched, and comes back as the same device with the
// declared versions.
void Hs6838Model::runLoader() {
    ++restarts_;
    if (!bus_ || !events_) return;
    HidrawTestbed* bus = bus_;
    size_t entry = entry_;
    events_->after(kLeaveAfterMs, [bus, entry] { bus->leaveBus(entry); });
    if (blockFaults_.neverComesBack) return;
    events_->after(backAfterMs_, [this, bus, entry] {
        {
            std::lock_guard<std::recursive_mutex> lock(mutex_);
            for (auto& [parameter, a] : afterRestart_) answers_[{kVersion, parameter}] = a;
        }
        bus->plugIn(entry);
    });
}

Answer Hs6838Model::blockAnswer(const std::vector<uint8_t>& request) {
    const uint8_t command = request[2];
    Answer a;
    switch (command) {
        case kStart:
            blocks_.emplace_back();
            break;
        case kWrite: {
            const size_t length = request[3];
            if (length < 1 || length > kPieceMax) {
                a.status = kRefused;
                a.data = {0, 0};
                break;
            }
            const uint8_t* piece = request.data() + 4;
            if (blocks_.empty()) blocks_.emplace_back();
            blocks_.back().insert(blocks_.back().end(), piece, piece + length);
            uint16_t crc = crc16(piece, length);
            if (pieces_++ == blockFaults_.wrongCrcAtPiece) crc ^= 0x0101;
            a.data = {static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8)};
            break;
        }
        case kVerify: {
            const std::vector<uint8_t> none;
            const std::vector<uint8_t>& block = blocks_.empty() ? none : blocks_.back();
            const uint16_t crc = crc16(block.data(), block.size());
            const uint16_t asked = static_cast<uint16_t>(request[5] | request[6] << 8);
            if (request[4] != 2 || asked != crc) a.status = kRefused;
            break;
        }
        case kRunLoader:
            runLoader();
            break;
        case kResult:
            a.data = {1};
            break;
        default:
            break;
    }
    if (command == blockFaults_.silentCommand) a.silent = true;
    if (command == blockFaults_.failingCommand) a.status = blockFaults_.failureStatus;
    return a;
}

Answer Hs6838Model::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format == Format::B) {
        const uint8_t command = request[2];
        if (command == kStart || command == kWrite || command == kVerify || command == kRunLoader ||
            command == kResult)
            return blockAnswer(request);
        const uint8_t parameter = request[3];
        if (command == kWriteKey && parameter >= kFirstSpeedDial && parameter <= kLastSpeedDial) {
            std::vector<uint8_t> bytes(request.begin() + kWrittenFrom, request.end());
            speedDials_[parameter] = bytes;
            std::vector<uint8_t> text(kTextLength, 0);
            std::copy_n(bytes.begin(), std::min(bytes.size(), kTextLength), text.begin());
            answers_[{kReadText, parameter}] = Answer{0, std::move(text)};
        }
        auto it = answers_.find({command, request[3]});
        if (it != answers_.end()) {
            Answer a = it->second;
            if (command == blockFaults_.silentCommand) a.silent = true;
            if (command == blockFaults_.failingCommand) a.status = blockFaults_.failureStatus;
            return a;
        }
    }
    return HeadsetModel::answer(format, request);
}

}  // namespace sim
