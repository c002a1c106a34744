// What the CSR BlueCore family (CsrDfuUpdate.cpp) shares with its Nelvar part and its tests: the
// claim-retry counter that outlives a run, the source of the manifestation wait's random steps,
// and the Nelvar container's staged files.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "update/UpdateWorker.h"

namespace update {

// Failed claims after re-enumeration, counted over the runs of the process; the third ends a run
// and starts the count again.
std::atomic<int>& csrClaimRetries();

// Where the manifestation wait draws its steps; nullptr: a generator seeded from the clock.
void setCsrWaitStepSource(std::function<uint32_t()> source);

inline constexpr const char* kNelvarDfuFile = "__nelvar_dfu_bluetooth__.img";
inline constexpr const char* kNelvarCameraFile = "__nelvar_firmware__.bin";
inline constexpr const char* kNelvarCameraDiskFile = "sac10_100.bin";

// Loads the Nelvar container of tfFirmwareFile and stages its two parts in the archive folder;
// the staged DFU part's path, or none when the run must end (failure published, code set).
std::optional<std::string> splitNelvarContainer(UpdateRun& run);
// Moves the staged camera part onto the camera's card; failures are only logged.
void updateNelvarFirmware(UpdateRun& run);

}  // namespace update
