#include "settings/save/FmRadioSave.h"

#include <algorithm>

#include "platform/Log.h"
#include "settings/save/FmRadioModels.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidReportChannel.h"

namespace settings::save {

namespace {

using device::ORVABluetoothDeviceData;

constexpr uint8_t kFmBlockKey = 0x15, kFmBlock44Key = 0x44, kShortFmKey = 0x08;
constexpr uint8_t kShortWrite = 0x04;
constexpr uint16_t kFmPsKey = 0x029F;
constexpr size_t kShortWordsAt = 4;

uint16_t low16(int32_t v) { return static_cast<uint16_t>(v & 0xFFFF); }

// One block write on the slot: {0x01, 0x04, key, count, words high byte first}.
bool writeBlock(int slot, uint8_t* request, uint8_t* reply, uint8_t key, const std::vector<uint16_t>& words) {
    return usbhid_write_user_key(slot, request, reply, key, words.data(), words.size(), words.size()) != 0;
}

int32_t twoChip(const FmRadioSaveInput& in, const std::vector<uint16_t>& image) {
    if (!firmwareMatches(0, in.data, VersionSet::First)) return kFmNotRecognized;
    if (!firmwareMatches(1, in.data, VersionSet::Second)) return kFmNotRecognized;
    uint8_t request[kLongRequestSize] = {};
    uint8_t reply[kLongReplySize] = {};
    return writeBlock(1, request, reply, kFmBlockKey, image) ? kFmSaved : kFmWriteFailed;
}

int32_t shortCommand(const std::vector<uint16_t>& image) {
    uint8_t request[kShortReportSize] = {0x01, 0x3C, kShortWrite, kShortFmKey};
    for (size_t i = 0; i < image.size() && kShortWordsAt + 2 * i + 1 < sizeof request; ++i) {
        request[kShortWordsAt + 2 * i] = static_cast<uint8_t>(image[i]);
        request[kShortWordsAt + 2 * i + 1] = static_cast<uint8_t>(image[i] >> 8);
    }
    return shortCommandDone(0, request) ? kFmSaved : kFmWriteFailed;
}

int32_t block44(const FmRadioSaveInput& in, const std::vector<uint16_t>& image) {
    if (asksFmStatus(in.deviceTarget) && !headsetReady(0)) return kFmWriteFailed;
    uint8_t request[kLongRequestSize] = {};
    uint8_t reply[kLongReplySize] = {};
    return writeBlock(0, request, reply, kFmBlock44Key, image) ? kFmSaved : kFmWriteFailed;
}

int32_t block15(const FmRadioSaveInput& in, const std::vector<uint16_t>& image) {
    const VersionSet set = checksFirstChipVersion(in.deviceTarget) ? VersionSet::First : VersionSet::Primary;
    if (!firmwareMatches(0, in.data, set)) return kFmNotRecognized;
    uint8_t request[kLongRequestSize] = {};
    uint8_t reply[kLongReplySize] = {};
    if (!writeBlock(0, request, reply, kFmBlockKey, image)) return kFmWriteFailed;
    // The commit carries the block's words low byte first; its answer tells nothing.
    if (commitsFmBlock(in.deviceTarget))
        usbhid_follow_up(0, request, reply, kFmBlockKey, FollowUpWords::HostOrder);
    return kFmSaved;
}

int32_t saveHid(const FmRadioSaveInput& in, FmRoad road, const HidOpener& open, const std::atomic<bool>& stop) {
    const std::vector<uint16_t> image = fmRadioImage(in.dataCurrent, in.deviceTarget);
    // A slot left filled by an earlier conversation would leak its handle under the new open.
    usbhid_close_all();
    if (!openRecognizedHid(open, in.usbStatus)) return kFmNotRecognized;
    if (stop.load()) return kFmWriteFailed;
    switch (road) {
        case FmRoad::TwoChip:
            return twoChip(in, image);
        case FmRoad::ShortCommand:
            return shortCommand(image);
        case FmRoad::Block44:
            return block44(in, image);
        case FmRoad::Block15:
        case FmRoad::Csr:
            break;
    }
    return block15(in, image);
}

int32_t saveCsr(const FmRadioSaveInput& in, const std::atomic<bool>& stop) {
    uint32_t ids[2] = {};
    int32_t result = openCsrForSave(ids, kFmRadioCodes);
    if (result == kFmCannotOpenUsb) return result;
    // An open that names no product found no headset to check, let alone write.
    if (result == kFmSaved && ids[0] == 0) result = kFmCannotOpenUsb;
    const std::vector<uint16_t> image = fmRadioImage(in.dataCurrent, in.deviceTarget);
    const int count = std::min(csr_usb_device_count(), 2);
    for (int n = 0; result == kFmSaved && n < count; ++n) {
        if (stop.load()) {
            result = kFmWriteFailed;
            break;
        }
        result = checkCsrDevice(n, ids[n], in.usbStatus, in.data, kFmRadioCodes);
        if (result != kFmSaved || !writesFmPsKey(in.deviceTarget)) continue;
        if (csr_write_pskey(kFmPsKey, image.data(), static_cast<uint16_t>(image.size())) != 0) result = kFmWriteFailed;
    }
    csr_usb_close_all();
    return result;
}

}  // namespace

std::vector<uint16_t> fmRadioImage(const ORVABluetoothDeviceData& r, int32_t deviceTarget) {
    const int presets = ORVABluetoothDeviceData::hasSixFMPresets(deviceTarget) ? 6 : ORVABluetoothDeviceData::kFMPresets;
    std::vector<uint16_t> words = {fmMagicFor(deviceTarget), low16(r.fmRadioCurrentFrequency()),
                                   low16(r.fmRadioCurrentPreset())};
    for (int i = 0; i < presets; ++i) words.push_back(low16(r.fmRadioPresetsAt(i)));
    words.push_back(low16(r.fmRadioRDS()));
    words.push_back(low16(r.fmRadioRegion()));
    return words;
}

int32_t fmRadioThreadMethodSave(const FmRadioSaveInput& in, const HidOpener& open, const std::atomic<bool>& stop) {
    const FmRoad road = fmRoadFor(in.deviceTarget);
    int32_t result = kFmSaved;
    if (road == FmRoad::Csr) {
        result = saveCsr(in, stop);
    } else {
        result = saveHid(in, road, open, stop);
        usbhid_close_all();
    }
    platform::logf("FM radio save: product 0x%04X result %d", in.deviceTarget, result);
    // A step that a stop cut short tells nothing about the headset: the edits are kept.
    if (stop.load() && result != kFmSaved) result = kFmWriteFailed;
    return result;
}

}  // namespace settings::save
