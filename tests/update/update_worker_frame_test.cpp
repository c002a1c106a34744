// The update worker's frame with a fake family and no device: the settings backup and its
// question, the firmware file load, the end of work, and the dispatch table.
#include <algorithm>
#include <filesystem>

#include "UpdateWorkerFixture.h"
#include "platform/Files.h"
#include "transport/FirmwareFileChecks.h"

namespace {

namespace fs = std::filesystem;
using update::UpdateRun;

// A family that makes the common steps in the order every HID family does, then succeeds; it
// records whether it came to the headset.
struct FakeFamily {
    bool reachedDevice = false;
    void operator()(UpdateRun& run) {
        if (!update::loadFirmwareArchive(run)) return update::endOfWork(run, update::EndEntry::plain);
        if (!update::makeSettingsBackup(run)) return update::endOfWork(run, update::EndEntry::plain);
        reachedDevice = true;
        update::markSucceeded(run);
        update::endOfWork(run, update::EndEntry::plain);
    }
};

test_support::ArchiveBytes soundArchive() {
    test_support::ArchiveRecipe recipe;
    recipe.header_id = 0x6838;
    recipe.layout = test_support::Layout::long_table;
    return test_support::make_archive(recipe);
}

struct BackupCase {
    const char* name;
    int32_t mode;
    bool folderIsAFile;
    bool answerOK;
    // expected
    bool backupWritten, asked, succeeded;
    const char* status;  // English status at the end
};

class BackupStep : public UpdateWorkerTest, public testing::WithParamInterface<BackupCase> {};

TEST_P(BackupStep, WritesTheBackupOrAsksAndEndsAsTheAnswerSays) {
    const BackupCase& c = GetParam();
    controller.mode_ = c.mode;
    controller.answerOK = c.answerOK;
    if (c.folderIsAFile) std::ofstream(run.archiveFolder) << "not a folder";
    writeFirmware(soundArchive());
    FakeFamily family;
    run.family = [&](UpdateRun& r) { family(r); };
    update::threadMethodUpdate(run);

    const fs::path backup = fs::path(run.archiveFolder) / "AIROHAVELMAR.qelmarch";
    EXPECT_EQ(fs::is_regular_file(backup), c.backupWritten);
    if (c.backupWritten) {
        auto bytes = platform::readFile(backup.string());
        ASSERT_TRUE(bytes);
        auto record = device::ORVABluetoothDeviceData::unarchiveFromData(*bytes);
        EXPECT_EQ(record.deviceRecognized(), 0x6838);
        EXPECT_EQ(record.managerVersionMajor(), 1);
        EXPECT_EQ(record.managerVersionMinor(), 0);
        EXPECT_TRUE(record.dateArchived().has_value());
    }
    ASSERT_EQ(controller.boxes.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        const auto& box = controller.boxes[0];
        EXPECT_EQ(box.message, "backup file failed");
        EXPECT_TRUE(box.warning);
        EXPECT_FALSE(box.cancel);
        EXPECT_EQ(box.ok, "YES");
        EXPECT_EQ(box.size, 3);
        EXPECT_EQ(box.forWhat, 14);
    }
    EXPECT_FALSE(controller.skip) << "the answer is used once";
    EXPECT_EQ(family.reachedDevice, c.succeeded);
    EXPECT_TRUE(page.updateFinished);
    EXPECT_EQ(page.updateSucceeded, c.succeeded);
    if (!c.succeeded) {
        EXPECT_EQ(page.updateRestoreError, update::kEndFailed);
    }
    EXPECT_EQ(status(), c.status);
}

const BackupCase kBackupCases[] = {
    {"UpdateWritesTheBackup", 5, false, false, true, false, true, "On updating firmware. about to make backup firmware"},
    {"RestoreMakesNoBackupAndSaysNothingOfIt", 6, false, false, false, false, true,
     "On restoring firmware. Checking backup firmware"},
    {"UnwritableBackupAcceptedGoesOn", 5, true, true, false, true, true,
     "On updating firmware. about to make backup firmware"},
    {"UnwritableBackupNotAcceptedEnds", 5, true, false, false, true, false,
     "Failed to update firmware. Cannot make backup firmware"},
};

INSTANTIATE_TEST_SUITE_P(Worker, BackupStep, testing::ValuesIn(kBackupCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateWorkerTest, FileFailingItsCheckEndsWithCode3BeforeTheDevice) {
    struct Case {
        const char* what;
        std::optional<test_support::ArchiveBytes> file;
        const char* status;
    };
    const Case cases[] = {
        {"missing file", std::nullopt, "Failed to update firmware. Cannot access firmware"},
        {"other header id", test_support::with_header_id(soundArchive(), 0x6839),
         "Failed to update firmware. Firmware corrupted"},
        {"bad digest", test_support::with_bad_md5(soundArchive(), 2, 1, test_support::Layout::long_table),
         "Failed to update firmware. Firmware corrupted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(run.firmwareFile);
        if (c.file) writeFirmware(*c.file);
        update::UpdatePageFields fresh;
        UpdateRun one{controller, fresh};
        one.firmwareFile = run.firmwareFile;
        one.archiveFolder = run.archiveFolder;
        FakeFamily family;
        one.family = [&](UpdateRun& r) { family(r); };
        update::threadMethodUpdate(one);
        EXPECT_FALSE(family.reachedDevice);
        EXPECT_EQ(fresh.updateRestoreError, update::kEndFirmwareFileFailed);
        EXPECT_TRUE(fresh.updateFinished);
        EXPECT_FALSE(fresh.updateSucceeded);
        EXPECT_EQ(fresh.updateStatus(0), c.status);
        EXPECT_FALSE(fs::exists(fs::path(run.archiveFolder) / "AIROHAVELMAR.qelmarch")) << "no backup either";
    }
}

TEST_F(UpdateWorkerTest, BoxStillOpenAtTheEndIsClosedBeforeTheEndShows) {
    controller.neverAnswer = true;
    run.family = [](UpdateRun& r) {
        r.page.openedMessageBox = true;  // an instruction box the family opened
        update::endOfWork(r, update::EndEntry::plain);
    };
    update::threadMethodUpdate(run);
    EXPECT_EQ(controller.closedBoxes, 1);
    EXPECT_FALSE(page.openedMessageBox);
    EXPECT_TRUE(page.updateFinished);
}

TEST_F(UpdateWorkerTest, StopEndsTheWaitForAnAnswerWithCode1) {
    controller.neverAnswer = true;
    std::ofstream(run.archiveFolder) << "not a folder";
    writeFirmware(soundArchive());
    FakeFamily family;
    run.family = [&](UpdateRun& r) { family(r); };
    clock.after(30000, [this] { page.stopRequested = true; });
    update::threadMethodUpdate(run);
    EXPECT_FALSE(family.reachedDevice);
    EXPECT_EQ(page.updateRestoreError, update::kEndFailed);
    EXPECT_TRUE(page.updateFinished);
    EXPECT_LE(clock.nowMs(), 31000);
}

// Every family the dispatch names has a road of its own: a family without one would end every
// update of its models with code 1 and the bare failure prefix.
TEST_F(UpdateWorkerTest, EveryDispatchedFamilyHasItsRoad) {
    for (const update::DispatchRow& row : update::dispatchTable())
        EXPECT_TRUE(update::hasRoad(row.family)) << std::hex << row.codes.front();
    EXPECT_TRUE(update::hasRoad(update::Family::csr));
}

// ---- dispatch ----------------------------------------------------------------------------------

using update::Family;

struct Row {
    std::vector<int32_t> codes;
    Family family;
};

TEST(UpdateDispatch, EveryCodeReachesItsRowAndOthersGoToCsr) {
    const std::vector<Row> rows = {
        {{0x4210}, Family::qccDowngradeGuard},
        {{0x6042}, Family::qccMultiPart},
        {{0x4D16, 0x3420, 0x3430, 0x3340, 0x3341, 0x5590, 0x321B, 0x3085, 0x3052, 0x3072, 0x3082, 0x6038,
          0x6039, 0x3350, 0x3360, 0x3370, 0x3410, 0x6900, 0x6910, 0x5440, 0x5441, 0x5442, 0x5443, 0x5444,
          0x5445, 0x3400, 0x5595, 0x5596, 0x3380, 0x3701, 0x5591, 0x5597, 0x5592, 0x5593, 0x5594, 0x4023,
          0x6461, 0x6481, 0x6700, 0x6491, 0x6620, 0x6600, 0x6610, 0x4D06, 0x4D76, 0x4D86},
         Family::qccLanguagePacks},
        {{0x6A04, 0x6A01, 0x6A02, 0x6A03}, Family::airohaTypedBlocks},
        {{0x6800, 0x683A, 0x6821, 0x6825, 0x6804, 0x6815, 0x6822, 0x6810, 0x6806, 0x6808, 0x6811, 0x6805, 0x6817,
          0x6812, 0x6801, 0x6816, 0x6802, 0x6814, 0x6831, 0x6824, 0x6828, 0x6838, 0x6840, 0x6839, 0x6803},
         Family::airohaBlocks},
        {{0x5632, 0x5630}, Family::qccAirohaMeshBlock},
        {{0x5552, 0x5553}, Family::qccAirohaMesh},
        {{0x6510, 0x6500, 0x3161, 0x3150}, Family::qccMesh},
        {{0x3210, 0x3218, 0x321C, 0x3214, 0x3217, 0x3212, 0x3216, 0x321A, 0x3219, 0x3213, 0x3215, 0x3211},
         Family::airohaMesh},
        {{0x3132, 0x3260, 0x3264, 0x3232, 0x3233, 0x3240, 0x3156, 0x3148, 0x3154, 0x3320, 0x3170, 0x3900, 0x3134},
         Family::meshCameraVoice},
        {{0x3110, 0x3146, 0x3140, 0x3116, 0x3118, 0x3136, 0x3800, 0x3142, 0x3124, 0x3144, 0x3152, 0x3126, 0x3128,
          0x3112, 0x3114, 0x3500, 0x3550, 0x3560, 0x3570, 0x3540},
         Family::meshModule},
        {{0x4310, 0x4330, 0x4430, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410}, Family::twoChip},
        {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5510, 0x5580, 0x5570, 0x5576, 0x5520, 0x6112, 0x6114,
          0x5534, 0x5538, 0x3300, 0x5424, 0x5434, 0x5430, 0x5432, 0x5428, 0x5426, 0x3070, 0x3080, 0x3310,
          0x3330, 0x6310, 0x6320, 0x6335, 0x6330, 0x5564, 0x4050, 0x5530, 0x5532, 0x5550, 0x5710, 0x5623,
          0x5622, 0x5624, 0x5524, 0x5560, 0x5562, 0x5536, 0x5522, 0x3030, 0x3032, 0x3050, 0x3060, 0x3040,
          0x6210, 0x6400, 0x5526, 0x5720, 0x5320, 0x5330, 0x5910, 0x5920},
         Family::cameraStorage},
        {{0x6010, 0x6018, 0x6012, 0x6014, 0x6016, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x5410, 0x5412,
          0x5414, 0x5420, 0x5418, 0x5416},
         Family::downloadMode},
        {{0x6020, 0x6022, 0x6024}, Family::hidThenCsr},
    };
    const size_t counts[] = {1, 1, 46, 4, 25, 2, 2, 4, 12, 13, 20, 8, 56, 17, 3};
    ASSERT_EQ(update::dispatchTable().size(), rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r].codes.size(), counts[r]) << "row " << r + 1;
        EXPECT_EQ(update::dispatchTable()[r].codes.size(), counts[r]) << "row " << r + 1;
        for (int32_t code : rows[r].codes) EXPECT_EQ(update::familyOf(code), rows[r].family) << std::hex << code;
    }
    for (int32_t other : {0x3020, 0x5310, 0x4D10, 0x6021, 0x0000, 0xE020})
        EXPECT_EQ(update::familyOf(other), Family::csr) << std::hex << other;
}

}  // namespace
