// Modes 5 and 6: the firmware update page and the firmware restore page, one class made twice.
// What an object does at a moment is decided by the controller's mode. The page reads the
// server's firmware list on a thread of its own, and one 1.0-second timer polls what its workers
// write (UpdatePageFields) and shows it.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QStandardItemModel>
#include <QTableView>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/PageProtocols.h"
#include "device/ORVABluetoothDeviceData.h"
#include "platform/HttpDownload.h"
#include "platform/WorkerThread.h"
#include "update/BackupSummary.h"
#include "update/FirmwareLists.h"
#include "update/NewUpdateDecision.h"
#include "update/ProgressRules.h"
#include "update/UpdatePageFields.h"
#include "update/UpdateTexts.h"
#include "update/UpdateWorker.h"

namespace app {
class ORVABluetoothManagerAppController;
}

namespace update {

class UpdateViewController : public app::FirmwarePage, public UpdateTexts {
  public:
    // initWithMode: 5 the update page; any other value the restore page.
    explicit UpdateViewController(int32_t mode);
    ~UpdateViewController() override;
    int32_t pageMode() const { return mode_; }

    // ---- page protocol ------------------------------------------------------------------------
    void initializeObjectWithDefaultStatus(bool writeDefault) override;
    bool restorePossible() const override { return restorePossible_.load(); }
    void setRestorePossible(bool possible) { restorePossible_ = possible; }
    void readLatest() override;
    void setControls() override;
    void setShortcuts() override;
    void setControlsFirmwareRestore() override;
    // Reads the settings backup of the selected model into dataToUnarchive and its summary lines;
    // clears restorePossible when none is usable.
    virtual void setBackupInfo();
    // The settings backup file of a model in the archive folder; none for a model without one.
    static std::optional<std::string> backupPath(int32_t deviceTarget);
    // Writes the summary lines (and, for the FM summary, the region over the date line).
    void showSummaryLines(const BackupSummaryLines& lines);
    void speedDialDataShow();
    // The restore table and its scroll view: shown exactly when a restore is possible.
    void restoreTableViewHiddenWithRestorePossible();
    // The firmware-language pop-up opens: an open tab list closes.
    void menuWillOpen();
    // Rebuilds the table's rows from the backup record (a row's two texts stand for its cell).
    void reloadRestoreTable();
    void moveToNext(QObject* sender) override;
    void moveToBack(QObject* sender) override;
    QAbstractButton* btnNext() override { return loaded(btnNext_); }
    QAbstractButton* btnBack() override { return loaded(btnBack_); }
    int32_t tabCount() const override { return tabCount_; }
    void setTabCount(int32_t count) { tabCount_ = count; }
    // Index 0-2; any other index reads 0 and stores nothing.
    int32_t tabAt(int32_t index) const override;
    void setTab(int32_t value, int32_t At);
    int32_t tabIndexSelected() const override { return tabIndexSelected_; }
    void setTabIndexSelected(int32_t index) override { tabIndexSelected_ = index; }
    void initTabData();
    bool openedMessageBox() const { return fields_.openedMessageBox.load(); }
    void setOpenedMessageBox(bool opened) override { fields_.openedMessageBox = opened; }
    void endNelvarUpdate() override;
    void stopThreads() override;
    bool joinThreadsBy(std::chrono::steady_clock::time_point deadline) override;

    // ---- actions --------------------------------------------------------------------------------
    void updateFirmware(QObject* sender);
    void restoreFirmware(QObject* sender);
    void firmwareFileChanged(QObject* sender);
    void browseFirmware(QObject* sender);
    // Starts the update worker (threadMethodUpdate) on its own thread with what it reads of the
    // page and the controller, taken here on the main thread; it reports through fields() only.
    // False while a worker still runs.
    bool startUpdateWorker();
    // The open routine the HID families take: the program's own, or for tests one that also
    // opens the simulated models the program's own passes over.
    void setHeadsetOpener(HeadsetOpener opener) { headsetOpener_ = opener; }

    // ---- the worker contract and the timer ----------------------------------------------------
    UpdatePageFields& fields() { return fields_; }
    const UpdatePageFields& fields() const { return fields_; }
    // One tick of the 1.0-second timer: acts by `state`. Called by the timer only (and tests).
    void timerMethodUpdate();
    QTimer* timer() const { return loaded(timer_); }
    // The blocks the update worker posts to the main queue around its long waits.
    std::function<void()> spinnerStartBlock();
    std::function<void()> spinnerStopBlock();

