#include "stm32/ChipTable.h"

namespace {

constexpr uint32_t KiB = 1024;

// Page-size lists, each ended by 0; the last size repeats to the flash end.
constexpr uint32_t p128[] = {128, 0};
constexpr uint32_t p256[] = {256, 0};
constexpr uint32_t p1k[] = {1 * KiB, 0};
constexpr uint32_t p2k[] = {2 * KiB, 0};
constexpr uint32_t f2_f4[] = {16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 64 * KiB, 128 * KiB, 0};
constexpr uint32_t f4_dual[] = {16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 64 * KiB, 128 * KiB, 128 * KiB, 128 * KiB,
                                16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 64 * KiB, 128 * KiB, 0};
constexpr uint32_t f7[] = {32 * KiB, 32 * KiB, 32 * KiB, 32 * KiB, 128 * KiB, 256 * KiB, 0};

constexpr uint32_t none = 0;
constexpr uint32_t no_mass = CHIP_NO_MASS_ERASE;
constexpr uint32_t ob_reload = CHIP_OPTION_RELOAD;

}  // namespace

// id, name, RAM start/end, flash start/end, pages per sector, page sizes, option bytes, system
// memory, flags.
const stm32_chip_row stm32_chip_table[] = {
    {0x440, "STM32F030x8/F05xxx", 0x20000800, 0x20002000, 0x08000000, 0x08010000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFEC00, 0x1FFFF800, none},
    {0x442, "STM32F030xC/F09xxx", 0x20001800, 0x20008000, 0x08000000, 0x08040000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFC800, 0x1FFFF800, ob_reload},
    {0x444, "STM32F03xx4/6", 0x20000800, 0x20001000, 0x08000000, 0x08008000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFEC00, 0x1FFFF800, none},
    {0x445, "STM32F04xxx/F070x6", 0x20001800, 0x20001800, 0x08000000, 0x08008000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFC400, 0x1FFFF800, none},
    {0x448, "STM32F070xB/F071xx/F72xx", 0x20001800, 0x20004000, 0x08000000, 0x08020000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFC800, 0x1FFFF800, none},
    {0x412, "STM32F10xxx Low-density", 0x20000200, 0x20002800, 0x08000000, 0x08008000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, none},
    {0x410, "STM32F10xxx Medium-density", 0x20000200, 0x20005000, 0x08000000, 0x08020000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, none},
    {0x414, "STM32F10xxx High-density", 0x20000200, 0x20010000, 0x08000000, 0x08080000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, none},
    {0x420, "STM32F10xxx Medium-density VL", 0x20000200, 0x20002000, 0x08000000, 0x08020000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, none},
    {0x428, "STM32F10xxx High-density VL", 0x20000200, 0x20008000, 0x08000000, 0x08080000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, none},
    {0x418, "STM32F105xx/F107xx", 0x20001000, 0x20010000, 0x08000000, 0x08040000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFB000, 0x1FFFF800, none},
    {0x430, "STM32F10xxx XL-density", 0x20000800, 0x20018000, 0x08000000, 0x08100000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFE000, 0x1FFFF800, none},
    {0x411, "STM32F2xxxx", 0x20002000, 0x20020000, 0x08000000, 0x08100000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x432, "STM32F373xx/F378xx", 0x20001400, 0x20008000, 0x08000000, 0x08040000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFD800, 0x1FFFF800, none},
    {0x422, "STM32F302xB(C)/F303xB(C)/F358xx", 0x20001400, 0x2000A000, 0x08000000, 0x08040000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFD800, 0x1FFFF800, none},
    {0x439, "STM32F301xx/F302x4(6/8)/F318xx", 0x20001800, 0x20004000, 0x08000000, 0x08010000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFD800, 0x1FFFF800, none},
    {0x438, "STM32F303x4(6/8)/F334xx/F328xx", 0x20001800, 0x20003000, 0x08000000, 0x08010000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFD800, 0x1FFFF800, none},
    {0x446, "STM32F302xD(E)/F303xD(E)/F398xx", 0x20001800, 0x20010000, 0x08000000, 0x08080000, 2, p2k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFD800, 0x1FFFF800, none},
    {0x413, "STM32F40xxx/41xxx", 0x20003000, 0x20020000, 0x08000000, 0x08100000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x419, "STM32F42xxx/43xxx", 0x20003000, 0x20030000, 0x08000000, 0x08200000, 1, f4_dual, 0x1FFEC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x423, "STM32F401xB(C)", 0x20003000, 0x20010000, 0x08000000, 0x08040000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x433, "STM32F401xD(E)", 0x20003000, 0x20018000, 0x08000000, 0x08080000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x458, "STM32F410xx", 0x20003000, 0x20008000, 0x08000000, 0x08020000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x431, "STM32F411xx", 0x20003000, 0x20020000, 0x08000000, 0x08080000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x421, "STM32F446xx", 0x20003000, 0x20020000, 0x08000000, 0x08080000, 1, f2_f4, 0x1FFFC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x434, "STM32F469xx", 0x20003000, 0x20060000, 0x08000000, 0x08200000, 1, f4_dual, 0x1FFEC000, 0x1FFFC00F, 0x1FFF0000, 0x1FFF7800, none},
    {0x449, "STM32F74xxx/75xxx", 0x20004000, 0x20050000, 0x08000000, 0x08100000, 1, f7, 0x1FFF0000, 0x1FFF001F, 0x1FF00000, 0x1FF0EDC0, none},
    {0x425, "STM32L031xx/041xx", 0x20001000, 0x20002000, 0x08000000, 0x08008000, 32, p128, 0x1FF80000, 0x1FF8001F, 0x1FF00000, 0x1FF01000, none},
    {0x417, "STM32L05xxx/06xxx", 0x20001000, 0x20002000, 0x08000000, 0x08010000, 32, p128, 0x1FF80000, 0x1FF8001F, 0x1FF00000, 0x1FF01000, none},
    {0x447, "STM32L07xxx/08xxx", 0x20002000, 0x20005000, 0x08000000, 0x08030000, 32, p128, 0x1FF80000, 0x1FF8001F, 0x1FF00000, 0x1FF02000, none},
    {0x416, "STM32L1xxx6(8/B)", 0x20000800, 0x20004000, 0x08000000, 0x08020000, 16, p256, 0x1FF80000, 0x1FF8001F, 0x1FF00000, 0x1FF01000, no_mass},
    {0x429, "STM32L1xxx6(8/B)A", 0x20001000, 0x20008000, 0x08000000, 0x08020000, 16, p256, 0x1FF80000, 0x1FF8001F, 0x1FF00000, 0x1FF01000, none},
    {0x427, "STM32L1xxxC", 0x20001000, 0x20008000, 0x08000000, 0x08040000, 16, p256, 0x1FF80000, 0x1FF8001F, 0x1FF00000, 0x1FF02000, none},
    {0x436, "STM32L1xxxD", 0x20001000, 0x2000C000, 0x08000000, 0x08060000, 16, p256, 0x1FF80000, 0x1FF8009F, 0x1FF00000, 0x1FF02000, none},
    {0x437, "STM32L1xxxE", 0x20001000, 0x20014000, 0x08000000, 0x08080000, 16, p256, 0x1FF80000, 0x1FF8009F, 0x1FF00000, 0x1FF02000, no_mass},
    {0x415, "STM32L476xx/486xx", 0x20003100, 0x20018000, 0x08000000, 0x08100000, 1, p2k, 0x1FFF7800, 0x1FFFF80F, 0x1FFF0000, 0x1FFF7000, none},
    {0x641, "Medium_Density PL", 0x20000200, 0x20005000, 0x08000000, 0x08020000, 4, p1k, 0x1FFFF800, 0x1FFFF80F, 0x1FFFF000, 0x1FFFF800, none},
    {0x9A8, "STM32W-128K", 0x20000200, 0x20002000, 0x08000000, 0x08020000, 4, p1k, 0x08040800, 0x0804080F, 0x08040000, 0x08040800, none},
    {0x9B0, "STM32W-256K", 0x20000200, 0x20004000, 0x08000000, 0x08040000, 4, p2k, 0x08040800, 0x0804080F, 0x08040000, 0x08040800, none},
    {0, nullptr, 0, 0, 0, 0, 0, nullptr, 0, 0, 0, 0, 0},
};

const stm32_chip_row* stm32_chip_lookup(uint16_t id) {
    for (const stm32_chip_row* row = stm32_chip_table; row->id != 0; ++row)
        if (row->id == id) return row;
    return nullptr;
}

uint32_t flash_pages_below(const stm32_chip_row* dev, uint32_t addr) {
    if (!dev || addr < dev->flash_start || addr > dev->flash_end) return 0;
    uint32_t offset = addr - dev->flash_start;
    const uint32_t* size = dev->page_sizes;
    if (offset < size[0]) return offset ? 1 : 0;
    uint32_t pages = 0;
    while (offset >= *size) {
        offset -= *size;
        ++pages;
        if (size[1] != 0) ++size;
    }
    return pages + (offset ? 1 : 0);
}

uint64_t flash_page_start(const stm32_chip_row* dev, uint32_t page) {
    uint64_t at = dev->flash_start;
    const uint32_t* size = dev->page_sizes;
    for (uint32_t p = 0; p < page && at < dev->flash_end; ++p) {
        at += *size;
        if (size[1] != 0) ++size;
    }
    return at;
}
