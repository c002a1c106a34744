// The mesh models' rows as a user of the sheet sees them: how many, which setting stands where,
// what a pop-up offers and selects, and when a control is greyed out, per model, firmware band,
// FM option and speaker type.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ListFixture.h"
#include "settings/AllSettingsList.h"
#include "settings/RowLayouts.h"

// Named, so that its helpers stay apart from those of the files it is compiled with.
namespace mesh_rows {

using namespace settings;
using settings::testing::ListCase;
using settings::testing::Version;
using Record = device::ORVABluetoothDeviceData;

constexpr int32_t kFm = 3, kNoFm = 4;

// The inputs of one case; the record edits are applied to the edit copy.
struct Inputs {
    uint16_t id;
    Version version;
    int32_t fm = kFm;
    int32_t speaker = 0;
    int32_t status = 0;
};

void apply(ListCase& list, const Inputs& in) { list.fm(in.fm).speaker(in.speaker).status(in.status); }

std::vector<std::string> labelsShown(const ListCase& list) {
    std::vector<std::string> labels;
    for (int32_t row = 0; row < numberOfRows(list.in); ++row) labels.push_back(cellForRow(list.in, row)->label);
    return labels;
}

// ---- how many rows ------------------------------------------------------------------------------------

struct CountCase {
    const char* name;
    Inputs in;
    int32_t rows;
};

TEST(MeshRows, RowsShownFollowModelBandAndOptions) {
    const CountCase cases[] = {
        {"0x3211 FM hidden, speaker 3", {0x3211, {4, 3}, kNoFm, 3}, 16},
        {"0x3211 FM hidden, speaker 8", {0x3211, {4, 3}, kNoFm, 8}, 17},
        {"0x3211 FM hidden, speaker -1", {0x3211, {4, 3}, kNoFm, -1}, 17},
        {"0x3211 FM shown has no layout", {0x3211, {4, 3}, kFm, 3}, 0},
        {"0x3132 at 1.0 ignores the accessory", {0x3132, {1, 0}, kFm, 8}, 15},
        {"0x3134 at 1.4, accessory: counted 21, layout 20", {0x3134, {1, 4}, kFm, 8}, 20},
        {"0x3212 at 1.2, speaker 8", {0x3212, {1, 2}, kFm, 8}, 20},
        {"0x3212 at 1.2, speaker 0", {0x3212, {1, 2}, kFm, 0}, 18},
        {"0x3210 at 1.0, speaker 8: counted 15", {0x3210, {1, 0}, kFm, 8}, 15},
        {"0x3214 at 2.5, speaker 0", {0x3214, {2, 5}, kFm, 0}, 17},
        {"0x3217 at 2.1, speaker 9", {0x3217, {2, 1}, kFm, 9}, 18},
        {"0x3560 below 1.4.3", {0x3560, {1, 4, 0, 2}}, 2},
        {"0x3560 from 1.4.3", {0x3560, {1, 4, 0, 3}}, 3},
        {"0x3570 below 1.4.3", {0x3570, {1, 4, 0, 2}}, 1},
        {"0x3540", {0x3540, {2, 0}}, 1},
        {"0x3170 below 1.2: Mesh Reach-Out not counted", {0x3170, {1, 1}}, 15},
        {"0x3154 from 1.2: counted 19, layout 18", {0x3154, {1, 2}}, 18},
        {"0x3110 at 1.0", {0x3110, {1, 0}}, 15},
        {"0x3110 at 2.1", {0x3110, {2, 1}}, 17},
        {"0x3110 at 3.0", {0x3110, {3, 0}}, 16},
        {"0x3110 at 3.1, FM shown", {0x3110, {3, 1}, kFm}, 18},
        {"0x3110 at 3.1, FM hidden", {0x3110, {3, 1}, kNoFm}, 17},
        {"0x3110 at 3.4, FM shown", {0x3110, {3, 4}, kFm}, 19},
        {"0x3110 at 3.4, FM hidden", {0x3110, {3, 4}, kNoFm}, 18},
        {"0x3116 below 2.0", {0x3116, {1, 9}}, 17},
        {"0x3116 at 2.0", {0x3116, {2, 0}}, 16},
        {"0x3124 FM shown", {0x3124, {1, 0}, kFm}, 5},
        {"0x3144 FM hidden", {0x3144, {1, 0}, kNoFm}, 4},
        {"0x3142: one counted row", {0x3142, {1, 0}}, 1},
        {"0x3112 at 1.0", {0x3112, {1, 0}}, 15},
        {"0x3112 at 3.0", {0x3112, {3, 0}}, 15},
        {"0x3112 at 3.1", {0x3112, {3, 1}}, 17},
        {"0x3112 at 3.3", {0x3112, {3, 3}}, 17},
        {"0x3114 at 3.3", {0x3114, {3, 3}}, 15},
    };
    for (const CountCase& c : cases) {
        ListCase list(c.in.id, c.in.version);
        apply(list, c.in);
        EXPECT_EQ(numberOfRows(list.in), c.rows) << c.name;
        EXPECT_FALSE(cellForRow(list.in, c.rows).has_value()) << c.name;
    }
}

// ---- which setting stands where ----------------------------------------------------------------------

struct RowCase {
    const char* name;
    Inputs in;
    int32_t row;
    const char* label;
};

TEST(MeshRows, EachRowShowsItsSetting) {
    const RowCase cases[] = {
        {"0x3211 known speaker: boost last", {0x3211, {4, 3}, kNoFm, 3}, 15, "Audio Boost"},
        {"0x3211 accessory: mic", {0x3211, {4, 3}, kNoFm, 8}, 1, "Morrow Tansy Mic"},
        {"0x3211 accessory: speakers", {0x3211, {4, 3}, kNoFm, -1}, 2, "Speakers"},
        {"0x3132 at 1.0 with an accessory: no mic row", {0x3132, {1, 0}, kFm, 8}, 1, "Audio Equalizer"},
        {"0x3132 at 1.1, speaker -1: boost after the equalizer", {0x3132, {1, 1}, kFm, -1}, 4, "Audio Boost"},
        {"0x3215 starts with the headset language", {0x3215, {1, 0}}, 0, "Headset Language"},
        {"0x3215 HD speaker switch", {0x3215, {1, 0}}, 2, "HD Speaker Accessory"},
        {"0x3212 accessory: mic", {0x3212, {1, 2}, kFm, 8}, 1, "Morrow Tansy Mic"},
        {"0x3212 accessory: speakers", {0x3212, {1, 2}, kFm, 8}, 2, "Speakers"},
        {"0x3212 accessory: reach-out last", {0x3212, {1, 2}, kFm, 8}, 19, "Mesh Reach-Out"},
        {"0x3212 known speaker: equalizer second", {0x3212, {1, 2}, kFm, 0}, 1, "Audio Equalizer"},
        {"0x3214 known speaker: assistant after the overlay", {0x3214, {2, 5}, kFm, 0}, 15, "Voice Assistant"},
        {"0x3214 accessory: assistant after the overlay", {0x3214, {2, 5}, kFm, 8}, 17, "Voice Assistant"},
        {"0x3212 group: assistant after HD Voice", {0x3219, {1, 0}, kFm, 0}, 8, "Voice Assistant"},
        {"0x3232 headset language", {0x3232, {1, 0}}, 0, "Headset Language"},
        {"0x3320 advanced features last", {0x3320, {1, 0}}, 15, "Advanced features"},
        {"0x3310 HD speaker switch", {0x3330, {1, 0}}, 1, "HD Speaker Accessory"},
        {"Alvento channel", {0x3560, {1, 4, 0, 3}}, 0, "Channel"},
        {"Alvento volume", {0x3560, {1, 4, 0, 3}}, 1, "Volume"},
        {"Alvento microphone", {0x3570, {1, 4, 0, 3}}, 2, "Microphone sensitivity"},
        {"0x3110 at 1.0: no language", {0x3110, {1, 0}}, 0, "Audio Boost"},
        {"0x3110 at 1.0: guest mode", {0x3110, {1, 0}}, 9, "Guest Mode"},
        {"0x3110 at 2.1: language first", {0x3110, {2, 1}}, 0, "Unit Language"},
        {"0x3110 at 3.0: guest mode gone", {0x3110, {3, 0}}, 11, "VOX Sensitivity"},
        {"0x3110 at 3.1: boost moved to the end", {0x3110, {3, 1}, kFm}, 15, "Audio Boost"},
        {"0x3110 at 3.1: equalizer last shown", {0x3110, {3, 1}, kFm}, 17, "Audio Equalizer"},
        {"0x3110 at 3.4: reach-out last", {0x3110, {3, 4}, kFm}, 18, "Mesh Reach-Out"},
        {"0x3110 at 3.4 without FM: reach-out last", {0x3110, {3, 4}, kNoFm}, 17, "Mesh Reach-Out"},
        {"0x3124 FM guide", {0x3126, {1, 0}, kFm}, 3, "FM Station Guide"},
        {"0x3124 without FM", {0x3126, {1, 0}, kNoFm}, 3, "Voice Command"},
        {"0x3128 channel", {0x3128, {1, 0}}, 0, "Channel Setting"},
        {"0x3800 overlay getter", {0x3800, {1, 0}}, 4, "Mesh Intercom Vox Sensitivity"},
        {"GA4 boost", {0x3112, {3, 1}}, 14, "Audio Boost"},
        {"GA5 speakers", {0x3112, {3, 3}}, 15, "Speakers"},
        {"GA1 first row", {0x3114, {1, 0}}, 0, "Audio Boost"},
    };
    for (const RowCase& c : cases) {
        ListCase list(c.in.id, c.in.version);
        apply(list, c.in);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        EXPECT_EQ(cell->label, c.label) << c.name;
    }
}

TEST(MeshRows, AccessoryRowsAppearOnlyWithAPartnerAccessory) {
    for (int32_t speaker : {0, 7}) {
        ListCase list(0x3212, {1, 2});
        list.speaker(speaker);
        const auto labels = labelsShown(list);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), "Morrow Tansy Mic"), 0) << speaker;
        EXPECT_EQ(std::count(labels.begin(), labels.end(), "Speakers"), 0) << speaker;
    }
    ListCase old(0x3132, {1, 0});
    old.speaker(8);
    const auto labels = labelsShown(old);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "Morrow Tansy Mic"), 0);
}

