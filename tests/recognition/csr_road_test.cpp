// The CSR road over the simulated USB: how it opens, what it writes into the persistent store
// (power table, restored backup), headsets in firmware-management mode, the two-device headset,
// and how each failure ends the run.
#include "CsrRoadFixture.h"
#include "recognition/CsrRoadTexts.h"

namespace {

using csrtest::CsrRoadTest;
using device::ORVABluetoothDeviceData;
using recognition::kRecognizeFailure;
using recognition::kRecognizeOtherDevice;
using recognition::kRecognizeSuccess;
using sim::CsrStore;
using sim::csrModel;

std::vector<uint16_t> keysOf(const std::vector<sim::UsbHeadsetModel::PsWrite>& writes) {
    std::vector<uint16_t> keys;
    for (const auto& w : writes) keys.push_back(w.key);
    return keys;
}

std::vector<uint16_t> wordsOf(const std::vector<sim::UsbHeadsetModel::PsWrite>& writes, uint16_t key) {
    for (const auto& w : writes)
        if (w.key == key) return w.words;
    return {};
}

// ---- power table ------------------------------------------------------------------------------

struct PowerCase {
    const char* name;
    uint16_t productId;
    uint32_t digits;
    // Keys written in order; for the table key 0x0031 its length and first word, for the others
    // their one word.
    std::vector<uint16_t> keys;
    std::vector<uint16_t> singleWords;
    size_t tableWords;
    uint16_t tableFirst;
};
void PrintTo(const PowerCase& c, std::ostream* os) { *os << c.name; }

const std::vector<uint16_t> kFullPatch = {0x0017, 0x0021, 0x002D, 0x0031, 0x01F6, 0x0209, 0x0242};

class CsrPowerTable : public CsrRoadTest, public ::testing::WithParamInterface<PowerCase> {};

TEST_P(CsrPowerTable, UnitsAboveTheModelsAddressGetItsPatch) {
    const PowerCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(c.productId).withAddressDigits(c.digits)}));
    recognize();
    ASSERT_EQ(result(), kRecognizeSuccess) << status();
    const auto writes = headset().psWrites();
    EXPECT_EQ(keysOf(writes), c.keys);
    size_t single = 0;
    for (const auto& w : writes) {
        if (w.key == 0x0031) {
            EXPECT_EQ(w.words.size(), c.tableWords);
            if (!w.words.empty()) {
                EXPECT_EQ(w.words[0], c.tableFirst);
            }
        } else if (single < c.singleWords.size()) {
            EXPECT_EQ(w.words, std::vector<uint16_t>{c.singleWords[single++]}) << std::hex << w.key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Csr, CsrPowerTable,
    ::testing::Values(
        PowerCase{"AtTheThresholdNothing", 0x4D05, 0x2DD49E, {}, {}, 0, 0},
        PowerCase{"OneAboveFirstRow", 0x4D05, 0x2DD49F, kFullPatch, {0x0008, 0x0008, 0x0008, 0x0027, 0x0001, 0x0000}, 15, 0x0B00},
        PowerCase{"Model4D85HasItsOwnThreshold", 0x4D85, 0x2E037E, {}, {}, 0, 0},
        PowerCase{"Model4D85AboveItGetsTheFirstRow", 0x4D85, 0x2E037F, kFullPatch,
                  {0x0008, 0x0008, 0x0008, 0x0027, 0x0001, 0x0000}, 15, 0x0B00},
        PowerCase{"SecondRowWritesThreeKeys", 0x5040, 0x2DE43F, {0x0017, 0x0021, 0x0031}, {0x0010, 0x0008}, 15, 0x0B00},
        PowerCase{"Model4D20UsesTheLaterThreshold", 0x4D20, 0x2C9BD2, {}, {}, 0, 0},
        PowerCase{"Model4D10AboveItsThreshold", 0x4D10, 0x2C9BD2, kFullPatch,
                  {0x0010, 0x000C, 0x0010, 0x0027, 0x0001, 0x0000}, 30, 0x1600},
        PowerCase{"Model6110", 0x6110, 0x34FD7E, kFullPatch, {0x000A, 0x000A, 0x0010, 0x0027, 0x0001, 0x0000}, 25, 0x0500},
        PowerCase{"Model6120", 0x6120, 0x358E09, kFullPatch, {0x000A, 0x000A, 0x000A, 0x0027, 0x0001, 0x0000}, 19, 0x0F00},
        PowerCase{"ModelWithoutAPatch", 0x6111, 0xFFFFFF, {}, {}, 0, 0},
        PowerCase{"Model4D35AtItsThresholdGetsTheFallbackInstead", 0x4D35, 0x2DD49E, {0x0031}, {}, 30, 0x2A00},
        PowerCase{"Model4D35AboveItGetsThePatchAlone", 0x4D35, 0x2DD4A0, kFullPatch,
                  {0x0008, 0x0008, 0x0008, 0x0027, 0x0001, 0x0000}, 15, 0x0B00}),
    [](const ::testing::TestParamInfo<PowerCase>& info) { return std::string(info.param.name); });

// ---- write-back of a restored backup ------------------------------------------------------------

ORVABluetoothDeviceData backupOf(int32_t major, int32_t minor) {
    ORVABluetoothDeviceData b;
    b.setDeviceVersionMajor(major, minor);
    b.setIntercomVOX(2);
    b.setHandsfreeVOX(4);
    b.setVoicePrompt(1);
    b.setRadioTransmitGain(17);
    b.setAudioChannelTimeout(9);
    b.setFmRadioMagicCode(0x56E9);
    b.setFmRadioCurrentFrequency(1001);
    b.setFmRadioCurrentPreset(3);
    for (int i = 0; i < 10; ++i) b.setFmRadioPresetsAt(i, 900 + i);
    b.setFmRadioRDS(1);
    b.setFmRadioRegion(2);
    return b;
}

// The FM block of backupOf, as the 15 words of its key.
std::vector<uint16_t> backupFmWords() {
    std::vector<uint16_t> w = {0x56E9, 1001, 3};
    for (int i = 0; i < 10; ++i) w.push_back(static_cast<uint16_t>(900 + i));
    w.push_back(1);
    w.push_back(2);
    return w;
}

struct WriteBackCase {
    const char* name;
    uint16_t model;
    int32_t backupMajor, backupMinor;
    std::vector<uint16_t> keys;
};
void PrintTo(const WriteBackCase& c, std::ostream* os) { *os << c.name; }

class CsrWriteBack : public CsrRoadTest, public ::testing::WithParamInterface<WriteBackCase> {};

TEST_P(CsrWriteBack, BackupGoesIntoTheSelectedModelsKeysBeforeTheRead) {
    const WriteBackCase& c = GetParam();
    controller.target = c.model;
    const ORVABluetoothDeviceData backup = backupOf(c.backupMajor, c.backupMinor);
    ctx.backup = backup;
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(c.model)}));
    recognize();
    ASSERT_EQ(result(), kRecognizeSuccess) << status();

    const auto writes = headset().psWrites();
    EXPECT_EQ(keysOf(writes), c.keys);
    for (uint16_t key : c.keys) {
        const auto words = wordsOf(writes, key);
        switch (key) {
        case 0x028E: EXPECT_EQ(words, (std::vector<uint16_t>{static_cast<uint16_t>(backup.getSettings40()), 0})); break;
        case 0x0298: EXPECT_EQ(words, std::vector<uint16_t>{2}); break;
        case 0x0299: EXPECT_EQ(words, std::vector<uint16_t>{4}); break;
        case 0x029F: EXPECT_EQ(words, backupFmWords()); break;
        case 0x02AC: EXPECT_EQ(words, std::vector<uint16_t>{17}); break;
        case 0x02AA: EXPECT_EQ(words, std::vector<uint16_t>{9000}); break;
        default: ADD_FAILURE() << std::hex << key;
        }
    }
    // The read that follows sees what was written.
    if (c.model == 0x5210) {
        EXPECT_EQ(controller.record.audioChannelTimeout(), 9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Csr, CsrWriteBack,
    ::testing::Values(WriteBackCase{"OlderFamilyBackupOf3_2WritesVoxLevels", 0x4D20, 3, 2, {0x0298, 0x0299}},
                      WriteBackCase{"OlderFamilyBackupOf4_0WritesTheWord", 0x4D20, 4, 0, {0x028E}},
                      WriteBackCase{"OlderFmModelAddsTheFmBlock", 0x5050, 5, 0, {0x028E, 0x029F}},
                      WriteBackCase{"OlderFmModelOldBackupVoxAndFm", 0x5040, 3, 9, {0x0298, 0x0299, 0x029F}},
                      WriteBackCase{"EarlyFmModelWordAndFm", 0x4D85, 1, 0, {0x028E, 0x029F}},
                      WriteBackCase{"EarlyModelWordOnly", 0x4D05, 1, 0, {0x028E}},
                      WriteBackCase{"RadioModelGainAndTimeoutInMilliseconds", 0x5210, 1, 0, {0x02AC, 0x02AA}},
                      WriteBackCase{"LaterModelWord", 0x6121, 1, 0, {0x028E}},
                      WriteBackCase{"ModelWithoutKeysWritesNothing", 0x3010, 1, 0, {}}),
    [](const ::testing::TestParamInfo<WriteBackCase>& info) { return std::string(info.param.name); });

TEST_F(CsrRoadTest, RefusedWriteBackEndsWithCannotRestoreAndNoSettingsRead) {
    controller.target = 0x4D20;
    controller.usb = 0x4D20;
    ctx.backup = backupOf(3, 2);
    CsrStore store = csrModel(0x4D20);
    ASSERT_NO_FATAL_FAILURE(plug({store}));
    headset().refuseWrites(0x0299);
    recognize();

    EXPECT_EQ(result(), kRecognizeFailure);
    EXPECT_TRUE(page.doWarnThreadRecognize);
    EXPECT_FALSE(page.goFirmwareUpgradeThreadRecognize);
    EXPECT_EQ(status(0), "Cannot restore VOX Phone");
    EXPECT_EQ(status(2), recognition::qelm_string_cannot_restore(665, 2));
    EXPECT_EQ(controller.usb, 0);
    EXPECT_EQ(headset().keysWritten(), (std::vector<uint16_t>{0x0298, 0x0299}));
    for (uint16_t key : headset().keysRead()) EXPECT_NE(key, 0x028E);
    EXPECT_FALSE(controller.recognized);
    EXPECT_EQ(controller.record.deviceRecognized(), 0);
}

TEST_F(CsrRoadTest, HeadsetOtherThanTheSelectedModelIsNeverWritten) {
    controller.target = 0x4D15;
    ctx.backup = backupOf(4, 0);
    // Above its power-table threshold, so the patch would be written to the selected model.
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x6110).withAddressDigits(0x34FD7E)}));
    recognize();

    EXPECT_EQ(result(), kRecognizeOtherDevice);
    EXPECT_TRUE(headset().keysWritten().empty());
    EXPECT_FALSE(page.doWarnThreadRecognize);
    EXPECT_FALSE(page.goFirmwareUpgradeThreadRecognize);
    EXPECT_EQ(controller.target, 0x4D15);
    EXPECT_FALSE(controller.recognized);
}

