// Atomic replacement and the archive folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Files.h"
#include "tests_support/TempDir.h"

TEST(Files, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    test_support::TempDir dir;
    std::string path = dir.path() + "/a.qelmconf";
    ASSERT_TRUE(platform::writeFileAtomically(path, {1, 2, 3}));
    ASSERT_TRUE(platform::writeFileAtomically(path, {9}));
    EXPECT_EQ(platform::readFile(path), (std::vector<uint8_t>{9}));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
}

TEST(Files, FailedWriteKeepsTheOldFileAndSaysWhy) {
    test_support::TempDir dir;
    std::string error;
    EXPECT_FALSE(platform::writeFileAtomically(dir.path() + "/missing/a", {1}, &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos);
    EXPECT_FALSE(platform::readFile(dir.path() + "/missing/a"));
}

TEST(Files, ArchiveFolderFollowsTheDataHomeAndIsCreatedWithItsParents) {
    test_support::TempDir dir;
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", (dir.path() + "/deep/data").c_str(), 1);
    auto folder = platform::ensureArchiveFolder();
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, dir.path() + "/deep/data/VELMARHelmetsDeviceManager/VELMARHelmetsDeviceManagerArchive");
    EXPECT_TRUE(std::filesystem::is_directory(*folder));
    if (old) setenv("XDG_DATA_HOME", saved.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}
