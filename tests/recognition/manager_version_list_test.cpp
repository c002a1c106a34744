// Reading the application-version list and deciding whether a newer manager is offered.
#include <gtest/gtest.h>

#include "recognition/ManagerVersionList.h"

using namespace recognition;

TEST(ManagerVersionList, LinesFieldsAndOffers) {
    const std::string base = "https://server/orvabluetoothmanager/";
    struct Case {
        const char* name;
        std::optional<std::string> body;
        int32_t major, minor, secondary;
        std::optional<std::string> url;
        bool offered;
    } cases[] = {
        {"newer minor", "VELMARHelmetsDeviceManagerForMAC:v1.1:mac/Manager.dmg", 1, 1, 0, base + "mac/Manager.dmg", true},
        {"secondary after the key line", "VELMARHelmetsDeviceManagerForMAC:v1.0:p\r\nVELMARHelmetsDeviceManagerForMAC:2\r\n",
         1, 0, 2, base + "p", true},
        {"lines ending in newline only", "Other:v9.9:x\nVELMARHelmetsDeviceManagerForMAC:v2.0:q\n", 2, 0, 0, base + "q", true},
        {"equal version", "VELMARHelmetsDeviceManagerForMAC:v1.0:p", 1, 0, 0, base + "p", false},
        {"older version", "VELMARHelmetsDeviceManagerForMAC:v0.9:p", 0, 9, 0, base + "p", false},
        {"key differs in case", "velmarhelmetsdevicemanagerformac:v3.0:p", 1, 0, 0, std::nullopt, false},
        {"only a secondary line offers nothing", "VELMARHelmetsDeviceManagerForMAC:5", 1, 0, 5, std::nullopt, false},
        {"another key's secondary ends the walk",
         "VELMARHelmetsDeviceManagerForMAC:v1.0:p\r\nOther:4\r\nVELMARHelmetsDeviceManagerForMAC:3", 1, 0, 0, base + "p", false},
        {"second key line ends the walk",
         "VELMARHelmetsDeviceManagerForMAC:v1.2:p\r\nVELMARHelmetsDeviceManagerForMAC:v7.0:q", 1, 2, 0, base + "p", true},
        {"version without a dot", "VELMARHelmetsDeviceManagerForMAC:v3:p", 0, 0, 0, base + "p", false},
        {"a version past four digits is none", "VELMARHelmetsDeviceManagerForMAC:v4294967297.0:p", 1, 0, 0,
         std::nullopt, false},
        {"a minor of 10000 is none", "VELMARHelmetsDeviceManagerForMAC:v1.10000:p", 1, 0, 0, std::nullopt, false},
        {"four digits are a version", "VELMARHelmetsDeviceManagerForMAC:v9999.0:p", 9999, 0, 0, base + "p", true},
        {"a secondary past four digits is none",
         "VELMARHelmetsDeviceManagerForMAC:v1.0:p\r\nVELMARHelmetsDeviceManagerForMAC:4294967297", 1, 0, 0, base + "p",
         false},
        {"no data", std::nullopt, 1, 0, 0, std::nullopt, false},
        {"empty body", "", 1, 0, 0, std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ManagerLatestVersion v = parseManagerVersionList(c.body, base);
        EXPECT_EQ(v.major, c.major);
        EXPECT_EQ(v.minor, c.minor);
        EXPECT_EQ(v.secondary, c.secondary);
        EXPECT_EQ(v.url, c.url);
        EXPECT_EQ(offersManagerUpdate(v), c.offered);
    }
}

TEST(ManagerVersionList, NewerThanOneZeroZero) {
    EXPECT_TRUE(haveNewManagerUpdate(2, -5, 0));
    EXPECT_TRUE(haveNewManagerUpdate(1, 1, 0));
    EXPECT_TRUE(haveNewManagerUpdate(1, 0, 1));
    EXPECT_FALSE(haveNewManagerUpdate(1, 0, 0));
    EXPECT_FALSE(haveNewManagerUpdate(1, -1, 9));
    EXPECT_FALSE(haveNewManagerUpdate(0, 9, 9));
}

TEST(ManagerVersionList, NonAsciiBodyIsNoText) {
    EXPECT_FALSE(asciiText("VELMARHelmetsDeviceManagerForMAC:v2.0:p\xC3\xA9"));
    EXPECT_EQ(asciiText("abc"), std::string("abc"));
}
