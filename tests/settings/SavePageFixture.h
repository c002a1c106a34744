// The device settings page on the real controller and an offscreen window, the other pages
// recording what the controller asks of them (the recognition page its caller mode): what the
// save command tests share. A recognized 0x3070 at 2.0 is on the page with one edit made.
#pragma once

#include "PageOnControllerFixture.h"
#include "SettingsPageFixture.h"

namespace settings::testing {

class SavePageTest : public PageOnController<settings_test::Pages> {
  protected:
    static constexpr int32_t kModel = 0x3070;
    static constexpr int32_t kEdited = 0x0155;

    SavePageTest() {
        recognizeOnController(kModel, 2, 0);
        controller->setDeviceSettingsWithStatus(true);
        platform::drainMainQueue();
        page->dataCurrent().setBasicSetting20At(1, kEdited);
        pages.log.clear();
    }
};

}  // namespace settings::testing
