// The time-zone id that picks the firmware server, and the run-time override of the servers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/Servers.h"
#include "platform/TimeZone.h"

namespace {

// Restores an environment variable when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) value_ = v;
    }
    ~SavedVariable() {
        if (value_) setenv(name_, value_->c_str(), 1); else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> value_;
};

TEST(TimeZone, ZoneFromTZWithOrWithoutItsPathOrColon) {
    SavedVariable tz("TZ");
    for (auto [value, zone] : {std::pair{"Asia/Shanghai", "Asia/Shanghai"}, {":Europe/Paris", "Europe/Paris"},
                               {":/usr/share/zoneinfo/Asia/Urumqi", "Asia/Urumqi"}}) {
        setenv("TZ", value, 1);
        EXPECT_EQ(platform::localTimeZoneName(), zone) << value;
    }
    unsetenv("TZ");
    EXPECT_FALSE(platform::localTimeZoneName().empty());
}

TEST(Servers, EnvironmentOverridesBothBases) {
    SavedVariable base("VELMAR_SERVER_BASE");
    unsetenv("VELMAR_SERVER_BASE");
    EXPECT_NE(platform::mainServerBase(), platform::mirrorServerBase());
    EXPECT_EQ(platform::mainServerBase().back(), '/');
    setenv("VELMAR_SERVER_BASE", "http://127.0.0.1:8080/orvabluetoothmanager", 1);
    EXPECT_EQ(platform::mainServerBase(), "http://127.0.0.1:8080/orvabluetoothmanager/");
    EXPECT_EQ(platform::mirrorServerBase(), "http://127.0.0.1:8080/orvabluetoothmanager/");
}

}  // namespace
