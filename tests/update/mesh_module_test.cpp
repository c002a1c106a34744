// The 0x3120 mesh-module headsets end to end: the module's image written plainly or with its
// checks, the handovers and their searches, the headset's parts, the loader, and the languages.
#include "MeshFixture.h"
#include "update/MeshSteps.h"

namespace mesh_test {
namespace {

using sim::SimMeshModule;

// Bluetooth parts 0 (two chunks, the second short) and 1, the mesh image at entry 2 (`meshLength`
// bytes).
std::vector<PartSpec> meshModuleContainer(size_t meshLength) {
    return {{0, 1, 1030}, {2, 2, 20}, {9, 0, meshLength}};
}

class MeshModuleRoad : public MeshTest {
  protected:
    void plugModel(uint16_t pid, size_t meshLength = 116) {
        ASSERT_NO_FATAL_FAILURE(plugMesh(pid));
        writeFirmware(part_download::container(pid, meshModuleContainer(meshLength)));
    }
    SimMeshModule::Image meshImage() const {
        const auto images = module->images();
        return images.empty() ? SimMeshModule::Image{} : images.front();
    }
};

struct WriteCase {
    const char* name;
    std::vector<uint8_t> moduleVersion;  // major, minor, type, secondary, build
    size_t meshLength;
    bool checked;
    std::vector<size_t> chunks;
};

TEST_F(MeshModuleRoad, OlderModulesTakeThePlainWriteAndNewerOnesTheCheckedWrite) {
    const WriteCase cases[] = {
        {"1.0 type 1, two full chunks", {1, 0, 1, 0, 3}, 116, false, {58, 58}},
        {"1.0 type 1, 58 + 1", {1, 0, 1, 0, 3}, 59, false, {58, 1}},
        {"1.0 type 2 secondary 1, two full chunks", {1, 0, 2, 1, 3}, 116, true, {58, 58}},
        {"1.0 type 2 secondary 1, 58 + 1", {1, 0, 2, 1, 3}, 59, true, {58, 1}},
        {"an empty image", {1, 0, 2, 1, 3}, 0, true, {}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3110, c.meshLength));
        module->setVersion(c.moduleVersion);
        update::threadMethodUpdate(run);
        expectSucceeded();
        const SimMeshModule::Image image = meshImage();
        EXPECT_EQ(image.selector, 0);
        EXPECT_EQ(image.chunks, c.chunks);
        EXPECT_EQ(image.accepted, entryBytes(c.meshLength, 2));
        EXPECT_TRUE(image.ended);
        EXPECT_EQ(image.verified, c.checked);
        EXPECT_EQ(module->count(0x5A), c.checked ? static_cast<int>(c.chunks.size()) : 0);
        EXPECT_EQ(module->count(0x5B), c.checked ? 1 : 0);
        EXPECT_EQ(module->count(0x08), 1);
        EXPECT_EQ(meshHeadset->count(0x50), 2);
        EXPECT_EQ(meshHeadset->count(0x52), 1);
        EXPECT_EQ(meshHeadset->count(0x53), 1);
        EXPECT_EQ(targets(), (std::vector<uint8_t>{1, 2}));
        EXPECT_EQ(headset->count(0x08), 1) << "the type 0 part asks for the loader";
        EXPECT_EQ(page.addUpdateProcessed, 99);
        TearDown();
        SetUp();
    }
}

struct CheckCase {
    const char* name;
    SimMeshModule::Behaviour faults;
    const char* failure;  // none: the update succeeds
    int checks, verifies;
};

TEST_F(MeshModuleRoad, ChunkAndImageChecksAreRetriedWithinTheirBounds) {
    SimMeshModule::Behaviour twice;
    twice.failingChecks = {0, 1};
    SimMeshModule::Behaviour always;
    always.checksFailFrom = 1;
    SimMeshModule::Behaviour sixVerifies;
    sixVerifies.failingVerifies = {0, 1, 2, 3, 4, 5};
    SimMeshModule::Behaviour fiveVerifies;
    fiveVerifies.failingVerifies = {0, 1, 2, 3, 4};
    const CheckCase cases[] = {
        // The first chunk sent three times, the second once.
        {"a chunk check failing twice", twice, nullptr, 4, 1},
        // The first attempt: the first chunk passes, the second is sent 11 times; the later ones
        // send the first chunk 11 times. No image check.
        {"a chunk check failing for ever", always, "[12]", 12 + 5 * 11, 0},
        {"an image check failing five times", fiveVerifies, nullptr, 12, 6},
        {"an image check failing six times", sixVerifies, "[12]", 12, 6},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3110, 116));
        module->setBehaviour(c.faults);
        update::threadMethodUpdate(run);
        if (c.failure) {
            expectFailed(1, std::string("Failed to restore firmware. Cannot get status") + c.failure);
            EXPECT_TRUE(headset->parts().empty());
        } else {
            expectSucceeded();
            EXPECT_EQ(meshImage().accepted, entryBytes(116, 2));
            EXPECT_TRUE(meshImage().verified);
        }
        EXPECT_EQ(module->count(0x5A), c.checks);
        EXPECT_EQ(module->count(0x5B), c.verifies);
        TearDown();
        SetUp();
    }
}

