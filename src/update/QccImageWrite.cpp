#include "update/QccImageWrite.h"

#include <cstring>

#include "platform/Log.h"
#include "update/HidPartChunks.h"
#include "update/HidPartDownload.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kStart = 0x05, kEnd = 0x07, kRunLoader = 0x08, kConfirm = 0x0A;
constexpr int64_t kLoaderRestartMs = 6000;

}  // namespace

std::atomic<int> confirmFirstReplyMs{kDefaultConfirmFirstReplyMs};

bool qccCommand(UpdateRun& run, uint8_t command, uint8_t argument, uint8_t* reply) {
    if (run.stopped()) return false;
    uint8_t request[kLongRequestSize] = {1, command, argument};
    return usbhid_command(0, request, reply);
}

bool reopenWithWait(UpdateRun& run, int64_t waitMs) {
    usbhid_close_all();
    if (!pause(run, waitMs) || !waitForReturn(run)) return false;
    uint32_t pid = 0;
    return run.openHeadset(&pid, run.message) == 0;
}

const char* writeQccImage(UpdateRun& run, const QccImage& image, const QccTags& tags) {
    uint8_t reply[kLongReplySize] = {};
    if (!qccCommand(run, kStart, image.type, reply)) return tags.start;
    uint8_t request[kLongRequestSize] = {};
    ChunkFailure failed = ChunkFailure::none;
    if (!sendPartChunks(0, request, image.data, image.length, &run.page.stopRequested,
                        ChunkMarks{kLastImageChunkCommand, true}, &failed))
        return failed == ChunkFailure::wait ? tags.wait : tags.send;
    if (!qccCommand(run, kEnd, 0, reply)) return tags.end;
    if (!qccCommand(run, kRunLoader, 0, reply)) return tags.loader;
    if (!reopenWithWait(run, kLoaderRestartMs)) return tags.reopen;
    if (run.stopped()) return tags.confirm;
    const uint8_t confirm[kLongRequestSize] = {1, kConfirm};
    const bool confirmed = image.timedConfirm ? usbhid_command_timed(0, confirm, reply, confirmFirstReplyMs.load())
                                              : usbhid_command(0, confirm, reply);
    return confirmed ? nullptr : tags.confirm;
}

void failQccWrite(UpdateRun& run, const QccTags& tags, const char* tag) {
    platform::logf("update: QCC image write failed %s", tag);
    publishFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, tag);
    endOfWork(run, std::strcmp(tag, tags.reopen) == 0 ? EndEntry::plain : EndEntry::withHid);
}

std::optional<QccImage> qccPartZero(const unsigned char* image, size_t size) {
    // The image's own count is not consulted: part 0 is read whatever it says.
    constexpr size_t kOffsetAt = 44, kLengthAt = 48, kEntryEnd = 52;
    if (!image || size < kEntryEnd) return std::nullopt;
    auto le32 = [image](size_t at) {
        return uint64_t(image[at]) | uint64_t(image[at + 1]) << 8 | uint64_t(image[at + 2]) << 16 |
               uint64_t(image[at + 3]) << 24;
    };
    const uint64_t offset = le32(kOffsetAt), length = le32(kLengthAt);
    if (offset + length > size) return std::nullopt;
    return QccImage{0, image + offset, static_cast<size_t>(length), false};
}

}  // namespace update
