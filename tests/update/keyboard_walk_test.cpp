// The update page and the window by the keyboard alone: Tab goes through the page's controls in
// reading order (BACK before NEXT), then the bottom buttons, with no stop on a control that shows
// nothing; Shift+Tab goes back; Return presses the button that has the focus; F10 opens the menus.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTest>

#include "UpdatePageFixture.h"

namespace {

using update_page_test::UpdatePageFixture;

class KeyboardWalk : public UpdatePageFixture {
  protected:
    void showUpdatePage() {
        auto& page = enter(5, 0x6838);
        finishListRead(page);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QWidget* focused() { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused() ? focused() : window.get(), key, modifiers);
        platform::drainMainQueue();
    }
    // The window's controls as a reader meets them, leaving out what is hidden or disabled.
    QList<QWidget*> readingOrder() {
        auto& p = *pages.update;
        QList<QWidget*> order;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 p.tfFirmwareFile(), p.btnBrowse(), p.popUpLanguageFirmware(), p.btnDownload(), p.btnBack(),
                 p.btnUpdate(), p.btnRestore(), p.btnNext(), window->btnAbout, window->btnLanguageManager,
                 window->btnClose})
            if (w->isVisible() && w->isEnabled()) order.append(w);
        return order;
    }
};

TEST_F(KeyboardWalk, TabFollowsTheReadingOrderOfTheUpdatePage) {
    ASSERT_NO_FATAL_FAILURE(showUpdatePage());
    const QList<QWidget*> order = readingOrder();
    ASSERT_TRUE(order.contains(pages.update->btnBack()));
    ASSERT_TRUE(order.contains(pages.update->btnNext()));
    ASSERT_LT(order.indexOf(pages.update->btnBack()), order.indexOf(pages.update->btnNext()));
    EXPECT_EQ(window->tabStops(), order);

    QList<QWidget*> visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        press(Qt::Key_Tab);
        visited.append(focused());
    }
    EXPECT_EQ(visited, order) << "from the page's start, every stop once";
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), order.first()) << "round again";
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), order.last());
}

TEST_F(KeyboardWalk, ReturnPressesTheFocusedButton) {
    ASSERT_NO_FATAL_FAILURE(showUpdatePage());
    while (focused() != pages.update->btnBack()) {
        press(Qt::Key_Tab);
        ASSERT_TRUE(window->tabStops().contains(focused()));
    }
    press(Qt::Key_Return);
    EXPECT_EQ(controller->mode(), 4) << "BACK leads to the recognition page";
}

TEST_F(KeyboardWalk, F10OpensTheMenus) {
    ASSERT_NO_FATAL_FAILURE(showUpdatePage());
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_TRUE(window->menuManager->isVisible());
    QTest::keyClick(window->menuManager, Qt::Key_Right);
    EXPECT_TRUE(window->menuHelp->isVisible()) << "the arrows go on to the Help menu";
    QTest::keyClick(window->menuHelp, Qt::Key_Escape);
}

}  // namespace
