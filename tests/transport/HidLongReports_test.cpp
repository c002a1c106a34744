// Formats A and C against the simulated headset: busy replies, the faults a device can show, and
// the bounds that end an exchange instead of hanging.
#include <hidapi.h>

#include <string>

#include "SimFixture.h"

namespace {

struct LongCase {
    std::string name;
    sim::Faults faults;
    sim::Answer answer;
    int result;
    int status;  // the reply's status byte afterwards
};

void PrintTo(const LongCase& c, std::ostream* os) { *os << c.name; }

std::vector<LongCase> longCases() {
    using F = sim::Faults;
    sim::Answer done{0, {0xA1, 0xA2, 0xA3}};
    return {
        {"Done", {}, done, 1, 0},
        {"BusyRepliesThenDone", faults([](F& f) { f.busyReplies = 5; }), done, 1, 0},
        {"FailedStatus", {}, {3, {}}, 0, 3},
        {"BusyForeverEndsAtTheBusyLimit", faults([](F& f) { f.busyForever = true; }), done, 0, 1},
        {"SilenceEndsAtTheSilenceLimit", faults([](F& f) { f.silent = true; }), done, 0, 0xFF},
        {"SilenceAfterBusy", faults([](F& f) {
             f.busyReplies = 2;
             f.silent = true;
         }),
         done, 0, 0xFF},
        {"ReplyTooShortForAStatus", faults([](F& f) { f.lengthDelta = -65; }), done, 0, 0xFF},
        {"ShortReplyWithStatus", faults([](F& f) { f.lengthDelta = -60; }), done, 1, 0},
        {"OverlongReplyIsCutToTheBuffer", faults([](F& f) { f.lengthDelta = 40; }), done, 1, 0},
        // The echo and the report id are shown, not judged: the status decides.
        {"WrongEchoStillCountsByStatus", faults([](F& f) { f.wrongEcho = true; }), done, 1, 0},
        {"WrongReportIdStillCountsByStatus", faults([](F& f) { f.reportId = 7; }), done, 1, 0},
        {"UnplugMidExchange", faults([](F& f) { f.unplugOnRequest = true; }), done, 0, 0xFF},
        {"WriteFails", faults([](F& f) { f.writeFails = true; }), done, 0, 0xFF},
    };
}

class LongExchange : public SimTest, public ::testing::WithParamInterface<LongCase> {};

}  // namespace

TEST_P(LongExchange, FormatAEndsAsTheDeviceDecides) {
    const LongCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    model().setAnswer(sim::Format::A, 0x12, c.answer);
    model().setFaults(c.faults);
    // The channel sends a request as it is given, whatever its bytes mean to a road.
    model().setRequestBytes(sim::RequestBytes::carried);
    uint8_t request[kLongRequestSize] = {1, 0x12, 0x07};
    // Stale bytes of an earlier exchange and a guard band past the 67-byte reply.
    uint8_t reply[kLongReplySize + 16];
    std::memset(reply, 0xEE, sizeof reply);

    EXPECT_EQ(usbhid_command(0, request, reply), c.result);
    EXPECT_EQ(reply[2], c.status);
    if (c.result) {
        EXPECT_EQ(reply[1], c.faults.wrongEcho ? 0x12 ^ 0xFF : 0x12);
        EXPECT_EQ(reply[3], 0xA1);
        EXPECT_EQ(reply[5], 0xA3);
        // A short reply leaves zeros, never the stale bytes, up to the reply's end.
        for (size_t i = 6; i < kLongReplySize; ++i) ASSERT_EQ(reply[i], 0) << i;
    }
    for (size_t i = kLongReplySize; i < sizeof reply; ++i) ASSERT_EQ(reply[i], 0xEE) << i;
    ASSERT_FALSE(model().requests().empty());
    EXPECT_EQ(model().requests()[0].bytes, std::vector<uint8_t>(request, request + kLongRequestSize));
    EXPECT_EQ(model().requestCount(), 1u);  // never sent twice
}

TEST_P(LongExchange, FormatCEndsAsTheDeviceDecides) {
    const LongCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    model().setAnswer(sim::Format::C, 0x12, c.answer);
    model().setFaults(c.faults);
    uint8_t request[kReport65Size] = {0, 0x12, 0x07};
    uint8_t reply[kReport65Size + 16];
    std::memset(reply, 0xEE, sizeof reply);

    EXPECT_EQ(usbhid_command_65(0, request, reply), c.result);
    EXPECT_EQ(reply[2], c.status);
    if (c.result) {
        for (size_t i = 6; i < kReport65Size; ++i) ASSERT_EQ(reply[i], 0) << i;
    }
    for (size_t i = kReport65Size; i < sizeof reply; ++i) ASSERT_EQ(reply[i], 0xEE) << i;
    EXPECT_EQ(model().requestCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Transport, LongExchange, ::testing::ValuesIn(longCases()),
                         [](const auto& info) { return info.param.name; });

TEST_F(SimTest, WaitReadyReadsUntilTheDeviceIsNoLongerBusy) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    model().pushInput({1, 0x12, 1});
    model().pushInput({1, 0x12, 1});
    model().pushInput({1, 0x12, 0});
    model().pushInput({0, 0x13, 1});
    model().pushInput({0, 0x13, 2});
    EXPECT_TRUE(usbhid_wait_ready(0));
    EXPECT_FALSE(usbhid_wait_ready_65(0));  // busy, then failed
    EXPECT_FALSE(usbhid_wait_ready(0));     // silence
}

