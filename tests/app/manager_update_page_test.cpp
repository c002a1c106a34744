// The manager-update page: the offer's text, Yes (download, then the process ends at once), No,
// the release notes and the shortcut titles.
#include <filesystem>

#include "ShellFixture.h"
#include "platform/Browser.h"

namespace shell_test {
namespace {

class ManagerUpdatePageTest : public ShellTest {
  protected:
    ManagerUpdatePageTest() {
        platform::setURLOpenerForTesting([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
        page()->setEndProcess([this](int status) { endedWith.push_back(status); });
    }
    ~ManagerUpdatePageTest() override { platform::setURLOpenerForTesting(std::nullopt); }

    app::ManagerUpdateViewController* page() { return controller->managerUpdateViewController(); }
    void offer(int32_t major, int32_t minor, int32_t secondary) {
        controller->setManagerLatestVersionMajor(major);
        controller->setManagerLatestVersionMinor(minor);
        controller->setManagerLatestVersionSecondary(secondary);
        controller->setManagerUpdate();
    }

    std::vector<std::string> opened;
    std::vector<int> endedWith;
};

TEST_F(ManagerUpdatePageTest, OfferNamesTheNewVersionAndThisOne) {
    start();
    controller->changeShortcuts();  // the page turns them off when it opens
    offer(1, 2, 0);
    EXPECT_EQ(controller->mode(), 2);
    EXPECT_EQ(controller->visibleDetailViewController(), page());
    EXPECT_FALSE(controller->showShortcuts());
    const std::string text = page()->tfInstruction()->text().toStdString();
    EXPECT_TRUE(
        text.starts_with("Newer version of VELMAR Helmets Device Manager is available. Would you like to "
                         "update VELMAR Helmets Device Manager to v1.2?\n\n"))
        << text;
    EXPECT_TRUE(text.ends_with("[NO] button will start VELMAR Helmets Device Manager v1.0 without updating."))
        << text;
    EXPECT_EQ(page()->btnYes()->text(), "YES");
    EXPECT_EQ(page()->btnNo()->text(), "NO");
    EXPECT_EQ(page()->btnReleaseNotes()->text(), "Release Notes");

    offer(1, 2, 3);
    EXPECT_NE(page()->tfInstruction()->text().toStdString().find("to v1.2.3?"), std::string::npos);

    controller->changeShortcuts();
    EXPECT_EQ(page()->btnYes()->text(), "[ENTER]");
    EXPECT_EQ(page()->btnNo()->text(), "[ESC]");
    EXPECT_EQ(page()->btnReleaseNotes()->text(), "[C]-[ENTER]");
    EXPECT_TRUE(page()->btnReleaseNotes()->isEnabled());
    // The keys outlive the titles' changes.
    EXPECT_EQ(page()->btnYes()->shortcut(), QKeySequence(Qt::Key_Return));
    EXPECT_EQ(page()->btnNo()->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_EQ(page()->btnReleaseNotes()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
}

TEST_F(ManagerUpdatePageTest, YesOpensTheDownloadAndEndsTheProcessWithoutTheShutdown) {
    start();
    controller->setUrlManagerUpdate("https://server.test/orvabluetoothmanager/mac/Manager.dmg");
    offer(2, 0, 0);
    page()->btnYes()->click();
    EXPECT_EQ(opened, std::vector<std::string>{"https://server.test/orvabluetoothmanager/mac/Manager.dmg"});
    EXPECT_EQ(endedWith, std::vector<int>{0});
    EXPECT_EQ(terminateRequests, 0);
    EXPECT_FALSE(std::filesystem::exists(app::ORVABluetoothManagerAppController::configurationFilePath()));

    // Without an address nothing opens, and the process still ends.
    controller->setUrlManagerUpdate(std::nullopt);
    page()->okUpdate();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(endedWith, (std::vector<int>{0, 0}));
}

TEST_F(ManagerUpdatePageTest, NoGoesOnToSelectionAndReleaseNotesOpenTheServersPage) {
    setenv("VELMAR_SERVER_BASE", "https://base.test/orvabluetoothmanager/", 1);
    start();
    offer(1, 1, 0);
    page()->btnReleaseNotes()->click();
    EXPECT_EQ(opened, std::vector<std::string>{
                          "https://base.test/orvabluetoothmanager/OrvaBluetoothDeviceManagerHelp/"
                          "Contents/Resources/English/release_notes.html"});
    EXPECT_EQ(controller->mode(), 2);
    pages.log.clear();
    page()->btnNo()->click();
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_EQ(pages.log, CallLog{"3:init"});
    EXPECT_TRUE(endedWith.empty());
    unsetenv("VELMAR_SERVER_BASE");
}

}  // namespace
}  // namespace shell_test
