// The start page: its preselected model, the home button and the keyboard's Next, the hidden
// buttons of earlier models, the shortcut titles, and the picture by Tab and Return or Space.
#include <QTest>

#include "SelectionFixture.h"

namespace selection_test {
namespace {

using Page = recognition::DeviceSelectionViewController;

TEST_F(SelectionTest, WithoutAStoredModelTheLuvenIsPreselectedAndOnlyHomeShows) {
    start(false);
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_EQ(page->deviceTargetSelected(), 0x6838);
    EXPECT_EQ(controller->deviceTarget(), 0);  // chosen only by Next
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(server.requests(), 0);
    EXPECT_TRUE(page->btnHome()->isVisibleTo(page->view()));
    EXPECT_TRUE(page->btnHome()->isEnabled());
    EXPECT_FALSE(page->btnHome()->icon().isNull());
    for (size_t i = 0; i < Page::kLegacyModelCount; ++i) {
        EXPECT_FALSE(page->legacyButton(i)->isVisibleTo(page->view())) << Page::kLegacyModels[i].name;
        EXPECT_FALSE(page->legacyButton(i)->isEnabled()) << Page::kLegacyModels[i].name;
        EXPECT_FALSE(page->legacyBackground(i)->isVisibleTo(page->view())) << Page::kLegacyModels[i].name;
        EXPECT_FALSE(page->legacyBackground(i)->isEnabled()) << Page::kLegacyModels[i].name;
    }
    EXPECT_EQ(page->btnNext()->text(), "NEXT");
    EXPECT_EQ(page->btnBack()->text(), "BACK");
    EXPECT_EQ(page->piProcessing()->maximum(), 100);  // stopped
}

TEST_F(SelectionTest, StoredRetiredModelBecomesItsSuccessor) {
    start(false);
    controller->setDeviceTarget(0x4010);
    controller->setDeviceSelection();
    EXPECT_EQ(page->deviceTargetSelected(), 0x4D10);
    EXPECT_EQ(controller->deviceTarget(), 0x4D10);

    controller->setDeviceTarget(0x5310);
    controller->setDeviceSelection();
    EXPECT_EQ(page->deviceTargetSelected(), 0x5310);
}

TEST_F(SelectionTest, HomeAndTheNextKeyLeadToRecognitionOfTheSelectedModel) {
    start(false);
    pages.log.clear();
    page->btnHome()->click();
    EXPECT_EQ(controller->deviceTarget(), 0x6838);
    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(pages.log, shell_test::CallLog{"4:init"});

    controller->setDeviceTarget(0x5210);
    controller->setDeviceSelection();
    pages.log.clear();
    controller->goNext();
    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(controller->deviceTarget(), 0x5210);
    EXPECT_EQ(pages.log, shell_test::CallLog{"4:init"});
}

TEST_F(SelectionTest, TabReachesThePictureAndReturnOrSpacePressesIt) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        start(false);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The picture, then the bottom buttons: nothing hidden or empty between them.
        EXPECT_EQ(window->tabStops(), (QList<QWidget*>{page->btnHome(), window->btnAbout, window->btnLanguageManager,
                                                       window->btnClose}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), page->btnHome());
        QTest::keyClick(page->btnHome(), key);
        EXPECT_EQ(controller->mode(), 4) << QKeySequence(key).toString().toStdString();
        EXPECT_EQ(controller->deviceTarget(), 0x6838);
    }
}

TEST_F(SelectionTest, EarlierModelButtonsSelectTheirModels) {
    start(false);
    for (size_t i = 0; i < Page::kLegacyModelCount; ++i) {
        const Page::LegacyModel& m = Page::kLegacyModels[i];
        page->targetDeviceSelected(page->legacyButton(i));
        // The retired model is replaced at once by its successor.
        EXPECT_EQ(page->deviceTargetSelected(), m.productId == 0x4010 ? 0x4D10 : m.productId) << m.name;
        EXPECT_FALSE(page->legacyButton(i)->isVisibleTo(page->view())) << m.name;
    }
    page->targetDeviceSelected(page->btnHome());  // not a model button
    EXPECT_EQ(page->deviceTargetSelected(), 0x4D10);
}

TEST_F(SelectionTest, ShortcutTitlesAndANewLanguageReTitleThePage) {
    start(false);
    EXPECT_EQ(page->legacyButton(0)->text(), "HEMBRIN");
    EXPECT_EQ(page->legacyButton(2)->text(), "EM-VAR");
    controller->changeShortcuts();
    EXPECT_EQ(page->btnNext()->text(), QString::fromUtf8("[C]-\u25B6"));
    EXPECT_EQ(page->legacyButton(0)->text(), "[O]-A");
    // Showing the page again turns the shortcuts off.
    controller->setDeviceSelection();
    EXPECT_FALSE(controller->showShortcuts());
    EXPECT_EQ(page->btnNext()->text(), "NEXT");

    // A new interface language re-titles the open page.
    window->btnLanguageManager->click();
    window->languageSheet().btnLanguageManagerGeneral[1]->click();  // French
    window->languageSheet().btnLanguageManagerOK->click();
    EXPECT_EQ(page->btnBack()->text().toStdString(), app::AppTexts::qelm_string_back_in(1));
    EXPECT_EQ(page->btnNext()->text().toStdString(), app::AppTexts::qelm_string_next_in(1));
    EXPECT_EQ(window->tfStatus->text().toStdString(), *app::AppTexts::qelm_status_default(3, 0, 1));
}

}  // namespace
}  // namespace selection_test
