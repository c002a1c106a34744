// The two user-key reads that decide the FM radio page and the speaker variant, against a
// simulated headset open in slot 0.
#include <optional>
#include <string>

#include "RecognitionFixture.h"
#include "recognition/DeviceInfoReads.h"

namespace {

using recognition::get_device_info_for_fm_radio_with_pskey;
using recognition::get_device_info_for_hd_speaker_with_pskey;

struct KeyCase {
    std::string name;
    uint16_t productId;
    // Key contents (nullopt: the read fails); a count other than -1 replaces the word count.
    std::optional<std::vector<uint16_t>> key5, key6, key18;
    int count6 = -1, count18 = -1;
    int32_t expected;
    std::vector<uint8_t> keysRead;  // in order
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class DeviceInfo : public RecognitionSimTest, public ::testing::WithParamInterface<KeyCase> {
  protected:
    void plugHeadset(const KeyCase& c) {
        auto m = openAlone(c.productId, std::make_shared<sim::BlockHeadsetModel>());
        auto put = [&](uint8_t key, const std::optional<std::vector<uint16_t>>& words, int count) {
            if (words) m->setKey(key, *words);
            if (count >= 0) m->setKeyCount(key, static_cast<uint8_t>(count));
        };
        put(5, c.key5, -1);
        put(6, c.key6, c.count6);
        put(18, c.key18, c.count18);
    }
    std::vector<uint8_t> keysRead() {
        std::vector<uint8_t> keys;
        for (const auto& r : sim_->model().requests()) keys.push_back(r.bytes[2]);
        return keys;
    }
};

class FmRadioInfo : public DeviceInfo {};
class SpeakerInfo : public DeviceInfo {};

TEST_P(FmRadioInfo, ShowsThePageUnlessKey6NamesHardwareTwo) {
    const KeyCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHeadset(c));
    EXPECT_EQ(get_device_info_for_fm_radio_with_pskey(c.productId), c.expected);
    EXPECT_EQ(keysRead(), c.keysRead);
}

INSTANTIATE_TEST_SUITE_P(
    Recognition, FmRadioInfo,
    ::testing::Values(
        KeyCase{"OtherModelIsNotAsked", 0x6042, {}, std::vector<uint16_t>{2, 1}, {}, -1, -1, 3, {}},
        KeyCase{"HardwareTwoHidesThePage", 0x3070, {}, std::vector<uint16_t>{2, 1}, {}, -1, -1, 4, {6}},
        KeyCase{"OnlyTheLowByteCounts", 0x3144, {}, std::vector<uint16_t>{0x0102, 0}, {}, -1, -1, 4, {6}},
        KeyCase{"OtherHardwareShowsIt", 0x3032, {}, std::vector<uint16_t>{1, 0}, {}, -1, -1, 3, {6}},
        KeyCase{"WordCountOtherThanTwoShowsIt", 0x3124, {}, std::vector<uint16_t>{2, 1, 0}, {}, -1, -1, 3, {6}},
        KeyCase{"FailedReadShowsIt", 0x3128, {}, std::nullopt, {}, -1, -1, 3, {6}}),
    [](const auto& info) { return info.param.name; });

TEST_P(SpeakerInfo, VariantCodeFromTheModelsKeys) {
    const KeyCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHeadset(c));
    EXPECT_EQ(get_device_info_for_hd_speaker_with_pskey(c.productId), c.expected);
    EXPECT_EQ(keysRead(), c.keysRead);
}

using W = std::vector<uint16_t>;
INSTANTIATE_TEST_SUITE_P(
    Recognition, SpeakerInfo,
    ::testing::Values(
        KeyCase{"OtherModelIsNotAsked", 0x6042, W{11}, W{0, 0, 1, 0}, W{1, 1}, -1, -1, 0, {}},
        KeyCase{"HdSpeakerFromWordTwo", 0x3110, {}, W{0, 0, 1, 0}, {}, -1, -1, 2, {6}},
        KeyCase{"NoHdSpeaker", 0x5570, {}, W{0, 0, 0x100, 0}, {}, -1, -1, 0, {6}},
        KeyCase{"TwoWordAnswerMeansNone", 0x3110, {}, W{0, 0, 1, 0}, {}, 2, -1, 0, {6}},
        KeyCase{"FailedKey6MeansNone", 0x3110, {}, std::nullopt, {}, -1, -1, 0, {6}},
        KeyCase{"Key5ElevenWithoutKey18", 0x4210, W{11}, {}, W{1, 1}, -1, -1, 1, {5}},
        KeyCase{"Key5TwentySevenWithoutKey18", 0x4210, W{27}, {}, W{1, 1}, -1, -1, 1, {5}},
        KeyCase{"Key18ZeroOneGivesSix", 0x4210, W{3}, {}, W{0, 1}, -1, -1, 6, {5, 18}},
        KeyCase{"Key18ZeroZeroGivesNone", 0x4210, W{3}, {}, W{0, 0}, -1, -1, 0, {5, 18}},
        KeyCase{"Key18ZeroOtherGivesTwo", 0x4210, W{3}, {}, W{0, 5}, -1, -1, 2, {5, 18}},
        KeyCase{"Key18SetOneGivesSeven", 0x4210, std::nullopt, {}, W{4, 1}, -1, -1, 7, {5, 18}},
        KeyCase{"Key18SetOtherGivesTwo", 0x4210, W{3}, {}, W{4, 0}, -1, -1, 2, {5, 18}},
        KeyCase{"Key18EmptyGivesNone", 0x4210, W{3}, {}, W{4, 1}, -1, 0, 0, {5, 18}},
        KeyCase{"Key18FailedGivesNone", 0x4210, W{3}, {}, std::nullopt, -1, -1, 0, {5, 18}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
