// The recognition page on the real controller and an offscreen window with a simulated CSR
// headset on USB: what the status line and the side panel show after the hand-over to the
// firmware update page, for a headset in normal mode and one in firmware-management mode.
#include <gtest/gtest.h>
#include <usb.h>

#include <chrono>
#include <thread>

#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/ShellFixture.h"
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

class PagesWithRecognition : public shell_test::RecordingPages {
  public:
    DeviceRecognitionViewController* page = nullptr;
    std::unique_ptr<app::DeviceRecognitionPage> makeDeviceRecognition() override {
        auto p = std::make_unique<DeviceRecognitionViewController>();
        page = p.get();
        return p;
    }
};

class CsrRecognitionPage : public ::testing::Test {
  protected:
    CsrRecognitionPage() {
        shell_test::ensureQtApplication();
        setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
        controller = std::make_unique<app::ORVABluetoothManagerAppController>(pages);
        window = std::make_unique<app::MainWindow>();
        controller->setWindow(window.get());
        controller->setTerminateHandler([] {});
        page = pages.page;
    }
    ~CsrRecognitionPage() override {
        platform::drainMainQueue();
        window.reset();
        controller.reset();
        unsetenv("XDG_DATA_HOME");
    }
    void SetUp() override {
        const char* preload = std::getenv("LD_PRELOAD");
        if (!preload || !std::strstr(preload, "libumockdev-preload"))
            GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        platform::setClock(&clock);
        controller->awakeFromNib();
        platform::drainMainQueue();
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
        for (int i = 0; i < 2000 && page->threadFields().resultThreadRecognize.load() == 0; ++i)
            std::this_thread::sleep_for(10ms);
        ASSERT_GT(page->threadFields().resultThreadRecognize.load(), 0) << "the worker did not end";
        page->timerMethodRecognize();
        platform::drainMainQueue();
    }

    std::string statusLine() { return window->tfStatus->text().toStdString(); }

    test_support::TempDir dataHome;
    PagesWithRecognition pages;
    std::unique_ptr<app::ORVABluetoothManagerAppController> controller;
    std::unique_ptr<app::MainWindow> window;
    DeviceRecognitionViewController* page = nullptr;
    std::unique_ptr<sim::SimHeadset> sim;
    platform::VirtualClock clock;
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
