// The CSR BlueCore road end to end on the real libusb-1.0 and libusb 0.1, against simulated
// headsets under umockdev, on a virtual clock: detach and download in two runs or one, the
// headset's DFU faults, the two-device model, the image tries, the identity and the HID switch.
#include "CsrRoadFixture.h"

namespace csr_road_test {
namespace {

using T = update::UpdateTexts;
using Requests = std::vector<DfuMachine::Request>;
constexpr uint8_t kDnload = 1, kClrStatus = 4, kAbort = 6;

TEST_F(CsrRoad, NormalModeDetachesInTheFirstRunAndDownloadsInTheSecond) {
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10)}));
    const auto image = firmware(3000);

    update();
    EXPECT_TRUE(page.updateFinished);
    EXPECT_FALSE(page.updateSucceeded);
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_EQ(page.updateProcessed, 5) << "the download base";
    EXPECT_TRUE(std::filesystem::exists(run.archiveFolder + "/HEMBRIN_4D10.qelmarch"));
    ASSERT_EQ(controller.boxes.size(), 1u);
    EXPECT_EQ(controller.boxes[0].message, "re-plug");
    EXPECT_EQ(controller.boxes[0].forWhat, 1);
    EXPECT_FALSE(controller.boxes[0].ok);
    EXPECT_EQ(controller.closedBoxes, 1);
    EXPECT_FALSE(page.openedMessageBox);
    EXPECT_EQ(headset().dfuDetaches(), 1);
    EXPECT_TRUE(headset().inDfuMode());
    EXPECT_TRUE(dfuRequests(kDnload).empty());
    EXPECT_TRUE(nothingOpen());

    // Recognition finds the twin; the user updates again.
    std::filesystem::remove_all(run.archiveFolder);
    controller.usb = 0xCD10;
    update();
    EXPECT_TRUE(page.updateSucceeded);
    EXPECT_EQ(page.updateProcessed, 100);
    EXPECT_EQ(status(), app::AppTexts::qelm_status_processing(5, 0xCD10, 0).value_or(""));
    EXPECT_EQ(headset().dfuImage(), image);
    EXPECT_FALSE(headset().inDfuMode());
    EXPECT_FALSE(std::filesystem::exists(run.archiveFolder + "/HEMBRIN_4D10.qelmarch"))
        << "no backup of a headset in firmware-management mode";
    EXPECT_TRUE(nothingOpen());
}

