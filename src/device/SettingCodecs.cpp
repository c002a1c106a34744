// The packed setting words of the newer families: one table of fields (which word, which bits,
// which values, which polarity) and one generic routine that reads or writes a field. The named
// codecs of the record are entries into it; the few rules a row cannot hold follow the routine.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/Log.h"

namespace device {

using R = ORVABluetoothDeviceData;
using F = R::SettingField;

namespace {

enum class Words : uint8_t { Basic, Camera };

// Which element of which array holds the field.
struct WordRef {
    Words words;
    uint8_t index;
};
constexpr WordRef W(int n) { return {Words::Basic, static_cast<uint8_t>(n)}; }
constexpr WordRef C(int n) { return {Words::Camera, static_cast<uint8_t>(n)}; }

enum class Kind : uint8_t {
    OnOff,              // reads the bit; stores 1 for any non-zero argument
    OnOffReadInverted,  // reads the inverse of the bit; stores 1 for any non-zero argument
    OnOffWriteInverted, // reads the bit; stores 0 for any non-zero argument and 1 for zero
    Field,              // a multi-bit field with the value rules below
};

// A value and the field contents that stand for it. The setter takes the first pair whose value
// matches its argument, the getter the first pair whose field matches the word.
struct ValuePair {
    int32_t value;
    uint32_t field;
};

constexpr int32_t kKeep = INT32_MIN;  // arguments outside the stored range leave the word unchanged

struct FieldRow {
    F id;
    WordRef where;
    uint8_t shift;
    uint8_t width;        // 32: the whole word
    Kind kind;
    int32_t setLo, setHi; // arguments stored (plus setOffset, cut to the field) ...
    int32_t setOffset;
    int32_t setOther;     // ... any other argument stores this field value, or kKeep
    int64_t getHi;        // fields 0..getHi read as they are (-1: none) ...
    int32_t fallback;     // ... every other field reads this
    std::span<const ValuePair> map;  // looked up before the ranges

