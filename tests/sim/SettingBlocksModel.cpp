#include "sim/SettingBlocksModel.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint8_t kAddress = 0x02, kRead = 0x03, kWrite = 0x04, kRefresh = 0x10, kCommit = 0x11;
constexpr uint8_t kFailed = 2;
constexpr size_t kLongWordsAt = 4;   // format A request: count at 3, words from 4
constexpr size_t kShortWordsAt = 4;  // format B request and reply: words from byte 4

uint16_t bigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

uint16_t littleEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The first n words of the stored block replaced, the block growing when it was shorter.
void store(SettingBlocksModel::Words& block, const SettingBlocksModel::Words& words) {
    if (block.size() < words.size()) block.resize(words.size(), 0);
    std::copy(words.begin(), words.end(), block.begin());
}

}  // namespace

void SettingBlocksModel::setBlock(uint8_t key, Words words) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    blocks_[key] = std::move(words);
}

void SettingBlocksModel::setShortBlock(uint8_t key, Words words) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    shortBlocks_[key] = std::move(words);
}

std::optional<SettingBlocksModel::Words> SettingBlocksModel::block(uint8_t key) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = blocks_.find(key);
    return it == blocks_.end() ? std::nullopt : std::optional<Words>(it->second);
}

std::optional<SettingBlocksModel::Words> SettingBlocksModel::shortBlock(uint8_t key) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = shortBlocks_.find(key);
    return it == shortBlocks_.end() ? std::nullopt : std::optional<Words>(it->second);
}

void SettingBlocksModel::setAddress(std::array<uint8_t, 6> address) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    address_ = address;
}

void SettingBlocksModel::refuseWrites(bool refuse) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    refuseWrites_ = refuse;
}

void SettingBlocksModel::refuseWritesTo(uint8_t key) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    refusedKeys_.insert(key);
}

void SettingBlocksModel::claimWordCount(uint8_t key, uint8_t count) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    claimedCounts_[key] = count;
}

std::vector<SettingBlocksModel::KeyRequest> SettingBlocksModel::keyRequests() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return keyRequests_;
}

int SettingBlocksModel::readsOf(uint8_t key) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = reads_.find(key);
    return it == reads_.end() ? 0 : it->second;
}

Answer SettingBlocksModel::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format == Format::A) return longAnswer(request);
    if (format == Format::B) return shortAnswer(request);
    return family_ ? family_->answer(format, request) : HeadsetModel::answer(format, request);
}

Answer SettingBlocksModel::notHeld(Format format, const std::vector<uint8_t>& request, Answer failed) {
    return family_ ? family_->answer(format, request) : failed;
}

// Format A: reply data is [key, count, big-endian words] for reads, [address bytes] for 0x02.
Answer SettingBlocksModel::longAnswer(const std::vector<uint8_t>& request) {
    const uint8_t command = request[1], key = request[2];
    Answer a;
    switch (command) {
        case kAddress:
            if (!address_) return notHeld(Format::A, request, {kFailed, {}});
            a.data.assign(address_->begin(), address_->end());
            return a;
        case kRead: {
            ++reads_[key];
            auto it = blocks_.find(key);
            if (it == blocks_.end()) return notHeld(Format::A, request, {kFailed, {key, 0}});
            auto claimed = claimedCounts_.find(key);
            uint8_t count = claimed != claimedCounts_.end()
                                ? claimed->second
                                : static_cast<uint8_t>(std::min<size_t>(it->second.size(), 255));
            a.data = {key, count};
            for (uint16_t w : it->second) {
                a.data.push_back(static_cast<uint8_t>(w >> 8));
                a.data.push_back(static_cast<uint8_t>(w));
            }
            return a;
        }
        case kWrite: {
            size_t room = (request.size() - kLongWordsAt) / 2;
            size_t n = std::min<size_t>(request[3], room);
            Words words;
            for (size_t i = 0; i < n; ++i) words.push_back(bigEndianAt(request, kLongWordsAt + 2 * i));
            keyRequests_.push_back({Format::A, command, key, words});
            if (refuseWrites_ || refusedKeys_.count(key)) return {kFailed, {key, 0}};
            store(blocks_[key], words);
            a.data = {key, 0};
            return a;
        }
        case kCommit: {
            size_t n = std::min<size_t>(request[3], (request.size() - kLongWordsAt) / 2);
            Words words;
            for (size_t i = 0; i < n; ++i) words.push_back(littleEndianAt(request, kLongWordsAt + 2 * i));
            keyRequests_.push_back({Format::A, command, key, words});
            a.data = {key, 0};
            return a;
        }
        case kRefresh:
            keyRequests_.push_back({Format::A, command, key, {}});
            a.data = {key, 0};
            return a;
        default:
            return notHeld(Format::A, request, HeadsetModel::answer(Format::A, request));
    }
}

// Format B: command at byte 2, key at byte 3; reply data (after command and status) at the
// command's table length, words little-endian from its start.
Answer SettingBlocksModel::shortAnswer(const std::vector<uint8_t>& request) {
    const uint8_t command = request[2], key = request[3];
    Answer a = HeadsetModel::answer(Format::B, request);  // zero data of the table's length
    Answer failed{kFailed, a.data, true};
    switch (command) {
        case kAddress:
            if (!address_) return notHeld(Format::B, request, failed);
            std::copy_n(address_->begin(), std::min(a.data.size(), address_->size()), a.data.begin());
            return a;
        case kRead: {
            auto it = shortBlocks_.find(key);
            if (it == shortBlocks_.end()) return notHeld(Format::B, request, failed);
            for (size_t i = 0; i < it->second.size() && 2 * i + 1 < a.data.size(); ++i) {
                a.data[2 * i] = static_cast<uint8_t>(it->second[i]);
                a.data[2 * i + 1] = static_cast<uint8_t>(it->second[i] >> 8);
            }
            return a;
        }
        case kWrite: {
            // The report carries no count: the key keeps its length (three words when new).
            Words& block = shortBlocks_[key];
            size_t n = block.empty() ? 3 : block.size();
            Words words;
            for (size_t i = 0; i < n && kShortWordsAt + 2 * i + 1 < request.size(); ++i)
                words.push_back(littleEndianAt(request, kShortWordsAt + 2 * i));
            keyRequests_.push_back({Format::B, command, key, words});
            if (refuseWrites_ || refusedKeys_.count(key)) {
                if (block.empty()) shortBlocks_.erase(key);
                return {kFailed, a.data};
            }
            store(block, words);
            return a;
        }
        default:
            return notHeld(Format::B, request, a);
    }
}

}  // namespace sim
