// The restore page offscreen with backup files in the archive folder: which backups it takes,
// what it shows of them, the summary lines it keeps, the restore table's visibility and the
// language pop-up's opening.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "UpdatePageFixture.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "tests_support/HostileArchives.h"
#include "tests_support/LoopbackServer.h"
#include "update/ArchiveFileNames.h"

namespace {

using device::ORVABluetoothDeviceData;
using update_page_test::PageWithBackup;
using update_page_test::UpdatePageFixture;

bool visible(QWidget* w, PageWithBackup& page) { return w->isVisibleTo(page.view()); }

ORVABluetoothDeviceData backupRecord(int32_t model, int32_t major, int32_t minor, int32_t managerMajor = 3) {
    ORVABluetoothDeviceData b;
    b.setManagerVersionMajor(managerMajor);
    b.setManagerVersionMinor(managerMajor == 0 ? 0 : 1);
    b.setDeviceRecognized(model);
    b.setDeviceVersionMajor(major);
    b.setDeviceVersionMinor(minor);
    b.setDateArchived(platform::Date::fromUnix(1700000000.0));
    return b;
}

class RestorePageFixture : public UpdatePageFixture {
  protected:
    // The restore page of `selected` with the connected headset `connected`, laid out once more
    // with its own reading of the backup file.
    PageWithBackup& layOut(int32_t selected, int32_t connected, int32_t tab = 1) {
        pages.restore->backup.reset();
        pages.restore->readBackupFile = false;  // entering without a backup starts no list read
        auto& page = enter(6, selected);
        controller->data().setDeviceRecognized(connected);
        page.readBackupFile = true;
        page.setTab(tab, 0);
        page.setTabIndexSelected(0);
        page.setRestorePossible(true);
        page.setControlsFirmwareRestore();
        return page;
    }
    void writeBackup(int32_t model, const platform::Bytes& bytes) {
        const auto path = update::UpdateViewController::backupPath(model);
        ASSERT_TRUE(path);
        platform::createFolders(platform::archiveFolderPath());
        ASSERT_TRUE(platform::writeFileAtomically(*path, bytes));
    }
    void removeBackup(int32_t model) { std::remove(update::UpdateViewController::backupPath(model)->c_str()); }
};

TEST_F(RestorePageFixture, WhichBackupsAreTakenAndWhatIsShown) {
    platform::KeyedArchiver foreign({"ORVABluetoothManagerAppController", "NSObject"});
    foreign.encodeInt32(0x4D35, "keyDeviceRecognized");
    const platform::Bytes good = backupRecord(0x4D35, 1, 2).archivedData();
    const platform::Bytes damaged(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    struct Case {
        const char* name;
        int32_t selected, connected, fileOf;
        platform::Bytes bytes;
        bool usable;
        const char* version;
    };
    const Case cases[] = {
        {"0x4D35 with 1.1", 0x4D35, 0x4D35, 0x4D35, backupRecord(0x4D35, 1, 1).archivedData(), false, ""},
        {"0x4D35 with 1.2", 0x4D35, 0x4D35, 0x4D35, good, true, "v1.2"},
        {"0x4D35 with 2.0", 0x4D35, 0x4D35, 0x4D35, backupRecord(0x4D35, 2, 0).archivedData(), true, "v2.0"},
        {"0x5070 with 4.1", 0x5070, 0x5070, 0x5070, backupRecord(0x5070, 4, 1).archivedData(), false, ""},
        {"0x5070 with 4.2", 0x5070, 0x5070, 0x5070, backupRecord(0x5070, 4, 2).archivedData(), true, "v4.2"},
        {"0x5010 with 1.0", 0x5010, 0x5010, 0x5010, backupRecord(0x5010, 1, 0).archivedData(), true, "v1.0"},
        {"manager 0.0", 0x6838, 0x6838, 0x6838, backupRecord(0x6838, 1, 0, 0).archivedData(), false, ""},
        {"damaged", 0x4D35, 0x4D35, 0x4D35, damaged, false, ""},
        {"foreign class", 0x4D35, 0x4D35, 0x4D35, foreign.finish(), false, ""},
        {"empty", 0x4D35, 0x4D35, 0x4D35, {}, false, ""},
        {"arrays nested behind processing instructions, 6 MB", 0x4D35, 0x4D35, 0x4D35,
         test_support::repeatedXml(260000, "<array><?a > </array> ?>"), false, ""},
        {"the same, 1 MB", 0x4D35, 0x4D35, 0x4D35, test_support::xmlArraysBehindInstructions(), false, ""},
        {"another model's backup", 0x4D75, 0x4D75, 0x4D76, backupRecord(0x4D76, 1, 0).archivedData(), false, ""},
        {"0x5620, internal name with a slash", 0x5620, 0x5620, 0x5620, backupRecord(0x5620, 1, 3).archivedData(), true,
         "v1.3"},
    };
    for (const Case& c : cases) {
        writeBackup(c.fileOf, c.bytes);
        // A record left from an earlier read never survives a refusal.
        pages.restore->setDataToUnarchive(backupRecord(c.selected, 9, 9));
        auto& page = layOut(c.selected, c.connected);
        EXPECT_EQ(page.restorePossible(), c.usable) << c.name;
        EXPECT_EQ(page.dataToUnarchive().has_value(), c.usable) << c.name;
        EXPECT_EQ(page.btnRestore()->isEnabled(), c.usable) << c.name;
        if (c.usable) {
            EXPECT_EQ(page.tfRestoredVersion()->text().toStdString(), c.version) << c.name;
            EXPECT_EQ(page.lblRestoredDate()->text().toStdString(), "Date: ") << c.name;
        } else {
            EXPECT_EQ(statusLine(), "Failed to restore firmware. NO backup firmware") << c.name;
            EXPECT_TRUE(controller->statusWithWarning()) << c.name;
            EXPECT_FALSE(visible(page.lblRestoredData(0), page)) << c.name;
            EXPECT_FALSE(visible(page.popUpLanguageFirmware(), page)) << c.name;
        }
        removeBackup(c.fileOf);
    }
}

TEST_F(RestorePageFixture, DateLineInLocalTimeByTheLanguagesPattern) {
    setenv("TZ", "UTC", 1);
    tzset();
    // A damaged file's date outside 1970 to 9999, or not a number at all, shows as no date.
    const struct {
        double unixSeconds;
        const char* shown;
    } cases[] = {
        {1700000000.0, "11/14/2023 22:13:20"},
        {0.0, "01/01/1970 00:00:00"},
        {253402300799.0, "12/31/9999 23:59:59"},
        {253402300800.0, ""},
        {-1.0, ""},
        {1e300, ""},
        {-1e30, ""},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unixSeconds);
        auto b = backupRecord(0x6838, 1, 0);
        b.setDateArchived(platform::Date::fromUnix(c.unixSeconds));
        writeBackup(0x6838, b.archivedData());
        auto& page = layOut(0x6838, 0x6838);
        EXPECT_TRUE(page.restorePossible());
        EXPECT_EQ(page.tfRestoredDate()->text().toStdString(), c.shown);
    }
}

TEST_F(RestorePageFixture, SummaryLinesAndTableOf0x4210) {
    struct Case {
        const char* name;
        int32_t minor, tab;
        int lines;
        bool table;
    };
    for (const Case& c : {Case{"basic 1.0", 0, 1, 4, true}, Case{"basic 1.1", 1, 1, 6, true},
                          Case{"speed dial 1.1", 1, 2, 3, false}}) {
        writeBackup(0x4210, backupRecord(0x4210, 1, c.minor).archivedData());
        auto& page = layOut(0x4210, 0x4210, c.tab);
        int shown = 0;
        for (int i = 0; i < 6; ++i) shown += visible(page.tfRestoredData(i), page) ? 1 : 0;
        EXPECT_EQ(shown, c.lines) << c.name;
        EXPECT_EQ(visible(page.tableViewRestore(), page), c.table) << c.name;
        EXPECT_EQ(visible(page.scrollViewRestore(), page), true) << c.name;
    }
    EXPECT_EQ(pages.restore->lblRestoredData(0)->text().toStdString(), "Speed Dial 1: ");
}

TEST_F(RestorePageFixture, TableRowsFromTheBackupInTheInterfaceLanguage) {
    auto b = backupRecord(0x4210, 1, 0);
    b.setBasicSettingFERRIKAudioMultitaskingSensitivity(3);
    writeBackup(0x4210, b.archivedData());
    auto& page = layOut(0x4210, 0x4210);
    QStandardItemModel* model = page.restoreTableModel();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->item(0, 0)->text().toStdString(), "VOX Phone");
    EXPECT_EQ(model->item(3, 1)->text().toStdString(), "8");
    const QString englishLabel = model->item(3, 0)->text();
    controller->setLanguageManager(1);
    page.setControlsFirmwareRestore();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_NE(model->item(3, 0)->text(), englishLabel);
    EXPECT_EQ(model->item(3, 1)->text().toStdString(), "8");
}

