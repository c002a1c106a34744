// The settings tabs: which tabs a model has, the tab header and pop-up, and choosing a tab.
#include <QMouseEvent>

#include <set>

#include "ShellFixture.h"
#include "app/TextCatalogue.h"

namespace shell_test {
namespace {

using Controller = app::ORVABluetoothManagerAppController;

struct TabCase {
    int32_t model;
    int32_t major, minor;
    int32_t fmFlag;  // 3 the model has an FM radio, 4 it has none
    std::vector<int32_t> tabs;
};

TEST(SettingsTabs, ListByModelVersionAndFMRadio) {
    const TabCase cases[] = {
        {0x6806, 1, 0, 3, {1, 2, 3}}, {0x6806, 1, 0, 4, {1, 2, 3}},  // FM flag not consulted
        {0x3050, 1, 0, 3, {1, 2, 3}}, {0x3050, 1, 0, 4, {1, 2}},
        {0x5443, 1, 0, 4, {1, 2}},    {0x5597, 1, 0, 3, {1, 2, 3}},  {0x5598, 1, 0, 3, {}},
        {0x6838, 1, 0, 3, {1, 2}},    {0x2010, 1, 0, 3, {1}},
        {0x3070, 1, 0, 3, {1, 3}},    {0x3070, 1, 0, 4, {1}},        {0x5560, 1, 0, 4, {1, 3}},
        {0x4111, 1, 0, 3, {2}},
        {0x4D10, 4, 2, 3, {1}},       {0x4D10, 4, 3, 3, {1, 2}},
        {0x5040, 4, 2, 3, {1, 3}},    {0x5040, 5, 0, 3, {1, 2, 3}},
        {0x4D05, 1, 2, 3, {1}},       {0x4D05, 1, 10, 3, {1, 2}},
        {0x4D15, 1, 2, 3, {1, 3}},    {0x4D15, 2, 0, 3, {1, 2, 3}},
        {0x6480, 1, 0, 3, {2}},       {0x6480, 1, 1, 3, {1, 2}},
        {0x6460, 2, 0, 3, {2}},       {0x6460, 2, 1, 3, {1, 2}},
        {0x5624, 1, 0, 3, {}},        {0x0000, 0, 0, 3, {}},
    };
    for (const TabCase& k : cases) {
        int32_t count = -1, selected = -1;
        int32_t tabs[3] = {9, 9, 9};
        Controller::SetTabDataInTabCount(&count, tabs, &selected, k.model, k.major, k.minor, k.fmFlag);
        std::vector<int32_t> got(tabs, tabs + std::max(0, count));
        EXPECT_EQ(got, k.tabs) << std::hex << k.model << std::dec << " v" << k.major << "." << k.minor << " fm "
                               << k.fmFlag;
        EXPECT_EQ(selected, 0);
        for (int32_t i = count; i < 3; ++i) EXPECT_EQ(tabs[i], 0);
    }
}

class Tabs : public ShellTest {
protected:
    // A recognized model whose settings pages have the given tabs, showing page `mode`.
    void showSettings(std::vector<int32_t> kinds, int32_t mode) {
        start();
        controller->setDeviceTarget(0x6838);
        controller->setRecognized(true);
        controller->setDetailViewController(mode);
        controller->setTabCount(static_cast<int32_t>(kinds.size()));
        for (size_t i = 0; i < kinds.size(); ++i) controller->setTab(kinds[i], static_cast<int32_t>(i));
        controller->setTabIndexSelected(controller->GetTabIndexWith(mode));
        controller->setControls();
        pages.log.clear();
    }
};

TEST_F(Tabs, IndexOfAModesTab) {
    showSettings({1, 3}, 7);
    EXPECT_EQ(controller->GetTabIndexWith(7), 0);
    EXPECT_EQ(controller->GetTabIndexWith(8), 1);
    EXPECT_EQ(controller->GetTabIndexWith(9), -1) << "no speed-dial tab";
    EXPECT_EQ(controller->GetTabIndexWith(5), -1);
    controller->initTabData();
    EXPECT_EQ(controller->GetTabIndexWith(7), -1);
}

TEST_F(Tabs, TwoTabsShowAHeaderWhoseOtherTabSwitchesPage) {
    showSettings({1, 2}, 7);
    EXPECT_FALSE(window->lblDetailTitlePagesFirstBackground->isHidden());
    EXPECT_EQ(window->lblDetailTitlePagesFirstBackground->size(), QSize(362, 18));
    EXPECT_EQ(window->lblDetailTitlePagesSecondBackground->size(), QSize(365, 15));
    EXPECT_TRUE(window->btnDetailTitlePagesFirst->isHidden());
    EXPECT_TRUE(window->btnDetailTitlePagesSecond->isEnabled());

    window->btnDetailTitlePagesSecond->click();
    EXPECT_EQ(controller->mode(), 9);
    EXPECT_EQ(controller->tabIndexSelected(), 1);
    EXPECT_EQ(window->lblDetailTitlePagesSecondBackground->size(), QSize(362, 18));

    window->btnDetailTitlePagesFirst->click();
    EXPECT_EQ(controller->mode(), 7);
    EXPECT_EQ(controller->tabIndexSelected(), 0);
}

TEST_F(Tabs, ThreeTabsOpenAPopUpWhoseButtonsChooseBelowTheCountOnly) {
    showSettings({1, 2, 3}, 7);
    EXPECT_EQ(window->lblDetailTitlePagesSecondForeground->text().toStdString(),
              std::string(app::localizedText(app::TextId::tabs_more, 0)));
    controller->moveToSecondPage();
    EXPECT_TRUE(controller->listTabsOpened());
    EXPECT_FALSE(window->boxListTabsBox->isHidden());
    EXPECT_FALSE(window->btnListTabs[2]->isHidden());
    // Each list tab keeps its own key after its title is set.
    std::set<QString> keys;
    for (QPushButton* button : window->btnListTabs) keys.insert(button->shortcut().toString());
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_FALSE(keys.contains(QString()));

    window->btnListTabs[2]->click();
    EXPECT_EQ(controller->mode(), 8);
    EXPECT_FALSE(controller->listTabsOpened());
    EXPECT_TRUE(window->boxListTabsBox->isHidden());

    // With two tabs, the third button's index equals the count: refused, nothing switches.
    controller->setTabCount(2);
    controller->setTabIndexSelected(0);
    pages.log.clear();
    controller->changeSelectionListTabs(window->btnListTabs[2]);
    EXPECT_EQ(controller->mode(), 8);
    EXPECT_EQ(controller->tabIndexSelected(), 0);
    EXPECT_TRUE(pages.log.empty());
}

TEST_F(Tabs, ClickInTheWindowClosesThePopUp) {
    showSettings({1, 2, 3}, 7);
    controller->moveToSecondPage();
    ASSERT_FALSE(window->boxListTabsBox->isHidden());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(window->view, &press);
    EXPECT_FALSE(controller->listTabsOpened());
    EXPECT_TRUE(window->boxListTabsBox->isHidden());
}

TEST_F(Tabs, RestorePageUsesItsOwnTabs) {
    start();
    controller->setDeviceTarget(0x6838);
    controller->setRecognized(true);
    pages.restore->restorePossible_ = true;
    pages.restore->tabCount_ = 2;
    controller->setDetailViewController(6);
    EXPECT_FALSE(window->lblDetailTitlePagesFirstBackground->isHidden());
    controller->moveToSecondPage();
    EXPECT_EQ(pages.restore->tabIndexSelected(), 1);
    controller->moveToFirstPage();
    EXPECT_EQ(pages.restore->tabIndexSelected(), 0);
    EXPECT_EQ(controller->mode(), 6);
}

}  // namespace
}  // namespace shell_test
