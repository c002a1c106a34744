// The device settings page's Save and its result: the guards, the texts and colour of each code
// (again in another language), the edits kept or discarded, the warning box, and after success
// the commit and the new recognition that returns to the page or goes on where the user was
// leaving for.
#include "SavePageFixture.h"
#include "SimulatedHeadsetFixture.h"
#include "app/AppTexts.h"
#include "settings/save/DeviceSettingsSave.h"

namespace settings::testing {
namespace {

using app::AppTexts;

struct CodeCase {
    int32_t code;
    std::string reason;  // English, after "Failed to save device setting. "; empty for success
    bool discards;
};
void PrintTo(const CodeCase& c, std::ostream* os) { *os << "code " << c.code; }

std::vector<CodeCase> codeCases() {
    auto cannotSave = [](int32_t key) { return DeviceSettingsTexts::qelm_string_cannot_save(key, 0); };
    return {
        {0, "", false},
        {1, "Cannot open USB", true},
        {2, "Firmware management mode", true},
        {3, cannotSave(664), false},
        {4, cannotSave(665), false},
        {5, cannotSave(239), false},
        {6, cannotSave(684), false},
        {7, cannotSave(682), false},
        {8, cannotSave(654), false},
        {9, "Not the recognized device", true},
    };
}

class SaveResult : public SavePageTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(SaveResult, ShowsItsTextsAndKeepsOrDropsTheEdits) {
    const CodeCase& c = GetParam();
    controller->setOnProcessing(true);
    page->setModeToGo(8);
    page->setRcThreadSave(c.code);
    page->timerMethodSave();
    platform::drainMainQueue();

    const bool success = c.code == 0;
    EXPECT_EQ(statusLine(), success ? "Device setting saved successfully" : "Failed to save device setting. " + c.reason);
    EXPECT_EQ(controller->statusWithWarning(), !success);
    if (success) {
        // Committed before the switch: the leave guard found nothing unsaved and asked nothing.
        EXPECT_EQ(controller->messageBoxStatus(), 0);
        EXPECT_EQ(controller->mode(), 4);
        EXPECT_EQ(pages.recognition->callerMode(), 108) << "the save answered the question on the way to FM";
        EXPECT_TRUE(controller->onProcessing()) << "the recognition owns it";
        return;
    }
    EXPECT_EQ(controller->mode(), 7);
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(page->modeToGo(), 0) << "an abandoned switch is not followed later";
    EXPECT_NE(controller->data().basicSettingFERRIK(1), kEdited) << "nothing committed";
    EXPECT_EQ(page->dataCurrent().basicSettingFERRIK(1), c.discards ? 0 : kEdited);
    if (c.discards) {
        EXPECT_EQ(boxText(), AppTexts::qelm_string_recognized_device_not_selected_in(0));
        EXPECT_EQ(controller->messageBoxStatus(), 3);
        EXPECT_FALSE(window->messageBox().btnMessageBoxCancel->isVisible());
        EXPECT_EQ(window->messageBox().sheetMessageBox->width(), 420) << "size 1";
    } else {
        EXPECT_EQ(controller->messageBoxStatus(), 0) << "no box";
    }

