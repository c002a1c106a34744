// Each codec changes exactly the bits of its field and reads the value the device word stands for.
// Every case starts from a record whose words (all of both arrays) hold one background value, so a
// bit set or cleared outside the field shows in the target word or in a neighbouring one.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace {

using R = device::ORVABluetoothDeviceData;

enum class Arr { Basic, Camera };
constexpr Arr B = Arr::Basic;
constexpr Arr Cam = Arr::Camera;

R recordWithWords(int32_t background) {
    R r;
    for (int i = 0; i < R::kBasicSettingWords; ++i) r.setBasicSetting20At(i, background);
    for (int i = 0; i < R::kCameraWords; ++i) r.setBasicSettingTAVRINCamera(i, background);
    return r;
}

int32_t wordOf(const R& r, Arr arr, int index) {
    return arr == B ? r.basicSettingFERRIK(index) : r.basicSettingTAVRINCameraAt(index);
}

void expectOtherWordsAt(const R& r, Arr arr, int index, int32_t background) {
    for (int i = 0; i < R::kBasicSettingWords; ++i) {
        if (arr == B && i == index) continue;
        EXPECT_EQ(r.basicSettingFERRIK(i), background) << "word " << i;
    }
    for (int i = 0; i < R::kCameraWords; ++i) {
        if (arr == Cam && i == index) continue;
        EXPECT_EQ(r.basicSettingTAVRINCameraAt(i), background) << "camera word " << i;
    }
}

// ---- on/off codecs ---------------------------------------------------------------------------------

enum class Sense { Plain, ReadInverted, WriteInverted };
constexpr Sense Plain = Sense::Plain, ReadInv = Sense::ReadInverted, WriteInv = Sense::WriteInverted;

struct OnOffCase {
    const char* name;
    int32_t (R::*get)() const;
    void (R::*set)(int32_t);
    Arr arr;
    int word;
    int32_t bit;
    Sense sense;
};
#define PAIR(Get, Set) #Get, &R::Get, &R::Set

// Stores the bit with 7 (any non-zero) or 0 as the sense says, and clears it from a full word.
void checkOnOff(const std::vector<OnOffCase>& cases) {
    for (const OnOffCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t storesOne = c.sense == WriteInv ? 0 : 7;
        const int32_t storesZero = c.sense == WriteInv ? 7 : 0;
        const int32_t readsWhenSet = c.sense == ReadInv ? 0 : 1;

        R on = recordWithWords(0);
        (on.*c.set)(storesOne);
        EXPECT_EQ(wordOf(on, c.arr, c.word), c.bit);
        expectOtherWordsAt(on, c.arr, c.word, 0);
        EXPECT_EQ((on.*c.get)(), readsWhenSet);

        R off = recordWithWords(0xFFFF);
        (off.*c.set)(storesZero);
        EXPECT_EQ(wordOf(off, c.arr, c.word), 0xFFFF ^ c.bit);
        expectOtherWordsAt(off, c.arr, c.word, 0xFFFF);
        EXPECT_EQ((off.*c.get)(), 1 - readsWhenSet);
    }
}

TEST(SettingCodecs, FERRIKOnOffSettingsOwnOneBitEach) {
    checkOnOff({
        {PAIR(getBasicSettingFERRIKVOXPhone, setBasicSettingFERRIKVOXPhone), B, 2, 0x8000, Plain},
        {PAIR(getBasicSettingFERRIKSidetone, setBasicSettingFERRIKSidetone), B, 2, 0x1000, Plain},
        {PAIR(getBasicSettingFERRIKAudioMultitasking, setBasicSettingFERRIKAudioMultitasking), B, 2, 0x0800, Plain},
        {PAIR(getBasicSettingFERRIKNavigationAppOverlay, setBasicSettingFERRIKNavigationAppOverlay), B, 2, 0x0200, Plain},
        {PAIR(getBasicSettingFERRIKVoicePrompt, setBasicSettingFERRIKVoicePrompt), B, 2, 0x0400, Plain},
        {PAIR(getBasicSettingFERRIKAudioBoost, setBasicSettingFERRIKAudioBoost), B, 2, 0x0080, Plain},
        {PAIR(getBasicSettingFERRIKHDSpeakerAccessory, setBasicSettingFERRIKHDSpeakerAccessory), B, 4, 0x8000, Plain},
        {PAIR(getBasicSettingFERRIKLEDControl, setBasicSettingFERRIKLEDControl), B, 4, 0x8000, Plain},
        {PAIR(getBasicSettingHIDOneModuleHDSpeakerAccessory, setBasicSettingHIDOneModuleHDSpeakerAccessory), B, 1, 0x0200, Plain},
        {PAIR(getBasicSettingFERRIKHDIntercom, setBasicSettingFERRIKHDIntercom), B, 2, 0x2000, Plain},
        {PAIR(getBasicSettingFERRIKEightWayIntercom, setBasicSettingFERRIKEightWayIntercom), B, 2, 0x0040, Plain},
        {PAIR(getBasicSettingFERRIKAdvancedNoiseControl, setBasicSettingFERRIKAdvancedNoiseControl), B, 2, 0x0100, Plain},
        {PAIR(getBasicSettingFERRIKFMStationGuide, setBasicSettingFERRIKFMStationGuide), B, 2, 0x0020, Plain},
        {PAIR(GetBasicSettingFERRIKVoiceCommand, SetBasicSettingFERRIKVoiceCommand), B, 2, 0x0001, Plain},
    });
}

