// The pages offscreen on the real controller: entering them, the update page's controls by state
// and progress, the latest-version forms, and the titles with shortcuts shown and hidden.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "UpdatePageFixture.h"
#include "tests_support/LoopbackServer.h"

namespace {

using update_page_test::PageWithBackup;
using update_page_test::UpdatePageFixture;

bool shown(QWidget* w, PageWithBackup& page) { return w->isVisibleTo(page.view()); }

TEST_F(UpdatePageFixture, EnteringEachPageStartsItsListReadOrNot) {
    test_support::LoopbackServer server;
    setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
    struct Case {
        const char* name;
        int32_t mode;
        bool backup;
        int32_t state;
        bool processing, read;
    };
    for (const Case& c : {Case{"update page", 5, false, update::kStateReadUpdateList, true, true},
                          Case{"restore page with a backup", 6, true, update::kStateReadRestoreList, true, true},
                          Case{"restore page without a backup", 6, false, update::kStateIdle, false, false}}) {
        const int before = server.requests();
        if (c.backup) pages.restore->backup = device::ORVABluetoothDeviceData();
        else pages.restore->backup.reset();
        auto& page = enter(c.mode, 0x6838);
        EXPECT_EQ(page.fields().state.load(), c.state) << c.name;
        EXPECT_EQ(controller->onProcessing(), c.processing) << c.name;
        EXPECT_EQ(page.timer()->isActive(), c.read) << c.name;
        if (c.read) finishListRead(page);
        EXPECT_EQ(server.requests() - before, c.read ? 1 : 0) << c.name;
        EXPECT_FALSE(controller->onProcessing()) << c.name;
    }
}

TEST_F(UpdatePageFixture, SecondEntryEmptiesThePopUpAndListsFirst) {
    test_support::LoopbackServer server;
    server.put("Firmware", "AIROHAVELMAR:v2.1:English:en.img\r\nAIROHAVELMAR:v2.1:French:fr.img\r\nX\r\n");
    setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
    auto& page = enter(5, 0x6838);
    finishListRead(page);
    ASSERT_EQ(page.popUpLanguageFirmware()->count(), 2);
    controller->setFirmwareUpdateWithStatus(true);  // a language change enters the page again
    EXPECT_EQ(page.popUpLanguageFirmware()->count(), 0);
    EXPECT_TRUE(page.arrLanguageFirmware().empty());
    EXPECT_TRUE(page.arrFileNamesLatestVersion().empty());
    EXPECT_EQ(page.fields().updateProcessed.load(), -1);
    finishListRead(page);
    EXPECT_EQ(page.popUpLanguageFirmware()->count(), 2);
}

TEST_F(UpdatePageFixture, ProgressAreaByStateAndProgress) {
    auto& page = enter(5, 0x6838);
    EXPECT_TRUE(page.spinning());
    EXPECT_FALSE(shown(page.piProcessing(), page));
    finishListRead(page);
    EXPECT_FALSE(page.spinning());
    struct Case {
        int32_t state, processed;
        bool bar;
    };
    for (const Case& c : {Case{update::kStateUpdating, -1, false}, Case{update::kStateUpdating, 0, true},
                          Case{update::kStateUpdating, 57, true}, Case{update::kStateIdle, 100, true},
                          Case{update::kStateDownloadLatest, 57, false}}) {
        page.fields().state = c.state;
        page.fields().updateProcessed = c.processed;
        page.setControls();
        EXPECT_EQ(shown(page.piProcessing(), page), c.bar) << c.state << " " << c.processed;
        EXPECT_EQ(shown(page.tfProcessing(), page), c.bar);
        EXPECT_EQ(shown(page.tfPercent(), page), c.bar);
        if (c.bar) {
            EXPECT_EQ(page.piProcessing()->value(), c.processed);
            EXPECT_EQ(page.tfProcessing()->text().toInt(), c.processed);
        }
    }
}

TEST_F(UpdatePageFixture, WorkerSpinnerTurnsUntilTheWorkerStopsIt) {
    auto& page = enter(5, 0x6838);
    finishListRead(page);
    page.fields().state = update::kStateUpdating;
    page.spinnerStartBlock()();
    page.setControls();
    EXPECT_TRUE(page.spinning());
    page.spinnerStopBlock()();
    page.setControls();
    EXPECT_FALSE(page.spinning());
}

TEST_F(UpdatePageFixture, LatestVersionForms) {
    struct Case {
        const char* name;
        const char* list;
        int32_t model;
        const char* text;
        bool languages;
    };
    const Case cases[] = {
        {"nothing listed", "", 0x6838, "Cannot connect to the server", false},
        {"one file", "AIROHAVELMAR:v2.1:luven.img\r\nAIROHAVELMAR:5\r\n", 0x6838, "Latest Version: v2.1.5 (luven.img)", false},
        {"secondary 0", "AIROHAVELMAR:v2.1:luven.img\r\n", 0x6838, "Latest Version: v2.1 (luven.img)", false},
        {"camera", "NELVAR:v1.2.3.4:nelvar.bin\r\n", 0x3020, "Latest Version: v1.2.3.4 (nelvar.bin)", false},
        {"languages", "AIROHAVELMAR:v2.1:English:en.img\r\nAIROHAVELMAR:v2.1:French:fr.img\r\nAIROHAVELMAR:5\r\n",
         0x6838, "Latest Version: v2.1.5", true},
    };
    for (const Case& c : cases) {
        test_support::LoopbackServer server;
        server.put("Firmware", c.list);
        setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
        auto& page = enter(5, c.model);
        finishListRead(page);
        EXPECT_EQ(page.tfLatestVersion()->text().toStdString(), c.text) << c.name;
        EXPECT_EQ(page.btnDownload()->isEnabled(), std::string(c.name) != "nothing listed") << c.name;
        EXPECT_EQ(shown(page.popUpLanguageFirmware(), page), c.languages) << c.name;
        EXPECT_EQ(shown(page.lblUpdateLanguageVoicePrompt(), page), c.languages) << c.name;
        EXPECT_EQ(shown(page.lblUpdateVoicePromptInformation(), page), c.languages) << c.name;
        if (c.languages) {
            EXPECT_EQ(page.lblUpdateVoicePromptInformation()->text().toStdString(),
                      update::UpdateTexts::stringVoicePromptInformation(0));
        }
    }
}

TEST_F(UpdatePageFixture, UpdateNeedsAFileAndNextHidesForSevenModels) {
    for (int32_t model : {0x6A02, 0x6831, 0x6839, 0x6840, 0x6816, 0x6A04, 0x6A01, 0x6838, 0x4210}) {
        auto& page = enter(5, model);
        finishListRead(page);
        const bool hidden = model != 0x6838 && model != 0x4210;
        EXPECT_EQ(shown(page.btnNext(), page), !hidden) << std::hex << model;
        EXPECT_FALSE(page.btnUpdate()->isEnabled());
        page.tfFirmwareFile()->setText("/tmp/f.img");
        EXPECT_TRUE(page.btnUpdate()->isEnabled());
        EXPECT_FALSE(shown(page.btnRestore(), page));
    }
}

TEST_F(UpdatePageFixture, TitlesWithShortcutsShownAndHidden) {
    struct Case {
        int32_t mode;
        bool shortcuts;
        const char *update, *restore, *next, *back, *language;
    };
    const Case cases[] = {
        {5, true, "[O][C]-U", "[C]-E", "[C]-\u25B6", "[C]-\u25C0", "[C]-L"},
        {5, false, "UPDATE", "FIRMWARE RESTORE", "NEXT", "BACK", "Voice Prompt"},
        {6, true, "[C]-U", "[O][C]-E", "[C]-\u25B6", "[C]-\u25C0", "[C]-L"},
        {6, false, "FIRMWARE UPDATE", "RESTORE", "NEXT", "BACK", "Voice Prompt"},
    };
    for (const Case& c : cases) {
        auto& page = enter(c.mode, 0x6838);
        if (c.mode == 5) finishListRead(page);
        controller->setShowShortcuts(c.shortcuts);
        page.setShortcuts();
        EXPECT_EQ(page.btnUpdate()->text().toStdString(), c.update);
        EXPECT_EQ(page.btnRestore()->text().toStdString(), c.restore);
        EXPECT_EQ(page.btnNext()->text().toStdString(), c.next);
        EXPECT_EQ(page.btnBack()->text().toStdString(), c.back);
        QLabel* caption = c.mode == 5 ? page.lblUpdateLanguageVoicePrompt() : page.lblRestoreLanguageVoicePrompt();
        EXPECT_EQ(caption->text().toStdString(), c.language);
        if (c.mode == 5 && c.shortcuts) {
            EXPECT_EQ(page.btnBrowse()->text().toStdString(), "[C]-B");
            EXPECT_EQ(page.btnDownload()->text().toStdString(), "[C]-D");
        }
    }
}

TEST_F(UpdatePageFixture, NextLeadsToNewDeviceForManagementModeAndSomeModels) {
    struct Case {
        int32_t model, usb, major, minor;
        const char* next;
    };
    for (const Case& c : {Case{0x6838, 0x6838, 1, 0, "NEXT"}, Case{0x6838, 0xE838, 1, 0, "NEW DEVICE"},
                          Case{0x5310, 0x5310, 1, 0, "NEW DEVICE"}, Case{0x3560, 0x3560, 1, 0, "NEW DEVICE"},
                          Case{0x3560, 0x3560, 1, 1, "NEXT"}, Case{0x3500, 0x3500, 2, 1, "NEW DEVICE"}}) {
        controller->setDeviceTarget(c.model);
        controller->setRecognized(true);
        controller->setUsbStatus(c.usb);
        controller->data().setDeviceVersionMajor(c.major, c.minor);
        controller->setMode(5);
        pages.update->setShortcuts();
        EXPECT_EQ(pages.update->btnNext()->text().toStdString(), c.next) << std::hex << c.model;
    }
}

TEST_F(UpdatePageFixture, TabIndexesOutsideZeroToTwoAreRefused) {
    auto& page = *pages.restore;
    page.setTab(2, 1);
    page.setTab(3, 3);
    page.setTab(3, -1);
    EXPECT_EQ(page.tabAt(1), 2);
    EXPECT_EQ(page.tabAt(3), 0);
    EXPECT_EQ(page.tabAt(-1), 0);
}

}  // namespace

namespace {

// SIGTERM may end the program while the server holds a list read: the shutdown asks the page to
// stop and its request ends early.
TEST_F(UpdatePageFixture, ShutdownStopsAHeldListRead) {
    test_support::LoopbackServer server;
    // Held longer than the shutdown waits: only an early end of the request passes.
    server.put("Firmware", "AIROHAVELMAR:v1.2:f.img\r\n", test_support::LoopbackServer::Fault::None, 6000);
    setenv("VELMAR_SERVER_BASE", server.base().c_str(), 1);
    auto& page = enter(5, 0x6838);
    for (int i = 0; i < 5000 && server.requests() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(server.requests(), 1);
    EXPECT_TRUE(page.listReadRunning());
    EXPECT_TRUE(controller->stopPageThreads(std::chrono::seconds(4)));
    EXPECT_FALSE(page.listReadRunning());
    EXPECT_FALSE(page.timer()->isActive());
}

}  // namespace
