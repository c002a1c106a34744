// Format B: 62-byte commands (byte 1 always 0x3C) whose replies the host gathers by polling input
// report 2, each fragment carrying at most 60 data bytes. Poll budgets bound every wait; the
// busy limit bounds a device that keeps answering busy.
#include <hidapi.h>

#include <cstdio>
#include <cstring>

#include "platform/Clock.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

namespace {

constexpr uint8_t kShortMarker = 0x3C;
constexpr uint8_t kFragmentReportId = 2;

// Reply lengths by command, searched in order; a command may stand in several rows.
struct ReplyLength {
    uint8_t command;
    uint8_t length;  // data bytes after the echoed command and the status
};
constexpr ReplyLength kReplyLengths[] = {
    {0x00, 0}, {0x01, 5}, {0x01, 8}, {0x02, 6}, {0x03, 58}, {0x04, 0}, {0x05, 0}, {0x06, 2}, {0x07, 0},
    {0x08, 0}, {0x09, 0}, {0x0A, 1}, {0x0B, 0}, {0x0C, 0},  {0x0D, 0}, {0x50, 0}, {0x51, 0}, {0x52, 0},
    {0x53, 0}, {0x54, 0}, {0x55, 0}, {0x56, 0}, {0x57, 0},  {0x58, 0}, {0x59, 0}, {0x5A, 0}, {0x5B, 0},
};

enum class Gathered { Complete, TimedOut, Failed };

struct Gathering {
    int total = 0;       // data bytes gathered
    int lastLength = 0;  // data bytes of the last fragment
};

// Polls input report 2 and appends each fragment's data at reply byte 2 + total, until at least
// `expected` bytes are in. Fragments that claim more than a fragment can hold, or more than the
// reply buffer has room for, fail; so does a fetch that fails (the device is gone).
Gathered gather(hid_device* dev, uint8_t* reply, size_t replySize, int expected, int polls, int delayMs,
                Gathering& g) {
    g = {};
    int& total = g.total;
    bool first = true;
    for (int p = 0; p < polls; ++p) {
        if (transport::stopWaits.load()) return Gathered::Failed;
        uint8_t fragment[kShortReportSize] = {};
        fragment[0] = kFragmentReportId;
        if (hid_get_input_report(dev, fragment, sizeof fragment) < 0) {
            std::printf("hid read input report failed\n");
            return Gathered::Failed;
        }
        size_t length = fragment[1];
        if (length != 0) {
            if (length > kShortFragmentMax || 2 + static_cast<size_t>(total) + length > replySize) {
                std::printf(
                    "read input report: fragment length abnormal(cmd[0x%02x] length[%zu] total[%d])\n",
                    replySize > 2 ? reply[2] : 0, length, total);
                return Gathered::Failed;
            }
            if (first) reply[0] = fragment[0];
            first = false;
            std::memcpy(reply + 2 + total, fragment + 2, length);
            total += static_cast<int>(length);
            g.lastLength = static_cast<int>(length);
            reply[1] = static_cast<uint8_t>(total);
            if (total >= expected) return Gathered::Complete;
        }
        platform::sleepMs(delayMs);
    }
    return Gathered::TimedOut;
}

void printTimeout(int shown, int polls) {
    std::printf("hid read input report timeout(%d:%d)\n", shown, polls);
}

void printAbnormal(const uint8_t* reply, int expected, const Gathering& g) {
    std::printf("read input report: rest of data length abnormal(cmd[0x%02x] data_length[%d:%d:%d:%d])\n",
                reply[2], expected, g.lastLength, expected - g.total, g.total);
}

// What a complete gather means: the length must match, the report id be 2 and a status be there.
bool lengthAndIdFit(const uint8_t* reply, int expected, const Gathering& g) {
    if (g.total > expected) {
        printAbnormal(reply, expected, g);
        return false;
    }
    if (reply[0] != kFragmentReportId) {
        std::printf("Invalid report id %d \n", reply[0]);
        return false;
    }
    return g.total >= 2;  // the echoed command and the status
}

void prepareReply(uint8_t* reply, size_t replySize) {
    std::memset(reply, 0, replySize < kShortReportSize ? replySize : kShortReportSize);
    reply[3] = kStatusNothingRead;
}

}  // namespace

int usbhid_send_short(int slot, uint8_t* report) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !report) return 0;
    report[1] = kShortMarker;
    return hid_write(dev, report, kShortReportSize) == static_cast<int>(kShortReportSize);
}

int usbhid_read_input_fragments(int slot, uint8_t* reply, int polls, size_t replySize) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !reply || replySize < 4) return 0;
    int expected = reply[1];
    platform::sleepMs(1);
    if (polls < 1) {
        printTimeout(0, polls);
        return 0;
    }
    Gathering g;
    switch (gather(dev, reply, replySize, expected, polls, 1, g)) {
        case Gathered::TimedOut:
            printTimeout(polls, polls);
            return 0;
        case Gathered::Failed:
            return 0;
        case Gathered::Complete:
            break;
    }
    if (!lengthAndIdFit(reply, expected, g)) return 0;
    return reply[3] == kStatusDone;
}

int usbhid_short_command(int slot, uint8_t* request, uint8_t* reply, int timeoutMs, size_t replySize) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !request || !reply || replySize < 4) return 0;
    int expected = reply[1];
    prepareReply(reply, replySize);
    if (!usbhid_send_short(slot, request)) return 0;
    int polls = timeoutMs / 5;
    platform::sleepMs(5);
    if (polls < 1) {
        printTimeout(0, polls);
        return 0;
    }
    int64_t start = platform::nowMs();
    for (;;) {
        Gathering g;
        switch (gather(dev, reply, replySize, expected, polls, 5, g)) {
            case Gathered::TimedOut:
                printTimeout(polls, polls);
                return 0;
            case Gathered::Failed:
                return 0;
            case Gathered::Complete:
                break;
        }
        if (!lengthAndIdFit(reply, expected, g)) return 0;
        if (reply[2] != request[2]) {
            std::printf("Invalid command (command_report->command: %d, status_response->last_command: %d) \n",
                        request[2], reply[2]);
            return 0;
        }
        if (reply[3] != kStatusBusy) return reply[3] == kStatusDone;
        // Busy: the final reply follows without sending again.
        if (platform::nowMs() - start >= transport::busyLimitMs.load()) {
            std::printf("device busy for more than %lld ms\n",
                        static_cast<long long>(transport::busyLimitMs.load()));
            return 0;
        }
        polls = transport::busyPolls.load();
        platform::sleepMs(5);  // the poll rhythm holds between the busy reply and the next fetch
    }
}

int usbhid_short_command_probe(int slot, uint8_t* request, uint8_t* reply, size_t replySize) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !request || !reply || replySize < 4) return 0;
    for (const ReplyLength& row : kReplyLengths) {
        if (row.command != request[2]) continue;
        prepareReply(reply, replySize);
        if (!usbhid_send_short(slot, request)) return 0;
        int expected = row.length + 2;
        platform::sleepMs(1);
        Gathering g;
        if (gather(dev, reply, replySize, expected, transport::probePolls.load(), 1, g) != Gathered::Complete) return 0;
        if (g.total == expected) return 1;
        // Longer than this row: the same command may stand in a later row with another length.
        printAbnormal(reply, expected, g);
    }
    return 0;
}

int usbhid_response_length(uint8_t command) {
    for (const ReplyLength& row : kReplyLengths)
        if (row.command == command) return row.length + 2;
    return 0;
}
