// Leaks of libraries beneath Qt that our sanitizer build must not count as ours: fontconfig and
// the D-Bus connection of the X11 platform keep their state for the process's life. Include from
// exactly one file of each executable.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
#endif
