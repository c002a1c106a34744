// Firmware file checks: single images (CRC-32 trailer and product name) and multi-part archives
// (header product id, part tables, MD5 per part), on fixtures built here and by dfu-suffix.
#include <gtest/gtest.h>
#include <mbedtls/md5.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests_support/DfuImage.h"
#include "tests_support/FirmwareArchive.h"
#include "tests_support/TempDir.h"
#include "transport/FirmwareFileChecks.h"

namespace {

using namespace std::string_literals;
using Bytes = std::vector<unsigned char>;

using test_support::append32;
using test_support::image_body;
using test_support::kImageHeader;
using test_support::reference_crc32;
using test_support::with_crc_trailer;

Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

void put32(Bytes& data, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) data[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

void write_file(const std::string& path, const Bytes& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

Bytes read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// ---- single images ---------------------------------------------------------------------------

struct CheckResult {
    long result;
    std::string message;
    Bytes buffer;  // what *out held, empty when it was null
    bool out_null;
};

CheckResult check_image(const std::string& path, const char* expected) {
    char message[FIRMWARE_MESSAGE_SIZE] = {};
    unsigned char* out = reinterpret_cast<unsigned char*>(1);  // must be overwritten
    CheckResult r{};
    r.result = firmware_check_dfu_file(path.c_str(), &out, message, expected);
    r.message = message;
    r.out_null = out == nullptr;
    if (out && r.result > 0) r.buffer.assign(out, out + r.result + 16);
    std::free(out);
    return r;
}

struct ImageCase {
    const char* what;
    Bytes file;
    const char* expected;
    bool passes;
    const char* message;
};

TEST(SingleImageCheck, AcceptsOnlyAnIntactImageForTheExpectedProduct) {
    Bytes bad_crc = with_crc_trailer(image_body("ZELTA#5510"));
    bad_crc[30] ^= 0x01;
    const Bytes sixteen_bytes = with_crc_trailer(bytes_of("IMAGE-HEADER"));

    const std::vector<ImageCase> cases = {
        {"good image", with_crc_trailer(image_body("ZELTA#5510")), "ZELTA#5510", true,
         "Finished checking firmware"},
        {"one flipped bit", bad_crc, "ZELTA#5510", false, "Firmware corrupted"},
        {"CRC with the usual final XOR",
         [] {
             Bytes b = image_body("ZELTA#5510");
             append32(b, ~reference_crc32(b, b.size()));
             return b;
         }(),
         "ZELTA#5510", false, "Firmware corrupted"},
        {"other model", with_crc_trailer(image_body("KORVO#5520")), "ZELTA#5510", false,
         "Firmware not for ZELTA"},
        {"same name, other product id", with_crc_trailer(image_body("ZELTA#5520")), "ZELTA#5510", false,
         "Firmware not for ZELTA"},
        {"expected name without an id", with_crc_trailer(image_body("KORVO")), "ZELTA", false,
         "Firmware not for ZELTA"},
        {"space name for a HEMBRIN product", with_crc_trailer(image_body(" anything")), "HEMBRIN-S#6021",
         true, "Finished checking firmware"},
        {"space name for another product", with_crc_trailer(image_body(" anything")), "ZELTA#5510", false,
         "Firmware not for ZELTA"},
        {"name cut by the end of the file", with_crc_trailer(bytes_of(kImageHeader + "ZEL")), "ZELTA#5510",
         false, "Firmware not for ZELTA"},
        {"empty file", {}, "ZELTA#5510", false, "Firmware corrupted"},
        {"three bytes", bytes_of("abc"), "ZELTA#5510", false, "Firmware corrupted"},
        {"four bytes of 0xFF", Bytes(4, 0xFF), "", false, "Firmware corrupted"},
        {"sixteen bytes with a sound trailer", sixteen_bytes, "", false, "Firmware corrupted"},
        {"one name byte, empty expected name", with_crc_trailer(bytes_of(kImageHeader + "Z")), "", true,
         "Finished checking firmware"},
    };
    test_support::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.path() + "/image.bin";
        write_file(path, c.file);
        const CheckResult r = check_image(path, c.expected);
        EXPECT_EQ(r.message, c.message);
        if (c.passes) {
            EXPECT_EQ(r.result, static_cast<long>(c.file.size()) - 16);
            EXPECT_EQ(r.buffer, c.file);
        } else {
            EXPECT_EQ(r.result, 0);
            EXPECT_TRUE(r.out_null);
        }
    }
}

TEST(SingleImageCheck, FilesThatCannotBeReadGiveTheirOwnMessage) {
    test_support::TempDir dir;
    EXPECT_EQ(check_image(dir.path() + "/missing.bin", "ZELTA#5510").message, "Cannot access firmware");
    EXPECT_EQ(check_image(dir.path(), "ZELTA#5510").message, "Cannot access firmware");  // a folder

    const std::string fifo = dir.path() + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(check_image(fifo, "ZELTA#5510").message, "Cannot access firmware");  // never blocks

    // A (sparse) file larger than any firmware is refused before its size is allocated.
    const std::string huge = dir.path() + "/huge.bin";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, std::uintmax_t{2} << 30);
    EXPECT_EQ(check_image(huge, "ZELTA#5510").message, "Firmware corrupted");
    char message[FIRMWARE_MESSAGE_SIZE] = {};
    unsigned char* out = nullptr;
    EXPECT_EQ(firmware_load_archive(huge.c_str(), &out, message, 0x2100), 0);
    EXPECT_STREQ(message, "Firmware corrupted");
    EXPECT_EQ(out, nullptr);

    if (geteuid() != 0) {  // root opens anything
        const std::string locked = dir.path() + "/locked.bin";
        write_file(locked, with_crc_trailer(image_body("ZELTA#5510")));
        ASSERT_EQ(chmod(locked.c_str(), 0), 0);
        const CheckResult r = check_image(locked, "ZELTA#5510");
        EXPECT_EQ(r.message, "Cannot open firmware");
        EXPECT_TRUE(r.out_null);
    }
}

TEST(SingleImageCheck, LongExpectedNameStaysInsideTheMessageBuffer) {
    test_support::TempDir dir;
    const std::string path = dir.path() + "/image.bin";
    write_file(path, with_crc_trailer(image_body("ZELTA#5510")));
    const std::string name(400, 'N');
    const CheckResult r = check_image(path, name.c_str());
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.message.size(), FIRMWARE_MESSAGE_SIZE - 1u);
    EXPECT_EQ(r.message.rfind("Firmware not for NNN", 0), 0u);
}

