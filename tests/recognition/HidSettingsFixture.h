// What the HID settings tests share: a controller made of plain fields, a recognition context on
// it, and simulated headsets that hold setting blocks (one chip on slot 0, or two chips on slots
// 0 and 1), opened through the real transport. Waits of format B run on a virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/Clock.h"
#include "recognition/RecognitionContext.h"
#include "sim/SettingBlocksModel.h"
#include "sim/SimHeadset.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

namespace recognition::testing {

class PlainController : public RecognitionController {
  public:
    device::ORVABluetoothDeviceData record;
    int32_t target = 0;
    int32_t speakerType = 99;

    device::ORVABluetoothDeviceData& data() override { return record; }
    int32_t mode() const override { return 4; }
    int32_t deviceTarget() const override { return target; }
    void setDeviceTarget(int32_t productId) override { target = productId; }
    // Sibling codes are the controller's business; here only the code itself counts.
    bool isDeviceTargetSameAs(int32_t productId) const override { return productId == target; }
    void setRecognized(bool) override {}
    int32_t usbStatus() const override { return 0; }
    void setUsbStatus(int32_t) override {}
    void setRestartToRecover(bool) override {}
    void setModeRestartToRecover(int32_t) override {}
    int32_t fmRadioShowAndHide() const override { return 0; }
    void setFmRadioShowAndHide(int32_t) override {}
    int32_t motionSensorShowAndHide() const override { return 0; }
    void setMotionSensorShowAndHide(int32_t) override {}
    int32_t device50SpeakerType() const override { return speakerType; }
    void setDevice50SpeakerType(int32_t value) override { speakerType = value; }
    int32_t deviceInfoStatus() const override { return 0; }
    void setDeviceInfoStatus(int32_t) override {}
    void setTabCount(int32_t) override {}
    void setTab(int32_t, int32_t) override {}
    void setTabIndexSelected(int32_t) override {}
    void SetTabDataInTabCount(int32_t*, int32_t*, int32_t*, int32_t, int32_t, int32_t,
                              int32_t) const override {}
    OptString getCameraDiskPath() const override { return {}; }
};

class HidSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* preload = std::getenv("LD_PRELOAD");
        if (!preload || !std::strstr(preload, "libumockdev-preload"))
            GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        transport::silenceLimitMs = 300;
        transport::busyLimitMs = 200;
        platform::setClock(&clock_);
        ctx_ = std::make_unique<RecognitionContext>(controller_, page_);
    }

    void TearDown() override {
        usbhid_close_all();
        sim_.reset();
        platform::setClock(nullptr);
        transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
        transport::busyLimitMs = transport::kDefaultBusyLimitMs;
    }

    // A headset of model `target` whose first chip (and second, with twoChips) hold blocks; the
    // chips answer whatever product id they show on the bus.
    void plug(int32_t target, bool twoChips = false) {
        usbhid_close_all();
        sim_.reset();
        chips_[0] = std::make_shared<sim::SettingBlocksModel>();
        chips_[1] = std::make_shared<sim::SettingBlocksModel>();
        uint32_t pid = 0;
        char message[kOpenMessageSize] = "";
        if (twoChips) {
            sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{
                sim::hid(0x5345).servedBy(chips_[0]), sim::hid(0x5346).servedBy(chips_[1])});
            ASSERT_TRUE(sim_->mocked());
            uint32_t pids[2] = {};
            ASSERT_EQ(usbhid_open_dorsk_pair(pids, message, 3), 0);
        } else {
            sim_ = std::make_unique<sim::SimHeadset>(
                std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(chips_[0])});
            ASSERT_TRUE(sim_->mocked());
            ASSERT_EQ(usbhid_open_headset(&pid, message), 0);
        }
        controller_.target = target;
        ctx_->request[0] = 1;
    }

    sim::SettingBlocksModel& chip(int slot = 0) { return *chips_[static_cast<size_t>(slot)]; }
    device::ORVABluetoothDeviceData& data() { return controller_.record; }
    RecognitionContext& ctx() { return *ctx_; }

    void setVersion(int major, int minor, int secondary = 0) {
        data().setDeviceVersionMajor(major, minor);
        data().setDeviceSecondaryVersion(secondary);
    }

    PlainController controller_;
    ThreadRecognizeFields page_;
    std::unique_ptr<RecognitionContext> ctx_;
    std::unique_ptr<sim::SimHeadset> sim_;
    std::shared_ptr<sim::SettingBlocksModel> chips_[2];
    platform::VirtualClock clock_;
};

}  // namespace recognition::testing
