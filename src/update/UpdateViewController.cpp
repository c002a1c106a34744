// The page object: its outlets laid out in code, entering the page, the list read on its own
// thread, the tab data and the actions that leave the page.
#include "update/UpdateViewController.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "device/ProductCatalogue.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "update/ArchiveFileNames.h"
#include "update/NextPage.h"

namespace update {

using app::ORVABluetoothManagerAppController;

namespace {

constexpr int kTimerIntervalMs = 1000;
constexpr int kListTimeoutSeconds = 30;
constexpr int32_t kNelvar = 0x3020;

// The firmware-language pop-up, which reports its opening (the menu's will-open).
class LanguagePopUp : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> willOpen;
    void showPopup() override {
        if (willOpen) willOpen();
        QComboBox::showPopup();
    }
};

QLabel* newLabel(QWidget* parent, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(parent);
    l->setAlignment(align);
    return l;
}

}  // namespace

UpdateViewController::UpdateViewController(int32_t mode) : mode_(mode == 5 ? 5 : 6) {}

void UpdateViewController::loadView() {
    lblFirmwareFile_ = newLabel(view());
    tfFirmwareFile_ = new QLineEdit(view());
    btnBrowse_ = new QPushButton(view());
    popUpLanguageFirmware_ = new LanguagePopUp(view());
    scrollViewRestore_ = new QFrame(view());
    tableViewRestore_ = new QTableView(scrollViewRestore_);
    restoreTableModel_ = new QStandardItemModel(0, 2, tableViewRestore_);
    btnDownload_ = new QPushButton(view());
    tfLatestVersion_ = newLabel(view());
    lblUpdateLanguageVoicePrompt_ = newLabel(view(), Qt::AlignRight | Qt::AlignVCenter);
    lblBackupFirmwareInformation_ = newLabel(view());
    lblRestoredVersion_ = newLabel(view(), Qt::AlignRight | Qt::AlignVCenter);
    tfRestoredVersion_ = newLabel(view());
    lblRestoredDate_ = newLabel(view(), Qt::AlignRight | Qt::AlignVCenter);
    tfRestoredDate_ = newLabel(view());
    lblRestoreLanguageVoicePrompt_ = newLabel(view(), Qt::AlignRight | Qt::AlignVCenter);
    lblUpdateVoicePromptInformation_ = newLabel(view(), Qt::AlignLeft | Qt::AlignTop);
    piProcessingCircular_ = new QProgressBar(view());
    piProcessing_ = new QProgressBar(view());
    tfProcessing_ = newLabel(view(), Qt::AlignRight | Qt::AlignVCenter);
    tfPercent_ = newLabel(view());
    btnRestore_ = new QPushButton(view());
    btnNext_ = new QPushButton(view());
    btnUpdate_ = new QPushButton(view());
    btnBack_ = new QPushButton(view());
    timer_ = new QTimer(view());
    for (size_t i = 0; i < 6; ++i) {
        lblRestoredData_[i] = newLabel(view(), Qt::AlignRight | Qt::AlignVCenter);
        tfRestoredData_[i] = newLabel(view());
    }
    tfPercent_->setText("%");
    piProcessing_->setRange(0, 100);
    piProcessing_->setTextVisible(false);
    piProcessingCircular_->setTextVisible(false);
    piProcessingCircular_->setFixedWidth(120);
    piProcessingCircular_->setRange(0, 100);
    lblUpdateVoicePromptInformation_->setWordWrap(false);
    popUpLanguageFirmware_->setMinimumWidth(160);
    static_cast<LanguagePopUp*>(popUpLanguageFirmware_)->willOpen = [this] { menuWillOpen(); };
    // The restore table: two text columns (setting name, stored value), read-only, unsorted.
    tableViewRestore_->setModel(restoreTableModel_);
    tableViewRestore_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableViewRestore_->setSelectionMode(QAbstractItemView::NoSelection);
    tableViewRestore_->horizontalHeader()->hide();
    tableViewRestore_->verticalHeader()->hide();
    tableViewRestore_->horizontalHeader()->setStretchLastSection(true);
    (new QVBoxLayout(scrollViewRestore_))->addWidget(tableViewRestore_);
    scrollViewRestore_->layout()->setContentsMargins(0, 0, 0, 0);

    // Order and grouping of the layouts: file or backup information above, latest version and
    // language in the middle, progress, then the buttons along the bottom.
    auto* column = new QVBoxLayout(view());
    if (mode_ == 5) {
        auto* file = new QHBoxLayout;
        file->addWidget(lblFirmwareFile_);
        file->addWidget(tfFirmwareFile_, 1);
        file->addWidget(btnBrowse_);
        column->addLayout(file);
        auto* latest = new QHBoxLayout;
        latest->addWidget(tfLatestVersion_, 1);
        latest->addWidget(lblUpdateLanguageVoicePrompt_);
        latest->addWidget(popUpLanguageFirmware_);
        latest->addWidget(btnDownload_);
        column->addLayout(latest);
        column->addWidget(lblUpdateVoicePromptInformation_);
        for (QWidget* w : std::initializer_list<QWidget*>{lblBackupFirmwareInformation_, lblRestoredVersion_,
                                                          tfRestoredVersion_, lblRestoredDate_, tfRestoredDate_,
                                                          lblRestoreLanguageVoicePrompt_})
            w->hide();
        for (size_t i = 0; i < 6; ++i) {
            lblRestoredData_[i]->hide();
            tfRestoredData_[i]->hide();
        }
    } else {
        column->addWidget(lblBackupFirmwareInformation_);
        auto* grid = new QGridLayout;
        grid->addWidget(lblRestoredVersion_, 0, 0);
        grid->addWidget(tfRestoredVersion_, 0, 1);
        grid->addWidget(lblRestoredDate_, 1, 0);
        grid->addWidget(tfRestoredDate_, 1, 1);
        for (int i = 0; i < 6; ++i) {
            grid->addWidget(lblRestoredData_[static_cast<size_t>(i)], 2 + i % 3, (i / 3) * 2);
            grid->addWidget(tfRestoredData_[static_cast<size_t>(i)], 2 + i % 3, (i / 3) * 2 + 1);
        }
        column->addLayout(grid);
        column->addWidget(scrollViewRestore_, 1);
        auto* language = new QHBoxLayout;
        language->addStretch(1);
        language->addWidget(lblRestoreLanguageVoicePrompt_);
        language->addWidget(popUpLanguageFirmware_);
        column->addLayout(language);
        column->addWidget(lblUpdateVoicePromptInformation_);
        for (QWidget* w : std::initializer_list<QWidget*>{lblFirmwareFile_, tfFirmwareFile_, btnBrowse_, btnDownload_,
                                                          tfLatestVersion_, lblUpdateLanguageVoicePrompt_})
            w->hide();
    }
    if (mode_ == 5) scrollViewRestore_->hide();
    column->addStretch(1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(piProcessingCircular_);
    progress->addWidget(piProcessing_, 1);
    progress->addWidget(tfProcessing_);
    progress->addWidget(tfPercent_);
    column->addLayout(progress);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnBack_);
    buttons->addStretch(1);
    buttons->addWidget(btnUpdate_);
    buttons->addWidget(btnRestore_);
    buttons->addStretch(1);
    buttons->addWidget(btnNext_);
    column->addLayout(buttons);

    QObject::connect(btnUpdate_, &QPushButton::clicked, view(), [this] { updateFirmware(btnUpdate_); });
    QObject::connect(btnBrowse_, &QPushButton::clicked, view(), [this] { browseFirmware(btnBrowse_); });
    QObject::connect(btnDownload_, &QPushButton::clicked, view(), [this] { downloadFirmware(btnDownload_); });
    QObject::connect(btnRestore_, &QPushButton::clicked, view(), [this] { restoreFirmware(btnRestore_); });
    QObject::connect(btnNext_, &QPushButton::clicked, view(), [this] { moveToNext(btnNext_); });
    QObject::connect(btnBack_, &QPushButton::clicked, view(), [this] { moveToBack(btnBack_); });
    QObject::connect(tfFirmwareFile_, &QLineEdit::textChanged, view(), [this] { firmwareFileChanged(tfFirmwareFile_); });

    // The page's keys; while the page is shown they are the page's, not the window's. A key whose
    // control on the page cannot act (hidden or disabled) does what the window's key does.
    auto pageOrWindow = [this](QKeySequence key, QWidget* control, std::function<void()> act) {
        addPageKey(key, [this, key, control, act = std::move(act)] {
            if (control->isEnabled() && control->isVisible())
                act();
            else if (appController() && controller().window())
                controller().window()->pressWindowKey(key);
        });
    };
    auto click = [&](QKeySequence key, QAbstractButton* b) { pageOrWindow(key, b, [b] { b->click(); }); };
    const auto alt = Qt::ALT | Qt::CTRL;
    if (mode_ == 5) {
        click(QKeySequence(alt | Qt::Key_U), btnUpdate_);
        click(QKeySequence(Qt::CTRL | Qt::Key_E), btnRestore_);
        click(QKeySequence(Qt::CTRL | Qt::Key_B), btnBrowse_);
        click(QKeySequence(Qt::CTRL | Qt::Key_D), btnDownload_);
    } else {
        click(QKeySequence(Qt::CTRL | Qt::Key_U), btnUpdate_);
        click(QKeySequence(alt | Qt::Key_E), btnRestore_);
    }
    pageOrWindow(QKeySequence(Qt::CTRL | Qt::Key_L), popUpLanguageFirmware_,
                 [this] { popUpLanguageFirmware_->showPopup(); });

    popUpLanguageFirmware_->clear();
    timer_->setInterval(kTimerIntervalMs);
    QObject::connect(timer_, &QTimer::timeout, view(), [this] { timerMethodUpdate(); });
}

