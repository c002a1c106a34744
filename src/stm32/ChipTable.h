// The STM32 chips the boot-loader client knows, keyed by the product id of the GID reply.
#pragma once

#include <cstdint>

enum stm32_chip_flag : uint32_t {
    CHIP_NO_MASS_ERASE = 1u << 0,  // a mass erase is done page by page
    CHIP_OPTION_RELOAD = 1u << 1,  // a reset reloads the option bytes
};

struct stm32_chip_row {
    uint16_t id;  // 0 ends the table
    const char* name;
    uint32_t ram_start, ram_end;
    uint32_t flash_start, flash_end;  // end exclusive
    uint16_t pages_per_sector;
    const uint32_t* page_sizes;  // ended by 0; the last size repeats to the flash end
    uint32_t option_start, option_end;  // end inclusive
    uint32_t sysmem_start, sysmem_end;  // end exclusive
    uint32_t flags;
};

extern const stm32_chip_row stm32_chip_table[];

// The first row with the id, or nullptr.
const stm32_chip_row* stm32_chip_lookup(uint16_t id);

// Flash pages from flash start up to addr, a partly covered page counting as one; 0 outside
// the flash.
uint32_t flash_pages_below(const stm32_chip_row* dev, uint32_t addr);

// The address where flash page `page` starts (the flash end for the page after the last).
uint64_t flash_page_start(const stm32_chip_row* dev, uint32_t page);
