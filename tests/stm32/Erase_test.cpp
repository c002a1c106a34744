// Erasing: page lists in chunks with their waits, mass erase, and the page-number limits.
#include "Stm32Fixture.h"

#include <gtest/gtest.h>

namespace {

using stm32sim::Answer;
using stm32sim::Config;
using stm32sim::Fault;
using stm32test::chip;
using stm32test::stderrOf;

class Erase : public stm32test::Connected {
protected:
    Config withErase(uint16_t id, uint8_t opcode) {
        Config config = chip(id);
        config.getOpcodes = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, opcode};
        config.patternFlash = true;
        return config;
    }
    std::vector<std::string> eraseEvents() {
        std::vector<std::string> out;
        for (const std::string& e : machine().events)
            if (e.rfind("ERASE", 0) == 0) out.push_back(e);
        return out;
    }
};

TEST_F(Erase, SixHundredPagesGoAsTwoLists) {
    ASSERT_TRUE(connect(withErase(0x437, 0x44)));
    ASSERT_EQ(stm32_mem_erase(conn, 0, 600), STM32_OK);
    EXPECT_EQ(eraseEvents(), (std::vector<std::string>{"ERASE 512 from 0", "ERASE 88 from 512"}));
    // Pages 0-599 of 256 bytes erased, page 600 left as it was.
    EXPECT_EQ(machine().flash()[600 * 256 - 1], 0xFF);
    EXPECT_EQ(machine().flash()[600 * 256], machine().patternByte(0x08000000 + 600 * 256));
}

struct SilentListCase {
    const char* name;
    int skip;  // lists answered before the silent one
    int64_t waitMs;
    std::vector<std::string> erased;
    friend void PrintTo(const SilentListCase& c, std::ostream* os) { *os << c.name; }
};

class SilentList : public Erase, public testing::WithParamInterface<SilentListCase> {};

// Each list's ACK wait is 5 s per page of the list.
TEST_P(SilentList, WaitsFiveSecondsPerPage) {
    const SilentListCase& c = GetParam();
    Config config = withErase(0x437, 0x44);
    config.faults = {Fault{0x44, 1, Answer::Silent, 0, c.skip}};
    ASSERT_TRUE(connect(config));
    int64_t start = clock.nowMs();
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_erase(conn, 0, 600), STM32_FAIL); });
    EXPECT_GE(clock.nowMs() - start, c.waitMs);
    EXPECT_LT(clock.nowMs() - start, c.waitMs + 1000);
    EXPECT_EQ(err, "Failed to read ACK byte\nPage-by-page erase failed. Check the maximum pages your device supports.\n");
    EXPECT_EQ(eraseEvents(), c.erased);
}

INSTANTIATE_TEST_SUITE_P(Erase, SilentList,
                         testing::Values(SilentListCase{"FirstList", 0, 2560000, {}},
                                         SilentListCase{"SecondList", 1, 440000, {"ERASE 512 from 0"}}),
                         [](const testing::TestParamInfo<SilentListCase>& info) { return std::string(info.param.name); });

// A count byte of 0xFF is the mass-erase code, so 256 pages need two lists.
TEST_F(Erase, OneByteListsHoldAtMost255Pages) {
    ASSERT_TRUE(connect(withErase(0x437, 0x43)));
    ASSERT_EQ(stm32_mem_erase(conn, 0, 256), STM32_OK);
    EXPECT_EQ(eraseEvents(), (std::vector<std::string>{"ERASE 255 from 0", "ERASE 1 from 255"}));
    const std::vector<uint8_t> sent = machine().fromClient;
    // Second list: the command, count 0, page 255, checksum.
    const std::vector<uint8_t> tail(sent.end() - 5, sent.end());
    EXPECT_EQ(tail, (std::vector<uint8_t>{0x43, 0xBC, 0x00, 0xFF, 0xFF}));
    EXPECT_EQ(machine().flash()[256 * 256], machine().patternByte(0x08000000 + 256 * 256));
}

struct LimitCase {
    const char* name;
    uint8_t opcode;
    uint32_t first, count;
    std::string err;
    friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }
};

class PageLimit : public Erase, public testing::WithParamInterface<LimitCase> {};

