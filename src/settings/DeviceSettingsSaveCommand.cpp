// The device settings page's Save: the guards, the worker on its own thread with a copy of what
// it reads, and the one-second timer that turns the worker's code into the status line, the
// discarded or kept edits, and after success the commit and a new recognition.
#include "app/AppTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/save/DeviceSettingsSave.h"
#include "transport/HidReportChannel.h"

namespace settings {

using app::AppTexts;

namespace {

// The PS key a CSR failure code names in its status (8 also stands for any failed HID write).
int32_t keyOfCode(int32_t code) {
    switch (code) {
        case save::kVoxIntercomNotSaved:
            return 664;
        case save::kVoxPhoneNotSaved:
            return 665;
        case save::kEdrNotSaved:
            return 239;
        case save::kRadioGainNotSaved:
            return 684;
        case save::kTimeoutNotSaved:
            return 682;
        default:
            return 654;
    }
}

std::string reasonOf(int32_t code, int language) {
    switch (code) {
        case save::kCannotOpenUsb:
            return AppTexts::qelm_string_cannot_open_usb_in(language);
        case save::kFirmwareManagement:
            return AppTexts::qelm_string_firmware_management_mode_in(language);
        case save::kNotRecognized:
            return AppTexts::qelm_string_not_recognized_device_in(language);
        default:
            return DeviceSettingsTexts::qelm_string_cannot_save(keyOfCode(code), language);
    }
}

// The headset did not open, is in firmware-management mode or is not the recognized one: what
// the user edited cannot go to this headset.
bool discardsEdits(int32_t code) {
    return code == save::kCannotOpenUsb || code == save::kFirmwareManagement || code == save::kNotRecognized;
}

}  // namespace

void DeviceSettingsViewController::save(QObject*) {
    if (!passActionGuard()) return;
    if (!checkACT()) return;
    startSave();
}

void DeviceSettingsViewController::startSave() {
    app::ORVABluetoothManagerAppController& c = controller();
    // The worker reads its own copy: the window may touch the page and the record meanwhile.
    save::DeviceSettingsSaveInput input{dataCurrent(), c.data(), c.deviceTarget(), c.usbStatus()};
    save::HidOpener open = hidOpener_ ? hidOpener_ : save::HidOpener(usbhid_open_headset);
    beginSaveRun(
        [input = std::move(input), open = std::move(open)](const std::atomic<bool>& stop) {
            return save::threadMethodSave(input, open, stop);
        },
        [this] { timerMethodSave(); });
}

void DeviceSettingsViewController::timerMethodSave() {
    const int32_t code = rcThreadSave();
    if (code < 0) return;
    finishSaveRun(
        code == save::kSaved, discardsEdits(code), [code](int language) { return reasonOf(code, language); }, [this] { enableOldControlsEnable(true, false); },
        [this] {
            reloadAllSettingsRows();
            setControlsWithData();
            setControls();
        });
}

}  // namespace settings