    constexpr FieldRow plus(int32_t offset) const { FieldRow r = *this; r.setOffset = offset; return r; }
    constexpr FieldRow otherStores(int32_t field) const { FieldRow r = *this; r.setOther = field; return r; }
    constexpr FieldRow mapped(std::span<const ValuePair> m) const { FieldRow r = *this; r.map = m; return r; }
    constexpr FieldRow readsUpTo(int64_t hi, int32_t other) const {
        FieldRow r = *this;
        r.getHi = hi;
        r.fallback = other;
        return r;
    }
};

constexpr uint8_t widthOf(int first, int last) { return static_cast<uint8_t>(last - first + 1); }

constexpr FieldRow onOff(F id, WordRef w, int bit, Kind kind = Kind::OnOff) {
    return {id, w, static_cast<uint8_t>(bit), 1, kind, 0, 1, 0, kKeep, 1, 0, {}};
}
// Arguments lo..hi are stored; fields 0..hi read as they are, every other field reads fallback.
constexpr FieldRow listed(F id, WordRef w, int first, int last, int32_t lo, int32_t hi, int32_t fallback) {
    return {id, w, static_cast<uint8_t>(first), widthOf(first, last), Kind::Field, lo, hi, 0, kKeep, hi, fallback, {}};
}
// Arguments lo..hi are stored; every field reads as it is.
constexpr FieldRow raw(F id, WordRef w, int first, int last, int32_t lo, int32_t hi) {
    const uint8_t width = widthOf(first, last);
    return {id, w, static_cast<uint8_t>(first), width, Kind::Field, lo, hi, 0, kKeep, (int64_t{1} << width) - 1, 0, {}};
}
// Every argument is stored, cut to the field; every field reads as it is.
constexpr FieldRow masked(F id, WordRef w, int first, int last) { return raw(id, w, first, last, INT32_MIN, INT32_MAX); }
// The word is read and stored as a plain int.
constexpr FieldRow whole(F id, WordRef w) { return masked(id, w, 0, 31); }
// Only the pairs of the map are stored and read; other arguments and fields as the row says.
constexpr FieldRow mapOnly(F id, WordRef w, int first, int last, std::span<const ValuePair> map, int32_t otherArgument,
                           int32_t otherField) {
    return FieldRow{id, w, static_cast<uint8_t>(first), widthOf(first, last), Kind::Field, 1, 0, 0, otherArgument, -1,
                    otherField, map};
}

// Levels 2 and 4 share the field of level 3: 3 comes first, so that field reads back as 3.
constexpr ValuePair kMicGain[] = {{1, 1}, {3, 3}, {2, 3}, {4, 3}, {5, 5}};
constexpr ValuePair kEssSensitivity[] = {{1, 1}, {3, 3}};
constexpr ValuePair kZandrelLanguage[] = {{9, 11}, {10, 12}, {11, 11}, {12, 12}};
constexpr ValuePair kWendelLanguage[] = {{1, 14}};
constexpr ValuePair kYorrarLanguage[] = {{2, 1}, {4, 2}, {1, 3}, {3, 4}, {5, 5}, {6, 16}, {7, 22}};
constexpr ValuePair kVarroLanguage[] = {{1, 7}};

constexpr Kind ReadInv = Kind::OnOffReadInverted;
constexpr Kind WriteInv = Kind::OnOffWriteInverted;

// clang-format off
constexpr FieldRow kFields[] = {
    // FERRIK
    onOff(F::FERRIKVOXPhone,                      W(2), 15),
    onOff(F::FERRIKSidetone,                      W(2), 12),
    onOff(F::FERRIKAudioMultitasking,             W(2), 11),
    whole(F::FERRIKAudioMultitaskingSensitivity,  W(0)),
    whole(F::FERRIKMotionSensorSensitivity,       W(3)),
    onOff(F::FERRIKNavigationAppOverlay,          W(2), 9),
    onOff(F::FERRIKVoicePrompt,                   W(2), 10),
    onOff(F::FERRIKAudioBoost,                    W(2), 7),
    onOff(F::FERRIKHDSpeakerAccessory,            W(4), 15),
    onOff(F::HIDOneModuleHDSpeakerAccessory,      W(1), 9),
    onOff(F::FERRIKHDIntercom,                    W(2), 13),
    onOff(F::FERRIKEightWayIntercom,              W(2), 6),
    onOff(F::FERRIKAdvancedNoiseControl,          W(2), 8),
    onOff(F::FERRIKFMStationGuide,                W(2), 5),
    onOff(F::FERRIKVoiceCommand,                  W(2), 0),
    listed(F::FERRIKSmartVolumeControl,           W(2), 1, 4, 0, 3, 0),
    listed(F::FERRIKAudioEqualizer,               W(4), 12, 14, 0, 4, 0),
    raw(F::FERRIKTamberSpeakerAccessorySelect,    W(4), 10, 11, 0, 3),
    raw(F::EssStatus,                             W(2), 0, 1, 1, 3).otherStores(0),
    mapOnly(F::EssSensitivity,                    W(2), 2, 3, kEssSensitivity, 2, 2),
    mapOnly(F::MicGain,                           W(2), 5, 7, kMicGain, 3, 3),
    // GESSA and the codecs sharing its words
    onOff(F::GESSAVOXPhone,                       W(0), 0),
    onOff(F::GESSAVOXIntercom,                    W(0), 1),
    onOff(F::EDR,                                 W(0), 2),
    onOff(F::GESSAVoicePrompt,                    W(0), 3),
    onOff(F::GESSAHighQulityA2DP,                 W(0), 5),
    onOff(F::GESSASidetone,                       W(0), 8),
    onOff(F::GESSAAdvancedNoiseControl,           W(0), 9),
    onOff(F::GESSAAudioBoost,                     W(0), 10),
    onOff(F::GESSAHDIntercom,                     W(0), 11),
    onOff(F::GESSAFMStationGuide,                 W(0), 12),
    onOff(F::QCCHDVoice,                          W(0), 13),
    listed(F::GESSAMeshMode,                      W(0), 13, 14, 0, 2, 0),
    onOff(F::GESSAMeshGuestMode,                  W(0), 15),
    listed(F::GESSAVoxSensitivity,                W(1), 0, 2, 0, 5, 3),
    listed(F::GESSAAGCSensitivity,                W(1), 3, 5, 0, 3, 3),
    listed(F::GESSAAudioOverlaySensitivity,       W(1), 7, 9, 0, 5, 3),
    onOff(F::GESSAAudioOverlayVolumeManagement,   W(1), 6, WriteInv),
    onOff(F::QCCAudioOverlayVolumeManagement,     W(1), 10, WriteInv),
    onOff(F::VoiceAssistant,                      W(4), 8, ReadInv),
    onOff(F::MeshReachOut,                        W(4), 9, WriteInv),
    onOff(F::GESSAVoiceCommand,                   W(1), 10),
    onOff(F::GESSAAudioOverlay,                   W(1), 11),
    onOff(F::UILayer,                             W(1), 12),
    onOff(F::CelvarHDSpeakerAccessory,            W(1), 13),
    raw(F::GESSAUnitLanguage,                     W(3), 0, 3, 0, 12),
    listed(F::GESSAMeshPublicChannel,             W(3), 6, 9, 0, 5, 0),
    onOff(F::GESSAHDSpeakerAccessory,             W(3), 10),
    listed(F::Equalizer30,                        W(3), 11, 13, 0, 4, 0),
    onOff(F::GESSAMeshReachOut,                   W(3), 14),
    raw(F::TamberSpeakerAccessorySelect,          W(3), 14, 15, 0, 3),
    listed(F::Equalizer50,                        W(3), 11, 14, 0, 4, 0),
    raw(F::SpeakerAccessorySelect50,              W(4), 0, 3, -8, 4).plus(8),
    raw(F::MicAccessorySelect50,                  W(4), 4, 7, -8, 4).plus(8),
    // Lenvora, PEMVIKPumeli, QCC
    // Cut to its field, so that a value above 15 never changes the settings beside it.
    masked(F::LenvoraMeshPublicChannel,           W(1), 0, 3).readsUpTo(8, 0),
    onOff(F::LenvoraRemoteUIPTT,                  W(1), 10, ReadInv),
    listed(F::PEMVIKPumeliMeshPublicChannel,      W(3), 6, 9, 1, 9, 0),
    listed(F::QCCAudioEqualizer,                  W(1), 4, 6, 0, 5, 0),
    listed(F::QCCVOXSensitivity,                  W(1), 7, 9, 0, 5, 3),
    listed(F::QCCAudioOverlaySensitivity,         W(1), 11, 13, 0, 5, 3),
    listed(F::FENNICVOXSensitivity,               W(1), 9, 11, 0, 5, 3),
    // Airoha
    onOff(F::AirohaVOXPhone,                      W(0), 0),
    onOff(F::AirohaVoicePrompt,                   W(0), 1),
    onOff(F::AirohaSidetone,                      W(0), 2),
    onOff(F::AirohaFMStation,                     W(0), 3),
    onOff(F::AirohaAudioOverlayVolumeManagement,  W(0), 4),
    onOff(F::AirohaMeshReachOut,                  W(0), 5),
    onOff(F::AirohaAdaptiveLight,                 W(0), 6),
    onOff(F::AirohaAudioBoost,                    W(0), 7),
    onOff(F::AirohaAutoOnOff,                     W(0), 8),
    onOff(F::AirohaAutoOff,                       W(0), 9),
    masked(F::AirohaMeshPublicChannel,            W(1), 0, 3),
    masked(F::AirohaAudioEqualizer,               W(1), 4, 7),
    masked(F::AirohaVoxSensitivity,               W(1), 8, 11),
    masked(F::AirohaIntercomAudioOverlaySensitivity, W(1), 12, 15),
    // unit languages
    listed(F::CelvarUnitLanguage,                 W(3), 0, 3, 0, 11, 0),
    raw(F::DUNVIKUnitLanguage,                    W(1), 0, 3, 0, 12),
    raw(F::GALLOWUnitLanguage,                    W(2), 0, 3, 0, 12),
    raw(F::TOVJASTROUnitLanguage,                 W(4), 0, 3, 0, 14),
    listed(F::SULVANEUnitLanguage,                W(1), 4, 7, 0, 10, 0),
    raw(F::ZANDRELUnitLanguage,                   W(3), 0, 3, 0, 8).mapped(kZandrelLanguage),
    mapOnly(F::WENDELUnitLanguage,                W(1), 0, 3, kWendelLanguage, 0, 0),
    mapOnly(F::YORRARUnitLanguage,                W(2), 4, 15, kYorrarLanguage, kKeep, 0),
    masked(F::AirohaUnitLanguage,                 W(2), 0, 15),
    mapOnly(F::AirohaVARROUnitLanguage,           W(2), 0, 15, kVarroLanguage, kKeep, 0),
    mapOnly(F::AirohaVARROUnitLanguageWord,       W(2), 0, 31, kVarroLanguage, 0, 0),
    // TAVRIN camera
    onOff(F::TAVRINCameraPhotoMode,               C(0), 0),
    listed(F::TAVRINCameraVideoResolution,        C(0), 2, 3, 0, 2, 0),
    onOff(F::TAVRINCameraTimelapseInterval,       C(0), 4),
    onOff(F::TAVRINCameraDateCaption,             C(0), 5),
    onOff(F::TAVRINCameraSpeakerSoundRecording,   C(0), 6),
    onOff(F::TAVRINCameraAutoCameraSleep,         C(0), 7),
    onOff(F::TAVRINCameraSpeakerSoundRecordingMusic,    C(0), 8),
    onOff(F::TAVRINCameraSpeakerSoundRecordingFMRadio,  C(0), 9),
    onOff(F::TAVRINCameraSpeakerSoundRecordingIntercom, C(0), 10),
    onOff(F::TAVRINCameraSpeakerSoundRecordingPhone,    C(0), 11),
    listed(F::TAVRINCameraVideoTaggingInterval,   C(2), 0, 1, 0, 2, 0),
    listed(F::TAVRINCameraLoopRecordingInterval,  C(2), 2, 3, 0, 2, 0),
    listed(F::TAVRINCameraVideoMicrophoneGain,    C(2), 4, 5, 0, 2, 0),
    listed(F::TAVRINCameraVideoMode,              C(2), 6, 7, 0, 2, 0),
    onOff(F::TAVRINCameraVideoModeBefore2,        C(0), 1),
};
// clang-format on

constexpr bool rowsAreSound() {
    if (std::size(kFields) != static_cast<size_t>(F::Count)) return false;
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const FieldRow& r = kFields[i];
        const size_t words = r.where.words == Words::Basic ? R::kBasicSettingWords : R::kCameraWords;
        if (static_cast<size_t>(r.id) != i || r.where.index >= words || r.width == 0 || r.shift + r.width > 32)
            return false;
    }
    return true;
}
static_assert(rowsAreSound(), "one row per field, in the order of SettingField, inside its word");

constexpr uint32_t maskOf(const FieldRow& r) { return r.width >= 32 ? ~0u : (1u << r.width) - 1; }

const FieldRow& rowOf(F field) { return kFields[static_cast<size_t>(field)]; }

}  // namespace