// dfu-suffix writes the standard 16-byte suffix whose last field is the same CRC-32: an image made
// by it is a fixture that owes nothing to our own CRC code.
std::string dfu_suffix_image(const std::string& dir, const std::string& file, const std::string& name_field) {
    const std::string path = dir + "/" + file;
    write_file(path, image_body(name_field));
    // Run without the test's preloads (sanitizer runtime, umockdev): dfu-suffix is a plain tool.
    const std::string command = "env -u LD_PRELOAD dfu-suffix -a '" + path + "' -v 3a6e -p 5510 -d ffff >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "dfu-suffix (dfu-util, scripts/setup.sh) must be installed";
    return path;
}

TEST(SingleImageCheck, ImagesSuffixedByDfuSuffix) {
    test_support::TempDir dir;
    struct Case {
        const char* what;
        const char* name_field;
        void (*spoil)(Bytes&);
        long size_delta;  // result relative to file size - 16
        const char* message;
    };
    const Case cases[] = {
        {"as made", "ZELTA#5510", nullptr, 0, "Finished checking firmware"},
        {"other model", "KORVO#5520", nullptr, 0, "Firmware not for ZELTA"},
        {"payload byte changed", "ZELTA#5510", [](Bytes& b) { b[kImageHeader.size() + 12] ^= 0x80; }, 0,
         "Firmware corrupted"},
        {"last byte lost", "ZELTA#5510", [](Bytes& b) { b.pop_back(); }, 0, "Firmware corrupted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dfu_suffix_image(dir.path(), "image.dfu", c.name_field);
        Bytes file = read_file(path);
        ASSERT_EQ(file.size(), kImageHeader.size() + std::strlen(c.name_field) + 13 + 16);
        if (c.spoil) {
            c.spoil(file);
            write_file(path, file);
        }
        const CheckResult r = check_image(path, "ZELTA#5510");
        EXPECT_EQ(r.message, c.message);
        const bool passes = std::string(c.message) == "Finished checking firmware";
        EXPECT_EQ(r.result, passes ? static_cast<long>(file.size()) - 16 : 0);
    }
}

// ---- archives ----------------------------------------------------------------------------------

using test_support::ArchiveRecipe;
using test_support::Layout;
using test_support::make_archive;

Bytes spoiled(Bytes archive, void (*spoil)(Bytes&)) {
    spoil(archive);
    return archive;
}

struct ArchiveCase {
    const char* what;
    Bytes archive;
    int product_id;
    bool loader_passes;
    bool checker_passes;
};

// Runs both the file loader and the in-memory check; the in-memory copy is exactly as long as the
// archive, so a read past its end is caught by the address sanitizer.
void expect_archive_case(const ArchiveCase& c, const std::string& dir) {
    SCOPED_TRACE(c.what);
    const std::string path = dir + "/archive.bin";
    write_file(path, c.archive);
    const long size = static_cast<long>(c.archive.size());

    char message[FIRMWARE_MESSAGE_SIZE] = "untouched";
    unsigned char* out = reinterpret_cast<unsigned char*>(1);
    const long loaded = firmware_load_archive(path.c_str(), &out, message, c.product_id);
    if (c.loader_passes) {
        EXPECT_EQ(loaded, size);
        EXPECT_STREQ(message, "untouched");
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(Bytes(out, out + loaded), c.archive);
        std::free(out);
    } else {
        EXPECT_EQ(loaded, 0);
        EXPECT_STREQ(message, "Firmware corrupted");
        EXPECT_EQ(out, nullptr);
    }

    std::strcpy(message, "untouched");
    auto copy = std::make_unique<unsigned char[]>(c.archive.size());
    std::copy(c.archive.begin(), c.archive.end(), copy.get());
    EXPECT_EQ(firmware_check_archive(copy.get(), message, c.product_id, size), c.checker_passes ? size : 0);
    EXPECT_STREQ(message, c.checker_passes ? "untouched" : "Firmware corrupted");
}

ArchiveRecipe with(void (*change)(ArchiveRecipe&)) {
    ArchiveRecipe recipe;
    change(recipe);
    return recipe;
}

TEST(ArchiveCheck, HeaderProductIdAndItsExceptions) {
    const auto named = [](const char* name, uint32_t id, Layout layout = Layout::short_table) {
        ArchiveRecipe recipe;
        recipe.model_name = name;
        recipe.header_id = id;
        recipe.layout = layout;
        return make_archive(recipe);
    };
    // Bytes after the model name's terminator: the 0x4210/0x4220 family then ignores the header id.
    const auto trailing = [](Bytes archive) {
        archive[20] = 'x';
        return archive;
    };
    const char* full_name = "ABCDEFGHIJKLMNOPQRSTUVWX";  // 24 characters, no terminator
    const std::vector<ArchiveCase> cases = {
        {"equal id", named("ZELTA", 0x2100), 0x2100, true, true},
        {"other id", named("ZELTA", 0x2101), 0x2100, false, false},
        {"0x4210 with header id 0", named("QX", 0), 0x4210, true, true},
        {"0x4210 with header id 0x4220", named("QX", 0x4220), 0x4210, true, true},
        {"0x4220 with header id 0x4210", named("QX", 0x4210), 0x4220, true, true},
        {"0x4210 with a foreign header id", named("QX", 0x1234), 0x4210, false, false},
        {"0x4210, foreign id, bytes after the name", trailing(named("QX", 0x1234)), 0x4210, true, true},
        {"0x4220, foreign id, bytes after the name", trailing(named("QX", 0x1234)), 0x4220, true, true},
        {"0x4210, foreign id, 24-character name", named(full_name, 0x1234), 0x4210, false, false},
        {"other product, bytes after the name", trailing(named("QX", 0x1234)), 0x2100, false, false},
        {"0x4210 archive for another product", named("QX", 0x4210), 0x4211, false, false},
    };
    test_support::TempDir dir;
    for (const auto& c : cases) expect_archive_case(c, dir.path());
}

TEST(ArchiveCheck, OlderSiblingArchiveNeedsTheVersionThatSupportsTheProduct) {
    const auto archive = [](const std::string& name, uint32_t id) {
        ArchiveRecipe recipe;
        recipe.model_name = name;
        recipe.header_id = id;
        recipe.layout = Layout::long_table;  // both 0x3232 and 0x3233 use the long table
        return make_archive(recipe);
    };
    struct Case {
        std::string name;
        bool passes;
        const char* printed;
    };
    const Case cases[] = {
        {"RERU v1.2.3.0", false, "RERU POWER\rBB 1020300 4\r\n"},
        {"RERU v1.2.3.1", true, "RERU POWER\rBB 1020301 4\r\n"},
        {"RERU v1.10.0.0", true, "RERU POWER\rBB 1100000 4\r\n"},
        {"RERU v1.2.4", true, "RERU POWER\rBB 1020400 3\r\n"},
        {"RERU d2.v.0", true, "RERU POWER\rBB 2000000 2\r\n"},             // "v" without digits gives none
        {"RERU v1.2.3.1.9", true, "RERU POWER\rBB 1020301 4\r\n"},         // four components at most
        {"RERU POWER-1 v12.0", false, "RERU POWER\rBB 1000000 1\r\n"},     // cut after 15 characters
        {"RERU POWER-12 v1.2.3.1", false, "RERU POWER\rBB 0 0\r\n"},       // marker at the 15th character
        {"RERUv1\0.2.3.1"s, false, "RERU POWER\rBB 1000000 1\r\n"},        // the name ends at its NUL
        {"v99999999999999", true, "RERU POWER\rBB 99999999000000 1\r\n"},  // no overflow
        {"RERU", false, "RERU POWER\rBB 0 0\r\n"},
    };
    test_support::TempDir dir;
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        expect_archive_case({c.name.c_str(), archive(c.name, 0x3232), 0x3233, c.passes, c.passes},
                            dir.path());
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(printed, std::string(c.printed) + c.printed) << c.name;  // once per check
    }
    // The rule is for that pair only: otherwise the ids must be equal.
    expect_archive_case({"0x3233 own archive", archive("RERU v1.0", 0x3233), 0x3233, true, true}, dir.path());
    expect_archive_case(
        {"0x3232 given a 0x3233 archive", archive("RERU v9.9.9.9", 0x3233), 0x3232, false, false},
        dir.path());
}

