// The application controller: the shared state of the program, its eight pages and the device
// record, the configuration file, page switching with the leave guards, the main window's status
// line, side panel, tabs and shortcuts, and the one message box.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "app/AppTexts.h"
#include "app/ManagerUpdateViewController.h"
#include "app/PageProtocols.h"
#include "device/ORVABluetoothDeviceData.h"
#include "device/ProductCatalogue.h"
#include "platform/KeyedArchive.h"

namespace app {

class MainWindow;

using platform::OptString;

// The configuration file's fields, as they were read.
struct StoredConfiguration;

class ORVABluetoothManagerAppController : public AppTexts {
public:
    static constexpr const char* kClassName = "ORVABluetoothManagerAppController";
    static constexpr const char* kConfigurationFileName = "VELMARHelmetsDeviceManager.qelmconf";
    static constexpr const char* kTempFileName = "tempfile.orva";
    static constexpr int kLanguages = 13;
    static constexpr int32_t kFirmwareManagementUsb = 0x8000;

    // init: the USB library, the eight pages in mode order, the device record, the system's
    // version, and the removal of a temporary download left over.
    explicit ORVABluetoothManagerAppController(PageFactory& pages);
    ~ORVABluetoothManagerAppController() override;

    // ---- start-up and configuration -----------------------------------------------------------
    // Connects the window's outlets and actions (the nib's part).
    void setWindow(MainWindow* window);
    MainWindow* window() const { return window_; }
    void awakeFromNib() { initializeObject(); }
    void initializeObject();
    void encodeWithCoder(platform::KeyedArchiver& coder) const;
    platform::Bytes archivedConfiguration() const;
    static std::string configurationFilePath();
    bool isRestartDFU() const;
    int32_t compareOsVersionWithVersionPrimary(int32_t primary, int32_t VersionSecondary) const;
    void deleteTampFile();
    // Splits a system version text ("Version 12.3 (Build 21E230)") into its numbers; 10.9.0
    // when no token is a version.
    static std::array<int32_t, 3> parseOsVersion(const std::string& versionText);

    // ---- pages ------------------------------------------------------------------------------------
    // Each page comes with its view built: a page's view is built the first time it is asked for.
    ManagerUpdateViewController* managerUpdateViewController() const { return loaded(managerUpdate_); }
    DeviceSelectionPage* deviceSelectionViewController() const { return loaded(selection_); }
    DeviceRecognitionPage* deviceRecognitionViewController() const { return loaded(recognition_); }
    FirmwarePage* updateViewController() const { return loaded(update_); }
    FirmwarePage* restoreViewController() const { return loaded(restore_); }
    DeviceSettingsPage* deviceSettingsViewController() const { return loaded(settings_); }
    SettingsPage* deviceSettingsSecondViewController() const { return loaded(settingsSecond_); }
    SettingsPage* deviceSettingsSpeedDialViewController() const { return loaded(settingsSpeedDial_); }
    // The page of mode m is element m - 2.
    DetailViewController* pageOfMode(int32_t mode) const;
    DetailViewController* currentDetailViewController() const { return pageOfMode(mode()); }
    // Shutdown: stops the pages' threads and waits for them at most bound; true when none is
    // left running.
    bool stopPageThreads(std::chrono::milliseconds bound);
    // The page whose view the content box shows.
    DetailViewController* visibleDetailViewController() const { return visiblePage_; }

    // ---- page switching -------------------------------------------------------------------------
    void setManagerUpdate();
    void setDeviceSelection() { setDeviceSelectionOnStartUp(false, true); }
    void setDeviceSelectionOnStartUp(bool startUp) { setDeviceSelectionOnStartUp(startUp, false); }
    void setDeviceRecognitionWithStatus(bool status, const device::ORVABluetoothDeviceData* info, int32_t from);
    void setFirmwareUpdateWithStatus(bool status);
    void setFirmwareRestoreWithStatus(bool status);
    void setDeviceSettingsWithStatus(bool status);
    void setDeviceSettingsSecondWithStatus(bool status);
    void setDeviceSettingsSpeedDialWithStatus(bool status);
    void setDetailViewController(int32_t mode);
    void switchDetailViewWithViewController(DetailViewController* page);
    void setDetailTitle();
    bool isDeviceTargetSameAs(int32_t productId) const;

    // Actions (ignored while onProcessing).
    void goNext(QObject* sender = nullptr);
    void goBack(QObject* sender = nullptr);
    void deviceSelection(QObject* sender = nullptr);
    void deviceRecognition(QObject* sender = nullptr);
    void firmwareUpdate(QObject* sender = nullptr);
    void firmwareRestore(QObject* sender = nullptr);
    void deviceSettings(QObject* sender = nullptr);
    void moveToFirstPage(QObject* sender = nullptr);
    void moveToSecondPage(QObject* sender = nullptr);
    void changeSelectionListTabs(QObject* sender);