TEST(SettingCodecs, GESSAOnOffSettingsOwnOneBitEachWithTheirSenses) {
    checkOnOff({
        {PAIR(GetBasicSettingGESSAVOXPhone, SetBasicSettingGESSAVOXPhone), B, 0, 0x0001, Plain},
        {PAIR(GetBasicSettingGESSAVOXIntercom, SetBasicSettingGESSAVOXIntercom), B, 0, 0x0002, Plain},
        {PAIR(GetBasicSettingEDR, SetBasicSettingEDR), B, 0, 0x0004, Plain},
        {PAIR(GetBasicSettingGESSAVoicePrompt, SetBasicSettingGESSAVoicePrompt), B, 0, 0x0008, Plain},
        {PAIR(GetBasicSettingGESSAHighQulityA2DP, SetBasicSettingGESSAHighQulityA2DP), B, 0, 0x0020, Plain},
        {PAIR(GetBasicSettingGESSASidetone, SetBasicSettingGESSASidetone), B, 0, 0x0100, Plain},
        {PAIR(GetBasicSettingGESSAAdvancedNoiseControl, SetBasicSettingGESSAAdvancedNoiseControl), B, 0, 0x0200, Plain},
        {PAIR(GetBasicSettingGESSAAudioBoost, SetBasicSettingGESSAAudioBoost), B, 0, 0x0400, Plain},
        {PAIR(GetBasicSettingGESSAHDIntercom, SetBasicSettingGESSAHDIntercom), B, 0, 0x0800, Plain},
        {PAIR(GetBasicSettingGESSAFMStationGuide, SetBasicSettingGESSAFMStationGuide), B, 0, 0x1000, Plain},
        {PAIR(GetBasicSettingQCCHDVoice, SetBasicSettingQCCHDVoice), B, 0, 0x2000, Plain},
        {PAIR(GetBasicSettingGESSAMeshGuestMode, SetBasicSettingGESSAMeshGuestMode), B, 0, 0x8000, Plain},
        {PAIR(GetBasicSettingGESSAAudioOverlayVolumeManagement, SetBasicSettingGESSAAudioOverlayVolumeManagement), B, 1, 0x0040, WriteInv},
        {PAIR(GetBasicSettingQCCAudioOverlayVolumeManagement, SetBasicSettingQCCAudioOverlayVolumeManagement), B, 1, 0x0400, WriteInv},
        {PAIR(GetBasicSettingVoiceAssistant, SetBasicSettingVoiceAssistant), B, 4, 0x0100, ReadInv},
        {PAIR(GetBasicSettingMeshReachOut, SetBasicSettingMeshReachOut), B, 4, 0x0200, WriteInv},
        {PAIR(GetBasicSettingGESSAVoiceCommand, SetBasicSettingGESSAVoiceCommand), B, 1, 0x0400, Plain},
        {PAIR(GetBasicSettingGESSAAudioOverlay, SetBasicSettingGESSAAudioOverlay), B, 1, 0x0800, Plain},
        {PAIR(GetBasicSettingUILayer, SetBasicSettingUILayer), B, 1, 0x1000, Plain},
        {PAIR(GetBasicSettingQccAutoOff, SetBasicSettingQccAutoOff), B, 1, 0x1000, Plain},
        {PAIR(GetBasicSettingCelvarHDSpeakerAccessory, SetBasicSettingCelvarHDSpeakerAccessory), B, 1, 0x2000, Plain},
        {PAIR(GetBasicSettingGESSAHDSpeakerAccessory, SetBasicSettingGESSAHDSpeakerAccessory), B, 3, 0x0400, Plain},
        {PAIR(GetBasicSettingLUTRAHDVoice, SetBasicSettingLUTRAHDVoice), B, 3, 0x0400, Plain},
        {PAIR(GetBasicSettingMeshReachOutN2R, SetBasicSettingMeshReachOutN2R), B, 3, 0x0400, Plain},
        {PAIR(GetBasicSettingGESSAMeshReachOut, SetBasicSettingGESSAMeshReachOut), B, 3, 0x4000, Plain},
        {PAIR(GetBasicSettingLenvoraRemoteUIPTT, SetBasicSettingLenvoraRemoteUIPTT), B, 1, 0x0400, ReadInv},
    });
}

TEST(SettingCodecs, AirohaOnOffSettingsFillTheLowBitsOfWordZero) {
    checkOnOff({
        {PAIR(GetBasicSettingAirohaVOXPhone, SetBasicSettingAirohaVOXPhone), B, 0, 0x0001, Plain},
        {PAIR(GetBasicSettingAirohaVoicePrompt, SetBasicSettingAirohaVoicePrompt), B, 0, 0x0002, Plain},
        {PAIR(GetBasicSettingAirohaSidetone, SetBasicSettingAirohaSidetone), B, 0, 0x0004, Plain},
        {PAIR(GetBasicSettingAirohaFMStation, SetBasicSettingAirohaFMStation), B, 0, 0x0008, Plain},
        {PAIR(GetBasicSettingAirohaAudioOverlayVolumeManagement, SetBasicSettingAirohaAudioOverlayVolumeManagement), B, 0, 0x0010, Plain},
        {PAIR(GetBasicSettingAirohaMeshReachOut, SetBasicSettingAirohaMeshReachOut), B, 0, 0x0020, Plain},
        {PAIR(GetBasicSettingAirohaAdaptiveLight, SetBasicSettingAirohaAdaptiveLight), B, 0, 0x0040, Plain},
        {PAIR(GetBasicSettingAirohaAudioBoost, SetBasicSettingAirohaAudioBoost), B, 0, 0x0080, Plain},
        {PAIR(GetBasicSettingAirohaAutoOnOff, SetBasicSettingAirohaAutoOnOff), B, 0, 0x0100, Plain},
        {PAIR(GetBasicSettingAirohaAutoOff, SetBasicSettingAirohaAutoOff), B, 0, 0x0200, Plain},
    });
}

