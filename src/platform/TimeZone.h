// The computer's time-zone id ("Europe/Paris"), which picks the firmware server.
#pragma once

#include <string>

namespace platform {

// TZ when it names a zone, else the zone that /etc/localtime links to, else /etc/timezone,
// else "UTC".
std::string localTimeZoneName();

}  // namespace platform
