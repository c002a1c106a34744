// The update worker's frame: prologue, dispatch, status publication, firmware file load,
// settings backup, the modal question and the end of work.
#include "update/UpdateWorker.h"

#include <algorithm>

#include "app/AppTexts.h"
#include "app/TextFormat.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/TestWaits.h"
#include "transport/FirmwareFileChecks.h"
#include "update/ArchiveFileNames.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

using app::AppTexts;
using app::formatText;

constexpr int64_t kStepMs = 1000;
constexpr int32_t kBackupQuestionSize = 3;
constexpr int32_t kBackupQuestionPurpose = 14;

std::string prefixProcessing(const UpdateRun& run, int language) {
    return AppTexts::qelm_status_processing(run.mode, run.controller.usbStatus(), language).value_or("");
}

std::string prefixFailure(const UpdateRun& run, int language) {
    return AppTexts::qelm_status_failure(run.mode, run.controller.usbStatus(), language).value_or("");
}

// Families whose procedures have not landed yet end at once as a failure.
void notYetSupported(UpdateRun& run) {
    platform::logf("update: no firmware writer for model %04X yet", static_cast<unsigned>(run.deviceTarget));
    publishFailure(run, nullptr);
    endOfWork(run, EndEntry::plain);
}

using FamilyRoutine = void (*)(UpdateRun&);

struct FamilyRow {
    Family family;
    FamilyRoutine routine;
};

constexpr FamilyRow kFamilies[] = {
    {Family::airohaBlocks, updateAirohaBlocks},
    {Family::airohaTypedBlocks, updateAirohaTypedBlocks},
    {Family::qccMultiPart, updateQccMultiPart},
    {Family::qccLanguagePacks, updateQccLanguagePacks},
    {Family::qccAirohaMeshBlock, updateQccAirohaMeshBlock},
    {Family::downloadMode, updateHidDownloadMode},
    {Family::cameraStorage, updateHidCameraStorage},
    {Family::twoChip, updateTwoChip},
    {Family::qccDowngradeGuard, updateTwoChipDowngradeGuard},
    {Family::meshModule, updateMeshModule},
    {Family::meshCameraVoice, updateMeshCameraVoice},
    {Family::airohaMesh, updateAirohaMesh},
    {Family::qccMesh, updateQccMesh},
    {Family::qccAirohaMesh, updateQccAirohaMesh},
    {Family::hidThenCsr, updateCsrDfu},
    {Family::csr, updateCsrDfu},
};

FamilyRoutine routineOf(Family family) {
    for (const FamilyRow& row : kFamilies)
        if (row.family == family) return row.routine;
    return notYetSupported;
}

}  // namespace

bool hasRoad(Family family) { return routineOf(family) != notYetSupported; }

void publishStep(UpdateRun& run, const std::function<std::string(int)>& text) {
    for (int i = 0; i < kLanguages; ++i) {
        std::string prefix = prefixProcessing(run, i);
        run.page.setUpdateStatus(i, text ? formatText("%@ %@", {prefix, text(i)}) : prefix);
    }
}

void publishFailure(UpdateRun& run, const std::function<std::string(int)>& text, const std::string& tag) {
    for (int i = 0; i < kLanguages; ++i) {
        std::string prefix = prefixFailure(run, i);
        std::string status = text ? formatText("%@. %@", {prefix, text(i)}) : prefix;
        run.page.setUpdateStatus(i, status + tag);
    }
}

bool pause(UpdateRun& run, int64_t ms) {
    ms = platform::workerMs(ms);
    while (ms > 0) {
        if (run.stopped()) return false;
        const int64_t step = std::min(ms, platform::workerMs(kStepMs));
        platform::sleepMs(step);
        ms -= step;
    }
    return !run.stopped();
}

bool openAndIdentify(UpdateRun& run) {
    usbhid_close_all();
    std::fill(std::begin(run.message), std::end(run.message), '\0');
    uint32_t pid = 0;
    const bool opened = run.openHeadset(&pid, run.message) == 0;
    run.productId[0] = pid;
    if (opened && static_cast<int32_t>(pid) == run.controller.usbStatus()) return true;
    run.page.updateRestoreError = kEndNotRecognizedDevice;
    publishFailure(run, AppTexts::qelm_string_not_recognized_device_in);
    if (opened) usbhid_close_all();
    return false;
}

