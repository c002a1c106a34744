// The QCC family over format A: one image (part 0 of the archive) through the QCC image write,
// with the headset switched to its update mode first (0x13) and, for the language-pack models on
// older firmware, a pack fetched from the firmware server and written before the firmware.
#include <algorithm>
#include <iterator>

#include "platform/Http.h"
#include "platform/Log.h"
#include "platform/Servers.h"
#include "update/HidPartDownload.h"
#include "update/QccFamily.h"
#include "update/QccImageWrite.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr int32_t kGroupA[] = {0x4D16, 0x4D06, 0x4D76, 0x4D86};

constexpr LanguagePack kPacks[] = {
    {0x3430, 1, 2, "CELVAR7R-v1.2-build0-lp1.img", "CELVAR7R-v1.2-build0-lp2.img"},
    {0x3420, 1, 2, "CELVAR6R-v1.2-build0-lp1.img", "CELVAR6R-v1.2-build0-lp2.img"},
    {0x3341, 1, 3, "celvar3hd-v1.3-build0-lp1.img", "celvar3hd-v1.3-build0-lp2.img"},
    {0x3340, 1, 3, "celvar3-v1.3-build0-lp1.img", "celvar3-v1.3-build0-lp2.img"},
};
constexpr int32_t kLastFirstImageIndex = 9;  // pop-up indexes above it take the second image

constexpr QccTags kTags{"[B][0]", "[B][1]", "[B][2]", "[B][3]", "[B][4]", "[B][5]", "[B][6]"};
constexpr const char* kTimedConfirmTag = "[OB][6]";
constexpr const char* kTagUpdateMode = "[B][00]";
constexpr const char* kTagReopen = "[B][9]";
constexpr const char* kTagDone = "[B][7]";

constexpr uint8_t kUpdateMode = 0x13, kDone = 0x12;
constexpr int64_t kUpdateModeReopenMs = 2000;
constexpr int64_t kStepMs = 1000;
constexpr int kPackIdleSeconds = 30;
constexpr int32_t kBoxSize = 0, kBoxInstruction = 1;
constexpr int32_t kWritePhase = 4, kPackPhase = 90, kSwitchPhase = 90, kClosingPhase = 99, kClosingProcessed = 90;

// Opens the instruction box, unless one is open; the worker closes it itself.
void openInstructionBox(UpdateRun& run, const std::optional<std::string>& text) {
    if (run.page.openedMessageBox.load()) return;
    run.page.openedMessageBox = true;
    run.controller.openMessageBoxWithMessage(text.value_or(""), true, std::nullopt, std::nullopt, kBoxSize,
                                             kBoxInstruction);
}

void closeInstructionBox(UpdateRun& run) {
    if (!run.page.openedMessageBox.load()) return;
    run.controller.closeMessageBox();
    run.page.openedMessageBox = false;
}

// Group A after the write: 0x12 until the headset says done; a failed send ends it at once.
bool pollDone(UpdateRun& run) {
    uint8_t reply[kLongReplySize] = {};
    for (int pass = 0; pass < kPartDownloadPasses; ++pass) {
        if (!qccCommand(run, kDone, 0, reply)) return false;
        if (reply[3] != 0) return true;
        if (!pause(run, kStepMs)) return false;
    }
    platform::logf("update: the headset never finished");
    return false;
}

// 0x13, the wait for the headset in its update mode, the image, the closing steps. False when
// the run has ended (its failure published).
bool switchAndWrite(UpdateRun& run, QccImage image) {
    uint8_t reply[kLongReplySize] = {};
    if (!qccCommand(run, kUpdateMode, 0, reply)) {
        failCannotGetStatus(run, kTagUpdateMode);
        return false;
    }
    if (!reopenWithWait(run, kUpdateModeReopenMs)) {
        publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, kTagReopen);
        endOfWork(run, EndEntry::plain);
        return false;
    }
    image.timedConfirm = languagePackOf(run.deviceTarget) != nullptr;
    QccTags tags = kTags;
    if (image.timedConfirm) tags.confirm = kTimedConfirmTag;
    if (const char* tag = writeQccImage(run, image, tags)) {
        failQccWrite(run, tags, tag);
        return false;
    }
    if (qccGroupOf(run.deviceTarget) == QccGroup::A) {
        openInstructionBox(run, run.controller.getMessageBoxSecondButton());
        const bool done = pollDone(run);
        closeInstructionBox(run);
        if (!done) {
            failCannotGetStatus(run, kTagDone);
            return false;
        }
    } else {
        run.page.addUpdateProcessed = kClosingPhase;
        run.page.updateTimerProcessed = 0;
        run.page.updateProcessed = kClosingProcessed;
    }
    return true;
}