TEST(ArchiveCheck, LongOrShortPartTableByProduct) {
    const auto archive = [](uint32_t id, Layout layout, bool short_sound, bool long_sound) {
        ArchiveRecipe recipe;
        recipe.header_id = id;
        recipe.layout = layout;
        recipe.short_digests_sound = short_sound;
        recipe.long_digests_sound = long_sound;
        return make_archive(recipe);
    };
    const std::vector<ArchiveCase> cases = {
        {"long-entry product, long table sound", archive(0x5510, Layout::long_table, false, true), 0x5510,
         true, true},
        {"long-entry product, long table wrong", archive(0x5510, Layout::long_table, true, false), 0x5510,
         false, false},
        {"long-entry product, short table only", archive(0x6A04, Layout::short_table, true, false), 0x6A04,
         false, false},
        {"short-entry product", archive(0x5310, Layout::short_table, true, false), 0x5310, true, true},
        {"short-entry product ignores a long table", archive(0x5310, Layout::long_table, true, false), 0x5310,
         true, true},
        // The loader reads 0x321C archives from the short table, the in-memory check from the long one.
        {"0x321C, short table sound", archive(0x321C, Layout::long_table, true, false), 0x321C, true, false},
        {"0x321C, long table sound", archive(0x321C, Layout::long_table, false, true), 0x321C, false, true},
        {"0x321B is a long-entry product for both", archive(0x321B, Layout::long_table, false, true), 0x321B,
         true, true},
    };
    test_support::TempDir dir;
    for (const auto& c : cases) expect_archive_case(c, dir.path());
}

