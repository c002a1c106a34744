// Serial parameters, the terminal settings they make, and the serial port on a pseudo-terminal.
#include "stm32/Port.h"
#include "stm32/SerialPosix.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

TEST(Conversions, EveryRateAndIndexBothWays) {
    const uint32_t rates[] = {1200,   1800,   2400,   4800,   9600,    19200,   38400,
                              57600,  115200, 128000, 230400, 256000,  460800,  500000,
                              576000, 921600, 1000000, 1500000, 2000000};
    for (int i = 0; i < 19; ++i) {
        SCOPED_TRACE(rates[i]);
        EXPECT_EQ(baud_code_of(rates[i]), i);
        EXPECT_EQ(baud_rate_of(i), rates[i]);
    }
    EXPECT_EQ(baud_code_of(57600), 7);
    EXPECT_EQ(baud_code_of(128000), 9);
    EXPECT_EQ(baud_code_of(14400), BAUD_INVALID);
    EXPECT_EQ(baud_rate_of(BAUD_INVALID), 0u);
    EXPECT_EQ(baud_rate_of(-1), 0u);
}

struct ModeCase {
    const char* mode;
    int bits, parity, stop;  // field indices; 4, 3, 2 are invalid
};

TEST(Conversions, ModeStringFields) {
    const ModeCase cases[] = {
        {"8e1", 3, 1, 0}, {"8N1", 3, 0, 0}, {"8n1", 3, 0, 0}, {"7O2", 2, 2, 1}, {"5e1", 0, 1, 0},
        {"8x1", 3, 3, 0}, {"9e1", 4, 1, 0}, {"8e", 3, 1, 2},  {"8e3", 3, 1, 2}, {"", 4, 3, 2},
        {"8", 3, 3, 2},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(data_bits_code_of(c.mode), c.bits);
        EXPECT_EQ(parity_code_of(c.mode), c.parity);
        EXPECT_EQ(stop_bits_code_of(c.mode), c.stop);
    }
    EXPECT_EQ(data_bits_code_of(nullptr), 4);
}

TEST(Conversions, BackFromIndices) {
    const int bits[] = {5, 6, 7, 8, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(data_bits_of(i), bits[i]);
    const char letters[] = {'N', 'E', 'O', ' '};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(parity_letter_of(i), letters[i]);
    const int stops[] = {1, 2, 0};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(stop_bits_of(i), stops[i]);
    EXPECT_EQ(data_bits_of(-1), 0);
}

// Settings found on a device that the port must not keep.
termios foundSettings() {
    termios t{};
    t.c_iflag = IXON | IXOFF | IXANY | IGNPAR | ICRNL;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = CS7 | CRTSCTS | PARENB | PARODD | CSTOPB;
    t.c_lflag = ECHO | ECHOK | ECHOCTL | ECHOKE | ICANON;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

struct SettingsCase {
    const char* mode;
    tcflag_t size;
    bool parity, odd, twoStops;
};

TEST(TerminalSettings, FollowTheMode) {
    const SettingsCase cases[] = {
        {"8e1", CS8, true, false, false},
        {"8o2", CS8, true, true, true},
        {"7n1", CS7, false, false, false},
        {"5e1", CS5, true, false, false},
    };
    const termios found = foundSettings();
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.mode);
        port_settings options;
        options.serial_mode = c.mode;
        termios t{};
        ASSERT_EQ(tty_make_settings(&options, &found, &t), PORT_ERR_OK);
        EXPECT_EQ(t.c_cflag & CSIZE, c.size);
        EXPECT_EQ(bool(t.c_cflag & PARENB), c.parity);
        EXPECT_EQ(bool(t.c_cflag & PARODD), c.odd);
        EXPECT_EQ(bool(t.c_iflag & INPCK), c.parity);
        EXPECT_EQ(bool(t.c_cflag & CSTOPB), c.twoStops);
        EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
        EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | IGNPAR | ICRNL), 0u);
        EXPECT_EQ(t.c_oflag & (OPOST | ONLCR), 0u);
        EXPECT_EQ(t.c_lflag & (ECHO | ECHOK | ECHOCTL | ECHOKE | ICANON), 0u);
        EXPECT_EQ(cfgetispeed(&t), speed_t(B115200));
        EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
        EXPECT_EQ(t.c_cc[VMIN], 0);
        EXPECT_EQ(t.c_cc[VTIME], 5);
    }
}

