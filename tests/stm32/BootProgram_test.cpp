// The boot-loader program run as a child process against the simulated boot loader on a pty:
// what it leaves in the chip, in its files and on its streams, and how it ends.
#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/stat.h>

#include "sim/stm32/PtyBootLoader.h"
#include "stm32/ProgramRun.h"

using namespace stm32test;
using stm32sim::Answer;
using stm32sim::BootMachine;
using stm32sim::Config;
using stm32sim::Fault;
using stm32sim::PtyBootLoader;

namespace {

constexpr uint32_t kFlash = 0x08000000;
using Args = std::vector<std::string>;

struct RunCase {
    const char* name;
    uint16_t chip;
    // Makes the case's files in the work folder and gives the arguments (device last).
    std::function<Args(const Workspace&)> args;
    int status;
    std::vector<std::string> logged;
    std::function<void(const Workspace&, BootMachine&, const ProgramResult&)> check = nullptr;
    std::function<void(Config&)> setup = nullptr;
    std::string stdinFile = "";   // in the work folder
    speed_t speed = B115200;      // the chip's own rate
    int stopAfterWrites = 0;      // SIGTERM once this many blocks are written
    uint8_t stopTwiceAfter = 0;   // two SIGTERMs once the chip has this command
};

Bytes flashBytes(BootMachine& m, uint32_t address, size_t length) {
    auto& f = m.flash();
    return Bytes(f.begin() + (address - kFlash), f.begin() + (address - kFlash) + length);
}
Bytes patternBytes(BootMachine& m, uint32_t address, size_t length) {
    Bytes b(length);
    for (size_t i = 0; i < length; ++i) b[i] = m.patternByte(uint32_t(address + i));
    return b;
}
int eventsStartingWith(BootMachine& m, const std::string& prefix) {
    int n = 0;
    for (auto& e : m.events) n += e.rfind(prefix, 0) == 0;
    return n;
}
bool hasEvent(BootMachine& m, const std::string& event) {
    return std::find(m.events.begin(), m.events.end(), event) != m.events.end();
}
Bytes lastFromClient(BootMachine& m, size_t n) {
    return Bytes(m.fromClient.end() - std::min(n, m.fromClient.size()), m.fromClient.end());
}

// The chip's CRC of bytes, as srec_cat appends it.
uint32_t srecCatCrc(const Workspace& ws, const Bytes& bytes) {
    writeFile(ws.file("crc-in.bin"), bytes);
    std::string cmd = "srec_cat " + ws.file("crc-in.bin") + " -binary -STM32_Little_Endian " +
                      std::to_string(bytes.size()) + " -o " + ws.file("crc-out.bin") + " -binary";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    Bytes out = readFile(ws.file("crc-out.bin"));
    EXPECT_EQ(out.size(), bytes.size() + 4);
    if (out.size() != bytes.size() + 4) return 0;
    const uint8_t* c = out.data() + bytes.size();
    return uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16 | uint32_t(c[3]) << 24;
}
std::string crcLine(uint32_t start, uint32_t length, uint32_t crc) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "CRC(0x%08x-0x%08x) = 0x%08x", start, start + length, crc);
    return buf;
}

const char* const kSuccessLines[] = {"Wrote ", " into ", "Erased ", "CRC(", "Done: "};