TEST(ArchiveCheck, PartTablesAndPartsMustLieInsideTheFileAndMatchTheirDigests) {
    const Bytes good = make_archive({});
    const size_t size = good.size();
    const auto set_count = [](Bytes a, int32_t count) {
        put32(a, 32, static_cast<uint32_t>(count));
        return a;
    };
    // Entry 1 of the short table: offset at 36 + 32 + 8, length at + 12.
    const auto set_part = [](Bytes a, uint32_t offset, uint32_t length) {
        put32(a, 76, offset);
        put32(a, 80, length);
        return a;
    };
    const uint32_t last_offset = 36 + 64 + 10;  // where the second part starts
    const uint32_t last_length = static_cast<uint32_t>(size) - last_offset;
    const std::vector<ArchiveCase> cases = {
        {"sound archive", good, 0x2100, true, true},
        {"no parts", make_archive(with([](ArchiveRecipe& s) { s.parts.clear(); })), 0x2100, true, true},
        {"negative part count, bare header", set_count(Bytes(good.begin(), good.begin() + 36), -3), 0x2100,
         true, true},
        {"negative count, other product", set_count(good, -1), 0x2101, false, false},
        {"empty part", make_archive(with([](ArchiveRecipe& s) { s.parts = {""}; })), 0x2100, true, true},
        {"a byte of a part changed", spoiled(good, [](Bytes& a) { a.back() ^= 0x20; }), 0x2100, false, false},
        {"a digest byte changed", spoiled(good, [](Bytes& a) { a[36 + 16] ^= 0x01; }), 0x2100, false, false},
        {"last byte lost", Bytes(good.begin(), good.end() - 1), 0x2100, false, false},
        {"header cut short", Bytes(good.begin(), good.begin() + 35), 0x2100, false, false},
        {"empty file", {}, 0x2100, false, false},
        {"part ends one byte past the file", set_part(good, last_offset, last_length + 1), 0x2100, false,
         false},
        {"offset past the file", set_part(good, static_cast<uint32_t>(size) + 1, 0), 0x2100, false, false},
        {"offset plus length wraps 32 bits", set_part(good, 0xFFFFFFF0u, 0x20), 0x2100, false, false},
        {"length wraps 32 bits", set_part(good, last_offset, 0xFFFFFFFFu), 0x2100, false, false},
        {"part table past the file", set_count(good, 1000), 0x2100, false, false},
        // A sound first entry, then half an entry whose offset and length still read as sound.
        {"second entry cut by the end of the file",
         [&] {
             Bytes a = set_count(make_archive(with([](ArchiveRecipe& s) { s.parts = {""}; })), 2);
             a.resize(a.size() + 16, 0);
             return a;
         }(),
         0x2100, false, false},
        {"largest part count", set_count(good, 0x7FFFFFFF), 0x2100, false, false},
        {"long table past the file",
         set_count(make_archive(with([](ArchiveRecipe& s) {
                       s.header_id = 0x5510;
                       s.layout = Layout::long_table;
                   })),
                   3),
         0x5510, false, false},
    };
    test_support::TempDir dir;
    for (const auto& c : cases) expect_archive_case(c, dir.path());

    // Ending exactly at the end of the file is inside it.
    Bytes exact = set_part(good, last_offset, last_length);
    EXPECT_EQ(exact, good);
}