// Fetches and writes the pack; false when the run has ended.
bool writeLanguagePack(UpdateRun& run, const std::string& file) {
    const std::string address = languagePackAddress(file);
    platform::HttpResult got =
        platform::httpGetIdle(address, kPackIdleSeconds, platform::CachePolicy::UseCacheWhenPresent,
                              run.page.firmwareByteCap.load(), &run.page.stopRequested);
    if (!got.ok || got.status != 200) {
        platform::logf("Error on load = %s (%s)", got.error.c_str(), address.c_str());
        publishFailure(run, UpdateTexts::qelm_string_cannot_download_firmware_in);
        endOfWork(run, EndEntry::plain);
        return false;
    }
    run.saveFileOTA = std::move(got.body);
    const std::optional<QccImage> image = qccPartZero(run.saveFileOTA.data(), run.saveFileOTA.size());
    if (!image) {
        // Not the user's file: no manager restart.
        failFirmwareCorrupted(run, EndEntry::plain, kEndFailed);
        return false;
    }
    if (!openAndIdentify(run)) {
        endOfWork(run, EndEntry::plain);
        return false;
    }
    beginWritePhase(run, kPackPhase);
    if (!switchAndWrite(run, *image)) return false;
    // The pack's end: the code back to 0 for the moment, but neither 100 nor the success flag,
    // which belong to the firmware's end alone (a later failure must stay a failure).
    closingStretch(run);
    return true;
}

}  // namespace

QccGroup qccGroupOf(int32_t model) {
    return std::find(std::begin(kGroupA), std::end(kGroupA), model) != std::end(kGroupA) ? QccGroup::A
                                                                                          : QccGroup::B;
}

const LanguagePack* languagePackOf(int32_t model) {
    for (const LanguagePack& p : kPacks)
        if (p.model == model) return &p;
    return nullptr;
}

std::optional<std::string> languagePackFile(int32_t model, const device::ORVABluetoothDeviceData& record,
                                            const std::vector<std::string>& popUpItems, int32_t selected) {
    const LanguagePack* pack = languagePackOf(model);
    if (!pack || record.compareVersionUpToMinorWithMajor(pack->major, pack->minor) >= 0) return std::nullopt;
    return !popUpItems.empty() && selected > kLastFirstImageIndex ? pack->lp2 : pack->lp1;
}

std::string languagePackAddress(const std::string& file) { return platform::mainServerBase() + file; }

void updateQccLanguagePacks(UpdateRun& run) {
    if (auto pack = languagePackFile(run.deviceTarget, run.record, run.languageFirmware, run.languageFirmwareSelected)) {
        platform::logf("update: language pack %s first", pack->c_str());
        if (!writeLanguagePack(run, *pack)) return;
    }

    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    // The loader does not check the short table that part 0 is read from.
    const std::optional<QccImage> image = qccPartZero(run.image.data(), run.image.size);
    if (!image) return failFirmwareCorrupted(run, EndEntry::withHid);
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, kWritePhase);
    if (qccGroupOf(run.deviceTarget) == QccGroup::A) {
        openInstructionBox(run, run.controller.getMessageBoxFirstButton());
        PartExchange x(run);
        const bool ready = pollReady(run, x);
        closeInstructionBox(run);
        if (!ready) return failCannotGetStatus(run);
    } else {
        run.page.addUpdateProcessed = kSwitchPhase;
        run.page.updateTimerProcessed = 0;
    }
    if (!switchAndWrite(run, *image)) return;

    closeAndSucceed(run);
}

}  // namespace update
