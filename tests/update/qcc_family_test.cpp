// The QCC family over format A on the simulated headset (through the any-headset opener): the
// groups and language packs as data, the pack fetched from the loopback server and written before
// the firmware, group A's waits with their boxes, and the failures of the pack and of the write.
#include <cstdlib>

#include "QccRoadFixture.h"
#include "platform/Servers.h"
#include "sim/TimedEvents.h"
#include "tests_support/LoopbackServer.h"
#include "update/QccFamily.h"
#include "update/QccImageWrite.h"

namespace qcc {
namespace {

using sim::Hs6042Model;
using test_support::LoopbackServer;

test_support::ArchiveBytes packImage(size_t length) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "LANGUAGEPACK";
    recipe.parts = {test_support::ArchiveEntry(qccBytes(length, 9))};
    return test_support::make_archive(recipe);
}

std::string text(const test_support::ArchiveBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(QccFamilyTables, GroupsAndTheMainServerForPacks) {
    const update::DispatchRow* row = nullptr;
    for (const auto& r : update::dispatchTable())
        if (r.family == update::Family::qccLanguagePacks) row = &r;
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->codes.size(), 46u);
    std::vector<int32_t> groupA;
    for (int32_t code : row->codes)
        if (update::qccGroupOf(code) == update::QccGroup::A) groupA.push_back(code);
    EXPECT_EQ(groupA, (std::vector<int32_t>{0x4D16, 0x4D06, 0x4D76, 0x4D86}));
    for (int32_t code : {0x3340, 0x3341, 0x3420, 0x3430}) {
        ASSERT_NE(update::languagePackOf(code), nullptr);
        EXPECT_EQ(update::qccGroupOf(code), update::QccGroup::B);
    }

    unsetenv("VELMAR_SERVER_BASE");
    setenv("TZ", "Asia/Shanghai", 1);
    EXPECT_EQ(update::languagePackAddress("celvar3-v1.3-build0-lp1.img"),
              platform::mainServerBase() + "celvar3-v1.3-build0-lp1.img");
    EXPECT_NE(platform::mirrorServerBase(), platform::mainServerBase());
    unsetenv("TZ");
}

class QccFamily : public QccRoadTest {
  protected:
    void SetUp() override {
        QccRoadTest::SetUp();
        if (IsSkipped()) return;
        setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("VELMAR_SERVER_BASE");
        update::confirmFirstReplyMs = update::kDefaultConfirmFirstReplyMs;
        QccRoadTest::TearDown();
    }
    void version(int major, int minor) {
        run.record.setDeviceVersionMajor(major);
        run.record.setDeviceVersionMinor(minor);
    }

