// The new-firmware offer of the update page: the decision after the first list read, the message
// that some 0x5060 headsets get instead, and the sheet whose Yes downloads the firmware and then
// updates the headset.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/AppImages.h"
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "app/QtText.h"
#include "platform/Log.h"
#include "update/UpdateViewController.h"

namespace update {

using app::AppTexts;
using app::ORVABluetoothManagerAppController;

namespace {

using app::qs;

constexpr int32_t kAddressRangeModel = 0x5060;
constexpr QSize kSheetImageSize{64, 64};
constexpr int kSheetMinimumWidth = 440;

}  // namespace

OfferedHeadset UpdateViewController::offeredHeadset() const {
    const ORVABluetoothManagerAppController& c = controller();
    const device::ORVABluetoothDeviceData& d = c.data();
    return {c.deviceTarget(),
            {d.deviceVersionMajor(), d.deviceVersionMinor(), d.deviceSecondaryVersionType(), d.deviceSecondaryVersion()},
            d.lastSixBDAddress()};
}

bool UpdateViewController::decideNewUpdate(const OfferedHeadset& headset, const FirmwareVersion& latest) const {
    if (headset.model == kAddressRangeModel)
        platform::logf("Have New Update BD=[%s]", headset.address.value_or("(null)").c_str());
    return haveNewUpdateFor(headset, latest);
}

bool UpdateViewController::haveNewUpdate() const { return decideNewUpdate(offeredHeadset(), latestVersion()); }

bool UpdateViewController::changePSKeyXQIVERONWith(const platform::OptString& address) const {
    return update::changePSKeyXQIVERONWith(controller().deviceTarget(), address);
}

bool UpdateViewController::checkPSKeyFENNIC_RWith(const platform::OptString& address) const {
    return update::checkPSKeyFENNIC_RWith(address);
}

void UpdateViewController::offerNewUpdate() {
    ORVABluetoothManagerAppController& c = controller();
    const OfferedHeadset headset = offeredHeadset();
    const int l = language();
    if (headset.model == kAddressRangeModel) {
        platform::logf("newUpdateFound return BD=[%s]", headset.address.value_or("(null)").c_str());
        if (changePSKeyXQIVERONWith(headset.address)) {
            c.openMessageBoxWithMessage(stringMessageIVERONToXQIVERONForTamber(l), false, std::nullopt,
                                        AppTexts::qelm_string_ok_in(l), 2, 0);
            return;
        }
    }
    buildNewUpdateSheet();
    sheet_.tfNewVersion->setText(qs(newVersionText(headset.model, latestVersion())));
    sheet_.tfCurrentVersion->setText(qs(currentVersionText(headset.model, headset.version)));

    QComboBox* sheetPopUp = sheet_.popUpLanguageFirmwareSheet;
    sheetPopUp->clear();
    for (int i = 0; i < popUpLanguageFirmware_->count(); ++i) sheetPopUp->addItem(popUpLanguageFirmware_->itemText(i));
    sheetPopUp->setCurrentIndex(popUpLanguageFirmware_->currentIndex());
    const bool choice = popUpLanguageFirmware_->count() >= 2;
    sheetPopUp->setVisible(choice);
    sheetPopUp->setEnabled(choice);
    sheet_.lblNewUpdateFoundLanguageVoicePrompt->setVisible(choice);
    if (choice) sheet_.lblNewUpdateFoundLanguageVoicePrompt->setText(qs(settingLabel("Voice Prompt", l).value_or("")));

    setControlsNewUpdateFound();
    // A sheet has no title of its own: the window manager shows the program's.
    if (QWidget* parent = sheet_.sheetNewUpdateFound->parentWidget())
        sheet_.sheetNewUpdateFound->setWindowTitle(parent->window()->windowTitle());
    sheet_.sheetNewUpdateFound->open();
    sheet_.sheetNewUpdateFound->activateWindow();
    (choice ? static_cast<QWidget*>(sheetPopUp) : sheet_.btnYes)->setFocus();
}

void UpdateViewController::setControlsNewUpdateFound() {
    buildNewUpdateSheet();
    const int l = language();
    app::showDrawnImage(sheet_.imgNewUpdate, app::imageResourceFor("velmar.icns"), kSheetImageSize);
    sheet_.lblNewUpdateInformation->setText(qs(stringNewUpdateFoundInformation(l)));
    sheet_.lblCurrentVersion->setText(qs(app::formatText("%@:", {stringNewUpdateFoundCurrentVersion(l)})));
    sheet_.lblNewVersion->setText(qs(app::formatText("%@:", {stringNewUpdateFoundNewVersion(l)})));
    sheet_.btnYes->setText(qs(AppTexts::qelm_string_yes_in(l)));
    sheet_.btnNo->setText(qs(AppTexts::qelm_string_no_in(l)));
}

void UpdateViewController::buildNewUpdateSheet() {
    if (sheet_.sheetNewUpdateFound) return;
    // Built on its first showing: most runs never offer anything.
    QWidget* parent = appController() && controller().window() ? static_cast<QWidget*>(controller().window()) : view();
    auto* sheet = new app::Sheet(parent);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setMinimumWidth(kSheetMinimumWidth);
    sheet_.sheetNewUpdateFound = sheet;
    sheet_.imgNewUpdate = new QLabel(sheet);
    sheet_.imgNewUpdate->setFixedSize(kSheetImageSize);
    sheet_.lblNewUpdateInformation = new QLabel(sheet);
    sheet_.lblNewUpdateInformation->setWordWrap(true);
    sheet_.lblCurrentVersion = new QLabel(sheet);
    sheet_.lblNewVersion = new QLabel(sheet);
    sheet_.tfCurrentVersion = new QLabel(sheet);
    sheet_.tfNewVersion = new QLabel(sheet);
    sheet_.popUpLanguageFirmwareSheet = new QComboBox(sheet);
    sheet_.lblNewUpdateFoundLanguageVoicePrompt = new QLabel(sheet);
    sheet_.btnYes = new QPushButton(sheet);
    sheet_.btnNo = new QPushButton(sheet);
    sheet_.btnYes->setDefault(true);
    sheet_.btnYes->setAutoDefault(true);
    sheet_.btnNo->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(sheet_.imgNewUpdate, 0, Qt::AlignTop);
    top->addWidget(sheet_.lblNewUpdateInformation, 1);
    auto* grid = new QGridLayout;
    grid->addWidget(sheet_.lblCurrentVersion, 0, 0, Qt::AlignRight);
    grid->addWidget(sheet_.tfCurrentVersion, 0, 1);
    grid->addWidget(sheet_.lblNewVersion, 1, 0, Qt::AlignRight);
    grid->addWidget(sheet_.tfNewVersion, 1, 1);
    grid->addWidget(sheet_.lblNewUpdateFoundLanguageVoicePrompt, 2, 0, Qt::AlignRight);
    grid->addWidget(sheet_.popUpLanguageFirmwareSheet, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sheet_.btnNo);
    buttons->addWidget(sheet_.btnYes);
    auto* column = new QVBoxLayout(sheet);
    column->addLayout(top);
    column->addLayout(grid);
    column->addLayout(buttons);

    QObject::connect(sheet_.btnYes, &QPushButton::clicked, view(), [this] { yesButtonSelectedAt(sheet_.btnYes); });
    QObject::connect(sheet_.btnNo, &QPushButton::clicked, view(), [this] { noButtonSelectedAt(sheet_.btnNo); });
    // Escape answers No: an offer closed without an answer would start an update by itself at
    // the end of a later download.
    sheet->onEscape = [this] { noButtonSelectedAt(nullptr); };
}

void UpdateViewController::yesButtonSelectedAt(QObject*) {
    if (popUpLanguageFirmware_->count() > 0) {
        const int index = sheet_.popUpLanguageFirmwareSheet->currentIndex();
        popUpLanguageFirmware_->setCurrentIndex(index);
        const auto languages = arrLanguageFirmware();
        if (index >= 0 && static_cast<size_t>(index) < languages.size())
            controller().setStrLanguageFirmware(languages[static_cast<size_t>(index)]);
    }
    sheet_.sheetNewUpdateFound->done(QDialog::Accepted);
    // newUpdateFound stays YES: the end of this download starts the update.
    downloadFirmware(nullptr);
}

void UpdateViewController::noButtonSelectedAt(QObject*) {
    if (sheet_.sheetNewUpdateFound) sheet_.sheetNewUpdateFound->done(QDialog::Rejected);
    fields_.newUpdateFound = false;
}

}  // namespace update
