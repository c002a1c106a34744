// The HID identification: controller flags and the headset's name, per name route and flag
// family, with the simulated headset of each model open as the HID road leaves it.
#include <functional>
#include <optional>
#include <string>

#include "RecognitionFixture.h"

namespace {

using sim::BlockHeadsetModel;
using sim::Hs6838Model;
using Setup = std::function<void(BlockHeadsetModel& slot0, BlockHeadsetModel& slot1)>;

struct IdCase {
    std::string name;
    uint16_t productId;
    Setup setup;
    int32_t fm, motion;
    std::optional<std::string> deviceName;
};

void PrintTo(const IdCase& c, std::ostream* os) { *os << c.name; }

// Format A models: a name block under a key, on one slot or the second chip's.
class BlockIdentification : public RecognitionSimTest, public ::testing::WithParamInterface<IdCase> {};

TEST_P(BlockIdentification, FlagsAndNameFromTheHeadsetOrItsFallback) {
    const IdCase& c = GetParam();
    auto first = std::make_shared<BlockHeadsetModel>(), second = std::make_shared<BlockHeadsetModel>();
    plug({sim::hid(c.productId).inDevice(1).servedBy(first),
          sim::hid(c.productId).inDevice(1).atInterface(1).servedBy(second)});
    openInto(0, 0);
    openInto(1, 1);
    controller.target = c.productId;
    controller.speaker = 7;
    controller.info = 9;
    // The flag questions fail unless a case answers them.
    for (auto* m : {first.get(), second.get()})
        for (uint8_t command : {0x1A, 0x1B}) m->setAnswer(sim::Format::A, command, sim::Answer{2, {}});
    c.setup(*first, *second);

    recognition::identifyHidHeadset(ctx);

    EXPECT_EQ(controller.fm, c.fm);
    EXPECT_EQ(controller.motion, c.motion);
    EXPECT_EQ(controller.speaker, 0);
    EXPECT_EQ(controller.record.deviceName(), c.deviceName);
}

std::vector<uint16_t> name(const std::string& n) { return BlockHeadsetModel::nameWords(n); }

INSTANTIATE_TEST_SUITE_P(
    Recognition, BlockIdentification,
    ::testing::Values(
        IdCase{"Key3CNameAndFmAnswer",
               0x6042,
               [](auto& h, auto&) {
                   h.setByte(0x1A, 1);
                   h.setKey(0x3C, name("My Helmet"));
               },
               3, 6, "My Helmet"},
        IdCase{"FmFamilyAnsweringZeroHidesThePage",
               0x6042,
               [](auto& h, auto&) {
                   h.setByte(0x1A, 0);
                   h.setKey(0x3C, name("X"));
               },
               4, 6, "X"},
        IdCase{"FailedFmCommandShowsThePage", 0x6042, [](auto& h, auto&) { h.setKey(0x3C, name("X")); }, 3, 6, "X"},
        IdCase{"NameOfOneWordIsEmpty", 0x6042, [](auto& h, auto&) { h.setKey(0x3C, {5}); }, 3, 6, ""},
        IdCase{"NameOfNoWordsFallsBackToTheCatalogue",
               0x6042,
               [](auto& h, auto&) { h.setKey(0x3C, {}); },
               3, 6, "VELMAR KANDO"},
        IdCase{"FailedNameReadFallsBackToTheCatalogue", 0x6042, [](auto&, auto&) {}, 3, 6, "VELMAR KANDO"},
        IdCase{"ZeroCharacterEndsTheName",
               0x6042,
               [](auto& h, auto&) { h.setKey(0x3C, {4, 'A', 'B', 0, 'C'}); },
               3, 6, "AB"},
        IdCase{"NameCountBeyondTheReplyIsClamped",
               0x6042,
               [](auto& h, auto&) {
                   h.setKey(0x3C, name(std::string(30, 'Z')));
                   h.setKeyCount(0x3C, 200);
               },
               3, 6, std::string(30, 'Z')},
        IdCase{"InvalidUtf8NameIsNil", 0x6042, [](auto& h, auto&) { h.setKey(0x3C, {2, 0xC3, 0x28}); }, 3, 6,
               std::nullopt},
        IdCase{"SecondChipHoldsTheNameAndFm",
               0x4210,
               [](auto& h, auto& chip2) {
                   h.setByte(0x1B, 1);
                   chip2.setByte(0x1A, 0);
                   chip2.setKey(0x1D, name("Ferrik 2"));
               },
               4, 5, "Ferrik 2"},
        IdCase{"FerrikFmFailsMotionHidden",
               0x4210,
               [](auto& h, auto&) { h.setByte(0x1B, 0); },
               3, 6, "FERRIK"},
        IdCase{"FerrikMotionCommandFailShowsIt", 0x4210, [](auto&, auto& chip2) { chip2.setByte(0x1A, 1); }, 3, 5,
               "FERRIK"},
        IdCase{"Key1DNameOnSlot0", 0x3110, [](auto& h, auto&) { h.setKey(0x1D, name("Gessa")); }, 3, 6, "Gessa"},
        IdCase{"Key1DModelFallsBackToTheCatalogue", 0x3300, [](auto&, auto&) {}, 3, 6, "SIVRA"},
        IdCase{"Key1DModelWithoutFallbackHasNoName", 0x4D10, [](auto&, auto&) {}, 3, 6, std::nullopt},
        IdCase{"ModelOutsideBothFmListsKeepsTheKey6Answer",
               0x3070,
               [](auto& h, auto&) { h.setKey(6, {2, 0}); },
               4, 6, "VANTOR"},
        IdCase{"DorskIsNotAskedItsName", 0x5345, [](auto& h, auto&) { h.setKey(0x1D, name("nope")); }, 3, 6,
               "DORSK"}),
    [](const auto& info) { return info.param.name; });

TEST_F(RecognitionSimTest, DorskSendsNoNameRequest) {
    auto m = openAlone(0x5345, std::make_shared<BlockHeadsetModel>());
    recognition::identifyHidHeadset(ctx);
    EXPECT_EQ(controller.record.deviceName(), "DORSK");
    EXPECT_TRUE(m->requests().empty());
}

// Format B models: the name over the 62-byte channel, else the family's own fallback names.
struct ShortCase {
    std::string name;
    uint16_t productId;
    bool answers;
    std::string sent;
    std::optional<std::string> deviceName;
};

void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

class ShortIdentification : public RecognitionSimTest, public ::testing::WithParamInterface<ShortCase> {};

TEST_P(ShortIdentification, NameFromTheShortChannelOrTheFamilyTable) {
    const ShortCase& c = GetParam();
    auto m = openAlone(c.productId, std::make_shared<Hs6838Model>());
    m->setText(Hs6838Model::kParameterName, c.sent);
    if (!c.answers) m->setShortAnswer(0x03, Hs6838Model::kParameterName, sim::Answer{0, {}, true});

    recognition::identifyHidHeadset(ctx);

    EXPECT_EQ(controller.record.deviceName(), c.deviceName);
    EXPECT_EQ(controller.fm, 3);
    EXPECT_EQ(controller.motion, 6);
}

INSTANTIATE_TEST_SUITE_P(
    Recognition, ShortIdentification,
    ::testing::Values(ShortCase{"ProbedNameAnswer", 0x6838, true, "Luven of Anna", "Luven of Anna"},
                      ShortCase{"ProbedEmptyAnswerTakesTheTable", 0x6838, true, "", "VELMAR LUVEN"},
                      ShortCase{"ProbedSilenceTakesTheTable", 0x6839, false, "x", "ROSVEL 2"},
                      ShortCase{"ProbedModelWithoutTableEntryHasNoName", 0x6814, false, "x", std::nullopt},
                      ShortCase{"TimedNameAnswer", 0x6A01, true, "Lasken of Ben", "Lasken of Ben"},
                      ShortCase{"TimedSilenceTakesTheTable", 0x6A03, false, "x", "PELLAN"},
                      ShortCase{"FiftyEightBytesAtMost", 0x6A02, true, std::string(70, 'Q'), std::string(58, 'Q')}),
    [](const auto& info) { return info.param.name; });

}  // namespace
