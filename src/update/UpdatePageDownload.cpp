// Firmware downloads of the update and restore page: the save panel of the Download button, the
// transfer into the chosen file (or the restore page's archive-folder file), and its end, which
// leaves the file ready for Update, updates at once after the new-firmware sheet's Yes, or starts
// the restore.
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "update/ArchiveFileNames.h"
#include "update/UpdateViewController.h"

namespace update {

using app::AppTexts;
using app::ORVABluetoothManagerAppController;

namespace {

// The save panel's preset: the server's file name without its folders.
QString presetName(const std::string& fileName) {
    const size_t slash = fileName.rfind('/');
    return QString::fromStdString(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
}

// Creates the file or empties an existing one. Never waits on a FIFO or a device: only a regular
// file counts as created.
bool createEmptyFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

}  // namespace

void UpdateViewController::setFileNameLatestVersion(const std::string& name) {
    std::lock_guard<std::mutex> lock(listMutex_);
    fileNameLatestVersion_ = name;
}

void UpdateViewController::downloadFirmware(QObject*) {
    ORVABluetoothManagerAppController& c = controller();
    if (c.mode() != 5) return;
    if (popUpLanguageFirmware_->count() >= 1) {
        const auto names = arrFileNamesLatestVersion();
        const int selected = popUpLanguageFirmware_->currentIndex();
        if (selected >= 0 && static_cast<size_t>(selected) < names.size())
            setFileNameLatestVersion(names[static_cast<size_t>(selected)]);
    }
    QFileDialog* panel = newFilePanel(true);
    // Where downloads usually go, when the user has such a folder.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir()) panel->setDirectory(downloads);
    panel->selectFile(presetName(fileNameLatestVersion().value_or("")));
    QObject::connect(panel, &QFileDialog::finished, view(), [this, panel](int answer) {
        const QStringList chosen = answer == QDialog::Accepted ? panel->selectedFiles() : QStringList();
        if (chosen.isEmpty()) {
            // A cancel after the new-firmware offer's Yes ends the offer as its No does: a later
            // download from the Download button only downloads.
            platform::logLine("save panel cancelled");
            fields_.newUpdateFound = false;
            return;
        }
        ORVABluetoothManagerAppController& c = controller();
        localPathLatestVersion_ = chosen.front().toStdString();
        platform::logf("%s", localPathLatestVersion_->c_str());
        fields_.state = kStateDownloadLatest;
        c.setOnProcessing(true);
        c.setControls();
        setControls();
        // A download that could not start keeps its failure status.
        if (downloadFirmwareFromServer()) showProcessingStatus(qelm_string_about_to_download_latest_firmware_in);
    });
    panel->open();
}

void UpdateViewController::showProcessingStatus(std::string (*what)(int language)) {
    ORVABluetoothManagerAppController& c = controller();
    const int32_t mode = c.mode(), usb = c.usbStatus();
    showStatusInAllLanguages(
        [&](int i) {
            return app::formatText("%@ %@", {AppTexts::qelm_status_processing(mode, usb, i).value_or(""), what(i)});
        },
        false);
}

bool UpdateViewController::downloadFirmwareFromServer() { return startDownload(true); }

bool UpdateViewController::antirollBackDownloadFirmwareFromServer() { return startDownload(false); }

std::FILE* UpdateViewController::openForWriting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) ::close(fd);
    return file;
}

bool UpdateViewController::startDownload(bool testCreation) {
    const std::string path = localPathLatestVersion_.value_or("");
    const bool created = createEmptyFile(path);
    if (!created && testCreation) {
        downloadStartFailed(StartFailure::Create);
        return false;
    }
    fileHandleLatestVersion_ = openForWriting(path);
    if (!fileHandleLatestVersion_) {
        if (!testCreation) platform::logLine("anti down error");
        // The file was created or emptied for this download: nothing of it is worth keeping.
        if (created) closeDownloadFile(true);
        downloadStartFailed(StartFailure::Open);
        return false;
    }
    platform::HttpDownload::Delegate delegate;
    delegate.didReceiveData = [this](std::vector<uint8_t> data) { connectionDidReceiveData(data); };
    delegate.didFinishLoading = [this] { connectionDidFinishLoading(); };
    delegate.didFailWithError = [this](const std::string& error) { connectionDidFailWithError(error); };
    const std::string url = ORVABluetoothManagerAppController::serverURL(fileNameLatestVersion().value_or(""));
    if (!download_.start(url, downloadIdleLimit_, fields_.firmwareByteCap.load(), std::move(delegate))) {
        closeDownloadFile(true);
        downloadStartFailed(StartFailure::Connect);
        return false;
    }
    return true;
}

void UpdateViewController::downloadStartFailed(StartFailure failure) {
    ORVABluetoothManagerAppController& c = controller();
    const int32_t mode = c.mode(), usb = c.usbStatus();
    const bool updatePage = mode == 5;
    fields_.state = kStateIdle;
    c.setOnProcessing(false);
    if (!updatePage) {
        restorePossible_ = false;
        fields_.updateFinished = true;
    }
    showStatusInAllLanguages(
        [&](int i) {
            const std::string prefix = updatePage ? qelm_string_failed_to_download_latest_firmware_in(i)
                                                  : AppTexts::qelm_status_failure(mode, usb, i).value_or("");
            switch (failure) {
                case StartFailure::Create:
                    return app::formatText("%@. %@", {prefix, updatePage ? qelm_string_cannot_create_file_in(i)
                                                                         : qelm_string_cannot_get_backup_firmware_in(i)});
                case StartFailure::Open:
                    return updatePage ? app::formatText("%@. %@", {prefix, qelm_string_cannot_open_file_in(i)})
                                      : app::formatText("%@. %@ 2", {prefix, qelm_string_cannot_get_backup_firmware_in(i)});
                case StartFailure::Connect:
                    break;
            }
            return app::formatText("%@. %@", {prefix, qelm_string_cannot_connect_to_the_server_in(i)});
        },
        true);
    c.setControls();
    setControls();
    fields_.newUpdateFound = false;
}

