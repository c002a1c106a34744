// The all-settings list on the device settings page and its sheet, offscreen: the cells the page
// builds from the list engine, the sheet's opening, Default, Cancel and Close.
#include <QDialog>
#include <QScrollBar>
#include <QTest>

#include "SettingsPageFixture.h"
#include "app/TextCatalogue.h"
#include "settings/AllSettingsList.h"
#include "settings/DeviceSettingsTableCellView.h"
#include "settings/RowLayouts.h"

namespace {

using settings::CellKind;
using settings::DeviceSettingsTableCellView;
using settings_test::SettingsPageTest;
using settings_test::turnWheelDownOver;
using settings_test::expectWholeOrElided;

class AllSettingsTest : public SettingsPageTest {
protected:
    // A 0x6838 whose VOX phone, voice prompt and VOX sensitivity differ from its defaults.
    void openChanged6838() {
        recognize(0x6838, 1, 0);
        record().SetBasicSettingAirohaVOXPhone(record().GetBasicSettingAirohaVOXPhone() ? 0 : 1);
        record().SetBasicSettingAirohaVoicePrompt(record().GetBasicSettingAirohaVoicePrompt() ? 0 : 1);
        record().SetBasicSettingAirohaVoxSensitivity(4);
        record().SetBasicSettingAirohaUnitLanguage(2);
        controller->setMode(7);
        page->initializeObject();
        platform::drainMainQueue();
    }
    QTableWidget* table() const { return page->tableViewDeviceAllSettingsBasic; }
    DeviceSettingsTableCellView* cell(int row) const {
        return dynamic_cast<DeviceSettingsTableCellView*>(table()->cellWidget(row, 0));
    }
    QDialog* sheet() const { return static_cast<QDialog*>(page->sheetDeviceAllSettings()); }

