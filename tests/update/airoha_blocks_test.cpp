// The Airoha block family of 0x6838 end to end on the real hidapi, against the simulated headset
// under umockdev, on a virtual clock with timed events (the headset's restart after each block
// costs nothing): blocks skipped, written in pieces and verified, each failure by its tag, the
// identity check and the damaged archives.
#include <hidapi.h>

#include <memory>

#include "AnyHeadsetOpener.h"
#include "UpdateWorkerFixture.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "transport/HidExchange.h"

namespace {

using sim::Hs6838Model;
using test_support::ArchiveBytes;
using test_support::ArchiveEntry;
using test_support::Layout;

std::vector<unsigned char> bytes(size_t n, unsigned char seed) {
    std::vector<unsigned char> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(seed + i * 7);
    return out;
}

ArchiveEntry block(uint32_t number, uint32_t flag, std::array<uint32_t, 5> versions, std::vector<unsigned char> data) {
    ArchiveEntry e(std::move(data));
    e.number = number;
    e.flag = flag;
    e.versions = versions;
    return e;
}

ArchiveBytes archive(std::vector<ArchiveEntry> blocks, uint32_t id = 0x6838) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "AIROHAVELMAR v1.3";
    recipe.header_id = id;
    recipe.layout = Layout::long_table;
    recipe.parts = std::move(blocks);
    return test_support::make_archive(recipe);
}

class AirohaRoad : public UpdateWorkerTest {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        UpdateWorkerTest::SetUp();
        controller.mode_ = 6;  // no backup unless a case asks for it
    }
    void TearDown() override {
        UpdateWorkerTest::TearDown();
        sim_.reset();
    }

    void plug(uint16_t pid = 0x6838) {
        headset = std::make_shared<Hs6838Model>();
        sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(pid).servedBy(headset)});
        ASSERT_TRUE(sim_->mocked());
        headset->restartsOn(sim_->testbed(), 0, clock, 8000);
    }

    // The block-write commands the headset took, with the piece length of each write.
    std::vector<std::pair<uint8_t, uint8_t>> blockCommands() const {
        std::vector<std::pair<uint8_t, uint8_t>> out;
        for (const auto& r : headset->requests())
            if (r.format == sim::Format::B) out.emplace_back(r.bytes[2], r.bytes[3]);
        return out;
    }

    std::shared_ptr<Hs6838Model> headset;
    std::unique_ptr<sim::SimHeadset> sim_;
};

TEST_F(AirohaRoad, WritesChangedBlocksInPiecesAndSkipsTheOneAlreadyThere) {
    ASSERT_NO_FATAL_FAILURE(plug());
    controller.mode_ = 5;
    headset->setBlockVersions(0x10, {1, 2, 3, 4, 5});
    headset->setBlockVersions(0x12, {1, 0, 0, 0, 1});
    const auto second = bytes(116, 3), third = bytes(59, 9);
    writeFirmware(archive({block(0x10, 1, {1, 2, 3, 4, 5}, bytes(40, 1)), block(0x11, 0, {}, second),
                           block(0x12, 1, {2, 0, 0, 0, 1}, third)}));
    update::threadMethodUpdate(run);

    EXPECT_EQ(status(), "On updating firmware.");
    EXPECT_TRUE(page.updateFinished);
    EXPECT_TRUE(page.updateSucceeded);
    EXPECT_EQ(page.updateRestoreError, 0);
    EXPECT_EQ(page.updateProcessed, 100);
    EXPECT_EQ(page.addUpdateProcessed, 99);
    EXPECT_EQ(headset->blocks(), (std::vector<std::vector<uint8_t>>{second, third}));
    EXPECT_EQ(headset->restarts(), 2);
    using C = std::pair<uint8_t, uint8_t>;
    EXPECT_EQ(blockCommands(), (std::vector<C>{{0x01, 0x10},                                           // skipped
                                               {0x05, 0}, {0x06, 58}, {0x06, 58}, {0x5B, 0}, {0x08, 0}, {0x0A, 0},
                                               {0x01, 0x12},
                                               {0x05, 0}, {0x06, 58}, {0x06, 1}, {0x5B, 0}, {0x08, 0}, {0x0A, 0}}));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(run.archiveFolder) / "AIROHAVELMAR.qelmarch"));
    EXPECT_EQ(usbhid_slot(0), nullptr) << "HID closed";
}

