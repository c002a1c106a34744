// Row layouts of the HID intercom models: selection groups over the shared row kinds.
#include "settings/RowLayouts.h"
#include "settings/SharedRowKinds.h"

namespace settings {

std::span<const SelectionGroup> hidIntercomGroups() { return {}; }

}  // namespace settings
