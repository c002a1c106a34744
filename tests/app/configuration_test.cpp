// The configuration file: what a run writes, what a start reads back (also from missing, corrupt
// or partly bad files), the resumed firmware operation, and the shutdown that writes it.
#include <QCoreApplication>
#include <filesystem>

#include "ShellFixture.h"
#include "app/ORVABluetoothManagerAppDelegate.h"
#include "platform/Files.h"

namespace shell_test {
namespace {

namespace fs = std::filesystem;
using Controller = app::ORVABluetoothManagerAppController;

class Configuration : public ShellTest {
protected:
    void writeConfiguration(const platform::Bytes& bytes) {
        ASSERT_TRUE(platform::ensureArchiveFolder());
        ASSERT_TRUE(platform::writeFileAtomically(Controller::configurationFilePath(), bytes));
    }
    // An archive of the controller's class with the given keys (values in encoding order).
    static platform::Bytes archive(const std::function<void(platform::KeyedArchiver&)>& encode) {
        platform::KeyedArchiver coder({Controller::kClassName, "NSObject"});
        encode(coder);
        return coder.finish();
    }
    void expectMissingFileDefaults() {
        EXPECT_EQ(controller->strManagerVersion(), "v1.0");
        EXPECT_EQ(controller->strLanguageManager(), "English");
        EXPECT_EQ(controller->strLanguageFirmware(), "English");
        EXPECT_EQ(controller->languageManager(), 0);
        EXPECT_TRUE(controller->applyToLanguageFirmware());
        EXPECT_EQ(controller->deviceTarget(), 0);
        EXPECT_FALSE(controller->restartToRecover());
        EXPECT_FALSE(controller->isRestartDFU());
    }
};

TEST_F(Configuration, MissingFileGivesDefaultsAndTheSelectionPage) {
    start();
    expectMissingFileDefaults();
    EXPECT_EQ(controller->mode(), 3);
}

TEST_F(Configuration, UnreadableFilesGiveTheDefaults) {
    const std::vector<std::pair<const char*, platform::Bytes>> files = {
        {"garbage", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'l', 'i', 's', 't'}},
        {"empty", {}},
        {"another class", [] {
             platform::KeyedArchiver coder({"ORVABluetoothDeviceData", "NSObject"});
             coder.encodeString(std::string("v9.9"), "keyStrManagerVersion");
             return coder.finish();
         }()},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        writeConfiguration(bytes);
        controller->initializeObject();
        expectMissingFileDefaults();
    }
}

TEST_F(Configuration, FailureMidwayKeepsWhatWasReadAndDefaultsTheRest) {
    writeConfiguration(archive([](platform::KeyedArchiver& c) {
        c.encodeBool(true, "keyEncrypted");
        c.encodeString(std::string("v2.5"), "keyStrManagerVersion");
        c.encodeString(std::string("German"), "keyStrLanguageManager");
        c.encodeBool(false, "keyApplyToLanguageFirmware");
        c.encodeString(std::string("not a number"), "keyDeviceTarget");  // wrong type: reading stops here
        c.encodeBool(true, "keyRestartToRecover");
        c.encodeString(std::string("French"), "keyStrLanguageFirmware");
    }));
    start();
    EXPECT_EQ(controller->strManagerVersion(), "v2.5");
    EXPECT_EQ(controller->strLanguageManager(), "German");
    EXPECT_EQ(controller->languageManager(), 2);
    EXPECT_FALSE(controller->applyToLanguageFirmware());
    EXPECT_EQ(controller->deviceTarget(), 0);
    EXPECT_FALSE(controller->restartToRecover());
    EXPECT_EQ(controller->strLanguageFirmware(), "English") << "never empty";
    EXPECT_EQ(controller->mode(), 3);
}

TEST_F(Configuration, StoredLanguageNameIsMatchedIgnoringCase) {
    struct Case {
        const char* stored;
        int32_t language;
    };
    const Case cases[] = {
        {"English", 0}, {"french", 1}, {"GERMAN", 2}, {"pOlIsH", 12}, {"Chinese", 9},
        {"Danish", 0},   // a voice-prompt language only: the interface stays English
        {"Klingon", 0},  // no such language
        {"", 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored);
        writeConfiguration(archive([&](platform::KeyedArchiver& c) {
            c.encodeString(std::string(k.stored), "keyStrLanguageManager");
        }));
        controller->initializeObject();
        EXPECT_EQ(controller->languageManager(), k.language);
        EXPECT_EQ(controller->strLanguageManager(), k.stored) << "the stored name is kept as written";
    }
}

TEST_F(Configuration, NormalRunWritesEightKeysAndReadsThemBack) {
    start();
    controller->setDeviceTarget(0x6838);
    controller->setStrLanguageManager(std::string("Italian"));
    controller->setApplyToLanguageFirmware(false);
    controller->setStrLanguageFirmware(std::string("Spanish"));
    writeConfiguration(controller->archivedConfiguration());

    platform::KeyedUnarchiver stored(controller->archivedConfiguration(), Controller::kClassName);
    for (const char* key : {"keyEncrypted", "keyStrManagerVersion", "keyStrLanguageManager",
                            "keyApplyToLanguageFirmware", "keyDeviceTarget", "keyRestartToRecover",
                            "keyModeRestartToRecover", "keyStrLanguageFirmware"})
        EXPECT_TRUE(stored.containsValueForKey(key)) << key;
    EXPECT_FALSE(stored.containsValueForKey("keyStrRestartDFUFirmwareFile"));
    EXPECT_FALSE(stored.containsValueForKey("keyDeviceVersionMajorRestartDFU"));

    controller->initializeObject();
    EXPECT_EQ(controller->deviceTarget(), 0x6838);
    EXPECT_EQ(controller->languageManager(), 3);
    EXPECT_FALSE(controller->applyToLanguageFirmware());
    EXPECT_EQ(controller->strLanguageFirmware(), "Spanish");
    EXPECT_EQ(controller->strManagerVersion(), "v1.0");
}

// A firmware operation interrupted for a relaunch: the next start opens the recognition page for
// the chosen model and starts recognising at once; the resume request is spent, the firmware
// fields stay for the resumed operation.
TEST_F(Configuration, PendingResumeWithChosenModelOpensRecognition) {
    start();
    controller->setDeviceTarget(0x3020);
    controller->setStrRestartDFUFirmwareFile(std::string("/data/NELVAR.img"));
    controller->setDeviceVersionMajorRestartDFU(2);
    controller->setDeviceVersionMinorRestartDFU(7);
    controller->setIndexRestartDFUFirmwareLanguage(4);
    controller->setRestartToRecover(true);
    controller->setModeRestartToRecover(5);
    writeConfiguration(controller->archivedConfiguration());

    controller->initializeObject();
    platform::drainMainQueue();

    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(controller->visibleDetailViewController(), pages.recognition);
    EXPECT_EQ(pages.recognition->callerMode(), 5);
    EXPECT_EQ(pages.log.back(), "4:recognize");
    EXPECT_FALSE(controller->restartToRecover());
    EXPECT_EQ(controller->modeRestartToRecover(), 0);
    EXPECT_EQ(controller->strRestartDFUFirmwareFile(), "/data/NELVAR.img");
    EXPECT_EQ(controller->deviceVersionMinorRestartDFU(), 7);
    EXPECT_EQ(controller->indexRestartDFUFirmwareLanguage(), 4);

    // The run that ends after the resumed operation writes no new resume request.
    platform::KeyedUnarchiver after(controller->archivedConfiguration(), Controller::kClassName);
    EXPECT_FALSE(after.decodeBoolForKey("keyRestartToRecover"));
    EXPECT_EQ(after.decodeStringForKey("keyStrRestartDFUFirmwareFile"), "/data/NELVAR.img");
}

TEST_F(Configuration, PendingResumeWithoutModelStaysOnSelection) {
    writeConfiguration(archive([](platform::KeyedArchiver& c) {
        c.encodeBool(true, "keyRestartToRecover");
        c.encodeInt32(5, "keyModeRestartToRecover");
    }));
    start();
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_EQ(std::count(pages.log.begin(), pages.log.end(), "4:recognize"), 0);
}

TEST_F(Configuration, ShutdownWritesTheFileInNewFoldersAndRelaunchesOnlyWhenAsked) {
    start();
    int relaunches = 0;
    app::ORVABluetoothManagerAppDelegate delegate(window.get(), controller.get());
    delegate.setRelauncher([&] { return ++relaunches, true; });

    ASSERT_FALSE(fs::exists(platform::archiveFolderPath()));
    delegate.applicationWillTerminate();
    EXPECT_TRUE(fs::exists(Controller::configurationFilePath()));
    EXPECT_EQ(relaunches, 0);

    // Message-box answer 7: restart to finish a firmware operation.
    controller->setMode(6);
    controller->openMessageBoxWithMessage("Restart?", true, std::nullopt, std::string("OK"), 0, 7);
    platform::drainMainQueue();
    controller->messageBoxOK();
    platform::drainMainQueue();
    EXPECT_EQ(terminateRequests, 1);
    delegate.applicationWillTerminate();
    EXPECT_EQ(relaunches, 1);
    platform::KeyedUnarchiver stored(*platform::readFile(Controller::configurationFilePath()), Controller::kClassName);
    EXPECT_TRUE(stored.decodeBoolForKey("keyRestartToRecover"));
    EXPECT_EQ(stored.decodeInt32ForKey("keyModeRestartToRecover"), 6);
}

// Something else stands where the file goes (a folder, even root cannot replace it): the failure
// is logged and the shutdown goes on to the relaunch.
TEST_F(Configuration, FailedWriteIsSurvivedAndTheShutdownGoesOn) {
    start();
    const fs::path blocked = Controller::configurationFilePath();
    fs::create_directories(blocked / "inside");
    controller->setRestartToRecover(true);
    int relaunches = 0;
    app::ORVABluetoothManagerAppDelegate delegate(window.get(), controller.get());
    delegate.setRelauncher([&] { return ++relaunches, true; });

    delegate.applicationWillTerminate();

    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(relaunches, 1);
    for (const auto& entry : fs::directory_iterator(blocked.parent_path()))
        EXPECT_EQ(entry.path(), blocked) << "no temporary file is left behind";
}

TEST(SystemVersion, FirstDottedNumericTokenGivesTheVersion) {
    struct Case {
        const char* text;
        std::array<int32_t, 3> version;
    };
    const Case cases[] = {
        {"Version 12.3 (Build 21E230)", {12, 3, 0}},
        {"Version 10.15.7 (Build 19H2)", {10, 15, 7}},
        {"Version 0.1 then 11.5", {11, 5, 0}},  // a first number of 0 is skipped
        {"Version 1.2.3.4 and 13.1", {13, 1, 0}},  // four parts is no version
        {"no version here", {10, 9, 0}},
        {"", {10, 9, 0}},
    };
    for (const Case& k : cases) EXPECT_EQ(Controller::parseOsVersion(k.text), k.version) << k.text;
}

}  // namespace
}  // namespace shell_test
