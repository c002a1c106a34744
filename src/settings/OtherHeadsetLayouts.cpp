// Row layouts of the other brands' headsets: selection groups over the shared row kinds.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

std::span<const SelectionGroup> otherHeadsetGroups() { return {}; }

}  // namespace settings
