#include "sim/DfuMachine.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sim {

namespace {
enum : uint8_t {
    DETACH = 0,
    DNLOAD = 1,
    UPLOAD = 2,
    GETSTATUS = 3,
    CLRSTATUS = 4,
    GETSTATE = 5,
    ABORT = 6,
    VENDOR7 = 7
};
}

void DfuMachine::enter(bool dfuMode) {
    dfuMode_ = dfuMode;
    status_ = OK;
    state_ = !dfuMode ? appIDLE : behaviour_.startInError ? dfuERROR : dfuIDLE;
    if (dfuMode && behaviour_.startInError) status_ = errWRITE;
    manifested_ = false;
    uploaded_ = 0;
}

int DfuMachine::stall(Status s) {
    if (dfuMode_) {
        state_ = dfuERROR;
        status_ = s;
    }
    return -EPIPE;
}

int DfuMachine::status(uint8_t* data, uint16_t length) {
    uint8_t reported = state_;
    uint32_t poll = behaviour_.pollTimeoutMs;
    if (errorsLeft_ > 0 && dfuMode_) {
        --errorsLeft_;
        state_ = dfuERROR;
        status_ = errWRITE;
    }
    // The state machine moves on as the host polls.
    switch (state_) {
        case dfuDNLOAD_SYNC:
            if (failPending_) {
                failPending_ = false;
                state_ = dfuERROR;
                status_ = errWRITE;
                reported = state_;
            } else if (busyLeft_ > 0) {
                --busyLeft_;
                reported = dfuDNBUSY;
                if (behaviour_.busyPollMs >= 0) poll = static_cast<uint32_t>(behaviour_.busyPollMs);
            } else {
                state_ = dfuDNLOAD_IDLE;
                reported = state_;
            }
            break;
        case dfuMANIFEST_SYNC:
            reported = dfuMANIFEST;
            state_ = dfuMANIFEST_WAIT_RESET;  // manifestation is not tolerant
            manifested_ = true;
            break;
        default:
            break;
    }
    reported = state_ == dfuERROR ? static_cast<uint8_t>(dfuERROR) : reported;
    uint8_t record[6] = {status_,
                         static_cast<uint8_t>(poll),
                         static_cast<uint8_t>(poll >> 8),
                         static_cast<uint8_t>(poll >> 16),
                         reported,
                         0};
    size_t n = std::min<size_t>(6, length);
    if (n) std::memcpy(data, record, n);
    return static_cast<int>(n);
}

int DfuMachine::request(const UsbSetup& s, uint8_t* data) {
    requests_.push_back({s.requestType, s.request, s.value, s.index, s.length});
    bool out = s.requestType == 0x21, in = s.requestType == 0xA1;
    if (!out && !in) return stall(errSTALLEDPKT);

    if (in && s.request == GETSTATUS) return status(data, s.length);
    if (in && s.request == GETSTATE) {
        if (s.length < 1) return stall(errSTALLEDPKT);
        data[0] = state_;
        return 1;
    }
    if (!dfuMode_) {
        if (out && s.request == DETACH && state_ == appIDLE) {
            ++detaches_;
            state_ = appDETACH;
            return 0;
        }
        return stall(errSTALLEDPKT);
    }
    if (out && s.request == VENDOR7) {
        ++request7_;
        return 0;
    }
    if (out && s.request == CLRSTATUS && state_ == dfuERROR) {
        state_ = dfuIDLE;
        status_ = OK;
        return 0;
    }
    if (out && s.request == ABORT &&
        (state_ == dfuIDLE || state_ == dfuDNLOAD_IDLE || state_ == dfuUPLOAD_IDLE)) {
        state_ = dfuIDLE;
        return 0;
    }
    if (out && s.request == DNLOAD && (state_ == dfuIDLE || state_ == dfuDNLOAD_IDLE)) {
        if (s.length == 0) {
            if (state_ != dfuDNLOAD_IDLE) return stall(errSTALLEDPKT);
            // Manifestation starts at once: the host sends no further status poll.
            ended_ = true;
            manifested_ = true;
            state_ = dfuMANIFEST_SYNC;
            return 0;
        }
        if (state_ == dfuIDLE) blocks_.clear();  // a download starts (again) from its beginning
        downloadBegan_ = true;
        if (static_cast<int>(s.value) == behaviour_.failBlock) {
            failPending_ = true;
        } else if (static_cast<int>(s.value) == behaviour_.errorAfterBlock && behaviour_.errorPolls > 0) {
            errorsLeft_ = behaviour_.errorPolls;
            behaviour_.errorAfterBlock = -1;  // once
        } else {
            blocks_.push_back({s.value, Bytes(data, data + s.length)});
            busyLeft_ = behaviour_.busyPerBlock;
        }
        state_ = dfuDNLOAD_SYNC;
        return s.length;
    }
    if (in && s.request == UPLOAD && (state_ == dfuIDLE || state_ == dfuUPLOAD_IDLE)) {
        const Bytes& u = behaviour_.upload;
        size_t n = std::min<size_t>(s.length, u.size() - std::min(uploaded_, u.size()));
        if (n) std::memcpy(data, u.data() + uploaded_, n);
        uploaded_ += n;
        state_ = n < s.length ? dfuIDLE : dfuUPLOAD_IDLE;
        if (state_ == dfuIDLE) uploaded_ = 0;
        return static_cast<int>(n);
    }
    return stall(errSTALLEDPKT);
}

bool DfuMachine::reset() {
    if (!dfuMode_ && state_ == appDETACH) {
        switch (behaviour_.afterDetach) {
            case AfterDetach::dfuMode:
                enter(true);
                return true;
            case AfterDetach::normalMode:
                enter(false);
                return true;
            case AfterDetach::staysOnBus:
                return false;
        }
    }
    if (dfuMode_) {
        bool done = manifested_ && !behaviour_.neverLeavesDfu;
        if (done) downloadBegan_ = false;
        enter(!done);
        return true;  // a device in DFU mode always enumerates again
    }
    return false;
}

void DfuMachine::powerUp() {
    busyLeft_ = 0;
    errorsLeft_ = 0;
    failPending_ = false;
    enter(downloadBegan_);
}

Bytes DfuMachine::image() const {
    Bytes all;
    for (const Block& b : blocks_) all.insert(all.end(), b.data.begin(), b.data.end());
    return all;
}

}  // namespace sim
