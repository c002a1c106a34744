// Texts that headsets send inside replies: bytes up to the first zero (or a limit), read as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/KeyedArchive.h"

namespace recognition {

// The bytes before the first zero, at most max of them; nil when they are not valid UTF-8 (the
// platform string of such bytes is nil too).
platform::OptString utf8Text(const uint8_t* bytes, size_t max);

}  // namespace recognition
