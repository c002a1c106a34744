// The client through the real serial port against the simulated boot loader on a pty, in real
// time: the whole road once per chip, a rate mismatch, and a reset in the middle of a write.
#include "Stm32Fixture.h"

#include "sim/stm32/PtyBootLoader.h"

#include <gtest/gtest.h>

namespace {

using stm32sim::Config;
using stm32sim::PtyBootLoader;
using stm32test::chip;
using stm32test::stderrOf;

class RealPty : public testing::Test {
protected:
    ~RealPty() override {
        stm32_disconnect(conn);
        if (port) port->close(port);
    }
    bool open(PtyBootLoader& sim, int baud = 8) {
        options.device = sim.path().c_str();
        options.baud = baud;
        return port_try_open(&options, &port) == PORT_ERR_OK;
    }
    bool connect() {
        stm32_disconnect(conn);
        connectErr = stderrOf([&] { conn = stm32_connect(port, 1); });
        return conn != nullptr;
    }

    port_settings options;
    port_ops* port = nullptr;
    stm32_conn* conn = nullptr;
    std::string connectErr;
};

class WholeRoad : public RealPty, public testing::WithParamInterface<uint16_t> {};

TEST_P(WholeRoad, ConnectEraseWriteReadCrcGo) {
    Config config = chip(GetParam());
    config.patternFlash = true;
    PtyBootLoader sim(config);
    ASSERT_TRUE(open(sim));
    ASSERT_TRUE(connect()) << connectErr;
    EXPECT_EQ(conn->pid, GetParam());

    ASSERT_EQ(stm32_mem_erase(conn, 0, 2), STM32_OK);
    std::vector<uint8_t> image(512);
    for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(i * 3 + 7);
    for (size_t at = 0; at < image.size(); at += 256)
        ASSERT_EQ(stm32_mem_write(conn, 0x08000000 + uint32_t(at), image.data() + at, 256), STM32_OK);
    std::vector<uint8_t> back(image.size());
    for (size_t at = 0; at < back.size(); at += 256)
        ASSERT_EQ(stm32_mem_read(conn, 0x08000000 + uint32_t(at), back.data() + at, 256), STM32_OK);
    EXPECT_EQ(back, image);
    uint32_t crc = 0;
    stderrOf([&] { EXPECT_EQ(stm32_mem_crc(conn, 0x08000000, 512, &crc), STM32_OK); });
    EXPECT_EQ(crc, stm32_crc32_words(0xFFFFFFFF, image.data(), image.size()));
    ASSERT_EQ(stm32_jump_to(conn, 0x08000000), STM32_OK);

    sim.with([&](stm32sim::BootMachine& m) {
        EXPECT_TRUE(m.running());
        EXPECT_EQ(m.events.back(), "GO 0x08000000");
        EXPECT_TRUE(std::equal(image.begin(), image.end(), m.flash().begin()));
        // The second page was erased, the third left alone.
        uint32_t start, size;
        m.chip().page(2, start, size);
        EXPECT_EQ(m.flash()[start - m.chip().flashStart - 1], 0xFF);
        EXPECT_EQ(m.flash()[start - m.chip().flashStart], m.patternByte(start));
    });
}

INSTANTIATE_TEST_SUITE_P(RealPty, WholeRoad, testing::Values(0x410, 0x413),
                         [](const testing::TestParamInfo<uint16_t>& info) {
                             return "Chip" + std::to_string(info.index ? 413 : 410);
                         });

TEST_F(RealPty, RateMismatchGarblesTheInitAnswer) {
    PtyBootLoader sim(chip(0x410), B57600);
    ASSERT_TRUE(open(sim));
    EXPECT_FALSE(connect());
    EXPECT_NE(connectErr.find("2. Failed to init device(336).\n"), std::string::npos) << connectErr;
    port->close(port);

    // At the chip's rate the boot loader, already awake, answers the init with NACK.
    ASSERT_TRUE(open(sim, 7));
    ASSERT_TRUE(connect()) << connectErr;
    EXPECT_NE(connectErr.find("Warning: the interface was not closed properly.\n"), std::string::npos);
}

TEST_F(RealPty, ResetInTheMiddleOfAWriteThenReconnect) {
    Config config = chip(0x410);
    config.resetInWriteBlock = 10;
    PtyBootLoader sim(config);
    ASSERT_TRUE(open(sim));
    ASSERT_TRUE(connect()) << connectErr;
    std::vector<uint8_t> data(64, 0x5A);
    std::string err = stderrOf([&] { EXPECT_EQ(stm32_mem_write(conn, 0x08000000, data.data(), 64), STM32_FAIL); });
    EXPECT_EQ(err, "Failed to read ACK byte\n");

    // The chip now waits for 0x7F only; a new connection wakes it.
    ASSERT_TRUE(connect()) << connectErr;
    EXPECT_EQ(connectErr, "1.p_err(0), byte(79).\n");
    ASSERT_EQ(stm32_mem_write(conn, 0x08000000, data.data(), 64), STM32_OK);
    sim.with([&](stm32sim::BootMachine& m) {
        EXPECT_EQ(m.resets, 1);
        EXPECT_EQ(m.flash()[63], 0x5A);
    });
}

}  // namespace
