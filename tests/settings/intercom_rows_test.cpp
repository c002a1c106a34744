// The HID intercom models: rows by product id, FM option and firmware band, the rows tied to Audio
// Multitasking, their language and step pop-ups, and the equalizer whose field is unknown.
#include <gtest/gtest.h>

#include "RowExpect.h"
#include "settings/RowLayouts.h"

namespace {

using namespace settings;
using namespace settings::testing;

constexpr CaseSetup kNoFm = [](ListCase& c) { c.fm(4); };

TEST(IntercomRows, IdsFmAndFirmwarePickTheRowsShown) {
    const ShownRows cases[] = {
        {"0x5534 without FM", 0x5534, {1, 0}, kNoFm, 11, {"Sidetone", "Advanced Noise Control™"}},
        {"0x5538 with FM", 0x5538, {1, 0}, nullptr, 12, {"FM Station Guide", "Sidetone", "Advanced Noise Control™"}},
        {"0x4023 at 2.2: five counted, five rows", 0x4023, {2, 2}, nullptr, 5},
        {"0x4023 at 2.3", 0x4023, {2, 3}, nullptr, 6},
        {"0x3085", 0x3085, {1, 0}, nullptr, 2, {"Headset Language", "Voice Prompt"}},
        {"0x5630: one row, no empty ones", 0x5630, {1, 0}, nullptr, 1, {"Intercom-audio Overlay Sensi..."}},
        {"0x5632", 0x5632, {1, 0}, nullptr, 1},
        {"0x6038", 0x6038, {1, 0}, nullptr, 11, {"Language"}},
        {"0x6042", 0x6042, {1, 0}, nullptr, 11, {"AUTO OFF", "VOX Sensitivity"}},
        {"0x3070 without FM", 0x3070, {1, 0}, kNoFm, 3, {"Unit Language", "Voice Prompt", "Sidetone"}},
        {"0x3070 with FM", 0x3070, {1, 0}, nullptr, 4, {"FM Station Guide", "Sidetone"}},
        {"0x5591 with FM: ten counted", 0x5591, {1, 0}, nullptr, 10, {"FM Station Guide"}},
        {"0x5591 without FM", 0x5591, {1, 0}, kNoFm, 9, {"Voice Prompt"}},
        {"0x5597 with FM", 0x5597, {1, 0}, nullptr, 10},
        {"0x6461", 0x6461, {1, 0}, nullptr, 2, {"Background Volume", "Audio Multitasking™"}},
        {"0x5564", 0x5564, {1, 0}, nullptr, 1, {"Unit Language"}},
        {"0x4050", 0x4050, {1, 0}, nullptr, 1},
        {"0x6310", 0x6310, {1, 0}, nullptr, 2},
        {"0x3410", 0x3410, {1, 0}, nullptr, 12, {"VOX Sensitivity", "Audio Equalizer"}},
        {"0x5441", 0x5441, {1, 0}, nullptr, 11, {"VOX Sensitivity"}},
        {"0x5520 at 1.0", 0x5520, {1, 0}, nullptr, 8},
        {"0x5520 at 1.1", 0x5520, {1, 1}, nullptr, 9},
        {"0x5520 at 1.3", 0x5520, {1, 3}, nullptr, 10},
        {"0x5520 at 2.0 with FM", 0x5520, {2, 0}, nullptr, 12},
        {"0x5520 at 2.0 without FM", 0x5520, {2, 0}, kNoFm, 11},
        {"0x5530 at 1.3", 0x5530, {1, 3}, nullptr, 8},
        {"0x5530 at 1.4", 0x5530, {1, 4}, nullptr, 10},
        {"0x5530 at 2.0 without FM", 0x5530, {2, 0}, kNoFm, 10},
        {"0x5532 whatever the firmware", 0x5532, {9, 9}, nullptr, 10},
        {"0x5550 at 1.1", 0x5550, {1, 1}, nullptr, 6},
        {"0x5550 at 1.2", 0x5550, {1, 2}, nullptr, 5},
        {"0x5550 at 2.0", 0x5550, {2, 0}, nullptr, 7},
        {"0x5611 below 1.1", 0x5611, {1, 0}, nullptr, 7},
        {"0x5621 at 2.0", 0x5621, {2, 0}, nullptr, 11},
        {"0x5424 group with FM", 0x5434, {1, 0}, nullptr, 14, {"FM Station Guide", "Sidetone", "Advanced Noise Control™"}},
        {"0x5424 group without FM", 0x5428, {1, 0}, kNoFm, 13, {"Voice Prompt", "Sidetone", "Advanced Noise Control™"}},
        {"0x5426 without FM", 0x5426, {1, 0}, kNoFm, 12},
        {"0x3161", 0x3161, {1, 0}, nullptr, 3, {"Channel Select", "Unit Language", "Remote UI RTT"}},
        {"0x3150 without FM", 0x3150, {1, 0}, kNoFm, 2},
    };
    for (const ShownRows& c : cases) expectShown(c);
}

TEST(IntercomRows, RowsStandWhereTheirLayoutPutsThem) {
    const RowShows cases[] = {
        {"0x4023 at 2.3 row 1", 0x4023, {2, 3}, nullptr, 1, "Audio Multitasking™"},
        {"0x4023 at 2.2 row 1", 0x4023, {2, 2}, nullptr, 1, "HD Voice"},
        {"0x3340 leads with the HD speaker", 0x3340, {1, 0}, nullptr, 0, "HD Speaker Accessory"},
        {"0x3341 leads with the equalizer", 0x3341, {1, 0}, nullptr, 0, "Audio Equalizer"},
        {"0x3340 row 8", 0x3340, {1, 0}, nullptr, 8, "Unit Language"},
        {"0x3085 row 2", 0x3085, {1, 0}, nullptr, 2, nullptr},
        {"0x5520 at 1.0 row 8", 0x5520, {1, 0}, nullptr, 8, nullptr},
        {"0x5520 at 1.0 row 3", 0x5520, {1, 0}, nullptr, 3, "VOX Sensitivity"},
        {"0x5520 at 1.1 row 3", 0x5520, {1, 1}, nullptr, 3, "HD Intercom"},
        {"0x5520 at 1.3 row 6", 0x5520, {1, 3}, nullptr, 6, "FM Station Guide"},
        {"0x5530 at 1.3 row 3", 0x5530, {1, 3}, nullptr, 3, "HD Intercom"},
        {"0x5530 at 1.4 row 3", 0x5530, {1, 4}, nullptr, 3, "HD Voice"},
        {"0x5530 at 1.4 row 4", 0x5530, {1, 4}, nullptr, 4, "HD Intercom"},
        {"0x5550 at 1.1 row 1", 0x5550, {1, 1}, nullptr, 1, "HD Intercom"},
        {"0x5550 at 1.2 row 1", 0x5550, {1, 2}, nullptr, 1, "Voice Prompt"},
        {"0x5424 group with FM row 11", 0x5424, {1, 0}, nullptr, 11, "FM Station Guide"},
    };
    for (const RowShows& c : cases) expectRow(c);
    ListCase older(0x5530, {1, 3});
    for (int32_t row = 0; row < numberOfRows(older.in); ++row) EXPECT_NE(cellForRow(older.in, row)->label, "HD Voice") << row;
}

TEST(IntercomRows, TiedRowsFollowAudioMultitaskingAndPlainOnesDoNot) {
    constexpr CaseSetup kOverlay = [](ListCase& c) { c.dataCurrent.setAudioOverlay(1); };
    const RowShows cases[] = {
        {"source priority", 0x5534, {1, 0}, kOverlay, 4, "Audio Source Priority", nullptr, Tri::No},
        {"HD Voice", 0x5534, {1, 0}, kOverlay, 5, "HD Voice", nullptr, Tri::No},
        {"tied HD Intercom", 0x5534, {1, 0}, kOverlay, 6, "HD Intercom", nullptr, Tri::No},
        {"tied HD Intercom, multitasking off", 0x5534, {1, 0}, nullptr, 6, "HD Intercom", nullptr, Tri::Yes},
        {"0x6038 tied HD Intercom", 0x6038, {1, 0}, kOverlay, 1, "HD Intercom", nullptr, Tri::No},
        {"0x5520 at 1.1: plain HD Intercom", 0x5520, {1, 1}, kOverlay, 3, "HD Intercom", nullptr, Tri::Yes},
        {"0x5520 at 2.0: tied HD Intercom", 0x5520, {2, 0}, kOverlay, 6, "HD Intercom", nullptr, Tri::No},
        {"0x5530 at 1.4: plain HD Voice", 0x5530, {1, 4}, kOverlay, 3, "HD Voice", nullptr, Tri::Yes},
        {"0x5530 at 1.4: plain HD Intercom", 0x5530, {1, 4}, kOverlay, 4, "HD Intercom", nullptr, Tri::Yes},
        {"0x5532: plain HD Voice", 0x5532, {1, 0}, kOverlay, 3, "HD Voice", nullptr, Tri::Yes},
        {"0x5550 at 2.0: HD Voice", 0x5550, {2, 0}, kOverlay, 3, "HD Voice", nullptr, Tri::No},
        {"0x5610 below 2.0: plain HD Intercom", 0x5610, {1, 1}, kOverlay, 3, "HD Intercom", nullptr, Tri::Yes},
    };
    for (const RowShows& c : cases) expectRow(c);
}

TEST(IntercomRows, PopUpsAndSwitchesShowTheirValues) {
    const RowShows cases[] = {
        {"background volume 3", 0x6461, {1, 0}, [](ListCase& c) { c.dataCurrent.setBackgroundVolume(3); }, 0, "Background Volume", "4"},
        {"background volume 0", 0x6491, {1, 0}, nullptr, 0, "Background Volume", "1"},
        {"0x5596 language 1", 0x5596, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingWENDELUnitLanguage(1, 0x5596); }, 1,
         "Headset Language", "Hindi"},
        {"0x5596 language 0", 0x5596, {1, 0}, nullptr, 1, "Headset Language", "English"},
        {"0x3161 channel 0", 0x3161, {1, 0}, nullptr, 0, "Channel Select", "1"},
        {"0x3161 channel 8", 0x3161, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingLenvoraMeshPublicChannel(8); }, 0,
         "Channel Select", "9"},
        {"FENNIC VOX sensitivity 1", 0x3380, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingFENNICVOXSensitivity(1); }, 9,
         "VOX Sensitivity", "1"},
        {"FENNIC VOX sensitivity 5", 0x3701, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingFENNICVOXSensitivity(5); }, 8,
         "VOX Sensitivity", "5"},
        {"BELMORA VOX sensitivity 3", 0x6112, {1, 0}, [](ListCase& c) { c.dataCurrent.setBasicSettingBELMORAVOXSensitivity(0, 3); },
         7, "VOX Sensitivity", "3"},
        {"smart volume 3", 0x5426, {1, 0}, [](ListCase& c) { c.dataCurrent.setBasicSettingYELVARSmartVolumeControl(0, 3); }, 8,
         "Smart Volume Control", "High"},
        {"smart volume 0", 0x5426, {1, 0}, nullptr, 8, "Smart Volume Control", "Disable"},
        {"GALLOW language 2", 0x5553, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingGALLOWUnitLanguage(2, 0x5553); }, 4,
         "Headset Language", "Spanish"},
        {"SULVANE language 4", 0x3150, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingSULVANEUnitLanguage(4); }, 0,
         "Unit Language", "German"},
        {"mesh voice prompt 0 selects enable", 0x3150, {1, 0}, nullptr, 1, "Voice Prompt", "Enable"},
        {"plain voice prompt 1 selects disable", 0x3085, {1, 0}, [](ListCase& c) { c.dataCurrent.setVoicePrompt(1); }, 1,
         "Voice Prompt", "Disable"},
        {"QCC overlay sensitivity 5", 0x5630, {1, 0},
         [](ListCase& c) { c.dataCurrent.SetBasicSettingQCCAudioOverlaySensitivity(5); }, 0, "Intercom-audio Overlay Sensi...", "5"},
        {"Advanced features 1", 0x3420, {1, 0}, [](ListCase& c) { c.dataCurrent.SetBasicSettingUILayer(1); }, 8,
         "Advanced features", "Enable"},
    };
    for (const RowShows& c : cases) expectRow(c);
}

