// Every key that the shortcut view lists, pressed as a user would on the window: the page or
// sheet it shows. The firmware pages' own keys take over the window's equal keys while shown.
#include <gtest/gtest.h>

#include <QTest>
#include <string>

#include "UpdatePageFixture.h"

namespace {

using update_page_test::UpdatePageFixture;

struct KeyCase {
    const char* name;
    int32_t startMode;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    // What shows afterwards: a mode, or a sheet.
    int32_t mode;
    const char* sheet;  // "about", "language", "popup" or ""
};

const KeyCase kKeyCases[] = {
    {"CtrlSFromRecognition", 4, Qt::Key_S, Qt::ControlModifier, 3, ""},
    {"CtrlRFromUpdate", 5, Qt::Key_R, Qt::ControlModifier, 4, ""},
    {"CtrlUFromRecognition", 4, Qt::Key_U, Qt::ControlModifier, 5, ""},
    {"CtrlTFromRecognition", 4, Qt::Key_T, Qt::ControlModifier, 7, ""},
    {"CtrlTFromUpdate", 5, Qt::Key_T, Qt::ControlModifier, 7, ""},
    {"CtrlSFromUpdate", 5, Qt::Key_S, Qt::ControlModifier, 3, ""},
    // The restore buttons are hidden in this build (the side button too), and so is their key.
    {"CtrlEOnTheUpdatePageKeepsItWhileRestoreIsHidden", 5, Qt::Key_E, Qt::ControlModifier, 5, ""},
    {"CtrlUOnTheRestorePageOpensUpdate", 6, Qt::Key_U, Qt::ControlModifier, 5, ""},
    {"CtrlLOnRecognitionOpensTheLanguageSheet", 4, Qt::Key_L, Qt::ControlModifier, 4, "language"},
    // Without languages the page's pop-up is hidden: its key goes to the window's language button.
    {"CtrlLOnTheUpdatePageWithoutLanguagesOpensTheLanguageSheet", 5, Qt::Key_L, Qt::ControlModifier, 5, "language"},
    {"CtrlIOpensAbout", 5, Qt::Key_I, Qt::ControlModifier, 5, "about"},
    {"CtrlLeftFromUpdateGoesBack", 5, Qt::Key_Left, Qt::ControlModifier, 4, ""},
};

class WindowKeys : public UpdatePageFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(WindowKeys, KeyShowsItsPageOrSheet) {
    const KeyCase& c = GetParam();
    controller->setDeviceTarget(0x6838);
    controller->setUsbStatus(0x6838);
    if (c.startMode == 4) {
        controller->setDeviceRecognitionWithStatus(true, nullptr, 0);
        controller->setRecognized(true);  // as the recognition would
        controller->setControls();
    } else {
        auto& page = enter(c.startMode, 0x6838);
        if (c.startMode == 5) finishListRead(page);
    }
    platform::drainMainQueue();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    QTest::keyClick(window.get(), c.key, c.modifiers);
    platform::drainMainQueue();
    for (auto* page : {pages.update, pages.restore}) page->joinListRead();

    EXPECT_EQ(controller->mode(), c.mode);
    const std::string sheet = c.sheet;
    EXPECT_EQ(window->about().sheetAbout->isVisible(), sheet == "about");
    EXPECT_EQ(window->languageSheet().sheetLanguageManager->isVisible(), sheet == "language");
    window->about().sheetAbout->hide();
    window->languageSheet().sheetLanguageManager->hide();
}

INSTANTIATE_TEST_SUITE_P(Update, WindowKeys, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdatePageFixture, PageKeysReplaceTheWindowsOnlyWhileThePageIsShown) {
    auto& page = enter(5, 0x6838);
    finishListRead(page);
    auto enabled = [&](QKeySequence key) {
        for (QShortcut* s : window->windowKeys)
            if (s->key() == key) return s->isEnabled();
        return false;
    };
    EXPECT_FALSE(enabled(QKeySequence(Qt::CTRL | Qt::Key_E)));
    EXPECT_FALSE(enabled(QKeySequence(Qt::CTRL | Qt::Key_L)));
    EXPECT_TRUE(enabled(QKeySequence(Qt::CTRL | Qt::Key_U)));
    controller->setDeviceRecognitionWithStatus(true, nullptr, 0);
    for (Qt::Key k : {Qt::Key_S, Qt::Key_R, Qt::Key_U, Qt::Key_E, Qt::Key_T, Qt::Key_L})
        EXPECT_TRUE(enabled(QKeySequence(Qt::CTRL | k))) << k;
}

}  // namespace
