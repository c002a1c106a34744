// The parts of the main window that belong to no page: side buttons and tab header, side panel,
// shortcuts, About, online help, quitting, the server choice and the camera-disk lookup.
#include <QApplication>
#include <QCoreApplication>
#include <QShortcut>
#include <QIcon>
#include <array>
#include <cstdio>
#include <filesystem>

#include "app/AppImages.h"
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextCatalogue.h"
#include "app/QtText.h"
#include "device/ProductCatalogue.h"
#include "platform/Browser.h"
#include "platform/Log.h"
#include "platform/MountedVolumes.h"
#include "platform/Servers.h"
#include "platform/TimeZone.h"

namespace app {
namespace {

const QColor kStatusBlue(0, 117, 168);
const QColor kSystemOrange(255, 149, 0);


QString text(TextId id, int32_t language) {
    std::string_view t = localizedText(id, language);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

std::string format(const char* f, auto... args) {
    char buf[128];
    std::snprintf(buf, sizeof buf, f, args...);
    return buf;
}

bool isTwoChipModel(int32_t id) {
    switch (id) {
    case 0x2030: case 0x4210: case 0x4310: case 0x4330: case 0x4410: case 0x4430: case 0x4510: case 0x4530:
    case 0x4610:
        return true;
    default:
        return false;
    }
}

struct CameraMarker {
    int32_t productId;
    const char* file;
};
constexpr CameraMarker kCameraMarkers[] = {
    {0x3020, "nelvar.bin"},        {0x3040, "FENDRALpro.bin"},    {0x3060, "MISC/version.conf"},
    {0x3232, "MISC/version.conf"}, {0x3233, "MISC/version.conf"}, {0x3240, "MISC/version.conf"},
    {0x5570, "MISC/version.conf"}, {0x5576, "MISC/version.conf"}, {0x5510, "TAVRIN.VER"},
    {0x5580, "tavrinpro.bin"},
};

void setBackground(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
}

}  // namespace

void ORVABluetoothManagerAppController::setWindow(MainWindow* w) {
    window_ = w;
    w->view->setAppController(this);
    auto on = [w](QAbstractButton* b, auto fn) { QObject::connect(b, &QAbstractButton::clicked, w, fn); };
    on(w->btnDeviceSelection, [this] { deviceSelection(window_->btnDeviceSelection); });
    on(w->btnDeviceRecognition, [this] { deviceRecognition(window_->btnDeviceRecognition); });
    on(w->btnFirmwareUpdate, [this] { firmwareUpdate(window_->btnFirmwareUpdate); });
    on(w->btnFirmwareRestore, [this] { firmwareRestore(window_->btnFirmwareRestore); });
    on(w->btnDeviceSettings, [this] { deviceSettings(window_->btnDeviceSettings); });
    on(w->btnDetailTitlePagesFirst, [this] { moveToFirstPage(window_->btnDetailTitlePagesFirst); });
    on(w->btnDetailTitlePagesSecond, [this] { moveToSecondPage(window_->btnDetailTitlePagesSecond); });
    for (QPushButton* b : w->btnListTabs) on(b, [this, b] { changeSelectionListTabs(b); });
    on(w->btnStatus, [this] { showStatus(window_->btnStatus); });
    on(w->btnAbout, [this] { about(window_->btnAbout); });
    on(w->btnClose, [this] { stopManager(window_->btnClose); });
    QObject::connect(w->menuItemAbout, &QAction::triggered, w, [this] { about(window_->menuItemAbout); });
    QObject::connect(w->menuItemQuit, &QAction::triggered, w, [this] { stopManager(window_->btnClose); });
    QObject::connect(w->menuItemKeyboradShortcuts, &QAction::triggered, w,
                     [this] { changeShortcuts(window_->menuItemKeyboradShortcuts); });
    QObject::connect(w->menuItemOnlineHelp, &QAction::triggered, w,
                     [this] { showOnlineHelp(window_->menuItemOnlineHelp); });
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right), w);
    QObject::connect(next, &QShortcut::activated, w, [this] { goNext(); });
    auto* back = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), w);
    QObject::connect(back, &QShortcut::activated, w, [this] { goBack(); });
    w->onCloseRequested = [this] { stopManager(window_->btnClose); };
    w->onMessageBoxBuilt = [this, on](MainWindow::MessageBoxSheet& box) {
        on(box.btnMessageBoxOK, [this, ok = box.btnMessageBoxOK] { messageBoxOK(ok); });
        on(box.btnMessageBoxCancel, [this, cancel = box.btnMessageBoxCancel] { messageBoxCancel(cancel); });
        box.sheetMessageBox->onEscape = [this] { messageBoxEscape(); };
    };
    w->onAboutBuilt = [this, on](MainWindow::AboutSheet& sheet) {
        on(sheet.btnAboutOK, [this, ok = sheet.btnAboutOK] { aboutOK(ok); });
        sheet.sheetAbout->onEscape = [this, ok = sheet.btnAboutOK] { aboutOK(ok); };
    };
    // Our own pictures, not the style's: its standard icons look up the desktop's icon theme, which
    // held the first showing of the window by several milliseconds.
    w->btnAbout->setIcon(drawnIcon(":/images/about-button.svg"));
    w->btnClose->setIcon(drawnIcon(":/images/close-button.svg"));
    w->btnAbout->setIconSize({20, 20});
    w->btnClose->setIconSize({20, 20});
    connectLanguageManagerAndLog();
}

