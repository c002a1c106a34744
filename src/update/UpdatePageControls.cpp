// The page's controls and their titles, laid out again from the page's and the controller's
// state at every call.
#include <algorithm>

#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "app/QtText.h"
#include "update/RestoreTable.h"
#include "update/UpdateViewController.h"

namespace update {

using app::AppTexts;
using app::ORVABluetoothManagerAppController;

namespace {

using app::qs;

constexpr int32_t kFirmwareManagement = 0x8000;
constexpr int32_t kNelvar = 0x3020;

// Models whose Next leads to device selection whatever their version.
constexpr int32_t kNextIsNewDevice[] = {0x5310, 0x5320, 0x5330, 0x3550, 0x5345, 0x3010, 0x3020};
// Models without a settings page after the update page: Next is hidden.
constexpr int32_t kNoNext[] = {0x6A02, 0x6831, 0x6839, 0x6840, 0x6816, 0x6A04, 0x6A01};
// Models whose Next leads to device selection below a version.
struct VersionFloor {
    int32_t model, major, minor;
};
constexpr VersionFloor kNewDeviceBelow[] = {{0x3560, 1, 1}, {0x3570, 1, 1}, {0x3500, 2, 2}};

template <size_t N>
bool holds(const int32_t (&set)[N], int32_t model) {
    return std::find(std::begin(set), std::end(set), model) != std::end(set);
}

}  // namespace

bool UpdateViewController::asUpdatePage() const {
    // By the controller's mode; once it has left both pages (an end that went on to recognition),
    // by the page's own.
    const int32_t m = controller().mode();
    return m == 5 || m == 6 ? m == 5 : mode_ == 5;
}

void UpdateViewController::setControls() {
    loadViewIfNeeded();
    if (!appController()) return;
    setShortcuts();
    if (asUpdatePage())
        setControlsFirmwareUpdate();
    else
        setControlsFirmwareRestore();
}

void UpdateViewController::setShortcuts() {
    loadViewIfNeeded();
    if (!appController()) return;
    ORVABluetoothManagerAppController& c = controller();
    const int l = language();
    const bool shown = c.showShortcuts();
    if (shown) {
        btnNext_->setText(QString::fromUtf8("[C]-\u25B6"));
        btnBack_->setText(QString::fromUtf8("[C]-\u25C0"));
    } else {
        const int32_t target = c.deviceTarget();
        bool newDevice = c.usbStatus() >= kFirmwareManagement || holds(kNextIsNewDevice, target);
        for (const VersionFloor& f : kNewDeviceBelow)
            if (f.model == target && c.data().compareVersionUpToMinorWithMajor(f.major, f.minor) < 0) newDevice = true;
        btnNext_->setText(qs(newDevice ? AppTexts::qelm_string_new_device_in(l) : AppTexts::qelm_string_next_in(l)));
        btnBack_->setText(qs(AppTexts::qelm_string_back_in(l)));
    }
    if (asUpdatePage())
        setShortcutsFirmwareUpdate();
    else
        setShortcutsFirmwareRestore();
}

void UpdateViewController::setShortcutsFirmwareUpdate() {
    const int l = language();
    if (controller().showShortcuts()) {
        btnUpdate_->setText("[O][C]-U");
        btnRestore_->setText("[C]-E");
        btnBrowse_->setText("[C]-B");
        btnDownload_->setText("[C]-D");
        lblUpdateLanguageVoicePrompt_->setText("[C]-L");
        return;
    }
    btnUpdate_->setText(qs(stringUPDATE()));
    btnRestore_->setText(qs(AppTexts::qelm_string_mode(6, l)));
    btnBrowse_->setText(qs(stringBrowse()));
    btnDownload_->setText(qs(stringDownload()));
    lblUpdateLanguageVoicePrompt_->setText(qs(settingLabel("Voice Prompt", l).value_or("")));
}

void UpdateViewController::setShortcutsFirmwareRestore() {
    const int l = language();
    if (controller().showShortcuts()) {
        btnUpdate_->setText("[C]-U");
        btnRestore_->setText("[O][C]-E");
        lblRestoreLanguageVoicePrompt_->setText("[C]-L");
        return;
    }
    btnUpdate_->setText(qs(AppTexts::qelm_string_mode(5, l)));
    btnRestore_->setText(qs(stringRESTORE()));
    lblRestoreLanguageVoicePrompt_->setText(qs(settingLabel("Voice Prompt", l).value_or("")));
}

void UpdateViewController::setSpinner(bool running) {
    // A range of 0..0 is the busy animation.
    piProcessingCircular_->setRange(0, running ? 0 : 100);
    piProcessingCircular_->setValue(running ? 50 : 0);
    // A stopped spinner is not drawn, as a spinning indicator that hides when stopped.
    QSizePolicy policy = piProcessingCircular_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    piProcessingCircular_->setSizePolicy(policy);
    piProcessingCircular_->setVisible(running);
}

void UpdateViewController::showProgressArea(bool listOrDownload) {
    const bool processing = controller().onProcessing();
    const int32_t p = fields_.updateProcessed.load();
    if (listOrDownload)
        setSpinner(processing);
    else
        setSpinner(spinnerByWorker_);  // a spinner the worker started turns until it stops it
    const bool bar = !listOrDownload && p >= 0;
    piProcessing_->setVisible(bar);
    piProcessing_->setValue(bar ? std::min(p, 100) : 0);
    tfProcessing_->setVisible(bar);
    tfPercent_->setVisible(bar);
    if (bar) tfProcessing_->setText(QString::number(p));
}

void UpdateViewController::setControlsFirmwareUpdate() {
    ORVABluetoothManagerAppController& c = controller();
    const int l = language();
    const int32_t target = c.deviceTarget();
    lblFirmwareFile_->setText(qs(stringFirmwareToUpdate()));
    const bool idle = !c.onProcessing();
    for (QPushButton* b : {btnBrowse_, btnDownload_, btnRestore_, btnUpdate_, btnNext_, btnBack_}) b->setEnabled(idle);
    btnNext_->setVisible(!holds(kNoNext, target));
    popUpLanguageFirmware_->setEnabled(idle);

    const int32_t state = fields_.state.load();
    const bool listOrDownload = state == kStateReadUpdateList || state == kStateDownloadLatest;
    showProgressArea(listOrDownload);
    lblUpdateVoicePromptInformation_->setVisible(listOrDownload || fields_.updateProcessed.load() < 0);

    const FirmwareVersion v = latestVersion();
    const std::string file = fileNameLatestVersion().value_or("");
    const bool listed =
        device::ORVABluetoothDeviceData::compareVersionMajor(v.major, v.minor, v.secondaryType, v.secondary, 0, 0, 0, 0) != 0;
    const bool languages = popUpLanguageFirmware_->count() >= 2;
    auto versionText = [&](bool withFile) {
        std::string text =
            target == kNelvar
                ? app::formatText("%@: v%d.%d.%d.%d", {stringLatestVersion(), v.secondaryType, v.secondary, v.major, v.minor})
                : app::formatText("%@: v%d.%d%@", {stringLatestVersion(), v.major, v.minor,
                                                   v.secondary != 0 ? app::formatText(".%d", {v.secondary}) : ""});
        return withFile ? text + " (" + file + ")" : text;
    };
    if (!listed) {
        btnDownload_->setEnabled(false);
        tfLatestVersion_->setText(qs(qelm_string_cannot_connect_to_the_server_in(l)));
    } else {
        tfLatestVersion_->setText(qs(versionText(!languages)));
    }
    const bool showLanguages = listed && languages;
    popUpLanguageFirmware_->setVisible(showLanguages);
    lblUpdateLanguageVoicePrompt_->setVisible(showLanguages);
    if (showLanguages) {
        lblUpdateVoicePromptInformation_->setText(qs(stringVoicePromptInformation()));
    } else {
        lblUpdateVoicePromptInformation_->setVisible(false);
    }
    if (tfFirmwareFile_->text().isEmpty()) btnUpdate_->setEnabled(false);
    btnRestore_->setVisible(false);
}

void UpdateViewController::setControlsFirmwareRestore() {
    loadViewIfNeeded();
    ORVABluetoothManagerAppController& c = controller();
    const int l = language();
    setBackupInfo();
    lblBackupFirmwareInformation_->setText(qs(stringBackupFirmwareInformation(l)));
    if (popUpLanguageFirmware_->count() == 0) {
        lblRestoredVersion_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblRestoredVersion_->setText(qs(app::formatText("%@:", {AppTexts::qelm_string_version_in(l)})));
    } else {
        lblRestoredVersion_->setAlignment(Qt::AlignCenter);
        lblRestoredVersion_->setText(qs(app::formatText(
            "%@: %@", {AppTexts::qelm_string_version_in(l), tfRestoredVersion_->text().toStdString()})));
    }
    const bool idle = !c.onProcessing();
    for (QPushButton* b : {btnRestore_, btnUpdate_, btnNext_, btnBack_}) b->setEnabled(idle);
    popUpLanguageFirmware_->setEnabled(idle);
    btnRestore_->setVisible(true);
    btnNext_->setVisible(true);

    const bool languages = popUpLanguageFirmware_->count() >= 2;
    for (QWidget* w : std::initializer_list<QWidget*>{lblRestoredVersion_, tfRestoredVersion_, lblRestoredDate_, tfRestoredDate_})
        w->setVisible(true);
    for (size_t i = 0; i < 6; ++i) {
        lblRestoredData_[i]->setVisible(true);
        tfRestoredData_[i]->setVisible(true);
    }
    popUpLanguageFirmware_->setVisible(languages);
    lblRestoreLanguageVoicePrompt_->setVisible(languages);
    // The information text is the update page's (Download, then Update); the restore page has no
    // instruction text of its own, so the label stays hidden here.
    lblUpdateVoicePromptInformation_->setVisible(false);
    if (languages) tfRestoredVersion_->setVisible(false);
    tableViewRestore_->setVisible(false);
    scrollViewRestore_->setVisible(true);

    if (!restorePossible_) {
        btnRestore_->setEnabled(false);
        lblRestoredData_[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (QWidget* w : std::initializer_list<QWidget*>{lblRestoredVersion_, tfRestoredVersion_, lblRestoredDate_,
                                                          tfRestoredDate_, popUpLanguageFirmware_,
                                                          lblRestoreLanguageVoicePrompt_, lblUpdateLanguageVoicePrompt_,
                                                          lblUpdateVoicePromptInformation_})
            w->setVisible(false);
        for (size_t i = 0; i < 6; ++i) {
            lblRestoredData_[i]->setVisible(false);
            tfRestoredData_[i]->setVisible(false);
        }
        tableViewRestore_->setVisible(false);
        scrollViewRestore_->setVisible(false);
    }

    // Lines past the model's count for the tab and backup version are hidden; some cells show the
    // restore table beside the lines.
    const auto count = summaryLineCount(c.deviceTarget(), tabAt(tabIndexSelected_),
                                        dataToUnarchive_ ? &*dataToUnarchive_ : nullptr);
    for (size_t i = static_cast<size_t>(count ? std::clamp(count->count, 0, 6) : 0); i < 6; ++i) {
        lblRestoredData_[i]->setVisible(false);
        tfRestoredData_[i]->setVisible(false);
    }
    if (count && count->table) restoreTableViewHiddenWithRestorePossible();

    const int32_t state = fields_.state.load();
    showProgressArea(state == kStateReadRestoreList || state == kStateDownloadRestore);
    reloadRestoreTable();
}

void UpdateViewController::reloadRestoreTable() {
    ORVABluetoothManagerAppController& c = controller();
    const int32_t target = c.deviceTarget();
    const device::ORVABluetoothDeviceData* backup = dataToUnarchive_ ? &*dataToUnarchive_ : nullptr;
    const std::vector<int> kinds = restoreRowKinds(target, backup, c.fmRadioShowAndHide() == 4);
    restoreTableModel_->setRowCount(static_cast<int>(kinds.size()));
    for (size_t row = 0; row < kinds.size(); ++row) {
        const RestoreRowTexts texts = restoreRowTexts(kinds[row], backup, target, language());
        const int r = static_cast<int>(row);
        restoreTableModel_->setItem(r, 0, new QStandardItem(qs(texts.name)));
        restoreTableModel_->setItem(r, 1, new QStandardItem(qs(texts.value)));
    }
}

void UpdateViewController::restoreTableViewHiddenWithRestorePossible() {
    tableViewRestore_->setHidden(!restorePossible_);
    scrollViewRestore_->setHidden(!restorePossible_);
}

void UpdateViewController::menuWillOpen() {
    ORVABluetoothManagerAppController& c = controller();
    if (!c.listTabsOpened()) return;
    c.setListTabsOpened(false);
    c.enableListTabsTo(false);
}

void UpdateViewController::displayNOBackupFirmware() {
    const int l = language();
    lblRestoredData_[0]->setText(qs(displayNOBackupFirmwareFirst(l)));
    tfRestoredData_[0]->setText(qs(displayNOBackupFirmwareSecond(l)));
}

}  // namespace update
