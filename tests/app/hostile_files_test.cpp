// Hostile files where the program reads its archives: the configuration at start-up and a
// settings backup. Each gives the defaults (or no backup) and a log line; none aborts, overflows
// the stack, blocks or reads without end.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ShellFixture.h"
#include "device/ORVABluetoothDeviceData.h"
#include "platform/Files.h"
#include "tests_support/HostileArchives.h"

namespace shell_test {
namespace {

namespace fs = std::filesystem;
using Controller = app::ORVABluetoothManagerAppController;

// Puts one hostile thing at path; className is the class the reader expects.
using Maker = std::function<void(const std::string& path, const std::string& className)>;

Maker bytes(std::function<platform::Bytes(const std::string& className)> make) {
    return [make](const std::string& path, const std::string& className) {
        ASSERT_TRUE(platform::writeFileAtomically(path, make(className)));
    };
}

const struct HostileCase {
    const char* name;
    Maker make;
} kHostileFiles[] = {
    {"NUL in an XML string", bytes([](const std::string&) { return test_support::xmlArchiverNameWithNul(); })},
    {"NUL in a binary string", bytes([](const std::string& cls) {
         return test_support::binaryArchiveWithNulInString(cls, "keyStrManagerVersion");
     })},
    {"100,000 nested binary arrays", bytes([](const std::string&) { return test_support::nestedBinaryArrays(100000); })},
    {"100,000 nested XML arrays", bytes([](const std::string&) { return test_support::nestedXmlArrays(100000); })},
    {"40,000 XML arrays behind processing instructions",
     bytes([](const std::string&) { return test_support::xmlArraysBehindInstructions(); })},
    {"a folder", [](const std::string& path, const std::string&) { fs::create_directory(path); }},
    {"a FIFO", [](const std::string& path, const std::string&) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
    {"a link to /dev/zero", [](const std::string& path, const std::string&) { fs::create_symlink("/dev/zero", path); }},
    {"a file above the cap", [](const std::string& path, const std::string&) {
         std::ofstream(path).close();
         fs::resize_file(path, platform::kArchiveFileCap + 1);
     }},
};

class HostileFiles : public ShellTest {};

TEST_F(HostileFiles, ConfigurationGivesTheDefaultsAndALogLine) {
    for (const auto& c : kHostileFiles) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::ensureArchiveFolder());
        const std::string path = Controller::configurationFilePath();
        fs::remove_all(path);
        c.make(path, Controller::kClassName);
        testing::internal::CaptureStderr();
        controller->initializeObject();
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("configuration"), std::string::npos) << log;
        EXPECT_EQ(controller->strManagerVersion(), "v1.0");
        EXPECT_EQ(controller->strLanguageManager(), "English");
        EXPECT_EQ(controller->deviceTarget(), 0);
        EXPECT_FALSE(controller->restartToRecover());
    }
}

TEST_F(HostileFiles, BackupIsNoBackupAndALogLine) {
    for (const auto& c : kHostileFiles) {
        SCOPED_TRACE(c.name);
        const std::string path = dataHome.path() + "/backup.qelmarch";
        fs::remove_all(path);
        c.make(path, device::ORVABluetoothDeviceData::kClassName);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(device::ORVABluetoothDeviceData::unarchiveFromFile(path));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("backup"), std::string::npos);
    }
    // A sound backup still reads, and a missing one is simply none.
    device::ORVABluetoothDeviceData record;
    record.setDeviceRecognized(0x6838);
    const std::string sound = dataHome.path() + "/sound.qelmarch";
    ASSERT_TRUE(platform::writeFileAtomically(sound, record.archivedData()));
    auto back = device::ORVABluetoothDeviceData::unarchiveFromFile(sound);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->deviceRecognized(), 0x6838);
    EXPECT_FALSE(device::ORVABluetoothDeviceData::unarchiveFromFile(dataHome.path() + "/missing.qelmarch"));
}

}  // namespace
}  // namespace shell_test