UpdateViewController::~UpdateViewController() {
    stopThreads();
    listWorker_.join();
    updateWorker_.join();
}

void UpdateViewController::addPageKey(QKeySequence key, std::function<void()> action) {
    auto* shortcut = new QShortcut(key, view());
    QObject::connect(shortcut, &QShortcut::activated, view(), std::move(action));
}

int UpdateViewController::language() const { return appController() ? appController()->languageManager() : 0; }

void UpdateViewController::showStatusInAllLanguages(const std::function<std::string(int)>& text, bool warning) {
    ORVABluetoothManagerAppController& c = controller();
    for (int i = 0; i < kLanguages; ++i) c.setStrStatus(text(i), i);
    c.setStatus(c.getStrStatus(), warning);
}

// ---- entering the page ----------------------------------------------------------------------------

void UpdateViewController::initializeObjectWithDefaultStatus(bool writeDefault) {
    loadViewIfNeeded();
    ORVABluetoothManagerAppController& c = controller();
    writeDefaultStatus_ = writeDefault;
    fields_.updateProcessed = kNothingReported;
    fields_.updateFinished = false;
    {
        std::lock_guard<std::mutex> lock(listMutex_);
        arrFileNamesLatestVersion_.clear();
        arrLanguageFirmware_.clear();
    }
    popUpLanguageFirmware_->clear();
    fields_.clearUpdateStatus();
    c.setShowShortcuts(false);
    c.reflectShortcuts();
    fields_.newUpdateFound = false;

    if (c.mode() == 5) {
        fields_.state = kStateReadUpdateList;
        checkNewUpdate_ = true;
        {
            std::lock_guard<std::mutex> lock(listMutex_);
            latest_ = {};
            fileNameLatestVersion_.reset();
        }
        tfFirmwareFile_->setText("");
        c.setOnProcessing(true);
        c.setControls();
        setControls();
        startListRead();
        return;
    }

    restorePossible_ = true;
    initTabData();
    c.setOnProcessing(true);
    c.setControls();
    setControls();  // reads the settings backup, which may clear restorePossible
    fields_.state = kStateIdle;
    if (restorePossible_) {
        fields_.state = kStateReadRestoreList;
        c.setControls();
        setControls();
        startListRead();
    } else {
        c.setOnProcessing(false);
        c.setControls();
        setControls();
        if (c.isRestartDFU()) {
            fields_.newUpdateFound = false;
            restoreFirmware(nullptr);
        }
    }
    const device::ORVABluetoothDeviceData backup = dataToUnarchive_.value_or(device::ORVABluetoothDeviceData());
    int32_t count = 0, selected = 0;
    int32_t tabs[3] = {};
    ORVABluetoothManagerAppController::SetTabDataInTabCount(&count, tabs, &selected,
                                                            dataToUnarchive_ ? backup.deviceRecognized() : 0,
                                                            dataToUnarchive_ ? backup.deviceVersionMajor() : 0,
                                                            dataToUnarchive_ ? backup.deviceVersionMinor() : 0,
                                                            c.fmRadioShowAndHide());
    tabCount_ = count;
    for (size_t i = 0; i < 3; ++i) tabs_[i] = tabs[i];
    tabIndexSelected_ = selected;
}

