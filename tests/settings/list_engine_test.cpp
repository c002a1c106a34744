// The list engine on its own: row counts, which row shows which setting, and what each cell shows,
// as a user of the sheet would see it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListFixture.h"
#include "settings/AllSettingsList.h"
#include "settings/RowCounts.h"
#include "settings/SharedRowKinds.h"

namespace {

using namespace settings;
using settings::testing::ListCase;
using settings::testing::Version;

// ---- counts ------------------------------------------------------------------------------------------

struct CountCase {
    const char* name;
    uint16_t id;
    Version version;
    int32_t fm, speaker, status, motion;
    int32_t counted;
};

TEST(ListEngine, RowCountTableAnswersByIdBandAndOption) {
    const CountCase cases[] = {
        {"unlisted id", 0x6019, {1, 0}, 3, 0, 0, 6, 0},
        {"0x5510 at 2.2", 0x5510, {2, 2}, 3, 0, 0, 6, 23},
        {"0x5510 at 3.0", 0x5510, {3, 0}, 3, 0, 0, 6, 25},
        {"0x3050 without FM at 1.4", 0x3050, {1, 4}, 4, 0, 0, 6, 1},
        {"0x3219 speaker -1", 0x3219, {1, 0}, 3, -1, 0, 6, 20},
        {"0x3219 speaker 8", 0x3219, {1, 0}, 3, 8, 0, 6, 20},
        {"0x3219 speaker 0", 0x3219, {1, 0}, 3, 0, 0, 6, 19},
        {"0x3219 speaker 7", 0x3219, {1, 0}, 3, 7, 0, 6, 19},
        {"0x6804 1.0 secondary 0", 0x6804, {1, 0, 0, 0}, 3, 0, 0, 6, 6},
        {"0x6804 1.0 secondary 1", 0x6804, {1, 0, 0, 1}, 3, 0, 0, 6, 7},
        {"0x4210 status 1 at 2.4", 0x4210, {2, 4}, 3, 0, 1, 6, 13},
        {"0x4210 status 1 at 2.5", 0x4210, {2, 5}, 3, 0, 1, 6, 15},
        {"0x4210 status 0 at 2.2, no FM, motion 6", 0x4210, {2, 2}, 4, 0, 0, 6, 13},
        {"0x4210 status 0 at 2.2, FM, motion 6", 0x4210, {2, 2}, 3, 0, 0, 6, 14},
        {"0x4210 status 0 at 2.2, FM, motion 5", 0x4210, {2, 2}, 3, 0, 0, 5, 15},
        {"0x4210 status 0 below full 2.0 type 2 secondary 3", 0x4210, {2, 0, 2, 2}, 3, 0, 0, 6, 13},
        {"0x4210 status 0 at full 2.0 type 2 secondary 3", 0x4210, {2, 0, 2, 3}, 3, 0, 0, 6, 15},
        {"0x3110 from 3.1 without FM", 0x3110, {3, 1}, 4, 0, 0, 6, 18},
    };
    for (const CountCase& c : cases) {
        ListCase list(c.id, c.version);
        list.fm(c.fm).speaker(c.speaker).status(c.status).motion(c.motion);
        EXPECT_EQ(countedRows(list.in), c.counted) << c.name;
    }
}

// ---- rows shown ---------------------------------------------------------------------------------------

struct ShownCase {
    const char* name;
    uint16_t id;
    Version version;
    int32_t rows;
};

TEST(ListEngine, ShowsTheSmallerOfCountAndLayoutSoNoRowIsEmpty) {
    const ShownCase cases[] = {
        {"0x6814 at 1.3.1", 0x6814, {1, 3, 0, 1}, 2},
        {"0x6814 at 1.3.2", 0x6814, {1, 3, 0, 2}, 3},
        {"0x6831 at 1.3.1", 0x6831, {1, 3, 0, 1}, 2},
        {"0x6831 at 1.3.2", 0x6831, {1, 3, 0, 2}, 3},
        {"0x6824", 0x6824, {1, 0}, 2},
        {"0x6828", 0x6828, {1, 0}, 0},
        {"0x6A01", 0x6A01, {1, 0}, 0},
        {"0x6812 below 1.0.4", 0x6812, {1, 0, 0, 3}, 6},
        {"0x6812 at 1.0.4", 0x6812, {1, 0, 0, 4}, 7},
        {"0x6800 below 1.2", 0x6800, {1, 1}, 7},
        {"0x6800 at 1.2", 0x6800, {1, 2}, 8},
        {"0x6805", 0x6805, {9, 0}, 7},
        {"0x6804 at 1.0.1: counted 7, four layout rows", 0x6804, {1, 0, 0, 1}, 4},
        {"0x6838", 0x6838, {1, 0}, 9},
        {"0x3052: list set, no rows", 0x3052, {1, 0}, 0},
    };
    for (const ShownCase& c : cases) {
        ListCase list(c.id, c.version);
        EXPECT_EQ(numberOfRows(list.in), c.rows) << c.name;
        EXPECT_FALSE(cellForRow(list.in, c.rows).has_value()) << c.name;
        EXPECT_FALSE(cellForRow(list.in, -1).has_value()) << c.name;
        for (int32_t row = 0; row < c.rows; ++row) EXPECT_TRUE(cellForRow(list.in, row).has_value()) << c.name;
    }
}

// ---- which row shows what -------------------------------------------------------------------------

struct RowCase {
    const char* name;
    uint16_t id;
    int32_t row;
    const char* label;
};

TEST(ListEngine, AirohaAndQccRowsStandInLayoutOrder) {
    const RowCase cases[] = {
        {"0x6801 row 0", 0x6801, 0, "Headset Language"},
        {"0x6801 row 1", 0x6801, 1, "Voice Prompt"},
        {"0x6815 row 0", 0x6815, 0, "Headset Language"},
        {"0x6815 row 1", 0x6815, 1, "Voice Prompt"},
        {"0x6838 last row", 0x6838, 8, "AUTO OFF"},
        {"0x683A last row", 0x683A, 8, "Automatic Power Off"},
        {"0x6804 row 2", 0x6804, 2, "Mesh Intercom Vox Sensitivity"},
        {"0x6806 row 7", 0x6806, 7, "FM Station Guide"},
        {"0x6821 row 6", 0x6821, 6, "Audio Boost"},
        {"0x6510 row 2", 0x6510, 2, "HD Voice"},
    };
    for (const RowCase& c : cases) {
        ListCase list(c.id, {1, 0});
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        EXPECT_EQ(cell->label, c.label) << c.name;
    }
    for (uint16_t id : {0x6801, 0x6815}) {
        ListCase list(id, {1, 0});
        EXPECT_FALSE(cellForRow(list.in, 2).has_value()) << std::hex << id;
    }
    // The two last rows differ in label only: one getter.
    ListCase a(0x6838), b(0x683A);
    EXPECT_EQ(cellForRow(a.in, 8)->rowKind->getter, cellForRow(b.in, 8)->rowKind->getter);
}

struct PopUpCase {
    const char* name;
    uint16_t id;
    int32_t row;
    void (*set)(device::ORVABluetoothDeviceData&);
    const char* selected;  // nullptr: no item selected
};

TEST(ListEngine, PopUpsSelectTheItemTheirMappingGives) {
    const PopUpCase cases[] = {
        {"0x683A language 3", 0x683A, 0, [](auto& r) { r.SetBasicSettingAirohaUnitLanguage(3); }, "江浙沪"},
        {"0x6808 language 1", 0x6808, 0, [](auto& r) { r.SetBasicSettingAirohaVARROUnitLanguage(1); }, "Chinese"},
        {"Airoha VOX Sensitivity 0", 0x6838, 4, [](auto& r) { r.SetBasicSettingAirohaVoxSensitivity(0); }, "1"},
        {"Airoha VOX Sensitivity 1", 0x6838, 4, [](auto& r) { r.SetBasicSettingAirohaVoxSensitivity(1); }, "2"},
        {"QCC VOX Sensitivity 1", 0x6510, 4, [](auto& r) { r.SetBasicSettingQCCVOXSensitivity(1); }, "1"},
        {"QCC overlay sensitivity 5", 0x6500, 6, [](auto& r) { r.SetBasicSettingQCCAudioOverlaySensitivity(5); }, "5"},
        {"Airoha equalizer past the list", 0x6838, 1, [](auto& r) { r.SetBasicSettingAirohaAudioEqualizer(7); }, nullptr},
        {"QCC stored 0 under value - 1", 0x6510, 4, [](auto& r) { r.SetBasicSettingQCCVOXSensitivity(0); }, nullptr},
        {"Airoha language past the eleven", 0x6838, 0, [](auto& r) { r.SetBasicSettingAirohaUnitLanguage(11); }, nullptr},
    };
    for (const PopUpCase& c : cases) {
        ListCase list(c.id, {1, 0});
        c.set(list.dataCurrent);
        const auto cell = cellForRow(list.in, c.row);
        ASSERT_TRUE(cell.has_value()) << c.name;
        ASSERT_EQ(cell->kind, CellKind::PopUp) << c.name;
        if (!c.selected) {
            EXPECT_EQ(cell->selectedItem, -1) << c.name;
            continue;
        }
        ASSERT_GE(cell->selectedItem, 0) << c.name;
        EXPECT_EQ(cell->items[static_cast<size_t>(cell->selectedItem)], c.selected) << c.name;
    }
}

TEST(ListEngine, DialectNamesAreTheSameInEveryLanguage) {
    ListCase list(0x683A);
    const auto english = cellForRow(list.in, 0)->items;
    for (int32_t language = 1; language < 13; ++language) {
        list.language(language);
        EXPECT_EQ(cellForRow(list.in, 0)->items, english) << language;
    }
    EXPECT_EQ(english.size(), 7u);
}

// ---- shared row kinds ---------------------------------------------------------------------------------

struct KindCase {
    const char* name;
    const RowKind* kind;
    uint16_t id;
    Version version;
    int32_t packType;
    void (*set)(device::ORVABluetoothDeviceData&);
    int selected;          // column or item; -1 none
    bool enabled;
    const char* firstItem;  // pop-ups: nullptr to skip
    const char* lastItem;
    size_t items;
};

TEST(ListEngine, SharedRowKindsSelectAndEnableByTheirRules) {
    using namespace settings::kinds;
    const KindCase cases[] = {
        {"mic accessory 8 disables", &kMorrowTansyMic, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50MicAccessorySelect(0); }, 1, true, nullptr, nullptr, 0},
        {"mic accessory 0 enables", &kMorrowTansyMic, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50MicAccessorySelect(-8); }, 0, true, nullptr, nullptr, 0},
        {"mic accessory 1 enables", &kMorrowTansyMic, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50MicAccessorySelect(-7); }, 0, true, nullptr, nullptr, 0},
        {"mic accessory 9 enables", &kMorrowTansyMic, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50MicAccessorySelect(1); }, 0, true, nullptr, nullptr, 0},
        {"plain Audio Boost 0 enables", &kAudioBoostPlain, 0x5510, {1, 0}, 0, [](auto& r) { r.setAudioBoost(0); }, 0, true, nullptr, nullptr, 0},
        {"FERRIK Audio Boost 0 disables", &kAudioBoostFerrik, 0x4210, {1, 0}, 0, [](auto& r) { r.setBasicSettingFERRIKAudioBoost(0); }, 1, true, nullptr, nullptr, 0},
        {"speakers 8", &kSpeakers50, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, 0, true, "Orva HD Speakers", "Morrow Tansy Speakers", 2},
        {"speakers 9", &kSpeakers50, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, 1, true, "Orva HD Speakers", "Morrow Tansy Speakers", 2},
        {"speakers 10 on 0x321A", &kSpeakers50, 0x321A, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(2); }, 2, true, "Morrow Tansy - P.Reef3 Speakers", "Morrow Tansy Speakers - P.Dune", 3},
        {"languages-pack type 2", &kHeadsetLanguageAirohaPack, 0x6811, {1, 0}, 2, [](auto&) {}, 0, true, "Russian", "Greek", 10},
        {"languages-pack type 1", &kHeadsetLanguageAirohaPack, 0x6811, {1, 0}, 1, [](auto&) {}, 0, true, "English", "Greek", 10},
        {"languages-pack type 0", &kHeadsetLanguageAirohaPack, 0x6811, {1, 0}, 0, [](auto&) {}, 0, true, "English", "Czech", 11},
        {"FERRIK sensitivity 10", &kIntercomAudioOverlaySensitivityFerrik, 0x4210, {1, 0}, 0, [](auto& r) { r.setBasicSettingFERRIKAudioMultitaskingSensitivity(10); r.setBasicSettingFERRIKAudioMultitasking(1); }, 0, true, "1", "10", 10},
        {"FERRIK sensitivity 1", &kIntercomAudioOverlaySensitivityFerrik, 0x4210, {1, 0}, 0, [](auto& r) { r.setBasicSettingFERRIKAudioMultitaskingSensitivity(1); r.setBasicSettingFERRIKAudioMultitasking(1); }, 9, true, "1", "10", 10},
        {"FERRIK sensitivity with multitasking 0", &kIntercomAudioOverlaySensitivityFerrik, 0x4210, {1, 0}, 0, [](auto& r) { r.setBasicSettingFERRIKAudioMultitaskingSensitivity(4); r.setBasicSettingFERRIKAudioMultitasking(0); }, 6, false, nullptr, nullptr, 0},
        {"audioOverlay 1: source priority", &kAudioSourcePriority, 0x5510, {1, 0}, 0, [](auto& r) { r.setAudioOverlay(1); r.setAudioSourcePriority(1); }, 1, false, "Intercom", "Music", 2},
        {"audioOverlay 1: HD Voice", &kHdVoicePlain, 0x5510, {1, 0}, 0, [](auto& r) { r.setAudioOverlay(1); r.setHdVoice(1); }, 0, false, nullptr, nullptr, 0},
        {"audioOverlay 1: tied HD Intercom", &kHdIntercomTied, 0x5510, {1, 0}, 0, [](auto& r) { r.setAudioOverlay(1); }, 1, false, nullptr, nullptr, 0},
        {"audioOverlay 1: plain HD Intercom", &kHdIntercomPlain, 0x5510, {1, 0}, 0, [](auto& r) { r.setAudioOverlay(1); }, 1, true, nullptr, nullptr, 0},
        {"audioOverlay 0: tied HD Intercom", &kHdIntercomTied, 0x5510, {1, 0}, 0, [](auto& r) { r.setAudioOverlay(0); }, 1, true, nullptr, nullptr, 0},
        {"Audio Boost accessory 8 on 1.3", &kAudioBoostGessaAccessoryVersion, 0x3215, {1, 3}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, 0, false, nullptr, nullptr, 0},
        {"Audio Boost accessory 8 on 1.4", &kAudioBoostGessaAccessoryVersion, 0x3215, {1, 4}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(0); }, 0, true, nullptr, nullptr, 0},
        {"Audio Boost accessory 9 on 1.3", &kAudioBoostGessaAccessoryVersion, 0x3215, {1, 3}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, 0, true, nullptr, nullptr, 0},
        {"equalizer accessory 1 with 1", &kAudioEqualizer50Accessory1, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(-7); }, 0, true, "Music Balance", "Treble Boost", 5},
        {"equalizer accessory 1 with 9", &kAudioEqualizer50Accessory1, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, 0, true, "Off", "Treble Boost", 5},
        {"equalizer accessory 9 with 1", &kAudioEqualizer50Accessory9, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(-7); }, 0, true, "Off", "Treble Boost", 5},
        {"equalizer accessory 9 with 9", &kAudioEqualizer50Accessory9, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(1); }, 0, true, "Music Balance", "Treble Boost", 5},
        {"speakers value outside the items", &kSpeakers50, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSetting50SpeakerAccessorySelect(4); }, -1, true, "Orva HD Speakers", "Morrow Tansy Speakers", 2},
        {"levels with the disable word", &kSmartVolumeControlGessa, 0x3215, {1, 0}, 0, [](auto& r) { r.SetBasicSettingGESSAAGCSensitivity(2); }, 2, true, "Disable", "High", 4},
    };
    for (const KindCase& c : cases) {
        ListCase list(c.id, c.version);
        list.data.setDevicelanguagePackType(c.packType);
        c.set(list.dataCurrent);
        const CellDescription cell = describe(*c.kind, list.in);
        if (cell.kind == CellKind::OnOff) {
            EXPECT_EQ(cell.selectedColumn, c.selected) << c.name;
            EXPECT_EQ(cell.enableTitle, "Enable") << c.name;
            EXPECT_EQ(cell.disableTitle, "Disable") << c.name;
        } else {
            EXPECT_EQ(cell.selectedItem, c.selected) << c.name;
        }
        EXPECT_EQ(cell.enabled, c.enabled) << c.name;
        if (c.firstItem) {
            ASSERT_EQ(cell.items.size(), c.items) << c.name;
            EXPECT_EQ(cell.items.front(), c.firstItem) << c.name;
            EXPECT_EQ(cell.items.back(), c.lastItem) << c.name;
        }
    }
}

