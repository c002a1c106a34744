// A firmware server on 127.0.0.1 for tests: serves what the test puts under a path, with faults
// on demand. Runs on its own thread until destroyed.
#pragma once

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace test_support {

class LoopbackServer {
public:
    // ServerError: a 500 with an HTML page as its body. Trickle: the body in kTricklePieces pieces,
    // delayMs before each (instead of once before the answer). Endless: the body over and over,
    // with no length, until the client goes away.
    enum class Fault { None, NotFound, SlowBeyond, Truncated, ServerError, Trickle, Endless };
    static constexpr size_t kTricklePieces = 5;

    LoopbackServer() {
        server_.Get(R"(/(.*))", [this](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LoopbackServer() {
        {
            // A slow answer still held back ends now: the test is done with it.
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        stopped_.notify_all();
        server_.stop();
        thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/orvabluetoothmanager/"; }
    void put(const std::string& path, const std::string& body, Fault fault = Fault::None, int delayMs = 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        files_[path] = {body, fault, delayMs};
    }
    int requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }
    std::string lastCacheControl() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lastCacheControl_;
    }
    // The bytes of endless bodies handed to the connection so far.
    size_t endlessBytesSent() const { return endlessBytesSent_.load(); }
    // How often a path below the base ("Firmware", ...) was asked for.
    int requestsFor(const std::string& path) const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = pathRequests_.find(path);
        return it == pathRequests_.end() ? 0 : it->second;
    }

private:
    struct File {
        std::string body;
        Fault fault;
        int delayMs;
    };

    void answer(const httplib::Request& req, httplib::Response& res) {
        File file{"", Fault::NotFound, 0};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++requests_;
            lastCacheControl_ = req.get_header_value("Cache-Control");
            const std::string prefix = "/orvabluetoothmanager/";
            std::string path = req.path.rfind(prefix, 0) == 0 ? req.path.substr(prefix.size()) : req.path;
            ++pathRequests_[path];
            if (auto it = files_.find(path); it != files_.end()) file = it->second;
        }
        if (file.fault != Fault::Trickle && !holdBack(file.delayMs)) {
            res.status = 503;
            return;
        }
        switch (file.fault) {
            case Fault::NotFound:
                res.status = 404;
                return;
            case Fault::Truncated:
                // Announce more than is sent: the client sees the connection end early.
                res.set_content_provider(file.body.size() + 100, "text/plain",
                                         [body = file.body](size_t offset, size_t, httplib::DataSink& sink) {
                                             if (offset < body.size()) sink.write(body.data() + offset, body.size() - offset);
                                             return offset < body.size();
                                         });
                return;
            case Fault::ServerError:
                res.status = 500;
                res.set_content("<html><body><h1>500 Internal Server Error</h1>" + file.body + "</body></html>",
                                "text/html");
                return;
            case Fault::Trickle: {
                const size_t piece = std::max<size_t>(1, (file.body.size() + kTricklePieces - 1) / kTricklePieces);
                res.set_content_provider(
                    file.body.size(), "application/octet-stream",
                    [this, body = file.body, piece, delay = file.delayMs](size_t offset, size_t, httplib::DataSink& sink) {
                        if (!holdBack(delay)) return false;
                        return sink.write(body.data() + offset, std::min(piece, body.size() - offset));
                    });
                return;
            }
            case Fault::Endless:
                res.set_chunked_content_provider("text/plain", [this, body = file.body](size_t, httplib::DataSink& sink) {
                    {
                        std::lock_guard<std::mutex> lock(mutex_);
                        if (stopping_) return false;
                    }
                    if (body.empty() || !sink.write(body.data(), body.size())) return false;
                    endlessBytesSent_ += body.size();
                    return true;
                });
                return;
            default:
                res.set_content(file.body, "text/plain");
        }
    }

    // Waits delayMs unless the server is being destroyed; false when it is.
    bool holdBack(int delayMs) {
        std::unique_lock<std::mutex> lock(mutex_);
        return !stopped_.wait_for(lock, std::chrono::milliseconds(std::max(delayMs, 0)), [this] { return stopping_; });
    }

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, File> files_;
    int requests_ = 0;
    std::string lastCacheControl_;
    std::map<std::string, int> pathRequests_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::atomic<size_t> endlessBytesSent_{0};
};

}  // namespace test_support
