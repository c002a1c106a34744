// The restore page's settings backup: read anew at each layout, checked against the connected
// headset, and summarised in the version, date and six summary lines.
#include <QDateTime>
#include <QLocale>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "app/QtText.h"
#include "platform/Date.h"
#include "platform/Files.h"
#include "update/ArchiveFileNames.h"
#include "update/UpdateViewController.h"

namespace update {

namespace {

using app::qs;

using app::AppTexts;
using app::ORVABluetoothManagerAppController;

// 10000-01-01 00:00:00 UTC: a backup is never dated that late, nor before 1970.
constexpr double kFirstUnshownSecond = 253402300800.0;

// The archived date in milliseconds since 1970, none when a damaged file holds a time that is not
// finite or lies outside the years 1970 to 9999 (the date field stays empty then).
std::optional<qint64> shownDateMs(const std::optional<platform::Date>& date) {
    if (!date) return std::nullopt;
    const double seconds = date->unixSeconds();
    if (!(seconds >= 0.0 && seconds < kFirstUnshownSecond)) return std::nullopt;
    return static_cast<qint64>(seconds * 1000.0);
}

}  // namespace

std::optional<std::string> UpdateViewController::backupPath(int32_t deviceTarget) {
    // The same name function as the worker's backup writer.
    const auto name = backupFileName(deviceTarget);
    if (!name) return std::nullopt;
    return platform::archiveFolderPath() + "/" + *name;
}

void UpdateViewController::setBackupInfo() {
    ORVABluetoothManagerAppController& c = controller();
    const int32_t target = c.deviceTarget();
    const int l = language();
    // Cleared before each read so that a refused backup is never written back after a restore.
    dataToUnarchive_.reset();
    const auto path = backupPath(target);
    std::optional<device::ORVABluetoothDeviceData> backup =
        path ? device::ORVABluetoothDeviceData::unarchiveFromFile(*path) : std::nullopt;
    const BackupCheck check = update::checkBackup(backup ? &*backup : nullptr, c.data().deviceRecognized());
    if (check != BackupCheck::usable) {
        if (target == 0) {
            if (app::MainWindow* w = c.window()) {
                QPalette p = w->tfStatus->palette();
                p.setColor(QPalette::Window, QColor(0, 117, 168));
                w->tfStatus->setPalette(p);
            }
            return;
        }
        restorePossible_ = false;
        const int32_t mode = c.mode(), usb = c.usbStatus();
        for (int i = 0; i < kLanguages; ++i)
            c.setStrStatus(app::formatText("%@. %@", {AppTexts::qelm_status_failure(mode, usb, i).value_or(""),
                                                      qelm_string_no_backup_firmware_in(i)}),
                           i);
        c.setStatus(c.getStrStatus(), true);
        return;
    }
    dataToUnarchive_ = std::move(backup);
    const device::ORVABluetoothDeviceData& b = *dataToUnarchive_;
    for (size_t i = 0; i < 5; ++i) lblRestoredData_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tfRestoredVersion_->setText(qs(restoredVersionText(target, b)));
    lblRestoredDate_->setText(qs(app::formatText("%@: ", {settingLabel("Date", l).value_or("Date")})));
    QString date;
    if (const auto ms = shownDateMs(b.dateArchived()))
        date = QLocale::c().toString(QDateTime::fromMSecsSinceEpoch(*ms).toLocalTime(),
                                     qs(AppTexts::qelm_string_date_format_in(l)));
    tfRestoredDate_->setText(date);
    showSummaryLines(backupSummaryLines(target, tabAt(tabIndexSelected_), b, l));
}

void UpdateViewController::speedDialDataShow() {
    if (dataToUnarchive_) showSummaryLines(speedDialLines(*dataToUnarchive_, language()));
}

void UpdateViewController::showSummaryLines(const BackupSummaryLines& lines) {
    if (lines.leftAligned)
        for (size_t i = 0; i < 5; ++i) lblRestoredData_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (lines.dateLabel) lblRestoredDate_->setText(qs(*lines.dateLabel));
    if (lines.dateValue) tfRestoredDate_->setText(qs(*lines.dateValue));
    for (size_t i = 0; i < 6; ++i) {
        if (lines.labels[i]) lblRestoredData_[i]->setText(qs(*lines.labels[i]));
        if (lines.values[i]) tfRestoredData_[i]->setText(qs(*lines.values[i]));
    }
}

}  // namespace update
