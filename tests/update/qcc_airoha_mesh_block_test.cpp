// The QCC headset with an Airoha mesh chip and voice prompts (0x5630) on the simulated bus: the
// QCC chip's identity, the mesh chip's update device joining the bus after 0x0F and taking its
// block, the QCC firmware, and the voice prompts only when the headset's differ.
#include "QccRoadFixture.h"
#include "sim/Hs6838Model.h"

namespace qcc {
namespace {

using sim::Hs6042Model;
using sim::Hs6838Model;

constexpr uint32_t kMeshBlock = 0x21;

test_support::ArchiveBytes meshArchive(uint32_t promptsMajor, uint32_t promptsMinor) {
    test_support::ArchiveRecipe recipe;
    recipe.model_name = "QCCMESH";
    recipe.header_id = 0x5630;
    recipe.layout = test_support::Layout::long_table;
    recipe.parts.clear();
    test_support::ArchiveEntry firmware(qccBytes(1500, 1)), prompts(qccBytes(700, 2)), mesh(qccBytes(100, 3));
    prompts.versions = {promptsMajor, promptsMinor, 0, 0, 0};
    mesh.number = kMeshBlock;
    mesh.flag = 1;
    mesh.versions = {1, 0, 0, 0, 0};
    recipe.parts = {firmware, prompts, mesh};
    return test_support::make_archive(recipe);
}

class QccAirohaMeshBlock : public QccRoadTest {
  protected:
    // The headset (entry 0) and, off the bus until 0x0F, the mesh chip's update device (entry 1);
    // the headset's chip version, its voice-prompt byte, and whether the mesh device ever comes.
    void plugMesh(uint8_t voicePrompts, bool meshAppears = true) {
        controller.target = controller.usb = 0x5630;
        run.record.setDeviceRecognized(0x5630);
        run.record.setDeviceVersionMajor01(3);
        run.record.setDeviceVersionMinor01(4);
        run.openHeadset = openHeadsetOf<0x5630>;
        headset = std::make_shared<Hs6042Model>();
        headset->setVersion({3, 4, 0, 0});
        headset->setKey(0x3E, {0, 0, 0, 0, 0x0102, static_cast<uint16_t>(0x0300 | voicePrompts)});
        mesh = std::make_shared<Hs6838Model>();
        mesh->setBlockVersions(kMeshBlock, {1, 0, 0, 0, 0});
        sim_ = std::make_unique<sim::SimHeadset>(std::vector<sim::HidInterface>{
            sim::hid(0x5630).servedBy(headset), sim::hid(0x3220).servedBy(mesh).offBus()});
        ASSERT_TRUE(sim_->mocked());
        headset->restartsOn(sim_->testbed(), 0, clock);
        mesh->restartsOn(sim_->testbed(), 1, clock, 5000);
        if (meshAppears) sim_->joinsBusAfter(0, sim::Format::A, 0x0F, 1);
    }

    std::shared_ptr<Hs6838Model> mesh;
};

TEST_F(QccAirohaMeshBlock, TheVoicePromptsAreWrittenOnlyWhenTheyDiffer) {
    struct Case {
        const char* name;
        uint8_t headsetPrompts;
        size_t images, backups;
    } cases[] = {
        {"same voice prompts (2.3)", 23, 1, 2},
        {"other voice prompts", 22, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugMesh(c.headsetPrompts));
        controller.mode_ = 5;
        // Every backup fails and the user goes on without: each one asks once.
        run.archiveFolder = run.firmwareFile + "/archive";
        controller.answerOK = true;
        writeFirmware(meshArchive(2, 3));
        update::threadMethodUpdate(run);

        expectSucceeded();
        EXPECT_EQ(mesh->blocks(), (std::vector<std::vector<uint8_t>>{qccBytes(100, 3)})) << "never skipped";
        EXPECT_EQ(mesh->restarts(), 1);
        std::vector<Hs6042Model::Part> parts{{0, qccBytes(1500, 1), true, true}};
        if (c.images == 2) parts.push_back({0, qccBytes(700, 2), true, true});
        EXPECT_EQ(headset->parts(), parts);
        EXPECT_EQ(headset->restarts(), static_cast<int>(c.images));
        size_t asked = 0;
        for (const auto& box : controller.boxes) asked += box.forWhat == 14;
        EXPECT_EQ(asked, c.backups);
        nextCase();
    }
}

TEST_F(QccAirohaMeshBlock, RefusalsBeforeAnythingIsWritten) {
    struct Case {
        const char* name;
        std::vector<uint8_t> chipVersion;
        uint8_t meshReady;
        bool meshAppears;
        int32_t code;
        const char* status;
        int64_t atLeastMs;
    } cases[] = {
        {"another QCC chip version", {3, 5, 0, 0}, 0, true, 2, "Failed to restore firmware. Not the recognized device", 0},
        {"mesh not ready", {3, 4, 0, 0}, 1, true, 1, "Failed to restore firmware. Cannot get status[02][qm]", 0},
        {"mesh device never appears", {3, 4, 0, 0}, 0, false, 1,
         "Failed to restore firmware. Cannot get status. Try again.[8]", 2000 + 20 * 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugMesh(23, c.meshAppears));
        headset->setVersion(c.chipVersion);
        headset->setByte(0x12, c.meshReady);
        writeFirmware(meshArchive(2, 3));
        const int64_t start = clock.nowMs();
        update::threadMethodUpdate(run);

        expectFailed(c.code, c.status);
        EXPECT_GE(clock.nowMs() - start, c.atLeastMs);
        EXPECT_TRUE(headset->parts().empty());
        EXPECT_TRUE(mesh->blocks().empty());
        EXPECT_EQ(headset->count(0x12), c.code == 2 ? 0 : 1);
        nextCase();
    }
}

}  // namespace
}  // namespace qcc
