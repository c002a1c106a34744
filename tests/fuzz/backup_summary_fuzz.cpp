// What the restore page shows of a settings backup: the backup file as read (a keyed archive),
// then the summary lines of every tab and the restore table's rows, for the model the backup
// names and for a chosen one, in a chosen language. First byte: choices; the rest: the file.
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/KeyedArchive.h"
#include "update/BackupSummary.h"
#include "update/RestoreTable.h"

namespace {

// Models with summary tables of their own, the camera and a model with none.
const int32_t kModels[] = {0x4D35, 0x5070, 0x6838, 0x3020, 0x5345, 0x4210, 0x5010, 0x5620, 0x6042, 0x0001};

void show(int32_t target, const device::ORVABluetoothDeviceData& backup, int language, bool fmRowsHidden) {
    (void)update::checkBackup(&backup, target);
    (void)update::restoredVersionText(target, backup);
    for (int32_t tab = 0; tab <= 4; ++tab) {
        (void)update::backupSummaryLines(target, tab, backup, language);
        (void)update::summaryLineCount(target, tab, &backup);
    }
    (void)update::speedDialLines(backup, language);
    for (int kind : update::restoreRowKinds(target, &backup, fmRowsHidden))
        (void)update::restoreRowTexts(kind, &backup, target, language);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    const platform::Bytes file(data + 1, data + size);
    try {
        const auto backup = device::ORVABluetoothDeviceData::unarchiveFromData(file);
        const int language = choice % 13;
        const bool fmRowsHidden = (choice & 0x80) != 0;
        show(backup.deviceRecognized(), backup, language, fmRowsHidden);
        show(kModels[(choice >> 4) % std::size(kModels)], backup, language, fmRowsHidden);
    } catch (const platform::ArchiveError&) {
    }
    return 0;
}
