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

TEST(ArchiveFileNames, EveryModelOfTheCatalogueHasItsOwnFileInsideTheFolder) {
    const fs::path folder = "/archive/VELMARHelmetsDeviceManagerArchive";
    std::map<std::string, std::string_view> byFoldedName;
    for (const device::ProductNameRow& row : device::productNameTable()) {
        for (auto name : {update::backupFileName(row.productId), update::restoreImageFileName(row.productId)}) {
            ASSERT_TRUE(name.has_value()) << std::hex << row.productId;
            const fs::path path = (folder / *name).lexically_normal();
            EXPECT_EQ(path.parent_path(), folder) << *name;
            EXPECT_EQ(path.filename().string(), *name);
            auto [at, inserted] = byFoldedName.emplace(folded(*name), row.internalName);
            EXPECT_TRUE(inserted || at->second == row.internalName)
                << row.internalName << " and " << at->second << " share " << *name;
        }
    }
    EXPECT_EQ(update::backupFileName(0x6838), "AIROHAVELMAR.qelmarch");
    EXPECT_EQ(update::restoreImageFileName(0x6838), "AIROHAVELMAR.img");
    EXPECT_EQ(update::backupFileName(0x5620), "DOLVAN Tessin%2FTessinPro.qelmarch");
    EXPECT_EQ(update::backupFileName(0x0000), std::nullopt);
}

}  // namespace