TEST_F(RestorePageFixture, EnteringWithABackupFileReadsTheRevisionsAndShowsTheBackup) {
    test_support::LoopbackServer server;
    setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
    auto b = backupRecord(0x6838, 1, 0);
    b.SetBasicSettingAirohaVoicePrompt(1);
    writeBackup(0x6838, b.archivedData());
    struct Case {
        const char* name;
        const char* revisions;
        bool listed;
    };
    for (const Case& c : {Case{"1.0 listed on the last line without a break", "AIROHAVELMAR:v1.1:r11.img\r\nAIROHAVELMAR:v1.0:r10.img", true},
                          Case{"no matching revision", "AIROHAVELMAR:v1.1:r11.img\r\n", false}}) {
        server.put("Revisions", c.revisions);
        pages.restore->readBackupFile = true;
        auto& page = enter(6, 0x6838);
        finishListRead(page);
        EXPECT_EQ(page.restorePossible(), c.listed) << c.name;
        if (c.listed) {
            EXPECT_EQ(page.tfRestoredVersion()->text().toStdString(), "v1.0") << c.name;
            EXPECT_FALSE(page.tfRestoredDate()->text().isEmpty()) << c.name;
            ASSERT_EQ(page.restoreTableModel()->rowCount(), 2) << c.name;
            EXPECT_EQ(page.restoreTableModel()->item(0, 0)->text().toStdString(), "Headset Language") << c.name;
            EXPECT_EQ(page.restoreTableModel()->item(1, 1)->text().toStdString(), "Enabled") << c.name;
            EXPECT_TRUE(page.btnRestore()->isEnabled()) << c.name;
        } else {
            EXPECT_EQ(statusLine(), "Failed to restore firmware. Cannot connect to the server") << c.name;
            EXPECT_TRUE(controller->statusWithWarning()) << c.name;
        }
    }
}

