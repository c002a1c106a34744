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

constexpr uint8_t kWrite = 0x04;
constexpr size_t kWordsAt = 4;
constexpr size_t kLongWordRoom = (kLongRequestSize - kWordsAt) / 2;
constexpr size_t kShortWordRoom = (kShortReportSize - kWordsAt) / 2;

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

// A format A key write; the result is not tested (the read that follows shows what the headset
// took).
void sendLong(RecognitionContext& ctx, int slot, uint8_t key, const std::vector<uint16_t>& words) {
    usbhid_write_user_key(slot, ctx.request, ctx.reply, key, words.data(), words.size(), words.size());
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
    std::vector<uint16_t> words =
        device::sourceWords(step.words, step.countByVersion, backup, ctx.data(), kLongWordRoom);
    logWords(step.log, words);
    if (step.channel != Channel::LongReport) {
        sendShort(step.slot, step.key, words);
        return;
    }
    sendLong(ctx, step.slot, step.key, words);
    // The commit goes with the rest of the buffer as the write left it.
    if (step.commit) usbhid_follow_up(step.slot, ctx.request, ctx.reply, step.key, FollowUpWords::AsSent);
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
