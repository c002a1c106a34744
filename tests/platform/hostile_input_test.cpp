// Files and property lists made to hurt a reader: each ends as a refusal, never as an abort, a
// stack overflow, a blocked open or an unbounded read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "platform/PlistNesting.h"
#include "tests_support/HostileArchives.h"
#include "tests_support/TempDir.h"

namespace {

using platform::Bytes;
using platform::NestingCheck;

std::vector<uint8_t> text(const std::string& s) { return {s.begin(), s.end()}; }

// A binary property list of `levels` arrays, each holding the next one twice: small on disk, but
// the parser would copy the innermost array 2^(levels-1) times.
Bytes sharedReferenceArrays(uint32_t levels) {
    Bytes b = {'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<uint64_t> offsets;
    for (uint32_t i = 0; i < levels; ++i) {
        offsets.push_back(b.size());
        if (i + 1 < levels) {
            b.push_back(0xA2);
            test_support::appendBigEndian(b, i + 1, 2);
            test_support::appendBigEndian(b, i + 1, 2);
        } else {
            b.push_back(0xA0);
        }
    }
    const uint64_t table = b.size();
    for (uint64_t o : offsets) test_support::appendBigEndian(b, o, 2);
    b.insert(b.end(), 6, 0);
    b.push_back(2);
    b.push_back(2);
    test_support::appendBigEndian(b, levels, 8);
    test_support::appendBigEndian(b, 0, 8);
    test_support::appendBigEndian(b, table, 8);
    return b;
}

TEST(HostileArchive, IsRefusedAsAnArchiveError) {
    const std::string uidCycle =
        "<plist><dict><key>$archiver</key><string>NSKeyedArchiver</string>"
        "<key>$top</key><dict><key>root</key><dict><key>CF$UID</key><integer>1</integer></dict></dict>"
        "<key>$objects</key><array><string>$null</string>"
        "<dict><key>$class</key><dict><key>CF$UID</key><integer>1</integer></dict></dict></array></dict></plist>";
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"NUL in an XML string", test_support::xmlArchiverNameWithNul()},
        {"NUL in a binary string", test_support::binaryArchiveWithNulInString("Thing", "keyName")},
        {"100,000 nested binary arrays", test_support::nestedBinaryArrays(100000)},
        {"100,000 nested XML arrays", test_support::nestedXmlArrays(100000)},
        {"40,000 XML arrays behind processing instructions", test_support::xmlArraysBehindInstructions()},
        {"shared references standing for 2^29 arrays", sharedReferenceArrays(30)},
        {"class reference back to the root", text(uidCycle)},
        {"binary table outside the file", [] {
             Bytes b = test_support::nestedBinaryArrays(3);
             b[b.size() - 1] = 0xFF;
             return b;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(platform::KeyedUnarchiver(c.bytes, "Thing").decodeStringForKey("keyName"),
                     platform::ArchiveError);
    }
}

TEST(HostileArchive, NestingIsMeasuredWithoutBuildingTheTree) {
    EXPECT_EQ(platform::binaryPlistNesting(test_support::nestedBinaryArrays(32), 32, 1000), NestingCheck::WithinLimit);
    EXPECT_EQ(platform::binaryPlistNesting(test_support::nestedBinaryArrays(33), 32, 1000), NestingCheck::TooDeep);
    // Ten levels of doubled references: 1023 nodes for the parser, ten objects on disk.
    EXPECT_EQ(platform::binaryPlistNesting(sharedReferenceArrays(10), 32, 1023), NestingCheck::WithinLimit);
    EXPECT_EQ(platform::binaryPlistNesting(sharedReferenceArrays(10), 32, 1022), NestingCheck::TooLarge);
    EXPECT_EQ(platform::xmlPlistNesting(test_support::nestedXmlArrays(32), 32), NestingCheck::WithinLimit);
    EXPECT_EQ(platform::xmlPlistNesting(test_support::nestedXmlArrays(33), 32), NestingCheck::TooDeep);
    // Markup inside comments and empty elements open nothing.
    EXPECT_EQ(platform::xmlPlistNesting(text("<plist><!-- <array><array> --><array/><dict></dict></plist>"), 1),
              NestingCheck::WithinLimit);
}

TEST(HostileArchive, XmlClosingTagsTheParserNeverSeesLowerNothing) {
    // Each piece opens one array for the parser and hides its closing tag (or makes it look empty)
    // where the parser skips: 33 of them nest 33 deep.
    const struct {
        const char* name;
        const char* piece;
    } cases[] = {
        {"in a processing instruction after a '>'", "<array><?a > </array> ?>"},
        {"in a processing instruction after a quoted \"?>\"", "<array><?a \"?>\" </array> ?>"},
        {"in a document type's internal subset", "<array><!DOCTYPE p [ <!ENTITY a \"b\"> </array> ]>"},
        {"in a document type after a quoted '>'", "<array><!DOCTYPE p \"> </array>\">"},
        {"a quoted \"/>\" in the opening tag", "<array a=\"/>\">"},
        {"a quoted '>' then the closing tag in the opening tag", "<array a=\"></array>\">"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::xmlPlistNesting(test_support::repeatedXml(32, c.piece), 32), NestingCheck::WithinLimit);
        EXPECT_EQ(platform::xmlPlistNesting(test_support::repeatedXml(33, c.piece), 32), NestingCheck::TooDeep);
    }
    // Whatever the walk and the parser might still disagree on, the containers in all are bounded.
    EXPECT_EQ(platform::xmlPlistNesting(test_support::repeatedXml(1000, "<array></array>"), 32, 1000),
              NestingCheck::WithinLimit);
    EXPECT_EQ(platform::xmlPlistNesting(test_support::repeatedXml(1001, "<dict/>"), 32, 1000), NestingCheck::TooLarge);
}

TEST(HostileFile, BoundedReadRefusesWhatIsNotASmallRegularFile) {
    test_support::TempDir dir;
    const std::string regular = dir.path() + "/regular";
    ASSERT_TRUE(platform::writeFileAtomically(regular, {1, 2, 3}));
    const std::string fifo = dir.path() + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = dir.path() + "/zero";
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string large = dir.path() + "/large";
    std::ofstream(large).close();
    std::filesystem::resize_file(large, 4096 + 1);  // sparse: nothing allocated on disk

    using F = platform::ReadFailure;
    const struct {
        const char* name;
        std::string path;
        F failure;
    } cases[] = {
        {"a small regular file", regular, F::None},
        {"a missing file", dir.path() + "/missing", F::CannotOpen},
        {"a folder", dir.path(), F::NotARegularFile},
        {"a FIFO (the open does not wait for a writer)", fifo, F::NotARegularFile},
        {"a link to an endless device", zero, F::NotARegularFile},
        {"a file one byte above the cap", large, F::TooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        F failure = F::ReadError;
        auto bytes = platform::readFile(c.path, 4096, &failure);
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(bytes.has_value(), c.failure == F::None);
    }
    EXPECT_EQ(platform::readFile(regular, 3), (std::vector<uint8_t>{1, 2, 3}));  // the cap itself is allowed
}

}  // namespace
