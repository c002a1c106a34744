#include "stm32/Stm32.h"

#include "platform/Clock.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Which slot each opcode of the GET reply is filed in; the highest listed opcode of a slot wins.
struct opcode_slot {
    uint8_t opcode;
    uint8_t stm32_cmd::*slot;
};
constexpr opcode_slot classification[] = {
    {0x00, &stm32_cmd::get},
    {0x01, &stm32_cmd::gvr},
    {0x02, &stm32_cmd::gid},
    {0x11, &stm32_cmd::read_memory},
    {0x21, &stm32_cmd::go},
    {0x31, &stm32_cmd::write_memory},
    {0x32, &stm32_cmd::write_memory},
    {0x43, &stm32_cmd::erase},
    {0x44, &stm32_cmd::erase},
    {0x45, &stm32_cmd::erase},
    {0x63, &stm32_cmd::write_protect},
    {0x64, &stm32_cmd::write_protect},
    {0x73, &stm32_cmd::write_unprotect},
    {0x74, &stm32_cmd::write_unprotect},
    {0x82, &stm32_cmd::readout_protect},
    {0x83, &stm32_cmd::readout_protect},
    {0x92, &stm32_cmd::readout_unprotect},
    {0x93, &stm32_cmd::readout_unprotect},
    {0xA1, &stm32_cmd::crc},
};

bool file_opcode(stm32_cmd* cmd, uint8_t opcode) {
    for (const opcode_slot& c : classification) {
        if (c.opcode != opcode) continue;
        uint8_t& slot = cmd->*c.slot;
        if (slot == STM32_CMD_NONE || opcode > slot) slot = opcode;
        return true;
    }
    return false;
}

// The four protection changes differ only in these columns.
struct protection_change {
    uint8_t stm32_cmd::*slot;
    const char* not_offered;
    const char* failed;
    const char* hint_name;
    unsigned second_ack_s;
    uint8_t no_stretch_opcode;
};
constexpr protection_change write_unprotect_row = {
    &stm32_cmd::write_unprotect, "Error: WRITE UNPROTECT command not implemented in bootloader.\n",
    "Error: Failed to WRITE UNPROTECT\n", "WRITE UNPROTECT", 1, 0x74};
constexpr protection_change write_protect_row = {
    &stm32_cmd::write_protect, "Error: WRITE PROTECT command not implemented in bootloader.\n",
    "Error: Failed to WRITE PROTECT\n", "WRITE PROTECT", 1, 0x64};
constexpr protection_change readout_unprotect_row = {
    &stm32_cmd::readout_unprotect, "Error: READOUT UNPROTECT command not implemented in bootloader.\n",
    "Error: Failed to READOUT UNPROTECT\n", "READOUT UNPROTECT", 35, 0x93};
constexpr protection_change readout_protect_row = {
    &stm32_cmd::readout_protect, "Error: READOUT PROTECT command not implemented in bootloader.\n",
    "Error: Failed to READOUT PROTECT\n", "READOUT PROTECT", 1, 0x83};

constexpr uint32_t stub_stack_pointer = 0x20002000;
constexpr size_t stub_size = 24;
constexpr int64_t sync_limit_ms = 35000;

bool stretches(const stm32_conn* conn) { return conn->port->flags & PORT_CLOCK_STRETCH; }

int port_write(const stm32_conn* conn, const uint8_t* buf, size_t len) {
    return conn->port->write(conn->port, buf, len);
}

int port_read(const stm32_conn* conn, uint8_t* buf, size_t len) {
    return conn->port->read(conn->port, buf, len);
}

int send_address(const stm32_conn* conn, uint32_t address) {
    uint8_t frame[5] = {uint8_t(address >> 24), uint8_t(address >> 16), uint8_t(address >> 8), uint8_t(address), 0};
    frame[4] = frame[0] ^ frame[1] ^ frame[2] ^ frame[3];
    if (port_write(conn, frame, sizeof frame) != PORT_ERR_OK) return STM32_FAIL;
    return stm32_await_ack(conn, 0) == STM32_OK ? STM32_OK : STM32_FAIL;
}

