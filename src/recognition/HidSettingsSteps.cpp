// Placeholder until the HID settings write-back and read land: both steps do nothing.
#include "recognition/RecognitionContext.h"

namespace recognition {

void writeRestoredSettingsToHid(RecognitionContext&) {}
void readHidSettings(RecognitionContext&) {}

}  // namespace recognition