// The field lives in the record's private arrays, so the routine is a member; the row is data.
int32_t R::getSettingField(SettingField field) const {
    const FieldRow& r = rowOf(field);
    const int32_t& word = r.where.words == Words::Basic ? basicSettingFERRIK_[r.where.index]
                                                        : basicSettingTAVRINCamera_[r.where.index];
    const uint32_t bits = (static_cast<uint32_t>(word) >> r.shift) & maskOf(r);
    switch (r.kind) {
        case Kind::OnOff:
        case Kind::OnOffWriteInverted: return static_cast<int32_t>(bits);
        case Kind::OnOffReadInverted: return static_cast<int32_t>(bits ^ 1u);
        case Kind::Field: break;
    }
    for (const ValuePair& p : r.map)
        if (p.field == bits) return p.value;
    return static_cast<int64_t>(bits) <= r.getHi ? static_cast<int32_t>(bits) : r.fallback;
}

void R::setSettingField(SettingField field, int32_t value) {
    const FieldRow& r = rowOf(field);
    int32_t& word = r.where.words == Words::Basic ? basicSettingFERRIK_[r.where.index]
                                                  : basicSettingTAVRINCamera_[r.where.index];
    uint32_t bits = 0;
    switch (r.kind) {
        case Kind::OnOff:
        case Kind::OnOffReadInverted: bits = value != 0 ? 1u : 0u; break;
        case Kind::OnOffWriteInverted: bits = value != 0 ? 0u : 1u; break;
        case Kind::Field: {
            const ValuePair* hit = nullptr;
            for (const ValuePair& p : r.map)
                if (p.value == value) { hit = &p; break; }
            if (hit) bits = hit->field;
            else if (value >= r.setLo && value <= r.setHi) bits = static_cast<uint32_t>(value) + static_cast<uint32_t>(r.setOffset);
            else if (r.setOther != kKeep) bits = static_cast<uint32_t>(r.setOther);
            else return;
            break;
        }
    }
    const uint32_t mask = maskOf(r) << r.shift;
    word = static_cast<int32_t>((static_cast<uint32_t>(word) & ~mask) | ((bits << r.shift) & mask));
}

