// A picture of a whole X display, for the end-to-end tests that keep one.
#pragma once

#include <string>

namespace e2e {

// Saves the screen of display (":N") as a PNG file; false when the display or the file fails.
bool saveScreen(const std::string& display, const std::string& file);

// Saves the screen again (bounded) until text shows in the rectangle x, y, width, height: a dark
// pixel where the window drawn last puts its words. False when none shows in time.
bool saveScreenOnceTextAt(const std::string& display, const std::string& file, int x, int y, int width, int height);

}  // namespace e2e