TEST(ListEngine, LanguagePackZeroHasNoRussian) {
    ListCase list(0x6811);
    list.data.setDevicelanguagePackType(0);
    const auto items = describe(kinds::kHeadsetLanguageAirohaPack, list.in).items;
    EXPECT_EQ(std::count(items.begin(), items.end(), "Russian"), 0);
}

TEST(ListEngine, RowsThatLogWriteTheirLineWithTheValues) {
    ListCase list(0x3215);
    list.data.SetBasicSetting50SpeakerAccessorySelect(1);
    list.dataCurrent.SetBasicSetting50SpeakerAccessorySelect(-7);
    EXPECT_EQ(describe(kinds::kAudioEqualizer50Accessory9, list.in).logLines,
              std::vector<std::string>{"speaker value =[9], curr[1]"});
    list.dataCurrent.setYORRALanguage(4);
    EXPECT_EQ(describe(kinds::kLanguageYorra, list.in).logLines, std::vector<std::string>{"PQPQ # 4"});
    EXPECT_TRUE(describe(kinds::kVoxPhoneGessa, list.in).logLines.empty());
}

// ---- languages ------------------------------------------------------------------------------------------

TEST(ListEngine, AnotherLanguageRelabelsEveryRowAndKeepsEverySelection) {
    ListCase list(0x6838);
    list.dataCurrent.SetBasicSettingAirohaUnitLanguage(4);
    list.dataCurrent.SetBasicSettingAirohaAudioEqualizer(2);
    list.dataCurrent.SetBasicSettingAirohaVOXPhone(1);
    list.dataCurrent.SetBasicSettingAirohaVoxSensitivity(3);
    std::vector<CellDescription> english, japanese;
    for (int32_t row = 0; row < numberOfRows(list.in); ++row) english.push_back(*cellForRow(list.in, row));
    list.language(4);
    for (int32_t row = 0; row < numberOfRows(list.in); ++row) japanese.push_back(*cellForRow(list.in, row));
    ASSERT_EQ(english.size(), 9u);
    ASSERT_EQ(japanese.size(), english.size());
    for (size_t row = 0; row < english.size(); ++row) {
        EXPECT_NE(japanese[row].label, english[row].label) << row;
        EXPECT_EQ(japanese[row].selectedColumn, english[row].selectedColumn) << row;
        EXPECT_EQ(japanese[row].selectedItem, english[row].selectedItem) << row;
        if (japanese[row].kind == CellKind::OnOff) {
            EXPECT_NE(japanese[row].enableTitle, english[row].enableTitle) << row;
        }
    }
    EXPECT_EQ(japanese[0].label, "ヘッドセット言語");
    EXPECT_EQ(japanese[0].items[4], "ドイツ語");
    EXPECT_EQ(japanese[1].items[2], "低音強調");
}

