// The speed-dial save against the simulated headset: for each road the key, count and words (or
// bytes) the headset receives for an empty dial, an ordinary number and a full 20-character one;
// the short command's cut and missing dial; the failed dial that a later good one must not hide;
// the ready status; both chips' versions; two CSR headsets; and the identity faults that end a
// save before anything is written.
#include "SaveFixture.h"
#include "settings/save/SpeedDialSave.h"
#include "sim/Hs6838Model.h"

namespace settings::testing {
namespace {

namespace sd = save::speed_dial;
using DialSent = std::vector<sim::SettingBlocksModel::KeyRequest>;

const std::string kTwenty = "01234567890123456789";
const std::string kNumber = "+4412345*#";

std::vector<uint16_t> dialWords(const std::string& text) { return {text.begin(), text.end()}; }

sim::SettingBlocksModel::KeyRequest dialBlock(uint8_t key, std::vector<uint16_t> words) {
    return {sim::Format::A, 0x04, key, std::move(words)};
}

class SpeedDialSaveTest : public SaveSimTest {
  protected:
    // The dials of the edit buffer: empty, a number, twenty characters.
    void SetUp() override {
        SaveSimTest::SetUp();
        dials.dials = {std::string(), kNumber, kTwenty};
    }

    int32_t saveDials() {
        dials.data = in.data;
        dials.deviceTarget = in.deviceTarget;
        dials.usbStatus = in.usbStatus;
        return sd::threadMethodSave(
            dials, [this](uint32_t* pid, char* m) { return openSimulated(pid, m); }, csrOpen, stop);
    }

    // A simulated 0x6838, recognized.
    std::shared_ptr<sim::Hs6838Model> plugShortCommandHeadset() {
        auto headset = std::make_shared<sim::Hs6838Model>();
        sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        EXPECT_TRUE(sim_->mocked());
        recognize(0x6838, {});
        return headset;
    }

    // What the short command carried from byte 4: the text, then zeros to byte 61.
    static std::vector<uint8_t> shortBytes(const std::string& text) {
        std::vector<uint8_t> bytes(58, 0);
        std::copy(text.begin(), text.end(), bytes.begin());
        return bytes;
    }

    sd::SpeedDialSaveInput dials;
    sd::CsrOpener csrOpen = csr_usb_open_retry;
};

struct BlockRoadCase {
    const char* name;
    uint16_t target;
    bool twoChips;
    uint8_t firstKey;
    std::vector<uint16_t> emptyDial;  // what an empty dial sends
};
void PrintTo(const BlockRoadCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialBlocks : public SpeedDialSaveTest, public ::testing::WithParamInterface<BlockRoadCase> {};

TEST_P(SpeedDialBlocks, EachDialGoesToItsKeyWithItsLength) {
    const BlockRoadCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHid(c.target, {}, c.twoChips));
    EXPECT_EQ(saveDials(), sd::kSaved);
    const uint8_t k = c.firstKey;
    EXPECT_EQ(chip(0).keyRequests(), (DialSent{dialBlock(k, c.emptyDial), dialBlock(k + 1, dialWords(kNumber)),
                                               dialBlock(k + 2, dialWords(kTwenty))}));
    if (c.twoChips) {
        EXPECT_TRUE(chip(1).keyRequests().empty()) << "the dials live on the first chip";
    }
    EXPECT_EQ(usbhid_slot(0), nullptr) << "the save closes the headset";
}

INSTANTIATE_TEST_SUITE_P(
    Save, SpeedDialBlocks,
    ::testing::Values(BlockRoadCase{"two-chip: keys 0x5A-0x5C, an empty dial counts 0", 0x4610, true, 0x5A, {}},
                      BlockRoadCase{"block 0x37: one zero word for an empty dial", 0x6042, false, 0x37, {0}},
                      BlockRoadCase{"block 0x37 after the ready status", 0x6510, false, 0x37, {0}},
                      BlockRoadCase{"block 0x5A on the main version", 0x3030, false, 0x5A, {0}},
                      BlockRoadCase{"block 0x5A on the first-chip version", 0x3110, false, 0x5A, {0}}),
    [](const auto& info) { return "Road" + std::to_string(info.index); });

TEST_F(SpeedDialSaveTest, CsrWritesTwentyWordsToEachKey) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x4D10)}));
    EXPECT_EQ(saveDials(), sd::kSaved);
    auto padded = [](const std::string& text) {
        std::vector<uint16_t> w = dialWords(text);
        w.resize(20, 0);
        return w;
    };
    std::vector<std::pair<uint16_t, std::vector<uint16_t>>> writes;
    for (const auto& w : csr().psWrites()) writes.emplace_back(w.key, w.words);
    EXPECT_EQ(writes, (std::vector<std::pair<uint16_t, std::vector<uint16_t>>>{
                          {0x2280, padded("")}, {0x2281, padded(kNumber)}, {0x2282, padded(kTwenty)}}));
    EXPECT_TRUE(csr().claimed().empty()) << "the save releases the headset";
}