TEST_F(CsrRoad, FirmwareManagementModeDownloadsInOneRunEndingWithAnEmptyBlock) {
    struct Case {
        const char* what;
        size_t download;
    };
    for (const Case& c : {Case{"a short last block", 2 * 1023 + 100}, Case{"a multiple of 1023", 3 * 1023}}) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, true)}));
        selectModel(0x4D10, 0xCD10, 50);
        int64_t finalBlockAt = -1;
        headset().onControl([&](const sim::UsbSetup& s, const uint8_t*) {
            if (s.request == kDnload && s.length == 0) finalBlockAt = clock.nowMs();
        });
        const auto image = firmware(c.download);
        update();

        EXPECT_TRUE(page.updateSucceeded);
        EXPECT_EQ(page.updateProcessed, 100);
        // The program's whole manifestation wait of 50 s, then ten release passes a second apart
        // (the end-to-end run shortens the first).
        ASSERT_GE(finalBlockAt, 0);
        EXPECT_GE(clock.nowMs() - finalBlockAt, 50'000 + 10 * 1'000);
        EXPECT_EQ(page.updateTimerProcessed + page.updateTimerPercentToProcess, 99) << "the closing stretch";
        EXPECT_EQ(headset().dfuImage(), image);
        const Requests dnload = dfuRequests(kDnload);
        const size_t blocks = (c.download + 1022) / 1023;
        ASSERT_EQ(dnload.size(), blocks + 1);
        for (size_t b = 0; b < blocks; ++b) EXPECT_EQ(dnload[b].value, b);
        EXPECT_EQ(dnload.back().length, 0) << "the final block is empty";
        EXPECT_EQ(dnload.back().value, blocks);
        EXPECT_FALSE(std::filesystem::exists(run.archiveFolder)) << "without backup firmware";
        ASSERT_EQ(controller.boxes.size(), 1u);
        EXPECT_EQ(controller.boxes[0].message, "switch off and on");
        EXPECT_FALSE(headset().inDfuMode());
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrRoad, HeadsetFaultsDuringTheDownload) {
    struct Case {
        const char* what;
        DfuMachine::Behaviour dfu;
        std::string status;  // empty: the update succeeds
        int32_t timerProcessed = 16;
        size_t firstBlocks = 1;  // DNLOAD requests of block 0
        int64_t busyLimitMs = transport::kDefaultBusyLimitMs;
    };
    auto busy = [](int polls, int64_t pollMs) {
        DfuMachine::Behaviour b;
        b.busyPerBlock = polls;
        b.busyPollMs = pollMs;
        return b;
    };
    auto errorAfter = [](int block, int polls) {
        DfuMachine::Behaviour b;
        b.errorAfterBlock = block;
        b.errorPolls = polls;
        return b;
    };
    DfuMachine::Behaviour inError, waitsHours, noWait;
    inError.startInError = true;
    waitsHours.pollTimeoutMs = 0xFFFFFF;
    noWait.pollTimeoutMs = 0;
    const std::vector<Case> cases = {
        {"dfuDNBUSY polled beyond the retry budget", busy(12, 20), ""},
        {"a status error after block 2: the download starts again and arrives whole", errorAfter(2, 1), "", 16, 2},
        {"status errors beyond the budget", errorAfter(1, 1000), "aborting (status 3 & state 10) [0]"},
        {"busy for ever: the busy limit", busy(1 << 30, 60'000), "Cannot update next block [0]"},
        {"a poll time of 0 while busy for ever", busy(1 << 30, 0), "Cannot update next block [0]", 16, 1, 500},
        {"a start in dfuERROR is cleared", inError, ""},
        {"W of hours is cut to the busy limit", waitsHours, "", 16 + 300'000 * 84 / 365'000},
        {"W = 0: no wait", noWait, "", 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, true)}));
        selectModel(0x4D10, 0xCD10, 50);
        headset().setDfu(c.dfu);
        transport::busyLimitMs = c.busyLimitMs;
        const auto image = firmware(4 * 1023 + 7);
        const int64_t start = clock.nowMs();
        update();

        if (c.status.empty()) {
            EXPECT_TRUE(page.updateSucceeded) << status();
            EXPECT_EQ(headset().dfuImage(), image);
            EXPECT_EQ(page.updateTimerProcessed, c.timerProcessed);
        } else {
            EXPECT_FALSE(page.updateSucceeded);
            EXPECT_EQ(page.updateRestoreError, 1);
            EXPECT_EQ(status(), failure(c.status));
            EXPECT_LE(clock.nowMs() - start, 400'000) << "bounded by the busy limit";
        }
        size_t firsts = 0;
        for (const auto& r : dfuRequests(kDnload)) firsts += r.value == 0 && r.length > 0;
        EXPECT_EQ(firsts, c.firstBlocks);
        if (c.dfu.startInError) {
            const Requests all = headset().dfuRequests();
            EXPECT_TRUE(all.size() > 3 && all[1].request == kClrStatus && all[2].request == kAbort);
        }
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrRoad, PersistentStoreKeysClearedBeforeTheDetach) {
    struct Case {
        const char* what;
        int32_t model;
        int version;
        std::vector<uint16_t> keys;
    };
    for (const Case& c : {Case{"0x4D10 below 3.2", 0x4D10, 31, {0x02A4, 0x0298, 0x0299}},
                          Case{"0x4D10 from 3.2", 0x4D10, 32, {0x0298, 0x0299}},
                          Case{"0x5010 from 3.2", 0x5010, 50, {0x0298, 0x0299}},
                          Case{"another model", 0x4D20, 42, {}}}) {
        SCOPED_TRACE(c.what);
        auto store = unit(static_cast<uint16_t>(c.model));
        store.withVersion(c.version, 1, 2);
        ASSERT_NO_FATAL_FAILURE(plug({store}));
        selectModel(c.model, c.model, c.version);
        firmware(100);
        update();
        EXPECT_EQ(page.updateRestoreError, 1);
        EXPECT_EQ(headset().dfuDetaches(), 1);
        EXPECT_EQ(headset().keysWritten(), c.keys);
        csr_usb_exit();
        sim_.reset();
    }
}

// The image's tag as the maker writes it (model name, "#", the id it was built for) against the
// model that was selected and the one recognition found: the tries take another revision's image
// where the two share a name.
TEST_F(CsrRoad, ImageTriesByRecognizedModel) {
    struct Case {
        const char* tag;
        int32_t target, recognized;
        bool taken;
    };
    const Case cases[] = {
        {"HEMBRIN#4D10", 0x4D10, 0x4D10, true},
        {"GAVREL-FM#4D65", 0x4D65, 0x4D45, true},  // the selected model's own image first
        {"IVERONH-FM#5050", 0x5050, 0x5050, true},
        {"GAVREL#4D35", 0x4D05, 0x4D05, true},
        {"GAVREL#4D35", 0x4D55, 0x4D55, true},
        {"HEMBRIN#4D30", 0x4D10, 0x4D10, true},
        {"HEMBRIN#4D30", 0x4D40, 0x4D40, true},
        {"GAVREL-FM#4D15", 0x4D45, 0x4D45, true},
        {"GAVREL-FM#4D15", 0x4D65, 0x4D65, true},
        {"HEMBRINR#4D20", 0x4D50, 0x4D50, true},
        {"IVERON#5061", 0x5010, 0x5010, true},
        {"IVERON#5061", 0x5060, 0x5060, true},
        {"IVERONS#5070", 0x5020, 0x5020, true},
        {"IVERONH#5080", 0x5030, 0x5030, true},
        {"IVERONH-FM#5040", 0x5050, 0x5050, true},
        {"IVERON#5060", 0x5010, 0x5010, true},  // the third try
        {"IVERON#5060", 0x5060, 0x5060, true},
        {"HEMBRINR#4D20", 0x4D10, 0x4D10, false},  // another model
        {"HEMBRIN#4D40", 0x4D10, 0x4D10, false},   // a revision no try names
        {"HEMBRIN#4D10", 0x4D30, 0x4D30, false},
        {"IVERON#5060", 0x5061, 0x5061, false},
        {"GAVREL-FM#4D65", 0x4D45, 0x4D45, false},  // selected 0x4D45: its own id is tried first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " for " + std::to_string(c.recognized));
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, true)}));
        selectModel(c.target, 0xCD10, 50, c.recognized);
        writeFirmware(test_support::dfu_image(c.tag, 50));
        update();
        if (c.taken) {
            EXPECT_TRUE(page.updateSucceeded) << status();
        } else {
            EXPECT_EQ(page.updateRestoreError, 3);
            EXPECT_EQ(status(), failure(T::qelm_string_firmware_not_for(c.recognized, 0)));
            EXPECT_TRUE(headset().dfuRequests().empty());
        }
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrRoad, DamagedImagesEndWithCode3BeforeAnyDfuRequest) {
    auto finalXor = test_support::dfu_image("HEMBRIN#4D10", 100);
    const uint32_t crc = ~test_support::reference_crc32(finalXor, finalXor.size() - 4);
    for (int i = 0; i < 4; ++i) finalXor[finalXor.size() - 4 + i] = static_cast<unsigned char>(crc >> (8 * i));
    struct Case {
        const char* what;
        test_support::ImageBytes file;
    };
    for (const Case& c : {Case{"a CRC with the final XOR", finalXor}, Case{"a short file", {1, 2, 3}}}) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, true)}));
        selectModel(0x4D10, 0xCD10, 50);
        writeFirmware(c.file);
        update();
        EXPECT_EQ(page.updateRestoreError, 3);
        EXPECT_EQ(status(), failure(T::qelm_string_firmware_corrupted_in(0)));
        EXPECT_TRUE(headset().dfuRequests().empty());
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
    }
}