TEST_F(AirohaRoad, EmptyArchiveEndsAtOnceAsASuccess) {
    ASSERT_NO_FATAL_FAILURE(plug());
    writeFirmware(archive({}));
    update::threadMethodUpdate(run);
    EXPECT_TRUE(page.updateSucceeded);
    EXPECT_EQ(page.updateRestoreError, 0);
    EXPECT_EQ(page.updateProcessed, 100);
    EXPECT_TRUE(blockCommands().empty());
}

struct FaultCase {
    const char* name;
    Hs6838Model::BlockFaults faults;
    sim::Faults transport;
    std::optional<std::vector<uint8_t>> versionAnswer;  // what 0x01 answers for the block
    const char* tag;                                     // nullptr: the block is written
};

Hs6838Model::BlockFaults silent(uint8_t command) {
    Hs6838Model::BlockFaults f;
    f.silentCommand = command;
    return f;
}
Hs6838Model::BlockFaults failing(uint8_t command, uint8_t status = 2) {
    Hs6838Model::BlockFaults f;
    f.failingCommand = command;
    f.failureStatus = status;
    return f;
}
Hs6838Model::BlockFaults wrongCrcAt(int piece) {
    Hs6838Model::BlockFaults f;
    f.wrongCrcAtPiece = piece;
    return f;
}
Hs6838Model::BlockFaults neverBack() {
    Hs6838Model::BlockFaults f;
    f.neverComesBack = true;
    return f;
}
sim::Faults wrongEcho() {
    sim::Faults f;
    f.wrongEcho = true;
    return f;
}

const FaultCase kFaultCases[] = {
    {"VersionQueryUnanswered", silent(0x01), {}, std::nullopt, "[20][ai][7]"},
    {"VersionQueryNamesAnotherCommand", {}, wrongEcho(), std::nullopt, "[20][ai][7]"},
    {"StartRefused", failing(0x05), {}, std::nullopt, "[0][ai][7]"},
    {"PieceUnanswered", silent(0x06), {}, std::nullopt, "[1][ai][7]"},
    {"SecondPieceCrcWrong", wrongCrcAt(1), {}, std::nullopt, "[1][ai][7]_Write CRC Check Fail"},
    {"VerifyFails", failing(0x5B), {}, std::nullopt, "[1][ai][7]_Verify All Fail"},
    {"LoaderRefused", failing(0x08, 3), {}, std::nullopt, "[4][ai][7]"},
    {"NeverComesBack", neverBack(), {}, std::nullopt, "[5][ai][7]"},
    {"ResultUnanswered", silent(0x0A), {}, std::nullopt, "[6][ai][7]"},
    // The probe's second row for 0x01: eight bytes, of which the first five are the versions.
    {"EightByteVersionAnswerIsRead", {}, {}, std::vector<uint8_t>{9, 9, 9, 9, 9, 0, 0, 0}, nullptr},
    {"BusyStatusCountsAsAnswered", failing(0x05, 1), {}, std::nullopt, nullptr},
};

class AirohaFaults : public AirohaRoad, public testing::WithParamInterface<FaultCase> {};

TEST_P(AirohaFaults, EndWithTheTagOfTheFailedStep) {
    const FaultCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug());
    headset->setBlockFaults(c.faults);
    headset->setFaults(c.transport);
    headset->setBlockVersions(7, {1, 0, 0, 0, 0});
    if (c.versionAnswer) headset->setShortAnswer(0x01, 7, sim::Answer{0, *c.versionAnswer});
    const auto data = bytes(70, 5);
    writeFirmware(archive({block(7, 1, {1, 0, 0, 0, 1}, data)}));
    update::threadMethodUpdate(run);

    EXPECT_TRUE(page.updateFinished);
    if (c.tag) {
        EXPECT_FALSE(page.updateSucceeded);
        EXPECT_EQ(page.updateRestoreError, update::kEndFailed);
        EXPECT_EQ(status(), std::string("Failed to restore firmware. Cannot get status") + c.tag);
        EXPECT_EQ(page.updateStatus(12).substr(page.updateStatus(12).size() - std::strlen(c.tag)), c.tag);
        EXPECT_EQ(usbhid_slot(0), nullptr) << "HID closed";
    } else {
        EXPECT_TRUE(page.updateSucceeded);
        EXPECT_EQ(headset->blocks(), std::vector<std::vector<uint8_t>>{data});
    }
}

