// The real program restores a simulated 0x6838 to the firmware of its settings backup, twice.
// The restore page has no button or key that leads to it in this build (both Restore buttons
// outside it are hidden): the program first reaches it by the restart-to-recover road, as after a
// restore that was cut short. The headset runs 1.2 with settings changed since the backup made on
// 1.0, which lies in the archive folder under the name the update worker's backup writer uses,
// written by the record's own codec; the image the cut restore downloaded lies beside it as
// `<internal name>.img`, and the configuration names it. The loopback server's "Revisions" lists
// 1.0 on its last line, without a line break, with an image of its own (other blocks, so that
// each write shows which file it took).
// 1. The program recognizes the headset at start, shows the restore page with the backup, finds
//    the revision and writes the stored image into the headset without fetching it; the restore
//    ends with success and re-recognition writes the backed-up settings into the headset.
// 2. Back on the restore page, with the headset's settings changed once more, Alt+Ctrl+E
//    (Restore) downloads the listed revision into `<internal name>.img` and writes it; success
//    again, and the backed-up settings again. The screenshot shows the page before this Restore.
// The backup file keeps its bytes throughout, and the configuration written on quit holds no
// resume record.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Hs6838Session.h"
#include "ProgramRun.h"
#include "ScreenShot.h"
#include "device/ORVABluetoothDeviceData.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/Hs6838Model.h"
#include "sim/SettingBlocksModel.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/LoopbackServer.h"
#include "tests_support/TempDir.h"
#include "update/ArchiveFileNames.h"

namespace restore_e2e {
namespace {

using namespace std::chrono_literals;
using device::ORVABluetoothDeviceData;

constexpr int kRestorePage = 6;
constexpr const char* kRevisionListed = "restore list read ended: revision listed";
constexpr const char* kRestoreSucceeded = "update ended: succeeded 1";
constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";
// The 0x6838 keeps its three settings words in format B key 3.
constexpr uint8_t kSettingsKey = 3;
constexpr const char* kRevisionFile = "AIROHAVELMAR_v1.0.img";
// Where the restore table's second row shows its value on the screen.
constexpr int kTableValueX = 367, kTableValueY = 263;

using Words = sim::SettingBlocksModel::Words;

// What the headset holds now, and what it held when the backup was made on 1.0: voice prompt
// and sidetone, other words and another headset language.
const Words kHeld = {0x0001, 0x0010, 0x0000};
const Words kBackedUp = {0x0006, 0x0120, 0x0002};

ORVABluetoothDeviceData backupRecord() {
    ORVABluetoothDeviceData b;
    b.setManagerVersionMajor(3);
    b.setManagerVersionMinor(1);
    b.setDeviceRecognized(0x6838);
    b.setDeviceVersionMajor(1);
    b.setDeviceVersionMinor(0);
    for (size_t i = 0; i < kBackedUp.size(); ++i) b.setBasicSetting20At(static_cast<int>(i), kBackedUp[i]);
    b.setDateArchived(platform::Date::fromUnix(1700000000.0));
    return b;
}

class RestoreEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        family = std::make_shared<sim::Hs6838Model>();  // firmware 1.2
        headset = std::make_shared<sim::SettingBlocksModel>(family);
        headset->setShortBlock(kSettingsKey, kHeld);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        family->restartsOn(sim->testbed(), 0, events, e2e::inWorkerSeconds(6500));
        family->setAfterRestart(0x00, sim::Answer{0, {1, 0, 0, 0, 0}});

        const auto cut = e2e::twoBlockArchive("AIROHAVELMAR v1.0", 7, 3000, cutBlocks);
        cutImage.assign(cut.begin(), cut.end());
        const auto listed = e2e::twoBlockArchive("AIROHAVELMAR v1.0", 5, 3000, listedBlocks);
        revision.assign(listed.begin(), listed.end());
        server.put(kRevisionFile, std::string(listed.begin(), listed.end()));
        server.put("Revisions",
                   "VELMARLUNVAR:v1.0:English:VELMARLUNVAR_v1.0.img\r\n"
                   "AIROHAVELMAR:v1.2:English:AIROHAVELMAR_v1.2.img\r\n"
                   "AIROHAVELMAR:v1.0:English:" + std::string(kRevisionFile));

        ASSERT_TRUE(platform::createFolders(archiveFolder()));
        backupBytes = backupRecord().archivedData();
        ASSERT_TRUE(platform::writeFileAtomically(backupFile(), backupBytes));
        ASSERT_TRUE(platform::writeFileAtomically(restoreImage(), cutImage));
        ASSERT_TRUE(platform::writeFileAtomically(archiveFolder() + "/VELMARHelmetsDeviceManager.qelmconf",
                                                  interruptedRestore()));
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator
    }

    std::string archiveFolder() const {
        return data.path() + "/VELMARHelmetsDeviceManager/VELMARHelmetsDeviceManagerArchive";
    }
    std::string backupFile() const { return archiveFolder() + "/" + update::backupFileName(0x6838).value_or("?"); }
    std::string restoreImage() const {
        return archiveFolder() + "/" + update::restoreImageFileName(0x6838).value_or("?");
    }

