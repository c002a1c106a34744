#include "sim/stm32/SimChips.h"

#include <cstdlib>

namespace stm32sim {

namespace {
constexpr uint32_t K = 1024;
const SimChip chips[] = {
    {0x410, 0x20000200, 0x20005000, 0x08000000, 0x08020000, {K}, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, false, false},
    {0x413, 0x20003000, 0x20020000, 0x08000000, 0x08100000, {16 * K, 16 * K, 16 * K, 16 * K, 64 * K, 128 * K},
     0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, false, false},
    {0x419, 0x20003000, 0x20030000, 0x08000000, 0x08200000,
     {16 * K, 16 * K, 16 * K, 16 * K, 64 * K, 128 * K, 128 * K, 128 * K, 16 * K, 16 * K, 16 * K, 16 * K, 64 * K, 128 * K},
     0x1FFEC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, false, false},
    {0x437, 0x20001000, 0x20014000, 0x08000000, 0x08080000, {256}, 0x1FF80000, 0x1FF8009F, 0x1FF00000, 0x1FF02000, true, false},
    {0x442, 0x20001800, 0x20008000, 0x08000000, 0x08040000, {2 * K}, 0x1FFFF800, 0x1FFFF80F, 0x1FFFC800, 0x1FFFF800, false, true},
    {0x445, 0x20001800, 0x20001800, 0x08000000, 0x08008000, {K}, 0x1FFFF800, 0x1FFFF80F, 0x1FFFC400, 0x1FFFF800, false, false},
};
}  // namespace

bool SimChip::page(uint32_t p, uint32_t& start, uint32_t& size) const {
    uint32_t at = flashStart;
    for (uint32_t i = 0;; ++i) {
        size = pageSizes[i < pageSizes.size() ? i : pageSizes.size() - 1];
        if (at >= flashEnd) return false;
        if (i == p) {
            start = at;
            return true;
        }
        at += size;
    }
}

uint32_t SimChip::pageCount() const {
    uint32_t n = 0, start, size;
    while (page(n, start, size)) ++n;
    return n;
}

const SimChip& simChip(uint16_t id) {
    for (const SimChip& c : chips)
        if (c.id == id) return c;
    abort();
}

}  // namespace stm32sim
