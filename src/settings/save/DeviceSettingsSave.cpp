#include "settings/save/DeviceSettingsSave.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Log.h"
#include "settings/save/DeviceSettingsSaveRows.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/CsrSettingKeys.h"
#include "transport/HidReportChannel.h"

namespace settings::save {

namespace {

using device::ORVABluetoothDeviceData;
using namespace transport::csr;

constexpr size_t kWordRoom = (kLongRequestSize - 4) / 2;
constexpr uint8_t kReadKey = 0x03, kShortWrite = 0x04, kShortSettingsKey = 0x03;
constexpr uint8_t kBackgroundVolumeKey = 63;
constexpr size_t kBackgroundVolumeWords = 8, kBackgroundVolumeWord = 7;

uint16_t low16(int32_t v) { return static_cast<uint16_t>(v & 0xFFFF); }

void trace(const char* format, const std::vector<uint16_t>& w) {
    if (!format) return;
    auto at = [&](size_t i) -> int { return i < w.size() ? w[i] : 0; };
    platform::logf(format, at(0), at(1), at(2), at(3), at(4), at(5));
}

// ---- HID --------------------------------------------------------------------------------------

class HidSave {
  public:
    HidSave(const SaveRow& row, const DeviceSettingsSaveInput& in, const std::atomic<bool>& stop)
        : row_(row), in_(in), stop_(stop) {}

    int32_t run(const HidOpener& open) {
        if (!openRecognizedHid(open, in_.usbStatus)) return kNotRecognized;
        for (const VersionCheck& check : row_.versions)
            if (!firmwareMatches(check.slot, in_.data, check.set)) return kNotRecognized;
        if (row_.status && (row_.statusOnlyFor.empty() || holds(row_.statusOnlyFor, in_.deviceTarget)) &&
            !headsetReady(0))
            return kWriteFailed;
        if (row_.kind == SaveRow::Kind::ShortCommand) return shortCommand();
        bool failed = false;
        for (const SaveWrite& w : row_.writes) {
            if (!w.onlyFor.empty() && !holds(w.onlyFor, in_.deviceTarget)) continue;
            if (!device::conditionHolds(w.when, in_.data)) continue;
            if (stop_.load()) return kWriteFailed;
            if (write(w)) continue;
            // Any failed write fails the save; one marked "continues" lets the later ones go.
            failed = true;
            if (!w.continues) return kWriteFailed;
        }
        if (holds(row_.backgroundVolume, in_.deviceTarget) && !backgroundVolume()) failed = true;
        return failed ? kWriteFailed : kSaved;
    }

  private:
    bool write(const SaveWrite& w) {
        std::vector<uint16_t> all = device::sourceWords(w.words, {}, in_.dataCurrent, in_.data, kWordRoom);
        size_t count =
            device::sourceWords(w.words, w.countByVersion, in_.dataCurrent, in_.data, kWordRoom).size();
        trace(w.trace, all);
        bool ok = usbhid_write_user_key(row_.slot, request_, reply_, w.key, all.data(),
                                        w.placeAll ? all.size() : count, count);
        // The follow-up repeats the block with its words back in host order.
        if ((ok || w.continues) && w.followUp)
            usbhid_follow_up(row_.slot, request_, reply_, w.key, FollowUpWords::HostOrder);
        return ok;
    }

    // Key 63 keeps the background volume in word 7 of eight; the other words go back as read.
    bool backgroundVolume() {
        if (stop_.load()) return false;
        uint8_t request[kLongRequestSize] = {0x01, kReadKey, kBackgroundVolumeKey, kBackgroundVolumeWords};
        uint8_t reply[kLongReplySize] = {};
        if (!usbhid_command(row_.slot, request, reply)) return false;
        if (reply[4] != kBackgroundVolumeWords) return false;
        usbhid_swap_block_words_ext(reply, sizeof reply);
        std::vector<uint16_t> words(kBackgroundVolumeWords);
        std::memcpy(words.data(), reply + 5, kBackgroundVolumeWords * sizeof(uint16_t));
        words[kBackgroundVolumeWord] = low16(in_.dataCurrent.backgroundVolume());
        platform::logf("ARABIC R %X %X %X %X %X %X", words[0], words[1], words[2], words[3], words[4], words[5]);
        return usbhid_write_user_key(row_.slot, request_, reply_, kBackgroundVolumeKey, words.data(), words.size(),
                                     words.size());
    }

