// Mode 7, the device settings page: the edit buffer of the headset's settings, the fixed form's
// controls (built in code), the change actions that write the edit buffer, Default and Cancel, the
// unsaved-change test behind the leave guard, the keyboard shortcuts, and the seams of the
// all-settings list and its sheet.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "settings/DeviceSettingsTexts.h"
#include "settings/save/SaveIdentity.h"
#include "settings/ListInputs.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsPageBase.h"

class QShortcut;

namespace settings {

class DeviceSettingsViewController : public SettingsPageBase<app::DeviceSettingsPage>, public DeviceSettingsTexts {
public:
    DeviceSettingsViewController();
    ~DeviceSettingsViewController() override;

    // ---- page protocol ----------------------------------------------------------------------
    void initializeObject() override;
    void setControls() override;
    void setShortcuts() override;
    // The fixed form's positions and values for the model's group and the headset's firmware band.
    void setControlsWithData();
    bool checkNeedToSave() override;
    void moveToSettingToSetting() override;
    QWidget* sheetDeviceAllSettings() override { return loaded(sheetDeviceAllSettings_); }
    void callTableviewReloadDataForOutsideClass() override;
    bool checkACT() override;

    // YES when the edit buffer differs from the controller's record in what the model saves.
    bool isSettingsChanged() const;
    // Every row and column of the all-settings table again, its row count first.
    void reloadAllSettingsRows();
    // Sets every row of the fixed form (rows 1-16 and the EDR note) at once.
    void enableOldControlsEnable(bool enable, bool hidden);

    // ---- save (DeviceSettingsSaveCommand.cpp) -------------------------------------------------
    void save(QObject* sender) override;
    // The save past its guards: processing status, busy flag, the worker and its one-second
    // timer. The all-settings sheet's Save calls it after its own guard.
    void startSave();
    void timerMethodSave();
    // The HID open of the save; the program's opens the headsets usbhid_open_headset knows.
    void setHidOpener(save::HidOpener open) { hidOpener_ = std::move(open); }
    // Shutdown: a running save is asked to end, then waited for until the deadline.

    // ---- all-settings list: data source over the list engine (DeviceSettingsAllSettings.cpp) ----
    // The engine's inputs, read afresh from the controller and the edit buffer.
    ListInputs listInputs() const;
    int numberOfRowsInTableView(QTableWidget* tableView) const;
    // A new cell for the row, every control set; nullptr for a row without one.
    QWidget* tableView(QTableWidget* tableView, int tableColumn, int row);

    // ---- all-settings rows' changes (DeviceSettingsRowChanges.cpp) -----------------------------
    using ChangeMember = void (DeviceSettingsViewController::*)(QObject*);
    // The actions of every cell's pop-up and on/off pair.
    void allSettingsChangePopUp(QObject* sender);
    void allSettingsChangeOnOff(QObject* sender);
    // The row of the cell that holds the control; -1 when that cell is no longer in the table.
    int rowForView(QObject* control) const;
    // The change action that a shown row sends; none for a row that sends nothing.
    ChangeMember allSettingsChangeFor(int row) const;

    // ---- row information (DeviceSettingsRowInformation.cpp) ------------------------------------
    // The information button of a list cell: the row's text in the message box, nothing changed.
    void allSettingsInformation(QObject* sender);
    // Ctrl+I in the sheet: the information button of the table's current row, which the arrow
    // keys choose.
    void allSettingsInformationOfCurrentRow();

    // ---- all-settings sheet -------------------------------------------------------------------
    void moveToAllSettins(QObject* sender);
    void saveToAllSettins(QObject* sender);
    void changeToDefaultAllSettins(QObject* sender);
    void ChangeToOtiginalAllSettins(QObject* sender);
    void closeAllSettins(QObject* sender);

