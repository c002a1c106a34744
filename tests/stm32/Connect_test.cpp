// Connecting to the in-memory boot loader: init, GVR, GET, GID and the chip lookup.
#include "Stm32Fixture.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using stm32sim::Answer;
using stm32sim::Config;
using stm32sim::Fault;
using stm32sim::Init;
using stm32sim::PortOptions;
using stm32test::chip;

class Connect : public stm32test::Connected {};

TEST_F(Connect, EachSimulatedChip) {
    for (uint16_t id : {0x410, 0x413, 0x419, 0x437, 0x442, 0x445}) {
        SCOPED_TRACE(id);
        stm32_disconnect(conn);
        ASSERT_TRUE(connect(chip(id))) << connectErr;
        EXPECT_EQ(conn->pid, id);
        ASSERT_NE(conn->dev, nullptr);
        EXPECT_EQ(conn->dev->id, id);
        EXPECT_EQ(conn->bl_version, 0x31);
        EXPECT_EQ(conn->version, 0x31);
        const stm32_cmd expected{0x00, 0x01, 0x02, 0x11, 0x21, 0x31, 0x44, 0x63, 0x73, 0x82, 0x92, 0xFF};
        EXPECT_EQ(memcmp(conn->cmd, &expected, sizeof expected), 0);
        EXPECT_EQ(connectErr, "1.p_err(0), byte(79).\n");
    }
}

struct InitCase {
    const char* name;
    Init init;
    int sendInit;
    bool connects;
    std::string err;
    friend void PrintTo(const InitCase& c, std::ostream* os) { *os << c.name; }
};

class InitAnswer : public Connect, public testing::WithParamInterface<InitCase> {};

