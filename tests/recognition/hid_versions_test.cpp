// Versions on the HID road: the main version and language pack by report format, the second
// firmware block from the second chip (the older version wins) or from a mesh module that joins
// the bus after the headset's command, and the failed version read that ends the run.
#include <array>
#include <functional>
#include <string>

#include "RecognitionFixture.h"

namespace {

using sim::BlockHeadsetModel;
using sim::Format;
using sim::Hs6838Model;
using Version = std::array<int32_t, 4>;

Version mainOf(const device::ORVABluetoothDeviceData& d) {
    return {d.deviceVersionMajor(), d.deviceVersionMinor(), d.deviceSecondaryVersionType(), d.deviceSecondaryVersion()};
}
Version firstOf(const device::ORVABluetoothDeviceData& d) {
    return {d.deviceVersionMajor01(), d.deviceVersionMinor01(), d.deviceSecondaryVersionType01(),
            d.deviceSecondaryVersion01()};
}
Version secondOf(const device::ORVABluetoothDeviceData& d) {
    return {d.deviceVersionMajor02(), d.deviceVersionMinor02(), d.deviceSecondaryVersionType02(),
            d.deviceSecondaryVersion02()};
}
std::array<int32_t, 3> packOf(const device::ORVABluetoothDeviceData& d) {
    return {d.devicelanguagePackType(), d.devicelanguagePackTypeVerMajor(), d.devicelanguagePackTypeVerMinor()};
}

// What a record holds before the read, so that "left alone" shows.
void preset(device::ORVABluetoothDeviceData& d) {
    d.setDeviceVersion01Major(9, 9);
    d.setDeviceVersion02Major(9, 9);
    d.setDevicelanguagePackType(7);
    d.setDevicelanguagePackTypeVerMajor(7);
    d.setDevicelanguagePackTypeVerMinor(7);
}

constexpr Version kUntouched{9, 9, 0, 0};
constexpr std::array<int32_t, 3> kPackUntouched{7, 7, 7};

// Format A headsets with one or two chips: version bytes from reply byte 3.
struct BlockCase {
    std::string name;
    uint16_t productId;
    std::vector<uint8_t> chip1, chip2;  // version replies; empty: the command fails
    Version main, first, second;
    std::array<int32_t, 3> pack;
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class BlockVersions : public RecognitionSimTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockVersions, RecordHoldsTheVersionsTheRulesDerive) {
    const BlockCase& c = GetParam();
    auto one = std::make_shared<BlockHeadsetModel>(), two = std::make_shared<BlockHeadsetModel>();
    plug({sim::hid(c.productId).inDevice(1).servedBy(one), sim::hid(c.productId).inDevice(1).atInterface(1).servedBy(two)});
    openInto(0, 0);
    openInto(1, 1);
    controller.target = c.productId;
    preset(controller.record);
    one->setVersion(c.chip1);
    two->setVersion(c.chip2);
    if (c.chip2.empty()) two->setAnswer(Format::A, 0x01, sim::Answer{2, {}});

    ASSERT_TRUE(recognition::readHidVersions(ctx));

    EXPECT_EQ(mainOf(controller.record), c.main);
    EXPECT_EQ(firstOf(controller.record), c.first);
    EXPECT_EQ(secondOf(controller.record), c.second);
    EXPECT_EQ(packOf(controller.record), c.pack);
}

INSTANTIATE_TEST_SUITE_P(
    Recognition, BlockVersions,
    ::testing::Values(
        BlockCase{"VersionOnlyFamilyReadsNoLanguagePack", 0x6042, {2, 1, 0, 3, 0, 5, 2, 6}, {},
                  {2, 1, 0, 3}, kUntouched, kUntouched, kPackUntouched},
        BlockCase{"OtherModelsCarryTheLanguagePack", 0x3300, {3, 2, 1, 4, 0, 5, 2, 6}, {},
                  {3, 2, 1, 4}, kUntouched, kUntouched, {5, 2, 6}},
        BlockCase{"OlderSecondChipBecomesTheVersion", 0x4210, {1, 6, 0, 2}, {1, 5, 0, 9},
                  {1, 5, 0, 9}, {1, 6, 0, 2}, {1, 5, 0, 9}, {0, 0, 0}},
        BlockCase{"NewerSecondChipLeavesTheVersion", 0x4510, {1, 6, 0, 2}, {1, 7, 0, 0},
                  {1, 6, 0, 2}, {1, 6, 0, 2}, {1, 7, 0, 0}, {0, 0, 0}},
        BlockCase{"EqualSecondChipLeavesTheVersion", 0x2030, {1, 6, 0, 2}, {1, 6, 0, 2},
                  {1, 6, 0, 2}, {1, 6, 0, 2}, {1, 6, 0, 2}, {0, 0, 0}},
        BlockCase{"SilentSecondChipLeavesTheVersionAsRead", 0x4210, {1, 6, 0, 2}, {},
                  {1, 6, 0, 2}, {1, 6, 0, 2}, {1, 0, 0, 0}, {0, 0, 0}},
        BlockCase{"DorskVersionsHaveTypeTwo", 0x5345, {2, 0, 7, 0xEE}, {1, 9, 5},
                  {1, 9, 2, 5}, {2, 0, 2, 7}, {1, 9, 2, 5}, kPackUntouched},
        BlockCase{"DorskSilentSecondPartKeepsTheFirst", 0x5345, {2, 0, 7}, {},
                  {2, 0, 2, 7}, {2, 0, 2, 7}, {1, 0, 2, 0}, kPackUntouched},
        BlockCase{"PlusdovraKeepsItsVersionAsFirstBlock", 0x3560, {1, 4, 3, 0, 0, 1, 2, 3}, {},
                  {1, 4, 3, 0}, {1, 4, 3, 0}, kUntouched, {1, 2, 3}}),
    [](const auto& info) { return info.param.name; });

TEST_F(RecognitionSimTest, DorskHoldsBothPartsEvenWhenTheyRefuse) {
    auto one = std::make_shared<BlockHeadsetModel>(), two = std::make_shared<BlockHeadsetModel>();
    plug({sim::hid(0x5345).servedBy(one), sim::hid(0x5346).servedBy(two)});
    openInto(0, 0);
    openInto(1, 1);
    controller.target = 0x5345;
    one->setAnswer(Format::A, 0x30, sim::Answer{2, {}});
    two->setAnswer(Format::A, 0x30, sim::Answer{2, {}});
    one->setVersion({2, 0, 7});
    two->setVersion({2, 0, 7});

    ASSERT_TRUE(recognition::readHidVersions(ctx));

    EXPECT_EQ(commandsSeen(0), (std::vector<uint8_t>{0x30, 0x01}));
    EXPECT_EQ(commandsSeen(1), (std::vector<uint8_t>{0x30, 0x01}));
    EXPECT_EQ(mainOf(controller.record), (Version{2, 0, 2, 7}));
}

TEST_F(RecognitionSimTest, FailedVersionReadFailsTheStepWithItsStatus) {
    auto m = openAlone(0x6042, std::make_shared<BlockHeadsetModel>());
    m->setAnswer(Format::A, 0x01, sim::Answer{2, {}});
    controller.record.setDeviceVersionMajor(4, 4);

    EXPECT_FALSE(recognition::readHidVersions(ctx));

    EXPECT_EQ(controller.record.deviceVersionMajor(), 4);
    EXPECT_EQ(status(0), "Cannot read the firmware version");
    EXPECT_EQ(status(2), "Firmware-Version kann nicht gelesen werden");
}

// The 62-byte family: version and language pack over the probed or the timed command.
TEST_F(RecognitionSimTest, ProbedFamilyReadsVersionAndLanguagePack) {
    openAlone(0x6838, std::make_shared<Hs6838Model>());
    preset(controller.record);

    ASSERT_TRUE(recognition::readHidVersions(ctx));

    EXPECT_EQ(mainOf(controller.record), (Version{1, 2, 0, 4}));
    EXPECT_EQ(packOf(controller.record), (std::array<int32_t, 3>{5, 3, 1}));
    EXPECT_EQ(firstOf(controller.record), kUntouched);
}

TEST_F(RecognitionSimTest, TimedFamilyWithSilentLanguagePackWaitsItsTimeOutAndKeepsTheVersion) {
    auto m = openAlone(0x6A02, std::make_shared<Hs6838Model>());
    m->setShortAnswer(0x01, 0x01, sim::Answer{0, {}, true});
    preset(controller.record);

    ASSERT_TRUE(recognition::readHidVersions(ctx));

    EXPECT_EQ(mainOf(controller.record), (Version{1, 2, 0, 4}));
    EXPECT_EQ(packOf(controller.record), (std::array<int32_t, 3>{0, 0, 0}));
    EXPECT_GE(virtualMs(), 10000);
}

TEST_F(RecognitionSimTest, ProbedVersionOfTheWrongLengthFailsTheStep) {
    auto m = openAlone(0x6838, std::make_shared<Hs6838Model>());
    m->setShortAnswer(0x01, 0x00, sim::Answer{0, std::vector<uint8_t>(12, 1)});
    EXPECT_FALSE(recognition::readHidVersions(ctx));
}

// Mesh modules: the headset's command makes the module join the bus as a HID device of its own.
struct MeshCase {
    std::string name;
    uint16_t headset;
    uint8_t switchCommand;
    sim::HidInterface module;
    Format moduleFormat;
};

void PrintTo(const MeshCase& c, std::ostream* os) { *os << c.name; }

class MeshVersions : public RecognitionSimTest, public ::testing::WithParamInterface<MeshCase> {
  protected:
    void plugMesh(const MeshCase& c, bool moduleAppears) {
        auto headset = std::make_shared<BlockHeadsetModel>();
        headset->setVersion({3, 1, 0, 2});
        std::shared_ptr<sim::HeadsetModel> module;
        if (c.moduleFormat == Format::B) {
            auto airoha = std::make_shared<Hs6838Model>();
            airoha->setShortAnswer(0x01, 0x00, sim::Answer{0, {1, 7, 0, 3, 0}});
            module = airoha;
        } else {
            auto block = std::make_shared<BlockHeadsetModel>();
            block->setVersion({1, 7, 0, 3}, c.moduleFormat);
            module = block;
        }
        sim::HidInterface meshEntry = c.module;
        plug({sim::hid(c.headset).servedBy(headset), meshEntry.offBus().servedBy(module)});
        if (moduleAppears) sim_->joinsBusAfter(0, Format::A, c.switchCommand, 1);
        openInto(0, 0);
        controller.target = c.headset;
        preset(controller.record);
    }
};

TEST_P(MeshVersions, SecondBlockComesFromTheModuleThatJoinsTheBus) {
    const MeshCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugMesh(c, true));