// A fresh record has firmware 0.0, below the video-mode change of 2.0.
TEST(SettingCodecs, CameraOnOffSettingsLiveInCameraWordZero) {
    checkOnOff({
        {PAIR(getBasicSettingTAVRINCameraPhotoMode, setBasicSettingTAVRINCameraPhotoMode), Cam, 0, 0x0001, Plain},
        {PAIR(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 0, 0x0002, Plain},
        {PAIR(getBasicSettingTAVRINCameraTimelapseInterval, setBasicSettingTAVRINCameraTimelapseInterval), Cam, 0, 0x0010, Plain},
        {PAIR(getBasicSettingTAVRINCameraDateCaption, setBasicSettingTAVRINCameraDateCaption), Cam, 0, 0x0020, Plain},
        {PAIR(getBasicSettingTAVRINCameraSpeakerSoundRecording, setBasicSettingTAVRINCameraSpeakerSoundRecording), Cam, 0, 0x0040, Plain},
        {PAIR(getBasicSettingTAVRINCameraAutoCameraSleep, setBasicSettingTAVRINCameraAutoCameraSleep), Cam, 0, 0x0080, Plain},
        {PAIR(getBasicSettingTAVRINCameraSpeakerSoundRecordingMusic, setBasicSettingTAVRINCameraSpeakerSoundRecordingMusic), Cam, 0, 0x0100, Plain},
        {PAIR(getBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio, setBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio), Cam, 0, 0x0200, Plain},
        {PAIR(getBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom, setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom), Cam, 0, 0x0400, Plain},
        {PAIR(getBasicSettingTAVRINCameraSpeakerSoundRecordingPhone, setBasicSettingTAVRINCameraSpeakerSoundRecordingPhone), Cam, 0, 0x0800, Plain},
    });
}

TEST(SettingCodecs, InvertedPairsReadBackTheOppositeOfWhatWasSet) {
    R r;
    r.SetBasicSettingVoiceAssistant(1);
    EXPECT_EQ(r.GetBasicSettingVoiceAssistant(), 0);
    r.SetBasicSettingMeshReachOut(1);
    EXPECT_EQ(r.GetBasicSettingMeshReachOut(), 0);
    r.SetBasicSettingLenvoraRemoteUIPTT(1);
    EXPECT_EQ(r.GetBasicSettingLenvoraRemoteUIPTT(), 0);
    r.SetBasicSettingGESSAAudioOverlayVolumeManagement(0);
    EXPECT_EQ(r.GetBasicSettingGESSAAudioOverlayVolumeManagement(), 1);
    r.SetBasicSettingQCCAudioOverlayVolumeManagement(0);
    EXPECT_EQ(r.GetBasicSettingQCCAudioOverlayVolumeManagement(), 1);
}

// ---- multi-bit codecs --------------------------------------------------------------------------------

constexpr std::nullopt_t ReadOnly = std::nullopt;

struct FieldCase {
    const char* name;
    std::function<void(R&, int32_t)> set;
    std::function<int32_t(const R&)> get;
    Arr arr;
    int word;
    int32_t before;               // every word of both arrays
    std::optional<int32_t> arg;   // nothing: only read
    int32_t after;                // the target word
    int32_t read;                 // the getter afterwards
    std::function<void(R&)> prepare = {};
};
#define CODEC(Get, Set) #Get, &R::Set, &R::Get

void checkFields(const std::vector<FieldCase>& cases) {
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " before 0x" << std::hex << c.before << " arg "
                                        << (c.arg ? std::to_string(*c.arg) : "(read only)"));
        R r = recordWithWords(c.before);
        if (c.prepare) c.prepare(r);
        if (c.arg) c.set(r, *c.arg);
        EXPECT_EQ(wordOf(r, c.arr, c.word), c.after) << std::hex << "0x" << wordOf(r, c.arr, c.word);
        expectOtherWordsAt(r, c.arr, c.word, c.before);
        EXPECT_EQ(c.get(r), c.read);
    }
}

std::function<void(R&)> firmware(int32_t major, int32_t minor) {
    return [=](R& r) { r.setDeviceVersionMajor(major, minor); };
}
std::function<void(R&)> packType(int32_t type) {
    return [=](R& r) { r.setDevicelanguagePackType(type); };
}

TEST(SettingCodecs, FERRIKFieldsEssAndMicGain) {
    checkFields({
        // whole words: read and stored as plain ints, not cut to 16 bits
        {CODEC(getBasicSettingFERRIKAudioMultitaskingSensitivity, setBasicSettingFERRIKAudioMultitaskingSensitivity), B, 0, 0, -3, -3, -3},
        {CODEC(getBasicSettingFERRIKAudioMultitaskingSensitivity, setBasicSettingFERRIKAudioMultitaskingSensitivity), B, 0, 0xFFFF, 0x12345, 0x12345, 0x12345},
        {CODEC(getBasicSettingFERRIKMotionSensorSensitivity, setBasicSettingFERRIKMotionSensorSensitivity), B, 3, 0xFFFF, 7, 7, 7},
        // smart volume: bits 1..4 hold 0..3 shifted by one; anything else reads 0
        {CODEC(getBasicSettingFERRIKSmartVolumeControl, setBasicSettingFERRIKSmartVolumeControl), B, 2, 0, 3, 0x0006, 3},
        {CODEC(getBasicSettingFERRIKSmartVolumeControl, setBasicSettingFERRIKSmartVolumeControl), B, 2, 0xFFFF, 2, 0xFFE5, 2},
        {CODEC(getBasicSettingFERRIKSmartVolumeControl, setBasicSettingFERRIKSmartVolumeControl), B, 2, 0, 4, 0, 0},
        {CODEC(getBasicSettingFERRIKSmartVolumeControl, setBasicSettingFERRIKSmartVolumeControl), B, 2, 0x0008, ReadOnly, 0x0008, 0},
        {CODEC(getBasicSettingFERRIKSmartVolumeControl, setBasicSettingFERRIKSmartVolumeControl), B, 2, 0x0016, ReadOnly, 0x0016, 0},
        // equalizer: bits 12..14, 0..4
        {CODEC(getBasicSettingFERRIKAudioEqualizer, setBasicSettingFERRIKAudioEqualizer), B, 4, 0, 4, 0x4000, 4},
        {CODEC(getBasicSettingFERRIKAudioEqualizer, setBasicSettingFERRIKAudioEqualizer), B, 4, 0xFFFF, 1, 0x9FFF, 1},
        {CODEC(getBasicSettingFERRIKAudioEqualizer, setBasicSettingFERRIKAudioEqualizer), B, 4, 0, 5, 0, 0},
        {CODEC(getBasicSettingFERRIKAudioEqualizer, setBasicSettingFERRIKAudioEqualizer), B, 4, 0x5000, ReadOnly, 0x5000, 0},
        // speaker accessory select: bits 10..11
        {CODEC(GetBasicSettingFERRIKTamberSpeakerAccessorySelect, SetBasicSettingFERRIKTamberSpeakerAccessorySelect), B, 4, 0, 3, 0x0C00, 3},
        {CODEC(GetBasicSettingFERRIKTamberSpeakerAccessorySelect, SetBasicSettingFERRIKTamberSpeakerAccessorySelect), B, 4, 0xFFFF, 1, 0xF7FF, 1},
        {CODEC(GetBasicSettingFERRIKTamberSpeakerAccessorySelect, SetBasicSettingFERRIKTamberSpeakerAccessorySelect), B, 4, 0xFFFF, 4, 0xFFFF, 3},
        // ESS status: bits 0..1; 1..3 stored, anything else stores 0
        {CODEC(getEssStatus, setEssStatus), B, 2, 0, 3, 0x0003, 3},
        {CODEC(getEssStatus, setEssStatus), B, 2, 0xFFFF, 1, 0xFFFD, 1},
        {CODEC(getEssStatus, setEssStatus), B, 2, 0xFFFF, 7, 0xFFFC, 0},
        // ESS sensitivity: bits 2..3; 1 and 3 as they are, everything else is 2
        {CODEC(getEssSensitivity, setEssSensitivity), B, 2, 0, 1, 0x0004, 1},
        {CODEC(getEssSensitivity, setEssSensitivity), B, 2, 0, 3, 0x000C, 3},
        {CODEC(getEssSensitivity, setEssSensitivity), B, 2, 0xFFFF, 0, 0xFFFB, 2},
        {CODEC(getEssSensitivity, setEssSensitivity), B, 2, 0, 9, 0x0008, 2},
        {CODEC(getEssSensitivity, setEssSensitivity), B, 2, 0, ReadOnly, 0, 2},
        // microphone gain: bits 5..7; 2, 4 and unknown levels store the level of 3
        {CODEC(getMicGain, setMicGain), B, 2, 0xFFFF, 1, 0xFF3F, 1},
        {CODEC(getMicGain, setMicGain), B, 2, 0, 2, 0x0060, 3},
        {CODEC(getMicGain, setMicGain), B, 2, 0xFFFF, 3, 0xFF7F, 3},
        {CODEC(getMicGain, setMicGain), B, 2, 0, 4, 0x0060, 3},
        {CODEC(getMicGain, setMicGain), B, 2, 0, 5, 0x00A0, 5},
        {CODEC(getMicGain, setMicGain), B, 2, 0, 0, 0x0060, 3},
        {CODEC(getMicGain, setMicGain), B, 2, 0, ReadOnly, 0, 3},
        {CODEC(getMicGain, setMicGain), B, 2, 0x00E0, ReadOnly, 0x00E0, 3},
    });
}

