#include "app/ManagerUpdateViewController.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

#include "app/ButtonTitle.h"
#include "app/ManagerUpdateTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/QtText.h"
#include "platform/Browser.h"

namespace app {
namespace {

// Ends the process without the termination handler: the configuration is not written and the
// USB library is not shut down, so that the installer finds nothing of ours running.
void endAtOnce(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

}  // namespace

ManagerUpdateViewController::ManagerUpdateViewController() : endProcess_(endAtOnce) {}

void ManagerUpdateViewController::loadView() {
    tfInstruction_ = new QLabel(view());
    btnYes_ = new QPushButton(view());
    btnNo_ = new QPushButton(view());
    btnReleaseNotes_ = new QPushButton(view());
    tfInstruction_->setWordWrap(true);
    tfInstruction_->setTextFormat(Qt::PlainText);
    tfInstruction_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnReleaseNotes_);
    buttons->addStretch(1);
    buttons->addWidget(btnNo_);
    buttons->addWidget(btnYes_);
    auto* layout = new QVBoxLayout(view());
    layout->setContentsMargins(24, 24, 24, 16);
    layout->addWidget(tfInstruction_, 1);
    layout->addLayout(buttons);

    btnYes_->setDefault(true);
    btnYes_->setShortcut(QKeySequence(Qt::Key_Return));
    btnNo_->setShortcut(QKeySequence(Qt::Key_Escape));
    btnReleaseNotes_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    QObject::connect(btnYes_, &QPushButton::clicked, view(), [this] { okUpdate(btnYes_); });
    QObject::connect(btnNo_, &QPushButton::clicked, view(), [this] { cancelUpdate(btnNo_); });
    QObject::connect(btnReleaseNotes_, &QPushButton::clicked, view(),
                     [this] { releaseNotes(btnReleaseNotes_); });
}

void ManagerUpdateViewController::initializeObject() {
    appController()->setShowShortcuts(false);
    appController()->reflectShortcuts();
    setControls();
}

void ManagerUpdateViewController::setControls() {
    loadViewIfNeeded();
    setShortcuts();
    tfInstruction_->setText(qs(stringInstruction()));
}

void ManagerUpdateViewController::setShortcuts() {
    loadViewIfNeeded();
    const ORVABluetoothManagerAppController& c = *appController();
    if (c.showShortcuts()) {
        setTitleKeepingKey(btnYes_, "[ENTER]");
        setTitleKeepingKey(btnNo_, "[ESC]");
        setTitleKeepingKey(btnReleaseNotes_, "[C]-[ENTER]");
    } else {
        const int32_t l = c.languageManager();
        setTitleKeepingKey(btnYes_, qs(AppTexts::qelm_string_yes_in(l)));
        setTitleKeepingKey(btnNo_, qs(AppTexts::qelm_string_no_in(l)));
        setTitleKeepingKey(btnReleaseNotes_, qs(ManagerUpdateTexts::releaseNotesTitle()));
    }
    btnReleaseNotes_->show();
    btnReleaseNotes_->setEnabled(true);
}

std::string ManagerUpdateViewController::stringInstruction() const {
    const ORVABluetoothManagerAppController& c = *appController();
    return ManagerUpdateTexts::instruction(c.languageManager(), c.managerLatestVersionMajor(),
                                           c.managerLatestVersionMinor(), c.managerLatestVersionSecondary());
}

void ManagerUpdateViewController::okUpdate(QObject*) {
    if (const auto& url = appController()->urlManagerUpdate()) platform::openURL(*url);
    endProcess_(0);
}

void ManagerUpdateViewController::cancelUpdate(QObject*) { appController()->setDeviceSelection(); }

void ManagerUpdateViewController::releaseNotes(QObject*) {
    platform::openURL(ORVABluetoothManagerAppController::serverURL(
        "OrvaBluetoothDeviceManagerHelp/Contents/Resources/English/release_notes.html"));
}

}  // namespace app
