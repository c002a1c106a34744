// The layout and count tables as a whole: what must hold for every family's data, whichever issue
// typed it. A new family file joins these checks through allLayoutFamilies().
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ListFixture.h"
#include "app/TextCatalogue.h"
#include "device/SettingGetters.h"
#include "settings/AllSettingsList.h"
#include "settings/RowCounts.h"
#include "settings/RowLayouts.h"

namespace {

using namespace settings;
using settings::testing::ListCase;
using settings::testing::Version;
using device::SettingGetter;

std::string hex(uint16_t id) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04X", id);
    return buf;
}

// The product ids whose settings page shows the list in place of the fixed form.
const std::vector<uint16_t> kListSet = {
    0x2030, 0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110,
    0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3136, 0x3140, 0x3144, 0x3146,
    0x3148, 0x3150, 0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215,
    0x3216, 0x3217, 0x3218, 0x3219, 0x321A, 0x321B, 0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3300,
    0x3310, 0x3320, 0x3330, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3380, 0x3400, 0x3410, 0x3420, 0x3430,
    0x3500, 0x3540, 0x3560, 0x3570, 0x3701, 0x3800, 0x3900, 0x4023, 0x4050, 0x4210, 0x4310, 0x4330, 0x4410,
    0x4430, 0x4510, 0x4530, 0x4610, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428,
    0x5430, 0x5432, 0x5434, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444, 0x5445, 0x5510, 0x5520, 0x5522, 0x5524,
    0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5538, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5564, 0x5570,
    0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5596, 0x5597, 0x5610, 0x5611, 0x5612,
    0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5630, 0x5632, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012,
    0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038,
    0x6039, 0x6042, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400, 0x6461, 0x6481, 0x6491,
    0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6806, 0x6808, 0x6810, 0x6811, 0x6812,
    0x6814, 0x6815, 0x6816, 0x6817, 0x6821, 0x6822, 0x6824, 0x6825, 0x6828, 0x6831, 0x6838, 0x6839, 0x683A,
    0x6840, 0x6900, 0x6910, 0x6A01, 0x6A02, 0x6A03, 0x6A04,
};

// In the list set, but no table gives them rows: they show an empty list.
const std::set<uint16_t> kListSetWithoutRows = {0x3052, 0x3072, 0x3082};

// Layouts that the list's tables give, for ids whose settings page is not the list: they join
// every check but the one of the list set.
const std::set<uint16_t> kLayoutsOutsideTheListSet = {0x3142};

// List-set ids whose layouts come with the layout files still to be typed. A family file that adds
// a group removes its ids here, so that a missing or a forgotten id fails below.
const std::set<uint16_t> kAwaitingLayouts = {
};

std::vector<const SelectionGroup*> allGroups() {
    std::vector<const SelectionGroup*> groups;
    for (const LayoutFamily& family : allLayoutFamilies())
        for (const SelectionGroup& group : family.groups) groups.push_back(&group);
    return groups;
}

std::vector<const RowKind*> allLayoutRows() {
    std::vector<const RowKind*> rows;
    for (const SelectionGroup* group : allGroups())
        for (const LayoutChoice& choice : group->choices) {
            if (!choice.layout) continue;
            for (const RowKind* kind : choice.layout->rows) rows.push_back(kind);
        }
    return rows;
}

// The value a pop-up item stands for, by the inverse of the row's mapping.
int32_t valueOfItem(ItemMapping mapping, int32_t item) {
    switch (mapping) {
        case ItemMapping::Value: return item;
        case ItemMapping::ValueMinusOne: return item + 1;
        case ItemMapping::ValueMinusEight: return item + 8;
        case ItemMapping::TenMinusValue: return 10 - item;
        case ItemMapping::EssStatus: return item;
        case ItemMapping::EssSensitivity: return item + 1;
    }
    return item;
}

std::vector<ItemList> everyItemList(const RowKind& kind) {
    std::vector<ItemList> lists = {kind.items.items};
    if (kind.items.by != ItemsBy::Fixed) lists.push_back(kind.items.other);
    if (kind.items.by == ItemsBy::LanguagePackType) lists.push_back(kind.items.third);
    return lists;
}

