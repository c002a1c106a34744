// The boot-loader program's command line: its settings, their defaults, the checks and the
// usage text. Messages go to the platform log, one log line per message.
#pragma once

#include <cstdint>

#include "stm32/Port.h"

enum bl_action {
    ACT_NONE = 0,
    ACT_READ = 1,
    ACT_WRITE = 2,
    ACT_WRITE_UNPROTECT = 3,
    ACT_READ_PROTECT = 4,
    ACT_READ_UNPROTECT = 5,
    ACT_ERASE_ONLY = 6,
    ACT_CRC = 7,
};

struct bl_settings {
    port_settings port;
    int action = ACT_NONE;
    const char* filename = nullptr;
    bool verify = false;
    uint32_t retry = 10;
    bool exec_flag = false;
    uint32_t execute = 0;
    bool init_flag = true;
    bool force_binary = false;
    bool reset_flag = false;
    uint32_t spage = 0;
    uint32_t npages = 0;
    bool no_erase = false;
    uint32_t start_addr = 0;
    uint32_t readwrite_len = 0;
    const char* gpio_seq = nullptr;
};

// The action's name in conflict messages; "" outside 1 to 7.
const char* bl_action_name(int action);

// Fills settings from the arguments (defaults first). 0 when complete, 1 on any error, its
// message logged. -h logs the usage and ends the process with status 0.
int bl_read_options(int argc, char* argv[], bl_settings* settings);

void bl_second_action_error(int chosen_action, int new_action);
void bl_print_usage(const char* program);

// The log line of a printf-style message; a trailing line end is dropped (the log adds one).
void bl_log(const char* format, ...) __attribute__((format(printf, 1, 2)));
