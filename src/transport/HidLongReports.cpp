// Formats A (1023-byte commands, 67-byte replies) and C (65 bytes both ways): write a command,
// read the reply, re-read while the device says busy.
#include <hidapi.h>

#include <cstdio>

#include "platform/Clock.h"
#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

using namespace transport::detail;

namespace {

int waitReady(int slot, size_t size) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev) return 0;
    uint8_t report[kLongReplySize] = {};
    if (readReply(dev, report, size, transport::readTimeoutMs()) < 0) return 0;
    if (!rereadWhileBusy(dev, report, size)) return 0;
    return report[kStatusOffset] == kStatusDone;
}

}  // namespace

int usbhid_send(int slot, const uint8_t* report) {
    hid_device* dev = usbhid_slot(slot);
    return dev && report && writeReport(dev, report, kLongRequestSize);
}

int usbhid_wait_ready(int slot) { return waitReady(slot, kLongReplySize); }

int usbhid_command(int slot, const uint8_t* request, uint8_t* reply) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !request || !reply) return 0;
    reply[kStatusOffset] = kStatusNothingRead;
    if (!writeReport(dev, request, kLongRequestSize)) return 0;
    if (readReply(dev, reply, kLongReplySize, transport::readTimeoutMs()) < 0) return 0;
    bool inTime = rereadWhileBusy(dev, reply, kLongReplySize);
    std::printf("com[%d] lsatcom[%d] status[%d]\n", request[1], reply[1], reply[kStatusOffset]);
    return inTime && reply[kStatusOffset] == kStatusDone;
}

int usbhid_command_timed(int slot, const uint8_t* request, uint8_t* reply, int limit) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !request || !reply) return 0;
    reply[kStatusOffset] = kStatusNothingRead;
    if (!writeReport(dev, request, kLongRequestSize)) return 0;
    std::puts("count off");
    int bound = transport::readTimeoutMs();
    int firstWait = limit < 0 ? 0 : (limit < bound ? limit : bound);
    if (readReply(dev, reply, kLongReplySize, firstWait) < 0) return 0;
    if (reply[kStatusOffset] == kStatusBusy) {
        BusyBudget budget;
        int i = 0;
        do {
            if (budget.spent()) return 0;
            readReply(dev, reply, kLongReplySize, bound);
            std::printf("count on %d\n", i);
            platform::sleepMs(1000);
            // A device still busy after limit rounds is asked again.
            if (i >= limit) {
                if (!writeReport(dev, request, kLongRequestSize)) return 0;
                if (readReply(dev, reply, kLongReplySize, bound) < 0) return 0;
            }
            ++i;
        } while (reply[kStatusOffset] == kStatusBusy);
    }
    std::printf("com[%d] lsatcom[%d] status[%d] timeout\n", request[1], reply[1], reply[kStatusOffset]);
    return reply[kStatusOffset] == kStatusDone;
}

int usbhid_send_65(int slot, const uint8_t* report) {
    hid_device* dev = usbhid_slot(slot);
    return dev && report && writeReport(dev, report, kReport65Size);
}

int usbhid_wait_ready_65(int slot) { return waitReady(slot, kReport65Size); }

int usbhid_command_65(int slot, const uint8_t* request, uint8_t* reply) {
    hid_device* dev = usbhid_slot(slot);
    if (!dev || !request || !reply) return 0;
    return exchange(dev, request, kReport65Size, reply, kReport65Size) && reply[kStatusOffset] == kStatusDone;
}
