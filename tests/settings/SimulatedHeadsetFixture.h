// A settings page whose saves reach the simulated headset: one chip keeping setting blocks in
// front of a family model, the only HID entry of `Model` on the bus, opened into slot 0 by the
// page's HID opener, with a short silence limit. Skipped without the umockdev preload.
#pragma once

#include <gtest/gtest.h>
#include <hidapi.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "sim/BlockHeadsetModel.h"
#include "sim/SettingBlocksModel.h"
#include "sim/SimHeadset.h"
#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"

namespace settings::testing {

template <class PageTest, uint16_t Model>
class OnSimulatedHeadset : public PageTest {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        transport::silenceLimitMs = 300;
        chip = std::make_shared<sim::SettingBlocksModel>(family);
        headset = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(Model).servedBy(chip)});
        ASSERT_TRUE(headset->mocked());
        this->page->setHidOpener([this](uint32_t* pid, char*) {
            hid_device* dev = hid_open_path(headset->testbed().devnode(0).c_str());
            if (!dev) return -2;
            transport::detail::fillSlot(0, dev);
            *pid = Model;
            return 0;
        });
    }
    void TearDown() override {
        usbhid_close_all();
        headset.reset();
        transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
        transport::stopWaits = false;
    }

    // Shutdown while the headset stays silent: the page's save, once it has reached the headset,
    // is stopped and joined within the bound, ends with `code` and leaves slot 0 closed.
    void expectShutdownStopsASilentSave(int32_t code) {
        transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
        sim::Faults silent;
        silent.silent = true;
        chip->setFaults(silent);
        this->page->save(nullptr);
        for (int i = 0; i < 10000 && chip->requestCount() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_GT(chip->requestCount(), 0u) << "the save never reached the headset";
        this->page->stopThreads();
        EXPECT_TRUE(this->page->joinThreadsBy(std::chrono::steady_clock::now() + std::chrono::seconds(10)));
        EXPECT_EQ(this->page->rcThreadSave(), code);
        EXPECT_EQ(usbhid_slot(0), nullptr);
    }

    std::shared_ptr<sim::BlockHeadsetModel> family = std::make_shared<sim::BlockHeadsetModel>();
    std::shared_ptr<sim::SettingBlocksModel> chip;
    std::unique_ptr<sim::SimHeadset> headset;
};

}  // namespace settings::testing
