// USB DFU 1.0 through the real libusb 0.1 on simulated headsets: the class requests, finding the
// DFU interface, listing and opening DFU devices with the claim retries, and a whole download with
// detach and re-enumeration.
#include "transport/UsbDfu.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <vector>

#include "CsrSimFixture.h"
#include "sim/UsbDescriptors.h"

namespace {

using sim::DfuMachine;

sim::UsbDevice plainDevice(sim::Bytes descriptors) {
    return sim::usbDevice(std::make_shared<sim::DescriptorOnlyDevice>(std::move(descriptors)));
}

// A device of the maker's with a vendor interface and no DFU interface.
sim::Bytes noDfuDescriptors(uint16_t product) {
    sim::UsbInterfaceDesc own;
    own.cls = 0xFF;
    sim::Bytes d = sim::deviceDescriptor(0x3A6E, product, 0);
    sim::Bytes c = sim::configDescriptor(1, {own});
    d.insert(d.end(), c.begin(), c.end());
    return d;
}

std::vector<unsigned> productsOf(struct usb_device** devices, int count) {
    std::vector<unsigned> ids;
    for (int i = 0; i < count; ++i) ids.push_back(devices[i]->descriptor.idProduct);
    std::sort(ids.begin(), ids.end());
    return ids;
}

class UsbDfuTest : public CsrSimTest {
  protected:
    void TearDown() override {
        closeAll();
        CsrSimTest::TearDown();
    }

    // What the update worker does with each handle at the end.
    void closeAll() {
        for (usb_dev_handle*& h : handles_) {
            if (!h) continue;
            usb_release_interface(h, 0);
            usb_reset(h);
            usb_close(h);
            h = nullptr;
        }
    }

    // Polls the status while the device is busy, waiting its poll time-out on the clock.
    int statusAfterPolling(usb_dev_handle* h, unsigned char (&status)[6]) {
        for (int polls = 0; polls < 50; ++polls) {
            int r = dfu_get_status(h, 0, status);
            if (r < 0 || status[4] != DfuMachine::dfuDNBUSY) return r;
            platform::sleepMs(status[1] | status[2] << 8 | status[3] << 16);
        }
        return -1;
    }

    // libusb 0.1 lists in the order its directory reads give: which simulated device it lists
    // at `position`.
    size_t listedAt(int mode, int position) {
        struct usb_device* devices[DFU_MAX_LISTED] = {};
        int count = dfu_list_devices(mode, devices, DFU_MAX_LISTED);
        if (position >= count) return bus().size();
        std::string node = std::string("/dev/bus/usb/") + devices[position]->bus->dirname + "/" +
                           devices[position]->filename;
        for (size_t i = 0; i < bus().size(); ++i)
            if (bus().devnode(i) == node) return i;
        return bus().size();
    }