    // ---- actions ----------------------------------------------------------------------------
    void displayNoteApply(QObject* sender);
    void changeToDefault(QObject* sender);
    void changeToOriginal(QObject* sender);
    void displayInformationRadioTransmitGain(QObject* sender);
    void changeRTG(QObject* sender);
    void changeACT(QObject* sender);

#define ORVA_CHANGE_ACTIONS(X)                                                                          \
    X(IVOX) X(VoiceAssistant) X(HVOX) X(EDR) X(PLC) X(BitpoolRate) X(MicrophoneBoost) X(Sidetone)        \
    X(AdvancedNoiseControl) X(AutoStartRecording) X(LEDControl) X(AutoGainControl) X(AutoOnOff)          \
    X(AudioBoost) X(HDSpeakerAccessory) X(MotionSensorSensitivity) X(AudioMultitasking)                  \
    X(AudioMultitaskingSensitivity) X(RemoteUIPTT) X(MeshPublicChannel) X(UnitLanguage)                  \
    X(AudioEqualizer) X(SpeakerSelect) X(MicSelect) X(NavigationAppOverlay) X(VoicePrompt)               \
    X(AdaptiveLight) X(HDIntercom) X(EightWayIntercom) X(FMStationGuide) X(HDVoice)                      \
    X(AudioSourcePriority) X(BackgroundVolume) X(AudioOverlay) X(AutoOff) X(SimpleUI)                    \
    X(SmartNaviSystem2) X(SmartNaviSystem) X(SmartVolumeControl) X(Channel) X(Volume) X(Microphone)      \
    X(VOXSensitivity) X(MeshMode) X(MeshGuestMode) X(AGCSensitivity) X(UILayer)                          \
    X(CelvarHDSPeakerAccessory) X(MeshReachOut) X(AudioOverlayVolumeManagement) X(VoiceCommand)          \
    X(PhotoMode) X(VideoMode) X(VideoResolution) X(TimelapseInterval) X(DateCaption)                     \
    X(SpeakerSoundRecording) X(SpeakerSoundRecordingMusic) X(SpeakerSoundRecordingFMRadio)               \
    X(SpeakerSoundRecordingIntercom) X(SpeakerSoundRecordingPhone) X(AutoCameraSleep)                    \
    X(VideoTaggingInterval) X(LoopRecordingInterval) X(VideoMicrophoneGain) X(ESSStatus)                 \
    X(ESSSensitivity) X(MicGain)

    enum class ChangeAction {
#define ORVA_ENUM(Name) Name,
        ORVA_CHANGE_ACTIONS(ORVA_ENUM)
#undef ORVA_ENUM
    };
#define ORVA_DECLARE(Name) \
    void change##Name(QObject* sender) { change(ChangeAction::Name, sender); }
    ORVA_CHANGE_ACTIONS(ORVA_DECLARE)
#undef ORVA_DECLARE
    // That model's phone and FM radio are always on: these do nothing at all.
    void changeFMRadioOnOkemba(QObject*) {}
    void changePhoneOnOkemba(QObject*) {}
    // The one routine behind every change action: guard, setter by model, value from the sender.
    void change(ChangeAction action, QObject* sender);

    // Texts read in the controller's current language.
    int32_t textLanguage() const override;
    int32_t textFirmwareUpToMinor(int32_t major, int32_t minor) const override;

