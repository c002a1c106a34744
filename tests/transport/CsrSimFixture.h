// What the CSR channel and DFU tests share: simulated USB devices on the real libusb-1.0 and
// libusb 0.1, a virtual clock for the one-second open retries, and a clean slate after each test.
#pragma once

#include <gtest/gtest.h>
#include <usb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "sim/SimHeadset.h"
#include "transport/CsrBccmdChannel.h"

// The open routines' messages.
inline constexpr const char* kManagement = "Firmware management mode";
inline constexpr const char* kNotAvailable = "Device not available";

class CsrSimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded())
            GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        platform::setClock(&clock_);
    }

    void TearDown() override {
        csr_usb_exit();
        sim_.reset();
        platform::setClock(nullptr);
    }

    void plug(std::vector<sim::UsbDevice> devices) {
        sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{}, std::move(devices));
        ASSERT_TRUE(sim_->mocked());
        usb_init();  // libusb 0.1 looks for /dev/bus/usb when started, so after the testbed exists
    }

    // The common case: one headset opened in normal mode, selected.
    void openHeadset(uint16_t productId) {
        ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(productId)}));
        uint32_t ids[2] = {};
        char message[CSR_MESSAGE_SIZE] = "";
        ASSERT_EQ(csr_usb_open(ids, message, 0), 0) << message;
    }

    sim::UsbHeadsetModel& headset(size_t device = 0) { return sim_->usbModel(device); }
    sim::UsbTestbed& bus() { return sim_->usb(); }

    bool nothingOpen() {
        for (size_t i = 0; i < bus().size(); ++i)
            if (bus().openHandles(i) != 0) return false;
        return true;
    }

    std::unique_ptr<sim::SimHeadset> sim_;
    platform::VirtualClock clock_;
};
