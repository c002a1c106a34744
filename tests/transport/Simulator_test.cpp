// The simulated headset itself, seen through the real hidapi: what every transport test relies on.
#include <hidapi.h>

#include "SimFixture.h"

using sim::hid;

TEST_F(SimTest, EnumerationShowsTheEntriesInListOrder) {
    ASSERT_NO_FATAL_FAILURE(plug({hid(0x6042).inDevice(7).withUsage(0x000C, 1), hid(0x2222).ofVendor(0x1111),
                                  hid(0x6042).inDevice(7).atInterface(3).withUsage(0xFF00, 1), hid(0x3120)}));
    struct Seen {
        uint16_t vendor, product;
        int interface;
        uint16_t page, usage;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    hid_device_info* devs = hid_enumerate(0, 0);
    for (hid_device_info* d = devs; d; d = d->next)
        seen.push_back({d->vendor_id, d->product_id, d->interface_number, d->usage_page, d->usage});
    hid_free_enumeration(devs);
    // Interfaces of one device stay together, under the position of its first entry.
    std::vector<Seen> want = {{0x3A6E, 0x6042, 0, 0x000C, 1},
                              {0x3A6E, 0x6042, 3, 0xFF00, 1},
                              {0x1111, 0x2222, 0, 0xFF00, 1},
                              {0x3A6E, 0x3120, 0, 0xFF00, 1}};
    EXPECT_EQ(seen, want);
}

// The node is a FIFO that holds a byte only while a report waits: a reader really waits, and
// waiting costs no handler calls (a plain-file node would make it spin).
TEST_F(SimTest, ReadOnAQuietDeviceWaitsWithoutCallingTheDevice) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    hid_device* dev = usbhid_slot(0);
    unsigned before = sim_->testbed().handlerCalls();
    uint8_t report[kLongReplySize];
    EXPECT_EQ(hid_read_timeout(dev, report, sizeof report, 50), 0);
    EXPECT_EQ(sim_->testbed().handlerCalls(), before);

    model().pushInput({1, 0x42, 0, 7});
    EXPECT_EQ(hid_read_timeout(dev, report, sizeof report, 1000), 4);
    EXPECT_EQ(report[1], 0x42);
    EXPECT_EQ(sim_->testbed().handlerCalls(), before + 1);
}

TEST_F(SimTest, UnpluggedDeviceFailsEveryCallAndLeavesTheEnumeration) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    hid_device* dev = usbhid_slot(0);
    sim_->unplug();
    uint8_t report[kLongRequestSize] = {1, 0x01};
    EXPECT_EQ(hid_read_timeout(dev, report, kLongReplySize, 1000), -1);
    EXPECT_EQ(hid_write(dev, report, kLongRequestSize), -1);
    uint8_t fragment[kShortReportSize] = {2};
    EXPECT_EQ(hid_get_input_report(dev, fragment, sizeof fragment), -1);
    hid_device_info* devs = hid_enumerate(0, 0);
    EXPECT_EQ(devs, nullptr);
    hid_free_enumeration(devs);
}

// hidapi's device information needs the node's device number, which the fstat shim supplies.
TEST_F(SimTest, OpenDeviceDescribesItself) {
    ASSERT_NO_FATAL_FAILURE(openHeadset(0x6042));
    hid_device_info* info = hid_get_device_info(usbhid_slot(0));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->vendor_id, 0x3A6E);
    EXPECT_EQ(info->product_id, 0x6042);
    wchar_t product[64] = L"";
    EXPECT_EQ(hid_get_product_string(usbhid_slot(0), product, 64), 0);
    EXPECT_STREQ(product, L"Simulated headset");
}

// A headset that restarts leaves the bus and comes back as the same device, which opens and
// answers again; a device beside it stays.
TEST_F(SimTest, DeviceThatLeftComesBackWithItsIdsAndInterfaces) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::hid(0x6042).inDevice(0).atInterface(0).withUsage(0x000C, 1),
                                  sim::hid(0x6042).inDevice(0).atInterface(3), sim::hid(0x3120)}));
    const auto listed = [] {
        std::vector<std::pair<uint16_t, int>> out;
        hid_device_info* devs = hid_enumerate(0, 0);
        for (hid_device_info* e = devs; e; e = e->next) out.emplace_back(e->product_id, e->interface_number);
        hid_free_enumeration(devs);
        return out;
    };
    const auto before = listed();
    ASSERT_EQ(before.size(), 3u);
    for (int round = 0; round < 2; ++round) {
        sim_->testbed().leaveBus(1);
        EXPECT_FALSE(sim_->testbed().onBus(0));
        EXPECT_EQ(listed(), (std::vector<std::pair<uint16_t, int>>{{0x3120, 0}}));
        uint32_t pid = 0;
        char message[kOpenMessageSize] = "";
        EXPECT_EQ(usbhid_open_headset(&pid, message), -2);
        sim_->testbed().plugIn(0);
        EXPECT_TRUE(sim_->testbed().onBus(1));
        EXPECT_EQ(listed(), before);
        ASSERT_EQ(usbhid_open_headset(&pid, message), 0);
        EXPECT_EQ(pid, 0x6042u);
        uint8_t request[kLongRequestSize] = {1, 0x01};
        uint8_t reply[kLongReplySize] = {};
        EXPECT_TRUE(usbhid_command(0, request, reply));
        usbhid_close_all();
    }
}
