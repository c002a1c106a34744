// The layout and count tables as a whole: what must hold for every family's data, whichever issue
// typed it. A new family file joins these checks through allLayoutFamilies().
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ListGrid.h"
#include "app/TextCatalogue.h"
#include "device/SettingGetters.h"
#include "settings/AllSettingsList.h"
#include "settings/RowCounts.h"
#include "settings/RowLayouts.h"

namespace {

using namespace settings;
using namespace settings::testing;
using device::SettingGetter;

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