TEST(IntercomRows, RemoteUiRttIsALiteralWithTheInvertedRule) {
    for (int32_t language : {0, 4, 8}) {
        ListCase list(0x3161);
        list.language(language);
        // The getter reads the stored bit inverted: storing 1 makes it read 0.
        list.dataCurrent.SetBasicSettingLenvoraRemoteUIPTT(1);
        ASSERT_EQ(list.dataCurrent.GetBasicSettingLenvoraRemoteUIPTT(), 0);
        auto cell = cellForRow(list.in, 2);
        ASSERT_TRUE(cell.has_value());
        EXPECT_EQ(cell->label, "Remote UI RTT") << language;
        EXPECT_EQ(cell->selectedColumn, 0) << language;
        list.dataCurrent.SetBasicSettingLenvoraRemoteUIPTT(0);
        EXPECT_EQ(cellForRow(list.in, 2)->selectedColumn, 1) << language;
    }
}

TEST(IntercomRows, LanguagePackRowsFollowThePackType) {
    const std::tuple<uint16_t, int32_t, int32_t, const char*> cases[] = {
        {0x3341, 7, 2, "Russian"}, {0x3340, 8, 1, "English"}, {0x3420, 6, 0, "English"}, {0x3430, 6, 2, "Russian"}};
    for (const auto& [id, row, pack, first] : cases) {
        ListCase list(id);
        list.data.setDevicelanguagePackType(pack);
        const auto cell = cellForRow(list.in, row);
        ASSERT_TRUE(cell.has_value()) << std::hex << id;
        EXPECT_EQ(cell->label, "Unit Language") << std::hex << id;
        EXPECT_EQ(cell->items.front(), first) << std::hex << id;
        EXPECT_EQ(cell->items.size(), pack == 0 ? 11u : 10u) << std::hex << id;
    }
}

