// The few pictures drawn for this program (resources/images/) stand in for the per-model product
// images: this picks the drawn picture that fits a catalogue image file name.
#pragma once

#include <string_view>

#include "platform/KeyedArchive.h"

namespace device {

enum class DrawnImage { Application, Headset, CameraHeadset, Lock };

// Camera models' images give the camera headset, other catalogue images the headset, and an
// unknown name or nil the application's picture.
DrawnImage drawnImageForCatalogueImage(const platform::OptString& imageFileName);

// File name below resources/images/ (also the name below ":/images/" once the pages bundle them).
std::string_view drawnImageFileName(DrawnImage image);

}  // namespace device