// A range that wraps past the 32-bit address space would read or write the wrong memory.
bool range_wraps(uint32_t address, uint64_t len) {
    if (len == 0 || uint64_t(address) + len - 1 <= 0xFFFFFFFFull) return false;
    fprintf(stderr, "Error: address range 0x%08x + %llu passes 0xFFFFFFFF\n", address, (unsigned long long)len);
    return true;
}

// The reply of a length-prefixed command; *got is the number of bytes read into buf, so that
// no walk over the reply goes past them.
int command_reply(const stm32_conn* conn, uint8_t opcode, uint8_t* buf, unsigned expected, size_t* got) {
    *got = 0;
    if (stm32_send_command(conn, opcode, 0) != STM32_OK) return STM32_FAIL;
    if (conn->port->flags & PORT_BYTE_ORIENTED) {
        if (port_read(conn, buf, 1) != PORT_ERR_OK) return STM32_FAIL;
        size_t rest = size_t(buf[0]) + 1;
        if (port_read(conn, buf + 1, rest) != PORT_ERR_OK) return STM32_FAIL;
        *got = rest + 1;
        return STM32_OK;
    }
    expected = std::min(expected, 255u);
    int count;
    if (port_read(conn, buf, expected + 2) != PORT_ERR_OK) {
        if (stm32_sync_again(conn) != STM32_OK) return STM32_FAIL;
        if (stm32_send_command(conn, opcode, 0) != STM32_OK) return STM32_FAIL;
        if (port_read(conn, buf, 1) != PORT_ERR_OK) return STM32_FAIL;
        count = buf[0];
    } else if (buf[0] == expected) {
        *got = expected + 2;
        return STM32_OK;
    } else {
        count = buf[0];
    }
    fprintf(stderr, "Re sync (len = %d)\n", count);
    if (stm32_sync_again(conn) != STM32_OK) return STM32_FAIL;
    if (stm32_send_command(conn, opcode, 0) != STM32_OK) return STM32_FAIL;
    if (port_read(conn, buf, size_t(count) + 2) != PORT_ERR_OK) return STM32_FAIL;
    *got = size_t(count) + 2;
    return STM32_OK;
}

int change_protection(const stm32_conn* conn, const protection_change& row) {
    uint8_t opcode = conn->cmd->*row.slot;
    if (opcode == STM32_CMD_NONE) {
        fputs(row.not_offered, stderr);
        return STM32_NOT_OFFERED;
    }
    if (stm32_send_command(conn, opcode, 0) != STM32_OK) return STM32_FAIL;
    int ret = stm32_await_ack(conn, row.second_ack_s);
    if (ret == STM32_OK) return STM32_OK;
    if (ret == STM32_NACK) {
        fputs(row.failed, stderr);
        return STM32_FAIL;
    }
    if (stretches(conn) && opcode != row.no_stretch_opcode) stm32_stretch_hint(row.hint_name);
    return STM32_FAIL;
}

void free_conn(stm32_conn* conn) {
    delete conn->cmd;
    delete conn;
}

stm32_conn* fail_connect(stm32_conn* conn) {
    free_conn(conn);
    return nullptr;
}

// Wakes the boot loader with 0x7F. False ends the connection.
bool send_init(stm32_conn* conn) {
    const uint8_t init = STM32_INIT;
    if (port_write(conn, &init, 1) != PORT_ERR_OK) {
        fprintf(stderr, "Failed to send init to device\n");
        return false;
    }
    uint8_t byte = 0;
    int ret = port_read(conn, &byte, 1);
    fprintf(stderr, "1.p_err(%d), byte(%02X).\n", ret, byte);
    if (ret == PORT_ERR_OK && byte == STM32_ACK) return true;
    fprintf(stderr, "2.p_err(%d), byte(%02X).\n", ret, byte);
    if (ret == PORT_ERR_OK && byte == STM32_NACK_BYTE) {
        fprintf(stderr, "Warning: the interface was not closed properly.\n");
        return true;
    }
    fprintf(stderr, "3.p_err(%d), byte(%02X).\n", ret, byte);
    if (ret != PORT_ERR_TIMEDOUT) {
        fprintf(stderr, "2. Failed to init device(%d).\n", 336);
        return false;
    }
    // The ACK may have been lost: a boot loader already awake answers a second 0x7F with NACK.
    if (port_write(conn, &init, 1) != PORT_ERR_OK) {
        fprintf(stderr, "Failed to send init to device\n");
        return false;
    }
    byte = 0;
    ret = port_read(conn, &byte, 1);
    fprintf(stderr, "p_err(%d), byte(%02X).\n", ret, byte);
    fprintf(stderr, "PORT_ERR_OK(%d), STM#@_NACK(%02X).\n", 0, STM32_NACK_BYTE);
    fprintf(stderr, "Failed to init device(%d).\n", 353);
    return ret == PORT_ERR_OK && byte == STM32_NACK_BYTE;
}

}  // namespace