    ASSERT_TRUE(recognition::readHidVersions(ctx));

    EXPECT_EQ(mainOf(controller.record), (Version{3, 1, 0, 2}));
    EXPECT_EQ(firstOf(controller.record), (Version{3, 1, 0, 2}));
    EXPECT_EQ(secondOf(controller.record), (Version{1, 7, 0, 3}));
    EXPECT_EQ(commandsSeen(0).at(1), c.switchCommand);
    EXPECT_EQ(commandsSeen(1, c.moduleFormat), (std::vector<uint8_t>{0x01}));
    // The pause after the switch; the module opened at once.
    EXPECT_GE(virtualMs(), 2000);
    EXPECT_LT(virtualMs(), 3000);
}

TEST_P(MeshVersions, ModuleThatNeverAppearsLeavesTheSecondBlockAfterTwentyTries) {
    const MeshCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugMesh(c, false));

    ASSERT_TRUE(recognition::readHidVersions(ctx));

    EXPECT_EQ(firstOf(controller.record), (Version{3, 1, 0, 2}));
    EXPECT_EQ(secondOf(controller.record), kUntouched);
    EXPECT_GE(virtualMs(), 2000 + 20 * 1000);
    EXPECT_LT(virtualMs(), 2000 + 21 * 1000);
}

const uint16_t consumerPage = 0x000C;
INSTANTIATE_TEST_SUITE_P(
    Recognition, MeshVersions,
    ::testing::Values(MeshCase{"Gessa", 0x3110, 0x50, sim::hid(0x3120).withUsage(consumerPage, 1), Format::A},
                      MeshCase{"LutraV2", 0x3212, 0x50, sim::hid(0x3220), Format::B},
                      MeshCase{"Voskel", 0x6510, 0x0F, sim::hid(0x6511), Format::C}),
    [](const auto& info) { return info.param.name; });

}  // namespace