    // ---- outlets (the layout's part, built in code) ------------------------------------------
    QLabel* lblIntercomVOX;
    RadioMatrix* radioIntercomVOX;
    QRadioButton *enableIntercomVOX, *disableIntercomVOX;
    QLabel* lblHandsfreeVOX;
    RadioMatrix* radioHandsfreeVOX;
    QRadioButton *enableHandsfreeVOX, *disableHandsfreeVOX;
#define ORVA_ONOFF_ROW(Name) \
    QLabel* lbl##Name;       \
    QPushButton* btn##Name;  \
    RadioMatrix* radio##Name; \
    QRadioButton *enable##Name, *disable##Name;
    ORVA_ONOFF_ROW(EDR)
    ORVA_ONOFF_ROW(PLC)
    ORVA_ONOFF_ROW(BitpoolRate)
    ORVA_ONOFF_ROW(MicrophoneBoost)
    ORVA_ONOFF_ROW(Sidetone)
    ORVA_ONOFF_ROW(AdvancedNoiseControl)
    ORVA_ONOFF_ROW(AutoGainControl)
    ORVA_ONOFF_ROW(AudioBoost)
    ORVA_ONOFF_ROW(AudioMultitasking)
    ORVA_ONOFF_ROW(NavigationAppOverlay)
#undef ORVA_ONOFF_ROW
    QLabel* lblMotionSensorSensitivity;
    QPushButton* btnMotionSensorSensitivity;
    PopUpButton* popUpMotionSensorSensitivity;
    QLabel* lblAudioMultitaskingSensitivity;
    QPushButton* btnAudioMultitaskingSensitivity;
    PopUpButton* popUpAudioMultitaskingSensitivity;
    QLabel* lblRTG;
    QPushButton* btnRTG;
    RadioMatrix* radioRTG;
    QRadioButton *lowRTG, *mediumRTG, *highRTG;
    QLabel* lblACT;
    QPushButton* btnACT;
    TextField* tfACT;
    Stepper* stepperACT;
    QLabel* lblACTUnit;
    QLabel* lblNoteEDR;
    QLabel* lblNoteApply;
    QPushButton* btnNoteApply;
    QPushButton* btnDefault;
    QPushButton* btnCancel;
    QPushButton* btnSave;
    QPushButton* btnAllSettings;
    QProgressBar* piProcessing;
    // The all-settings sheet (opened by the list's own actions).
    QTableWidget* tableViewDeviceAllSettingsBasic;
    QScrollArea* scrollViewDeviceAllSettingsBasic;
    QPushButton* btnDeviceAllSettingsBasicDefault;
    QPushButton* btnDeviceAllSettingsBasicCancel;
    QPushButton* btnDeviceAllSettingsBasicSave;
    QPushButton* btnDeviceAllSettingsBasicClose;

    // The page's key equivalents, for the tests that drive the page by keys.
    const std::vector<QShortcut*>& shortcuts() const {
        loadViewIfNeeded();
        return shortcuts_;
    }

    // One row of the fixed form: its labels (only shown or hidden) and its input outlets.
    struct FormRow {
        std::vector<QWidget*> labels;
        std::vector<QWidget*> inputs;
    };
    const std::vector<FormRow>& formRows() const {
        loadViewIfNeeded();
        return formRows_;
    }

protected:
    void loadView() override;

private:
    void endAllSettingsSheet();
    // The keys go back to the sheet (or its box) when this window takes them or closes.
    void keepSheetKeysAgainst(QWidget* window);
    QObject* sheetKeysKeeper();
    // The sheet's keyboard order after a reload; its first control (none without rows).
    QWidget* chainAllSettingsFocus();
    // Default and Cancel of the sheet: guard, edit buffer from the source, every row, the form.
    void replaceEditsInAllSettings(const device::ORVABluetoothDeviceData& source);
    // Every control at the position the page first shows it; each page opening starts from them.
    void layOutControls();
    void keepNoteClearOfItsButton();
    void bindKeyEquivalents();
    void bindRowInformationKey();
    void wireActions();
    // The system passes the list's test (every supported system does).
    bool passesSystemTest() const;

    QDialog* sheetDeviceAllSettings_ = nullptr;
    // Watches the window under the sheet, so that the keys stay with the sheet (or its box).
    QObject* sheetKeysKeeper_ = nullptr;
    QPointer<QWidget> sheetKeysHost_;
    save::HidOpener hidOpener_;
    std::vector<FormRow> formRows_;
    std::vector<QShortcut*> shortcuts_;
};

}  // namespace settings
