// Memory read and write, the commands a boot loader may not offer, and the protection changes.
#include "Stm32Fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using stm32sim::Answer;
using stm32sim::Config;
using stm32sim::Fault;
using stm32sim::PortOptions;
using stm32test::chip;
using stm32test::stderrOf;

class Memory : public stm32test::Connected {};

TEST_F(Memory, FiveBytesGoAsAPaddedBlockOfEight) {
    ASSERT_TRUE(connect(chip(0x410)));
    const uint8_t data[5] = {0x01, 0x02, 0x03, 0x04, 0x05};
    ASSERT_EQ(stm32_mem_write(conn, 0x08000000, data, 5), STM32_OK);
    const uint8_t checksum = 0x07 ^ 0x01 ^ 0x02 ^ 0x03 ^ 0x04 ^ 0x05 ^ 0xFF ^ 0xFF ^ 0xFF;
    const std::vector<uint8_t> expected = {0x31, 0xCE, 0x08, 0x00, 0x00, 0x00, 0x08, 0x07, 0x01, 0x02,
                                           0x03, 0x04, 0x05, 0xFF, 0xFF, 0xFF, checksum};
    EXPECT_EQ(sim->takeWritten(), expected);
    const std::vector<uint8_t> flash(machine().flash().begin(), machine().flash().begin() + 9);
    EXPECT_EQ(flash, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(Memory, WritesAndReadsBackAFullBlock) {
    ASSERT_TRUE(connect(chip(0x413)));
    std::vector<uint8_t> data(256);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 5 + 1);
    ASSERT_EQ(stm32_mem_write(conn, 0x08004000, data.data(), data.size()), STM32_OK);
    std::vector<uint8_t> back(256);
    ASSERT_EQ(stm32_mem_read(conn, 0x08004000, back.data(), back.size()), STM32_OK);
    EXPECT_EQ(back, data);
    // RAM takes the bytes as they are; flash only clears bits.
    ASSERT_EQ(stm32_mem_write(conn, 0x08004000, std::vector<uint8_t>(4, 0xF0).data(), 4), STM32_OK);
    ASSERT_EQ(stm32_mem_read(conn, 0x08004000, back.data(), 4), STM32_OK);
    EXPECT_EQ(back[0], uint8_t(data[0] & 0xF0));
}

struct RefusedCase {
    const char* name;
    std::function<int(const stm32_conn*)> run;
    std::string err;
    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedBeforeSending : public Memory, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedBeforeSending, SendsNothing) {
    ASSERT_TRUE(connect(chip(0x410)));
    int result = -1;
    std::string err = stderrOf([&] { result = GetParam().run(conn); });
    EXPECT_EQ(result, STM32_FAIL);
    EXPECT_EQ(err, GetParam().err);
    EXPECT_TRUE(sim->takeWritten().empty());
}

uint8_t buffer[300];

INSTANTIATE_TEST_SUITE_P(
    Memory, RefusedBeforeSending,
    testing::Values(
        RefusedCase{"ReadOf257Bytes", [](const stm32_conn* c) { return stm32_mem_read(c, 0x08000000, buffer, 257); },
                    "Error: READ length limit at 256 bytes\n"},
        RefusedCase{"WriteOf257Bytes", [](const stm32_conn* c) { return stm32_mem_write(c, 0x08000000, buffer, 257); },
                    "Error: WRITE length limit at 256 bytes\n"},
        RefusedCase{"UnalignedWrite", [](const stm32_conn* c) { return stm32_mem_write(c, 0x08000002, buffer, 4); },
                    "Error: WRITE address must be 4 byte aligned\n"},
        RefusedCase{"ReadPastTheAddressSpace",
                    [](const stm32_conn* c) { return stm32_mem_read(c, 0xFFFFFF80, buffer, 256); },
                    "Error: address range 0xffffff80 + 256 passes 0xFFFFFFFF\n"},
        RefusedCase{"WritePastTheAddressSpace",
                    [](const stm32_conn* c) { return stm32_mem_write(c, 0xFFFFFFFC, buffer, 8); },
                    "Error: address range 0xfffffffc + 8 passes 0xFFFFFFFF\n"},
        RefusedCase{"SoftwareCrcPastTheAddressSpace",
                    [](const stm32_conn* c) {
                        uint32_t crc;
                        return stm32_mem_crc(c, 0xFFFFFF00, 0x200, &crc);
                    },
                    "Error: address range 0xffffff00 + 512 passes 0xFFFFFFFF\n"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(Memory, LastBytesOfTheAddressSpaceAreNoWrap) {
    ASSERT_TRUE(connect(chip(0x410)));
    // Ends exactly at 0xFFFFFFFF: sent, and the chip refuses the address.
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_read(conn, 0xFFFFFF00, buffer, 256), STM32_FAIL); });
    EXPECT_FALSE(sim->takeWritten().empty());
}

struct NotOfferedCase {
    const char* name;
    std::function<int(const stm32_conn*)> run;
    std::string err;
    friend void PrintTo(const NotOfferedCase& c, std::ostream* os) { *os << c.name; }
};

class NotOffered : public Memory, public testing::WithParamInterface<NotOfferedCase> {};

TEST_P(NotOffered, GivesThree) {
    Config config = chip(0x410);
    config.getOpcodes = {0x00, 0x01, 0x02};
    ASSERT_TRUE(connect(config));
    int result = -1;
    std::string err = stderrOf([&] { result = GetParam().run(conn); });
    EXPECT_EQ(result, STM32_NOT_OFFERED);
    EXPECT_EQ(err, GetParam().err);
    EXPECT_TRUE(sim->takeWritten().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Memory, NotOffered,
    testing::Values(
        NotOfferedCase{"Read", [](const stm32_conn* c) { return stm32_mem_read(c, 0x08000000, buffer, 4); },
                       "Error: READ command not implemented in bootloader.\n"},
        NotOfferedCase{"Write", [](const stm32_conn* c) { return stm32_mem_write(c, 0x08000000, buffer, 4); },
                       "Error: WRITE command not implemented in bootloader.\n"},
        NotOfferedCase{"Erase", [](const stm32_conn* c) { return stm32_mem_erase(c, 0, 1); },
                       "Error: ERASE command not implemented in bootloader.\n"},
        NotOfferedCase{"Go", [](const stm32_conn* c) { return stm32_jump_to(c, 0x08000000); },
                       "Error: GO command not implemented in bootloader.\n"},
        NotOfferedCase{"WriteUnprotect", stm32_write_unprotect,
                       "Error: WRITE UNPROTECT command not implemented in bootloader.\n"},
        NotOfferedCase{"WriteProtect", stm32_write_protect,
                       "Error: WRITE PROTECT command not implemented in bootloader.\n"},
        NotOfferedCase{"ReadoutUnprotect", stm32_readout_unprotect,
                       "Error: READOUT UNPROTECT command not implemented in bootloader.\n"},
        NotOfferedCase{"ReadoutProtect", stm32_readout_protect,
                       "Error: READOUT PROTECT command not implemented in bootloader.\n"},
        NotOfferedCase{"CrcCommand",
                       [](const stm32_conn* c) {
                           uint32_t crc;
                           return stm32_mem_crc_cmd(c, 0x08000000, 4, &crc);
                       },
                       "Error: CRC command not implemented in bootloader.\n"}),
    [](const testing::TestParamInfo<NotOfferedCase>& info) { return std::string(info.param.name); });

struct ProtectionCase {
    const char* name;
    int (*run)(const stm32_conn*);
    uint8_t opcode;
    Answer secondAck;
    int result;
    std::string err;
    std::string event;      // what the chip did, when it did it
    int64_t minWaitMs = 0;  // the second ACK's time-out, when silent
    friend void PrintTo(const ProtectionCase& c, std::ostream* os) { *os << c.name; }
};

class Protection : public Memory, public testing::WithParamInterface<ProtectionCase> {};

TEST_P(Protection, EndsAsTheSecondAckSays) {
    const ProtectionCase& c = GetParam();
    Config config = chip(0x410);
    config.faults = {Fault{c.opcode, 1, c.secondAck}};
    ASSERT_TRUE(connect(config));
    const int64_t start = clock.nowMs();
    int result = -1;
    std::string err = stderrOf([&] { result = c.run(conn); });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(err, c.err);
    EXPECT_GE(clock.nowMs() - start, c.minWaitMs);
    EXPECT_LT(clock.nowMs() - start, c.minWaitMs + 1000);
    EXPECT_EQ(machine().commands.back(), c.opcode);
    if (!c.event.empty()) {
        ASSERT_GE(machine().events.size(), 2u);
        EXPECT_EQ(machine().events[machine().events.size() - 2], c.event);
        EXPECT_EQ(machine().events.back(), "RESET after " + c.event);
    } else {
        EXPECT_EQ(machine().resets, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Memory, Protection,
    testing::Values(
        ProtectionCase{"WriteUnprotectAck", stm32_write_unprotect, 0x73, Answer::Ack, STM32_OK, "", "WRITE UNPROTECT"},
        ProtectionCase{"WriteUnprotectNack", stm32_write_unprotect, 0x73, Answer::Nack, STM32_FAIL,
                       "Error: Failed to WRITE UNPROTECT\n", ""},
        ProtectionCase{"WriteUnprotectSilent", stm32_write_unprotect, 0x73, Answer::Silent, STM32_FAIL,
                       "Failed to read ACK byte\n", "", 1000},
        ProtectionCase{"WriteProtectAck", stm32_write_protect, 0x63, Answer::Ack, STM32_OK, "", "WRITE PROTECT"},
        ProtectionCase{"WriteProtectNack", stm32_write_protect, 0x63, Answer::Nack, STM32_FAIL,
                       "Error: Failed to WRITE PROTECT\n", ""},
        ProtectionCase{"WriteProtectSilent", stm32_write_protect, 0x63, Answer::Silent, STM32_FAIL,
                       "Failed to read ACK byte\n", "", 1000},
        ProtectionCase{"ReadoutUnprotectAck", stm32_readout_unprotect, 0x92, Answer::Ack, STM32_OK, "",
                       "READOUT UNPROTECT"},
        ProtectionCase{"ReadoutUnprotectNack", stm32_readout_unprotect, 0x92, Answer::Nack, STM32_FAIL,
                       "Error: Failed to READOUT UNPROTECT\n", ""},
        ProtectionCase{"ReadoutUnprotectSilent", stm32_readout_unprotect, 0x92, Answer::Silent, STM32_FAIL,
                       "Failed to read ACK byte\n", "", 35000},
        ProtectionCase{"ReadoutProtectAck", stm32_readout_protect, 0x82, Answer::Ack, STM32_OK, "", "READOUT PROTECT"},
        ProtectionCase{"ReadoutProtectNack", stm32_readout_protect, 0x82, Answer::Nack, STM32_FAIL,
                       "Error: Failed to READOUT PROTECT\n", ""},
        ProtectionCase{"ReadoutProtectSilent", stm32_readout_protect, 0x82, Answer::Silent, STM32_FAIL,
                       "Failed to read ACK byte\n", "", 1000}),
    [](const testing::TestParamInfo<ProtectionCase>& info) { return std::string(info.param.name); });

TEST_F(Memory, ReadoutUnprotectErasesTheFlash) {
    Config config = chip(0x410);
    config.patternFlash = true;
    config.readProtected = true;
    ASSERT_TRUE(connect(config));
    uint8_t b[4];
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_read(conn, 0x08000000, b, 4), STM32_FAIL); });
    EXPECT_EQ(err, "Got NACK from device on command 0x11\n");
    ASSERT_EQ(stm32_readout_unprotect(conn), STM32_OK);
    EXPECT_FALSE(machine().readProtected());
    EXPECT_EQ(std::count(machine().flash().begin(), machine().flash().end(), 0xFF), long(machine().flash().size()));
    EXPECT_FALSE(machine().synced());
}

TEST_F(Memory, ProtectionChangeHintOnStretchingPortsOnly) {
    struct {
        std::vector<uint8_t> opcodes;
        bool stretching;
        bool hint;
    } cases[] = {{{0x73}, true, true}, {{0x74}, true, false}, {{0x73}, false, false}};
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.opcodes[0]) << " stretching " << c.stretching);
        Config config = chip(0x410);
        config.getOpcodes = {0x00, 0x01, 0x02};
        config.getOpcodes.push_back(c.opcodes[0]);
        config.faults = {Fault{c.opcodes[0], 1, Answer::Silent}};
        stm32_disconnect(conn);
        ASSERT_TRUE(connect(config, PortOptions{.clockStretching = c.stretching}));
        std::string err = stderrOf([&] { EXPECT_EQ(stm32_write_unprotect(conn), STM32_FAIL); });
        EXPECT_EQ(err.find("\tThis WRITE UNPROTECT error could be caused by your I2C\n") != std::string::npos, c.hint)
            << err;
    }
}