void UpdateViewController::connectionDidReceiveData(const std::vector<uint8_t>& data) {
    if (!fileHandleLatestVersion_) return;
    if (std::fwrite(data.data(), 1, data.size(), fileHandleLatestVersion_) == data.size()) return;
    // A short write (a full disk) would leave a cut firmware file that looks whole.
    download_.cancel();
    connectionDidFailWithError("cannot write the file");
}

void UpdateViewController::connectionDidFinishLoading() {
    ORVABluetoothManagerAppController& c = controller();
    std::FILE* file = fileHandleLatestVersion_;
    fileHandleLatestVersion_ = nullptr;
    if (!file) return;
    if (std::fclose(file) != 0) {
        connectionDidFailWithError("cannot write the file");
        return;
    }
    tfFirmwareFile_->setText(QString::fromStdString(localPathLatestVersion_.value_or("")));
    fields_.state = kStateIdle;
    c.setOnProcessing(false);
    c.setControls();
    setControls();
    fields_.updateProcessed = kNothingReported;
    fields_.updateFinished = false;
    if (c.mode() != 5) {
        restorePossible_ = true;
        showProcessingStatus(qelm_string_about_to_restore_in);
        c.setOnProcessing(true);
        c.setControls();
        setControls();
        fields_.state = kStateRestoring;
        fields_.resetForRun();
        startUpdateWorker();
        timer_->start();
        return;
    }
    if (fields_.newUpdateFound)
        updateFirmware(nullptr);  // the download the new-firmware sheet's Yes began
    else
        showStatusInAllLanguages(qelm_string_press_update_button_in, false);
}

void UpdateViewController::connectionDidFailWithError(const std::string& error) {
    platform::logf("firmware download failed: %s", error.c_str());
    ORVABluetoothManagerAppController& c = controller();
    closeDownloadFile(true);
    fields_.state = kStateIdle;
    c.setOnProcessing(false);
    const int32_t mode = c.mode(), usb = c.usbStatus();
    const bool updatePage = mode == 5;
    if (!updatePage) {
        restorePossible_ = false;
        fields_.updateFinished = true;
    }
    showStatusInAllLanguages(
        [&](int i) {
            return updatePage ? app::formatText("%@. %@", {qelm_string_failed_to_download_latest_firmware_in(i),
                                                           qelm_string_cannot_download_firmware_in(i)})
                              : app::formatText("%@. %@", {AppTexts::qelm_status_failure(mode, usb, i).value_or(""),
                                                           qelm_string_cannot_download_backup_firmware_in(i)});
        },
        true);
    // Like the failures to start: a later download from the Download button must not update.
    fields_.newUpdateFound = false;
    c.setControls();
    setControls();
}

void UpdateViewController::closeDownloadFile(bool removeFile) {
    if (fileHandleLatestVersion_) std::fclose(fileHandleLatestVersion_);
    fileHandleLatestVersion_ = nullptr;
    if (removeFile && localPathLatestVersion_) {
        std::error_code ignored;
        std::filesystem::remove(*localPathLatestVersion_, ignored);
    }
}

void UpdateViewController::takeSelectedLanguage() {
    if (popUpLanguageFirmware_->count() == 0) return;
    const int selected = popUpLanguageFirmware_->currentIndex();
    if (selected < 0) return;
    const auto index = static_cast<size_t>(selected);
    const auto languages = arrLanguageFirmware();
    const auto names = arrFileNamesLatestVersion();
    if (index < languages.size()) controller().setStrLanguageFirmware(languages[index]);
    if (index < names.size()) setFileNameLatestVersion(names[index]);
}

QFileDialog* UpdateViewController::newFilePanel(bool save) {
    ORVABluetoothManagerAppController& c = controller();
    auto* panel = new QFileDialog(c.window() ? static_cast<QWidget*>(c.window()) : view());
    panel->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    panel->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    panel->setOption(QFileDialog::DontUseNativeDialog);
    panel->setWindowModality(Qt::WindowModal);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    return panel;
}

void UpdateViewController::antirollBackDownloadFirmwareFile() {
    ORVABluetoothManagerAppController& c = controller();
    takeSelectedLanguage();
    const std::string folder = platform::ensureArchiveFolder().value_or(platform::archiveFolderPath());
    localPathLatestVersion_ = folder + "/" + ORVABluetoothManagerAppController::kTempFileName;
    platform::logf("before down[%s]", localPathLatestVersion_->c_str());
    showProcessingStatus(qelm_string_about_to_download_latest_firmware_in);
    fields_.state = kStateDownloadLatest;
    c.setOnProcessing(true);
    c.setControls();
    setControls();
    antirollBackDownloadFirmwareFromServer();
}

uint64_t UpdateViewController::getFileSize(const std::string& path) {
    // The length of what can be read: a file we may not open has none. Never waits on a FIFO.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular ? static_cast<uint64_t>(st.st_size) : 0;
}

}  // namespace update
