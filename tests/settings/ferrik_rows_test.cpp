// The FERRIK list by firmware, accessory status and options, and the product-id lists of the models
// that share its settings words.
#include <gtest/gtest.h>

#include "RowExpect.h"

namespace {

using namespace settings;
using namespace settings::testing;

TEST(FerrikRows, FirmwareStatusAndOptionsPickTheRowsShown) {
    const ShownRows cases[] = {
        {"below 1.1", 0x4210, {1, 0}, nullptr, 4},
        {"1.1", 0x4210, {1, 1}, nullptr, 6, {"Intercom-audio Overlay Sensi...", "Navigation App Support"}},
        {"1.4, status 0", 0x4210, {1, 4}, nullptr, 11},
        {"1.4, status 1", 0x4210, {1, 4}, [](ListCase& c) { c.status(1); }, 11},
        {"1.4, status 6", 0x4210, {1, 4}, [](ListCase& c) { c.status(6); }, 11},
        {"status 1 at 2.4", 0x4210, {2, 4}, [](ListCase& c) { c.status(1); }, 13},
        {"status 1 at 2.5", 0x4210, {2, 5}, [](ListCase& c) { c.status(1); }, 15, {"Audio Boost", "Speakers", "Audio Equalizer"}},
        {"status 0 below full 2.0 type 2 secondary 3", 0x4210, {2, 0, 2, 2}, nullptr, 13},
        {"status 0 at full 2.0 type 2 secondary 3", 0x4210, {2, 0, 2, 3}, nullptr, 15,
         {"Audio Boost", "HD Speaker Accessory", "Audio Equalizer"}},
        {"status 0 at 2.2, FM 3, motion 5: no pair matches", 0x4210, {2, 2}, [](ListCase& c) { c.fm(3).motion(5); }, 15},
        {"status 0 at 2.2, FM 4, motion 5", 0x4210, {2, 2}, [](ListCase& c) { c.fm(4).motion(5); }, 14},
        {"status 0 at 2.2, FM 4, motion 6", 0x4210, {2, 2}, [](ListCase& c) { c.fm(4).motion(6); }, 13},
        {"status 0 at 2.2, FM 3, motion 6", 0x4210, {2, 2}, [](ListCase& c) { c.fm(3).motion(6); }, 14},
        {"Brevant", 0x4310, {1, 0}, nullptr, 13, {"Voice Command"}},
        {"EM-VAR2", 0x2030, {9, 9}, nullptr, 13},
        {"SMART KAV JANDRO", 0x4610, {1, 0}, nullptr, 14, {"Voice Command", "White LED Always On"}},
        {"Brevant INCP", 0x4430, {1, 0}, nullptr, 12},
    };
    for (const ShownRows& c : cases) expectShown(c);
}

TEST(FerrikRows, RowsShowTheirValuesAndFollowWhatTheyDependOn) {
    const Version f9 = {2, 1};  // status other than 1, full version from 2.0.2.3, below 2.2
    const RowShows cases[] = {
        {"F9 status 6: motion sensor off", 0x4210, f9, [](ListCase& c) { c.status(6); }, 4, "Motion Sensor Sensitivity", nullptr, Tri::No},
        {"F9 status 6: accessory radio on", 0x4210, f9, [](ListCase& c) { c.status(6); }, 13, "HD Speaker Accessory", nullptr, Tri::Yes},
        {"F9 status 0: motion sensor on", 0x4210, f9, nullptr, 4, "Motion Sensor Sensitivity", nullptr, Tri::Yes},
        {"F9 status 0: accessory radio on", 0x4210, f9, nullptr, 13, "HD Speaker Accessory", nullptr, Tri::Yes},
        {"F9 status 2: accessory radio off", 0x4210, f9, [](ListCase& c) { c.status(2); }, 13, "HD Speaker Accessory", nullptr, Tri::No},
        {"F9 status 7: both off", 0x4210, f9, [](ListCase& c) { c.status(7); }, 4, "Motion Sensor Sensitivity", nullptr, Tri::No},
        {"F9 status 7: accessory radio off", 0x4210, f9, [](ListCase& c) { c.status(7); }, 13, "HD Speaker Accessory", nullptr, Tri::No},
        {"motion 1 selects the disable item", 0x4210, f9,
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKMotionSensorSensitivity(1); }, 4, "Motion Sensor Sensitivity", "Disable"},
        {"motion 3 selects High", 0x4210, f9,
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKMotionSensorSensitivity(3); }, 4, "Motion Sensor Sensitivity", "High"},
        {"sensitivity 10 selects 1", 0x4210, f9,
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKAudioMultitaskingSensitivity(10); }, 1,
         "Intercom-audio Overlay Sensi...", "1"},
        {"sensitivity 1 selects 10", 0x4210, f9,
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKAudioMultitaskingSensitivity(1); }, 1,
         "Intercom-audio Overlay Sensi...", "10"},
        {"F9 HD speaker 1: Audio Boost off", 0x4210, f9,
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKHDSpeakerAccessory(1); }, 12, "Audio Boost", nullptr, Tri::No},
        {"F9 HD speaker 1: equalizer on", 0x4210, f9,
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKHDSpeakerAccessory(1); }, 14, "Audio Equalizer", "Off", Tri::Yes},
        {"F9 HD speaker 0: Audio Boost on, equalizer off", 0x4210, f9, nullptr, 14, "Audio Equalizer", "Off", Tri::No},
        {"F9 HD speaker 0: Audio Boost on", 0x4210, f9, nullptr, 12, "Audio Boost", "Disable", Tri::Yes},
        {"F4 speakers 1", 0x4210, {2, 5},
         [](ListCase& c) { c.status(1).dataCurrent.SetBasicSettingFERRIKTamberSpeakerAccessorySelect(1); }, 13, "Speakers",
         "X-Q Audio ULVASK Spkrs", Tri::Yes},
        {"F4 speakers 1: Audio Boost off", 0x4210, {2, 5},
         [](ListCase& c) { c.status(1).dataCurrent.SetBasicSettingFERRIKTamberSpeakerAccessorySelect(1); }, 12, "Audio Boost",
         nullptr, Tri::No},
        {"F4 speakers 1: music equalizer on", 0x4210, {2, 5},
         [](ListCase& c) { c.status(1).dataCurrent.SetBasicSettingFERRIKTamberSpeakerAccessorySelect(1); }, 14,
         "Audio Equalizer", "Music Balance", Tri::Yes},
        {"F4 basic speakers: equalizer off", 0x4210, {2, 5}, [](ListCase& c) { c.status(1); }, 14, "Audio Equalizer",
         "Music Balance", Tri::No},
        {"F4 basic speakers: Audio Boost on", 0x4210, {2, 5}, [](ListCase& c) { c.status(1); }, 12, "Audio Boost", nullptr, Tri::Yes},
        {"F1 row 4", 0x4210, {1, 0}, nullptr, 4, nullptr},
        {"F9 row 15", 0x4210, f9, nullptr, 15, nullptr},
        {"Brevant row 12", 0x4310, {1, 0}, nullptr, 12, "Voice Command"},
        {"Brevant row 13", 0x4310, {1, 0}, nullptr, 13, nullptr},
        {"SMART KAV JANDRO row 13", 0x4610, {1, 0}, nullptr, 13, "White LED Always On"},
        {"Brevant INC row 5", 0x4410, {1, 0}, nullptr, 5, "HD Intercom"},
        {"Brevant INC row 11", 0x4410, {1, 0}, nullptr, 11, "Voice Command"},
        {"Brevant INC row 12", 0x4410, {1, 0}, nullptr, 12, nullptr},
        {"Audio Multitasking 0: sensitivity off", 0x4310, {1, 0}, nullptr, 1, "Intercom-audio Overlay Sensi...", nullptr, Tri::No},
        {"Audio Multitasking 0: overlay volume off", 0x4310, {1, 0}, nullptr, 2, "Audio Overlay Volume Management", "Disable", Tri::No},
        {"Audio Multitasking 1: overlay volume on", 0x4310, {1, 0},
         [](ListCase& c) { c.dataCurrent.setBasicSettingFERRIKAudioMultitasking(1); }, 2, "Audio Overlay Volume Management",
         nullptr, Tri::Yes},
    };
    for (const RowShows& c : cases) expectRow(c);
}

TEST(FerrikRows, SpeakerEqualizerLogsTheSpeakerSelect) {
    ListCase list(0x4210, {2, 5});
    list.status(1).dataCurrent.SetBasicSettingFERRIKTamberSpeakerAccessorySelect(1);
    EXPECT_EQ(cellForRow(list.in, 14)->logLines, std::vector<std::string>{"speaker [1]"});
    EXPECT_TRUE(cellForRow(list.in, 13)->logLines.empty());
}

}  // namespace
