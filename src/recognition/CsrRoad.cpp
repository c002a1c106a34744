// The USB road of the recognition worker: a CSR headset opened over the BCCMD channel, identified
// from its persistent store, its power table patched, a restored backup written back or its
// settings read, the device record filled, and the run's result set last.
//
// A headset that is not the selected model is never written to: the road checks it right after
// its product id is known and ends there with "another device". The result is written once, at
// the end, after the USB devices are closed, so the page never acts while the road still holds
// the headset.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "app/AppTexts.h"
#include "app/TextFormat.h"
#include "recognition/CsrRoadTexts.h"
#include "recognition/CsrSettings.h"
#include "recognition/DeviceRecognitionTexts.h"
#include "recognition/RecognitionContext.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidReportChannel.h"

namespace recognition {

namespace {

using app::AppTexts;
using csr::CsrSlotValues;
using device::ORVABluetoothDeviceData;

static_assert(kOpenMessageSize >= CSR_MESSAGE_SIZE);

constexpr int kOpenBudget = 20;
constexpr int kNormalMode = 0, kFirmwareManagementMode = 1;
constexpr uint32_t kFirmwareManagementBit = 0x8000;
constexpr int32_t kProductIdUnknown = 0x4D10;  // what an unreadable product id counts as
constexpr int kNoDeviceCode = -1;              // the open's "Device not available"
constexpr int kSdCardCode = 1000;
constexpr int32_t kCamera = 0x3020;
constexpr const char* kDefaultName = "HEMBRIN";
constexpr size_t kValueBuffer = 256;

// Firmware-management ids whose run-time model is not the id without bit 15: each stands for
// both.
struct MirroredTwin {
    uint32_t twin;
    int32_t runtime;
};
constexpr MirroredTwin kMirroredTwins[] = {{0xE020, 0x6021}, {0xE022, 0x6023}, {0xE024, 0x6025}};

// The name becomes a text only when its bytes are UTF-8.
bool validUtf8(const std::string& s) {
    constexpr size_t kBad = 4;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t extra = c < 0x80                ? 0
                             : c >= 0xC2 && c <= 0xDF ? 1
                             : (c & 0xF0) == 0xE0     ? 2
                             : c >= 0xF0 && c <= 0xF4 ? 3
                                                      : kBad;
        if (extra == kBad || s.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::string hex3(const uint8_t* a, int i, int j, int k) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", a[i], a[j], a[k]);
    return text;
}

// What one opened slot told about itself.
struct Slot {
    uint32_t usbPid = 0;
    int32_t productId = 0;
    uint8_t address[kValueBuffer] = {};
    OptString name;
    uint32_t major = 0, minor = 0, extra1 = 0, extra2 = 0;

    std::string bdAddress() const {
        return hex3(address, 7, 6, 4) + "[" + hex3(address, 0, 3, 2) + "]";
    }
};

class CsrRoad {
  public:
    explicit CsrRoad(RecognitionContext& ctx) : ctx_(ctx), c_(ctx.controller), page_(ctx.page) {}

    void run() {
        usbhid_close_all();
        uint32_t ids[2] = {};
        if (page_.isFirst) {
            int r = csr_usb_open_retry(ids, ctx_.message, kOpenBudget, kFirmwareManagementMode);
            if (r != 0) return endCannotOpen(r);
            csr_usb_compat_close();
            page_.isFirst = false;
        }
        ids[0] = ids[1] = 0;
        int r = csr_usb_open_retry(ids, ctx_.message, kOpenBudget, kNormalMode);
        if (r != 0) {
            csr_usb_close_all();
            return endCannotOpen(r);
        }
        const int count = csr_usb_device_count();
        for (int n = 0; n < count && n < 2; ++n)
            if (!handleSlot(n, ids[n], count)) break;
        csr_usb_close_all();
        finish();
    }

  private:
    // ---- status and result ----------------------------------------------------------------------

    void setStatus(const std::function<std::string(int)>& text) {
        page_.setStrStatusThreadRecognizeAll([&](int i) { return OptString(text(i)); });
    }

    void cannotOpen(int code) {
        setStatus([code](int i) { return app::formatText("%@ [%d]", {AppTexts::qelm_string_cannot_open_usb_in(i), code}); });
        page_.doWarnThreadRecognize = true;
    }
    void endCannotOpen(int code) {
        cannotOpen(code);
        page_.resultThreadRecognize = kRecognizeFailure;
    }

    // The open's message and the next page's default status, in the recognition page's format.
    void recognizedStatus() {
        const int32_t mode = c_.mode(), usb = c_.usbStatus();
        setStatus([&](int i) {
            auto format = AppTexts::qelm_status_success(mode, usb, i);
            auto message = DeviceRecognitionTexts::qelm_string_for_status(ctx_.message, i);
            auto next = AppTexts::qelm_status_default(mode + 1, usb, i);
            return app::formatText(format.value_or(""), {message.value_or(""), next.value_or("")});
        });
    }

    void finish() {
        if (page_.goFirmwareUpgradeThreadRecognize) {
            page_.resultThreadRecognize = kRecognizeSuccess;
        } else if (page_.doWarnThreadRecognize) {
            page_.resultThreadRecognize = kRecognizeFailure;
        } else if (otherDevice_) {
            page_.resultThreadRecognize = kRecognizeOtherDevice;
        } else {
            // Opened, yet no slot held a headset: as if none had been found.
            endCannotOpen(kNoDeviceCode);
        }
    }

    // ---- one slot ------------------------------------------------------------------------------

    // False when the road ends with this slot.
    bool handleSlot(int n, uint32_t usbPid, int count) {
        csr_usb_select_device(n);
        if (usbPid == 0) return true;
        ctx_.usbPid = usbPid;
        if (usbPid >= kFirmwareManagementBit) return firmwareManagement(usbPid);

        if (c_.deviceTarget() == 0) c_.setDeviceTarget(static_cast<int32_t>(usbPid & 0x7FFF));
        Slot slot;
        slot.usbPid = usbPid;
        slot.productId = csr_read_product_id();
        if (slot.productId < 1) {
            // Old units lack the product-id key but always answer with their address or name; a
            // headset that answers neither is not talking at all.
            if (answersNothing()) {
                cannotOpen(kNoDeviceCode);
                return false;
            }
            slot.productId = kProductIdUnknown;
        }
        if (!c_.isDeviceTargetSameAs(slot.productId)) {
            otherDevice_ = true;
            return false;
        }
        const int32_t target = c_.deviceTarget();
        if (target == kCamera && !c_.getCameraDiskPath()) {
            setStatus([](int i) { return app::formatText("%@ [%d]", {AppTexts::qelm_string_check_sd_card_in(i), kSdCardCode}); });
            page_.doWarnThreadRecognize = true;
            return false;
        }

        if (csr_read_bdaddr(slot.address) <= 0) std::memset(slot.address, 0, sizeof slot.address);
        const std::string lastSix = hex3(slot.address, 0, 3, 2);
        c_.data().setLastSixBDAddress(lastSix);
        csr::patchPowerTable(target, lastSix);
        slot.name = readName();
        csr_read_firmware_version(slot.productId, &slot.major, &slot.minor, &slot.extra1, &slot.extra2);

        if (ctx_.backup) {
            if (auto failedKey = csr::writeRestoredSettings(target, *ctx_.backup)) {
                const int key = *failedKey;
                setStatus([key](int i) { return qelm_string_cannot_restore(key, i); });
                c_.setUsbStatus(0);
                page_.doWarnThreadRecognize = true;
                return false;
            }
        }
        csr::SlotIdentity identity{slot.productId,
                                   {static_cast<int32_t>(slot.major), static_cast<int32_t>(slot.minor)},
                                   target,
                                   lastSix};
        const CsrSlotValues values = csr::readSettings(identity);

        if (n == 1 && count == 2) {
            if (!sameHeadsetAsFirst(slot)) return firmwareManagement(usbPid);
            ORVABluetoothDeviceData& record = c_.data();
            record.setBdAddress(record.bdAddress().value_or("") + " _ " + slot.bdAddress());
            return false;
        }
        fillRecord(slot, values, count == 1);
        if (n == 0) first_ = slot;
        c_.setUsbStatus(static_cast<int32_t>(usbPid));
        recognizedStatus();
        page_.goFirmwareUpgradeThreadRecognize = true;
        return true;
    }

    // A headset in firmware-management mode (or the second half of a pair that differs from the
    // first): recognized by its id alone, version 0.0, so the caller offers the firmware.
    bool firmwareManagement(uint32_t usbPid) {
        const int32_t id = static_cast<int32_t>(usbPid & 0x7FFF);
        if (c_.deviceTarget() != 0 && !sameAsSelected(id, usbPid)) {
            otherDevice_ = true;
            return false;
        }
        c_.setDeviceTarget(id);
        c_.setUsbStatus(static_cast<int32_t>(usbPid));
        recognizedStatus();
        ORVABluetoothDeviceData& record = c_.data();
        record.setDeviceRecognized(id);
        record.setDeviceVersionMajor(0, 0);
        record.setDeviceSecondaryVersionType(0);
        record.setDeviceSecondaryVersion(0);
        // Recognized, so that the firmware page it is handed to takes it (and the side panel
        // shows firmware management) instead of sending it back to recognition.
        c_.setRecognized(true);
        page_.doWarnThreadRecognize = true;
        page_.goFirmwareUpgradeThreadRecognize = true;
        return true;
    }

    bool sameAsSelected(int32_t id, uint32_t usbPid) const {
        if (c_.isDeviceTargetSameAs(id)) return true;
        for (const MirroredTwin& t : kMirroredTwins)
            if (t.twin == usbPid && c_.isDeviceTargetSameAs(t.runtime)) return true;
        return false;
    }

    // The second device of a two-device headset is the other half of the first when both show
    // the same ids, name and version.
    bool sameHeadsetAsFirst(const Slot& slot) const {
        const ORVABluetoothDeviceData& record = c_.data();
        return first_ && slot.usbPid == first_->usbPid && record.deviceRecognized() == slot.productId &&
               record.deviceName() == slot.name &&
               record.compareVersionUpToMinorWithMajor(static_cast<int32_t>(slot.major),
                                                        static_cast<int32_t>(slot.minor)) == 0 &&
               record.deviceSecondaryVersionType() == static_cast<int32_t>(slot.extra1) &&
               record.deviceSecondaryVersion() == static_cast<int32_t>(slot.extra2);
    }

    static bool answersNothing() {
        uint8_t bytes[kValueBuffer] = {};
        return csr_read_bdaddr(bytes) <= 0 && csr_read_device_name(bytes) <= 0;
    }

    static OptString readName() {
        uint8_t bytes[kValueBuffer] = {};
        int n = csr_read_device_name(bytes);
        if (n <= 0) return std::string(kDefaultName);
        std::string name(reinterpret_cast<const char*>(bytes), strnlen(reinterpret_cast<const char*>(bytes),
                                                                       std::min<size_t>(static_cast<size_t>(n), sizeof bytes)));
        if (!validUtf8(name)) return std::nullopt;
        return name;
    }

    void fillRecord(const Slot& slot, const CsrSlotValues& v, bool oneDevice) {
        ORVABluetoothDeviceData& r = c_.data();
        r.setDeviceRecognized(slot.productId);
        r.setBdAddress(slot.bdAddress());
        r.setDeviceName(slot.name);
        r.setDeviceVersionMajor(static_cast<int32_t>(slot.major), static_cast<int32_t>(slot.minor));
        r.setDeviceSecondaryVersionType(static_cast<int32_t>(slot.extra1));
        r.setDeviceSecondaryVersion(static_cast<int32_t>(slot.extra2));
        r.setIntercomVOX(v.intercomVOX);
        r.setHandsfreeVOX(v.handsfreeVOX);
        r.setEdr(v.edr);
        r.setVoicePrompt(v.voicePrompt);
        r.setPlc(v.plc);
        r.setBitpoolRate(v.bitpoolRate);
        r.setMicrophoneBoost(v.microphoneBoost);
        r.setSidetone(v.sidetone);
        r.setAdvancedNoiseControl(v.advancedNoiseControl);
        r.setAutoGainControl(v.autoGainControl);
        r.setAudioBoost(0);
        r.setHdIntercom(0);
        r.setFmStationGuide(0);
        r.setHdVoice(0);
        r.setSmartNaviSystem(0);
        r.setAudioSourcePriority(0);
        r.setAudioOverlay(0);
        r.setAutoOnOff(0);
        r.setRadioTransmitGain(v.radioTransmitGain);
        r.setAudioChannelTimeout(v.audioChannelTimeout);
        r.setFmRadioRegion(v.fmRadioRegion);
        r.setFmRadioMagicCode(v.fmRadioMagicCode);
        r.setFmRadioCurrentFrequency(v.fmRadioCurrentFrequency);
        r.setFmRadioCurrentPreset(v.fmRadioCurrentPreset);
        for (int i = 0; i < ORVABluetoothDeviceData::kFMPresets; ++i)
            r.setFmRadioPresetsAt(i, v.fmRadioPresets[static_cast<size_t>(i)]);
        r.setFmRadioRDS(v.fmRadioRDS);
        if (oneDevice)
            for (int k = 0; k < ORVABluetoothDeviceData::kSpeedDials; ++k)
                r.setSpeedDialAt(k, v.speedDials[static_cast<size_t>(k)]);
        c_.setRecognized(true);
    }

    RecognitionContext& ctx_;
    RecognitionController& c_;
    ThreadRecognizeFields& page_;
    bool otherDevice_ = false;
    std::optional<Slot> first_;
};

}  // namespace

void recognizeCsrHeadset(RecognitionContext& ctx) { CsrRoad(ctx).run(); }

}  // namespace recognition