    LoopbackServer server;
};

TEST_F(QccFamily, LanguagePackModelsOnOlderFirmwareTakeTheirPackFirst) {
    struct Case {
        uint16_t model;
        int major, minor;
        size_t popUpItems;
        int32_t selected;
        const char* pack;  // nullptr: none
    } cases[] = {
        {0x3420, 1, 1, 12, 10, "CELVAR6R-v1.2-build0-lp2.img"},
        {0x3420, 1, 1, 12, 9, "CELVAR6R-v1.2-build0-lp1.img"},
        {0x3420, 1, 1, 0, 10, "CELVAR6R-v1.2-build0-lp1.img"},
        {0x3430, 0, 9, 12, 11, "CELVAR7R-v1.2-build0-lp2.img"},
        {0x3340, 1, 2, 3, 0, "celvar3-v1.3-build0-lp1.img"},
        {0x3341, 1, 2, 12, 12, "celvar3hd-v1.3-build0-lp2.img"},
        {0x3420, 1, 2, 12, 10, nullptr},
        {0x3341, 1, 3, 12, 10, nullptr},
        {0x3085, 1, 0, 12, 10, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.model << " " << c.major << "." << c.minor << " #" << c.selected);
        ASSERT_NO_FATAL_FAILURE(plug(c.model));
        controller.mode_ = 5;
        version(c.major, c.minor);
        run.languageFirmware.assign(c.popUpItems, "English");
        run.languageFirmwareSelected = c.selected;
        if (c.pack) server.put(c.pack, text(packImage(1019)));
        const int requestsBefore = server.requests();
        writeFirmware(qccArchive(c.model, {{0, 1020}}));
        update::threadMethodUpdate(run);

        expectSucceeded();
        EXPECT_EQ(server.requests() - requestsBefore, c.pack ? 1 : 0);
        std::vector<Hs6042Model::Part> expected;
        std::vector<std::pair<uint8_t, size_t>> chunks;
        if (c.pack) {
            expected.push_back({0, qccBytes(1019, 9), true, true});
            chunks.emplace_back(0x0E, 1019);
        }
        expected.push_back({0, qccBytes(1020, 1), true, true});
        chunks.insert(chunks.end(), {{0x06, 1019}, {0x0E, 1}});
        EXPECT_EQ(headset->parts(), expected);
        EXPECT_EQ(headset->chunks(), chunks);
        std::vector<uint8_t> commands = {0x13, 0x05, 0x0E, 0x07, 0x08, 0x0A};
        if (!c.pack) commands = {0x13, 0x05, 0x06, 0x0E, 0x07, 0x08, 0x0A};
        else commands.insert(commands.end(), {0x13, 0x05, 0x06, 0x0E, 0x07, 0x08, 0x0A});
        EXPECT_EQ(headset->commands(), commands);
        EXPECT_EQ(headset->restarts(), c.pack ? 2 : 1);
        EXPECT_TRUE(controller.boxes.empty()) << "group B opens no box";
        nextCase();
    }
}

TEST_F(QccFamily, GroupAWaitsWithItsBoxesAroundBothPolls) {
    struct Case {
        const char* name;
        std::map<uint8_t, int> notReady;
        const char* failure;  // nullptr: success
        int readyPolls, donePolls;
    } cases[] = {
        {"ready after a while", {{0x0D, 3}, {0x12, 2}}, nullptr, 4, 3},
        {"never ready", {{0x0D, 1000}, {0x12, 0}}, "Failed to restore firmware. Cannot get status", 300, 0},
        {"never done", {{0x0D, 0}, {0x12, 1000}}, "Failed to restore firmware. Cannot get status[B][7]", 1, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hs6042Model::Behaviour b;
        b.notReady = c.notReady;
        ASSERT_NO_FATAL_FAILURE(plug(0x4D16, b));
        controller.neverAnswer = true;  // instruction boxes have no button
        writeFirmware(qccArchive(0x4D16, {{0, 100}}));
        update::threadMethodUpdate(run);

        if (c.failure)
            expectFailed(1, c.failure);
        else
            expectSucceeded();
        EXPECT_EQ(headset->count(0x0D), c.readyPolls);
        EXPECT_EQ(headset->count(0x12), c.donePolls);
        const size_t boxes = c.donePolls ? 2 : 1;
        ASSERT_EQ(controller.boxes.size(), boxes);
        EXPECT_EQ(controller.boxes[0].message, "re-plug");
        if (boxes == 2) {
            EXPECT_EQ(controller.boxes[1].message, "switch off and on");
        }
        for (const auto& box : controller.boxes) {
            EXPECT_TRUE(box.warning);
            EXPECT_FALSE(box.cancel || box.ok);
            EXPECT_EQ(box.size, 0);
            EXPECT_EQ(box.forWhat, 1);
        }
        EXPECT_EQ(controller.closedBoxes, static_cast<int>(boxes));
        EXPECT_FALSE(page.openedMessageBox);
        nextCase();
    }
}

TEST_F(QccFamily, PackFailuresAndAFailureAfterThePackStayFailures) {
    const char* pack = "CELVAR6R-v1.2-build0-lp1.img";
    struct Case {
        const char* name;
        std::optional<test_support::ArchiveBytes> served;  // none: 404
        int refusedChunk;
        const char* status;
        int parts;
        bool endless = false;  // served over and over, without end
    } cases[] = {
        {"not found", std::nullopt, -1, "Failed to restore firmware. Cannot download firmware", 0},
        // Ends at the pack's cap (lowered here from the firmware files' 64 MB) as a broken
        // connection does.
        {"endless", packImage(10), -1, "Failed to restore firmware. Cannot download firmware", 0, true},
        {"too short for its part", test_support::ArchiveBytes(51, 0), -1,
         "Failed to restore firmware. Firmware corrupted", 0},
        {"part outside the pack", test_support::with_bounds(packImage(10), 1, 0, test_support::Layout::short_table, 60, 100),
         -1, "Failed to restore firmware. Firmware corrupted", 0},
        {"firmware chunk refused after the pack", packImage(10), 1, "Failed to restore firmware. Cannot get status[B][2]", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hs6042Model::Behaviour b;
        b.refusedChunk = c.refusedChunk;
        ASSERT_NO_FATAL_FAILURE(plug(0x3420, b));
        version(1, 1);
        if (c.served)
            server.put(pack, text(*c.served), c.endless ? LoopbackServer::Fault::Endless : LoopbackServer::Fault::None);
        page.firmwareByteCap = c.endless ? 64u << 10 : platform::kLargeFileCap;
        writeFirmware(qccArchive(0x3420, {{0, 10}}));
        update::threadMethodUpdate(run);

        expectFailed(1, c.status);
        EXPECT_LT(server.endlessBytesSent(), (64u << 10) + (32u << 20));
        EXPECT_NE(page.updateProcessed, 100);
        EXPECT_EQ(headset->parts().size(), static_cast<size_t>(c.parts));
        nextCase();
    }
}

// The confirmation after the restart waits at most 5 seconds for its first reply on these models;
// others wait as long as any exchange. Real time, as the host waits in a read: the limit runs
// here at a tenth, and the same late reply fails only where it is timed.
TEST_F(QccFamily, ALateConfirmationFailsOnlyWhereItIsTimed) {
    EXPECT_EQ(update::confirmFirstReplyMs.load(), 5000) << "the program's limit";
    struct Case {
        uint16_t model;
        int64_t lateMs;
        const char* failure;
    } cases[] = {
        {0x3420, 1000, "Failed to restore firmware. Cannot get status[OB][6]"},
        {0x3085, 1000, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        auto late = std::make_unique<sim::RealTimeScheduler>();
        Hs6042Model::Behaviour b;
        b.confirmLateMs = c.lateMs;
        ASSERT_NO_FATAL_FAILURE(plug(c.model, b));
        headset->restartsOn(sim_->testbed(), 0, clock, late.get());
        transport::silenceLimitMs = 3000;
        update::confirmFirstReplyMs = update::kDefaultConfirmFirstReplyMs / 10;
        version(1, 2);
        writeFirmware(qccArchive(c.model, {{0, 10}}));
        update::threadMethodUpdate(run);
        if (c.failure)
            expectFailed(1, c.failure);
        else
            expectSucceeded();
        late.reset();  // a reply still due is dropped while its bus exists
        nextCase();
    }
}

}  // namespace
}  // namespace qcc

namespace qcc {
namespace {

// The program's own open takes only 0x6838 and 0x6042: these families end at their first open.
TEST_F(QccRoadTest, TheProgramsOpenRefusesTheOtherQccFamilies) {
    for (uint16_t pid : {0x3420, 0x4D16, 0x5630, 0x6A01}) {
        SCOPED_TRACE(testing::Message() << std::hex << pid);
        ASSERT_NO_FATAL_FAILURE(plug(pid));
        run.openHeadset = usbhid_open_headset;
        writeFirmware(qccArchive(pid, {{0, 10}, {0, 10}, {0, 10}}));
        update::threadMethodUpdate(run);
        expectFailed(2, "Failed to restore firmware. Not the recognized device");
        EXPECT_TRUE(headset->requests().empty());
        nextCase();
    }
}

}  // namespace
}  // namespace qcc
