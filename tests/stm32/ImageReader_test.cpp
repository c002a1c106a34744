// Image files: the HEX parser's records placed in one image, the raw binary file both ways.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "stm32/ImageReader.h"
#include "stm32/ImageFiles.h"

using namespace stm32test;

namespace {

struct Opened {
    const image_reader& ops;
    void* state;
    int result;
    Opened(const image_reader& o, const std::string& path, bool forWriting) : ops(o), state(o.init()) {
        result = ops.open(state, path.c_str(), forWriting);
    }
    ~Opened() { ops.close(state); }
    Bytes readAll() {
        Bytes out(ops.size(state));
        unsigned int n = unsigned(out.size());
        EXPECT_EQ(ops.read(state, out.data(), &n), IMAGE_ERR_OK);
        out.resize(n);
        return out;
    }
};

Bytes ff(size_t n) { return Bytes(n, 0xFF); }
Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct HexCase {
    const char* name;
    std::string text;
    int result;
    Bytes image = {};  // checked when the open succeeds
    bool hasBase = false;
    uint32_t base = 0;
};

TEST(IntelHexParser, PlacesRecordsOrRefusesTheFile) {
    const Bytes sixteen = pattern(16);
    const std::string ext0800 = hexRecord(0, 4, {0x08, 0x00});
    const std::vector<HexCase> cases = {
        {"end record alone gives an empty image", ":00000001FF\n", IMAGE_ERR_OK, {}},
        {"empty file gives an empty image", "", IMAGE_ERR_OK, {}},
        {"type 04 sets the base", ":020000040800F2\n:0400000001020304F2\n:00000001FF\n", IMAGE_ERR_OK,
         {1, 2, 3, 4}, true, 0x08000000},
        {"a gap between records is 0xFF", hexRecord(0, 0, {1, 2, 3, 4}) + hexRecord(0x10, 0, {5}), IMAGE_ERR_OK,
         cat({{1, 2, 3, 4}, ff(12), {5}})},
        {"a second segment extends the image to its start",
         ext0800 + hexRecord(0, 0, sixteen) + hexRecord(0, 4, {0x08, 0x01}) + hexRecord(0, 0, {9, 8}),
         IMAGE_ERR_OK, cat({sixteen, ff(65536 - 16), {9, 8}}), true, 0x08000000},
        {"type 02 segment", ":020000021000EC\n:0300100041424327\n:00000001FF\n", IMAGE_ERR_OK,
         cat({ff(0x10), {0x41, 0x42, 0x43}}), true, 0x10000},
        {"lower-case digits, CRLF, no end record", ":020000040800f2\r\n:0400000001020304f2\r\n", IMAGE_ERR_OK,
         {1, 2, 3, 4}, true, 0x08000000},
        {"start-address records are only counted", hexRecord(0, 0, {7}) + hexRecord(0, 5, {0x08, 0, 0, 0x41}) +
         hexRecord(0, 3, {0, 0, 0, 0}), IMAGE_ERR_OK, {7}},
        {"out-of-order records land at their address", hexRecord(4, 0, {5, 6}) + hexRecord(0, 0, {1, 2, 3, 4}),
         IMAGE_ERR_OK, {1, 2, 3, 4, 5, 6}},
        {"a segment below the image's end lands at its address",
         ext0800 + hexRecord(0, 4, {0x08, 0x01}) + hexRecord(0, 0, {2}) + ext0800 + hexRecord(0, 0, {1}),
         IMAGE_ERR_OK, cat({{1}, ff(65535), {2}}), true, 0x08000000},
        {"an image of the largest flash", ext0800 + hexRecord(0, 4, {0x08, 0x1F}) + hexRecord(0xFFFF, 0, {3}),
         IMAGE_ERR_OK, cat({ff(0x1FFFFF), {3}}), true, 0x08000000},
        {"wrong checksum", ":0400000001020304F3\n", IMAGE_ERR_INVALID_FILE},
        {"a line starting with ';'", ";comment\n:00000001FF\n", IMAGE_ERR_INVALID_FILE},
        {"a truncated record", ":04000000010203", IMAGE_ERR_INVALID_FILE},
        {"a truncated header", ":0400", IMAGE_ERR_INVALID_FILE},
        {"type 04 below the base", ext0800 + hexRecord(0, 0, {1}) + hexRecord(0, 4, {0x07, 0xFF}),
         IMAGE_ERR_INVALID_FILE},
        {"a far type 04 is refused at once", ext0800 + hexRecord(0, 4, {0xFF, 0xFF}), IMAGE_ERR_INVALID_FILE},
        {"an image one byte past the largest flash",
         ext0800 + hexRecord(0, 4, {0x08, 0x1F}) + hexRecord(0xFFFF, 0, {3, 4}), IMAGE_ERR_INVALID_FILE},
        {"data before any type 04 then a far segment", hexRecord(0, 0, {1}) + ext0800, IMAGE_ERR_INVALID_FILE},
        {"a 3-byte type 04", hexRecord(0, 4, {0x08, 0x00, 0x00}), IMAGE_ERR_INVALID_FILE},
        {"a 1-byte type 02", hexRecord(0, 2, {0x10}), IMAGE_ERR_INVALID_FILE},
        {"type 07", hexRecord(0, 7, {}), IMAGE_ERR_INVALID_FILE},
        {"a sign in a field", ":+1000000102F\n", IMAGE_ERR_INVALID_FILE},
        {"a space in a field", ": 1000000102\n", IMAGE_ERR_INVALID_FILE},
        {"0x in a field", ":0x000001FF\n", IMAGE_ERR_INVALID_FILE},
        {"a byte given twice", hexRecord(0, 0, {1, 2, 3, 4}) + hexRecord(2, 0, {9}), IMAGE_ERR_INVALID_FILE},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.file("image.hex"), c.text);
        Opened hex(intel_hex_reader, dir.file("image.hex"), false);
        ASSERT_EQ(hex.result, c.result);
        if (c.result != IMAGE_ERR_OK) continue;
        EXPECT_EQ(hex.readAll(), c.image);
        uint32_t base = 0;
        EXPECT_EQ(intel_hex_base(hex.state, &base), c.hasBase);
        EXPECT_EQ(base, c.base);
    }
}

