// The Airoha mesh headsets end to end: the handover to the 0x3220 module, its block written over
// short reports (always, the version only asked), its restart, then the Bluetooth parts and the
// loader.
#include "MeshFixture.h"

namespace mesh_test {
namespace {

constexpr uint32_t kBlockNumber = 7;

// Bluetooth parts 0 and 1, the mesh block at entry 2 (version-check flag `flag`).
std::vector<PartSpec> airohaMeshContainer(size_t blockLength, uint8_t flag = 1) {
    return {{0, 1, 30}, {2, 2, 20}, {kBlockNumber, flag, blockLength}};
}

class AirohaMesh : public MeshTest {
  protected:
    void plugModel(uint16_t pid, size_t blockLength, uint8_t flag = 1) {
        ASSERT_NO_FATAL_FAILURE(plugAirohaMesh(pid));
        writeFirmware(part_download::container(pid, airohaMeshContainer(blockLength, flag)));
    }
    std::vector<uint8_t> pieceLengths() const {
        std::vector<uint8_t> out;
        for (const auto& [command, argument] : airohaCommands())
            if (command == 0x06) out.push_back(argument);
        return out;
    }
    int airohaCount(uint8_t command) const {
        int n = 0;
        for (const auto& c : airohaCommands()) n += c.first == command;
        return n;
    }
};

struct BlockCase {
    const char* name;
    size_t length;
    uint8_t flag;
    std::vector<uint8_t> pieces;
    int queries;
};

TEST_F(AirohaMesh, TheBlockIsAlwaysWrittenInPiecesOf58ThenTheBluetoothParts) {
    const BlockCase cases[] = {
        {"an empty block verifies CRC 0", 0, 1, {}, 1},
        {"59 bytes", 59, 1, {58, 1}, 1},
        {"no version query with flag 0", 116, 0, {58, 58}, 0},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3210, c.length, c.flag));
        // The module reports the block's own versions: written all the same.
        airoha->setBlockVersions(kBlockNumber, {0, 0, 0, 0, 0});
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(pieceLengths(), c.pieces);
        EXPECT_EQ(airohaCount(0x01), c.queries);
        ASSERT_EQ(airoha->blocks().size(), 1u);
        EXPECT_EQ(airoha->blocks()[0], entryBytes(c.length, 2));
        EXPECT_EQ(airohaCount(0x5B), 1);
        EXPECT_EQ(airoha->restarts(), 1);
        EXPECT_EQ(airohaCount(0x0A), 1);
        EXPECT_EQ(targets(), (std::vector<uint8_t>{1, 2}));
        EXPECT_EQ(headset->count(0x08), 1);
        EXPECT_EQ(page.addUpdateProcessed, 99);
        TearDown();
        SetUp();
    }
}

struct FaultCase {
    const char* name;
    sim::Hs6838Model::BlockFaults faults;
    const char* failure;
};

TEST_F(AirohaMesh, TheBlockStepsEndWithTheirTags) {
    sim::Hs6838Model::BlockFaults crc;
    crc.wrongCrcAtPiece = 1;
    sim::Hs6838Model::BlockFaults gone;
    gone.neverComesBack = true;
    sim::Hs6838Model::BlockFaults verify;
    verify.failingCommand = 0x5B;
    const FaultCase cases[] = {
        {"a piece's CRC answered wrong", crc, "[1][ai][7]_Write CRC Check Fail"},
        {"the whole block refused", verify, "[1][ai][7]_Verify All Fail"},
        {"a module that never returns after its loader", gone, "[5][ai][7]"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x321C, 174));
        airoha->setBlockFaults(c.faults);
        update::threadMethodUpdate(run);
        expectFailed(1, std::string("Failed to restore firmware. Cannot get status") + c.failure);
        EXPECT_TRUE(headset->parts().empty());
        if (c.faults.wrongCrcAtPiece >= 0) {
            EXPECT_EQ(pieceLengths().size(), 2u) << "no retry";
        }
        TearDown();
        SetUp();
    }
}

TEST_F(AirohaMesh, AModuleThatNeverAppearsEndsTheSearch) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x3218, 10));
    meshHeadset->bringsModule(0x50, 1, 2000, 0);
    update::threadMethodUpdate(run);
    expectFailed(1, "Failed to restore firmware. Cannot get status. Try again.[8]");
}

TEST_F(AirohaMesh, AContainerWithoutTheBlockEntryIsCorrupted) {
    ASSERT_NO_FATAL_FAILURE(plugAirohaMesh(0x3211));
    // One entry: the block entry 2 cannot be there, so Bluetooth entry 0 alone is never written.
    writeFirmware(part_download::container(0x3211, {{0, 1, 30}}));
    update::threadMethodUpdate(run);
    expectFailed(3, "Failed to restore firmware. Firmware corrupted");
    EXPECT_EQ(meshHeadset->count(0x50), 0);
}

}  // namespace
}  // namespace mesh_test
