// Exchanges per second through the simulated headset on the real hidapi. Run it directly; it
// restarts itself under the umockdev preload when that is missing.
#include <benchmark/benchmark.h>
#include <hidapi.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "sim/SimHeadset.h"
#include "transport/HidReportChannel.h"

namespace {

struct Headset {
    sim::SimHeadset sim{{sim::hid(0x6838)}};
    Headset() {
        uint32_t pid = 0;
        char message[kOpenMessageSize];
        if (!sim.mocked() || usbhid_open_headset(&pid, message) != 0) std::abort();
    }
    ~Headset() { usbhid_close_all(); }
};

// The poll delays of format B are the product's own; the virtual clock leaves only the
// simulator's cost.
void formatBExchange(benchmark::State& state) {
    Headset h;
    platform::VirtualClock clock;
    platform::setClock(&clock);
    h.sim.model().setAnswer(sim::Format::B, 0x03, {0, std::vector<uint8_t>(58, 0x5A)});
    for (auto _ : state) {
        uint8_t request[kShortReportSize] = {1, 0, 0x03, 0x08};
        uint8_t reply[kShortReportSize] = {0, 60};
        if (!usbhid_short_command(0, request, reply, 500)) state.SkipWithError("exchange failed");
    }
    platform::setClock(nullptr);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(formatBExchange)->Unit(benchmark::kMicrosecond)->UseRealTime();

void formatBExchangeRealClock(benchmark::State& state) {
    Headset h;
    for (auto _ : state) {
        uint8_t request[kShortReportSize] = {1, 0, 0x01, 0x00};
        uint8_t reply[kShortReportSize] = {0, 7};
        if (!usbhid_short_command(0, request, reply, 500)) state.SkipWithError("exchange failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(formatBExchangeRealClock)->Unit(benchmark::kMicrosecond)->UseRealTime();

void formatAExchange(benchmark::State& state) {
    Headset h;
    for (auto _ : state) {
        uint8_t request[kLongRequestSize] = {1, 0x03, 0x15};
        uint8_t reply[kLongReplySize] = {};
        if (!usbhid_command(0, request, reply)) state.SkipWithError("exchange failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(formatAExchange)->Unit(benchmark::kMicrosecond)->UseRealTime();

void inputReportFetch(benchmark::State& state) {
    Headset h;
    hid_device* dev = usbhid_slot(0);
    for (auto _ : state) {
        uint8_t fragment[kShortReportSize] = {2};
        if (hid_get_input_report(dev, fragment, sizeof fragment) < 0) state.SkipWithError("fetch failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(inputReportFetch)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    const char* preload = std::getenv("LD_PRELOAD");
    if (!preload || !std::strstr(preload, "libumockdev-preload")) {
        std::string value =
            std::string(VELMAR_UMOCKDEV_PRELOAD) + (preload ? std::string(":") + preload : "");
        setenv("LD_PRELOAD", value.c_str(), 1);
        execv("/proc/self/exe", argv);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
