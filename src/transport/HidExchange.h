// The write-then-read-while-busy exchange that formats A and C and the firmware loader share,
// with every read bounded by the silence limit and the busy wait by the busy limit.
#pragma once

#include <cstddef>
#include <cstdint>

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace transport::detail {

constexpr size_t kStatusOffset = 2;

// Puts an opened handle into slot 0 or 1 (the open routines).
void fillSlot(int slot, hid_device* device);

bool writeReport(hid_device* dev, const uint8_t* report, size_t size);
// One reply read into reply[0..size); see the .cpp for what short replies leave.
int readReply(hid_device* dev, uint8_t* reply, size_t size, int timeoutMs);
// Re-reads while the status is busy; false when the busy limit ran out.
bool rereadWhileBusy(hid_device* dev, uint8_t* reply, size_t size);
// Write, read, re-read while busy. False when the write or the first read failed or the busy
// limit ran out; otherwise true with the final status in the reply.
bool exchange(hid_device* dev, const uint8_t* request, size_t requestSize, uint8_t* reply, size_t replySize);

// The time a busy device has had since it was created.
class BusyBudget {
  public:
    BusyBudget();
    bool spent() const;  // prints why when it is

  private:
    int64_t start_;
};

}  // namespace transport::detail