TEST(IntercomRows, HeadsetLanguageRowLogsItsValue) {
    ListCase list(0x6039);
    list.dataCurrent.setYORRALanguage(4);
    const auto cell = cellForRow(list.in, 10);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->items.at(static_cast<size_t>(cell->selectedItem)), "Spanish");
    EXPECT_EQ(cell->logLines, std::vector<std::string>{"PQPQ # 4"});
}

// No model may offer a pick that the record cannot keep: wherever the equalizer whose field is
// unknown stands, on any input, it shows Off and stays disabled.
TEST(IntercomRows, EqualizerWithoutAKnownFieldIsNeverOffered) {
    int seen = 0;
    for (const LayoutFamily& family : allLayoutFamilies())
        for (const SelectionGroup& group : family.groups)
            for (uint16_t id : group.productIds)
                for (const Version v : {Version{1, 0}, Version{2, 6}, Version{9, 9}})
                    for (int32_t fm : {3, 4})
                        for (int32_t status : {0, 6}) {
                            ListCase list(id, v);
                            list.fm(fm).status(status);
                            list.dataCurrent.setBasicSettingHIDOneModuleHDSpeakerAccessory(1);
                            for (int32_t row = 0; row < numberOfRows(list.in); ++row) {
                                const auto cell = cellForRow(list.in, row);
                                if (cell->rowKind->getter != device::SettingGetter::GetBasicSettingDUNVIKEqualizer) continue;
                                ++seen;
                                EXPECT_FALSE(cell->enabled) << std::hex << id << " row " << row;
                                EXPECT_EQ(cell->selectedItem, 0) << std::hex << id << " row " << row;
                                EXPECT_EQ(cell->items.at(0), "Off") << std::hex << id << " row " << row;
                            }
                        }
    EXPECT_GT(seen, 0);
}

}  // namespace