void UpdateViewController::readLatest() {
    loadViewIfNeeded();
    ORVABluetoothManagerAppController& c = controller();
    if (popUpLanguageFirmware_->count() == 0) {
        setControls();
        return;
    }
    fields_.updateProcessed = kNothingReported;
    fields_.updateFinished = false;
    {
        std::lock_guard<std::mutex> lock(listMutex_);
        arrFileNamesLatestVersion_.clear();
        arrLanguageFirmware_.clear();
    }
    popUpLanguageFirmware_->clear();
    if (c.mode() == 5) {
        fields_.state = kStateReadUpdateList;
        checkNewUpdate_ = false;
        {
            std::lock_guard<std::mutex> lock(listMutex_);
            latest_ = {};
            fileNameLatestVersion_.reset();
        }
        c.setOnProcessing(true);
    } else {
        restorePossible_ = true;
        initTabData();
        c.setOnProcessing(true);
        c.setControls();
        setControls();
        fields_.state = kStateIdle;
        if (!restorePossible_) {
            c.setOnProcessing(false);
            c.setControls();
            setControls();
            return;
        }
        fields_.state = kStateReadRestoreList;
    }
    c.setControls();
    setControls();
    startListRead();
}

// ---- the list read ----------------------------------------------------------------------------------

std::string UpdateViewController::firmwareListAddress(int32_t mode) {
    return ORVABluetoothManagerAppController::serverURL(mode == 5 ? "Firmware" : "Revisions");
}

