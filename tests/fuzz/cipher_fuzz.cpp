// The precaution page's base64 decoders and the stored-password decryption.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CipherHelpers.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    std::string text(reinterpret_cast<const char*>(data) + (size ? 1 : 0), size ? size - 1 : 0);
    text = text.c_str();  // the helpers take C strings

    std::vector<unsigned char> out(text.size() + 1);
    const int n = base64_decode(text.c_str(), out.data(), flags & 1 ? out.size() / 2 : out.size());
    if (n > static_cast<int>(out.size())) std::abort();

    base64_set_swap(flags & 2 ? 1 : 0);
    std::vector<unsigned char> swapped(3 * (text.size() / 4) + 3);
    int count = 0;
    const int m = base64_decode_swap(text.c_str(), swapped.data(), &count);
    if (count < 0 || m > static_cast<int>(swapped.size())) std::abort();
    base64_set_swap(0);

    unsigned char* plain = nullptr;
    (void)decrypt_string_3des_base64(text.c_str(), &plain);
    std::free(plain);
    return 0;
}