    // ---- settings tabs ------------------------------------------------------------------------
    void initTabData();
    int32_t tabCount() const { return tabCount_; }
    void setTabCount(int32_t count) { tabCount_ = count; }
    int32_t tabAt(int32_t index) const;
    void setTab(int32_t kind, int32_t At);
    int32_t tabIndexSelected() const { return tabIndexSelected_; }
    void setTabIndexSelected(int32_t index) { tabIndexSelected_ = index; }
    int32_t GetTabIndexWith(int32_t mode) const;
    bool listTabsOpened() const { return listTabsOpened_; }
    void setListTabsOpened(bool opened) { listTabsOpened_ = opened; }
    void enableListTabsTo(bool enable);
    static void SetTabDataDefaultInTabCount(int32_t* tabCount, int32_t* tabs, int32_t* tabIndexSelected);
    static void SetTabDataInTabCount(int32_t* tabCount, int32_t* tabs, int32_t* tabIndexSelected, int32_t toDevice,
                                     int32_t withVerMajor, int32_t Minor, int32_t fmRadioShowAndHide);

    // ---- main window ----------------------------------------------------------------------------
    void setStrStatus(const std::string& status, int32_t In);
    std::string getStrStatus() const;
    std::string getStatusDefault();
    std::string getStatusProcessing();
    std::string getStatusSuccess();
    std::string getStatusFailure();
    void setStatus(const std::string& status, bool withWarning);
    void setStatusWithDefault();
    void updateStatusInManagerLanguage();
    void showStatus(QObject* sender = nullptr);
    void setTitle();
    void setControlsFont();
    void setControls();
    void setInformationDeviceRecognized();
    void setMainButtonTitleColor();
    void reflectShortcuts();
    void setShortcuts();
    void changeShortcuts(QObject* sender = nullptr);
    void about(QObject* sender = nullptr);
    void aboutOK(QObject* sender = nullptr);
    void showOnlineHelp(QObject* sender = nullptr);
    void stopManager(QObject* sender = nullptr);
    static bool is_china_server();
    // The address below the firmware server's base chosen by the time zone.
    static std::string serverURL(const std::string& path);
    OptString getCameraDiskPath() const;
    // The side panel's texts: product name, version.
    static std::string versionText(int32_t type, int32_t major, int32_t minor, int32_t secondary);
    // What stopManager does once it decides to quit; the program quits its event loop.
    void setTerminateHandler(std::function<void()> handler) { terminate_ = std::move(handler); }

    // ---- interface-language sheet --------------------------------------------------------------
    // The sheet's rows are ordered differently from the language indexes.
    static int32_t languageManagerFromButtonCellIndex(int32_t row);
    static int32_t buttonCellIndexFromLanguageManager(int32_t language);
    // Relabels the sheet in the language of its selected row (a preview until OK).
    void setControlsLanguageManager();
    void openLanguageManager(QObject* sender = nullptr);
    void changeLanguageManager(QObject* sender);
    void languageManagerOK(QObject* sender = nullptr);
    void languageManagerCancel(QObject* sender = nullptr);

    // ---- diagnostic log ------------------------------------------------------------------------
    // Asks where to save the log in a save panel, then writes it there.
    void logStatus(QObject* sender = nullptr);

    // ---- message box ---------------------------------------------------------------------------
    void openMessageBoxWithMessage(const std::string& message, bool warning, const OptString& buttonCancel,
                                   const OptString& buttonOK, int32_t withSize, int32_t forWhat);
    int32_t closeMessageBox(QObject* sender = nullptr);
    // The quit's close of the box: forgets it and the boxes that wait their turn (the window hides
    // its sheets).
    void closeMessageBoxForQuit();
    void messageBoxOK(QObject* sender = nullptr);
    void messageBoxCancel(QObject* sender = nullptr);
    // Escape on the box: Cancel where it has one; else OK where OK only closes it (an information).
    void messageBoxEscape();
    int32_t messageBoxStatus() const { return messageBoxStatus_; }
    struct BoxSize {
        int width, height, firstHeight;
    };
    static BoxSize messageBoxSize(int32_t withSize);

