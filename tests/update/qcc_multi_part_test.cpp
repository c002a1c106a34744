// The multi-part QCC road of 0x6042 on the simulated headset through the program's own opener:
// every part of the table through the QCC image write with its type, a restart after each, and
// each step's failure by its tag.
#include "QccRoadFixture.h"

namespace qcc {
namespace {

using sim::Hs6042Model;

class QccMultiPart : public QccRoadTest {};

TEST_F(QccMultiPart, EveryPartGoesWithItsTypeAndTheHeadsetRestartsAfterEach) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6042));
    controller.mode_ = 5;
    sim::Faults busy;
    busy.busyReplies = 2;  // every chunk acknowledged after two busy reports
    headset->setFaults(busy);
    writeFirmware(qccArchive(0x6042, {{0x11, 1019}, {0x22, 1020}, {0x33, 2 * 1019}}));
    update::threadMethodUpdate(run);

    expectSucceeded();
    EXPECT_EQ(page.addUpdateProcessed, 99);
    EXPECT_EQ(headset->restarts(), 3);
    EXPECT_EQ(headset->parts(), (std::vector<Hs6042Model::Part>{{0x11, qccBytes(1019, 1), true, true},
                                                               {0x22, qccBytes(1020, 2), true, true},
                                                               {0x33, qccBytes(2038, 3), true, true}}));
    EXPECT_EQ(headset->chunks(), (std::vector<std::pair<uint8_t, size_t>>{
                                     {0x0E, 1019}, {0x06, 1019}, {0x0E, 1}, {0x06, 1019}, {0x0E, 1019}}));
    EXPECT_EQ(headset->commands(), (std::vector<uint8_t>{0x05, 0x0E, 0x07, 0x08, 0x0A,              //
                                                         0x05, 0x06, 0x0E, 0x07, 0x08, 0x0A,        //
                                                         0x05, 0x06, 0x0E, 0x07, 0x08, 0x0A}));
    // Bytes after a short chunk's data are zero.
    for (const auto& r : headset->requests()) {
        if (r.bytes[1] == 0x0E && r.bytes[3] == 1) {
            EXPECT_EQ(r.bytes[5], 0);
        }
    }
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(run.archiveFolder) / "QCC_VELMAR.qelmarch"))
        << "backup in mode 5";
}

TEST_F(QccMultiPart, NoPartsAndAnEmptyPart) {
    struct Case {
        const char* name;
        std::vector<QccPart> parts;
        std::vector<uint8_t> commands;
    } cases[] = {
        {"no parts", {}, {}},
        {"a part of length 0", {{0x44, 0}}, {0x05, 0x07, 0x08, 0x0A}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plug(0x6042));
        writeFirmware(qccArchive(0x6042, c.parts));
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(headset->commands(), c.commands);
        EXPECT_TRUE(headset->chunks().empty());
        nextCase();
    }
}

TEST_F(QccMultiPart, EachStepFailsWithItsTag) {
    struct Case {
        const char* name;
        Hs6042Model::Behaviour behaviour;
        const char* tag;
        int restarts;
    };
    auto refusing = [](uint8_t command) {
        Hs6042Model::Behaviour b;
        b.refused = {command};
        return b;
    };
    Hs6042Model::Behaviour sendFails, waitFails, gone;
    sendFails.faultsAtChunk = 0;
    sendFails.chunkFaults.writeFails = true;
    waitFails.faultsAtChunk = 1;
    waitFails.chunkFaults.busyForever = true;
    gone.neverComesBack = true;
    const Case cases[] = {
        {"start", refusing(0x05), "[E]", 0},
        {"chunk send", sendFails, "[B][1]", 0},
        {"chunk busy for ever", waitFails, "[B][2]", 0},
        {"end", refusing(0x07), "[V]", 0},
        {"loader", refusing(0x08), "[R]", 0},
        {"never back", gone, "[B][5]", 1},
        {"confirm", refusing(0x0A), "[D]", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plug(0x6042, c.behaviour));
        // A busy device is re-read without sleeping: the virtual clock never spends a budget.
        transport::busyLimitMs = 0;
        writeFirmware(qccArchive(0x6042, {{1, 3000}, {2, 10}}));
        update::threadMethodUpdate(run);
        expectFailed(1, std::string("Failed to restore firmware. Cannot get status") + c.tag);
        EXPECT_EQ(headset->restarts(), c.restarts);
        EXPECT_EQ(headset->count(0x05), 1) << "the second part is never started";
        nextCase();
    }
}

TEST_F(QccMultiPart, AHeadsetGoneBeforeTheFirstPartEndsWithCannotGetStatus) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6042));
    writeFirmware(qccArchive(0x6042, {{1, 10}}));
    clock.after(1000, [this] { sim_->testbed().leaveBus(0); });
    const int64_t start = clock.nowMs();
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Cannot get status");
    EXPECT_EQ(headset->count(0x05), 0);
    EXPECT_GE(clock.nowMs() - start, 2000 + 300 * 1000) << "the reconnection poll's bound";
}

TEST_F(QccMultiPart, ATableEntryOutsideTheFileIsACorruptedFirmware) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6042));
    // The short table's entry points outside; the long table, which the loader checks, is sound.
    auto archive = qccArchive(0x6042, {{1, 10}});
    test_support::put32(archive, test_support::partEntryAt(0) + 12, 0x10000);
    writeFirmware(archive);
    update::threadMethodUpdate(run);
    expectFailed(3, "Failed to restore firmware. Firmware corrupted");
    EXPECT_EQ(headset->count(0x05), 0);
}

}  // namespace
}  // namespace qcc