void ORVABluetoothManagerAppController::showManagerImage() {
    showDrawnImage(window_->imgManagerImg, imageResourceFor("bg_velmar_mac.png"));
    setBackground(window_->lblDetailTitle, kStatusBlue);
}

// ---- status line ------------------------------------------------------------------------------

void ORVABluetoothManagerAppController::setStrStatus(const std::string& status, int32_t language) {
    if (language < 0 || language >= kLanguages) return;
    std::lock_guard<std::mutex> lock(statusMutex_);
    strStatus_[static_cast<size_t>(language)] = status;
}

std::string ORVABluetoothManagerAppController::getStrStatus() const {
    int32_t l = languageManager();
    if (l < 0 || l >= kLanguages) l = 0;
    std::lock_guard<std::mutex> lock(statusMutex_);
    return strStatus_[static_cast<size_t>(l)].value_or("");
}

#define ORVA_STATUS_GETTER(Getter, text)                                                   \
    std::string ORVABluetoothManagerAppController::Getter() {                              \
        for (int32_t l = 0; l < kLanguages; ++l)                                           \
            setStrStatus(text(mode(), usbStatus(), l).value_or(""), l);                    \
        return getStrStatus();                                                             \
    }
ORVA_STATUS_GETTER(getStatusDefault, qelm_status_default)
ORVA_STATUS_GETTER(getStatusProcessing, qelm_status_processing)
ORVA_STATUS_GETTER(getStatusSuccess, qelm_status_success)
ORVA_STATUS_GETTER(getStatusFailure, qelm_status_failure)
#undef ORVA_STATUS_GETTER

void ORVABluetoothManagerAppController::setStatus(const std::string& status, bool withWarning) {
    statusWithWarning_ = withWarning;
    if (!window_) return;
    setBackground(window_->tfStatus, withWarning ? kSystemOrange : kStatusBlue);
    window_->tfStatus->setText(qs(status));
}

void ORVABluetoothManagerAppController::setStatusWithDefault() {
    const int32_t caller = recognition_ ? recognition_->callerMode() : 0;
    if (mode() == 4 && caller != 0) {
        for (int32_t l = 0; l < kLanguages; ++l) {
            std::string text = qelm_status_default(mode(), usbStatus(), l).value_or("");
            // A caller without a success text (a hand-off above 100) gets the default text alone.
            if (auto success = qelm_status_success(caller, usbStatus(), l)) text = *success + ". " + text;
            setStrStatus(text, l);
        }
        setStatus(getStrStatus(), false);
    } else {
        setStatus(getStatusDefault(), false);
    }
}

void ORVABluetoothManagerAppController::updateStatusInManagerLanguage() { setStatus(getStrStatus(), statusWithWarning()); }

void ORVABluetoothManagerAppController::showStatus(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    std::string field = window_ ? window_->tfStatus->text().toStdString() : getStrStatus();
    openMessageBoxWithMessage("[" + qelm_string_mode(mode(), languageManager()) + "]\n" + field, statusWithWarning(),
                              std::nullopt, qelm_string_ok_in(languageManager()), 1, 2);
}

// ---- window -----------------------------------------------------------------------------------

