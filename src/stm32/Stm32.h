// Client side of the STM32 USART boot-loader protocol over a port. Diagnostics go to standard
// error; results are small integer codes.
#pragma once

#include "stm32/ChipTable.h"
#include "stm32/Port.h"

#include <cstddef>
#include <cstdint>

enum stm32_result {
    STM32_OK = 0,
    STM32_FAIL = 1,
    STM32_NACK = 2,         // only from the ACK wait
    STM32_NOT_OFFERED = 3,  // the boot loader does not offer the command
};

constexpr uint8_t STM32_INIT = 0x7F;
constexpr uint8_t STM32_ACK = 0x79;
constexpr uint8_t STM32_NACK_BYTE = 0x1F;
constexpr uint8_t STM32_BUSY = 0x76;
constexpr uint8_t STM32_CMD_GVR = 0x01;
constexpr uint8_t STM32_CMD_GET = 0x00;
constexpr uint8_t STM32_CMD_NONE = 0xFF;
constexpr uint32_t STM32_MASS_ERASE = 0x100000;
constexpr size_t STM32_MAX_RW = 256;

// Opcodes the boot loader offers; 0xFF = not offered.
struct stm32_cmd {
    uint8_t get, gvr, gid, read_memory, go, write_memory, erase, write_protect, write_unprotect,
        readout_protect, readout_unprotect, crc;
};

struct stm32_conn {
    port_ops* port;  // not owned
    uint8_t bl_version;
    uint8_t version;
    uint8_t option1, option2;
    uint16_t pid;
    stm32_cmd* cmd;
    const stm32_chip_row* dev;
};

stm32_conn* stm32_connect(port_ops* port, int send_init);
void stm32_disconnect(stm32_conn* conn);

int stm32_send_command(const stm32_conn* conn, uint8_t opcode, unsigned timeout_s);
int stm32_await_ack(const stm32_conn* conn, unsigned timeout_s);
int stm32_sync_again(const stm32_conn* conn);
// Sends opcode and reads its length-prefixed reply (first byte = following bytes - 1) into buf,
// which holds at least STM32_REPLY_MAX bytes.
constexpr size_t STM32_REPLY_MAX = 257;
int stm32_command_reply(const stm32_conn* conn, uint8_t opcode, uint8_t* buf, unsigned expected_len);

int stm32_mem_read(const stm32_conn* conn, uint32_t address, uint8_t* data, size_t len);
int stm32_mem_write(const stm32_conn* conn, uint32_t address, const uint8_t* data, size_t len);
int stm32_mem_erase(const stm32_conn* conn, uint32_t first_page, uint32_t pages);
int stm32_write_unprotect(const stm32_conn* conn);
int stm32_write_protect(const stm32_conn* conn);
int stm32_readout_unprotect(const stm32_conn* conn);
int stm32_readout_protect(const stm32_conn* conn);
int stm32_jump_to(const stm32_conn* conn, uint32_t address);
int stm32_run_ram_stub(const stm32_conn* conn, uint32_t target, const uint8_t code[16]);
int stm32_reset_chip(const stm32_conn* conn);
int stm32_mem_crc_cmd(const stm32_conn* conn, uint32_t address, uint32_t len, uint32_t* crc);
uint32_t stm32_crc32_words(uint32_t crc, const uint8_t* buf, size_t len);
int stm32_mem_crc(const stm32_conn* conn, uint32_t address, uint32_t len, uint32_t* crc);
void stm32_stretch_hint(const char* operation);

// The two reset stubs run from RAM (16 bytes each).
extern const uint8_t stm32_system_reset_stub[16];
extern const uint8_t stm32_option_reload_stub[16];

// Flash pages of the connection's chip up to addr.
uint32_t flash_pages_below(const stm32_conn* conn, uint32_t addr);

// Byte order: the hosts served are little-endian.
bool stm32_host_is_le();
uint32_t stm32_le32(uint32_t v);
uint32_t stm32_be32(uint32_t v);
