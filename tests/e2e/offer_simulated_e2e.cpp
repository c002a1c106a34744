// The real program offers newer firmware to a simulated 0x6838 on 1.0: the list offers 1.1 in
// two languages, each with its own archive. Entering the update page opens the offer sheet; the
// second language is chosen by keys, Yes, and the save panel accepted with its preset name
// download that language's archive, which the update then writes to the headset without Update
// being pressed. Re-recognition asks the version again, and the configuration written on quit
// holds the chosen firmware language.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "Hs6838Session.h"
#include "ProgramRun.h"
#include "ScreenShot.h"
#include "platform/Files.h"
#include "platform/KeyedArchive.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/LoopbackServer.h"
#include "tests_support/TempDir.h"

namespace offer_e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kListReadEnded = "update list read ended";
constexpr const char* kControllerClass = "ORVABluetoothManagerAppController";

class OfferEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        VELMAR_NEEDS_SIMULATED_RUN();
        sim::Hs6838Model::Profile onOneZero;
        onOneZero.version = {1, 0, 0, 0, 0};
        headset = std::make_shared<sim::Hs6838Model>(onOneZero);
        sim = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{sim::hid(0x6838).servedBy(headset)});
        ASSERT_TRUE(sim->mocked());
        headset->restartsOn(sim->testbed(), 0, events, e2e::inWorkerSeconds(6500));
        headset->setAfterRestart(0x00, sim::Answer{0, {1, 1, 0, 0, 0}});
        server.put("Firmware",
                   "AIROHAVELMAR:v1.1:English:AIROHAVELMAR_en.img\r\nAIROHAVELMAR:v1.1:French:AIROHAVELMAR_fr.img\r\n");
        english = archive(1, englishBlocks);
        server.put("AIROHAVELMAR_en.img", english);
        french = archive(7, frenchBlocks);
        server.put("AIROHAVELMAR_fr.img", french);
        fs::create_directories(downloads);
        unsetenv("LD_PRELOAD");  // only the program talks to the simulator
    }

    static std::string archive(unsigned char seed, std::vector<std::vector<uint8_t>>& blocks) {
        auto bytes = e2e::twoBlockArchive("AIROHAVELMAR v1.1", seed, 3000, blocks);
        return std::string(bytes.begin(), bytes.end());
    }

    void start() {
        // HOME holds the download folder, where the save panel opens.
        ASSERT_NO_FATAL_FAILURE(run.start(data.path(), {{"HOME", data.path()},
                                                        {"VELMAR_SERVER_BASE", server.base()},
                                                        e2e::shortWorkerSeconds(),
                                                        {"LD_PRELOAD", VELMAR_UMOCKDEV_PRELOAD}}));
    }

    int requests(uint8_t command, uint8_t parameter) { return e2e::requestsOf(*headset, command, parameter); }
    template <typename Condition>
    bool waitFor(Condition done, std::chrono::seconds bound) {
        return e2e::waitWhileRunning(*run.program, done, bound);
    }
    // From the start page to the recognized headset's update page and the end of its list read.
    void recognize() {
        const int languagePacks = requests(0x01, 0x01);
        const int listReads = run.trace.count(kListReadEnded);
        ASSERT_TRUE(run.window->pressUntil("ctrl+Right", [&] { return requests(0x01, 0x01) > languagePacks; }, 120))
            << "not recognized";
        ASSERT_TRUE(run.trace.waitFor(kListReadEnded, listReads + 1)) << run.trace.text();
    }
    // Return in the save panel takes the preset name and starts the download of file. A Return
    // that comes before the panel takes keys is lost, so it is pressed again until the server is
    // asked (bounded).
    bool downloadByReturn(const std::string& file) {
        for (int i = 0; i < 10 && run.program->running(); ++i) {
            run.window->typeIntoFocused("", "Return");
            if (waitFor([&] { return server.requestsFor(file) > 0; }, 3s)) return true;
        }
        return false;
    }
    platform::OptString storedLanguage() {
        auto bytes = platform::readFile((fs::path(data.path()) / "VELMARHelmetsDeviceManager" /
                                         "VELMARHelmetsDeviceManagerArchive" / "VELMARHelmetsDeviceManager.qelmconf")
                                            .string());
        if (!bytes) return std::nullopt;
        return platform::KeyedUnarchiver(*bytes, kControllerClass).decodeStringForKey("keyStrLanguageFirmware");
    }

    test_support::TempDir data;
    std::string downloads = data.path() + "/Downloads";
    test_support::LoopbackServer server;
    std::shared_ptr<sim::Hs6838Model> headset;
    std::unique_ptr<sim::SimHeadset> sim;
    // Declared after the simulator: it stops before the testbed goes, so that a restart it still
    // holds never plugs a device into a removed testbed.
    sim::RealTimeScheduler events;
    e2e::ProgramRun run{data.path() + "/program.log"};
    std::vector<std::vector<uint8_t>> englishBlocks, frenchBlocks;
    std::string english, french;
};

