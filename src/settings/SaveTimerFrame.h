// What the three settings pages' save timers share once the worker's code is in: the status in
// 13 languages ("%@. %@" of the page's failure status and a reason, or its success status), the
// warning box after a save that found no headset, one in firmware-management mode or another
// headset, and after success the commit of the edit buffer and a new recognition.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "device/ORVABluetoothDeviceData.h"

namespace app {
class ORVABluetoothManagerAppController;
}

namespace settings {

constexpr int kSaveLanguages = 13;
using SaveStatusTexts = std::array<std::string, kSaveLanguages>;

// Success: the mode's success status; else its failure status followed by reason(language).
SaveStatusTexts saveStatusTexts(const app::ORVABluetoothManagerAppController& c, bool success,
                                const std::function<std::string(int language)>& reason);
// Stores all 13 and shows the current language's, on the warning colour when asked.
void showSaveStatus(app::ORVABluetoothManagerAppController& c, const SaveStatusTexts& texts, bool warning);
// "Recognized device is not connected ..." with one OK button (size 1), which leads to device
// selection (forWhat 3).
void openRecognizedDeviceNotSelectedBox(app::ORVABluetoothManagerAppController& c);
// The edit buffer's settings into the controller's record (versions kept), then a new
// recognition that comes back to this page, or goes on to modeToGo when the save answered the
// question of a page switch. True when the recognition page took over.
bool commitAndRecognizeAgain(app::ORVABluetoothManagerAppController& c,
                             const device::ORVABluetoothDeviceData& dataCurrent, int32_t modeToGo,
                             const std::function<void()>& beforeRecognition = {});

// The end of a settings page's save once its worker's code is in: the status in 13 languages
// (warning colour on failure); after success the commit and a new recognition (true: it took
// the busy flag); after a failure the edits dropped with the warning box where `discards` says
// so, and the page switch the save interrupted forgotten. The busy flag is cleared unless the
// recognition took it, and the window refreshed; the page refreshes itself after.
struct SaveEnd {
    bool success;
    bool discards;
    std::function<std::string(int language)> reason;
    std::function<void()> beforeRecognition;  // after the commit
    std::function<void()> dropEdits;          // the headset's values back, the page refreshed
    std::function<void()> forgetModeToGo;
};
void endSave(app::ORVABluetoothManagerAppController& c, const device::ORVABluetoothDeviceData& dataCurrent,
             int32_t modeToGo, const SaveEnd& end);

}  // namespace settings
