// The simulated boot loader behind an in-memory port: no descriptor, no thread, on the virtual
// clock. A read that finds nothing waits 0.5 s of clock time and answers "timed out", as the
// serial port would.
#pragma once

#include "sim/stm32/BootMachine.h"
#include "stm32/Port.h"

#include <vector>

namespace stm32sim {

struct PortOptions {
    bool frameOriented = false;   // replies read whole, not length byte first
    bool noGvrExtra = false;      // GVR answers its version byte only
    bool clockStretching = false; // the port asks for the clock-stretching hint
    std::vector<uint8_t> getReplyLengths = {};  // (version, length) pairs; a 0 length is appended
};

class MemoryPort {
public:
    explicit MemoryPort(Config config, PortOptions options = {});
    MemoryPort(const MemoryPort&) = delete;
    MemoryPort& operator=(const MemoryPort&) = delete;

    port_ops* port() { return &ops_; }
    BootMachine& machine() { return machine_; }
    // Bytes the client has written, and read, since the last call.
    std::vector<uint8_t> takeWritten();

private:
    static int open(port_ops*, port_settings*);
    static int close(port_ops*);
    static int read(port_ops* port, void* buf, size_t len);
    static int write(port_ops* port, const void* buf, size_t len);
    static int gpio(port_ops*, int, int);
    static const char* describe(port_ops*);

    BootMachine machine_;
    std::vector<uint8_t> lengths_;
    port_ops ops_;
    size_t written_ = 0;
};

}  // namespace stm32sim
