// The recognition page after a restore: doRecognize with the restored backup writes it into the
// headset, reads it back into the controller's record and shows the restore page's success; a
// backup of another model is not written.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "RecordFields.h"
#include "app/AppTexts.h"
#include "RecognitionPageFixture.h"
#include "platform/Clock.h"
#include "platform/MainQueue.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "sim/Hs6042Model.h"
#include "sim/Hs6838Model.h"
#include "sim/SettingBlocksModel.h"
#include "sim/SimHeadset.h"
#include "tests_support/TempDir.h"

namespace recognition::testing {
namespace {

using namespace std::chrono_literals;

class RestoreRecognitionPage : public recognition_page_test::HidRecognitionPageFixture {
  protected:
    void SetUp() override {
        if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        HidRecognitionPageFixture::SetUp();
    }

    // Recognition asked by the restore page, with the backup it restored.
    void recognizeWith(const Record& backup, int32_t selected) {
        controller->setDeviceTarget(selected);
        controller->setMode(4);
        page->setCallerMode(6);
        page->doRecognize(&backup);
        ASSERT_NO_FATAL_FAILURE(finishRecognition());
        EXPECT_EQ(pages.log, (shell_test::CallLog{"6:init"}));
        EXPECT_EQ(statusLine(),
                  app::AppTexts::qelm_status_success(6, selected, 0).value());
    }

    static std::vector<uint8_t> keysWritten(const sim::SettingBlocksModel& m) {
        std::vector<uint8_t> keys;
        for (const auto& r : m.keyRequests())
            if (r.command == 0x04) keys.push_back(r.key);
        return keys;
    }

};

Record backupOf(int32_t model) {
    Record r;
    r.setDeviceRecognized(model);
    for (int i = 0; i < Record::kBasicSettingWords; ++i) r.setBasicSetting20At(i, 0x0B20 + i);
    for (const char* on : {"intercomVOX", "voicePrompt", "plc", "sidetone", "audioBoost", "hdVoice"})
        setField(r, on, 1);
    r.setFmRadioCurrentFrequency(10150);
    r.setFmRadioCurrentPreset(7);
    for (int i = 0; i < Record::kFMPresets; ++i) r.setFmRadioPresetsAt(i, 8750 + 200 * i);
    r.setFmRadioRegion(1);
    r.setSpeedDialAt(0, std::string("911"));
    r.setSpeedDialAt(1, std::string("+33123456"));
    r.setSpeedDialAt(2, std::string("7"));
    return r;
}

TEST_F(RestoreRecognitionPage, Headset6838TakesTheBackupAndShowsIt) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6838Model>());
    plug({sim::hid(0x6838).servedBy(headset)});
    const Record backup = backupOf(0x6838);
    ASSERT_NO_FATAL_FAILURE(recognizeWith(backup, 0x6838));
    EXPECT_EQ(keysWritten(*headset), std::vector<uint8_t>{0x03});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(controller->data().basicSettingFERRIK(i), backup.basicSettingFERRIK(i));
}

TEST_F(RestoreRecognitionPage, Headset6042TakesTheBackupAndShowsIt) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6042Model>());
    plug({sim::hid(0x6042).inDevice(1).withUsage(0x000C, 1).servedBy(std::make_shared<sim::BlockHeadsetModel>()),
          sim::hid(0x6042).inDevice(1).atInterface(2).servedBy(headset)});
    const Record backup = backupOf(0x6042);
    ASSERT_NO_FATAL_FAILURE(recognizeWith(backup, 0x6042));
    EXPECT_EQ(keysWritten(*headset), (std::vector<uint8_t>{0x36, 0x44, 0x37, 0x38, 0x39}));
    const Fields want = fieldsOf(backup), got = fieldsOf(controller->data());
    for (const std::string& name : plus(fullLegacyWordFields(), {"basic[1]", "fmFrequency", "fmCurrentPreset",
                                                                 "fmRegion", "fmPreset[0]", "fmPreset[9]"}))
        EXPECT_EQ(got.at(name), want.at(name)) << name;
    for (int i = 0; i < Record::kSpeedDials; ++i)
        EXPECT_EQ(controller->data().speedDialAt(i), backup.speedDialAt(i)) << i;
}

TEST_F(RestoreRecognitionPage, BackupOfAnotherModelIsNotWritten) {
    auto headset = std::make_shared<sim::SettingBlocksModel>(std::make_shared<sim::Hs6838Model>());
    headset->setShortBlock(0x03, {0x0003, 0x2200, 0x0011});
    plug({sim::hid(0x6838).servedBy(headset)});
    ASSERT_NO_FATAL_FAILURE(recognizeWith(backupOf(0x6042), 0x6838));
    EXPECT_TRUE(keysWritten(*headset).empty());
    EXPECT_EQ(controller->data().basicSettingFERRIK(2), 0x0011);
}

}  // namespace
}  // namespace recognition::testing
