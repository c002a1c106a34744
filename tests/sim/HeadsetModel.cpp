#include "sim/HeadsetModel.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

constexpr size_t kLongRequest = 1023, kLongReply = 67, kShortReport = 62, kReport65 = 65;
constexpr uint8_t kFragmentReportId = 2;
constexpr uint8_t kBusy = 1;
constexpr uint8_t kRefused = 2;

// The device's format B reply lengths (data bytes after command and status) by command.
const std::map<uint8_t, size_t> kShortReplyLengths = {
    {0x00, 0}, {0x01, 5}, {0x02, 6}, {0x03, 58}, {0x04, 0}, {0x05, 0}, {0x06, 2}, {0x07, 0}, {0x08, 0},
    {0x09, 0}, {0x0A, 1}, {0x0B, 0}, {0x0C, 0},  {0x0D, 0}, {0x50, 0}, {0x51, 0}, {0x52, 0}, {0x53, 0},
    {0x54, 0}, {0x55, 0}, {0x56, 0}, {0x57, 0},  {0x58, 0}, {0x59, 0}, {0x5A, 0}, {0x5B, 0},
};

// DFU 1.1 states the loader sees.
constexpr uint8_t kDfuIdle = 2, kDnBusy = 4, kDnloadIdle = 5, kDfuError = 10;

}  // namespace

HeadsetModel::HeadsetModel() = default;

Answer HeadsetModel::answer(Format format, const std::vector<uint8_t>& request) {
    uint8_t command = format == Format::B ? request[2] : request[1];
    auto canned = answers_.find({format, command});
    if (canned != answers_.end()) return canned->second;
    Answer a;
    if (format == Format::B) {
        auto length = kShortReplyLengths.find(command);
        a.data.assign(length == kShortReplyLengths.end() ? 0 : length->second, 0);
    }
    return a;
}

void HeadsetModel::setAnswer(Format format, uint8_t command, Answer a) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    answers_[{format, command}] = std::move(a);
}

void HeadsetModel::setRequestBytes(RequestBytes kind) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    requestBytes_ = kind;
}

int HeadsetModel::strayRequests() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return strayRequests_;
}

void HeadsetModel::setFaults(const Faults& faults) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    faults_ = faults;
}

void HeadsetModel::setDfu(const DfuBehaviour& dfu) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    dfu_ = dfu;
    dfuStatus_ = dfu.initialStatus;
    dfuState_ = dfu.initialStatus ? kDfuError : kDfuIdle;
}

void HeadsetModel::pushInput(std::vector<uint8_t> report) {
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        inputs_.push_back(std::move(report));
    }
    if (inputChanged) inputChanged();
}

std::vector<HeadsetModel::Request> HeadsetModel::requests() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return requests_;
}

size_t HeadsetModel::requestCount() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return requests_.size();
}

size_t HeadsetModel::inputFetches() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return inputFetches_;
}

std::vector<std::vector<uint8_t>> HeadsetModel::dfuReports() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return dfuReports_;
}

std::vector<uint8_t> HeadsetModel::dfuImage() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::vector<uint8_t> image;
    for (const auto& r : dfuReports_) {
        size_t length = std::min<size_t>(r[4] | r[5] << 8, r.size() - 6);
        image.insert(image.end(), r.begin() + 6, r.begin() + 6 + static_cast<long>(length));
    }
    return image;
}

bool HeadsetModel::dfuEnded() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return dfuEnded_;
}

int HeadsetModel::vendorRequests() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return vendorRequests_;
}

int HeadsetModel::clearStatusRequests() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return clearStatusRequests_;
}

