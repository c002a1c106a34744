// Opening CSR headsets in normal mode (libusb-1.0): which devices the id table takes, the
// two-device family, and what each failure leaves behind, on simulated devices.
#include <cerrno>
#include <string>
#include <vector>

#include "CsrSimFixture.h"
#include "sim/UsbDescriptors.h"

namespace {

constexpr const char* kRecognized = "Device recognized successfully";

struct Opened {
    int result;
    std::string message;
    uint32_t ids[2];
};

class CsrUsbOpenTest : public CsrSimTest {
  protected:
    Opened open() {
        Opened o{0, "", {0, 0}};
        char message[CSR_MESSAGE_SIZE] = "untouched";
        o.result = csr_usb_open(o.ids, message, 0);
        o.message = message;
        return o;
    }
};

// The tables themselves are checked id by id in CsrUsbIds_test; here rows of each kind go through
// the real library: first and last rows, a twin, and the three twins that are not bit 15.
TEST_F(CsrUsbOpenTest, RowsOfTheIdTableOpenWithTheirOwnProductId) {
    const struct {
        uint16_t runtime;
        bool dfu;
        uint32_t id;
        const char* message;
    } cases[] = {
        {0x4D10, false, 0x4D10, kRecognized}, {0x6025, false, 0x6025, kRecognized},
        {0x4D10, true, 0xCD10, kManagement},  {0x4120, true, 0xC120, kManagement},
        {0x6021, true, 0xE020, kManagement},  {0x6023, true, 0xE022, kManagement},
        {0x6025, true, 0xE024, kManagement},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "product id 0x" << c.id);
        ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(c.runtime, c.dfu)}));
        Opened o = open();
        EXPECT_EQ(o.result, 0);
        EXPECT_EQ(o.ids[0], c.id);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(csr_usb_device_count(), 1);
        EXPECT_EQ(headset().claimed(), std::set<int>{0});
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrUsbOpenTest, DevicesOutsideTheTableAreNotAvailable) {
    struct Case {
        const char* name;
        sim::UsbDevice device;
    };
    std::vector<Case> cases = {
        {"another maker's device", sim::usbDevice(std::make_shared<sim::DescriptorOnlyDevice>(
                                       sim::dfuCapableDescriptors(0x0A12, 0x4D10)))},
        {"product id the table lacks", sim::csrHeadset(0x6020)},
        {"bit 15 of a run-time id whose twin is another",
         sim::usbDevice(
             std::make_shared<sim::DescriptorOnlyDevice>(sim::dfuCapableDescriptors(0x3A6E, 0xE021)))},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plug({c.device}));
        Opened o = open();
        EXPECT_EQ(o.result, -1);
        EXPECT_EQ(o.message, kNotAvailable);
        EXPECT_EQ(csr_usb_device_count(), 0);
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrUsbOpenTest, ScanPassesOverOtherDevicesToTheHeadset) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::usbDevice(std::make_shared<sim::DescriptorOnlyDevice>(
                                      sim::hubDescriptors(0x3A6E, 0x0001, false))),
                                  sim::csrHeadset(0x6020), sim::csrHeadset(0x5010)}));
    Opened o = open();
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.ids[0], 0x5010u);
    EXPECT_EQ(headset(2).claimed(), std::set<int>{0});
}

