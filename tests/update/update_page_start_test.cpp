// Starting an update or restore from the page, and Browse, on the real controller with an
// offscreen window. No headset is connected: the worker ends at its open, which shows that it ran
// with the page's inputs.
#include <QFileDialog>

#include <chrono>
#include <fstream>

#include "UpdatePageFixture.h"

namespace update_page_test {
namespace {

using namespace std::chrono_literals;

class PageStart : public UpdatePageFixture {
  protected:
    QFileDialog* openPanel() {
        platform::drainMainQueue();
        auto panels = window->findChildren<QFileDialog*>();
        return panels.isEmpty() ? nullptr : panels.back();
    }
    bool workerEnded(PageWithBackup& page) {
        return page.joinThreadsBy(std::chrono::steady_clock::now() + 20s) && page.fields().updateFinished;
    }
};

TEST_F(PageStart, BrowseFillsTheFirmwareFieldAndAsksForUpdate) {
    PageWithBackup& page = enter(5, 0x6838);
    finishListRead(page);
    const std::string path = dataHome.path() + "/AIROHAVELMAR_v1.3.img";
    std::ofstream(path) << "firmware";
    page.fields().updateProcessed = 40;

    page.btnBrowse()->click();
    QFileDialog* panel = openPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    panel->reject();  // Cancel changes nothing
    platform::drainMainQueue();
    EXPECT_TRUE(page.tfFirmwareFile()->text().isEmpty());
    EXPECT_EQ(page.fields().updateProcessed, 40);

    page.browseFirmware(nullptr);
    panel = openPanel();
    ASSERT_NE(panel, nullptr);
    panel->selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(panel, "accept");  // OK, as the user presses it
    platform::drainMainQueue();
    EXPECT_EQ(page.tfFirmwareFile()->text().toStdString(), path);
    EXPECT_EQ(statusLine(), "Press the [UPDATE] button");
    EXPECT_EQ(page.fields().updateProcessed, -1);
    EXPECT_FALSE(page.fields().updateFinished);
    EXPECT_TRUE(page.btnUpdate()->isEnabled());
}

TEST_F(PageStart, UpdateStartsTheWorkerWithThePagesFile) {
    PageWithBackup& page = enter(5, 0x6838);
    finishListRead(page);
    page.tfFirmwareFile()->setText(QString::fromStdString(dataHome.path() + "/none.img"));
    page.updateFirmware(nullptr);
    EXPECT_EQ(page.fields().state, update::kStateUpdating);
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_TRUE(page.timer()->isActive());
    ASSERT_TRUE(workerEnded(page));
    EXPECT_FALSE(page.fields().updateSucceeded);
    EXPECT_EQ(page.fields().updateRestoreError, update::kEndNotRecognizedDevice) << "no headset to open";
    EXPECT_EQ(page.fields().updateStatus(0), "Failed to update firmware. Not the recognized device");
}

TEST_F(PageStart, RestoreOnTheRestartToRecoverRoadStartsTheWorkerAtOnce) {
    const std::string stored = dataHome.path() + "/stored.img";
    controller->setStrRestartDFUFirmwareFile(stored);
    controller->setIndexRestartDFUFirmwareLanguage(-1);
    PageWithBackup& page = enter(6, 0x6838);
    platform::drainMainQueue();
    page.restoreFirmware(nullptr);
    EXPECT_EQ(page.tfFirmwareFile()->text().toStdString(), stored);
    EXPECT_EQ(page.fields().state, update::kStateRestoring);
    EXPECT_TRUE(page.timer()->isActive());
    ASSERT_TRUE(workerEnded(page));
    EXPECT_EQ(page.fields().updateStatus(0), "Failed to restore firmware. Not the recognized device");
}

TEST_F(PageStart, UpdateAndRestoreButtonsOnTheOtherPageOnlySwitchPages) {
    PageWithBackup& restore = enter(6, 0x6838);
    restore.updateFirmware(nullptr);
    platform::drainMainQueue();
    EXPECT_EQ(controller->mode(), 5);
    EXPECT_FALSE(restore.timer()->isActive());
    PageWithBackup& update = *pages.update;
    update.joinListRead();
    update.restoreFirmware(nullptr);
    platform::drainMainQueue();
    EXPECT_EQ(controller->mode(), 6);
}

}  // namespace
}  // namespace update_page_test

namespace update_page_test {
namespace {

// The camera update's worker ends without finishing; the OK of its closing question ends the
// operation as a success on the page that ran it.
class NelvarQuestion : public UpdatePageFixture {};

TEST_F(NelvarQuestion, OkEndsTheOperationOnEitherPage) {
    for (int32_t mode : {5, 6}) {
        SCOPED_TRACE(mode);
        PageWithBackup& page = enter(mode, 0x3020);
        finishListRead(page);
        page.fields().resetForRun();
        page.fields().updateProcessed = 40;
        controller->openMessageBoxWithMessage("switch off and on", true, std::nullopt, std::string("OK"), 3, 11);
        platform::drainMainQueue();
        EXPECT_FALSE(page.fields().updateFinished);
        controller->messageBoxOK();
        platform::drainMainQueue();
        EXPECT_TRUE(page.fields().updateFinished);
        EXPECT_TRUE(page.fields().updateSucceeded);
        EXPECT_EQ(page.fields().updateProcessed, 100);
        EXPECT_TRUE(page.fields().checkNelvarUpdateComplete);
    }
}

}  // namespace
}  // namespace update_page_test
