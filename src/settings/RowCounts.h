// The row count of the all-settings list: one line per group of product ids, each an ordered list
// of (conditions, count), the first that holds giving the count. It is a table of its own, not
// derived from the layouts; where the two differ the list shows the smaller (AllSettingsList.h).
#pragma once

#include <cstdint>
#include <span>

#include "settings/RowLayouts.h"

namespace settings {

struct CountStep {
    Conditions when;  // {}: always
    int32_t rows;
};

struct CountLine {
    std::span<const uint16_t> productIds;
    std::span<const CountStep> steps;
};

std::span<const CountLine> rowCountLines();

// The line naming the id; none for an id the table does not list.
const CountLine* countLineFor(uint16_t productId);

// The count of the table for the inputs: 0 for an unlisted id.
int32_t countedRows(const ListInputs& in);

}  // namespace settings