    usb_dev_handle* handles_[2] = {nullptr, nullptr};
};

TEST_F(UsbDfuTest, ClassRequestsCarryTheirFieldsAndData) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x4D10, true)}));
    sim::DfuMachine::Behaviour behaviour;
    behaviour.pollTimeoutMs = 0x012345;
    behaviour.upload = {1, 2, 3, 4, 5};
    headset().setDfu(behaviour);
    ASSERT_EQ(dfu_open_devices(2, handles_, 1), 1);
    usb_dev_handle* h = handles_[0];
    unsigned char buffer[16] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};
    unsigned char status[6] = {};
    unsigned char state = 0xFF;

    struct Case {
        const char* name;
        std::function<int()> call;
        int result;
        DfuMachine::Request request;
    };
    const Case cases[] = {
        {"status", [&] { return dfu_get_status(h, 0, status); }, 6, {0xA1, 3, 0, 0, 6}},
        {"state", [&] { return dfu_get_state(h, 0, &state); }, 1, {0xA1, 5, 0, 0, 1}},
        {"download block 3", [&] { return dfu_download(h, 0, 3, buffer, 16); }, 16, {0x21, 1, 3, 0, 16}},
        {"status after a block", [&] { return dfu_get_status(h, 0, status); }, 6, {0xA1, 3, 0, 0, 6}},
        {"abort", [&] { return dfu_abort(h, 0); }, 0, {0x21, 6, 0, 0, 0}},
        {"upload", [&] { return dfu_upload(h, 0, 0, buffer, 16); }, 5, {0xA1, 2, 0, 0, 16}},
        {"request 7", [&] { return dfu_request_7(h, 0); }, 0, {0x21, 7, 0, 0, 0}},
        {"clear status in dfuIDLE stalls", [&] { return dfu_clear_status(h, 0); }, -1, {0x21, 4, 0, 0, 0}},
        {"clear status in dfuERROR", [&] { return dfu_clear_status(h, 0); }, 0, {0x21, 4, 0, 0, 0}},
        {"detach in DFU mode stalls", [&] { return dfu_detach(h, 0); }, -1, {0x21, 0, 5000, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int r = c.call();
        if (c.result < 0) {
            EXPECT_LT(r, 0);
        } else {
            EXPECT_EQ(r, c.result);
        }
        DfuMachine::Request sent = headset().dfuRequests().back();
        EXPECT_EQ(sent.requestType, c.request.requestType);
        EXPECT_EQ(sent.request, c.request.request);
        EXPECT_EQ(sent.value, c.request.value);
        EXPECT_EQ(sent.index, c.request.index);
        EXPECT_EQ(sent.length, c.request.length);
    }
    EXPECT_EQ(state, DfuMachine::dfuIDLE);
    EXPECT_EQ(std::vector<unsigned char>(status, status + 6),
              (std::vector<unsigned char>{0, 0x45, 0x23, 0x01, DfuMachine::dfuDNLOAD_IDLE, 0}));
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 5), (std::vector<unsigned char>{1, 2, 3, 4, 5}));
    ASSERT_EQ(headset().dfuBlocks().size(), 1u);
    EXPECT_EQ(headset().dfuBlocks()[0].number, 3);
    EXPECT_EQ(headset().dfuVendorRequests7(), 1);
}

TEST_F(UsbDfuTest, RequestsRefuseMissingHandlesAndBuffers) {
    unsigned char buffer[6] = {};
    const std::function<int()> calls[] = {
        [&] { return dfu_detach(nullptr, 0); },
        [&] { return dfu_download(nullptr, 0, 0, buffer, 6); },
        [&] { return dfu_upload(nullptr, 0, 0, buffer, 6); },
        [&] { return dfu_get_status(nullptr, 0, buffer); },
        [&] { return dfu_clear_status(nullptr, 0); },
        [&] { return dfu_get_state(nullptr, 0, buffer); },
        [&] { return dfu_abort(nullptr, 0); },
        [&] { return dfu_request_7(nullptr, 0); },
    };
    for (const auto& call : calls) EXPECT_EQ(call(), -5);

    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x4D10, true)}));
    ASSERT_EQ(dfu_open_devices(2, handles_, 1), 1);
    usb_dev_handle* h = handles_[0];
    EXPECT_EQ(dfu_get_status(h, 0, nullptr), -5);
    EXPECT_EQ(dfu_get_state(h, 0, nullptr), -5);
    EXPECT_EQ(dfu_upload(h, 0, 0, nullptr, 6), -5);
    EXPECT_EQ(dfu_download(h, 0, 0, nullptr, 6), -5);
    EXPECT_EQ(dfu_download(h, 0, 0, buffer, -1), -5);
    EXPECT_TRUE(headset().dfuRequests().empty());
}

