// The HID part download without the download-mode switch: the largest HID family. Its camera
// models hand the container's third part to the camera's card first (switching the camera in and
// out of storage mode over HID); two models get their voice-prompt language written afterwards;
// the models differ in how they wait for the headset to take the parts.
#include <algorithm>
#include <iterator>

#include "app/AppTexts.h"
#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/CameraCopy.h"
#include "update/HidPartDownload.h"
#include "update/UnitLanguage.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr int32_t kCameraModels[] = {0x5510, 0x5580, 0x5570, 0x5576, 0x3060};
constexpr int32_t kUnitLanguageModels[] = {0x3310, 0x3330};
constexpr int32_t kHeldBoxModels[] = {0x3030, 0x3032, 0x3040, 0x3300, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530,
                                      0x5532, 0x5536, 0x5550, 0x5560, 0x5562, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620,
                                      0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5910, 0x5920, 0x6210};
constexpr int32_t kPollWithoutBoxModels[] = {0x5320, 0x5330};
// Every other model of the family finishes directly: no box, no ready poll.

constexpr int32_t kCameraPartIndex = 2;

constexpr uint8_t kStorageOn = 0x20, kStorageOff = 0x21, kCameraState = 0x22;
constexpr int kStatePollAttempts = 30;
constexpr int kSixthAttempt = 6;
constexpr int kFirstVolumeAsks = 70, kSecondVolumeAsks = 200;
constexpr int kLongWaitQueries = 100, kShortWaitQueries = 30;

constexpr CameraCopyTags kCopyTags{"[2][0]", "[2][1]", "[2][9]", "[2][10]", "[2][5]",
                                   "[2][6]", "[2][4]", "[2][9]", "[2][10]"};

constexpr int32_t kInstructionBoxSize = 0, kInstructionBoxPurpose = 1;

template <size_t N>
bool holds(const int32_t (&set)[N], int32_t model) {
    return std::find(std::begin(set), std::end(set), model) != std::end(set);
}

enum class StatePoll { reached, reachedBySixthFailure, missed };

// 0x22 until the camera reports the state; a command failing on the sixth attempt counts as
// reached (as the headsets have always been driven).
StatePoll pollCameraState(UpdateRun& run, PartExchange& x, uint8_t state) {
    for (int attempt = 1; attempt <= kStatePollAttempts; ++attempt) {
        const bool answered = x.command(0, kCameraState);
        if (answered && x.reply[3] == state) return StatePoll::reached;
        if (!answered && attempt == kSixthAttempt && !run.stopped()) return StatePoll::reachedBySixthFailure;
        if (!pause(run, 1000)) return StatePoll::missed;
    }
    return StatePoll::missed;
}

// 0x22 until status 0 with state 0, at most `queries` times.
bool waitCameraOut(UpdateRun& run, PartExchange& x, int queries) {
    for (int n = 0; n < queries; ++n) {
        if (x.command(0, kCameraState) && x.reply[3] == 0) return true;
        if (!pause(run, 1000)) return false;
        platform::logf("wait check update complete %d", n + 1);
    }
    return false;
}

bool fail(UpdateRun& run, const char* tag, bool cameraFailed = false) { return failCameraStep(run, tag, cameraFailed); }

