// The simulated headset's behaviour, apart from the umockdev plumbing: the three command report
// formats, the loader's feature reports, scriptable faults, and a record of what the host sent.
// Families extend it by overriding answer() (versions, setting blocks, update protocols).
// Handlers run on umockdev's worker thread; every public member is thread-safe.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "sim/HidEndpoint.h"
#include "sim/RequestBytes.h"

namespace sim {

// A: 1023-byte commands, 67-byte input reports. B: 62-byte commands (byte 1 0x3C), replies as
// fragments of input report 2. C: 65 bytes both ways. Told apart by the size the host writes.
enum class Format { A, B, C };

struct Answer {
    uint8_t status = 0;         // 0 done, 1 busy, other failed
    std::vector<uint8_t> data;  // the bytes after the echoed command and the status
    bool silent = false;        // this command is never answered
};

// Faults apply to every command until changed.
struct Faults {
    int busyReplies = 0;           // busy replies before the real one
    bool busyForever = false;      // never anything but busy
    bool silent = false;           // the real reply never comes (busy replies still do)
    int lengthDelta = 0;           // the reply shorter (<0) or longer (>0) than it should be
    bool wrongEcho = false;        // the reply names another command
    int reportId = -1;             // reply (A, C) or fragment (B) report id; -1: the right one
    int fragmentLengthByte = -1;   // B: the length every fragment announces; -1: the true one
    int emptyPolls = 0;            // B: empty fetches before the first fragment
    size_t fragmentSize = 60;      // B: data bytes per fragment
    bool unplugOnRequest = false;  // leaves the bus right after taking the command
    bool writeFails = false;       // the host's write fails
    std::vector<std::pair<size_t, uint8_t>>
        patch;  // final-reply bytes overwritten (offsets as the host sees them)
};

// The loader's side: DFU over feature reports 1 (download), 2 (status), 3 (requests).
struct DfuBehaviour {
    uint32_t pollTimeoutMs = 20;
    int busyAnswersPerBlock = 1;  // dfuDNBUSY answers after each data block
    uint8_t initialStatus = 0;    // 10: the device starts in error until CLRSTATUS
    size_t statusReportSize = 7;  // fewer: a short status report
    bool statusFails = false;
    int failDownloadAtBlock = -1;  // report 1 with this block number fails
    bool clearFails = false;       // CLRSTATUS fails
};

class HeadsetModel : public HidEndpoint {
  public:
    struct Request {
        Format format;
        std::vector<uint8_t> bytes;
    };

    HeadsetModel();

    // What the device answers a command. The default: a canned answer set for the command,
    // else status 0 with as many zero data bytes as the reply length the format B table gives
    // (none for A and C).
    virtual Answer answer(Format format, const std::vector<uint8_t>& request);

    void setAnswer(Format format, uint8_t command, Answer a);
    // Format A requests are zero-filled past their named bytes unless told otherwise: a request
    // with a stray byte fails (status 2) and is counted.
    void setRequestBytes(RequestBytes kind);
    int strayRequests() const;
    void setFaults(const Faults& faults);
    void setDfu(const DfuBehaviour& dfu);
    // An input report the device sends by itself (formats A and C).
    void pushInput(std::vector<uint8_t> report);

    // Called after each command the device took (outside the model's lock), for example to
    // make another device join the bus as the command's effect.
    std::function<void(Format, const std::vector<uint8_t>&)> onRequest;

    std::vector<Request> requests() const;
    size_t requestCount() const;
    size_t inputFetches() const;
    // Every download report the loader sent, in order, and the image they carry.
    std::vector<std::vector<uint8_t>> dfuReports() const;
    std::vector<uint8_t> dfuImage() const;
    bool dfuEnded() const;  // the zero-length report came
    int vendorRequests() const;
    int clearStatusRequests() const;

    // HidEndpoint
    int write(const uint8_t* data, size_t size) override;
    bool takeInput(std::vector<uint8_t>& report) override;
    bool inputPending() override;
    int getInputReport(uint8_t* buf, size_t size) override;
    int getFeatureReport(uint8_t* buf, size_t size) override;
    int setFeatureReport(const uint8_t* buf, size_t size) override;

  protected:
    mutable std::recursive_mutex mutex_;

  private:
    int take(const std::vector<uint8_t>& request, Format format);
    std::vector<uint8_t> longReply(const std::vector<uint8_t>& request, size_t size, const Answer& a,
                                   bool final);
    std::vector<uint8_t> shortStream(const std::vector<uint8_t>& request, const Answer& a, bool final);
    void queueFragments(const std::vector<uint8_t>& stream);

    std::map<std::pair<Format, uint8_t>, Answer> answers_;
    Faults faults_;
    DfuBehaviour dfu_;
    RequestBytes requestBytes_ = RequestBytes::zeroFilled;
    int strayRequests_ = 0;
    std::vector<Request> requests_;
    std::deque<std::vector<uint8_t>> inputs_;     // A and C reports waiting for read()
    std::deque<std::vector<uint8_t>> fragments_;  // B fragments waiting for a fetch
    std::vector<uint8_t> busyForeverReport_;      // A/C: what every read gets while busy for ever
    std::vector<uint8_t> busyForeverStream_;      // B: what every gather gets while busy for ever
    int emptyPollsLeft_ = 0;
    size_t inputFetches_ = 0;

    std::vector<std::vector<uint8_t>> dfuReports_;
    uint8_t dfuStatus_ = 0, dfuState_ = 2;
    int dfuBusyLeft_ = 0;
    bool dfuEnded_ = false;
    int vendorRequests_ = 0, clearStatusRequests_ = 0;
};

}  // namespace sim