TEST(UsbDfuInterfaceTest, FirstDfuInterfaceOverConfigurationsInterfacesAndAlternates) {
    // Descriptor records as libusb 0.1 fills them.
    auto alt = [](uint8_t number, uint8_t cls, uint8_t sub, uint8_t protocol) {
        usb_interface_descriptor d{};
        d.bInterfaceNumber = number;
        d.bInterfaceClass = cls;
        d.bInterfaceSubClass = sub;
        d.bInterfaceProtocol = protocol;
        return d;
    };
    usb_interface_descriptor hci = alt(0, 0xE0, 1, 1), dfu1 = alt(1, 0xFE, 1, 0);
    usb_interface_descriptor voiceAlts[] = {alt(3, 0xE0, 1, 1), alt(3, 0xFE, 1, 0)};
    usb_interface_descriptor dfuMode11 = alt(4, 0xFE, 1, 2), upgrade = alt(5, 0xFE, 2, 0);
    usb_interface first[] = {{&hci, 1}, {&dfuMode11, 1}, {&upgrade, 1}};
    usb_interface second[] = {{&hci, 1}, {voiceAlts, 2}, {&dfu1, 1}};
    usb_config_descriptor configs[2] = {};
    configs[0].bNumInterfaces = 3;
    configs[0].interface = first;
    configs[1].bNumInterfaces = 3;
    configs[1].interface = second;

    struct usb_device device {};
    device.descriptor.bNumConfigurations = 2;
    EXPECT_EQ(dfu_find_interface(&device), -1);  // no configuration
    device.config = configs;
    EXPECT_EQ(dfu_find_interface(&device), 3);  // the alternate setting of interface 3 comes first
    device.descriptor.bNumConfigurations = 1;
    EXPECT_EQ(dfu_find_interface(&device), -1);  // DFU 1.1 protocol and another subclass do not count
    EXPECT_EQ(dfu_find_interface(nullptr), -1);
}

TEST_F(UsbDfuTest, ListingByModeSkipsHubsAndDevicesWithoutDfu) {
    ASSERT_NO_FATAL_FAILURE(
        plug({plainDevice(sim::hubDescriptors(0x3A6E, 0x9001, true)), sim::csrHeadset(0x4D10),
              sim::csrHeadset(0x5310, true), plainDevice(sim::dfuCapableDescriptors(0x0A12, 0x0001)),
              plainDevice(noDfuDescriptors(0x4D30)), plainDevice(sim::dfuCapableDescriptors(0x1111, 0))}));
    const struct {
        int mode, n;
        std::vector<unsigned> products;
    } cases[] = {
        {1, 30, {0x0000, 0x0001, 0x4D10}},          // run-time ids, any maker
        {2, 30, {0x0000, 0xD310}},                  // DFU-mode ids, and 0
        {0, 30, {0x0000, 0x0001, 0x4D10, 0xD310}},  // everything with a DFU interface
        {2, 1, {}},                                 // one of the two
        {1, 0, {}},
        {1, -1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", n " << c.n);
        struct usb_device* devices[30] = {};
        int count = dfu_list_devices(c.mode, devices, c.n);
        if (c.n == 1) {
            ASSERT_EQ(count, 1);
            EXPECT_TRUE(devices[0]->descriptor.idProduct == 0 || devices[0]->descriptor.idProduct == 0xD310);
        } else {
            EXPECT_EQ(productsOf(devices, count), c.products);
        }
    }
}