TEST_F(RestorePageFixture, TableAndScrollViewHiddenAndShownTogether) {
    auto& page = layOut(0x6838, 0x6838);
    for (bool possible : {false, true, false}) {
        page.setRestorePossible(possible);
        page.restoreTableViewHiddenWithRestorePossible();
        EXPECT_EQ(visible(page.tableViewRestore(), page), possible);
        EXPECT_EQ(visible(page.scrollViewRestore(), page), possible);
    }
}

TEST_F(RestorePageFixture, LanguageChoiceShowsNoUpdateInstructions) {
    writeBackup(0x6838, backupRecord(0x6838, 1, 0).archivedData());
    auto& page = layOut(0x6838, 0x6838);
    page.popUpLanguageFirmware()->addItem("English");
    page.popUpLanguageFirmware()->addItem("French");
    page.setControlsFirmwareRestore();
    EXPECT_TRUE(visible(page.popUpLanguageFirmware(), page));
    EXPECT_TRUE(visible(page.lblRestoreLanguageVoicePrompt(), page));
    // The update page's Download-then-Update steps have no place here, nor an empty label.
    EXPECT_FALSE(visible(page.lblUpdateVoicePromptInformation(), page));
    removeBackup(0x6838);
}

TEST_F(RestorePageFixture, OpeningTheLanguagePopUpClosesAnOpenTabList) {
    auto& page = layOut(0x6838, 0x6838);
    controller->setListTabsOpened(true);
    page.menuWillOpen();
    EXPECT_FALSE(controller->listTabsOpened());
    page.menuWillOpen();  // closed: nothing changes
    EXPECT_FALSE(controller->listTabsOpened());
}

}  // namespace
