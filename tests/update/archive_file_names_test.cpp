// File names of a model's backup and restore download in the archive folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "device/ProductCatalogue.h"
#include "update/ArchiveFileNames.h"

namespace {

namespace fs = std::filesystem;

std::string folded(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

TEST(ArchiveFileNames, NamesFollowTheInternalNameAndStayInsideTheFolder) {
    const std::string_view known[] = {"AIROHAVELMAR", "Tessin/Pro", "Multi", "MULTI", "..", ".hidden", "a%2Fb",
                                      "x~1"};
    struct Case {
        std::string_view internal;
        const char* name;
    };
    const Case cases[] = {
        {"AIROHAVELMAR", "AIROHAVELMAR.qelmarch"},
        {"DOLVAN Tessin!", "DOLVAN Tessin!.qelmarch"},  // safe names keep their form
        {"Tessin/Pro", "Tessin%2FPro.qelmarch"},
        {"..", "%2E..qelmarch"},
        {".hidden", "%2Ehidden.qelmarch"},
        {"a%2Fb", "a%252Fb.qelmarch"},  // an escape in the name is not taken for one of ours
        {"x~1", "x%7E1.qelmarch"},
        {"Multi", "Multi~80.qelmarch"},  // names equal ignoring case are told apart by their case
        {"MULTI", "MULTI~F8.qelmarch"},
        {"", "%00.qelmarch"},
    };
    for (const Case& c : cases) EXPECT_EQ(update::archiveFileName(c.internal, "qelmarch", known), c.name) << c.internal;
    EXPECT_EQ(update::archiveFileName("Tessin/Pro", "img", known), "Tessin%2FPro.img");
}

// Each id keeps its own backup, even where two ids share a display name (and so an internal
// name); a restore download is the internal name's, shared by the ids that share it.
TEST(ArchiveFileNames, EveryIdOfTheCatalogueHasItsOwnBackupInsideTheFolder) {
    const fs::path folder = "/archive/VELMARHelmetsDeviceManagerArchive";
    std::map<std::string, int32_t> backupOwner;
    std::map<std::string, std::string_view> imageOwner;
    for (const device::ProductNameRow& row : device::productNameTable()) {
        const auto backup = update::backupFileName(row.productId);
        const auto image = update::restoreImageFileName(row.productId);
        ASSERT_TRUE(backup && image) << std::hex << row.productId;
        for (const std::string& name : {*backup, *image}) {
            const fs::path path = (folder / name).lexically_normal();
            EXPECT_EQ(path.parent_path(), folder) << name;
            EXPECT_EQ(path.filename().string(), name);
        }
        auto [b, newBackup] = backupOwner.emplace(folded(*backup), row.productId);
        EXPECT_TRUE(newBackup) << std::hex << row.productId << " and " << b->second << " share " << *backup;
        auto [i, newImage] = imageOwner.emplace(folded(*image), row.internalName());
        EXPECT_EQ(i->second, row.internalName()) << *image;
    }
    struct Case {
        int32_t id;
        std::optional<std::string> backup, image;
    };
    const Case cases[] = {
        {0x4D10, "HEMBRIN_4D10.qelmarch", "HEMBRIN.img"},  // "HEMBRIN" is 0x4D10, 0x4D30 and 0x4D40
        {0x4D30, "HEMBRIN_4D30.qelmarch", "HEMBRIN.img"},
        {0x5061, "IVERON_5061.qelmarch", "IVERON.img"},
        {0x4D76, "GAVREL_Multicom_4D76.qelmarch", ""},  // shared ignoring case; its image apart above
        {0x3050, "PEMVIK.qelmarch", "PEMVIK.img"},  // its internal name is its own, as 0x3052's
        {0x3052, "PEMVIKV2.qelmarch", "PEMVIKV2.img"},
        {0x6838, "AIROHAVELMAR.qelmarch", "AIROHAVELMAR.img"},
        {0x3085, "LOMVAR.qelmarch", "LOMVAR.img"},
        {0x5620, "DOLVAN Tessin%2FTessinPro.qelmarch", "DOLVAN Tessin%2FTessinPro.img"},
        {0x0000, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(update::backupFileName(c.id), c.backup) << std::hex << c.id;
        if (c.image != "") {
            EXPECT_EQ(update::restoreImageFileName(c.id), c.image) << std::hex << c.id;
        }
    }
}

}  // namespace
