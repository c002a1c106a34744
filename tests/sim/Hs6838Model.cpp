#include "sim/Hs6838Model.h"

namespace sim {

namespace {
constexpr size_t kTextLength = 58;
}

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

Answer Hs6838Model::answer(Format format, const std::vector<uint8_t>& request) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (format == Format::B) {
        auto it = answers_.find({request[2], request[3]});
        if (it != answers_.end()) return it->second;
    }
    return HeadsetModel::answer(format, request);
}

}  // namespace sim