void runCases(const std::vector<RunCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Config config;
        config.chipId = c.chip;
        config.patternFlash = true;
        if (c.setup) c.setup(config);
        PtyBootLoader pty(config, c.speed);
        Workspace ws;
        Args args = c.args(ws);
        args.push_back(pty.path());
        const auto namesBefore = ws.names();
        termios before{};
        tcgetattr(pty.masterFd(), &before);

        pid_t pid = ws.start(args, c.stdinFile.empty() ? "" : ws.file(c.stdinFile));
        ASSERT_GT(pid, 0);
        if (c.stopAfterWrites) {
            EXPECT_TRUE(waitFor([&] { return pty.with([&](BootMachine& m) { return eventsStartingWith(m, "WRITE 0x08"); }) >= c.stopAfterWrites; }));
            kill(pid, SIGTERM);
        }
        if (c.stopTwiceAfter) {
            auto commandSeen = [&] {
                return pty.with([&](BootMachine& m) {
                    return std::count(m.commands.begin(), m.commands.end(), c.stopTwiceAfter) > 0;
                });
            };
            EXPECT_TRUE(waitFor(commandSeen));
            kill(pid, SIGTERM);
            EXPECT_TRUE(waitFor([&] { return ws.errSoFar().find("a second signal stops at once") != std::string::npos; }));
            kill(pid, SIGTERM);
        }
        ProgramResult r = ws.finish(pid);

        EXPECT_EQ(r.status, c.status) << r.err;
        size_t at = 0;
        for (const auto& line : c.logged) {
            size_t found = r.err.find(line, at);
            EXPECT_NE(found, std::string::npos) << "missing: " << line << "\nin:\n" << r.err;
            if (found != std::string::npos) at = found + line.size();
        }
        termios after{};
        tcgetattr(pty.masterFd(), &after);
        EXPECT_TRUE(sameTerminalSettings(before, after)) << "terminal settings not restored";
        if (c.status != 0) {
            for (const char* success : kSuccessLines) EXPECT_EQ(r.err.find(success), std::string::npos) << success;
            EXPECT_EQ(ws.names(), namesBefore) << "a file was left behind";
        }
        if (c.check) pty.with([&](BootMachine& m) { c.check(ws, m, r); });
    }
}