// A and C: [report id, command, status, data...] at the format's length, then the faults.
std::vector<uint8_t> HeadsetModel::longReply(const std::vector<uint8_t>& request, size_t size,
                                             const Answer& a, bool final) {
    std::vector<uint8_t> reply(size, 0);
    reply[0] = faults_.reportId >= 0 ? static_cast<uint8_t>(faults_.reportId) : request[0];
    reply[1] = faults_.wrongEcho ? static_cast<uint8_t>(request[1] ^ 0xFF) : request[1];
    reply[2] = final ? a.status : kBusy;
    if (final) {
        std::copy_n(a.data.begin(), std::min(a.data.size(), size - 3), reply.begin() + 3);
        for (auto [offset, value] : faults_.patch)
            if (offset < reply.size()) reply[offset] = value;
    }
    long length = static_cast<long>(size) + faults_.lengthDelta;
    reply.resize(static_cast<size_t>(std::max(length, 1L)), 0);
    return reply;
}

// B: the reply as the host assembles it from byte 2 on: [command, status, data...]. A busy reply
// has the final reply's length, so that it completes the host's gather.
std::vector<uint8_t> HeadsetModel::shortStream(const std::vector<uint8_t>& request, const Answer& a,
                                               bool final) {
    std::vector<uint8_t> stream{faults_.wrongEcho ? static_cast<uint8_t>(request[2] ^ 0xFF) : request[2],
                                final ? a.status : kBusy};
    if (final)
        stream.insert(stream.end(), a.data.begin(), a.data.end());
    else
        stream.resize(2 + a.data.size(), 0);
    long length = static_cast<long>(stream.size()) + faults_.lengthDelta;
    stream.resize(static_cast<size_t>(std::max(length, 0L)), 0);
    if (final)
        for (auto [offset, value] : faults_.patch)
            if (offset >= 2 && offset - 2 < stream.size()) stream[offset - 2] = value;
    return stream;
}

void HeadsetModel::queueFragments(const std::vector<uint8_t>& stream) {
    size_t step = std::clamp<size_t>(faults_.fragmentSize, 1, kShortReport - 2);
    for (size_t at = 0; at < stream.size(); at += step) {
        size_t n = std::min(step, stream.size() - at);
        std::vector<uint8_t> fragment(kShortReport, 0);
        fragment[0] = faults_.reportId >= 0 ? static_cast<uint8_t>(faults_.reportId) : kFragmentReportId;
        fragment[1] = faults_.fragmentLengthByte >= 0 ? static_cast<uint8_t>(faults_.fragmentLengthByte)
                                                      : static_cast<uint8_t>(n);
        std::copy_n(stream.begin() + static_cast<long>(at), n, fragment.begin() + 2);
        fragments_.push_back(std::move(fragment));
    }
}

int HeadsetModel::write(const uint8_t* data, size_t size) {
    Format format;
    if (size == kLongRequest)
        format = Format::A;
    else if (size == kShortReport)
        format = Format::B;
    else if (size == kReport65)
        format = Format::C;
    else
        return static_cast<int>(size);  // not a command: taken and ignored
    std::vector<uint8_t> request(data, data + size);
    int n = take(request, format);
    if (n >= 0 && onRequest) onRequest(format, request);
    return n;
}

int HeadsetModel::take(const std::vector<uint8_t>& request, Format format) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    int size = static_cast<int>(request.size());
    requests_.push_back({format, request});
    if (faults_.writeFails) return -EIO;
    busyForeverReport_.clear();
    busyForeverStream_.clear();
    if (format == Format::B) {
        fragments_.clear();  // a new command replaces an answer not yet fetched
        emptyPollsLeft_ = faults_.emptyPolls;
    }
    if (faults_.unplugOnRequest) {
        if (pullPlug) pullPlug();
        return size;
    }
    Answer a;
    const std::optional<size_t> stray =
        format == Format::A && requestBytes_ == RequestBytes::zeroFilled ? strayRequestByte(request) : std::nullopt;
    if (stray) {
        ++strayRequests_;
        std::fprintf(stderr, "simulated headset: request 0x%02X carries 0x%02X at byte %zu, past its named bytes\n",
                     request[1], request[*stray], *stray);
        a = Answer{kRefused, {}};
    } else {
        a = answer(format, request);
    }
    bool silent = faults_.silent || a.silent;
    if (format == Format::B) {
        if (faults_.busyForever) {
            busyForeverStream_ = shortStream(request, a, false);
        } else {
            for (int i = 0; i < faults_.busyReplies; ++i) queueFragments(shortStream(request, a, false));
            if (!silent) queueFragments(shortStream(request, a, true));
        }
    } else {
        size_t replySize = format == Format::A ? kLongReply : kReport65;
        if (faults_.busyForever) {
            busyForeverReport_ = longReply(request, replySize, a, false);
        } else {
            for (int i = 0; i < faults_.busyReplies; ++i)
                inputs_.push_back(longReply(request, replySize, a, false));
            if (!silent) inputs_.push_back(longReply(request, replySize, a, true));
        }
    }
    return size;
}

