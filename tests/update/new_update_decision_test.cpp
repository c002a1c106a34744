// Which headsets are offered the listed firmware, the address blocks that take part, and the
// version texts of the offer: tables without a window.
#include <gtest/gtest.h>

#include "update/NewUpdateDecision.h"

namespace {

using update::FirmwareVersion;
using update::OfferedHeadset;

constexpr int32_t kAware = 0x6838;   // in the secondary-aware set
constexpr int32_t kPlain = 0x5310;   // outside it
constexpr int32_t kNelvar = 0x3020;
constexpr int32_t kRanged = 0x5060;

struct OfferCase {
    const char* name;
    int32_t model;
    FirmwareVersion device;  // major, minor, secondary type, secondary
    FirmwareVersion latest;
    std::optional<std::string> address;
    bool offered;
};

const OfferCase kOfferCases[] = {
    // Same major.minor.
    {"aware rc of the listed version", kAware, {1, 2, 1, 3}, {1, 2, 0, 0}, "000001", true},
    {"plain rc of the listed version", kPlain, {1, 2, 1, 3}, {1, 2, 0, 0}, "000001", true},
    {"aware type 2 lower secondary", kAware, {1, 2, 2, 1}, {1, 2, 0, 2}, "000001", true},
    {"aware type 2 same secondary", kAware, {1, 2, 2, 2}, {1, 2, 0, 2}, "000001", false},
    {"aware other type, list has a secondary", kAware, {1, 2, 0, 5}, {1, 2, 0, 1}, "000001", true},
    {"aware other type, list has none", kAware, {1, 2, 3, 0}, {1, 2, 0, 0}, "000001", false},
    {"plain other type lower secondary", kPlain, {1, 2, 0, 0}, {1, 2, 0, 1}, "000001", true},
    {"plain other type higher secondary", kPlain, {1, 2, 0, 3}, {1, 2, 0, 1}, "000001", false},
    {"plain type 2 same secondary", kPlain, {1, 2, 2, 1}, {1, 2, 0, 1}, "000001", false},
    // Newer and older major.minor.
    {"aware on 1.3", kAware, {1, 3, 0, 0}, {1, 2, 0, 9}, "000001", false},
    {"aware rc on 1.3", kAware, {1, 3, 1, 0}, {1, 2, 0, 0}, "000001", false},
    {"plain on 1.3", kPlain, {1, 3, 0, 0}, {1, 2, 0, 9}, "000001", false},
    {"aware on 1.1", kAware, {1, 1, 0, 9}, {1, 2, 0, 0}, "000001", true},
    {"plain on 1.1", kPlain, {1, 1, 2, 9}, {1, 2, 0, 0}, "000001", true},
    {"plain on 0.9 against 1.0", kPlain, {0, 9, 0, 0}, {1, 0, 0, 0}, std::nullopt, true},
    // The camera model compares its secondary pair first.
    {"nelvar older secondary pair", kNelvar, {1, 3, 1, 2}, {1, 2, 1, 3}, "000001", true},
    {"nelvar newer secondary pair", kNelvar, {1, 1, 1, 4}, {1, 2, 1, 3}, "000001", false},
    {"nelvar equal", kNelvar, {1, 2, 1, 3}, {1, 2, 1, 3}, "000001", false},
    // The address range of 0x5060, at both ends and just outside.
    {"0x5060 at 3323F1 on 1.3", kRanged, {1, 3, 0, 0}, {1, 2, 0, 0}, "3323F1", true},
    {"0x5060 at 333584 on 1.3", kRanged, {1, 3, 0, 0}, {1, 2, 0, 0}, "333584", true},
    {"0x5060 at 3323F0 on 1.3", kRanged, {1, 3, 0, 0}, {1, 2, 0, 0}, "3323F0", false},
    {"0x5060 at 3323F0 on 1.1", kRanged, {1, 1, 0, 0}, {1, 2, 0, 0}, "3323F0", true},
    {"0x5060 at 333585 on 1.3", kRanged, {1, 3, 0, 0}, {1, 2, 0, 0}, "333585", false},
    {"0x5060 rc of the listed version", kRanged, {1, 2, 1, 0}, {1, 2, 0, 0}, "3323F0", true},
    {"0x5060 type 0 uses the common rule", kRanged, {1, 2, 0, 0}, {1, 2, 0, 1}, "3323F0", true},
    {"0x5060 with a five-character address", kRanged, {1, 3, 0, 0}, {1, 2, 0, 0}, "3323F", false},
    {"0x5060 without an address", kRanged, {1, 3, 0, 0}, {1, 2, 0, 0}, std::nullopt, false},
    {"another model in that range", kAware, {1, 3, 0, 0}, {1, 2, 0, 0}, "3323F1", false},
};

TEST(NewUpdateDecision, OfferedByModelVersionsAndAddress) {
    for (const OfferCase& c : kOfferCases)
        EXPECT_EQ(update::haveNewUpdateFor(OfferedHeadset{c.model, c.device, c.address}, c.latest), c.offered) << c.name;
}

TEST(NewUpdateDecision, SecondaryAwareSetIsOneTableOf124Models) {
    EXPECT_EQ(update::secondaryAwareModelCount(), 124u);
    for (int32_t in : {0x3052, 0x3210, 0x321C, 0x5445, 0x5597, 0x6806, 0x6817, 0x683A, 0x6A04})
        EXPECT_TRUE(update::isSecondaryAwareModel(in)) << std::hex << in;
    for (int32_t out : {0x3051, 0x321D, 0x5446, 0x6807, 0x6813, 0x6823, 0x5060, 0x3020, 0x6A05})
        EXPECT_FALSE(update::isSecondaryAwareModel(out)) << std::hex << out;
}

TEST(NewUpdateDecision, TwelveAddressRangesAtTheirEdges) {
    const char* inside[] = {"73B084", "73B2DF", "758BDC", "759049", "75A76E", "75AC41", "73B2E0", "73B625",
                            "758A8C", "758BDB", "75AC42", "75ADAA", "73B626", "73B7F1", "75872C", "758A8B",
                            "75ADAB", "75B16E", "73B7F2", "73B91B", "7586BA", "75872B", "75B16F", "75B1F9",
                            "73b084", "75B1F9AB"};
    for (const char* a : inside) EXPECT_TRUE(update::checkPSKeyFENNIC_RWith(std::string(a))) << a;
    // The blocks touch each other; only their outer edges end them.
    const char* outside[] = {"73B083", "73B91C", "7586B9", "75904A", "75A76D", "75B1FA", "73B08", "73B0ZZ", ""};
    for (const char* a : outside) EXPECT_FALSE(update::checkPSKeyFENNIC_RWith(std::string(a))) << a;
    EXPECT_FALSE(update::checkPSKeyFENNIC_RWith(std::nullopt));
    // No model test there; the 0x5060 range has one.
    EXPECT_TRUE(update::changePSKeyXQIVERONWith(kRanged, std::string("3323F1")));
    EXPECT_FALSE(update::changePSKeyXQIVERONWith(kAware, std::string("3323F1")));
}

TEST(NewUpdateDecision, VersionTextsByModelAndSecondaryType) {
    struct TextCase {
        int32_t model;
        FirmwareVersion v;
        const char* listed;
        const char* current;
    };
    const TextCase cases[] = {
        {kAware, {1, 2, 1, 3}, "v1.2.3", "v1.2rc3"},  {kAware, {1, 2, 1, 0}, "v1.2", "v1.2rc"},
        {kAware, {1, 2, 2, 4}, "v1.2.4", "v1.2.4"},   {kAware, {1, 2, 2, 0}, "v1.2", "v1.2"},
        {kAware, {1, 2, 0, 4}, "v1.2.4", "v1.2"},     {0x5345, {1, 2, 0, 0}, "v1.2.0", "v1.2.0"},
        {kNelvar, {1, 2, 3, 4}, "v3.4.1.2", "v3.4.1.2"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(update::newVersionText(c.model, c.v), c.listed);
        EXPECT_EQ(update::currentVersionText(c.model, c.v), c.current);
    }
}

}  // namespace
