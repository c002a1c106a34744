// The HID part download with the download-mode switch (0x0E), and the steps its siblings share.
#include "update/HidPartDownload.h"

#include <cstdio>
#include <cstring>

#include "app/AppTexts.h"
#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/HidPartChunks.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kEnterDownloadMode = 0x0E, kStartPart = 0x05, kEndPart = 0x07, kPollReady = 0x0D;
constexpr int64_t kDownloadModeReopenMs = 3000;
constexpr int64_t kBeforePartsMs = 5000;
constexpr int64_t kBeforePollMs = 5000;
constexpr int64_t kRestartMs = 60000;
constexpr int64_t kStepMs = 1000;
constexpr int64_t kClosingMs = 2000;

}  // namespace

bool PartExchange::command(int slot, uint8_t cmd, std::optional<uint8_t> arg) {
    if (run_.stopped()) return false;
    if (fill_ == RequestFill::zeroFilled) std::memset(request, 0, sizeof request);
    request[0] = 1;
    request[1] = cmd;
    if (arg) request[2] = *arg;
    return usbhid_command(slot, request, reply);
}

ChipVersion PartExchange::readVersion(int slot) {
    if (!command(slot, 0x01)) return ChipVersion{};
    return ChipVersion{reply[3], reply[4], reply[5], reply[6]};
}

bool PartExchange::writePart(int slot, uint8_t target, const unsigned char* data, size_t length) {
    const ChunkMarks marks{kPartChunkCommand, fill_ == RequestFill::zeroFilled};
    return command(slot, kStartPart, target) &&
           sendPartChunks(slot, request, data, length, &run_.page.stopRequested, marks) && command(slot, kEndPart);
}

bool sameVersion(const ChipVersion& v, int32_t major, int32_t minor, int32_t type, int32_t secondary) {
    return device::ORVABluetoothDeviceData::compareVersionMajor(v.major, v.minor, v.type, v.secondary, major, minor,
                                                                type, secondary) == 0;
}

void failNotRecognized(UpdateRun& run) {
    run.page.updateRestoreError = kEndNotRecognizedDevice;
    publishFailure(run, app::AppTexts::qelm_string_not_recognized_device_in);
    endOfWork(run, EndEntry::withHid);
}

bool openCheckedAndLoaded(UpdateRun& run, PartExchange& x, RecordVersion version) {
    if (!openAndIdentify(run)) {
        endOfWork(run, EndEntry::plain);
        return false;
    }
    const device::ORVABluetoothDeviceData& r = run.record;
    const ChipVersion v = x.readVersion(0);
    const bool same = version == RecordVersion::plain
                          ? sameVersion(v, r.deviceVersionMajor(), r.deviceVersionMinor(),
                                        r.deviceSecondaryVersionType(), r.deviceSecondaryVersion())
                          : sameVersion(v, r.deviceVersionMajor01(), r.deviceVersionMinor01(),
                                        r.deviceSecondaryVersionType01(), r.deviceSecondaryVersion01());
    if (!same) {
        failNotRecognized(run);
        return false;
    }
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) endOfWork(run, EndEntry::withHid);
    return loaded;
}

bool checkEntries(UpdateRun& run, bool longTable, int32_t minimum) {
    const ArchiveLayout layout(run.image.data(), run.image.size);
    bool sound = layout.count() >= minimum;
    for (int32_t k = 0; sound && k < layout.count(); ++k) sound = longTable ? layout.block(k).has_value() : layout.part(k).has_value();
    if (sound) return true;
    failFirmwareCorrupted(run, EndEntry::withHid);
    return false;
}

void failFirmwareCorrupted(UpdateRun& run, EndEntry entry, int32_t code) {
    std::snprintf(run.message2, sizeof run.message2, "%s", "Firmware corrupted");
    const int model = run.record.deviceRecognized();
    publishFailure(run, [&](int i) { return UpdateTexts::qelm_string_message(run.message2, model, i).value_or(""); });
    run.page.updateRestoreError = code;
    endOfWork(run, entry);
}

void beginWritePhase(UpdateRun& run, int32_t phase) {
    run.page.addUpdateProcessed = 2;
    publishStep(run, nullptr);
    run.page.updateTimerProcessTime = 0;
    run.page.updateTimerPercentToProcess = 0;
    run.page.updateRestoreError = kEndFailed;
    run.page.addUpdateProcessed = phase;
    run.page.updateTimerProcessed = 0;
}

