// Names and images of model codes: exact-id lookup, the division-dependent image, models without
// an image, and the shape of the tables themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "device/ProductCatalogue.h"

namespace device {
namespace {

struct LookupCase {
    const char* name;
    int32_t productId;
    int32_t division;
    OptString display;
    OptString internal;
    OptString image;
};

const LookupCase kLookupCases[] = {
    {"InternalNameDiffersFromDisplay", 0x6838, 0, "VELMAR LUVEN", "AIROHAVELMAR", "velmarluven.png"},
    {"RevisionTwoHasItsOwnInternalName", 0x3052, 0, "PEMVIK", "PEMVIKV2", "pemvik.png"},
    {"FirstRevisionKeepsDisplayName", 0x3050, 0, "PEMVIK", "PEMVIK", "pemvik.png"},
    {"ZeroIdIsUnknown", 0x0000, 0, std::nullopt, std::nullopt, "velmar.icns"},
    {"VendorIdIsNoModel", 0x3A6E, 0, std::nullopt, std::nullopt, "velmar.icns"},
    {"AllOnesIdIsUnknown", 0xFFFF, 0, std::nullopt, std::nullopt, "velmar.icns"},
    {"NegativeIdIsUnknown", -1, 0, std::nullopt, std::nullopt, "velmar.icns"},
    {"IdIsMatchedExactlyNotMasked", 0x13050, 0, std::nullopt, std::nullopt, "velmar.icns"},
    {"NamedModelWithoutImageRowShowsApplication", 0x3082, 0, "QUILLON", "QUILLON", "velmar.icns"},
    // Ids that share a display name and have no internal name of their own share it as internal
    // name: the firmware lists' key and the DFU image's tag are the same for them.
    {"SharedDisplayNameIsTheInternalNameOfEach", 0x3070, 0, "VANTOR", "VANTOR", "vantor.png"},
    {"HembrinRevision4D10", 0x4D10, 0, "HEMBRIN", "HEMBRIN", "hembrin.png"},
    {"HembrinRevision4D30", 0x4D30, 0, "HEMBRIN", "HEMBRIN", "hembrin.png"},
    {"IveronRevision5061", 0x5061, 0, "IVERON", "IVERON", "iveron.png"},
    {"SharedDisplayNameWithItsOwnInternalName", 0x5593, 0, "NERRO", "NERRO_VOLBERT", "NERRO.PNG"},
    {"DisplayNameSharedOnlyIgnoringCase", 0x4D76, 0, "GAVREL_Multicom", "GAVREL_Multicom", "gavrel-mc.png"},
    {"UniqueDisplayNameStaysTheInternalName", 0x3085, 0, "LOMVAR", "LOMVAR", "lomvar.png"},
    {"FerrikDivision16IsEvo", 0x4210, 16, "FERRIK", "FERRIK", "ferrikevo.png"},
    {"FerrikDivision27IsEvo", 0x4210, 27, "FERRIK", "FERRIK", "ferrikevo.png"},
    {"FerrikDivision0IsPlain", 0x4210, 0, "FERRIK", "FERRIK", "ferrik.png"},
    {"FerrikDivision5IsPlain", 0x4210, 5, "FERRIK", "FERRIK", "ferrik.png"},
    {"DivisionMattersOnlyForFerrik", 0x3050, 16, "PEMVIK", "PEMVIK", "pemvik.png"},
    {"AbsentImage6816", 0x6816, 0, "ZEMBER", "ZEMBER", std::nullopt},
    {"AbsentImage6831", 0x6831, 0, "ESKOL", "ESKOL", std::nullopt},
    {"AbsentImage6839", 0x6839, 0, "ROSVEL 2", "ROSVEL 2", std::nullopt},
    {"AbsentImage6840", 0x6840, 0, "WEMBLOR", "WEMBLOR", std::nullopt},
    {"AbsentImage6A01", 0x6A01, 0, "LASKEN ANC", "AIROHALASKEN_ANC", std::nullopt},
    {"AbsentImage6A02", 0x6A02, 0, "QUORRA", "QUORRA", std::nullopt},
    {"AbsentImage6A04", 0x6A04, 0, "LASKEN", "LASKEN", std::nullopt},
};

class CatalogueLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(CatalogueLookup, GivesNamesAndImageOfTheModel) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(qelm_product_name(c.productId), c.display);
    EXPECT_EQ(qelm_product_name(c.productId, false), c.display);
    EXPECT_EQ(qelm_product_name(c.productId, true), c.internal);
    ORVABluetoothDeviceData record;
    record.setDeviceRecognized(c.productId);
    record.setDivisionFERRIKevoValue(c.division);
    EXPECT_EQ(getImageFileName(record), c.image);
}

INSTANTIATE_TEST_SUITE_P(Models, CatalogueLookup, testing::ValuesIn(kLookupCases),
                         [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

TEST(CatalogueTables, HaveTheDocumentedCountsAndEachIdOnce) {
    std::set<int32_t> named;
    for (const ProductNameRow& row : productNameTable()) {
        EXPECT_TRUE(named.insert(row.productId).second) << "name row twice: " << row.productId;
        EXPECT_FALSE(row.displayName.empty());
        EXPECT_FALSE(row.internalName().empty());
    }
    EXPECT_EQ(productNameTable().size(), 273u);

    size_t namedImageRows = 0, idsInNamedRows = 0;
    std::set<int32_t> withImageRow, withoutImageName;
    for (const ProductImageRow& row : productImageTable()) {
        EXPECT_FALSE(row.productIds.empty());
        if (row.fileName) {
            ++namedImageRows;
            idsInNamedRows += row.productIds.size();
        }
        for (int32_t id : row.productIds) {
            EXPECT_TRUE(withImageRow.insert(id).second) << "image row twice: " << id;
            EXPECT_TRUE(named.contains(id)) << "image row of an unnamed id: " << id;
            if (!row.fileName) withoutImageName.insert(id);
        }
    }
    EXPECT_EQ(namedImageRows, 160u);
    EXPECT_EQ(idsInNamedRows, 265u);
    EXPECT_EQ(withoutImageName, (std::set<int32_t>{0x6816, 0x6831, 0x6839, 0x6840, 0x6A01, 0x6A02, 0x6A04}));

    std::set<int32_t> namedWithoutImageRow;
    std::ranges::set_difference(named, withImageRow,
                                std::inserter(namedWithoutImageRow, namedWithoutImageRow.end()));
    EXPECT_EQ(namedWithoutImageRow, std::set<int32_t>{0x3082});
}

TEST(CatalogueTables, ImageFileNamesAreDistinctAndVariantsReplaceARow) {
    std::set<std::string_view> files;
    for (const ProductImageRow& row : productImageTable()) {
        if (!row.fileName) continue;
        EXPECT_TRUE(files.insert(*row.fileName).second) << *row.fileName;
    }
    for (const ProductImageVariant& variant : productImageVariants()) {
        EXPECT_FALSE(files.contains(variant.fileName)) << variant.fileName;
        ORVABluetoothDeviceData record;
        record.setDeviceRecognized(variant.productId);
        EXPECT_NE(getImageFileName(record), "velmar.icns") << "variant of a model without a row";
    }
}

}  // namespace
}  // namespace device
