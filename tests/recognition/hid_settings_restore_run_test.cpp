// Whole recognition runs with a restored backup, for the two headsets the HID open accepts: the
// backup goes into the headset before its settings are read, so the record ends with the
// backup's settings; a backup of another model is not written.
#include "HidSettingsFixture.h"
#include "RecordFields.h"

namespace recognition::testing {
namespace {

class RestoreRun : public RecognitionSimTest {
  protected:
    void run(const Record& backup) {
        ctx.backup = backup;
        threadMethodRecognize(ctx);
        EXPECT_EQ(page.resultThreadRecognize.load(), kRecognizeSuccess);
    }

    // The writes that reached the headset (refreshes and commits left out).
    static std::vector<std::pair<uint8_t, uint8_t>> writes(const sim::SettingBlocksModel& m) {
        std::vector<std::pair<uint8_t, uint8_t>> out;
        for (const auto& r : m.keyRequests())
            if (r.command == 0x04) out.emplace_back(r.command, r.key);
        return out;
    }
};

Record backupOf(int32_t model) {
    Record r;
    r.setDeviceRecognized(model);
    for (int i = 0; i < Record::kBasicSettingWords; ++i) r.setBasicSetting20At(i, 0x0A10 + i);
    for (const char* on :
         {"handsfreeVOX", "edr", "plc", "advancedNoiseControl", "hdIntercom", "hdVoice", "audioOverlay"})
        setField(r, on, 1);
    r.setFmRadioCurrentFrequency(9650);
    r.setFmRadioCurrentPreset(4);
    for (int i = 0; i < Record::kFMPresets; ++i) r.setFmRadioPresetsAt(i, 8800 + 100 * i);
    r.setFmRadioRDS(1);
    r.setFmRadioRegion(2);
    r.setSpeedDialAt(0, std::string("5550100"));
    r.setSpeedDialAt(1, std::string("+4412345"));
    r.setSpeedDialAt(2, std::string());
    return r;
}

TEST_F(RestoreRun, Backup6838IsWrittenAndReadBack) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6838Model>());
    plug({sim::hid(0x6838).servedBy(headset)});
    const Record backup = backupOf(0x6838);
    run(backup);
    EXPECT_EQ(writes(*headset), (std::vector<std::pair<uint8_t, uint8_t>>{{0x04, 0x03}}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(controller.record.basicSettingFERRIK(i), backup.basicSettingFERRIK(i));
}

TEST_F(RestoreRun, Backup6042IsWrittenAndReadBackWithFmAndSpeedDials) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6042Model>());
    plug({sim::hid(0x6042).inDevice(1).withUsage(0x000C, 1).servedBy(
              std::make_shared<sim::BlockHeadsetModel>()),
          sim::hid(0x6042).inDevice(1).atInterface(2).servedBy(headset)});
    const Record backup = backupOf(0x6042);
    run(backup);
    EXPECT_EQ(writes(*headset), (std::vector<std::pair<uint8_t, uint8_t>>{
                                    {0x04, 0x36}, {0x04, 0x44}, {0x04, 0x37}, {0x04, 0x38}, {0x04, 0x39}}));
    const Record& d = controller.record;
    const Fields want = fieldsOf(backup), got = fieldsOf(d);
    for (const std::string& name :
         plus(fullLegacyWordFields(), {"basic[1]", "fmFrequency", "fmCurrentPreset", "fmRDS", "fmRegion",
                                       "fmPreset[0]", "fmPreset[9]"}))
        EXPECT_EQ(got.at(name), want.at(name)) << name;
    EXPECT_EQ(d.fmRadioMagicCode(), 0x66E9);
    for (int i = 0; i < Record::kSpeedDials; ++i) EXPECT_EQ(d.speedDialAt(i), backup.speedDialAt(i)) << i;
}

TEST_F(RestoreRun, BackupOfAnotherModelIsNotWritten) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6838Model>());
    plug({sim::hid(0x6838).servedBy(headset)});
    headset->setShortBlock(0x03, {0x0003, 0x2200, 0x0011});
    run(backupOf(0x6042));
    EXPECT_TRUE(writes(*headset).empty());
    EXPECT_EQ(controller.record.basicSettingFERRIK(2), 0x0011);
}

}  // namespace
}  // namespace recognition::testing
