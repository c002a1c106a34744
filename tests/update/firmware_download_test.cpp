// Firmware downloads on both pages against the loopback server: the Download button's save panel
// and its end, the restore download that starts the restore, the idle limit, every failure and
// the shutdown's cut.
#include <QFileInfo>

#include <unistd.h>

#include "DownloadFixture.h"
#include "platform/Files.h"
#include "update/ArchiveFileNames.h"

namespace firmware_download_test {
namespace {

using test_support::LoopbackServer;
using update_page_test::DownloadFixture;
using update_page_test::PageWithBackup;

const std::string kList = "AIROHAVELMAR:v1.1:fw11.img\r\n";
// Several network pieces, so the file is written in more than one callback.
const std::string kFirmware(200000, 'f');

class FirmwareDownload : public DownloadFixture {
  protected:
    std::string chosen() { return dataHome.path() + "/chosen.img"; }
    std::string restoreTarget() {
        return platform::archiveFolderPath() + "/" + update::restoreImageFileName(kModel).value_or("?");
    }
    bool statusEnds(const std::string& tail) {
        const std::string s = statusLine();
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    }
};

TEST_F(FirmwareDownload, DownloadButtonWritesTheChosenFileThenAsksForUpdate) {
    server.put("fw11.img", kFirmware);
    PageWithBackup& page = updatePage(kList, 1, 1);
    ASSERT_FALSE(page.fields().newUpdateFound);
    page.btnDownload()->click();
    QFileDialog* panel = savePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    ASSERT_FALSE(panel->selectedFiles().isEmpty());
    EXPECT_EQ(QFileInfo(panel->selectedFiles().front()).fileName(), "fw11.img");

    acceptSave(chosen());
    EXPECT_EQ(page.fields().state, update::kStateDownloadLatest);
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_TRUE(statusEnds(" about to download latest firmware")) << statusLine();
    ASSERT_TRUE(downloadEnded(page));
    EXPECT_EQ(contents(chosen()), kFirmware);
    EXPECT_EQ(page.tfFirmwareFile()->text().toStdString(), chosen());
    EXPECT_EQ(statusLine(), "Press the [UPDATE] button");
    EXPECT_FALSE(controller->statusWithWarning());
    EXPECT_EQ(page.fields().state, update::kStateIdle);
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_TRUE(page.btnUpdate()->isEnabled());
    EXPECT_FALSE(page.timer()->isActive()) << "nothing starts before Update is pressed";
}

TEST_F(FirmwareDownload, CancelInTheSavePanelChangesNothing) {
    server.put("fw11.img", kFirmware);
    PageWithBackup& page = updatePage(kList, 1, 1);
    const std::string status = statusLine();
    page.downloadFirmware(nullptr);
    QFileDialog* panel = savePanel();
    ASSERT_NE(panel, nullptr);
    panel->reject();
    platform::drainMainQueue();
    EXPECT_EQ(statusLine(), status);
    EXPECT_EQ(page.fields().state, update::kStateIdle);
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_FALSE(page.localPathLatestVersion());
    EXPECT_EQ(server.requestsFor("fw11.img"), 0);
}

TEST_F(FirmwareDownload, AnExistingFileIsEmptiedBeforeTheDownloadWrites) {
    server.put("fw11.img", "new", LoopbackServer::Fault::Trickle, 20);
    PageWithBackup& page = updatePage(kList, 1, 1);
    std::ofstream(chosen()) << std::string(5000, 'X');
    page.downloadFirmware(nullptr);
    acceptSave(chosen());
    EXPECT_EQ(contents(chosen()), "") << "emptied when the download starts";
    ASSERT_TRUE(downloadEnded(page));
    EXPECT_EQ(contents(chosen()), "new");
}

// The idle limit ends a transfer that sends nothing for that long, never one that is merely slow.
TEST_F(FirmwareDownload, IdleLimitEndsAStallButNotALongTrickle) {
    struct Case {
        const char* name;
        int pieceDelayMs;
        bool completes;
    };
    // Five pieces: 5 x 150 ms is longer than the limit in total, each gap shorter.
    for (const Case& c : {Case{"trickle", 150, true}, Case{"stall", 1500, false}}) {
        server.put("fw11.img", kFirmware, LoopbackServer::Fault::Trickle, c.pieceDelayMs);
        PageWithBackup& page = updatePage(kList, 1, 1);
        page.downloadFirmware(nullptr);
        acceptSave(chosen());
        ASSERT_TRUE(downloadEnded(page)) << c.name;
        EXPECT_EQ(contents(chosen()), c.completes ? std::optional<std::string>(kFirmware) : std::nullopt) << c.name;
        EXPECT_EQ(controller->statusWithWarning(), !c.completes) << c.name;
    }
}

enum class Fault { Create, Open, Connect, NotFound, ServerError, Refused, ShortBody, Stall };

struct FailureCase {
    const char* name;
    Fault fault;
    const char* updateStatus;
    const char* restoreStatus;
};

const FailureCase kFailures[] = {
    {"create", Fault::Create, "Failed to download latest firmware. Cannot create file",
     "Failed to restore firmware. Cannot get backup firmware"},
    {"open", Fault::Open, "Failed to download latest firmware. Cannot open file",
     "Failed to restore firmware. Cannot get backup firmware 2"},
    {"connect", Fault::Connect, "Failed to download latest firmware. Cannot connect to the server",
     "Failed to restore firmware. Cannot connect to the server"},
    {"404", Fault::NotFound, "Failed to download latest firmware. Cannot download firmware",
     "Failed to restore firmware. Cannot download backup firmware"},
    {"500", Fault::ServerError, "Failed to download latest firmware. Cannot download firmware",
     "Failed to restore firmware. Cannot download backup firmware"},
    {"refused", Fault::Refused, "Failed to download latest firmware. Cannot download firmware",
     "Failed to restore firmware. Cannot download backup firmware"},
    {"short body", Fault::ShortBody, "Failed to download latest firmware. Cannot download firmware",
     "Failed to restore firmware. Cannot download backup firmware"},
    {"stall", Fault::Stall, "Failed to download latest firmware. Cannot download firmware",
     "Failed to restore firmware. Cannot download backup firmware"},
};

TEST_F(FirmwareDownload, EveryFailureOnBothPagesWarnsAndLeavesNoFile) {
    for (const FailureCase& c : kFailures) {
        for (int32_t mode : {5, 6}) {
            const std::string where = std::string(c.name) + (mode == 5 ? " on the update page" : " on the restore page");
            const std::string file = "f" + std::to_string(static_cast<int>(c.fault)) + ".img";
            switch (c.fault) {
                case Fault::ServerError:
                    server.put(file, "oops", LoopbackServer::Fault::ServerError);
                    break;
                case Fault::ShortBody:
                    server.put(file, kFirmware, LoopbackServer::Fault::Truncated);
                    break;
                case Fault::Stall:
                    server.put(file, kFirmware, LoopbackServer::Fault::Trickle, 1500);
                    break;
                case Fault::NotFound:
                    break;
                default:
                    server.put(file, kFirmware);
            }
            setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
            PageWithBackup& page = mode == 5 ? updatePage("AIROHAVELMAR:v1.1:" + file + "\r\n", 1, 1) : restorePage(file);
            const std::string target = mode == 5 ? (c.fault == Fault::Create ? dataHome.path() + "/none/f.img" : chosen())
                                                 : restoreTarget();
            if (c.fault == Fault::Create && mode == 6) std::filesystem::create_directories(target);
            if (c.fault == Fault::Connect) setenv("VELMAR_SERVER_BASE", "ftp://127.0.0.1/orvabluetoothmanager/", 1);
            if (c.fault == Fault::Refused) setenv("VELMAR_SERVER_BASE", "http://127.0.0.1:9/orvabluetoothmanager/", 1);
            page.refuseOpen = c.fault == Fault::Open;
            page.fields().newUpdateFound = true;

            if (mode == 5) {
                page.downloadFirmware(nullptr);
                acceptSave(target);
            } else {
                page.restoreFirmware(nullptr);
            }
            ASSERT_TRUE(downloadEnded(page)) << where;
            EXPECT_EQ(statusLine(), mode == 5 ? c.updateStatus : c.restoreStatus) << where;
            EXPECT_TRUE(controller->statusWithWarning()) << where;
            EXPECT_FALSE(contents(target)) << where;
            EXPECT_FALSE(page.fields().newUpdateFound) << where;
            EXPECT_EQ(page.fields().state, update::kStateIdle) << where;
            EXPECT_FALSE(controller->onProcessing()) << where;
            EXPECT_FALSE(page.timer()->isActive()) << where;
            if (mode == 6) {
                EXPECT_FALSE(page.restorePossible()) << where;
                EXPECT_TRUE(page.fields().updateFinished) << where;
            }
            page.refuseOpen = false;
            std::filesystem::remove_all(target);
        }
    }
}

TEST_F(FirmwareDownload, RestoreDownloadReplacesTheImageAndStartsTheRestore) {
    server.put("r12.img", kFirmware);
    PageWithBackup& page = restorePage("r12.img");
    ASSERT_TRUE(page.restorePossible());
    std::ofstream(restoreTarget()) << "an older download";
    page.restoreFirmware(nullptr);
    EXPECT_EQ(page.fields().state, update::kStateDownloadRestore);
    EXPECT_TRUE(statusEnds(" about to download backup firmware")) << statusLine();
    ASSERT_TRUE(downloadEnded(page));
    EXPECT_EQ(contents(restoreTarget()), kFirmware);
    EXPECT_EQ(page.fields().state, update::kStateRestoring);
    EXPECT_TRUE(page.restorePossible());
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_TRUE(page.timer()->isActive());
    ASSERT_TRUE(workerEnded(page));
    EXPECT_EQ(page.fields().updateRestoreError, update::kEndNotRecognizedDevice) << "the worker ran; no headset";
}

// The spare download: the selected language's file into the archive folder's temporary file, fetched
// anew each time (nothing is cached).
TEST_F(FirmwareDownload, SpareDownloadFillsTheTemporaryFileAndItsSizeIsRead) {
    server.put("en11.img", "english");
    server.put("fr11.img", "le firmware");
    PageWithBackup& page = updatePage("AIROHAVELMAR:v1.1:English:en11.img\r\nAIROHAVELMAR:v1.1:French:fr11.img\r\n", 1, 1);
    page.popUpLanguageFirmware()->setCurrentIndex(1);
    const std::string temporary = platform::archiveFolderPath() + "/tempfile.orva";
    for (int run = 1; run <= 2; ++run) {
        page.antirollBackDownloadFirmwareFile();
        EXPECT_EQ(page.localPathLatestVersion(), temporary);
        EXPECT_EQ(page.fields().state, update::kStateDownloadLatest);
        ASSERT_TRUE(downloadEnded(page));
        EXPECT_EQ(contents(temporary), "le firmware");
        EXPECT_EQ(server.requestsFor("fr11.img"), run);
    }
    EXPECT_EQ(controller->strLanguageFirmware(), "French");
    EXPECT_EQ(update::UpdateViewController::getFileSize(temporary), 11u);
    EXPECT_EQ(update::UpdateViewController::getFileSize(temporary + ".missing"), 0u);
    EXPECT_EQ(update::UpdateViewController::getFileSize(platform::archiveFolderPath()), 0u) << "a folder";
    // A file we may not read has no size to us (root reads every file, so only others see it).
    std::filesystem::permissions(temporary, std::filesystem::perms::none);
    if (geteuid() != 0) {
        EXPECT_EQ(update::UpdateViewController::getFileSize(temporary), 0u) << "unreadable";
    }
    std::filesystem::permissions(temporary, std::filesystem::perms::owner_all);
}

TEST_F(FirmwareDownload, ShutdownCutsARunningDownloadAndLeavesNoFile) {
    // Ten seconds of trickle: only a cut transfer ends within the shutdown's bound.
    server.put("fw11.img", kFirmware, LoopbackServer::Fault::Trickle, 2000);
    PageWithBackup& page = updatePage(kList, 1, 1);
    page.setDownloadIdleLimit(std::chrono::seconds(30));
    page.downloadFirmware(nullptr);
    acceptSave(chosen());
    ASSERT_TRUE(page.downloadRunning());
    for (int i = 0; i < 5000 && server.requestsFor("fw11.img") == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(controller->stopPageThreads(std::chrono::seconds(3)));
    EXPECT_FALSE(page.downloadRunning());
    EXPECT_FALSE(contents(chosen()));
    platform::drainMainQueue();  // nothing of the cut transfer arrives any more
    EXPECT_FALSE(contents(chosen()));
}

}  // namespace
}  // namespace firmware_download_test
