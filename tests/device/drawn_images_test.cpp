// Which drawn picture stands in for a model's image, and that the drawn files are there.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "device/DrawnImages.h"
#include "device/ProductCatalogue.h"

namespace device {
namespace {

struct DrawnCase {
    const char* name;
    int32_t productId;
    int32_t division;
    DrawnImage expected;
};

// The camera models are those whose storage volume the program looks for.
const DrawnCase kDrawnCases[] = {
    {"Camera3020", 0x3020, 0, DrawnImage::CameraHeadset},
    {"Camera3040", 0x3040, 0, DrawnImage::CameraHeadset},
    {"Camera3060", 0x3060, 0, DrawnImage::CameraHeadset},
    {"Camera3232", 0x3232, 0, DrawnImage::CameraHeadset},
    {"Camera3233", 0x3233, 0, DrawnImage::CameraHeadset},
    {"Camera3240", 0x3240, 0, DrawnImage::CameraHeadset},
    {"Camera5510", 0x5510, 0, DrawnImage::CameraHeadset},
    {"Camera5570", 0x5570, 0, DrawnImage::CameraHeadset},
    {"Camera5576", 0x5576, 0, DrawnImage::CameraHeadset},
    {"Camera5580", 0x5580, 0, DrawnImage::CameraHeadset},
    {"Headset", 0x6838, 0, DrawnImage::Headset},
    {"DivisionVariantIsAHeadset", 0x4210, 16, DrawnImage::Headset},
    {"AbsentImageShowsApplication", 0x6816, 0, DrawnImage::Application},
    {"UnknownModelShowsApplication", 0xFFFF, 0, DrawnImage::Application},
};

class DrawnImageOfModel : public testing::TestWithParam<DrawnCase> {};

TEST_P(DrawnImageOfModel, PicksThePictureForTheCatalogueImage) {
    ORVABluetoothDeviceData record;
    record.setDeviceRecognized(GetParam().productId);
    record.setDivisionFERRIKevoValue(GetParam().division);
    EXPECT_EQ(drawnImageForCatalogueImage(getImageFileName(record)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Models, DrawnImageOfModel, testing::ValuesIn(kDrawnCases),
                         [](const testing::TestParamInfo<DrawnCase>& info) { return info.param.name; });

TEST(DrawnImages, NameOutsideTheCatalogueShowsApplication) {
    EXPECT_EQ(drawnImageForCatalogueImage("nosuch.png"), DrawnImage::Application);
    EXPECT_EQ(drawnImageForCatalogueImage(""), DrawnImage::Application);
}

TEST(DrawnImages, EveryPictureIsAnSvgFileInResources) {
    for (DrawnImage image :
         {DrawnImage::Application, DrawnImage::Headset, DrawnImage::CameraHeadset, DrawnImage::Lock}) {
        // Appended piece by piece: GCC 12 warns falsely on chained operator+ at -O2.
        std::string path = VELMAR_SOURCE_DIR;
        path += "/resources/images/";
        path += drawnImageFileName(image);
        std::ifstream in(path);
        ASSERT_TRUE(in) << path;
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("<svg"), std::string::npos) << path;
        EXPECT_NE(text.str().find("</svg>"), std::string::npos) << path;
    }
}

}  // namespace
}  // namespace device
