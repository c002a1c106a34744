// The speed-dial page's Save: the guard, the worker on its own thread with a copy of what it
// reads, and the one-second timer that turns the worker's code into the status line, the
// discarded edits, and after success the commit and a new recognition.
#include "app/AppTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsTexts.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/CsrSettingKeys.h"
#include "transport/HidReportChannel.h"

namespace settings {

using app::AppTexts;
namespace sd = save::speed_dial;

namespace {

std::string reasonOf(int32_t code, int language) {
    switch (code) {
        case sd::kCannotOpenUsb:
            return AppTexts::qelm_string_cannot_open_usb_in(language);
        case sd::kFirmwareManagement:
            return AppTexts::qelm_string_firmware_management_mode_in(language);
        case sd::kNotRecognized:
            return AppTexts::qelm_string_not_recognized_device_in(language);
        default:
            return DeviceSettingsTexts::qelm_string_cannot_save(transport::csr::kPsKeySpeedDial0, language);
    }
}

// No headset, one in firmware-management mode, or another headset: the edits cannot go to it.
bool discardsEdits(int32_t code) {
    return code == sd::kCannotOpenUsb || code == sd::kFirmwareManagement || code == sd::kNotRecognized;
}

}  // namespace

void DeviceSettingsSpeedDialViewController::save(QObject*) {
    if (!passActionGuard()) return;
    app::ORVABluetoothManagerAppController& c = controller();
    // The worker reads its own copy: the window may touch the page and the record meanwhile.
    sd::SpeedDialSaveInput input{{}, c.data(), c.deviceTarget(), c.usbStatus()};
    for (int i = 0; i < device::ORVABluetoothDeviceData::kSpeedDials; ++i)
        input.dials[static_cast<size_t>(i)] = dataCurrent().speedDialAt(i);
    save::HidOpener openHid = hidOpener_ ? hidOpener_ : save::HidOpener(usbhid_open_headset);
    sd::CsrOpener openCsr = csrOpener_ ? csrOpener_ : sd::CsrOpener(csr_usb_open_retry);
    beginSaveRun(
        [input = std::move(input), openHid = std::move(openHid), openCsr = std::move(openCsr)](
            const std::atomic<bool>& stop) { return sd::threadMethodSave(input, openHid, openCsr, stop); },
        [this] { timerMethodSave(); });
}

void DeviceSettingsSpeedDialViewController::timerMethodSave() {
    const int32_t code = rcThreadSave();
    if (code < 0) return;
    finishSaveRun(
        code == sd::kSaved, discardsEdits(code), [code](int language) { return reasonOf(code, language); }, {},
        [this] {
            setControlsWithData();
            setControls();
        });
}

}  // namespace settings