    // The configuration a restore of the 0x6838 leaves when it must be resumed: its downloaded
    // image, no language chosen, the headset's versions before it.
    platform::Bytes interruptedRestore() const {
        platform::KeyedArchiver c({kControllerClass, "NSObject"});
        c.encodeString("English", "keyStrLanguageManager");
        c.encodeBool(true, "keyApplyToLanguageFirmware");
        c.encodeInt32(0x6838, "keyDeviceTarget");
        c.encodeBool(true, "keyRestartToRecover");
        c.encodeInt32(kRestorePage, "keyModeRestartToRecover");
        c.encodeString(restoreImage(), "keyStrRestartDFUFirmwareFile");
        c.encodeInt32(-1, "keyIndexRestartDFUFirmwareLanguage");
        c.encodeInt32(1, "keyDeviceVersionMajorRestartDFU");
        c.encodeInt32(2, "keyDeviceVersionMinorRestartDFU");
        c.encodeInt32(0, "keyDeviceSecondaryVersionTypeRestartDFU");
        c.encodeInt32(4, "keyDeviceSecondaryVersionRestartDFU");
        return c.finish();
    }
    bool noResumeRecord() const {
        auto bytes = platform::readFile(archiveFolder() + "/VELMARHelmetsDeviceManager.qelmconf");
        if (!bytes) return false;
        platform::KeyedUnarchiver stored(*bytes, kControllerClass);
        return !stored.decodeBoolForKey("keyRestartToRecover") &&
               !stored.containsValueForKey("keyStrRestartDFUFirmwareFile");
    }

    int settingsWrites() const {
        int n = 0;
        for (const auto& k : headset->keyRequests()) n += k.command == 0x04 && k.key == kSettingsKey;
        return n;
    }

    test_support::TempDir data;
    test_support::LoopbackServer server;
    std::shared_ptr<sim::Hs6838Model> family;
    std::shared_ptr<sim::SettingBlocksModel> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    // Declared after the simulator: it stops before the testbed goes, so that a restart it still
    // holds never plugs a device into a removed testbed.
    sim::RealTimeScheduler events;
    e2e::ProgramRun run{data.path() + "/program.log"};
    std::vector<std::vector<uint8_t>> cutBlocks, listedBlocks;
    platform::Bytes cutImage, revision, backupBytes;
};

TEST_F(RestoreEndToEnd, ResumedAndPressedRestoresWriteTheRevisionAndTheBackedUpSettings) {
    ASSERT_NO_FATAL_FAILURE(
        run.start(data.path(), {{"VELMAR_SERVER_BASE", server.base()},
                                e2e::shortWorkerSeconds(),
                                {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    // 1. Recognized at start, then the restore page with the backup, whose revision is listed;
    // the cut restore's image is written again.
    ASSERT_TRUE(run.waitPageShown(kRestorePage, 0)) << run.trace.text();
    ASSERT_TRUE(run.trace.waitFor(kRevisionListed)) << run.trace.text();
    EXPECT_EQ(server.requestsFor("Revisions"), 1);
    ASSERT_TRUE(run.trace.waitFor(kRestoreSucceeded, 1, 120s)) << run.trace.text();
    EXPECT_EQ(family->blocks(), cutBlocks);
    EXPECT_EQ(server.requestsFor(kRevisionFile), 0) << "the image of the cut restore is written again, not fetched";
    EXPECT_EQ(platform::readFile(backupFile()), std::optional<platform::Bytes>(backupBytes)) << "the backup changed";
    // Re-recognition writes the backed-up words and ends on the restore page.
    ASSERT_TRUE(run.waitPageShown(kRestorePage, 1, 120s)) << run.trace.text();
    EXPECT_EQ(settingsWrites(), 1);
    EXPECT_EQ(headset->shortBlock(kSettingsKey), std::optional<Words>(kBackedUp));

    // 2. The settings changed again; the page reads the list once more and Restore downloads.
    headset->setShortBlock(kSettingsKey, kHeld);
    ASSERT_TRUE(run.trace.waitFor(kRevisionListed, 2)) << run.trace.text();
    // Kept once the table's second row shows its value.
    EXPECT_TRUE(e2e::saveScreenOnceTextAt(run.display->name(), VELMAR_RESTORE_SCREENSHOT_FILE, kTableValueX,
                                          kTableValueY, 60, 12));
    ASSERT_TRUE(run.window->pressUntil("alt+ctrl+e", [&] { return server.requestsFor(kRevisionFile) > 0; }, 10, 3s))
        << "Restore downloaded nothing\n" << run.trace.text();
    ASSERT_TRUE(run.trace.waitFor(kRestoreSucceeded, 2, 120s)) << run.trace.text();
    EXPECT_EQ(server.requestsFor(kRevisionFile), 1);
    EXPECT_EQ(platform::readFile(restoreImage()), std::optional<platform::Bytes>(revision));
    EXPECT_EQ(e2e::lastTwoBlocks(*family), listedBlocks);
    EXPECT_EQ(family->restarts(), 4);
    EXPECT_EQ(platform::readFile(backupFile()), std::optional<platform::Bytes>(backupBytes)) << "the backup changed";
    ASSERT_TRUE(run.waitPageShown(kRestorePage, 2, 120s)) << run.trace.text();
    EXPECT_EQ(settingsWrites(), 2);
    EXPECT_EQ(headset->shortBlock(kSettingsKey), std::optional<Words>(kBackedUp));

    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    EXPECT_TRUE(noResumeRecord());
}

}  // namespace
}  // namespace restore_e2e
