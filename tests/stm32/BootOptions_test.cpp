// The boot-loader program's command line: settings, refusals and their log lines, the usage.
#include <gtest/gtest.h>

#include <functional>

#include "stm32/BootOptions.h"

namespace {

struct Parsed {
    int result;
    bl_settings settings;
    std::string log;
};

Parsed parse(std::vector<std::string> args) {
    args.insert(args.begin(), "prog");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Parsed p{};
    testing::internal::CaptureStderr();
    p.result = bl_read_options(int(args.size()), argv.data(), &p.settings);
    p.log = testing::internal::GetCapturedStderr();
    // The vector's texts die here: keep only what the cases check.
    p.settings.port.device = p.settings.port.device ? "set" : nullptr;
    p.settings.filename = p.settings.filename ? "set" : nullptr;
    p.settings.gpio_seq = p.settings.gpio_seq ? "set" : nullptr;
    p.settings.port.serial_mode = "";
    return p;
}

struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    int result;
    std::vector<std::string> logged;  // each must appear, in this order
    std::function<void(const bl_settings&)> check = nullptr;
};

const char kUsageStart[] = "Usage: prog [-bvngfhc] [-[rw] filename] [tty_device | i2c_device]\n";
const char kConflict[] = "ERROR: Invalid options, can't specify start page / num pages and start address/length\n";

