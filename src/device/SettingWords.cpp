// Whole-word operations of the record: comparing setting-word arrays (the settings pages' test for
// unsaved changes) and packing the legacy per-setting integers of the older families into their
// 16-bit settings words.
#include <array>
#include <cstdint>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace device {

using R = ORVABluetoothDeviceData;

namespace {

// 0 when the first `count` elements are equal, else a's element minus b's at the first difference.
template <size_t N>
int32_t compareWords(const std::array<int32_t, N>& a, const std::array<int32_t, N>& b, size_t count) {
    for (size_t i = 0; i < count && i < N; ++i)
        if (a[i] != b[i]) return static_cast<int32_t>(static_cast<uint32_t>(a[i]) - static_cast<uint32_t>(b[i]));
    return 0;
}

using Field = int32_t (R::*)() const;

struct Bit {
    int bit;
    Field field;
};

// Bits every legacy word carries.
const Bit kCommonBits[] = {
    {0, &R::handsfreeVOX}, {1, &R::intercomVOX},        {2, &R::edr},      {3, &R::voicePrompt},
    {4, &R::plc},          {5, &R::bitpoolRate},        {6, &R::microphoneBoost},
    {8, &R::sidetone},     {9, &R::advancedNoiseControl},
};

struct IdRange {
    int32_t first, last;
};

struct Settings40Row {
    std::vector<IdRange> ids;
    std::vector<Bit> bits;      // bit 10 and bits 11..15
    Bit fromFirmware11{0, nullptr};  // a bit that firmware 1.1 and later add
};

const Bit kAGC{10, &R::autoGainControl}, kBoost{10, &R::audioBoost};
const Bit kHDI{11, &R::hdIntercom}, kFMSG{12, &R::fmStationGuide}, kHDV{13, &R::hdVoice};
const Bit kASP{14, &R::audioSourcePriority}, kAO{15, &R::audioOverlay};
const Bit kNavi{13, &R::smartNaviSystem}, kAutoOnOff{14, &R::autoOnOff}, kNavi2{14, &R::smartNaviSystem2};

IdRange id(int32_t one) { return {one, one}; }

// Product ids and the bits they add to the common ones; any other id has autoGainControl at bit 10.
const std::vector<Settings40Row>& settings40Rows() {
    static const std::vector<Settings40Row> rows = {
        {{id(0x3030), id(0x3032), id(0x3040), id(0x3050), id(0x3060), id(0x3070), id(0x3080), id(0x5560), id(0x5562)},
         {kAGC, kFMSG}},
        {{id(0x3052), id(0x3072), id(0x3082), id(0x3085)}, {kBoost, kHDI}},
        {{id(0x321B), id(0x3300), id(0x3350), id(0x3360), id(0x3370), id(0x3400), id(0x3410), id(0x5410),
          id(0x5412), id(0x5414), id(0x5416), id(0x5418), id(0x5420), id(0x5424), id(0x5426), id(0x5428),
          id(0x5430), id(0x5432), id(0x5434), {0x5440, 0x5445}, id(0x5526), id(0x5530), id(0x5534), id(0x5538),
          id(0x5550), id(0x5552), id(0x5553), id(0x5570), id(0x5576), id(0x5580), id(0x5590), id(0x5622),
          id(0x6042), id(0x6112), id(0x6210), id(0x6400), id(0x6900), id(0x6910)},
         {kBoost, kHDI, kFMSG, kHDV, kASP, kAO}},
        {{id(0x3340), id(0x3341), id(0x3420), id(0x3430), id(0x5623), id(0x5624), id(0x5630), id(0x5632)},
         {kBoost, kHDI, kHDV, kASP, kAO}},
        {{id(0x3380), id(0x3701), id(0x4023), {0x5591, 0x5597}, id(0x6461), id(0x6481), id(0x6491)},
         {kAGC, kHDI, kHDV, kASP, kAO}},
        {{id(0x5522), id(0x5536)}, {kBoost, kFMSG}},
        {{id(0x5524)}, {kBoost, kFMSG, kHDV, kASP, kAO}},
        {{id(0x5532)}, {kBoost, kHDI, kFMSG, kHDV}},
        {{id(0x5710), id(0x5720), id(0x5910), id(0x5920), id(0x6114)}, {kBoost, kHDI, kFMSG}},
        {{id(0x5510), id(0x5520), id(0x5610), id(0x5611), id(0x5612), id(0x5620), id(0x5621)},
         {kBoost, kFMSG, kHDV, kASP, kAO},
         kHDI},
        {{id(0x6010), id(0x6012), id(0x6014), id(0x6016), id(0x6018), id(0x6026)}, {kBoost, kHDI, kNavi}},
        {{id(0x6020), id(0x6022), id(0x6024)}, {kAGC, kNavi}},
        {{id(0x6028), id(0x6030), id(0x6032), id(0x6034), id(0x6036)}, {kBoost, kHDI, kNavi, kAutoOnOff, kAO}},
        {{id(0x6038), id(0x6039)}, {kBoost, kHDI, kNavi2}},
        {{id(0x6320), id(0x6330), id(0x6335)}, {kAGC, kHDI, kHDV}},
    };
    return rows;
}

bool listed(const std::vector<IdRange>& ids, int32_t product) {
    for (const IdRange& r : ids)
        if (product >= r.first && product <= r.last) return true;
    return false;
}

uint32_t bitIfOne(const R& record, const Bit& b) { return (record.*b.field)() == 1 ? 1u << b.bit : 0u; }

}  // namespace

