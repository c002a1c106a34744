// The QCC headsets with an Airoha mesh chip and voice prompts (0x5630, 0x5632): the QCC chip's
// identity, the mesh chip switched to its own update device and its block written, then the QCC
// firmware and, when the headset's voice prompts differ from the archive's, the voice prompts.
// Archive records: 0 the QCC firmware, 1 the voice prompts, 2 the mesh block.
#include <algorithm>

#include "app/AppTexts.h"
#include "app/TextFormat.h"
#include "platform/Log.h"
#include "update/AirohaBlockWrite.h"
#include "update/HidPartDownload.h"
#include "update/QccImageWrite.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kMeshReady = 0x12, kMeshUpdateDevice = 0x0F, kReadKey = 0x03, kVoicePromptKey = 0x3E;
constexpr int32_t kRecordFirmware = 0, kRecordVoicePrompts = 1, kRecordMesh = 2;
constexpr int kMeshOpenTries = 20;
constexpr int64_t kBeforeMeshOpenMs = 2000, kStepMs = 1000, kMeshRestartMs = 3000;
constexpr int32_t kPhaseStart = 2, kPhaseWrite = 4;

constexpr QccTags kTags{"[B][0]", "[B][1]", "[B][2]", "[B][3]", "[B][4]", "[B][5]", "[B][6]"};
constexpr const char* kTagReopen = "[B][9]";

// Opens the mesh chip's update device; false after the tries.
bool openMeshDevice(UpdateRun& run) {
    for (int attempt = 0; attempt < kMeshOpenTries; ++attempt) {
        uint32_t pid = 0;
        if (usbhid_open_airoha_mesh(&pid, run.message) == 0) return true;
        usbhid_close_all();
        if (!pause(run, kStepMs)) return false;
    }
    return false;
}

// The firmware file, the backup and the write phase's set-up again, before a QCC image.
bool prepareQccImage(UpdateRun& run) {
    run.image.reset();
    if (!loadFirmwareArchive(run)) {
        endOfWork(run, EndEntry::withHid);
        return false;
    }
    if (!checkEntries(run, true, 3)) return false;
    if (!makeSettingsBackup(run)) {
        endOfWork(run, EndEntry::withHid);
        return false;
    }
    beginWritePhase(run, kPhaseWrite);
    return true;
}

// Writes record `index` through the QCC image write; false when the run has ended.
bool writeRecord(UpdateRun& run, int32_t index) {
    usbhid_close_all();
    uint32_t pid = 0;
    if (run.openHeadset(&pid, run.message) != 0) {
        publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, kTagReopen);
        endOfWork(run, EndEntry::plain);
        return false;
    }
    const BlockRecord record = *ArchiveLayout(run.image.data(), run.image.size).block(index);
    const QccImage image{0, run.image.data() + record.offset, record.length, false};
    if (const char* tag = writeQccImage(run, image, kTags)) {
        failQccWrite(run, kTags, tag);
        return false;
    }
    return true;
}

}  // namespace

void updateQccAirohaMeshBlock(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    {
        PartExchange x(run);
        const device::ORVABluetoothDeviceData& r = run.record;
        if (!sameVersion(x.readVersion(0), r.deviceVersionMajor01(), r.deviceVersionMinor01(),
                         r.deviceSecondaryVersionType01(), r.deviceSecondaryVersion01()))
            return failNotRecognized(run);
    }
    if (!loadFirmwareArchive(run)) return endOfWork(run, EndEntry::withHid);
    if (!checkEntries(run, true, 3)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);
    beginWritePhase(run, kPhaseStart);

    uint8_t reply[kLongReplySize] = {};
    if (!qccCommand(run, kMeshReady, 0, reply)) return failCannotGetStatus(run, "[01][qm]");
    if (reply[3] != 0) return failCannotGetStatus(run, "[02][qm]");
    if (!qccCommand(run, kMeshUpdateDevice, 0, reply)) return failCannotGetStatus(run, "[1][50]");
    usbhid_close_all();
    pause(run, kBeforeMeshOpenMs);
    run.page.addUpdateProcessed = kPhaseWrite;
    run.page.updateTimerProcessed = 0;
    usbhid_close_all();
    if (!openMeshDevice(run)) {
        for (int i = 0; i < kLanguages; ++i) {
            const auto prefix = app::AppTexts::qelm_status_failure(run.mode, run.controller.usbStatus(), i).value_or("");
            run.page.setUpdateStatus(i, app::formatText("%@. %@. %@.[8]", {prefix, UpdateTexts::qelm_string_cannot_get_status_in(i),
                                                                          app::AppTexts::qelm_string_try_again_in(i)}));
        }
        return endOfWork(run, EndEntry::withHid);
    }
    const BlockRecord mesh = *ArchiveLayout(run.image.data(), run.image.size).block(kRecordMesh);
    if (const char* tag = writeAirohaBlock(run, mesh, {false, kMeshRestartMs, usbhid_open_airoha_mesh}))
        return failAirohaBlock(run, mesh, tag);

    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    uint8_t voicePrompts[4] = {};
    if (qccCommand(run, kReadKey, kVoicePromptKey, reply)) std::copy(reply + 13, reply + 17, voicePrompts);
    platform::logf("update: voice prompts %u.%u.%u.%u", voicePrompts[0], voicePrompts[1], voicePrompts[2], voicePrompts[3]);

    if (!prepareQccImage(run) || !writeRecord(run, kRecordFirmware)) return;
    usbhid_close_all();
    const BlockRecord prompts = *ArchiveLayout(run.image.data(), run.image.size).block(kRecordVoicePrompts);
    if (voicePrompts[3] == 10 * int64_t(prompts.versions[0]) + prompts.versions[1]) return closeAndSucceed(run);

    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    if (!prepareQccImage(run) || !writeRecord(run, kRecordVoicePrompts)) return;
    closeAndSucceed(run);
}

}  // namespace update
