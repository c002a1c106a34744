// Which enumeration entry each open routine picks, on the real hidapi over simulated devices.
#include <filesystem>
#include <functional>
#include <string>

#include "SimFixture.h"
#include "transport/HidExchange.h"

namespace {

using sim::hid;
using OpenRoutine = std::function<int(uint32_t*, char*)>;

constexpr const char* kUntouched = "untouched";
constexpr const char* kRecognized = "Device recognized successfully";

struct OpenCase {
    std::string name;
    OpenRoutine open;
    std::vector<sim::HidInterface> entries;
    int result;
    int openedEntry;  // the entry slot 0 talks to afterwards, -1 for none
};

std::vector<OpenCase> openCases() {
    OpenRoutine headset = usbhid_open_headset, mesh3120 = usbhid_open_mesh_3120, qcc = usbhid_open_qcc_mesh,
                airoha = usbhid_open_airoha_mesh, airoha33f0 = usbhid_open_airoha_mesh_33f0;
    const uint16_t consumer = 0x000C;
    return {
        {"HeadsetOn6838FirstInterfaceWhateverItsUsage",
         headset,
         {hid(0x6838).inDevice(1).withUsage(consumer, 1), hid(0x6838).inDevice(1).atInterface(1)},
         0,
         0},
        {"Headset6042OnlyOnItsVendorInterface",
         headset,
         {hid(0x6042).inDevice(1).withUsage(consumer, 1),
          hid(0x6042).inDevice(1).atInterface(1).withUsage(0xFF00, 2),
          hid(0x6042).inDevice(1).atInterface(2)},
         0,
         2},
        {"Headset6042WithoutVendorInterfaceIsNotOpened",
         headset,
         {hid(0x6042).withUsage(consumer, 1)},
         -2,
         -1},
        {"HeadsetPassesOverOtherVendorsAndProducts",
         headset,
         {hid(0x6838).ofVendor(0x1234), hid(0x3210), hid(0x5345), hid(0x6838)},
         0,
         3},
        {"HeadsetSkipsAnEntryThatFailsToOpen", headset, {hid(0x6838).failingOpen(), hid(0x6042)}, 0, 1},
        {"HeadsetWithOnlyFailingEntries", headset, {hid(0x6838).failingOpen()}, -2, -1},
        {"HeadsetWithNoDeviceAtAll", headset, {}, -2, -1},
        {"Mesh3120OnAnyInterface", mesh3120, {hid(0x6838), hid(0x3120).withUsage(consumer, 1)}, 0, 1},
        {"Mesh3120Absent", mesh3120, {hid(0x3121)}, -2, -1},
        {"QccMeshTakesEachOfItsProducts", qcc, {hid(0x6838), hid(0x6511).withUsage(consumer, 3)}, 0, 1},
        {"QccMeshTakes3220OnAnyInterface", qcc, {hid(0x3220).withUsage(consumer, 1)}, 0, 0},
        {"QccMeshTakes3160", qcc, {hid(0x3160)}, 0, 0},
        {"QccMeshTakes6501", qcc, {hid(0x6501)}, 0, 0},
        {"AirohaMeshOnlyOnVendorInterface",
         airoha,
         {hid(0x3220).inDevice(1).withUsage(consumer, 1), hid(0x3220).inDevice(1).atInterface(1)},
         0,
         1},
        {"AirohaMeshIgnoresOtherUsages", airoha, {hid(0x3220).withUsage(0xFF00, 2)}, -2, -1},
        {"Airoha33F0OnlyOnVendorInterface",
         airoha33f0,
         {hid(0x33F0).withUsage(0xFF01, 1), hid(0x33F0).atInterface(3)},
         0,
         1},
        {"Airoha33F0IgnoresThe3220", airoha33f0, {hid(0x3220)}, -2, -1},
    };
}

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class OpenRoutines : public SimTest, public ::testing::WithParamInterface<OpenCase> {};

// Which simulated entry a command sent on the slot reaches, -1 for none.
int entryReached(sim::SimHeadset& sim, size_t entries, int slot) {
    std::vector<size_t> before;
    for (size_t i = 0; i < entries; ++i) before.push_back(sim.model(i).requestCount());
    uint8_t request[kLongRequestSize] = {1, 0x12};
    uint8_t reply[kLongReplySize] = {};
    if (!usbhid_command(slot, request, reply)) return -1;
    for (size_t i = 0; i < entries; ++i)
        if (sim.model(i).requestCount() > before[i]) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST_P(OpenRoutines, OpenTheRightEntry) {
    const OpenCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug(c.entries));
    uint32_t pid = 0xDEAD;
    char message[kOpenMessageSize];
    std::snprintf(message, sizeof message, "%s", kUntouched);

    EXPECT_EQ(c.open(&pid, message), c.result);
    if (c.openedEntry >= 0) {
        EXPECT_EQ(pid, c.entries[c.openedEntry].productId);
        EXPECT_STREQ(message, kRecognized);
    } else {
        EXPECT_EQ(pid, 0xDEADu);
        EXPECT_STREQ(message, kUntouched);
    }
    EXPECT_EQ(entryReached(*sim_, c.entries.size(), 0), c.openedEntry);
    EXPECT_EQ(usbhid_slot(1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Transport, OpenRoutines, ::testing::ValuesIn(openCases()),
                         [](const auto& info) { return info.param.name; });

namespace {

struct PairCase {
    std::string name;
    std::vector<sim::HidInterface> entries;
    int kind;
    int result;
    int slot0Entry, slot1Entry;  // -1: the slot stays empty
};

void PrintTo(const PairCase& c, std::ostream* os) { *os << c.name; }

class DorskPair : public SimTest, public ::testing::WithParamInterface<PairCase> {};

}  // namespace

TEST_P(DorskPair, OpensBothPartsOrSaysHowManyWereFound) {
    const PairCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plug(c.entries));
    uint32_t pids[2] = {0xDEAD, 0xDEAD};
    char message[kOpenMessageSize];
    std::snprintf(message, sizeof message, "%s", kUntouched);

    EXPECT_EQ(usbhid_open_dorsk_pair(pids, message, c.kind), c.result);
    if (c.result == 0) {
        EXPECT_EQ(pids[0], 0x5345u);
        EXPECT_EQ(pids[1], 0x5346u);
        EXPECT_STREQ(message, kRecognized);
    } else {
        EXPECT_EQ(pids[0], 0xDEADu);
        EXPECT_STREQ(message, kUntouched);
    }
    EXPECT_EQ(entryReached(*sim_, c.entries.size(), 0), c.slot0Entry);
    EXPECT_EQ(entryReached(*sim_, c.entries.size(), 1), c.slot1Entry);
}

INSTANTIATE_TEST_SUITE_P(
    Transport, DorskPair,
    ::testing::ValuesIn(std::vector<PairCase>{
        {"BothParts", {hid(0x5345), hid(0x6838), hid(0x5346)}, 3, 0, 0, 2},
        {"BothPartsInEitherOrder", {hid(0x5346), hid(0x5345)}, 3, 0, 0, 1},
        {"KindTwoAlsoOpens", {hid(0x5345), hid(0x5346)}, 2, 0, 0, 1},
        {"OnePartOnly", {hid(0x5345)}, 3, -1, 0, -1},
        // A part that is there but does not open is no pair, though both were found.
        {"PartThatFailsToOpen", {hid(0x5345).failingOpen(), hid(0x5346)}, 3, -1, 1, -1},
        {"OtherVendorsPartsDoNotCount", {hid(0x5345).ofVendor(0x1234), hid(0x5346)}, 3, -1, 1, -1},
        {"NoPart", {hid(0x6838)}, 3, -2, -1, -1},
        {"NoDeviceAtAll", {}, 3, -2, -1, -1},
        {"OtherKindsFindNothing", {hid(0x5345), hid(0x5346)}, 1, -2, -1, -1},
    }),
    [](const auto& info) { return info.param.name; });

TEST_F(SimTest, HeadsetOpenShowsTheFirstEntryAndEachAttempt) {
    ASSERT_NO_FATAL_FAILURE(
        plug({hid(0x2222).ofVendor(0x1111), hid(0x6042).withUsage(0x000C, 1), hid(0x6838)}));
    uint32_t pid = 0;
    char message[kOpenMessageSize] = "";
    testing::internal::CaptureStdout();
    EXPECT_EQ(usbhid_open_headset(&pid, message), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "devs =[2222]\naaaa 6838\r\n");
}

TEST_F(SimTest, EmptyEnumerationPrintsNoLine) {
    ASSERT_NO_FATAL_FAILURE(plug({}));
    uint32_t pid = 0;
    char message[kOpenMessageSize] = "";
    testing::internal::CaptureStdout();
    EXPECT_EQ(usbhid_open_headset(&pid, message), -2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(SimTest, MeshOpenShowsEveryVendorEntryItMeets) {
    ASSERT_NO_FATAL_FAILURE(plug({hid(0x0001).ofVendor(0x1111), hid(0x6838), hid(0x3120), hid(0x3121)}));
    uint32_t pid = 0;
    char message[kOpenMessageSize] = "";
    testing::internal::CaptureStdout();
    EXPECT_EQ(usbhid_open_mesh_3120(&pid, message), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "gessamesh pid[6838]\ngessamesh pid[3120]\n");
}

TEST_F(SimTest, CloseAllEmptiesBothSlots) {
    ASSERT_NO_FATAL_FAILURE(plug({hid(0x5345), hid(0x5346)}));
    uint32_t pids[2];
    char message[kOpenMessageSize] = "";
    ASSERT_EQ(usbhid_open_dorsk_pair(pids, message, 3), 0);
    usbhid_close_all();
    EXPECT_EQ(usbhid_slot(0), nullptr);
    EXPECT_EQ(usbhid_slot(1), nullptr);
    // The next open enumerates afresh.
    EXPECT_EQ(usbhid_open_dorsk_pair(pids, message, 3), 0);
}

namespace {
// Device files this process holds open.
int openHidrawFiles() {
    int count = 0;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const auto target = std::filesystem::read_symlink(fd.path(), ec);
        if (!ec && target.string().find("hidraw") != std::string::npos) ++count;
    }
    return count;
}
}  // namespace

TEST_F(SimTest, OpeningAgainOverAFilledSlotClosesTheOldHandle) {
    ASSERT_NO_FATAL_FAILURE(plug({hid(0x6838)}));
    uint32_t pid = 0;
    char message[kOpenMessageSize] = "";
    ASSERT_EQ(usbhid_open_headset(&pid, message), 0);
    const int afterFirst = openHidrawFiles();
    ASSERT_GT(afterFirst, 0);
    ASSERT_EQ(usbhid_open_headset(&pid, message), 0);
    ASSERT_EQ(usbhid_open_headset(&pid, message), 0);
    EXPECT_EQ(openHidrawFiles(), afterFirst);
    usbhid_close_all();
}

TEST_F(SimTest, ADeviceGivenToNoSuchSlotIsClosedNotKept) {
    ASSERT_NO_FATAL_FAILURE(plug({hid(0x6838)}));
    const int before = openHidrawFiles();
    for (int slot : {-1, 2}) {
        hid_device* dev = hid_open_path(sim_->testbed().devnode(0).c_str());
        ASSERT_NE(dev, nullptr);
        transport::detail::fillSlot(slot, dev);
        EXPECT_EQ(openHidrawFiles(), before) << slot;
    }
    EXPECT_EQ(usbhid_slot(0), nullptr);
    EXPECT_EQ(usbhid_slot(1), nullptr);
    usbhid_close_all();
}