TEST(ListTables, EveryLayoutRowNamesAWholeRowKind) {
    for (const SelectionGroup* group : allGroups()) {
        ASSERT_FALSE(group->productIds.empty());
        ASSERT_FALSE(group->choices.empty()) << hex(group->productIds[0]);
        for (const LayoutChoice& choice : group->choices) {
            ASSERT_NE(choice.layout, nullptr) << hex(group->productIds[0]);
            for (size_t row = 0; row < choice.layout->rows.size(); ++row) {
                const std::string where = std::string(choice.layout->name) + " row " + std::to_string(row);
                const RowKind* kind = choice.layout->rows[row];
                ASSERT_NE(kind, nullptr) << where;
                EXPECT_LT(kind->getter, SettingGetter::Count) << where;
                const bool labelled = kind->label.literal || !app::localizedText(kind->label.entry, 0).empty();
                EXPECT_TRUE(labelled) << where;
                if (kind->cell == CellKind::PopUp) {
                    for (ItemList items : everyItemList(*kind)) EXPECT_FALSE(items.empty()) << where;
                }
                if (kind->enabling.when != EnableWhen::Always && kind->enabling.when != EnableWhen::StatusIn &&
                    kind->enabling.when != EnableWhen::StatusNotIn) {
                    EXPECT_LT(kind->enabling.getter, SettingGetter::Count) << where;
                }
                if (kind->items.by == ItemsBy::GetterEquals) {
                    EXPECT_LT(kind->items.getter, SettingGetter::Count) << where;
                }
            }
        }
    }
}

TEST(ListTables, EveryGetterHasOneNamedRead) {
    std::set<std::string_view> names;
    for (size_t i = 0; i < device::kSettingGetterCount; ++i) {
        const auto getter = static_cast<SettingGetter>(i);
        EXPECT_FALSE(device::getterName(getter).empty()) << i;
        EXPECT_TRUE(names.insert(device::getterName(getter)).second) << device::getterName(getter);
    }
    EXPECT_EQ(device::kSettingGetterCount, 123u);
}

TEST(ListTables, EveryPopUpItemStandsForAValueItsFieldStores) {
    for (const RowKind* kind : allLayoutRows()) {
        if (kind->cell != CellKind::PopUp) continue;
        const auto stored = device::storedValues(kind->getter);
        if (!stored) continue;  // a plain property: any int
        for (ItemList items : everyItemList(*kind))
            for (size_t item = 0; item < items.size(); ++item) {
                const int32_t value = valueOfItem(kind->mapping, static_cast<int32_t>(item));
                EXPECT_TRUE(std::binary_search(stored->begin(), stored->end(), value))
                    << device::getterName(kind->getter) << " item " << item << " value " << value;
            }
    }
}

TEST(ListTables, NoProductIdIsInTwoGroupsOrTwoCountLines) {
    std::map<uint16_t, int> groups, lines;
    for (const SelectionGroup* group : allGroups())
        for (uint16_t id : group->productIds) ++groups[id];
    for (const CountLine& line : rowCountLines())
        for (uint16_t id : line.productIds) ++lines[id];
    for (const auto& [id, n] : groups) EXPECT_EQ(n, 1) << hex(id);
    for (const auto& [id, n] : lines) EXPECT_EQ(n, 1) << hex(id);
    EXPECT_EQ(rowCountLines().size(), 72u);
    EXPECT_EQ(lines.size(), 200u);
}

TEST(ListTables, EveryListSetIdHasACountLineAndAGroupSaveTheThreeWithoutRows) {
    std::set<uint16_t> groupless;
    for (uint16_t id : kListSet) {
        const bool rowless = kListSetWithoutRows.count(id) > 0;
        EXPECT_EQ(countLineFor(id) != nullptr, !rowless) << hex(id);
        if (!groupFor(id)) groupless.insert(id);
    }
    std::set<uint16_t> expected = kAwaitingLayouts;
    expected.insert(kListSetWithoutRows.begin(), kListSetWithoutRows.end());
    EXPECT_EQ(groupless, expected);
    // Every id that has rows is in the list set.
    for (const SelectionGroup* group : allGroups())
        for (uint16_t id : group->productIds) {
            const bool listed = std::find(kListSet.begin(), kListSet.end(), id) != kListSet.end();
            EXPECT_NE(listed, kLayoutsOutsideTheListSet.count(id) > 0) << hex(id);
        }
}

// ---- the grid of inputs ----------------------------------------------------------------------------

