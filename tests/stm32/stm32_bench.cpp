// Not a test: writes and verifies a 2 MiB image on the largest chip through the program's write
// path, over a pty at 115200 8E1, and prints what the protocol costs. The simulator adds no
// delay, so the wall time is the client's and the pty's; the wire bound is what a real line at
// 115200 baud would need for the same bytes.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "sim/stm32/PtyBootLoader.h"
#include "stm32/BootProgram.h"
#include "stm32/ImageFiles.h"

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
    constexpr size_t kImage = 2 * 1024 * 1024;
    stm32test::ScratchDir dir;
    const std::string image = dir.file("image.bin");
    stm32test::writeFile(image, stm32test::pattern(kImage));

    stm32sim::Config config;
    config.chipId = 0x419;
    stm32sim::PtyBootLoader pty(config);

    bl_settings s;
    s.port.device = pty.path().c_str();
    s.action = ACT_WRITE;
    s.filename = image.c_str();
    s.verify = true;

    const auto wall0 = std::chrono::steady_clock::now();
    const double cpu0 = cpuSeconds();
    const int status = bl_run(s);
    const double cpu = cpuSeconds() - cpu0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    if (status != 0) {
        std::fprintf(stderr, "the write failed\n");
        return 1;
    }

    const uint64_t trips = pty.roundTrips();
    size_t toDevice = 0, fromDevice = 0;
    pty.with([&](stm32sim::BootMachine& m) {
        toDevice = m.fromClient.size();
        fromDevice = m.toClient.size();
    });
    const double wireBound = double(toDevice + fromDevice) * 11.0 / 115200.0;
    std::printf("2 MiB write with verify, chip 0x419, 256-byte blocks, pty at 115200 8E1\n");
    std::printf("wall time               %.3f s\n", wall);
    std::printf("CPU time                %.3f s\n", cpu);
    std::printf("bytes to the device     %zu\n", toDevice);
    std::printf("bytes from the device   %zu\n", fromDevice);
    std::printf("wire bytes / image byte %.3f\n", double(toDevice + fromDevice) / double(kImage));
    std::printf("round trips             %llu (%.2f per KiB)\n", (unsigned long long)trips,
                double(trips) / (double(kImage) / 1024.0));
    std::printf("wire bound at 115200    %.1f s (11 bits a byte, erase excluded)\n", wireBound);
    std::printf("wall / wire bound       %.4f\n", wall / wireBound);
    return 0;
}
