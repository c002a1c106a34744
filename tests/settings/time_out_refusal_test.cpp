// An audio-channel time-out outside 3 to 60 typed into its field holds against every way out of
// the page and every save, asked as a user asks them: a real click on the active window (which
// takes the focus from the field before the click lands) or a key. Nothing starts, the message
// shows once and the page stays. A click elsewhere or the Tab key still gets the field's own
// check, and a valid value left by a click is the value the click goes on with.
#include <QTest>

#include "PageOnControllerFixture.h"
#include "SettingsPageFixture.h"
#include "settings/save/DeviceSettingsSave.h"

namespace settings::testing {
namespace {

// How often a widget was shown.
class ShowCount : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) ++count;
        return QObject::eventFilter(watched, event);
    }
};

class TimeOutRefusal : public PageOnController<settings_test::Pages> {
  protected:
    static constexpr int32_t kModel = 0x5210;  // the model whose form has the time-out row
    static constexpr int32_t kStored = 5;

    void SetUp() override {
        recognizeOnController(kModel, 1, 0);
        controller->data().setAudioChannelTimeout(kStored);
        controller->setDeviceSettingsWithStatus(true);
        platform::drainMainQueue();
        window->show();
        ASSERT_NO_FATAL_FAILURE(activate());
        ASSERT_TRUE(page->tfACT->isVisible()) << "the form shows the time-out row";
        // An edit waits to be saved, so SAVE is enabled and leaving would ask about it.
        page->dataCurrent().setRadioTransmitGain(12);
        page->setControls();
        ASSERT_TRUE(page->btnSave->isEnabled());
        window->messageBox().sheetMessageBox->installEventFilter(&boxShows);
        pages.log.clear();
    }

    // The window takes the keyboard, as after a user's click on it.
    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void settle() {
        QCoreApplication::processEvents();
        platform::drainMainQueue();
        QCoreApplication::processEvents();
    }
    // A press and release through the window system, where a user's would arrive.
    void click(QWidget* w) {
        const QPoint at = w->mapTo(window.get(), w->rect().center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        settle();
    }
    void typeTimeOut(const char* text) {
        click(page->tfACT);
        ASSERT_TRUE(page->tfACT->hasFocus()) << "the click gave the field the focus";
        page->tfACT->selectAll();
        QTest::keyClicks(page->tfACT, text);
        ASSERT_EQ(page->tfACT->text().toStdString(), text);
    }
    void expectRefusedOnce() {
        settle();
        EXPECT_EQ(controller->mode(), 7) << "the page stays";
        EXPECT_TRUE(pages.log.empty()) << "no other page was entered";
        EXPECT_FALSE(controller->onProcessing());
        EXPECT_NE(page->rcThreadSave(), save::kSaveRunning) << "no save started";
        EXPECT_EQ(controller->messageBoxStatus(), 2) << "the time-out message";
        EXPECT_EQ(boxShows.count, 1) << "shown once";
        EXPECT_EQ(page->tfACT->text().toStdString(), std::to_string(kStored)) << "the stored value shown";
        EXPECT_EQ(page->dataCurrent().audioChannelTimeout(), kStored);
    }

    ShowCount boxShows;
};

// The ways out, and the Tab key that only ends the edit.
enum class WayOut { SaveClicked, BackClicked, NewDeviceClicked, SideButtonClicked, SaveByKeys, TabPressed };

class EveryWayOut : public TimeOutRefusal, public ::testing::WithParamInterface<WayOut> {
  protected:
    void takeIt() {
        switch (GetParam()) {
            case WayOut::SaveClicked: return click(page->btnSave);
            case WayOut::BackClicked: return click(page->btnBack());
            case WayOut::NewDeviceClicked: return click(page->btnNewDevice());
            case WayOut::SideButtonClicked: return click(window->btnFirmwareUpdate);
            case WayOut::SaveByKeys:
                // Through the window system, with the focus still in the field.
                QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::AltModifier | Qt::ControlModifier);
                return settle();
            case WayOut::TabPressed:
                QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
                return settle();
        }
    }
};

TEST_P(EveryWayOut, RefusesABadTimeOut) {
    for (const char* bad : {"61", "2"}) {
        SCOPED_TRACE(bad);
        boxShows.count = 0;
        ASSERT_NO_FATAL_FAILURE(typeTimeOut(bad));
        takeIt();
        expectRefusedOnce();
        controller->closeMessageBox();
        settle();
        ASSERT_NO_FATAL_FAILURE(activate());
    }
}

std::string nameOf(const ::testing::TestParamInfo<WayOut>& info) {
    static const char* const kNames[] = {"SaveClicked", "BackClicked", "NewDeviceClicked", "SideButtonClicked",
                                         "SaveByKeys", "TabPressed"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(TimeOut, EveryWayOut,
                         ::testing::Values(WayOut::SaveClicked, WayOut::BackClicked, WayOut::NewDeviceClicked,
                                           WayOut::SideButtonClicked, WayOut::SaveByKeys, WayOut::TabPressed),
                         nameOf);

// A click on another control of the form ends the edit too: the control does its part, then the
// field's own check shows the message once and puts the stored value back.
TEST_F(TimeOutRefusal, AClickElsewhereGetsTheFieldsCheckOnce) {
    ASSERT_NO_FATAL_FAILURE(typeTimeOut("61"));
    click(page->radioRTG->cellAtRow(0, 2));
    expectRefusedOnce();
    EXPECT_EQ(page->dataCurrent().radioTransmitGain(), 17) << "the click's own change was made";
}

// A valid value left by a click on Back is the value the leave guard sees: it is stored before
// the guard asks to save the page's changes.
TEST_F(TimeOutRefusal, AValidValueGoesOnWithTheClick) {
    ASSERT_NO_FATAL_FAILURE(typeTimeOut("30"));
    click(page->btnBack());
    EXPECT_EQ(page->dataCurrent().audioChannelTimeout(), 30);
    EXPECT_EQ(controller->messageBoxStatus(), 4) << "the save question";
    EXPECT_EQ(page->modeToGo(), 5);
}

}  // namespace
}  // namespace settings::testing