    // ---- state ---------------------------------------------------------------------------------
#define ORVA_ATOMIC_PROPERTY(type, name, Name) \
    type name() const { return name##_; }      \
    void set##Name(type value) { name##_ = value; }
    ORVA_ATOMIC_PROPERTY(int32_t, mode, Mode)
    ORVA_ATOMIC_PROPERTY(bool, recognized, Recognized)
    int32_t deviceTarget() const override { return deviceTarget_; }
    void setDeviceTarget(int32_t value) { deviceTarget_ = value; }
    ORVA_ATOMIC_PROPERTY(int32_t, usbStatus, UsbStatus)
    ORVA_ATOMIC_PROPERTY(bool, onProcessing, OnProcessing)
    ORVA_ATOMIC_PROPERTY(int32_t, deviceUpdatedOrRestored, DeviceUpdatedOrRestored)
    ORVA_ATOMIC_PROPERTY(bool, skipRestoreBackupFile, SkipRestoreBackupFile)
    bool showShortcuts() const override { return showShortcuts_; }
    void setShowShortcuts(bool value) { showShortcuts_ = value; }
    ORVA_ATOMIC_PROPERTY(bool, statusWithWarning, StatusWithWarning)
    ORVA_ATOMIC_PROPERTY(bool, applyToLanguageFirmware, ApplyToLanguageFirmware)
    ORVA_ATOMIC_PROPERTY(bool, restartToRecover, RestartToRecover)
    ORVA_ATOMIC_PROPERTY(int32_t, modeRestartToRecover, ModeRestartToRecover)
    ORVA_ATOMIC_PROPERTY(int32_t, indexRestartDFUFirmwareLanguage, IndexRestartDFUFirmwareLanguage)
    ORVA_ATOMIC_PROPERTY(int32_t, deviceVersionMajorRestartDFU, DeviceVersionMajorRestartDFU)
    ORVA_ATOMIC_PROPERTY(int32_t, deviceVersionMinorRestartDFU, DeviceVersionMinorRestartDFU)
    ORVA_ATOMIC_PROPERTY(int32_t, deviceSecondaryVersionTypeRestartDFU, DeviceSecondaryVersionTypeRestartDFU)
    ORVA_ATOMIC_PROPERTY(int32_t, deviceSecondaryVersionRestartDFU, DeviceSecondaryVersionRestartDFU)
    ORVA_ATOMIC_PROPERTY(int32_t, managerLatestVersionMajor, ManagerLatestVersionMajor)
    ORVA_ATOMIC_PROPERTY(int32_t, managerLatestVersionMinor, ManagerLatestVersionMinor)
    ORVA_ATOMIC_PROPERTY(int32_t, managerLatestVersionSecondary, ManagerLatestVersionSecondary)
    ORVA_ATOMIC_PROPERTY(int32_t, fmRadioShowAndHide, FmRadioShowAndHide)
    ORVA_ATOMIC_PROPERTY(int32_t, motionSensorShowAndHide, MotionSensorShowAndHide)
    ORVA_ATOMIC_PROPERTY(int32_t, deviceInfoStatus, DeviceInfoStatus)
    ORVA_ATOMIC_PROPERTY(int32_t, device50SpeakerType, Device50SpeakerType)
#undef ORVA_ATOMIC_PROPERTY
    int32_t osVersionPrimary() const { return osVersion_[0]; }
    int32_t osVersionSecondary() const { return osVersion_[1]; }
    int32_t osVersionMinor() const { return osVersion_[2]; }
    // The version read at start-up stands for every check; tests set another one.
    void setOsVersion(int32_t primary, int32_t secondary, int32_t minor = 0) { osVersion_ = {primary, secondary, minor}; }

    // Strings: main thread only.
#define ORVA_STRING_PROPERTY(name, Name)                 \
    const OptString& name() const { return name##_; }    \
    void set##Name(const OptString& value) { name##_ = value; }
    ORVA_STRING_PROPERTY(strManagerVersion, StrManagerVersion)
    ORVA_STRING_PROPERTY(strLanguageManager, StrLanguageManager)
    ORVA_STRING_PROPERTY(strLanguageFirmware, StrLanguageFirmware)
    ORVA_STRING_PROPERTY(strRestartDFUFirmwareFile, StrRestartDFUFirmwareFile)
    ORVA_STRING_PROPERTY(urlManagerUpdate, UrlManagerUpdate)
#undef ORVA_STRING_PROPERTY

    device::ORVABluetoothDeviceData& data() { return data_; }
    const device::ORVABluetoothDeviceData& data() const { return data_; }
    OptString getImageFileName() const;
    // The catalogue's names of a model code (display, or internal for file names).
    static OptString qelm_product_name(int32_t productId, bool for_internal = false) {
        return device::qelm_product_name(productId, for_internal);
    }
    std::optional<std::string> productDisplayName(int32_t productId) const override;

private:
    void setDeviceSelectionOnStartUp(bool startUp, bool checkACTFirst);
    void connectLanguageManagerAndLog();
    void writeDiagnosticLogTo(const std::string& path);
    // The leave guard of the current page for target mode T; true = the switch goes on.
    enum class Guard { None, CheckACTOnly, SaveQuestion, CheckACTThenSaveQuestion };
    bool passLeaveGuard(int32_t target, Guard fromDeviceSettings, bool guardFromFM, bool guardFromSpeedDial);
    bool askSaveQuestion(SettingsPage* page, int32_t target);
    void enterFirmwareOrSettingsPage(int32_t target, bool status);
    bool settingsDisabledForModel() const;
    bool closeOpenListTabs();
    void applyTabHeader(int32_t count, int32_t selected);
    void readConfiguration();
    void showManagerImage();
    void showMessageBoxNow(const std::string& message, bool warning, const OptString& buttonCancel,
                           const OptString& buttonOK, int32_t withSize, int32_t forWhat);
    void showNextQueuedMessageBox();
    void answerMessageBox(bool ok, int32_t forWhat);

    template <class Page>
    static Page* loaded(const std::unique_ptr<Page>& page) {
        if (page) page->view();
        return page.get();
    }
    // The pages in mode order, whether or not their views are built.
    std::array<DetailViewController*, 8> allPages() const;

    MainWindow* window_ = nullptr;
    std::unique_ptr<ManagerUpdateViewController> managerUpdate_;
    std::unique_ptr<DeviceSelectionPage> selection_;
    std::unique_ptr<DeviceRecognitionPage> recognition_;
    std::unique_ptr<FirmwarePage> update_;
    std::unique_ptr<FirmwarePage> restore_;
    std::unique_ptr<DeviceSettingsPage> settings_;
    std::unique_ptr<SettingsPage> settingsSecond_;
    std::unique_ptr<SettingsPage> settingsSpeedDial_;
    DetailViewController* visiblePage_ = nullptr;
    device::ORVABluetoothDeviceData data_;

    std::atomic<int32_t> mode_{0};
    std::atomic<bool> recognized_{false};
    std::atomic<int32_t> deviceTarget_{0};
    std::atomic<int32_t> usbStatus_{0};
    std::atomic<bool> onProcessing_{false};
    std::atomic<int32_t> deviceUpdatedOrRestored_{0};
    std::atomic<bool> skipRestoreBackupFile_{false};
    std::atomic<bool> showShortcuts_{false};
    std::atomic<bool> statusWithWarning_{false};
    std::atomic<bool> applyToLanguageFirmware_{true};
    std::atomic<bool> restartToRecover_{false};
    std::atomic<int32_t> modeRestartToRecover_{0};
    std::atomic<int32_t> indexRestartDFUFirmwareLanguage_{0};
    std::atomic<int32_t> deviceVersionMajorRestartDFU_{0};
    std::atomic<int32_t> deviceVersionMinorRestartDFU_{0};
    std::atomic<int32_t> deviceSecondaryVersionTypeRestartDFU_{0};
    std::atomic<int32_t> deviceSecondaryVersionRestartDFU_{0};
    std::atomic<int32_t> managerLatestVersionMajor_{0};
    std::atomic<int32_t> managerLatestVersionMinor_{0};
    std::atomic<int32_t> managerLatestVersionSecondary_{0};
    std::atomic<int32_t> fmRadioShowAndHide_{0};
    std::atomic<int32_t> motionSensorShowAndHide_{0};
    std::atomic<int32_t> deviceInfoStatus_{0};
    std::atomic<int32_t> device50SpeakerType_{0};
    std::array<int32_t, 3> osVersion_{10, 9, 0};

    std::atomic<int32_t> tabCount_{0};
    std::array<std::atomic<int32_t>, 3> tabs_{};
    std::atomic<int32_t> tabIndexSelected_{0};
    std::atomic<bool> listTabsOpened_{false};

    OptString strManagerVersion_, strLanguageManager_, strLanguageFirmware_, strRestartDFUFirmwareFile_,
        urlManagerUpdate_;

    mutable std::mutex statusMutex_;
    std::array<OptString, kLanguages> strStatus_{};

    // Message box: the purpose of the open box, and the boxes waiting for a question to close.
    struct BoxRequest {
        std::string message;
        bool warning;
        OptString buttonCancel, buttonOK;
        int32_t withSize, forWhat;
    };
    std::mutex messageBoxMutex_;
    std::atomic<int32_t> messageBoxStatus_{0};
    std::deque<BoxRequest> queuedBoxes_;
    // Each opening is numbered when it is asked for; a close covers every opening asked for before
    // it, so a box closed by code before its sheet has begun never begins.
    std::atomic<uint64_t> boxOpenings_{0};
    std::atomic<uint64_t> boxesClosedThrough_{0};

    std::function<void()> terminate_;
};

}  // namespace app
