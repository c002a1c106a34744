// The precaution page: what it shows for each answer, the password checks and the encrypted
// password it keeps, and its own once-per-run manager-version check.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "ShellFixture.h"
#include "app/CipherHelpers.h"
#include "app/PrecautionViewController.h"

namespace shell_test {
namespace {

using namespace std::chrono_literals;

bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        platform::drainMainQueue();
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

class PrecautionPageTest : public ShellTest {
  protected:
    PrecautionPageTest() {
        app::PrecautionViewController::setManagerCheckStartedForTesting(false);
        page = std::make_unique<app::PrecautionViewController>([this](const std::string& base) {
            ++fetches;
            app::ManagerVersionFound found = answer;
            if (found.url) found.url = base + *found.url;
            return found;
        });
        page->setAppController(controller.get());
    }
    ~PrecautionPageTest() override { page.reset(); }

    // Waits (bounded) for the check's worker, then runs the timer's round at once instead of up to
    // a second later.
    bool finishCheck() {
        if (!runUntil([&] { return page->threadTerminated(); }, 10s)) return false;
        EXPECT_TRUE(page->timerActive());
        page->timerMethodCheckManagerUpdate();
        return !controller->onProcessing() && !page->timerActive();
    }

    void enter(const char* password, const char* confirmation) {
        page->tfPassword()->setText(password);
        page->tfPasswordConfirm()->setText(confirmation);
        page->btnOK()->click();
        platform::drainMainQueue();
    }
    bool visible(QWidget* w) { return w->isVisibleTo(page->view()); }