    // ---- the list read -------------------------------------------------------------------------
    // The list's address: "Firmware" on the update page, "Revisions" on any other.
    static std::string firmwareListAddress(int32_t mode);
    // What the list worker takes from the controller and the backup when it starts.
    struct ListReadInput {
        int32_t mode = 5;
        int32_t interfaceLanguage = 0;
        std::string internalName;
        bool nelvar = false;
        std::string languageFirmware, languageManager;
        bool applyToLanguageFirmware = false;
        FirmwareVersion backup, start;
        OfferedHeadset headset;
    };
    // The list worker, on its own thread (the timer sees its end by `state` or updateFinished).
    void threadMethodReadLatest(const ListReadInput& in);
    // Waits for the list read to end (tests).
    void joinListRead() { listWorker_.join(); }
    bool listReadRunning() const { return listWorker_.running(); }
    FirmwareVersion latestVersion() const;
    platform::OptString fileNameLatestVersion() const;
    std::vector<std::string> arrFileNamesLatestVersion() const;
    std::vector<std::string> arrLanguageFirmware() const;
    bool checkNewUpdate() const { return checkNewUpdate_.load(); }
    bool writeDefaultStatus() const { return writeDefaultStatus_; }
    // The settings backup read back for this restore; none without one.
    const std::optional<device::ORVABluetoothDeviceData>& dataToUnarchive() const { return dataToUnarchive_; }
    void setDataToUnarchive(std::optional<device::ORVABluetoothDeviceData> data) { dataToUnarchive_ = std::move(data); }
    // ---- the new-firmware offer ----------------------------------------------------------------
    // Whether the listed firmware is offered to the recognized headset (main thread; the list
    // worker decides on what it took at its start).
    bool haveNewUpdate() const;
    bool changePSKeyXQIVERONWith(const platform::OptString& address) const;
    bool checkPSKeyFENNIC_RWith(const platform::OptString& address) const;
    // The timer's offer after the first list read: the message of some 0x5060 headsets, else the
    // sheet on the main window.
    void offerNewUpdate();
    void setControlsNewUpdateFound();
    void yesButtonSelectedAt(QObject* sender);
    void noButtonSelectedAt(QObject* sender);
    // The sheet and its outlets, built when first offered (null before).
    struct NewUpdateSheet {
        QDialog* sheetNewUpdateFound = nullptr;
        QLabel* imgNewUpdate = nullptr;
        QLabel* lblNewUpdateInformation = nullptr;
        QLabel* lblCurrentVersion = nullptr;
        QLabel* lblNewVersion = nullptr;
        QLabel* tfCurrentVersion = nullptr;
        QLabel* tfNewVersion = nullptr;
        QComboBox* popUpLanguageFirmwareSheet = nullptr;
        QLabel* lblNewUpdateFoundLanguageVoicePrompt = nullptr;
        QPushButton* btnYes = nullptr;
        QPushButton* btnNo = nullptr;
    };
    const NewUpdateSheet& newUpdateSheet() const { return sheet_; }

    // ---- downloads ------------------------------------------------------------------------------
    // The Download button (update page only): the save panel, then the download.
    void downloadFirmware(QObject* sender);
    // Creates or empties localPathLatestVersion and starts the transfer of fileNameLatestVersion;
    // false when it could not start (its failure status is shown and the download state ended).
    bool downloadFirmwareFromServer();
    // Spare operations: a download to "tempfile.orva" in the archive folder, and a file's size.
    void antirollBackDownloadFirmwareFile();
    bool antirollBackDownloadFirmwareFromServer();
    static uint64_t getFileSize(const std::string& path);
    platform::OptString localPathLatestVersion() const { return localPathLatestVersion_; }
    bool downloadRunning() const { return fileHandleLatestVersion_ != nullptr; }
    // Without data for this long a download fails (tests shorten it).
    void setDownloadIdleLimit(std::chrono::milliseconds limit) { downloadIdleLimit_ = limit; }