void ORVABluetoothManagerAppController::setTitle() {
    if (window_) window_->setWindowTitle(qs(qelm_title({}, languageManager())));
}

void ORVABluetoothManagerAppController::setControlsFont() {
    if (!window_) return;
    MainWindow& w = *window_;
    const QFont system = QApplication::font();
    auto sized = [&](double smaller) {
        QFont f = system;
        if (smaller > 0) f.setPointSizeF(system.pointSizeF() - smaller);
        return f;
    };
    const int32_t l = languageManager();
    w.btnDeviceRecognition->setFont(sized(l == 1 ? 1 : 0));
    w.btnFirmwareRestore->setFont(sized(l == 1 ? 2 : l == 2 ? 1 : 0));
    w.btnDeviceSettings->setFont(sized(l == 2 ? 1 : 0));
    w.btnAbout->setToolTip(qs(stringMenuItemAbout()));
    w.btnClose->setToolTip(qs(stringMenuItemQuit()));
    w.btnLanguageManager->setToolTip(qs(qelm_string_language_manager_in(l)));
    w.btnLanguageManager->setText(qs(qelm_string_language_manager_in(l)));
    w.menuManager->setTitle(qs(qelm_title({}, l)));
    w.menuItemAbout->setText(qs(stringMenuItemAbout()));
    w.menuItemQuit->setText(qs(stringMenuItemQuit()));
    w.menuItemKeyboradShortcuts->setText(qs(stringMenuItemKeyboradShortcuts()));
    w.menuHelp->setTitle(qs(stringMenuHelp()));
    w.menuItemOnlineHelp->setText(qs(stringMenuItemOnlineHelp()));
    w.menuItemManagerLanguage->setText(qs(stringMenuItemManagerLanguage()));
    w.menuItemDiagnosticLog->setText(qs(stringMenuItemDiagnosticLog()));
}

void ORVABluetoothManagerAppController::applyTabHeader(int32_t count, int32_t selected) {
    MainWindow& w = *window_;
    const bool firstSelected = count >= 3 || selected == 0;
    struct Side {
        QLabel *background, *foreground;
        QPushButton* button;
        bool selected;
    };
    for (const Side& s : {Side{w.lblDetailTitlePagesFirstBackground, w.lblDetailTitlePagesFirstForeground,
                               w.btnDetailTitlePagesFirst, firstSelected},
                          Side{w.lblDetailTitlePagesSecondBackground, w.lblDetailTitlePagesSecondForeground,
                               w.btnDetailTitlePagesSecond, !firstSelected}}) {
        const QRect frame = s.background->geometry();
        const QSize size = s.selected ? QSize(362, 18) : QSize(365, 15);
        const QRect sized(frame.x(), 62 - size.height(), size.width(), size.height());
        s.background->setGeometry(sized);
        s.foreground->setGeometry(sized);
        s.button->setGeometry(sized);
        setBackground(s.background, s.selected ? QApplication::palette().color(QPalette::Window) : kStatusBlue);
        s.background->show();
        s.foreground->show();
        s.button->setEnabled(!s.selected);
        s.button->setVisible(!s.selected);
        s.button->raise();
    }
    w.lblDetailTitlePagesBottomLine->show();
}

