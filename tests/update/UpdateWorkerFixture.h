// What the update worker tests share: a controller with plain fields whose message box answers
// at once as the test says, the page's fields, one run with its inputs, a temporary archive
// folder, and a virtual clock with timed events (a restarting headset comes back when the
// worker's sleeps pass its time).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/MountedVolumes.h"
#include "sim/TimedEvents.h"
#include "tests_support/ShortHidWaits.h"
#include "tests_support/FirmwareArchive.h"
#include "tests_support/TempDir.h"
#include "transport/HidReportChannel.h"
#include "transport/HidWaitLimits.h"
#include "update/UpdateWorker.h"

class FakeUpdateController : public update::UpdateWorkerController {
  public:
    struct Box {
        std::string message;
        bool warning;
        std::optional<std::string> cancel, ok;
        int32_t size, forWhat;
        int64_t atMs;  // on the run's clock
    };

    int32_t target = 0x6838, mode_ = 5, usb = 0x6838, language = 0;
    bool skip = false;
    // What the user does with a question box (purpose 14): press OK, or close it without.
    bool answerOK = false;
    // Leaves a box open (the worker must close it).
    bool neverAnswer = false;
    update::UpdatePageFields* page = nullptr;
    std::vector<Box> boxes;
    int closedBoxes = 0;
    std::vector<int64_t> closedAtMs;

    int32_t deviceTarget() const override { return target; }
    int32_t mode() const override { return mode_; }
    int32_t usbStatus() const override { return usb; }
    int32_t languageManager() const override { return language; }
    bool skipRestoreBackupFile() const override { return skip; }
    void setSkipRestoreBackupFile(bool v) override { skip = v; }
    std::string getMessageBoxFileCreationFailed() const override { return "backup file failed"; }
    void openMessageBoxWithMessage(const std::string& message, bool warning, const std::optional<std::string>& cancel,
                                   const std::optional<std::string>& ok, int32_t size, int32_t forWhat) override {
        boxes.push_back({message, warning, cancel, ok, size, forWhat, platform::nowMs()});
        if (neverAnswer) return;
        // The controller's answer handler of purpose 14.
        if (forWhat == 14 && answerOK) skip = true;
        if (page) page->openedMessageBox = false;
    }
    int32_t closeMessageBox() override {
        ++closedBoxes;
        closedAtMs.push_back(platform::nowMs());
        return boxes.empty() ? 0 : boxes.back().forWhat;
    }
    void setUsbStatus(int32_t v) override { usb = v; }
    std::optional<std::string> getMessageBoxFirstButton() const override { return "re-plug"; }
    std::optional<std::string> getMessageBoxFailureFirstButton() const override { return "re-plug failed"; }
    std::optional<std::string> getMessageBoxSecondButton() const override { return "switch off and on"; }
    // With a marker: the first volume holding it, as the controller finds the camera's card.
    std::optional<std::string> getCameraDiskPath() const override {
        if (!cameraMarker) return cameraDisk;
        for (const auto& v : platform::mountedVolumes())
            if (v.removable && v.writable && v.unmountable && std::filesystem::exists(v.path + "/" + *cameraMarker))
                return v.path + "/";
        return std::nullopt;
    }
    void clearRestartDFU() override { ++restartRecordsCleared; }

    std::optional<std::string> cameraDisk;
    std::optional<std::string> cameraMarker;
    int restartRecordsCleared = 0;
};

class UpdateWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::setClock(&clock);
        test_support::shortenHidWaits();
        controller.page = &page;
        run.archiveFolder = folder.path() + "/archive";
        run.firmwareFile = folder.path() + "/firmware.bin";
        run.record.setDeviceRecognized(0x6838);
        run.record.setDeviceVersionMajor(1);
        run.record.setDeviceVersionMinor(2);
    }
    void TearDown() override {
        usbhid_close_all();
        platform::setClock(nullptr);
        test_support::restoreHidWaits();
    }

    void writeFirmware(const test_support::ArchiveBytes& bytes) {
        std::ofstream file(run.firmwareFile, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::string status(int language = 0) const { return page.updateStatus(language); }

    // How a run ended, as the page sees it; HID is closed either way.
    void expectFailed(int32_t code, const std::string& text) {
        EXPECT_TRUE(page.updateFinished);
        EXPECT_FALSE(page.updateSucceeded);
        EXPECT_EQ(page.updateRestoreError, code);
        EXPECT_EQ(status(), text);
        EXPECT_EQ(usbhid_slot(0), nullptr) << "HID closed";
    }
    void expectSucceeded() {
        EXPECT_TRUE(page.updateFinished);
        EXPECT_TRUE(page.updateSucceeded) << status();
        EXPECT_EQ(page.updateRestoreError, 0);
        EXPECT_EQ(page.updateProcessed, 100);
        EXPECT_EQ(usbhid_slot(0), nullptr) << "HID closed";
    }

    test_support::TempDir folder;
    sim::EventClock clock;
    FakeUpdateController controller;
    update::UpdatePageFields page;
    update::UpdateRun run{controller, page};
};