    // Texts in the controller's language (the class's texts of any language stay callable).
    std::string stringUPDATE() const { return UpdateTexts::stringUPDATE(language()); }
    std::string stringRESTORE() const { return UpdateTexts::stringRESTORE(language()); }
    std::string stringBrowse() const { return UpdateTexts::stringBrowse(language()); }
    std::string stringDownload() const { return UpdateTexts::stringDownload(language()); }
    std::string stringLatestVersion() const { return UpdateTexts::stringLatestVersion(language()); }
    std::string stringFirmwareToUpdate() const { return UpdateTexts::stringFirmwareToUpdate(language()); }
    std::string stringVoicePromptInformation() const { return UpdateTexts::stringVoicePromptInformation(language()); }
    void displayNOBackupFirmware();

    // ---- outlets (for the controller's window and tests) -----------------------------------------
    QLabel* lblFirmwareFile() const { return loaded(lblFirmwareFile_); }
    QLineEdit* tfFirmwareFile() const { return loaded(tfFirmwareFile_); }
    QPushButton* btnBrowse() const { return loaded(btnBrowse_); }
    QComboBox* popUpLanguageFirmware() const { return loaded(popUpLanguageFirmware_); }
    QPushButton* btnDownload() const { return loaded(btnDownload_); }
    QLabel* tfLatestVersion() const { return loaded(tfLatestVersion_); }
    QLabel* lblUpdateLanguageVoicePrompt() const { return loaded(lblUpdateLanguageVoicePrompt_); }
    QLabel* lblRestoreLanguageVoicePrompt() const { return loaded(lblRestoreLanguageVoicePrompt_); }
    QLabel* lblUpdateVoicePromptInformation() const { return loaded(lblUpdateVoicePromptInformation_); }
    QLabel* lblBackupFirmwareInformation() const { return loaded(lblBackupFirmwareInformation_); }
    QLabel* lblRestoredVersion() const { return loaded(lblRestoredVersion_); }
    QLabel* tfRestoredVersion() const { return loaded(tfRestoredVersion_); }
    QLabel* lblRestoredDate() const { return loaded(lblRestoredDate_); }
    QLabel* tfRestoredDate() const { return loaded(tfRestoredDate_); }
    QTableView* tableViewRestore() const { return loaded(tableViewRestore_); }
    QFrame* scrollViewRestore() const { return loaded(scrollViewRestore_); }
    QStandardItemModel* restoreTableModel() const { return loaded(restoreTableModel_); }
    QLabel* lblRestoredData(int i) const { return lblRestoredData_.at(static_cast<size_t>(i)); }
    QLabel* tfRestoredData(int i) const { return tfRestoredData_.at(static_cast<size_t>(i)); }
    QProgressBar* piProcessingCircular() const { return loaded(piProcessingCircular_); }
    QProgressBar* piProcessing() const { return loaded(piProcessing_); }
    QLabel* tfProcessing() const { return loaded(tfProcessing_); }
    QLabel* tfPercent() const { return loaded(tfPercent_); }
    QPushButton* btnRestore() const { return loaded(btnRestore_); }
    QPushButton* btnUpdate() const { return loaded(btnUpdate_); }
    bool spinning() const { return loaded(piProcessingCircular_)->maximum() == 0; }

  protected:
    // Opens the created download file for writing; null when it cannot be opened.
    virtual std::FILE* openForWriting(const std::string& path);
    void loadView() override;

