// Reset through a RAM stub, both CRC paths, and the ACK waits under busy or wrong answers.
#include "Stm32Fixture.h"

#include "tests_support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using stm32sim::Answer;
using stm32sim::Config;
using stm32sim::Fault;
using stm32sim::PortOptions;
using stm32test::chip;
using stm32test::stderrOf;

class Reset : public stm32test::Connected {};

uint32_t le32At(const std::vector<uint8_t>& v, size_t at) {
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 | uint32_t(v[at + 3]) << 24;
}

struct ResetCase {
    const char* name;
    uint16_t chip;
    std::vector<uint8_t> code;  // the stub's 16 bytes
    std::string reset;
    friend void PrintTo(const ResetCase& c, std::ostream* os) { *os << c.name; }
};

class ResetStub : public Reset, public testing::WithParamInterface<ResetCase> {};

TEST_P(ResetStub, RunsFromRamStart) {
    const ResetCase& c = GetParam();
    ASSERT_TRUE(connect(chip(c.chip)));
    ASSERT_EQ(stm32_reset_chip(conn), STM32_OK);
    const auto& ram = machine().ram();
    const uint32_t start = machine().chip().ramStart;
    EXPECT_EQ(le32At(ram, 0), 0x20002000u);
    EXPECT_EQ(le32At(ram, 4), start + 9);
    EXPECT_EQ(std::vector<uint8_t>(ram.begin() + 8, ram.begin() + 24), c.code);
    EXPECT_EQ(machine().events.back(), "RESET " + c.reset);
}

INSTANTIATE_TEST_SUITE_P(
    Reset, ResetStub,
    testing::Values(ResetCase{"SystemReset", 0x410,
                              {0x01, 0x49, 0x02, 0x4A, 0x0A, 0x60, 0xFE, 0xE7, 0x0C, 0xED, 0x00, 0xE0, 0x04, 0x00, 0xFA, 0x05},
                              "system"},
                    ResetCase{"OptionByteReload", 0x442,
                              {0x01, 0x49, 0x02, 0x4A, 0x0A, 0x60, 0xFE, 0xE7, 0x10, 0x20, 0x02, 0x40, 0x00, 0x20, 0x00, 0x00},
                              "option reload"}),
    [](const testing::TestParamInfo<ResetCase>& info) { return std::string(info.param.name); });

TEST_F(Reset, RefusedWhereTheStubDoesNotFitInRam) {
    ASSERT_TRUE(connect(chip(0x445)));
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_reset_chip(conn), STM32_FAIL); });
    EXPECT_EQ(err, "Error: the 24 bytes of code at 0x20001800 do not fit in the chip's RAM\n");
    EXPECT_TRUE(sim->takeWritten().empty());
}

TEST_F(Reset, UnalignedStubRefused) {
    ASSERT_TRUE(connect(chip(0x410)));
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_run_ram_stub(conn, 0x20000202, stm32_system_reset_stub), STM32_FAIL); });
    EXPECT_EQ(err, "Error: code address must be 4 byte aligned\n");
}

TEST_F(Reset, GoRunsTheUserCode) {
    ASSERT_TRUE(connect(chip(0x410)));
    ASSERT_EQ(stm32_jump_to(conn, 0x08000000), STM32_OK);
    EXPECT_EQ(machine().events.back(), "GO 0x08000000");
    EXPECT_TRUE(machine().running());
}

TEST(CrcWords, KnownValues) {
    const uint8_t word[4] = {0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(stm32_crc32_words(0xFFFFFFFF, word, 0), 0xFFFFFFFFu);
    EXPECT_EQ(stm32_crc32_words(0xFFFFFFFF, word, 4), 0xDF8A8A2Bu);
    testing::internal::CaptureStderr();
    EXPECT_EQ(stm32_crc32_words(0xFFFFFFFF, word, 3), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Buffer length must be multiple of 4 bytes\n");
}

class Crc : public stm32test::Connected {};

TEST_F(Crc, OfZeroBytes) {
    ASSERT_TRUE(connect(chip(0x410)));
    uint32_t crc = 0;
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_crc(conn, 0x08000000, 0, &crc), STM32_OK); });
    EXPECT_EQ(crc, 0xFFFFFFFFu);
    EXPECT_EQ(err, "Done.\n");
    EXPECT_TRUE(sim->takeWritten().empty());
}