void UpdateViewController::startListRead() {
    // One list read at a time: a read still running (a language change during it) is waited for.
    listWorker_.join();
    cancelListRead_ = false;
    // What the walk needs of the controller and the backup, taken here on the main thread.
    ORVABluetoothManagerAppController& c = controller();
    ListReadInput in;
    in.mode = c.mode();
    const int32_t target = c.deviceTarget();
    in.interfaceLanguage = c.languageManager();
    in.internalName = device::qelm_product_name(target, true).value_or("");
    in.nelvar = target == kNelvar;
    in.languageFirmware = c.strLanguageFirmware().value_or("");
    in.languageManager = c.strLanguageManager().value_or("");
    in.applyToLanguageFirmware = c.applyToLanguageFirmware();
    if (dataToUnarchive_)
        in.backup = {dataToUnarchive_->deviceVersionMajor(), dataToUnarchive_->deviceVersionMinor(),
                     dataToUnarchive_->deviceSecondaryVersionType(), dataToUnarchive_->deviceSecondaryVersion()};
    in.start = latestVersion();
    in.headset = offeredHeadset();
    listWorker_.start([this, in] { threadMethodReadLatest(in); });
    timer_->start();
}

void UpdateViewController::threadMethodReadLatest(const ListReadInput& in) {
    const int32_t mode = in.mode;
    platform::HttpResult answer =
        platform::httpGet(firmwareListAddress(mode), kListTimeoutSeconds, platform::CachePolicy::IgnoreLocalCache,
                          platform::kListBodyCap, &cancelListRead_);
    std::optional<std::string> body;
    if (answer.ok && isAsciiList(answer.text()))
        body = answer.text();
    else
        platform::logf("firmware list not read: %s", answer.error.empty() ? "not ASCII" : answer.error.c_str());

    {
        std::lock_guard<std::mutex> lock(listMutex_);
        arrFileNamesLatestVersion_.clear();
        arrLanguageFirmware_.clear();
    }
    FirmwareListRead read;
    read.popUp.push_back({PopUpChange::Kind::RemoveAll, "", 0});
    if (mode == 5) {
        FirmwareListRead walk = body ? readUpdateList(*body, in.internalName, in.nelvar, in.languageFirmware, in.start)
                                     : FirmwareListRead{};
        walk.popUp.insert(walk.popUp.begin(), read.popUp.begin(), read.popUp.end());
        read = std::move(walk);
    } else {
        restorePossible_ = false;
        FirmwareListRead walk;
        if (body)
            walk = readRestoreList(*body, in.internalName, in.nelvar, in.backup, in.languageFirmware, in.start);
        else
            walk.latest = in.start;
        walk.popUp.insert(walk.popUp.begin(), read.popUp.begin(), read.popUp.end());
        read = std::move(walk);
    }
    if (!read.arrLanguageFirmware.empty() && in.applyToLanguageFirmware)
        if (int i = preselectedLanguage(read.arrLanguageFirmware, in.languageManager); i >= 0)
            read.popUp.push_back({PopUpChange::Kind::Select, "", i});

    for (PopUpChange change : read.popUp) {
        if (change.kind == PopUpChange::Kind::Add)
            change.title = app::AppTexts::qelm_language_manager_from_language(change.title, in.interfaceLanguage);
        platform::postToMainQueue([this, change] { applyPopUpChange(change); });
    }
    const bool possible = read.restorePossible;
    const FirmwareVersion latest = read.latest;
    publishListRead(std::move(read));

    if (mode == 5) {
        if (!checkNewUpdate_) {
            checkNewUpdate_ = true;
            fields_.newUpdateFound = false;
        } else {
            fields_.newUpdateFound = decideNewUpdate(in.headset, latest);
        }
        fields_.state = kStateIdle;
    } else {
        restorePossible_ = possible;
        fields_.updateFinished.store(true, std::memory_order_release);
    }
}

