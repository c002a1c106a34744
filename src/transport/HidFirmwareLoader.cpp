#include "transport/HidFirmwareLoader.h"

#include <fcntl.h>
#include <hidapi.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "transport/Checksums.h"
#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

namespace {

constexpr uint8_t kDownloadReport = 1, kStatusReport = 2, kRequestReport = 3;
constexpr uint8_t kDfuDnload = 1, kDfuClrStatus = 4, kVendorRequest = 0xFF;
constexpr uint8_t kStateAppIdle = 0, kStateDfuIdle = 2, kStateDnBusy = 4, kStateDnloadIdle = 5;
constexpr uint8_t kStatusErrCheck = 10;
constexpr size_t kStatusReportSize = 7;
constexpr size_t kStatusFieldsSize = 6;  // up to bState; iString is not read
constexpr size_t kBlockHeader = 6;

// Process-wide, as the callers expect.
uint64_t pollTimeoutMs = 0;
uint16_t reportSize = 1023;

// The device's poll time-out is 24 bits of milliseconds (hours): sleeps on it stay within the
// busy limit, retries of a failed status fetch within the silence limit.
int64_t boundedSleepMs() { return std::min<int64_t>(pollTimeoutMs, transport::busyLimitMs.load()); }
int64_t boundedRetryMs() { return std::min<int64_t>(pollTimeoutMs, transport::silenceLimitMs.load()); }

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

int sendRequest(hid_device* device, uint8_t code) {
    uint8_t report[2] = {kRequestReport, code};
    return hid_send_feature_report(device, report, sizeof report) == static_cast<int>(sizeof report) ? 0 : -1;
}

bool suffixValid(const uint8_t* suffix, long size) {
    unsigned bcdDfu = suffix[6] | suffix[7] << 8;
    unsigned length = suffix[11];
    return length >= kDfuSuffixSize && static_cast<long>(length) <= size && suffix[8] == 0x55 &&
           suffix[9] == 0x46 && suffix[10] == 0x44 && bcdDfu == 0x0100;
}

int finish(FILE* file, int result) {
    std::fclose(file);
    std::printf("Finished (%s %d)\n", result == 0 ? "noerr" : "err", result);
    return result;
}

// Steps 6 on: the blocks and the end of the download. The file is positioned at 0.
int download(hid_device* device, FILE* file, long size) {
    std::vector<uint8_t> report(reportSize, 0);
    size_t dataMax = reportSize - kBlockHeader;
    std::fread(report.data() + kBlockHeader, 1, dataMax, file);
    if (std::ferror(file)) {
        std::puts("read_failed");
        std::puts("\nComplete");
        return -7;
    }
    // The image length from the file's header is what gets streamed; a header that claims more
    // than the file holds would send bytes that are not there.
    uint32_t imageLength = le32(report.data() + kBlockHeader + kDfuImageLengthOffset);
    if (imageLength > static_cast<unsigned long>(size)) {
        std::printf("image length %u exceeds file size %ld\n", imageLength, size);
        std::puts("\nComplete");
        return -1;
    }
    int64_t remaining = imageLength;
    uint16_t block = 0;

    int result = hid_dfu_wait_status(device, 0);
    if (result == -16) {
        std::puts("CLRSTATUS");
        result = sendRequest(device, kDfuClrStatus) < 0 ? -15 : hid_dfu_wait_status(device, 0);
    }
    while (result == 0) {
        result = hid_dfu_download_block(device, static_cast<int>(dataMax), report.data(), &remaining, &block);
        if (result != 0 || remaining <= 0) break;
        result = hid_dfu_wait_status(device, 0);
        if (result != 0) break;
        std::fill(report.begin(), report.end(), 0);
        std::fread(report.data() + kBlockHeader, 1, dataMax, file);
        if (std::ferror(file)) {
            std::puts("read failed");
            result = -7;
        }
    }
    std::puts("\nComplete");
    if (result != 0) return result;
    result = hid_dfu_wait_status(device, 0);
    if (result != 0) return result;
    std::fill(report.begin(), report.end(), 0);
    report[0] = kDownloadReport;
    report[1] = kDfuDnload;
    report[2] = block & 0xFF;
    report[3] = block >> 8;
    if (hid_send_feature_report(device, report.data(), report.size()) != static_cast<int>(report.size())) {
        std::puts("write device failed");
        return -12;
    }
    return hid_dfu_wait_status(device, 1);
}

}  // namespace

int hid_dfu_command(hid_device* device, const uint8_t* request, uint8_t* reply) {
    using namespace transport::detail;
    if (!device || !request || !reply) return 0;
    return exchange(device, request, kLongRequestSize, reply, kLongReplySize) &&
           reply[kStatusOffset] == kStatusDone;
}

int hid_dfu_vendor_request(hid_device* device) {
    return device && sendRequest(device, kVendorRequest) == 0 ? 0 : -9;
}

