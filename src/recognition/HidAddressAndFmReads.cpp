// The two HID reads that are not word blocks of one key: the Bluetooth address (with the OEM key
// of 0x4210 and the second chip's address) before the family blocks, and the FM radio over key
// 0x15 after them.
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/Log.h"
#include "recognition/HidModelSets.h"
#include "recognition/HidSettingsWalk.h"
#include "transport/HidReportChannel.h"

namespace recognition {

using device::ORVABluetoothDeviceData;

namespace {

using Address = std::array<uint8_t, 6>;

constexpr uint8_t kAddressCommand = 0x02, kRead = 0x03, kWrite = 0x04, kRefresh = 0x10;
constexpr uint8_t kOemKey = 0x05, kOemValue = 11;
constexpr int kShortTimeoutMs = 500;
constexpr size_t kLongAddressAt = 3;   // format A reply: the data after the status
constexpr size_t kShortAddressAt = 4;  // format B reply: the data after command and status
constexpr int32_t kFmFailedMagic = 0x56E9;

constexpr int32_t kOemModel = models::kFerrik;

std::string hex(const char* format, const Address& a) {
    char text[32];
    std::snprintf(text, sizeof text, format, a[0], a[1], a[2], a[3], a[4], a[5]);
    return text;
}

std::string display(const Address& a) { return hex("%02X%02X%02X[%02X%02X%02X]", a); }

std::optional<Address> longAddress(RecognitionContext& ctx, int slot) {
    ctx.clearRequest();
    ctx.request[0] = 1;
    ctx.request[1] = kAddressCommand;
    if (!usbhid_command(slot, ctx.request, ctx.reply)) return std::nullopt;
    Address a;
    std::memcpy(a.data(), ctx.reply + kLongAddressAt, a.size());
    return a;
}

std::optional<Address> shortAddress(bool timed) {
    uint8_t request[kShortReportSize] = {1, 0, kAddressCommand};
    uint8_t reply[kShortReportSize] = {};
    reply[1] = 2 + 6;  // command, status and the six bytes
    bool ok = timed ? usbhid_short_command(0, request, reply, kShortTimeoutMs)
                    : usbhid_short_command_probe(0, request, reply);
    if (!ok) return std::nullopt;
    Address a;
    std::memcpy(a.data(), reply + kShortAddressAt, a.size());
    return a;
}

// Key 0x05 of the 0x4210: its first word, when the read succeeds and the reply counts a word.
std::optional<uint16_t> readOemKey(RecognitionContext& ctx) {
    ctx.clearRequest();
    ctx.request[0] = 1;
    ctx.request[1] = kRead;
    ctx.request[2] = kOemKey;
    if (!usbhid_command(0, ctx.request, ctx.reply)) return std::nullopt;
    usbhid_swap_block_words_ext(ctx.reply, kLongReplySize);
    if (ctx.replyWordCount() < 1) return std::nullopt;
    return ctx.replyWord(0);
}

// Units of one OEM variant must hold 11 in key 0x05, on both chips.
void correctOemKey(RecognitionContext& ctx, const Address& a) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", a[3], a[4], a[5]);
    if (!ctx.addPSKeyFERRIK(digits)) return;
    std::optional<uint16_t> word = readOemKey(ctx);
    if (!word || (*word & 0xFF) == kOemValue) return;
    ctx.clearRequest();
    ctx.request[0] = 1;
    ctx.request[1] = kWrite;
    ctx.request[2] = kOemKey;
    ctx.request[3] = 1;
    uint16_t value = kOemValue;
    std::memcpy(ctx.request + 4, &value, sizeof value);
    usbhid_swap_block_words(ctx.request, kLongRequestSize);
    usbhid_command(0, ctx.request, ctx.reply);
    usbhid_command(1, ctx.request, ctx.reply);
}

struct FmValues {
    int32_t magic = 0, frequency = 0, preset = 0, rds = 0, region = 0;
    std::array<int32_t, ORVABluetoothDeviceData::kFMPresets> presets{};  // unset presets stay 0
};

FmValues failedFm() {
    FmValues v;
    v.magic = kFmFailedMagic;
    return v;
}

// Magic, frequency, preset, `presets` presets, RDS, region; words the reply does not hold are 0.
template <typename WordAt>
FmValues fmFromWords(WordAt word, int presets) {
    FmValues v;
    v.magic = word(0);
    v.frequency = word(1);
    v.preset = word(2);
    for (int i = 0; i < presets; ++i) v.presets[static_cast<size_t>(i)] = word(3 + i);
    v.rds = word(3 + presets);
    v.region = word(4 + presets);
    return v;
}

FmValues longFm(RecognitionContext& ctx, int slot, int presets) {
    if (!usbhid_command(slot, ctx.request, ctx.reply)) return failedFm();
    usbhid_swap_block_words_ext(ctx.reply, kLongReplySize);
    const int n = ctx.replyWordCount();
    return fmFromWords([&](int i) -> int32_t { return i < n ? ctx.replyWord(i) : 0; }, presets);
}

FmValues shortFm() {
    uint8_t request[kShortReportSize] = {1, 0, kRead, 0x08};
    uint8_t reply[kShortReportSize] = {};
    if (!usbhid_short_command_probe(0, request, reply)) return failedFm();
    FmValues v = fmFromWords([&](int i) -> int32_t { return reply[4 + 2 * i] | reply[5 + 2 * i] << 8; },
                             ORVABluetoothDeviceData::kFMPresets);
    platform::logf("ALS ALS %d %d", v.rds, v.region);
    return v;
}

void storeFm(ORVABluetoothDeviceData& data, const FmValues& v) {
    data.setFmRadioMagicCode(v.magic);
    data.setFmRadioCurrentFrequency(v.frequency);
    data.setFmRadioCurrentPreset(v.preset);
    for (int i = 0; i < ORVABluetoothDeviceData::kFMPresets; ++i)
        data.setFmRadioPresetsAt(i, v.presets[static_cast<size_t>(i)]);
    data.setFmRadioRDS(v.rds);
    data.setFmRadioRegion(v.region);
}

}  // namespace

