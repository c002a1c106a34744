// The Airoha family with typed blocks (0x6A01) on the simulated bus: the headset's short-report
// block write with exact reply lengths and time-outs, the QCC chip's version over its own device
// (0x33F0) for blocks of type 3, no skip, no backup, each step's failure by its tag.
#include "AnyHeadsetOpener.h"
#include "UpdateWorkerFixture.h"
#include "sim/BlockHeadsetModel.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"

namespace {

using sim::Hs6838Model;

std::vector<unsigned char> typedBytes(size_t n, unsigned char seed) {
    std::vector<unsigned char> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(seed + i * 11);
    return out;
}

struct TypedBlock {
    uint32_t type;
    size_t length;
};

test_support::ArchiveBytes typedArchive(const std::vector<TypedBlock>& blocks) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "QUORRA";
    recipe.header_id = 0x6A01;
    recipe.layout = test_support::Layout::long_table;
    recipe.parts.clear();
    unsigned char seed = 1;
    for (const TypedBlock& b : blocks) {
        test_support::ArchiveEntry e(typedBytes(b.length, seed++));
        e.number = b.type;
        e.flag = 1;  // the block id: never a reason to skip here
        e.versions = {1, 2, 3, 4, 5};
        recipe.parts.push_back(std::move(e));
    }
    return test_support::make_archive(recipe);
}

class AirohaTypedBlocks : public UpdateWorkerTest {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        UpdateWorkerTest::SetUp();
        controller.target = controller.usb = 0x6A01;
        run.record.setDeviceRecognized(0x6A01);
        run.openHeadset = openHeadsetOf<0x6A01>;
        headset = std::make_shared<Hs6838Model>();
        for (uint8_t type : {1, 3, 5}) headset->setBlockVersions(type, {1, 2, 3, 4, 5});  // the same: written anyway
        qcc = std::make_shared<sim::BlockHeadsetModel>();
        qcc->setVersion({4, 1, 0, 2});
        sim_ = std::make_unique<sim::SimHeadset>(
            std::vector<sim::HidInterface>{sim::hid(0x6A01).servedBy(headset), sim::hid(0x33F0).servedBy(qcc)});
        ASSERT_TRUE(sim_->mocked());
        headset->restartsOn(sim_->testbed(), 0, clock, 8000);
    }
    void TearDown() override {
        UpdateWorkerTest::TearDown();
        sim_.reset();
    }

    // A table's next case: events still due (a headset coming back) run on this case's bus first.
    void nextCase() {
        clock.sleepMs(600000);
        TearDown();
        SetUp();
    }

    std::vector<std::pair<uint8_t, uint8_t>> shortCommands() const {
        std::vector<std::pair<uint8_t, uint8_t>> out;
        for (const auto& r : headset->requests())
            if (r.format == sim::Format::B) out.emplace_back(r.bytes[2], r.bytes[3]);
        return out;
    }

    std::shared_ptr<Hs6838Model> headset;
    std::shared_ptr<sim::BlockHeadsetModel> qcc;
    std::unique_ptr<sim::SimHeadset> sim_;
};

TEST_F(AirohaTypedBlocks, EveryBlockIsWrittenTheQccOneAskedOverItsOwnDevice) {
    controller.mode_ = 5;
    writeFirmware(typedArchive({{1, 59}, {3, 58}}));
    update::threadMethodUpdate(run);

    EXPECT_TRUE(page.updateFinished);
    EXPECT_TRUE(page.updateSucceeded) << status();
    EXPECT_EQ(page.updateRestoreError, 0);
    EXPECT_EQ(page.updateProcessed, 100);
    EXPECT_EQ(headset->blocks(), (std::vector<std::vector<uint8_t>>{typedBytes(59, 1), typedBytes(58, 2)}));
    EXPECT_EQ(headset->restarts(), 2);
    using C = std::pair<uint8_t, uint8_t>;
    EXPECT_EQ(shortCommands(), (std::vector<C>{{0x01, 1}, {0x05, 1}, {0x06, 58}, {0x06, 1}, {0x5B, 0}, {0x08, 1}, {0x0A, 0},
                                               {0x05, 3}, {0x06, 58}, {0x5B, 0}, {0x08, 3}, {0x0A, 0}}));
    ASSERT_EQ(qcc->requests().size(), 1u) << "type 3's version over the QCC chip's device";
    EXPECT_EQ(qcc->requests()[0].format, sim::Format::A);
    EXPECT_EQ(qcc->requests()[0].bytes[1], 0x01);
    EXPECT_FALSE(std::filesystem::exists(run.archiveFolder)) << "no backup";
    EXPECT_EQ(usbhid_slot(0), nullptr);
}

TEST_F(AirohaTypedBlocks, EachStepFailsWithItsTagAndTheBlockType) {
    struct Case {
        const char* name;
        Hs6838Model::BlockFaults faults;
        bool qccSilent;
        const char* status;
    };
    auto silent = [](uint8_t command) {
        Hs6838Model::BlockFaults f;
        f.silentCommand = command;
        return f;
    };
    auto failing = [](uint8_t command) {
        Hs6838Model::BlockFaults f;
        f.failingCommand = command;
        return f;
    };
    Hs6838Model::BlockFaults wrongCrc, gone;
    wrongCrc.wrongCrcAtPiece = 0;
    gone.neverComesBack = true;
    const Case cases[] = {
        {"QCC version unanswered", {}, true, "Cannot get status[60][qccver][3]"},
        {"version refused", failing(0x01), false, "Cannot get status[60][vertion][5]"},
        {"erase refused", failing(0x05), false, "Cannot get status[60][erase][5]"},
        {"piece unanswered", silent(0x06), false, "Cannot get status[60][read][5]"},
        {"piece CRC wrong", wrongCrc, false, "Cannot get status[60][crc][5]_Write CRC Check Fail"},
        {"verify refused", failing(0x5B), false, "Cannot get status[60][verify][5]_Verify All Fail"},
        {"run loader not answered within 500 ms", silent(0x08), false, "Cannot get status[60][runloader][5]"},
        {"never back", gone, false, "Cannot get status[60][open][5]"},
        {"result refused", failing(0x0A), false, "Cannot get status[60][dfu][5]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headset->setBlockFaults(c.faults);
        if (c.qccSilent) {
            sim::Faults f;
            f.silent = true;
            qcc->setFaults(f);
        }
        writeFirmware(typedArchive({{c.qccSilent ? 3u : 5u, 70}}));
        update::threadMethodUpdate(run);
        EXPECT_TRUE(page.updateFinished);
        EXPECT_FALSE(page.updateSucceeded);
        EXPECT_EQ(page.updateRestoreError, 1);
        EXPECT_EQ(status(), std::string("Failed to update firmware. ") + c.status);
        EXPECT_EQ(usbhid_slot(0), nullptr);
        nextCase();
    }
}

}  // namespace