    std::unique_ptr<app::PrecautionViewController> page;
    app::ManagerVersionFound answer;  // what the server says
    std::atomic<int> fetches{0};
};

TEST_F(PrecautionPageTest, PasswordFieldsShowOnlyForBluetoothOnlyInputInTheTextsLanguages) {
    start();
    page->setControls();
    EXPECT_FALSE(page->needDeviceConversion());
    for (QWidget* w :
         std::initializer_list<QWidget*>{page->tfMakeSafe(), page->tfPassword(), page->tfPasswordConfirm(),
                                         page->btnMore(), page->tfNote()})
        EXPECT_FALSE(visible(w));
    EXPECT_EQ(page->tfPrecaution()->text().toStdString(), page->stringPrecaution());
    EXPECT_EQ(page->btnShowPrecaution()->text(), "Show precaution at startup");
    EXPECT_EQ(page->yesInput()->text(), "YES");

    page->yesInput()->click();
    EXPECT_TRUE(page->needDeviceConversion());
    for (QWidget* w :
         std::initializer_list<QWidget*>{page->tfMakeSafe(), page->tfPassword(), page->tfPasswordConfirm(),
                                         page->btnMore(), page->tfNote()})
        EXPECT_TRUE(visible(w));
    EXPECT_TRUE(page->tfPassword()->isEnabled());
    EXPECT_EQ(page->tfNote()->text(), "NOTE: MAC may restart automatically.");

    controller->setLanguageManager(1);
    page->setControls();
    EXPECT_EQ(page->btnMore()->text(), "Plus...");
    controller->setLanguageManager(11);  // no texts of its own
    page->setControls();
    EXPECT_EQ(page->btnMore()->text(), "More...");
    EXPECT_EQ(page->yesInput()->text().toStdString(), app::AppTexts::qelm_string_yes_in(11));

    controller->setShowShortcuts(true);
    page->setShortcuts();
    EXPECT_EQ(page->btnMore()->text(), "[C]-M");
    EXPECT_EQ(page->btnOK()->text(), "[ENTER]");
    EXPECT_EQ(page->btnShowPrecaution()->text(), "[C]-S");
    EXPECT_EQ(page->yesInput()->text(), "[C]-B");
    EXPECT_EQ(page->noInput()->text(), "[O][C]-B");
    // The keys outlive the titles' changes.
    EXPECT_EQ(page->btnMore()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(page->btnOK()->shortcut(), QKeySequence(Qt::Key_Return));
    EXPECT_EQ(page->yesInput()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_EQ(page->noInput()->shortcut(), QKeySequence(Qt::ALT | Qt::CTRL | Qt::Key_B));

    page->btnMore()->click();
    EXPECT_TRUE(page->sheetAboutDeviceConversion()->isVisible());
    EXPECT_TRUE(
        page->tfAboutDeviceConversionNote()->text().startsWith("NOTE:\n1. The Administrator-level user"));
    page->btnAboutDeviceConversionOK()->click();
    EXPECT_FALSE(page->sheetAboutDeviceConversion()->isVisible());
}

TEST_F(PrecautionPageTest, EmptyOrDifferingPasswordsAreRefusedWithAMessage) {
    start();
    page->setControls();
    page->yesInput()->click();
    enter("", "");
    EXPECT_TRUE(window->messageBox().sheetMessageBox->isVisible());
    EXPECT_EQ(window->messageBox().tfMessageBox->text(), "Empty password is not allowed!\nEnter password again.");
    EXPECT_EQ(controller->messageBoxStatus(), 2);
    window->messageBox().btnMessageBoxOK->click();
    platform::drainMainQueue();

    enter("secret", "secreT");
    EXPECT_EQ(window->messageBox().tfMessageBox->text(), "Confirm Password is different!\nEnter password again.");
    EXPECT_EQ(page->tfPassword()->selectedText(), "secret");
    EXPECT_FALSE(controller->onProcessing());  // the check has not started
    EXPECT_EQ(fetches, 0);
    EXPECT_TRUE(page->strUserPasswordEncrypted().empty());
}

TEST_F(PrecautionPageTest, MatchingPasswordsAreKeptEncryptedAndANewerManagerIsOffered) {
    start();
    answer = {1, 3, 0, std::string("mac/Manager.dmg"), true};
    page->setControls();
    page->yesInput()->click();
    page->btnShowPrecaution()->setChecked(true);
    enter("my password", "my password");
    EXPECT_FALSE(page->haveAlternativeInputDevices());
    EXPECT_EQ(page->strUserPassword(), "my password");
    EXPECT_FALSE(page->hidePrecaution());
    unsigned char* plain = nullptr;
    int n = decrypt_string_3des_base64(page->strUserPasswordEncrypted().c_str(), &plain);
    EXPECT_EQ(n, 16);
    EXPECT_STREQ(reinterpret_cast<char*>(plain), "my password");
    std::free(plain);

    EXPECT_TRUE(controller->onProcessing());
    EXPECT_EQ(page->piProcessing()->maximum(), 0);
    EXPECT_FALSE(page->btnOK()->isEnabled());
    ASSERT_TRUE(finishCheck());
    EXPECT_EQ(fetches, 1);
    EXPECT_EQ(controller->mode(), 2);
    EXPECT_EQ(controller->managerLatestVersionMinor(), 3);
    EXPECT_EQ(controller->urlManagerUpdate(),
              app::ORVABluetoothManagerAppController::serverURL("mac/Manager.dmg"));
}

TEST_F(PrecautionPageTest, WithOtherInputDevicesNoPasswordIsKeptAndTheCheckRunsOnce) {
    start();
    page->setControls();
    enter("ignored", "");
    EXPECT_TRUE(page->haveAlternativeInputDevices());
    EXPECT_TRUE(page->strUserPassword().empty());
    EXPECT_TRUE(page->hidePrecaution());
    ASSERT_TRUE(finishCheck());
    EXPECT_EQ(controller->mode(), 3);
    EXPECT_EQ(fetches, 1);

    pages.log.clear();
    page->initializeObjectOnStartUp(true);  // a second run of the check in this process
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(pages.log, CallLog{"3:init"});
    EXPECT_EQ(fetches, 1);
}

}  // namespace
}  // namespace shell_test