const uint8_t stm32_system_reset_stub[16] = {0x01, 0x49, 0x02, 0x4A, 0x0A, 0x60, 0xFE, 0xE7,
                                             0x0C, 0xED, 0x00, 0xE0, 0x04, 0x00, 0xFA, 0x05};
const uint8_t stm32_option_reload_stub[16] = {0x01, 0x49, 0x02, 0x4A, 0x0A, 0x60, 0xFE, 0xE7,
                                              0x10, 0x20, 0x02, 0x40, 0x00, 0x20, 0x00, 0x00};

int stm32_await_ack(const stm32_conn* conn, unsigned timeout_s) {
    port_ops* port = conn->port;
    const int64_t retry_ms = (port->flags & PORT_RETRY) ? int64_t(timeout_s) * 1000 : 0;
    // Busy bytes extend the wait at most to the caller's time-out, so a device that only says
    // "busy" cannot hold the client forever.
    const int64_t busy_ms = int64_t(timeout_s ? timeout_s : 1) * 1000;
    const int64_t start = platform::nowMs();
    for (;;) {
        uint8_t byte = 0;
        int ret = port->read(port, &byte, 1);
        if (ret == PORT_ERR_TIMEDOUT && retry_ms > 0 && platform::nowMs() - start < retry_ms) continue;
        if (ret != PORT_ERR_OK) {
            fprintf(stderr, "Failed to read ACK byte\n");
            return STM32_FAIL;
        }
        if (byte == STM32_BUSY) {
            if (platform::nowMs() - start < busy_ms) continue;
            fprintf(stderr, "Failed to read ACK byte\n");
            return STM32_FAIL;
        }
        if (byte == STM32_NACK_BYTE) return STM32_NACK;
        if (byte == STM32_ACK) return STM32_OK;
        fprintf(stderr, "Got byte 0x%02x instead of ACK\n", byte);
        return STM32_FAIL;
    }
}

int stm32_send_command(const stm32_conn* conn, uint8_t opcode, unsigned timeout_s) {
    const uint8_t frame[2] = {opcode, uint8_t(~opcode)};
    if (port_write(conn, frame, 2) != PORT_ERR_OK) {
        fprintf(stderr, "Failed to send command\n");
        return STM32_FAIL;
    }
    int ret = stm32_await_ack(conn, timeout_s);
    if (ret == STM32_OK) return STM32_OK;
    if (ret == STM32_NACK) fprintf(stderr, "Got NACK from device on command 0x%02x\n", opcode);
    else fprintf(stderr, "Unexpected reply from device on command 0x%02x\n", opcode);
    return STM32_FAIL;
}

int stm32_sync_again(const stm32_conn* conn) {
    static constexpr uint8_t frame[2] = {0xFF, 0x00};
    const int64_t start = platform::nowMs();
    for (;;) {
        int r = port_write(conn, frame, 2);
        if (r == PORT_ERR_OK) {
            uint8_t byte = 0;
            r = port_read(conn, &byte, 1);
            if (r == PORT_ERR_OK && byte == STM32_NACK_BYTE) return STM32_OK;
        }
        // A port in error (an adapter pulled out, a closed device) will not come back within
        // the budget; only silence is worth waiting out.
        if (r == PORT_ERR_UNKNOWN) {
            fprintf(stderr, "The port failed: %s\n", strerror(errno));
            return STM32_FAIL;
        }
        if (r != PORT_ERR_OK) platform::sleepMs(500);
        if (platform::nowMs() - start >= sync_limit_ms) return STM32_FAIL;
    }
}

int stm32_command_reply(const stm32_conn* conn, uint8_t opcode, uint8_t* buf, unsigned expected_len) {
    size_t got = 0;
    return command_reply(conn, opcode, buf, expected_len, &got);
}