bool HeadsetModel::takeInput(std::vector<uint8_t>& report) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!inputs_.empty()) {
        report = std::move(inputs_.front());
        inputs_.pop_front();
        return true;
    }
    if (!busyForeverReport_.empty()) {
        report = busyForeverReport_;
        return true;
    }
    return false;
}

bool HeadsetModel::inputPending() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return !inputs_.empty() || !busyForeverReport_.empty();
}

int HeadsetModel::getInputReport(uint8_t* buf, size_t size) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ++inputFetches_;
    std::vector<uint8_t> fragment(kShortReport, 0);
    fragment[0] = buf[0];
    if (buf[0] == kFragmentReportId) {
        if (emptyPollsLeft_ > 0) {
            --emptyPollsLeft_;
        } else {
            if (fragments_.empty() && !busyForeverStream_.empty()) queueFragments(busyForeverStream_);
            if (!fragments_.empty()) {
                fragment = std::move(fragments_.front());
                fragments_.pop_front();
            }
        }
    }
    size_t n = std::min(size, fragment.size());
    std::memcpy(buf, fragment.data(), n);
    return static_cast<int>(n);
}

int HeadsetModel::getFeatureReport(uint8_t* buf, size_t size) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (buf[0] != 2) return -EPIPE;
    if (dfu_.statusFails) return -EIO;
    uint8_t state = dfuState_;
    if (dfuBusyLeft_ > 0) {
        --dfuBusyLeft_;
        state = kDnBusy;
    }
    uint32_t poll = dfu_.pollTimeoutMs;
    uint8_t report[7] = {2, dfuStatus_, uint8_t(poll), uint8_t(poll >> 8), uint8_t(poll >> 16), state, 0};
    size_t n = std::min({size, sizeof report, dfu_.statusReportSize});
    std::memcpy(buf, report, n);
    return static_cast<int>(n);
}

int HeadsetModel::setFeatureReport(const uint8_t* buf, size_t size) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (buf[0] == 1 && size >= 6 && buf[1] == 1) {  // DFU DNLOAD
        int block = buf[2] | buf[3] << 8;
        if (block == dfu_.failDownloadAtBlock) return -EIO;
        dfuReports_.emplace_back(buf, buf + size);
        if ((buf[4] | buf[5] << 8) == 0) {
            dfuEnded_ = true;  // manifested: back to idle
            dfuState_ = kDfuIdle;
            dfuBusyLeft_ = 0;
        } else {
            dfuState_ = kDnloadIdle;
            dfuBusyLeft_ = dfu_.busyAnswersPerBlock;
        }
        return static_cast<int>(size);
    }
    if (buf[0] == 3 && size >= 2) {
        if (buf[1] == 4) {  // DFU CLRSTATUS
            if (dfu_.clearFails) return -EIO;
            ++clearStatusRequests_;
            dfuStatus_ = 0;
            dfuState_ = kDfuIdle;
        } else if (buf[1] == 0xFF) {
            ++vendorRequests_;
        }
        return static_cast<int>(size);
    }
    return -EPIPE;
}

}  // namespace sim
