// The port layer: a small table of operations chosen by device name, the serial-parameter
// conversions and the options a port is opened with.
#pragma once

#include <cstddef>
#include <cstdint>

// Filled by the option parser; the defaults are the client's.
struct port_settings {
    const char* device = nullptr;
    int baud = 8;                   // index into the rate table: 115200
    const char* serial_mode = "8e1";  // data bits, parity, stop bits
    uint32_t bus_addr = 0;
    uint32_t rx_frame_max = 256;
    uint32_t tx_frame_max = 258;
};

enum port_result {
    PORT_ERR_OK = 0,
    PORT_ERR_NODEV = 1,     // not this port's device: try the next port
    PORT_ERR_TIMEDOUT = 2,
    PORT_ERR_UNKNOWN = 3,
};

enum port_flag : uint32_t {
    PORT_BYTE_ORIENTED = 1u << 0,  // replies are read length byte first
    PORT_GVR_EXTRA = 1u << 1,      // the GVR reply carries two option bytes
    PORT_NEEDS_INIT = 1u << 2,     // the chip wakes on the 0x7F init byte
    PORT_RETRY = 1u << 3,          // ACK waits retry read time-outs until their own time-out
    PORT_CLOCK_STRETCH = 1u << 4,  // the transport may need clock stretching
};

enum port_gpio_line { GPIO_RTS = 1, GPIO_DTR = 2, GPIO_BRK = 3 };

struct port_ops {
    const char* name;
    uint32_t flags;
    int (*open)(port_ops* port, port_settings* options);
    int (*close)(port_ops* port);
    int (*read)(port_ops* port, void* buf, size_t len);
    int (*write)(port_ops* port, const void* buf, size_t len);
    int (*gpio)(port_ops* port, int line, int level);
    const char* (*cfg_str)(port_ops* port);
    // (boot-loader version, GET-reply length) pairs ended by a zero length, or nullptr.
    const uint8_t* get_reply_lengths;
    void* priv;  // set by open, cleared by close
};

// The ports in the order they are tried.
extern port_ops port_serial_posix;
extern port_ops port_i2c;
extern port_ops* const port_list[];
extern const size_t port_list_count;

// Tries each port in order; hands out the first that opens. 0 or 3.
int port_try_open(port_settings* options, port_ops** port);

// Rate table: 19 rates; index 19 means invalid.
constexpr int BAUD_INVALID = 19;
int baud_code_of(uint32_t baud);
uint32_t baud_rate_of(int code);

// Mode-string fields ("8e1"); an invalid field gives the field's invalid index (4, 3, 2).
int data_bits_code_of(const char* mode);
int data_bits_of(int code);
int parity_code_of(const char* mode);
char parity_letter_of(int code);
int stop_bits_code_of(const char* mode);
int stop_bits_of(int code);
