// The FM radio save against the simulated headset: for each road the bytes the headset receives
// (key, word count, magic, words high byte first, the commit's words low byte first, the short
// command's layout, the PS key's fifteen words), then the identity checks and failures that end a
// save with their codes.
#include "SaveFixture.h"
#include "settings/save/FmRadioModels.h"
#include "settings/save/FmRadioSave.h"

namespace settings::testing {
namespace {

using sim::Format;
using FmWords = std::vector<uint16_t>;
using FmSent = std::vector<sim::SettingBlocksModel::KeyRequest>;
using save::FmRoad;

// The edit buffer's FM fields, apart from anything the records held.
constexpr int32_t kFmFrequency = 9010, kFmCurrentPreset = 2, kFmRds = 1, kFmRegion = 4;
constexpr int32_t kFmPresets[10] = {8750, 8800, 8810, 9000, 9500, 10000, 10100, 10200, 10300, 10800};

FmWords imageWith(uint16_t magic, int presets) {
    FmWords w = {magic, kFmFrequency, kFmCurrentPreset};
    for (int i = 0; i < presets; ++i) w.push_back(static_cast<uint16_t>(kFmPresets[i]));
    w.push_back(kFmRds);
    w.push_back(kFmRegion);
    return w;
}

sim::SettingBlocksModel::KeyRequest fmWrite(uint8_t key, FmWords words) { return {Format::A, 0x04, key, std::move(words)}; }
// The commit repeats the block, its words low byte first.
sim::SettingBlocksModel::KeyRequest fmCommit(uint8_t key, FmWords words) {
    return {Format::A, 0x11, key, std::move(words)};
}

class FmSave : public SaveSimTest {
  public:
    void editFm() {
        device::ORVABluetoothDeviceData& d = in.dataCurrent;
        d.setFmRadioMagicCode(0x1234);  // never sent: the magic is the model's
        d.setFmRadioCurrentFrequency(kFmFrequency);
        d.setFmRadioCurrentPreset(kFmCurrentPreset);
        for (int i = 0; i < 10; ++i) d.setFmRadioPresetsAt(i, kFmPresets[i]);
        d.setFmRadioRDS(kFmRds);
        d.setFmRadioRegion(kFmRegion);
    }

    int32_t fmSave() {
        editFm();
        return save::fmRadioThreadMethodSave(
            in, [this](uint32_t* pid, char* m) { return openSimulated(pid, m); }, stop);
    }

    // The format A request that carried the key's write, as the headset saw it.
    std::vector<uint8_t> rawWrite(int chipIndex, uint8_t key) {
        std::vector<uint8_t> sent;
        for (const auto& r : chipAt(chipIndex).requests())
            if (r.format == Format::A && r.bytes[1] == 0x04 && r.bytes[2] == key) sent = r.bytes;
        return sent;
    }