TEST_F(CsrRoadTest, SiblingOfTheSelectedModelIsRecognized) {
    controller.target = 0x4D10;
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x4D30)}));
    recognize();
    EXPECT_EQ(result(), kRecognizeSuccess) << status();
    EXPECT_EQ(controller.record.deviceRecognized(), 0x4D30);
    EXPECT_EQ(controller.target, 0x4D10);
}

// ---- identity fallbacks -------------------------------------------------------------------------

TEST_F(CsrRoadTest, UnreadableProductIdAndNameGiveTheFirstModelAndItsName) {
    CsrStore store = csrModel(0x4D10);
    store.productIdKey.reset();
    store.name.reset();
    ASSERT_NO_FATAL_FAILURE(plug({store}));
    recognize();
    ASSERT_EQ(result(), kRecognizeSuccess) << status();
    EXPECT_EQ(controller.record.deviceRecognized(), 0x4D10);
    EXPECT_EQ(controller.record.deviceName(), "HEMBRIN");
}

TEST_F(CsrRoadTest, UnreadableAddressIsZeroAndDecidesThePatchOnThat) {
    CsrStore store = csrModel(0x4D35);
    store.address.reset();
    ASSERT_NO_FATAL_FAILURE(plug({store}));
    recognize();
    ASSERT_EQ(result(), kRecognizeSuccess) << status();
    EXPECT_EQ(controller.record.lastSixBDAddress(), "000000");
    EXPECT_EQ(controller.record.bdAddress(), "000000[000000]");
    EXPECT_EQ(headset().keysWritten(), std::vector<uint16_t>{0x0031});  // the fallback table
}

