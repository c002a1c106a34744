// Byte order of block words, and counts that claim more words than the buffer holds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "SimFixture.h"
#include "transport/HidReportChannel.h"

namespace {

struct SwapCase {
    std::string name;
    bool extended;
    uint8_t count;
    size_t blockSize;
    int fits;
    size_t swapped;  // words swapped
};

void PrintTo(const SwapCase& c, std::ostream* os) { *os << c.name; }

class BlockWords : public ::testing::TestWithParam<SwapCase> {};

}  // namespace

TEST_P(BlockWords, SwapOnlyWhatTheBufferHolds) {
    const SwapCase& c = GetParam();
    size_t wordsAt = c.extended ? 5 : 4;
    std::vector<uint8_t> block(c.blockSize + 32);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i);
    block[wordsAt - 1] = c.count;
    std::vector<uint8_t> before = block;

    int fits = c.extended ? usbhid_swap_block_words_ext(block.data(), c.blockSize)
                          : usbhid_swap_block_words(block.data(), c.blockSize);
    EXPECT_EQ(fits, c.fits);
    for (size_t i = 0; i < block.size(); ++i) {
        size_t k = i >= wordsAt ? (i - wordsAt) / 2 : SIZE_MAX;
        uint8_t want = k < c.swapped ? before[wordsAt + 2 * k + (1 - (i - wordsAt) % 2)] : before[i];
        ASSERT_EQ(block[i], want) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Transport, BlockWords,
                         ::testing::ValuesIn(std::vector<SwapCase>{
                             {"CountThatFits", false, 3, 67, 1, 3},
                             {"ExtendedCountThatFits", true, 31, 67, 1, 31},
                             {"NoWords", false, 0, 67, 1, 0},
                             {"CountFillingTheReply", false, 31, 67, 1, 31},
                             {"CountLargerThanTheReply", false, 32, 67, 0, 31},
                             {"ExtendedCountLargerThanTheReply", true, 200, 67, 0, 31},
                             {"RequestBlockOfManyWords", false, 200, 1023, 1, 200},
                             {"BlockTooSmallForItsCount", true, 1, 4, 0, 0},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST(BlockWordsPlain, SwapWordsTurnsEachPairAndNothingForNoCount) {
    uint8_t words[6] = {1, 2, 3, 4, 5, 6};
    usbhid_swap_words(0, words);
    usbhid_swap_words(-3, words);
    EXPECT_EQ(std::vector<uint8_t>(words, words + 6), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    usbhid_swap_words(2, words);
    EXPECT_EQ(std::vector<uint8_t>(words, words + 6), (std::vector<uint8_t>{2, 1, 4, 3, 5, 6}));
}

// A block reply whose word count exceeds what a 67-byte reply can carry: the caller learns that
// the block does not fit and the exchange counts as failed.
TEST_F(SimTest, BlockReplyCountingMoreWordsThanItCarriesIsReported) {
    ASSERT_NO_FATAL_FAILURE(openHeadset());
    sim::Faults f;
    f.patch = {{3, 0x15}, {4, 40}};  // key 0x15, 40 words
    model().setFaults(f);
    uint8_t request[kLongRequestSize] = {1, 0x03, 0x15};
    uint8_t reply[kLongReplySize] = {};
    ASSERT_TRUE(usbhid_command(0, request, reply));
    EXPECT_EQ(reply[4], 40);
    EXPECT_EQ(usbhid_swap_block_words_ext(reply, sizeof reply), 0);
}