TEST(SettingCodecs, GESSAFieldsWithFallbacksAndOffsets) {
    checkFields({
        {CODEC(GetBasicSettingGESSAMeshMode, SetBasicSettingGESSAMeshMode), B, 0, 0, 2, 0x4000, 2},
        {CODEC(GetBasicSettingGESSAMeshMode, SetBasicSettingGESSAMeshMode), B, 0, 0xFFFF, 1, 0xBFFF, 1},
        {CODEC(GetBasicSettingGESSAMeshMode, SetBasicSettingGESSAMeshMode), B, 0, 0, 3, 0, 0},
        {CODEC(GetBasicSettingGESSAMeshMode, SetBasicSettingGESSAMeshMode), B, 0, 0x6000, ReadOnly, 0x6000, 0},
        {CODEC(GetBasicSettingGESSAVoxSensitivity, SetBasicSettingGESSAVoxSensitivity), B, 1, 0, 5, 0x0005, 5},
        {CODEC(GetBasicSettingGESSAVoxSensitivity, SetBasicSettingGESSAVoxSensitivity), B, 1, 0xFFFF, 2, 0xFFFA, 2},
        {CODEC(GetBasicSettingGESSAVoxSensitivity, SetBasicSettingGESSAVoxSensitivity), B, 1, 0xFFFF, 6, 0xFFFF, 3},
        {CODEC(GetBasicSettingGESSAAGCSensitivity, SetBasicSettingGESSAAGCSensitivity), B, 1, 0, 3, 0x0018, 3},
        {CODEC(GetBasicSettingGESSAAGCSensitivity, SetBasicSettingGESSAAGCSensitivity), B, 1, 0xFFFF, 0, 0xFFC7, 0},
        {CODEC(GetBasicSettingGESSAAGCSensitivity, SetBasicSettingGESSAAGCSensitivity), B, 1, 0, 4, 0, 0},
        {CODEC(GetBasicSettingGESSAAGCSensitivity, SetBasicSettingGESSAAGCSensitivity), B, 1, 0x0020, ReadOnly, 0x0020, 3},
        {CODEC(GetBasicSettingGESSAAudioOverlaySensitivity, SetBasicSettingGESSAAudioOverlaySensitivity), B, 1, 0, 5, 0x0280, 5},
        {CODEC(GetBasicSettingGESSAAudioOverlaySensitivity, SetBasicSettingGESSAAudioOverlaySensitivity), B, 1, 0xFFFF, 1, 0xFCFF, 1},
        {CODEC(GetBasicSettingGESSAAudioOverlaySensitivity, SetBasicSettingGESSAAudioOverlaySensitivity), B, 1, 0xFFFF, 6, 0xFFFF, 3},
        // unit language: the setter takes 0..12, the getter reads the raw field
        {CODEC(GetBasicSettingGESSAUnitLanguage, SetBasicSettingGESSAUnitLanguage), B, 3, 0, 12, 0x000C, 12},
        {CODEC(GetBasicSettingGESSAUnitLanguage, SetBasicSettingGESSAUnitLanguage), B, 3, 0xFFFF, 3, 0xFFF3, 3},
        {CODEC(GetBasicSettingGESSAUnitLanguage, SetBasicSettingGESSAUnitLanguage), B, 3, 0, 13, 0, 0},
        {CODEC(GetBasicSettingGESSAUnitLanguage, SetBasicSettingGESSAUnitLanguage), B, 3, 0x000F, ReadOnly, 0x000F, 15},
        {CODEC(GetBasicSettingGESSAMeshPublicChannel, SetBasicSettingGESSAMeshPublicChannel), B, 3, 0, 5, 0x0140, 5},
        {CODEC(GetBasicSettingGESSAMeshPublicChannel, SetBasicSettingGESSAMeshPublicChannel), B, 3, 0xFFFF, 2, 0xFCBF, 2},
        {CODEC(GetBasicSettingGESSAMeshPublicChannel, SetBasicSettingGESSAMeshPublicChannel), B, 3, 0, 6, 0, 0},
        {CODEC(GetBasicSettingGESSAMeshPublicChannel, SetBasicSettingGESSAMeshPublicChannel), B, 3, 0x0180, ReadOnly, 0x0180, 0},
        {CODEC(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer), B, 3, 0, 4, 0x2000, 4},
        {CODEC(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer), B, 3, 0xFFFF, 1, 0xCFFF, 1},
        {CODEC(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer), B, 3, 0, 5, 0, 0},
        {CODEC(GetBasicSetting30Equalizer, SetBasicSetting30Equalizer), B, 3, 0x2800, ReadOnly, 0x2800, 0},
        {CODEC(GetBasicSettingTamberSpeakerAccessorySelect, SetBasicSettingTamberSpeakerAccessorySelect), B, 3, 0, 3, 0xC000, 3},
        {CODEC(GetBasicSettingTamberSpeakerAccessorySelect, SetBasicSettingTamberSpeakerAccessorySelect), B, 3, 0xFFFF, 1, 0x7FFF, 1},
        {CODEC(GetBasicSettingTamberSpeakerAccessorySelect, SetBasicSettingTamberSpeakerAccessorySelect), B, 3, 0, 4, 0, 0},
        {CODEC(GetBasicSetting50Equalizer, SetBasicSetting50Equalizer), B, 3, 0, 4, 0x2000, 4},
        {CODEC(GetBasicSetting50Equalizer, SetBasicSetting50Equalizer), B, 3, 0xFFFF, 2, 0x97FF, 2},
        {CODEC(GetBasicSetting50Equalizer, SetBasicSetting50Equalizer), B, 3, 0, 5, 0, 0},
        {CODEC(GetBasicSetting50Equalizer, SetBasicSetting50Equalizer), B, 3, 0x4000, ReadOnly, 0x4000, 0},
        // accessory selects: -8..4 stored as value + 8 and read back raw
        {CODEC(GetBasicSetting50SpeakerAccessorySelect, SetBasicSetting50SpeakerAccessorySelect), B, 4, 0xFFFF, -8, 0xFFF0, 0},
        {CODEC(GetBasicSetting50SpeakerAccessorySelect, SetBasicSetting50SpeakerAccessorySelect), B, 4, 0, 0, 0x0008, 8},
        {CODEC(GetBasicSetting50SpeakerAccessorySelect, SetBasicSetting50SpeakerAccessorySelect), B, 4, 0, -3, 0x0005, 5},
        {CODEC(GetBasicSetting50SpeakerAccessorySelect, SetBasicSetting50SpeakerAccessorySelect), B, 4, 0xFFFF, 4, 0xFFFC, 12},
        {CODEC(GetBasicSetting50SpeakerAccessorySelect, SetBasicSetting50SpeakerAccessorySelect), B, 4, 0, 5, 0, 0},
        {CODEC(GetBasicSetting50SpeakerAccessorySelect, SetBasicSetting50SpeakerAccessorySelect), B, 4, 0xFFFF, -9, 0xFFFF, 15},
        {CODEC(GetBasicSetting50MicAccessorySelect, SetBasicSetting50MicAccessorySelect), B, 4, 0, 0, 0x0080, 8},
        {CODEC(GetBasicSetting50MicAccessorySelect, SetBasicSetting50MicAccessorySelect), B, 4, 0xFFFF, -8, 0xFF0F, 0},
        {CODEC(GetBasicSetting50MicAccessorySelect, SetBasicSetting50MicAccessorySelect), B, 4, 0, 4, 0x00C0, 12},
    });
}

