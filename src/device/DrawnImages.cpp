#include "device/DrawnImages.h"

#include <algorithm>
#include <iterator>

#include "device/ProductCatalogue.h"

namespace device {

namespace {

// Images shown for the camera models (those whose storage volume the program looks for); a model
// that shares such an image gets the camera picture too.
constexpr std::string_view kCameraImages[] = {
    "nelvar.png", "fendral.png",    "pemvik-pro.png",  "jorvel.png",     "xq-jorvel.png",
    "tavrin.png", "tavrin-evo.png", "HURVEK-HX7C.png", "tavrin-pro.png",
};

bool isCatalogueImage(std::string_view name) {
    const auto& rows = productImageTable();
    if (std::ranges::any_of(rows, [&](const ProductImageRow& row) { return row.fileName == name; }))
        return true;
    return std::ranges::any_of(productImageVariants(),
                               [&](const ProductImageVariant& variant) { return variant.fileName == name; });
}

}  // namespace

DrawnImage drawnImageForCatalogueImage(const platform::OptString& imageFileName) {
    if (!imageFileName) return DrawnImage::Application;
    if (std::ranges::find(kCameraImages, std::string_view(*imageFileName)) != std::end(kCameraImages)) {
        return DrawnImage::CameraHeadset;
    }
    return isCatalogueImage(*imageFileName) ? DrawnImage::Headset : DrawnImage::Application;
}

std::string_view drawnImageFileName(DrawnImage image) {
    switch (image) {
        case DrawnImage::Headset:
            return "headset.svg";
        case DrawnImage::CameraHeadset:
            return "camera-headset.svg";
        case DrawnImage::Lock:
            return "lock.svg";
        case DrawnImage::Application:
            break;
    }
    return "application.svg";
}

}  // namespace device
