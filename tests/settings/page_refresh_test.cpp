// Opening the page and refreshing it: the edit buffer and defaults made from the headset, the
// disabling while a device operation runs, the page buttons and the two Save buttons, and the
// walk over every row of the fixed form.
#include "settings/SettingsPageFixture.h"

namespace settings_test {
namespace {

class PageRefresh : public SettingsPageTest {};

TEST_F(PageRefresh, OpeningCopiesTheHeadsetWithItsVersionsAndHidesShortcutLabels) {
    recognize(0x6838, 2, 3);
    record().setBasicSetting20At(2, 0x0123);
    controller->setShowShortcuts(true);
    controller->setMode(7);
    page->initializeObject();
    EXPECT_FALSE(controller->showShortcuts());
    EXPECT_EQ(page->btnSave->text().toStdString(), "SAVE");
    EXPECT_EQ(edit().basicSettingFERRIK(2), 0x0123);
    EXPECT_EQ(edit().deviceVersionMajor(), 2);
    EXPECT_EQ(edit().deviceVersionMinor(), 3);
    EXPECT_EQ(page->dataDefault().deviceRecognized(), 0x6838);
    EXPECT_FALSE(page->isSettingsChanged());
    EXPECT_EQ(page->tableViewDeviceAllSettingsBasic->rowCount(), 9);  // every row of the list, reloaded
}

TEST_F(PageRefresh, LeavingWithoutSavingDropsTheEditsButKeepsTheBufferVersions) {
    open(0x6838, 2, 3);
    edit().setBasicSetting20At(2, 0x0F0F);
    edit().setDeviceVersionMajor(9, 9);
    page->moveToSettingToSetting();
    EXPECT_EQ(edit().basicSettingFERRIK(2), record().basicSettingFERRIK(2));
    EXPECT_EQ(edit().deviceVersionMajor(), 9);
}

TEST_F(PageRefresh, WhileADeviceOperationRunsEveryInputAndButtonIsDisabledAndRowsKeepTheirVisibility) {
    open(0x4D10, 5, 0);  // PLC hidden, Sidetone shown
    edit().setIntercomVOX(edit().intercomVOX() ? 0 : 1);
    controller->setOnProcessing(true);
    page->setControls();
    for (const auto& row : page->formRows())
        for (QWidget* input : row.inputs) EXPECT_FALSE(input->isEnabled());
    for (QWidget* button : std::initializer_list<QWidget*>{page->btnBack(), page->btnNewDevice(), page->btnDefault,
                                                           page->btnCancel, page->btnSave,
                                                           page->btnDeviceAllSettingsBasicSave, page->btnAllSettings,
                                                           page->btnNoteApply})
        EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(page->lblPLC->isHidden());
    EXPECT_FALSE(page->lblSidetone->isHidden());

    controller->setOnProcessing(false);
    page->setControls();
    for (QWidget* button : std::initializer_list<QWidget*>{page->btnBack(), page->btnNewDevice(), page->btnDefault,
                                                           page->btnCancel, page->btnSave,
                                                           page->btnDeviceAllSettingsBasicSave})
        EXPECT_TRUE(button->isEnabled());
}

TEST_F(PageRefresh, EveryRowAtOnce) {
    open(0x5210);
    page->enableOldControlsEnable(false, true);
    for (const auto& row : page->formRows()) {
        for (QWidget* label : row.labels) EXPECT_TRUE(label->isHidden());
        for (QWidget* input : row.inputs) {
            EXPECT_TRUE(input->isHidden());
            EXPECT_FALSE(input->isEnabled());
        }
    }
    EXPECT_TRUE(page->lblNoteEDR->isHidden());
    // The page buttons and the apply note are not rows.
    EXPECT_FALSE(page->btnSave->isHidden());
    page->enableOldControlsEnable(true, false);
    for (const auto& row : page->formRows())
        for (QWidget* input : row.inputs) {
            EXPECT_FALSE(input->isHidden());
            EXPECT_TRUE(input->isEnabled());
        }
    EXPECT_EQ(page->formRows().size(), 17u);
}

}  // namespace
}  // namespace settings_test
