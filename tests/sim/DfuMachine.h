// The headset's USB DFU 1.0 side: the state machine of the class requests in run-time and DFU
// mode, scriptable faults, and a record of every request and downloaded block. Not thread-safe
// by itself: the headset model calls it under its own lock.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/UsbEndpoint.h"

namespace sim {

class DfuMachine {
  public:
    enum State : uint8_t {
        appIDLE = 0,
        appDETACH = 1,
        dfuIDLE = 2,
        dfuDNLOAD_SYNC = 3,
        dfuDNBUSY = 4,
        dfuDNLOAD_IDLE = 5,
        dfuMANIFEST_SYNC = 6,
        dfuMANIFEST = 7,
        dfuMANIFEST_WAIT_RESET = 8,
        dfuUPLOAD_IDLE = 9,
        dfuERROR = 10,
    };
    enum Status : uint8_t { OK = 0, errWRITE = 3, errSTALLEDPKT = 15 };

    // What a USB reset does to a device that took DETACH.
    enum class AfterDetach { dfuMode, staysOnBus, normalMode };

    struct Behaviour {
        uint32_t pollTimeoutMs = 5;  // bwPollTimeout of every status but dfuDNBUSY (24 bits)
        int64_t busyPollMs = -1;     // bwPollTimeout of dfuDNBUSY answers; -1: pollTimeoutMs
        int busyPerBlock = 0;        // dfuDNBUSY answers before a block is written
        bool startInError = false;   // DFU mode begins in dfuERROR until CLRSTATUS
        int failBlock = -1;          // this block number ends in errWRITE / dfuERROR
        // After the block numbered errorAfterBlock (not kept), this many status polls answer
        // errWRITE in dfuERROR.
        int errorAfterBlock = -1;
        int errorPolls = 0;
        AfterDetach afterDetach = AfterDetach::dfuMode;
        bool neverLeavesDfu = false;  // a manifested download comes back in DFU mode
        Bytes upload;                 // what UPLOAD reads in DFU mode
    };

    struct Request {
        uint8_t requestType, request;
        uint16_t value, index, length;
    };
    struct Block {
        uint16_t number;
        Bytes data;
    };

    void setBehaviour(const Behaviour& b) { behaviour_ = b; }
    // A class or vendor request to the DFU interface; -EPIPE when it stalls.
    int request(const UsbSetup& setup, uint8_t* data);
    // Enter run-time mode (appIDLE) or DFU mode (dfuIDLE, or dfuERROR when so scripted).
    void enter(bool dfuMode);
    bool dfuMode() const { return dfuMode_; }
    // A USB reset: true when the device comes back in the other mode (after DETACH, or after a
    // manifested download).
    bool reset();
    // Power comes back (plugged in again): a unit whose download began starts in DFU mode.
    void powerUp();

    State state() const { return state_; }
    const std::vector<Request>& requests() const { return requests_; }
    const std::vector<Block>& blocks() const { return blocks_; }
    Bytes image() const;                           // the downloaded blocks joined in order
    bool downloadEnded() const { return ended_; }  // the zero-length DNLOAD came
    int detaches() const { return detaches_; }
    int vendorRequests7() const { return request7_; }

  private:
    int stall(Status s);
    int status(uint8_t* data, uint16_t length);

    Behaviour behaviour_;
    bool dfuMode_ = false;
    State state_ = appIDLE;
    Status status_ = OK;
    int busyLeft_ = 0;
    bool failPending_ = false;
    bool ended_ = false;
    bool manifested_ = false;
    bool downloadBegan_ = false;
    int errorsLeft_ = 0;
    size_t uploaded_ = 0;
    int detaches_ = 0;
    int request7_ = 0;
    std::vector<Request> requests_;
    std::vector<Block> blocks_;
};

}  // namespace sim