// ---- firmware-management mode -------------------------------------------------------------------

TEST_F(CsrRoadTest, HeadsetInFirmwareManagementModeIsRecognizedByItsIdAtVersionZero) {
    page.isFirst = true;
    CsrStore store = csrModel(0x4D10);
    store.dfuMode = true;
    controller.record.setDeviceVersionMajor(4, 2);
    ASSERT_NO_FATAL_FAILURE(plug({store}));
    recognize();

    EXPECT_EQ(result(), kRecognizeSuccess);
    EXPECT_TRUE(page.doWarnThreadRecognize);
    EXPECT_TRUE(page.goFirmwareUpgradeThreadRecognize);
    EXPECT_EQ(controller.target, 0x4D10);
    EXPECT_EQ(controller.usb, 0xCD10);
    EXPECT_TRUE(controller.recognized);
    EXPECT_EQ(controller.record.deviceRecognized(), 0x4D10);
    EXPECT_EQ(controller.record.deviceVersionMajor(), 0);
    EXPECT_EQ(controller.record.deviceVersionMinor(), 0);
    EXPECT_EQ(status().rfind("Firmware management mode. ", 0), 0u) << status();
    EXPECT_TRUE(headset().bccmdRequests().empty());
}

TEST_F(CsrRoadTest, FirmwareManagementHeadsetIsComparedWithTheSelectionFirst) {
    struct Case {
        const char* name;
        int32_t target;
        uint16_t runtime;
        int32_t result, targetAfter;
    } cases[] = {
        {"sibling of the selection", 0x4D10, 0x4D30, kRecognizeSuccess, 0x4D30},
        {"another model", 0x5010, 0x4D10, kRecognizeOtherDevice, 0x5010},
        {"twin that stands for two run-time ids", 0x6021, 0x6021, kRecognizeSuccess, 0x6020},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller = csrtest::PlainController{};
        controller.target = c.target;
        page.reset();
        CsrStore store = csrModel(c.runtime);
        store.dfuMode = true;
        headsets.clear();
        ASSERT_NO_FATAL_FAILURE(plug({store}));
        recognize();
        EXPECT_EQ(result(), c.result) << status();
        EXPECT_EQ(controller.target, c.targetAfter);
        EXPECT_EQ(controller.record.deviceRecognized(), c.result == kRecognizeSuccess ? c.targetAfter : 0);
        csr_usb_exit();
        sim.reset();
    }
}