void addVersionsOf(const Condition& c, std::set<std::tuple<int, int, int, int>>& out) {
    const auto justBelow = [&](int a, int b) {
        if (b > 0) out.insert({a, b - 1, 0, 99});
        else out.insert({a - 1, 99, 0, 99});
    };
    switch (c.test) {
        case Test::Below:
        case Test::From:
            out.insert({c.a, c.b, 0, 0});
            justBelow(c.a, c.b);
            break;
        case Test::Below3:
        case Test::From3:
            out.insert({c.a, c.b, 0, c.c});
            if (c.c > 0) out.insert({c.a, c.b, 0, c.c - 1});
            else justBelow(c.a, c.b);
            break;
        case Test::BelowFull:
        case Test::FromFull:
            out.insert({c.a, c.b, c.c, c.d});
            out.insert({c.a, c.b, c.c, c.d - 1});
            out.insert({c.a, c.b, 1, c.d});  // type 1 ranks below every other type
            justBelow(c.a, c.b);
            break;
        default: break;
    }
}

// The firmware versions that the tables name for one id, each with the version just below it.
std::vector<Version> versionsFor(uint16_t id) {
    std::set<std::tuple<int, int, int, int>> found = {{0, 0, 0, 0}, {99, 99, 0, 0}};
    if (const CountLine* line = countLineFor(id))
        for (const CountStep& step : line->steps)
            for (const Condition& c : step.when) addVersionsOf(c, found);
    if (const SelectionGroup* group = groupFor(id))
        for (const LayoutChoice& choice : group->choices)
            for (const Condition& c : choice.when) addVersionsOf(c, found);
    std::vector<Version> versions;
    for (const auto& [a, b, t, s] : found) versions.push_back({a, b, t, s});
    return versions;
}

template <typename F>
void forEachInput(uint16_t id, F&& f) {
    for (const Version& v : versionsFor(id))
        for (int32_t fm : {3, 4})
            for (int32_t speaker : {-1, 0, 7, 8})
                for (int32_t status : {0, 1, 2, 6, 7})
                    for (int32_t motion : {5, 6}) {
                        ListCase c(id, v);
                        c.fm(fm).speaker(speaker).status(status).motion(motion);
                        f(c.in, v);
                    }
}

std::string describeInput(const ListInputs& in, const Version& v) {
    return hex(in.deviceTarget) + " at " + std::to_string(v.major) + "." + std::to_string(v.minor) + " type " +
           std::to_string(v.type) + " secondary " + std::to_string(v.secondary) + ", fm " +
           std::to_string(in.fmRadioShowAndHide) + ", speaker " + std::to_string(in.device50SpeakerType) + ", status " +
           std::to_string(in.deviceInfoStatus) + ", motion " + std::to_string(in.motionSensorShowAndHide);
}

// Where the count table and the layouts disagree, as known: (ids, inputs, counted, layout rows).
// Every other input of an id with a layout has as many counted rows as layout rows.
struct KnownDifference {
    std::vector<uint16_t> ids;
    Conditions when;
    int32_t counted;
    int32_t layoutRows;
};

