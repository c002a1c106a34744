// The new-firmware offer after the update page's first list read: the sheet's texts and language
// choice, Yes that downloads and updates without Update being pressed, No and Escape, and the
// message that replaces the sheet for some 0x5060 headsets.
#include <QFileInfo>
#include <QTest>

#include "DownloadFixture.h"

namespace new_update_offer_test {
namespace {

using update_page_test::DownloadFixture;
using update_page_test::PageWithBackup;

const std::string kOneLanguage = "AIROHAVELMAR:v1.1:fw11.img\r\n";
const std::string kTwoLanguages = "AIROHAVELMAR:v1.1:English:en11.img\r\nAIROHAVELMAR:v1.1:French:fr11.img\r\n";

class NewUpdateOffer : public DownloadFixture {
  protected:
    const PageWithBackup::NewUpdateSheet& sheet(PageWithBackup& page) { return page.newUpdateSheet(); }
    std::string text(QLabel* l) { return l->text().toStdString(); }
    std::vector<std::string> sheetItems(PageWithBackup& page) {
        std::vector<std::string> items;
        for (int i = 0; i < sheet(page).popUpLanguageFirmwareSheet->count(); ++i)
            items.push_back(sheet(page).popUpLanguageFirmwareSheet->itemText(i).toStdString());
        return items;
    }
};

TEST_F(NewUpdateOffer, SheetShowsBothVersionsAndALanguageChoiceOnlyForTwoLanguages) {
    struct Case {
        const char* name;
        const std::string& list;
        bool choice;
    };
    // The page selects the language last chosen, the second item.
    controller->setApplyToLanguageFirmware(false);
    controller->setStrLanguageFirmware("French");
    for (const Case& c : {Case{"one language", kOneLanguage, false}, Case{"two languages", kTwoLanguages, true}}) {
        PageWithBackup& page = updatePage(c.list, 1, 0);
        ASSERT_TRUE(page.fields().newUpdateFound) << c.name;
        const auto& s = sheet(page);
        ASSERT_NE(s.sheetNewUpdateFound, nullptr) << c.name;
        EXPECT_TRUE(s.sheetNewUpdateFound->isVisible()) << c.name;
        EXPECT_EQ(s.sheetNewUpdateFound->windowModality(), Qt::WindowModal) << c.name;
        EXPECT_EQ(s.sheetNewUpdateFound->parentWidget(), window.get()) << c.name;
        EXPECT_EQ(text(s.lblNewUpdateInformation),
                  "New firmware is now available.\nWould you like to download it from the server and update onto it?");
        EXPECT_EQ(text(s.lblCurrentVersion), "Current version:");
        EXPECT_EQ(text(s.lblNewVersion), "New version:");
        EXPECT_EQ(text(s.tfCurrentVersion), "v1.0") << c.name;
        EXPECT_EQ(text(s.tfNewVersion), "v1.1") << c.name;
        EXPECT_EQ(s.btnYes->text().toStdString(), "YES");
        EXPECT_EQ(s.btnNo->text().toStdString(), "NO");
        EXPECT_FALSE(s.imgNewUpdate->pixmap().isNull());
        EXPECT_EQ(s.popUpLanguageFirmwareSheet->isVisibleTo(s.sheetNewUpdateFound), c.choice) << c.name;
        EXPECT_EQ(s.popUpLanguageFirmwareSheet->isEnabled(), c.choice) << c.name;
        EXPECT_EQ(s.lblNewUpdateFoundLanguageVoicePrompt->isVisibleTo(s.sheetNewUpdateFound), c.choice) << c.name;
        EXPECT_EQ(sheetItems(page), popUpItems(page)) << c.name;
        EXPECT_EQ(s.popUpLanguageFirmwareSheet->currentIndex(), page.popUpLanguageFirmware()->currentIndex()) << c.name;
        if (c.choice) {
            EXPECT_EQ(page.popUpLanguageFirmware()->currentIndex(), 1);
            EXPECT_EQ(text(s.lblNewUpdateFoundLanguageVoicePrompt), "Voice Prompt");
        }
        EXPECT_FALSE(controller->onProcessing()) << c.name;
        page.noButtonSelectedAt(nullptr);
    }
}

TEST_F(NewUpdateOffer, YesDownloadsTheChosenLanguageThenUpdatesWithoutUpdateBeingPressed) {
    server.put("en11.img", std::string(1000, 'e'));
    server.put("fr11.img", std::string(1000, 'r'));
    PageWithBackup& page = updatePage(kTwoLanguages, 1, 0);
    const auto& s = sheet(page);
    ASSERT_TRUE(s.sheetNewUpdateFound && s.sheetNewUpdateFound->isVisible());
    ASSERT_EQ(page.popUpLanguageFirmware()->currentIndex(), 0);
    s.popUpLanguageFirmwareSheet->setCurrentIndex(1);
    s.btnYes->click();
    EXPECT_FALSE(s.sheetNewUpdateFound->isVisible());
    EXPECT_EQ(page.popUpLanguageFirmware()->currentIndex(), 1);
    EXPECT_EQ(controller->strLanguageFirmware(), "French");
    QFileDialog* panel = savePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(QFileInfo(panel->selectedFiles().value(0)).fileName(), "fr11.img");

    const std::string path = dataHome.path() + "/fr11.img";
    acceptSave(path);
    ASSERT_TRUE(downloadEnded(page));
    EXPECT_EQ(contents(path), std::string(1000, 'r'));
    EXPECT_EQ(page.fields().state, update::kStateUpdating) << "the update started by itself";
    EXPECT_EQ(page.tfFirmwareFile()->text().toStdString(), path);
    EXPECT_TRUE(page.timer()->isActive());
    EXPECT_TRUE(page.fields().newUpdateFound);
    ASSERT_TRUE(workerEnded(page));
}

TEST_F(NewUpdateOffer, NoAndEscapeEndTheOfferWithoutADownload) {
    for (const char* answer : {"No", "Escape"}) {
        PageWithBackup& page = updatePage(kOneLanguage, 1, 0);
        const auto& s = sheet(page);
        ASSERT_TRUE(s.sheetNewUpdateFound && s.sheetNewUpdateFound->isVisible()) << answer;
        if (std::string(answer) == "No")
            s.btnNo->click();
        else
            QTest::keyClick(s.sheetNewUpdateFound, Qt::Key_Escape);
        EXPECT_FALSE(s.sheetNewUpdateFound->isVisible()) << answer;
        EXPECT_FALSE(page.fields().newUpdateFound) << answer;
        EXPECT_EQ(savePanel(), nullptr) << answer;
    }
}

TEST_F(NewUpdateOffer, ModelWithAnAddressInItsRangeGetsTheMessageInsteadOfTheSheet) {
    struct Case {
        const char* address;
        bool message;
    };
    for (const Case& c : {Case{"3323F1", true}, Case{"3323F0", false}}) {
        window->messageBox().tfMessageBox->clear();
        controller->data().setLastSixBDAddress(std::string(c.address));
        controller->data().setDeviceVersionMajor(9, 9);  // newer than anything listed
        PageWithBackup& page = enter(5, 0x5060);
        finishListRead(page);
        EXPECT_EQ(page.fields().newUpdateFound, c.message) << c.address;
        EXPECT_EQ(page.newUpdateSheet().sheetNewUpdateFound, nullptr) << c.address;
        EXPECT_EQ(window->messageBox().tfMessageBox->text().toStdString() ==
                      "This current version of the IVERON firmware is not supported by this Device Manager. Please "
                      "update only this firmware using the Tovrel Audio Device Manager for Windows.",
                  c.message)
            << c.address;
        EXPECT_FALSE(controller->onProcessing()) << c.address;
        if (c.message) controller->messageBoxOK();
    }
}

}  // namespace
}  // namespace new_update_offer_test
