// Mounted volumes, to find a camera's storage: a volume counts when it is removable, writable
// and can be unmounted by the user.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct Volume {
    std::string path;  // mount point, without a trailing slash
    bool removable = false;
    bool writable = false;
    bool unmountable = false;
};

// The mounted local volumes in mount order (from /proc/self/mountinfo and the block devices'
// removable flag in sysfs), or the list set by setVolumesForTesting.
std::vector<Volume> mountedVolumes();

// Tests point the lookup at folders; nullopt returns to the real mount table.
void setVolumesForTesting(std::optional<std::vector<Volume>> volumes);

}  // namespace platform
