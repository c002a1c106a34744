// The camera firmware handed over on the camera's storage card: the card's volume found by asking
// the controller, the camera's version file compared with the container's camera part, the part
// written under a staged name, renamed to the name the camera applies (never over an existing
// file) and read back. The calling family gives the number of asks and its failure tags.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "update/ArchiveLayout.h"
#include "update/UpdateWorker.h"

namespace update {

struct CameraFiles {
    int32_t model;
    const char* staged;   // written first
    const char* target;   // what the camera applies
    const char* version;  // where the camera tells its running version, "major.minor"
};

// The row of the model, or none.
const CameraFiles* cameraFilesOf(int32_t model);

struct CameraPart {
    const unsigned char* data = nullptr;
    size_t length = 0;
    int32_t major = 0, minor = 0;
    std::array<uint8_t, 16> digest{};
};

struct CameraCopyTags {
    const char* create;
    const char* rename;
    const char* stagedRemoval;  // the removals after a target that cannot be opened
    const char* targetRemoval;
    const char* open;
    const char* digest;
    const char* size;
    const char* digestStagedRemoval;  // the removals after a wrong digest
    const char* digestTargetRemoval;
};

// The camera image of a block record of the run's firmware (its version in the first two values).
CameraPart cameraPartOf(const UpdateRun& run, const BlockRecord& record);

// "%@. %@ <tag>. %@.": the failure prefix, the message, the tag and "Try again".
void publishCameraFailure(UpdateRun& run, const std::function<std::string(int)>& message, const std::string& tag);
// The same with "Cannot get status", or "Camera firmware update failed" when `cameraFailed`;
// always false.
bool failCameraStep(UpdateRun& run, const char* tag, bool cameraFailed = false);

// Asks for the volume up to `asks` times, sleeping a second after each miss; none when every ask
// missed or the run was stopped.
std::optional<std::string> findCameraVolume(UpdateRun& run, int asks);
// The failure of a volume never found: "Check your SD Card", no tag.
void failCheckSdCard(UpdateRun& run);

// Removes a staged file left by an earlier run (the result is not needed).
void removeStaleStaged(const std::string& volume, const CameraFiles& files);
// The version file's major.minor ("3.1.2" reads as 3.1; missing parts as 0) equals the part's.
bool cameraIsCurrent(const std::string& volume, const CameraFiles& files, const CameraPart& part);
// Staged file, rename, read-back; false with the failure published.
bool copyCameraPart(UpdateRun& run, const std::string& volume, const CameraFiles& files, const CameraPart& part,
                    const CameraCopyTags& tags);
// The read-back of the target file alone (digest, then size).
bool readBackCameraFile(UpdateRun& run, const std::string& volume, const CameraFiles& files, const CameraPart& part,
                        const CameraCopyTags& tags);
// Renames without ever replacing an existing file, also where the file system refuses the flag
// that asks for that.
bool renameNoReplace(const std::string& from, const std::string& to);

}  // namespace update
