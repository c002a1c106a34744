#include "platform/Process.h"

#include <spawn.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>

#include "platform/Log.h"

extern char** environ;

namespace platform {
namespace {
std::mutex argsMutex;
std::vector<std::string> programArguments;
}  // namespace

int processId() { return static_cast<int>(getpid()); }

void setProgramArguments(int argc, char** argv) {
    std::lock_guard<std::mutex> lock(argsMutex);
    programArguments.assign(argv, argv + argc);
}

bool relaunchSelf() {
    std::error_code ec;
    std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec || exe.empty()) {
        logf("relaunch: cannot find our executable: %s", ec.message().c_str());
        return false;
    }
    std::vector<std::string> args;
    {
        std::lock_guard<std::mutex> lock(argsMutex);
        args = programArguments;
    }
    if (args.empty()) args.push_back(exe);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, exe.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        logf("relaunch: cannot start %s (%d)", exe.c_str(), rc);
        return false;
    }
    logf("relaunch: started %s as %d", exe.c_str(), static_cast<int>(pid));
    return true;
}

std::string operatingSystemVersionString() { return "Version 11.5 (Linux)"; }

}  // namespace platform
