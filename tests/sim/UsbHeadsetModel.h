// The simulated headset's USB side, apart from the umockdev plumbing: a CSR BlueCore device that
// takes BCCMD requests as HCI vendor commands in control transfers and answers with HCI events on
// interrupt endpoint 0x81, keeps a persistent store, and switches between its run-time product id
// and its firmware-management (DFU-mode) twin through DFU DETACH and USB resets. Faults are
// scripted per test; what the host sent is recorded.
// Handlers run on umockdev's worker thread; every public member is thread-safe.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "sim/DfuMachine.h"
#include "sim/UsbEndpoint.h"

namespace sim {

class Scheduler;
class UsbTestbed;

// The product id a run-time id shows in DFU mode: bit 15 set, except the last three models,
// whose twins are one below.
uint16_t firmwareTwin(uint16_t runtimeId);

// Faults of the BCCMD replies; they apply to every request until changed.
struct BccmdFaults {
    bool silent = false;         // no reply at all
    int staleReplies = 0;        // the next replies held back until the request after theirs arrives
    int eventCode = -1;          // the reply's event code instead of 0xFF
    int channel = -1;            // the reply's channel byte instead of 0xC2
    uint16_t status = 0;         // this status in every reply
    size_t piece = 0;            // replies handed out in reads of at most this many bytes (0: whole)
    int truncateTo = -1;         // the reply cut to this many bytes
    bool controlStalls = false;  // the control transfer itself fails
};

class UsbHeadsetModel : public UsbEndpoint {
  public:
    struct BccmdRequest {
        uint16_t type, size, sequence, varid;
        Bytes payload;
    };
    struct PsWrite {
        uint16_t key;
        std::vector<uint16_t> words;
    };

    explicit UsbHeadsetModel(uint16_t runtimeId, bool dfuMode = false, uint16_t vendor = 0x3A6E);

    // Persistent store.
    void setKey(uint16_t key, std::vector<uint16_t> words);
    void eraseKey(uint16_t key);
    std::optional<std::vector<uint16_t>> key(uint16_t key) const;
    std::vector<PsWrite> psWrites() const;

    void setFaults(const BccmdFaults& faults);
    std::vector<BccmdRequest> bccmdRequests() const;
    int malformedFrames() const;

    // The next claims fail with these errno values in turn (0: the normal answer).
    void failClaims(std::vector<int> errnos);
    void failClaimsAlways(int errnoValue);
    std::vector<int> claimAttempts() const;  // interface numbers, in order
    std::set<int> claimed() const;

    void setDfu(const DfuMachine::Behaviour& behaviour);
    std::vector<DfuMachine::Block> dfuBlocks() const;
    Bytes dfuImage() const;
    std::vector<DfuMachine::Request> dfuRequests() const;
    bool dfuDownloadEnded() const;
    int dfuDetaches() const;
    int dfuVendorRequests7() const;
    DfuMachine::State dfuState() const;

    // Called after each control request the device took, outside its lock (a test makes the
    // device leave the bus at a chosen moment).
    void onControl(std::function<void(const UsbSetup&, const uint8_t* data)> hook);
    // Power comes back after an unplug: normal mode, or DFU mode once a download began.
    void powerUp();
    // As a real headset restarts after DETACH: the USB reset leaves it on the bus in run-time
    // mode for leaveAfterMs, then it is gone, and backAfterMs after the reset it enumerates again
    // as the DFU reset makes it (never with nullopt). `device` is its index on `bus`; an event
    // still pending when the headset goes is dropped (the bus must outlive the headset's events).
    void restartsAfterDetach(UsbTestbed& bus, size_t device, Scheduler& events, std::optional<int64_t> backAfterMs,
                             int64_t leaveAfterMs = 100);

    uint16_t productId() const;  // the id it shows now
    bool inDfuMode() const;
    int resets() const;

    // UsbEndpoint
    Bytes descriptors() override;
    int control(const UsbSetup& setup, uint8_t* data) override;
    bool takeIn(uint8_t ep, size_t max, Bytes& piece) override;
    bool inPending(uint8_t ep) override;
    int transferOut(uint8_t ep, const uint8_t* data, size_t size) override;
    int claim(int interface) override;
    void release(int interface) override;
    bool reset() override;

  private:
    int bccmd(const uint8_t* frame, size_t length);
    Bytes answer(const BccmdRequest& r, uint16_t& status);
    void queueReply(Bytes event);
    // What a new enumeration forgets: claims and unread replies (under the lock).
    void startsAgain();

    mutable std::mutex lock_;
    const uint16_t vendor_, runtimeId_;
    std::map<uint16_t, std::vector<uint16_t>> store_;
    std::vector<PsWrite> writes_;
    BccmdFaults faults_;
    std::vector<BccmdRequest> requests_;
    int malformed_ = 0;
    std::deque<Bytes> events_;   // HCI events waiting on endpoint 0x81
    size_t eventOffset_ = 0;     // bytes of events_.front() already read
    std::optional<Bytes> held_;  // a stale reply waiting for the next request
    std::deque<int> claimErrors_;
    int claimAlways_ = 0;
    std::vector<int> claimAttempts_;
    std::set<int> claimed_;
    DfuMachine dfu_;
    int resets_ = 0;
    struct Restart {
        UsbTestbed* bus;
        size_t device;
        Scheduler* events;
        std::optional<int64_t> backAfterMs;
        int64_t leaveAfterMs;
    };
    std::optional<Restart> restart_;
    bool restarting_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // the restart events' check
    std::function<void(const UsbSetup&, const uint8_t*)> onControl_;
};

}  // namespace sim