struct SearchCase {
    const char* name;
    std::function<void(sim::MeshHeadset&, SimMeshModule&)> fault;
    const char* failure;
};

TEST_F(MeshModuleRoad, EachSearchAndStepEndsWithItsTag) {
    const char* search = "Failed to restore firmware. Cannot get status. Try again.";
    const char* plain = "Failed to restore firmware. Cannot get status";
    const SearchCase cases[] = {
        {"the module never appears", [](sim::MeshHeadset& h, SimMeshModule&) { h.bringsModule(0x50, 1, 2000, 0); }, "[8]"},
        {"the headset gone after the module's image", [](sim::MeshHeadset& h, SimMeshModule&) { h.leavesAfter(0x50); }, "[14]"},
        {"the module switched off by the power hold", [](sim::MeshHeadset& h, SimMeshModule&) { h.dropsModuleOn(0x52); }, "[15]"},
        {"the headset gone after its power hold", [](sim::MeshHeadset& h, SimMeshModule&) { h.leavesAfter(0x52); }, "[17]"},
        {"the module not brought again", [](sim::MeshHeadset& h, SimMeshModule&) { h.bringsModule(0x50, 1, 2000, 1); }, "[19]"},
        {"the headset gone after the second handover", [](sim::MeshHeadset& h, SimMeshModule&) { h.leavesAfter(0x50, 2); }, "[17]"},
        {"the headset never back from its loader",
         [](sim::MeshHeadset& h, SimMeshModule&) {
             sim::PartDownloadHeadset::Behaviour b;
             b.neverComesBack = true;
             h.setBehaviour(b);
         },
         "[6]"},
        {"the module refuses its image start",
         [](sim::MeshHeadset&, SimMeshModule& m) {
             SimMeshModule::Behaviour b;
             b.refused = {0x05};
             m.setBehaviour(b);
         },
         "[9]"},
        {"the headset refuses the first part",
         [](sim::MeshHeadset& h, SimMeshModule&) {
             sim::PartDownloadHeadset::Behaviour b;
             b.refusedChunk = 0;
             h.setBehaviour(b);
         },
         "[3]"},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3110));
        c.fault(*meshHeadset, *module);
        update::threadMethodUpdate(run);
        const bool searched = std::string(c.failure) != "[9]" && std::string(c.failure) != "[3]" &&
                              std::string(c.failure) != "[6]";
        expectFailed(1, std::string(searched ? search : plain) + c.failure);
        TearDown();
        SetUp();
    }
}

TEST_F(MeshModuleRoad, TheHeadsetsPartsAreTheEntriesBeforeTheMeshImage) {
    for (uint16_t pid : {0x3500, 0x3146}) {
        SCOPED_TRACE(pid);
        ASSERT_NO_FATAL_FAILURE(plugMesh(pid));
        // Entry 1 is the mesh image of 0x3500; 0x3146's is entry 2.
        writeFirmware(part_download::container(pid, {{0, 1, 30}, {9, 0, 40}, {9, 0, 50}}));
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(targets(), (pid == 0x3500 ? std::vector<uint8_t>{1} : std::vector<uint8_t>{1, 0}));
        EXPECT_EQ(module->images().front().accepted, entryBytes(pid == 0x3500 ? 40 : 50, pid == 0x3500 ? 1 : 2));
        TearDown();
        SetUp();
    }
}

TEST_F(MeshModuleRoad, AContainerWithoutTheMeshEntryIsCorrupted) {
    ASSERT_NO_FATAL_FAILURE(plugMesh(0x3110));
    writeFirmware(part_download::container(0x3110, {{0, 1, 30}, {2, 2, 20}}));
    update::threadMethodUpdate(run);
    expectFailed(3, "Failed to restore firmware. Firmware corrupted");
    EXPECT_EQ(meshHeadset->count(0x50), 0);
}