TEST(TerminalSettings, RefuseWhatTheSerialPortCannotCarry) {
    const termios found = foundSettings();
    struct {
        int baud;
        const char* mode;
    } refused[] = {{9, "8e1"}, {11, "8e1"}, {BAUD_INVALID, "8e1"}, {8, "8x1"}, {8, "9e1"}, {8, "8e"}};
    for (auto& r : refused) {
        SCOPED_TRACE(testing::Message() << r.baud << " " << r.mode);
        port_settings options;
        options.baud = r.baud;
        options.serial_mode = r.mode;
        termios t{};
        EXPECT_EQ(tty_make_settings(&options, &found, &t), PORT_ERR_UNKNOWN);
    }
    port_settings options;
    options.baud = 10;  // 230400, the one rate above 115200
    termios t{};
    EXPECT_EQ(tty_make_settings(&options, &found, &t), PORT_ERR_OK);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B230400));
}

int openDescriptors() {
    int n = 0;
    DIR* d = opendir("/proc/self/fd");
    while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
    return n;
}

// A pseudo-terminal whose slave the port opens; the test reads and writes the master.
class SerialOnPty : public testing::Test {
protected:
    SerialOnPty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(master, 0);
        grantpt(master);
        unlockpt(master);
        path = ptsname(master);
        // Keeps the slave side alive and lets the test set the settings found at open.
        slave = open(path.c_str(), O_RDWR | O_NOCTTY);
        port = port_serial_posix;
        port.priv = nullptr;
        options.device = path.c_str();
    }
    ~SerialOnPty() override {
        if (port.priv) tty_close(&port);
        close(slave);
        close(master);
    }
    termios current() {
        termios t{};
        tcgetattr(master, &t);
        return t;
    }

    int master = -1, slave = -1;
    std::string path;
    port_ops port;
    port_settings options;
};

TEST_F(SerialOnPty, OpensWithTheRequestedLine) {
    options.serial_mode = "8E1";
    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    EXPECT_STREQ(tty_describe(&port), "115200 8E1");
    termios t = current();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 5);

    tty_close(&port);
    options.baud = 7;
    options.serial_mode = "8n1";
    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    EXPECT_STREQ(tty_describe(&port), "57600 8N1");
}

TEST_F(SerialOnPty, CarriesBytesBothWaysAndTimesOutOnSilence) {
    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    const uint8_t out[3] = {0x7F, 0x00, 0xFF};
    ASSERT_EQ(tty_write(&port, out, 3), PORT_ERR_OK);
    uint8_t seen[3] = {};
    ASSERT_EQ(read(master, seen, 3), 3);
    EXPECT_EQ(memcmp(seen, out, 3), 0);

    const uint8_t in[2] = {0x79, 0x1F};
    ASSERT_EQ(write(master, in, 2), 2);
    uint8_t got[2] = {};
    ASSERT_EQ(tty_read(&port, got, 2), PORT_ERR_OK);
    EXPECT_EQ(memcmp(got, in, 2), 0);
    EXPECT_EQ(tty_read(&port, got, 0), PORT_ERR_OK);
    // Nothing more comes: the terminal's 0.5 s first-byte wait ends the read.
    EXPECT_EQ(tty_read(&port, got, 1), PORT_ERR_TIMEDOUT);
}

TEST_F(SerialOnPty, RestoresTheSettingsFoundAtOpen) {
    termios before = current();
    cfsetispeed(&before, B9600);
    cfsetospeed(&before, B9600);
    before.c_lflag |= ECHO | ICANON;
    before.c_cflag |= CSTOPB;
    tcsetattr(slave, TCSANOW, &before);
    before = current();

    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    termios during = current();
    EXPECT_EQ(cfgetospeed(&during), speed_t(B115200));
    EXPECT_EQ(tty_close(&port), PORT_ERR_OK);
    termios after = current();
    EXPECT_EQ(cfgetospeed(&after), speed_t(B9600));
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(port.priv, nullptr);
}

