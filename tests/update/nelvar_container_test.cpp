// The Nelvar headset (0x3020): its container split into a DFU part and a camera part in the
// archive folder, the Bluetooth part through the CSR road, the camera part moved onto the card
// that a mounted volume holds, and the closing question that the user's OK answers.
#include <filesystem>
#include <fstream>

#include "CsrRoadFixture.h"
#include "platform/MountedVolumes.h"

namespace csr_road_test {
namespace {

namespace fs = std::filesystem;
using test_support::ArchiveBytes;
using test_support::ImageBytes;

// The card as the controller finds it: the first removable, writable volume holding the marker.
class CardController : public FakeUpdateController {
  public:
    std::optional<std::string> getCameraDiskPath() const override {
        for (const auto& v : platform::mountedVolumes())
            if (v.removable && v.writable && v.unmountable && fs::exists(v.path + "/nelvar.bin")) return v.path + "/";
        return std::nullopt;
    }
};

ImageBytes readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return ImageBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class Nelvar : public CsrRoad {
  protected:
    void SetUp() override {
        CsrRoad::SetUp();
        if (IsSkipped()) return;
        card = folder.path() + "/card";
        fs::create_directories(card);
        std::ofstream(card + "/nelvar.bin") << "marker";
        platform::setVolumesForTesting(std::vector<platform::Volume>{{card, true, true, true}});
        cards.page = &page;
        selectModel(0x3020, 0xB020, 0);
        // The Nelvar version: major.minor and the extras in the store's byte order.
        run.record.setDeviceVersionMajor(1);
        run.record.setDeviceVersionMinor(2);
        run.record.setDeviceSecondaryVersionType(3);
        run.record.setDeviceSecondaryVersion(4);
    }
    void TearDown() override {
        platform::setVolumesForTesting(std::nullopt);
        CsrRoad::TearDown();
    }

    sim::CsrStore nelvar(bool dfuMode) {
        sim::CsrStore s = unit(0x3020, dfuMode);
        s.version = std::array<uint8_t, 4>{4, 3, 2, 1};
        return s;
    }

    // A container of the DFU part (what the headset should end up holding is returned) and
    // the camera part; `parts` 1 leaves the camera part out.
    ImageBytes container(size_t parts = 2) {
        const ImageBytes dfu = test_support::dfu_image("NELVAR#3020", 2500);
        test_support::ArchiveRecipe recipe;
        recipe.model_name = "NELVAR v1.2";
        recipe.header_id = 0x3020;
        recipe.parts = {test_support::ArchiveEntry(std::vector<unsigned char>(dfu.begin(), dfu.end())),
                      test_support::ArchiveEntry(std::vector<unsigned char>(camera.begin(), camera.end()))};
        recipe.parts.resize(parts, recipe.parts[0]);
        writeFirmware(test_support::make_archive(recipe));
        return ImageBytes(dfu.begin(), dfu.end() - 16);
    }

    void useCards() {
        // The run's controller is the one with the card lookup.
        cards.target = controller.target;
        cards.usb = controller.usb;
        cards.mode_ = controller.mode_;
    }

    std::string staged(const char* name) const { return run.archiveFolder + "/" + name; }

    const ImageBytes camera = ImageBytes{'C', 'A', 'M', 0, 1, 2, 3, 0xFF};
    std::string card;
    CardController cards;
    update::UpdateRun cardRun{cards, page};
};

TEST_F(Nelvar, SuccessLeavesTheDfuPartAndPutsTheCameraPartOnTheCard) {
    struct Case {
        const char* what;
        bool withCard;
        bool oldCameraFile;
    };
    for (const Case& c : {Case{"a card with an older camera file", true, true}, Case{"no card", false, false}}) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(plug({nelvar(true)}));
        if (!c.withCard) platform::setVolumesForTesting(std::vector<platform::Volume>{});
        if (c.oldCameraFile) std::ofstream(card + "/sac10_100.bin") << "older";
        useCards();
        cardRun.firmwareFile = run.firmwareFile;
        cardRun.archiveFolder = run.archiveFolder;
        cardRun.record = run.record;
        const ImageBytes image = container();
        update::threadMethodUpdate(cardRun);

        EXPECT_FALSE(page.updateFinished) << "the user's OK ends the operation";
        EXPECT_EQ(headset().dfuImage(), image);
        EXPECT_TRUE(fs::exists(staged(update::kNelvarDfuFile)));
        EXPECT_EQ(fs::exists(staged(update::kNelvarCameraFile)), !c.withCard);
        if (c.withCard) {
            EXPECT_EQ(readAll(card + "/sac10_100.bin"), camera);
        }
        EXPECT_EQ(cards.restartRecordsCleared, 1);
        ASSERT_FALSE(cards.boxes.empty());
        EXPECT_EQ(cards.boxes.back().forWhat, 11);
        EXPECT_EQ(cards.boxes.back().ok, app::AppTexts::qelm_string_ok_in(0));
        EXPECT_EQ(cards.boxes.back().size, 3);
        EXPECT_TRUE(nothingOpen());
        csr_usb_exit();
        sim_.reset();
        cards.boxes.clear();
        cards.restartRecordsCleared = 0;
    }
}

TEST_F(Nelvar, NormalModeEndsWithRestartToRecoverAndNoBox) {
    ASSERT_NO_FATAL_FAILURE(plug({nelvar(false)}));
    controller.usb = 0x3020;
    container();
    update();
    EXPECT_TRUE(page.updateFinished);
    EXPECT_EQ(page.updateRestoreError, 4);
    EXPECT_TRUE(controller.boxes.empty());
    EXPECT_EQ(headset().dfuDetaches(), 1);
    EXPECT_TRUE(nothingOpen());
}

TEST_F(Nelvar, DamagedContainersAndFailedWritesLeaveNoImageToFlash) {
    ASSERT_NO_FATAL_FAILURE(plug({nelvar(true)}));

    container(1);
    update();
    EXPECT_EQ(page.updateRestoreError, 3);
    EXPECT_EQ(status(), failure(update::UpdateTexts::qelm_string_firmware_corrupted_in(0)));

    // An older staged image is there; the camera part cannot be written.
    fs::create_directories(staged(update::kNelvarCameraFile) + "/in-the-way");
    std::ofstream(staged(update::kNelvarDfuFile)) << "an older image";
    container();
    update();
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_EQ(status(), failure(update::UpdateTexts::qelm_string_cannot_create_file_in(0)));
    EXPECT_FALSE(fs::exists(staged(update::kNelvarDfuFile)));
    EXPECT_TRUE(headset().dfuRequests().empty());
}

}  // namespace
}  // namespace csr_road_test