// Rows past the count are never shown; their kinds still read the right getter and label.
TEST(MeshRows, LayoutRowsPastTheCountKeepTheirOwnLabels) {
    ListCase list(0x3142);
    const Layout* layout = chooseLayout(list.in);
    ASSERT_NE(layout, nullptr);
    ASSERT_EQ(layout->rows.size(), 7u);
    list.dataCurrent.SetBasicSettingGESSAAudioOverlaySensitivity(3);
    const CellDescription microphone = describe(*layout->rows[4], list.in);
    EXPECT_EQ(microphone.label, "Microphone sensitivity");
    EXPECT_EQ(microphone.items.at(static_cast<size_t>(microphone.selectedItem)), "3");
    EXPECT_EQ(describe(*layout->rows[5], list.in).label, "FM Radio");
    EXPECT_EQ(describe(*layout->rows[6], list.in).label, "Smartphone Connection");
}

// ---- pop-ups -------------------------------------------------------------------------------------------------

struct PopUpCase {
    const char* name;
    Inputs in;
    int32_t row;
    void (*set)(Record&);
    const char* selected;  // nullptr: none
    const char* first;
    size_t items;
};

TEST(MeshRows, PopUpsOfferAndSelectTheirItems) {
    const PopUpCase cases[] = {
        {"0x3132 at 1.0: plain equalizer whatever the accessory", {0x3132, {1, 0}, kFm, 8}, 1,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); r.SetBasicSetting50Equalizer(2); }, "Bass Boost", "Off", 5},
        {"0x3211 known speaker: accessory 1 gives partner presets", {0x3211, {4, 3}, kNoFm, 3}, 1,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(-7); }, "Music Balance", "Music Balance", 5},
        {"0x3211 accessory: accessory 9 gives partner presets", {0x3211, {4, 3}, kNoFm, 8}, 3,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, "Music Balance", "Music Balance", 5},
        {"0x321A speakers value 10: third model", {0x321A, {1, 2}, kFm, 8}, 2,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(2); }, "Morrow Tansy Speakers - P.Dune",
         "Morrow Tansy - P.Reef3 Speakers", 3},
        {"0x3216 speakers value 9", {0x3216, {1, 2}, kFm, 8}, 2,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, "Morrow Tansy Speakers", "Orva HD Speakers", 2},
        {"0x3232 always partner presets", {0x3233, {1, 0}}, 1, [](Record& r) { r.SetBasicSetting50Equalizer(0); },
         "Music Balance", "Music Balance", 5},
        {"0x3156 always partner presets", {0x3240, {1, 0}}, 1, [](Record& r) { r.SetBasicSetting50Equalizer(4); },
         "Treble Boost", "Music Balance", 5},
        {"0x3170 language 9", {0x3170, {1, 2}}, 0, [](Record& r) { r.SetBasicSettingZANDRELUnitLanguage(9); }, "Czech",
         "English", 11},
        {"0x3170 language 10", {0x3170, {1, 2}}, 0, [](Record& r) { r.SetBasicSettingZANDRELUnitLanguage(10); },
         "Brazilian Portuguese", "English", 11},
        {"0x3170 language 8", {0x3170, {1, 2}}, 0, [](Record& r) { r.SetBasicSettingZANDRELUnitLanguage(8); }, "Korean",
         "English", 11},
        {"0x3320 languages by pack", {0x3320, {1, 0}}, 0, [](Record&) {}, "English", "English", 11},
        {"Alvento volume 8", {0x3560, {1, 4, 0, 3}}, 1, [](Record& r) { r.setBasicSettingAlventoVolume(1, 8); }, "1", "1", 5},
        {"Alvento volume 12", {0x3560, {1, 4, 0, 3}}, 1, [](Record& r) { r.setBasicSettingAlventoVolume(1, 12); }, "5", "1", 5},
        {"Alvento volume 7: none", {0x3560, {1, 4, 0, 3}}, 1, [](Record& r) { r.setBasicSettingAlventoVolume(1, 7); },
         nullptr, "1", 5},
        {"Alvento volume reads its own word", {0x3560, {1, 4, 0, 3}}, 1,
         [](Record& r) { r.setBasicSettingAlventoVolume(0, 12); r.setBasicSettingAlventoVolume(1, 9); }, "2", "1", 5},
        {"Alvento microphone reads word 2", {0x3560, {1, 4, 0, 3}}, 2,
         [](Record& r) { r.setBasicSettingAlventoMicrophone(2, 10); }, "3", "1", 5},
        {"Alvento channel 1", {0x3500, {1, 0}}, 0, [](Record& r) { r.setBasicSettingAlventoChannel(0, 1); }, "Channel 1",
         "Channel 1", 9},
        {"Alvento channel 9", {0x3500, {1, 0}}, 0, [](Record& r) { r.setBasicSettingAlventoChannel(0, 9); }, "Channel 9",
         "Channel 1", 9},
        {"0x3128 channel 1", {0x3128, {1, 0}}, 0, [](Record& r) { r.SetBasicSettingPEMVIKPumeliMeshPublicChannel(1); },
         "CH 1 (Common)", "CH 1 (Common)", 9},
        {"0x3128 channel 9", {0x3128, {1, 0}}, 0, [](Record& r) { r.SetBasicSettingPEMVIKPumeliMeshPublicChannel(9); },
         "CH 9", "CH 1 (Common)", 9},
        {"GA5 Tamber 1: partner presets", {0x3112, {3, 3}}, 16,
         [](Record& r) { r.SetBasicSettingTamberSpeakerAccessorySelect(1); }, "Music Balance", "Music Balance", 5},
        {"GA5 Tamber 2: plain presets", {0x3112, {3, 3}}, 16,
         [](Record& r) { r.SetBasicSettingTamberSpeakerAccessorySelect(2); }, "Off", "Off", 5},
        {"GA5 speakers 2", {0x3112, {3, 3}}, 15, [](Record& r) { r.SetBasicSettingTamberSpeakerAccessorySelect(2); },
         "Orva HD Speakers", "Basic Speakers", 3},
        {"GESSA VOX sensitivity 3", {0x3114, {1, 0}}, 10, [](Record& r) { r.SetBasicSettingGESSAVoxSensitivity(3); }, "3",
         "1", 5},
        {"GESSA smart volume 0", {0x3114, {1, 0}}, 11, [](Record& r) { r.SetBasicSettingGESSAAGCSensitivity(0); },
         "Disable", "Disable", 4},
    };
    for (const PopUpCase& c : cases) {
        ListCase list(c.in.id, c.in.version);
        apply(list, c.in);
        c.set(list.dataCurrent);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        ASSERT_EQ(cell->kind, CellKind::PopUp) << c.name;
        ASSERT_EQ(cell->items.size(), c.items) << c.name;
        EXPECT_EQ(cell->items.front(), c.first) << c.name;
        if (!c.selected) {
            EXPECT_EQ(cell->selectedItem, -1) << c.name;
            continue;
        }
        ASSERT_GE(cell->selectedItem, 0) << c.name;
        EXPECT_EQ(cell->items[static_cast<size_t>(cell->selectedItem)], c.selected) << c.name;
    }
}

