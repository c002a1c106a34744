// The mesh headsets with a camera, a 0x3120 module and an iM501 end to end: which Bluetooth parts
// each model writes, the voice-prompt mount check, the iM501's failures only logged, the
// languages, and the camera step of the three camera models.
#include <mbedtls/md5.h>

#include <filesystem>
#include <fstream>

#include "MeshFixture.h"
#include "sim/SimCamera.h"
#include "update/MeshSteps.h"

namespace mesh_test {
namespace {

namespace fs = std::filesystem;
using sim::SimMeshModule;

// Bluetooth parts 0 and 1 (kinds 0 and 2), the mesh image at 2, the iM501's at 3.
const std::vector<PartSpec> kFourEntries{{0, 1, 30}, {2, 2, 20}, {9, 3, 70}, {9, 4, 40}};

class MeshCameraVoice : public MeshTest {
  protected:
    void plugModel(uint16_t pid, const std::vector<PartSpec>& specs = kFourEntries) {
        ASSERT_NO_FATAL_FAILURE(plugMesh(pid));
        writeFirmware(part_download::container(pid, specs));
    }
};

struct PartsCase {
    uint16_t pid;
    std::vector<PartSpec> specs;
    std::vector<uint8_t> targets;
    int loaders;
};

TEST_F(MeshCameraVoice, EachModelWritesItsBluetoothPartsAfterTheModuleAndTheIm501) {
    const PartsCase cases[] = {
        {0x3148, kFourEntries, {1, 2, 3, 4}, 1},
        {0x3132, kFourEntries, {1, 2}, 1},
        {0x3134, {{1, 1, 30}, {1, 2, 20}, {9, 3, 70}, {9, 4, 40}}, {1, 2}, 0},
    };
    for (const PartsCase& c : cases) {
        SCOPED_TRACE(c.pid);
        ASSERT_NO_FATAL_FAILURE(plugModel(c.pid, c.specs));
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(targets(), c.targets);
        EXPECT_EQ(headset->count(0x08), c.loaders);
        const auto images = module->images();
        ASSERT_EQ(images.size(), 2u);
        EXPECT_EQ(images[0].selector, 0);
        EXPECT_EQ(images[0].accepted, entryBytes(70, 2));
        EXPECT_EQ(images[1].selector, 1);
        EXPECT_EQ(images[1].accepted, entryBytes(40, 3));
        EXPECT_TRUE(images[1].verified);
        EXPECT_EQ(module->count(0x47), 1);
        EXPECT_EQ(headset->count(0x80), 0) << "no part of kind 1 on 0x3148";
        EXPECT_EQ(page.addUpdateProcessed, 99);
        TearDown();
        SetUp();
    }
}

TEST_F(MeshCameraVoice, APartWhoseVoicePromptsDoNotMountIsWrittenAgainTenTimesAtMost) {
    for (int failures : {2, -1}) {
        SCOPED_TRACE(failures);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3154, {{0, 1, 30}, {1, 2, 20}, {9, 3, 70}, {9, 4, 40}}));
        meshHeadset->failMountChecks(failures);
        update::threadMethodUpdate(run);
        const auto written = targets();
        if (failures > 0) {
            expectSucceeded();
            EXPECT_EQ(written, (std::vector<uint8_t>{1, 2, 2, 2, 3, 4}));
        } else {
            expectFailed(1, "Failed to restore firmware. Cannot get status[80]");
            EXPECT_EQ(std::count(written.begin(), written.end(), 2), 11);
            EXPECT_EQ(headset->count(0x08), 0);
        }
        TearDown();
        SetUp();
    }
}

TEST_F(MeshCameraVoice, TheIm501sFailuresAreOnlyLogged) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x3156));
    SimMeshModule::Behaviour b;
    b.failingVerifies = {1, 2, 3, 4, 5, 6};  // the mesh image's check is the first
    b.failingChecks = {2};                   // the iM501's first chunk
    b.im501Good = false;
    module->setBehaviour(b);
    update::threadMethodUpdate(run);
    expectSucceeded();
    EXPECT_EQ(module->count(0x5B), 7);
    EXPECT_EQ(module->count(0x47), 1);
    EXPECT_EQ(targets(), (std::vector<uint8_t>{1, 2}));
}

struct LanguageCase {
    uint16_t pid;
    const char* language;
    uint16_t word;  // the record's fourth word after the update
};

TEST_F(MeshCameraVoice, TheLanguageGoesOutByTheModelsForm) {
    const LanguageCase cases[] = {{0x3132, "German", 0x0004}, {0x3320, "Danish", 0x0001}, {0x3170, "German", 0}};
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(c.pid);
        ASSERT_NO_FATAL_FAILURE(plugModel(c.pid));
        meshHeadset->setKey(4, {0x0102, 0x0304, 0, 0});
        run.strLanguageFirmware = c.language;
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(meshHeadset->key(4), (std::vector<uint16_t>{0x0102, 0x0304, 0, c.word}));
        TearDown();
        SetUp();
    }
}

// ---- the camera step ---------------------------------------------------------------------------

constexpr const char* kVersionFile = "MISC/version.conf";

