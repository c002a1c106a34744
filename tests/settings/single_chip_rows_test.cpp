// The later single-chip headsets' rows as a user of the sheet sees them: counts per model, band and
// FM option, the rows that come and go, the level texts, the ESS pop-ups and the rows that the
// audio overlay greys out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ListFixture.h"
#include "settings/AllSettingsList.h"

// Named, so that its helpers stay apart from those of the files it is compiled with.
namespace single_chip_rows {

using namespace settings;
using settings::testing::ListCase;
using settings::testing::Version;
using Record = device::ORVABluetoothDeviceData;

constexpr int32_t kFm = 3, kNoFm = 4;

std::vector<std::string> labelsShown(const ListCase& list) {
    std::vector<std::string> labels;
    for (int32_t row = 0; row < numberOfRows(list.in); ++row) labels.push_back(cellForRow(list.in, row)->label);
    return labels;
}

bool shows(const ListCase& list, const std::string& label) {
    const auto labels = labelsShown(list);
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

// ---- rows shown ---------------------------------------------------------------------------------------------

struct CountCase {
    const char* name;
    uint16_t id;
    Version version;
    int32_t fm;
    int32_t rows;
    const char* first;         // label of row 0
    const char* fmGuide;       // "yes" / "no": whether "FM Station Guide" is among the rows; nullptr to skip
};

TEST(SingleChipRows, RowsShownFollowModelBandAndFmOption) {
    const CountCase cases[] = {
        {"0x5710 at 1.1: bound 1.2", 0x5710, {1, 1}, kFm, 8, "Audio Boost", "no"},
        {"0x5710 at 1.2", 0x5710, {1, 2}, kFm, 9, "Audio Boost", "yes"},
        {"0x5910 at 1.1: bound 1.1", 0x5910, {1, 1}, kFm, 9, "Audio Boost", "yes"},
        {"0x5920 at 1.0", 0x5920, {1, 0}, kFm, 8, "Audio Boost", "no"},
        {"0x5623 at 1.0 shares the first layout", 0x5623, {1, 0}, kFm, 8, "Audio Boost", "no"},
        {"0x5623 at 1.1", 0x5623, {1, 1}, kFm, 9, "Audio Boost", "no"},
        {"0x5623 at 2.0", 0x5623, {2, 0}, kFm, 11, "Audio Boost", nullptr},
        {"0x5622 at 2.0", 0x5622, {2, 0}, kFm, 12, "Audio Boost", "yes"},
        {"0x5624 at 2.0", 0x5624, {2, 0}, kFm, 10, "Audio Boost", "no"},
        {"0x5624 at 1.0", 0x5624, {1, 0}, kFm, 8, "Audio Boost", nullptr},
        {"0x3050 without FM at 1.4", 0x3050, {1, 4}, kNoFm, 1, "Voice Prompt", "no"},
        {"0x3050 without FM at 1.3", 0x3050, {1, 3}, kNoFm, 2, "Voice Prompt", "no"},
        {"0x3050 with FM at 1.4", 0x3050, {1, 4}, kFm, 2, "Voice Prompt", "yes"},
        {"0x3050 with FM at 1.3", 0x3050, {1, 3}, kFm, 3, "Voice Prompt", "yes"},
        {"0x3032 with FM", 0x3032, {1, 0}, kFm, 3, "Voice Prompt", "yes"},
        {"0x3032 without FM", 0x3032, {1, 0}, kNoFm, 2, "Voice Prompt", "no"},
        {"0x3030 ignores the FM option", 0x3030, {1, 0}, kNoFm, 3, "Voice Prompt", "yes"},
        {"0x5560: one row", 0x5560, {1, 0}, kFm, 1, "FM Station Guide", "yes"},
        {"0x5524 at 1.0", 0x5524, {1, 0}, kFm, 4, "Audio Boost", "no"},
        {"0x5524 at 2.0", 0x5524, {2, 0}, kFm, 7, "Audio Boost", "yes"},
        {"0x5536 at 3.0", 0x5536, {3, 0}, kFm, 5, "Audio Boost", "yes"},
        {"0x6210 at 2.0", 0x6210, {2, 0}, kFm, 10, "Audio Boost", "yes"},
        {"0x6400", 0x6400, {1, 0}, kFm, 11, "Audio Boost", "yes"},
        {"0x5526 at 1.9", 0x5526, {1, 9}, kFm, 10, "Audio Boost", "yes"},
        {"0x5720 at 2.0", 0x5720, {2, 0}, kFm, 10, "Audio Boost", "yes"},
        {"0x5412 at 1.0 with FM", 0x5412, {1, 0}, kFm, 12, "Audio Boost", "yes"},
        {"0x5412 at 1.0 without FM", 0x5412, {1, 0}, kNoFm, 12, "Audio Boost", "yes"},
        {"0x5412 at 1.1 without FM", 0x5412, {1, 1}, kNoFm, 12, "Audio Boost", "no"},
        {"0x5412 at 1.1 with FM", 0x5412, {1, 1}, kFm, 13, "Audio Boost", "yes"},
        {"0x5418 without FM", 0x5418, {1, 0}, kNoFm, 12, "Audio Boost", "no"},
        {"0x5416 at 1.0", 0x5416, {1, 0}, kFm, 11, "Audio Boost", "yes"},
        {"0x5416 at 1.1", 0x5416, {1, 1}, kFm, 12, "Audio Boost", "yes"},
        {"0x5416 at 1.2", 0x5416, {1, 2}, kFm, 13, "Audio Boost", "yes"},
        {"0x5410 at 1.9", 0x5410, {1, 9}, kFm, 8, "Audio Boost", "no"},
        {"0x5420", 0x5420, {1, 0}, kFm, 13, "Audio Boost", "yes"},
        {"0x6012 at 1.2", 0x6012, {1, 2}, kFm, 12, "Smart Navi System", nullptr},
        {"0x6016 at 1.1", 0x6016, {1, 1}, kFm, 9, "Audio Boost", nullptr},
        {"0x6034", 0x6034, {1, 0}, kFm, 13, "Audio Multitasking", nullptr},
        {"0x6036", 0x6036, {1, 0}, kFm, 11, "Audio Multitasking", nullptr},
        {"0x6018 at 0.9", 0x6018, {0, 9}, kFm, 9, "Audio Boost", nullptr},
        {"0x6018 at 1.0", 0x6018, {1, 0}, kFm, 9, "Audio Boost", nullptr},
        {"0x6018 at 1.1", 0x6018, {1, 1}, kFm, 10, "Smart Navi System", nullptr},
        {"0x6018 at 2.0", 0x6018, {2, 0}, kFm, 10, "Smart Navi System", nullptr},
        {"0x6026 at 0.1", 0x6026, {0, 1}, kFm, 10, "Smart Navi System", nullptr},
        {"0x6022", 0x6022, {1, 0}, kFm, 6, "Smart Navi System", nullptr},
    };
    for (const CountCase& c : cases) {
        ListCase list(c.id, c.version);
        list.fm(c.fm);
        EXPECT_EQ(numberOfRows(list.in), c.rows) << c.name;
        EXPECT_FALSE(cellForRow(list.in, c.rows).has_value()) << c.name;
        ASSERT_TRUE(cellForRow(list.in, 0).has_value()) << c.name;
        EXPECT_EQ(cellForRow(list.in, 0)->label, c.first) << c.name;
        if (c.fmGuide) {
            EXPECT_EQ(shows(list, "FM Station Guide"), std::string(c.fmGuide) == "yes") << c.name;
        }
    }
}

TEST(SingleChipRows, LaterArvanesAndArvanexShowTheSameRows) {
    ListCase arvanes(0x6018, {1, 5}), arvanex(0x6026, {0, 1});
    EXPECT_EQ(labelsShown(arvanes), labelsShown(arvanex));
    ListCase early(0x6018, {1, 0});
    auto later = labelsShown(arvanes);
    later.erase(later.begin());
    EXPECT_EQ(labelsShown(early), later);
}

struct RowCase {
    const char* name;
    uint16_t id;
    Version version;
    int32_t fm;
    int32_t row;
    const char* label;
};

TEST(SingleChipRows, EachRowShowsItsSetting) {
    const RowCase cases[] = {
        {"0x3032 without FM: noise control second", 0x3032, {1, 0}, kNoFm, 1, "Advanced Noise Control™"},
        {"CB2 FM guide inserted", 0x5910, {1, 1}, kFm, 5, "FM Station Guide"},
        {"CB3 level VOX sensitivity", 0x5623, {1, 1}, kFm, 4, "VOX Sensitivity"},
        {"CB4 audio multitasking", 0x5623, {2, 0}, kFm, 3, "Audio Multitasking™"},
        {"AR1 audio overlay label", 0x5410, {1, 0}, kFm, 3, "Audio Overlay™"},
        {"AR5 last row", 0x5420, {1, 0}, kFm, 12, "Advanced Noise Control™"},
        {"AR6 source priority", 0x5416, {1, 0}, kFm, 4, "Audio Source Priority"},
        {"WV2 ESS configuration", 0x6012, {1, 2}, kFm, 10, "ESS Configuration"},
        {"WV2 ESS sensitivity", 0x6012, {1, 2}, kFm, 11, "ESS Sensitivity"},
        {"WV5 ESS configuration", 0x6034, {1, 0}, kFm, 11, "ESS Configuration"},
        {"WV6 auto on-off", 0x6028, {1, 0}, kFm, 2, "Auto On-Off"},
        {"ARVANEX last row", 0x6026, {1, 0}, kFm, 9, "Advanced Noise Control™"},
        {"XANDOR VOX sensitivity", 0x6024, {1, 0}, kFm, 2, "VOX Sensitivity"},
    };
    for (const RowCase& c : cases) {
        ListCase list(c.id, c.version);
        list.fm(c.fm);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        EXPECT_EQ(cell->label, c.label) << c.name;
    }
}

// ---- values ---------------------------------------------------------------------------------------------------

struct ValueCase {
    const char* name;
    uint16_t id;
    Version version;
    int32_t row;
    void (*set)(Record&);
    const char* selected;  // pop-ups: the item; on/off rows: "Enable" or "Disable"; nullptr: no item
};

TEST(SingleChipRows, RowsShowTheirValues) {
    const ValueCase cases[] = {
        {"CB3 VOX sensitivity 2", 0x5623, {1, 1}, 4, [](Record& r) { r.setBasicSettingBELMORAVOXSensitivity(0, 2); }, "Medium"},
        {"CB3 VOX sensitivity 0: none", 0x5623, {1, 1}, 4, [](Record& r) { r.setBasicSettingBELMORAVOXSensitivity(0, 0); }, nullptr},
        {"YM1 VOX sensitivity 1", 0x6400, {1, 0}, 7, [](Record& r) { r.setBasicSettingBELMORAVOXSensitivity(0, 1); }, "Low"},
        {"BL1 VOX sensitivity 5", 0x5720, {1, 0}, 4, [](Record& r) { r.setBasicSettingBELMORAVOXSensitivity(0, 5); }, "5"},
        {"CB5 smart volume 0", 0x5622, {1, 0}, 1, [](Record& r) { r.setBasicSettingYELVARSmartVolumeControl(0, 0); }, "Disable"},
        {"CB5 smart volume 3", 0x5622, {1, 0}, 1, [](Record& r) { r.setBasicSettingYELVARSmartVolumeControl(0, 3); }, "High"},
        {"XANDOR VOX sensitivity 3", 0x6020, {1, 0}, 2, [](Record& r) { r.setBasicSettingBELMORAVOXSensitivity(0, 3); }, "3"},
        {"XANDOR VOX sensitivity 6: none", 0x6020, {1, 0}, 2, [](Record& r) { r.setBasicSettingBELMORAVOXSensitivity(0, 6); }, nullptr},
        {"ESS configuration 0", 0x6010, {1, 0}, 9, [](Record& r) { r.setEssStatus(0); }, "ESS LIGHT"},
        {"ESS configuration 1", 0x6010, {1, 0}, 9, [](Record& r) { r.setEssStatus(1); }, "Headlight + ESS"},
        {"ESS configuration 3", 0x6010, {1, 0}, 9, [](Record& r) { r.setEssStatus(3); }, "Disabled function"},
        {"ESS sensitivity 0", 0x6034, {1, 0}, 12, [](Record& r) { r.setEssSensitivity(0); }, "Medium"},
        {"ESS sensitivity 3", 0x6034, {1, 0}, 12, [](Record& r) { r.setEssSensitivity(3); }, "High"},
        {"voice prompt 0 enables", 0x6026, {1, 0}, 6, [](Record& r) { r.setVoicePrompt(0); }, "Enable"},
        {"sidetone 0 disables", 0x6026, {1, 0}, 8, [](Record& r) { r.setSidetone(0); }, "Disable"},
        {"audio boost 0 enables", 0x5710, {1, 0}, 0, [](Record& r) { r.setAudioBoost(0); }, "Enable"},
        {"noise control 1 disables", 0x5710, {1, 0}, 7, [](Record& r) { r.setAdvancedNoiseControl(1); }, "Disable"},
        {"smart navi 1 enables", 0x6014, {1, 2}, 0, [](Record& r) { r.setSmartNaviSystem(1); }, "Enable"},
    };
    for (const ValueCase& c : cases) {
        ListCase list(c.id, c.version);
        c.set(list.dataCurrent);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        if (cell->kind == CellKind::OnOff) {
            ASSERT_NE(c.selected, nullptr) << c.name;
            EXPECT_EQ(cell->selectedColumn == 0 ? cell->enableTitle : cell->disableTitle, c.selected) << c.name;
            continue;
        }
        if (!c.selected) {
            EXPECT_EQ(cell->selectedItem, -1) << c.name;
            continue;
        }
        ASSERT_GE(cell->selectedItem, 0) << c.name;
        EXPECT_EQ(cell->items[static_cast<size_t>(cell->selectedItem)], c.selected) << c.name;
    }
}

// ---- greyed-out controls --------------------------------------------------------------------------------------

struct EnableCase {
    const char* name;
    uint16_t id;
    Version version;
    int32_t row;
    int32_t audioOverlay;
    bool enabled;
};

TEST(SingleChipRows, AudioOverlayOfOneGreysOutTheRowsItRules) {
    const EnableCase cases[] = {
        {"CB7 source priority, overlay 1", 0x5622, {2, 0}, 5, 1, false},
        {"CB7 HD voice, overlay 2", 0x5622, {2, 0}, 6, 2, true},
        {"CB7 HD intercom, overlay 1", 0x5622, {2, 0}, 7, 1, false},
        {"CB8 HD intercom without the overlay row", 0x5624, {2, 0}, 6, 1, false},
        {"CB1 HD intercom is plain", 0x5710, {1, 0}, 3, 1, true},
        {"RV3 HD voice, overlay 1", 0x5524, {2, 0}, 3, 1, false},
        {"AR2 HD voice, overlay 1", 0x5410, {1, 9}, 4, 1, false},
        {"AR2 HD voice, overlay 0", 0x5410, {1, 9}, 4, 0, true},
        {"AR6 source priority stays open", 0x5416, {1, 0}, 4, 1, true},
        {"AR6 HD intercom stays open", 0x5416, {1, 0}, 5, 1, true},
        {"AR4 HD intercom, overlay 1", 0x5416, {1, 1}, 6, 1, false},
        {"WV6 HD intercom, overlay 1", 0x6036, {1, 0}, 6, 1, false},
        {"WV1 HD intercom is plain", 0x6010, {1, 0}, 3, 1, true},
        {"ESS configuration always open", 0x6034, {1, 0}, 11, 1, true},
    };
    for (const EnableCase& c : cases) {
        ListCase list(c.id, c.version);
        list.dataCurrent.setAudioOverlay(c.audioOverlay);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        EXPECT_EQ(cell->enabled, c.enabled) << c.name;
    }
}

}  // namespace single_chip_rows
