// The FM radio page on a real controller and its offscreen window; the other pages are the shell
// tests' recording stand-ins. A test picks the model, region and presets, then opens the page.
#pragma once

#include <string>
#include <vector>

#include "PageOnControllerFixture.h"
#include "settings/DeviceSettingsSecondViewController.h"

namespace settings::testing {

class PagesWithFmRadio : public shell_test::RecordingPages {
  public:
    DeviceSettingsSecondViewController* page = nullptr;
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSecond() override {
        auto p = std::make_unique<DeviceSettingsSecondViewController>();
        page = p.get();
        return p;
    }
};

class FmPageTest : public PageOnController<PagesWithFmRadio> {
  protected:
    // The headset as recognized with its FM fields (presets from the first), and the page open
    // on it (mode 8).
    void open(int32_t target, int32_t region = 4, std::vector<int32_t> presets = {}) {
        recognize(target, region, presets);
        controller->setMode(8);
        page->initializeObject();
        platform::drainMainQueue();
        pages.log.clear();
    }
    void recognize(int32_t target, int32_t region, const std::vector<int32_t>& presets) {
        controller->setDeviceTarget(target);
        controller->setRecognized(true);
        controller->setUsbStatus(target);
        device::ORVABluetoothDeviceData& d = controller->data();
        d.initializeObjectWithDevice(target, 1, 0);
        d.setDeviceRecognized(target);
        d.setDeviceVersionMajor(1, 0);
        d.setFmRadioRegion(region);
        for (int i = 0; i < 10; ++i) d.setFmRadioPresetsAt(i, i < static_cast<int>(presets.size()) ? presets[i] : 0);
    }

    device::ORVABluetoothDeviceData& edit() { return page->dataCurrent(); }
    device::ORVABluetoothDeviceData& record() { return controller->data(); }
    std::vector<int32_t> editedPresets() {
        std::vector<int32_t> p;
        for (int i = 0; i < 10; ++i) p.push_back(edit().fmRadioPresetsAt(i));
        return p;
    }
    std::string title(int row) { return page->btnFMRadioPresets[static_cast<size_t>(row)]->text().toStdString(); }
    // What the user's click on a preset's check box does.
    void clickBox(int row) { page->cbFMRadioPresets[static_cast<size_t>(row)]->click(); }
};

}  // namespace settings::testing
