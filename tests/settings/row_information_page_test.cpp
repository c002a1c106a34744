// The information buttons of the all-settings list on the device settings page, offscreen: the box
// each opens (text, one OK button, image, size, purpose), that nothing changes around it, the
// value read at each press, and the buttons that open nothing.
#include <QDialog>
#include <QShortcut>
#include <QTest>

#include "SettingsPageFixture.h"
#include "app/TextCatalogue.h"
#include "settings/DeviceSettingsTableCellView.h"

namespace {

using settings::DeviceSettingsTableCellView;
using settings_test::SettingsPageTest;

constexpr int kVoxSensitivityRow6838 = 4;

class RowInformationPageTest : public SettingsPageTest {
  protected:
    void openSheet(int32_t target, int32_t major = 1, int32_t minor = 0) {
        open(target, major, minor);
        page->moveToAllSettins(nullptr);
    }
    QTableWidget* table() const { return page->tableViewDeviceAllSettingsBasic; }
    DeviceSettingsTableCellView* cell(int row) const {
        return dynamic_cast<DeviceSettingsTableCellView*>(table()->cellWidget(row, 0));
    }
    // Presses the row's information button as the user does.
    void pressInformation(int row) {
        ASSERT_NE(cell(row), nullptr) << row;
        cell(row)->infoOnOffBtn->click();
    }
    std::vector<QWidget*> cells() const {
        std::vector<QWidget*> widgets;
        for (int row = 0; row < table()->rowCount(); ++row) widgets.push_back(table()->cellWidget(row, 0));
        return widgets;
    }
};

TEST_F(RowInformationPageTest, TheBoxShowsTheRowsTextWithOneOkButtonAndChangesNothingAroundIt) {
    openSheet(0x6838);
    edit().SetBasicSettingAirohaMeshReachOut(edit().GetBasicSettingAirohaMeshReachOut() ? 0 : 1);
    page->setControls();
    const auto widgets = cells();
    const int32_t reachOut = edit().GetBasicSettingAirohaMeshReachOut();
    const int32_t sensitivity = edit().GetBasicSettingAirohaVoxSensitivity();
    ASSERT_TRUE(page->btnDeviceAllSettingsBasicSave->isEnabled());

    pressInformation(kVoxSensitivityRow6838);
    const auto b = box();
    EXPECT_EQ(b.text, page->stringInformationVOXSensitivityMOSSEL());
    EXPECT_EQ(b.forWhat, 12);
    EXPECT_FALSE(b.warning);
    EXPECT_EQ(b.ok, app::AppTexts::qelm_string_ok_in(0));
    EXPECT_EQ(b.cancel, "");
    EXPECT_TRUE(hasSize(b, 2));

    controller->messageBoxOK();
    platform::drainMainQueue();
    // One box: OK closes it and none follows.
    EXPECT_FALSE(boxOpen());
    EXPECT_EQ(cells(), widgets);  // no reload
    EXPECT_EQ(edit().GetBasicSettingAirohaMeshReachOut(), reachOut);
    EXPECT_EQ(edit().GetBasicSettingAirohaVoxSensitivity(), sensitivity);
    EXPECT_TRUE(page->isSettingsChanged());
    EXPECT_TRUE(page->btnDeviceAllSettingsBasicSave->isEnabled());
    EXPECT_TRUE(page->sheetDeviceAllSettings()->isVisible());
}

TEST_F(RowInformationPageTest, OpensWhileAnOperationRuns) {
    openSheet(0x6838);
    controller->setOnProcessing(true);
    pressInformation(kVoxSensitivityRow6838);
    EXPECT_EQ(box().forWhat, 12);
    closeBox();
    controller->setOnProcessing(false);
}

// The accessory is read at each press: the list is neither rebuilt nor the headset read again.
TEST_F(RowInformationPageTest, TheEqualizerTextFollowsTheAccessoryOfTheEditCopy) {
    controller->setDevice50SpeakerType(0);
    recognize(0x3210, 1, 1);
    record().SetBasicSetting50SpeakerAccessorySelect(1 - 8);  // the setter stores its argument plus 8
    controller->setMode(7);
    page->initializeObject();
    page->moveToAllSettins(nullptr);
    ASSERT_EQ(cell(1)->textField()->text(), "Audio Equalizer");

    pressInformation(1);
    auto b = box();
    EXPECT_EQ(b.text, page->stringInformationAudioEqualizerQV());
    EXPECT_TRUE(hasSize(b, 6));
    closeBox();

    edit().SetBasicSetting50SpeakerAccessorySelect(8 - 8);
    pressInformation(1);
    b = box();
    EXPECT_EQ(b.text, page->stringInformationAudioEqualizer());
    EXPECT_TRUE(hasSize(b, 6));
    closeBox();
}

TEST_F(RowInformationPageTest, EveryLanguageShowsItsOwnTextOrTheEnglishOneAndItsOkWord) {
    openSheet(0x6838);
    const auto id = app::TextId::settings_info_vox_sensitivity_mossel;
    const std::string english(*app::catalogueText(id, 0));
    for (int32_t language = 0; language < 13; ++language) {
        controller->setLanguageManager(language);
        page->callTableviewReloadDataForOutsideClass();
        pressInformation(kVoxSensitivityRow6838);
        const auto b = box();
        const auto own = app::catalogueText(id, language);
        EXPECT_EQ(b.text, own ? std::string(*own) : english) << language;
        if (language != 0 && own) {
            EXPECT_NE(b.text, english) << language;
        }
        EXPECT_EQ(b.ok, app::AppTexts::qelm_string_ok_in(language)) << language;
        closeBox();
    }
    controller->setLanguageManager(0);
}

TEST_F(RowInformationPageTest, ButtonsWithoutAnEntryAndSendersOutsideTheListOpenNothing) {
    openSheet(0x3560, 1, 5);  // an Alvento port: channel, volume, microphone
    ASSERT_EQ(table()->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_TRUE(cell(row)->infoOnOffBtn->isHidden()) << row;
        page->allSettingsInformation(cell(row)->infoOnOffBtn);
        EXPECT_FALSE(boxOpen()) << row;
    }
    openSheet(0x3161);
    EXPECT_TRUE(cell(2)->infoOnOffBtn->isHidden());  // Remote UI RTT
    page->allSettingsInformation(cell(2)->infoOnOffBtn);
    EXPECT_FALSE(boxOpen());
    page->allSettingsInformation(page->btnDeviceAllSettingsBasicSave);
    page->allSettingsInformation(nullptr);
    EXPECT_FALSE(boxOpen());
    // Its first row's text names its own setting.
    pressInformation(0);
    EXPECT_EQ(box().text, page->stringInformationMeshPublicChannel());
    closeBox();
}

// The keyboard's way: the arrows choose the table's current row, Ctrl+I presses its button.
TEST_F(RowInformationPageTest, CtrlIInTheSheetPressesTheCurrentRowsButton) {
    openSheet(0x3161);
    QShortcut* key = nullptr;
    for (QShortcut* s : page->sheetDeviceAllSettings()->findChildren<QShortcut*>())
        if (s->key() == QKeySequence(Qt::CTRL | Qt::Key_I)) key = s;
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->context(), Qt::WindowShortcut);

