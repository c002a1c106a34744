// What the update benchmarks share: a real clock that counts the sleeps asked of it, and a
// controller that answers as a recognized headset and never shows a box.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "update/UpdateWorker.h"

namespace update_bench {

// The simulator's handlers live in the benchmark: it runs itself again under the umockdev
// preload when started without it. False only when that fails.
inline bool underPreload(char** argv, const char* preloadLibrary) {
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload && std::strstr(preload, "libumockdev-preload")) return true;
    std::string value = std::string(preloadLibrary) + (preload ? std::string(":") + preload : "");
    setenv("LD_PRELOAD", value.c_str(), 1);
    execv("/proc/self/exe", argv);
    return false;
}

inline double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class CountingRealClock : public platform::RealClock {
  public:
    void sleepMs(int64_t ms) override {
        if (ms > 0) slept_ += ms;
        platform::RealClock::sleepMs(ms);
    }
    int64_t slept() const { return slept_; }

  private:
    std::atomic<int64_t> slept_{0};
};

class QuietController : public update::UpdateWorkerController {
  public:
    QuietController(int32_t deviceTarget, int32_t usbStatus) : deviceTarget_(deviceTarget), usbStatus_(usbStatus) {}
    int32_t deviceTarget() const override { return deviceTarget_; }
    int32_t mode() const override { return 6; }
    int32_t usbStatus() const override { return usbStatus_; }
    int32_t languageManager() const override { return 0; }
    bool skipRestoreBackupFile() const override { return false; }
    void setSkipRestoreBackupFile(bool) override {}
    std::string getMessageBoxFileCreationFailed() const override { return {}; }
    void openMessageBoxWithMessage(const std::string&, bool, const std::optional<std::string>&,
                                   const std::optional<std::string>&, int32_t, int32_t) override {}
    int32_t closeMessageBox() override { return 0; }

  private:
    int32_t deviceTarget_, usbStatus_;
};

}  // namespace update_bench