Args writeArgs(const Workspace& ws, size_t length, Args more) {
    writeFile(ws.file("app.bin"), pattern(length));
    Args a = {"-w", ws.file("app.bin")};
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

TEST(BootProgramRuns, ReadsWritesErasesAndLeaves) {
    const Bytes image = pattern(3000);
    const std::vector<RunCase> cases = {
        {"raw write with verify", 0x410, [](const Workspace& ws) { return writeArgs(ws, 3000, {"-v"}); }, 0,
         {"Device ID       : 0x0410 (STM32F10xxx Medium-density)", "- Option bytes  : 0x1ffff800 to 0x1ffff80f",
          "- System memory : 0x1ffff000 to 0x1ffff800", "Writing 3000 bytes at 0x08000000 with verify",
          "Wrote and verified 3000 bytes at 0x08000000"},
         [&](const Workspace&, BootMachine& m, const ProgramResult& r) {
             EXPECT_TRUE(hasEvent(m, "ERASE 3 from 0"));
             EXPECT_EQ(flashBytes(m, kFlash, 3000), image);
             EXPECT_EQ(flashBytes(m, kFlash + 3000, 72), Bytes(72, 0xFF)) << "the last page erased whole";
             EXPECT_EQ(flashBytes(m, kFlash + 3072, 1024), patternBytes(m, kFlash + 3072, 1024));
             EXPECT_TRUE(r.out.empty());
         }},
        {"-S length caps the bytes written", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 3000, {"-S", "0x08000400:1024"}); }, 0,
         {"Wrote 1024 bytes at 0x08000400"}, [&](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "ERASE 1 from 1"));
             EXPECT_EQ(flashBytes(m, kFlash + 1024, 1024), Bytes(image.begin(), image.begin() + 1024));
             EXPECT_EQ(flashBytes(m, kFlash + 2048, 8), patternBytes(m, kFlash + 2048, 8));
         }},
        {"-f writes a .hex name as raw binary", 0x410,
         [](const Workspace& ws) {
             writeFile(ws.file("raw.hex"), pattern(3000));
             return Args{"-f", "-w", ws.file("raw.hex")};
         },
         0, {"Wrote 3000 bytes at 0x08000000"},
         [&](const Workspace&, BootMachine& m, const ProgramResult&) { EXPECT_EQ(flashBytes(m, kFlash, 3000), image); }},
        {"-s with -S is refused before the port opens", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 1024, {"-S", "0x08000800", "-s", "2", "-e", "1"}); }, 1,
         {"ERROR: Invalid options, can't specify start page / num pages and start address/length"}},
        {"write erasing only the -e pages from -s", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 3000, {"-s", "0", "-e", "2", "-n", "1"}); }, 0,
         {"Erasing 2 pages from page 0", "Wrote 3000 bytes"},
         [&](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "ERASE 2 from 0"));
             EXPECT_EQ(flashBytes(m, kFlash, 2048), Bytes(image.begin(), image.begin() + 2048));
         }},
        {"a write into RAM erases nothing", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 64, {"-S", "0x20000200"}); }, 0,
         {"Wrote 64 bytes at 0x20000200"}, [&](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_EQ(eventsStartingWith(m, "ERASE"), 0);
             EXPECT_EQ(Bytes(m.ram().begin(), m.ram().begin() + 64), Bytes(image.begin(), image.begin() + 64));
         }},
        {"-w - writes standard input, read to its end", 0x410,
         [](const Workspace& ws) {
             writeFile(ws.file("app.bin"), pattern(3000));
             return Args{"-w", "-"};
         },
         0,
         {"Wrote 3000 bytes at 0x08000000"},
         [&](const Workspace&, BootMachine& m, const ProgramResult&) { EXPECT_EQ(flashBytes(m, kFlash, 3000), image); },
         nullptr, "app.bin"},
        {"-S range read to a file", 0x410,
         [](const Workspace& ws) { return Args{"-r", ws.file("out.bin"), "-S", "0x08000100:1000"}; }, 0,
         {"Read 1000 bytes from 0x08000100 into "},
         [](const Workspace& ws, BootMachine& m, const ProgramResult& r) {
             EXPECT_EQ(readFile(ws.file("out.bin")), patternBytes(m, kFlash + 0x100, 1000));
             EXPECT_EQ(ws.names(), std::vector<std::string>{"out.bin"});
             EXPECT_TRUE(r.out.empty());
             EXPECT_EQ(std::filesystem::status(ws.file("out.bin")).permissions() & std::filesystem::perms::owner_read,
                       std::filesystem::perms::owner_read);
         }},
        {"-S range read to standard output", 0x410, [](const Workspace&) { return Args{"-r", "-", "-S", "0x08000100:1000"}; },
         0, {"Read 1000 bytes from 0x08000100 into standard output"},
         [](const Workspace&, BootMachine& m, const ProgramResult& r) {
             Bytes out(r.out.begin(), r.out.end());
             EXPECT_EQ(out, patternBytes(m, kFlash + 0x100, 1000)) << "standard output holds only the data";
         }},
        {"CRC by the boot loader's command", 0x410, [](const Workspace&) { return Args{"-C", "-S", "0x08000000:4096"}; }, 0,
         {}, [](const Workspace& ws, BootMachine& m, const ProgramResult& r) {
             EXPECT_EQ(eventsStartingWith(m, "CRC "), 1);
             EXPECT_NE(r.err.find(crcLine(kFlash, 4096, srecCatCrc(ws, patternBytes(m, kFlash, 4096)))), std::string::npos)
                 << r.err;
         },
         [](Config& c) { c.getOpcodes.push_back(0xA1); }},
        {"CRC computed here", 0x410, [](const Workspace&) { return Args{"-C", "-S", "0x08000000:4096"}; }, 0, {},
         [](const Workspace& ws, BootMachine& m, const ProgramResult& r) {
             EXPECT_EQ(eventsStartingWith(m, "CRC "), 0);
             EXPECT_NE(r.err.find(crcLine(kFlash, 4096, srecCatCrc(ws, patternBytes(m, kFlash, 4096)))), std::string::npos)
                 << r.err;
         }},
        {"erase the pages of an -S range", 0x410, [](const Workspace&) { return Args{"-o", "-S", "0x08000400:0x800"}; }, 0,
         {"Erased 2 pages from page 1"}, [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "ERASE 2 from 1"));
             EXPECT_EQ(flashBytes(m, kFlash, 1024), patternBytes(m, kFlash, 1024));
             EXPECT_EQ(flashBytes(m, kFlash + 1024, 2048), Bytes(2048, 0xFF));
             EXPECT_EQ(flashBytes(m, kFlash + 3072, 8), patternBytes(m, kFlash + 3072, 8));
         }},
        {"erase -e pages from -s", 0x410, [](const Workspace&) { return Args{"-o", "-s", "3", "-e", "4"}; }, 0, {},
         [](const Workspace&, BootMachine& m, const ProgramResult&) { EXPECT_TRUE(hasEvent(m, "ERASE 4 from 3")); }},
        {"erase from -s to the flash end", 0x410, [](const Workspace&) { return Args{"-o", "-s", "120"}; }, 0, {},
         [](const Workspace&, BootMachine& m, const ProgramResult&) { EXPECT_TRUE(hasEvent(m, "ERASE 8 from 120")); }},
        {"mass erase", 0x410, [](const Workspace&) { return Args{"-o"}; }, 0, {"Erased the whole flash"},
         [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "ERASE mass"));
             EXPECT_EQ(flashBytes(m, kFlash, 1024), Bytes(1024, 0xFF));
         }},
        {"write unprotect with -R sends nothing after it", 0x410, [](const Workspace&) { return Args{"-u", "-R"}; }, 0,
         {"No reset sent"}, [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "WRITE UNPROTECT"));
             EXPECT_EQ(lastFromClient(m, 2), (Bytes{0x73, 0x8C}));
         }},
        {"read protect with -R sends nothing after it", 0x410, [](const Workspace&) { return Args{"-j", "-R"}; }, 0, {},
         [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "READOUT PROTECT"));
             EXPECT_EQ(lastFromClient(m, 2), (Bytes{0x82, 0x7D}));
         }},
        {"read unprotect with -R sends nothing after it", 0x410, [](const Workspace&) { return Args{"-k", "-R"}; }, 0, {},
         [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "READOUT UNPROTECT"));
             EXPECT_EQ(lastFromClient(m, 2), (Bytes{0x92, 0x6D}));
         }},
        {"go with -R sends nothing after it", 0x410, [](const Workspace&) { return Args{"-g", "0x08000000", "-R"}; }, 0,
         {"Starting execution at 0x08000000"}, [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(hasEvent(m, "GO 0x08000000"));
             EXPECT_EQ(lastFromClient(m, 5), (Bytes{0x08, 0x00, 0x00, 0x00, 0x08}));
             EXPECT_EQ(m.resets, 0);
         }},
        {"-R alone resets the chip", 0x410, [](const Workspace&) { return Args{"-R"}; }, 0, {},
         [](const Workspace&, BootMachine& m, const ProgramResult&) {
             EXPECT_EQ(m.resets, 1);
             EXPECT_TRUE(hasEvent(m, "RESET system"));
         }},
        {"-e 0 over unerased flash fails its verify", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 3000, {"-v", "-e", "0", "-n", "2"}); }, 1,
         {"Verify found a difference in the block at 0x08000000",
          "Failed to write and verify the block at address 0x08000000 after 2 attempts"},
         [](const Workspace&, BootMachine& m, const ProgramResult&) { EXPECT_EQ(eventsStartingWith(m, "ERASE"), 0); }},
    };
    runCases(cases);
}

