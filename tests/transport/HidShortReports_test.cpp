// Format B against the simulated headset: replies gathered from input-report fragments, busy
// replies, the reply-length table of the probe, and every way a reply can be wrong.
#include <numeric>
#include <string>

#include "SimFixture.h"

namespace {

std::vector<uint8_t> counting(size_t n) {
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), uint8_t{0x40});
    return v;
}

struct ShortCase {
    std::string name;
    sim::Faults faults;
    sim::Answer answer;
    uint8_t expected;  // reply byte 1 on entry
    size_t replySize;  // what the caller says its buffer holds
    int result;
};

void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

std::vector<ShortCase> shortCases() {
    using F = sim::Faults;
    sim::Answer five{0, counting(5)}, long58{0, counting(58)};
    return {
        {"ReplyInOneFragment", {}, five, 7, 62, 1},
        {"ReplyInSeveralFragments", faults([](F& f) { f.fragmentSize = 7; }), long58, 60, 62, 1},
        {"SlowDeviceAnswersAfterEmptyPolls", faults([](F& f) { f.emptyPolls = 30; }), five, 7, 62, 1},
        {"BusyRepliesThenTheFinalOneWithoutSendingAgain", faults([](F& f) { f.busyReplies = 3; }), five, 7,
         62, 1},
        {"BusyForeverEndsAtTheBusyLimit", faults([](F& f) { f.busyForever = true; }), five, 7, 62, 0},
        {"FailedStatus", {}, {4, counting(5)}, 7, 62, 0},
        {"SilenceEndsAtThePollBudget", faults([](F& f) { f.silent = true; }), five, 7, 62, 0},
        {"ShortReplyEndsAtThePollBudget", faults([](F& f) { f.lengthDelta = -2; }), five, 7, 62, 0},
        {"OverlongReply", faults([](F& f) { f.lengthDelta = 3; }), five, 7, 62, 0},
        {"WrongEcho", faults([](F& f) { f.wrongEcho = true; }), five, 7, 62, 0},
        {"WrongReportId", faults([](F& f) { f.reportId = 3; }), five, 7, 62, 0},
        {"FragmentLengthAbove60", faults([](F& f) { f.fragmentLengthByte = 61; }), five, 7, 62, 0},
        {"FragmentBeyondTheReplyBuffer", {}, long58, 60, 40, 0},
        {"SecondFragmentBeyondTheReplyBuffer", faults([](F& f) { f.fragmentSize = 30; }), long58, 60, 40, 0},
        {"UnplugMidExchange", faults([](F& f) { f.unplugOnRequest = true; }), five, 7, 62, 0},
        {"WriteFails", faults([](F& f) { f.writeFails = true; }), five, 7, 62, 0},
    };
}

class ShortExchange : public SimTest, public ::testing::WithParamInterface<ShortCase> {};

}  // namespace

TEST_P(ShortExchange, EndsAsTheDeviceDecides) {
    const ShortCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    transport::busyLimitMs = 1000;
    model().setAnswer(sim::Format::B, 0x03, c.answer);
    model().setFaults(c.faults);
    uint8_t request[kShortReportSize] = {1, 0, 0x03, 0x08};
    // The buffer is larger than the caller says: nothing may land past replySize.
    uint8_t reply[kShortReportSize + 64];
    std::memset(reply, 0xEE, sizeof reply);
    reply[1] = c.expected;

    EXPECT_EQ(usbhid_short_command(0, request, reply, 500, c.replySize), c.result);
    EXPECT_EQ(request[1], 0x3C);
    if (c.result) {
        EXPECT_EQ(reply[0], 2);
        EXPECT_EQ(reply[1], c.expected);
        EXPECT_EQ(reply[2], 0x03);
        EXPECT_EQ(reply[3], 0);
        EXPECT_EQ(std::vector<uint8_t>(reply + 4, reply + 4 + c.answer.data.size()), c.answer.data);
    }
    for (size_t i = c.replySize; i < sizeof reply; ++i) ASSERT_EQ(reply[i], 0xEE) << i;
    ASSERT_GE(model().requestCount(), 1u);
    EXPECT_EQ(model().requestCount(), 1u);
    EXPECT_EQ(model().requests()[0].bytes[1], 0x3C);
}

