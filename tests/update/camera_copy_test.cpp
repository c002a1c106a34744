// The camera part handed over on the camera's card: the card asked for once a second, the
// camera's version file against the part's version, the staged file, the rename that never
// replaces, the read-back by digest and size, each failure by the calling family's tag.
#include <filesystem>
#include <fstream>

#include <mbedtls/md5.h>

#include "UpdateWorkerFixture.h"
#include "update/CameraCopy.h"

namespace camera_copy_test {
namespace {

namespace fs = std::filesystem;

constexpr update::CameraCopyTags kTags{"[2][0]", "[2][1]", "[2][9]", "[2][10]", "[2][5]",
                                      "[2][6]", "[2][4]", "[2][9]", "[2][10]"};

class CameraCopy : public UpdateWorkerTest {
  protected:
    void SetUp() override {
        UpdateWorkerTest::SetUp();
        controller.mode_ = 6;
        controller.target = 0x5510;
        run.deviceTarget = 0x5510;
        run.mode = 6;
        card = folder.path() + "/card";
        fs::create_directories(card);
        controller.cameraMarker = "TAVRIN.VER";
        std::ofstream(card + "/TAVRIN.VER");
        files = update::cameraFilesOf(0x5510);
        data.assign(3000, 0);
        for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 7);
        part.data = data.data();
        part.length = data.size();
        part.major = 3;
        part.minor = 1;
        mbedtls_md5_ret(data.data(), data.size(), part.digest.data());
    }
    void TearDown() override {
        platform::setVolumesForTesting(std::nullopt);
        UpdateWorkerTest::TearDown();
    }
    void showCard() { platform::setVolumesForTesting(std::vector<platform::Volume>{{card, true, true, true}}); }
    std::string read(const std::string& name) const {
        std::ifstream in(card + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string card;
    const update::CameraFiles* files = nullptr;
    std::vector<unsigned char> data;
    update::CameraPart part;
};

TEST_F(CameraCopy, TheCardIsAskedForOnceASecondUpToTheLimit) {
    for (bool appears : {true, false}) {
        SCOPED_TRACE(appears ? "found on the 70th ask" : "never found");
        platform::setVolumesForTesting(std::vector<platform::Volume>{});
        const int64_t start = clock.nowMs();
        if (appears) clock.after(69 * 1000, [this] { showCard(); });
        const auto volume = update::findCameraVolume(run, 70);
        EXPECT_EQ(volume.has_value(), appears);
        EXPECT_EQ(clock.nowMs() - start, appears ? 69 * 1000 : 70 * 1000);
        if (!appears) {
            update::failCheckSdCard(run);
            EXPECT_EQ(status(), "Failed to restore firmware. Check your SD Card");
        }
    }
}

struct CopyCase {
    const char* name;
    const char* versionFile;  // nullptr: none on the card
    bool current;
    bool stale = false;            // a staged file of an earlier run lies there
    bool targetThere = false;      // a target file of the same name lies there
    bool wrongDigest = false;      // the part's digest does not match its bytes
    const char* tag = nullptr;     // the failure; none: copied
};

const CopyCase kCopyCases[] = {
    {"SameVersionSkips", "3.1", true},
    {"ThirdFieldIgnored", "3.1.2", true},
    {"OlderVersionCopies", "3.0", false},
    {"MissingVersionFileCountsAsZero", nullptr, false},
    {"StaleStagedFileRemovedFirst", "3.1", true, true},
    {"ExistingTargetNeverReplaced", "2.0", false, false, true, false, "[2][1]"},
    {"WrongDigestRemovesBoth", "2.0", false, false, false, true, "[2][6]"},
};

class CameraCopyCases : public CameraCopy, public testing::WithParamInterface<CopyCase> {};

TEST_P(CameraCopyCases, CompareThenCopyAndReadBack) {
    const CopyCase& c = GetParam();
    fs::remove(card + "/TAVRIN.VER");
    if (c.versionFile) std::ofstream(card + "/TAVRIN.VER") << c.versionFile;
    if (c.stale) std::ofstream(card + "/__tavrin_firmware__.bin") << "old";
    if (c.targetThere) std::ofstream(card + "/FWCARCAM.bin") << "kept";
    if (c.wrongDigest) part.digest[0] ^= 1;
    const std::string volume = card + "/";

    update::removeStaleStaged(volume, *files);
    EXPECT_FALSE(fs::exists(card + "/__tavrin_firmware__.bin"));
    EXPECT_EQ(update::cameraIsCurrent(volume, *files, part), c.current);
    if (c.current) return;
    const bool copied = update::copyCameraPart(run, volume, *files, part, kTags);
    EXPECT_EQ(copied, c.tag == nullptr);
    if (copied) {
        EXPECT_EQ(read("FWCARCAM.bin"), std::string(data.begin(), data.end()));
        EXPECT_FALSE(fs::exists(card + "/__tavrin_firmware__.bin"));
        return;
    }
    const bool cameraFailed = std::string(c.tag) == "[2][1]";
    EXPECT_EQ(status(), std::string("Failed to restore firmware. ") +
                            (cameraFailed ? "Camera firmware update failed " : "Cannot get status ") + c.tag +
                            ". Try again.");
    if (c.targetThere) {
        EXPECT_EQ(read("FWCARCAM.bin"), "kept");
    } else {
        EXPECT_FALSE(fs::exists(card + "/FWCARCAM.bin"));
        EXPECT_FALSE(fs::exists(card + "/__tavrin_firmware__.bin"));
    }
}

INSTANTIATE_TEST_SUITE_P(Worker, CameraCopyCases, testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraCopy, ARightDigestOfTheWrongSizeFailsAndRemovesTheTarget) {
    std::ofstream(card + "/FWCARCAM.bin", std::ios::binary).write(reinterpret_cast<const char*>(data.data()), 3000);
    part.length = 2999;  // the file's digest is right, its size is not
    EXPECT_FALSE(update::readBackCameraFile(run, card + "/", *files, part, kTags));
    EXPECT_EQ(status(), "Failed to restore firmware. Cannot get status [2][4]. Try again.");
    EXPECT_FALSE(fs::exists(card + "/FWCARCAM.bin"));
}

TEST_F(CameraCopy, TheRenameNeverReplacesAFile) {
    std::ofstream(card + "/a") << "a";
    std::ofstream(card + "/b") << "b";
    EXPECT_FALSE(update::renameNoReplace(card + "/a", card + "/b"));
    EXPECT_EQ(read("b"), "b");
    EXPECT_TRUE(update::renameNoReplace(card + "/a", card + "/c"));
    EXPECT_EQ(read("c"), "a");
}

TEST(CameraFileRows, EachCameraModelHasItsFiles) {
    for (int32_t model : {0x5510, 0x5580, 0x5570, 0x5576, 0x3060, 0x3232, 0x3233, 0x3240}) {
        SCOPED_TRACE(model);
        ASSERT_NE(update::cameraFilesOf(model), nullptr);
    }
    EXPECT_STREQ(update::cameraFilesOf(0x5580)->target, "SD_TAVRINPRO.bin");
    EXPECT_STREQ(update::cameraFilesOf(0x3233)->staged, "__jorvel_firmware__.bin");
    EXPECT_EQ(update::cameraFilesOf(0x3020), nullptr);
}

}  // namespace
}  // namespace camera_copy_test