    sim::SettingBlocksModel& chipAt(int i) { return *chip_[i]; }
};

struct FmRoadCase {
    const char* name;
    uint16_t target;
    bool twoChips = false;
    FmSent chip0 = {};
    FmSent chip1 = {};
};
void PrintTo(const FmRoadCase& c, std::ostream* os) { *os << c.name; }

class FmRoads : public FmSave, public ::testing::WithParamInterface<FmRoadCase> {};

TEST_P(FmRoads, TheHeadsetReceivesTheModelsImage) {
    const FmRoadCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHid(c.target, {}, c.twoChips));
    ASSERT_EQ(fmSave(), save::kFmSaved);
    EXPECT_EQ(chip(0).keyRequests(), c.chip0);
    if (c.twoChips) {
        EXPECT_EQ(chipAt(1).keyRequests(), c.chip1);
    }
    EXPECT_EQ(usbhid_slot(0), nullptr) << "the save closes what it opened";
}

INSTANTIATE_TEST_SUITE_P(
    Save, FmRoads,
    ::testing::Values(
        FmRoadCase{"two-chip writes key 0x15 on the second chip", 0x4610, true, {},
                   {fmWrite(0x15, imageWith(0x66E9, 10))}},
        FmRoadCase{"block 0x44 without a status", 0x6042, false, {fmWrite(0x44, imageWith(0x66E9, 10))}},
        FmRoadCase{"block 0x44 after the ready status", 0x6510, false, {fmWrite(0x44, imageWith(0x66E9, 10))}},
        FmRoadCase{"block 0x15 of the main version, no commit", 0x3030, false,
                   {fmWrite(0x15, imageWith(0x66E9, 10))}},
        FmRoadCase{"block 0x15 of the first-chip version", 0x3110, false, {fmWrite(0x15, imageWith(0x66E9, 10))}},
        FmRoadCase{"six presets in eleven words, then the commit", 0x6010, false,
                   {fmWrite(0x15, imageWith(0x56E9, 6)), fmCommit(0x15, imageWith(0x56E9, 6))}},
        FmRoadCase{"the five committing models send fifteen words with 0x56E9", 0x5412, false,
                   {fmWrite(0x15, imageWith(0x56E9, 10)), fmCommit(0x15, imageWith(0x56E9, 10))}}),
    [](const auto& info) { return "Road" + std::to_string(info.index); });

TEST_F(FmSave, FormatAWordsGoHighByteFirstAfterKeyAndCount) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6042));
    ASSERT_EQ(fmSave(), save::kFmSaved);
    std::vector<uint8_t> sent = rawWrite(0, 0x44);
    ASSERT_EQ(sent.size(), kLongRequestSize);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + 8),
              (std::vector<uint8_t>{0x01, 0x04, 0x44, 15, 0x66, 0xE9, 0x23, 0x32}));
    EXPECT_TRUE(std::all_of(sent.begin() + 4 + 30, sent.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(FmSave, SixPresetModelsCountElevenWords) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6036));
    ASSERT_EQ(fmSave(), save::kFmSaved);
    std::vector<uint8_t> sent = rawWrite(0, 0x15);
    ASSERT_EQ(sent.size(), kLongRequestSize);
    EXPECT_EQ(sent[3], 11);
    EXPECT_EQ(sent[4], 0x56);
    EXPECT_EQ(sent[5], 0xE9);
    // Presets 7 to 10 of the buffer are not sent.
    EXPECT_TRUE(std::all_of(sent.begin() + 4 + 22, sent.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(FmSave, ShortCommandCarriesFifteenWordsLowByteFirst) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6806));
    chip().setShortBlock(0x08, FmWords(15, 0));
    ASSERT_EQ(fmSave(), save::kFmSaved);
    std::vector<uint8_t> sent;
    for (const auto& r : sim_->model().requests())
        if (r.format == Format::B) sent = r.bytes;
    ASSERT_EQ(sent.size(), kShortReportSize);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + 8),
              (std::vector<uint8_t>{0x01, 0x3C, 0x04, 0x08, 0xE9, 0x66, 0x32, 0x23}));
    EXPECT_TRUE(std::all_of(sent.begin() + 34, sent.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(chip().shortBlock(0x08), imageWith(0x66E9, 10));
}

struct FmFaultCase {
    const char* name;
    uint16_t target;
    bool twoChips;
    std::function<void(FmSave&)> fault;
    int32_t result;
};
void PrintTo(const FmFaultCase& c, std::ostream* os) { *os << c.name; }

class FmFaults : public FmSave, public ::testing::WithParamInterface<FmFaultCase> {};

TEST_P(FmFaults, NothingIsWrittenAndTheCodeTellsWhy) {
    const FmFaultCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHid(c.target, {}, c.twoChips));
    if (c.target == 0x6806) chip().setShortBlock(0x08, FmWords(15, 0));
    c.fault(*this);
    EXPECT_EQ(fmSave(), c.result);
    for (int i = 0; i < (c.twoChips ? 2 : 1); ++i) {
        EXPECT_FALSE(chipAt(i).block(0x15).has_value()) << "chip " << i;
        EXPECT_FALSE(chipAt(i).block(0x44).has_value()) << "chip " << i;
    }
    if (c.target == 0x6806) {
        EXPECT_EQ(chip().shortBlock(0x08), FmWords(15, 0));
    }
    EXPECT_EQ(usbhid_slot(0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Save, FmFaults,
    ::testing::Values(
        FmFaultCase{"second chip on another version", 0x4610, true,
                    [](FmSave& t) { t.setVersion(1, {2, 1, 0, 0}); }, save::kFmNotRecognized},
        FmFaultCase{"two-chip first chip on another version", 0x2030, true,
                    [](FmSave& t) { t.setVersion(0, {2, 1, 0, 0}); }, save::kFmNotRecognized},
        FmFaultCase{"a failed version read", 0x3030, false, [](FmSave& t) { t.failVersion(0); },
                    save::kFmNotRecognized},
        FmFaultCase{"first-chip version differs", 0x3110, false,
                    [](FmSave& t) { t.in.data.setDeviceVersion01Major(3, 0); }, save::kFmNotRecognized},
        FmFaultCase{"status byte 1 on 0x6510", 0x6510, false, [](FmSave& t) { t.family().setByte(0x12, 1); },
                    save::kFmWriteFailed},
        FmFaultCase{"a failed status request on 0x6500", 0x6500, false,
                    [](FmSave& t) { t.family().setAnswer(Format::A, 0x12, sim::Answer{2, {}}); },
                    save::kFmWriteFailed},
        FmFaultCase{"the block refused", 0x3030, false, [](FmSave& t) { t.chip().refuseWritesTo(0x15); },
                    save::kFmWriteFailed},
        FmFaultCase{"block 0x44 refused", 0x6042, false, [](FmSave& t) { t.chip().refuseWritesTo(0x44); },
                    save::kFmWriteFailed},
        FmFaultCase{"the short command refused", 0x6806, false, [](FmSave& t) { t.chip().refuseWritesTo(0x08); },
                    save::kFmWriteFailed},
        FmFaultCase{"the open fails", 0x6042, false, [](FmSave& t) { t.openFails = true; }, save::kFmNotRecognized},
        FmFaultCase{"another product answers", 0x6042, false, [](FmSave& t) { t.openedProductId = 0x6038; },
                    save::kFmNotRecognized}),
    [](const auto& info) { return "Fault" + std::to_string(info.index); });

TEST_F(FmSave, AnOpenOverAFilledSlotClosesItFirst) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x3030));
    uint32_t pid = 0;
    char message[kOpenMessageSize] = {};
    ASSERT_EQ(openSimulated(&pid, message), 0);
    ASSERT_NE(usbhid_slot(0), nullptr);
    EXPECT_EQ(fmSave(), save::kFmSaved);
    EXPECT_EQ(usbhid_slot(0), nullptr);
}