TEST(SettingCodecs, LenvoraPEMVIKAndQCCFields) {
    checkFields({
        // cut to its four bits: 9..15 store but read 0, 0x13 stores 3 and leaves bit 4 alone
        {CODEC(GetBasicSettingLenvoraMeshPublicChannel, SetBasicSettingLenvoraMeshPublicChannel), B, 1, 0, 8, 0x0008, 8},
        {CODEC(GetBasicSettingLenvoraMeshPublicChannel, SetBasicSettingLenvoraMeshPublicChannel), B, 1, 0xFFFF, 3, 0xFFF3, 3},
        {CODEC(GetBasicSettingLenvoraMeshPublicChannel, SetBasicSettingLenvoraMeshPublicChannel), B, 1, 0, 9, 0x0009, 0},
        {CODEC(GetBasicSettingLenvoraMeshPublicChannel, SetBasicSettingLenvoraMeshPublicChannel), B, 1, 0, 15, 0x000F, 0},
        {CODEC(GetBasicSettingLenvoraMeshPublicChannel, SetBasicSettingLenvoraMeshPublicChannel), B, 1, 0, 0x13, 0x0003, 3},
        {CODEC(GetBasicSettingLenvoraMeshPublicChannel, SetBasicSettingLenvoraMeshPublicChannel), B, 1, 0, -1, 0x000F, 0},
        // 1..9 stored, 0 ignored; fields 10..15 read 0
        {CODEC(GetBasicSettingPEMVIKPumeliMeshPublicChannel, SetBasicSettingPEMVIKPumeliMeshPublicChannel), B, 3, 0, 9, 0x0240, 9},
        {CODEC(GetBasicSettingPEMVIKPumeliMeshPublicChannel, SetBasicSettingPEMVIKPumeliMeshPublicChannel), B, 3, 0xFFFF, 1, 0xFC7F, 1},
        {CODEC(GetBasicSettingPEMVIKPumeliMeshPublicChannel, SetBasicSettingPEMVIKPumeliMeshPublicChannel), B, 3, 0xFFFF, 0, 0xFFFF, 0},
        {CODEC(GetBasicSettingPEMVIKPumeliMeshPublicChannel, SetBasicSettingPEMVIKPumeliMeshPublicChannel), B, 3, 0, 10, 0, 0},
        {CODEC(GetBasicSettingPEMVIKPumeliMeshPublicChannel, SetBasicSettingPEMVIKPumeliMeshPublicChannel), B, 3, 0x0280, ReadOnly, 0x0280, 0},
        {CODEC(GetBasicSettingQCCAudioEqualizer, SetBasicSettingQCCAudioEqualizer), B, 1, 0, 5, 0x0050, 5},
        {CODEC(GetBasicSettingQCCAudioEqualizer, SetBasicSettingQCCAudioEqualizer), B, 1, 0xFFFF, 2, 0xFFAF, 2},
        {CODEC(GetBasicSettingQCCAudioEqualizer, SetBasicSettingQCCAudioEqualizer), B, 1, 0xFFFF, 6, 0xFFFF, 0},
        {CODEC(GetBasicSettingQCCVOXSensitivity, SetBasicSettingQCCVOXSensitivity), B, 1, 0, 4, 0x0200, 4},
        {CODEC(GetBasicSettingQCCVOXSensitivity, SetBasicSettingQCCVOXSensitivity), B, 1, 0xFFFF, 0, 0xFC7F, 0},
        {CODEC(GetBasicSettingQCCVOXSensitivity, SetBasicSettingQCCVOXSensitivity), B, 1, 0xFFFF, 6, 0xFFFF, 3},
        {CODEC(GetBasicSettingQCCAudioOverlaySensitivity, SetBasicSettingQCCAudioOverlaySensitivity), B, 1, 0, 5, 0x2800, 5},
        {CODEC(GetBasicSettingQCCAudioOverlaySensitivity, SetBasicSettingQCCAudioOverlaySensitivity), B, 1, 0xFFFF, 1, 0xCFFF, 1},
        {CODEC(GetBasicSettingQCCAudioOverlaySensitivity, SetBasicSettingQCCAudioOverlaySensitivity), B, 1, 0xFFFF, 7, 0xFFFF, 3},
        {CODEC(GetBasicSettingQCCIntercomAudioOverlaySensitivity, SetBasicSettingQCCIntercomAudioOverlaySensitivity), B, 1, 0, 3, 0x1800, 3},
        // FENNIC: clears bits 7, 9, 10, 11 (bit 8 stays); levels 4 and 5 also set bit 7
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0, 3, 0x0600, 3},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0, 4, 0x0880, 4},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0, 5, 0x0A80, 5},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0xFFFF, 1, 0xF37F, 1},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0xFFFF, 0, 0xF17F, 0},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0xFFFF, 6, 0xFFFF, 3},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0xFFFF, -1, 0xFFFF, 3},
        {CODEC(GetBasicSettingFENNICVOXSensitivity, SetBasicSettingFENNICVOXSensitivity), B, 1, 0x0C00, ReadOnly, 0x0C00, 3},
    });
}

