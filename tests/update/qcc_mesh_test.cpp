// The QCC mesh headsets end to end: the readiness query, the handover to the mesh module on
// 65-byte reports, its image and restart, then the Bluetooth image with its last chunk marked.
#include "MeshFixture.h"

namespace mesh_test {
namespace {

using sim::SimMeshModule;

class QccMesh : public MeshTest {
  protected:
    // The headset `pid` with its QCC mesh module `modulePid`; the Bluetooth image (short entry 0)
    // and the mesh image (short entry 1) of the given lengths.
    void plugModel(uint16_t pid, size_t bluetooth, size_t mesh, uint16_t modulePid = 0x6511) {
        ASSERT_NO_FATAL_FAILURE(plugMesh(pid, modulePid, 0x0F, 1, sim::Format::C));
        meshHeadset->takesQccImage();
        SimMeshModule::Behaviour b;
        b.restartBackMs = 3000;
        module->setBehaviour(b);
        writeFirmware(part_download::container(pid, {{0, 0, bluetooth}, {0, 0, mesh}}));
    }
};

struct ImageCase {
    const char* name;
    uint16_t pid, modulePid;
    size_t bluetooth, mesh;
    int readiness;       // 0x12 queries
    int chunks, lasts;   // 0x06 and 0x0E to the headset
    std::vector<size_t> meshChunks;
};

TEST_F(QccMesh, TheMeshImageThenTheBluetoothImageWithItsLastChunkMarked) {
    const ImageCase cases[] = {
        {"0x6510 asks whether it is ready", 0x6510, 0x6511, 1019, 130, 1, 0, 1, {61, 61, 8}},
        {"0x6500", 0x6500, 0x6501, 1020, 61, 1, 1, 1, {61}},
        {"0x3161 does not ask", 0x3161, 0x3160, 2100, 62, 0, 2, 1, {61, 1}},
        {"0x3150 with empty images", 0x3150, 0x3220, 0, 0, 0, 0, 0, {}},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(c.pid, c.bluetooth, c.mesh, c.modulePid));
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(headset->count(0x12), c.readiness);
        const auto images = module->images();
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].chunks, c.meshChunks);
        EXPECT_EQ(images[0].accepted, entryBytes(c.mesh, 1));
        EXPECT_TRUE(images[0].ended);
        EXPECT_EQ(module->count(0x00), 1);
        EXPECT_EQ(module->count(0x08), 1);
        EXPECT_EQ(headset->count(0x06), c.chunks);
        EXPECT_EQ(headset->count(0x0E), c.lasts);
        ASSERT_EQ(headset->parts().size(), 1u);
        EXPECT_EQ(headset->parts()[0].bytes, entryBytes(c.bluetooth, 0));
        EXPECT_TRUE(headset->parts()[0].ended);
        EXPECT_EQ(headset->count(0x10), 1);
        EXPECT_EQ(headset->count(0x08), 1);
        EXPECT_EQ(headset->count(0x0A), 1);
        TearDown();
        SetUp();
    }
}

struct FaultCase {
    const char* name;
    std::function<void(sim::MeshHeadset&, SimMeshModule&)> fault;
    int code;
    const char* failure;
};

TEST_F(QccMesh, EachStepEndsWithItsTag) {
    const FaultCase cases[] = {
        {"a headset not ready", [](sim::MeshHeadset& h, SimMeshModule&) { h.setByte(0x12, 1); }, 1,
         "Cannot get status[02][qm]"},
        {"a module that never appears", [](sim::MeshHeadset& h, SimMeshModule&) { h.bringsModule(0x0F, 1, 2000, 0); },
         1, "Cannot get status[4]"},
        {"a module that refuses its image",
         [](sim::MeshHeadset&, SimMeshModule& m) {
             SimMeshModule::Behaviour b;
             b.refused = {0x05};
             m.setBehaviour(b);
         },
         1, "Cannot get status[M][0]"},
        {"a module that never comes back",
         [](sim::MeshHeadset&, SimMeshModule& m) { m.setBehaviour(SimMeshModule::Behaviour{}); }, 1,
         "Cannot get status[M][5]"},
        {"a headset gone during the mesh update", [](sim::MeshHeadset& h, SimMeshModule&) { h.leavesAfter(0x0F); }, 2,
         "Not the recognized device[M][6]"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x6510, 40, 40));
        c.fault(*meshHeadset, *module);
        update::threadMethodUpdate(run);
        expectFailed(c.code, std::string("Failed to restore firmware. ") + c.failure);
        EXPECT_TRUE(headset->parts().empty());
        TearDown();
        SetUp();
    }
}

TEST_F(QccMesh, AHeadsetThatNeverComesBackFromItsLoaderEndsWithoutClosing) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x3161, 40, 40, 0x3160));
    sim::PartDownloadHeadset::Behaviour b;
    b.neverComesBack = true;
    meshHeadset->setBehaviour(b);
    update::threadMethodUpdate(run);
    EXPECT_TRUE(page.updateFinished);
    EXPECT_EQ(page.updateRestoreError, 1);
    EXPECT_EQ(status(), "Failed to restore firmware. Cannot get status[B][5]");
}

}  // namespace
}  // namespace mesh_test