TEST_P(PageLimit, RefusedWithNothingSent) {
    const LimitCase& c = GetParam();
    ASSERT_TRUE(connect(withErase(0x437, c.opcode)));
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_erase(conn, c.first, c.count), STM32_FAIL); });
    EXPECT_EQ(err, c.err);
    EXPECT_TRUE(sim->takeWritten().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Erase, PageLimit,
    testing::Values(
        LimitCase{"OneBytePagePast255", 0x43, 200, 100,
                  "Error: pages 200 to 299 are past the last page number 255 of this boot loader's erase\n"},
        LimitCase{"OneByteFirstPagePast255", 0x43, 256, 1,
                  "Error: pages 256 to 256 are past the last page number 255 of this boot loader's erase\n"},
        LimitCase{"RunPast0xFFFF", 0x44, 0xFFF0, 0x20, "Error: pages 65520 to 65551 are past the last page number 0xFFFF\n"},
        LimitCase{"FirstPagePast0xFFFF", 0x44, 0x10000, 1, "Error: pages 65536 to 65536 are past the last page number 0xFFFF\n"}),
    [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST_F(Erase, NoPagesDoNothing) {
    ASSERT_TRUE(connect(withErase(0x410, 0x44)));
    EXPECT_EQ(stm32_mem_erase(conn, 0, 0), STM32_OK);
    EXPECT_TRUE(sim->takeWritten().empty());
}

struct MassCase {
    const char* name;
    uint16_t chip;
    uint8_t opcode;
    std::vector<uint8_t> sent;         // bytes of a single mass erase
    std::vector<std::string> erased;
    friend void PrintTo(const MassCase& c, std::ostream* os) { *os << c.name; }
};

class MassErase : public Erase, public testing::WithParamInterface<MassCase> {};

TEST_P(MassErase, ClearsTheWholeFlash) {
    const MassCase& c = GetParam();
    ASSERT_TRUE(connect(withErase(c.chip, c.opcode)));
    ASSERT_EQ(stm32_mem_erase(conn, 0, STM32_MASS_ERASE), STM32_OK);
    if (!c.sent.empty()) {
        EXPECT_EQ(sim->takeWritten(), c.sent);
    }
    EXPECT_EQ(eraseEvents(), c.erased);
    const auto& flash = machine().flash();
    EXPECT_EQ(std::count(flash.begin(), flash.end(), 0xFF), long(flash.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Erase, MassErase,
    testing::Values(MassCase{"OneByteErase", 0x410, 0x43, {0x43, 0xBC, 0xFF, 0x00}, {"ERASE mass"}},
                    MassCase{"TwoByteErase", 0x413, 0x44, {0x44, 0xBB, 0xFF, 0xFF, 0x00}, {"ERASE mass"}},
                    MassCase{"NoMassEraseChipPageByPage", 0x437, 0x44, {},
                             {"ERASE 512 from 0", "ERASE 512 from 512", "ERASE 512 from 1024", "ERASE 512 from 1536"}}),
    [](const testing::TestParamInfo<MassCase>& info) { return std::string(info.param.name); });

TEST_F(Erase, MassEraseNackedAdvisesPages) {
    Config config = withErase(0x413, 0x44);
    config.faults = {Fault{0x44, 1, Answer::Nack}};
    ASSERT_TRUE(connect(config));
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_erase(conn, 0, STM32_MASS_ERASE), STM32_FAIL); });
    EXPECT_EQ(err, "Mass erase failed. Try specifying the number of pages to be erased.\n");
}

TEST_F(Erase, CommandRefusedCannotInitiate) {
    Config config = withErase(0x410, 0x44);
    config.faults = {Fault{0x44, 0, Answer::Nack}};
    ASSERT_TRUE(connect(config));
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_erase(conn, 0, 4), STM32_FAIL); });
    EXPECT_EQ(err, "Got NACK from device on command 0x44\nCan't initiate chip mass erase!\n");
}

TEST_F(Erase, SectorsOfASectoredChip) {
    ASSERT_TRUE(connect(withErase(0x413, 0x44)));
    ASSERT_EQ(stm32_mem_erase(conn, 4, 2), STM32_OK);
    const auto& flash = machine().flash();
    EXPECT_EQ(flash[0x10000 - 1], machine().patternByte(0x0800FFFF));
    EXPECT_EQ(flash[0x10000], 0xFF);
    EXPECT_EQ(flash[0x40000 - 1], 0xFF);
    EXPECT_EQ(flash[0x40000], machine().patternByte(0x08040000));
}

}  // namespace