TEST_F(SerialOnPty, EachRefusalLeavesNoDescriptorOpen) {
    struct {
        int baud;
        const char* mode;
        const char* device;
    } refused[] = {{9, "8e1", nullptr}, {BAUD_INVALID, "8e1", nullptr}, {8, "8x1", nullptr},
                   {8, "8e", nullptr},  {12, "8e1", nullptr},           {8, "8e1", "/nonexistent/ttyS99"}};
    const int before = openDescriptors();
    for (auto& r : refused) {
        SCOPED_TRACE(testing::Message() << r.baud << " " << r.mode);
        options.baud = r.baud;
        options.serial_mode = r.mode;
        options.device = r.device ? r.device : path.c_str();
        EXPECT_EQ(tty_open(&port, &options), PORT_ERR_UNKNOWN);
        EXPECT_EQ(port.priv, nullptr);
        EXPECT_EQ(openDescriptors(), before);
    }
}

TEST_F(SerialOnPty, ModemLinesArePtyRefusedAndUnknownLinesFail) {
    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    EXPECT_EQ(tty_set_signal(&port, GPIO_RTS, 1), PORT_ERR_UNKNOWN);  // a pty has no modem lines
    EXPECT_EQ(tty_set_signal(&port, 4, 1), PORT_ERR_UNKNOWN);
    EXPECT_EQ(tty_set_signal(&port, GPIO_BRK, 0), PORT_ERR_OK);
}

TEST(SerialPort, UnopenedPortRefusesEverything) {
    port_ops port = port_serial_posix;
    port.priv = nullptr;
    uint8_t b = 0;
    EXPECT_EQ(tty_read(&port, &b, 1), PORT_ERR_UNKNOWN);
    EXPECT_EQ(tty_write(&port, &b, 1), PORT_ERR_UNKNOWN);
    EXPECT_EQ(tty_set_signal(&port, GPIO_DTR, 1), PORT_ERR_UNKNOWN);
    EXPECT_EQ(tty_close(&port), PORT_ERR_UNKNOWN);
    EXPECT_STREQ(tty_describe(&port), "INVALID");
}

TEST(SerialPort, NonTerminalOpensWithAWarningAndReadsEnd) {
    port_ops port = port_serial_posix;
    port.priv = nullptr;
    port_settings options;
    options.device = "/dev/null";
    testing::internal::CaptureStderr();
    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: Not a tty: /dev/null\n");
    uint8_t b = 0;
    EXPECT_EQ(tty_read(&port, &b, 1), PORT_ERR_TIMEDOUT);
    EXPECT_EQ(tty_set_signal(&port, GPIO_RTS, 1), PORT_ERR_UNKNOWN);
    EXPECT_EQ(tty_close(&port), PORT_ERR_OK);
}

TEST(SerialPort, NonTerminalReadWaitsBoundedForSilence) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string path = "/proc/self/fd/" + std::to_string(fds[0]);
    port_ops port = port_serial_posix;
    port.priv = nullptr;
    port_settings options;
    options.device = path.c_str();
    testing::internal::CaptureStderr();
    ASSERT_EQ(tty_open(&port, &options), PORT_ERR_OK);
    testing::internal::GetCapturedStderr();
    uint8_t b = 0;
    EXPECT_EQ(tty_read(&port, &b, 1), PORT_ERR_TIMEDOUT);  // would block forever without the poll
    tty_close(&port);
    close(fds[0]);
    close(fds[1]);
}

TEST(PortTryOpen, UnopenableDeviceNamesEachPortThenGivesUp) {
    port_settings options;
    options.device = "/nonexistent/ttyUSB7";
    port_ops* port = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(port_try_open(&options, &port), PORT_ERR_UNKNOWN);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error probing interface \"serial_posix\"\nCannot handle device \"/nonexistent/ttyUSB7\"\n");
    EXPECT_EQ(port, nullptr);
    EXPECT_EQ(port_i2c.open(&port_i2c, &options), PORT_ERR_NODEV);
    ASSERT_EQ(port_list_count, 2u);
    EXPECT_STREQ(port_list[0]->name, "serial_posix");
    EXPECT_EQ(port_list[0]->flags, 0xFu);
    EXPECT_STREQ(port_list[1]->name, "i2c");
    EXPECT_EQ(port_list[1]->flags, 0u);
}

TEST(PortTryOpen, HandsOutTheSerialPortOnATerminal) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    std::string path = ptsname(master);
    port_settings options;
    options.device = path.c_str();
    port_ops* port = nullptr;
    ASSERT_EQ(port_try_open(&options, &port), PORT_ERR_OK);
    EXPECT_EQ(port, &port_serial_posix);
    EXPECT_STREQ(port->cfg_str(port), "115200 8E1");
    EXPECT_EQ(port->close(port), PORT_ERR_OK);
    close(master);
}

}  // namespace
