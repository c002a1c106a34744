// The model sets of the HID road: their sizes as the lists name them, no id twice, and the
// overlaps that decide which request a model gets.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "recognition/HidModelSets.h"

namespace {

using namespace recognition::models;

struct SetCase {
    std::string name;
    ModelSet set;
    size_t size;
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class ModelSets : public ::testing::TestWithParam<SetCase> {};

TEST_P(ModelSets, HoldEachOfTheirIdsOnce) {
    const SetCase& c = GetParam();
    EXPECT_EQ(c.set.size(), c.size);
    EXPECT_EQ(std::set<uint16_t>(c.set.begin(), c.set.end()).size(), c.set.size());
}

INSTANTIATE_TEST_SUITE_P(Recognition, ModelSets,
                         ::testing::Values(SetCase{"ProbeNonZero", kProbeNonZero, 4},
                                           SetCase{"ProbeZero", kProbeZero, 42},
                                           SetCase{"ShortTimed", kShortTimed, 4},
                                           SetCase{"ShortProbed", kShortProbed, 25},
                                           SetCase{"TwoChip", kTwoChip, 9},
                                           SetCase{"FmCommand", kFmCommand, 56},
                                           SetCase{"NameKey3C", kNameKey3C, 55},
                                           SetCase{"NameKey1DNamed", kNameKey1DNamed, 121},
                                           SetCase{"VersionOnly", kVersionOnly, 51},
                                           SetCase{"MeshVoskel", kMeshVoskel, 8},
                                           SetCase{"Plusdovra", kPlusdovra, 5},
                                           SetCase{"MeshGessa", kMeshGessa, 28},
                                           SetCase{"MeshLutraV2", kMeshLutraV2, 12},
                                           SetCase{"FmKey44", kFmKey44, 44},
                                           SetCase{"SpeedDialKeys37", kSpeedDialKeys37, 53}),
                         [](const auto& info) { return info.param.name; });

TEST(ModelSets, TheTwoHeadsetsTheOpenAcceptsTakeTheirRoads) {
    // 0x6042 is probed (reply 0), named over key 0x3C, versioned without a language pack and
    // reads FM and speed dials in the tail; 0x6838 takes the probed 62-byte family.
    for (ModelSet s : {kProbeZero, kFmCommand, kNameKey3C, kVersionOnly, kFmKey44, kSpeedDialKeys37})
        EXPECT_TRUE(contains(s, 0x6042));
    EXPECT_TRUE(contains(kShortProbed, 0x6838));
    EXPECT_FALSE(contains(kProbeZero, 0x6838));
    EXPECT_FALSE(contains(kProbeNonZero, 0x6838));
}

TEST(ModelSets, MeshFamiliesAreDisjoint) {
    for (uint16_t id : kMeshGessa) {
        EXPECT_FALSE(contains(kMeshLutraV2, id)) << std::hex << id;
        EXPECT_FALSE(contains(kMeshVoskel, id)) << std::hex << id;
    }
    for (uint16_t id : kMeshVoskel) EXPECT_FALSE(contains(kMeshLutraV2, id)) << std::hex << id;
}

}  // namespace
