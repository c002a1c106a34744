// The CSR BlueCore channel over USB: finding and claiming a CSR headset (libusb-1.0 in normal mode,
// the libusb 0.1 API in firmware-management mode), BCCMD requests carried in HCI vendor commands
// with their replies read from the HCI event endpoint, and the persistent-store (PS) keys built on
// them. C-style functions over process-wide state, used by one worker at a time: 0 or a positive
// value is success, a negative value failure; the open routines write a NUL-terminated English
// message into the caller's buffer of CSR_MESSAGE_SIZE bytes.
#pragma once

#include <cstdint>

extern "C" {

enum {
    CSR_MESSAGE_SIZE = 256,
    // The longest PS key one BCCMD frame carries: 6 bytes of key, length and store, then the
    // words, within the 240-byte payload. Value buffers of csr_read_pskey hold this many words.
    CSR_PSKEY_MAX_WORDS = 117,
};

// PS keys that the channel itself reads and writes.
enum {
    CSR_PSKEY_BDADDR = 0x0001,
    CSR_PSKEY_DEVICE_NAME = 0x0108,
    CSR_PSKEY_LEGACY_VERSION = 0x0293,
    CSR_PSKEY_PRODUCT_ID = 0x02A3,
    CSR_PSKEY_FIRMWARE_VERSION = 0x02A4,
};

// Number of headsets opened in normal mode (0-2).
int csr_usb_device_count(void);
// Makes slot n the target of BCCMD requests: 1; 0 (nothing changes) for a slot that is not open.
int csr_usb_select_device(int n);

// Mode 0 (normal, libusb-1.0): opens the first headset of the USB id table, and for the 0x5310
// family a second one; 0 on success, -1 none, -3/-4 claim failed, -5 second device of another
// family. Any other mode (firmware management, libusb 0.1): 0 opened and claimed, 1 none, 2 open
// failed, 3 claim failed. product_ids receives the ids found (two entries).
int csr_usb_open(uint32_t product_ids[2], char* message, int mode);
// Repeats csr_usb_open one second apart while failures cost less than `budget` (1 for "no
// device", 2 for open and claim failures); returns the last result.
int csr_usb_open_retry(uint32_t product_ids[2], char* message, int budget, int mode);
// Releases interface 0 of every device opened in normal mode and closes it.
void csr_usb_close_all(void);
// Releases interface 0 of the firmware-management handle and closes it.
void csr_usb_compat_close(void);
// At shutdown: closes everything and ends libusb-1.0, which csr_usb_open starts on first use.
void csr_usb_exit(void);

// One BCCMD request (type 0 get, 2 set) on the selected slot; 0 with the reply's payload copied
// into `payload`, -1 with errno set on failure. `length` is at most 240 bytes.
int csr_bccmd_transaction(uint16_t type, uint16_t sequence, uint16_t varid, uint8_t* payload,
                          uint16_t length);
// A get or set request with the next sequence number.
int csr_bccmd_get(uint16_t varid, uint8_t* payload, uint16_t length);
int csr_bccmd_set(uint16_t varid, uint8_t* payload, uint16_t length);
// One read of the HCI event endpoint of the selected slot; bytes received (0 when none).
int csr_usb_interrupt_read(uint8_t* buffer, int length, int timeout_ms);

// Reads PS key `key` into `out` (room for CSR_PSKEY_MAX_WORDS words): 0 with the byte count in
// *out_bytes; -1 transfer failure; -5 key longer than a frame carries.
int csr_read_pskey(uint16_t key, uint8_t* out, uint16_t* out_bytes);
// The same, returning the byte count of the value (0 on failure).
uint16_t csr_read_pskey_len16(uint16_t key, uint8_t* out);
uint32_t csr_read_pskey_len32(uint16_t key, uint8_t* out);
// Writes `count` words to PS key `key`: 0, -1 on failure, -5 when longer than a frame carries.
int csr_write_pskey(uint16_t key, const uint16_t* words, uint16_t count);
// PS keys 0x0108 and 0x0001: bytes copied into `out`, 0 on failure.
int csr_read_device_name(uint8_t* out);
int csr_read_bdaddr(uint8_t* out);
// The product id from PS key 0x02A3, else told by the device name; 0, -1 or -2 when unknown.
int csr_read_product_id(void);
// The firmware version of the headset with this product id: 0 found, 1 none (version 0.0).
int csr_read_firmware_version(int product_id, uint32_t* major, uint32_t* minor, uint32_t* extra1,
                              uint32_t* extra2);
}
