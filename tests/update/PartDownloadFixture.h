// What the HID part-download family tests share: a headset of the family (one or two chips in one
// USB device) on the simulated bus, opened with the any-headset opener (the program's own open
// passes these models over), restarting on the virtual clock; and their firmware containers.
#pragma once

#include <memory>

#include "AnyHeadsetOpener.h"
#include "UpdateWorkerFixture.h"
#include "sim/PartDownloadHeadset.h"
#include "sim/SimHeadset.h"

namespace part_download {

struct PartSpec {
    uint32_t type;    // long table +0 (short table: the chip target at +0)
    uint8_t target;   // the byte sent with 0x05
    size_t length;
    uint32_t major = 0, minor = 0;  // long table +16, +20 (the camera part's version)
};

inline std::vector<unsigned char> partBytes(size_t n, unsigned char seed) {
    std::vector<unsigned char> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(seed + i * 13);
    return out;
}

inline test_support::ArchiveBytes container(uint32_t model, const std::vector<PartSpec>& specs,
                                            test_support::Layout layout = test_support::Layout::long_table) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "PARTS";
    recipe.header_id = model;
    recipe.layout = layout;
    recipe.parts.clear();
    unsigned char seed = 1;
    for (const PartSpec& s : specs) {
        test_support::ArchiveEntry e(partBytes(s.length, seed++));
        e.number = s.type;
        e.flag = s.target;
        e.target = s.target;
        e.word0 = s.type;
        e.versions = {s.major, s.minor, 0, 0, 0};
        recipe.parts.push_back(std::move(e));
    }
    return test_support::make_archive(recipe);
}

class PartDownloadTest : public UpdateWorkerTest {
  protected:
    void SetUp() override {
        if (!sim::HidrawTestbed::preloaded()) GTEST_SKIP() << "needs the umockdev preload (CTest sets it)";
        UpdateWorkerTest::SetUp();
        controller.mode_ = 6;
        run.openHeadset = openAnyHeadset;
    }
    void TearDown() override {
        UpdateWorkerTest::TearDown();
        sim_.reset();
        platform::setVolumesForTesting(std::nullopt);
    }

    // The headset of model `pid` with the record's version; two chips share one USB device.
    void plug(uint16_t pid, bool twoChips = false) {
        controller.target = controller.usb = pid;
        run.record.setDeviceRecognized(pid);
        headset = std::make_shared<sim::PartDownloadHeadset>();
        std::vector<sim::HidInterface> entries{sim::hid(pid).servedBy(headset).inDevice(0)};
        if (twoChips) {
            second = std::make_shared<sim::PartDownloadHeadset>();
            second->setVersion({2, 1, 0, 0});
            run.record.setDeviceVersionMajor01(1);
            run.record.setDeviceVersionMinor01(2);
            run.record.setDeviceVersionMajor02(2);
            run.record.setDeviceVersionMinor02(1);
            entries.push_back(sim::hid(pid).servedBy(second).inDevice(0).atInterface(1));
        }
        sim_ = std::make_unique<sim::SimHeadset>(entries);
        ASSERT_TRUE(sim_->mocked());
        headset->restartsOn(sim_->testbed(), 0, clock);
        headset->setRequestBytes(requestBytes);
        if (second) {
            second->restartsOn(sim_->testbed(), 1, clock);
            second->setRequestBytes(requestBytes);
        }
    }

    // The part-download families keep one request buffer for every command; the others send
    // zero-filled requests, which the simulated headsets insist on.
    sim::RequestBytes requestBytes = sim::RequestBytes::zeroFilled;
    std::shared_ptr<sim::PartDownloadHeadset> headset, second;
    std::unique_ptr<sim::SimHeadset> sim_;
};

}  // namespace part_download
