// Not a test: the 0x6838 block road with two 128 KB blocks through the real hidapi and the
// simulated headset. On a real clock that counts the sleeps asked of it: wall time, slept time,
// their ratio, bytes per second of the write phase and CPU time. On the virtual clock: the wall
// time of the same road (what the road costs beyond its sleeps).
// Run: build/tests/update/update_bench
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>

#include "BenchSupport.h"
#include "platform/Clock.h"
#include "sim/Hs6838Model.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/FirmwareArchive.h"
#include "tests_support/TempDir.h"
#include "update/UpdateWorker.h"

namespace {

using Steady = std::chrono::steady_clock;

using update_bench::CountingRealClock;

constexpr size_t kBlockSize = 128 * 1024;

struct Result {
    double wallS = 0, cpuS = 0, writeS = 0;
    bool succeeded = false;
};

using update_bench::cpuSeconds;

Result runRoad(platform::Clock& clock, sim::Scheduler& events, const std::string& firmware) {
    platform::setClock(&clock);
    auto headset = std::make_shared<sim::Hs6838Model>();
    sim::SimHeadset bus({sim::hid(0x6838).servedBy(headset)});
    headset->restartsOn(bus.testbed(), 0, events, 6500);
    // The write phase of a block: from its start command to its verify command, on real time.
    std::mutex lock;
    Steady::time_point blockStart;
    double writeS = 0;
    headset->onRequest = [&](sim::Format f, const std::vector<uint8_t>& r) {
        if (f != sim::Format::B) return;
        std::lock_guard<std::mutex> hold(lock);
        if (r[2] == sim::Hs6838Model::kStart) blockStart = Steady::now();
        if (r[2] == sim::Hs6838Model::kVerify)
            writeS += std::chrono::duration<double>(Steady::now() - blockStart).count();
    };

    update_bench::QuietController controller(0x6838, 0x6838);
    update::UpdatePageFields page;
    update::UpdateRun run(controller, page);
    run.firmwareFile = firmware;
    const double cpu0 = cpuSeconds();
    const auto t0 = Steady::now();
    update::threadMethodUpdate(run);
    Result r;
    r.wallS = std::chrono::duration<double>(Steady::now() - t0).count();
    r.cpuS = cpuSeconds() - cpu0;
    r.writeS = writeS;
    r.succeeded = page.updateSucceeded && headset->blocks().size() == 2;
    usbhid_close_all();
    platform::setClock(nullptr);
    return r;
}

}  // namespace

int main(int, char** argv) {
    if (!update_bench::underPreload(argv, VELMAR_UMOCKDEV_PRELOAD)) return 1;
    test_support::TempDir dir;
    const std::string firmware = dir.path() + "/firmware.bin";
    {
        test_support::ArchiveRecipe recipe;
        recipe.header_id = 0x6838;
        recipe.layout = test_support::Layout::long_table;
        recipe.parts.clear();
        for (uint32_t b = 0; b < 2; ++b) {
            std::vector<unsigned char> data(kBlockSize);
            for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 31 + b);
            test_support::ArchiveEntry e(std::move(data));
            e.number = b;
            recipe.parts.push_back(std::move(e));
        }
        auto bytes = test_support::make_archive(recipe);
        std::ofstream(firmware, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                        static_cast<std::streamsize>(bytes.size()));
    }
    std::freopen("/dev/null", "w", stdout);  // the transport's trace lines
    CountingRealClock real;
    sim::RealTimeScheduler realEvents;
    const Result r = runRoad(real, realEvents, firmware);
    sim::EventClock virtualClock;
    const Result v = runRoad(virtualClock, virtualClock, firmware);

    const double slept = static_cast<double>(real.slept()) / 1000.0;
    std::fprintf(stderr, "0x6838 road, two blocks of %zu bytes\n", kBlockSize);
    std::fprintf(stderr, "real clock:    %s, wall %.2f s, slept %.2f s, wall/slept %.3f, write phase %.0f bytes/s, CPU %.2f s\n",
                 r.succeeded ? "success" : "FAILED", r.wallS, slept, slept > 0 ? r.wallS / slept : 0.0,
                 r.writeS > 0 ? 2.0 * kBlockSize / r.writeS : 0.0, r.cpuS);
    std::fprintf(stderr, "virtual clock: %s, wall %.2f s (the road's own cost), CPU %.2f s\n",
                 v.succeeded ? "success" : "FAILED", v.wallS, v.cpuS);
    return r.succeeded && v.succeeded ? 0 : 1;
}
