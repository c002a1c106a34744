// Row layouts of the camera headsets: selection groups over the shared row kinds.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

std::span<const SelectionGroup> cameraGroups() { return {}; }

}  // namespace settings
