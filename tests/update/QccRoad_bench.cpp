// Not a test: the 0x6042 road with one 1 MB part through the real hidapi and the simulated
// headset, on a real clock that counts the sleeps asked of it: wall time, slept time, their
// ratio, chunks per second of the write and CPU time.
// Run: build/tests/update/qcc_bench
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>

#include "BenchSupport.h"
#include "sim/Hs6042Model.h"
#include "sim/SimHeadset.h"
#include "sim/TimedEvents.h"
#include "tests_support/FirmwareArchive.h"
#include "tests_support/TempDir.h"
#include "update/UpdateWorker.h"

namespace {

using Steady = std::chrono::steady_clock;

constexpr size_t kPartSize = 1024 * 1024;

using update_bench::cpuSeconds;

}  // namespace

int main(int, char** argv) {
    if (!update_bench::underPreload(argv, VELMAR_UMOCKDEV_PRELOAD)) return 1;
    test_support::TempDir dir;
    const std::string firmware = dir.path() + "/firmware.bin";
    {
        test_support::ArchiveRecipe recipe;
        recipe.header_id = 0x6042;
        recipe.layout = test_support::Layout::long_table;
        std::vector<unsigned char> data(kPartSize);
        for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 31 + (i >> 10));
        test_support::ArchiveEntry e(std::move(data));
        e.target = 1;
        recipe.parts = {e};
        auto bytes = test_support::make_archive(recipe);
        std::ofstream(firmware, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                        static_cast<std::streamsize>(bytes.size()));
    }
    std::freopen("/dev/null", "w", stdout);  // the transport's trace lines

    update_bench::CountingRealClock clock;
    sim::RealTimeScheduler events;
    platform::setClock(&clock);
    auto headset = std::make_shared<sim::Hs6042Model>();
    sim::Hs6042Model::Behaviour b;
    b.restartBackMs = 6500;
    headset->setBehaviour(b);
    sim::SimHeadset bus({sim::hid(0x6042).servedBy(headset)});
    headset->restartsOn(bus.testbed(), 0, events);
    // The write: from the part's start command to its end command, on real time.
    std::mutex lock;
    Steady::time_point start;
    double writeS = 0;
    headset->onRequest = [&](sim::Format f, const std::vector<uint8_t>& r) {
        if (f != sim::Format::A) return;
        std::lock_guard<std::mutex> hold(lock);
        if (r[1] == 0x05) start = Steady::now();
        if (r[1] == 0x07) writeS = std::chrono::duration<double>(Steady::now() - start).count();
    };

    update_bench::QuietController controller(0x6042, 0x6042);
    update::UpdatePageFields page;
    update::UpdateRun run(controller, page);
    run.firmwareFile = firmware;
    const double cpu0 = cpuSeconds();
    const auto t0 = Steady::now();
    update::threadMethodUpdate(run);
    const double wallS = std::chrono::duration<double>(Steady::now() - t0).count();
    const double cpuS = cpuSeconds() - cpu0;
    const bool succeeded = page.updateSucceeded && headset->parts().size() == 1 &&
                           headset->parts()[0].bytes.size() == kPartSize;
    const double chunks = static_cast<double>(headset->chunks().size());
    usbhid_close_all();
    platform::setClock(nullptr);

    const double slept = static_cast<double>(clock.slept()) / 1000.0;
    std::fprintf(stderr, "0x6042 road, one part of %zu bytes (%.0f chunks)\n", kPartSize, chunks);
    std::fprintf(stderr, "%s, wall %.2f s, slept %.2f s, wall/slept %.3f, write %.2f s = %.0f chunks/s, CPU %.2f s\n",
                 succeeded ? "success" : "FAILED", wallS, slept, slept > 0 ? wallS / slept : 0.0, writeS,
                 writeS > 0 ? chunks / writeS : 0.0, cpuS);
    return succeeded ? 0 : 1;
}