// ---- two-device headset -------------------------------------------------------------------------

TEST_F(CsrRoadTest, TwoHalvesOfOneHeadsetMakeOneRecordWithBothAddresses) {
    page.isFirst = true;
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x5310).withAddressDigits(0x111111), csrModel(0x5310).withAddressDigits(0x222222)}));
    recognize();

    EXPECT_EQ(result(), kRecognizeSuccess) << status();
    EXPECT_FALSE(page.doWarnThreadRecognize);
    EXPECT_EQ(controller.record.bdAddress(), "3A6E1A[111111] _ 3A6E1A[222222]");
    EXPECT_EQ(controller.record.lastSixBDAddress(), "222222");
    EXPECT_EQ(controller.record.deviceRecognized(), 0x5310);
    EXPECT_FALSE(headset(0).keysRead().empty());
    EXPECT_FALSE(headset(1).keysRead().empty());
}

TEST_F(CsrRoadTest, SecondHalfOnAnotherVersionGoesToFirmwareManagement) {
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x5310), csrModel(0x5310).withVersion(12)}));
    recognize();

    EXPECT_EQ(result(), kRecognizeSuccess) << status();
    EXPECT_TRUE(page.doWarnThreadRecognize);
    EXPECT_EQ(controller.target, 0x5310);
    EXPECT_EQ(controller.record.deviceRecognized(), 0x5310);
    EXPECT_EQ(controller.record.deviceVersionMajor(), 0);
    EXPECT_EQ(controller.record.bdAddress(), "3A6E1A[100000]");
}