TEST_F(Memory, WriteHintOnStretchingPortsUnlessNoStretchWrite) {
    struct {
        uint8_t opcode;
        bool stretching;
        bool hint;
    } cases[] = {{0x31, true, true}, {0x32, true, false}, {0x31, false, false}};
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.opcode) << " stretching " << c.stretching);
        Config config = chip(0x410);
        config.getOpcodes = {0x00, 0x01, 0x02, c.opcode};
        config.faults = {Fault{c.opcode, 2, Answer::Silent}};
        stm32_disconnect(conn);
        ASSERT_TRUE(connect(config, PortOptions{.clockStretching = c.stretching}));
        std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_write(conn, 0x08000000, buffer, 4), STM32_FAIL); });
        const std::string hint =
            "Attention !!!\n\tThis write error could be caused by your I2C\n\tcontroller not accepting \"clock "
            "stretching\"\n\tas required by bootloader.\n";
        EXPECT_EQ(err.find(hint) != std::string::npos, c.hint) << err;
    }
}

TEST_F(Memory, ShortReadReplyFails) {
    Config config = chip(0x410);
    config.readLimit = 10;
    ASSERT_TRUE(connect(config));
    uint8_t b[16];
    EXPECT_EQ(stm32_mem_read(conn, 0x08000000, b, 16), STM32_FAIL);
    EXPECT_EQ(stm32_mem_read(conn, 0x08000000, b, 8), STM32_OK);  // the next read starts afresh
}

TEST_F(Memory, WriteProtectedPageRefusesTheBlock) {
    Config config = chip(0x410);
    config.writeProtectedPages = {1};
    ASSERT_TRUE(connect(config));
    std::vector<uint8_t> data(8, 0x00);
    EXPECT_EQ(stm32_mem_write(conn, 0x08000000, data.data(), 8), STM32_OK);
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_write(conn, 0x08000400, data.data(), 8), STM32_FAIL); });
    EXPECT_EQ(err, "");  // a NACKed block: the caller says what failed
    EXPECT_EQ(machine().flash()[0x400], 0xFF);
}

}  // namespace
