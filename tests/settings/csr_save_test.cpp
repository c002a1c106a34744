// The device settings save of the CSR headsets: only the keys whose value the user changed are
// written, with the EDR word sets, the VOX levels or the settings word by firmware, the radio
// gain and time-out of 0x5210; each refused key, each identity failure, and two headsets.
#include "SaveFixture.h"

namespace settings::testing {
namespace {

using save::kSaved;
using sim::csrModel;
using sim::CsrStore;
using Writes = std::vector<std::pair<uint16_t, std::vector<uint16_t>>>;

Writes writesOf(const sim::UsbHeadsetModel& h) {
    Writes out;
    for (const auto& w : h.psWrites()) out.emplace_back(w.key, w.words);
    return out;
}

const std::vector<uint16_t> kEdrOn = {0xFEFF, 0xF88F, 0x1E18, 0x8359};
const std::vector<uint16_t> kEdrOff = {0xFEFF, 0xFE8F, 0xFF98, 0x8359};

struct CsrCase {
    const char* name;
    uint16_t model;
    int versionCode;
    std::function<void(device::ORVABluetoothDeviceData& now, device::ORVABluetoothDeviceData& was)> edit;
    Writes writes;
};
void PrintTo(const CsrCase& c, std::ostream* os) { *os << c.name; }

class CsrKeys : public SaveSimTest, public ::testing::WithParamInterface<CsrCase> {};

std::vector<CsrCase> csrCases() {
    using R = device::ORVABluetoothDeviceData;
    return {
        {"nothing changed writes nothing", 0x4D10, 50, [](R&, R&) {}, {}},
        {"EDR turned on writes the first set", 0x5310, 11, [](R& now, R&) { now.setEdr(1); }, {{0x00EF, kEdrOn}}},
        {"EDR turned off writes the second set", 0x5310, 11,
         [](R& now, R& was) {
             was.setEdr(1);
             now.setEdr(0);
         },
         {{0x00EF, kEdrOff}}},
        {"VOX levels below 4.0 go to keys 664 and 665", 0x4D10, 39,
         [](R& now, R&) {
             now.setIntercomVOX(3);
             now.setHandsfreeVOX(2);
         },
         {{0x0298, {3}}, {0x0299, {2}}}},
        {"only the changed VOX level is written", 0x5080, 39, [](R& now, R&) { now.setHandsfreeVOX(1); },
         {{0x0299, {1}}}},
        {"from 4.0 the VOX models write the settings word", 0x4D10, 40, [](R& now, R&) { now.setHandsfreeVOX(1); },
         {{0x028E, {0xFFFF, 0}}}},
        {"the settings word goes as its low 16 bits and 0", 0x6430, 11, [](R& now, R&) { now.setVoicePrompt(1); },
         {{0x028E, {0xFFFF, 0}}}},
        {"radio transmit gain and the time-out in milliseconds", 0x5210, 11,
         [](R& now, R& was) {
             was.setRadioTransmitGain(15);
             now.setRadioTransmitGain(12);
             was.setAudioChannelTimeout(5);
             now.setAudioChannelTimeout(60);
         },
         {{0x02AC, {12}}, {0x02AA, {60000}}}},
        {"a time-out of 3 seconds is 3000", 0x5210, 11,
         [](R& now, R& was) {
             was.setAudioChannelTimeout(5);
             now.setAudioChannelTimeout(3);
         },
         {{0x02AA, {3000}}}},
        {"a model without keys of its own writes only EDR", 0x5310, 11, [](R& now, R&) { now.setHandsfreeVOX(1); },
         {}},
    };
}

TEST_P(CsrKeys, OnlyChangedSettingsAreWritten) {
    const CsrCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugCsr({csrModel(c.model).withVersion(c.versionCode, 1, 2)}));
    in.dataCurrent.copyWithSource(in.data, false);
    c.edit(in.dataCurrent, in.data);
    Writes expected = c.writes;
    // The settings word as the record packs it for the model.
    for (auto& [key, words] : expected)
        if (key == 0x028E) words[0] = static_cast<uint16_t>(in.dataCurrent.getSettings40());
    EXPECT_EQ(save(), kSaved);
    EXPECT_EQ(writesOf(csr()), expected);
    EXPECT_TRUE(csr().claimed().empty()) << "the save releases the headset";
}

INSTANTIATE_TEST_SUITE_P(Save, CsrKeys, ::testing::ValuesIn(csrCases()),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

struct RefusedCase {
    const char* name;
    uint16_t model;
    int versionCode;
    uint16_t refused;
    int32_t result;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class CsrRefused : public SaveSimTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(CsrRefused, EachKeyHasItsCode) {
    const RefusedCase& c = GetParam();
    CsrStore store = csrModel(c.model).withVersion(c.versionCode, 1, 2);
    ASSERT_NO_FATAL_FAILURE(plugCsr({store}));
    csr().refuseWrites(c.refused);
    in.dataCurrent.copyWithSource(in.data, false);
    in.dataCurrent.setEdr(1);
    in.dataCurrent.setIntercomVOX(3);
    in.dataCurrent.setHandsfreeVOX(2);
    in.dataCurrent.setRadioTransmitGain(12);
    in.dataCurrent.setAudioChannelTimeout(30);
    EXPECT_EQ(save(), c.result);
}

INSTANTIATE_TEST_SUITE_P(Save, CsrRefused,
                         ::testing::Values(RefusedCase{"EDR", 0x4D10, 39, 0x00EF, save::kEdrNotSaved},
                                           RefusedCase{"VOX intercom", 0x4D10, 39, 0x0298, save::kVoxIntercomNotSaved},
                                           RefusedCase{"VOX phone", 0x4D10, 39, 0x0299, save::kVoxPhoneNotSaved},
                                           RefusedCase{"settings word", 0x4D10, 40, 0x028E, save::kWriteFailed},
                                           RefusedCase{"radio gain", 0x5210, 11, 0x02AC, save::kRadioGainNotSaved},
                                           RefusedCase{"time-out", 0x5210, 11, 0x02AA, save::kTimeoutNotSaved}),
                         [](const auto& info) { return "Key" + std::to_string(info.index); });

struct IdentityCase {
    const char* name;
    std::function<void(CsrStore&)> store;
    std::function<void(save::DeviceSettingsSaveInput&)> records;
    int32_t result;
};
void PrintTo(const IdentityCase& c, std::ostream* os) { *os << c.name; }

class CsrIdentity : public SaveSimTest, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(CsrIdentity, OnlyTheRecognizedHeadsetIsWritten) {
    const IdentityCase& c = GetParam();
    CsrStore store = csrModel(0x4D10);
    c.store(store);
    ASSERT_NO_FATAL_FAILURE(plugCsr({store}));
    in.deviceTarget = in.usbStatus = 0x4D10;
    in.data.setDeviceRecognized(0x4D10);
    in.dataCurrent.setEdr(1);
    c.records(in);
    EXPECT_EQ(save(), c.result);
    EXPECT_EQ(csr().psWrites().empty(), c.result != kSaved);
    EXPECT_TRUE(csr().claimed().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Save, CsrIdentity,
    ::testing::Values(
        IdentityCase{"firmware-management mode", [](CsrStore& s) { s.dfuMode = true; }, [](auto&) {},
                     save::kFirmwareManagement},
        IdentityCase{"another USB product id", [](CsrStore&) {}, [](auto& in) { in.usbStatus = 0x4D20; },
                     save::kNotRecognized},
        IdentityCase{"another product id in the store", [](CsrStore& s) { s.productIdKey = 0x4D50; }, [](auto&) {},
                     save::kNotRecognized},
        IdentityCase{"an unreadable product id counts as 0x4D10",
                     [](CsrStore& s) { s.productIdKey.reset(); }, [](auto&) {}, save::kSaved},
        IdentityCase{"another firmware", [](CsrStore&) {}, [](auto& in) { in.data.setDeviceVersionMajor(4, 9); },
                     save::kNotRecognized}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SaveSimTest, NoCsrHeadsetCannotOpen) {
    sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{}, std::vector<sim::UsbDevice>{});
    ASSERT_TRUE(sim_->mocked());
    in.deviceTarget = in.usbStatus = 0x4D10;
    EXPECT_EQ(save(), save::kCannotOpenUsb);
}

TEST_F(SaveSimTest, TwoHeadsetsAreCheckedAndWrittenInOrder) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({csrModel(0x5310), csrModel(0x5310)}));
    in.dataCurrent.copyWithSource(in.data, false);
    in.dataCurrent.setEdr(1);
    EXPECT_EQ(save(), kSaved);
    EXPECT_EQ(writesOf(csr(0)), (Writes{{0x00EF, kEdrOn}}));
    EXPECT_EQ(writesOf(csr(1)), (Writes{{0x00EF, kEdrOn}}));
}

TEST_F(SaveSimTest, ARefusedKeyOnTheSecondHeadsetLeavesTheFirstWritten) {
    ASSERT_NO_FATAL_FAILURE(plugCsr({csrModel(0x5310), csrModel(0x5310)}));
    csr(1).refuseWrites(0x00EF);
    in.dataCurrent.copyWithSource(in.data, false);
    in.dataCurrent.setEdr(1);
    EXPECT_EQ(save(), save::kEdrNotSaved);
    EXPECT_EQ(writesOf(csr(0)), (Writes{{0x00EF, kEdrOn}}));
    EXPECT_FALSE(csr(1).key(0x00EF)) << "refused, not stored";
}

}  // namespace
}  // namespace settings::testing