TEST_F(SimTest, SendsWriteWholeReports) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    uint8_t longReport[kLongRequestSize] = {1, 0x22, 0x33};
    uint8_t report65[kReport65Size] = {0, 0x44};
    EXPECT_TRUE(usbhid_send(0, longReport));
    EXPECT_TRUE(usbhid_send_65(0, report65));
    auto requests = model().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].format, sim::Format::A);
    EXPECT_EQ(requests[0].bytes, std::vector<uint8_t>(longReport, longReport + sizeof longReport));
    EXPECT_EQ(requests[1].format, sim::Format::C);
}

// Every send and receive on an empty slot, or on a slot that does not exist, fails without a
// single call reaching a device.
TEST_F(SimTest, EmptyOrUnknownSlotsTouchNoDevice) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    uint8_t request[kLongRequestSize] = {1, 0x01};
    uint8_t reply[kLongReplySize] = {};
    uint8_t shortRequest[kShortReportSize] = {1, 0, 0x01};
    uint8_t shortReply[kShortReportSize] = {};
    size_t fetchesBefore = model().inputFetches();
    for (int slot : {1, 2, -1, 1000}) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(usbhid_send(slot, request));
        EXPECT_FALSE(usbhid_wait_ready(slot));
        EXPECT_FALSE(usbhid_command(slot, request, reply));
        EXPECT_FALSE(usbhid_command_timed(slot, request, reply, 10));
        EXPECT_FALSE(usbhid_send_short(slot, shortRequest));
        EXPECT_FALSE(usbhid_read_input_fragments(slot, shortReply, 10));
        EXPECT_FALSE(usbhid_short_command(slot, shortRequest, shortReply, 500));
        EXPECT_FALSE(usbhid_short_command_probe(slot, shortRequest, shortReply));
        EXPECT_FALSE(usbhid_send_65(slot, request));
        EXPECT_FALSE(usbhid_wait_ready_65(slot));
        EXPECT_FALSE(usbhid_command_65(slot, request, reply));
    }
    EXPECT_EQ(model().requestCount(), 0u);
    EXPECT_EQ(model().inputFetches(), fetchesBefore);
}

TEST_F(SimTest, TimedCommandWaitsOutABusyDeviceWithoutSendingAgain) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    transport::busyLimitMs = 10'000;
    sim::Faults f;
    f.busyReplies = 3;
    model().setFaults(f);
    uint8_t request[kLongRequestSize] = {1, 0x05};
    uint8_t reply[kLongReplySize] = {};
    EXPECT_TRUE(usbhid_command_timed(0, request, reply, 5));
    EXPECT_EQ(model().requestCount(), 1u);
    EXPECT_EQ(virtualClock_.sleptMs(), 3000);  // one second per round that read
}

TEST_F(SimTest, TimedCommandSendsAgainAfterLimitRoundsUntilTheBusyLimit) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    transport::busyLimitMs = 10'000;
    sim::Faults f;
    f.busyForever = true;
    model().setFaults(f);
    uint8_t request[kLongRequestSize] = {1, 0x05};
    uint8_t reply[kLongReplySize] = {};
    EXPECT_FALSE(usbhid_command_timed(0, request, reply, 3));
    // Rounds 0-2 only read; rounds 3-9 each send again; the busy limit stops round 10.
    EXPECT_EQ(model().requestCount(), 1u + 7u);
    EXPECT_EQ(virtualClock_.sleptMs(), 10'000);
}

TEST_F(SimTest, TimedCommandFirstReadWaitsAtMostTheLimit) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    sim::Faults f;
    f.silent = true;
    model().setFaults(f);
    transport::silenceLimitMs = 60'000;  // the limit, not the silence bound, ends this wait
    uint8_t request[kLongRequestSize] = {1, 0x05};
    uint8_t reply[kLongReplySize] = {};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(usbhid_command_timed(0, request, reply, 20));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "count off\ncom[5] lsatcom[0] status[255] timeout\n");
}

TEST_F(SimTest, CommandShowsCommandEchoAndStatus) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    model().setAnswer(sim::Format::A, 0x03, {2, {}});
    uint8_t request[kLongRequestSize] = {1, 0x03};
    uint8_t reply[kLongReplySize] = {};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(usbhid_command(0, request, reply));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "com[3] lsatcom[3] status[2]\n");
}
