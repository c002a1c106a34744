#include "update/MeshSteps.h"

#include <algorithm>
#include <cstring>

#include "app/AppTexts.h"
#include "app/TextFormat.h"
#include "platform/Log.h"
#include "transport/Checksums.h"
#include "update/HidPartChunks.h"
#include "update/UnitLanguage.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kVersion = 0x01, kStartImage = 0x05, kChunk = 0x06, kEndImage = 0x07, kRunLoader = 0x08,
                  kMeshOn = 0x50, kPowerHold = 0x52, kPowerRelease = 0x53, kCheckChunk = 0x5A, kCheckImage = 0x5B;
constexpr uint8_t kMeshSelector = 0;
constexpr uint8_t kMountState = 0x80;
constexpr uint32_t kVoicePromptKind = 1;
constexpr int32_t kRestartedPhase = 89;
constexpr int64_t kClosingMs = 1000;
constexpr uint8_t kCrcLength = 2;
constexpr int kImageAttempts = 6;
constexpr int kLongSearchTries = 100;
constexpr int64_t kStepMs = 1000;
constexpr int64_t kBeforeModuleMs = 5000, kModuleRestartMs = 10000, kBeforeSecondModuleMs = 3000,
                  kLoaderRestartMs = 10000;
// The oldest module that checks what it takes: 1.0, secondary type 2, secondary version 1.
constexpr MeshVersion kCheckingModule{1, 0, 2, 1, 0};

// One module record: byte 2 = 0, byte 3 = the chunk's length, the chunk from byte 4.
ImageResult sendRecord(UpdateRun& run, PartExchange& x, const unsigned char* chunk, size_t length) {
    if (run.stopped()) return ImageResult::sendFailed;
    std::memset(x.request + 2, 0, sizeof x.request - 2);
    x.request[0] = 1;
    x.request[1] = kChunk;
    x.request[3] = static_cast<uint8_t>(length);
    std::memcpy(x.request + 4, chunk, length);
    if (!usbhid_send(0, x.request)) return ImageResult::sendFailed;
    if (!usbhid_wait_ready(0)) return ImageResult::waitFailed;
    return ImageResult::written;
}

bool sendCrc(PartExchange& x, uint8_t cmd, uint16_t crc) {
    return meshCommand(x, cmd, {0, kCrcLength, static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8)});
}

bool fail(UpdateRun& run, const char* tag) {
    failCannotGetStatus(run, tag);
    return false;
}

bool failFind(UpdateRun& run, const char* tag) {
    failSearch(run, tag);
    return false;
}

}  // namespace

bool meshCommand(PartExchange& x, uint8_t cmd, std::initializer_list<uint8_t> args) {
    std::memset(x.request + 2, 0, sizeof x.request - 2);
    std::copy(args.begin(), args.end(), x.request + 2);
    return x.command(0, cmd);
}

bool findDevice(UpdateRun& run, HeadsetOpener open, int tries) {
    usbhid_close_all();
    for (int t = 0; t < tries; ++t) {
        if (run.stopped()) return false;
        uint32_t pid = 0;
        if (open(&pid, run.message) == 0) return true;
        usbhid_close_all();
        if (!pause(run, kStepMs)) return false;
    }
    return false;
}

void failSearch(UpdateRun& run, const std::string& tag) {
    run.page.setUpdateStatusAll([&](int i) {
        const std::string prefix =
            app::AppTexts::qelm_status_failure(run.mode, run.controller.usbStatus(), i).value_or("");
        return app::formatText("%@. %@. %@.",
                               {prefix, UpdateTexts::qelm_string_cannot_get_status_in(i),
                                app::AppTexts::qelm_string_try_again_in(i)}) +
               tag;
    });
    endOfWork(run, EndEntry::withHid);
}

MeshVersion readMeshVersion(PartExchange& x) {
    MeshVersion v;
    if (meshCommand(x, kVersion)) v = {x.reply[3], x.reply[4], x.reply[5], x.reply[6], x.reply[7]};
    platform::logf("meshVesion %d.%d.%d. type %d, build %d", v.major, v.minor, v.secondary, v.type, v.build);
    return v;
}

bool takesCheckedWrite(const MeshVersion& v) {
    const MeshVersion& c = kCheckingModule;
    return device::ORVABluetoothDeviceData::compareVersionMajor(v.major, v.minor, v.type, v.secondary, c.major,
                                                                c.minor, c.type, c.secondary, false) >= 0;
}

