// Byte order of the 16-bit words in block payloads (big-endian on the wire).
#include <cstddef>
#include <utility>

#include "transport/HidReportChannel.h"

void usbhid_swap_words(int n, void* words) {
    auto* bytes = static_cast<uint8_t*>(words);
    for (int i = 0; bytes && i < n; ++i) std::swap(bytes[2 * i], bytes[2 * i + 1]);
}

namespace {

int swapCounted(uint8_t* block, size_t blockSize, size_t countAt) {
    size_t wordsAt = countAt + 1;
    if (!block || blockSize <= countAt) return 0;
    size_t counted = block[countAt];
    size_t room = (blockSize - wordsAt) / 2;
    size_t n = counted < room ? counted : room;
    usbhid_swap_words(static_cast<int>(n), block + wordsAt);
    return counted <= room;
}

}  // namespace

int usbhid_swap_block_words(uint8_t* block, size_t blockSize) { return swapCounted(block, blockSize, 3); }

int usbhid_swap_block_words_ext(uint8_t* block, size_t blockSize) { return swapCounted(block, blockSize, 4); }