stm32_conn* stm32_connect(port_ops* port, int init) {
    auto* conn = new stm32_conn{};
    conn->port = port;
    conn->cmd = new stm32_cmd;
    memset(conn->cmd, STM32_CMD_NONE, sizeof *conn->cmd);

    if (init && (port->flags & PORT_NEEDS_INIT) && !send_init(conn)) return fail_connect(conn);

    if (stm32_send_command(conn, STM32_CMD_GVR, 0) != STM32_OK) {
        fprintf(stderr, "stm32_send_command Error !!");
        return fail_connect(conn);
    }
    uint8_t buf[STM32_REPLY_MAX] = {};
    const bool extra = port->flags & PORT_GVR_EXTRA;
    if (port_read(conn, buf, extra ? 3 : 1) != PORT_ERR_OK) return fail_connect(conn);
    conn->version = buf[0];
    conn->option1 = extra ? buf[1] : 0;
    conn->option2 = extra ? buf[2] : 0;
    if (stm32_await_ack(conn, 0) != STM32_OK) return fail_connect(conn);

    unsigned expected = 17;
    if (const uint8_t* pair = port->get_reply_lengths) {
        for (; pair[1] != 0; pair += 2) {
            if (pair[0] == conn->version) {
                expected = pair[1];
                break;
            }
        }
    }
    size_t got = 0;
    if (command_reply(conn, STM32_CMD_GET, buf, expected, &got) != STM32_OK) return fail_connect(conn);
    conn->bl_version = buf[1];
    const size_t opcodes = std::min<size_t>(buf[0], got - 2);
    bool unknown = false;
    for (size_t i = 0; i < opcodes; ++i) {
        uint8_t opcode = buf[2 + i];
        if (file_opcode(conn->cmd, opcode)) continue;
        fprintf(stderr, unknown ? ", 0x%2x" : "GET returns unknown commands (0x%2x", opcode);
        unknown = true;
    }
    if (unknown) fprintf(stderr, ")\n");
    if (stm32_await_ack(conn, 0) != STM32_OK) return fail_connect(conn);

    if (conn->cmd->get == STM32_CMD_NONE || conn->cmd->gvr == STM32_CMD_NONE || conn->cmd->gid == STM32_CMD_NONE) {
        fprintf(stderr, "Error: bootloader did not returned correct information from GET command\n");
        return fail_connect(conn);
    }

    if (command_reply(conn, conn->cmd->gid, buf, 1, &got) != STM32_OK) return fail_connect(conn);
    const int n = buf[0] + 1;
    if (n < 2 || got < 3) {
        fprintf(stderr, "Only %d bytes sent in the PID, unknown/unsupported device\n", n);
        return fail_connect(conn);
    }
    conn->pid = uint16_t(buf[1] << 8 | buf[2]);
    if (n > 2) {
        fprintf(stderr, "This bootloader returns %d extra bytes in PID:", n);
        for (size_t i = 2; i <= size_t(n) && i < got; ++i) fprintf(stderr, " %02x", buf[i]);
        fprintf(stderr, "\n");
    }
    if (stm32_await_ack(conn, 0) != STM32_OK) return fail_connect(conn);

    conn->dev = stm32_chip_lookup(conn->pid);
    if (!conn->dev) {
        fprintf(stderr, "Unknown/unsupported device (Device ID: 0x%03x)\n", conn->pid);
        return fail_connect(conn);
    }
    return conn;
}

void stm32_disconnect(stm32_conn* conn) {
    if (conn) free_conn(conn);
}

int stm32_mem_read(const stm32_conn* conn, uint32_t address, uint8_t* data, size_t len) {
    if (len == 0) return STM32_OK;
    if (len > STM32_MAX_RW) {
        fprintf(stderr, "Error: READ length limit at 256 bytes\n");
        return STM32_FAIL;
    }
    if (range_wraps(address, len)) return STM32_FAIL;
    if (conn->cmd->read_memory == STM32_CMD_NONE) {
        fprintf(stderr, "Error: READ command not implemented in bootloader.\n");
        return STM32_NOT_OFFERED;
    }
    if (stm32_send_command(conn, conn->cmd->read_memory, 0) != STM32_OK) return STM32_FAIL;
    if (send_address(conn, address) != STM32_OK) return STM32_FAIL;
    if (stm32_send_command(conn, uint8_t(len - 1), 0) != STM32_OK) return STM32_FAIL;
    if (port_read(conn, data, len) != PORT_ERR_OK) return STM32_FAIL;
    return STM32_OK;
}