ImageResult writePlainImage(UpdateRun& run, PartExchange& x, const unsigned char* data, size_t length) {
    for (size_t offset = 0; offset < length;) {
        const size_t chunk = std::min(kMeshChunkMax, length - offset);
        const ImageResult r = sendRecord(run, x, data + offset, chunk);
        if (r != ImageResult::written) return r;
        offset += chunk;
    }
    return ImageResult::written;
}

ImageResult writeCheckedImage(UpdateRun& run, PartExchange& x, const unsigned char* data, size_t length,
                              CheckedForm form) {
    const bool im501 = form == CheckedForm::im501;
    for (int attempt = 1; attempt <= kImageAttempts; ++attempt) {
        size_t offset = 0;
        uint16_t imageCrc = 0;
        int resends = 0;
        bool abandoned = false;
        while (offset < length) {
            const size_t chunk = std::min(kMeshChunkMax, length - offset);
            if (chunk == length - offset) platform::logf("nCountToWrite = %zu", chunk);
            const ImageResult sent = sendRecord(run, x, data + offset, chunk);
            if (sent != ImageResult::written) {
                if (!im501 || run.stopped()) return sent;
                platform::logf(sent == ImageResult::sendFailed ? "--------iM501 Write ERROR" : "--------iM501 Read ERROR");
                break;
            }
            const int n = static_cast<int>(chunk);
            if (sendCrc(x, kCheckChunk, crc16_ccitt(data + offset, n))) {
                imageCrc = crc16_ccitt_update(imageCrc, data + offset, n);
                offset += chunk;
                resends = 0;
                continue;
            }
            if (im501) {
                platform::logf("im501 crcerror");
                break;
            }
            platform::logf("50 crcerror");
            // A chunk refused again and again ends the attempt, as a failed image check does.
            if (++resends > kChunkResends) {
                abandoned = true;
                break;
            }
        }
        if (run.stopped()) return ImageResult::sendFailed;
        if (!abandoned) {
            const bool verified = sendCrc(x, kCheckImage, imageCrc);
            platform::logf("all_crc =[%x][%d] verAll[%x][%d]", imageCrc, imageCrc, x.reply[3], x.reply[2]);
            if (verified) return ImageResult::written;
        }
        platform::logf("allCrc error");
    }
    return ImageResult::unverified;
}

bool updateMeshModuleImage(UpdateRun& run, PartExchange& x, const unsigned char* data, size_t length) {
    if (!meshCommand(x, kMeshOn, {0})) return fail(run, "[7]");
    if (!pause(run, kBeforeModuleMs)) return failFind(run, "[8]");
    platform::logf("1. --------MESH HANDLE FIND\n");
    if (!findDevice(run, usbhid_open_mesh_3120, kMeshSearchTries)) return failFind(run, "[8]");
    platform::logf("--------MESH HANDLE OK UPDATE START\n");
    const MeshVersion version = readMeshVersion(x);
    if (!meshCommand(x, kStartImage, {kMeshSelector})) return fail(run, "[9]");
    if (!takesCheckedWrite(version)) {
        platform::logf("Mesh ver 1.0.0");
        const ImageResult r = writePlainImage(run, x, data, length);
        if (r == ImageResult::sendFailed) return fail(run, "[10]");
        if (r == ImageResult::waitFailed) return fail(run, "[11]");
    } else {
        platform::logf("Mesh ver 1.0.0 later");
        const ImageResult r = writeCheckedImage(run, x, data, length, CheckedForm::mesh);
        if (r == ImageResult::sendFailed) return fail(run, "[10][1]");
        if (r == ImageResult::waitFailed) return fail(run, "[11][1]");
        if (r == ImageResult::unverified) return fail(run, "[12]");
    }
    if (!meshCommand(x, kEndImage)) return fail(run, "[13]");

    platform::logf("1.meshend--------------BT_MODULE_FIND");
    if (!findDevice(run, run.openHeadset, kMeshSearchTries)) return failFind(run, "[14]");
    if (!meshCommand(x, kPowerHold)) platform::logf("COMMAND_POWER_HOLD_FAIL");
    platform::logf("2. --------MESH HANDLE FIND\n");
    if (!findDevice(run, usbhid_open_mesh_3120, kMeshSearchTries)) return failFind(run, "[15]");
    if (!meshCommand(x, kRunLoader, {0})) return fail(run, "[16]");
    usbhid_close_all();
    if (!pause(run, kModuleRestartMs)) return failFind(run, "[17]");
    platform::logf("2.--------------BT_MODULE_FIND");
    if (!findDevice(run, run.openHeadset, kMeshSearchTries)) return failFind(run, "[17]");
    if (!meshCommand(x, kPowerRelease)) platform::logf("COMMAND_POWER_RELEASE_FAIL");
    if (!meshCommand(x, kMeshOn, {0})) return fail(run, "[18]");
    if (!pause(run, kBeforeSecondModuleMs)) return failFind(run, "[19]");
    platform::logf("--------MESH HANDLE FIND_TWO\n");
    if (!findDevice(run, usbhid_open_mesh_3120, kLongSearchTries)) return failFind(run, "[19]");
    platform::logf("--------RESULT==0\n");
    return true;
}