void UpdateViewController::publishListRead(FirmwareListRead read) {
    std::lock_guard<std::mutex> lock(listMutex_);
    latest_ = read.latest;
    if (read.fileNameLatestVersion) fileNameLatestVersion_ = read.fileNameLatestVersion;
    arrFileNamesLatestVersion_ = std::move(read.arrFileNamesLatestVersion);
    arrLanguageFirmware_ = std::move(read.arrLanguageFirmware);
}

void UpdateViewController::applyPopUpChange(const PopUpChange& change) {
    switch (change.kind) {
        case PopUpChange::Kind::RemoveAll:
            popUpLanguageFirmware_->clear();
            break;
        case PopUpChange::Kind::Add:
            popUpLanguageFirmware_->addItem(QString::fromStdString(change.title));
            break;
        case PopUpChange::Kind::Select:
            if (change.index < popUpLanguageFirmware_->count()) popUpLanguageFirmware_->setCurrentIndex(change.index);
            break;
    }
}

FirmwareVersion UpdateViewController::latestVersion() const {
    std::lock_guard<std::mutex> lock(listMutex_);
    return latest_;
}

platform::OptString UpdateViewController::fileNameLatestVersion() const {
    std::lock_guard<std::mutex> lock(listMutex_);
    return fileNameLatestVersion_;
}

std::vector<std::string> UpdateViewController::arrFileNamesLatestVersion() const {
    std::lock_guard<std::mutex> lock(listMutex_);
    return arrFileNamesLatestVersion_;
}

std::vector<std::string> UpdateViewController::arrLanguageFirmware() const {
    std::lock_guard<std::mutex> lock(listMutex_);
    return arrLanguageFirmware_;
}

// ---- tab data ---------------------------------------------------------------------------------------

void UpdateViewController::initTabData() {
    int32_t tabs[3] = {};
    ORVABluetoothManagerAppController::SetTabDataDefaultInTabCount(&tabCount_, tabs, &tabIndexSelected_);
    for (size_t i = 0; i < 3; ++i) tabs_[i] = tabs[i];
    if (appController()) controller().setListTabsOpened(false);
}

int32_t UpdateViewController::tabAt(int32_t index) const {
    return index >= 0 && index < 3 ? tabs_[static_cast<size_t>(index)] : 0;
}

void UpdateViewController::setTab(int32_t value, int32_t At) {
    if (At >= 0 && At < 3) tabs_[static_cast<size_t>(At)] = value;
}

// ---- threads ----------------------------------------------------------------------------------------

void UpdateViewController::stopThreads() {
    cancelListRead_ = true;
    fields_.stopRequested = true;
    // A download cut short leaves no part of a firmware file behind.
    if (downloadRunning()) {
        download_.cancel();
        closeDownloadFile(true);
    }
}

bool UpdateViewController::joinThreadsBy(std::chrono::steady_clock::time_point deadline) {
    if (timer_) timer_->stop();  // none before the view is built
    auto left = [&] {
        return std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()),
                        std::chrono::milliseconds(0));
    };
    const bool list = listWorker_.joinWithin(left());
    const bool update = updateWorker_.joinWithin(left());
    const bool download = download_.joinWithin(left());
    return list && update && download;
}

