#include "settings/save/SpeedDialSave.h"

#include <algorithm>
#include <cstring>

#include "platform/Log.h"
#include "settings/save/DeviceSettingsSaveRows.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/CsrSettingKeys.h"
#include "transport/HidReportChannel.h"

namespace settings::save::speed_dial {

namespace {

using Record = device::ORVABluetoothDeviceData;
using Words = std::array<uint16_t, Record::kSpeedDialUnits>;

constexpr int kDials = Record::kSpeedDials;
constexpr uint8_t kShortWrite = 0x04, kFirstShortId = 5;
constexpr size_t kShortTextAt = 4;
constexpr int kCsrOpenBudget = 5, kCsrNormalMode = 0;
constexpr uint32_t kFirmwareManagementBit = 0x8000;

// The first match wins, in this order; a model that no row holds takes the CSR road.
struct RoadRow {
    Road road;
    ProductIds ids;
};

const std::vector<RoadRow>& roadTable() {
    static const std::vector<RoadRow> table = {
        {Road::TwoChip, {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}},
        {Road::ShortCommand, {0x6800, 0x6804, 0x6805, 0x6806, 0x6808, 0x6810, 0x6811, 0x6812, 0x6815, 0x6817, 0x6821,
                              0x6822, 0x6825, 0x6828, 0x6838, 0x6839, 0x683A, 0x6840, 0x6A01, 0x6A02, 0x6A03,
                              0x6A04}},
        {Road::Block37,
         {0x3052, 0x3072, 0x3082, 0x3085, 0x3150, 0x3161, 0x321B, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380,
          0x3400, 0x3410, 0x3420, 0x3430, 0x3701, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x5440, 0x5441, 0x5442, 0x5443,
          0x5444, 0x5445, 0x5552, 0x5553, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5596, 0x5597, 0x5630,
          0x5632, 0x6038, 0x6039, 0x6042, 0x6461, 0x6481, 0x6491, 0x6500, 0x6510, 0x6600, 0x6610, 0x6620, 0x6700,
          0x6900, 0x6910}},
        {Road::Block5A,
         {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3128, 0x3132, 0x3134,
          0x3136, 0x3140, 0x3146, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
          0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310,
          0x3320, 0x3330, 0x3800, 0x3900, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428,
          0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5538,
          0x5550, 0x5570, 0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710,
          0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028,
          0x6030, 0x6032, 0x6034, 0x6036, 0x6112, 0x6114, 0x6210, 0x6400}},
    };
    return table;
}

// Block 0x5A models whose firmware is checked against the record's first-chip ("01") version.
const ProductIds kFirstChipVersion = {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3128, 0x3132, 0x3134, 0x3136,
                                      0x3140, 0x3146, 0x3148, 0x3154, 0x3156, 0x3170, 0x3210, 0x3211, 0x3212,
                                      0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321C,
                                      0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3320, 0x3800, 0x3900};
// Block 0x37 models that must report ready before the dials go.
const ProductIds kStatusFirst = {0x6500, 0x6510};

// One block road: its first key and the count an empty dial goes with.
struct BlockForm {
    uint8_t firstKey;
    bool emptyAsOneZeroWord;
};

// The dial's words (one byte of its UTF-8 form each) and their number.
size_t wordsOf(const device::OptString& dial, Words& words) {
    words.fill(0);
    return static_cast<size_t>(Record::getSpeedDialArray(&words, dial)) / 2;
}

bool writeBlock(uint8_t key, const device::OptString& dial, const BlockForm& form) {
    Words words;
    size_t n = wordsOf(dial, words);
    if (n == 0 && form.emptyAsOneZeroWord) n = 1;  // words[0] is 0
    uint8_t request[kLongRequestSize] = {};
    uint8_t reply[kLongReplySize] = {};
    return usbhid_write_user_key(0, request, reply, key, words.data(), n, n);
}

// Every dial goes, whatever the one before did; a single failed dial fails the save.
int32_t writeDials(const std::function<bool(int dial)>& writeOne, const std::atomic<bool>& stop) {
    int32_t result = kSaved;
    for (int k = 0; k < kDials; ++k) {
        if (stop.load()) return kWriteFailed;
        if (!writeOne(k)) result = kWriteFailed;
    }
    return result;
}

int32_t saveHid(Road road, const SpeedDialSaveInput& in, const HidOpener& open, const std::atomic<bool>& stop) {
    if (!openRecognizedHid(open, in.usbStatus)) return kNotRecognized;
    switch (road) {
        case Road::TwoChip:
            if (!firmwareMatches(0, in.data, VersionSet::First) || !firmwareMatches(1, in.data, VersionSet::Second))
                return kNotRecognized;
            break;
        case Road::Block5A: {
            VersionSet set = holds(kFirstChipVersion, in.deviceTarget) ? VersionSet::First : VersionSet::Primary;
            if (!firmwareMatches(0, in.data, set)) return kNotRecognized;
            break;
        }
        case Road::Block37:
            if (holds(kStatusFirst, in.deviceTarget) && !headsetReady(0)) return kWriteFailed;
            break;
        case Road::ShortCommand:
        case Road::Csr:
            break;
    }
    if (road == Road::ShortCommand) {
        return writeDials(
            [&](int k) {
                auto request = shortCommandOf(static_cast<uint8_t>(kFirstShortId + k), in.dials[static_cast<size_t>(k)]);
                return shortCommandDone(0, request.data());
            },
            stop);
    }
    // Both chips' firmware is checked on the two-chip models, but the dials live on the first.
    const BlockForm form = road == Road::Block37 ? BlockForm{0x37, true}
                           : road == Road::Block5A ? BlockForm{0x5A, true}
                                                   : BlockForm{0x5A, false};
    return writeDials(
        [&](int k) {
            return writeBlock(static_cast<uint8_t>(form.firstKey + k), in.dials[static_cast<size_t>(k)], form);
        },
        stop);
}

int32_t saveCsr(const SpeedDialSaveInput& in, const CsrOpener& open, const std::atomic<bool>& stop) {
    uint32_t ids[2] = {};
    char message[CSR_MESSAGE_SIZE] = {};
    if (!open || open(ids, message, kCsrOpenBudget, kCsrNormalMode) != 0) {
        csr_usb_close_all();  // a second device that failed may leave the first one claimed
        return kCannotOpenUsb;
    }
    int32_t result = kSaved;
    // A first product id of 0 names no headset: there is nothing to check or write.
    if (ids[0] == 0) result = kCannotOpenUsb;
    else if (ids[0] >= kFirmwareManagementBit) result = kFirmwareManagement;
    const int count = std::min(csr_usb_device_count(), 2);
    for (int n = 0; result == kSaved && n < count; ++n) {
        result = checkCsrDevice(n, ids[n], in.usbStatus, in.data, kSpeedDialCodes);
        for (int k = 0; result == kSaved && k < kDials; ++k) {
            if (stop.load()) {
                result = kWriteFailed;
                break;
            }
            // Always the whole 20-word value: the rest of the key is zero.
            Words words;
            wordsOf(in.dials[static_cast<size_t>(k)], words);
            if (csr_write_pskey(static_cast<uint16_t>(transport::csr::kPsKeySpeedDial0 + k), words.data(),
                                static_cast<uint16_t>(words.size())) != 0)
                result = kWriteFailed;
        }
    }
    csr_usb_close_all();
    return result;
}

}  // namespace

Road roadFor(int32_t deviceTarget) {
    for (const RoadRow& row : roadTable())
        if (holds(row.ids, deviceTarget)) return row.road;
    return Road::Csr;
}

std::array<uint8_t, kShortReportSize> shortCommandOf(uint8_t id, const device::OptString& dial) {
    std::array<uint8_t, kShortReportSize> request{0x01, 0x3C, kShortWrite, id};
    const std::string text = dial.value_or(std::string());
    // The text and its zero byte within the report; a cut never splits a character.
    size_t n = std::min(text.size(), kShortReportSize - kShortTextAt - 1);
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(request.data() + kShortTextAt, text.data(), n);
    return request;
}

int32_t threadMethodSave(const SpeedDialSaveInput& in, const HidOpener& openHid, const CsrOpener& openCsr,
                         const std::atomic<bool>& stop) {
    const Road road = roadFor(in.deviceTarget);
    int32_t result = kSaved;
    if (road == Road::Csr) {
        result = saveCsr(in, openCsr, stop);
    } else {
        // An open over a filled slot would lose its handle.
        usbhid_close_all();
        result = saveHid(road, in, openHid, stop);
        usbhid_close_all();
    }
    // A step that a stop cut short tells nothing about the headset: the edits are kept.
    if (stop.load() && result != kSaved) result = kWriteFailed;
    return result;
}

}  // namespace settings::save::speed_dial
