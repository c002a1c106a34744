// The one routine that walks a HID write order: each step's words taken from the backup record,
// sent as a key write (and commit), then the speed dials.
#include <array>
#include <cstring>
#include <vector>

#include "platform/Log.h"
#include "recognition/HidSettingsWalk.h"
#include "transport/HidReportChannel.h"

namespace recognition {

using device::ORVABluetoothDeviceData;

namespace {

using R = ORVABluetoothDeviceData;

constexpr uint8_t kWrite = 0x04, kCommit = 0x11;
constexpr size_t kWordsAt = 4;
constexpr size_t kLongWordRoom = (kLongRequestSize - kWordsAt) / 2;
constexpr size_t kShortWordRoom = (kShortReportSize - kWordsAt) / 2;

int32_t valueOf(const Source& s, const R& backup) {
    switch (s.kind) {
        case Source::Basic:
            return backup.basicSettingFERRIK(s.arg);
        case Source::LegacyWord:
            return backup.getSettings40();
        case Source::LegacySecond:
            return backup.getSettings40Second();
        case Source::Constant:
            return s.arg;
        case Source::Vox:
            return backup.basicSettingBELMORAVOXSensitivityAt(s.arg);
        case Source::SmartVolume:
            return backup.basicSettingYELVARSmartVolumeControlAt(s.arg);
        case Source::Camera:
            return backup.basicSettingTAVRINCameraAt(s.arg);
        case Source::FmFrequency:
            return backup.fmRadioCurrentFrequency();
        case Source::FmPreset:
            return backup.fmRadioCurrentPreset();
        case Source::FmPresetAt:
            return backup.fmRadioPresetsAt(s.arg);
        case Source::FmRDS:
            return backup.fmRadioRDS();
        case Source::FmRegion:
            return backup.fmRadioRegion();
    }
    return 0;
}

// Basic(n) of the families whose older firmware holds fewer words.
size_t wordCount(const WriteStep& step, const R& data) {
    for (const CountBand& band : step.countByVersion)
        if (data.compareVersionUpToMinorWithMajor(band.belowMajor, band.belowMinor) < 0)
            return static_cast<size_t>(band.count);
    return step.words.size();
}

void logWords(const WriteLog& log, const std::vector<uint16_t>& w) {
    auto at = [&](size_t i) -> int { return i < w.size() ? w[i] : 0; };
    switch (log.kind) {
        case WriteLog::None:
            break;
        case WriteLog::Words:
            platform::logf(log.format, at(0), at(1), at(2), at(3), at(4));
            break;
        case WriteLog::EachWordWithCount:
            for (size_t i = 0; i < w.size(); ++i)
                platform::logf(log.format, static_cast<int>(w.size()), static_cast<int>(i), w[i]);
            break;
    }
}

// A format A key write: count at byte 3, words from byte 4 in host order, turned big-endian just
// before sending.
void sendLong(RecognitionContext& ctx, int slot, uint8_t key, const std::vector<uint16_t>& words) {
    uint8_t* request = ctx.request;
    std::memset(request + 3, 0, kLongRequestSize - 3);
    request[0] = 1;
    request[1] = kWrite;
    request[2] = key;
    request[3] = static_cast<uint8_t>(words.size());
    if (!words.empty()) std::memcpy(request + kWordsAt, words.data(), words.size() * sizeof(uint16_t));
    usbhid_swap_block_words(request, kLongRequestSize);
    usbhid_command(slot, request, ctx.reply);
}

// The format B write of the 0x68xx family: words little-endian from byte 4, no count.
void sendShort(int slot, uint8_t key, const std::vector<uint16_t>& words) {
    uint8_t request[kShortReportSize] = {1, 0x3C, kWrite, key};
    for (size_t i = 0; i < words.size() && i < kShortWordRoom; ++i) {
        request[kWordsAt + 2 * i] = static_cast<uint8_t>(words[i]);
        request[kWordsAt + 2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    uint8_t reply[kShortReportSize] = {};
    usbhid_short_command_probe(slot, request, reply);
}

void runStep(RecognitionContext& ctx, const WriteStep& step, const R& backup) {
    std::vector<uint16_t> words;
    for (const Source& s : step.words) words.push_back(static_cast<uint16_t>(valueOf(s, backup)));
    words.resize(std::min({wordCount(step, ctx.data()), words.size(), kLongWordRoom}));
    logWords(step.log, words);
    if (step.channel != Channel::LongReport) {
        sendShort(step.slot, step.key, words);
        return;
    }
    sendLong(ctx, step.slot, step.key, words);
    if (step.commit) {
        ctx.request[1] = kCommit;  // the rest as written
        usbhid_command(step.slot, ctx.request, ctx.reply);
    }
}

void writeSpeedDials(RecognitionContext& ctx, const WriteOrder& order, const R& backup) {
    static constexpr std::array<uint8_t, 3> kK1 = {0x5A, 0x5B, 0x5C}, kK2 = {0x37, 0x38, 0x39};
    if (order.speedDials == SpeedDialKeys::None) return;
    const auto& keys = order.speedDials == SpeedDialKeys::K1 ? kK1 : kK2;
    for (int i = 0; i < R::kSpeedDials; ++i) {
        std::array<uint16_t, R::kSpeedDialUnits> units{};
        int32_t length = R::getSpeedDialArray(&units, backup.speedDialAt(i));
        size_t count = static_cast<size_t>(std::max(length, 0) / 2);
        if (count == 0 && order.emptySpeedDialAsOneWord) count = 1;
        sendLong(ctx, 0, keys[static_cast<size_t>(i)],
                 std::vector<uint16_t>(units.begin(), units.begin() + static_cast<long>(count)));
    }
}

}  // namespace

void writeHidSettingBlocks(RecognitionContext& ctx, const R& backup) {
    const WriteOrder* order = hidWriteOrderFor(ctx.deviceTarget());
    if (!order) return;
    for (const WriteStep& step : order->steps) {
        if (!step.onlyFor.empty() && !holds(step.onlyFor, ctx.deviceTarget())) continue;
        if (!conditionHolds(step.when, ctx.data())) continue;
        runStep(ctx, step, backup);
    }
    writeSpeedDials(ctx, *order, backup);
}

}  // namespace recognition