void ORVABluetoothManagerAppController::setControls() {
    setTitle();
    setDetailTitle();
    if (!window_) return;
    MainWindow& w = *window_;
    const int32_t m = mode();
    const std::array<std::pair<ORVABluetoothMainButton*, bool>, 5> sides = {{
        {w.btnDeviceSelection, m == 3},
        {w.btnDeviceRecognition, m == 4},
        {w.btnFirmwareUpdate, m == 5},
        {w.btnFirmwareRestore, m == 6},
        {w.btnDeviceSettings, m >= 7 && m <= 9},
    }};
    for (auto [button, pressed] : sides) button->setState(pressed ? 1 : 0);
    w.btnFirmwareRestore->hide();
    w.btnDeviceSettings->setGeometry(w.btnFirmwareRestore->geometry());

    for (QAbstractButton* b : {static_cast<QAbstractButton*>(w.btnAbout), static_cast<QAbstractButton*>(w.btnClose),
                               static_cast<QAbstractButton*>(w.btnLanguageManager)})
        b->setEnabled(true);
    for (auto [button, pressed] : sides) button->setEnabled(true);
    w.btnStatus->setEnabled(false);
    w.btnStatus->hide();
    for (QWidget* part : std::initializer_list<QWidget*>{
             w.lblDetailTitlePagesFirstBackground, w.lblDetailTitlePagesFirstForeground, w.btnDetailTitlePagesFirst,
             w.lblDetailTitlePagesSecondBackground, w.lblDetailTitlePagesSecondForeground,
             w.btnDetailTitlePagesSecond, w.lblDetailTitlePagesBottomLine}) {
        part->setEnabled(false);
        part->hide();
    }
    for (QWidget* part : {w.lblDetailTitlePagesFirstBackground, w.lblDetailTitlePagesFirstForeground,
                          w.lblDetailTitlePagesSecondBackground, w.lblDetailTitlePagesSecondForeground,
                          w.lblDetailTitlePagesBottomLine})
        part->setEnabled(true);
    enableListTabsTo(listTabsOpened());

    if (onProcessing()) {
        for (QAbstractButton* b : {static_cast<QAbstractButton*>(w.btnAbout), static_cast<QAbstractButton*>(w.btnClose),
                                   static_cast<QAbstractButton*>(w.btnStatus),
                                   static_cast<QAbstractButton*>(w.btnLanguageManager)})
            b->setEnabled(false);
        for (auto [button, pressed] : sides) button->setEnabled(false);
        listTabsOpened_ = false;
        enableListTabsTo(false);
        return;
    }

    setInformationDeviceRecognized();
    const bool fwManagement = usbStatus() >= kFirmwareManagementUsb;
    switch (m) {
    case 4:
        w.btnFirmwareUpdate->setEnabled(recognized());
        w.btnFirmwareRestore->setEnabled(recognized());
        w.btnDeviceSettings->setEnabled(recognized() && !settingsDisabledForModel());
        break;
    case 5: case 6: {
        bool noSettings = fwManagement || settingsDisabledForModel();
        switch (deviceTarget()) {
        case 0x6816: case 0x6831: case 0x6839: case 0x6840: case 0x6A01: case 0x6A02: case 0x6A04:
            noSettings = true;
            break;
        default:
            break;
        }
        if (noSettings) w.btnDeviceSettings->setEnabled(false);
        if (m == 6 && restore_->restorePossible() && restore_->tabCount() >= 2)
            applyTabHeader(restore_->tabCount(), restore_->tabIndexSelected());
        break;
    }
    case 7: case 8: case 9:
        if (tabCount() >= 2) applyTabHeader(tabCount(), tabIndexSelected());
        break;
    default:  // 0, 2, 3 and any other: only the selection stays
        w.btnDeviceRecognition->setEnabled(false);
        w.btnFirmwareUpdate->setEnabled(false);
        w.btnFirmwareRestore->setEnabled(false);
        w.btnDeviceSettings->setEnabled(false);
        break;
    }
    setShortcuts();
}

std::string ORVABluetoothManagerAppController::versionText(int32_t type, int32_t major, int32_t minor,
                                                           int32_t secondary) {
    if (type == 2) return secondary != 0 ? format("v%d.%d.%d", major, minor, secondary) : format("v%d.%d", major, minor);
    if (type == 1)
        return secondary != 0 ? format("v%d.%drc%d", major, minor, secondary) : format("v%d.%drc", major, minor);
    return format("v%d.%d", major, minor);
}

OptString ORVABluetoothManagerAppController::getImageFileName() const { return device::getImageFileName(data_); }

std::optional<std::string> ORVABluetoothManagerAppController::productDisplayName(int32_t productId) const {
    return qelm_product_name(productId);
}

