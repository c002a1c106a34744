// A window manager's close button, as the program's window sees it: the WM_DELETE_WINDOW request.
#pragma once

#include <string>

namespace e2e {

// Sends the request to the window (its id as xdotool prints it) on the display; false when the
// display cannot be opened.
bool askWindowToClose(const std::string& display, const std::string& window);

}  // namespace e2e
