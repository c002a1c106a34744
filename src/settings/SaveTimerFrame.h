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

}  // namespace settings
