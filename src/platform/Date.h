// A point in time as NSDate holds it: seconds since 2001-01-01 00:00:00 UTC.
#pragma once

#include <string>

namespace platform {

struct Date {
    static constexpr double kUnixOfReference = 978307200.0;

    double sinceReferenceDate = 0;

    static Date now();
    static Date fromUnix(double unixSeconds) { return Date{unixSeconds - kUnixOfReference}; }
    double unixSeconds() const { return sinceReferenceDate + kUnixOfReference; }
    // Local time in a strftime format ("%Y%m%d%H%M%S").
    std::string format(const char* strftimeFormat) const;

    bool operator==(const Date&) const = default;
};

}  // namespace platform
