// The device settings page on a real controller and its offscreen window; the other pages are
// the shell tests' recording stand-ins. A test picks the model and firmware, then opens the page.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QShortcut>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <algorithm>
#include <string>

#include "app/ShellFixture.h"
#include "settings/DeviceSettingsViewController.h"

namespace settings_test {

using device::ORVABluetoothDeviceData;
using settings::DeviceSettingsViewController;

class Pages : public shell_test::RecordingPages {
public:
    DeviceSettingsViewController* page = nullptr;
    std::unique_ptr<app::DeviceSettingsPage> makeDeviceSettings() override {
        auto p = std::make_unique<DeviceSettingsViewController>();
        page = p.get();
        return p;
    }
};

// What the message box shows.
struct Box {
    std::string text;
    int32_t forWhat;
    int width, height;
    bool warning;
    std::string ok, cancel;  // "" for a hidden button
};

// A wheel turn as the window system delivers it: to the widget under the pointer, spontaneous, so
// that the application gives the focus by each widget's policy and hands an ignored turn on to
// the widgets under it. One step down.
inline void turnWheelDownOver(QWidget* target) {
    QApplication::processEvents();  // the pointer meets what is drawn: pending layouts first
    QWidget* window = target->window();
    const QPoint at = target->mapTo(window, target->rect().center());
    QWidget* under = window->childAt(at);
    ASSERT_NE(under, nullptr);
    const QPointF local = under->mapFrom(window, at);
    QWheelEvent turn(local, under->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&turn);
    qApp->notify(under, &turn);
}

// A label shows its whole text where it fits its field, else a cut that fits and ends in "…", with
// the whole text in the tooltip its pointer raises. True when it is cut.
inline bool expectWholeOrElided(settings::ElidedLabel& label, const std::string& where) {
    const QString whole = label.text();
    const QString shown = label.shownText();
    const int field = label.contentsRect().width() - 2 * label.margin();
    if (label.fontMetrics().horizontalAdvance(whole) <= field) {
        EXPECT_EQ(shown, whole) << where;
        return false;
    }
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << where << ": " << shown.toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), field) << where;
    QHelpEvent pointer(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&label, &pointer);
    EXPECT_EQ(QToolTip::text(), whole) << where;
    QToolTip::hideText();
    return true;
}

class SettingsPageTest : public ::testing::Test {
protected:
    SettingsPageTest() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        page = pages.page;
    }
    ~SettingsPageTest() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
    }

    // The headset as recognized: model, firmware, and the page opened on it (mode 7).
    void open(int32_t target, int32_t major = 1, int32_t minor = 0) {
        recognize(target, major, minor);
        controller->setMode(7);
        page->initializeObject();
        platform::drainMainQueue();
        pages.log.clear();
    }
    void recognize(int32_t target, int32_t major, int32_t minor) {
        controller->setDeviceTarget(target);
        controller->setRecognized(true);
        controller->setUsbStatus(target);
        ORVABluetoothDeviceData& d = controller->data();
        d.initializeObjectWithDevice(target, major, minor);
        d.setDeviceRecognized(target);
        d.setDeviceVersionMajor(major, minor);
    }

    ORVABluetoothDeviceData& edit() { return page->dataCurrent(); }
    ORVABluetoothDeviceData& record() { return controller->data(); }

    bool boxOpen() const { return controller->messageBoxStatus() != 0; }
    Box box() {
        platform::drainMainQueue();
        const app::MainWindow::MessageBoxSheet& sheet = window->messageBox();
        return {sheet.tfMessageBox->text().toStdString(),
                controller->messageBoxStatus(),
                sheet.sheetMessageBox->width(),
                sheet.sheetMessageBox->height(),
                sheet.tfBackGround->isVisibleTo(sheet.sheetMessageBox),
                sheet.btnMessageBoxOK->isEnabled() ? sheet.btnMessageBoxOK->text().toStdString() : "",
                sheet.btnMessageBoxCancel->isEnabled() ? sheet.btnMessageBoxCancel->text().toStdString() : ""};
    }
    // The box has the size of a preset (the first box of the process is taller).
    static bool hasSize(const Box& b, int32_t preset) {
        auto s = app::ORVABluetoothManagerAppController::messageBoxSize(preset);
        return b.width == s.width && (b.height == s.height || b.height == s.firstHeight);
    }
    void closeBox() {
        controller->closeMessageBox();
        platform::drainMainQueue();
    }

    test_support::TempDir dataHome;
    Pages pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    DeviceSettingsViewController* page = nullptr;
};

}  // namespace settings_test
