// The FM radio page: what a preset row shows for what the record holds, region changes, the check
// boxes, the typed frequency and its sheet, the hints, the leave guard, Default, a model outside
// the FM models, the keys, and each save result with its texts.
#include <QApplication>

#include "FmPageFixture.h"
#include "SimulatedHeadsetFixture.h"
#include "app/AppTexts.h"
#include "settings/DeviceSettingsTexts.h"
#include "settings/save/FmRadioSave.h"

namespace settings::testing {
namespace {

using app::AppTexts;

// ---- what a row shows ---------------------------------------------------------------------------

struct RowShowCase {
    const char* name;
    int32_t region;
    int32_t preset;
    std::string title;
    bool inUse;  // box on, button and stepper enabled
    int stepper;
};
void PrintTo(const RowShowCase& c, std::ostream* os) { *os << c.name; }

class FmRowShows : public FmPageTest, public ::testing::WithParamInterface<RowShowCase> {};

TEST_P(FmRowShows, TitleBoxAndStepper) {
    const RowShowCase& c = GetParam();
    open(0x6042, c.region, {c.preset});
    EXPECT_EQ(title(0), c.title);
    EXPECT_EQ(page->cbFMRadioPresets[0]->isChecked(), c.inUse);
    EXPECT_EQ(page->btnFMRadioPresets[0]->isEnabled(), c.inUse);
    EXPECT_EQ(page->stepperFMRadioPresets[0]->isEnabled(), c.inUse);
    EXPECT_EQ(page->stepperFMRadioPresets[0]->intValue(), c.stepper);
}

INSTANTIATE_TEST_SUITE_P(Page, FmRowShows,
                         ::testing::Values(RowShowCase{"empty", 4, 0, "Empty", false, 0},
                                           RowShowCase{"off the Americas raster", 1, 8800, "Empty", false, 0},
                                           RowShowCase{"below the band", 4, 8740, "Empty", false, 0},
                                           RowShowCase{"a valid preset", 4, 8750, "87.5", true, 8750},
                                           RowShowCase{"the top of Worldwide", 0, 10800, "108.0", true, 10800},
                                           RowShowCase{"Japan's lowest", 5, 7600, "76.0", true, 7600}),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST_F(FmPageTest, SteppersTakeTheRegionsLimitsAndStep) {
    const struct {
        int32_t region, lowest, highest, step;
    } bands[] = {{0, 7600, 10800, 10}, {1, 8750, 10790, 20}, {3, 8750, 10790, 20}, {5, 7600, 9500, 10}};
    for (const auto& b : bands) {
        open(0x6042, b.region, {9010});
        const Stepper* s = page->stepperFMRadioPresets[9];
        EXPECT_EQ(s->minValue(), b.lowest) << b.region;
        EXPECT_EQ(s->maxValue(), b.highest) << b.region;
        EXPECT_EQ(s->increment(), b.step) << b.region;
    }
}

TEST_F(FmPageTest, AnInvalidStoredPresetIsStillCompared) {
    open(0x6042, 1, {8800});
    EXPECT_FALSE(page->isSettingsChanged());
    edit().setFmRadioPresetsAt(0, 8820);
    EXPECT_TRUE(page->isSettingsChanged()) << "both show Empty, yet they differ";
}

TEST_F(FmPageTest, SixPresetModelsShowAndCompareSixRows) {
    open(0x6010, 0, {8750, 9600, 8770, 8780, 8790, 8800, 9600, 9700, 9800, 9900});
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(page->cbFMRadioPresets[static_cast<size_t>(i)]->isVisibleTo(page->view()), i < 6) << i;
    for (int i = 6; i < 10; ++i) edit().setFmRadioPresetsAt(i, 0);
    page->setControls();
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_FALSE(page->btnSave->isEnabled());
    for (int i = 6; i < 10; ++i) edit().setFmRadioPresetsAt(i, record().fmRadioPresetsAt(i));
    page->popUpFMRadioRegion->chooseItemAtIndex(5);  // Japan: up to 95.0
    EXPECT_EQ(editedPresets(), (std::vector<int32_t>{8750, 0, 8770, 8780, 8790, 8800, 9600, 9700, 9800, 9900}))
        << "presets 7 to 10 are not the model's";
}

TEST_F(FmPageTest, OnlyOneModelHasNoRegionChoice) {
    open(0x3128);
    EXPECT_FALSE(page->popUpFMRadioRegion->isVisibleTo(page->view()));
    EXPECT_FALSE(page->lblFMRadioRegion->isVisibleTo(page->view()));
    open(0x3126);
    EXPECT_TRUE(page->popUpFMRadioRegion->isVisibleTo(page->view()));
    EXPECT_EQ(page->lblFMRadioRegion->text().toStdString(), "Region");
    EXPECT_EQ(page->popUpFMRadioRegion->titleOfItemAtIndex(5), "Japan");
}

// ---- region change and check boxes ------------------------------------------------------------------

TEST_F(FmPageTest, ARegionChangeEmptiesWhatTheNewBandDoesNotHold) {
    const struct {
        const char* name;
        int32_t to;
        std::vector<int32_t> before, after;
    } cases[] = {
        {"to Japan: above 95.0", 5, {7600, 9500, 9510, 10800, 8750}, {7600, 9500, 0, 0, 8750, 0, 0, 0, 0, 0}},
        {"to Americas: below 87.5 and even tenths", 1, {8740, 8750, 8760, 10790, 10800, 7600},
         {0, 8750, 0, 10790, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(0x6042, 0, c.before);
        page->popUpFMRadioRegion->chooseItemAtIndex(c.to);
        EXPECT_EQ(edit().fmRadioRegion(), c.to);
        EXPECT_EQ(editedPresets(), c.after);
        EXPECT_TRUE(page->btnSave->isEnabled());
    }
}

TEST_F(FmPageTest, ACheckedBoxTakesAValidNeighbourElseTheRegionsLowest) {
    const struct {
        const char* name;
        int32_t region;
        std::vector<int32_t> presets;
        int row;
        int32_t taken;
    } cases[] = {
        {"the nearest above when none below", 4, {0, 0, 0, 0, 9000}, 2, 9000},
        {"the nearest below first", 4, {8900, 0, 0, 0, 9000}, 2, 8900},
        {"all empty: the region's lowest", 4, {}, 2, 8750},
        {"all empty in Japan", 5, {}, 0, 7600},
        {"a neighbour off the raster is passed over", 1, {0, 8800, 0, 0, 9010}, 2, 9010},
        {"only invalid neighbours: the lowest", 1, {0, 8800}, 2, 8750},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(0x6042, c.region, c.presets);
        clickBox(c.row);
        EXPECT_EQ(edit().fmRadioPresetsAt(c.row), c.taken);
        EXPECT_TRUE(page->cbFMRadioPresets[static_cast<size_t>(c.row)]->isChecked()) << "shown, not Empty";
        EXPECT_TRUE(page->btnFMRadioPresets[static_cast<size_t>(c.row)]->isEnabled());
        clickBox(c.row);
        EXPECT_EQ(edit().fmRadioPresetsAt(c.row), 0);
        EXPECT_EQ(title(c.row), "Empty");
    }
}

TEST_F(FmPageTest, StepperAndRdsWriteTheBuffer) {
    open(0x6042, 1, {8750});
    page->stepperFMRadioPresets[0]->stepUp();
    EXPECT_EQ(edit().fmRadioPresetsAt(0), 8770);
    EXPECT_EQ(title(0), "87.7");
    page->radioFMRadioRDS->clickCell(0);
    EXPECT_EQ(edit().fmRadioRDS(), 1);
    page->radioFMRadioRDS->clickCell(1);
    EXPECT_EQ(edit().fmRadioRDS(), 0);
}

TEST_F(FmPageTest, ActionsWaitWhileAnOperationRuns) {
    open(0x6042, 4, {8750});
    controller->setOnProcessing(true);
    page->setControls();
    EXPECT_FALSE(page->cbFMRadioPresets[1]->isEnabled());
    page->checkFMRadioPreset(page->cbFMRadioPresets[1]);
    page->popUpFMRadioRegion->chooseItemAtIndex(5);
    page->openFMRadioPresetEdit(page->btnFMRadioPresets[0]);
    EXPECT_EQ(edit().fmRadioPresetsAt(1), 0);
    EXPECT_EQ(edit().fmRadioRegion(), 4);
    EXPECT_FALSE(page->sheetFMRadioPresetEdit->isVisible());
}

// ---- the typed frequency and the sheet --------------------------------------------------------------

TEST_F(FmPageTest, TypedFrequenciesRoundToATenthOrAreRefused) {
    const struct {
        const char* text;
        int32_t region;
        int32_t stored;  // 0: refused
    } cases[] = {
        {"88.15", 4, 8820}, {"88.14", 4, 8810}, {"108.04", 0, 10800}, {"108.05", 0, 0}, {"88", 1, 0},
        {"87.5", 1, 8750},  {"abc", 4, 0},      {"inf", 4, 0},        {"1e10", 4, 0},   {"nan", 4, 0},
        {"-88", 4, 0},      {"76", 5, 7600},    {" 95.0", 5, 9500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        open(0x6042, c.region, {});
        clickBox(0);
        const int32_t before = edit().fmRadioPresetsAt(0);
        page->btnFMRadioPresets[0]->click();
        page->tfFMRadioPresetEdit->setText(c.text);
        page->btnFMRadioPresetEditOK->click();
        if (c.stored) {
            EXPECT_EQ(edit().fmRadioPresetsAt(0), c.stored);
            EXPECT_FALSE(page->sheetFMRadioPresetEdit->isVisible());
        } else {
            EXPECT_EQ(edit().fmRadioPresetsAt(0), before) << "nothing stored";
            EXPECT_TRUE(page->sheetFMRadioPresetEdit->isVisible());
            EXPECT_TRUE(page->presetEditWarning());
            page->cancelFMRadioPresetEdit(nullptr);
        }
    }
}

TEST_F(FmPageTest, TheSheetOpensOnTheRowAndComesBackFromItsWarning) {
    open(0x6042, 4, {8750, 0, 0, 0, 0, 0, 0, 0, 0, 9010});
    page->btnFMRadioPresets[9]->click();
    QDialog* sheet = page->sheetFMRadioPresetEdit;
    ASSERT_TRUE(sheet->isVisible()) << "opened without a local loop: the click returned";
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(page->indexSelectedForFMRadioEdit(), 9);
    EXPECT_EQ(page->lblFMRadioPresetEditNumber->text().toStdString(), "10");
    EXPECT_EQ(page->tfFMRadioPresetEdit->text().toStdString(), "90.1");
    EXPECT_EQ(page->tfFMRadioPresetEdit->selectedText().toStdString(), "90.1");
    EXPECT_EQ(page->lblFMRadioPresetEditRange->text().toStdString(), "(87.5 MHz ~ 108.0 MHz)");
    EXPECT_EQ(page->btnFMRadioPresetEditOK->text().toStdString(), "OK");
    EXPECT_FALSE(page->presetEditWarning());

    page->tfFMRadioPresetEdit->setText("120");
    page->btnFMRadioPresetEditOK->click();
    EXPECT_TRUE(page->presetEditWarning());
    EXPECT_FALSE(page->tfFMRadioPresetEdit->isVisibleTo(sheet));
    EXPECT_FALSE(page->btnFMRadioPresetEditOK->isEnabled());
    EXPECT_EQ(page->btnFMRAdioPresetEditWarning->text().toStdString(),
              " FM Radio preset should be between 87.5\n MHz and 108.0 MHz. Enter valid value\n again.");
    page->btnFMRAdioPresetEditWarning->click();
    EXPECT_FALSE(page->presetEditWarning());
    EXPECT_EQ(page->tfFMRadioPresetEdit->text().toStdString(), "120") << "the text is kept";

    page->tfFMRadioPresetEdit->setText("99.95");
    page->btnFMRadioPresetEditOK->click();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(edit().fmRadioPresetsAt(9), 10000);
    EXPECT_EQ(title(9), "100.0");
    EXPECT_EQ(page->stepperFMRadioPresets[9]->intValue(), 10000);
}

// ---- hints, guard, Default ----------------------------------------------------------------------------

TEST_F(FmPageTest, HintsReplaceTitlesAndLabels) {
    open(0x6042);
    controller->setShowShortcuts(true);
    page->setShortcuts();
    EXPECT_EQ(page->lblFMRadioPresets->text().toStdString(), "Check Box: [O]-No.     FM Radio Setting: [S][C]-No.");
    const std::pair<QWidget*, const char*> hints[] = {
        {page->btnBack(), "[C]-\u25C0"}, {page->btnNewDevice(), "[C]-\u25B6"}, {page->btnSave, "[O][C]-S"},
        {page->btnDefault, "[C]-D"},     {page->btnCancel, "[C]-C"},           {page->lblFMRadioRDS, "[O][C]-A"},
        {page->enableFMRadioRDS, "[O]-A"}, {page->disableFMRadioRDS, "[S][O]-A"},
    };
    auto textOf = [](QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
        return static_cast<QAbstractButton*>(w)->text().toStdString();
    };
    for (const auto& [w, text] : hints) EXPECT_EQ(textOf(w), text);
    controller->setShowShortcuts(false);
    page->setShortcuts();
    EXPECT_EQ(page->lblFMRadioPresets->text().toStdString(), "FM Radio Presets");
    EXPECT_EQ(page->lblFMRadioRDS->text().toStdString(), "RDS AF (Alternative Frequencies)");
    EXPECT_EQ(page->btnSave->text().toStdString(), "SAVE");
    EXPECT_EQ(page->enableFMRadioRDS->text().toStdString(), "Enable");
    controller->setLanguageManager(12);
    page->setControls();
    EXPECT_EQ(title(3), "Opróżnij");
}

TEST_F(FmPageTest, LeavingWithChangesAsksAndNoGoesOnWithoutThem) {
    const struct {
        int32_t modeToGo, entered;
    } cases[] = {{9, 9}, {109, 9}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.modeToGo);
        open(0x6042, 4, {8750});
        EXPECT_FALSE(page->checkNeedToSave()) << "nothing changed: no question";
        clickBox(1);
        page->setModeToGo(c.modeToGo);
        ASSERT_TRUE(page->checkNeedToSave());
        platform::drainMainQueue();
        EXPECT_EQ(controller->messageBoxStatus(), 5);
        EXPECT_EQ(window->messageBox().btnMessageBoxCancel->text().toStdString(), "NO");
        controller->messageBoxCancel();
        platform::drainMainQueue();
        EXPECT_EQ(edit().fmRadioPresetsAt(1), 0) << "the edits are dropped";
        EXPECT_EQ(controller->mode(), c.entered);
    }
}

TEST_F(FmPageTest, DefaultKeepsTheVoicePromptAndCancelTakesTheHeadsetsValues) {
    recognize(0x6042, 1, {8770});
    const device::ORVABluetoothDeviceData defaults =
        device::ORVABluetoothDeviceData::makeDefaultDataWithSource(record());
    record().setVoicePrompt(defaults.voicePrompt() == 0 ? 1 : 0);
    controller->setMode(8);
    page->initializeObject();
    page->btnDefault->click();
    EXPECT_EQ(edit().voicePrompt(), record().voicePrompt());
    EXPECT_EQ(edit().fmRadioRegion(), defaults.fmRadioRegion());
    EXPECT_EQ(edit().fmRadioPresetsAt(0), defaults.fmRadioPresetsAt(0));
    page->btnCancel->click();
    EXPECT_EQ(edit().fmRadioPresetsAt(0), 8770);
    EXPECT_FALSE(page->btnSave->isEnabled());
}

TEST_F(FmPageTest, RdsInformationBox) {
    open(0x6042);
    page->btnFMRadioRDS->click();
    platform::drainMainQueue();
    EXPECT_EQ(controller->messageBoxStatus(), 2);
    EXPECT_EQ(boxText().rfind("[RDS (Radio Data System) AF (Alternative Frequencies)]\nRDS AF", 0), 0u);
    EXPECT_EQ(window->messageBox().sheetMessageBox->width(),
              app::ORVABluetoothManagerAppController::messageBoxSize(4).width);
}

TEST_F(FmPageTest, OpeningTheRegionListClosesTheTabListEvenWhileBusy) {
    open(0x6042);
    controller->setListTabsOpened(true);
    controller->setOnProcessing(true);
    page->popUpFMRadioRegion->showPopup();
    EXPECT_FALSE(controller->listTabsOpened());
    page->popUpFMRadioRegion->hidePopup();
    controller->setOnProcessing(false);
}

// 0x4050 reaches the FM tab without keeping FM settings: nothing to show, nothing to save, and no
// request to enter the page again.
TEST_F(FmPageTest, AModelOutsideTheFmModelsOpensOnceAndShowsNothing) {
    recognize(0x4050, 4, {8750});
    controller->setDeviceSettingsSecondWithStatus(true);
    platform::drainMainQueue();
    EXPECT_EQ(controller->mode(), 8);
    EXPECT_FALSE(page->cbFMRadioPresets[0]->isVisibleTo(page->view()));
    EXPECT_FALSE(page->popUpFMRadioRegion->isEnabled());
    EXPECT_FALSE(page->radioFMRadioRDS->isEnabled());
    edit().setFmRadioPresetsAt(0, 9000);
    page->setControls();
    EXPECT_FALSE(page->btnSave->isEnabled());
    EXPECT_FALSE(page->checkNeedToSave());
}

TEST_F(FmPageTest, KeysReachTheControlsTheHintsName) {
    open(0x6042, 4, {8750});
    ASSERT_TRUE(pressKey("Alt+3"));
    EXPECT_EQ(edit().fmRadioPresetsAt(2), 8750);
    ASSERT_TRUE(pressKey("Alt+A"));
    EXPECT_EQ(edit().fmRadioRDS(), 1);
    ASSERT_TRUE(pressKey("Shift+Alt+A"));
    EXPECT_EQ(edit().fmRadioRDS(), 0);
    ASSERT_TRUE(pressKey("Ctrl+C"));
    EXPECT_EQ(edit().fmRadioPresetsAt(2), 0);
    // Shift with a digit: bound as the digit and as what the key sends (US layout).
    ASSERT_TRUE(pressKey("Shift+Ctrl+!"));
    EXPECT_EQ(page->indexSelectedForFMRadioEdit(), 0);
    page->cancelFMRadioPresetEdit(nullptr);
    clickBox(9);
    ASSERT_TRUE(pressKey("Shift+Ctrl+0"));
    EXPECT_EQ(page->indexSelectedForFMRadioEdit(), 9);
    page->cancelFMRadioPresetEdit(nullptr);
    ASSERT_TRUE(pressKey("Alt+Ctrl+A"));
    platform::drainMainQueue();
    EXPECT_EQ(controller->messageBoxStatus(), 2) << "the RDS information";
    controller->closeMessageBox();
    ASSERT_TRUE(pressKey("Ctrl+D"));
    EXPECT_EQ(edit().fmRadioPresetsAt(9), page->dataDefault().fmRadioPresetsAt(9));
    const auto keys = page->shortcuts();
    EXPECT_TRUE(std::any_of(keys.begin(), keys.end(),
                            [](QShortcut* s) { return s->key() == QKeySequence("Alt+Ctrl+S"); }));
}

// ---- save results ----------------------------------------------------------------------------------

struct FmCodeCase {
    int32_t code;
    std::string reason;  // English, after "Failed to save device setting. "; empty for success
    bool discards;
};
void PrintTo(const FmCodeCase& c, std::ostream* os) { *os << "code " << c.code; }

class FmSaveResult : public FmPageTest, public ::testing::WithParamInterface<FmCodeCase> {};

TEST_P(FmSaveResult, ShowsItsTextsAndKeepsOrDropsTheEdits) {
    const FmCodeCase& c = GetParam();
    open(0x6042, 4, {8750});
    clickBox(1);
    controller->setOnProcessing(true);
    page->setModeToGo(9);
    page->setRcThreadSave(c.code);
    page->timerMethodSave();
    platform::drainMainQueue();

    const bool success = c.code == 0;
    EXPECT_EQ(statusLine(), success ? "Device setting saved successfully" : "Failed to save device setting. " + c.reason);
    EXPECT_EQ(controller->statusWithWarning(), !success);
    if (success) {
        EXPECT_EQ(controller->mode(), 4);
        EXPECT_EQ(pages.recognition->callerMode(), 109) << "the save answered the question on the way";
        EXPECT_EQ(record().fmRadioPresetsAt(1), 8750) << "committed";
        return;
    }
    EXPECT_EQ(controller->mode(), 8);
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(page->modeToGo(), 0);
    EXPECT_EQ(record().fmRadioPresetsAt(1), 0) << "nothing committed";
    EXPECT_EQ(edit().fmRadioPresetsAt(1), c.discards ? 0 : 8750);
    EXPECT_EQ(controller->messageBoxStatus(), c.discards ? 3 : 0);
    if (c.discards) {
        EXPECT_EQ(boxText(), AppTexts::qelm_string_recognized_device_not_selected_in(0));
    }

    controller->setLanguageManager(2);
    controller->updateStatusInManagerLanguage();
    EXPECT_EQ(statusLine().rfind(AppTexts::qelm_status_failure(8, 0x6042, 2).value_or("?") + ". ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Page, FmSaveResult,
                         ::testing::Values(FmCodeCase{0, "", false}, FmCodeCase{1, "Cannot open USB", true},
                                           FmCodeCase{2, "Firmware management mode", true},
                                           FmCodeCase{3, "Cannot save FM Radio Setting", false},
                                           FmCodeCase{4, "Not the recognized device", true}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST_F(FmPageTest, SavedFromThePageComesBackToIt) {
    open(0x6042, 4, {8750});
    clickBox(1);
    controller->setOnProcessing(true);
    page->setRcThreadSave(0);
    page->timerMethodSave();
    EXPECT_EQ(pages.recognition->callerMode(), 8);
}

TEST_F(FmPageTest, SaveIsRefusedWhileAnotherOperationRuns) {
    open(0x6042, 4, {8750});
    clickBox(1);
    controller->setOnProcessing(true);
    page->save(nullptr);
    EXPECT_NE(page->rcThreadSave(), -1);
    EXPECT_TRUE(page->saveTimer() == nullptr || !page->saveTimer()->isActive());
}


// ---- whole saves against the simulated headset --------------------------------------------------

class FmPageSim : public OnSimulatedHeadset<FmPageTest, 0x6042> {
  protected:
    void SetUp() override {
        OnSimulatedHeadset::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        open(0x6042, 4, {8750});
        clickBox(1);
    }
};

TEST_F(FmPageSim, SaveWritesTheImageAndRecognizesAgain) {
    page->btnSave->click();
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_FALSE(page->cbFMRadioPresets[0]->isEnabled()) << "the page waits for the save";
    ASSERT_TRUE(page->saveTimer()->isActive());
    EXPECT_EQ(page->saveTimer()->interval(), 1000);
    ASSERT_TRUE(waitForCode());
    page->timerMethodSave();
    platform::drainMainQueue();
    EXPECT_EQ(page->rcThreadSave(), save::kFmSaved);
    auto block = chip->block(0x44);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(*block, save::fmRadioImage(record(), 0x6042));
    EXPECT_EQ((*block)[4], 8750);
    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(pages.recognition->callerMode(), 8);
}

// Shutdown: the save is stopped while the headset stays silent and joined within the bound.
TEST_F(FmPageSim, ShutdownStopsASilentSave) { expectShutdownStopsASilentSave(save::kFmWriteFailed); }

}  // namespace
}  // namespace settings::testing
