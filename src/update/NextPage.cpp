#include "update/NextPage.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace update {

namespace {

constexpr int32_t kFirmwareManagement = 0x8000;

struct Version {
    int32_t major, minor;
};

// Models of a row; below the version (when the row has one) the first page, from it the second.
struct NextRow {
    std::initializer_list<int32_t> models;
    std::optional<Version> from;
    NextPage below;
    NextPage atOrAbove;
};

const NextRow kRows[] = {
    {{0x5310, 0x5320, 0x5330, 0x3550, 0x5345, 0x3010, 0x3020}, std::nullopt, NextPage::deviceSelection,
     NextPage::deviceSelection},
    {{0x6461, 0x6460}, Version{2, 1}, NextPage::speedDial, NextPage::deviceSettings},
    {{0x6481, 0x6491, 0x6480, 0x6490}, Version{1, 1}, NextPage::speedDial, NextPage::deviceSettings},
    {{0x4111, 0x4112}, std::nullopt, NextPage::speedDial, NextPage::speedDial},
    {{0x3560, 0x3570}, Version{1, 1}, NextPage::deviceSelection, NextPage::deviceSettings},
    {{0x3500}, Version{2, 2}, NextPage::deviceSelection, NextPage::deviceSettings},
};

}  // namespace

NextPage nextPageFor(int32_t deviceTarget, int32_t usbStatus, const device::ORVABluetoothDeviceData& data) {
    if (usbStatus >= kFirmwareManagement) return NextPage::deviceSelection;
    for (const NextRow& row : kRows) {
        if (std::find(row.models.begin(), row.models.end(), deviceTarget) == row.models.end()) continue;
        if (!row.from) return row.below;
        return data.compareVersionUpToMinorWithMajor(row.from->major, row.from->minor) < 0 ? row.below
                                                                                            : row.atOrAbove;
    }
    return NextPage::deviceSettings;
}

}  // namespace update