TEST_F(SpeedDialSaveTest, CsrWritesEveryAttachedHeadset) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x5310), sim::csrModel(0x5310)}));
    EXPECT_EQ(saveDials(), sd::kSaved);
    for (size_t h = 0; h < 2; ++h) {
        std::vector<uint16_t> keys;
        for (const auto& w : csr(h).psWrites()) keys.push_back(w.key);
        EXPECT_EQ(keys, (std::vector<uint16_t>{0x2280, 0x2281, 0x2282})) << "headset " << h;
    }
}

TEST_F(SpeedDialSaveTest, CsrFirstProductIdZeroCannotOpen) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x4D10)}));
    csrOpen = [](uint32_t ids[2], char* message, int budget, int mode) {
        int r = csr_usb_open_retry(ids, message, budget, mode);
        ids[0] = 0;
        return r;
    };
    EXPECT_EQ(saveDials(), sd::kCannotOpenUsb);
    EXPECT_TRUE(csr().psWrites().empty());
    EXPECT_TRUE(csr().claimed().empty()) << "what was opened is closed";
}

struct ShortCase {
    const char* name;
    std::array<device::OptString, 3> dials;
    std::array<std::string, 3> sent;
};
void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialShortCommand : public SpeedDialSaveTest, public ::testing::WithParamInterface<ShortCase> {};

TEST_P(SpeedDialShortCommand, TheTextAndOneZeroByteFitTheReport) {
    const ShortCase& c = GetParam();
    auto headset = plugShortCommandHeadset();
    dials.dials = c.dials;
    EXPECT_EQ(saveDials(), sd::kSaved);
    for (uint8_t id = 5; id <= 7; ++id)
        EXPECT_EQ(headset->speedDialBytes(id), shortBytes(c.sent[id - 5u])) << "id " << int(id);
}

const std::string kSixty(60, '7');
const std::string kWideAtTheEdge = std::string(56, '1') + "\xC3\xA9";  // "é" would end past the room

