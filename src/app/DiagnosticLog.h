// The diagnostic log the user saves: the application's and the headset's state, then what the
// system's tools say about the machine.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/Date.h"

namespace app {

struct DiagnosticState {
    std::string status;  // the status line's current text
    bool recognized = false;
    int32_t deviceTarget = 0;
    int32_t usbStatus = 0;
};

// One tool of the system section: its heading (empty for the first) and its command line.
struct DiagnosticTool {
    std::string heading;
    std::vector<std::string> argv;
};

// The tools that stand here for sw_vers, system_profiler and kextstat.
const std::vector<DiagnosticTool>& diagnosticTools();

using ToolRunner = std::function<std::optional<std::string>(const std::vector<std::string>& argv)>;

// The state and version blocks.
std::string diagnosticStateBlock(const DiagnosticState& state, const device::ORVABluetoothDeviceData& data);

// The whole log: state block, then each tool's heading and output (or a line saying it is missing).
std::string diagnosticLogText(const DiagnosticState& state, const device::ORVABluetoothDeviceData& data,
                              const ToolRunner& run);

// "<yyyyMMddHHmmss>_DiagnosticLog.qelmdlog" in local time.
std::string defaultDiagnosticLogName(const platform::Date& now);

// Writes text to path, replacing any file there; a failure is logged and nothing is shown.
bool writeDiagnosticLog(const std::string& path, const std::string& text);

}  // namespace app
