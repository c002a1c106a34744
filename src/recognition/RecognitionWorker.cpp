// The recognition worker's frame: entry, HID open and probe, the choice of road, the end of the
// HID road and the result contract (status strings and flags first, the result last).
#include "recognition/RecognitionWorker.h"

#include "app/AppTexts.h"
#include "app/TextFormat.h"
#include "platform/Clock.h"
#include "platform/Log.h"
#include "platform/TestWaits.h"
#include "recognition/DeviceRecognitionTexts.h"
#include "recognition/HidModelSets.h"

namespace recognition {

namespace {

using app::AppTexts;
using models::contains;

constexpr int kHidOpenTries = 3;
constexpr int64_t kHidOpenPauseMs = 1000;
constexpr uint8_t kCommandProbe = 0x12;
// The code shown when the USB road ended without saying how.
constexpr int kUsbRoadGaveNoResult = -1;

bool openHidHeadset(RecognitionContext& ctx) {
    for (int attempt = 0; attempt < kHidOpenTries; ++attempt) {
        std::fill(std::begin(ctx.message), std::end(ctx.message), '\0');
        if (usbhid_open_headset(&ctx.usbPid, ctx.message) == 0) return true;
        usbhid_close_all();
        platform::sleepMs(platform::workerMs(kHidOpenPauseMs));
    }
    return false;
}

// Whether the opened headset speaks the HID protocol: two model groups answer the probe with
// opposite senses, the others are not asked.
bool probeAcceptsHid(RecognitionContext& ctx) {
    int32_t target = ctx.deviceTarget();
    bool nonZeroGroup = contains(models::kProbeNonZero, target);
    if (!nonZeroGroup && !contains(models::kProbeZero, target)) return true;
    ctx.clearRequest();
    ctx.request[0] = 0x01;
    ctx.request[1] = kCommandProbe;
    if (!usbhid_command(0, ctx.request, ctx.reply)) return false;
    int value = ctx.reply[3];
    platform::logf("rV = [%d]", value);
    return nonZeroGroup ? value != 0 : value == 0;
}


void runUsbRoad(RecognitionContext& ctx) {
    ctx.usbPid = 0;
    usbhid_close_all();
    recognizeCsrHeadset(ctx);
    if (ctx.page.resultThreadRecognize.load() != kRecognizeRunning) return;
    // The page must never wait for a result that does not come.
    ctx.page.setStrStatusThreadRecognizeAll([](int language) -> OptString {
        return app::formatText("%@ [%d]", {AppTexts::qelm_string_cannot_open_usb_in(language), kUsbRoadGaveNoResult});
    });
    ctx.page.doWarnThreadRecognize = true;
    ctx.page.resultThreadRecognize = kRecognizeFailure;
}

// Fills the record's identity, the controller's state and the status strings of a recognized
// headset.
void endHidRoad(RecognitionContext& ctx) {
    RecognitionController& c = ctx.controller;
    device::ORVABluetoothDeviceData& d = ctx.data();
    d.setManagerVersionMajor(1);
    d.setManagerVersionMinor(0);
    d.setDeviceRecognized(c.deviceTarget());
    c.setRecognized(true);
    c.setUsbStatus(static_cast<int32_t>(ctx.usbPid));

    int32_t count = 0, selected = 0;
    int32_t tabs[3] = {};
    c.SetTabDataInTabCount(&count, tabs, &selected, d.deviceRecognized(), d.deviceVersionMajor(),
                           d.deviceVersionMinor(), c.fmRadioShowAndHide());
    c.setTabCount(count);
    for (int32_t k = 0; k < 3; ++k) c.setTab(tabs[k], k);
    c.setTabIndexSelected(selected);

    int32_t mode = c.mode(), usb = c.usbStatus();
    ctx.page.setStrStatusThreadRecognizeAll([&](int language) -> OptString {
        auto format = AppTexts::qelm_status_success(mode, usb, language);
        if (!format) return std::nullopt;
        OptString recognized = DeviceRecognitionTexts::qelm_string_for_status(ctx.message, language);
        OptString next = AppTexts::qelm_status_default(mode + 1, usb, language);
        return app::formatText(*format, {recognized.value_or(""), next.value_or("")});
    });
    ctx.page.goFirmwareUpgradeThreadRecognize = true;
}

// The result of the HID road; its status strings and flags are set.
int32_t runHidRoad(RecognitionContext& ctx) {
    identifyHidHeadset(ctx);
    if (!readHidVersions(ctx)) {
        ctx.page.doWarnThreadRecognize = true;
        return kRecognizeFailure;
    }
    platform::logf("ASDP v %s", ctx.backup ? "<restored backup>" : "(null)");
    if (ctx.backup) writeRestoredSettingsToHid(ctx);
    platform::logf("ASDPj %X", static_cast<unsigned>(ctx.deviceTarget()));
    readHidSettings(ctx);
    readHidFmAndSpeedDials(ctx);
    endHidRoad(ctx);
    return kRecognizeSuccess;
}

}  // namespace

void threadMethodRecognize(RecognitionContext& ctx) {
    RecognitionController& c = ctx.controller;
    c.setRestartToRecover(false);
    c.setModeRestartToRecover(0);
    if (ctx.callerMode == 0) c.setDeviceTarget(0);

    bool hid = openHidHeadset(ctx);
    if (hid) {
        c.setDeviceTarget(static_cast<int32_t>(ctx.usbPid));
        if (!probeAcceptsHid(ctx)) {
            c.setDeviceTarget(0);
            usbhid_close_all();
            hid = false;
        }
    }
    if (!hid) {
        runUsbRoad(ctx);
        return;
    }
    int32_t result = runHidRoad(ctx);
    // Closed before the result is shown: the page may start the next device operation at once.
    usbhid_close_all();
    ctx.page.resultThreadRecognize = result;
}

}  // namespace recognition
