// Fetching lists from the server: answers, HTTP errors, cut-off bodies and time-outs.
#include <gtest/gtest.h>

#include "platform/Http.h"
#include "tests_support/LoopbackServer.h"

using test_support::LoopbackServer;

TEST(Http, AnswersErrorsAndCutOffBodies) {
    LoopbackServer server;
    server.put("Software", "VELMARHelmetsDeviceManagerForMAC:1.2:url\n");
    server.put("Firmware", "partial list", LoopbackServer::Fault::Truncated);

    auto ok = platform::httpGet(server.base() + "Software", 5, platform::CachePolicy::IgnoreAllCaches);
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.text(), "VELMARHelmetsDeviceManagerForMAC:1.2:url\n");
    EXPECT_EQ(server.lastCacheControl(), "no-cache");

    auto missing = platform::httpGet(server.base() + "Revisions", 5, platform::CachePolicy::IgnoreLocalCache);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.error, "HTTP 404");

    auto cut = platform::httpGet(server.base() + "Firmware", 5, platform::CachePolicy::IgnoreLocalCache);
    EXPECT_FALSE(cut.ok);
    EXPECT_TRUE(cut.body.empty());
    EXPECT_FALSE(cut.error.empty());
}

TEST(Http, SlowServerEndsAtTheTimeOutAndClosedPortFailsAtOnce) {
    LoopbackServer server;
    server.put("Software", "late", LoopbackServer::Fault::None, 2500);
    auto slow = platform::httpGet(server.base() + "Software", 1, platform::CachePolicy::IgnoreAllCaches);
    EXPECT_FALSE(slow.ok);
    EXPECT_NE(slow.error.find("imed out"), std::string::npos) << slow.error;

    auto refused = platform::httpGet("http://127.0.0.1:1/orvabluetoothmanager/Software", 5,
                                     platform::CachePolicy::IgnoreAllCaches);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.status, 0);
}