    // What the table shows: label, then the selected radio column or pop-up item.
    std::vector<std::pair<std::string, int>> shown() const {
        std::vector<std::pair<std::string, int>> rows;
        for (int row = 0; row < table()->rowCount(); ++row) {
            const DeviceSettingsTableCellView* c = cell(row);
            if (!c) {
                rows.push_back({"<none>", -2});
                continue;
            }
            const int selected = c->radiobtn ? c->radiobtn->selectedColumn() : c->popUpBtn->indexOfSelectedItem();
            rows.push_back({c->textField()->text().toStdString(), selected});
        }
        return rows;
    }
};

TEST_F(AllSettingsTest, CellsShowEveryRowOfTheEngineInTheirKind) {
    openChanged6838();
    ASSERT_EQ(table()->rowCount(), 9);
    const settings::ListInputs in = page->listInputs();
    for (int row = 0; row < 9; ++row) {
        const auto expected = settings::cellForRow(in, row);
        ASSERT_TRUE(expected.has_value()) << row;
        DeviceSettingsTableCellView* c = cell(row);
        ASSERT_NE(c, nullptr) << row;
        EXPECT_EQ(c->textField()->text().toStdString(), expected->label) << row;
        EXPECT_FALSE(c->infoOnOffBtn->isHidden()) << row;
        EXPECT_TRUE(c->infoOnOffBtn->isEnabled()) << row;
        if (expected->kind == CellKind::OnOff) {
            EXPECT_EQ(c->identifier(), "settingsAllBasicOnOffCell") << row;
            EXPECT_EQ(c->radiobtn->selectedColumn(), expected->selectedColumn) << row;
            EXPECT_EQ(c->enablebtn->text(), "Enable") << row;
            EXPECT_EQ(c->disablebtn->text(), "Disable") << row;
            EXPECT_TRUE(c->radiobtn->isEnabled()) << row;
        } else {
            EXPECT_EQ(c->identifier(), "settingsAllBasicComboCell") << row;
            EXPECT_EQ(c->popUpBtn->numberOfItems(), static_cast<int>(expected->items.size())) << row;
            EXPECT_EQ(c->popUpBtn->indexOfSelectedItem(), expected->selectedItem) << row;
            EXPECT_TRUE(c->infoPopUpBtn->isHidden()) << row;
        }
    }
    EXPECT_EQ(cell(0)->popUpBtn->titleOfItemAtIndex(2), "Spanish");
    EXPECT_EQ(cell(4)->popUpBtn->titleOfItemAtIndex(cell(4)->popUpBtn->indexOfSelectedItem()), "5");
    // Building sent no change: the edit buffer is still the headset's.
    EXPECT_FALSE(page->isSettingsChanged());
}

TEST_F(AllSettingsTest, JapaneseAfterAReloadRelabelsEveryRowAndKeepsEverySelection) {
    openChanged6838();
    const auto english = shown();
    controller->setLanguageManager(4);
    page->callTableviewReloadDataForOutsideClass();
    const auto japanese = shown();
    ASSERT_EQ(japanese.size(), english.size());
    for (size_t row = 0; row < english.size(); ++row) {
        EXPECT_NE(japanese[row].first, english[row].first) << row;
        EXPECT_EQ(japanese[row].second, english[row].second) << row;
    }
    EXPECT_EQ(japanese[0].first, "ヘッドセット言語");
    EXPECT_EQ(cell(2)->enablebtn->text().toStdString(), app::AppTexts::qelm_string_enable_in(4));
}

// Centred on the window it stands over on every opening, wherever the window has moved, and of
// one size: the list and the buttons stand where they are, so the sheet does not resize.
TEST_F(AllSettingsTest, SheetOpensAt550By400CentredOnTheWindowEveryTime) {
    openChanged6838();
    QWidget* host = sheet()->parentWidget()->window();
    for (const QPoint origin : {QPoint(40, 30), QPoint(300, 200)}) {
        host->setGeometry(QRect(origin, QSize(995, 669)));
        page->moveToAllSettins(nullptr);
        ASSERT_TRUE(sheet()->isVisible());
        EXPECT_EQ(sheet()->geometry().size(), QSize(550, 400));
        EXPECT_LE((sheet()->geometry().center() - host->geometry().center()).manhattanLength(), 1) << origin.x();
        EXPECT_EQ(sheet()->minimumSize(), QSize(550, 400));
        EXPECT_EQ(sheet()->maximumSize(), QSize(550, 400));
        EXPECT_EQ(sheet()->windowModality(), Qt::WindowModal);
        page->closeAllSettins(nullptr);
        EXPECT_FALSE(sheet()->isVisible());
    }
    EXPECT_EQ(table()->rowCount(), 9);
}

// The sheet's buttons in the interface language, Close among them, with or without key labels.
TEST_F(AllSettingsTest, TheSheetsButtonsAreTitledInEveryLanguage) {
    openChanged6838();
    for (bool keyLabels : {false, true}) {
        controller->setShowShortcuts(keyLabels);
        for (int32_t language = 0; language < 13; ++language) {
            controller->setLanguageManager(language);
            page->setControls();
            EXPECT_EQ(page->btnDeviceAllSettingsBasicClose->text().toStdString(),
                      *app::catalogueText(app::TextId::settings_close, language))
                << language;
            EXPECT_EQ(page->btnDeviceAllSettingsBasicSave->text().toStdString(), page->qelm_string_save_in(language));
            EXPECT_EQ(page->btnDeviceAllSettingsBasicCancel->text().toStdString(),
                      app::AppTexts::qelm_string_cancel_in(language));
        }
    }
    controller->setShowShortcuts(false);
    controller->setLanguageManager(0);
    page->setControls();
    EXPECT_EQ(page->btnDeviceAllSettingsBasicClose->text(), "CLOSE");
}

TEST_F(AllSettingsTest, CloseEndsTheSheetOrAsksToSaveTheEdits) {
    openChanged6838();
    page->moveToAllSettins(nullptr);
    page->closeAllSettins(nullptr);
    EXPECT_FALSE(sheet()->isVisible());
    EXPECT_FALSE(boxOpen());

    page->moveToAllSettins(nullptr);
    edit().SetBasicSettingAirohaMeshReachOut(edit().GetBasicSettingAirohaMeshReachOut() ? 0 : 1);
    page->closeAllSettins(nullptr);
    const auto b = box();
    EXPECT_EQ(b.forWhat, 13);
    EXPECT_EQ(b.text, controller->stringPromptSave());
    EXPECT_EQ(b.ok, app::AppTexts::qelm_string_yes_in(0));
    EXPECT_EQ(b.cancel, app::AppTexts::qelm_string_no_in(0));
    EXPECT_FALSE(b.warning);
    EXPECT_TRUE(hasSize(b, 0));
    EXPECT_TRUE(sheet()->isVisible());
    // No: the sheet ends and the edits are dropped.
    controller->messageBoxCancel();
    platform::drainMainQueue();
    EXPECT_FALSE(sheet()->isVisible());
    EXPECT_FALSE(page->isSettingsChanged());
}

TEST_F(AllSettingsTest, DefaultThenCloseAsksWhenTheDefaultsDiffer) {
    openChanged6838();
    page->moveToAllSettins(nullptr);
    page->changeToDefaultAllSettins(nullptr);
    EXPECT_EQ(edit().GetBasicSettingAirohaVoxSensitivity(), page->dataDefault().GetBasicSettingAirohaVoxSensitivity());
    EXPECT_TRUE(page->isSettingsChanged());
    EXPECT_TRUE(sheet()->isVisible());
    page->closeAllSettins(nullptr);
    EXPECT_EQ(box().forWhat, 13);
}

TEST_F(AllSettingsTest, CancelBringsBackEveryRowOfTheHeadset) {
    openChanged6838();
    const auto headset = shown();
    page->moveToAllSettins(nullptr);
    page->changeToDefaultAllSettins(nullptr);
    EXPECT_NE(shown(), headset);
    page->ChangeToOtiginalAllSettins(nullptr);
    EXPECT_EQ(shown(), headset);
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_TRUE(sheet()->isVisible());
}

TEST_F(AllSettingsTest, DefaultAndCancelDoNothingWhileProcessing) {
    openChanged6838();
    page->moveToAllSettins(nullptr);
    edit().SetBasicSettingAirohaMeshReachOut(edit().GetBasicSettingAirohaMeshReachOut() ? 0 : 1);
    controller->setOnProcessing(true);
    page->changeToDefaultAllSettins(nullptr);
    page->ChangeToOtiginalAllSettins(nullptr);
    EXPECT_TRUE(page->isSettingsChanged());
    EXPECT_EQ(edit().GetBasicSettingAirohaVoxSensitivity(), 4);
    controller->setOnProcessing(false);
}

// The keyboard's way through the sheet: Tab from the first row's control down the rows (of an
// on/off pair only its selected side), then the buttons; Escape asks as Close does.
TEST_F(AllSettingsTest, TabWalksTheRowsThenTheButtonsAndEscapeActsAsClose) {
    openChanged6838();
    page->moveToAllSettins(nullptr);
    std::vector<QWidget*> expected;
    for (int row = 0; row < table()->rowCount(); ++row) {
        DeviceSettingsTableCellView* c = cell(row);
        expected.push_back(c->popUpBtn ? static_cast<QWidget*>(c->popUpBtn)
                                       : c->radiobtn->cellAtRow(0, c->radiobtn->selectedColumn()));
    }
    for (QWidget* b : {page->btnDeviceAllSettingsBasicDefault, page->btnDeviceAllSettingsBasicCancel,
                       page->btnDeviceAllSettingsBasicSave, page->btnDeviceAllSettingsBasicClose})
        expected.push_back(b);
    std::vector<QWidget*> tabbed;
    QWidget* w = expected.front();
    for (int step = 0; step < 200 && tabbed.size() < expected.size(); ++step, w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && sheet()->isAncestorOf(w)) tabbed.push_back(w);
    EXPECT_EQ(tabbed, expected);

    edit().SetBasicSettingAirohaMeshReachOut(edit().GetBasicSettingAirohaMeshReachOut() ? 0 : 1);
    sheet()->reject();
    EXPECT_EQ(box().forWhat, 13);
    EXPECT_TRUE(sheet()->isVisible());
}

// The wheel over a pop-up the user has not chosen leaves the setting alone; once Tab has given
// the pop-up the focus, the same turn is a choice (0x6838 VOX Sensitivity 2 -> 3).
TEST_F(AllSettingsTest, TheWheelChangesAPopUpOnlyOnceTheUserHasGivenItTheFocus) {
    openChanged6838();
    page->moveToAllSettins(nullptr);
    sheet()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet()));
    settings::PopUpButton* vox = cell(4)->popUpBtn;
    ASSERT_EQ(cell(4)->textField()->text(), "VOX Sensitivity");
    ASSERT_EQ(vox->currentText(), "5");
    edit().SetBasicSettingAirohaVoxSensitivity(1);
    page->callTableviewReloadDataForOutsideClass();
    vox = cell(4)->popUpBtn;
    ASSERT_EQ(vox->currentText(), "2");
    QWidget* focused = QApplication::focusWidget();

    turnWheelDownOver(vox);
    EXPECT_EQ(vox->currentText(), "2");
    EXPECT_EQ(edit().GetBasicSettingAirohaVoxSensitivity(), 1);
    EXPECT_EQ(QApplication::focusWidget(), focused) << "the turn took the focus";

    // Tab from the first row: two pop-ups, two on/off pairs, then VOX Sensitivity.
    cell(0)->popUpBtn->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < 4; ++step) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), vox);
    turnWheelDownOver(vox);
    EXPECT_EQ(cell(4)->popUpBtn->currentText(), "3");
    EXPECT_EQ(edit().GetBasicSettingAirohaVoxSensitivity(), 2);
    EXPECT_TRUE(page->isSettingsChanged());
}