int32_t R::compareBasicSettingFERRIKWith(const R& other) const {
    return compareWords(basicSettingFERRIK_, other.basicSettingFERRIK_, kBasicSettingWords);
}

int32_t R::compareBasicSettingBELMORAVOXSensitivityWith(const R& other) const {
    return compareWords(basicSettingBELMORAVOXSensitivity_, other.basicSettingBELMORAVOXSensitivity_,
                        kVOXSensitivityWords);
}

int32_t R::compareBasicSettingYELVARSmartVolumeControlWith(const R& other) const {
    return compareWords(basicSettingYELVARSmartVolumeControl_, other.basicSettingYELVARSmartVolumeControl_,
                        kSmartVolumeWords);
}

int32_t R::compareBasicSettingTAVRINCameraWith(const R& other) const {
    const size_t count = compareVersionUpToMinorWithMajor(2, 0) >= 0 ? kCameraWords : 2;
    return compareWords(basicSettingTAVRINCamera_, other.basicSettingTAVRINCamera_, count);
}

int32_t R::getSettings40() const {
    uint32_t word = 0;
    for (const Bit& b : kCommonBits) word |= bitIfOne(*this, b);
    for (const Settings40Row& row : settings40Rows()) {
        if (!listed(row.ids, deviceRecognized_)) continue;
        for (const Bit& b : row.bits) word |= bitIfOne(*this, b);
        if (row.fromFirmware11.field && compareVersionUpToMinorWithMajor(1, 1) >= 0)
            word |= bitIfOne(*this, row.fromFirmware11);
        return static_cast<int32_t>(word);
    }
    return static_cast<int32_t>(word | bitIfOne(*this, kAGC));
}

int32_t R::getSettings40Second() const {
    if (deviceRecognized_ == 0x5576) return static_cast<int32_t>(bitIfOne(*this, {0, &R::autoStartRecording}));
    if (deviceRecognized_ != 0x6038 && deviceRecognized_ != 0x6039) return 0;
    uint32_t word = bitIfOne(*this, {10, &R::simpleUI}) | bitIfOne(*this, {11, &R::autoOff});
    // The voice-prompt language rides in bits 4..15, ORed over the flags.
    word |= (static_cast<uint32_t>(YORRALanguage_) << 4) & 0xFFFF;
    return static_cast<int32_t>(word);
}

}  // namespace device
