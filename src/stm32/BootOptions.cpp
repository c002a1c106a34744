// Command-line options of the boot-loader program over the C library's getopt.
#include "stm32/BootOptions.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/Log.h"

namespace {

const char* const kActionNames[] = {"",          "memory read",    "memory write", "write unprotect",
                                    "read protect", "read unprotect", "flash erase",  "memory crc"};

const char kPageRangeConflict[] =
    "ERROR: Invalid options, can't specify start page / num pages and start address/length\n";

std::string vformat(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) return {};
    std::string out(size_t(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(size_t(n));
    return out;
}

// A whole unsigned number in the automatic base, fitting in 32 bits: no sign, space or suffix.
bool parseU32(const char* text, uint32_t* out) {
    if (!text || !(text[0] >= '0' && text[0] <= '9')) return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text, &end, 0);
    if (errno || *end != '\0' || v > 0xFFFFFFFFull) return false;
    *out = uint32_t(v);
    return true;
}

// -F takes signed values so that a negative one gets its own message.
bool parseI32(const char* text, int32_t* out) {
    const char* digits = text[0] == '-' ? text + 1 : text;
    uint32_t magnitude = 0;
    if (!parseU32(digits, &magnitude)) return false;
    if (digits != text) {
        if (magnitude > 0x80000000u) return false;
        *out = int32_t(-int64_t(magnitude));
    } else {
        *out = int32_t(magnitude);  // 0x80000000 and above read as negative
    }
    return true;
}

bool numberOption(char letter, const char* text, uint32_t* out) {
    if (parseU32(text, out)) return true;
    bl_log("ERROR: Invalid number \"%s\" for option -%c\n", text ? text : "", letter);
    return false;
}

bool chooseAction(bl_settings* s, int action) {
    if (s->action != ACT_NONE) {
        bl_second_action_error(s->action, action);
        return false;
    }
    s->action = action;
    return true;
}

bool fileAction(bl_settings* s, int action, const char* name) {
    if (!chooseAction(s, action)) return false;
    s->filename = name;
    if (name[0] == '-') s->force_binary = true;
    return true;
}

bool frameOption(bl_settings* s, const char* text) {
    std::string rxText = text, txText;
    size_t colon = rxText.find(':');
    if (colon != std::string::npos) {
        txText = rxText.substr(colon + 1);
        rxText.resize(colon);
    }
    int32_t rx = 0, tx = int32_t(s->port.tx_frame_max);
    if (!parseI32(rxText.c_str(), &rx) || (colon != std::string::npos && !parseI32(txText.c_str(), &tx))) {
        bl_log("ERROR: Invalid number \"%s\" for option -F\n", text);
        return false;
    }
    if (rx < 0 || tx < 0) {
        bl_log("ERROR: Invalid negative value for option -F\n");
        return false;
    }
    if (rx == 0) rx = 256;
    if (tx == 0) tx = 258;
    if (rx < 20 || tx < 6) {
        bl_log("ERROR: current code cannot work with small frames.\n");
        bl_log("min(RX) = 20, min(TX) = 6\n");
        return false;
    }
    if (rx >= 257) {
        bl_log("WARNING: Ignore RX length in option -F\n");
        rx = 256;
    }
    if (tx >= 259) {
        bl_log("WARNING: Ignore TX length in option -F\n");
        tx = 258;
    }
    s->port.rx_frame_max = uint32_t(rx);
    s->port.tx_frame_max = uint32_t(tx);
    return true;
}

bool rangeOption(bl_settings* s, const char* text) {
    if (s->spage || s->npages) {
        bl_log("%s", kPageRangeConflict);
        return false;
    }
    std::string addrText = text;
    size_t colon = addrText.find(':');
    uint32_t length = 0;
    if (colon != std::string::npos) {
        if (!numberOption('S', addrText.c_str() + colon + 1, &length)) return false;
        addrText.resize(colon);
    }
    uint32_t address = 0;
    if (!numberOption('S', addrText.c_str(), &address)) return false;
    if (colon != std::string::npos) {
        if (length == 0) {
            bl_log("ERROR: Invalid options, can't specify zero length\n");
            return false;
        }
        if (uint64_t(address) + length > 0x100000000ull) {
            bl_log("ERROR: Invalid options, the range 0x%08x:0x%x passes the end of the address space\n", address,
                   length);
            return false;
        }
        s->readwrite_len = length;
    }
    s->start_addr = address;
    return true;
}

bool baudOption(bl_settings* s, const char* text) {
    uint32_t rate = 0;
    int code = parseU32(text, &rate) ? baud_code_of(rate) : BAUD_INVALID;
    if (code == BAUD_INVALID) {
        bl_log("Invalid baud rate, valid options are:\n");
        for (int i = 0; i < BAUD_INVALID; ++i) bl_log(" %d\n", int(baud_rate_of(i)));
        return false;
    }
    s->port.baud = code;
    return true;
}

bool modeOption(bl_settings* s, const char* text) {
    if (std::strlen(text) != 3 || data_bits_code_of(text) >= 4 || parity_code_of(text) >= 3 ||
        stop_bits_code_of(text) >= 2) {
        bl_log("Invalid serial mode\n");
        return false;
    }
    s->port.serial_mode = text;
    return true;
}

// One option; false after its message.
bool applyOption(bl_settings* s, int c, const char* arg, const char* program) {
    switch (c) {
    case 'a':
        return numberOption('a', arg, &s->port.bus_addr);
    case 'b':
        return baudOption(s, arg);
    case 'm':
        return modeOption(s, arg);
    case 'r':
        return fileAction(s, ACT_READ, arg);
    case 'w':
        return fileAction(s, ACT_WRITE, arg);
    case 'e': {
        if (s->start_addr || s->readwrite_len) {
            bl_log("%s", kPageRangeConflict);
            return false;
        }
        uint32_t n = 0;
        if (!numberOption('e', arg, &n)) return false;
        if (n >= 256) {
            bl_log("ERROR: You need to specify a page count between 0 and 255");
            return false;
        }
        s->npages = n;
        if (n == 0) s->no_erase = true;
        return true;
    }
    case 'v':
        s->verify = true;
        return true;
    case 'n':
        return numberOption('n', arg, &s->retry);
    case 'g':
        if (!numberOption('g', arg, &s->execute)) return false;
        if (s->execute % 4) {
            bl_log("ERROR: Execution address must be word-aligned\n");
            return false;
        }
        s->exec_flag = true;
        return true;
    case 'j':
        return chooseAction(s, ACT_READ_PROTECT);
    case 'k':
        return chooseAction(s, ACT_READ_UNPROTECT);
    case 'f':
        s->force_binary = true;
        return true;
    case 'c':
        s->init_flag = false;
        return true;
    case 'C':
        return chooseAction(s, ACT_CRC);
    case 'h':
        bl_print_usage(program);
        std::exit(0);
    case 'u':
        return chooseAction(s, ACT_WRITE_UNPROTECT);
    case 'o':
        return chooseAction(s, ACT_ERASE_ONLY);
    case 's':
        if (s->start_addr || s->readwrite_len) {
            bl_log("%s", kPageRangeConflict);
            return false;
        }
        return numberOption('s', arg, &s->spage);
    case 'S':
        return rangeOption(s, arg);
    case 'F':
        return frameOption(s, arg);
    case 'i':
        s->gpio_seq = arg;
        return true;
    case 'R':
        s->reset_flag = true;
        return true;
    default:  // letters outside the option string, or a value missing
        return true;
    }
}

}  // namespace

