// Table-driven checks of the layouts as a user of the sheet sees them: how many rows a model shows,
// which label stands at a row, what its control selects and whether it is enabled.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListFixture.h"
#include "settings/AllSettingsList.h"

namespace settings::testing {

// Options and edit-copy values of one case; nullptr keeps the defaults (FM shown, motion 6,
// status 0, a fresh edit copy).
using CaseSetup = void (*)(ListCase&);

struct ShownRows {
    const char* name;
    uint16_t id;
    Version version;
    CaseSetup setup;
    int32_t rows;
    std::vector<std::string> lastLabels = {};  // the labels of the last rows, in order
};

inline void expectShown(const ShownRows& c) {
    ListCase list(c.id, c.version);
    if (c.setup) c.setup(list);
    EXPECT_EQ(numberOfRows(list.in), c.rows) << c.name;
    EXPECT_FALSE(cellForRow(list.in, c.rows).has_value()) << c.name;
    const int32_t first = c.rows - static_cast<int32_t>(c.lastLabels.size());
    for (size_t i = 0; i < c.lastLabels.size(); ++i) {
        const auto cell = cellForRow(list.in, first + static_cast<int32_t>(i));
        ASSERT_TRUE(cell.has_value()) << c.name << " row " << first + static_cast<int32_t>(i);
        EXPECT_EQ(cell->label, c.lastLabels[i]) << c.name << " row " << first + static_cast<int32_t>(i);
    }
}

enum class Tri { Any, No, Yes };

struct RowShows {
    const char* name;
    uint16_t id;
    Version version;
    CaseSetup setup;
    int32_t row;
    const char* label;            // nullptr: the row has no cell
    const char* shows = nullptr;  // on/off: "Enable" or "Disable"; pop-up: the selected item, "" for none
    Tri enabled = Tri::Any;
    Tri info = Tri::Any;
};

inline void expectRow(const RowShows& c) {
    ListCase list(c.id, c.version);
    if (c.setup) c.setup(list);
    const auto cell = cellForRow(list.in, c.row);
    if (!c.label) {
        EXPECT_FALSE(cell.has_value()) << c.name;
        return;
    }
    ASSERT_TRUE(cell.has_value()) << c.name;
    EXPECT_EQ(cell->label, c.label) << c.name;
    if (c.shows) {
        std::string shown;
        if (cell->kind == CellKind::OnOff)
            shown = cell->selectedColumn == 0 ? cell->enableTitle : cell->disableTitle;
        else if (cell->selectedItem >= 0)
            shown = cell->items.at(static_cast<size_t>(cell->selectedItem));
        EXPECT_EQ(shown, c.shows) << c.name;
    }
    if (c.enabled != Tri::Any) {
        EXPECT_EQ(cell->enabled, c.enabled == Tri::Yes) << c.name;
    }
    if (c.info != Tri::Any) {
        EXPECT_EQ(cell->infoShown, c.info == Tri::Yes) << c.name;
    }
}

}  // namespace settings::testing
