// What the restore page shows of a settings backup without a window: whether the backup may be
// restored to the connected headset, its version line, the six summary lines of the selected tab,
// and how many of those lines the page keeps (with or without the restore table). Tables of
// models as data, a few generic value kinds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device/ORVABluetoothDeviceData.h"

namespace update {

// Tab codes of the restore page.
constexpr int32_t kTabBasic = 1;
constexpr int32_t kTabSpeedDial = 2;
constexpr int32_t kTabFMRadio = 3;

enum class BackupCheck { usable, noFile, notCompatible };

// A missing record or one with manager version 0.0 is no file; the compatibility rules look at
// the connected headset's recognized product id.
BackupCheck checkBackup(const device::ORVABluetoothDeviceData* backup, int32_t connectedRecognized);

// The restored-version text for the selected model.
std::string restoredVersionText(int32_t deviceTarget, const device::ORVABluetoothDeviceData& backup);

// The texts written by one summary: a line whose label or value is none is left as it was.
struct BackupSummaryLines {
    std::array<std::optional<std::string>, 6> labels;
    std::array<std::optional<std::string>, 6> values;
    // The FM summary turns lines 1-5 left-aligned and the date line into the region line.
    bool leftAligned = false;
    std::optional<std::string> dateLabel;
    std::optional<std::string> dateValue;
};

// The lines of `tab` for the selected model from the backup record, in `language`.
BackupSummaryLines backupSummaryLines(int32_t deviceTarget, int32_t tab, const device::ORVABluetoothDeviceData& backup,
                                      int language);
// The three speed dials into lines 1 to 3.
BackupSummaryLines speedDialLines(const device::ORVABluetoothDeviceData& backup, int language);

// How many summary lines stay visible for the model, tab and backup version; `table` when the
// restore table is shown beside them. None for a model that shows no summary line.
struct SummaryLineCount {
    int count = 0;
    bool table = false;
    bool operator==(const SummaryLineCount&) const = default;
};
std::optional<SummaryLineCount> summaryLineCount(int32_t deviceTarget, int32_t tab,
                                                 const device::ORVABluetoothDeviceData* backup);

}  // namespace update