// An image in flash, its CRC as an independent tool appends it, and both of ours.
TEST_F(Crc, OfAnImageMatchesWhatSrecCatAppends) {
    std::vector<uint8_t> image(1000);
    uint32_t seed = 12345;
    for (uint8_t& b : image) b = uint8_t((seed = seed * 1103515245 + 12345) >> 16);

    test_support::TempDir dir;
    std::ofstream(dir.path() + "/image.bin", std::ios::binary).write(reinterpret_cast<const char*>(image.data()), long(image.size()));
    const std::string command = "srec_cat " + dir.path() + "/image.bin -binary -STM32_Little_Endian 1000 -o " +
                                dir.path() + "/with-crc.bin -binary";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(dir.path() + "/with-crc.bin", std::ios::binary);
    std::vector<uint8_t> withCrc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(withCrc.size(), 1004u);
    const uint32_t expected = le32At(withCrc, 1000);

    for (bool command : {false, true}) {
        SCOPED_TRACE(command ? "CRC command" : "computed here");
        Config config = chip(0x410);
        if (command) config.getOpcodes.push_back(0xA1);
        stm32_disconnect(conn);
        ASSERT_TRUE(connect(config));
        std::copy(image.begin(), image.end(), machine().flash().begin() + 0x400);
        uint32_t crc = 0;
        std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_crc(conn, 0x08000400, 1000, &crc), STM32_OK); });
        EXPECT_EQ(crc, expected);
        if (!command) {
            EXPECT_EQ(err.substr(0, 34), "\rCRC address 0x08000500 (25.60%) \r");
            EXPECT_NE(err.find("\rCRC address 0x080007e8 (100.00%) Done.\n"), std::string::npos) << err;
        } else {
            EXPECT_EQ(err, "");
            EXPECT_EQ(machine().events.back(), "CRC 0x08000400 1000");
        }
    }
}

TEST_F(Crc, ReplyWithABadCheckByteFails) {
    Config config = chip(0x410);
    config.getOpcodes.push_back(0xA1);
    config.badCrcXor = true;
    ASSERT_TRUE(connect(config));
    uint32_t crc = 0;
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_crc(conn, 0x08000000, 64, &crc), STM32_FAIL); });
    EXPECT_EQ(err, "Error: CRC reply fails its check byte\n");
}

TEST_F(Crc, UnalignedRangeRefused) {
    Config config = chip(0x410);
    config.getOpcodes.push_back(0xA1);
    ASSERT_TRUE(connect(config));
    uint32_t crc = 0;
    for (auto [address, len] : {std::pair{0x08000002u, 8u}, std::pair{0x08000000u, 6u}}) {
        std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_crc(conn, address, len, &crc), STM32_FAIL); });
        EXPECT_EQ(err, "Start and end addresses must be 4 byte aligned\n");
        err = stderrOf([&] { EXPECT_EQ(stm32_mem_crc_cmd(conn, address, len, &crc), STM32_FAIL); });
        EXPECT_EQ(err, "Start and end addresses must be 4 byte aligned\n");
    }
    EXPECT_TRUE(sim->takeWritten().empty());
}

TEST_F(Crc, ReadProtectedChipCannotBeRead) {
    Config config = chip(0x410);
    config.readProtected = true;
    ASSERT_TRUE(connect(config));
    uint32_t crc = 0;
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_crc(conn, 0x08000000, 512, &crc), STM32_FAIL); });
    EXPECT_EQ(err, "Got NACK from device on command 0x11\n"
                   "Failed to read memory at address 0x08000000, target write-protected?\n");
}

