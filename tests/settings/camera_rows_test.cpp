// The TAVRIN camera headsets by firmware band, and the single-module headsets that share their
// record (TAVRIN EVO by firmware and FM option, HURVEK-HX7C, SIVRA).
#include <gtest/gtest.h>

#include "RowExpect.h"

namespace {

using namespace settings;
using namespace settings::testing;

TEST(CameraRows, FirmwareAndFmPickTheRowsShown) {
    const ShownRows cases[] = {
        {"TAVRIN Pro below 2.0", 0x5580, {1, 9}, nullptr, 9},
        {"TAVRIN Pro at 2.5", 0x5580, {2, 5}, nullptr, 11, {"Sidetone", "Advanced Noise Control™"}},
        {"TAVRIN Pro at 2.6", 0x5580, {2, 6}, nullptr, 13, {"Audio Boost", "HD Speaker Accessory", "Audio Equalizer"}},
        {"TAVRIN at 1.5", 0x5510, {1, 5}, nullptr, 18},
        {"TAVRIN at 2.0", 0x5510, {2, 0}, nullptr, 22},
        {"TAVRIN at 2.2", 0x5510, {2, 2}, nullptr, 23},
        {"TAVRIN at 3.0", 0x5510, {3, 0}, nullptr, 25, {"▶ Phone", "Auto Camera Sleep"}},
        {"TAVRIN EVO at 1.3", 0x5570, {1, 3}, nullptr, 11, {"Advanced Noise Control™"}},
        {"TAVRIN EVO at 1.4 with FM", 0x5570, {1, 4}, nullptr, 13, {"Audio Boost", "HD Speaker Accessory", "Audio Equalizer"}},
        {"TAVRIN EVO at 1.4 without FM", 0x5570, {1, 4}, [](ListCase& c) { c.fm(4); }, 12},
        {"HURVEK-HX7C", 0x5576, {1, 0}, nullptr, 12},
        {"SIVRA", 0x3300, {1, 0}, nullptr, 11},
    };
    for (const ShownRows& c : cases) expectShown(c);
}

TEST(CameraRows, RowsShowTheirValuesAndFollowWhatTheyDependOn) {
    const Version t4 = {3, 0};
    const RowShows cases[] = {
        {"TAVRIN Pro 2.6 starts with VOX Phone", 0x5580, {2, 6}, nullptr, 0, "VOX Phone"},
        {"TAVRIN Pro 2.5 starts with Audio Boost", 0x5580, {2, 5}, nullptr, 0, "Audio Boost", "Enable"},
        {"audioBoost 1 selects disable", 0x5580, {2, 5}, [](ListCase& c) { c.dataCurrent.setAudioBoost(1); }, 0, "Audio Boost", "Disable"},
        {"audioOverlay 1: source priority off", 0x5510, t4, [](ListCase& c) { c.dataCurrent.setAudioOverlay(1); }, 4,
         "Audio Source Priority", "Intercom", Tri::No},
        {"audioOverlay 1: HD Voice off", 0x5510, t4, [](ListCase& c) { c.dataCurrent.setAudioOverlay(1); }, 5, "HD Voice", nullptr, Tri::No},
        {"audioOverlay 1: HD Intercom off", 0x5510, t4, [](ListCase& c) { c.dataCurrent.setAudioOverlay(1); }, 6, "HD Intercom", nullptr, Tri::No},
        {"audioOverlay 0: source priority on", 0x5510, t4, nullptr, 4, "Audio Source Priority", nullptr, Tri::Yes},
        {"audioOverlay 0: HD Voice on", 0x5510, t4, nullptr, 5, "HD Voice", nullptr, Tri::Yes},
        {"audioOverlay 0: HD Intercom on", 0x5510, t4, nullptr, 6, "HD Intercom", nullptr, Tri::Yes},
        {"recording 0: music off, no information", 0x5510, t4, nullptr, 20, "▶ Music", "Disable", Tri::No, Tri::No},
        {"recording 0: FM radio off", 0x5510, t4, nullptr, 21, "▶ FM Radio", nullptr, Tri::No, Tri::No},
        {"recording 0: intercom off", 0x5510, t4,
         [](ListCase& c) { c.dataCurrent.setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(1); }, 22, "▶ Intercom", "Enable",
         Tri::No, Tri::No},
        {"recording 0: phone off", 0x5510, t4, nullptr, 23, "▶ Phone", nullptr, Tri::No, Tri::No},
        {"recording 1: phone on", 0x5510, t4, [](ListCase& c) { c.dataCurrent.setBasicSettingTAVRINCameraSpeakerSoundRecording(1); },
         23, "▶ Phone", nullptr, Tri::Yes, Tri::No},
        {"recording row keeps its information", 0x5510, t4, nullptr, 19, "Speaker Sound Recording", nullptr, Tri::Yes, Tri::Yes},
        {"TAVRIN 1.5 row 18", 0x5510, {1, 5}, nullptr, 18, nullptr},
        {"TAVRIN 3.0 row 24", 0x5510, t4, nullptr, 24, "Auto Camera Sleep"},
        {"video microphone gain 2", 0x5510, t4, [](ListCase& c) { c.dataCurrent.setBasicSettingTAVRINCameraVideoMicrophoneGain(2); },
         17, "Video Microphone Gain", "High"},
        // The edit copy is a copy of the record: from 2.0 its video mode has three values.
        {"video mode 2: loop recording", 0x5510, {2, 0},
         [](ListCase& c) {
             c.dataCurrent.setDeviceVersionMajor(2, 0);
             c.dataCurrent.setBasicSettingTAVRINCameraVideoMode(2);
         },
         9, "Video Mode", "Loop Recording Mode"},
        {"TAVRIN EVO without FM: row 7", 0x5570, {1, 4}, [](ListCase& c) { c.fm(4); }, 7, "Sidetone"},
        {"TAVRIN EVO accessory, status 0", 0x5570, {1, 4}, nullptr, 11, "HD Speaker Accessory", nullptr, Tri::Yes},
        {"TAVRIN EVO accessory, status 6", 0x5570, {1, 4}, [](ListCase& c) { c.status(6); }, 11, "HD Speaker Accessory", nullptr, Tri::No},
        {"TAVRIN EVO accessory, status 1", 0x5570, {1, 4}, [](ListCase& c) { c.status(1); }, 11, "HD Speaker Accessory", nullptr, Tri::No},
        {"HD speaker 1: Audio Boost off", 0x5580, {2, 6},
         [](ListCase& c) { c.dataCurrent.setBasicSettingHIDOneModuleHDSpeakerAccessory(1); }, 10, "Audio Boost", nullptr, Tri::No},
        {"HD speaker 0: Audio Boost on", 0x5580, {2, 6}, nullptr, 10, "Audio Boost", nullptr, Tri::Yes},
        // The equalizer's field is unknown: it reads Off and is never offered, whatever the speaker.
        {"HD speaker 1: equalizer still off", 0x5580, {2, 6},
         [](ListCase& c) { c.dataCurrent.setBasicSettingHIDOneModuleHDSpeakerAccessory(1); }, 12, "Audio Equalizer", "Off", Tri::No},
        {"SIVRA equalizer off", 0x3300, {1, 0}, nullptr, 1, "Audio Equalizer", "Off", Tri::No},
        {"Auto Start Recording 0 selects enable", 0x5576, {1, 0}, nullptr, 0, "Auto Start Recording", "Enable"},
        {"Auto Start Recording 1 selects disable", 0x5576, {1, 0}, [](ListCase& c) { c.dataCurrent.setAutoStartRecording(1); }, 0,
         "Auto Start Recording", "Disable"},
        {"SIVRA language 10", 0x3300, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingDUNVIKUnitLanguage(10, 0x3300); }, 0,
         "Unit Language", "Finnish"},
    };
    for (const RowShows& c : cases) expectRow(c);
}

TEST(CameraRows, OlderTavrinOffersTwoVideoModesNewerThree) {
    const std::pair<Version, size_t> cases[] = {{{1, 9}, 2}, {{2, 0}, 3}, {{3, 0}, 3}};
    for (const auto& [version, modes] : cases) {
        ListCase list(0x5510, version);
        const int32_t row = version.major < 2 ? 8 : version.major < 3 ? 9 : 12;
        const auto cell = cellForRow(list.in, row);
        ASSERT_TRUE(cell.has_value()) << version.major;
        EXPECT_EQ(cell->label, "Video Mode") << version.major;
        EXPECT_EQ(cell->items.size(), modes) << version.major;
    }
}

}  // namespace