TEST(SettingCodecs, AirohaFieldsStoreTheLowFourBitsOfAnyValue) {
    checkFields({
        {CODEC(GetBasicSettingAirohaMeshPublicChannel, SetBasicSettingAirohaMeshPublicChannel), B, 1, 0, 0x13, 0x0003, 3},
        {CODEC(GetBasicSettingAirohaMeshPublicChannel, SetBasicSettingAirohaMeshPublicChannel), B, 1, 0xFFFF, 5, 0xFFF5, 5},
        {CODEC(GetBasicSettingAirohaAudioEqualizer, SetBasicSettingAirohaAudioEqualizer), B, 1, 0, 0xF, 0x00F0, 15},
        {CODEC(GetBasicSettingAirohaAudioEqualizer, SetBasicSettingAirohaAudioEqualizer), B, 1, 0xFFFF, 0x21, 0xFF1F, 1},
        {CODEC(GetBasicSettingAirohaVoxSensitivity, SetBasicSettingAirohaVoxSensitivity), B, 1, 0, 6, 0x0600, 6},
        {CODEC(GetBasicSettingAirohaVoxSensitivity, SetBasicSettingAirohaVoxSensitivity), B, 1, 0xFFFF, 0, 0xF0FF, 0},
        {CODEC(GetBasicSettingAirohaIntercomAudioOverlaySensitivity, SetBasicSettingAirohaIntercomAudioOverlaySensitivity), B, 1, 0, 0x1A, 0xA000, 10},
        {CODEC(GetBasicSettingAirohaIntercomAudioOverlaySensitivity, SetBasicSettingAirohaIntercomAudioOverlaySensitivity), B, 1, 0xFFFF, 2, 0x2FFF, 2},
    });
}

TEST(SettingCodecs, CameraFieldsAndTheVideoModeOfFirmwareTwo) {
    checkFields({
        {CODEC(getBasicSettingTAVRINCameraVideoResolution, setBasicSettingTAVRINCameraVideoResolution), Cam, 0, 0, 2, 0x0008, 2},
        {CODEC(getBasicSettingTAVRINCameraVideoResolution, setBasicSettingTAVRINCameraVideoResolution), Cam, 0, 0xFFFF, 1, 0xFFF7, 1},
        {CODEC(getBasicSettingTAVRINCameraVideoResolution, setBasicSettingTAVRINCameraVideoResolution), Cam, 0, 0, 3, 0, 0},
        {CODEC(getBasicSettingTAVRINCameraVideoResolution, setBasicSettingTAVRINCameraVideoResolution), Cam, 0, 0x000C, ReadOnly, 0x000C, 0},
        {CODEC(getBasicSettingTAVRINCameraVideoTaggingInterval, setBasicSettingTAVRINCameraVideoTaggingInterval), Cam, 2, 0, 2, 0x0002, 2},
        {CODEC(getBasicSettingTAVRINCameraVideoTaggingInterval, setBasicSettingTAVRINCameraVideoTaggingInterval), Cam, 2, 0xFFFF, 0, 0xFFFC, 0},
        {CODEC(getBasicSettingTAVRINCameraVideoTaggingInterval, setBasicSettingTAVRINCameraVideoTaggingInterval), Cam, 2, 0x0003, ReadOnly, 0x0003, 0},
        {CODEC(getBasicSettingTAVRINCameraLoopRecordingInterval, setBasicSettingTAVRINCameraLoopRecordingInterval), Cam, 2, 0, 1, 0x0004, 1},
        {CODEC(getBasicSettingTAVRINCameraLoopRecordingInterval, setBasicSettingTAVRINCameraLoopRecordingInterval), Cam, 2, 0xFFFF, 2, 0xFFFB, 2},
        {CODEC(getBasicSettingTAVRINCameraLoopRecordingInterval, setBasicSettingTAVRINCameraLoopRecordingInterval), Cam, 2, 0x000C, ReadOnly, 0x000C, 0},
        {CODEC(getBasicSettingTAVRINCameraVideoMicrophoneGain, setBasicSettingTAVRINCameraVideoMicrophoneGain), Cam, 2, 0, 2, 0x0020, 2},
        {CODEC(getBasicSettingTAVRINCameraVideoMicrophoneGain, setBasicSettingTAVRINCameraVideoMicrophoneGain), Cam, 2, 0xFFFF, 1, 0xFFDF, 1},
        {CODEC(getBasicSettingTAVRINCameraVideoMicrophoneGain, setBasicSettingTAVRINCameraVideoMicrophoneGain), Cam, 2, 0, 3, 0, 0},
        // from firmware 2.0: camera word 2 bits 6..7, three values; both bits set reads 0
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 2, 0, 1, 0x0040, 1, firmware(2, 0)},
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 2, 0, 2, 0x0080, 2, firmware(3, 1)},
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 2, 0xFFFF, 0, 0xFF3F, 0, firmware(2, 0)},
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 2, 0, 3, 0, 0, firmware(2, 0)},
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 2, 0x00C0, ReadOnly, 0x00C0, 0, firmware(2, 0)},
        // below 2.0: on/off on camera word 0 bit 1
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 0, 0, 2, 0x0002, 1, firmware(1, 9)},
        {CODEC(getBasicSettingTAVRINCameraVideoMode, setBasicSettingTAVRINCameraVideoMode), Cam, 0, 0xFFFF, 0, 0xFFFD, 0, firmware(1, 9)},
    });
}