void readHidAddress(RecognitionContext& ctx) {
    ORVABluetoothDeviceData& data = ctx.data();
    const int32_t target = ctx.deviceTarget();
    const bool longRoad =
        !models::contains(models::kShortTimed, target) && !models::contains(models::kShortProbed, target);
    std::optional<Address> a = models::contains(models::kShortTimed, target) ? shortAddress(true)
                               : longRoad                                    ? longAddress(ctx, 0)
                                                                             : shortAddress(false);
    std::string shown;
    if (a) {
        data.setDeviceBdAddress(hex("%02X%02X%02X%02X%02X%02X", *a));
        shown = display(*a);
        if (target == kOemModel && longRoad) correctOemKey(ctx, *a);
    }
    data.setBdAddress(shown);

    if (target == kOemModel) {
        std::optional<uint16_t> word = readOemKey(ctx);
        if (!word) word = readOemKey(ctx);
        data.setDivisionFERRIKevoValue(word ? (*word & 0xFF) : 0);
    }
    if (models::contains(models::kTwoChip, target)) {
        std::optional<Address> second = longAddress(ctx, 1);
        data.setBdAddress(data.bdAddress().value_or("") + " _ " +
                          (second ? display(*second) : std::string()));
    }
}

void readHidFmKey15(RecognitionContext& ctx) {
    const int32_t target = ctx.deviceTarget();
    uint8_t* request = ctx.request;
    if (holds(hidFmRefreshIds(), target)) {
        request[1] = kRefresh;
        request[2] = 0x15;
        usbhid_swap_block_words(request, kLongRequestSize);
        usbhid_command(0, request, ctx.reply);
    }
    request[1] = kRead;
    request[2] = 0x15;
    FmValues v;
    switch (hidFmReadFor(target)) {
        case FmRead::ByCommonTail:
            return;
        case FmRead::Nothing:
            break;
        case FmRead::ShortKey08:
            v = shortFm();
            break;
        case FmRead::Slot1Words15:
            v = longFm(ctx, 1, 10);
            break;
        case FmRead::Slot0Words11:
            v = longFm(ctx, 0, 6);
            break;
        case FmRead::Slot0Words15:
            v = longFm(ctx, 0, 10);
            break;
    }
    storeFm(ctx.data(), v);
}

}  // namespace recognition
