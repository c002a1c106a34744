// The QCC headsets with an Airoha mesh module end to end: the readiness query, the module's block,
// the headset found again and its firmware file read again, then the Bluetooth image.
#include <filesystem>
#include <optional>

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

// After the handover the headset is let go at once and the progress target is set before the
// module is looked for: two seconds in, nothing is open and the target is still the write
// phase's start; the module's first request finds the target set.
TEST_F(QccAirohaMesh, TheHandoverLetsTheHeadsetGoThenSetsTheTargetBeforeTheSearch) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x5552));
    std::optional<bool> openDuringWait;
    std::optional<int32_t> targetDuringWait, targetAtModule;
    meshHeadset->onRequest = [&](sim::Format, const std::vector<uint8_t>& request) {
        if (request[1] != 0x0F) return;
        clock.after(1000, [&] {
            openDuringWait = usbhid_slot(0) != nullptr;
            targetDuringWait = page.addUpdateProcessed.load();
        });
    };
    airoha->onRequest = [&](sim::Format, const std::vector<uint8_t>&) {
        if (!targetAtModule) targetAtModule = page.addUpdateProcessed.load();
    };
    update::threadMethodUpdate(run);
    expectSucceeded();
    EXPECT_EQ(openDuringWait, false);
    EXPECT_EQ(targetDuringWait, 2);
    EXPECT_EQ(targetAtModule, 4);
}

// The diagnostic lines of the mesh block (each whole-percent step with the CRCs, the verify, the
// result query) and of the Bluetooth image's last chunk.
TEST_F(QccAirohaMesh, TheBlockAndImageStepsWriteTheirDiagnosticLines) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x5553));
    testing::internal::CaptureStderr();
    update::threadMethodUpdate(run);
    const std::string log = testing::internal::GetCapturedStderr();
    expectSucceeded();
    for (const char* line : {"--- NORMAL BLOCK[3][58][100] CRC[0x", "]  Progress:  58%", "--- NORMAL BLOCK[3][100][100] CRC[0x",
                             "]  Progress: 100%", "--------------AIROHA MESH VERIFY\n",
                             "--------------AIROHA COMMAND_GET_DFU_RESULT ", "writeLAST"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_LT(log.find("Progress: 100%"), log.find("AIROHA MESH VERIFY"));
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
