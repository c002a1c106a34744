// The Airoha family: firmware blocks written over short HID reports, each piece checked by its
// CRC-16/XMODEM, the block verified whole, then the headset restarts into its loader and is
// found again. A block the headset already holds in the same version is skipped. The block write
// also serves the Airoha mesh modules.
#include "update/AirohaBlock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/TextFormat.h"
#include "platform/Log.h"
#include "transport/Checksums.h"
#include "update/ArchiveLayout.h"
#include "update/HidPartDownload.h"
#include "update/UpdateWorker.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kVersion = 0x01, kStart = 0x05, kWrite = 0x06, kVerify = 0x5B, kRunLoader = 0x08,
                  kResult = 0x0A;
constexpr uint32_t kPieceMax = 58;
constexpr uint8_t kVerifyWhole = 2;
constexpr int64_t kPollStepMs = 1000;
// The reconnection poll gives up after as many passes as the longest wait of the family's
// siblings, and ends as the failed open after it.
constexpr int kReconnectPasses = 300;

// The failure tags of the block write, "%d" the record's block number.
constexpr const char* kTagVersion = "[20][ai][%d]";
constexpr const char* kTagStart = "[0][ai][%d]";
constexpr const char* kTagPiece = "[1][ai][%d]";
constexpr const char* kTagPieceCrc = "[1][ai][%d]_Write CRC Check Fail";
constexpr const char* kTagVerify = "[1][ai][%d]_Verify All Fail";
constexpr const char* kTagLoader = "[4][ai][%d]";
constexpr const char* kTagReopen = "[5][ai][%d]";
constexpr const char* kTagResult = "[6][ai][%d]";

struct Exchange {
    uint8_t request[kShortReportSize] = {};
    uint8_t reply[kShortReportSize] = {};
};

// One short command. The probe counts an answer by its length alone: an answer naming another
// command, or with a status other than done or busy, is a failure too.
bool command(UpdateRun& run, Exchange& x, uint8_t cmd) {
    if (run.stopped()) return false;
    x.request[0] = 1;
    x.request[2] = cmd;
    if (!usbhid_short_command_probe(0, x.request, x.reply)) return false;
    return x.reply[2] == cmd && (x.reply[3] == kStatusDone || x.reply[3] == kStatusBusy);
}

// Finds the restarted device again and leaves it open.
bool reopenAfterRestart(UpdateRun& run, const AirohaBlockOptions& options) {
    const HeadsetOpener open = options.reopen ? options.reopen : run.openHeadset;
    usbhid_close_all();
    if (!pause(run, options.restartMs)) return false;
    bool found = false;
    for (int pass = 0; pass < kReconnectPasses && !found; ++pass) {
        if (!pause(run, kPollStepMs)) return false;
        uint32_t pid = 0;
        found = open(&pid, run.message) == 0;
        usbhid_close_all();
    }
    if (!found) return false;
    uint32_t pid = 0;
    return open(&pid, run.message) == 0;
}

}  // namespace

const char* writeAirohaBlock(UpdateRun& run, const BlockRecord& record, const AirohaBlockOptions& options) {
    Exchange x;
    const uint8_t number = static_cast<uint8_t>(record.number);
    if (record.flag == 1) {
        x.request[3] = number;
        if (!command(run, x, kVersion)) return kTagVersion;
        bool same = options.skipSameVersion;
        for (size_t v = 0; v < record.versions.size(); ++v) same = same && x.reply[4 + v] == record.versions[v];
        if (!options.skipSameVersion) {
            platform::logf("airoha block %u: version asked, written whatever it is", record.number);
        } else if (same) {
            platform::logf("airoha block %u: same version, skipped", record.number);
            return nullptr;
        }
    }
    x = {};
    if (!command(run, x, kStart)) return kTagStart;

    const unsigned char* data = run.image.data() + record.offset;
    uint16_t blockCrc = 0;
    for (uint32_t offset = 0; offset < record.length;) {
        const uint32_t piece = std::min(kPieceMax, record.length - offset);
        x = {};
        x.request[3] = static_cast<uint8_t>(piece);
        std::memcpy(x.request + 4, data + offset, piece);
        if (!command(run, x, kWrite)) return kTagPiece;
        const uint16_t crc = crc16_ccitt(data + offset, static_cast<int>(piece));
        blockCrc = crc16_ccitt_update(blockCrc, data + offset, static_cast<int>(piece));
        if ((x.reply[4] | x.reply[5] << 8) != crc) return kTagPieceCrc;
        const uint64_t before = uint64_t(offset) * 100 / record.length;
        offset += piece;
        const uint64_t percent = uint64_t(offset) * 100 / record.length;
        if (percent == before) continue;
        if (options.meshLogs)
            platform::logf("--- NORMAL BLOCK[%u][%u][%u] CRC[0x%04X][0x%04X]  Progress: %3d%%\n", record.number, offset,
                           record.length, crc, blockCrc, static_cast<int>(percent));
        else
            platform::logf("airoha block %u: %llu%%", record.number, static_cast<unsigned long long>(percent));
    }
    if (options.meshLogs) platform::logf("--------------AIROHA MESH VERIFY\n");
    x = {};
    x.request[4] = kVerifyWhole;
    x.request[5] = static_cast<uint8_t>(blockCrc);
    x.request[6] = static_cast<uint8_t>(blockCrc >> 8);
    if (!command(run, x, kVerify)) return kTagVerify;
    x = {};
    if (!command(run, x, kRunLoader)) return kTagLoader;
    if (!reopenAfterRestart(run, options)) return kTagReopen;
    x = {};
    if (options.meshLogs) platform::logf("--------------AIROHA COMMAND_GET_DFU_RESULT ");
    if (!command(run, x, kResult)) return kTagResult;
    platform::logf("airoha block %u: result %u", record.number, x.reply[4]);
    return nullptr;
}

void failAirohaBlock(UpdateRun& run, const BlockRecord& record, const char* tag) {
    const std::string filled = app::formatText(tag, {static_cast<int>(record.number)});
    publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, filled);
    endOfWork(run, EndEntry::withHid);
}

void updateAirohaBlocks(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    if (!loadFirmwareArchive(run)) return endOfWork(run, EndEntry::plain);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    if (!layout.allBlocksInside()) {
        std::snprintf(run.message2, sizeof run.message2, "%s", "Firmware corrupted");
        const int model = run.record.deviceRecognized();
        publishFailure(run, [&](int i) { return UpdateTexts::qelm_string_message(run.message2, model, i).value_or(""); });
        run.page.updateRestoreError = kEndFirmwareFileFailed;
        return endOfWork(run, EndEntry::plain);
    }
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::plain);

    run.page.addUpdateProcessed = 2;
    publishStep(run, nullptr);
    run.page.updateTimerProcessTime = 0;
    run.page.updateTimerPercentToProcess = 0;
    run.page.updateRestoreError = kEndFailed;
    run.page.addUpdateProcessed = 4;
    run.page.updateTimerProcessed = 0;

    for (int32_t i = 0; i < layout.count(); ++i) {
        const BlockRecord record = *layout.block(i);
        if (const char* tag = writeAirohaBlock(run, record, {})) return failAirohaBlock(run, record, tag);
    }
    closeAndSucceed(run);
}

}  // namespace update
