#include "stm32/Signals.h"

#include "platform/Clock.h"
#include "stm32/Stm32.h"

#include <cstdio>
#include <cstring>

namespace {

struct named_line {
    const char* name;
    int line;
};
constexpr named_line lines[] = {{"rts", GPIO_RTS}, {"dtr", GPIO_DTR}, {"brk", GPIO_BRK}};

int fail_after_pause() {
    platform::sleepMs(500);
    return 0;
}

}  // namespace

int run_signal_sequence(port_ops* port, const char* seq, size_t len) {
    size_t i = 0;
    for (;;) {
        if (i >= len || seq[i] == '\0') {
            platform::sleepMs(500);
            return 1;
        }
        int level = 1;
        if (seq[i] == '-') {
            level = 0;
            ++i;
        }

        bool numbered = false;
        int line = 0;
        if (i < len && seq[i] >= '0' && seq[i] <= '9') {
            numbered = true;
            while (i < len && seq[i] >= '0' && seq[i] <= '9') {
                if (line < 100000) line = line * 10 + (seq[i] - '0');
                ++i;
            }
        } else {
            for (const named_line& n : lines) {
                if (len - i >= 3 && strncmp(seq + i, n.name, 3) == 0) {
                    line = n.line;
                    break;
                }
            }
            if (line == 0) {
                // At the end of the text, name the last character read (a lone '-').
                char c = i < len && seq[i] != '\0' ? seq[i] : seq[i - 1];
                fprintf(stderr, "Character '%c' is not a digit\n", c);
                return fail_after_pause();
            }
            i += 3;
        }

        if (i < len && seq[i] != '\0') {
            if (seq[i] != ',') {
                fprintf(stderr, "Character '%c' is not a separator\n", seq[i]);
                return fail_after_pause();
            }
            ++i;
        }

        if (numbered) {
            fprintf(stderr, "GPIO control only available in Linux\n");
            platform::sleepMs(100);
            return fail_after_pause();
        }
        if (!port->gpio || port->gpio(port, line, level) != PORT_ERR_OK) return fail_after_pause();
        platform::sleepMs(100);
    }
}

int signal_entry_sequence(port_ops* port, const char* gpio) {
    if (!gpio || gpio[0] == ':' || gpio[0] == '\0') return 1;
    const char* colon = strchr(gpio, ':');
    size_t len = colon ? size_t(colon - gpio) : strlen(gpio);
    return run_signal_sequence(port, gpio, len);
}

int signal_exit_sequence(stm32_conn* conn, port_ops* port, const char* gpio) {
    const char* colon = gpio ? strchr(gpio, ':') : nullptr;
    if (colon) {
        if (colon[1] == '\0') return 1;
        return run_signal_sequence(port, colon + 1, strlen(colon + 1));
    }
    // No exit sequence: leave through the boot loader, which needs a connection.
    if (!conn) {
        fprintf(stderr, "Cannot reset the device: no boot-loader connection\n");
        return 0;
    }
    return stm32_reset_chip(conn) == STM32_OK ? 1 : 0;
}