uint32_t hid_dfu_image_length(const uint8_t* image, size_t imageSize) {
    if (!image || imageSize < kDfuImageLengthOffset + 4) return 0;
    return le32(image + kDfuImageLengthOffset);
}

int hid_dfu_get_status(hid_device* device, uint8_t* status, uint8_t* state) {
    uint8_t report[kStatusReportSize] = {kStatusReport};
    // A short report is a failure: zeros that never came would read as "status 0, appIDLE".
    if (!device ||
        hid_get_feature_report(device, report, sizeof report) < static_cast<int>(kStatusFieldsSize)) {
        std::puts("failed to get status");
        return -12;
    }
    if (status) *status = report[1];
    if (state) *state = report[5];
    pollTimeoutMs = report[2] | report[3] << 8 | report[4] << 16;
    return 0;
}

int hid_dfu_wait_status(hid_device* device, int final) {
    if (final == 1) platform::sleepMs(boundedSleepMs());
    uint8_t status = 0, state = 0;
    for (int repeat = 0;; repeat = 1) {
        int64_t start = platform::nowMs();
        int64_t elapsed = 0;
        while (hid_dfu_get_status(device, &status, &state) != 0) {
            elapsed = platform::nowMs() - start;
            if (final == 1 || elapsed >= boundedRetryMs()) return -12;
            platform::sleepMs(1);  // paces the retries on the clock
        }
        elapsed = platform::nowMs() - start;
        if (status == 0 && state == kStateDnBusy && final == 0 && repeat == 0) {
            int64_t rest = boundedSleepMs() - elapsed;
            if (rest > 0) platform::sleepMs(rest);
            continue;
        }
        break;
    }
    if (status == kStatusErrCheck) return -16;
    if (status == 0 && (state == kStateAppIdle || state == kStateDfuIdle || state == kStateDnloadIdle))
        return 0;
    std::printf("\nstatus %d / state = %d\n", status, state);
    return -8;
}

int hid_dfu_download_block(hid_device* device, int maxLength, uint8_t* report, int64_t* remaining,
                           uint16_t* blockNumber) {
    if (!device || !report || !remaining || !blockNumber) return -12;
    int64_t room = reportSize - kBlockHeader;
    int64_t length = std::clamp<int64_t>(std::min<int64_t>(maxLength, *remaining), 0, room);
    report[0] = kDownloadReport;
    report[1] = kDfuDnload;
    report[2] = *blockNumber & 0xFF;
    report[3] = *blockNumber >> 8;
    report[4] = length & 0xFF;
    report[5] = (length >> 8) & 0xFF;
    // Past the block's data the report is zero: file bytes beyond the image are never sent.
    std::memset(report + kBlockHeader + length, 0, static_cast<size_t>(room - length));
    if (hid_send_feature_report(device, report, reportSize) != reportSize) {
        std::puts("SetFeature error");
        return -12;
    }
    *remaining -= length;
    ++*blockNumber;
    return 0;
}

int hid_dfu_download_file(hid_device* device, const char* path) {
    // Only a regular file of sane size: a FIFO would block the open, a huge file the allocation.
    const int fd = path ? ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    struct stat st;
    const bool regular = fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                         static_cast<unsigned long long>(st.st_size) <= platform::kLargeFileCap;
    FILE* file = regular ? ::fdopen(fd, "rb") : nullptr;
    if (!file) {
        if (fd >= 0) ::close(fd);
        std::puts("no file");
        return -1;
    }
    long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    if (size < static_cast<long>(kDfuSuffixSize)) {
        std::puts("file too short");
        std::fclose(file);
        return -1;
    }
    uint8_t suffix[kDfuSuffixSize];
    if (std::fseek(file, size - static_cast<long>(kDfuSuffixSize), SEEK_SET) != 0 ||
        std::fread(suffix, 1, sizeof suffix, file) != sizeof suffix) {
        std::puts("failed to read");
        return finish(file, -1);
    }
    if (!suffixValid(suffix, size)) {
        std::puts("file suffix is invalid");
        return finish(file, -1);
    }
    std::vector<uint8_t> covered(static_cast<size_t>(size) - 4);
    if (std::fseek(file, 0, SEEK_SET) != 0 ||
        std::fread(covered.data(), 1, covered.size(), file) != covered.size()) {
        std::puts("failed to read");
        return finish(file, -1);
    }
    crc32_set(0xFFFFFFFFu);
    uint32_t crc = crc32_update(covered.data(), covered.size());
    uint32_t stored = le32(suffix + 12);
    std::printf("CRC %X %X \n", crc, stored);
    if (crc != stored) return finish(file, -6);
    std::puts("Clear CRC");
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        std::puts("read_failed");
        std::puts("\nComplete");
        return finish(file, -7);
    }
    return finish(file, download(device, file, size));
}
