#include "stm32/Port.h"

#include "stm32/SerialPosix.h"

#include <cstdio>
#include <cstring>

namespace {

// This platform has no I2C port: every device goes on to the next port.
int i2c_open(port_ops*, port_settings*) { return PORT_ERR_NODEV; }

constexpr uint32_t rates[] = {1200,   1800,   2400,   4800,   9600,    19200,   38400,
                              57600,  115200, 128000, 230400, 256000,  460800,  500000,
                              576000, 921600, 1000000, 1500000, 2000000};
constexpr int rate_count = sizeof rates / sizeof rates[0];
static_assert(rate_count == BAUD_INVALID);

// The mode string's first n characters, or nullptr when it is shorter.
bool has_chars(const char* mode, size_t n) { return mode && strnlen(mode, n) == n; }

}  // namespace

port_ops port_serial_posix = {
    "serial_posix",
    PORT_BYTE_ORIENTED | PORT_GVR_EXTRA | PORT_NEEDS_INIT | PORT_RETRY,
    tty_open, tty_close, tty_read, tty_write, tty_set_signal, tty_describe,
    nullptr, nullptr,
};

port_ops port_i2c = {
    "i2c", 0, i2c_open, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

port_ops* const port_list[] = {&port_serial_posix, &port_i2c};
const size_t port_list_count = sizeof port_list / sizeof port_list[0];

int port_try_open(port_settings* options, port_ops** port) {
    for (size_t i = 0; i < port_list_count; ++i) {
        port_ops* candidate = port_list[i];
        int ret = candidate->open(candidate, options);
        if (ret == PORT_ERR_OK) {
            *port = candidate;
            return PORT_ERR_OK;
        }
        if (ret == PORT_ERR_NODEV) continue;
        fprintf(stderr, "Error probing interface \"%s\"\n", candidate->name);
    }
    fprintf(stderr, "Cannot handle device \"%s\"\n", options->device ? options->device : "");
    return PORT_ERR_UNKNOWN;
}

int baud_code_of(uint32_t baud) {
    for (int i = 0; i < rate_count; ++i)
        if (rates[i] == baud) return i;
    return BAUD_INVALID;
}

uint32_t baud_rate_of(int code) { return code >= 0 && code < rate_count ? rates[code] : 0; }

int data_bits_code_of(const char* mode) {
    if (!has_chars(mode, 1) || mode[0] < '5' || mode[0] > '8') return 4;
    return mode[0] - '5';
}

int data_bits_of(int code) { return code >= 0 && code < 4 ? code + 5 : 0; }

int parity_code_of(const char* mode) {
    if (!has_chars(mode, 2)) return 3;
    switch (mode[1]) {
    case 'N': case 'n': return 0;
    case 'E': case 'e': return 1;
    case 'O': case 'o': return 2;
    default: return 3;
    }
}

char parity_letter_of(int code) {
    static constexpr char letters[] = {'N', 'E', 'O'};
    return code >= 0 && code < 3 ? letters[code] : ' ';
}

int stop_bits_code_of(const char* mode) {
    if (!has_chars(mode, 3) || (mode[2] != '1' && mode[2] != '2')) return 2;
    return mode[2] - '1';
}

int stop_bits_of(int code) { return code == 0 || code == 1 ? code + 1 : 0; }
