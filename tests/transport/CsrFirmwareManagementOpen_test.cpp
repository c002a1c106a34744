// Opening a CSR headset in firmware-management mode through the real libusb 0.1 (its own bus
// scan, open and claim), and the one-second open retry with its failure costs.
#include <cerrno>
#include <string>
#include <vector>

#include "CsrSimFixture.h"
#include "sim/UsbDescriptors.h"

namespace {


sim::UsbDevice plainDevice(sim::Bytes descriptors, int bus = 1) {
    return sim::usbDevice(std::make_shared<sim::DescriptorOnlyDevice>(std::move(descriptors)), bus);
}

class CsrFirmwareManagementOpenTest : public CsrSimTest {
  protected:
    int open(uint32_t& id, std::string& message) {
        uint32_t ids[2] = {};
        char text[CSR_MESSAGE_SIZE] = "untouched";
        int r = csr_usb_open(ids, text, 1);
        id = ids[0];
        message = text;
        return r;
    }
};

TEST_F(CsrFirmwareManagementOpenTest, ProbeResults) {
    const std::vector<int> twelveInterfaces = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    struct Case {
        const char* name;
        std::vector<sim::UsbDevice> devices;
        std::function<void()> fault;
        int result;
        uint32_t id;
        const char* message;
        std::vector<int> claims;  // interfaces the last device was asked for
    };
    std::vector<Case> cases = {
        {"no device", {}, [] {}, 1, 0, kNotAvailable, {}},
        {"only a hub, another maker's device and a model without firmware management",
         {plainDevice(sim::hubDescriptors(0x3A6E, 0x4D10, true)),
          plainDevice(sim::dfuCapableDescriptors(0x0A12, 0x4D10)), sim::csrHeadset(0x6000)},
         [] {},
         1,
         0,
         kNotAvailable,
         {}},
        {"run-time headset behind a hub on another bus",
         {plainDevice(sim::hubDescriptors(0x3A6E, 0x0001, false)), sim::csrHeadset(0x4D10, false, 2)},
         [] {},
         0,
         0x4D10,
         kManagement,
         {0}},
        {"headset in DFU mode", {sim::csrHeadset(0x5310, true)}, [] {}, 0, 0xD310, kManagement, {0}},
        {"node gone after the scan",
         {sim::csrHeadset(0x4D10)},
         [this] { bus().removeNodeAfterScan(0); },
         2,
         0,
         "Cannot open device: No such file or directory (2)",
         {}},
        {"interface 0 busy once: interface 1 next",
         {sim::csrHeadset(0x4D10)},
         [this] { headset().failClaims({EBUSY}); },
         0,
         0x4D10,
         kManagement,
         {0, 1}},
        {"interface 0 missing once: interface 0 again",
         {sim::csrHeadset(0x4D10)},
         [this] { headset().failClaims({ENOENT}); },
         0,
         0x4D10,
         kManagement,
         {0, 0}},
        {"DFU mode busy: interface 1 does not exist, back to 0",
         {sim::csrHeadset(0x4D10, true)},
         [this] { headset().failClaims({EBUSY}); },
         0,
         0xCD10,
         kManagement,
         {0, 1, 0}},
        {"interface missing every time",
         {sim::csrHeadset(0x4D10)},
         [this] { headset().failClaimsAlways(ENOENT); },
         3,
         0,
         "Cannot claim interface: No such file or directory (2)",
         {0, 0}},
        {"busy every time: interfaces 0 to 11",
         {sim::csrHeadset(0x4D10)},
         [this] { headset().failClaimsAlways(EBUSY); },
         3,
         0,
         "Cannot claim interface: Device or resource busy (16)",
         twelveInterfaces},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool hasHeadset = !c.devices.empty();
        ASSERT_NO_FATAL_FAILURE(plug(std::move(c.devices)));
        c.fault();
        uint32_t id = 0;
        std::string message;
        EXPECT_EQ(open(id, message), c.result);
        EXPECT_EQ(id, c.id);
        EXPECT_EQ(message, c.message);
        if (hasHeadset) {
            auto* model = dynamic_cast<sim::UsbHeadsetModel*>(bus().endpoint(bus().size() - 1).get());
            if (model) {
                EXPECT_EQ(model->claimAttempts(), c.claims);
            }
        }
        if (c.result != 0) {
            EXPECT_TRUE(nothingOpen());
        }
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrFirmwareManagementOpenTest, CompatCloseReleasesAndCloses) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x4D10)}));
    uint32_t id = 0;
    std::string message;
    ASSERT_EQ(open(id, message), 0);
    EXPECT_EQ(bus().openHandles(0), 1);
    csr_usb_compat_close();
    EXPECT_TRUE(headset().claimed().empty());
    EXPECT_EQ(bus().openHandles(0), 0);
    csr_usb_compat_close();  // nothing left to close
}

TEST_F(CsrFirmwareManagementOpenTest, RetrySpendsItsBudgetOneSecondApart) {
    struct Case {
        const char* name;
        std::vector<sim::UsbDevice> devices;
        std::function<void()> fault;
        int budget;
        int result;
        int64_t sleptMs;
        const char* message;
    };
    std::vector<Case> cases = {
        {"no device: 20 tries", {}, [] {}, 20, 1, 20000, kNotAvailable},
        {"headset at once", {sim::csrHeadset(0x4D10)}, [] {}, 20, 0, 0, kManagement},
        // The failed open costs 2; the device is gone after it, each later try costs 1.
        {"open failure then nothing",
         {sim::csrHeadset(0x4D10)},
         [this] { bus().removeNodeAfterScan(0); },
         5,
         1,
         4000,
         kNotAvailable},
        {"claim failing: 2 each",
         {sim::csrHeadset(0x4D10)},
         [this] { headset().failClaimsAlways(EBUSY); },
         4,
         3,
         2000,
         "Cannot claim interface: Device or resource busy (16)"},
        {"no budget opens nothing", {sim::csrHeadset(0x4D10)}, [] {}, 0, 1, 0, kNotAvailable},
        {"negative budget opens nothing", {sim::csrHeadset(0x4D10)}, [] {}, -3, 1, 0, kNotAvailable},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool hasHeadset = !c.devices.empty();
        ASSERT_NO_FATAL_FAILURE(plug(std::move(c.devices)));
        c.fault();
        int64_t before = clock_.sleptMs();
        uint32_t ids[2] = {};
        char message[CSR_MESSAGE_SIZE] = "untouched";
        EXPECT_EQ(csr_usb_open_retry(ids, message, c.budget, 1), c.result);
        EXPECT_EQ(clock_.sleptMs() - before, c.sleptMs);
        EXPECT_STREQ(message, c.message);
        if (hasHeadset && c.budget < 1) {
            EXPECT_TRUE(headset().claimAttempts().empty());
            EXPECT_EQ(bus().scans(), 0u);
        }
        csr_usb_exit();
        sim_.reset();
    }
}

}  // namespace
