// The second-generation mesh headsets, whose mesh module is an Airoha chip (0x3220 while it is
// updated): the headset hands over, the module takes its block (always written, its version only
// asked), restarts and is found again; then the headset's Bluetooth entries 0 and 1 and its loader.
#include <algorithm>

#include "platform/Log.h"
#include "update/AirohaBlock.h"
#include "update/MeshSteps.h"

namespace update {

namespace {

constexpr int32_t kBlockEntry = 2;
constexpr int32_t kBluetoothEntries = 2;
constexpr uint8_t kMeshOn = 0x50;
constexpr int64_t kBeforeModuleMs = 2000;
constexpr int32_t kWritePhase = 4;

}  // namespace

const AirohaBlockOptions kAirohaMeshBlock{
    .skipSameVersion = false, .restartMs = 3000, .reopen = usbhid_open_airoha_mesh, .meshLogs = true};

bool askMeshHandOver(UpdateRun& run, PartExchange& x, uint8_t command, const char* failure) {
    if (meshCommand(x, command, {0})) return true;
    failCannotGetStatus(run, failure);
    return false;
}

bool findAirohaMesh(UpdateRun& run) {
    if (findDevice(run, usbhid_open_airoha_mesh, kMeshSearchTries)) return true;
    failSearch(run, "[8]");
    return false;
}

void updateAirohaMesh(UpdateRun& run) {
    PartExchange x(run);
    if (!openCheckedAndLoaded(run, x, RecordVersion::plain)) return;
    if (!checkEntries(run, true, kBlockEntry + 1)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, kWritePhase);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    if (!askMeshHandOver(run, x, kMeshOn, "[7]")) return;
    if (!pause(run, kBeforeModuleMs)) return failSearch(run, "[8]");
    if (!findAirohaMesh(run)) return;
    const BlockRecord block = *layout.block(kBlockEntry);
    if (const char* tag = writeAirohaBlock(run, block, kAirohaMeshBlock)) return failAirohaBlock(run, block, tag);
    platform::logf("BT_MODULE_FIND and UPDATE");
    if (!findDevice(run, run.openHeadset, kMeshSearchTries)) return failSearch(run, "[27]");

    const std::optional<bool> loader = writeHeadsetParts(
        run, x, layout, std::min(layout.count(), kBluetoothEntries), kBluetoothPartTags, false);
    if (!loader || !runLoaderAndReopen(run, x, *loader)) return;
    succeedMeshRun(run, nullptr, true);
}

}  // namespace update
