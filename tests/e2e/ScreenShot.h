// A picture of a whole X display, for the end-to-end tests that keep one.
#pragma once

#include <string>

namespace e2e {

// Saves the screen of display (":N") as a PNG file; false when the display or the file fails.
bool saveScreen(const std::string& display, const std::string& file);

}  // namespace e2e