const std::vector<KnownDifference> kKnownDifferences = {
    {{0x3110}, {from(3, 1), below(3, 4), kFmShown}, 19, 18},
    {{0x3110}, {from(3, 1), below(3, 4), kFmHidden}, 18, 17},
    {{0x3132, 0x3134}, {below(1, 1)}, 15, 16},
    {{0x3132, 0x3134}, {from(1, 1), below(1, 3), kSpeakerKnown}, 18, 19},
    {{0x3132, 0x3134}, {from(1, 1), below(1, 3), kSpeakerOther}, 19, 20},
    {{0x3132, 0x3134}, {from(1, 4), kSpeakerKnown}, 20, 19},
    {{0x3132, 0x3134}, {from(1, 4), kSpeakerOther}, 21, 20},
    {{0x3142}, {}, 1, 7},
    {{0x3148, 0x3154}, {from(1, 2)}, 19, 18},
    {{0x3170}, {below(1, 2)}, 15, 16},
    {{0x3210, 0x3218, 0x321C}, {below(1, 1)}, 15, 16},
    {{0x3210, 0x3218, 0x321C}, {from(1, 1), below(2, 2), kSpeakerOther}, 19, 20},
    {{0x3210, 0x3218, 0x321C}, {from(2, 2), kSpeakerKnown}, 19, 18},
    {{0x3211}, {kFmShown, kSpeakerKnown, below(1, 3)}, 15, 0},
    {{0x3211}, {kFmShown, kSpeakerKnown, from(1, 3), below(4, 3)}, 16, 0},
    {{0x3211}, {kFmShown, kSpeakerKnown, from(4, 3)}, 17, 0},
    {{0x3211}, {kFmShown, kSpeakerOther, below(1, 3)}, 17, 0},
    {{0x3211}, {kFmShown, kSpeakerOther, from(1, 3), below(4, 3)}, 18, 0},
    {{0x3211}, {kFmShown, kSpeakerOther, from(4, 3)}, 19, 0},
    {{0x3211}, {kFmHidden, kSpeakerKnown, below(1, 3)}, 14, 16},
    {{0x3211}, {kFmHidden, kSpeakerKnown, from(1, 3), below(4, 3)}, 15, 16},
    {{0x3211}, {kFmHidden, kSpeakerOther, below(1, 3)}, 16, 17},
    {{0x3211}, {kFmHidden, kSpeakerOther, from(4, 3)}, 18, 17},
    {{0x3212, 0x3216, 0x321A}, {below(1, 2), kSpeakerOther}, 19, 20},
    {{0x3212, 0x3216, 0x321A}, {from(1, 2), kSpeakerKnown}, 19, 18},
    {{0x3214}, {below(2, 5), kSpeakerKnown}, 15, 17},
    {{0x3214}, {below(2, 5), kSpeakerOther}, 17, 19},
    {{0x3217}, {below(2, 1), kSpeakerKnown}, 15, 16},
    {{0x3217}, {below(2, 1), kSpeakerOther}, 17, 18},
    {{0x3219}, {kSpeakerKnown}, 19, 18},
    {{0x3500, 0x3540}, {}, 1, 3},
    {{0x3560}, {below3(1, 4, 3)}, 2, 3},
    {{0x3570}, {below3(1, 4, 3)}, 1, 3},
    {{0x3900}, {below(1, 1)}, 15, 16},
    {{0x3900}, {from(1, 1), kSpeakerOther}, 19, 20},
    {{0x5630, 0x5632}, {}, 4, 1},
    {{0x6800, 0x6810}, {below(1, 2)}, 7, 8},
    {{0x6804}, {below3(1, 0, 1)}, 6, 4},
    {{0x6804}, {from3(1, 0, 1)}, 7, 4},
    {{0x6805, 0x6817}, {}, 7, 8},
    {{0x6812}, {below3(1, 0, 4)}, 6, 7},
    {{0x6814, 0x6831}, {below3(1, 3, 2)}, 2, 5},
    {{0x6814, 0x6831}, {from3(1, 3, 2)}, 3, 5},
    {{0x6824}, {}, 2, 5},
    {{0x6828, 0x6A01, 0x6A02, 0x6A03, 0x6A04}, {}, 0, 5},
};

TEST(ListTables, EveryInputOfAGroupFindsItsLayoutAndCountsAsManyRowsSaveTheKnownDifferences) {
    std::map<size_t, bool> seen;
    for (const SelectionGroup* group : allGroups())
        for (uint16_t id : group->productIds)
            forEachInput(id, [&](const ListInputs& in, const Version& v) {
                const Layout* layout = chooseLayout(in);
                const int32_t counted = countedRows(in);
                const int32_t rows = layout ? static_cast<int32_t>(layout->rows.size()) : 0;
                const auto known = std::find_if(kKnownDifferences.begin(), kKnownDifferences.end(), [&](const auto& d) {
                    return std::count(d.ids.begin(), d.ids.end(), id) && holds(d.when, in);
                });
                if (known != kKnownDifferences.end()) {
                    seen[static_cast<size_t>(known - kKnownDifferences.begin())] = true;
                    EXPECT_EQ(counted, known->counted) << describeInput(in, v);
                    EXPECT_EQ(rows, known->layoutRows) << describeInput(in, v);
                    return;
                }
                EXPECT_NE(layout, nullptr) << describeInput(in, v);
                EXPECT_EQ(counted, rows) << describeInput(in, v);
            });
    // A known difference of an id that has its layouts must show somewhere on the grid.
    for (size_t i = 0; i < kKnownDifferences.size(); ++i) {
        const uint16_t id = kKnownDifferences[i].ids[0];
        if (groupFor(id)) {
            EXPECT_TRUE(seen[i]) << "known difference " << i << " of " << hex(id);
        }
    }
}

TEST(ListTables, EveryRowShownBuildsACellOnTheGrid) {
    for (const SelectionGroup* group : allGroups())
        for (uint16_t id : group->productIds)
            forEachInput(id, [&](const ListInputs& in, const Version& v) {
                const int32_t rows = numberOfRows(in);
                for (int32_t row = 0; row < rows; ++row) {
                    const auto cell = cellForRow(in, row);
                    ASSERT_TRUE(cell.has_value()) << describeInput(in, v) << " row " << row;
                    EXPECT_FALSE(cell->label.empty()) << describeInput(in, v) << " row " << row;
                }
                EXPECT_FALSE(cellForRow(in, rows).has_value()) << describeInput(in, v);
            });
}

}  // namespace
