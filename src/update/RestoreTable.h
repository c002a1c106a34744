// The restore table's rows as data: the row kinds (label, getter of the backup record, value
// rule), the row lists and the model table with its version bands and FM flag, and one routine
// that turns a row into its two texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace update {

constexpr int kRestoreRowKinds = 109;

// The row kinds (1-109) of the model's rows for the backup; `fmRowsHidden` is the controller's
// FM flag (fmRadioShowAndHide 4). Without a record every version comparison reads 0.
std::vector<int> restoreRowKinds(int32_t deviceTarget, const device::ORVABluetoothDeviceData* backup,
                                 bool fmRowsHidden);

struct RestoreRowTexts {
    std::string name;
    std::string value;
};
// The texts of a row kind for the backup record in `language`; a missing record reads 0.
RestoreRowTexts restoreRowTexts(int kind, const device::ORVABluetoothDeviceData* backup, int32_t deviceTarget,
                                int language);

// The value text of a row kind for a stored value.
std::string restoreValueText(int kind, int32_t value, int language);
// Whether the setting text exists in all 13 interface languages.
bool restoreTextInAllLanguages(const std::string& english);

// The English label and every English value text a row kind can show (for checks of the texts).
std::string restoreRowLabel(int kind);
std::vector<std::string> restoreRowValueTexts(int kind);

}  // namespace update