TEST(BootProgramFaults, EndWithStatusOneAndLeaveNothingBehind) {
    auto noErase = [](const Workspace&, BootMachine& m, const ProgramResult&) {
        EXPECT_EQ(eventsStartingWith(m, "ERASE"), 0);
        EXPECT_EQ(eventsStartingWith(m, "WRITE 0x08"), 0);
    };
    auto nothingSent = [](const Workspace&, BootMachine& m, const ProgramResult&) {
        EXPECT_TRUE(m.fromClient.empty()) << "the chip was woken";
    };
    // The arguments naming a FIFO made in the work folder.
    auto fifoAs = [](const char* option, const char* name) {
        return [option, name](const Workspace& ws) {
            EXPECT_EQ(mkfifo(ws.file(name).c_str(), 0600), 0);
            return Args{option, ws.file(name)};
        };
    };
    const std::vector<RunCase> cases = {
        {"a write-protected page", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 3000, {"-e", "0", "-n", "2"}); }, 1,
         {"Failed to write the block at address 0x08000400 after 2 attempts"}, nullptr,
         [](Config& c) {
             c.patternFlash = false;
             c.writeProtectedPages = {1};
         }},
        {"a reset in the middle of a write block", 0x410, [](const Workspace& ws) { return writeArgs(ws, 3000, {"-n", "2"}); },
         1, {"Failed to write the block at address 0x080", " after 2 attempts"}, nullptr,
         [](Config& c) { c.resetInWriteBlock = 100; }},
        {"a chip listening at another rate", 0x410, [](const Workspace&) { return Args{"-o"}; }, 1,
         {"Failed to connect to the boot loader on "}, nullptr, nullptr, "", B57600},
        {"silence in the middle of a read", 0x410,
         [](const Workspace& ws) {
             writeFile(ws.file("out.bin"), std::string("older file"));
             return Args{"-r", ws.file("out.bin"), "-S", "0x08000000:2048"};
         },
         1, {"Failed to read memory at address 0x08000300"},
         [](const Workspace& ws, BootMachine&, const ProgramResult&) {
             EXPECT_EQ(readFile(ws.file("out.bin")), Bytes({'o', 'l', 'd', 'e', 'r', ' ', 'f', 'i', 'l', 'e'}));
         },
         [](Config& c) { c.faults.push_back(Fault{0x11, 0, Answer::SilentForever, 0, 3}); }},
        {"SIGTERM in the middle of a write", 0x410, [](const Workspace& ws) { return writeArgs(ws, 65536, {}); }, 1,
         {"Stopped by signal 15 while writing at 0x08"}, nullptr, nullptr, "", B115200, 2},
        {"a second SIGTERM during a long erase wait", 0x410, [](const Workspace&) { return Args{"-o", "-e", "100"}; }, 1,
         {"Stopping after the current step", "Stopped at once by a second signal"}, nullptr,
         [](Config& c) { c.faults.push_back(Fault{0x44, 1, Answer::SilentForever}); }, "", B115200, 0, 0x44},
        {"an image past the flash end", 0x410,
         [](const Workspace& ws) { return writeArgs(ws, 2048, {"-S", "0x0801FC00"}); }, 1,
         {"Refused: 0x0801fc00 to 0x08020400 lies outside the chip's flash and RAM"}, noErase},
        {"an image larger than any chip's flash", 0x410,
         [](const Workspace& ws) {
             writeFile(ws.file("app.bin"), std::string());
             std::filesystem::resize_file(ws.file("app.bin"), 3 * 1024 * 1024);
             return Args{"-w", ws.file("app.bin")};
         },
         1, {"app.bin holds 3145728 bytes, more than any chip's flash (2097152 bytes)"}, nothingSent},
        {"an empty image", 0x410, [](const Workspace& ws) { return writeArgs(ws, 0, {}); }, 1,
         {"Refused: ", "app.bin holds no data to write"}, noErase},
        {"an unaligned -S", 0x410, [](const Workspace& ws) { return writeArgs(ws, 2048, {"-S", "0x08000002"}); }, 1,
         {"Refused: the write address 0x08000002 is not 4-byte aligned"}, noErase},
        {"standard input that holds nothing", 0x410, [](const Workspace&) { return Args{"-w", "-"}; }, 1,
         {"Refused: standard input holds no data to write"}, nothingSent},
        {"-s past the flash", 0x410, [](const Workspace&) { return Args{"-o", "-s", "200"}; }, 1,
         {"Refused: page 200 lies past the flash end (128 pages)"}, noErase},
        {"-e pages past the flash", 0x410, [](const Workspace& ws) { return writeArgs(ws, 64, {"-s", "127", "-e", "2"}); },
         1, {"Refused: pages 127 to 128 pass the flash end (128 pages)"}, noErase},
        {"a read from outside the flash without a length", 0x410,
         [](const Workspace& ws) { return Args{"-r", ws.file("out.bin"), "-S", "0x20000200"}; }, 1,
         {"Refused: the start 0x20000200 lies outside the flash"}},
        {"a HEX file that fails is not read as binary", 0x410,
         [](const Workspace& ws) {
             writeFile(ws.file("bad.hex"), std::string(":0400000001020304F3\n"));
             return Args{"-w", ws.file("bad.hex")};
         },
         1, {"as Intel HEX: not a valid file"}, noErase},
        {"an image named by a FIFO", 0x410,
         fifoAs("-w", "app.bin"), 1,
         {"app.bin is a FIFO; an image is read from a regular file or standard input"}, nothingSent},
        {"a HEX image named by a FIFO", 0x410,
         fifoAs("-w", "app.hex"), 1, {"app.hex is a FIFO"}, nothingSent},
        {"an image named by a directory", 0x410,
         [](const Workspace& ws) {
             std::filesystem::create_directory(ws.file("app.hex"));
             return Args{"-w", ws.file("app.hex")};
         },
         1, {"app.hex is a directory"}, nothingSent},
        {"an image named by a character device", 0x410, [](const Workspace&) { return Args{"-w", "/dev/null"}; }, 1,
         {"Refused: /dev/null is a character device"}, nothingSent},
        {"a HEX file whose reading fails", 0x410,
         [](const Workspace& ws) {
             // Reading this process's memory from address 0 fails with an I/O error.
             std::filesystem::create_symlink("/proc/self/mem", ws.file("app.hex"));
             return Args{"-w", ws.file("app.hex")};
         },
         1, {"as Intel HEX: Input/output error"}, nothingSent},
        {"a read into a FIFO that nobody reads", 0x410,
         fifoAs("-r", "out.bin"), 1, {"out.bin for writing: no program reads that FIFO"},
         [](const Workspace& ws, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(m.fromClient.empty()) << "the chip was woken";
             EXPECT_TRUE(std::filesystem::is_fifo(ws.file("out.bin")));
         }},
        {"a read into a directory", 0x410,
         [](const Workspace& ws) {
             std::filesystem::create_directory(ws.file("out"));
             return Args{"-r", ws.file("out")};
         },
         1, {"out is a directory; a read is saved to a regular file, a FIFO or a character device"}, nothingSent},
    };
    runCases(cases);
}