TEST_P(InitAnswer, DecidesWhetherTheConnectGoesOn) {
    const InitCase& c = GetParam();
    Config config = chip(0x410);
    config.init = c.init;
    config.startSynced = !c.sendInit;
    EXPECT_EQ(connect(config, {}, c.sendInit), c.connects);
    EXPECT_EQ(connectErr, c.err);
    if (!c.sendInit) {
        EXPECT_EQ(machine().fromClient.front(), STM32_CMD_GVR);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Connect, InitAnswer,
    testing::Values(
        InitCase{"Ack", Init::Ack, 1, true, "1.p_err(0), byte(79).\n"},
        InitCase{"NackFromAnAwakeLoader", Init::Nack, 1, true,
                 "1.p_err(0), byte(1F).\n2.p_err(0), byte(1F).\nWarning: the interface was not closed properly.\n"},
        InitCase{"LostAckThenNack", Init::Lost, 1, true,
                 "1.p_err(2), byte(00).\n2.p_err(2), byte(00).\n3.p_err(2), byte(00).\np_err(0), byte(1F).\n"
                 "PORT_ERR_OK(0), STM#@_NACK(1F).\nFailed to init device(353).\n"},
        InitCase{"Garbage", Init::Garbage, 1, false,
                 "1.p_err(0), byte(5A).\n2.p_err(0), byte(5A).\n3.p_err(0), byte(5A).\n2. Failed to init device(336).\n"},
        InitCase{"Silent", Init::Silent, 1, false,
                 "1.p_err(2), byte(00).\n2.p_err(2), byte(00).\n3.p_err(2), byte(00).\np_err(2), byte(00).\n"
                 "PORT_ERR_OK(0), STM#@_NACK(1F).\nFailed to init device(353).\n"},
        InitCase{"NoneSent", Init::Ack, 0, true, ""}),
    [](const testing::TestParamInfo<InitCase>& info) { return std::string(info.param.name); });

struct GetCase {
    const char* name;
    std::vector<uint8_t> opcodes;
    uint8_t stm32_cmd::*slot;
    uint8_t filed;
    std::string unknown;  // the unknown-commands line, if any
    friend void PrintTo(const GetCase& c, std::ostream* os) { *os << c.name; }
};

class GetReply : public Connect, public testing::WithParamInterface<GetCase> {};

TEST_P(GetReply, FilesEachOpcodeInItsSlot) {
    const GetCase& c = GetParam();
    Config config = chip(0x410);
    config.getOpcodes = {0x00, 0x01, 0x02};
    config.getOpcodes.insert(config.getOpcodes.end(), c.opcodes.begin(), c.opcodes.end());
    ASSERT_TRUE(connect(config)) << connectErr;
    EXPECT_EQ(conn->cmd->*c.slot, c.filed);
    EXPECT_EQ(connectErr, "1.p_err(0), byte(79).\n" + c.unknown);
}

INSTANTIATE_TEST_SUITE_P(
    Connect, GetReply,
    testing::Values(GetCase{"WriteNoStretchBeatsWrite", {0x31, 0x32}, &stm32_cmd::write_memory, 0x32, ""},
                    GetCase{"WriteListedLowLast", {0x32, 0x31}, &stm32_cmd::write_memory, 0x32, ""},
                    GetCase{"ExtendedEraseBeforeErase", {0x44, 0x43}, &stm32_cmd::erase, 0x44, ""},
                    GetCase{"NoStretchEraseWins", {0x43, 0x45, 0x44}, &stm32_cmd::erase, 0x45, ""},
                    GetCase{"OneByteEraseAlone", {0x43}, &stm32_cmd::erase, 0x43, ""},
                    GetCase{"ReadoutUnprotectNoStretch", {0x93, 0x92}, &stm32_cmd::readout_unprotect, 0x93, ""},
                    GetCase{"Crc", {0xA1}, &stm32_cmd::crc, 0xA1, ""},
                    GetCase{"OneUnknown", {0x11, 0x56}, &stm32_cmd::read_memory, 0x11,
                            "GET returns unknown commands (0x56)\n"},
                    GetCase{"TwoUnknown", {0x56, 0x11, 0x07}, &stm32_cmd::read_memory, 0x11,
                            "GET returns unknown commands (0x56, 0x 7)\n"},
                    GetCase{"NotListed", {}, &stm32_cmd::go, 0xFF, ""}),
    [](const testing::TestParamInfo<GetCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::function<void(Config&, PortOptions&)> setup;
    std::string errTail;  // how the connect's messages end
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class Refused : public Connect, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refused, EndsWithoutAConnection) {
    const RefusalCase& c = GetParam();
    Config config = chip(0x410);
    PortOptions options;
    c.setup(config, options);
    EXPECT_FALSE(connect(config, options));
    ASSERT_GE(connectErr.size(), c.errTail.size()) << connectErr;
    EXPECT_EQ(connectErr.substr(connectErr.size() - c.errTail.size()), c.errTail) << connectErr;
}

const char* const getRefused = "Error: bootloader did not returned correct information from GET command\n";

INSTANTIATE_TEST_SUITE_P(
    Connect, Refused,
    testing::Values(
        RefusalCase{"GetNotListed", [](Config& c, PortOptions&) { c.getOpcodes = {0x01, 0x02, 0x11}; c.unlisted = {0x00}; },
                    getRefused},
        RefusalCase{"GvrNotListed", [](Config& c, PortOptions&) { c.getOpcodes = {0x00, 0x02}; c.unlisted = {0x01}; },
                    getRefused},
        RefusalCase{"GidNotListed", [](Config& c, PortOptions&) { c.getOpcodes = {0x00, 0x01}; c.unlisted = {0x02}; },
                    getRefused},
        RefusalCase{"GvrNacked", [](Config& c, PortOptions&) { c.faults = {Fault{0x01, 0, Answer::Nack}}; },
                    "Got NACK from device on command 0x01\nstm32_send_command Error !!"},
        RefusalCase{"GidOfOneByte", [](Config& c, PortOptions&) { c.gidCount = 0; },
                    "Only 1 bytes sent in the PID, unknown/unsupported device\n"},
        RefusalCase{"UnknownId", [](Config& c, PortOptions&) { c.gidPid = 0x999; },
                    "Unknown/unsupported device (Device ID: 0x999)\n"},
        RefusalCase{"ShortGetReply", [](Config& c, PortOptions&) { c.getLimit = 4; }, "1.p_err(0), byte(79).\n"},
        RefusalCase{"CountOf255WithAShortGetReply", [](Config& c, PortOptions&) { c.getCount = 255; c.getLimit = 30; },
                    "1.p_err(0), byte(79).\n"},
        RefusalCase{"ShortGidReply", [](Config& c, PortOptions&) { c.gidLimit = 1; }, "1.p_err(0), byte(79).\n"},
        RefusalCase{"GetAckMissing", [](Config& c, PortOptions&) { c.faults = {Fault{0x00, 1, Answer::Silent}}; },
                    "Failed to read ACK byte\n"},
        RefusalCase{"GvrWithoutExtraBytesOnAnExtraPort", [](Config& c, PortOptions&) { c.gvrExtra = false; },
                    "1.p_err(0), byte(79).\n"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(Connect, GidWithExtraBytesNamesThem) {
    Config config = chip(0x413);
    config.gidExtra = {0xAB, 0xCD};
    ASSERT_TRUE(connect(config)) << connectErr;
    EXPECT_EQ(conn->pid, 0x413);
    EXPECT_NE(connectErr.find("This bootloader returns 4 extra bytes in PID: 13 ab cd\n"), std::string::npos)
        << connectErr;
}

// Count bytes of 255 fill the reply buffer to its last byte and no further.
TEST_F(Connect, CountBytesOf255) {
    Config config = chip(0x410);
    config.getCount = 255;
    config.gidCount = 255;
    ASSERT_TRUE(connect(config)) << connectErr;
    EXPECT_EQ(conn->pid, 0x410);
    EXPECT_NE(connectErr.find("GET returns unknown commands (0xee, 0xee"), std::string::npos);
    EXPECT_NE(connectErr.find("This bootloader returns 256 extra bytes in PID: 10 ee"), std::string::npos);
}

TEST_F(Connect, WithoutGvrExtraBytes) {
    ASSERT_TRUE(connect(chip(0x410), PortOptions{.noGvrExtra = true})) << connectErr;
    EXPECT_EQ(conn->version, 0x31);
    EXPECT_EQ(conn->option1, 0);
    EXPECT_EQ(conn->option2, 0);
}

struct FrameCase {
    const char* name;
    std::vector<uint8_t> lengths;  // (GVR version, GET length) pairs
    bool resyncs;
    friend void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }
};

class FrameOriented : public Connect, public testing::WithParamInterface<FrameCase> {};

TEST_P(FrameOriented, ReadsTheListedLengthOrResyncs) {
    const FrameCase& c = GetParam();
    PortOptions options{.frameOriented = true, .getReplyLengths = c.lengths};
    ASSERT_TRUE(connect(chip(0x410), options)) << connectErr;
    EXPECT_EQ(conn->cmd->erase, 0x44);
    EXPECT_EQ(conn->pid, 0x410);
    // The default GET reply lists 11 opcodes.
    EXPECT_EQ(connectErr.find("Re sync (len = 11)\n") != std::string::npos, c.resyncs) << connectErr;
}

INSTANTIATE_TEST_SUITE_P(Connect, FrameOriented,
                         testing::Values(FrameCase{"ListedVersion", {0x10, 5, 0x31, 11}, false},
                                         FrameCase{"OtherLengthListed", {0x31, 5}, true},
                                         FrameCase{"VersionNotListed", {0x10, 11}, true},
                                         FrameCase{"NoList", {}, true}),
                         [](const testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST_F(Connect, FrameOrientedResyncInSilenceGivesUp) {
    Config config = chip(0x410);
    config.faults = {Fault{0x00, 0, Answer::AckThenSilentForever}};
    const int64_t start = clock.nowMs();
    EXPECT_FALSE(connect(config, PortOptions{.frameOriented = true}));
    const int64_t waited = clock.nowMs() - start;
    EXPECT_GE(waited, 35000);
    EXPECT_LT(waited, 37000);
    EXPECT_EQ(connectErr.find("Re sync"), std::string::npos);
}

// A count byte of 255 on a frame-oriented port: the re-read fills the reply buffer exactly.
TEST_F(Connect, FrameOrientedCountOf255) {
    Config config = chip(0x410);
    config.getCount = 255;
    ASSERT_TRUE(connect(config, PortOptions{.frameOriented = true})) << connectErr;
    EXPECT_NE(connectErr.find("Re sync (len = 255)\n"), std::string::npos) << connectErr;
    EXPECT_EQ(conn->pid, 0x410);
}

// The re-sync on a port standing in for a failing adapter: each operation answers as set here.
struct SyncPortCase {
    const char* name;
    int writeResult, readResult;  // port results; the read is reached only after a written frame
    bool readWaits;               // a timed-out read spends the serial port's 0.5 s first
    bool endsAtOnce;
    std::string err;
    friend void PrintTo(const SyncPortCase& c, std::ostream* os) { *os << c.name; }
};

const SyncPortCase* syncCase = nullptr;
int syncFrames = 0;

int syncWrite(port_ops*, const void*, size_t) {
    if (syncCase->writeResult == PORT_ERR_OK) ++syncFrames;
    errno = EIO;
    return syncCase->writeResult;
}
int syncRead(port_ops*, void*, size_t) {
    if (syncCase->readWaits) platform::sleepMs(500);
    errno = EIO;
    return syncCase->readResult;
}

class SyncAgain : public Connect, public testing::WithParamInterface<SyncPortCase> {};

TEST_P(SyncAgain, EndsOnAPortErrorAndPacesItselfOtherwise) {
    const SyncPortCase& c = GetParam();
    ASSERT_TRUE(connect(chip(0x410))) << connectErr;
    syncCase = &c;
    syncFrames = 0;
    port_ops* port = sim->port();
    port->write = syncWrite;
    port->read = syncRead;
    const int64_t start = clock.nowMs();
    std::string err = stm32test::stderrOf([&] { EXPECT_EQ(stm32_sync_again(conn), STM32_FAIL); });
    const int64_t waited = clock.nowMs() - start;
    EXPECT_EQ(err, c.err);
    if (c.endsAtOnce) {
        EXPECT_EQ(waited, 0);
        EXPECT_LE(syncFrames, 1);
    } else {
        // The budget is kept, and every attempt waits at least half a second.
        EXPECT_GE(waited, 35000);
        EXPECT_LT(waited, 36100);
        EXPECT_LE(syncFrames, 35000 / 500 + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Connect, SyncAgain,
    testing::Values(
        SyncPortCase{"ReadErrorEndsAtOnce", PORT_ERR_OK, PORT_ERR_UNKNOWN, false, true,
                     "The port failed: Input/output error\n"},
        SyncPortCase{"WriteErrorEndsAtOnce", PORT_ERR_UNKNOWN, PORT_ERR_OK, false, true,
                     "The port failed: Input/output error\n"},
        SyncPortCase{"SilentReadKeepsTheBudget", PORT_ERR_OK, PORT_ERR_TIMEDOUT, true, false, ""},
        SyncPortCase{"ReadFailingWithoutWaitIsPaced", PORT_ERR_OK, PORT_ERR_TIMEDOUT, false, false, ""},
        SyncPortCase{"WriteTimingOutIsPaced", PORT_ERR_TIMEDOUT, PORT_ERR_OK, false, false, ""}),
    [](const testing::TestParamInfo<SyncPortCase>& info) { return std::string(info.param.name); });

}  // namespace