TEST_F(CsrRoad, TwoDeviceModel) {
    // The second device answers with another product id: checked, the run ends as not recognized.
    auto second = unit(0x5310);
    second.productIdKey = 0x5210;
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x5310), second}));
    selectModel(0x5310, 0x5310, 11);
    firmware(100);
    update();
    EXPECT_EQ(page.updateRestoreError, 2);
    EXPECT_EQ(status(), failure(app::AppTexts::qelm_string_not_recognized_device_in(0)));
    EXPECT_EQ(headset(1).keysRead().front(), 0x02A3);
    csr_usb_exit();
    sim_.reset();

    // The second in firmware-management mode: its id is the one recognition stored.
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x5310), unit(0x5310, true)}));
    selectModel(0x5310, 0xD310, 11);
    firmware(100);
    update();
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_EQ(page.updateProcessed, 8) << "the two-device download base";
    EXPECT_EQ(headset(0).dfuDetaches(), 1);
    EXPECT_EQ(headset(1).dfuDetaches(), 0);
    EXPECT_TRUE(nothingOpen());
    csr_usb_exit();
    sim_.reset();

    // Three: the listing counts the one beyond two, before any DFU request.
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x5310), unit(0x5310), unit(0x5310)}));
    selectModel(0x5310, 0x5310, 11);
    firmware(100);
    update();
    EXPECT_EQ(status(), failure(T::qelm_string_cannot_get_device_in(0), " [3 / 2]"));
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(headset(i).dfuRequests().empty());
}

