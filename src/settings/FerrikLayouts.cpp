// Row layouts of the FERRIK headset and its relatives: selection groups over the shared row kinds.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

std::span<const SelectionGroup> ferrikGroups() { return {}; }

}  // namespace settings