std::vector<int32_t> R::storedValuesOf(SettingField field) {
    const FieldRow& r = rowOf(field);
    std::vector<int32_t> candidates;
    if (r.kind != Kind::Field) {
        candidates = {0, 1};
    } else {
        for (const ValuePair& p : r.map) candidates.push_back(p.value);
        // Whole-word fields take any int: the values a setting row can name lie far inside this.
        const int32_t lo = std::max(r.setLo, -64), hi = std::min(r.setHi, 255);
        for (int32_t v = lo; v <= hi; ++v) candidates.push_back(v);
    }
    // What the getter reads back after the setter stored each candidate (a setter may store an
    // offset or the opposite, as the accessory selects and the write-inverted switches do).
    // A cleared word is a state the field holds too (a fresh record, a setter that keeps the word).
    std::vector<int32_t> values = {R{}.getSettingField(field)};
    for (int32_t v : candidates) {
        R scratch;
        scratch.setSettingField(field, v);
        const int32_t read = scratch.getSettingField(field);
        if (std::find(values.begin(), values.end(), read) == values.end()) values.push_back(read);
    }
    std::sort(values.begin(), values.end());
    return values;
}

// ---- the rules a row cannot hold -----------------------------------------------------------------

void R::SetBasicSettingFERRIKTamberSpeakerAccessorySelect(int32_t value) {
    setSettingField(SettingField::FERRIKTamberSpeakerAccessorySelect, value);
    platform::logf("Set speakerValue [%d]", GetBasicSettingFERRIKTamberSpeakerAccessorySelect());
}