TEST(ArchiveCheck, LoadFailuresGiveTheFileMessageAndNoBuffer) {
    test_support::TempDir dir;
    char message[FIRMWARE_MESSAGE_SIZE] = {};
    unsigned char* out = reinterpret_cast<unsigned char*>(1);
    EXPECT_EQ(firmware_load_archive((dir.path() + "/none").c_str(), &out, message, 0x2100), 0);
    EXPECT_STREQ(message, "Cannot access firmware");
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(firmware_check_archive(nullptr, message, 0x2100, 100), 0);
    EXPECT_STREQ(message, "Firmware corrupted");
}

// ---- checksums ---------------------------------------------------------------------------------

TEST(FirmwareChecksums, Crc32StepIsJamcrc) {
    EXPECT_EQ(crc32_init(), 0xFFFFFFFFu);
    const Bytes digits = bytes_of("123456789");
    uint32_t crc = crc32_init();
    for (unsigned char b : digits) crc = crc32_byte(crc, b);
    EXPECT_EQ(crc, 0x340BC6D9u);

    // Every table entry, from a few running values, against the bitwise reference.
    for (uint32_t start : {0xFFFFFFFFu, 0u, 0x12345678u}) {
        for (int b = 0; b < 256; ++b) {
            uint32_t expect = start ^ static_cast<uint32_t>(b);
            for (int bit = 0; bit < 8; ++bit)
                expect = (expect & 1) ? (expect >> 1) ^ 0xEDB88320u : expect >> 1;
            ASSERT_EQ(crc32_byte(start, static_cast<uint8_t>(b)), expect) << start << " " << b;
        }
    }
}

std::string md5_hex(const std::vector<std::string>& pieces) {
    md5_context context;
    md5_init(&context);
    for (const auto& p : pieces)
        md5_update(&context, reinterpret_cast<const unsigned char*>(p.data()),
                   static_cast<uint32_t>(p.size()));
    unsigned char digest[16];
    md5_final(digest, &context);
    std::string hex;
    char two[3];
    for (unsigned char d : digest) {
        std::snprintf(two, sizeof two, "%02x", d);
        hex += two;
    }
    return hex;
}

TEST(FirmwareChecksums, Md5MatchesTheRfc1321TestSuite) {
    struct Case {
        std::vector<std::string> pieces;
        const char* digest;
    };
    const Case cases[] = {
        {{}, "d41d8cd98f00b204e9800998ecf8427e"},
        {{"a"}, "0cc175b9c0f1b6a831c399e269772661"},
        {{"abc"}, "900150983cd24fb0d6963f7d28e17f72"},
        {{"message ", "digest"}, "f96b697d7cb7938d525a2f31aaf161d0"},
        {{"abcdefghijklmnopqrstuvwxyz"}, "c3fcd3d76192e4007dfb496cca67e13b"},
        {{"12345678901234567890123456789012345678901234567890123456789012345678901234567890"},
         "57edf4a22be3c955ac49da2e2107b67a"},
        {{"1234567890123456789012345678901234567890", "", "1234567890123456789012345678901234567890"},
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(md5_hex(c.pieces), c.digest);
}

}  // namespace