TEST_F(CsrUsbOpenTest, TwoDeviceFamily) {
    struct Case {
        const char* name;
        std::vector<std::pair<uint16_t, bool>> devices;  // run-time id, DFU mode
        int result;
        const char* message;
        int count;
        uint32_t ids[2];
    };
    const Case cases[] = {
        {"two run-time devices", {{0x5310, false}, {0x5310, false}}, 0, kRecognized, 2, {0x5310, 0x5310}},
        {"second in DFU mode", {{0x5310, false}, {0x5310, true}}, 0, kManagement, 2, {0x5310, 0xD310}},
        {"first in DFU mode", {{0x5310, true}, {0x5310, false}}, 0, kManagement, 2, {0xD310, 0x5310}},
        {"one device alone", {{0x5310, false}}, 0, kRecognized, 1, {0x5310, 0}},
        {"second of another family",
         {{0x5310, false}, {0x4D10, false}},
         -5,
         "USB interface 2 Not Match USB interface 1",
         0,
         {0x5310, 0x4D10}},
        {"other family first: the scan ends there",
         {{0x4D10, false}, {0x5310, false}},
         0,
         kRecognized,
         1,
         {0x4D10, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<sim::UsbDevice> devices;
        for (auto [id, dfu] : c.devices) devices.push_back(sim::csrHeadset(id, dfu));
        ASSERT_NO_FATAL_FAILURE(plug(devices));
        Opened o = open();
        EXPECT_EQ(o.result, c.result);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(csr_usb_device_count(), c.count);
        EXPECT_EQ(o.ids[0], c.ids[0]);
        EXPECT_EQ(o.ids[1], c.ids[1]);
        if (c.result != 0) {
            EXPECT_TRUE(nothingOpen());
        }
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrUsbOpenTest, FailuresLeaveNothingOpen) {
    struct Case {
        const char* name;
        std::vector<uint16_t> ids;
        std::function<void()> fault;
        int result;
        const char* message;
    };
    const Case cases[] = {
        {"node gone", {0x4D10}, [this] { bus().removeNode(0); }, -1, kNotAvailable},
        {"interface busy",
         {0x4D10},
         [this] { headset().failClaimsAlways(EBUSY); },
         -3,
         "Cannot claim interface: Resource busy (-6)"},
        {"first of two busy",
         {0x5310, 0x5310},
         [this] { headset(0).failClaimsAlways(EBUSY); },
         -3,
         "Cannot claim interface: Resource busy (-6)"},
        {"second of two busy",
         {0x5310, 0x5310},
         [this] { headset(1).failClaimsAlways(EBUSY); },
         -4,
         "Cannot claim interface 2: Resource busy (-6)"},
        {"second of two gone", {0x5310, 0x5310}, [this] { bus().removeNode(1); }, 0, kRecognized},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<sim::UsbDevice> devices;
        for (uint16_t id : c.ids) devices.push_back(sim::csrHeadset(id));
        ASSERT_NO_FATAL_FAILURE(plug(devices));
        c.fault();
        Opened o = open();
        EXPECT_EQ(o.result, c.result);
        EXPECT_EQ(o.message, c.message);
        if (c.result != 0) {
            EXPECT_EQ(csr_usb_device_count(), 0);
            EXPECT_TRUE(nothingOpen());
        } else {
            EXPECT_EQ(csr_usb_device_count(), 1);  // the single device of a two-device model
        }
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrUsbOpenTest, CloseAllReleasesAndClosesEveryDevice) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x5310), sim::csrHeadset(0x5310)}));
    ASSERT_EQ(open().result, 0);
    ASSERT_EQ(csr_usb_select_device(1), 1);
    EXPECT_EQ(bus().openHandles(0) + bus().openHandles(1), 2);
    csr_usb_close_all();
    EXPECT_EQ(csr_usb_device_count(), 0);
    EXPECT_TRUE(headset(0).claimed().empty());
    EXPECT_TRUE(headset(1).claimed().empty());
    EXPECT_TRUE(nothingOpen());
    // The selection went back to slot 0 with the count.
    uint8_t value[2 * CSR_PSKEY_MAX_WORDS];
    uint16_t bytes = 0;
    EXPECT_EQ(csr_read_pskey(CSR_PSKEY_PRODUCT_ID, value, &bytes), -1);
}

TEST_F(CsrUsbOpenTest, SlotSelectionStaysWithinTheOpenedDevices) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x5310), sim::csrHeadset(0x5310)}));
    EXPECT_EQ(csr_usb_select_device(0), 0);  // nothing open yet
    ASSERT_EQ(open().result, 0);
    headset(0).setKey(CSR_PSKEY_PRODUCT_ID, {0x5310});
    headset(1).setKey(CSR_PSKEY_PRODUCT_ID, {0x4D10});
    const struct {
        int slot, result, answeringDevice;
    } cases[] = {{1, 1, 1}, {0, 1, 0}, {2, 0, 0}, {-1, 0, 0}, {1, 1, 1}, {5, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(csr_usb_select_device(c.slot), c.result);
        EXPECT_EQ(csr_read_product_id(), c.answeringDevice ? 0x4D10 : 0x5310);
    }
    csr_usb_close_all();
    ASSERT_EQ(open().result, 0);
    EXPECT_EQ(csr_read_product_id(), 0x5310);  // a new open starts on slot 0
}

TEST_F(CsrUsbOpenTest, NormalModeOpenIsNeverRepeated) {
    ASSERT_NO_FATAL_FAILURE(plug({}));
    uint32_t ids[2] = {};
    char message[CSR_MESSAGE_SIZE] = "";
    EXPECT_EQ(csr_usb_open_retry(ids, message, 20, 0), -1);
    EXPECT_STREQ(message, kNotAvailable);
    EXPECT_EQ(clock_.sleptMs(), 0);
}

}  // namespace