INSTANTIATE_TEST_SUITE_P(Worker, AirohaFaults, testing::ValuesIn(kFaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AirohaRoad, ReconnectionPollGivesUpAfter300Passes) {
    ASSERT_NO_FATAL_FAILURE(plug());
    headset->setBlockFaults(neverBack());
    writeFirmware(archive({block(7, 0, {}, bytes(10, 1))}));
    const int64_t start = clock.nowMs();
    update::threadMethodUpdate(run);
    EXPECT_EQ(status(), "Failed to restore firmware. Cannot get status[5][ai][7]");
    // 6 s after the loader, then 300 one-second passes, then the success end's second is not slept.
    EXPECT_GE(clock.nowMs() - start, 6000 + 300 * 1000);
    EXPECT_LT(clock.nowMs() - start, 6000 + 302 * 1000);
}

TEST_F(AirohaRoad, AnotherHeadsetThanTheRecognizedOneEndsWithCode2) {
    ASSERT_NO_FATAL_FAILURE(plug());
    controller.usb = 0x6839;
    writeFirmware(archive({block(7, 0, {}, bytes(10, 1))}));
    update::threadMethodUpdate(run);
    EXPECT_EQ(page.updateRestoreError, update::kEndNotRecognizedDevice);
    EXPECT_EQ(status(), "Failed to restore firmware. Not the recognized device");
    EXPECT_TRUE(blockCommands().empty());
    EXPECT_EQ(usbhid_slot(0), nullptr);
}

TEST_F(AirohaRoad, DamagedArchivesEndWithCode3AndNothingSent) {
    const auto good = archive({block(7, 0, {}, bytes(30, 1)), block(8, 0, {}, bytes(20, 2))});
    const uint32_t size = static_cast<uint32_t>(good.size());
    const uint32_t lastOffset = size - 20;
    // 0x6806's archives are checked on their short table only; the records it reads are checked
    // by the family.
    auto recordsOnly = [](ArchiveBytes a, uint32_t offset, uint32_t length) {
        test_support::put32(a, test_support::blockRecordAt(2, 1) + 8, offset);
        test_support::put32(a, test_support::blockRecordAt(2, 1) + 12, length);
        return a;
    };
    struct Case {
        const char* what;
        ArchiveBytes file;
        uint16_t model;
        bool passes;
    };
    const Case cases[] = {
        {"another header id", test_support::with_header_id(good, 0x6839), 0x6838, false},
        {"bad digest", test_support::with_bad_md5(good, 2, 1, Layout::long_table), 0x6838, false},
        {"last block one byte past the end", test_support::with_bounds(good, 2, 1, Layout::long_table, lastOffset, 21),
         0x6838, false},
        {"count above the records", test_support::with_count(good, 3), 0x6838, false},
        {"0x6806 record one byte past the end", recordsOnly(archive({block(7, 0, {}, bytes(30, 1)),
                                                                      block(8, 0, {}, bytes(20, 2))}, 0x6806),
                                                             lastOffset, 21),
         0x6806, false},
        {"0x6806 record ending at the end", recordsOnly(archive({block(7, 0, {}, bytes(30, 1)),
                                                                  block(8, 0, {}, bytes(20, 2))}, 0x6806),
                                                         lastOffset, 20),
         0x6806, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug(c.model));
        controller.target = controller.usb = c.model;
        run.openHeadset = openAnyHeadset;
        writeFirmware(c.file);
        update::UpdatePageFields fresh;
        update::UpdateRun one{controller, fresh};
        one.firmwareFile = run.firmwareFile;
        one.openHeadset = openAnyHeadset;
        update::threadMethodUpdate(one);
        EXPECT_TRUE(fresh.updateFinished);
        if (c.passes) {
            EXPECT_TRUE(fresh.updateSucceeded);
        } else {
            EXPECT_EQ(fresh.updateRestoreError, update::kEndFirmwareFileFailed);
            EXPECT_EQ(fresh.updateStatus(0), "Failed to restore firmware. Firmware corrupted");
            EXPECT_TRUE(blockCommands().empty());
        }
        usbhid_close_all();
        sim_.reset();
    }
}

}  // namespace
