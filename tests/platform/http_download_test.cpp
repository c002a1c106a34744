// Streamed and asynchronous downloads: pieces in order, error pages kept out of the file, the
// idle limit against a stall and a trickle, and cancels that end a transfer at once.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Http.h"
#include "platform/HttpDownload.h"
#include "platform/MainQueue.h"
#include "tests_support/LoopbackServer.h"

namespace {

using namespace std::chrono_literals;
using test_support::LoopbackServer;

const std::string kBody(100000, 'b');

struct Streamed {
    platform::HttpResult result;
    std::string received;
    int pieces = 0;
};

constexpr size_t kCap = 64u << 20;

Streamed stream(const std::string& url, std::chrono::milliseconds idle, const std::atomic<bool>* cancel = nullptr,
                size_t maxBytes = kCap) {
    Streamed s;
    s.result = platform::httpGetStreaming(
        url, idle, platform::CachePolicy::UseCacheWhenPresent, maxBytes,
        [&](const uint8_t* data, size_t size) {
            s.received.append(reinterpret_cast<const char*>(data), size);
            ++s.pieces;
            return true;
        },
        cancel);
    return s;
}

TEST(HttpStreaming, AnswersByStatusBodyAndPace) {
    LoopbackServer server;
    server.put("whole", kBody);
    server.put("trickle", kBody, LoopbackServer::Fault::Trickle, 100);
    server.put("stall", kBody, LoopbackServer::Fault::Trickle, 1500);
    server.put("error", "detail", LoopbackServer::Fault::ServerError);
    server.put("short", kBody, LoopbackServer::Fault::Truncated);
    struct Case {
        const char* path;
        bool ok;
        long status;
        bool body;
        const char* error;
    };
    const Case cases[] = {
        {"whole", true, 200, true, ""},
        {"trickle", true, 200, true, ""},  // 5 x 100 ms in total, longer than the limit
        {"stall", false, 200, false, "no data for 300 ms"},
        {"missing", false, 404, false, "HTTP 404"},
        {"error", false, 500, false, "HTTP 500"},
        {"short", false, 200, false, "transfer closed with 100 bytes remaining to read"},
    };
    for (const Case& c : cases) {
        Streamed s = stream(server.base() + c.path, 300ms);
        EXPECT_EQ(s.result.ok, c.ok) << c.path << ": " << s.result.error;
        EXPECT_EQ(s.result.status, c.status) << c.path;
        if (c.body) {
            EXPECT_TRUE(s.received == kBody) << c.path;
        }
        if (c.error) {
            EXPECT_EQ(s.result.error, c.error) << c.path;
        }
        EXPECT_TRUE(s.result.body.empty()) << c.path;
    }
    EXPECT_EQ(stream(server.base() + "error", 300ms).received, "") << "an error page never reaches the file";
    Streamed refused = stream("http://127.0.0.1:9/orvabluetoothmanager/x", 300ms);
    EXPECT_FALSE(refused.result.ok);
    EXPECT_EQ(refused.result.status, 0);
}

TEST(HttpStreaming, NoByteBeyondTheCapReachesTheSink) {
    LoopbackServer server;
    server.put("endless", std::string(4096, 'e'), LoopbackServer::Fault::Endless);
    server.put("announced", std::string(200001, 'a'));
    server.put("whole", std::string(200000, 'w'));
    constexpr size_t cap = 200000;
    Streamed endless = stream(server.base() + "endless", 30s, nullptr, cap);
    EXPECT_FALSE(endless.result.ok);
    EXPECT_EQ(endless.result.error, "answer larger than 200000 bytes");
    EXPECT_LE(endless.received.size(), cap);
    EXPECT_GT(endless.received.size(), cap - 4096 * 2) << "the transfer ran up to the cap";

    Streamed announced = stream(server.base() + "announced", 30s, nullptr, cap);
    EXPECT_FALSE(announced.result.ok);
    EXPECT_EQ(announced.result.error, "answer larger than 200000 bytes");
    EXPECT_EQ(announced.received.size(), 0u) << "refused before any of it";

    Streamed whole = stream(server.base() + "whole", 30s, nullptr, cap);
    EXPECT_TRUE(whole.result.ok) << whole.result.error;
    EXPECT_EQ(whole.received.size(), cap);

    // The buffered read of a language pack ends the same way and holds nothing.
    auto pack = platform::httpGetIdle(server.base() + "endless", 30, platform::CachePolicy::UseCacheWhenPresent, cap);
    EXPECT_FALSE(pack.ok);
    EXPECT_TRUE(pack.body.empty());
    EXPECT_EQ(pack.error, "answer larger than 200000 bytes");
}

TEST(HttpStreaming, CancelEndsAStalledTransferAtOnce) {
    LoopbackServer server;
    server.put("stall", kBody, LoopbackServer::Fault::Trickle, 3000);
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        while (server.requestsFor("stall") == 0) std::this_thread::sleep_for(1ms);
        cancel = true;
    });
    Streamed s = stream(server.base() + "stall", 30s, &cancel);
    canceller.join();
    EXPECT_FALSE(s.result.ok);
    EXPECT_EQ(s.result.error, "cancelled");
}