int stm32_mem_write(const stm32_conn* conn, uint32_t address, const uint8_t* data, size_t len) {
    if (len == 0) return STM32_OK;
    if (len > STM32_MAX_RW) {
        fprintf(stderr, "Error: WRITE length limit at 256 bytes\n");
        return STM32_FAIL;
    }
    if (address % 4 != 0) {
        fprintf(stderr, "Error: WRITE address must be 4 byte aligned\n");
        return STM32_FAIL;
    }
    if (range_wraps(address, len)) return STM32_FAIL;
    const uint8_t opcode = conn->cmd->write_memory;
    if (opcode == STM32_CMD_NONE) {
        fprintf(stderr, "Error: WRITE command not implemented in bootloader.\n");
        return STM32_NOT_OFFERED;
    }
    if (stm32_send_command(conn, opcode, 0) != STM32_OK) return STM32_FAIL;
    if (send_address(conn, address) != STM32_OK) return STM32_FAIL;

    // The block is built apart so that the padding never reads past the caller's data.
    const size_t n = (len + 3) & ~size_t(3);
    uint8_t block[STM32_MAX_RW + 2];
    block[0] = uint8_t(n - 1);
    memcpy(block + 1, data, len);
    memset(block + 1 + len, 0xFF, n - len);
    uint8_t checksum = 0;
    for (size_t i = 0; i <= n; ++i) checksum ^= block[i];
    block[n + 1] = checksum;
    if (port_write(conn, block, n + 2) != PORT_ERR_OK) return STM32_FAIL;
    if (stm32_await_ack(conn, 1) == STM32_OK) return STM32_OK;
    if (stretches(conn) && opcode != 0x32) stm32_stretch_hint("write");
    return STM32_FAIL;
}

int stm32_write_unprotect(const stm32_conn* conn) { return change_protection(conn, write_unprotect_row); }
int stm32_write_protect(const stm32_conn* conn) { return change_protection(conn, write_protect_row); }
int stm32_readout_unprotect(const stm32_conn* conn) { return change_protection(conn, readout_unprotect_row); }
int stm32_readout_protect(const stm32_conn* conn) { return change_protection(conn, readout_protect_row); }