// Reads saved to names that are not plain files: written through, never replaced.
TEST(BootProgramFiles, ReadsGoWhereTheNameLeads) {
    auto fd = std::make_shared<int>(-1);  // the test's own end of the FIFO or terminal
    auto pending = [fd](size_t want) {
        Bytes got;
        uint8_t buf[4096];
        for (;;) {
            pollfd pfd{*fd, POLLIN, 0};
            if (got.size() >= want || poll(&pfd, 1, 2000) <= 0) break;
            ssize_t n = read(*fd, buf, sizeof buf);
            if (n <= 0) break;
            got.insert(got.end(), buf, buf + n);
        }
        close(*fd);
        return got;
    };
    const std::vector<RunCase> cases = {
        {"a FIFO with a reader is written directly", 0x410,
         [fd](const Workspace& ws) {
             EXPECT_EQ(mkfifo(ws.file("out.fifo").c_str(), 0600), 0);
             *fd = open(ws.file("out.fifo").c_str(), O_RDONLY | O_NONBLOCK);
             return Args{"-r", ws.file("out.fifo"), "-S", "0x08000100:1000"};
         },
         0, {"Read 1000 bytes from 0x08000100 into "},
         [pending](const Workspace& ws, BootMachine& m, const ProgramResult&) {
             EXPECT_EQ(pending(1000), patternBytes(m, kFlash + 0x100, 1000));
             EXPECT_TRUE(std::filesystem::is_fifo(ws.file("out.fifo")));
             EXPECT_EQ(ws.names(), std::vector<std::string>{"out.fifo"});
         }},
        {"a terminal, a character device, is written directly", 0x410,
         [fd](const Workspace& ws) {
             *fd = posix_openpt(O_RDWR | O_NOCTTY);
             EXPECT_TRUE(*fd >= 0 && grantpt(*fd) == 0 && unlockpt(*fd) == 0);
             const std::string slave = ptsname(*fd);
             termios t{};
             tcgetattr(*fd, &t);
             cfmakeraw(&t);
             tcsetattr(*fd, TCSANOW, &t);
             std::filesystem::create_symlink(slave, ws.file("terminal"));
             return Args{"-r", ws.file("terminal"), "-S", "0x08000100:1000"};
         },
         0, {"Read 1000 bytes from 0x08000100 into "},
         [pending](const Workspace& ws, BootMachine& m, const ProgramResult&) {
             // Looked at before the test's end closes, which removes the terminal's node.
             EXPECT_TRUE(std::filesystem::is_character_file(ws.file("terminal")));
             EXPECT_TRUE(std::filesystem::is_symlink(ws.file("terminal")));
             EXPECT_EQ(pending(1000), patternBytes(m, kFlash + 0x100, 1000));
         }},
        {"a symbolic link keeps pointing at the file it names, now holding the read", 0x410,
         [](const Workspace& ws) {
             writeFile(ws.file("real.bin"), std::string("older file"));
             std::filesystem::create_symlink("real.bin", ws.file("link.bin"));
             return Args{"-r", ws.file("link.bin"), "-S", "0x08000100:1000"};
         },
         0, {"Read 1000 bytes from 0x08000100 into "},
         [](const Workspace& ws, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(std::filesystem::is_symlink(ws.file("link.bin")));
             EXPECT_EQ(readFile(ws.file("real.bin")), patternBytes(m, kFlash + 0x100, 1000));
             EXPECT_EQ(ws.names(), (std::vector<std::string>{"link.bin", "real.bin"}));
         }},
        {"a symbolic link to a name not made yet", 0x410,
         [](const Workspace& ws) {
             std::filesystem::create_symlink(ws.file("made.bin"), ws.file("link.bin"));
             return Args{"-r", ws.file("link.bin"), "-S", "0x08000100:1000"};
         },
         0, {"Read 1000 bytes from 0x08000100 into "},
         [](const Workspace& ws, BootMachine& m, const ProgramResult&) {
             EXPECT_TRUE(std::filesystem::is_symlink(ws.file("link.bin")));
             EXPECT_EQ(readFile(ws.file("made.bin")), patternBytes(m, kFlash + 0x100, 1000));
             EXPECT_EQ(ws.names(), (std::vector<std::string>{"link.bin", "made.bin"}));
         }},
    };
    runCases(cases);
}

