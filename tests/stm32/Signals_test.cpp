// GPIO sequences on a recording port, on the virtual clock.
#include "stm32/Signals.h"

#include "Stm32Fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using stm32test::stderrOf;

struct Call {
    int line, level;
    int64_t atMs;
    bool operator==(const Call&) const = default;
};

// Records each line change with the virtual time it came at.
struct RecordingPort {
    port_ops ops{};
    std::vector<Call> calls;
    int failingLine = 0;

    RecordingPort() {
        ops.name = "recording";
        ops.gpio = [](port_ops* p, int line, int level) {
            auto* self = static_cast<RecordingPort*>(p->priv);
            self->calls.push_back({line, level, platform::nowMs()});
            return line == self->failingLine ? int(PORT_ERR_UNKNOWN) : int(PORT_ERR_OK);
        };
        ops.priv = this;
    }
};

enum class Part { Entry, Exit };

struct SequenceCase {
    const char* name;
    const char* gpio;
    Part part;
    int result;
    std::vector<Call> calls;
    int64_t totalMs;
    std::string err;
    int failingLine = 0;
    friend void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }
};

class Sequence : public stm32test::VirtualTime, public testing::WithParamInterface<SequenceCase> {};

TEST_P(Sequence, DrivesTheLinesWithTheirPauses) {
    const SequenceCase& c = GetParam();
    RecordingPort port;
    port.failingLine = c.failingLine;
    int result = -1;
    // The exits here all have an exit part, so no connection is needed.
    std::string err = stderrOf([&] {
        result = c.part == Part::Entry ? signal_entry_sequence(&port.ops, c.gpio)
                                       : signal_exit_sequence(nullptr, &port.ops, c.gpio);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(port.calls, c.calls);
    EXPECT_EQ(clock.nowMs(), c.totalMs);
    EXPECT_EQ(err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Signals, Sequence,
    testing::Values(
        SequenceCase{"ClearDtrThenSetRts", "-dtr,rts:dtr", Part::Entry, 1, {{GPIO_DTR, 0, 0}, {GPIO_RTS, 1, 100}}, 700, ""},
        SequenceCase{"ExitSetsDtr", "-dtr,rts:dtr", Part::Exit, 1, {{GPIO_DTR, 1, 0}}, 600, ""},
        SequenceCase{"BreakLine", "brk", Part::Entry, 1, {{GPIO_BRK, 1, 0}}, 600, ""},
        SequenceCase{"LetterAfterALine", "rts,x", Part::Entry, 0, {{GPIO_RTS, 1, 0}}, 600,
                     "Character 'x' is not a digit\n"},
        SequenceCase{"NumberedLine", "3", Part::Entry, 0, {}, 600, "GPIO control only available in Linux\n"},
        SequenceCase{"BadSeparator", "rts;dtr", Part::Entry, 0, {}, 500, "Character ';' is not a separator\n"},
        SequenceCase{"LoneColonEntry", ":", Part::Entry, 1, {}, 0, ""},
        SequenceCase{"LoneColonExit", ":", Part::Exit, 1, {}, 0, ""},
        SequenceCase{"EmptyExitPart", "rts:", Part::Exit, 1, {}, 0, ""},
        SequenceCase{"EntryBeforeAnEmptyExit", "rts:", Part::Entry, 1, {{GPIO_RTS, 1, 0}}, 600, ""},
        SequenceCase{"NoEntryPart", ":rts", Part::Entry, 1, {}, 0, ""},
        SequenceCase{"EndsInAMinus", "rts,-", Part::Entry, 0, {{GPIO_RTS, 1, 0}}, 600,
                     "Character '-' is not a digit\n"},
        SequenceCase{"EndsInPartOfAName", "rt", Part::Entry, 0, {}, 500, "Character 'r' is not a digit\n"},
        SequenceCase{"FailingLine", "rts,dtr", Part::Entry, 0, {{GPIO_RTS, 1, 0}, {GPIO_DTR, 1, 100}}, 600, "",
                     GPIO_DTR}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return std::string(info.param.name); });

TEST(RunSignalSequence, StopsAtTheGivenLength) {
    platform::VirtualClock clock;
    platform::setClock(&clock);
    RecordingPort port;
    // Only "rts" of the buffer is the sequence; a read past it would set DTR too.
    const char text[] = {'r', 't', 's', ',', 'd', 't', 'r'};
    EXPECT_EQ(run_signal_sequence(&port.ops, text, 3), 1);
    EXPECT_EQ(port.calls, (std::vector<Call>{{GPIO_RTS, 1, 0}}));
    std::string err = stderrOf([&] { EXPECT_EQ(run_signal_sequence(&port.ops, text, 2), 0); });
    EXPECT_EQ(err, "Character 'r' is not a digit\n");
    platform::setClock(nullptr);
}

class ExitThroughBootLoader : public stm32test::Connected {};

TEST_F(ExitThroughBootLoader, ResetsTheChipThroughItsStub) {
    ASSERT_TRUE(connect(stm32test::chip(0x410)));
    RecordingPort port;
    EXPECT_EQ(signal_exit_sequence(conn, &port.ops, "rts"), 1);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_EQ(machine().events.back(), "RESET system");
}

TEST_F(ExitThroughBootLoader, FailsWithoutAConnection) {
    RecordingPort port;
    std::string err = stderrOf([&] { EXPECT_EQ(signal_exit_sequence(nullptr, &port.ops, nullptr), 0); });
    EXPECT_EQ(err, "Cannot reset the device: no boot-loader connection\n");
    EXPECT_TRUE(port.calls.empty());
}

}  // namespace