std::function<void()> UpdateViewController::spinnerStartBlock() {
    return [this] {
        spinnerByWorker_ = true;
        setSpinner(true);
    };
}

std::function<void()> UpdateViewController::spinnerStopBlock() {
    return [this] {
        spinnerByWorker_ = false;
        setSpinner(false);
    };
}

// The OK of the camera update's closing question: the worker ended without finishing.
void UpdateViewController::endNelvarUpdate() {
    fields_.updateProcessed = kProcessedComplete;
    fields_.finishWith(true, 0);
    fields_.checkNelvarUpdateComplete = true;
}

// ---- actions ----------------------------------------------------------------------------------------

void UpdateViewController::updateFirmware(QObject*) {
    ORVABluetoothManagerAppController& c = controller();
    platform::logf("real path[%s]", localPathLatestVersion_ ? localPathLatestVersion_->c_str() : "(null)");
    if (c.mode() == 6) {
        c.setFirmwareUpdateWithStatus(true);
        return;
    }
    if (updateWorker_.running()) return;
    fields_.state = kStateUpdating;
    fields_.resetForRun();
    c.setOnProcessing(true);
    c.setControls();
    setControls();
    if (c.isRestartDFU()) {
        tfFirmwareFile_->setText(QString::fromStdString(c.strRestartDFUFirmwareFile().value_or("")));
        const int32_t index = c.indexRestartDFUFirmwareLanguage();
        if (popUpLanguageFirmware_->count() > index) popUpLanguageFirmware_->setCurrentIndex(index);
    } else if (popUpLanguageFirmware_->count() > 0) {
        const auto languages = arrLanguageFirmware();
        const int selected = popUpLanguageFirmware_->currentIndex();
        if (selected >= 0 && static_cast<size_t>(selected) < languages.size())
            c.setStrLanguageFirmware(languages[static_cast<size_t>(selected)]);
    }
    timer_->start();
    startUpdateWorker();
}

void UpdateViewController::restoreFirmware(QObject*) {
    ORVABluetoothManagerAppController& c = controller();
    if (c.mode() == 5) {
        c.setFirmwareRestoreWithStatus(true);
        return;
    }
    if (updateWorker_.running() || downloadRunning()) return;
    const bool recover = c.isRestartDFU();
    fields_.state = recover ? kStateRestoring : kStateDownloadRestore;
    fields_.updateFinished = false;
    fields_.updateProcessed = kNothingReported;
    c.setOnProcessing(true);
    c.setStatus(c.getStatusProcessing(), false);
    c.setControls();
    setControls();
    if (recover) {
        // The stored file of the interrupted restore is written again, without a download.
        tfFirmwareFile_->setText(QString::fromStdString(c.strRestartDFUFirmwareFile().value_or("")));
        const int32_t index = c.indexRestartDFUFirmwareLanguage();
        if (popUpLanguageFirmware_->count() > index) popUpLanguageFirmware_->setCurrentIndex(index);
        fields_.resetForRun();
        startUpdateWorker();
        timer_->start();
    } else {
        // The revision chosen in the list, downloaded into the archive folder; the download's end
        // starts the worker.
        takeSelectedLanguage();
        const std::string folder = platform::ensureArchiveFolder().value_or(platform::archiveFolderPath());
        localPathLatestVersion_ = folder + "/" + restoreImageFileName(c.deviceTarget()).value_or("");
        // A download that could not start keeps its failure status.
        if (!downloadFirmwareFromServer()) return;
    }
    showProcessingStatus(qelm_string_about_to_download_backup_firmware_in);
}

void UpdateViewController::firmwareFileChanged(QObject*) { setControls(); }

void UpdateViewController::moveToNext(QObject*) {
    ORVABluetoothManagerAppController& c = controller();
    switch (nextPageFor(c.deviceTarget(), c.usbStatus(), c.data())) {
        case NextPage::deviceSelection:
            c.setDeviceSelection();
            return;
        case NextPage::speedDial:
            c.setDeviceSettingsSpeedDialWithStatus(true);
            return;
        case NextPage::deviceSettings:
            c.setDeviceSettingsWithStatus(true);
            return;
    }
}

void UpdateViewController::moveToBack(QObject*) { controller().setDeviceRecognitionWithStatus(true, nullptr, 0); }

}  // namespace update
