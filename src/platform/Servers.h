// The firmware server's two base addresses (each ending in "/orvabluetoothmanager/") and the
// brand's support address: build configuration, with VELMAR_SERVER_BASE in the environment
// overriding both bases (tests, staging).
#pragma once

#include <string>

namespace platform {

std::string mainServerBase();
std::string mirrorServerBase();
std::string supportEmailAddress();

}  // namespace platform