INSTANTIATE_TEST_SUITE_P(
    Save, SpeedDialShortCommand,
    ::testing::Values(ShortCase{"empty, a number, twenty", {"", kNumber, kTwenty}, {"", kNumber, kTwenty}},
                      ShortCase{"a 60-character dial is cut to 57 bytes", {kSixty, "1", "2"},
                                {kSixty.substr(0, 57), "1", "2"}},
                      ShortCase{"a missing dial goes as an empty one", {std::nullopt, "1", std::nullopt},
                                {"", "1", ""}},
                      ShortCase{"a cut never splits a character", {kWideAtTheEdge, "", ""},
                                {std::string(56, '1'), "", ""}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SpeedDialSaveTest, AFailedDialIsNotHiddenByAGoodLastOne) {
    for (uint8_t refused : {0x37, 0x38, 0x39}) {
        SCOPED_TRACE(int(refused));
        sim_.reset();
        ASSERT_NO_FATAL_FAILURE(plugHid(0x6042));
        chip().refuseWritesTo(refused);
        EXPECT_EQ(saveDials(), sd::kWriteFailed);
        EXPECT_EQ(chip().keyRequests().size(), 3u) << "every dial is still sent";
    }
}

TEST_F(SpeedDialSaveTest, ARefusedShortCommandFailsTheSave) {
    auto headset = plugShortCommandHeadset();
    headset->setShortAnswer(0x04, 6, sim::Answer{2, {}});
    EXPECT_EQ(saveDials(), sd::kWriteFailed);
    EXPECT_TRUE(headset->speedDialBytes(7).has_value()) << "the third dial is still sent";
}

TEST_F(SpeedDialSaveTest, ABusyHeadsetWritesNothing) {
    for (uint16_t model : {0x6500, 0x6510}) {
        sim_.reset();
        ASSERT_NO_FATAL_FAILURE(plugHid(model));
        family().setByte(0x12, 1);
        EXPECT_EQ(saveDials(), sd::kWriteFailed);
        EXPECT_TRUE(chip().keyRequests().empty());
    }
}

TEST_F(SpeedDialSaveTest, TwoChipModelsReadBothChipsVersions) {
    auto versionReads = [](const sim::HeadsetModel& m) {
        int n = 0;
        for (const auto& r : m.requests()) n += r.format == sim::Format::A && r.bytes[1] == 0x01;
        return n;
    };
    ASSERT_NO_FATAL_FAILURE(plugHid(0x4210, {1, 2}, true));
    EXPECT_EQ(saveDials(), sd::kSaved);
    EXPECT_EQ(versionReads(chip(0)), 1);
    EXPECT_EQ(versionReads(chip(1)), 1);
}

struct DialIdentityCase {
    const char* name;
    uint16_t target;
    bool twoChips;
    std::function<void(SpeedDialSaveTest&)> fault;
};
void PrintTo(const DialIdentityCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialIdentity : public SpeedDialSaveTest, public ::testing::WithParamInterface<DialIdentityCase> {
  public:
    static void otherVersion(SpeedDialSaveTest& t, int chip) { t.setVersion(chip, {9, 9, 0, 0}); }
};

TEST_P(SpeedDialIdentity, NothingIsWrittenToAnotherHeadset) {
    const DialIdentityCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHid(c.target, {1, 2}, c.twoChips));
    c.fault(*this);
    EXPECT_EQ(saveDials(), sd::kNotRecognized);
    EXPECT_TRUE(chip(0).keyRequests().empty());
    if (c.twoChips) {
        EXPECT_TRUE(chip(1).keyRequests().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Save, SpeedDialIdentity,
    ::testing::Values(
        DialIdentityCase{"no headset opens", 0x6042, false, [](auto& t) { t.openFails = true; }},
        DialIdentityCase{"another product answers", 0x6042, false, [](auto& t) { t.openedProductId = 0x6039; }},
        DialIdentityCase{"two-chip: the first chip runs other firmware", 0x4610, true,
                         [](auto& t) { SpeedDialIdentity::otherVersion(t, 0); }},
        DialIdentityCase{"two-chip: the second chip runs other firmware", 0x4610, true,
                         [](auto& t) { SpeedDialIdentity::otherVersion(t, 1); }},
        DialIdentityCase{"two-chip: the second chip's version cannot be read", 0x4610, true,
                         [](auto& t) { t.failVersion(1); }},
        DialIdentityCase{"block 0x5A: other main firmware", 0x3030, false,
                         [](auto& t) { SpeedDialIdentity::otherVersion(t, 0); }},
        DialIdentityCase{"block 0x5A: the first-chip version is the one compared", 0x3110, false,
                         [](auto& t) { t.in.data.setDeviceVersion01Major(1, 3); }},
        DialIdentityCase{"block 0x5A: the version cannot be read", 0x3030, false, [](auto& t) { t.failVersion(0); }}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SpeedDialSaveTest, TwoChipWithoutItsSecondChipOpenIsNotRecognized) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x4610, {1, 2}, false));  // the program's open fills slot 0 only
    EXPECT_EQ(saveDials(), sd::kNotRecognized);
    EXPECT_TRUE(chip(0).keyRequests().empty());
}

struct CsrDialIdentityCase {
    const char* name;
    std::function<void(sim::CsrStore&)> store;
    std::function<void(save::DeviceSettingsSaveInput&)> records;
    int32_t result;
};
void PrintTo(const CsrDialIdentityCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialCsrIdentity : public SpeedDialSaveTest, public ::testing::WithParamInterface<CsrDialIdentityCase> {};

TEST_P(SpeedDialCsrIdentity, NothingIsWrittenToAnotherHeadset) {
    const CsrDialIdentityCase& c = GetParam();
    sim::CsrStore store = sim::csrModel(0x4D10);
    c.store(store);
    ASSERT_NO_FATAL_FAILURE(plugCsr({store}));
    in.deviceTarget = in.usbStatus = 0x4D10;
    in.data.setDeviceRecognized(0x4D10);
    c.records(in);
    EXPECT_EQ(saveDials(), c.result);
    EXPECT_TRUE(csr().psWrites().empty());
    EXPECT_TRUE(csr().claimed().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Save, SpeedDialCsrIdentity,
    ::testing::Values(
        CsrDialIdentityCase{"firmware-management mode", [](sim::CsrStore& s) { s.dfuMode = true; }, [](auto&) {},
                            sd::kFirmwareManagement},
        CsrDialIdentityCase{"another USB product id", [](sim::CsrStore&) {}, [](auto& in) { in.usbStatus = 0x4D20; },
                            sd::kNotRecognized},
        CsrDialIdentityCase{"another product id in the store", [](sim::CsrStore& s) { s.productIdKey = 0x4D50; },
                            [](auto&) {}, sd::kNotRecognized},
        CsrDialIdentityCase{"another firmware", [](sim::CsrStore&) {},
                            [](auto& in) { in.data.setDeviceVersionMajor(4, 9); }, sd::kNotRecognized}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SpeedDialSaveTest, NoCsrHeadsetCannotOpen) {
    sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{}, std::vector<sim::UsbDevice>{});
    ASSERT_TRUE(sim_->mocked());
    in.deviceTarget = in.usbStatus = 0x4D10;
    EXPECT_EQ(saveDials(), sd::kCannotOpenUsb);
}

TEST(SpeedDialRoads, ModelsTakeTheirRoadInOrder) {
    const std::pair<int32_t, sd::Road> cases[] = {
        {0x2030, sd::Road::TwoChip},      {0x4610, sd::Road::TwoChip},  {0x6806, sd::Road::ShortCommand},
        {0x6A04, sd::Road::ShortCommand}, {0x6042, sd::Road::Block37},  {0x6910, sd::Road::Block37},
        {0x4D06, sd::Road::Block37},      {0x3030, sd::Road::Block5A},  {0x6400, sd::Road::Block5A},
        {0x4D10, sd::Road::Csr},          {0x3070, sd::Road::Csr},      {0x6430, sd::Road::Csr},
    };
    for (const auto& [model, road] : cases) EXPECT_EQ(sd::roadFor(model), road) << std::hex << model;
}

}  // namespace
}  // namespace settings::testing