TEST_F(UsbDfuTest, OpeningClaimsTheFirstDeviceWithRetriesAndTheSecondOnItsDfuInterface) {
    const std::vector<int> twelveInterfaces = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    struct Case {
        const char* name;
        std::vector<std::pair<uint16_t, bool>> devices;  // run-time id, DFU mode
        int mode, n;
        std::function<void()> fault;
        int result;
        std::vector<std::vector<int>> claims;  // claim attempts per device, in device order
    };
    std::vector<Case> cases = {
        {"one listed of two asked", {{0x4D10, true}}, 2, 2, [] {}, 1, {{0}}},
        {"nothing listed", {{0x4D10, false}}, 2, 2, [] {}, 0, {{}}},
        {"nothing asked", {{0x4D10, true}}, 2, 0, [] {}, 0, {{}}},
        {"two in DFU mode", {{0x5310, true}, {0x5310, true}}, 2, 2, [] {}, 2, {{0}, {0}}},
        {"more asked than there is room for", {{0x5310, true}, {0x5310, true}}, 2, 3, [] {}, 2, {{0}, {0}}},
        {"first busy once",
         {{0x4D10, true}},
         2,
         1,
         [this] { headset().failClaims({EBUSY}); },
         1,
         {{0, 1, 0}}},
        {"first missing once",
         {{0x4D10, false}},
         1,
         1,
         [this] { headset().failClaims({ENOENT}); },
         1,
         {{0, 0}}},
        {"first missing always",
         {{0x4D10, true}},
         2,
         1,
         [this] { headset().failClaimsAlways(ENOENT); },
         0,
         {{0, 0}}},
        {"first busy always",
         {{0x4D10, true}},
         2,
         1,
         [this] { headset().failClaimsAlways(EBUSY); },
         0,
         {twelveInterfaces}},
        {"second busy",
         {{0x5310, true}, {0x5310, true}},
         2,
         2,
         [this] { headset(listedAt(2, 1)).failClaimsAlways(EBUSY); },
         1,
         {{0}, {0}}},
        {"first gone after the scan",
         {{0x4D10, true}},
         2,
         1,
         [this] { bus().removeNodeAfterScan(0); },
         0,
         {{}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<sim::UsbDevice> devices;
        for (auto [id, dfu] : c.devices) devices.push_back(sim::csrHeadset(id, dfu));
        ASSERT_NO_FATAL_FAILURE(plug(devices));
        c.fault();
        usb_dev_handle* out[3] = {nullptr, nullptr, nullptr};
        int r = dfu_open_devices(c.mode, out, c.n);
        EXPECT_EQ(r, c.result);
        std::multiset<std::vector<int>> claims, expected(c.claims.begin(), c.claims.end());
        for (size_t i = 0; i < bus().size(); ++i) claims.insert(headset(i).claimAttempts());
        EXPECT_EQ(claims, expected);
        EXPECT_EQ(out[2], nullptr);
        for (int i = std::max(r, 0); i < 3; ++i) EXPECT_EQ(out[i], nullptr) << i;
        std::copy(out, out + 2, handles_);
        closeAll();
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(UsbDfuTest, RunTimeDeviceClaimsInterfaceZeroAndTheSecondItsDfuInterface) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x5310), sim::csrHeadset(0x5310)}));
    ASSERT_EQ(dfu_open_devices(1, handles_, 2), 2);
    std::multiset<std::set<int>> claimed = {headset(0).claimed(), headset(1).claimed()};
    EXPECT_EQ(claimed, (std::multiset<std::set<int>>{{0}, {2}}));
}

