#include "app/DiagnosticLog.h"

#include <cstdarg>
#include <cstdio>
#include <fstream>

#include "platform/Log.h"

namespace app {
namespace {

std::string format(const char* f, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* f, ...) {
    va_list args;
    va_start(args, f);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, f, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, f, args);
    va_end(args);
    return out;
}

bool isTwoChip(int32_t productId) {
    for (int32_t id : {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610})
        if (id == productId) return true;
    return false;
}

std::string orNull(const platform::OptString& s) { return s ? *s : "(null)"; }

std::string versionBlock(const device::ORVABluetoothDeviceData& d) {
    if (isTwoChip(d.deviceRecognized())) {
        return format("Device Version 01: %d.%d\nSecondary Version Type 01: %dSecondary Version 01: %d\n"
                      "Device Version 02: %d.%d\nSecondary Version Type 02: %dSecondary Version 02: %d\n\n",
                      d.deviceVersionMajor01(), d.deviceVersionMinor01(), d.deviceSecondaryVersionType01(),
                      d.deviceSecondaryVersion01(), d.deviceVersionMajor02(), d.deviceVersionMinor02(),
                      d.deviceSecondaryVersionType02(), d.deviceSecondaryVersion02());
    }
    return format("Device Version: %d.%d\nSecondary Version Type: %dSecondary Version: %d\n\n", d.deviceVersionMajor(),
                  d.deviceVersionMinor(), d.deviceSecondaryVersionType(), d.deviceSecondaryVersion());
}

}  // namespace

const std::vector<DiagnosticTool>& diagnosticTools() {
    // os-release and uname tell the system's version; lscpu, the Bluetooth adapters and lsusb the
    // hardware; lsmod the loaded kernel modules. None of them waits for anything.
    static const std::vector<DiagnosticTool> tools = {
        {"", {"cat", "/etc/os-release"}},
        {"", {"uname", "-a"}},
        {"\n[System Profile - Hardware / Bluetooth / USB]\n", {"lscpu"}},
        {"", {"ls", "/sys/class/bluetooth"}},
        {"", {"lsusb"}},
        {"\n[/usr/sbin/lsmod]\n", {"lsmod"}},
    };
    return tools;
}

std::string diagnosticStateBlock(const DiagnosticState& state, const device::ORVABluetoothDeviceData& data) {
    return format("[Manager Information]\nStatus: %s\nVersion: %d.%d%s\n[Device Information]\nRecognized: %d\n"
                  "Target Device: %04X\nUSB Status: %04X\nRecognized Device: %04X\nBD Address: %s\nDevice Name: %s\n"
                  "%s[Linux Version]\n",
                  state.status.c_str(), 1, 0, "", state.recognized ? 1 : 0, static_cast<unsigned>(state.deviceTarget),
                  static_cast<unsigned>(state.usbStatus), static_cast<unsigned>(data.deviceRecognized()),
                  orNull(data.bdAddress()).c_str(), orNull(data.deviceName()).c_str(), versionBlock(data).c_str());
}

std::string diagnosticLogText(const DiagnosticState& state, const device::ORVABluetoothDeviceData& data,
                              const ToolRunner& run) {
    std::string text = diagnosticStateBlock(state, data);
    for (const auto& tool : diagnosticTools()) {
        text += tool.heading;
        std::optional<std::string> out = run(tool.argv);
        text += out ? *out : tool.argv.front() + ": not available on this system\n";
    }
    return text;
}

std::string defaultDiagnosticLogName(const platform::Date& now) {
    return now.format("%Y%m%d%H%M%S") + "_DiagnosticLog.qelmdlog";
}

bool writeDiagnosticLog(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out << text;
    if (!out) {
        platform::logLine("diagnostic log: cannot write " + path);
        return false;
    }
    return true;
}

}  // namespace app
