// Mode 8, the FM radio settings page: the radio region, ten presets (six on some models) with
// their check boxes, buttons and steppers, RDS AF on or off, the preset sheet that reads a typed
// frequency, Default and Cancel, the leave guard, the key equivalents, and the save of the FM
// image to the headset with its one-second timer.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "settings/SettingsControls.h"
#include "settings/SettingsPageBase.h"
#include "settings/save/SaveIdentity.h"

namespace settings {

class DeviceSettingsSecondViewController : public SettingsPageBase<app::SettingsPage> {
public:
    static constexpr int kPresetRows = 10;

    DeviceSettingsSecondViewController();
    ~DeviceSettingsSecondViewController() override;

    // ---- page protocol ----------------------------------------------------------------------
    void initializeObject() override;
    void setControls() override;
    void setShortcuts() override;
    void setControlsWithData();
    bool isSettingsChanged() const;
    bool checkNeedToSave() override;

    // ---- actions ------------------------------------------------------------------------------
    void changeFMRadioRegion(QObject* sender);
    void checkFMRadioPreset(QObject* sender);
    void changeFMRadioPreset(QObject* sender);
    void openFMRadioPresetEdit(QObject* sender);
    void okFMRadioPresetEdit(QObject* sender);
    void cancelFMRadioPresetEdit(QObject* sender);
    void warnFMRadioPresetEdit(QObject* sender);
    void changeFMRadioRDS(QObject* sender);
    void displayInformation(QObject* sender);
    void changeToDefault(QObject* sender);
    void changeToOriginal(QObject* sender);
    // The region pop-up is about to show its list: an open tab list closes first.
    void menuWillOpen(QObject* menu);
    // Checks the typed frequency and stores it when the region takes it; the sheet otherwise
    // turns to its warning.
    bool isFMRadioPresetValid();

    // ---- save (FmRadioSaveCommand.cpp) ----------------------------------------------------------
    void save(QObject* sender) override;
    void timerMethodSave();
    void setHidOpener(save::HidOpener open) { hidOpener_ = std::move(open); }

    // ---- texts --------------------------------------------------------------------------------
    std::string stringShortCutFMRadioPreset() const;
    std::string stringInformationRDS() const;
    std::string stringMessageFMRadioPreset() const;
    // A frequency in 10 kHz units as the page writes it in MHz: one decimal ("87.5").
    static std::string megahertz(int32_t tenKilohertz);
    // The typed text in 10 kHz units, rounded to 0.1 MHz halves up; -1 for a text that is no
    // frequency at all (not a number, not finite, outside 0 to 1000 MHz).
    static int32_t typedFrequency(const std::string& text);

    // The presets that the chosen model keeps: six or ten.
    int presetCount() const;
    int32_t indexSelectedForFMRadioEdit() const { return indexSelectedForFMRadioEdit_; }
    // The sheet shows its warning in place of the edit controls.
    bool presetEditWarning() const { return !btnFMRAdioPresetEditWarning->isHidden(); }
    const std::vector<QShortcut*>& shortcuts() const {
        loadViewIfNeeded();
        return shortcuts_;
    }

    // ---- outlets (the layout's part, built in code) ------------------------------------------
    QPushButton* btnDefault;
    QPushButton* btnCancel;
    QPushButton* btnSave;
    QLabel* lblFMRadioRegion;
    PopUpButton* popUpFMRadioRegion;
    QLabel* lblFMRadioPresets;
    std::array<QCheckBox*, kPresetRows> cbFMRadioPresets{};
    std::array<QPushButton*, kPresetRows> btnFMRadioPresets{};
    std::array<Stepper*, kPresetRows> stepperFMRadioPresets{};
    std::array<QLabel*, kPresetRows> lblFMRadioPresetUnits{};
    QDialog* sheetFMRadioPresetEdit;
    QLabel* lblFMRadioPresetEditNumber;
    TextField* tfFMRadioPresetEdit;
    QLabel* lblFMRadioPresetEditUnit;
    QLabel* lblFMRadioPresetEditRange;
    QPushButton* btnFMRadioPresetEditOK;
    QPushButton* btnFMRadioPresetEditCancel;
    QPushButton* btnFMRAdioPresetEditWarning;
    QLabel* lblFMRadioRDS;
    QPushButton* btnFMRadioRDS;
    RadioMatrix* radioFMRadioRDS;
    QRadioButton* enableFMRadioRDS;
    QRadioButton* disableFMRadioRDS;

protected:
    void loadView() override;

private:
    void layOutControls();
    void layOutSheet();
    void wireActions();
    void bindKeyEquivalents();
    void refresh();
    // The sheet's two states: editing (the field and its buttons) or the range warning.
    void showPresetEditWarning(bool warning);
    bool isFmModel() const;
    int32_t language() const;

    int32_t indexSelectedForFMRadioEdit_ = -1;
    save::HidOpener hidOpener_;
    std::vector<QShortcut*> shortcuts_;
};

}  // namespace settings
