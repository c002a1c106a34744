// Row layouts of the mesh models and the Alvento ports: selection groups over the shared row kinds.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

std::span<const SelectionGroup> meshGroups() { return {}; }

}  // namespace settings