// ---- unit languages -----------------------------------------------------------------------------------

template <auto Set>
std::function<void(R&, int32_t)> setFor(int32_t device) {
    return [=](R& r, int32_t v) { (r.*Set)(v, device); };
}
template <auto Get>
std::function<int32_t(const R&)> getFor(int32_t device) {
    return [=](const R& r) { return (r.*Get)(device); };
}
#define LANGUAGE(Get, Set, device) #Get, setFor<&R::Set>(device), getFor<&R::Get>(device)

TEST(SettingCodecs, UnitLanguagesSkipSlotSixOnlyForTheirDevicesWithPackTypeZero) {
    checkFields({
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0, 5, 0x0005, 5, packType(0)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0, 6, 0x0007, 6, packType(0)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3310), B, 3, 0, 10, 0x000B, 10, packType(0)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3330), B, 3, 0, 11, 0, 0, packType(0)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0x0006, ReadOnly, 0x0006, 5, packType(0)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0, 6, 0x0006, 6, packType(1)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3340), B, 3, 0, 6, 0x0006, 6, packType(0)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0xFFFF, 11, 0xFFFB, 11, packType(1)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0, 12, 0, 0, packType(1)},
        {LANGUAGE(GetBasicSettingCelvarUnitLanguage, SetBasicSettingCelvarUnitLanguage, 0x3320), B, 3, 0x000C, ReadOnly, 0x000C, 0, packType(1)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3341), B, 1, 0, 6, 0x0007, 6, packType(0)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3420), B, 1, 0, 11, 0x000C, 11, packType(0)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3430), B, 1, 0, 12, 0, 0, packType(0)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3340), B, 1, 0xFFFF, ReadOnly, 0xFFFF, 14, packType(0)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3320), B, 1, 0, 12, 0x000C, 12, packType(0)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3341), B, 1, 0xFFFF, 6, 0xFFF6, 6, packType(2)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3341), B, 1, 0, 13, 0, 0, packType(2)},
        {LANGUAGE(GetBasicSettingdunvikUnitLanguage, SetBasicSettingDUNVIKUnitLanguage, 0x3341), B, 1, 0xFFFF, ReadOnly, 0xFFFF, 15, packType(2)},
        {LANGUAGE(GetBasicSettingGALLOWUnitLanguage, SetBasicSettingGALLOWUnitLanguage, 0x3430), B, 2, 0, 7, 0x0008, 7, packType(0)},
        {LANGUAGE(GetBasicSettingGALLOWUnitLanguage, SetBasicSettingGALLOWUnitLanguage, 0x3430), B, 2, 0xFFFF, 2, 0xFFF2, 2, packType(1)},
        {LANGUAGE(GetBasicSettingGALLOWUnitLanguage, SetBasicSettingGALLOWUnitLanguage, 0x3310), B, 2, 0, 7, 0x0007, 7, packType(0)},
    });
}

