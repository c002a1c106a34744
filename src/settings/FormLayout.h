// Where the fixed settings form places its rows for a model and firmware band, and which field of
// the edit copy each placed row shows: the layout table (rectangles with y growing upward, as the
// form's page measures them), the model groups with their bands, and the value table by family.
// Plain data and lookups; the page turns rectangles into frames and values into selections.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"
#include "settings/FormVisibility.h"

namespace settings {

// A rectangle of the layout table: x, y (growing upward from the page's bottom), width, height.
struct FormRect {
    double x, y, width, height;
    bool operator==(const FormRect&) const = default;
};

// The height of the page that the table measures; a frame's top is then H - y - height.
inline constexpr double kFormPageHeight = 270;

// The five page buttons, the same in every layout.
struct PageButtonRects {
    FormRect btnDefault, btnCancel, btnBack, btnSave, btnNewDevice;
};
inline constexpr PageButtonRects kPageButtonRects{
    {282, 243, 109, 19}, {396, 243, 109, 19}, {7, 7, 140, 19}, {185, 7, 155, 19}, {375, 7, 140, 19}};
// The note row: the apply note's label and its button.
inline constexpr FormRect kNoteLabelRect{50, 58, 424, 17};
inline constexpr FormRect kNoteButtonRect{465, 56, 20, 17};

// The record getters a group reads.
enum class FormFamily : uint8_t { Plain, Ferrik, Gessa };

struct FormPlacement {
    int layout = 0;  // 1 to 4; 0 places the page buttons only
    FormFamily family = FormFamily::Plain;
    // By row slot from 0; FormRowId::Count leaves the slot empty, NoteEDR takes the EDR note slot.
    std::vector<FormRowId> rows;
    // Rows whose values are shown where they stand, without a place of the table.
    std::vector<FormRowId> unplacedValues;
    bool noteRow = false;
    bool moreSettings = false;
    // Below 4.0 the oldest CSR headsets store EDR on as a non-zero value.
    bool edrNonZeroMeansOn = false;
};

// Nothing for a model in no group (every firmware-management code among them).
std::optional<FormPlacement> formPlacement(int32_t productId, const device::ORVABluetoothDeviceData& data);

// The rectangles of a row slot (0 to 6) of a layout (1 to 4).
FormRect labelRect(int layout, int slot);
FormRect infoButtonRect(int layout, int slot);
FormRect controlRect(int layout, int slot);
// The EDR note's slot of layouts 1 and 2.
FormRect edrNoteRect(int layout);
// The more-settings button after `rowsUsed` setting rows of layout 4.
FormRect moreSettingsRect(int rowsUsed);

// How a row shows its stored value.
enum class FormValueShown : uint8_t {
    OnWhenNonZero,      // matrix column 0 for a non-zero value
    OffWhenNonZero,     // matrix column 1 for a non-zero value
    EdrByBand,          // OffWhenNonZero, or OnWhenNonZero where the band says so
    ItemLevelMinusOne,  // pop-up item level - 1
    ItemTenMinusLevel,  // pop-up item 10 - level
    GainColumn,         // gain matrix column of the record's gain index
    Seconds,            // time-out field and stepper
};

struct FormValue {
    int32_t (*read)(const device::ORVABluetoothDeviceData&);
    FormValueShown shown;
};

// Nothing when the family has no getter for the row.
std::optional<FormValue> formValue(FormRowId row, FormFamily family);

// The matrix column or pop-up item the stored value selects (unchecked against the item count).
int formSelection(FormValueShown shown, int32_t stored, bool edrNonZeroMeansOn);

}  // namespace settings