void bl_log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string line = vformat(format, args);
    va_end(args);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    platform::logLine(line);
}

const char* bl_action_name(int action) {
    return action >= 1 && action <= 7 ? kActionNames[action] : "";
}

void bl_second_action_error(int chosen_action, int new_action) {
    bl_log("ERROR: Invalid options !\n\tCan't execute \"%s\" and \"%s\" at the same time.\n",
           bl_action_name(chosen_action), bl_action_name(new_action));
}

int bl_read_options(int argc, char* argv[], bl_settings* s) {
    *s = bl_settings{};
    const char* program = argc > 0 ? argv[0] : "velmar-stm32-boot";
    opterr = 0;
    optind = 0;  // full re-initialisation, so the parser can run more than once
    for (int c; (c = getopt(argc, argv, "a:b:m:r:w:e:vn:g:jkfcChuos:S:F:i:R")) != -1;) {
        if (!applyOption(s, c, optarg, program)) return 1;
    }
    for (int i = optind; i < argc; ++i) {
        bl_log("---------------%d.argv[c] = [%s]", i, argv[i]);
        if (s->port.device) {
            bl_log("ERROR: Invalid parameter specified\n");
            return 1;
        }
        s->port.device = argv[i];
    }
    if (!s->port.device) {
        bl_log("ERROR: Device not specified\n");
        bl_print_usage(program);
        return 1;
    }
    if (s->verify && s->action != ACT_WRITE) {
        bl_log("ERROR: Invalid usage, -v is only valid when writing\n");
        bl_print_usage(program);
        return 1;
    }
    return 0;
}

