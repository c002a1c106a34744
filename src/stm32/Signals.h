// GPIO sequences on the port's RTS, DTR and break lines that put the chip into its boot loader
// and out again. Text form: entry[:exit], steps like "-dtr,rts".
#pragma once

#include "stm32/Port.h"

#include <cstddef>

struct stm32_conn;

// 1 success, 0 failure.
int signal_entry_sequence(port_ops* port, const char* gpio);
int signal_exit_sequence(stm32_conn* conn, port_ops* port, const char* gpio);
int run_signal_sequence(port_ops* port, const char* seq, size_t len);