  private:
    app::ORVABluetoothManagerAppController& controller() const { return *appController(); }
    int language() const;
    bool asUpdatePage() const;
    void startListRead();
    void applyPopUpChange(const PopUpChange& change);
    void publishListRead(FirmwareListRead read);
    void setControlsFirmwareUpdate();
    void setShortcutsFirmwareUpdate();
    void setShortcutsFirmwareRestore();
    void setSpinner(bool running);
    void showProgressArea(bool listOrDownload);
    void addPageKey(QKeySequence key, std::function<void()> action);
    // Timer steps by state.
    void endOfUpdateListRead();
    void runningOperationTick();
    void endOperation();
    void endOfRestoreListRead();
    void showStatusInAllLanguages(const std::function<std::string(int)>& text, bool warning);
    // "<processing prefix> <what>" in the 13 languages, without warning.
    void showProcessingStatus(std::string (*what)(int language));
    OfferedHeadset offeredHeadset() const;
    bool decideNewUpdate(const OfferedHeadset& headset, const FirmwareVersion& latest) const;
    void buildNewUpdateSheet();
    void setFileNameLatestVersion(const std::string& name);
    // The pop-up's selected language: stored in the controller, and its file to download.
    void takeSelectedLanguage();
    // The open or save panel, window-modal on the main window.
    QFileDialog* newFilePanel(bool save);
    // Why a download could not start.
    enum class StartFailure { Create, Open, Connect };
    bool startDownload(bool testCreation);
    void downloadStartFailed(StartFailure failure);
    void connectionDidReceiveData(const std::vector<uint8_t>& data);
    void connectionDidFinishLoading();
    void connectionDidFailWithError(const std::string& error);
    // Closes the download file; a download that did not complete takes its file with it.
    void closeDownloadFile(bool removeFile);

    int32_t mode_;
    // Outlets of the page view.
    QLabel* lblFirmwareFile_ = nullptr;
    QLineEdit* tfFirmwareFile_ = nullptr;
    QPushButton* btnBrowse_ = nullptr;
    QComboBox* popUpLanguageFirmware_ = nullptr;
    QFrame* scrollViewRestore_ = nullptr;
    QTableView* tableViewRestore_ = nullptr;
    QStandardItemModel* restoreTableModel_ = nullptr;
    QPushButton* btnDownload_ = nullptr;
    QLabel* tfLatestVersion_ = nullptr;
    QLabel* lblUpdateLanguageVoicePrompt_ = nullptr;
    QLabel* lblBackupFirmwareInformation_ = nullptr;
    QLabel* lblRestoredVersion_ = nullptr;
    QLabel* tfRestoredVersion_ = nullptr;
    QLabel* lblRestoredDate_ = nullptr;
    QLabel* tfRestoredDate_ = nullptr;
    std::array<QLabel*, 6> lblRestoredData_{};
    std::array<QLabel*, 6> tfRestoredData_{};
    QLabel* lblRestoreLanguageVoicePrompt_ = nullptr;
    QLabel* lblUpdateVoicePromptInformation_ = nullptr;
    QProgressBar* piProcessingCircular_ = nullptr;
    QProgressBar* piProcessing_ = nullptr;
    QLabel* tfProcessing_ = nullptr;
    QLabel* tfPercent_ = nullptr;
    QPushButton* btnRestore_ = nullptr;
    QPushButton* btnNext_ = nullptr;
    QPushButton* btnUpdate_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QTimer* timer_ = nullptr;

    // List results: written by the list worker at its end, read by the main thread.
    mutable std::mutex listMutex_;
    FirmwareVersion latest_;
    platform::OptString fileNameLatestVersion_;
    std::vector<std::string> arrFileNamesLatestVersion_;
    std::vector<std::string> arrLanguageFirmware_;
    std::atomic<bool> checkNewUpdate_{false};
    // Set while the page asks its list request to end (shutdown).
    std::atomic<bool> cancelListRead_{false};

    // Page state.
    bool writeDefaultStatus_ = false;
    std::atomic<bool> restorePossible_{false};
    std::optional<device::ORVABluetoothDeviceData> dataToUnarchive_;
    int32_t tabCount_ = 0;
    std::array<int32_t, 3> tabs_{};
    int32_t tabIndexSelected_ = 0;
    // The worker started the spinner for one of its long waits; the tick leaves it running.
    bool spinnerByWorker_ = false;

    UpdatePageFields fields_;
    platform::WorkerThread listWorker_;
    platform::WorkerThread updateWorker_;
    // The update worker's view of the controller, and its run (kept until the next one starts).
    class WorkerControllerBridge;
    std::unique_ptr<UpdateWorkerController> workerController_;
    std::unique_ptr<UpdateRun> updateRun_;
    HeadsetOpener headsetOpener_ = usbhid_open_headset;

    NewUpdateSheet sheet_;
    // The running download: where it writes, the open file, the transfer.
    platform::OptString localPathLatestVersion_;
    std::FILE* fileHandleLatestVersion_ = nullptr;
    platform::HttpDownload download_;
    std::chrono::milliseconds downloadIdleLimit_{30000};
};

}  // namespace update