    // The Airoha family: basic words 0-2, low byte first, in one format B command.
    int32_t shortCommand() {
        uint8_t request[kShortReportSize] = {0x01, 0x3C, kShortWrite, kShortSettingsKey};
        uint16_t w[3];
        for (int i = 0; i < 3; ++i) {
            w[i] = low16(in_.dataCurrent.basicSettingFERRIK(i));
            request[4 + 2 * i] = static_cast<uint8_t>(w[i]);
            request[5 + 2 * i] = static_cast<uint8_t>(w[i] >> 8);
        }
        platform::logf("Setting set HEX airoha [%04X], 1=[%04X], 2=[%04X]", w[0], w[1], w[2]);
        if (stop_.load()) return kWriteFailed;
        return shortCommandDone(row_.slot, request) ? kSaved : kWriteFailed;
    }

    const SaveRow& row_;
    const DeviceSettingsSaveInput& in_;
    const std::atomic<bool>& stop_;
    uint8_t request_[kLongRequestSize] = {};
    uint8_t reply_[kLongReplySize] = {};
};

// ---- CSR --------------------------------------------------------------------------------------

bool writeKey(uint16_t key, std::vector<uint16_t> words) {
    return csr_write_pskey(key, words.data(), static_cast<uint16_t>(words.size())) == 0;
}

std::vector<uint16_t> wordsOf(std::span<const uint8_t> bytes) {
    std::vector<uint16_t> words;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) words.push_back(static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8));
    return words;
}

// The keys whose value differs between the edit buffer and the record, as both stood when the
// save started.
int32_t writeCsrKeys(const DeviceSettingsSaveInput& in) {
    const ORVABluetoothDeviceData &now = in.dataCurrent, &was = in.data;
    if (now.edr() != was.edr() &&
        !writeKey(kPsKeyLegacyEdr, wordsOf(now.edr() ? legacyEdrOn() : legacyEdrOff())))
        return kEdrNotSaved;
    const CsrSaveFamily* family = csrSaveFamilyFor(in.deviceTarget);
    if (!family) return kSaved;
    switch (family->kind) {
        case CsrSaveFamily::Kind::VoxLevelsBelow:
            if (was.compareVersionUpToMinorWithMajor(family->belowMajor, family->belowMinor) < 0) {
                if (now.intercomVOX() != was.intercomVOX() &&
                    !writeKey(kPsKeyIntercomVox, {low16(now.intercomVOX())}))
                    return kVoxIntercomNotSaved;
                if (now.handsfreeVOX() != was.handsfreeVOX() &&
                    !writeKey(kPsKeyHandsfreeVox, {low16(now.handsfreeVOX())}))
                    return kVoxPhoneNotSaved;
                return kSaved;
            }
            [[fallthrough]];
        case CsrSaveFamily::Kind::SettingsWord:
            if (low16(now.getSettings40()) != low16(was.getSettings40()) &&
                !writeKey(kPsKeySettingsWord, {low16(now.getSettings40()), 0}))
                return kWriteFailed;
            return kSaved;
        case CsrSaveFamily::Kind::RadioAndTimeout:
            if (now.radioTransmitGain() != was.radioTransmitGain() &&
                !writeKey(kPsKeyRadioTransmitGain, {low16(now.radioTransmitGain())}))
                return kRadioGainNotSaved;
            if (now.audioChannelTimeout() != was.audioChannelTimeout() &&
                !writeKey(kPsKeyAudioChannelTimeout, {low16(now.audioChannelTimeout() * 1000)}))
                return kTimeoutNotSaved;
            return kSaved;
    }
    return kSaved;
}

int32_t saveCsr(const DeviceSettingsSaveInput& in, const std::atomic<bool>& stop) {
    uint32_t ids[2] = {};
    int32_t result = openCsrForSave(ids, kDeviceSettingsCodes);
    if (result == kCannotOpenUsb) return result;
    const int count = std::min(csr_usb_device_count(), 2);
    for (int n = 0; result == kSaved && n < count; ++n) {
        if (stop.load()) {
            result = kWriteFailed;
            break;
        }
        result = checkCsrDevice(n, ids[n], in.usbStatus, in.data, kDeviceSettingsCodes);
        if (result == kSaved) result = writeCsrKeys(in);
    }
    csr_usb_close_all();
    return result;
}

}  // namespace

int32_t threadMethodSave(const DeviceSettingsSaveInput& in, const HidOpener& open, const std::atomic<bool>& stop) {
    usbhid_close_all();
    const SaveRow* row = deviceSettingsSaveRowFor(in.deviceTarget);
    int32_t result = row ? HidSave(*row, in, stop).run(open) : saveCsr(in, stop);
    if (row) usbhid_close_all();
    // A step that a stop cut short tells nothing about the headset: the edits are kept.
    if (stop.load() && result != kSaved) result = kWriteFailed;
    return result;
}

}  // namespace settings::save