void bl_print_usage(const char* program) {
    const char* p = program;
    bl_log("Usage: %s [-bvngfhc] [-[rw] filename] [tty_device | i2c_device]\n"
           "\t-a bus_address\tI2C address of the chip (for example 0x39)\n"
           "\t-b rate\t\tLine speed in baud (default 115200)\n"
           "\t-m mode\t\tData bits, parity and stop bits (default 8e1)\n"
           "\t-r filename\tRead memory into the file (\"-\": standard output)\n"
           "\t-w filename\tWrite the file into memory (\"-\": standard input)\n"
           "\t-C\t\tCompute the CRC-32 of memory\n"
           "\t-u\t\tLift the flash write protection\n"
           "\t-j\t\tSet the read-out protection\n"
           "\t-k\t\tLift the read-out protection (the chip clears its flash)\n"
           "\t-o\t\tErase, nothing else\n"
           "\t-e n\t\tErase only n pages, from page -s (0: erase nothing)\n"
           "\t-v\t\tRead each written block back and compare it\n"
           "\t-n count\tAttempts per written block (default 10)\n"
           "\t-g address\tRun the code at this word-aligned address at the end\n"
           "\t-S address[:length]\tWhere a read, write or erase starts, and how far it goes\n"
           "\t-F rx[:tx]\tLargest frame received and sent (I2C)\n"
           "\t-s page\t\tFirst page to erase (default 0)\n"
           "\t-f\t\tTake the file as raw binary, whatever its name\n"
           "\t-h\t\tShow this text and stop\n"
           "\t-c\t\tSend no INIT byte: go on talking to a boot loader that\n"
           "\t\t\ta previous run already woke up and left waiting, for\n"
           "\t\t\texample after the port was closed and opened again\n"
           "\t-i sequence\tLines to pulse on the way in and out: entry[:exit]\n"
           "\t\t\teach part a comma list of rts, dtr or brk; a '-' before\n"
           "\t\t\ta name drives it low (for example -rts,dtr:rts)\n"
           "\t-R\t\tReset the chip at the end\n"
           "Examples:\n"
           "\tChip details:\n"
           "\t\t%s /dev/ttyUSB0\n"
           "\t  on an I2C bus:\n"
           "\t\t%s -a 0x39 /dev/i2c-0\n"
           "\tWrite with verify, then run from address 0:\n"
           "\t\t%s -w app.bin -v -g 0x0 /dev/ttyUSB0\n"
           "\tSave the flash to a file:\n"
           "\t\t%s -r saved.bin /dev/ttyUSB0\n"
           "\tPrint 100 bytes from 0x1000 on standard output:\n"
           "\t\t%s -r - -S 0x1000:100 /dev/ttyUSB0\n"
           "\tRun the code at the flash start:\n"
           "\t\t%s -g 0x08000000 /dev/ttyUSB0\n"
           "\tEnter with RTS low and DTR high, leave by raising RTS:\n"
           "\t\t%s -i -rts,dtr:rts /dev/ttyUSB0\n",
           p, p, p, p, p, p, p, p);
}
