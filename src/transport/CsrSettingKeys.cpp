#include "transport/CsrSettingKeys.h"

namespace transport::csr {

namespace {
// Words 0xFEFF, 0xF88F, 0x1E18, 0x8359 and 0xFEFF, 0xFE8F, 0xFF98, 0x8359, low byte first.
constexpr uint8_t kLegacyEdrOn[] = {0xFF, 0xFE, 0x8F, 0xF8, 0x18, 0x1E, 0x59, 0x83};
constexpr uint8_t kLegacyEdrOff[] = {0xFF, 0xFE, 0x8F, 0xFE, 0x98, 0xFF, 0x59, 0x83};
}  // namespace

std::span<const uint8_t> legacyEdrOn() { return kLegacyEdrOn; }
std::span<const uint8_t> legacyEdrOff() { return kLegacyEdrOff; }

}  // namespace transport::csr
