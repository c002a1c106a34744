#include "settings/SaveTimerFrame.h"

#include <optional>

#include "app/AppTexts.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"

namespace settings {

using app::AppTexts;

namespace {
constexpr int32_t kRecognitionMode = 4;
constexpr int32_t kThenGoOn = 100;  // recognition's caller mode: go on to mode - 100 afterwards
}  // namespace

SaveStatusTexts saveStatusTexts(const app::ORVABluetoothManagerAppController& c, bool success,
                                const std::function<std::string(int)>& reason) {
    const int32_t mode = c.mode(), usb = c.usbStatus();
    SaveStatusTexts texts;
    for (int i = 0; i < kSaveLanguages; ++i) {
        if (success) {
            texts[static_cast<size_t>(i)] = AppTexts::qelm_status_success(mode, usb, i).value_or("");
        } else {
            std::string failure = AppTexts::qelm_status_failure(mode, usb, i).value_or("");
            texts[static_cast<size_t>(i)] = app::formatText("%@. %@", {failure, reason ? reason(i) : std::string()});
        }
    }
    return texts;
}

void showSaveStatus(app::ORVABluetoothManagerAppController& c, const SaveStatusTexts& texts, bool warning) {
    for (int i = 0; i < kSaveLanguages; ++i) c.setStrStatus(texts[static_cast<size_t>(i)], i);
    c.setStatus(c.getStrStatus(), warning);
}

void openRecognizedDeviceNotSelectedBox(app::ORVABluetoothManagerAppController& c) {
    const int l = c.languageManager();
    c.openMessageBoxWithMessage(AppTexts::qelm_string_recognized_device_not_selected_in(l), true, std::nullopt,
                                AppTexts::qelm_string_ok_in(l), 1, 3);
}

bool commitAndRecognizeAgain(app::ORVABluetoothManagerAppController& c,
                             const device::ORVABluetoothDeviceData& dataCurrent, int32_t modeToGo,
                             const std::function<void()>& beforeRecognition) {
    c.data().copyWithSource(dataCurrent, false);
    if (beforeRecognition) beforeRecognition();
    // Before the call: its leave guard gives the page a new modeToGo.
    const int32_t from = modeToGo != 0 ? modeToGo + kThenGoOn : c.mode();
    c.setDeviceRecognitionWithStatus(false, nullptr, from);
    return c.mode() == kRecognitionMode;
}

void endSave(app::ORVABluetoothManagerAppController& c, const device::ORVABluetoothDeviceData& dataCurrent,
             int32_t modeToGo, const SaveEnd& end) {
    const SaveStatusTexts texts = saveStatusTexts(c, end.success, end.reason);
    bool recognizing = false;
    if (end.success) {
        recognizing = commitAndRecognizeAgain(c, dataCurrent, modeToGo, end.beforeRecognition);
    } else {
        if (end.discards) {
            // What the page's Cancel does; that action is refused while the save is still busy.
            if (end.dropEdits) end.dropEdits();
            openRecognizedDeviceNotSelectedBox(c);
        }
        // An abandoned page switch is not followed by a later Save.
        if (end.forgetModeToGo) end.forgetModeToGo();
    }
    showSaveStatus(c, texts, !end.success);
    if (!recognizing) c.setOnProcessing(false);
    c.setControls();
}

}  // namespace settings
