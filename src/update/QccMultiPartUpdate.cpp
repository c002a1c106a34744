// The 0x6042 road: a QCC headset whose archive holds several parts (Bluetooth firmware, voice
// prompts). Each part, in the order of the part table, goes through the QCC image write with its
// type in 0x05, and the headset restarts after each.
#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/HidPartDownload.h"
#include "update/QccImageWrite.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr int64_t kFirstReopenMs = 2000;
constexpr int32_t kWritePhase = 4, kPartsPhase = 90, kClosingPhase = 99, kClosingProcessed = 90;

constexpr QccTags kTags{"[E]", "[B][1]", "[B][2]", "[V]", "[R]", "[B][5]", "[D]"};

}  // namespace

void updateQccMultiPart(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    // The loader verifies the long table of this model; the road reads the short one.
    if (!checkEntries(run, false, 0)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, kWritePhase);
    if (!reopenWithWait(run, kFirstReopenMs)) {
        publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in);
        return endOfWork(run, EndEntry::plain);
    }
    run.page.addUpdateProcessed = kPartsPhase;
    run.page.updateTimerProcessed = 0;

    const ArchiveLayout layout(run.image.data(), run.image.size);
    for (int32_t i = 0; i < layout.count(); ++i) {
        const PartEntry part = *layout.part(i);
        platform::logf("update: part %d of %d, type %u, %u bytes", i + 1, layout.count(), part.target, part.length);
        const QccImage image{part.target, run.image.data() + part.offset, part.length, false};
        if (const char* tag = writeQccImage(run, image, kTags)) return failQccWrite(run, kTags, tag);
    }

    run.page.addUpdateProcessed = kClosingPhase;
    run.page.updateTimerProcessed = 0;
    run.page.updateProcessed = kClosingProcessed;
    closeAndSucceed(run);
}

}  // namespace update
