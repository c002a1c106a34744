// Which rows of the fixed settings form a model shows, by firmware band, with its apply note; and
// the set of models that show the all-settings list in place of the form. Plain data and one
// lookup; the page applies the result to its widgets.
#pragma once

#include <bitset>
#include <cstdint>

#include "device/ORVABluetoothDeviceData.h"
#include "settings/ModelSets.h"

namespace settings {

// The form's rows in the order the page walks them; the EDR note is a row of its own here.
enum class FormRowId : uint8_t {
    IntercomVOX,
    HandsfreeVOX,
    EDR,
    NoteEDR,
    PLC,
    BitpoolRate,
    MicrophoneBoost,
    Sidetone,
    AdvancedNoiseControl,
    AutoGainControl,
    AudioBoost,
    MotionSensorSensitivity,
    AudioMultitasking,
    AudioMultitaskingSensitivity,
    NavigationAppOverlay,
    RTG,
    ACT,
    Count
};
inline constexpr size_t kFormRowCount = static_cast<size_t>(FormRowId::Count);

using FormRowSet = std::bitset<kFormRowCount>;

// The apply note beside the rows: its label with the button (the button only in the languages
// whose note needs it), the label alone, or nothing (the list's models).
enum class ApplyNote : uint8_t { WithButton, LabelOnly, None };

struct FormVisibility {
    FormRowSet rows;
    ApplyNote note = ApplyNote::WithButton;
};

// The 202 models that show the all-settings list on a system that passes the list's test.
const ModelIds& listSetIds();
bool inListSet(int32_t productId);

// The rows shown for the model at the firmware of `data` (major and minor only), as on a system
// where the model does not get the list. A model that no group names shows every row.
FormVisibility formVisibility(int32_t productId, const device::ORVABluetoothDeviceData& data);

// The language whose apply note carries its button (French, Dutch, Russian).
bool applyNoteHasButton(int32_t language);

}  // namespace settings
