// The camera-storage HID family end to end: the camera switched into storage mode, its card found,
// the camera part copied (or skipped when current) and applied by the camera, the headset's parts
// written without the camera part, and the endings of the sub-sets (held box, poll without box,
// direct finish, unit language).
#include <filesystem>
#include <fstream>

#include "PartDownloadFixture.h"
#include "sim/SimCamera.h"

namespace part_download {
namespace {

namespace fs = std::filesystem;
using sim::PartDownloadHeadset;

const std::vector<PartSpec> kCameraContainer{{0, 1, 30}, {2, 2, 20}, {5, 9, 64, 3, 1}, {0, 4, 10}};

class CameraStorage : public PartDownloadTest {
  protected:
    CameraStorage() { requestBytes = sim::RequestBytes::carried; }
    // A camera model with its card holding the version `onCard`; the camera applies 3.1.
    void plugCamera(uint16_t pid, const std::string& onCard, const char* target, const char* versionFile) {
        ASSERT_NO_FATAL_FAILURE(plug(pid));
        card = folder.path() + "/card";
        fs::remove_all(card);
        controller.boxes.clear();
        fs::create_directories(fs::path(card + "/" + versionFile).parent_path());
        std::ofstream(card + "/" + versionFile) << onCard;
        controller.cameraMarker = versionFile;
        camera = std::make_shared<sim::SimCamera>(card, target, versionFile, "3.1");
        headset->attachCamera(camera);
        versionPath = card + "/" + versionFile;
        writeFirmware(container(pid, kCameraContainer));
    }
    std::vector<uint8_t> targets() const {
        std::vector<uint8_t> out;
        for (const auto& p : headset->parts()) out.push_back(p.target);
        return out;
    }
    std::string onCard() const {
        std::ifstream in(versionPath);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string card, versionPath;
    std::shared_ptr<sim::SimCamera> camera;
};

TEST_F(CameraStorage, ACurrentCameraGetsNoFileButIsCycledAndItsPartStaysOffHid) {
    ASSERT_NO_FATAL_FAILURE(plugCamera(0x5510, "3.1.2", "FWCARCAM.bin", "TAVRIN.VER"));
    std::ofstream(card + "/__tavrin_firmware__.bin") << "stale";
    update::threadMethodUpdate(run);
    expectSucceeded();
    EXPECT_EQ(camera->applied(), 0);
    EXPECT_FALSE(fs::exists(card + "/__tavrin_firmware__.bin")) << "stale staged file removed";
    EXPECT_FALSE(fs::exists(card + "/FWCARCAM.bin"));
    EXPECT_EQ(targets(), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(headset->count(0x20), 1);
    EXPECT_EQ(headset->count(0x21), 1);
    EXPECT_EQ(headset->count(0x22), 3);  // in, in again, out
    // The held box: shown while the headset takes the parts, closed by the finish, shown again
    // while it restarts.
    ASSERT_EQ(controller.boxes.size(), 2u);
    EXPECT_EQ(controller.boxes[0].message, "re-plug");
    EXPECT_EQ(controller.boxes[0].forWhat, 1);
    EXPECT_FALSE(controller.boxes[0].ok);
    EXPECT_EQ(headset->count(0x08), 1);
}

TEST_F(CameraStorage, AnOlderCameraTakesTheFileAndAppliesIt) {
    for (uint16_t pid : {0x5570, 0x5580}) {
        SCOPED_TRACE(pid);
        ASSERT_NO_FATAL_FAILURE(plugCamera(pid, "2.9", pid == 0x5570 ? "AmbaSysFW_TAVRINEVO.bin" : "SD_TAVRINPRO.bin",
                                           pid == 0x5570 ? "MISC/version.conf" : "tavrinpro.bin"));
        if (pid == 0x5580) camera->slowIntoStorage(3);
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(camera->applied(), 1);
        EXPECT_EQ(onCard(), "3.1");
        EXPECT_EQ(targets(), (std::vector<uint8_t>{1, 2}));
        TearDown();
        SetUp();
    }
}

TEST_F(CameraStorage, TheStatePollCountsACommandFailingOnItsSixthAttempt) {
    struct Case {
        std::set<int> failing;  // 0x22 queries (over the run) that fail
        const char* tag;
    };
    // The second poll (after the copy) starts at query 2; the release after it is refused.
    for (const Case& c : {Case{{}, "[0][0]"}, Case{{2, 3, 4, 5, 6, 7}, "[3][2]"}}) {
        SCOPED_TRACE(c.tag);
        ASSERT_NO_FATAL_FAILURE(plugCamera(0x5510, "2.0", "FWCARCAM.bin", "TAVRIN.VER"));
        camera->failStateQueries(c.failing);
        PartDownloadHeadset::Behaviour b;
        b.refused = {0x21};
        headset->setBehaviour(b);
        update::threadMethodUpdate(run);
        expectFailed(1, std::string("Failed to restore firmware. Cannot get status ") + c.tag + ". Try again.");
        TearDown();
        SetUp();
    }
}

TEST_F(CameraStorage, ACardThatNeverShowsEndsWithCheckYourSdCard) {
    ASSERT_NO_FATAL_FAILURE(plugCamera(0x5576, "2.0", "AmbaSysFW_HURVEK-HX7C.bin", "MISC/version.conf"));
    camera->neverShowCard();
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Check your SD Card");
    EXPECT_TRUE(headset->parts().empty());
}

TEST_F(CameraStorage, ACameraContainerWithoutItsThirdPartIsCorrupted) {
    ASSERT_NO_FATAL_FAILURE(plugCamera(0x3060, "2.0", "AmbaSysFW_PEMVIKPro.bin", "MISC/version.conf"));
    writeFirmware(container(0x3060, {{0, 1, 30}, {2, 2, 20}}));
    update::threadMethodUpdate(run);
    expectFailed(3, "Failed to restore firmware. Firmware corrupted");
    EXPECT_EQ(headset->count(0x20), 0);
}

struct EndingCase {
    uint16_t model;
    bool box, polls;
};

TEST_F(CameraStorage, EachSubsetEndsItsOwnWay) {
    const EndingCase cases[] = {{0x3060, false, false}, {0x5320, false, true}, {0x5520, true, true}, {0x6400, false, false}};
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.model);
        controller.boxes.clear();
        if (c.model == 0x3060) {
            ASSERT_NO_FATAL_FAILURE(plugCamera(0x3060, "3.1", "AmbaSysFW_PEMVIKPro.bin", "MISC/version.conf"));
        } else {
            ASSERT_NO_FATAL_FAILURE(plug(c.model));
            writeFirmware(container(c.model, {{0, 1, 30}}));
        }
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(controller.boxes.size(), c.box ? 2u : 0u);
        EXPECT_EQ(headset->count(0x0D), c.polls ? 1 : 0);
        EXPECT_EQ(headset->count(0x08), 1);
        TearDown();
        SetUp();
    }
}

TEST_F(CameraStorage, TheUnitLanguageIsWrittenAndARefusalStillSucceeds) {
    for (bool held : {true, false}) {
        SCOPED_TRACE(held ? "record held" : "no record");
        ASSERT_NO_FATAL_FAILURE(plug(0x3310));
        if (held) headset->setKey(4, {0x0102, 0x0304});
        run.strLanguageFirmware = "Danish";
        writeFirmware(container(0x3310, {{0, 1, 30}}));
        update::threadMethodUpdate(run);
        expectSucceeded();
        if (held) {
            EXPECT_EQ(headset->key(4), (std::vector<uint16_t>{0x0102, 0x0304, 0, 0x0021}));
        }
        TearDown();
        SetUp();
    }
}

}  // namespace
}  // namespace part_download