// ---- the CSR road -----------------------------------------------------------------------------

TEST_F(FmSave, CsrModelsWriteTheFifteenWordsToKey029F) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x4D15)}));
    ASSERT_EQ(fmSave(), save::kFmSaved);
    auto writes = csr().psWrites();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].key, 0x029F);
    EXPECT_EQ(writes[0].words, imageWith(0x66E9, 10));
    EXPECT_TRUE(csr().claimed().empty()) << "the save releases the headset";
}

TEST_F(FmSave, CsrModelOutsideTheFmKeyModelsPassesItsChecksAndWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x4D10)}));
    EXPECT_EQ(fmSave(), save::kFmSaved);
    EXPECT_TRUE(csr().psWrites().empty());
    EXPECT_TRUE(csr().keysRead().size() > 0) << "its identity was read";
}

TEST_F(FmSave, AirohaModelsTakeTheCsrRoadAndReceiveNoFmData) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6838));
    EXPECT_EQ(fmSave(), save::kFmCannotOpenUsb);
    EXPECT_TRUE(chip().keyRequests().empty());
    EXPECT_TRUE(sim_->model().requests().empty());
}

TEST_F(FmSave, CsrFailuresEndWithTheirCodes) {
    struct Case {
        const char* name;
        std::function<void(sim::CsrStore&)> store;
        std::function<void(save::DeviceSettingsSaveInput&)> records;
        int32_t result;
    };
    const Case cases[] = {
        {"firmware-management mode", [](sim::CsrStore& s) { s.dfuMode = true; }, [](auto&) {},
         save::kFmFirmwareManagement},
        {"another USB product id", [](sim::CsrStore&) {}, [](auto& in) { in.usbStatus = 0x4D45; },
         save::kFmNotRecognized},
        {"another firmware", [](sim::CsrStore&) {}, [](auto& in) { in.data.setDeviceVersionMajor(9, 9); },
         save::kFmNotRecognized},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::CsrStore store = sim::csrModel(0x4D15);
        c.store(store);
        csr_.clear();
        ASSERT_NO_FATAL_FAILURE(plugCsr({store}));
        c.records(in);
        EXPECT_EQ(fmSave(), c.result);
        EXPECT_TRUE(csr().psWrites().empty());
        EXPECT_TRUE(csr().claimed().empty());
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(FmSave, NoCsrHeadsetCannotOpen) {
    sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{}, std::vector<sim::UsbDevice>{});
    ASSERT_TRUE(sim_->mocked());
    in.deviceTarget = in.usbStatus = 0x4D15;
    EXPECT_EQ(fmSave(), save::kFmCannotOpenUsb);
}

// Only the 0x5310 family opens two headsets; chosen as an FM key model, both receive the image.
TEST_F(FmSave, TwoCsrHeadsetsAreBothWrittenAndASecondMismatchStopsAfterTheFirst) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x5310), sim::csrModel(0x5310)}));
    in.deviceTarget = 0x4D15;
    EXPECT_EQ(fmSave(), save::kFmSaved);
    EXPECT_EQ(csr(0).psWrites().size(), 1u);
    EXPECT_EQ(csr(1).psWrites().size(), 1u);
    csr_usb_exit();
    sim_.reset();
    csr_.clear();

    sim::CsrStore other = sim::csrModel(0x5310);
    other.withVersion(99);
    ASSERT_NO_FATAL_FAILURE(plugCsr({sim::csrModel(0x5310), other}));
    in.deviceTarget = 0x4D15;
    EXPECT_EQ(fmSave(), save::kFmNotRecognized);
    EXPECT_EQ(csr(0).psWrites().size(), 1u);
    EXPECT_TRUE(csr(1).psWrites().empty());
}