// In a list longer than the sheet, a turn over any row's pop-up scrolls the list.
TEST_F(AllSettingsTest, TheWheelOverAnUnchosenPopUpScrollsALongList) {
    open(0x5510, 3, 0);
    page->moveToAllSettins(nullptr);
    sheet()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet()));
    ASSERT_EQ(table()->rowCount(), 25);
    QScrollBar* bar = table()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the list fits: nothing to scroll";
    int turned = 0;
    for (int row = 1; row < table()->rowCount() && bar->value() < bar->maximum(); ++row) {
        settings::PopUpButton* popUp = cell(row)->popUpBtn;
        if (!popUp || !popUp->isVisible() || popUp->visibleRegion().isEmpty() || popUp->hasFocus()) continue;
        const int scrolled = bar->value();
        const int shown = popUp->currentIndex();
        turnWheelDownOver(popUp);
        EXPECT_EQ(popUp->currentIndex(), shown) << row;
        EXPECT_GT(bar->value(), scrolled) << row;
        ++turned;
    }
    EXPECT_GT(turned, 0);
    EXPECT_FALSE(page->isSettingsChanged());
}

// Every row of every list model, in every language: the label stays left of the row's "?" and its
// control, whole where it fits, else cut with "…" and whole in its tooltip.
TEST_F(AllSettingsTest, EveryLabelOfEveryListModelFitsItsFieldOrIsElidedInEveryLanguage) {
    std::map<const settings::RowKind*, uint16_t> kinds;  // with a model that shows it
    for (const settings::LayoutFamily& family : settings::allLayoutFamilies())
        for (const settings::SelectionGroup& group : family.groups)
            for (const settings::LayoutChoice& choice : group.choices)
                for (const settings::RowKind* kind : choice.layout->rows) kinds.emplace(kind, group.productIds.front());
    ASSERT_GT(kinds.size(), 50u);
    std::set<std::string> elided;
    for (const auto& [kind, model] : kinds) {
        for (int32_t language = 0; language < 13; ++language) {
            settings::ListInputs in;
            in.deviceTarget = model;
            in.languageManager = language;
            const std::string label = settings::describe(*kind, in).label;
            const bool onOff = kind->cell == CellKind::OnOff;
            DeviceSettingsTableCellView view(onOff ? DeviceSettingsTableCellView::kOnOffIdentifier
                                                   : DeviceSettingsTableCellView::kComboIdentifier);
            view.textField()->setText(QString::fromStdString(label));
            const std::string where = label + " in language " + std::to_string(language);
            const QRect field = view.textField()->geometry();
            const QWidget* control = onOff ? static_cast<QWidget*>(view.radiobtn) : view.popUpBtn;
            EXPECT_LT(field.right(), view.infoOnOffBtn->geometry().left()) << where;
            EXPECT_LT(field.right(), control->geometry().left()) << where;
            if (expectWholeOrElided(*view.textField(), where)) elided.insert(label);
        }
    }
    EXPECT_TRUE(elided.count("Gestion du volume de superposition audio")) << elided.size();
    EXPECT_TRUE(elided.count("Zarządzanie głośnością nakładania dźwięku")) << elided.size();
}

TEST_F(AllSettingsTest, AModelWithoutRowsShowsAnEmptyList) {
    open(0x3052);
    EXPECT_EQ(table()->rowCount(), 0);
    open(0x6A01);
    EXPECT_EQ(table()->rowCount(), 0);
}

}  // namespace
