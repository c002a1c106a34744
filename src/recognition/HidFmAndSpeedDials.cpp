// HID road, common tail: the FM radio block and the three speed dials of the models that keep
// them under the common keys (the other families read theirs in their own blocks).
#include <array>
#include <cstring>

#include "platform/Log.h"
#include "recognition/HidModelSets.h"
#include "recognition/RecognitionWorker.h"
#include "recognition/ReplyText.h"

namespace recognition {

namespace {

using Record = device::ORVABluetoothDeviceData;
using models::contains;

constexpr uint8_t kCommandReadKey = 0x03;
constexpr uint8_t kKeyFm = 0x44;
constexpr uint8_t kKeySpeedDial = 0x37;  // 0x37, 0x38, 0x39
constexpr uint8_t kShortKeyFm = 0x08;
constexpr uint8_t kShortKeySpeedDial = 0x05;  // 0x05, 0x06, 0x07
constexpr uint8_t kShortReplyLength = 0x3C;
constexpr int kShortTimeoutMs = 500;
constexpr size_t kShortSpeedDialMax = 58;
// What a headset without a readable FM block holds.
constexpr int32_t kFmMagicDefault = 0x56E9;

// The 15 words of an FM block: magic, frequency, current preset, 10 presets, RDS, region.
struct FmBlock {
    std::array<uint16_t, 15> words{};
};

void store(Record& d, const FmBlock& fm) {
    d.setFmRadioMagicCode(fm.words[0]);
    d.setFmRadioCurrentFrequency(fm.words[1]);
    d.setFmRadioCurrentPreset(fm.words[2]);
    for (int i = 0; i < Record::kFMPresets; ++i) d.setFmRadioPresetsAt(i, fm.words[3 + static_cast<size_t>(i)]);
    d.setFmRadioRDS(fm.words[13]);
    d.setFmRadioRegion(fm.words[14]);
}

FmBlock defaultFm() {
    FmBlock fm;
    fm.words[0] = kFmMagicDefault;
    return fm;
}

// Format A read of a key on slot 0. Only command and key are set: the rest of the request is as
// the previous step left it.
bool readKey(RecognitionContext& ctx, uint8_t key) {
    ctx.request[0] = 0x01;
    ctx.request[1] = kCommandReadKey;
    ctx.request[2] = key;
    if (!usbhid_command(0, ctx.request, ctx.reply)) return false;
    usbhid_swap_block_words_ext(ctx.reply, sizeof ctx.reply);
    return true;
}

// Format B read of a key on slot 0 with a 60-byte reply.
bool readShortKey(uint8_t key, uint8_t* reply) {
    uint8_t request[kShortReportSize] = {0x01, 0x00, kCommandReadKey, key};
    std::memset(reply, 0, kShortReportSize);
    reply[1] = kShortReplyLength;
    return usbhid_short_command(0, request, reply, kShortTimeoutMs);
}

void readFm(RecognitionContext& ctx, bool shortReports) {
    FmBlock fm = defaultFm();
    if (shortReports) {
        uint8_t reply[kShortReportSize];
        if (readShortKey(kShortKeyFm, reply)) {
            // Little-endian words from reply byte 4, as sent.
            for (size_t i = 0; i < fm.words.size(); ++i)
                fm.words[i] = static_cast<uint16_t>(reply[4 + 2 * i] | reply[5 + 2 * i] << 8);
            platform::logf("ALS ALS %d %d", fm.words[13], fm.words[14]);
        }
    } else if (readKey(ctx, kKeyFm)) {
        for (size_t i = 0; i < fm.words.size(); ++i) fm.words[i] = ctx.replyWord(static_cast<int>(i));
    }
    store(ctx.data(), fm);
}

// A failed read stores an empty dial: an earlier headset's number must not stay in the record.
void readSpeedDials(RecognitionContext& ctx, bool shortReports) {
    Record& d = ctx.data();
    for (int k = 0; k < Record::kSpeedDials; ++k) {
        OptString dial = std::string();
        if (shortReports) {
            uint8_t reply[kShortReportSize];
            if (readShortKey(static_cast<uint8_t>(kShortKeySpeedDial + k), reply)) {
                uint8_t text[kShortSpeedDialMax + 1] = {};
                std::memcpy(text, reply + 4, kShortSpeedDialMax);
                dial = utf8Text(text, kShortSpeedDialMax);
            }
        } else if (readKey(ctx, static_cast<uint8_t>(kKeySpeedDial + k))) {
            // Only the words the headset counted, and no more than a dial holds.
            std::array<uint16_t, Record::kSpeedDialUnits> units{};
            int n = ctx.replyWordCount(Record::kSpeedDialUnits);
            for (int i = 0; i < n; ++i) units[static_cast<size_t>(i)] = ctx.replyWord(i);
            Record::getSpeedDialString(&dial, units);
        }
        d.setSpeedDialAt(k, dial);
    }
}

}  // namespace

void readHidFmAndSpeedDials(RecognitionContext& ctx) {
    int32_t target = ctx.deviceTarget();
    bool shortReports = contains(models::kShortTimed, target);
    if (shortReports || contains(models::kFmKey44, target)) readFm(ctx, shortReports);
    if (shortReports || contains(models::kSpeedDialKeys37, target)) readSpeedDials(ctx, shortReports);
}

}  // namespace recognition