TEST(SettingCodecs, UnitLanguagesWithFixedRangesAndMaps) {
    checkFields({
        {LANGUAGE(GetBasicSettingTOVJASTROUnitLanguage, SetBasicSettingTOVJASTROUnitLanguage, 0x3320), B, 4, 0, 14, 0x000E, 14, packType(0)},
        {LANGUAGE(GetBasicSettingTOVJASTROUnitLanguage, SetBasicSettingTOVJASTROUnitLanguage, 0), B, 4, 0xFFFF, 0, 0xFFF0, 0},
        {LANGUAGE(GetBasicSettingTOVJASTROUnitLanguage, SetBasicSettingTOVJASTROUnitLanguage, 0), B, 4, 0, 15, 0, 0},
        {LANGUAGE(GetBasicSettingTOVJASTROUnitLanguage, SetBasicSettingTOVJASTROUnitLanguage, 0), B, 4, 0x000F, ReadOnly, 0x000F, 15},
        {CODEC(GetBasicSettingSULVANEUnitLanguage, SetBasicSettingSULVANEUnitLanguage), B, 1, 0, 10, 0x00A0, 10},
        {CODEC(GetBasicSettingSULVANEUnitLanguage, SetBasicSettingSULVANEUnitLanguage), B, 1, 0xFFFF, 1, 0xFF1F, 1},
        {CODEC(GetBasicSettingSULVANEUnitLanguage, SetBasicSettingSULVANEUnitLanguage), B, 1, 0, 11, 0, 0},
        {CODEC(GetBasicSettingSULVANEUnitLanguage, SetBasicSettingSULVANEUnitLanguage), B, 1, 0x00B0, ReadOnly, 0x00B0, 0},
        // ZANDREL: 9 and 10 sit at 11 and 12, which read back as 9 and 10
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0, 8, 0x0008, 8},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0, 9, 0x000B, 9},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0, 10, 0x000C, 10},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0, 11, 0x000B, 9},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0xFFFF, 12, 0xFFFC, 10},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0xFFFF, 0, 0xFFF0, 0},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0, 13, 0, 0},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0x0009, ReadOnly, 0x0009, 9},
        {CODEC(GetBasicSettingZANDRELUnitLanguage, SetBasicSettingZANDRELUnitLanguage), B, 3, 0x000F, ReadOnly, 0x000F, 15},
        // WENDEL: language 1 is field 14, everything else 0
        {LANGUAGE(GetBasicSettingWENDELUnitLanguage, SetBasicSettingWENDELUnitLanguage, 0), B, 1, 0, 1, 0x000E, 1},
        {LANGUAGE(GetBasicSettingWENDELUnitLanguage, SetBasicSettingWENDELUnitLanguage, 0), B, 1, 0xFFFF, 2, 0xFFF0, 0},
        {LANGUAGE(GetBasicSettingWENDELUnitLanguage, SetBasicSettingWENDELUnitLanguage, 0), B, 1, 0x000F, ReadOnly, 0x000F, 0},
        // YORRAR reads a code from bits 4..15 of word 2
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0010, ReadOnly, 0x0010, 2},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0020, ReadOnly, 0x0020, 4},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0030, ReadOnly, 0x0030, 1},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x004F, ReadOnly, 0x004F, 3},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0050, ReadOnly, 0x0050, 5},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0100, ReadOnly, 0x0100, 6},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0160, ReadOnly, 0x0160, 7},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x0060, ReadOnly, 0x0060, 0},
        {LANGUAGE(GetBasicSettingYORRARUnitLanguage, SetBasicSettingYORRARUnitLanguage, 0), B, 2, 0x10010, ReadOnly, 0x10010, 2},
        // Airoha: the low half of word 2; the upper half stays
        {CODEC(GetBasicSettingAirohaUnitLanguage, SetBasicSettingAirohaUnitLanguage), B, 2, 0x12340000, 0x10005, 0x12340005, 5},
        {CODEC(GetBasicSettingAirohaUnitLanguage, SetBasicSettingAirohaUnitLanguage), B, 2, 0xFFFF, 3, 0x0003, 3},
        {LANGUAGE(GetBasicSettingAirohaUnitLanguageCELVAR8R, SetBasicSettingAirohaUnitLanguageCELVAR8R, 0), B, 2, 0, 6, 0x0007, 6},
        {LANGUAGE(GetBasicSettingAirohaUnitLanguageCELVAR8R, SetBasicSettingAirohaUnitLanguageCELVAR8R, 0), B, 2, 0, 5, 0x0005, 5},
        {LANGUAGE(GetBasicSettingAirohaUnitLanguageCELVAR8R, SetBasicSettingAirohaUnitLanguageCELVAR8R, 0), B, 2, 0x0006, ReadOnly, 0x0006, 6},
        {LANGUAGE(GetBasicSettingAirohaUnitLanguageCELVAR8R, SetBasicSettingAirohaUnitLanguageCELVAR8R, 1), B, 2, 0x12340000, 6, 0x12340006, 6},
        {LANGUAGE(GetBasicSettingAirohaUnitLanguageCELVAR8R, SetBasicSettingAirohaUnitLanguageCELVAR8R, 1), B, 2, 0x0007, ReadOnly, 0x0007, 7},
        // VARRO: the setter writes the whole word, the getter reads the low half
        {CODEC(GetBasicSettingAirohaVARROUnitLanguage, SetBasicSettingAirohaVARROUnitLanguage), B, 2, 0x12345678, 1, 0x0007, 1},
        {CODEC(GetBasicSettingAirohaVARROUnitLanguage, SetBasicSettingAirohaVARROUnitLanguage), B, 2, 0xFFFF, 2, 0, 0},
        {CODEC(GetBasicSettingAirohaVARROUnitLanguage, SetBasicSettingAirohaVARROUnitLanguage), B, 2, 0x10007, ReadOnly, 0x10007, 1},
        {CODEC(GetBasicSettingAirohaVARROUnitLanguage, SetBasicSettingAirohaVARROUnitLanguage), B, 2, 0x0017, ReadOnly, 0x0017, 0},
    });
}

TEST(SettingCodecs, YORRARSetterKeepsTheLanguageInTheLegacyFieldOnly) {
    R r = recordWithWords(0x0150);
    r.SetBasicSettingYORRARUnitLanguage(5, 0x6038);
    EXPECT_EQ(r.YORRALanguage(), 5);
    expectOtherWordsAt(r, B, -1, 0x0150);
}

TEST(SettingCodecs, ConstantAndUnknownCodecsNeverTouchTheWords) {
    R r = recordWithWords(0x5A5A);
    EXPECT_EQ(r.GetBasicSettingPhoneOnOkemba(), 1);
    EXPECT_EQ(r.GetBasicSettingFMRadioOnOkemba(), 1);
    EXPECT_EQ(r.GetBasicSettingDUNVIKEqualizer(), 0);
    r.SetBasicSettingDUNVIKEqualizer(3);
    EXPECT_EQ(r.GetBasicSettingDUNVIKEqualizer(), 0);
    expectOtherWordsAt(r, B, -1, 0x5A5A);
}

TEST(SettingCodecs, SpeakerSoundRecordingIsEmptyWhenNoSourceBitIsSet) {
    for (int32_t word : {0x0000, 0x00FF, 0xF0FF, 0x7FFFF0FF}) {
        R r;
        r.setBasicSettingTAVRINCamera(0, word);
        r.setBasicSettingTAVRINCamera(1, 0x0F00);
        EXPECT_TRUE(r.emptyCheckSpeakerSoundRecording()) << std::hex << word;
    }
    for (int32_t source : {0x0100, 0x0200, 0x0400, 0x0800}) {
        R r;
        r.setBasicSettingTAVRINCamera(0, source);
        EXPECT_FALSE(r.emptyCheckSpeakerSoundRecording()) << std::hex << source;
    }
}

}  // namespace