TEST(BootOptions, SettingsAndRefusals) {
    const std::vector<OptionCase> cases = {
        {"defaults", {"dev"}, 0, {"---------------1.argv[c] = [dev]\n"}, [](const bl_settings& s) {
             EXPECT_EQ(s.port.baud, 8);
             EXPECT_EQ(s.port.rx_frame_max, 256u);
             EXPECT_EQ(s.port.tx_frame_max, 258u);
             EXPECT_EQ(s.action, ACT_NONE);
             EXPECT_EQ(s.retry, 10u);
             EXPECT_TRUE(s.init_flag);
             EXPECT_FALSE(s.verify || s.exec_flag || s.force_binary || s.reset_flag || s.no_erase);
         }},
        {"two actions", {"-r", "a.bin", "-w", "b.bin", "dev"}, 1,
         {"ERROR: Invalid options !\n\tCan't execute \"memory read\" and \"memory write\" at the same time.\n"}},
        {"crc after erase", {"-o", "-C", "dev"}, 1, {"\"flash erase\" and \"memory crc\""}},
        {"unprotect then read protect", {"-u", "-j", "dev"}, 1, {"\"write unprotect\" and \"read protect\""}},
        {"read unprotect then erase", {"-k", "-o", "dev"}, 1, {"\"read unprotect\" and \"flash erase\""}},
        {"-e 0 sets no erase", {"-e", "0", "dev"}, 0, {}, [](const bl_settings& s) {
             EXPECT_TRUE(s.no_erase);
             EXPECT_EQ(s.npages, 0u);
         }},
        {"-e 255", {"-e", "255", "dev"}, 0, {}, [](const bl_settings& s) { EXPECT_EQ(s.npages, 255u); }},
        {"-e 256", {"-e", "256", "dev"}, 1, {"ERROR: You need to specify a page count between 0 and 255\n"}},
        {"-e not a number", {"-e", "foo", "dev"}, 1, {"ERROR: Invalid number \"foo\" for option -e\n"},},
        {"-S zero length", {"-S", "0x08000000:0", "dev"}, 1, {"ERROR: Invalid options, can't specify zero length\n"}},
        {"-s then -S", {"-s", "4", "-S", "0x08000000", "dev"}, 1, {kConflict}},
        {"-S then -e", {"-S", "0x08000000", "-e", "3", "dev"}, 1, {kConflict}},
        {"-S then -s", {"-S", "0x08000000:16", "-s", "3", "dev"}, 1, {kConflict}},
        {"-S address and length", {"-S", "0x08000000:0x100", "dev"}, 0, {}, [](const bl_settings& s) {
             EXPECT_EQ(s.start_addr, 0x08000000u);
             EXPECT_EQ(s.readwrite_len, 0x100u);
         }},
        {"-S octal length", {"-S", "4096:010", "dev"}, 0, {}, [](const bl_settings& s) {
             EXPECT_EQ(s.start_addr, 4096u);
             EXPECT_EQ(s.readwrite_len, 8u);
         }},
        {"-S range past 4 GiB", {"-S", "0xFFFFFF00:0x101", "dev"}, 1, {"passes the end of the address space"}},
        {"-S range to 4 GiB exactly", {"-S", "0xFFFFFF00:0x100", "dev"}, 0, {}},
        {"-S with a sign", {"-S", "-4", "dev"}, 1, {"ERROR: Invalid number \"-4\" for option -S\n"}},
        {"-S with junk", {"-S", "0x800zz", "dev"}, 1, {"ERROR: Invalid number \"0x800zz\" for option -S\n"}},
        {"-n too large for 32 bits", {"-n", "0x100000000", "dev"}, 1, {"for option -n"}},
        {"-n with a space", {"-n", " 5", "dev"}, 1, {"for option -n"}},
        {"-n plus sign", {"-n", "+5", "dev"}, 1, {"for option -n"}},
        {"-n", {"-n", "3", "dev"}, 0, {}, [](const bl_settings& s) { EXPECT_EQ(s.retry, 3u); }},
        {"-F 0", {"-F", "0", "dev"}, 0, {}, [](const bl_settings& s) {
             EXPECT_EQ(s.port.rx_frame_max, 256u);
             EXPECT_EQ(s.port.tx_frame_max, 258u);
         }},
        {"-F 300:300", {"-F", "300:300", "dev"}, 0,
         {"WARNING: Ignore RX length in option -F\n", "WARNING: Ignore TX length in option -F\n"},
         [](const bl_settings& s) {
             EXPECT_EQ(s.port.rx_frame_max, 256u);
             EXPECT_EQ(s.port.tx_frame_max, 258u);
         }},
        {"-F rx alone keeps tx", {"-F", "100", "dev"}, 0, {}, [](const bl_settings& s) {
             EXPECT_EQ(s.port.rx_frame_max, 100u);
             EXPECT_EQ(s.port.tx_frame_max, 258u);
         }},
        {"-F 10:10", {"-F", "10:10", "dev"}, 1,
         {"ERROR: current code cannot work with small frames.\n", "min(RX) = 20, min(TX) = 6\n"}},
        {"-F negative", {"-F", "100:-1", "dev"}, 1, {"ERROR: Invalid negative value for option -F\n"}},
        {"-F negative in 32 bits", {"-F", "0xFFFFFFFF", "dev"}, 1, {"ERROR: Invalid negative value for option -F\n"}},
        {"-b 115201", {"-b", "115201", "dev"}, 1,
         {"Invalid baud rate, valid options are:\n", " 1200\n", " 57600\n", " 128000\n", " 2000000\n"}},
        {"-b 57600", {"-b", "57600", "dev"}, 0, {}, [](const bl_settings& s) { EXPECT_EQ(s.port.baud, 7); }},
        {"-b 128000 passes here", {"-b", "128000", "dev"}, 0, {}, [](const bl_settings& s) { EXPECT_EQ(s.port.baud, 9); }},
        {"-m 8N1", {"-m", "8N1", "dev"}, 0, {}},
        {"-m 8x1", {"-m", "8x1", "dev"}, 1, {"Invalid serial mode\n"}},
        {"-m 9e1", {"-m", "9e1", "dev"}, 1, {"Invalid serial mode\n"}},
        {"-m 8e", {"-m", "8e", "dev"}, 1, {"Invalid serial mode\n"}},
        {"-m 8e1x", {"-m", "8e1x", "dev"}, 1, {"Invalid serial mode\n"}},
        {"-v with read", {"-v", "-r", "f", "dev"}, 1,
         {"ERROR: Invalid usage, -v is only valid when writing\n", kUsageStart}},
        {"-v with write", {"-v", "-w", "f", "dev"}, 0, {}, [](const bl_settings& s) {
             EXPECT_TRUE(s.verify);
             EXPECT_EQ(s.action, ACT_WRITE);
             EXPECT_FALSE(s.force_binary);
         }},
        {"-w - forces binary", {"-w", "-", "dev"}, 0, {}, [](const bl_settings& s) { EXPECT_TRUE(s.force_binary); }},
        {"a letter outside the option string", {"-x", "dev"}, 0, {}},
        {"a value missing", {"dev", "-n"}, 0, {}},
        {"two devices", {"dev1", "dev2"}, 1,
         {"---------------1.argv[c] = [dev1]\n", "---------------2.argv[c] = [dev2]\n",
          "ERROR: Invalid parameter specified\n"}},
        {"no device", {"-o"}, 1, {"ERROR: Device not specified\n", kUsageStart}},
        {"-g unaligned", {"-g", "0x08000002", "dev"}, 1, {"ERROR: Execution address must be word-aligned\n"}},
        {"modifiers", {"-g", "0x08000000", "-c", "-f", "-R", "-i", "rts:dtr", "-a", "0x39", "-s", "7", "dev"}, 0, {},
         [](const bl_settings& s) {
             EXPECT_TRUE(s.exec_flag && s.force_binary && s.reset_flag && s.gpio_seq);
             EXPECT_FALSE(s.init_flag);
             EXPECT_EQ(s.execute, 0x08000000u);
             EXPECT_EQ(s.port.bus_addr, 0x39u);
             EXPECT_EQ(s.spage, 7u);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Parsed p = parse(c.args);
        EXPECT_EQ(p.result, c.result) << p.log;
        size_t at = 0;
        for (const auto& line : c.logged) {
            size_t found = p.log.find(line, at);
            EXPECT_NE(found, std::string::npos) << "missing: " << line << "\nin:\n" << p.log;
            if (found != std::string::npos) at = found + line.size();
        }
        EXPECT_EQ(p.log.find("\n\n"), std::string::npos) << "doubled line end in:\n" << p.log;
        if (c.check) c.check(p.settings);
    }
}

TEST(BootOptions, ActionNames) {
    const char* expected[] = {"",       "memory read",    "memory write", "write unprotect", "read protect",
                              "read unprotect", "flash erase", "memory crc", ""};
    for (int a = 0; a <= 8; ++a) EXPECT_STREQ(bl_action_name(a), expected[a]) << a;
    EXPECT_STREQ(bl_action_name(-1), "");
}

TEST(BootOptions, UsageFillsItsEightPlacesWhole) {
    testing::internal::CaptureStderr();
    bl_print_usage("velmar-stm32-boot-with-a-long-name");
    std::string usage = testing::internal::GetCapturedStderr();
    EXPECT_EQ(usage.rfind("Usage: velmar-stm32-boot-with-a-long-name [-bvngfhc] [-[rw] filename] "
                          "[tty_device | i2c_device]\n", 0), 0u);
    int places = 0;
    for (size_t at = 0; (at = usage.find("velmar-stm32-boot-with-a-long-name", at)) != std::string::npos; ++at)
        ++places;
    EXPECT_EQ(places, 8);
    EXPECT_GT(usage.size(), 1024u) << "longer than the log's formatting buffer";
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_EQ(usage.find("\n\n"), std::string::npos);
    EXPECT_NE(usage.find("115200"), std::string::npos);
    // Options in their order.
    size_t at = 0;
    for (const char* opt : {"-a", "-b", "-m", "-r", "-w", "-C", "-u", "-j", "-k", "-o", "-e", "-v", "-n", "-g",
                            "-S", "-F", "-s", "-f", "-h", "-c", "-i", "-R"}) {
        size_t found = usage.find(std::string("\n\t") + opt, at);
        ASSERT_NE(found, std::string::npos) << opt;
        at = found + 1;
    }
    EXPECT_NE(usage.find("Examples:", at), std::string::npos);
}

TEST(BootOptionsDeathTest, HelpPrintsTheUsageAndEndsWithStatusZero) {
    std::string a0 = "prog", a1 = "-h", a2 = "dev";
    char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
    bl_settings s;
    EXPECT_EXIT(bl_read_options(3, argv, &s), testing::ExitedWithCode(0), "Usage: prog \\[-bvngfhc\\]");
}

}  // namespace