TEST_F(OfferEndToEnd, SheetYesDownloadsTheChosenLanguageAndUpdatesTheHeadset) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognize());
    ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused(); }, 10s)) << "the offer sheet did not open";
    EXPECT_TRUE(e2e::saveScreen(run.display->name(), VELMAR_OFFER_SCREENSHOT_FILE));

    run.window->typeIntoFocused("", "Down");  // the language pop-up has the focus: the second language
    const std::string sheet = run.window->focusedWindow();
    ASSERT_TRUE(run.window->typeIntoDialog("", "Return")) << "Yes, the default button, left the sheet open";
    ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused() && run.window->focusedWindow() != sheet; }, 10s))
        << "the save panel did not open";
    ASSERT_TRUE(downloadByReturn("AIROHAVELMAR_fr.img")) << "the save panel started no download\n" << run.trace.text();

    ASSERT_TRUE(waitFor([&] { return server.requestsFor("AIROHAVELMAR_fr.img") == 1; }, 30s))
        << "the French archive was not asked for\n" << run.trace.text();
    EXPECT_EQ(server.requestsFor("AIROHAVELMAR_en.img"), 0);
    const int versionAsked = requests(0x01, 0x00);
    ASSERT_TRUE(waitFor([&] { return headset->restarts() == 2 && requests(0x01, 0x00) > versionAsked; }, 120s))
        << "blocks written " << headset->blocks().size() << ", restarts " << headset->restarts();
    EXPECT_EQ(headset->blocks(), frenchBlocks);
    auto saved = platform::readFile(downloads + "/AIROHAVELMAR_fr.img");
    ASSERT_TRUE(saved) << "the download is not where the save panel put it";
    EXPECT_TRUE(std::string(saved->begin(), saved->end()) == french);

    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    EXPECT_EQ(storedLanguage(), "French");
}

TEST_F(OfferEndToEnd, CancelInTheSavePanelEndsTheOfferSoALaterDownloadOnlyDownloads) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(recognize());
    ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused(); }, 10s)) << "the offer sheet did not open";
    const std::string sheet = run.window->focusedWindow();
    ASSERT_TRUE(run.window->typeIntoDialog("", "Return")) << "Yes, the default button, left the sheet open";
    ASSERT_TRUE(waitFor([&] { return run.window->dialogFocused() && run.window->focusedWindow() != sheet; }, 10s))
        << "the save panel did not open";
    // Escape cancels the panel; one that comes before the panel takes keys is lost, so it is
    // pressed again until the program has seen the cancel (bounded).
    constexpr const char* kCancelled = "save panel cancelled";
    bool cancelled = false;
    for (int i = 0; i < 10 && !cancelled && run.program->running(); ++i) {
        run.window->keysIntoFocused("Escape");
        cancelled = run.trace.waitFor(kCancelled, 1, 3s);
    }
    ASSERT_TRUE(cancelled) << "the save panel stayed open\n" << run.trace.text();
    EXPECT_EQ(server.requestsFor("AIROHAVELMAR_en.img"), 0);

    // The Download button's key: a new save panel, and Return takes the preset name. The focus a
    // closed panel leaves behind may be in no window of ours, so the new panel is told from it.
    const std::string afterCancel = run.window->focusedWindow();
    ASSERT_TRUE(run.window->pressUntil(
        "ctrl+d", [&] { return run.window->dialogFocused() && run.window->focusedWindow() != afterCancel; }, 10))
        << "Download opened no save panel";
    ASSERT_TRUE(downloadByReturn("AIROHAVELMAR_en.img")) << "the save panel started no download\n" << run.trace.text();
    const std::string saved = downloads + "/AIROHAVELMAR_en.img";
    // The file reaches its full size when the download closes it, in the same main-thread step
    // that would start an update: a quit asked after that sees whatever that step did.
    ASSERT_TRUE(waitFor(
        [&] {
            auto bytes = platform::readFile(saved);
            return bytes && bytes->size() == english.size();
        },
        30s))
        << "the download did not complete\n" << run.trace.text();

    std::optional<int> exitStatus = run.window->quit();
    ASSERT_TRUE(exitStatus.has_value()) << "Ctrl+Q did not end the program";
    EXPECT_EQ(*exitStatus, 0) << run.trace.text();
    EXPECT_EQ(run.trace.count("real path["), 0) << "an update started\n" << run.trace.text();
    EXPECT_TRUE(headset->blocks().empty());
}

}  // namespace
}  // namespace offer_e2e
