// The firmware-file checks, reading the input from a file as they do (a memory file passed by
// path, so the real open, stat and read run).
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "transport/FirmwareFileChecks.h"

namespace {

// Products whose archives take each branch of the checks: long and short part tables, the header
// exceptions and the version rule.
const int kProducts[] = {0x2100, 0x3110, 0x321C, 0x3232, 0x3233, 0x4210, 0x4220, 0x5510, 0x6838, 0x6042};
const char* const kExpected[] = {"ZELTA#5510", "HEMBRIN#4010", "#", ""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const uint8_t choice = in.byte();
    const int fd = memfd_create("firmware", MFD_CLOEXEC);
    if (fd < 0) return 0;
    const uint8_t* rest = size ? data + 1 : data;
    const size_t length = size ? size - 1 : 0;
    if (length && write(fd, rest, length) != static_cast<ssize_t>(length)) {
        close(fd);
        return 0;
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    char message[FIRMWARE_MESSAGE_SIZE] = {};
    unsigned char* out = nullptr;
    if (choice & 0x80) {
        const long n = firmware_check_dfu_file(path.c_str(), &out, message, kExpected[choice % 4]);
        if (n > 0 && !out) std::abort();
    } else {
        const int product = kProducts[choice % (sizeof kProducts / sizeof kProducts[0])];
        const long n = firmware_load_archive(path.c_str(), &out, message, product);
        if (n > 0) (void)firmware_check_archive(out, message, product, n);
    }
    std::free(out);
    close(fd);
    return 0;
}
