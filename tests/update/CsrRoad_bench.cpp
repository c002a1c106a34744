// Not a test: the CSR road of a headset already in firmware-management mode, a 512 KB image and
// no manifestation wait (W = 0), through the real libusb and the simulated headset, on a real
// clock that counts the sleeps asked of it: wall time, slept time, their ratio, blocks per second
// of the download against the 10 ms pause after each block, and CPU time. About 75 s, most of it
// the road's own waits (50 s after the final block).
// Run: build/tests/update/csr_bench
#include <sys/resource.h>
#include <unistd.h>
#include <usb.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>

#include "BenchSupport.h"
#include "platform/Clock.h"
#include "sim/CsrFamilyHeadset.h"
#include "sim/SimHeadset.h"
#include "tests_support/DfuImage.h"
#include "tests_support/TempDir.h"
#include "transport/CsrBccmdChannel.h"
#include "update/UpdateWorker.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr size_t kImageSize = 512 * 1024;

using update_bench::CountingRealClock;

using update_bench::cpuSeconds;

}  // namespace

int main(int, char** argv) {
    if (!update_bench::underPreload(argv, VELMAR_UMOCKDEV_PRELOAD)) return 1;
    test_support::TempDir dir;
    const std::string firmware = dir.path() + "/firmware.img";
    const std::string tag = "HEMBRIN#4D10";
    const auto image = test_support::dfu_image(tag, kImageSize);
    std::ofstream(firmware, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));

    std::freopen("/dev/null", "w", stdout);  // the transport's trace lines
    CountingRealClock clock;
    platform::setClock(&clock);
    sim::CsrStore store = sim::csrModel(0x4D10);
    store.dfuMode = true;
    auto headset = sim::csrFamilyHeadset(store);
    sim::DfuMachine::Behaviour dfu;
    dfu.pollTimeoutMs = 0;
    headset->setDfu(dfu);
    sim::SimHeadset bus({}, {sim::usbDevice(headset)});
    usb_init();

    // The download: from the first block to the last, on real time.
    std::mutex lock;
    Steady::time_point first, last;
    int blocks = 0;
    headset->onControl([&](const sim::UsbSetup& s, const uint8_t*) {
        if (s.requestType != 0x21 || s.request != 1 || s.length == 0) return;
        std::lock_guard<std::mutex> hold(lock);
        if (blocks++ == 0) first = Steady::now();
        last = Steady::now();
    });

    update_bench::QuietController controller(0x4D10, 0xCD10);
    update::UpdatePageFields page;
    update::UpdateRun run(controller, page);
    run.firmwareFile = firmware;
    run.record.setDeviceRecognized(0x4D10);
    const double cpu0 = cpuSeconds();
    const auto t0 = Steady::now();
    update::threadMethodUpdate(run);
    const double wall = std::chrono::duration<double>(Steady::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    const bool succeeded = page.updateSucceeded && headset->dfuImage().size() == kImageSize;
    csr_usb_exit();
    platform::setClock(nullptr);

    const double slept = static_cast<double>(clock.slept()) / 1000.0;
    const double download = std::chrono::duration<double>(last - first).count();
    std::fprintf(stderr, "CSR road in firmware-management mode, %zu bytes, W = 0\n", kImageSize);
    std::fprintf(stderr,
                 "%s, wall %.2f s, slept %.2f s, wall/slept %.3f, download %d blocks in %.2f s = %.1f blocks/s "
                 "(the 10 ms pause alone allows 100), CPU %.2f s\n",
                 succeeded ? "success" : "FAILED", wall, slept, slept > 0 ? wall / slept : 0.0, blocks, download,
                 download > 0 ? (blocks - 1) / download : 0.0, cpu);
    return succeeded ? 0 : 1;
}
