// The simulated boot loader's own chip rows, written apart from the product's table so that an
// error in either shows.
#pragma once

#include <cstdint>
#include <vector>

namespace stm32sim {

struct SimChip {
    uint16_t id;
    uint32_t ramStart, ramEnd;
    uint32_t flashStart, flashEnd;  // end exclusive
    std::vector<uint32_t> pageSizes;  // the last size repeats to the flash end
    uint32_t optionStart, optionEnd;  // end inclusive
    uint32_t sysStart, sysEnd;  // end exclusive
    bool noMassErase;
    bool optionReload;

    // Start address and size of page p, false past the flash.
    bool page(uint32_t p, uint32_t& start, uint32_t& size) const;
    uint32_t pageCount() const;
};

// 0x410, 0x413, 0x419, 0x437, 0x442, 0x445; anything else aborts the test.
const SimChip& simChip(uint16_t id);

}  // namespace stm32sim
