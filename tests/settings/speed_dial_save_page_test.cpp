// What the speed-dial page does with each result of its save: the status in 13 languages, the
// edits discarded with the box or kept, and after success the edits in the controller's record
// and a new recognition that comes back to this page or goes on to the page that was asked for.
// The opens are stand-ins that give each code without a headset.
#include "SpeedDialPageFixture.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidWaitLimits.h"

namespace settings::testing {
namespace {

namespace sd = save::speed_dial;

struct ResultCase {
    const char* name;
    int32_t model;
    int hidOpen;              // what the HID open answers
    uint32_t csrFirstId;      // the CSR open's first product id; 0: the open fails
    int32_t code;
    const char* englishStatus;
    bool discarded;
};
void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.name; }

class SpeedDialResult : public SpeedDialPageTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(SpeedDialResult, EachCodeHasItsStatusAndEnding) {
    const ResultCase& c = GetParam();
    controller->setDeviceTarget(c.model);
    controller->setUsbStatus(c.model);
    controller->data().setDeviceRecognized(c.model);
    page->setHidOpener([&c](uint32_t* pid, char*) {
        *pid = static_cast<uint32_t>(c.model);
        return c.hidOpen;  // a slot left empty: every exchange fails
    });
    page->setCsrOpener([&c](uint32_t ids[2], char*, int, int) {
        ids[0] = c.csrFirstId;
        ids[1] = 0;
        return c.csrFirstId ? 0 : 1;
    });
    enterDial(0, "555");
    page->btnSave->click();
    EXPECT_TRUE(controller->onProcessing());
    EXPECT_FALSE(page->btnSpeedDial01->isEnabled());
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_EQ(page->rcThreadSave(), c.code);
    EXPECT_EQ(statusLine(), c.englishStatus);
    for (int language = 1; language < 13; ++language) {
        controller->setLanguageManager(language);
        EXPECT_NE(controller->getStrStatus(), c.englishStatus) << "language " << language;
    }
    controller->setLanguageManager(0);
    EXPECT_EQ(edited(0), c.discarded ? kDial1 : "555");
    if (c.discarded) {
        EXPECT_EQ(controller->messageBoxStatus(), 3);
        EXPECT_EQ(boxText(), "Recognized device is not connected or is not the same as the connected device.\n"
                             "Select appropriate device.");
    }
    if (c.code == sd::kSaved) {
        // Committed before the switch: the leave guard found nothing unsaved and asked nothing.
        EXPECT_EQ(controller->messageBoxStatus(), 0);
        EXPECT_EQ(controller->mode(), 4);
        EXPECT_EQ(pages.recognition->callerMode(), 9);
    } else {
        EXPECT_EQ(controller->data().speedDialAt(0), kDial1);
        EXPECT_FALSE(controller->onProcessing());
        EXPECT_EQ(controller->mode(), 9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Save, SpeedDialResult,
    ::testing::Values(
        ResultCase{"saved", 0x4D10, 0, 0x4D10, sd::kSaved, "Device setting saved successfully", false},
        ResultCase{"cannot open USB", 0x4D10, 0, 0, sd::kCannotOpenUsb,
                   "Failed to save device setting. Cannot open USB", true},
        ResultCase{"firmware-management mode", 0x4D10, 0, 0x8D10, sd::kFirmwareManagement,
                   "Failed to save device setting. Firmware management mode", true},
        ResultCase{"a dial not written", 0x6042, 0, 0, sd::kWriteFailed,
                   "Failed to save device setting. Cannot save Speed Dial Setting", false},
        ResultCase{"not the recognized device", 0x6042, -2, 0, sd::kNotRecognized,
                   "Failed to save device setting. Not the recognized device", true}),
    [](const auto& info) { return "Code" + std::to_string(info.index); });

TEST_F(SpeedDialPageTest, ASaveThatAnsweredTheQuestionGoesOnAfterRecognition) {
    controller->setDeviceTarget(0x4D10);
    controller->setUsbStatus(0x4D10);
    page->setCsrOpener([](uint32_t ids[2], char*, int, int) {
        ids[0] = 0x4D10;
        return 0;
    });
    enterDial(2, "7");
    controller->setDeviceSettingsWithStatus(true);  // to the device settings page
    controller->messageBoxOK();                     // Yes: save first
    platform::drainMainQueue();
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_EQ(page->rcThreadSave(), sd::kSaved);
    EXPECT_EQ(controller->mode(), 4);
    EXPECT_EQ(pages.recognition->callerMode(), 107);
    EXPECT_EQ(controller->messageBoxStatus(), 0) << "committed: nothing left to ask";
}

TEST_F(SpeedDialPageTest, AFailedSaveForgetsThePageSwitch) {
    page->setHidOpener([](uint32_t*, char*) { return -2; });
    enterDial(2, "7");
    controller->setFirmwareUpdateWithStatus(true);
    controller->messageBoxOK();
    platform::drainMainQueue();
    ASSERT_NO_FATAL_FAILURE(finishSave());
    EXPECT_EQ(page->modeToGo(), 0) << "a later Save stays on this page";
}

TEST_F(SpeedDialPageTest, ShutdownStopsAndJoinsARunningSave) {
    // The open waits until the shutdown asks the save to end.
    std::atomic<bool> entered{false};
    page->setHidOpener([&entered](uint32_t*, char*) {
        entered = true;
        while (!transport::stopWaits.load()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return -2;
    });
    page->save(page->btnSave);
    for (int i = 0; i < 400 && !entered; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(entered);
    page->stopThreads();
    EXPECT_TRUE(page->joinThreadsBy(std::chrono::steady_clock::now() + std::chrono::seconds(5)));
    EXPECT_EQ(page->rcThreadSave(), sd::kWriteFailed) << "a stopped save tells nothing about the headset";
    controller->setOnProcessing(false);
}

}  // namespace
}  // namespace settings::testing
