// The chip table: lookup, page arithmetic, and every row's page sizes against its flash.
#include "stm32/ChipTable.h"

#include <gtest/gtest.h>

namespace {

TEST(ChipTable, FindsListedIdsOnly) {
    const stm32_chip_row* row = stm32_chip_lookup(0x410);
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row->name, "STM32F10xxx Medium-density");
    EXPECT_EQ(stm32_chip_lookup(0x999), nullptr);
    EXPECT_EQ(stm32_chip_lookup(0), nullptr);
}

TEST(ChipTable, HasThirtyNineRowsThenTheEnd) {
    int rows = 0;
    while (stm32_chip_table[rows].id != 0) ++rows;
    EXPECT_EQ(rows, 39);
}

struct PagesBelowCase {
    const char* name;
    uint16_t chip;
    uint32_t address;
    uint32_t pages;
    friend void PrintTo(const PagesBelowCase& c, std::ostream* os) { *os << c.name; }
};

class PagesBelow : public testing::TestWithParam<PagesBelowCase> {};

TEST_P(PagesBelow, CountsWholeAndPartPages) {
    const PagesBelowCase& c = GetParam();
    EXPECT_EQ(flash_pages_below(stm32_chip_lookup(c.chip), c.address), c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    ChipTable, PagesBelow,
    testing::Values(PagesBelowCase{"FourSmallSectorsAndOneMid", 0x413, 0x08020000, 5},
                    PagesBelowCase{"OneByteIntoTheFirstLargeSector", 0x413, 0x08020001, 6},
                    PagesBelowCase{"FourLargeSectors", 0x413, 0x080A0000, 9},
                    PagesBelowCase{"SectoredFlashEnd", 0x413, 0x08100000, 12},
                    PagesBelowCase{"SectoredFlashStart", 0x413, 0x08000000, 0},
                    PagesBelowCase{"OneByteOnSmallPages", 0x410, 0x08000001, 1},
                    PagesBelowCase{"SmallPagesFlashEnd", 0x410, 0x08020000, 128},
                    PagesBelowCase{"AboveFlashEnd", 0x410, 0x08020001, 0},
                    PagesBelowCase{"BelowFlashStart", 0x410, 0x07FFFFFF, 0},
                    PagesBelowCase{"TwoBankFlashEnd", 0x419, 0x08200000, 24}),
    [](const testing::TestParamInfo<PagesBelowCase>& info) { return std::string(info.param.name); });

// The listed sizes, the last one repeating, end exactly at flash end; the RAM and option ranges
// are ordered.
TEST(ChipTable, EveryRowsPagesCoverItsFlashExactly) {
    for (const stm32_chip_row* row = stm32_chip_table; row->id != 0; ++row) {
        SCOPED_TRACE(row->name);
        uint64_t at = row->flash_start;
        const uint32_t* size = row->page_sizes;
        ASSERT_NE(*size, 0u);
        while (at < row->flash_end) {
            at += *size;
            if (size[1] != 0) ++size;
        }
        EXPECT_EQ(at, row->flash_end);
        EXPECT_LE(row->ram_start, row->ram_end);
        EXPECT_LT(row->option_start, row->option_end);
        EXPECT_LT(row->sysmem_start, row->sysmem_end);
        EXPECT_EQ(stm32_chip_lookup(row->id), row) << "id listed twice";
    }
}

}  // namespace