void ORVABluetoothManagerAppController::setInformationDeviceRecognized() {
    if (!window_) return;
    MainWindow& w = *window_;
    const int32_t l = languageManager();
    const int32_t target = deviceTarget();
    auto showImage = [&](const QString& resource) { showDrawnImage(w.imgProduct, resource); };
    const device::ORVABluetoothDeviceData& d = data_;

    if (!recognized()) {
        showImage(imageResourceFor("velmar.icns"));
        w.lblProduct->setText(text(TextId::panel_no_device, l));
        w.lblVersion->setText(text(TextId::panel_recognized, l));
        return;
    }
    if (usbStatus() >= kFirmwareManagementUsb && !isRestartDFU()) {
        showImage(lockImageResource());
        w.lblProduct->setText(text(TextId::panel_firmware, l));
        w.lblVersion->setText(text(TextId::panel_management, l));
        return;
    }
    std::string name = d.deviceName().value_or("");
    if (name.find('.') != std::string::npos)
        if (auto blank = name.rfind(' '); blank != std::string::npos) name = name.substr(0, blank);
    if (target == 0x4112) name = "Tovrel! Audio HOLLIN2.0";
    showImage(imageResourceFor(getImageFileName().value_or("")));

    if (usbStatus() >= kFirmwareManagementUsb) {  // resuming an interrupted firmware operation
        if (target == 0x3020) {
            w.lblProduct->setText("Orva Nelvar");
            w.lblVersion->setText(qs(format("v%d.%d.%d.%d", deviceSecondaryVersionTypeRestartDFU(),
                                            deviceSecondaryVersionRestartDFU(), deviceVersionMajorRestartDFU(),
                                            deviceVersionMinorRestartDFU())));
        } else {
            w.setProductName(qs(name));
            w.lblVersion->setText(QString());
        }
        return;
    }
    std::string version;
    if (target == 0x5345) {
        version = format("v%d.%d.%d", d.deviceVersionMajor(), d.deviceVersionMinor(), d.deviceSecondaryVersion());
    } else if (target == 0x3020) {
        version = format("v%d.%d.%d.%d", d.deviceSecondaryVersionType(), d.deviceSecondaryVersion(),
                         d.deviceVersionMajor(), d.deviceVersionMinor());
    } else if (isTwoChipModel(target)) {
        version = versionText(d.deviceSecondaryVersionType01(), d.deviceVersionMajor01(), d.deviceVersionMinor01(),
                              d.deviceSecondaryVersion01());
        std::string second = versionText(d.deviceSecondaryVersionType02(), d.deviceVersionMajor02(),
                                         d.deviceVersionMinor02(), d.deviceSecondaryVersion02());
        if (second != version) version += " / " + second;
    } else {
        version = versionText(d.deviceSecondaryVersionType(), d.deviceVersionMajor(), d.deviceVersionMinor(),
                              d.deviceSecondaryVersion());
    }
    w.setProductName(qs(name));
    w.lblVersion->setText(qs(version));
}

void ORVABluetoothManagerAppController::setMainButtonTitleColor() {
    if (!window_) return;
    for (QWidget* b : {window_->btnDeviceSelection, window_->btnDeviceRecognition, window_->btnFirmwareUpdate,
                       window_->btnFirmwareRestore, window_->btnDeviceSettings})
        b->update();
}

void ORVABluetoothManagerAppController::reflectShortcuts() {
    enableListTabsTo(listTabsOpened());
    if (window_) window_->menuItemKeyboradShortcuts->setText(qs(stringMenuItemKeyboradShortcuts()));
    setShortcuts();
    if (auto* page = currentDetailViewController()) page->setShortcuts();
}

void ORVABluetoothManagerAppController::setShortcuts() {
    if (!window_) return;
    MainWindow& w = *window_;
    const std::array<ORVABluetoothMainButton*, 5> sides = {w.btnDeviceSelection, w.btnDeviceRecognition,
                                                           w.btnFirmwareUpdate, w.btnFirmwareRestore,
                                                           w.btnDeviceSettings};
    const bool shortcuts = showShortcuts();
    for (QLabel* label : {w.lblShortcutsKeys, w.lblShortcutsAbout, w.lblShortcutsLanguageManager, w.lblShortcutsClose})
        label->setVisible(shortcuts);
    if (shortcuts) {
        static constexpr std::array<const char*, 5> kKeys = {"[C]-S", "[C]-R", "[C]-U", "[C]-E", "[C]-T"};
        for (size_t i = 0; i < sides.size(); ++i) sides[i]->setText(kKeys[i]);
        w.lblDetailTitlePagesFirstForeground->setText("[C]-1");
        w.lblDetailTitlePagesSecondForeground->setText("[C]-2");
        setMainButtonTitleColor();
        return;
    }
    const int32_t l = languageManager();
    for (size_t i = 0; i < sides.size(); ++i)
        sides[i]->setText(qs(qelm_string_mode(static_cast<int32_t>(i) + 3, l)));
    setMainButtonTitleColor();
    const int32_t m = mode();
    const bool restorePage = m == 6;
    if (!restorePage && (m < 7 || m > 9)) return;
    const int32_t count = restorePage ? restore_->tabCount() : tabCount();
    auto tab = [&](int32_t i) { return restorePage ? restore_->tabAt(i) : tabAt(i); };
    auto tabText = [&](int32_t kind) {
        return qs(device::ORVABluetoothDeviceData::getTabText(kind, false, l).value_or(""));
    };
    if (count == 2) {
        w.lblDetailTitlePagesFirstForeground->setText(tabText(tab(0)));
        w.lblDetailTitlePagesSecondForeground->setText(tabText(tab(1)));
    } else if (count >= 3) {
        const int32_t selected = restorePage ? restore_->tabIndexSelected() : tabIndexSelected();
        w.lblDetailTitlePagesFirstForeground->setText(tabText(tab(selected)));
        w.lblDetailTitlePagesSecondForeground->setText(text(TextId::tabs_more, l));
    }
}