TEST_F(UsbDfuTest, DownloadAfterDetachIsReassembledAndTheHeadsetComesBack) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x4D10)}));
    sim::DfuMachine::Behaviour behaviour;
    behaviour.busyPerBlock = 2;
    behaviour.pollTimeoutMs = 40;
    headset().setDfu(behaviour);
    std::vector<unsigned char> image(5000);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>((i * 131) ^ (i >> 7));

    // Run-time mode: detach on the DFU interface, then reset.
    struct usb_device* listed[1];
    ASSERT_EQ(dfu_list_devices(1, listed, 1), 1);
    int dfuInterface = dfu_find_interface(listed[0]);
    EXPECT_EQ(dfuInterface, 2);
    ASSERT_EQ(dfu_open_devices(1, handles_, 1), 1);
    EXPECT_EQ(dfu_detach(handles_[0], dfuInterface), 0);
    closeAll();
    EXPECT_EQ(headset().productId(), 0xCD10);
    EXPECT_EQ(bus().reenumerations(0), 1);

    // DFU mode, at its new address.
    ASSERT_EQ(dfu_open_devices(1, handles_, 1), 0);
    ASSERT_EQ(dfu_open_devices(2, handles_, 1), 1);
    usb_dev_handle* h = handles_[0];
    unsigned char status[6];
    ASSERT_EQ(dfu_get_status(h, 0, status), 6);
    ASSERT_EQ(status[4], DfuMachine::dfuIDLE);
    const int blockSize = 1023;
    int block = 0;
    for (size_t at = 0; at < image.size(); at += blockSize, ++block) {
        int length = static_cast<int>(std::min<size_t>(blockSize, image.size() - at));
        ASSERT_EQ(dfu_download(h, 0, block, image.data() + at, length), length);
        ASSERT_EQ(statusAfterPolling(h, status), 6);
        ASSERT_EQ(status[4], DfuMachine::dfuDNLOAD_IDLE);
    }
    EXPECT_EQ(dfu_download(h, 0, block, nullptr, 0), 0);
    ASSERT_EQ(dfu_get_status(h, 0, status), 6);
    EXPECT_EQ(status[4], DfuMachine::dfuMANIFEST);
    EXPECT_EQ(dfu_request_7(h, 0), 0);
    closeAll();

    EXPECT_EQ(headset().dfuImage(), image);
    auto blocks = headset().dfuBlocks();
    ASSERT_EQ(blocks.size(), 5u);
    for (size_t i = 0; i < blocks.size(); ++i) EXPECT_EQ(blocks[i].number, i);
    EXPECT_TRUE(headset().dfuDownloadEnded());
    EXPECT_EQ(headset().dfuDetaches(), 1);
    EXPECT_EQ(headset().dfuVendorRequests7(), 1);
    EXPECT_EQ(clock_.sleptMs(), 5 * 2 * 40);  // two busy answers per block

    // Back at a third address with its run-time id, for both libraries.
    EXPECT_EQ(bus().reenumerations(0), 2);
    EXPECT_EQ(headset().productId(), 0x4D10);
    EXPECT_EQ(dfu_list_devices(2, listed, 1), 0);
    ASSERT_EQ(dfu_list_devices(1, listed, 1), 1);
    EXPECT_EQ(listed[0]->descriptor.idProduct, 0x4D10);
    uint32_t ids[2] = {};
    char message[CSR_MESSAGE_SIZE] = "";
    EXPECT_EQ(csr_usb_open(ids, message, 0), 0);
    EXPECT_EQ(ids[0], 0x4D10u);
    EXPECT_STREQ(message, "Device recognized successfully");
}

TEST_F(UsbDfuTest, ErrorStateIsClearedAndAFailedBlockShowsInTheStatus) {
    ASSERT_NO_FATAL_FAILURE(plug({sim::csrHeadset(0x4D10, true)}));
    sim::DfuMachine::Behaviour behaviour;
    behaviour.startInError = true;
    behaviour.failBlock = 1;
    headset().setDfu(behaviour);
    ASSERT_EQ(dfu_open_devices(2, handles_, 1), 1);
    usb_dev_handle* h = handles_[0];
    unsigned char status[6], block[8] = {};
    ASSERT_EQ(dfu_get_status(h, 0, status), 6);
    EXPECT_EQ(status[4], DFU_STATE_ERROR);
    EXPECT_EQ(dfu_clear_status(h, 0), 0);
    EXPECT_EQ(dfu_abort(h, 0), 0);
    ASSERT_EQ(dfu_get_status(h, 0, status), 6);
    EXPECT_EQ(status[4], DfuMachine::dfuIDLE);

    EXPECT_EQ(dfu_download(h, 0, 0, block, 8), 8);
    ASSERT_EQ(dfu_get_status(h, 0, status), 6);
    EXPECT_EQ(dfu_download(h, 0, 1, block, 8), 8);
    ASSERT_EQ(dfu_get_status(h, 0, status), 6);
    EXPECT_EQ(status[0], DfuMachine::errWRITE);
    EXPECT_EQ(status[4], DFU_STATE_ERROR);
    EXPECT_EQ(headset().dfuBlocks().size(), 1u);
}

}  // namespace
