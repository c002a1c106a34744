// The POSIX terminal port: raw 8-bit serial line with a 0.5 s first-byte wait per read.
#pragma once

#include "stm32/Port.h"

#include <termios.h>

// The terminal settings for the options, made from the settings found on the device. 0, or 3
// when the options name a rate, size, parity or stop-bit count the serial port cannot carry.
int tty_make_settings(const port_settings* options, const termios* found, termios* out);

int tty_open(port_ops* port, port_settings* options);
int tty_close(port_ops* port);
int tty_read(port_ops* port, void* buf, size_t len);
int tty_write(port_ops* port, const void* buf, size_t len);
int tty_set_signal(port_ops* port, int line, int level);
const char* tty_describe(port_ops* port);
