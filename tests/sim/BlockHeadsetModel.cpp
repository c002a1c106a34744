#include "sim/BlockHeadsetModel.h"

namespace sim {

void BlockHeadsetModel::setKey(uint8_t key, std::vector<uint16_t> words) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    keys_[key] = std::move(words);
}

std::optional<std::vector<uint16_t>> BlockHeadsetModel::key(uint8_t key) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = keys_.find(key);
    if (it == keys_.end()) return std::nullopt;
    return it->second;
}

void BlockHeadsetModel::setKeyAnswer(uint8_t key, Answer a) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    keyAnswers_[key] = std::move(a);
}

void BlockHeadsetModel::setKeyCount(uint8_t key, uint8_t count) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    keyCounts_[key] = count;
}

void BlockHeadsetModel::setByte(uint8_t command, uint8_t value, Format format) {
    setAnswer(format, command, Answer{0, {value}});
}

void BlockHeadsetModel::setVersion(std::vector<uint8_t> bytes, Format format) {
    setAnswer(format, 0x01, Answer{0, std::move(bytes)});
}

Answer BlockHeadsetModel::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format != Format::A) return HeadsetModel::answer(format, request);
    uint8_t command = request[1], keyByte = request[2];
    switch (command) {
        case kReadKey: {
            auto fault = keyAnswers_.find(keyByte);
            if (fault != keyAnswers_.end()) return fault->second;
            auto it = keys_.find(keyByte);
            if (it == keys_.end()) return Answer{2, {}};
            const std::vector<uint16_t>& words = it->second;
            auto count = keyCounts_.find(keyByte);
            Answer a{0, {keyByte, count != keyCounts_.end() ? count->second : static_cast<uint8_t>(words.size())}};
            for (uint16_t w : words) {
                a.data.push_back(static_cast<uint8_t>(w >> 8));
                a.data.push_back(static_cast<uint8_t>(w));
            }
            return a;
        }
        case kWriteKey: {
            size_t n = request[3];
            std::vector<uint16_t> words;
            for (size_t i = 0; i < n && 5 + 2 * i < request.size(); ++i)
                words.push_back(static_cast<uint16_t>(request[4 + 2 * i] << 8 | request[5 + 2 * i]));
            keys_[keyByte] = std::move(words);
            return Answer{};
        }
        case kRefreshKey:
        case kCommitKey:
            return Answer{};
        default:
            return HeadsetModel::answer(format, request);
    }
}

std::vector<uint16_t> BlockHeadsetModel::nameWords(const std::string& name) {
    std::vector<uint16_t> words{static_cast<uint16_t>(name.size())};
    for (unsigned char c : name) words.push_back(c);
    return words;
}

std::vector<uint16_t> BlockHeadsetModel::textWords(const std::string& text, size_t count) {
    std::vector<uint16_t> words(count, 0);
    for (size_t i = 0; i < text.size() && i < count; ++i) words[i] = static_cast<unsigned char>(text[i]);
    return words;
}

}  // namespace sim