void ORVABluetoothManagerAppController::changeShortcuts(QObject*) {
    if (onProcessing()) return;
    showShortcuts_ = !showShortcuts();
    reflectShortcuts();
}

void ORVABluetoothManagerAppController::about(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    if (!window_) return;
    MainWindow& w = *window_;
    MainWindow::AboutSheet& about = w.about();
    const int32_t l = languageManager();
    showDrawnImage(about.imgAboutImg, imageResourceFor("velmar.icns"));
    about.btnAboutOK->setText(qs(qelm_string_ok_in(l)));
    about.tfAbout->setText(qs(qelm_title({}, l) + " " + qelm_string_version_in(l) + " " + format("%d.%d", 1, 0)) +
                           '\n' + text(TextId::about_copyright, l));
    about.sheetAbout->setFixedSize(540, 150);
    about.tfAbout->setGeometry(105, 150 - 57 - 51, 430, 51);
    about.tfAbout->setAlignment(Qt::AlignCenter);
    about.btnAboutOK->setGeometry(540 - 120, 150 - 40, 100, 30);
    about.sheetAbout->open();
}

void ORVABluetoothManagerAppController::aboutOK(QObject*) {
    if (window_) window_->about().sheetAbout->hide();
}

std::string ORVABluetoothManagerAppController::serverURL(const std::string& path) {
    return (is_china_server() ? platform::mirrorServerBase() : platform::mainServerBase()) + path;
}

void ORVABluetoothManagerAppController::showOnlineHelp(QObject*) {
    platform::openURL(serverURL("OrvaBluetoothDeviceManagerHelp/Contents/Resources/English/overview.html"));
}

void ORVABluetoothManagerAppController::stopManager(QObject*) {
    if (onProcessing()) return;
    closeOpenListTabs();
    // Closed now, not on a later turn of the queue: the loop stops before that turn comes.
    closeMessageBoxForQuit();
    if (window_) window_->hideSheets();
    if (terminate_)
        terminate_();
    else
        // exit, not quit: quit asks each window to close, and the window leaves that to us.
        QCoreApplication::exit(0);
}

bool ORVABluetoothManagerAppController::is_china_server() {
    static constexpr std::array<const char*, 5> kZones = {"Asia/Shanghai", "Asia/Harbin", "Asia/Chongqing",
                                                          "Asia/Kashgar", "Asia/Urumqi"};
    const std::string zone = platform::localTimeZoneName();
    for (const char* z : kZones) {
        if (zone == z) {
            platform::logf("PRODUCT TRUE %s", zone.c_str());
            return true;
        }
    }
    platform::logf("PRODUCT NON %s", zone.c_str());
    return false;
}

OptString ORVABluetoothManagerAppController::getCameraDiskPath() const {
    const char* marker = nullptr;
    for (const auto& m : kCameraMarkers)
        if (m.productId == deviceTarget()) marker = m.file;
    if (!marker) return std::nullopt;
    for (const platform::Volume& v : platform::mountedVolumes()) {
        if (!v.removable || !v.writable || !v.unmountable) continue;
        std::error_code ec;
        if (std::filesystem::exists(v.path + "/" + marker, ec)) return v.path + "/";
    }
    return std::nullopt;
}

}  // namespace app