int32_t R::GetBasicSettingLenvoraMeshPublicChannel() const {
    platform::logf("CONS %X %X %X %X", basicSettingFERRIK_[1] & 0xFFFF, basicSettingFERRIK_[2], basicSettingFERRIK_[3],
                   basicSettingFERRIK_[4]);
    return getSettingField(SettingField::LenvoraMeshPublicChannel);
}

void R::SetBasicSettingLenvoraRemoteUIPTT(int32_t value) {
    setSettingField(SettingField::LenvoraRemoteUIPTT, value);
    platform::logf("CONS ## %d", value);
}

void R::SetBasicSettingFENNICVOXSensitivity(int32_t value) {
    // The device keeps the upper two levels with bit 7 set as well.
    static constexpr int32_t kLevelBits[] = {0x000, 0x200, 0x400, 0x600, 0x880, 0xA80};
    if (value < 0 || value > 5) return;
    basicSettingFERRIK_[1] = (basicSettingFERRIK_[1] & ~0xE80) | kLevelBits[value];
}

namespace {

// With language-pack type 0 the listed devices have no language in slot 6: indexes from 6 on sit
// one slot higher in the word.
bool skipsSlotSix(int32_t packType, int32_t device, std::span<const int32_t> devices) {
    if (packType != 0) return false;
    for (int32_t d : devices)
        if (d == device) return true;
    return false;
}
int32_t toSlot(int32_t language, bool skip) { return skip && language >= 6 ? language + 1 : language; }
int32_t fromSlot(int32_t slot, bool skip) { return skip && slot >= 6 ? slot - 1 : slot; }

constexpr int32_t kCelvarPackDevices[] = {0x3310, 0x3320, 0x3330};
constexpr int32_t kDunvikPackDevices[] = {0x3340, 0x3341, 0x3420, 0x3430};

}  // namespace

