// The QCC headsets with an Airoha mesh module end to end: the readiness query, the module's block,
// the headset found again and its firmware file read again, then the Bluetooth image.
#include <filesystem>

#include "MeshFixture.h"

namespace mesh_test {
namespace {

constexpr uint32_t kBlockNumber = 3;

class QccAirohaMesh : public MeshTest {
  protected:
    void plugModel(uint16_t pid) {
        ASSERT_NO_FATAL_FAILURE(plugAirohaMesh(pid, 0x0F));
        meshHeadset->takesQccImage();
        // The Bluetooth image at entry 0, the mesh block (with its version query) at entry 1.
        writeFirmware(part_download::container(pid, {{0, 0, 1500}, {kBlockNumber, 1, 100}}));
    }
    void expectMeshUpdated() {
        ASSERT_EQ(airoha->blocks().size(), 1u);
        EXPECT_EQ(airoha->blocks()[0], entryBytes(100, 1));
        EXPECT_EQ(airoha->restarts(), 1);
    }
};

TEST_F(QccAirohaMesh, TheMeshBlockThenTheBluetoothImage) {
    for (uint16_t pid : {0x5552, 0x5553}) {
        SCOPED_TRACE(pid);
        ASSERT_NO_FATAL_FAILURE(plugModel(pid));
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(headset->count(0x12), 1);
        expectMeshUpdated();
        ASSERT_EQ(headset->parts().size(), 1u);
        EXPECT_EQ(headset->parts()[0].bytes, entryBytes(1500, 0));
        EXPECT_EQ(headset->count(0x06), 1);
        EXPECT_EQ(headset->count(0x0E), 1);
        EXPECT_EQ(headset->count(0x0A), 1);
        TearDown();
        SetUp();
    }
}

TEST_F(QccAirohaMesh, AHeadsetNotReadyEndsBeforeTheHandover) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x5552));
    meshHeadset->setByte(0x12, 1);
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Cannot get status[02][qm]");
    EXPECT_EQ(meshHeadset->count(0x0F), 0);
}

TEST_F(QccAirohaMesh, AHeadsetBackAsAnotherProductIsNotTheRecognizedOne) {
    ASSERT_NO_FATAL_FAILURE(plugAirohaMesh(0x5552, 0x0F, {sim::hid(0x5553).offBus()}));
    // The headset leaves with the handover and another product comes in its place.
    meshHeadset->leavesAfter(0x0F);
    clock.after(3000, [this] { sim_->testbed().plugIn(2); });
    run.openHeadset = openAnyMeshHeadset;
    writeFirmware(part_download::container(0x5552, {{0, 0, 50}, {kBlockNumber, 1, 100}}));
    update::threadMethodUpdate(run);
    expectFailed(2, "Failed to restore firmware. Not the recognized device");
    expectMeshUpdated();
}

TEST_F(QccAirohaMesh, AFirmwareFileGoneBeforeTheSecondReadingEndsWithCode3) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x5553));
    clock.after(1000, [this] { std::filesystem::remove(run.firmwareFile); });
    update::threadMethodUpdate(run);
    EXPECT_TRUE(page.updateFinished);
    EXPECT_EQ(page.updateRestoreError, 3);
    expectMeshUpdated();
    EXPECT_TRUE(headset->parts().empty());
}

}  // namespace
}  // namespace mesh_test
