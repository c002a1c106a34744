// The two-chip headsets end to end: parts routed to the chip on slot 0 or slot 1 by their type
// (long table) or target (0x4210's short table), each chip's loader started only when a part asked
// for it, both chips' versions checked, and 0x4210's downgrade guard by the file name.
#include "PartDownloadFixture.h"
#include "update/TwoChipUpdate.h"

namespace part_download {
namespace {

using sim::PartDownloadHeadset;
using test_support::Layout;

class TwoChip : public PartDownloadTest {
  protected:
    // The guard model's chips take the QCC image write's zero-filled requests; the two-chip part
    // download keeps one buffer for every command.
    void plug(uint16_t pid, bool twoChips = false) {
        requestBytes = pid == 0x4210 ? sim::RequestBytes::zeroFilled : sim::RequestBytes::carried;
        PartDownloadTest::plug(pid, twoChips);
    }
    std::vector<uint8_t> targets(const PartDownloadHeadset& chip) const {
        std::vector<uint8_t> out;
        for (const auto& p : chip.parts()) out.push_back(p.target);
        return out;
    }
};

struct RouteCase {
    const char* name;
    std::vector<PartSpec> parts;
    std::vector<uint8_t> first, second;  // the targets each chip took
    int firstLoader, secondLoader;       // 0x08 on each chip
};

const RouteCase kRoutes[] = {
    {"AllFourTypes", {{0, 1, 5}, {1, 2, 1020}, {2, 3, 0}, {7, 4, 9}}, {1, 3}, {2, 4}, 1, 1},
    {"OnlyTypeTwo", {{2, 1, 5}, {2, 2, 5}}, {1, 2}, {}, 0, 0},
    {"TypeOneWithoutTypeZero", {{1, 5, 5}, {2, 6, 5}}, {6}, {5}, 0, 1},
    {"NoParts", {}, {}, {}, 0, 0},
};

class TwoChipRoutes : public TwoChip, public testing::WithParamInterface<RouteCase> {};

TEST_P(TwoChipRoutes, RoutePartsAndStartTheLoadersAskedFor) {
    for (uint16_t model : {0x4310, 0x4210}) {
        SCOPED_TRACE(model);
        const RouteCase& c = GetParam();
        ASSERT_NO_FATAL_FAILURE(plug(model, true));
        writeFirmware(container(model, c.parts, model == 0x4210 ? Layout::short_table : Layout::long_table));
        const int64_t start = clock.nowMs();
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(page.addUpdateProcessed, 99);
        EXPECT_EQ(targets(*headset), c.first);
        EXPECT_EQ(targets(*second), c.second);
        EXPECT_EQ(headset->count(0x08), c.firstLoader);
        EXPECT_EQ(second->count(0x08), c.secondLoader);
        EXPECT_EQ(headset->count(0x0E) + second->count(0x0E) + headset->count(0x0D), 0);
        if (c.parts.empty()) {
            EXPECT_GE(clock.nowMs() - start, 5000 + 1000);
        }
        TearDown();
        SetUp();
    }
}

INSTANTIATE_TEST_SUITE_P(Worker, TwoChipRoutes, testing::ValuesIn(kRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TwoChip, TheSecondChipsVersionCountsAsOneZeroWhenItsReadFails) {
    for (int recordMajor : {1, 2}) {
        SCOPED_TRACE(recordMajor);
        ASSERT_NO_FATAL_FAILURE(plug(0x4510, true));
        second->setAnswer(sim::Format::A, 0x01, sim::Answer{2, {}});
        run.record.setDeviceVersionMajor02(recordMajor);
        run.record.setDeviceVersionMinor02(0);
        writeFirmware(container(0x4510, {{0, 1, 5}}));
        update::threadMethodUpdate(run);
        if (recordMajor == 1)
            expectSucceeded();
        else
            expectFailed(2, "Failed to restore firmware. Not the recognized device");
        TearDown();
        SetUp();
    }
}

TEST_F(TwoChip, ALongTableEntryPastTheEndFailsBeforeAnythingIsSent) {
    ASSERT_NO_FATAL_FAILURE(plug(0x2030, true));
    auto bytes = container(0x2030, {{0, 1, 5}, {1, 2, 5}});
    // The loader checks the short table only, which stays sound.
    test_support::put32(bytes, test_support::blockRecordAt(2, 1) + 8, static_cast<uint32_t>(bytes.size() - 2));
    writeFirmware(bytes);
    update::threadMethodUpdate(run);
    expectFailed(3, "Failed to restore firmware. Firmware corrupted");
    EXPECT_EQ(headset->count(0x05) + second->count(0x05), 0);
}

TEST_F(TwoChip, AMissingSecondChipIsNotTheRecognizedDevice) {
    ASSERT_NO_FATAL_FAILURE(plug(0x4610));
    writeFirmware(container(0x4610, {{0, 1, 5}}));
    update::threadMethodUpdate(run);
    expectFailed(2, "Failed to restore firmware. Not the recognized device");
}

struct GuardCase {
    const char* file;
    std::vector<uint16_t> block5;  // empty: the block read fails
    bool refused;
};

const GuardCase kGuardCases[] = {
    {"x_v1.7.1-fr.img", {0x001B, 0x0203}, true},  {"v1.7.2.5.img", {0x0010}, true},
    {"x_v1.7.6.img", {0x001B}, false},            {"x_v1.8.img", {0x0010}, false},
    {"x_v1.7.1-fr.img", {0x0011}, false},         {"x_v1.7.1-fr.img", {}, false},
    {"firmware.img", {0x001B}, false},            {"a.img", {0x001B}, false},
};

TEST_F(TwoChip, TheEvoVariantRefusesFilesOlderThanItsOldestRelease) {
    for (const GuardCase& c : kGuardCases) {
        SCOPED_TRACE(std::string(c.file) + (c.block5.empty() ? " no block" : " block " + std::to_string(c.block5[0])));
        ASSERT_NO_FATAL_FAILURE(plug(0x4210, true));
        if (!c.block5.empty()) headset->setKey(5, c.block5);
        run.firmwareFile = folder.path() + "/" + c.file;
        writeFirmware(container(0x4210, {{0, 1, 5}}, Layout::short_table));
        update::threadMethodUpdate(run);
        if (c.refused) {
            expectFailed(1,
                         "Firmware version is not supported by the FERRIK EVO. Update to the latest version of FERRIK "
                         "EVO firmware.");
            EXPECT_EQ(headset->count(0x05), 0);
        } else {
            expectSucceeded();
        }
        EXPECT_EQ(headset->count(0x03), c.block5.empty() ? 2 : 1);
        TearDown();
        SetUp();
    }
}

TEST(TwoChipFileNames, VersionFromTheName) {
    struct Case {
        const char* name;
        std::optional<std::array<int, 3>> version;
    };
    const Case cases[] = {
        {"/a/b/x_v1.7.1-fr.img", std::array<int, 3>{1, 7, 1}}, {"x_v1.7.6.img", std::array<int, 3>{1, 7, 6}},
        {"x_v1.8.img", std::array<int, 3>{1, 8, 0}},           {"v1.7.2.5.img", std::array<int, 3>{0, 0, 0}},
        {"x_1.8.img", std::nullopt},                           {"a.img", std::nullopt},
        {"v", std::array<int, 3>{0, 0, 0}},                    {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto v = update::versionFromFileName(c.name);
        ASSERT_EQ(v.has_value(), c.version.has_value());
        if (v) {
            EXPECT_EQ((std::array<int, 3>{v->major, v->minor, v->secondary}), *c.version);
        }
    }
}

}  // namespace
}  // namespace part_download