const char* writeTaggedPart(UpdateRun& run, PartExchange& x, uint8_t selector, const unsigned char* data,
                            size_t length, const PartTags& tags) {
    if (!meshCommand(x, kStartImage, {selector})) return tags.start;
    ChunkFailure failed = ChunkFailure::none;
    // The mesh headsets' requests are zero-filled: a short chunk carries nothing of the one before.
    if (!sendPartChunks(0, x.request, data, length, &run.page.stopRequested, ChunkMarks{kPartChunkCommand, true},
                        &failed))
        return failed == ChunkFailure::wait ? tags.wait : tags.send;
    if (!meshCommand(x, kEndImage)) return tags.end;
    return nullptr;
}

std::optional<bool> writeHeadsetParts(UpdateRun& run, PartExchange& x, const ArchiveLayout& layout, int32_t count,
                                      const PartTags& tags, bool mountCheck) {
    bool loader = false;
    for (int32_t k = 0; k < count; ++k) {
        const BlockRecord part = *layout.block(k);
        if (part.number == 0) loader = true;
        for (int rewrite = 0;; ++rewrite) {
            if (const char* tag = writeTaggedPart(run, x, static_cast<uint8_t>(part.flag),
                                                  run.image.data() + part.offset, part.length, tags)) {
                failCannotGetStatus(run, tag);
                return std::nullopt;
            }
            if (!mountCheck || part.number != kVoicePromptKind) break;
            const bool mounted = meshCommand(x, kMountState);
            platform::logf("BLOCK VP_MOUNT_STATUS %d - %d", mounted ? 1 : 0, x.reply[3]);
            if (mounted || x.reply[3] == 0) break;
            if (rewrite == kMountRewrites) {
                failCannotGetStatus(run, "[80]");
                return std::nullopt;
            }
        }
    }
    return loader;
}

bool runLoaderAndReopen(UpdateRun& run, PartExchange& x, bool finish) {
    if (finish && !meshCommand(x, kRunLoader, {0})) return fail(run, "[5]");
    platform::logf("BT_RUN_LOADER\n");
    usbhid_close_all();
    // A headset that never comes back ends as the open after the wait fails.
    if (!pause(run, kLoaderRestartMs) || !waitForReturn(run)) return fail(run, "[6]");
    uint32_t pid = 0;
    if (run.openHeadset(&pid, run.message) != 0) return fail(run, "[6]");
    return true;
}

void succeedMeshRun(UpdateRun& run, const char* endLog, bool throughRestartedPhase) {
    usbhid_close_all();
    if (endLog) platform::logf("%s", endLog);
    if (throughRestartedPhase) {
        run.page.addUpdateProcessed = kRestartedPhase;
        run.page.updateTimerProcessed = 0;
    }
    run.page.updateRestoreError = 0;
    run.page.addUpdateProcessed = 99;
    pause(run, kClosingMs);
    markSucceeded(run);
    endOfWork(run, EndEntry::plain);
}

int languageCodeOfFileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (const size_t img = name.find(".img"); img != std::string::npos) name.erase(img, 4);
    // The tag stands after "_" (else "-") in the last three characters; a shorter name has none.
    std::string tag;
    if (name.size() >= 3) {
        const std::string last = name.substr(name.size() - 3);
        size_t separator = last.find('_');
        if (separator == std::string::npos) separator = last.find('-');
        if (separator != std::string::npos) tag = last.substr(separator + 1);
    }
    return UnitLanguage::LanguageCodeFromString(UnitLanguage::GetLanguageCodeFromIMGFileNmae(tag));
}

}  // namespace update