TEST_F(CsrRoad, ModelsTheRoadCannotOpenEndAsNotRecognized) {
    // 0x6110 is not among the ids the firmware-management open takes.
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x6110)}));
    selectModel(0x6110, 0x6110, 11);
    firmware(100);
    update();
    EXPECT_EQ(page.updateRestoreError, 2);
    EXPECT_EQ(status(), failure(app::AppTexts::qelm_string_not_recognized_device_in(0)));
    EXPECT_TRUE(headset().dfuRequests().empty());
    EXPECT_TRUE(nothingOpen());
}

TEST_F(CsrRoad, HidSwitchOf0x6020) {
    auto hid = std::make_shared<sim::HeadsetModel>();
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x6021)}, {sim::hid(0x6020).servedBy(hid)}));
    selectModel(0x6020, 0x6020, 11);
    run.openHeadset = openAnyHeadset;
    std::vector<std::pair<int64_t, std::string>> spinner;
    run.spinner.start = [&] { spinner.emplace_back(clock.nowMs(), "start"); };
    run.spinner.stop = [&] { spinner.emplace_back(clock.nowMs(), "stop"); };
    std::vector<int32_t> seen;
    for (int64_t at : {3999, 6999, 9999}) clock.after(at, [&] { seen.push_back(page.updateProcessed); });
    firmware(100);
    update();

    ASSERT_FALSE(hid->requests().empty());
    EXPECT_EQ(hid->requests()[0].bytes[1], 0x0E);
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3}));
    ASSERT_EQ(spinner.size(), 2u);
    EXPECT_EQ(spinner[1].first - spinner[0].first, 10'000);
    EXPECT_EQ(controller.usb, 0x6020) << "the firmware-management open never finds 0x6021";
    EXPECT_EQ(page.updateRestoreError, 2);
    EXPECT_EQ(usbhid_slot(0), nullptr);
}

TEST_F(CsrRoad, ThirdClaimFailureOverRunsEndsWithT2) {
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10)}));
    firmware(100);
    for (int runNumber = 1; runNumber <= 3; ++runNumber) {
        SCOPED_TRACE(runNumber);
        // Claims: the two opens of the identity check, the DFU interface, then the twin's.
        headset().failClaims({0, 0, 0, EBUSY});
        controller.usb = 0x4D10;
        update();
        if (runNumber < 3) {
            EXPECT_TRUE(page.updateSucceeded) << "after a re-list the claim goes through";
            EXPECT_EQ(update::csrClaimRetries(), runNumber);
        } else {
            EXPECT_EQ(status(), failure(T::qelm_string_cannot_claim_device_in(0), " T2 [0]"));
            EXPECT_EQ(update::csrClaimRetries(), 0);
        }
        EXPECT_TRUE(nothingOpen());
    }
}

