// The FM radio page's Save: the worker on its own thread with a copy of what it reads, and the
// one-second timer that turns its code into the status line, the discarded or kept edits, and
// after success the commit and a new recognition.
#include "app/AppTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsTexts.h"
#include "settings/save/FmRadioSave.h"
#include "transport/HidReportChannel.h"

namespace settings {

using app::AppTexts;

namespace {

constexpr int32_t kFmPsKey = 0x029F;  // its cannot-save text names "FM Radio Setting"

std::string reasonOf(int32_t code, int language) {
    switch (code) {
        case save::kFmCannotOpenUsb:
            return AppTexts::qelm_string_cannot_open_usb_in(language);
        case save::kFmFirmwareManagement:
            return AppTexts::qelm_string_firmware_management_mode_in(language);
        case save::kFmNotRecognized:
            return AppTexts::qelm_string_not_recognized_device_in(language);
        default:
            return DeviceSettingsTexts::qelm_string_cannot_save(kFmPsKey, language);
    }
}

// No headset, one in firmware-management mode or another one: the edits cannot go to it.
bool discardsEdits(int32_t code) {
    return code == save::kFmCannotOpenUsb || code == save::kFmFirmwareManagement || code == save::kFmNotRecognized;
}

}  // namespace

void DeviceSettingsSecondViewController::save(QObject*) {
    if (!passActionGuard()) return;
    app::ORVABluetoothManagerAppController& c = controller();
    // The worker reads its own copy: the window may touch the page and the record meanwhile.
    save::FmRadioSaveInput input{dataCurrent(), c.data(), c.deviceTarget(), c.usbStatus()};
    save::HidOpener open = hidOpener_ ? hidOpener_ : save::HidOpener(usbhid_open_headset);
    beginSaveRun(
        [input = std::move(input), open = std::move(open)](const std::atomic<bool>& stop) {
            return save::fmRadioThreadMethodSave(input, open, stop);
        },
        [this] { timerMethodSave(); });
}

void DeviceSettingsSecondViewController::timerMethodSave() {
    const int32_t code = rcThreadSave();
    if (code < 0) return;
    finishSaveRun(
        code == save::kFmSaved, discardsEdits(code), [code](int language) { return reasonOf(code, language); }, [this] { radioFMRadioRDS->setEnabled(true); },
        [this] {
            setControlsWithData();
            setControls();
        });
}

}  // namespace settings