// Runs the main queue until the transfer's last callback has run (bounded).
template <typename Done>
bool drainUntil(Done done) {
    for (int i = 0; i < 5000 && !done(); ++i)
        if (platform::drainMainQueue() == 0) std::this_thread::sleep_for(2ms);
    return done();
}

TEST(HttpDownload, CallbacksArriveOnTheMainQueueInOrder) {
    LoopbackServer server;
    server.put("file", kBody, LoopbackServer::Fault::Trickle, 20);
    std::vector<std::string> events;
    std::string received;
    platform::HttpDownload download;
    platform::HttpDownload::Delegate delegate;
    delegate.didReceiveData = [&](std::vector<uint8_t> data) {
        received.append(data.begin(), data.end());
        if (events.empty() || events.back() != "data") events.push_back("data");
    };
    delegate.didFinishLoading = [&] { events.push_back("finish"); };
    delegate.didFailWithError = [&](const std::string& e) { events.push_back("fail " + e); };
    ASSERT_TRUE(download.start(server.base() + "file", 5s, kCap, delegate));
    EXPECT_FALSE(download.start(server.base() + "file", 5s, kCap, delegate)) << "one transfer at a time";
    ASSERT_TRUE(drainUntil([&] { return !events.empty() && events.back() != "data"; }));
    EXPECT_EQ(events, (std::vector<std::string>{"data", "finish"}));
    EXPECT_EQ(received, kBody);

    // The ended transfer makes room for the next one at once.
    events.clear();
    ASSERT_TRUE(download.start(server.base() + "missing", 5s, kCap, delegate));
    ASSERT_TRUE(drainUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"fail HTTP 404"}));

    EXPECT_FALSE(download.start("ftp://127.0.0.1/file", 5s, kCap, delegate)) << "no transfer for another scheme";
}

TEST(HttpDownload, CancelledTransferCallsNothingMore) {
    LoopbackServer server;
    server.put("file", kBody, LoopbackServer::Fault::Trickle, 2000);
    int callbacks = 0;
    platform::HttpDownload download;
    platform::HttpDownload::Delegate delegate;
    delegate.didReceiveData = [&](std::vector<uint8_t>) { ++callbacks; };
    delegate.didFinishLoading = [&] { ++callbacks; };
    delegate.didFailWithError = [&](const std::string&) { ++callbacks; };
    ASSERT_TRUE(download.start(server.base() + "file", 30s, kCap, delegate));
    while (server.requestsFor("file") == 0) std::this_thread::sleep_for(1ms);
    download.cancel();
    EXPECT_TRUE(download.joinWithin(1s));
    platform::drainMainQueue();
    EXPECT_EQ(callbacks, 0);
}

}  // namespace
