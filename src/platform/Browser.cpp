#include "platform/Browser.h"

#include <spawn.h>
#include <sys/wait.h>

#include <mutex>
#include <thread>

#include "platform/Log.h"

extern char** environ;

namespace platform {
namespace {
std::mutex openerMutex;
std::optional<std::function<bool(const std::string&)>> testOpener;
}  // namespace

bool openURL(const std::string& url) {
    {
        std::lock_guard<std::mutex> lock(openerMutex);
        if (testOpener) return (*testOpener)(url);
    }
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(url.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
        logf("cannot start xdg-open for %s", url.c_str());
        return false;
    }
    // The opener usually hands over to the browser and ends at once; reap it without waiting.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

void setURLOpenerForTesting(std::optional<std::function<bool(const std::string&)>> opener) {
    std::lock_guard<std::mutex> lock(openerMutex);
    testOpener = std::move(opener);
}

}  // namespace platform