// An Intel HEX file replaces the bytes its records name and, of the rest of the flash, only what
// shares an erased page with them; the program says so before erasing.
struct HexWrite {
    const char* name;
    uint16_t chip;
    std::string text;                       // the file
    std::map<uint32_t, uint8_t> named;      // what its data records name
    uint32_t firstPage, pages;              // the pages to erase
    std::vector<std::string> logged;
};

std::string hexData(uint32_t address, const Bytes& data, std::map<uint32_t, uint8_t>& named) {
    std::string text;
    for (size_t i = 0; i < data.size(); i += 16) {
        Bytes chunk(data.begin() + long(i), data.begin() + long(std::min(data.size(), i + 16)));
        text += hexRecord(unsigned((address + i) & 0xFFFF), 0, chunk);
        for (size_t k = 0; k < chunk.size(); ++k) named[uint32_t(address + i + k)] = chunk[k];
    }
    return text;
}

TEST(BootProgramHex, WritesOnlyThePagesItsDataHold) {
    std::vector<HexWrite> writes;
    {
        HexWrite w{"data at 0x0800F000 on 2 KiB pages", 0x442, hexRecord(0, 4, {0x08, 0x00}), {}, 30, 2, {}};
        w.text += hexData(0x0800F000, pattern(3000), w.named) + ":00000001FF\n";
        w.logged = {"erasing page 31 also clears 0x0800fbb8 to 0x08010000, which the file does not name",
                    "Erasing 2 pages from page 30", "Wrote and verified 3000 bytes at 0x0800f000"};
        writes.push_back(w);
    }
    {
        // Made by srec_cat, as a standard tool writes such a file.
        HexWrite w{"data starting inside a 16 KiB sector", 0x413, "", {}, 1, 4, {}};
        const Bytes data = pattern(70000, 0x11);
        ScratchDir dir;
        writeFile(dir.file("data.bin"), data);
        const std::string make = "srec_cat " + dir.file("data.bin") + " -binary -offset 0x08005000 -o " +
                                 dir.file("app.hex") + " -intel";
        EXPECT_EQ(std::system(make.c_str()), 0);
        for (uint8_t b : readFile(dir.file("app.hex"))) w.text += char(b);
        for (size_t i = 0; i < data.size(); ++i) w.named[uint32_t(0x08005000 + i)] = data[i];
        w.logged = {"erasing page 1 also clears 0x08004000 to 0x08005000, which the file does not name",
                    "erasing page 4 also clears 0x08016170 to 0x08020000, which the file does not name",
                    "Erasing 4 pages from page 1", "Wrote and verified 70000 bytes at 0x08005000"};
        writes.push_back(w);
    }
    {
        HexWrite w{"two blocks with pages between them", 0x442, hexRecord(0, 4, {0x08, 0x00}), {}, 2, 4, {}};
        w.text += hexData(0x08001000, pattern(100, 1), w.named) + hexData(0x08002800, pattern(64, 2), w.named);
        w.logged = {"erasing page 2 also clears 0x08001064 to 0x08001800",
                    "erasing page 3 also clears 0x08001800 to 0x08002000",
                    "erasing page 4 also clears 0x08002000 to 0x08002800",
                    "erasing page 5 also clears 0x08002840 to 0x08003000", "Erasing 4 pages from page 2",
                    "Wrote and verified 6208 bytes at 0x08001000"};
        writes.push_back(w);
    }
    std::vector<RunCase> cases;
    for (const HexWrite& w : writes) {
        auto check = [w](const Workspace&, BootMachine& m, const ProgramResult&) {
            EXPECT_EQ(eventsStartingWith(m, "ERASE"), 1);
            EXPECT_TRUE(hasEvent(m, "ERASE " + std::to_string(w.pages) + " from " + std::to_string(w.firstPage)));
            uint32_t start = 0, size = 0, last = 0;
            ASSERT_TRUE(m.chip().page(w.firstPage, start, size));
            ASSERT_TRUE(m.chip().page(w.firstPage + w.pages - 1, last, size));
            const uint32_t erasedEnd = last + size;
            size_t wrong = 0;
            for (uint32_t a = m.chip().flashStart; a < m.chip().flashEnd; ++a) {
                auto it = w.named.find(a);
                const uint8_t want = it != w.named.end() ? it->second
                                     : a >= start && a < erasedEnd ? 0xFF
                                                                   : m.patternByte(a);
                if (m.flash()[a - m.chip().flashStart] != want && wrong++ == 0)
                    ADD_FAILURE() << "first wrong byte at 0x" << std::hex << a;
            }
            EXPECT_EQ(wrong, 0u);
        };
        const std::string text = w.text;
        cases.push_back({w.name, w.chip,
                         [text](const Workspace& ws) {
                             writeFile(ws.file("app.hex"), text);
                             return Args{"-w", ws.file("app.hex"), "-v"};
                         },
                         0, w.logged, check});
    }
    runCases(cases);
}

}  // namespace