struct NameCase {
    const char* file;
    int code;
};

TEST(MeshLanguageFromFileName, TheTagInTheLastThreeCharacters) {
    const NameCase cases[] = {
        {"/fw/VELMAR_v1.2_fr.img", 1}, {"/fw/VELMAR_v1.2-de.img", 4}, {"/fw/VELMAR_v1.2.img", 0},
        {"a.img", 0},                  {"/fw/x_kr.img", 5},           {"/fw/x_zz.img", 0},
        {"/fw.d/x-fn.img", 10}, {"x-fn.img.img", 0},
    };
    for (const NameCase& c : cases) EXPECT_EQ(update::languageCodeOfFileName(c.file), c.code) << c.file;
}

TEST_F(MeshModuleRoad, TheFilesLanguageGoesOutOnceMoreAsZeroWhenRefused) {
    for (bool refused : {false, true}) {
        SCOPED_TRACE(refused);
        ASSERT_NO_FATAL_FAILURE(plugModel(0x3112));
        run.firmwareFile = folder.path() + "/VELMAR_v1.3_fr.img";
        writeFirmware(part_download::container(0x3112, meshModuleContainer(10)));
        if (refused) {
            sim::PartDownloadHeadset::Behaviour b;
            b.refused = {0x59};
            meshHeadset->setBehaviour(b);
        }
        update::threadMethodUpdate(run);
        expectSucceeded();
        EXPECT_EQ(meshHeadset->count(0x59), refused ? 2 : 1);
        EXPECT_EQ(meshHeadset->languageCodes(), refused ? std::vector<uint8_t>{} : std::vector<uint8_t>{1});
        TearDown();
        SetUp();
    }
}

struct UnitCase {
    uint16_t pid;
    std::vector<uint8_t> version;
    bool set;
};

TEST_F(MeshModuleRoad, TheUnitLanguageByModelAnd0x3110sVersionTest) {
    const UnitCase cases[] = {
        {0x3110, {3, 0, 0, 0}, false}, {0x3110, {2, 1, 0, 0}, true}, {0x3110, {1, 9, 0, 0}, false},
        {0x3116, {1, 2, 0, 0}, true},  {0x3112, {1, 2, 0, 0}, false},
    };
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(c.pid);
        ASSERT_NO_FATAL_FAILURE(plugModel(c.pid, 10));
        meshHeadset->setVersion(c.version);
        run.record.setDeviceVersionMajor01(c.version[0]);
        run.record.setDeviceVersionMinor01(c.version[1]);
        meshHeadset->setKey(4, {0x0102, 0x0304, 0, 0});
        run.strLanguageFirmware = "German";
        update::threadMethodUpdate(run);
        expectSucceeded();
        const std::vector<uint16_t> held{0x0102, 0x0304, 0, static_cast<uint16_t>(c.set ? 0x0004 : 0)};
        EXPECT_EQ(meshHeadset->key(4), held);
        TearDown();
        SetUp();
    }
}

TEST_F(MeshModuleRoad, AHeadsetWithAnotherVersionIsNotTheRecognizedOne) {
    ASSERT_NO_FATAL_FAILURE(plugModel(0x3110));
    run.record.setDeviceVersionMinor01(3);
    update::threadMethodUpdate(run);
    expectFailed(2, "Failed to restore firmware. Not the recognized device");
    EXPECT_EQ(meshHeadset->count(0x50), 0);
}

// The program's own open passes the mesh families over: each ends at its first open.
TEST_F(MeshTest, TheProgramsOpenEndsEveryMeshFamilyAtItsFirstOpen) {
    for (uint16_t pid : {0x3110, 0x3132, 0x3210, 0x6510, 0x5552}) {
        SCOPED_TRACE(pid);
        ASSERT_NO_FATAL_FAILURE(plugMesh(pid));
        run.openHeadset = usbhid_open_headset;
        writeFirmware(part_download::container(pid, meshModuleContainer(10)));
        update::threadMethodUpdate(run);
        expectFailed(2, "Failed to restore firmware. Not the recognized device");
        EXPECT_TRUE(meshHeadset->requests().empty());
        TearDown();
        SetUp();
    }
}

}  // namespace
}  // namespace mesh_test
