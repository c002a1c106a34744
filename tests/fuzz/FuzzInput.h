// Reading a fuzzer's input as a stream of choices and payloads.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Copies up to n bytes into out and returns how many there were.
    size_t take(uint8_t* out, size_t n) {
        const size_t k = std::min(n, size_ - std::min(at_, size_));
        if (k) std::memcpy(out, data_ + at_, k);
        at_ += k;
        return k;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace fuzz
