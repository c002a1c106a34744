// The Airoha family with typed blocks (0x6A01-0x6A04): an Airoha chip beside a QCC chip. Every
// block goes through the same short-report block write with explicit reply lengths and time-outs;
// a block of type 3 belongs to the QCC chip, whose version is asked over its own device. Nothing
// is skipped and no settings backup is made.
#include <algorithm>
#include <cstring>
#include <string>

#include "app/TextFormat.h"
#include "platform/Log.h"
#include "transport/Checksums.h"
#include "update/ArchiveLayout.h"
#include "update/HidPartDownload.h"
#include "update/QccImageWrite.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kVersion = 0x01, kStart = 0x05, kWrite = 0x06, kVerify = 0x5B, kRunLoader = 0x08,
                  kResult = 0x0A;
constexpr uint32_t kQccType = 3;
constexpr uint32_t kPieceMax = 58;
constexpr uint8_t kVerifyWhole = 2;
constexpr int kPiecePolls = 1000;
constexpr int64_t kLoaderRestartMs = 6000;
constexpr int32_t kWritePhase = 4;

// One timed exchange: the command, the reply length expected (echo and status included) and how
// long the reply may take.
struct Timed {
    uint8_t command;
    uint8_t replyLength;
    int timeoutMs;
};
constexpr Timed kAskVersion{kVersion, 7, 10000};
constexpr Timed kErase{kStart, 2, 10000};
constexpr Timed kVerifyBlock{kVerify, 2, 1000};
constexpr Timed kLoader{kRunLoader, 2, 500};
constexpr Timed kAskResult{kResult, 3, 500};
constexpr uint8_t kPieceReplyLength = 4;

// The tags, "%d" the block type ("vertion" as the headsets' tools have always shown it).
constexpr const char* kTagQccVersion = "[60][qccver][%d]";
constexpr const char* kTagVersion = "[60][vertion][%d]";
constexpr const char* kTagErase = "[60][erase][%d]";
constexpr const char* kTagWrite = "[60][write][%d]";
constexpr const char* kTagRead = "[60][read][%d]";
constexpr const char* kTagCrc = "[60][crc][%d]_Write CRC Check Fail";
constexpr const char* kTagVerify = "[60][verify][%d]_Verify All Fail";
constexpr const char* kTagLoader = "[60][runloader][%d]";
constexpr const char* kTagOpen = "[60][open][%d]";
constexpr const char* kTagResult = "[60][dfu][%d]";
// Not a tag: the reopen before the start ends as "Not the recognized device".
constexpr const char* kNotRecognized = "";

struct Exchange {
    uint8_t request[kShortReportSize] = {};
    uint8_t reply[kShortReportSize] = {};
};

bool timed(UpdateRun& run, Exchange& x, const Timed& t) {
    if (run.stopped()) return false;
    x.request[0] = 1;
    x.request[2] = t.command;
    x.reply[1] = t.replyLength;
    return usbhid_short_command(0, x.request, x.reply, t.timeoutMs);
}

void logAnswer(const char* what, uint32_t type, const uint8_t* bytes) {
    std::string line;
    for (int i = 0; i < 10; ++i) line += app::formatText(" %d", {static_cast<int>(bytes[i])});
    platform::logf("update: block type %u %s:%s", type, what, line.c_str());
}

// Writes one record; the failed step's tag, or nullptr.
const char* writeTypedBlock(UpdateRun& run, const BlockRecord& record) {
    const uint8_t type = static_cast<uint8_t>(record.number);
    platform::logf("update: block type %u, id %u, %u bytes", record.number, record.flag, record.length);
    if (record.number == kQccType) {
        usbhid_close_all();
        uint32_t pid = 0;
        usbhid_open_airoha_mesh_33f0(&pid, run.message);
        uint8_t reply[kLongReplySize] = {};
        if (!qccCommand(run, kVersion, 0, reply)) return kTagQccVersion;
        logAnswer("QCC version", record.number, reply + 3);
    } else {
        Exchange x;
        x.request[3] = type;
        if (!timed(run, x, kAskVersion)) return kTagVersion;
        logAnswer("version", record.number, x.reply + 4);
    }
    usbhid_close_all();
    uint32_t pid = 0;
    if (run.openHeadset(&pid, run.message) != 0) return kNotRecognized;

    Exchange x;
    x.request[3] = type;
    if (!timed(run, x, kErase)) return kTagErase;
    const unsigned char* data = run.image.data() + record.offset;
    uint16_t blockCrc = 0;
    for (uint32_t offset = 0; offset < record.length;) {
        if (run.stopped()) return kTagWrite;
        const uint32_t piece = std::min(kPieceMax, record.length - offset);
        x = {};
        x.request[0] = 1;
        x.request[2] = kWrite;
        x.request[3] = static_cast<uint8_t>(piece);
        std::memcpy(x.request + 4, data + offset, piece);
        if (!usbhid_send_short(0, x.request)) return kTagWrite;
        x.reply[1] = kPieceReplyLength;
        if (!usbhid_read_input_fragments(0, x.reply, kPiecePolls) || x.reply[2] != kWrite) return kTagRead;
        const uint16_t crc = crc16_ccitt(data + offset, static_cast<int>(piece));
        blockCrc = crc16_ccitt_update(blockCrc, data + offset, static_cast<int>(piece));
        if ((x.reply[4] | x.reply[5] << 8) != crc) return kTagCrc;
        offset += piece;
    }
    x = {};
    x.request[4] = kVerifyWhole;
    x.request[5] = static_cast<uint8_t>(blockCrc);
    x.request[6] = static_cast<uint8_t>(blockCrc >> 8);
    if (!timed(run, x, kVerifyBlock)) return kTagVerify;
    x = {};
    x.request[3] = type;
    if (!timed(run, x, kLoader)) return kTagLoader;
    if (!reopenWithWait(run, kLoaderRestartMs)) return kTagOpen;
    x = {};
    if (!timed(run, x, kAskResult)) return kTagResult;
    platform::logf("update: block type %u result %u", record.number, x.reply[4]);
    return nullptr;
}

}  // namespace

void updateAirohaTypedBlocks(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    if (!checkEntries(run, true, 0)) return;
    // These models never make a settings backup.
    beginWritePhase(run, kWritePhase);

    const ArchiveLayout layout(run.image.data(), run.image.size);
    for (int32_t i = 0; i < layout.count(); ++i) {
        const BlockRecord record = *layout.block(i);
        if (const char* tag = writeTypedBlock(run, record)) {
            if (tag == kNotRecognized) return failNotRecognized(run);
            publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in,
                           app::formatText(tag, {static_cast<int>(record.number)}));
            return endOfWork(run, EndEntry::withHid);
        }
    }
    closeAndSucceed(run);
}

}  // namespace update