int stm32_mem_erase(const stm32_conn* conn, uint32_t first_page, uint32_t pages) {
    if (pages == 0) return STM32_OK;
    const bool mass = pages == STM32_MASS_ERASE;
    // Page numbers travel in 16 bits: a larger one would erase another page.
    if (first_page > 0xFFFF || (!mass && first_page + pages > 0xFFFF)) {
        fprintf(stderr, "Error: pages %u to %u are past the last page number 0xFFFF\n", first_page,
                first_page + pages - 1);
        return STM32_FAIL;
    }
    const uint8_t opcode = conn->cmd->erase;
    if (opcode == STM32_CMD_NONE) {
        fprintf(stderr, "Error: ERASE command not implemented in bootloader.\n");
        return STM32_NOT_OFFERED;
    }

    if (mass && conn->dev && (conn->dev->flags & CHIP_NO_MASS_ERASE)) {
        const uint32_t total = flash_pages_below(conn->dev, conn->dev->flash_end);
        pages = total > first_page ? total - first_page : 0;
        if (pages == 0) return STM32_OK;
    } else if (mass) {
        if (stm32_send_command(conn, opcode, 0) != STM32_OK) {
            fprintf(stderr, "Can't initiate chip mass erase!\n");
            return STM32_FAIL;
        }
        if (opcode == 0x43) {
            if (stm32_send_command(conn, 0xFF, 35) == STM32_OK) return STM32_OK;
            if (stretches(conn)) stm32_stretch_hint("mass erase");
            return STM32_FAIL;
        }
        static constexpr uint8_t all[3] = {0xFF, 0xFF, 0x00};
        if (port_write(conn, all, 3) != PORT_ERR_OK) {
            fprintf(stderr, "Mass erase error.\n");
            return STM32_FAIL;
        }
        if (stm32_await_ack(conn, 35) == STM32_OK) return STM32_OK;
        fprintf(stderr, "Mass erase failed. Try specifying the number of pages to be erased.\n");
        if (stretches(conn) && opcode != 0x45) stm32_stretch_hint("mass erase");
        return STM32_FAIL;
    }

    // The one-byte list carries 8-bit page numbers, and a count byte of 0xFF is the mass-erase
    // code: a list of 256 pages from page 0 would be sent as 0xFF 0x00 and erase the whole chip.
    const bool one_byte = opcode == 0x43;
    if (one_byte && first_page + pages - 1 > 0xFF) {
        fprintf(stderr, "Error: pages %u to %u are past the last page number 255 of this boot loader's erase\n",
                first_page, first_page + pages - 1);
        return STM32_FAIL;
    }
    const uint32_t chunk_max = one_byte ? 255 : 512;
    uint8_t list[2 + 2 * 512 + 1];
    while (pages > 0) {
        const uint32_t chunk = std::min(pages, chunk_max);
        if (stm32_send_command(conn, opcode, 0) != STM32_OK) {
            fprintf(stderr, "Can't initiate chip mass erase!\n");
            return STM32_FAIL;
        }
        size_t len = 0;
        if (one_byte) {
            list[len++] = uint8_t(chunk - 1);
            for (uint32_t i = 0; i < chunk; ++i) list[len++] = uint8_t(first_page + i);
        } else {
            list[len++] = uint8_t((chunk - 1) >> 8);
            list[len++] = uint8_t(chunk - 1);
            for (uint32_t i = 0; i < chunk; ++i) {
                list[len++] = uint8_t((first_page + i) >> 8);
                list[len++] = uint8_t(first_page + i);
            }
        }
        uint8_t checksum = 0;
        for (size_t i = 0; i < len; ++i) checksum ^= list[i];
        list[len++] = checksum;
        if (port_write(conn, list, len) != PORT_ERR_OK) {
            fprintf(stderr, one_byte ? "Erase failed.\n" : "Page-by-page erase error.\n");
            return STM32_FAIL;
        }
        if (stm32_await_ack(conn, 5 * chunk) != STM32_OK) {
            if (!one_byte)
                fprintf(stderr, "Page-by-page erase failed. Check the maximum pages your device supports.\n");
            if (stretches(conn) && opcode != 0x45) stm32_stretch_hint("erase");
            return STM32_FAIL;
        }
        first_page += chunk;
        pages -= chunk;
    }
    return STM32_OK;
}

int stm32_jump_to(const stm32_conn* conn, uint32_t address) {
    if (conn->cmd->go == STM32_CMD_NONE) {
        fprintf(stderr, "Error: GO command not implemented in bootloader.\n");
        return STM32_NOT_OFFERED;
    }
    if (stm32_send_command(conn, conn->cmd->go, 0) != STM32_OK) return STM32_FAIL;
    return send_address(conn, address);
}

int stm32_run_ram_stub(const stm32_conn* conn, uint32_t target, const uint8_t code[16]) {
    if (target % 4 != 0) {
        fprintf(stderr, "Error: code address must be 4 byte aligned\n");
        return STM32_FAIL;
    }
    if (conn->dev && (target < conn->dev->ram_start || uint64_t(target) + stub_size > conn->dev->ram_end)) {
        fprintf(stderr, "Error: the %zu bytes of code at 0x%08x do not fit in the chip's RAM\n", stub_size, target);
        return STM32_FAIL;
    }
    uint8_t buf[stub_size];
    const uint32_t words[2] = {stub_stack_pointer, target + 9};
    for (int w = 0; w < 2; ++w)
        for (int b = 0; b < 4; ++b) buf[4 * w + b] = uint8_t(words[w] >> (8 * b));
    memcpy(buf + 8, code, 16);
    if (stm32_mem_write(conn, target, buf, sizeof buf) != STM32_OK) return STM32_FAIL;
    return stm32_jump_to(conn, target);
}

int stm32_reset_chip(const stm32_conn* conn) {
    const bool reload = conn->dev->flags & CHIP_OPTION_RELOAD;
    return stm32_run_ram_stub(conn, conn->dev->ram_start, reload ? stm32_option_reload_stub : stm32_system_reset_stub);
}

