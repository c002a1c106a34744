// What the HID settings tests share: the worker tests' controller, context and bus, with
// headsets whose chips hold setting blocks (one chip on slot 0, or two chips on slots 0 and 1).
// The chips answer whatever product id the case selects as the target.
#pragma once

#include <memory>

#include "RecognitionFixture.h"
#include "sim/SettingBlocksModel.h"

namespace recognition::testing {

class HidSettingsTest : public RecognitionSimTest {
  protected:
    // A mark: a speaker type that no read gives.
    static constexpr int32_t kSpeakerTypeBefore = 99;

    void plug(int32_t target, bool twoChips = false) {
        usbhid_close_all();
        sim_.reset();
        chips_[0] = std::make_shared<sim::SettingBlocksModel>();
        chips_[1] = std::make_shared<sim::SettingBlocksModel>();
        std::vector<sim::HidInterface> entries = {sim::hid(0x6838).servedBy(chips_[0])};
        if (twoChips) entries.push_back(sim::hid(0x6839).servedBy(chips_[1]));
        ASSERT_NO_FATAL_FAILURE(RecognitionSimTest::plug(std::move(entries)));
        ASSERT_NO_FATAL_FAILURE(openInto(0, 0));
        if (twoChips) {
            ASSERT_NO_FATAL_FAILURE(openInto(1, 1));
        }
        controller.target = target;
        controller.speaker = kSpeakerTypeBefore;
        ctx.request[0] = 1;
    }

    sim::SettingBlocksModel& chip(int slot = 0) { return *chips_[static_cast<size_t>(slot)]; }
    device::ORVABluetoothDeviceData& data() { return controller.record; }

    void setVersion(int major, int minor, int secondary = 0) {
        data().setDeviceVersionMajor(major, minor);
        data().setDeviceSecondaryVersion(secondary);
    }

    std::shared_ptr<sim::SettingBlocksModel> chips_[2];
};

}  // namespace recognition::testing
