// The common tail of the HID road: the FM block and the speed dials, over report format A keys
// or the 62-byte channel, and what a failed read leaves.
#include <array>
#include <string>

#include "RecognitionFixture.h"

namespace {

using sim::BlockHeadsetModel;
using sim::Hs6042Model;
using sim::Hs6838Model;
using Record = device::ORVABluetoothDeviceData;

std::array<int32_t, 15> fmOf(const Record& d) {
    std::array<int32_t, 15> fm{d.fmRadioMagicCode(), d.fmRadioCurrentFrequency(), d.fmRadioCurrentPreset()};
    for (int i = 0; i < 10; ++i) fm[3 + static_cast<size_t>(i)] = d.fmRadioPresetsAt(i);
    fm[13] = d.fmRadioRDS();
    fm[14] = d.fmRadioRegion();
    return fm;
}

std::array<std::string, 3> dialsOf(const Record& d) {
    return {d.speedDialAt(0).value_or("<nil>"), d.speedDialAt(1).value_or("<nil>"), d.speedDialAt(2).value_or("<nil>")};
}

constexpr std::array<int32_t, 15> kFmDefaults{0x56E9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

TEST_F(RecognitionSimTest, FmBlockAndSpeedDialsComeFromTheirKeys) {
    Hs6042Model::Profile p;
    auto m = openAlone(0x6042, std::make_shared<Hs6042Model>(p));

    recognition::readHidFmAndSpeedDials(ctx);

    std::array<int32_t, 15> expected;
    std::copy(p.fm.begin(), p.fm.end(), expected.begin());
    EXPECT_EQ(fmOf(controller.record), expected);
    EXPECT_EQ(dialsOf(controller.record), (std::array<std::string, 3>{"0123456789", "+4412345", ""}));
    std::vector<uint8_t> keys;
    for (const auto& r : m->requests()) keys.push_back(r.bytes[2]);
    EXPECT_EQ(keys, (std::vector<uint8_t>{0x44, 0x37, 0x38, 0x39}));
}

TEST_F(RecognitionSimTest, FailedReadsLeaveTheFmDefaultsAndEmptyDials) {
    auto m = openAlone(0x4D86, std::make_shared<BlockHeadsetModel>());
    controller.record.setFmRadioCurrentFrequency(9999);
    controller.record.setSpeedDialAt(1, "555 from the last headset");

    recognition::readHidFmAndSpeedDials(ctx);

    EXPECT_EQ(fmOf(controller.record), kFmDefaults);
    EXPECT_EQ(dialsOf(controller.record), (std::array<std::string, 3>{"", "", ""}));
}

TEST_F(RecognitionSimTest, SpeedDialReadsOnlyTheWordsTheHeadsetCounts) {
    auto m = openAlone(0x6042, std::make_shared<Hs6042Model>());
    m->setKeyCount(0x37, 3);    // fewer than it sent
    m->setKeyCount(0x38, 200);  // more than a dial or the reply holds
    m->setKey(0x38, BlockHeadsetModel::textWords("123456789012345678901234567890", 30));

    recognition::readHidFmAndSpeedDials(ctx);

    EXPECT_EQ(dialsOf(controller.record), (std::array<std::string, 3>{"012", "12345678901234567890", ""}));
}

TEST_F(RecognitionSimTest, ModelsOutsideTheTailListsReadNothingHere) {
    auto m = openAlone(0x3300, std::make_shared<Hs6042Model>());
    controller.record.setFmRadioCurrentFrequency(9999);
    recognition::readHidFmAndSpeedDials(ctx);
    EXPECT_TRUE(m->requests().empty());
    EXPECT_EQ(controller.record.fmRadioCurrentFrequency(), 9999);
}

TEST_F(RecognitionSimTest, SpeakerModelReadsItsDialsButNoFmBlock) {
    auto m = openAlone(0x6461, std::make_shared<Hs6042Model>());
    recognition::readHidFmAndSpeedDials(ctx);
    EXPECT_EQ(m->requests().size(), 3u);
    EXPECT_EQ(dialsOf(controller.record)[0], "0123456789");
}

// 0x6A01-0x6A04 keep both over the 62-byte channel: the FM words little-endian, the dials as text.
TEST_F(RecognitionSimTest, ShortChannelFamilyReadsFmWordsAndDialTexts) {
    auto m = openAlone(0x6A04, std::make_shared<Hs6838Model>());
    std::array<uint16_t, 15> fm{0x66E9, 9010, 1, 8750, 8770, 8790, 8810, 8830, 8850, 8870, 8890, 8910, 8930, 1, 2};
    std::vector<uint8_t> bytes(58, 0);
    for (size_t i = 0; i < fm.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(fm[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(fm[i] >> 8);
    }
    m->setShortAnswer(0x03, 0x08, sim::Answer{0, bytes});
    m->setText(0x05, "112");
    m->setShortAnswer(0x03, 0x06, sim::Answer{2, std::vector<uint8_t>(58, '9')});
    m->setText(0x07, "+33 1 23");

    recognition::readHidFmAndSpeedDials(ctx);

    std::array<int32_t, 15> expected;
    std::copy(fm.begin(), fm.end(), expected.begin());
    EXPECT_EQ(fmOf(controller.record), expected);
    EXPECT_EQ(dialsOf(controller.record), (std::array<std::string, 3>{"112", "", "+33 1 23"}));
}

TEST_F(RecognitionSimTest, ShortChannelSilenceGivesTheDefaultsWithinItsTimeOuts) {
    auto m = openAlone(0x6A01, std::make_shared<Hs6838Model>());
    sim::Faults silent;
    silent.silent = true;
    m->setFaults(silent);

    recognition::readHidFmAndSpeedDials(ctx);

    EXPECT_EQ(fmOf(controller.record), kFmDefaults);
    EXPECT_EQ(dialsOf(controller.record), (std::array<std::string, 3>{"", "", ""}));
    EXPECT_GE(virtualMs(), 4 * 500);
}

}  // namespace
