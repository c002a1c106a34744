#include "WindowClose.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace e2e {

bool askWindowToClose(const std::string& display, const std::string& window) {
    Display* x = XOpenDisplay(display.c_str());
    if (!x) return false;
    const ::Window target = std::strtoul(window.c_str(), nullptr, 10);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, target, False, NoEventMask, &event);
    XFlush(x);
    XCloseDisplay(x);
    return true;
}

}  // namespace e2e