TEST(MeshRows, LanguagePackChoosesTheCelvarLanguages) {
    ListCase list(0x3310);
    list.data.setDevicelanguagePackType(2);
    const auto items = cellForRow(list.in, 0)->items;
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items.front(), "Russian");
    EXPECT_EQ(items.back(), "Greek");
}

TEST(MeshRows, AlventoRowsHaveNoInformationButtons) {
    ListCase list(0x3570, {1, 4, 0, 3});
    for (int32_t row = 0; row < 3; ++row) EXPECT_FALSE(cellForRow(list.in, row)->infoShown) << row;
    ListCase mesh(0x3260);
    EXPECT_TRUE(cellForRow(mesh.in, 0)->infoShown);
}

// ---- greyed-out controls -------------------------------------------------------------------------------------

struct EnableCase {
    const char* name;
    Inputs in;
    int32_t row;
    void (*set)(Record&);
    bool enabled;
};

TEST(MeshRows, DependentControlsFollowTheSettingThatRulesThem) {
    const EnableCase cases[] = {
        {"0x3215 boost with the HD speakers", {0x3215, {1, 0}, kFm, 0, 1}, 1,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(1); }, false},
        {"0x3215 HD speaker switch with status 1", {0x3215, {1, 0}, kFm, 0, 1}, 2,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(1); }, false},
        {"0x3215 equalizer with the HD speakers", {0x3215, {1, 0}, kFm, 0, 1}, 3,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(1); }, true},
        {"0x3215 boost without them", {0x3215, {1, 0}}, 1, [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(0); }, true},
        {"0x3215 HD speaker switch with status 0", {0x3215, {1, 0}}, 2, [](Record&) {}, true},
        {"0x3215 equalizer without them", {0x3215, {1, 0}}, 3, [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(0); }, false},
        {"0x3211 last boost with accessory 8", {0x3211, {4, 3}, kNoFm, 3}, 15,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, false},
        {"0x3211 last boost with accessory 9", {0x3211, {4, 3}, kNoFm, 3}, 15,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, true},
        {"0x3132 accessory boost, 8, at 1.3", {0x3132, {1, 3}, kFm, 8}, 4,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, false},
        {"0x3132 accessory boost, 8, at 1.4", {0x3132, {1, 4}, kFm, 8}, 4,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, true},
        {"0x3210 accessory boost, 8, at 2.2: no version rule", {0x3210, {2, 2}, kFm, -1}, 4,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, false},
        {"0x3212 accessory boost, 8: plain", {0x3212, {1, 2}, kFm, 8}, 4,
         [](Record& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, true},
        {"0x3310 equalizer without Celvar speakers", {0x3310, {1, 0}}, 2,
         [](Record& r) { r.SetBasicSettingCelvarHDSpeakerAccessory(0); }, false},
        {"0x3310 equalizer with Celvar speakers", {0x3310, {1, 0}}, 2,
         [](Record& r) { r.SetBasicSettingCelvarHDSpeakerAccessory(1); }, true},
        {"0x3110 at 1.0: HD Intercom always", {0x3110, {1, 0}}, 3, [](Record& r) { r.SetBasicSettingGESSAAudioOverlay(1); }, true},
        {"0x3110 at 1.1: HD Intercom off while multitasking", {0x3110, {1, 1}}, 4,
         [](Record& r) { r.SetBasicSettingGESSAAudioOverlay(1); }, false},
        {"0x3118 HD Intercom off while multitasking", {0x3118, {1, 0}}, 3,
         [](Record& r) { r.SetBasicSettingGESSAAudioOverlay(1); }, false},
        {"0x3110 at 3.4: HD speaker switch with status 1", {0x3110, {3, 4}, kFm, 0, 1}, 16, [](Record&) {}, false},
        {"0x3146 HD speaker switch with status 1: no rule", {0x3146, {1, 0}, kFm, 0, 1}, 16, [](Record&) {}, true},
        {"0x3110 at 3.1: equalizer only with the HD speakers", {0x3110, {3, 1}, kFm}, 17,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(1); }, true},
        {"0x3146: boost off with the HD speakers", {0x3146, {1, 0}}, 15,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(1); }, false},
        {"GA1: HD Intercom always", {0x3112, {1, 0}}, 3, [](Record& r) { r.SetBasicSettingGESSAAudioOverlay(1); }, true},
        {"GA4: HD speakers disable the boost", {0x3112, {3, 1}}, 14,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(1); }, false},
        {"GA4: no HD speakers disable the equalizer", {0x3112, {3, 1}}, 16,
         [](Record& r) { r.SetBasicSettingGESSAHDSpeakerAccessory(0); }, false},
        {"GA5: Tamber 2 disables the boost", {0x3112, {3, 3}}, 14,
         [](Record& r) { r.SetBasicSettingTamberSpeakerAccessorySelect(2); }, false},
        {"GA5: Tamber 2 enables the equalizer", {0x3112, {3, 3}}, 16,
         [](Record& r) { r.SetBasicSettingTamberSpeakerAccessorySelect(2); }, true},
        {"GA5: Tamber 0 disables the equalizer", {0x3112, {3, 3}}, 16,
         [](Record& r) { r.SetBasicSettingTamberSpeakerAccessorySelect(0); }, false},
    };
    for (const EnableCase& c : cases) {
        ListCase list(c.in.id, c.in.version);
        apply(list, c.in);
        c.set(list.dataCurrent);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        EXPECT_EQ(cell->enabled, c.enabled) << c.name;
    }
}

// ---- log lines -------------------------------------------------------------------------------------------------

TEST(MeshRows, LayoutsChosenBySpeakerTypeLogIt) {
    ListCase accessory(0x3217, {2, 1});
    accessory.speaker(-3);
    accessory.data.SetBasicSetting50SpeakerAccessorySelect(1);
    accessory.dataCurrent.SetBasicSetting50SpeakerAccessorySelect(0);
    EXPECT_EQ(cellForRow(accessory.in, 3)->logLines,
              (std::vector<std::string>{"SAVANA -3", "speaker value =[9], curr[8]"}));
    EXPECT_EQ(cellForRow(accessory.in, 0)->logLines, std::vector<std::string>{"SAVANA -3"});
    ListCase single(0x3232);
    EXPECT_TRUE(cellForRow(single.in, 1)->logLines.empty());
}

}  // namespace mesh_rows
