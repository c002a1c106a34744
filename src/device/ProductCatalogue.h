// Model code (USB product id) to the names and product image the rest of the program shows and
// uses: display name for titles and logs, internal name for the firmware lists, the DFU image's
// tag and the settings backup's file name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace device {

// A row without an internal name of its own has its display name as internal name: ids sharing
// a display name then share the firmware lists' key and the DFU image's tag.
struct ProductNameRow {
    int32_t productId;
    std::string_view displayName;
    std::string_view ownInternalName = {};

    bool hasOwnInternalName() const { return !ownInternalName.empty(); }
    std::string_view internalName() const { return hasOwnInternalName() ? ownInternalName : displayName; }
};

// One image file shown for several models; no file name means the model shows no image.
struct ProductImageRow {
    std::optional<std::string_view> fileName;
    std::vector<int32_t> productIds;
};

// An image that replaces a row's image for one value of the record's division field.
struct ProductImageVariant {
    int32_t productId;
    int32_t divisionValue;
    std::string_view fileName;
};

// The application's own picture, shown for a model without an image row.
inline constexpr std::string_view kApplicationImageFileName = "velmar.icns";

std::span<const ProductNameRow> productNameTable();
const ProductNameRow* productNameRow(int32_t productId);
const std::vector<ProductImageRow>& productImageTable();
std::span<const ProductImageVariant> productImageVariants();

// Display name (or the internal name), nil for an id without a row.
OptString qelm_product_name(int32_t productId, bool for_internal = false);

// Image file name for the record's model: nil when its row has no name, the application's
// picture when the model has no row.
OptString getImageFileName(const ORVABluetoothDeviceData& data);

}  // namespace device