TEST(IntelHexParser, NamesTheBytesItsDataRecordsGive) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<uint32_t, uint32_t>> named;  // [start, end) from the base
    };
    const std::string ext0800 = hexRecord(0, 4, {0x08, 0x00});
    const std::vector<Case> cases = {
        {"data after the base", ext0800 + hexRecord(0xF000, 0, pattern(16)) + hexRecord(0xF010, 0, pattern(4)),
         {{0xF000, 0xF014}}},
        {"two runs, out of order", hexRecord(0x10, 0, {5}) + hexRecord(0, 0, {1, 2, 3, 4}), {{0, 4}, {0x10, 0x11}}},
        {"a segment with no data names nothing", ext0800 + hexRecord(0, 0, {1}) + hexRecord(0, 4, {0x08, 0x01}),
         {{0, 1}}},
        {"no data", ext0800 + ":00000001FF\n", {}},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir.file("image.hex"), c.text);
        Opened hex(intel_hex_reader, dir.file("image.hex"), false);
        ASSERT_EQ(hex.result, IMAGE_ERR_OK);
        std::vector<std::pair<uint32_t, uint32_t>> named;
        for (const image_span& run : intel_hex_named(hex.state)) named.emplace_back(run.start, run.end);
        EXPECT_EQ(named, c.named);
    }
}

// Names that are not regular files: refused without blocking, whatever stands behind them.
TEST(ImageFiles, OnlyRegularFilesAreReadAndNothingBlocks) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.file("fifo.hex").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder.hex"));
    for (const image_reader* reader : {&intel_hex_reader, &raw_binary_reader}) {
        SCOPED_TRACE(reader->name);
        for (const std::string& name : {dir.file("fifo.hex"), dir.file("folder.hex"), std::string("/dev/null")}) {
            SCOPED_TRACE(name);
            Opened opened(*reader, name, false);
            EXPECT_EQ(opened.result, IMAGE_ERR_INVALID_FILE);
        }
    }
    // Written, a FIFO nobody reads fails at once instead of waiting for a reader.
    Opened fifoOut(raw_binary_reader, dir.file("fifo.hex"), true);
    EXPECT_EQ(fifoOut.result, IMAGE_ERR_SYSTEM);
    EXPECT_EQ(errno, ENXIO);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo.hex")));
}

// A read error inside a HEX file is no end of the file: reading this process's memory from
// address 0 fails with an I/O error.
TEST(IntelHexParser, AReadErrorIsNoEndOfFile) {
    ScratchDir dir;
    std::filesystem::create_symlink("/proc/self/mem", dir.file("memory.hex"));
    Opened hex(intel_hex_reader, dir.file("memory.hex"), false);
    EXPECT_EQ(hex.result, IMAGE_ERR_SYSTEM);
}

TEST(IntelHexParser, ReadsFromItsPositionAndNeverWrites) {
    ScratchDir dir;
    writeFile(dir.file("forty.hex"), hexRecord(0, 0, pattern(40)));
    Opened hex(intel_hex_reader, dir.file("forty.hex"), false);
    ASSERT_EQ(hex.result, IMAGE_ERR_OK);
    uint8_t buf[100];
    unsigned int n = 100;
    EXPECT_EQ(hex.ops.read(hex.state, buf, &n), IMAGE_ERR_OK);
    EXPECT_EQ(n, 40u);
    EXPECT_EQ(Bytes(buf, buf + 40), pattern(40));
    n = 100;
    EXPECT_EQ(hex.ops.read(hex.state, buf, &n), IMAGE_ERR_OK);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(hex.ops.write(hex.state, buf, 4), IMAGE_ERR_RDONLY);

    Opened forWriting(intel_hex_reader, dir.file("out.hex"), true);
    EXPECT_EQ(forWriting.result, IMAGE_ERR_RDONLY);
    Opened missing(intel_hex_reader, dir.file("missing.hex"), false);
    EXPECT_EQ(missing.result, IMAGE_ERR_SYSTEM);
}

