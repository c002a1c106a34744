// The engine of the all-settings list, in plain C++: how many rows the inputs show and, for a row,
// everything the page's cell must show. The page only copies a description into a fresh cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/ListInputs.h"
#include "settings/RowKind.h"

namespace settings {

struct CellDescription {
    CellKind kind = CellKind::OnOff;
    std::string label;
    // On/off cells: the two radio titles and the selected column (0 enable, 1 disable).
    std::string enableTitle, disableTitle;
    int selectedColumn = 0;
    // Pop-up cells: the items in order and the selected one (-1: none, for a value outside them).
    std::vector<std::string> items;
    int selectedItem = -1;
    bool enabled = true;        // the radio group or the pop-up
    bool infoShown = true;      // the information button(s): shown and enabled, else hidden and disabled
    std::vector<std::string> logLines;  // written to the platform log when the cell is built
    const RowKind* rowKind = nullptr;
};

// Rows shown: the smaller of the counted rows and the chosen layout's length (0 without a layout).
int32_t numberOfRows(const ListInputs& in);

// The row kind that a shown row stands for; none for a row outside 0 ..< numberOfRows. The one
// decision behind the count, the cells and the row changes.
const RowKind* rowKindAt(const ListInputs& in, int32_t row);

// The English text of a row kind's label: what the row changes are keyed by.
std::string englishLabel(const RowKind& kind);

// The row's cell; none for a row at or past numberOfRows. Reads only; writes nothing but the log
// lines it returns.
std::optional<CellDescription> cellForRow(const ListInputs& in, int32_t row);

// The same description for a row kind (what the engine does once it knows the kind).
CellDescription describe(const RowKind& kind, const ListInputs& in);

// The selected column and item for a value; exposed for the table check.
int selectedColumnFor(OnOffRule rule, int32_t value);
int selectedItemFor(ItemMapping mapping, int32_t value, size_t itemCount);
// The items the pop-up offers for these inputs.
ItemList itemsFor(const RowKind& kind, const ListInputs& in);

// A getter of the edit copy, with the argument it takes (slot, product id or pack type).
int32_t currentValue(device::SettingGetter getter, int32_t slot, const ListInputs& in);

}  // namespace settings