class MeshCamera : public MeshCameraVoice {
  protected:
    // 0x3232 whose card runs `onCard`; the container's camera image is 1.6 and the camera
    // applies `applies`.
    void plugCamera(const std::string& onCard, const std::string& applies = "1.6") {
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3232, {{0, 1, 30}, {2, 2, 20}, {5, 9, 64, 1, 6}, {9, 3, 70}, {9, 4, 40}}));
        card = folder.path() + "/card";
        fs::remove_all(card);
        fs::create_directories(card + "/MISC");
        std::ofstream(card + "/" + kVersionFile) << onCard;
        controller.cameraMarker = kVersionFile;
        camera = std::make_shared<sim::SimCamera>(card, "AmbaSysFW_JORVEL.bin", kVersionFile, applies);
        meshHeadset->attachCamera(camera);
    }
    std::string onCard() const {
        std::ifstream in(card + "/" + kVersionFile);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<uint8_t> cameraCommands() const {
        std::vector<uint8_t> out;
        for (uint8_t c : headset->commands())
            if (c >= 0x20 && c <= 0x22) out.push_back(c);
        return out;
    }
    void expectEndedWithHidOpen(const std::string& text) {
        EXPECT_TRUE(page.updateFinished);
        EXPECT_FALSE(page.updateSucceeded);
        EXPECT_EQ(page.updateRestoreError, 1);
        EXPECT_EQ(status(), text);
        EXPECT_NE(usbhid_slot(0), nullptr) << "the camera step ends without closing HID";
        EXPECT_EQ(meshHeadset->count(0x50), 0);
    }

    std::string card;
    std::shared_ptr<sim::SimCamera> camera;
};

TEST_F(MeshCamera, ACardAlreadyAtTheImagesVersionGetsNoFile) {
    ASSERT_NO_FATAL_FAILURE(plugCamera("1.6"));
    update::threadMethodUpdate(run);
    expectSucceeded();
    EXPECT_EQ(cameraCommands(), (std::vector<uint8_t>{0x20, 0x22, 0x21}));
    EXPECT_EQ(camera->applied(), 0);
    EXPECT_FALSE(fs::exists(card + "/AmbaSysFW_JORVEL.bin"));
    EXPECT_EQ(targets(), (std::vector<uint8_t>{1, 2})) << "the camera image never goes over HID";
    EXPECT_EQ(module->images().front().accepted, entryBytes(70, 3));
}

TEST_F(MeshCamera, AnOlderCameraTakesTheImageAndMustRunItAfterItsRestart) {
    for (const char* applies : {"1.6", "1.5"}) {
        SCOPED_TRACE(applies);
        ASSERT_NO_FATAL_FAILURE(plugCamera("1.5", applies));
        update::threadMethodUpdate(run);
        EXPECT_EQ(camera->applied(), 1);
        if (std::string(applies) == "1.6") {
            expectSucceeded();
            EXPECT_EQ(onCard(), "1.6");
            EXPECT_EQ(cameraCommands(), (std::vector<uint8_t>{0x20, 0x22, 0x21, 0x20, 0x21}));
        } else {
            expectEndedWithHidOpen("Failed to restore firmware. Camera firmware update failed [50][c][14]. Try again.");
            EXPECT_EQ(cameraCommands(), (std::vector<uint8_t>{0x20, 0x22, 0x21, 0x20}));
        }
        TearDown();
        SetUp();
    }
}

TEST_F(MeshCamera, ACardThatNeverShowsEndsWithCheckYourSdCard) {
    ASSERT_NO_FATAL_FAILURE(plugCamera("1.5"));
    camera->neverShowCard();
    update::threadMethodUpdate(run);
    expectEndedWithHidOpen("Failed to restore firmware. Check your SD Card");
}

struct ReadBackCase {
    const char* name;
    size_t written;     // bytes of the image in the firmware file
    bool digestRight;   // the part's digest is that of the written bytes
    const char* tag;
};

TEST_F(MeshCamera, TheReadBackFailuresCarryTheCameraStepsTags) {
    const ReadBackCase cases[] = {
        {"a right digest of the wrong size", 3000, true, "[50][c][11]"},
        {"a wrong digest", 3000, false, "[50][c][10]"},
    };
    const update::CameraFiles* files = update::cameraFilesOf(0x3232);
    ASSERT_NE(files, nullptr);
    run.mode = 6;
    for (const ReadBackCase& c : cases) {
        SCOPED_TRACE(c.name);
        card = folder.path() + "/card";
        fs::create_directories(card);
        const std::vector<unsigned char> data = entryBytes(c.written, 7);
        std::ofstream(card + "/AmbaSysFW_JORVEL.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        update::CameraPart part;
        part.data = data.data();
        part.length = c.written - 1;
        mbedtls_md5_ret(data.data(), c.digestRight ? data.size() : data.size() - 1, part.digest.data());
        EXPECT_FALSE(update::readBackCameraFile(run, card + "/", *files, part, update::kMeshCameraCopyTags));
        EXPECT_EQ(status(), std::string("Failed to restore firmware. Cannot get status ") + c.tag + ". Try again.");
        EXPECT_FALSE(fs::exists(card + "/AmbaSysFW_JORVEL.bin"));
    }
}

}  // namespace
}  // namespace mesh_test
