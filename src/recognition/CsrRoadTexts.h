// Status texts of the CSR road that are its own (the rest come from the controller's catalogue).
#pragma once

#include <string>

namespace recognition {

// "Cannot restore %@" with the label of the setting kept in that PS key (0x00EF, 0x028E, 0x0298,
// 0x0299, 0x029F, 0x02AA, 0x02AC), in an interface language; another key gives no label.
std::string qelm_string_cannot_restore(int pskey, int language);

}  // namespace recognition