INSTANTIATE_TEST_SUITE_P(Transport, ShortExchange, ::testing::ValuesIn(shortCases()),
                         [](const auto& info) { return info.param.name; });

// The one check of the program's busy budget: 20000 real fetches through the simulator (other
// tests lower the budget, as they only need it spent).
TEST_F(SimTest, BusyReplyThenSilenceGivesUpAfterTwentyThousandPolls) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    sim::Faults f;
    f.busyReplies = 1;
    f.silent = true;
    model().setFaults(f);
    uint8_t request[kShortReportSize] = {1, 0, 0x01};
    uint8_t reply[kShortReportSize] = {0, 7};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(usbhid_short_command(0, request, reply, 500));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hid read input report timeout(20000:20000)\n");
    EXPECT_EQ(model().requestCount(), 1u);
    EXPECT_EQ(model().inputFetches(), 1u + 20000u);
}

TEST_F(SimTest, ShortCommandWithoutPollsFailsAtOnce) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    uint8_t request[kShortReportSize] = {1, 0, 0x01};
    uint8_t reply[kShortReportSize] = {0, 7};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(usbhid_short_command(0, request, reply, 4));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hid read input report timeout(0:0)\n");
    EXPECT_EQ(model().inputFetches(), 0u);
}

TEST_F(SimTest, ShortCommandNamesTheWrongEchoAndTheLongReply) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    uint8_t request[kShortReportSize] = {1, 0, 0x01};
    uint8_t reply[kShortReportSize] = {0, 7};
    sim::Faults f;
    f.wrongEcho = true;
    model().setFaults(f);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(usbhid_short_command(0, request, reply, 500));
    f = {};
    f.lengthDelta = 1;
    model().setFaults(f);
    reply[1] = 7;
    EXPECT_FALSE(usbhid_short_command(0, request, reply, 500));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Invalid command (command_report->command: 1, status_response->last_command: 254) \n"
              "read input report: rest of data length abnormal(cmd[0x01] data_length[7:8:-1:8])\n");
}

TEST_F(SimTest, FragmentReaderGathersAReplyAfterASend) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    sim::Faults f;
    f.fragmentSize = 4;
    model().setFaults(f);
    model().setAnswer(sim::Format::B, 0x02, {0, counting(6)});
    uint8_t request[kShortReportSize] = {1, 0, 0x02};
    ASSERT_TRUE(usbhid_send_short(0, request));
    uint8_t reply[kShortReportSize] = {0, 8};
    EXPECT_TRUE(usbhid_read_input_fragments(0, reply, 100));
    EXPECT_EQ(reply[1], 8);
    EXPECT_EQ(std::vector<uint8_t>(reply + 4, reply + 10), counting(6));

    size_t fetches = model().inputFetches();
    EXPECT_FALSE(usbhid_read_input_fragments(0, reply, 0));
    EXPECT_EQ(model().inputFetches(), fetches);  // no polls, no fetch
    reply[1] = 8;
    EXPECT_FALSE(usbhid_read_input_fragments(0, reply, 50));  // nothing more to gather
    EXPECT_EQ(model().inputFetches(), fetches + 50);
}

