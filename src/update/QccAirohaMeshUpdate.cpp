// The QCC headsets with an Airoha mesh module: the module's block first (through the Airoha block
// write), then, with the headset back and the firmware file read again, the Bluetooth image of
// the QCC mesh headsets.
#include "app/AppTexts.h"
#include "platform/Log.h"
#include "update/AirohaBlock.h"
#include "update/MeshSteps.h"
#include "update/QccMesh.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr int32_t kBlockEntry = 1;
constexpr uint8_t kHandOver = 0x0F;
constexpr int32_t kWritePhase = 4;
constexpr int64_t kBeforeModuleMs = 2000;

// The entries read: long entry 1 (verified by the loader) and short entry 0 (bounds only). False
// with the failure published and the work ended.
bool entriesSound(UpdateRun& run) { return checkEntries(run, true, kBlockEntry + 1) && checkEntries(run, false, 1); }

}  // namespace

void updateQccAirohaMesh(UpdateRun& run) {
    PartExchange x(run);
    if (!openCheckedAndLoaded(run, x, RecordVersion::plain) || !entriesSound(run)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);
    beginWritePhase(run, 2);

    if (readinessRefused(run, x)) return;
    platform::logf("Qcc Mesh Update start");
    if (!askMeshHandOver(run, x, kHandOver, "[1][50]")) return;
    usbhid_close_all();
    if (!pause(run, kBeforeModuleMs)) return failSearch(run, "[8]");
    run.page.addUpdateProcessed = kWritePhase;
    run.page.updateTimerProcessed = 0;
    if (!findAirohaMesh(run)) return;
    const BlockRecord block = *ArchiveLayout(run.image.data(), run.image.size).block(kBlockEntry);
    if (const char* tag = writeAirohaBlock(run, block, kAirohaMeshBlock)) return failAirohaBlock(run, block, tag);

    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    // The file is read anew: the first reading goes first, and what changed is checked again.
    run.image.reset();
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    if (!entriesSound(run)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::plain);
    beginWritePhase(run, kWritePhase);

    platform::logf("QCC only BT Update Start");
    // Opened again: the handle of the first opening is closed first, not left behind.
    usbhid_close_all();
    uint32_t pid = 0;
    if (run.openHeadset(&pid, run.message) != 0) {
        publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, "[B][9]");
        return endOfWork(run, EndEntry::plain);
    }
    if (!writeQccBluetoothImage(run, x, {nullptr, "QCC BT Runloader Start 2"})) return;
    succeedMeshRun(run, kQccEndLog, false);
}

}  // namespace update
