// Whole runs of the recognition worker against simulated headsets: the record and controller
// state after a recognition, the probe that sends a headset to the USB road, and every way a run
// ends as a failure without waiting for ever.
#include <string>

#include "RecognitionFixture.h"
#include "app/AppTexts.h"

namespace {

using recognition::kRecognizeFailure;
using recognition::kRecognizeSuccess;
using sim::Format;
using sim::Hs6042Model;
using sim::Hs6838Model;

class WorkerRun : public RecognitionSimTest {
  protected:
    void run() { recognition::threadMethodRecognize(ctx); }

    void expectSuccessFor(int32_t pid) {
        EXPECT_EQ(page.resultThreadRecognize.load(), kRecognizeSuccess);
        EXPECT_TRUE(page.goFirmwareUpgradeThreadRecognize.load());
        EXPECT_FALSE(page.doWarnThreadRecognize.load());
        EXPECT_EQ(controller.target, pid);
        EXPECT_EQ(controller.usb, pid);
        EXPECT_TRUE(controller.recognized);
        EXPECT_EQ(controller.record.deviceRecognized(), pid);
        EXPECT_EQ(controller.record.managerVersionMajor(), 1);
        EXPECT_EQ(controller.record.managerVersionMinor(), 0);
        EXPECT_EQ(status(0), "Device recognized successfully. " +
                                 app::AppTexts::qelm_status_default(5, pid, 0).value());
        EXPECT_EQ(status(1), "Appareil reconnu avec succès. " + app::AppTexts::qelm_status_default(5, pid, 1).value());
        EXPECT_EQ(usbhid_slot(0), nullptr);  // closed before the result
    }

    void expectFailure(const std::string& english) {
        EXPECT_EQ(page.resultThreadRecognize.load(), kRecognizeFailure);
        EXPECT_TRUE(page.doWarnThreadRecognize.load());
        EXPECT_FALSE(page.goFirmwareUpgradeThreadRecognize.load());
        EXPECT_FALSE(controller.recognized);
        EXPECT_EQ(status(0), english);
        EXPECT_EQ(usbhid_slot(0), nullptr);
    }
};

TEST_F(WorkerRun, Headset6838IsRecognizedWithNameVersionAndLanguagePack) {
    plug({sim::hid(0x6838).servedBy(std::make_shared<Hs6838Model>())});
    controller.target = 0x1234;  // selection page: the headset found decides

    run();

    expectSuccessFor(0x6838);
    const auto& d = controller.record;
    EXPECT_EQ(d.deviceName(), "VELMAR LUVEN");
    EXPECT_EQ(d.deviceVersionMajor(), 1);
    EXPECT_EQ(d.deviceVersionMinor(), 2);
    EXPECT_EQ(d.deviceSecondaryVersionType(), 0);
    EXPECT_EQ(d.deviceSecondaryVersion(), 4);
    EXPECT_EQ(d.devicelanguagePackType(), 5);
    EXPECT_EQ(d.devicelanguagePackTypeVerMajor(), 3);
    EXPECT_EQ(d.devicelanguagePackTypeVerMinor(), 1);
    EXPECT_EQ(controller.fm, 3);
    EXPECT_EQ(controller.motion, 6);
    EXPECT_FALSE(controller.restartToRecover);
    EXPECT_EQ(controller.modeRestartToRecover, 0);
    EXPECT_EQ(controller.tabQuery, (std::vector<int32_t>{0x6838, 1, 2, 3}));
    EXPECT_EQ(controller.tabCount, 2);
    EXPECT_EQ(controller.tabs[1], 2);
    EXPECT_EQ(controller.tabIndexSelected, 0);
}

TEST_F(WorkerRun, Headset6042PassesTheProbeOnItsVendorInterfaceAndReadsFmAndDials) {
    Hs6042Model::Profile p;
    p.fmRadio = false;
    auto headset = std::make_shared<Hs6042Model>(p);
    auto other = std::make_shared<sim::BlockHeadsetModel>();
    plug({sim::hid(0x6042).inDevice(1).withUsage(0x000C, 1).servedBy(other),
          sim::hid(0x6042).inDevice(1).atInterface(2).servedBy(headset)});

    run();

    expectSuccessFor(0x6042);
    const auto& d = controller.record;
    EXPECT_EQ(d.deviceName(), "VELMAR 6042");
    EXPECT_EQ(d.deviceVersionMajor(), 2);
    EXPECT_EQ(d.deviceVersionMinor(), 1);
    EXPECT_EQ(d.deviceSecondaryVersion(), 3);
    EXPECT_EQ(d.fmRadioCurrentFrequency(), 10390);
    EXPECT_EQ(d.fmRadioRegion(), 3);
    EXPECT_EQ(d.speedDialAt(1), "+4412345");
    EXPECT_EQ(controller.fm, 4);
    EXPECT_EQ(controller.tabQuery, (std::vector<int32_t>{0x6042, 2, 1, 4}));
    EXPECT_TRUE(other->requests().empty());
    EXPECT_EQ(headset->requests().front().bytes[1], 0x12);
}

TEST_F(WorkerRun, CallerPageTargetIsReplacedByTheHeadsetFound) {
    plug({sim::hid(0x6838).servedBy(std::make_shared<Hs6838Model>())});
    ctx.callerMode = 7;
    controller.target = 0x6042;
    run();
    expectSuccessFor(0x6838);
}

TEST_F(WorkerRun, ProbeThatRejectsTheHidRoadTakesTheUsbRoad) {
    auto headset = std::make_shared<Hs6042Model>();
    headset->setByte(0x12, 1);
    plug({sim::hid(0x6042).servedBy(headset)});
    ctx.callerMode = 5;
    controller.target = 0x6042;

    run();

    EXPECT_EQ(controller.target, 0);
    EXPECT_EQ(headset->requestCount(), 1u);
    expectFailure("Cannot open USB [1]");  // no CSR headset in firmware-management mode either
}

TEST_F(WorkerRun, NoHeadsetTriesThreeTimesASecondApartThenFails) {
    plug({sim::hid(0x3120)});

    run();

    expectFailure("Cannot open USB [1]");  // no CSR headset in firmware-management mode either
    EXPECT_EQ(controller.target, 0);
    EXPECT_GE(virtualMs(), 3000);
}

TEST_F(WorkerRun, UnreadableFirmwareVersionFailsTheRun) {
    auto headset = std::make_shared<Hs6838Model>();
    headset->setShortAnswer(0x01, 0x00, sim::Answer{0, std::vector<uint8_t>(12, 1)});
    plug({sim::hid(0x6838).servedBy(headset)});
    controller.usb = 0x77;

    run();

    expectFailure("Cannot read the firmware version");
    EXPECT_EQ(controller.usb, 0x77);
    EXPECT_EQ(status(4), "ファームウェアのバージョンを読み取れません");
}

TEST_F(WorkerRun, SilentHeadsetEndsAsAFailure) {
    auto headset = std::make_shared<Hs6838Model>();
    sim::Faults silent;
    silent.silent = true;
    headset->setFaults(silent);
    plug({sim::hid(0x6838).servedBy(headset)});

    run();

    expectFailure("Cannot read the firmware version");
}

TEST_F(WorkerRun, SilentHeadsetOnTheProbeTakesTheUsbRoad) {
    auto headset = std::make_shared<Hs6042Model>();
    headset->setAnswer(Format::A, 0x12, sim::Answer{0, {}, true});
    plug({sim::hid(0x6042).servedBy(headset)});

    run();

    expectFailure("Cannot open USB [1]");  // no CSR headset in firmware-management mode either
}

}  // namespace
