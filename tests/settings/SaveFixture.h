// What the save worker tests share: the simulated headset on the real hidapi and libusb (chips
// that hold setting blocks in front of a family model answering version and status, or CSR
// headsets with a persistent store), the records a save reads, an opener that also opens the
// simulated model's id (and its second chip into slot 1), a virtual clock and short wait limits.
#pragma once

#include <gtest/gtest.h>
#include <hidapi.h>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "settings/save/DeviceSettingsSave.h"
#include "sim/BlockHeadsetModel.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/SettingBlocksModel.h"
#include "sim/SimHeadset.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"
#include "tests_support/ShortHidWaits.h"

namespace settings::testing {

struct HeadsetVersion {
    int major = 2, minor = 0, type = 0, secondary = 0;
};

class SaveSimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        test_support::shortenHidWaits();
        transport::stopWaits = false;
        platform::setClock(&clock_);
    }

    void TearDown() override {
        usbhid_close_all();
        csr_usb_exit();
        sim_.reset();
        platform::setClock(nullptr);
        test_support::restoreHidWaits();
        transport::stopWaits = false;
    }

  public:
    // A HID headset of `target` whose chips run `version` (both chips on two-chip models), ready
    // (status byte 0), recognized as such in the records; the edit buffer holds other words.
    void plugHid(uint16_t target, HeadsetVersion version = {}, bool twoChips = false) {
        for (int i = 0; i < 2; ++i) {
            family_[i] = std::make_shared<sim::BlockHeadsetModel>();
            family_[i]->setVersion({static_cast<uint8_t>(version.major), static_cast<uint8_t>(version.minor),
                                    static_cast<uint8_t>(version.type), static_cast<uint8_t>(version.secondary)});
            family_[i]->setByte(0x12, 0);
            chip_[i] = std::make_shared<sim::SettingBlocksModel>(family_[i]);
        }
        std::vector<sim::HidInterface> entries = {sim::hid(target).servedBy(chip_[0])};
        if (twoChips) entries.push_back(sim::hid(target).servedBy(chip_[1]));
        sim_ = std::make_unique<sim::SimHeadset>(std::move(entries));
        ASSERT_TRUE(sim_->mocked());
        recognize(target, version);
    }

    // CSR headsets on the bus, in order; the records are those of the first.
    void plugCsr(const std::vector<sim::CsrStore>& stores) {
        std::vector<sim::UsbDevice> devices;
        for (const sim::CsrStore& s : stores) {
            csr_.push_back(sim::csrFamilyHeadset(s));
            devices.push_back(sim::usbDevice(csr_.back()));
        }
        sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{}, std::move(devices));
        ASSERT_TRUE(sim_->mocked());
        const sim::CsrStore& s = stores.front();
        int code = s.version ? ((*s.version)[1] << 8 | (*s.version)[0]) : 0;
        recognize(s.runtimeId, {code / 10, code % 10, s.version ? (*s.version)[3] : 0, s.version ? (*s.version)[2] : 0});
    }

    void recognize(uint16_t target, HeadsetVersion v) {
        in.deviceTarget = target;
        in.usbStatus = target;
        device::ORVABluetoothDeviceData& d = in.data;
        d.setDeviceRecognized(target);
        d.setDeviceVersionMajor(v.major, v.minor);
        d.setDeviceSecondaryVersionType(v.type);
        d.setDeviceSecondaryVersion(v.secondary);
        d.setDeviceVersion01Major(v.major, v.minor);
        d.setDeviceSecondaryVersionType01(v.type);
        d.setDeviceSecondaryVersion01(v.secondary);
        d.setDeviceVersion02Major(v.major, v.minor);
        d.setDeviceSecondaryVersionType02(v.type);
        d.setDeviceSecondaryVersion02(v.secondary);
        in.dataCurrent.copyWithSource(d, true);
        for (int i = 0; i < 10; ++i) in.dataCurrent.setBasicSetting20At(i, 0x1100 + i);
        in.dataCurrent.setBasicSettingBELMORAVOXSensitivity(0, 0x0203);
        in.dataCurrent.setBasicSettingYELVARSmartVolumeControl(0, 0x0304);
        for (int i = 0; i < 4; ++i) in.dataCurrent.setBasicSettingTAVRINCamera(i, 0x0400 + i);
    }

    // Opens entry 0 into slot 0 as the recognized product, entry 1 (when there) into slot 1.
    int openSimulated(uint32_t* productId, char*) {
        if (openFails) return -2;
        for (size_t e = 0; e < sim_->testbed().size() && e < 2; ++e) {
            hid_device* dev = hid_open_path(sim_->testbed().devnode(e).c_str());
            if (!dev) return -2;
            transport::detail::fillSlot(static_cast<int>(e), dev);
        }
        *productId = static_cast<uint32_t>(openedProductId ? openedProductId : in.deviceTarget);
        return 0;
    }

    int32_t save() {
        return save::threadMethodSave(in, [this](uint32_t* pid, char* m) { return openSimulated(pid, m); }, stop);
    }

    void setVersion(int chip, std::vector<uint8_t> v) { family_[chip]->setVersion(std::move(v)); }
    void failVersion(int chip) { family_[chip]->setAnswer(sim::Format::A, 0x01, sim::Answer{2, {}}); }

    sim::SettingBlocksModel& chip(int i = 0) { return *chip_[i]; }
    sim::BlockHeadsetModel& family(int i = 0) { return *family_[i]; }
    sim::CsrFamilyHeadset& csr(size_t i = 0) { return *csr_.at(i); }

    save::DeviceSettingsSaveInput in;
    std::atomic<bool> stop{false};
    bool openFails = false;
    int32_t openedProductId = 0;  // 0: the target
    platform::VirtualClock clock_;
    std::shared_ptr<sim::BlockHeadsetModel> family_[2];
    std::shared_ptr<sim::SettingBlocksModel> chip_[2];
    std::vector<std::shared_ptr<sim::CsrFamilyHeadset>> csr_;
    std::unique_ptr<sim::SimHeadset> sim_;
};

}  // namespace settings::testing