uint32_t stm32_crc32_words(uint32_t crc, const uint8_t* buf, size_t len) {
    if (len % 4 != 0) {
        fprintf(stderr, "Buffer length must be multiple of 4 bytes\n");
        return 0;
    }
    for (size_t i = 0; i < len; i += 4) {
        crc ^= uint32_t(buf[i]) | uint32_t(buf[i + 1]) << 8 | uint32_t(buf[i + 2]) << 16 | uint32_t(buf[i + 3]) << 24;
        for (int bit = 0; bit < 32; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

int stm32_mem_crc_cmd(const stm32_conn* conn, uint32_t address, uint32_t len, uint32_t* crc) {
    if (conn->cmd->crc == STM32_CMD_NONE) {
        fprintf(stderr, "Error: CRC command not implemented in bootloader.\n");
        return STM32_NOT_OFFERED;
    }
    if (address % 4 != 0 || len % 4 != 0) {
        fprintf(stderr, "Start and end addresses must be 4 byte aligned\n");
        return STM32_FAIL;
    }
    if (range_wraps(address, len)) return STM32_FAIL;
    if (stm32_send_command(conn, conn->cmd->crc, 0) != STM32_OK) return STM32_FAIL;
    if (send_address(conn, address) != STM32_OK) return STM32_FAIL;
    if (send_address(conn, len) != STM32_OK) return STM32_FAIL;
    if (stm32_await_ack(conn, 0) != STM32_OK) return STM32_FAIL;
    uint8_t reply[5];
    if (port_read(conn, reply, 5) != PORT_ERR_OK) return STM32_FAIL;
    if ((reply[0] ^ reply[1] ^ reply[2] ^ reply[3]) != reply[4]) {
        fprintf(stderr, "Error: CRC reply fails its check byte\n");
        return STM32_FAIL;
    }
    *crc = uint32_t(reply[0]) << 24 | uint32_t(reply[1]) << 16 | uint32_t(reply[2]) << 8 | reply[3];
    return STM32_OK;
}

int stm32_mem_crc(const stm32_conn* conn, uint32_t address, uint32_t len, uint32_t* crc) {
    if (address % 4 != 0 || len % 4 != 0) {
        fprintf(stderr, "Start and end addresses must be 4 byte aligned\n");
        return STM32_FAIL;
    }
    if (conn->cmd->crc != STM32_CMD_NONE) return stm32_mem_crc_cmd(conn, address, len, crc);
    if (range_wraps(address, len)) return STM32_FAIL;

    uint32_t value = 0xFFFFFFFF;
    const uint64_t start = address, end = uint64_t(address) + len;
    for (uint64_t at = start; at < end;) {
        const size_t chunk = size_t(std::min<uint64_t>(STM32_MAX_RW, end - at));
        uint8_t buf[STM32_MAX_RW];
        if (stm32_mem_read(conn, uint32_t(at), buf, chunk) != STM32_OK) {
            fprintf(stderr, "Failed to read memory at address 0x%08x, target write-protected?\n", uint32_t(at));
            return STM32_FAIL;
        }
        value = stm32_crc32_words(value, buf, chunk);
        at += chunk;
        fprintf(stderr, "\rCRC address 0x%08x (%.2f%%) ", uint32_t(at), double(at - start) * 100.0 / double(len));
        fflush(stderr);
    }
    fprintf(stderr, "Done.\n");
    *crc = value;
    return STM32_OK;
}

void stm32_stretch_hint(const char* operation) {
    fprintf(stderr, "Attention !!!\n");
    fprintf(stderr, "\tThis %s error could be caused by your I2C\n", operation);
    fprintf(stderr, "\tcontroller not accepting \"clock stretching\"\n");
    fprintf(stderr, "\tas required by bootloader.\n");
    fprintf(stderr, "\tCheck that your I2C controller and its driver support clock stretching.\n");
}

uint32_t flash_pages_below(const stm32_conn* conn, uint32_t addr) { return flash_pages_below(conn->dev, addr); }

bool stm32_host_is_le() {
    const uint16_t probe = 1;
    uint8_t first;
    memcpy(&first, &probe, 1);
    return first == 1;
}

uint32_t stm32_le32(uint32_t v) { return stm32_host_is_le() ? v : __builtin_bswap32(v); }
uint32_t stm32_be32(uint32_t v) { return stm32_host_is_le() ? __builtin_bswap32(v) : v; }
