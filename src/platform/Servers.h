// The firmware server's two base addresses (each ending in "/orvabluetoothmanager/"): build
// configuration, with VELMAR_SERVER_BASE in the environment overriding both (tests, staging).
#pragma once

#include <string>

namespace platform {

std::string mainServerBase();
std::string mirrorServerBase();

}  // namespace platform
