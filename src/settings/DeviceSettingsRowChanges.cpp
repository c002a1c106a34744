// The actions of the all-settings list's cells. A pick on a row's pop-up or a click on its on/off
// pair finds the row, takes the row kind by the list's own decision (so the row that is changed is
// the row that is shown), sends the change action that the row's English label names, then its
// follow-up: a coupling on the edit buffer, a full reload of the list, or nothing. Every path ends
// with setControls, also when nothing was sent.
#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <string_view>

#include "app/ORVABluetoothManagerAppController.h"
#include "settings/AllSettingsList.h"
#include "settings/DeviceSettingsTableCellView.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/ModelSets.h"

namespace settings {

namespace {

using Page = DeviceSettingsViewController;
using Member = Page::ChangeMember;
using device::ORVABluetoothDeviceData;

enum class FollowUp : uint8_t {
    None,
    Reload,
    // The overlay row of the YELVAR models: no reload on 0x5410 below 1.1.
    ReloadSaveEarlyOverlay,
    // The coupled models keep HD intercom and HD voice apart from intercom audio multitasking.
    HDIntercomCoupling,     // coupled: overlay off once HD intercom reads 1, then reload
    HDVoiceCoupling,        // coupled: overlay off once HD voice reads 1, then reload
    MultitaskingCoupling,   // coupled: HD intercom and HD voice off once overlay reads 1; reload
    SoundRecordingMaster,   // all four sources off: music, FM radio and intercom on; reload
    SoundRecordingSource,   // the last source off: the master off, reload
};

struct RowChange {
    std::string_view label;
    Member action;
    FollowUp followUp = FollowUp::None;
    // These models send the other action.
    const ModelIds* models = nullptr;
    Member modelsAction = nullptr;
};

// The models whose HD intercom and HD voice exclude intercom audio multitasking in the list.
const ModelIds& coupledModels() { return model_sets::lutra(); }

const std::vector<RowChange>& popUpChanges() {
    static const ModelIds agcModels = joinIds({{0x3110, 0x3112, 0x3114, 0x3116, 0x3132, 0x3134, 0x3140, 0x3146,
                                                0x3148, 0x3154, 0x3156, 0x3170},
                                               idRange(0x3210, 0x321A),
                                               {0x321C, 0x3232, 0x3233, 0x3240, 0x3260, 0x3264, 0x3310, 0x3320,
                                                0x3330, 0x3900}});
    static const ModelIds overlaySensitivityMicrophone = {0x3142};
    static const std::vector<RowChange> table = {
        {"Audio Equalizer", &Page::changeAudioEqualizer},
        {"Audio Source Priority", &Page::changeAudioSourcePriority},
        {"Background Volume", &Page::changeBackgroundVolume},
        {"Channel Select", &Page::changeMeshPublicChannel},
        {"Channel Setting", &Page::changeMeshPublicChannel},
        {"Channel", &Page::changeChannel},
        {"Volume", &Page::changeVolume},
        {"Microphone sensitivity", &Page::changeMicrophone, FollowUp::None, &overlaySensitivityMicrophone,
         &Page::changeAudioMultitaskingSensitivity},
        {"ESS Configuration", &Page::changeESSStatus},
        {"ESS Sensitivity", &Page::changeESSSensitivity},
        {"Headset Language", &Page::changeUnitLanguage},
        {"Unit Language", &Page::changeUnitLanguage},
        {"Language", &Page::changeUnitLanguage},
        {"Intercom-audio Overlay Sensi...", &Page::changeAudioMultitaskingSensitivity},
        {"Mesh Intercom Vox Sensitivity", &Page::changeAudioMultitaskingSensitivity},
        {"Motion Sensor Sensitivity", &Page::changeMotionSensorSensitivity},
        {"Smart Volume Control", &Page::changeSmartVolumeControl, FollowUp::None, &agcModels,
         &Page::changeAGCSensitivity},
        // Other rows follow the accessory (the equalizer's items): every row again.
        {"Speakers", &Page::changeSpeakerSelect, FollowUp::Reload},
        {"VOX Sensitivity", &Page::changeVOXSensitivity},
        {"Photo Mode", &Page::changePhotoMode},
        {"Video Mode", &Page::changeVideoMode},
        {"Video Resolution", &Page::changeVideoResolution},
        {"Timelapse Interval", &Page::changeTimelapseInterval},
        {"Video Tagging Interval", &Page::changeVideoTaggingInterval},
        {"Loop Recording Interval", &Page::changeLoopRecordingInterval},
        {"Video Microphone Gain", &Page::changeVideoMicrophoneGain},
    };
    return table;
}

const std::vector<RowChange>& onOffChanges() {
    static const ModelIds ferrikMultitasking = model_sets::ferrik();
    static const ModelIds ferrikNavigation = {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
    static const ModelIds celvarAccessory = {0x3310, 0x3330, 0x3340};
    static const ModelIds smartNavi2 = {0x6038, 0x6039};
    static const ModelIds airohaAutoOnOff = {0x6821, 0x6825};
    static const std::vector<RowChange> table = {
        {"VOX Phone", &Page::changeHVOX},
        {"VOX Intercom", &Page::changeIVOX},
        {"HD Intercom", &Page::changeHDIntercom, FollowUp::HDIntercomCoupling},
        {"HD Voice", &Page::changeHDVoice, FollowUp::HDVoiceCoupling},
        {"Bluetooth Intercom Audio Multitasking™", &Page::changeAudioOverlay, FollowUp::MultitaskingCoupling},
        {"Audio Multitasking™", &Page::changeAudioOverlay, FollowUp::Reload, &ferrikMultitasking,
         &Page::changeAudioMultitasking},
        {"Audio Multitasking", &Page::changeAudioOverlay, FollowUp::Reload},
        {"Audio Overlay™", &Page::changeAudioOverlay, FollowUp::ReloadSaveEarlyOverlay},
        {"Audio Overlay Volume Management", &Page::changeAudioOverlayVolumeManagement, FollowUp::None,
         &ferrikNavigation, &Page::changeNavigationAppOverlay},
        {"Navigation App Support", &Page::changeNavigationAppOverlay},
        {"Audio Boost", &Page::changeAudioBoost},
        {"Voice Prompt", &Page::changeVoicePrompt},
        {"FM Station Guide", &Page::changeFMStationGuide},
        {"Sidetone", &Page::changeSidetone},
        {"Advanced Noise Control™", &Page::changeAdvancedNoiseControl},
        {"High Quality A2DP", &Page::changeBitpoolRate},
        {"Voice Command", &Page::changeVoiceCommand},
        {"Eight-way Intercom", &Page::changeEightWayIntercom},
        {"HD Speaker Accessory", &Page::changeHDSpeakerAccessory, FollowUp::Reload, &celvarAccessory,
         &Page::changeCelvarHDSPeakerAccessory},
        {"Morrow Tansy Mic", &Page::changeMicSelect},
        {"Mesh Reach-Out", &Page::changeMeshReachOut},
        {"Guest Mode", &Page::changeMeshGuestMode},
        {"Voice Assistant", &Page::changeVoiceAssistant},
        {"Advanced features", &Page::changeUILayer},
        {"Remote UI RTT", &Page::changeRemoteUIPTT},
        {"FM Radio", &Page::changeFMRadioOnOkemba},
        {"Smartphone Connection", &Page::changePhoneOnOkemba},
        {"White LED Always On", &Page::changeLEDControl},
        {"Smart Navi System", &Page::changeSmartNaviSystem, FollowUp::None, &smartNavi2,
         &Page::changeSmartNaviSystem2},
        {"Simple Mode", &Page::changeSimpleUI},
        {"AUTO OFF", &Page::changeAutoOff},
        {"Automatic Power Off", &Page::changeAutoOff},
        {"Auto On-Off", &Page::changeAutoOnOff, FollowUp::None, &airohaAutoOnOff, &Page::changeAutoOff},
        {"Auto Start Recording", &Page::changeAutoStartRecording},
        {"Date Caption", &Page::changeDateCaption},
        {"Auto Camera Sleep", &Page::changeAutoCameraSleep},
        {"Speaker Sound Recording", &Page::changeSpeakerSoundRecording, FollowUp::SoundRecordingMaster},
        {"▶ Music", &Page::changeSpeakerSoundRecordingMusic, FollowUp::SoundRecordingSource},
        {"▶ FM Radio", &Page::changeSpeakerSoundRecordingFMRadio, FollowUp::SoundRecordingSource},
        {"▶ Intercom", &Page::changeSpeakerSoundRecordingIntercom, FollowUp::SoundRecordingSource},
        {"▶ Phone", &Page::changeSpeakerSoundRecordingPhone, FollowUp::SoundRecordingSource},
    };
    return table;
}

const RowChange* changeOf(const std::vector<RowChange>& table, const RowKind* kind) {
    if (!kind) return nullptr;
    const std::string label = englishLabel(*kind);
    for (const RowChange& change : table)
        if (change.label == label) return &change;
    return nullptr;
}

Member actionOf(const RowChange& change, int32_t target) {
    return change.models && containsId(*change.models, target) ? change.modelsAction : change.action;
}

// Runs the follow-up on the edit buffer; true when the list must be rebuilt. While a device
// operation runs the change actions store nothing and a coupling stores nothing either: a save
// in flight would otherwise leave a record that the headset never received.
bool followUp(FollowUp f, const ListInputs& in, ORVABluetoothDeviceData& edit, bool storing) {
    const bool coupled = containsId(coupledModels(), in.deviceTarget);
    switch (f) {
        case FollowUp::None:
            return false;
        case FollowUp::Reload:
            return true;
        case FollowUp::ReloadSaveEarlyOverlay:
            return !(in.deviceTarget == 0x5410 && in.data->compareVersionUpToMinorWithMajor(1, 1) < 0);
        case FollowUp::HDIntercomCoupling:
            if (!coupled) return false;
            if (storing && edit.GetBasicSettingGESSAHDIntercom() == 1) edit.SetBasicSettingGESSAAudioOverlay(0);
            return true;
        case FollowUp::HDVoiceCoupling:
            if (!coupled) return false;
            if (storing && edit.GetBasicSettingLUTRAHDVoice() == 1) edit.SetBasicSettingGESSAAudioOverlay(0);
            return true;
        case FollowUp::MultitaskingCoupling:
            if (coupled && storing && edit.GetBasicSettingGESSAAudioOverlay() == 1) {
                edit.SetBasicSettingGESSAHDIntercom(0);
                edit.SetBasicSettingLUTRAHDVoice(0);
            }
            return true;
        case FollowUp::SoundRecordingMaster:
            if (storing && edit.emptyCheckSpeakerSoundRecording()) {
                edit.setBasicSettingTAVRINCameraSpeakerSoundRecordingMusic(1);
                edit.setBasicSettingTAVRINCameraSpeakerSoundRecordingFMRadio(1);
                edit.setBasicSettingTAVRINCameraSpeakerSoundRecordingIntercom(1);
            }
            return true;
        case FollowUp::SoundRecordingSource:
            if (!edit.emptyCheckSpeakerSoundRecording()) return false;
            if (storing) edit.setBasicSettingTAVRINCameraSpeakerSoundRecording(0);
            return true;
    }
    return false;
}

}  // namespace

int DeviceSettingsViewController::rowForView(QObject* control) const {
    QTableWidget* table = tableViewDeviceAllSettingsBasic;
    for (auto* w = qobject_cast<QWidget*>(control); w; w = w->parentWidget()) {
        if (!dynamic_cast<DeviceSettingsTableCellView*>(w)) continue;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->cellWidget(row, 0) == w) return row;
        return -1;
    }
    return -1;
}

DeviceSettingsViewController::ChangeMember DeviceSettingsViewController::allSettingsChangeFor(int row) const {
    if (!appController()) return nullptr;
    const ListInputs in = listInputs();
    const RowKind* kind = rowKindAt(in, row);
    if (!kind) return nullptr;
    const RowChange* change = changeOf(kind->cell == CellKind::PopUp ? popUpChanges() : onOffChanges(), kind);
    return change ? actionOf(*change, in.deviceTarget) : nullptr;
}

namespace {

// One routine behind both actions; only the table differs. The keyboard stays on the changed row
// although a reload replaces its cell and the refresh may hide and show the list.
void dispatchRowChange(Page& page, const std::vector<RowChange>& table, QObject* sender) {
    const ListInputs in = page.listInputs();
    const int row = page.rowForView(sender);
    auto* control = qobject_cast<QWidget*>(sender);
    const bool focused = control && (control->hasFocus() || control->isAncestorOf(QApplication::focusWidget()));
    if (const RowChange* change = changeOf(table, rowKindAt(in, row))) {
        (page.*actionOf(*change, in.deviceTarget))(sender);
        const bool storing = !page.controller().onProcessing();
        if (followUp(change->followUp, page.listInputs(), page.dataCurrent(), storing)) page.reloadAllSettingsRows();
    }
    page.setControls();
    if (!focused || row < 0) return;
    if (auto* view = dynamic_cast<DeviceSettingsTableCellView*>(page.tableViewDeviceAllSettingsBasic->cellWidget(row, 0)))
        view->keyboardControl()->setFocus(Qt::OtherFocusReason);
}

}  // namespace

void DeviceSettingsViewController::allSettingsChangePopUp(QObject* sender) {
    dispatchRowChange(*this, popUpChanges(), sender);
}

void DeviceSettingsViewController::allSettingsChangeOnOff(QObject* sender) {
    dispatchRowChange(*this, onOffChanges(), sender);
}

}  // namespace settings