TEST(ListEngine, GivenLabelTablesReadAsGiven) {
    const std::pair<int32_t, const char*> voxIntercom[] = {
        {0, "VOX Intercom"}, {1, "VOX intercom"}, {2, "VOX-Sprechanlage"}, {4, "VOXインターコム"}, {8, "Голосовая активация связи"},
        {12, "Interkom VOX"}};
    for (const auto& [language, text] : voxIntercom) {
        ListCase list(0x5510);
        list.language(language);
        EXPECT_EQ(describe(kinds::kVoxIntercomPlain, list.in).label, text) << language;
        EXPECT_EQ(describe(kinds::kAudioMultitaskingPlain, list.in).label, "Audio Multitasking™") << language;
    }
    ListCase russian(0x3215);
    russian.language(8);
    russian.dataCurrent.SetBasicSettingGESSAAGCSensitivity(3);
    const auto levels = describe(kinds::kSmartVolumeControlGessa, russian.in).items;
    EXPECT_EQ(std::vector<std::string>(levels.begin() + 1, levels.end()),
              (std::vector<std::string>{"Низкий", "Средний", "высокий"}));
}

TEST(ListEngine, ReadsItsInputsAfreshOnEveryCall) {
    ListCase list(0x6800, {1, 1});
    EXPECT_EQ(numberOfRows(list.in), 7);
    list.data.setDeviceVersionMajor(1, 2);
    EXPECT_EQ(numberOfRows(list.in), 8);
    list.dataCurrent.SetBasicSettingAirohaVOXPhone(1);
    EXPECT_EQ(cellForRow(list.in, 2)->selectedColumn, 0);
    list.dataCurrent.SetBasicSettingAirohaVOXPhone(0);
    EXPECT_EQ(cellForRow(list.in, 2)->selectedColumn, 1);
    list.in.deviceTarget = 0x6801;
    EXPECT_EQ(numberOfRows(list.in), 2);
}

}  // namespace