namespace {

// The reply-length table, row by row, in its order.
struct Row {
    uint8_t command;
    uint8_t length;
    size_t sends;  // requests the probe needs to reach this row's length
};

const std::vector<Row> kRows = {
    {0x00, 0, 1}, {0x01, 5, 1}, {0x01, 8, 2}, {0x02, 6, 1}, {0x03, 58, 1}, {0x04, 0, 1}, {0x05, 0, 1},
    {0x06, 2, 1}, {0x07, 0, 1}, {0x08, 0, 1}, {0x09, 0, 1}, {0x0A, 1, 1},  {0x0B, 0, 1}, {0x0C, 0, 1},
    {0x0D, 0, 1}, {0x50, 0, 1}, {0x51, 0, 1}, {0x52, 0, 1}, {0x53, 0, 1},  {0x54, 0, 1}, {0x55, 0, 1},
    {0x56, 0, 1}, {0x57, 0, 1}, {0x58, 0, 1}, {0x59, 0, 1}, {0x5A, 0, 1},  {0x5B, 0, 1},
};

}  // namespace

TEST_F(SimTest, ProbeFindsEveryRowOfTheReplyLengthTable) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    sim::Faults f;
    f.fragmentSize = 25;
    model().setFaults(f);
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "command " << int(row.command) << " length " << int(row.length));
        model().setAnswer(sim::Format::B, row.command, {0, counting(row.length)});
        size_t before = model().requestCount();
        uint8_t request[kShortReportSize] = {1, 0, row.command, 0x02};
        uint8_t reply[kShortReportSize];
        std::memset(reply, 0xEE, sizeof reply);
        EXPECT_TRUE(usbhid_short_command_probe(0, request, reply));
        EXPECT_EQ(reply[1], row.length + 2);
        EXPECT_EQ(std::vector<uint8_t>(reply + 4, reply + 4 + row.length), counting(row.length));
        EXPECT_EQ(model().requestCount() - before, row.sends);
    }
}

TEST_F(SimTest, ResponseLengthIsTheFirstRowPlusTwo) {
    struct {
        uint8_t command;
        int length;
    } cases[] = {{0x00, 2}, {0x01, 7}, {0x02, 8}, {0x03, 60}, {0x06, 4},
                 {0x0A, 3}, {0x5B, 2}, {0x0E, 0}, {0x12, 0},  {0xFF, 0}};
    for (auto c : cases) EXPECT_EQ(usbhid_response_length(c.command), c.length) << int(c.command);
}

TEST_F(SimTest, ProbeGivesUpOnUnknownCommandsAndOverlongReplies) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    uint8_t reply[kShortReportSize] = {};
    uint8_t unknown[kShortReportSize] = {1, 0, 0x12};
    EXPECT_FALSE(usbhid_short_command_probe(0, unknown, reply));
    EXPECT_EQ(model().requestCount(), 0u);

    // Longer than both rows of command 0x01: each row is tried once.
    model().setAnswer(sim::Format::B, 0x01, {0, counting(9)});
    uint8_t request[kShortReportSize] = {1, 0, 0x01};
    EXPECT_FALSE(usbhid_short_command_probe(0, request, reply));
    EXPECT_EQ(model().requestCount(), 2u);

    // Report id, echo and status play no part in the probe.
    sim::Faults f;
    f.wrongEcho = true;
    f.reportId = 5;
    model().setFaults(f);
    model().setAnswer(sim::Format::B, 0x02, {9, counting(6)});
    uint8_t version[kShortReportSize] = {1, 0, 0x02};
    EXPECT_TRUE(usbhid_short_command_probe(0, version, reply));
}

// The one check of the program's probe budget: 10000 real fetches.
TEST_F(SimTest, ProbeOnASilentDeviceGivesUpAfterTenThousandPolls) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    useVirtualClock();
    sim::Faults f;
    f.silent = true;
    model().setFaults(f);
    uint8_t request[kShortReportSize] = {1, 0, 0x01};
    uint8_t reply[kShortReportSize] = {};
    EXPECT_FALSE(usbhid_short_command_probe(0, request, reply));
    EXPECT_EQ(model().requestCount(), 1u);  // false at once, the second row of 0x01 is not tried
    EXPECT_EQ(model().inputFetches(), 10000u);
    EXPECT_EQ(virtualClock_.sleptMs(), 1 + 10000);
}
