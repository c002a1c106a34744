// Fetching lists from the server: answers, HTTP errors, cut-off bodies and time-outs.
#include <gtest/gtest.h>

#include "platform/Http.h"
#include "tests_support/LoopbackServer.h"

using test_support::LoopbackServer;

TEST(Http, AnswersErrorsAndCutOffBodies) {
    LoopbackServer server;
    server.put("Software", "VELMARHelmetsDeviceManagerForMAC:1.2:url\n");
    server.put("Firmware", "partial list", LoopbackServer::Fault::Truncated);

    auto ok = platform::httpGet(server.base() + "Software", 5, platform::CachePolicy::IgnoreAllCaches, platform::kListBodyCap);
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.text(), "VELMARHelmetsDeviceManagerForMAC:1.2:url\n");
    EXPECT_EQ(server.lastCacheControl(), "no-cache");

    auto missing = platform::httpGet(server.base() + "Revisions", 5, platform::CachePolicy::IgnoreLocalCache, platform::kListBodyCap);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.error, "HTTP 404");

    auto cut = platform::httpGet(server.base() + "Firmware", 5, platform::CachePolicy::IgnoreLocalCache, platform::kListBodyCap);
    EXPECT_FALSE(cut.ok);
    EXPECT_TRUE(cut.body.empty());
    EXPECT_FALSE(cut.error.empty());
}

TEST(Http, SlowServerEndsAtTheTimeOutAndClosedPortFailsAtOnce) {
    LoopbackServer server;
    server.put("Software", "late", LoopbackServer::Fault::None, 2500);
    auto slow = platform::httpGet(server.base() + "Software", 1, platform::CachePolicy::IgnoreAllCaches, platform::kListBodyCap);
    EXPECT_FALSE(slow.ok);
    EXPECT_NE(slow.error.find("imed out"), std::string::npos) << slow.error;

    auto refused = platform::httpGet("http://127.0.0.1:1/orvabluetoothmanager/Software", 5,
                                     platform::CachePolicy::IgnoreAllCaches, platform::kListBodyCap);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.status, 0);
}

TEST(Http, ListBodiesEndAtTheirCap) {
    // A list line over and over, without end: the transfer ends at the cap, long before the
    // time-out, and keeps nothing of it.
    LoopbackServer server;
    std::string line;
    for (int i = 0; i < 1000; ++i) line += "AIROHAVELMAR:v1.0:English:velmar/luven_en.img\r\n";
    server.put("Firmware", line, LoopbackServer::Fault::Endless);
    auto endless = platform::httpGet(server.base() + "Firmware", 30, platform::CachePolicy::IgnoreLocalCache,
                                     platform::kListBodyCap);
    EXPECT_FALSE(endless.ok);
    EXPECT_TRUE(endless.body.empty());
    EXPECT_EQ(endless.error, "answer larger than 1048576 bytes");
    // What the server got rid of: the cap and what the connection's buffers hold, nothing more.
    EXPECT_LT(server.endlessBytesSent(), platform::kListBodyCap + (32u << 20));

    // A body announced above the cap is refused before any of it is read.
    server.put("Software", std::string(platform::kListBodyCap + 1, 'x'));
    auto announced = platform::httpGet(server.base() + "Software", 30, platform::CachePolicy::IgnoreAllCaches,
                                       platform::kListBodyCap);
    EXPECT_FALSE(announced.ok);
    EXPECT_TRUE(announced.body.empty());
    EXPECT_EQ(announced.error, "answer larger than 1048576 bytes");
    // A body exactly at the cap is whole.
    server.put("Revisions", std::string(platform::kListBodyCap, 'x'));
    EXPECT_TRUE(platform::httpGet(server.base() + "Revisions", 30, platform::CachePolicy::IgnoreLocalCache,
                                  platform::kListBodyCap)
                    .ok);
}