// Debian's libusb 0.1 hands back a handle for a node it could not open; the claim on it then
// fails with EBADF. That is a device that cannot be opened, not a busy one: no claim retry is
// counted, and nothing stays open.
TEST_F(CsrRoad, ClaimFailingWithEbadfIsADeviceThatCannotBeOpened) {
    struct Case {
        const char* what;
        std::vector<int> claims;  // errno of each claim in turn, 0: it succeeds
        std::string where;
    };
    const std::vector<Case> cases = {
        {"the DFU interface before the detach", {0, 0, EBADF}, " [0]"},
        {"the twin in firmware-management mode", {0, 0, 0, EBADF}, " 2 [0]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10)}));
        firmware(100);
        headset().failClaims(c.claims);
        controller.usb = 0x4D10;
        update();
        EXPECT_FALSE(page.updateSucceeded);
        EXPECT_EQ(status(), failure(T::qelm_string_cannot_open_device_in(0), c.where));
        EXPECT_EQ(update::csrClaimRetries(), 0);
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
    }
}

// The wait before the final block passes in random steps of 1 to 5000 ms: whatever the draws,
// the steps add up to the device's poll time exactly, and the progress they show ends the same.
TEST_F(CsrRoad, ManifestationWaitStepsAddUpToThePollTime) {
    constexpr uint32_t kPollMs = 12'000;
    struct Case {
        const char* what;
        std::vector<uint32_t> draws;  // repeated
        int expectedDraws;
    };
    const std::vector<Case> cases = {
        {"largest steps, the last cut to what is left", {4999}, 3},
        {"smallest steps", {0}, 12'000},
        {"draws beyond the step range wrap", {12'345 /* 2346 ms */, 4'294'967'295u /* 2296 ms */}, 6},
    };
    int64_t firstGap = -1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, true)}));
        selectModel(0x4D10, 0xCD10, 50);
        DfuMachine::Behaviour dfu;
        dfu.pollTimeoutMs = kPollMs;
        headset().setDfu(dfu);
        int draws = 0;
        update::setCsrWaitStepSource([&] { return c.draws[static_cast<size_t>(draws++) % c.draws.size()]; });
        int64_t lastDataBlockAt = -1, finalBlockAt = -1;
        headset().onControl([&](const sim::UsbSetup& setup, const uint8_t*) {
            if (setup.request != kDnload) return;
            (setup.length > 0 ? lastDataBlockAt : finalBlockAt) = clock.nowMs();
        });
        const auto image = firmware(2 * 1023 + 5);
        update();
        update::setCsrWaitStepSource(nullptr);

        EXPECT_TRUE(page.updateSucceeded) << status();
        EXPECT_EQ(headset().dfuImage(), image);
        EXPECT_EQ(draws, c.expectedDraws);
        // The same time from the last block to the final one, whatever the steps: the stepped
        // wait of kPollMs and what the road does around it.
        const int64_t gap = finalBlockAt - lastDataBlockAt;
        EXPECT_GE(gap, int64_t(kPollMs));
        if (firstGap < 0) firstGap = gap;
        EXPECT_EQ(gap, firstGap);
        EXPECT_EQ(page.updateTimerProcessed, 16 + int64_t(kPollMs) * 84 / (kPollMs + 65'000));
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
    }
}

// Each case in a process of its own: hundreds of re-enumerations use up the simulated bus's
// addresses.
class BoundedWaits : public CsrRoad {
  protected:
    void check(DfuMachine::Behaviour dfu, bool startInDfu, const std::string& expected) {
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, startInDfu)}));
        selectModel(0x4D10, startInDfu ? 0xCD10 : 0x4D10, 50);
        headset().setDfu(dfu);
        firmware(100);
        const int64_t start = clock.nowMs();
        update();
        EXPECT_EQ(page.updateRestoreError, 1);
        EXPECT_EQ(status(), failure(expected));
        EXPECT_LT(clock.nowMs() - start, 400'000);
        EXPECT_FALSE(page.openedMessageBox);
        EXPECT_TRUE(nothingOpen());
    }
};

TEST_F(BoundedWaits, BackInNormalModeAfterEachDetachEndsAfter300PassesInAll) {
    DfuMachine::Behaviour dfu;
    dfu.afterDetach = DfuMachine::AfterDetach::normalMode;
    check(dfu, false, "Cannot identify device [0 / 1]");
    EXPECT_EQ(headset().dfuDetaches(), 301) << "the first, then one per pass";
    ASSERT_EQ(controller.boxes.size(), 2u);
    EXPECT_EQ(controller.boxes[1].message, "re-plug failed") << "after pass 60";
    EXPECT_EQ(controller.boxes[1].size, 1);
}

