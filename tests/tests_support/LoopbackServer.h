// A firmware server on 127.0.0.1 for tests: serves what the test puts under a path, with faults
// on demand. Runs on its own thread until destroyed.
#pragma once

#include <httplib.h>

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace test_support {

class LoopbackServer {
public:
    enum class Fault { None, NotFound, SlowBeyond, Truncated };

    LoopbackServer() {
        server_.Get(R"(/(.*))", [this](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LoopbackServer() {
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
        if (file.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(file.delayMs));
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
            default:
                res.set_content(file.body, "text/plain");
        }
    }

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, File> files_;
    int requests_ = 0;
    std::string lastCacheControl_;
    std::map<std::string, int> pathRequests_;
};

}  // namespace test_support