struct WaitCase {
    const char* name;
    Fault fault;
    bool retryPort;
    int result;
    std::string err;
    int64_t minMs, maxMs;
    friend void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }
};

class AckWait : public stm32test::Connected, public testing::WithParamInterface<WaitCase> {};

// The read command's own ACK, answered as each case says; the connection works afterwards.
TEST_P(AckWait, EndsWithinItsTimeOut) {
    const WaitCase& c = GetParam();
    Config config = chip(0x410);
    config.faults = {c.fault};
    ASSERT_TRUE(connect(config));
    if (!c.retryPort) sim->port()->flags &= ~uint32_t(PORT_RETRY);
    uint8_t buf[16];
    const int64_t start = clock.nowMs();
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_read(conn, 0x08000000, buf, 16), c.result); });
    EXPECT_EQ(err, c.err);
    EXPECT_GE(clock.nowMs() - start, c.minMs);
    EXPECT_LE(clock.nowMs() - start, c.maxMs);
}

INSTANTIATE_TEST_SUITE_P(
    Waits, AckWait,
    testing::Values(
        WaitCase{"SomeBusyBytes", Fault{0x11, 0, Answer::Busy, 20}, true, STM32_OK, "", 20, 20},
        WaitCase{"WrongByte", Fault{0x11, 0, Answer::Wrong}, true, STM32_FAIL,
                 "Got byte 0x5a instead of ACK\nUnexpected reply from device on command 0x11\n", 0, 0},
        WaitCase{"EndlessBusy", Fault{0x11, 0, Answer::BusyForever}, true, STM32_FAIL,
                 "Failed to read ACK byte\nUnexpected reply from device on command 0x11\n", 1000, 1001},
        WaitCase{"SilentBlockAck", Fault{0x11, 1, Answer::Silent}, true, STM32_FAIL, "Failed to read ACK byte\n", 500, 500},
        WaitCase{"Nack", Fault{0x11, 0, Answer::Nack}, true, STM32_FAIL, "Got NACK from device on command 0x11\n", 0, 0}),
    [](const testing::TestParamInfo<WaitCase>& info) { return std::string(info.param.name); });

// The erase's 5 s per page holds against a chip that says busy for longer.
TEST_F(AckWait, EndlessBusyEndsAtTheCallersTimeOut) {
    Config config = chip(0x410);
    config.faults = {Fault{0x44, 1, Answer::BusyForever}};
    ASSERT_TRUE(connect(config));
    const int64_t start = clock.nowMs();
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_erase(conn, 0, 2), STM32_FAIL); });
    EXPECT_GE(clock.nowMs() - start, 10000);
    EXPECT_LE(clock.nowMs() - start, 10001);
}

TEST_F(AckWait, ConnectionWorksAfterAFailedOperation) {
    Config config = chip(0x410);
    config.faults = {Fault{0x31, 2, Answer::Nack}};
    ASSERT_TRUE(connect(config));
    const uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(stm32_mem_write(conn, 0x08000000, data, 4), STM32_FAIL);
    EXPECT_EQ(stm32_mem_write(conn, 0x08000000, data, 4), STM32_OK);
    uint8_t back[4] = {};
    ASSERT_EQ(stm32_mem_read(conn, 0x08000000, back, 4), STM32_OK);
    EXPECT_EQ(memcmp(back, data, 4), 0);
}

TEST(StretchHint, FiveLines) {
    testing::internal::CaptureStderr();
    stm32_stretch_hint("erase");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Attention !!!\n\tThis erase error could be caused by your I2C\n\tcontroller not accepting \"clock "
              "stretching\"\n\tas required by bootloader.\n\tCheck that your I2C controller and its driver support "
              "clock stretching.\n");
}

TEST(ByteOrder, HostIsLittleEndian) {
    EXPECT_TRUE(stm32_host_is_le());
    EXPECT_EQ(stm32_le32(0x12345678), 0x12345678u);
    EXPECT_EQ(stm32_be32(0x12345678), 0x78563412u);
}

}  // namespace