TEST_F(BoundedWaits, NeverLeavingFirmwareManagementModeEndsAtTheBound) {
    DfuMachine::Behaviour dfu;
    dfu.neverLeavesDfu = true;
    check(dfu, true, "Cannot use device 9 [1]");
}

TEST_F(CsrRoad, StopInTheManifestationWaitEndsSoon) {
    ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, true)}));
    selectModel(0x4D10, 0xCD10, 50);
    headset().onControl([this](const sim::UsbSetup& s, const uint8_t*) {
        if (s.request == kDnload && s.length == 0) clock.after(10'000, [this] { page.stopRequested = true; });
    });
    firmware(100);
    const int64_t start = clock.nowMs();
    update();
    EXPECT_TRUE(page.updateFinished);
    EXPECT_FALSE(page.updateSucceeded);
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_LT(clock.nowMs() - start, 20'000) << "not the whole 50 s";
    EXPECT_TRUE(nothingOpen());
}

}  // namespace
}  // namespace csr_road_test

namespace csr_road_test {
namespace {

// The headset leaves the bus at a moment of the road; plugged back, it powers up as a unit does
// and a new run (with the id recognition then stores) completes the update.
TEST_F(CsrRoad, UnpluggedByPhase) {
    using Moment = std::function<bool(const sim::UsbSetup&, const uint8_t* data, int& seen)>;
    constexpr uint8_t kDetach = 0, kGetStatus = 3;
    // A BCCMD request: type at byte 4, the PS key at byte 14.
    auto bccmd = [](uint16_t type, uint16_t key) {
        return Moment([type, key](const sim::UsbSetup& s, const uint8_t* d, int&) {
            return s.requestType == 0x20 && s.length >= 16 && d && (d[4] | d[5] << 8) == type &&
                   (d[14] | d[15] << 8) == key;
        });
    };
    struct Case {
        const char* what;
        bool startInDfu;
        Moment when;
        std::string status;
        int32_t code;
    };
    const std::vector<Case> cases = {
        {"in the identity check", false, bccmd(0, 0x02A3), "Not the recognized device", 2},
        {"after the persistent-store writes", false, bccmd(2, 0x0299), "Cannot get device [0 / 1]", 1},
        {"after the detach", false,
         [](const sim::UsbSetup& s, const uint8_t*, int& seen) {
             if (s.request == kDetach && s.requestType == 0x21) seen = 1;
             return seen == 1 && s.request == kGetStatus;
         },
         "Cannot identify device [0 / 1]", 1},
        {"in the download", true,
         [](const sim::UsbSetup& s, const uint8_t*, int&) { return s.requestType == 0x21 && s.request == kDnload && s.value == 2; },
         "Cannot get status 5 [0]", 1},
        {"in the manifestation wait", true,
         [](const sim::UsbSetup& s, const uint8_t*, int& seen) {
             if (s.requestType == 0x21 && s.request == kDnload && s.value == 3 && s.length > 0) seen = 1;
             return seen == 1 && s.request == kGetStatus;
         },
         "Cannot send final block [0]", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({unit(0x4D10, c.startInDfu)}));
        selectModel(0x4D10, c.startInDfu ? 0xCD10 : 0x4D10, 50);
        const auto image = firmware(3 * 1023 + 10);
        int seen = 0;
        bool gone = false;
        sim::UsbTestbed* usb = &bus();
        headset().onControl([&, usb](const sim::UsbSetup& s, const uint8_t* data) {
            if (!gone && c.when(s, data, seen)) {
                gone = true;
                usb->unplug(0);
            }
        });
        update();
        EXPECT_TRUE(gone);
        EXPECT_EQ(page.updateRestoreError, c.code);
        EXPECT_EQ(status(), failure(c.status));
        EXPECT_FALSE(page.openedMessageBox);
        EXPECT_TRUE(nothingOpen());
        if (c.code == 2) {
            EXPECT_TRUE(headset().dfuRequests().empty());
        }

        headset().onControl(nullptr);
        headset().powerUp();
        bus().plugBack(0);
        for (int again = 0; again < 2 && !page.updateSucceeded; ++again) {
            controller.usb = headset().productId();
            update();
        }
        EXPECT_TRUE(page.updateSucceeded) << status();
        EXPECT_EQ(headset().dfuImage(), image);
        csr_usb_exit();
        sim_.reset();
    }
}

}  // namespace
}  // namespace csr_road_test