// Steps 7.1 to 7.12; false when the run must end (the failure published).
bool cameraStage(UpdateRun& run, PartExchange& x, const BlockRecord& record) {
    const CameraFiles* files = cameraFilesOf(run.deviceTarget);
    if (!files) return fail(run, "[2][0]");
    const CameraPart part = cameraPartOf(run, record);

    if (!x.command(0, kStorageOn)) return fail(run, "[1][0]");
    if (!pause(run, 1000) || pollCameraState(run, x, 1) == StatePoll::missed) return fail(run, "[4][1]");
    if (!pause(run, 15000)) return fail(run, "[4][1]");
    const auto volume = findCameraVolume(run, kFirstVolumeAsks);
    if (!volume) {
        failCheckSdCard(run);
        return false;
    }
    removeStaleStaged(*volume, *files);
    if (cameraIsCurrent(*volume, *files, part)) {
        const StatePoll in = pollCameraState(run, x, 1);
        if (in == StatePoll::missed) return fail(run, "[4][2]");
        if (!x.command(0, kStorageOff)) return fail(run, "[3][2]");
    } else {
        if (!copyCameraPart(run, *volume, *files, part, kCopyTags)) return false;
        if (!pause(run, 1000)) return fail(run, "[4][2]");
        StatePoll poll = pollCameraState(run, x, 1);
        if (poll == StatePoll::missed) return fail(run, "[4][2]");
        if (!x.command(0, kStorageOff)) return fail(run, poll == StatePoll::reachedBySixthFailure ? "[3][2]" : "[0][0]");
        if (!pause(run, 2000)) return fail(run, "[4][3]");
        poll = pollCameraState(run, x, 0);
        if (poll == StatePoll::missed) return fail(run, "[4][3]");
        if (!x.command(0, kStorageOn)) return fail(run, poll == StatePoll::reachedBySixthFailure ? "[1][1]" : "[3][3]");
        if (!pause(run, 20000)) return fail(run, "[2][3]", true);
        if (run.deviceTarget == 0x5580) {
            // The camera takes long to apply its file: released again and asked until it is out.
            if (!pause(run, 30000)) return fail(run, "[5][1]", true);
            platform::logf("wait check update complete %d", 0);
            if (!waitCameraOut(run, x, kLongWaitQueries)) return fail(run, "[5][1]", true);
            if (!x.command(0, kStorageOff)) return fail(run, "[5][0]");
            if (!pause(run, 10000) || !waitCameraOut(run, x, kShortWaitQueries)) return fail(run, "[5][3]");
            if (!x.command(0, kStorageOn)) return fail(run, "[5][2]");
        }
        const auto again = findCameraVolume(run, kSecondVolumeAsks);
        if (!again) return fail(run, "[2][3]", true);
        if (!pause(run, 3000)) return fail(run, "[2][2]", true);
        if (!cameraIsCurrent(*again, *files, part)) return fail(run, "[2][2]", true);
        if (!pause(run, 3000)) return fail(run, "[4][4]");
        poll = pollCameraState(run, x, 1);
        if (poll == StatePoll::missed) return fail(run, "[4][4]");
        if (!x.command(0, kStorageOff)) return fail(run, poll == StatePoll::reachedBySixthFailure ? "[3][2]" : "[3][4]");
    }
    if (pollCameraState(run, x, 0) == StatePoll::missed) return fail(run, "[4][5]");
    return true;
}

void openInstructionBox(UpdateRun& run) {
    run.controller.openMessageBoxWithMessage(run.controller.getMessageBoxFirstButton().value_or(""), true, std::nullopt,
                                             std::nullopt, kInstructionBoxSize, kInstructionBoxPurpose);
    run.page.openedMessageBox = true;
}

}  // namespace

void updateHidCameraStorage(UpdateRun& run) {
    const int32_t model = run.deviceTarget;
    const bool camera = holds(kCameraModels, model);
    const bool heldBox = holds(kHeldBoxModels, model);
    const bool polls = heldBox || holds(kPollWithoutBoxModels, model);

    PartExchange x(run);
    if (!openCheckedAndLoaded(run, x, RecordVersion::plain)) return;
    if (!checkEntries(run, true, camera ? kCameraPartIndex + 1 : 0)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, 98);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    if (camera && !cameraStage(run, x, *layout.block(kCameraPartIndex))) return endOfWork(run, EndEntry::withHid);

    if (!pause(run, 5000)) return failCannotGetStatus(run);
    bool finishFlag = false;
    for (int32_t i = 0; i < layout.count(); ++i) {
        if (camera && i == kCameraPartIndex) break;  // handed over on the card
        const BlockRecord part = *layout.block(i);
        if (part.number == 0) finishFlag = true;
        if (!x.writePart(0, static_cast<uint8_t>(part.flag), run.image.data() + part.offset, part.length))
            return failCannotGetStatus(run);
    }
    if (!pause(run, 5000)) return failCannotGetStatus(run);
    if (holds(kUnitLanguageModels, model)) {
        const int code = UnitLanguage::UnitLanguageCodeFromStringForCelvar(run.strLanguageFirmware.value_or(""));
        UnitLanguage::bt_set_unit_language_celvar(0, code);  // a refusal does not fail the update
    }
    if (heldBox && !run.page.openedMessageBox.load()) openInstructionBox(run);
    if (polls) {
        if (!pollReady(run, x)) return failCannotGetStatus(run);
        if (finishFlag) {
            if (!x.finish(0)) return failCannotGetStatus(run);
            if (run.page.openedMessageBox.load()) {
                run.controller.closeMessageBox();
                run.page.openedMessageBox = false;
            }
        }
    } else if (finishFlag) {
        if (!x.finish(0)) return failCannotGetStatus(run);
        pause(run, 1000);
    }
    run.page.addUpdateProcessed = 99;
    run.page.updateTimerProcessed = 0;
    if (!pause(run, 60000)) return failCannotGetStatus(run);
    if (heldBox && !run.page.openedMessageBox.load()) openInstructionBox(run);
    run.page.openedMessageBox = true;
    if (!waitForReturn(run)) return failCannotGetStatus(run);
    succeedAfterReturn(run);
}

}  // namespace update
