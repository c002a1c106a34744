// Next on the firmware pages: the page it leads to by model, USB status and firmware version.
#include <gtest/gtest.h>

#include "update/NextPage.h"

namespace {

using update::NextPage;

struct Case {
    int32_t model, usb, major, minor;
    NextPage next;
};

TEST(NextPage, FollowsTheRowsInOrder) {
    const Case cases[] = {
        {0x6838, 0xE838, 9, 9, NextPage::deviceSelection},  // firmware-management mode first
        {0x5310, 0x5310, 1, 0, NextPage::deviceSelection},
        {0x3020, 0x3020, 1, 0, NextPage::deviceSelection},
        {0x6461, 0x6461, 2, 0, NextPage::speedDial},
        {0x6460, 0x6460, 2, 1, NextPage::deviceSettings},
        {0x6490, 0x6490, 1, 0, NextPage::speedDial},
        {0x6481, 0x6481, 1, 1, NextPage::deviceSettings},
        {0x4111, 0x4111, 9, 9, NextPage::speedDial},
        {0x3560, 0x3560, 1, 0, NextPage::deviceSelection},
        {0x3570, 0x3570, 1, 1, NextPage::deviceSettings},
        {0x3500, 0x3500, 2, 1, NextPage::deviceSelection},
        {0x3500, 0x3500, 3, 0, NextPage::deviceSettings},
        {0x6838, 0x6838, 0, 1, NextPage::deviceSettings},
    };
    for (const Case& c : cases) {
        device::ORVABluetoothDeviceData data;
        data.setDeviceVersionMajor(c.major);
        data.setDeviceVersionMinor(c.minor);
        EXPECT_EQ(update::nextPageFor(c.model, c.usb, data), c.next)
            << std::hex << c.model << " usb " << c.usb << std::dec << " v" << c.major << "." << c.minor;
    }
}

}  // namespace
