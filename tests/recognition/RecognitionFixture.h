// What the worker tests share: a controller with plain fields, the page's result fields, one
// run's context, a simulated bus on the real hidapi, a virtual clock (the worker's one-second
// pauses cost nothing) and short wait limits (a silent headset answers nothing within 300 ms).
#pragma once

#include <gtest/gtest.h>
#include <hidapi.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "recognition/RecognitionContext.h"
#include "recognition/RecognitionWorker.h"
#include "sim/BlockHeadsetModel.h"
#include "sim/Hs6042Model.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"
#include "tests_support/ShortHidWaits.h"

class FakeController : public recognition::RecognitionController {
  public:
    device::ORVABluetoothDeviceData record;
    int32_t mode_ = 4, target = 0, usb = 0, fm = 0, motion = 0, speaker = 0, info = 0;
    bool recognized = false, restartToRecover = true;
    int32_t modeRestartToRecover = 6;
    int32_t tabCount = 0, tabs[3] = {}, tabIndexSelected = -1;
    // The arguments of the last tab derivation: device, major, minor, FM flag.
    std::vector<int32_t> tabQuery;

    device::ORVABluetoothDeviceData& data() override { return record; }
    int32_t mode() const override { return mode_; }
    int32_t deviceTarget() const override { return target; }
    void setDeviceTarget(int32_t v) override { target = v; }
    bool isDeviceTargetSameAs(int32_t productId) const override { return productId == target; }
    void setRecognized(bool v) override { recognized = v; }
    int32_t usbStatus() const override { return usb; }
    void setUsbStatus(int32_t v) override { usb = v; }
    void setRestartToRecover(bool v) override { restartToRecover = v; }
    void setModeRestartToRecover(int32_t v) override { modeRestartToRecover = v; }
    int32_t fmRadioShowAndHide() const override { return fm; }
    void setFmRadioShowAndHide(int32_t v) override { fm = v; }
    int32_t motionSensorShowAndHide() const override { return motion; }
    void setMotionSensorShowAndHide(int32_t v) override { motion = v; }
    int32_t device50SpeakerType() const override { return speaker; }
    void setDevice50SpeakerType(int32_t v) override { speaker = v; }
    int32_t deviceInfoStatus() const override { return info; }
    void setDeviceInfoStatus(int32_t v) override { info = v; }
    void setTabCount(int32_t v) override { tabCount = v; }
    void setTab(int32_t kind, int32_t at) override {
        if (at >= 0 && at < 3) tabs[at] = kind;
    }
    void setTabIndexSelected(int32_t v) override { tabIndexSelected = v; }
    // Two tabs, basic and speed dial, the first selected.
    void SetTabDataInTabCount(int32_t* count, int32_t* t, int32_t* selected, int32_t toDevice, int32_t major,
                              int32_t minor, int32_t fmFlag) const override {
        const_cast<FakeController*>(this)->tabQuery = {toDevice, major, minor, fmFlag};
        *count = 2;
        t[0] = 1, t[1] = 2, t[2] = 0;
        *selected = 0;
    }
    platform::OptString getCameraDiskPath() const override { return std::nullopt; }
};

class RecognitionSimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded())
            GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        test_support::shortenHidWaits();
        platform::setClock(&clock_);
    }

    void TearDown() override {
        usbhid_close_all();
        sim_.reset();
        platform::setClock(nullptr);
        test_support::restoreHidWaits();
    }

    void plug(std::vector<sim::HidInterface> entries) {
        sim_ = std::make_unique<sim::SimHeadset>(std::move(entries));
        ASSERT_TRUE(sim_->mocked());
    }

    // Opens an entry into a slot, whatever its product id (the steps of the families that the
    // headset open does not accept are tested this way).
    void openInto(int slot, size_t entry) {
        hid_device* dev = hid_open_path(sim_->testbed().devnode(entry).c_str());
        ASSERT_NE(dev, nullptr);
        transport::detail::fillSlot(slot, dev);
    }

    // A headset of product id pid alone on the bus, open in slot 0, selected as the target.
    template <typename Model>
    std::shared_ptr<Model> openAlone(uint16_t pid, std::shared_ptr<Model> model = std::make_shared<Model>()) {
        plug({sim::hid(pid).servedBy(model)});
        openInto(0, 0);
        controller.target = pid;
        return model;
    }

    // Requests the simulated entry took, as (format, command) with the command byte of its format.
    std::vector<uint8_t> commandsSeen(size_t entry = 0, sim::Format format = sim::Format::A) {
        std::vector<uint8_t> out;
        for (const auto& r : sim_->model(entry).requests())
            if (r.format == format) out.push_back(r.bytes[format == sim::Format::B ? 2 : 1]);
        return out;
    }

    int64_t virtualMs() { return clock_.nowMs(); }

    std::string status(int language = 0) { return page.strStatusThreadRecognize(language).value_or("<nil>"); }

    FakeController controller;
    recognition::ThreadRecognizeFields page;
    recognition::RecognitionContext ctx{controller, page};
    std::unique_ptr<sim::SimHeadset> sim_;
    platform::VirtualClock clock_;
};