// ---- the model tables -------------------------------------------------------------------------

TEST(FmRadioModels, GroupSizesAndRoads) {
    int fm = 0, block44 = 0, block15 = 0, firstChip = 0;
    for (int32_t id = 0; id <= 0xFFFF; ++id) {
        fm += save::isFmRadioModel(id);
        block44 += save::fmRoadFor(id) == FmRoad::Block44;
        block15 += save::fmRoadFor(id) == FmRoad::Block15;
        firstChip += save::checksFirstChipVersion(id);
    }
    EXPECT_EQ(fm, 186);
    EXPECT_EQ(block44, 46);
    EXPECT_EQ(block15, 103);
    EXPECT_EQ(firstChip, 40);

    const std::pair<int32_t, FmRoad> roads[] = {
        {0x2030, FmRoad::TwoChip}, {0x4610, FmRoad::TwoChip},     {0x6838, FmRoad::Csr},
        {0x6A04, FmRoad::Csr},     {0x6806, FmRoad::ShortCommand}, {0x6042, FmRoad::Block44},
        {0x321B, FmRoad::Block44}, {0x321C, FmRoad::Block15},      {0x6400, FmRoad::Block15},
        {0x4D15, FmRoad::Csr},     {0x4050, FmRoad::Csr},
    };
    for (const auto& [id, road] : roads) EXPECT_EQ(save::fmRoadFor(id), road) << std::hex << id;
}

TEST(FmRadioModels, MagicIs56E9OnlyForTheSixPresetImageAndTheFiveCommittingModels) {
    for (int32_t id : {0x6010, 0x6036, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420}) {
        EXPECT_EQ(save::fmMagicFor(id), 0x56E9) << std::hex << id;
        EXPECT_TRUE(save::commitsFmBlock(id)) << std::hex << id;
    }
    for (int32_t id : {0x5424, 0x3030, 0x6042, 0x4D15, 0x4610}) {
        EXPECT_EQ(save::fmMagicFor(id), 0x66E9) << std::hex << id;
        EXPECT_FALSE(save::commitsFmBlock(id)) << std::hex << id;
    }
}

}  // namespace
}  // namespace settings::testing