// Runs body with fd (0 or 1) pointing at path, then puts the original back.
template <typename F>
void withStdio(int fd, const std::string& path, int flags, F body) {
    int saved = dup(fd);
    int file = open(path.c_str(), flags, 0644);
    ASSERT_GE(file, 0);
    dup2(file, fd);
    close(file);
    body();
    dup2(saved, fd);
    close(saved);
}

TEST(RawBinaryParser, RoundTripAndStandardStreams) {
    ScratchDir dir;
    const Bytes data = pattern(1000);
    {
        Opened out(raw_binary_reader, dir.file("a.bin"), true);
        ASSERT_EQ(out.result, IMAGE_ERR_OK);
        EXPECT_EQ(out.ops.write(out.state, data.data(), 600), IMAGE_ERR_OK);
        EXPECT_EQ(out.ops.write(out.state, data.data() + 600, 400), IMAGE_ERR_OK);
        EXPECT_EQ(out.ops.size(out.state), 1000u);
    }
    EXPECT_EQ(std::filesystem::status(dir.file("a.bin")).permissions() & std::filesystem::perms::group_write,
              std::filesystem::perms::none);
    {
        Opened in(raw_binary_reader, dir.file("a.bin"), false);
        ASSERT_EQ(in.result, IMAGE_ERR_OK);
        EXPECT_EQ(in.readAll(), data);
    }

    // "-" writes standard output, which stays open after close.
    withStdio(STDOUT_FILENO, dir.file("stdout.bin"), O_WRONLY | O_CREAT | O_TRUNC, [&] {
        {
            Opened out(raw_binary_reader, "-", true);
            ASSERT_EQ(out.result, IMAGE_ERR_OK);
            EXPECT_EQ(out.ops.write(out.state, data.data(), 10), IMAGE_ERR_OK);
        }
        EXPECT_NE(fcntl(STDOUT_FILENO, F_GETFD), -1);
    });
    EXPECT_EQ(readFile(dir.file("stdout.bin")), Bytes(data.begin(), data.begin() + 10));

    // "-" reads standard input, of size 0.
    withStdio(STDIN_FILENO, dir.file("a.bin"), O_RDONLY, [&] {
        {
            Opened in(raw_binary_reader, "-", false);
            ASSERT_EQ(in.result, IMAGE_ERR_OK);
            EXPECT_EQ(in.ops.size(in.state), 0u);
            Bytes got(1000);
            unsigned int n = 1000;
            EXPECT_EQ(in.ops.read(in.state, got.data(), &n), IMAGE_ERR_OK);
            EXPECT_EQ(got, data);
        }
        EXPECT_NE(fcntl(STDIN_FILENO, F_GETFD), -1);
    });
}

TEST(RawBinaryParser, Failures) {
    ScratchDir dir;
    writeFile(dir.file("ten.bin"), pattern(10));
    uint8_t buf[16];
    {
        Opened in(raw_binary_reader, dir.file("ten.bin"), false);
        unsigned int n = 8;
        EXPECT_EQ(in.ops.read(in.state, buf, &n), IMAGE_ERR_OK);
        n = 8;
        EXPECT_EQ(in.ops.read(in.state, buf, &n), IMAGE_ERR_SYSTEM) << "ends in the middle of a block";
        n = 8;
        EXPECT_EQ(in.ops.read(in.state, buf, &n), IMAGE_ERR_OK) << "at the end";
        EXPECT_EQ(n, 0u);
        EXPECT_EQ(in.ops.write(in.state, buf, 1), IMAGE_ERR_RDONLY);
    }
    {
        Opened out(raw_binary_reader, dir.file("out.bin"), true);
        unsigned int n = 4;
        EXPECT_EQ(out.ops.read(out.state, buf, &n), IMAGE_ERR_WRONLY);
    }
    Opened missing(raw_binary_reader, dir.file("missing.bin"), false);
    EXPECT_EQ(missing.result, IMAGE_ERR_INVALID_FILE);
    Opened noFolder(raw_binary_reader, dir.file("no/such.bin"), true);
    EXPECT_EQ(noFolder.result, IMAGE_ERR_SYSTEM);

    // A sparse file of 4 GiB: its size would wrap in 32 bits.
    {
        int fd = open(dir.file("huge.bin").c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_EQ(ftruncate(fd, off_t(1) << 32), 0);
        close(fd);
    }
    Opened huge(raw_binary_reader, dir.file("huge.bin"), false);
    EXPECT_EQ(huge.result, IMAGE_ERR_INVALID_FILE);
}

}  // namespace