// ---- opening and failures -----------------------------------------------------------------------

TEST_F(CsrRoadTest, FirstRunProbesFirmwareManagementModeOnceAndNotAgain) {
    page.isFirst = true;
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x4D10)}));
    recognize();
    EXPECT_EQ(result(), kRecognizeSuccess) << status();
    EXPECT_FALSE(page.isFirst);
    EXPECT_EQ(status().rfind("Device recognized successfully. ", 0), 0u) << status();
    EXPECT_EQ(headset().claimed(), std::set<int>{});

    page.reset();
    sim->usb().removeNode(0);  // the compatibility probe would now retry for twenty seconds
    recognize();
    EXPECT_EQ(result(), kRecognizeFailure);
    EXPECT_EQ(status(), "Cannot open USB [-1]") << "normal mode only, no retries";
    EXPECT_EQ(clock.sleptMs(), 0);
}

TEST_F(CsrRoadTest, NoHeadsetTriesTwentyTimesOneSecondApartThenCannotOpen) {
    page.isFirst = true;
    ASSERT_NO_FATAL_FAILURE(plug({}));
    recognize();
    EXPECT_EQ(result(), kRecognizeFailure);
    EXPECT_TRUE(page.doWarnThreadRecognize);
    EXPECT_EQ(status(), "Cannot open USB [1]");
    EXPECT_GE(clock.sleptMs(), 19000);
    EXPECT_LE(clock.sleptMs(), 20000);
    EXPECT_TRUE(page.isFirst);
}

TEST_F(CsrRoadTest, CameraWithoutItsCardEndsAsAFailure) {
    controller.target = 0x3020;
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x3020)}));
    recognize();
    EXPECT_EQ(result(), kRecognizeFailure);
    EXPECT_TRUE(page.doWarnThreadRecognize);
    EXPECT_EQ(status(), "Check your SD Card [1000]");
    EXPECT_TRUE(headset().keysWritten().empty());
}

TEST_F(CsrRoadTest, SilentHeadsetEndsAsAFailure) {
    page.isFirst = true;
    controller.target = 0x4D10;
    ctx.backup = backupOf(4, 0);
    ASSERT_NO_FATAL_FAILURE(plug({csrModel(0x4D10)}));
    sim::BccmdFaults silent;
    silent.silent = true;
    headset().setFaults(silent);
    recognize();
    EXPECT_EQ(result(), kRecognizeFailure);
    EXPECT_TRUE(page.doWarnThreadRecognize);
    EXPECT_EQ(status(), "Cannot open USB [-1]");
    EXPECT_TRUE(headset().psWrites().empty());
    EXPECT_FALSE(controller.recognized);
}

}  // namespace
