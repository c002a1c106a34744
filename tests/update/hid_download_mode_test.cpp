// The HID part download with the download-mode switch (0x6010 and its siblings) end to end on the
// simulated headset: the switch and reopen, the version check, the parts in chunks, the ready
// poll, the finish and the wait for the restarted headset; and every part-download family ending
// at the program's own open.
#include "PartDownloadFixture.h"

namespace part_download {
namespace {

using sim::PartDownloadHeadset;

class DownloadMode : public PartDownloadTest {
  protected:
    DownloadMode() { requestBytes = sim::RequestBytes::carried; }
};

TEST_F(DownloadMode, WritesEveryPartInChunksAndFinishes) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6010));
    controller.mode_ = 5;
    PartDownloadHeadset::Behaviour b;
    b.notReadyPolls = 3;
    headset->setBehaviour(b);
    writeFirmware(container(0x6010, {{1, 0x21, 1019}, {0, 0x22, 1020}, {2, 0x23, 0}}));
    update::threadMethodUpdate(run);

    expectSucceeded();
    EXPECT_EQ(page.addUpdateProcessed, 100);
    const auto parts = headset->parts();
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0], (PartDownloadHeadset::Part{0x21, partBytes(1019, 1), true}));
    EXPECT_EQ(parts[1], (PartDownloadHeadset::Part{0x22, partBytes(1020, 2), true}));
    EXPECT_EQ(parts[2], (PartDownloadHeadset::Part{0x23, {}, true}));
    // 0x0E, then after the reopen: version, 1 + 2 + 0 chunks, 4 polls, the finish.
    EXPECT_EQ(headset->commands(),
              (std::vector<uint8_t>{0x0E, 0x01, 0x05, 0x06, 0x07, 0x05, 0x06, 0x06, 0x07, 0x05, 0x07, 0x0D, 0x0D,
                                    0x0D, 0x0D, 0x08}));
    // The second chunk of 1020 bytes is one byte long, big-endian.
    const auto requests = headset->requests();
    std::vector<std::pair<uint8_t, uint8_t>> lengths;
    for (const auto& r : requests)
        if (r.bytes[1] == 0x06) lengths.emplace_back(r.bytes[2], r.bytes[3]);
    EXPECT_EQ(lengths, (std::vector<std::pair<uint8_t, uint8_t>>{{0x03, 0xFB}, {0x03, 0xFB}, {0x00, 0x01}}));
}

// A stop (the program's shutdown) while the headset is away in its download mode is a stop,
// not a headset that failed to come back.
TEST_F(DownloadMode, AStopDuringTheReopenWaitEndsWithCode1) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6010));
    writeFirmware(container(0x6010, {{0, 0x21, 10}}));
    headset->onRequest = [this](sim::Format, const std::vector<uint8_t>& request) {
        if (request[1] == 0x0E) clock.after(1000, [this] { page.stopRequested = true; });
    };
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware");
    EXPECT_EQ(headset->count(0x01), 0);
    EXPECT_TRUE(headset->parts().empty());
}

TEST_F(DownloadMode, PartsOfTypeOneNeverFinishAndNoPartsGoStraightToThePoll) {
    for (bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "no parts" : "type 1 only");
        ASSERT_NO_FATAL_FAILURE(plug(0x5410));
        writeFirmware(container(0x5410, empty ? std::vector<PartSpec>{} : std::vector<PartSpec>{{1, 7, 10}, {3, 8, 5}}));
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(headset->count(0x08), 0);
        EXPECT_EQ(headset->count(0x0D), 1);
        EXPECT_EQ(headset->count(0x05), empty ? 0 : 2);
        TearDown();
        SetUp();
    }
}

TEST_F(DownloadMode, AFailedVersionReadCountsAsOneZero) {
    for (int recordMajor : {1, 2}) {
        SCOPED_TRACE(recordMajor);
        ASSERT_NO_FATAL_FAILURE(plug(0x6012));
        headset->setAnswer(sim::Format::A, 0x01, sim::Answer{2, {}});
        run.record.setDeviceVersionMajor(recordMajor);
        run.record.setDeviceVersionMinor(0);
        writeFirmware(container(0x6012, {{0, 1, 4}}));
        update::threadMethodUpdate(run);
        if (recordMajor == 1)
            expectSucceeded();
        else
            expectFailed(2, "Failed to restore firmware. Not the recognized device");
        TearDown();
        SetUp();
    }
}

TEST_F(DownloadMode, ARefusedChunkEndsWithCannotGetStatus) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6014));
    PartDownloadHeadset::Behaviour b;
    b.refusedChunk = 1;
    headset->setBehaviour(b);
    writeFirmware(container(0x6014, {{0, 1, 2000}}));
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Cannot get status");
    EXPECT_EQ(headset->count(0x07), 0);
}

TEST_F(DownloadMode, AHeadsetThatNeverComesBackEndsAfter300Passes) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6016));
    PartDownloadHeadset::Behaviour b;
    b.neverComesBack = true;
    headset->setBehaviour(b);
    writeFirmware(container(0x6016, {{0, 1, 3}}));
    const int64_t start = clock.nowMs();
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Cannot get status");
    EXPECT_GE(clock.nowMs() - start, 60000 + 300 * 1000);
}

TEST_F(DownloadMode, AHeadsetNeverReadyEndsAfter300Polls) {
    ASSERT_NO_FATAL_FAILURE(plug(0x6018));
    PartDownloadHeadset::Behaviour b;
    b.refused = {0x0D};
    headset->setBehaviour(b);
    writeFirmware(container(0x6018, {{0, 1, 3}}));
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Cannot get status");
    EXPECT_EQ(headset->count(0x0D), 300);
    EXPECT_EQ(headset->count(0x08), 0);
}

// The program's own open passes these families over: each ends at its first open.
TEST_F(DownloadMode, TheProgramsOpenRefusesEveryPartDownloadFamily) {
    for (uint16_t pid : {0x6010, 0x5520, 0x4310, 0x4210}) {
        SCOPED_TRACE(pid);
        ASSERT_NO_FATAL_FAILURE(plug(pid, pid == 0x4310 || pid == 0x4210));
        run.openHeadset = usbhid_open_headset;
        writeFirmware(container(pid, {{0, 1, 3}}));
        update::threadMethodUpdate(run);
        expectFailed(2, "Failed to restore firmware. Not the recognized device");
        EXPECT_TRUE(headset->requests().empty());
        TearDown();
        SetUp();
    }
}

}  // namespace
}  // namespace part_download
