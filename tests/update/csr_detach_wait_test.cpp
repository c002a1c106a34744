// The wait for a detached CSR headset to come back in firmware-management mode, against a
// simulated headset that restarts as a real one does: it stays on the bus in normal mode for a
// moment after the reset, is gone, and enumerates again in firmware-management mode after a
// delay, or never. On the virtual clock.
#include "CsrRoadFixture.h"

namespace csr_road_test {
namespace {

using T = update::UpdateTexts;
constexpr uint8_t kDetachRequest = 0, kDownloadRequest = 1;  // DFU class requests

class DetachWait : public CsrRoad {
  protected:
    // A 0x4D10 in normal mode that comes back backAfterMs after its reset.
    void plugRestarting(std::optional<int64_t> backAfterMs, std::vector<sim::CsrStore> others = {}) {
        std::vector<sim::CsrStore> units = {unit(0x4D10)};
        units.insert(units.end(), others.begin(), others.end());
        ASSERT_NO_FATAL_FAILURE(plug(units));
        headset().restartsAfterDetach(bus(), 0, clock, backAfterMs);
    }
};

TEST_F(DetachWait, HeadsetBackAfterTwoAndAHalfSecondsIsTakenAndTheNextRunDownloads) {
    ASSERT_NO_FATAL_FAILURE(plugRestarting(2500));
    const auto image = firmware(3000);

    update();
    EXPECT_TRUE(page.updateFinished);
    EXPECT_FALSE(page.updateSucceeded);
    EXPECT_EQ(page.updateRestoreError, 1) << status();
    EXPECT_EQ(page.updateProcessed, 5) << "the download base";
    ASSERT_EQ(controller.boxes.size(), 1u);
    EXPECT_EQ(controller.boxes[0].message, "re-plug");
    ASSERT_EQ(controller.closedAtMs.size(), 1u);
    EXPECT_EQ(controller.closedAtMs[0] - controller.boxes[0].atMs, 3'000) << "taken by the pass 3 s after the reset";
    EXPECT_FALSE(page.openedMessageBox);
    EXPECT_EQ(headset().dfuDetaches(), 1);
    EXPECT_TRUE(headset().inDfuMode());
    EXPECT_TRUE(dfuRequests(kDownloadRequest).empty());
    EXPECT_TRUE(nothingOpen());

    // Recognition finds the headset in firmware-management mode; the user updates again. No box
    // stands in the way of the progress until the headset is asked to be switched off and on.
    controller.usb = 0xCD10;
    std::vector<bool> boxOpenAtBlocks;
    headset().onControl([&](const sim::UsbSetup& s, const uint8_t*) {
        if (s.request == kDownloadRequest) boxOpenAtBlocks.push_back(page.openedMessageBox.load());
    });
    update();
    EXPECT_TRUE(page.updateSucceeded) << status();
    EXPECT_EQ(headset().dfuImage(), image);
    EXPECT_FALSE(headset().inDfuMode());
    EXPECT_EQ(boxOpenAtBlocks, std::vector<bool>(4, false)) << "three blocks and the final one";
    ASSERT_EQ(controller.boxes.size(), 1u);
    EXPECT_EQ(controller.boxes[0].message, "switch off and on");
    EXPECT_TRUE(nothingOpen());
}

TEST_F(DetachWait, HeadsetThatNeverComesBackGetsTheFailureBoxThenTheEnd) {
    ASSERT_NO_FATAL_FAILURE(plugRestarting(std::nullopt));
    firmware(100);
    update();
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_EQ(status(), failure(T::qelm_string_cannot_identify_device_in(0), " [0 / 1]"));
    ASSERT_EQ(controller.boxes.size(), 2u);
    EXPECT_EQ(controller.boxes[1].message, "re-plug failed");
    EXPECT_EQ(controller.boxes[1].size, 1);
    EXPECT_EQ(controller.boxes[1].atMs - controller.boxes[0].atMs, 60'000) << "after pass 60";
    ASSERT_EQ(controller.closedAtMs.size(), 2u);
    EXPECT_EQ(controller.closedAtMs[1] - controller.boxes[0].atMs, 300'000) << "after 300 passes";
    EXPECT_FALSE(page.openedMessageBox);
    EXPECT_EQ(headset().dfuDetaches(), 1);
}

TEST_F(DetachWait, SecondFirmwareManagementDeviceOfTheVendorIsNotTakenForTheHeadset) {
    // Another unit of the vendor, already in firmware-management mode, is plugged in while the
    // headset restarts; both show up at the same pass.
    ASSERT_NO_FATAL_FAILURE(plugRestarting(2500, {unit(0x4D20, true)}));
    bus().unplug(1);
    headset().onControl([this](const sim::UsbSetup& s, const uint8_t*) {
        if (s.requestType == 0x21 && s.request == kDetachRequest) clock.after(2'400, [this] { bus().plugBack(1); });
    });
    firmware(100);
    update();
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_EQ(status(), failure(T::qelm_string_cannot_identify_device_in(0), " [2 / 1]"));
    EXPECT_FALSE(page.openedMessageBox);
    EXPECT_TRUE(dfuRequests(kDownloadRequest, 1).empty());
    EXPECT_TRUE(dfuRequests(kDownloadRequest).empty());
}

}  // namespace
}  // namespace csr_road_test
