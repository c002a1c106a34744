// The boot-loader program's flow over parsed settings: open the port, enter the boot loader,
// connect, show the chip, run the action, go or leave, close. Messages go to the platform log
// (standard error), so standard output carries only the data of a read to "-".
#pragma once

#include "stm32/BootOptions.h"

// 0 when everything asked for succeeded, else 1. SIGINT and SIGTERM end it early with 1,
// after it has freed the connection, removed its temporary file and closed the port.
int bl_run(const bl_settings& settings);

// The program's whole life: options, then the flow.
int bl_main(int argc, char* argv[]);