bool loadFirmwareArchive(UpdateRun& run) {
    unsigned char* image = nullptr;
    const long size = firmware_load_archive(run.firmwareFile.c_str(), &image, run.message2, run.deviceTarget);
    if (size > 0 && image) {
        run.image.bytes.reset(image);
        run.image.size = static_cast<size_t>(size);
        return true;
    }
    std::free(image);
    const int model = run.record.deviceRecognized();
    publishFailure(run, [&](int i) { return UpdateTexts::qelm_string_message(run.message2, model, i).value_or(""); });
    run.page.updateRestoreError = kEndFirmwareFileFailed;
    return false;
}

void askModalQuestion(UpdateRun& run, const std::string& message, bool warning,
                      const std::optional<std::string>& buttonCancel, const std::optional<std::string>& buttonOK,
                      int32_t withSize, int32_t forWhat) {
    // Set before the box opens, so that an answer that comes at once is not lost.
    run.page.openedMessageBox = true;
    run.controller.openMessageBoxWithMessage(message, warning, buttonCancel, buttonOK, withSize, forWhat);
    while (run.page.openedMessageBox.load() && !run.stopped()) platform::sleepMs(platform::workerMs(kStepMs));
    run.page.openedMessageBox = false;
}

bool makeSettingsBackup(UpdateRun& run) {
    if (run.mode != 5) return true;
    publishStep(run, UpdateTexts::qelm_string_about_to_make_backup_firmware_in);
    device::ORVABluetoothDeviceData backup;
    backup.configureWithSource(run.record);

    bool written = false;
    std::string why = "the model has no internal name";
    if (auto name = backupFileName(run.deviceTarget)) {
        platform::createFolders(run.archiveFolder);  // a failure shows in the write
        written = platform::writeFileAtomically(run.archiveFolder + "/" + *name, backup.archivedData(), &why);
    }
    if (written) return true;
    platform::logf("update: backup not written: %s", why.c_str());

    askModalQuestion(run, run.controller.getMessageBoxFileCreationFailed(), true, std::nullopt,
                     AppTexts::qelm_string_yes_in(run.controller.languageManager()), kBackupQuestionSize,
                     kBackupQuestionPurpose);
    if (run.controller.skipRestoreBackupFile() && !run.stopped()) {
        run.controller.setSkipRestoreBackupFile(false);
        return true;
    }
    publishFailure(run, AppTexts::qelm_string_cannot_make_backup_firmware_in);
    run.page.updateRestoreError = kEndFailed;
    return false;
}

void markSucceeded(UpdateRun& run) {
    run.page.updateProcessed = kProcessedComplete;
    run.page.updateSucceeded.store(true, std::memory_order_release);
}

void endOfWork(UpdateRun& run, EndEntry entry) {
    if (entry == EndEntry::withHid) usbhid_close_all();
    run.image.reset();
    // A box still open is closed before the end is shown, so that the box the timer opens for the
    // end is never the one closed here.
    if (run.page.openedMessageBox.load()) {
        run.controller.closeMessageBox();
        run.page.openedMessageBox = false;
    }
    if (entry != EndEntry::afterFinished) run.page.updateFinished.store(true, std::memory_order_release);
}

void threadMethodUpdate(UpdateRun& run) {
    run.deviceTarget = run.controller.deviceTarget();
    run.mode = run.controller.mode();
    run.page.updateRestoreError = 0;
    publishStep(run, run.mode == 5 ? UpdateTexts::qelm_string_checking_firmware_in : UpdateTexts::qelm_string_checking_backup_firmware_in);
    run.page.updateProcessed = 0;
    run.page.updateSucceeded = false;
    run.page.updateFinished = false;
    run.page.openedMessageBox = false;
    run.page.addUpdateProcessed = 0;
    run.page.updateRestoreError = kEndFailed;
    run.productId = {};
    std::fill(std::begin(run.message), std::end(run.message), '\0');
    std::fill(std::begin(run.message2), std::end(run.message2), '\0');
    run.image.reset();
    if (run.family)
        run.family(run);
    else
        routineOf(familyOf(run.deviceTarget))(run);
}

}  // namespace update
