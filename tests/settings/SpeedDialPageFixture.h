// The speed-dial page on the real controller and an offscreen window, the other pages recording
// what the controller asks of them (the recognition page its caller mode). A recognized 0x6042
// at 2.1 whose record holds dials 1 and 2; dial 3 is empty. The page is open (mode 9).
#pragma once

#include "PageOnControllerFixture.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"

namespace settings::testing {

class PagesWithSpeedDial : public shell_test::RecordingPages {
  public:
    DeviceSettingsSpeedDialViewController* page = nullptr;
    std::unique_ptr<app::SettingsPage> makeDeviceSettingsSpeedDial() override {
        auto p = std::make_unique<DeviceSettingsSpeedDialViewController>();
        page = p.get();
        return p;
    }
};

class SpeedDialPageTest : public PageOnController<PagesWithSpeedDial> {
  protected:
    static constexpr int32_t kModel = 0x6042;
    static constexpr const char* kDial1 = "0123456789";
    static constexpr const char* kDial2 = "+4412345";

    SpeedDialPageTest() {
        recognizeOnController(kModel, 2, 1);
        device::ORVABluetoothDeviceData& d = controller->data();
        d.setSpeedDialAt(0, std::string(kDial1));
        d.setSpeedDialAt(1, std::string(kDial2));
        d.setSpeedDialAt(2, std::string());
        controller->setDeviceSettingsSpeedDialWithStatus(true);
        platform::drainMainQueue();
        pages.log.clear();
    }
    ~SpeedDialPageTest() override { page->sheetSpeedDialEdit->hide(); }

    // The dial's button title, the sheet's field.
    std::string title(int dial) const { return page->btnSpeedDials.at(static_cast<size_t>(dial))->text().toStdString(); }
    std::string field() const { return page->tfSpeedDialEdit->text().toStdString(); }
    bool sheetOpen() const { return page->sheetSpeedDialEdit->isVisible(); }
    std::string edited(int dial) const { return page->dataCurrent().speedDialAt(dial).value_or("<none>"); }

    // Opens dial n's sheet (0-2) by its button, puts the text into the field and presses OK.
    void enterDial(int dial, const std::string& text) {
        page->btnSpeedDials.at(static_cast<size_t>(dial))->click();
        page->tfSpeedDialEdit->setText(QString::fromStdString(text));
        page->btnSpeedDialEditOK->click();
    }
};

}  // namespace settings::testing
