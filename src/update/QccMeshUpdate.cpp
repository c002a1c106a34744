// The QCC mesh headsets: the headset hands the link over to its mesh module (65-byte reports),
// which takes its image and restarts; then the headset's Bluetooth image with its last chunk
// marked. The Bluetooth image steps also serve the QCC headsets with an Airoha mesh module.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/AppTexts.h"
#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/HidPartChunks.h"
#include "update/MeshSteps.h"
#include "update/QccMesh.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr int32_t kReadinessModels[] = {0x6510, 0x6500};
constexpr int32_t kBluetoothEntry = 0, kMeshEntry = 1;
constexpr uint8_t kReadiness = 0x12, kHandOver = 0x0F, kBluetoothPhase = 0x10, kStartImage = 0x05, kEndImage = 0x07,
                  kRunLoader = 0x08, kLastChunk = 0x0E, kFinalCheck = 0x0A, kNop = 0x00, kChunk = 0x06;
constexpr size_t kMeshChunkMax65 = 61;
constexpr int64_t kBeforeModuleMs = 2000, kModuleRestartMs = 5000, kLoaderRestartMs = 6000, kStepMs = 1000;
constexpr int32_t kWritePhase = 4;

struct Exchange65 {
    uint8_t request[kReport65Size] = {};
    uint8_t reply[kReport65Size] = {};
};

bool command65(UpdateRun& run, Exchange65& x, uint8_t cmd) {
    if (run.stopped()) return false;
    std::memset(x.request, 0, sizeof x.request);
    x.request[0] = 1;
    x.request[1] = cmd;
    return usbhid_command_65(0, x.request, x.reply);
}

// The mesh image on the 65-byte channel; the failed step's tag or none.
const char* writeMeshImage65(UpdateRun& run, const unsigned char* data, size_t length) {
    Exchange65 x;
    if (!command65(run, x, kNop)) platform::logf("QCC COMMAND_NOP Fail");
    if (!command65(run, x, kStartImage)) return "[M][0]";
    for (size_t offset = 0; offset < length;) {
        if (run.stopped()) return "[M][1]";
        const size_t chunk = std::min(kMeshChunkMax65, length - offset);
        std::memset(x.request, 0, sizeof x.request);
        x.request[0] = 1;
        x.request[1] = kChunk;
        x.request[3] = static_cast<uint8_t>(chunk);
        std::memcpy(x.request + 4, data + offset, chunk);
        if (!usbhid_send_65(0, x.request)) return "[M][1]";
        if (!usbhid_wait_ready_65(0)) return "[M][2]";
        offset += chunk;
    }
    if (!command65(run, x, kEndImage)) return "[M][3]";
    platform::logf("QCC Runloader Start");
    if (!command65(run, x, kRunLoader)) return "[M][4]";
    return nullptr;
}

// Rounds of an open and a close until the restarted module opens.
bool moduleCameBack(UpdateRun& run) {
    usbhid_close_all();
    if (!pause(run, kModuleRestartMs)) return false;
    platform::logf("Find Mesh");
    for (int round = 0; round < kMeshSearchTries; ++round) {
        uint32_t pid = 0;
        const bool opened = usbhid_open_qcc_mesh(&pid, run.message) == 0;
        usbhid_close_all();
        if (opened) return true;
        if (!pause(run, kStepMs)) return false;
    }
    return false;
}

}  // namespace

bool writeQccBluetoothImage(UpdateRun& run, PartExchange& x, const QccImageLogs& logs) {
    const PartEntry entry = *ArchiveLayout(run.image.data(), run.image.size).part(kBluetoothEntry);
    if (logs.beforeStart) platform::logf("%s", logs.beforeStart);
    if (!meshCommand(x, kStartImage, {0})) return failCannotGetStatus(run, "[B][0]"), false;
    ChunkFailure failed = ChunkFailure::none;
    if (!sendPartChunks(0, x.request, run.image.data() + entry.offset, entry.length, &run.page.stopRequested,
                        ChunkMarks{kLastChunk, true, "writeLAST"}, &failed))
        return failCannotGetStatus(run, failed == ChunkFailure::wait ? "[B][2]" : "[B][1]"), false;
    if (!meshCommand(x, kEndImage)) return failCannotGetStatus(run, "[B][3]"), false;
    platform::logf("%s", logs.beforeLoader);
    if (!meshCommand(x, kRunLoader, {0})) return failCannotGetStatus(run, "[B][4]"), false;
    usbhid_close_all();
    uint32_t pid = 0;
    // A headset that never comes back ends as the open after the wait fails.
    if (!pause(run, kLoaderRestartMs) || !waitForReturn(run) || run.openHeadset(&pid, run.message) != 0) {
        publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, "[B][5]");
        endOfWork(run, EndEntry::plain);
        return false;
    }
    if (!meshCommand(x, kFinalCheck)) return failCannotGetStatus(run, "[B][6]"), false;
    return true;
}

bool readinessRefused(UpdateRun& run, PartExchange& x) {
    if (!meshCommand(x, kReadiness)) return failCannotGetStatus(run, "[01][qm]"), true;
    platform::logf("rV = [%d]", x.reply[3]);
    if (x.reply[3] != 0) return failCannotGetStatus(run, "[02][qm]"), true;
    return false;
}

void updateQccMesh(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    // The loader checked the other table of these models: the entries read are checked here.
    if (!checkEntries(run, false, kMeshEntry + 1)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);
    beginWritePhase(run, kWritePhase);

    PartExchange x(run);
    if (std::find(std::begin(kReadinessModels), std::end(kReadinessModels), run.deviceTarget) !=
            std::end(kReadinessModels) &&
        readinessRefused(run, x))
        return;
    platform::logf("Qcc Mesh Update start");
    if (!meshCommand(x, kHandOver)) return failCannotGetStatus(run, "[1][50]");
    usbhid_close_all();
    if (!pause(run, kBeforeModuleMs) || !findDevice(run, usbhid_open_qcc_mesh, kMeshSearchTries))
        return failCannotGetStatus(run, "[4]");
    const PartEntry mesh = *ArchiveLayout(run.image.data(), run.image.size).part(kMeshEntry);
    if (const char* tag = writeMeshImage65(run, run.image.data() + mesh.offset, mesh.length))
        return failCannotGetStatus(run, tag);
    if (!moduleCameBack(run)) return failCannotGetStatus(run, "[M][5]");

    uint32_t pid = 0;
    if (run.openHeadset(&pid, run.message) != 0) {
        run.page.updateRestoreError = kEndNotRecognizedDevice;
        publishFailure(run, app::AppTexts::qelm_string_not_recognized_device_in, "[M][6]");
        return endOfWork(run, EndEntry::withHid);
    }
    if (!meshCommand(x, kBluetoothPhase)) return failCannotGetStatus(run, "[M][7]");
    if (!writeQccBluetoothImage(run, x, {"QCC Mesh EDN BT Update Start", "QCC BT Runloader Start 4"})) return;
    succeedMeshRun(run, kQccEndLog, false);
}

}  // namespace update
