// The recognition page on the real controller and an offscreen window with a simulated CSR
// headset on USB: what the status line and the side panel show after the hand-over to the
// firmware update page, for a headset in normal mode and one in firmware-management mode.
#include <gtest/gtest.h>
#include <usb.h>

#include <chrono>
#include <thread>

#include "RecognitionPageFixture.h"
#include "platform/Clock.h"
#include "platform/MainQueue.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "sim/CsrFamilyHeadset.h"
#include "tests_support/TempDir.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidReportChannel.h"

namespace {

using app::AppTexts;
using recognition::DeviceRecognitionViewController;
using namespace std::chrono_literals;

class CsrRecognitionPage : public recognition_page_test::RecognitionPageFixture {
  protected:
    void SetUp() override {
        if (!simulated()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        wakeController();
    }
    void TearDown() override {
        csr_usb_exit();
        sim.reset();
        platform::setClock(nullptr);
    }

    // Next on the recognition page, asked from the selection page, and what the 1.0-second timer
    // does once the worker has set its result.
    void recognize(const sim::CsrStore& store) {
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{},
                                                std::vector<sim::UsbDevice>{sim::csrFamilyDevice(store)});
        ASSERT_TRUE(sim->mocked());
        usb_init();  // libusb 0.1 looks for /dev/bus/usb when started, so after the testbed exists
        controller->setDeviceTarget(0x5010);
        controller->setMode(4);
        page->setCallerMode(0);
        page->initializeObject();
        page->recognize(page->btnNext());
        ASSERT_NO_FATAL_FAILURE(finishRecognition());
    }

};

TEST_F(CsrRecognitionPage, HeadsetInNormalModeShowsItsNameAndVersion) {
    sim::CsrStore store = sim::csrModel(0x4D10);
    store.name = "VELMAR HEMBRIN";
    ASSERT_NO_FATAL_FAILURE(recognize(store.withVersion(42)));

    EXPECT_EQ(controller->mode(), 5);
    EXPECT_EQ(controller->deviceTarget(), 0x4D10);
    EXPECT_EQ(controller->usbStatus(), 0x4D10);
    EXPECT_EQ(statusLine(), "Device recognized successfully. " + AppTexts::qelm_status_default(5, 0x4D10, 0).value());
    EXPECT_FALSE(controller->statusWithWarning());
    EXPECT_EQ(window->lblProduct->text(), "VELMAR HEMBRIN");
    EXPECT_EQ(window->lblVersion->text(), "v4.2");
}

TEST_F(CsrRecognitionPage, HeadsetInFirmwareManagementModeIsHandedOverWithAWarning) {
    sim::CsrStore store = sim::csrModel(0x4D10);
    store.dfuMode = true;
    ASSERT_NO_FATAL_FAILURE(recognize(store));

    EXPECT_EQ(controller->mode(), 5) << "taken by the firmware update page";
    EXPECT_EQ(controller->deviceTarget(), 0x4D10);
    EXPECT_EQ(controller->usbStatus(), 0xCD10);
    EXPECT_EQ(statusLine(), "Firmware management mode. " + AppTexts::qelm_status_default(5, 0xCD10, 0).value());
    EXPECT_TRUE(controller->statusWithWarning());
    EXPECT_EQ(window->lblProduct->text(), "Firmware");
    EXPECT_EQ(window->lblVersion->text(), "Management");
}

}  // namespace