int32_t R::GetBasicSettingCelvarUnitLanguage(int32_t device) const {
    const int32_t slot = getSettingField(SettingField::CelvarUnitLanguage);
    const int32_t language = fromSlot(slot, skipsSlotSix(devicelanguagePackType_, device, kCelvarPackDevices));
    platform::logf("Getcelvarlanguagepack=[%d] labguageValue[%d]", devicelanguagePackType_, language);
    return language;
}

void R::SetBasicSettingCelvarUnitLanguage(int32_t value, int32_t device) {
    platform::logf("ui[%d]Setcelvarlanguagepack=[%d]", value, devicelanguagePackType_);
    setSettingField(SettingField::CelvarUnitLanguage,
                    toSlot(value, skipsSlotSix(devicelanguagePackType_, device, kCelvarPackDevices)));
}

int32_t R::GetBasicSettingdunvikUnitLanguage(int32_t device) const {
    platform::logf("Getcelvarlanguagepack=[%d]", devicelanguagePackType_);
    return fromSlot(getSettingField(SettingField::DUNVIKUnitLanguage),
                    skipsSlotSix(devicelanguagePackType_, device, kDunvikPackDevices));
}

void R::SetBasicSettingDUNVIKUnitLanguage(int32_t value, int32_t device) {
    platform::logf("ui[%d]Setcelvarlanguagepack=[%d]", value, devicelanguagePackType_);
    setSettingField(SettingField::DUNVIKUnitLanguage,
                    toSlot(value, skipsSlotSix(devicelanguagePackType_, device, kDunvikPackDevices)));
}

int32_t R::GetBasicSettingGALLOWUnitLanguage(int32_t device) const {
    platform::logf("Getcelvarlanguagepack=[%d]", devicelanguagePackType_);
    return fromSlot(getSettingField(SettingField::GALLOWUnitLanguage),
                    skipsSlotSix(devicelanguagePackType_, device, kDunvikPackDevices));
}

void R::SetBasicSettingGALLOWUnitLanguage(int32_t value, int32_t device) {
    platform::logf("ui[%d]Setcelvarlanguagepack=[%d]", value, devicelanguagePackType_);
    setSettingField(SettingField::GALLOWUnitLanguage,
                    toSlot(value, skipsSlotSix(devicelanguagePackType_, device, kDunvikPackDevices)));
}

int32_t R::GetBasicSettingTOVJASTROUnitLanguage(int32_t) const {
    const int32_t language = getSettingField(SettingField::TOVJASTROUnitLanguage);
    platform::logf("SAVEF -! %d %X", language, basicSettingFERRIK_[4]);
    return language;
}

int32_t R::GetBasicSettingYORRARUnitLanguage(int32_t) const {
    platform::logf("PPQQ 775 %X", (basicSettingFERRIK_[2] & 0xFFFF) >> 4);
    return getSettingField(SettingField::YORRARUnitLanguage);
}

int32_t R::GetBasicSettingAirohaUnitLanguage() const {
    const int32_t language = getSettingField(SettingField::AirohaUnitLanguage);
    platform::logf("GetBasicSettingAirohaUnitLanguage[%d]", language);
    return language;
}

// The pack type is given here; the setter skips slot 6 from 6 on, the getter reads back from 7 on.
int32_t R::GetBasicSettingAirohaUnitLanguageCELVAR8R(int32_t packType) const {
    const int32_t slot = getSettingField(SettingField::AirohaUnitLanguage);
    return packType == 0 && slot >= 7 ? slot - 1 : slot;
}

void R::SetBasicSettingAirohaUnitLanguageCELVAR8R(int32_t value, int32_t PackType) {
    setSettingField(SettingField::AirohaUnitLanguage, PackType == 0 && value >= 6 ? value + 1 : value);
}

bool R::emptyCheckSpeakerSoundRecording() const {
    return getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic() == 0 &&
           getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio() == 0 &&
           getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom() == 0 &&
           getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone() == 0;
}

}  // namespace device
