// The headset's vendor HID report channel over hidapi: two process-wide device slots, the open
// routines of every HID product, and the three report formats (A: 1023-byte commands with 67-byte
// replies, B: 62-byte commands with replies gathered from input-report fragments, C: 65 bytes
// both ways). C-style: results are 1/0 (true/false) or 0/negative codes; diagnostic lines go to
// standard output.
#pragma once

#include <cstddef>
#include <cstdint>

struct hid_device_;
typedef struct hid_device_ hid_device;

constexpr uint16_t kHeadsetVendorId = 0x3A6E;
constexpr size_t kOpenMessageSize = 256;  // the callers' message buffers

constexpr size_t kLongRequestSize = 1023;  // format A, host to device
constexpr size_t kLongReplySize = 67;      // format A, device to host
constexpr size_t kShortReportSize = 62;    // format B, both directions
constexpr size_t kShortFragmentMax = 60;   // data bytes one format B fragment can carry
constexpr size_t kReport65Size = 65;       // format C, both directions

constexpr uint8_t kStatusDone = 0;
constexpr uint8_t kStatusBusy = 1;
constexpr uint8_t kStatusNothingRead = 0xFF;  // preset before reads, so silence is never success

// ---- slots and opening ----------------------------------------------------------------------

void usbhid_close_all();

// Each fills slot 0 with the first qualifying vendor 0x3A6E entry that opens; 0 with *pid and
// the message set, or -2 (message untouched).
int usbhid_open_headset(uint32_t* pid, char* message);
int usbhid_open_mesh_3120(uint32_t* pid, char* message);
int usbhid_open_qcc_mesh(uint32_t* pid, char* message);
int usbhid_open_airoha_mesh(uint32_t* pid, char* message);
int usbhid_open_airoha_mesh_33f0(uint32_t* pid, char* message);
// Opens the second vendor interface of the product *pid (a two-chip headset's second chip) into
// slot 1: 0 with the message set, or -2.
int usbhid_open_second_chip(uint32_t* pid, char* message);
// Opens the two parts 0x5345/0x5346 into slots 0 and 1: 0 when both are open, -1 when one part
// was found, -2 when none.
int usbhid_open_dorsk_pair(uint32_t pids[2], char* message, int kind);

// The handle in a slot, or nullptr for an empty slot or a slot other than 0 and 1.
hid_device* usbhid_slot(int slot);

// ---- format A ----------------------------------------------------------------------------

int usbhid_send(int slot, const uint8_t* report);
int usbhid_wait_ready(int slot);
int usbhid_command(int slot, const uint8_t* request, uint8_t* reply);
int usbhid_command_timed(int slot, const uint8_t* request, uint8_t* reply, int limit);

// Block payloads hold big-endian 16-bit words; these turn them into host order (or back) in
// place. The count byte comes from the device or the caller, so the words swapped are clamped to
// the buffer: the result is 1 when every counted word fit, 0 when the count was cut.
void usbhid_swap_words(int n, void* words);
int usbhid_swap_block_words(uint8_t* block, size_t blockSize);      // count at 3, words from 4
int usbhid_swap_block_words_ext(uint8_t* block, size_t blockSize);  // count at 4, words from 5

// User-key writes over format A. The request is built in the caller's 1023-byte buffer:
// {0x01, 0x04, key, count, the words high byte first}, the rest zero; the exchange's result.
// `placed` words are put into the request (in host order), of which the first `count` are
// turned high byte first and counted; the others go as placed. Words past the room are dropped.
int usbhid_write_user_key(int slot, uint8_t* request, uint8_t* reply, uint8_t key, const uint16_t* words,
                          size_t placed, size_t count);
// The follow-up of a write: the request last built sent again with command 0x11 for `key` and the
// same count; its words either left as they went (high byte first) or turned back to host order,
// as the caller's headset reads them there. The exchange's result.
enum class FollowUpWords { AsSent, HostOrder };
int usbhid_follow_up(int slot, uint8_t* request, uint8_t* reply, uint8_t key, FollowUpWords words);

// ---- format B ----------------------------------------------------------------------------
// Reply buffers: byte 1 holds the expected data length on entry; replySize is the buffer's
// length (the callers' 62-byte buffers unless they say otherwise). Fragments that would not fit
// fail the exchange.

int usbhid_send_short(int slot, uint8_t* report);
int usbhid_read_input_fragments(int slot, uint8_t* reply, int polls, size_t replySize = kShortReportSize);
int usbhid_short_command(int slot, uint8_t* request, uint8_t* reply, int timeoutMs,
                         size_t replySize = kShortReportSize);
int usbhid_short_command_probe(int slot, uint8_t* request, uint8_t* reply,
                               size_t replySize = kShortReportSize);
int usbhid_response_length(uint8_t command);

// ---- format C ----------------------------------------------------------------------------

int usbhid_send_65(int slot, const uint8_t* report);
int usbhid_wait_ready_65(int slot);
int usbhid_command_65(int slot, const uint8_t* request, uint8_t* reply);
