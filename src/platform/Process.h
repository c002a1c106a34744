// What the program knows of its own process: its id, its arguments, the operating-system
// version it reports, and starting itself again.
#pragma once

#include <string>
#include <vector>

namespace platform {

int processId();

// main() stores its arguments so that a relaunch starts the program the same way.
void setProgramArguments(int argc, char** argv);

// Starts this executable again with the stored arguments, in its own session, without waiting
// for it; false when it cannot be started.
bool relaunchSelf();

// The version text the program's version checks parse. The checks were written for the Mac
// versions the program supports; on Linux they compare as the lowest of them (11.5), so that
// every check behaves as on a supported system.
std::string operatingSystemVersionString();

}  // namespace platform