    // The 13 texts were stored: another language shows the same result translated.
    controller->setLanguageManager(1);
    controller->updateStatusInManagerLanguage();
    const std::string french = AppTexts::qelm_status_failure(7, kModel, 1).value_or("?");
    EXPECT_EQ(statusLine().rfind(french + ". ", 0), 0u) << statusLine();
    EXPECT_NE(statusLine(), "Failed to save device setting. " + c.reason);
}

INSTANTIATE_TEST_SUITE_P(Save, SaveResult, ::testing::ValuesIn(codeCases()),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST_F(SavePageTest, SavedFromThePageComesBackToIt) {
    controller->setOnProcessing(true);
    page->setRcThreadSave(0);
    page->timerMethodSave();
    EXPECT_EQ(pages.recognition->callerMode(), 7);
}

// The all-settings sheet saves without the time-out check; the switch to recognition then
// refuses, and the page must not stay busy.
TEST_F(SavePageTest, ARecognitionThatDoesNotStartLeavesThePageFree) {
    page->tfACT->setText("61");
    controller->setOnProcessing(true);
    page->setRcThreadSave(0);
    page->timerMethodSave();
    platform::drainMainQueue();
    EXPECT_EQ(controller->mode(), 7);
    EXPECT_FALSE(controller->onProcessing());
}

TEST_F(SavePageTest, ATickWhileTheWorkerRunsChangesNothing) {
    controller->setOnProcessing(true);
    controller->setStatus("busy", false);
    page->setRcThreadSave(save::kSaveRunning);
    page->timerMethodSave();
    EXPECT_EQ(statusLine(), "busy");
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_EQ(page->dataCurrent().basicSettingFERRIK(1), kEdited);
}

TEST_F(SavePageTest, SaveIsRefusedWhileAnotherOperationRuns) {
    controller->setOnProcessing(true);
    page->save(nullptr);
    EXPECT_NE(page->rcThreadSave(), save::kSaveRunning);
    EXPECT_TRUE(page->saveTimer() == nullptr || !page->saveTimer()->isActive());
}

TEST_F(SavePageTest, SaveIsRefusedWithATimeOutOutOfRange) {
    page->tfACT->setText("61");
    page->save(nullptr);
    platform::drainMainQueue();
    EXPECT_NE(page->rcThreadSave(), save::kSaveRunning);
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(controller->messageBoxStatus(), 2) << "the time-out message";
}

// The all-settings sheet's Save: the sheet ends and the page's save starts, without the page's
// time-out check (the list's models hide that field).
TEST_F(SavePageTest, TheSheetsSaveEndsTheSheetAndStartsTheSaveEvenWithATimeOutOutOfRange) {
    page->tfACT->setText("61");
    page->moveToAllSettins(nullptr);
    QWidget* sheet = page->sheetDeviceAllSettings();
    ASSERT_TRUE(sheet->isVisible());
    page->setControls();
    ASSERT_TRUE(page->btnDeviceAllSettingsBasicSave->isEnabled()) << "the edit enables the sheet's Save";
    page->btnDeviceAllSettingsBasicSave->click();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_EQ(statusLine(), controller->getStatusProcessing());
    EXPECT_FALSE(page->btnDeviceAllSettingsBasicSave->isEnabled());
    ASSERT_TRUE(page->saveTimer() && page->saveTimer()->isActive());
    EXPECT_NE(controller->messageBoxStatus(), 2) << "no time-out message";
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_FALSE(page->saveTimer()->isActive());
}

TEST_F(SavePageTest, TheSheetsSaveDoesNothingWhileAnotherOperationRuns) {
    page->moveToAllSettins(nullptr);
    controller->setOnProcessing(true);
    page->saveToAllSettins(nullptr);
    EXPECT_TRUE(page->sheetDeviceAllSettings()->isVisible());
    EXPECT_NE(page->rcThreadSave(), save::kSaveRunning);
    EXPECT_TRUE(page->saveTimer() == nullptr || !page->saveTimer()->isActive());
}

// ---- whole saves against the simulated headset ----------------------------------------------------

class SavePageSim : public OnSimulatedHeadset<SavePageTest, SavePageTest::kModel> {
  protected:
    SavePageSim() { family->setVersion({2, 0, 0, 0}); }
};

TEST_F(SavePageSim, SaveWritesTheEditsAndRecognizesAgain) {
    page->save(nullptr);
    EXPECT_TRUE(controller->onProcessing());
    ASSERT_TRUE(page->saveTimer()->isActive());
    EXPECT_EQ(page->saveTimer()->interval(), 1000);
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_EQ(page->rcThreadSave(), save::kSaved);
    EXPECT_EQ(chip->block(4), (std::vector<uint16_t>{static_cast<uint16_t>(page->dataCurrent().getSettings40()),
                                                      static_cast<uint16_t>(kEdited)}));
    EXPECT_FALSE(page->saveTimer()->isActive());
    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(pages.recognition->callerMode(), 7);
}

TEST_F(SavePageSim, AnotherFirmwareDropsTheEditsWithTheBox) {
    family->setVersion({2, 1, 0, 0});
    page->save(nullptr);
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_EQ(page->rcThreadSave(), save::kNotRecognized);
    EXPECT_FALSE(chip->block(4));
    EXPECT_EQ(page->dataCurrent().basicSettingFERRIK(1), 0);
    EXPECT_EQ(controller->messageBoxStatus(), 3);
}

// Shutdown: the save is stopped while the headset stays silent and joined within the bound.
TEST_F(SavePageSim, ShutdownStopsASilentSave) { expectShutdownStopsASilentSave(save::kWriteFailed); }

}  // namespace
}  // namespace settings::testing