void endStopped(UpdateRun& run) {
    publishFailure(run, nullptr);
    run.page.updateRestoreError = kEndFailed;
    endOfWork(run, EndEntry::withHid);
}

void failCannotGetStatus(UpdateRun& run, const std::string& tag) {
    publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, tag);
    endOfWork(run, EndEntry::withHid);
}

bool pollReady(UpdateRun& run, PartExchange& x) {
    for (int pass = 0; pass < kPartDownloadPasses; ++pass) {
        if (x.command(0, kPollReady) && x.reply[3] != 0) return true;
        if (!pause(run, kStepMs)) return false;
    }
    platform::logf("update: the headset never became ready");
    return false;
}

bool waitForReturn(UpdateRun& run) {
    usbhid_close_all();
    for (int pass = 0; pass < kPartDownloadPasses; ++pass) {
        if (!pause(run, kStepMs)) return false;
        uint32_t pid = 0;
        const bool opened = run.openHeadset(&pid, run.message) == 0;
        usbhid_close_all();
        if (opened) return true;
    }
    platform::logf("update: the headset did not come back");
    return false;
}

void closingStretch(UpdateRun& run) {
    usbhid_close_all();
    run.page.updateRestoreError = 0;
    run.page.addUpdateProcessed = 99;
    pause(run, kStepMs);
}

void closeAndSucceed(UpdateRun& run) {
    closingStretch(run);
    markSucceeded(run);
    endOfWork(run, EndEntry::plain);
}

void succeedAfterReturn(UpdateRun& run) {
    if (run.page.openedMessageBox.load()) {
        run.controller.closeMessageBox();
        run.page.openedMessageBox = false;
        run.page.updateProcessed = kProcessedComplete;
    }
    pause(run, kClosingMs);
    run.page.updateRestoreError = 0;
    run.page.addUpdateProcessed = 100;
    pause(run, kClosingMs);
    markSucceeded(run);
    endOfWork(run, EndEntry::plain);
}

void updateHidDownloadMode(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    PartExchange x(run);
    platform::logf(x.command(0, kEnterDownloadMode) ? "COMMAND_ENTER_DNLD_MODE OK" : "COMMAND_ENTER_DNLD_MODE FAIL");
    usbhid_close_all();
    if (!pause(run, kDownloadModeReopenMs)) return endStopped(run);
    uint32_t pid = 0;
    if (run.openHeadset(&pid, run.message) != 0 || static_cast<int32_t>(pid) != run.controller.usbStatus())
        return failNotRecognized(run);
    const device::ORVABluetoothDeviceData& r = run.record;
    if (!sameVersion(x.readVersion(0), r.deviceVersionMajor(), r.deviceVersionMinor(), r.deviceSecondaryVersionType(),
                     r.deviceSecondaryVersion()))
        return failNotRecognized(run);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    if (!checkEntries(run, true, 0)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, 98);
    bool finishFlag = false;
    if (!pause(run, kBeforePartsMs)) return failCannotGetStatus(run);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    for (int32_t i = 0; i < layout.count(); ++i) {
        const BlockRecord part = *layout.block(i);
        if (part.number == 0) finishFlag = true;
        if (!x.writePart(0, static_cast<uint8_t>(part.flag), run.image.data() + part.offset, part.length))
            return failCannotGetStatus(run);
    }
    if (!pause(run, kBeforePollMs)) return failCannotGetStatus(run);
    run.page.openedMessageBox = true;  // holds the shown percentage; no box
    if (!pollReady(run, x)) return failCannotGetStatus(run);
    if (finishFlag) {
        if (!x.finish(0)) return failCannotGetStatus(run);
        if (run.page.openedMessageBox.load()) {
            run.controller.closeMessageBox();
            run.page.openedMessageBox = false;
        }
    }
    run.page.addUpdateProcessed = 99;
    run.page.updateTimerProcessed = 0;
    if (!pause(run, kRestartMs)) return failCannotGetStatus(run);
    run.page.openedMessageBox = true;
    if (!waitForReturn(run)) return failCannotGetStatus(run);
    succeedAfterReturn(run);
}

}  // namespace update
