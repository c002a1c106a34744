// HID road, first stage: which settings pages and controls the headset has (controller flags)
// and its name. No request here ends the run: a failed one selects the fallback.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "device/ProductCatalogue.h"
#include "platform/Log.h"
#include "recognition/DeviceInfoReads.h"
#include "recognition/HidModelSets.h"
#include "recognition/RecognitionWorker.h"
#include "recognition/ReplyText.h"

namespace recognition {

namespace {

using models::contains;

constexpr uint8_t kCommandFmPresent = 0x1A;
constexpr uint8_t kCommandMotionSensor = 0x1B;
constexpr uint8_t kCommandReadKey = 0x03;
constexpr uint8_t kKeyName = 0x1D;
constexpr uint8_t kKeyNameLong = 0x3C;
constexpr uint8_t kShortParameterName = 0x02;
constexpr uint8_t kShortNameReplyLength = 60;
constexpr int kShortNameTimeoutMs = 500;
constexpr size_t kShortNameMax = 58;

// A one-byte question (command with no payload) on a slot: the answer at reply byte 3, or none.
std::optional<uint8_t> ask(RecognitionContext& ctx, int slot, uint8_t command) {
    ctx.clearRequest();
    ctx.request[0] = 0x01;
    ctx.request[1] = command;
    if (!usbhid_command(slot, ctx.request, ctx.reply)) return std::nullopt;
    return ctx.reply[3];
}

// The FM flag from command 0x1A; prefix names the family in the log ("FERRIK " or "").
int32_t fmFlag(RecognitionContext& ctx, int slot, const char* prefix) {
    auto present = ask(ctx, slot, kCommandFmPresent);
    const char* what = !present ? "fm command fail" : *present ? "fm show" : "fm hide";
    platform::logf("%s%s", prefix, what);
    return present && *present == 0 ? kFmRadioHide : kFmRadioShow;
}

void setFlags(RecognitionContext& ctx) {
    RecognitionController& c = ctx.controller;
    int32_t target = ctx.deviceTarget();
    platform::logf("device PID[%x]", static_cast<unsigned>(target));
    c.setFmRadioShowAndHide(kFmRadioShow);
    c.setFmRadioShowAndHide(get_device_info_for_fm_radio_with_pskey(target));
    c.setMotionSensorShowAndHide(kMotionSensorHide);
    c.setDevice50SpeakerType(0);
    if (target == models::kFerrik) {
        // The FM radio answers on the second chip, the motion sensor on the first.
        c.setFmRadioShowAndHide(fmFlag(ctx, 1, "FERRIK "));
        auto motion = ask(ctx, 0, kCommandMotionSensor);
        platform::logLine(!motion ? "FERRIK motion command fail" : *motion ? "FERRIK motion show" : "FERRIK motion hide");
        c.setMotionSensorShowAndHide(motion && *motion == 0 ? kMotionSensorHide : kMotionSensorShow);
    } else if (contains(models::kFmCommand, target)) {
        c.setFmRadioShowAndHide(fmFlag(ctx, 0, ""));
    }
    c.setDeviceInfoStatus(0);
    c.setDeviceInfoStatus(get_device_info_for_hd_speaker_with_pskey(target));
}

// Names of the short-report models when they do not answer (their own, not the catalogue's).
struct FallbackName {
    int32_t productId;
    const char* name;
};
constexpr FallbackName kShortTimedNames[] = {
    {0x6A01, "LASKEN ANC"}, {0x6A02, "QUORRA"}, {0x6A03, "PELLAN"}, {0x6A04, "LASKEN"}};
constexpr FallbackName kShortProbedNames[] = {
    {0x6800, "LUNVAR MOSSEL"}, {0x6801, "PEMVIK EVO"},       {0x6802, "VANTOR EVO"},
    {0x6803, "QUILLON EVO"},   {0x6804, "PELVON"},           {0x6805, "ZORVIN DUVASK"},
    {0x6806, "CENDRA7 PRO MESH"}, {0x6808, "VARRO"},         {0x6810, "LUNVAR NEPRA"},
    {0x6811, "CEL-VAR 8R"},    {0x6812, "HOLLIN MESH"},      {0x6815, "Jelvin"},
    {0x6816, "ZEMBER"},        {0x6817, "ZORVIN DUVASK WKTK"}, {0x6821, "YESTORX"},
    {0x6822, "ARBUSK"},        {0x6825, "YESTORR"},          {0x6828, "IVASK"},
    {0x6838, "VELMAR LUVEN"},  {0x6839, "ROSVEL 2"},         {0x683A, "LUNVAR OLVAST"},
    {0x6840, "WEMBLOR"},
};

template <size_t N>
OptString fallbackFrom(const FallbackName (&table)[N], int32_t productId) {
    for (const FallbackName& row : table)
        if (row.productId == productId) return std::string(row.name);
    return std::nullopt;
}

// A block route: format A read of key on slot; the name is the low bytes of words 1..n-1.
OptString nameFromBlock(RecognitionContext& ctx, int slot, uint8_t key, const OptString& fallback) {
    ctx.clearRequest();
    ctx.request[0] = 0x01;
    ctx.request[1] = kCommandReadKey;
    ctx.request[2] = key;
    if (!usbhid_command(slot, ctx.request, ctx.reply)) return fallback;
    if (ctx.reply[4] == 0) return fallback;
    usbhid_swap_block_words_ext(ctx.reply, sizeof ctx.reply);
    int n = ctx.replyWordCount();
    uint8_t name[256] = {};
    for (int i = 1; i < n; ++i) name[i - 1] = static_cast<uint8_t>(ctx.replyWord(i) & 0xFF);
    return utf8Text(name, sizeof name);
}

// The short-report routes: command 0x03 parameter 0x02, the name from reply byte 4.
OptString nameFromShortReport(bool timed, const OptString& fallback) {
    uint8_t request[kShortReportSize] = {0x01, 0x00, kCommandReadKey, kShortParameterName};
    uint8_t reply[kShortReportSize] = {};
    bool ok;
    if (timed) {
        reply[1] = kShortNameReplyLength;
        ok = usbhid_short_command(0, request, reply, kShortNameTimeoutMs);
    } else {
        ok = usbhid_short_command_probe(0, request, reply);
    }
    bool answered = ok && reply[4] != 0;
    if (timed) platform::logf("AAAA %d", answered ? 1 : 0);
    if (!answered) return fallback;
    uint8_t name[kShortNameMax + 1] = {};
    std::memcpy(name, reply + 4, kShortNameMax);
    return utf8Text(name, kShortNameMax);
}

OptString readName(RecognitionContext& ctx) {
    int32_t target = ctx.deviceTarget();
    // Every block route prepares the name key first; the routes then send their own key.
    ctx.clearRequest();
    ctx.request[0] = 0x01;
    ctx.request[1] = kCommandReadKey;
    ctx.request[2] = kKeyName;
    auto displayName = [&] { return device::qelm_product_name(target); };
    if (contains(models::kNameKey3C, target)) return nameFromBlock(ctx, 0, kKeyNameLong, displayName());
    if (contains(models::kShortTimed, target))
        return nameFromShortReport(true, fallbackFrom(kShortTimedNames, target));
    if (contains(models::kShortProbed, target))
        return nameFromShortReport(false, fallbackFrom(kShortProbedNames, target));
    if (contains(models::kTwoChip, target)) return nameFromBlock(ctx, 1, kKeyName, displayName());
    if (target == models::kDorsk) return std::string("DORSK");
    OptString fallback = contains(models::kNameKey1DNamed, target) ? displayName() : std::nullopt;
    return nameFromBlock(ctx, 0, kKeyName, fallback);
}

}  // namespace

void identifyHidHeadset(RecognitionContext& ctx) {
    setFlags(ctx);
    ctx.data().setDeviceName(readName(ctx));
}

}  // namespace recognition
