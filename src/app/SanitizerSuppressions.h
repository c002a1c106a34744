// Leaks of libraries beneath Qt that our sanitizer build must not count as ours: fontconfig and
// the D-Bus connection of the X11 platform keep their state for the process's life; libusb 0.1
// loses the device records of a bus scan when a device leaves the bus during the scan (an
// unplugged headset); hidapi keeps its last error text in one global that it replaces without a
// lock, so a text can be lost when two threads fail at the same moment (a restarting headset).
// Include from exactly one file of each executable.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:usb_os_find_devices\nleak:libhidapi-hidraw.so\n";
}
#endif