    table()->setCurrentCell(-1, -1);
    emit key->activated();
    EXPECT_FALSE(boxOpen());  // no current row
    table()->setCurrentCell(2, 0);
    emit key->activated();
    EXPECT_FALSE(boxOpen());  // Remote UI RTT: no information
    table()->setCurrentCell(1, 0);
    emit key->activated();
    EXPECT_EQ(box().text, page->stringInformationHeadsetUnitLanguage());
    closeBox();
}

// The box by the keyboard: it has the keys as soon as it shows; Return or Space presses OK and
// Escape closes it; then the sheet has the keys again, on the control of the row the box spoke of,
// whether the box came by Ctrl+I on that row or by a click on its "?" while another row had them.
struct KeyCase {
    const char* name;
    bool byClick;
    Qt::Key key;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class InformationBoxKeys : public RowInformationPageTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(InformationBoxKeys, TheBoxTakesTheKeysAndGivesThemBackToTheRow) {
    openSheet(0x6838);
    QWidget* sheet = page->sheetDeviceAllSettings();
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QWidget* vox = cell(kVoxSensitivityRow6838)->popUpBtn;
    if (GetParam().byClick) {
        cell(0)->popUpBtn->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(cell(kVoxSensitivityRow6838)->infoOnOffBtn, Qt::LeftButton);
    } else {
        vox->setFocus(Qt::TabFocusReason);
        QTest::keyClick(vox, Qt::Key_I, Qt::ControlModifier);
    }
    platform::drainMainQueue();
    const app::MainWindow::MessageBoxSheet& box = window->messageBox();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.sheetMessageBox));
    EXPECT_EQ(box.tfMessageBox->text().toStdString(), page->stringInformationVOXSensitivityMOSSEL());
    ASSERT_EQ(QApplication::focusWidget(), box.btnMessageBoxOK);

    QTest::keyClick(QApplication::focusWidget(), GetParam().key);
    platform::drainMainQueue();
    EXPECT_FALSE(boxOpen());
    EXPECT_FALSE(box.sheetMessageBox->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    EXPECT_EQ(QApplication::focusWidget(), cell(kVoxSensitivityRow6838)->popUpBtn);
}

INSTANTIATE_TEST_SUITE_P(, InformationBoxKeys,
                         ::testing::Values(KeyCase{"CtrlIThenReturn", false, Qt::Key_Return},
                                           KeyCase{"CtrlIThenEscape", false, Qt::Key_Escape},
                                           KeyCase{"ClickThenSpace", true, Qt::Key_Space},
                                           KeyCase{"ClickThenEscape", true, Qt::Key_Escape}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
