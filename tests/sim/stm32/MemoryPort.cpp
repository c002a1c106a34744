#include "sim/stm32/MemoryPort.h"

#include "platform/Clock.h"

namespace stm32sim {

namespace {
Config adjusted(Config config, const PortOptions& options) {
    if (options.noGvrExtra) config.gvrExtra = false;
    return config;
}
MemoryPort* self(port_ops* port) { return static_cast<MemoryPort*>(port->priv); }
}  // namespace

MemoryPort::MemoryPort(Config config, PortOptions options)
    : machine_(adjusted(std::move(config), options)), lengths_(options.getReplyLengths) {
    uint32_t flags = PORT_BYTE_ORIENTED | PORT_GVR_EXTRA | PORT_NEEDS_INIT | PORT_RETRY;
    if (options.frameOriented) flags &= ~uint32_t(PORT_BYTE_ORIENTED);
    if (options.noGvrExtra) flags &= ~uint32_t(PORT_GVR_EXTRA);
    if (options.clockStretching) flags |= PORT_CLOCK_STRETCH;
    if (!lengths_.empty()) lengths_.insert(lengths_.end(), {0, 0});
    ops_ = {"memory", flags, open, close, read, write, gpio, describe,
            lengths_.empty() ? nullptr : lengths_.data(), this};
}

std::vector<uint8_t> MemoryPort::takeWritten() {
    const auto& all = machine_.fromClient;
    std::vector<uint8_t> fresh(all.begin() + long(written_), all.end());
    written_ = all.size();
    return fresh;
}

int MemoryPort::open(port_ops*, port_settings*) { return PORT_ERR_OK; }
int MemoryPort::close(port_ops*) { return PORT_ERR_OK; }

int MemoryPort::read(port_ops* port, void* buf, size_t len) {
    BootMachine& m = self(port)->machine_;
    auto* out = static_cast<uint8_t*>(buf);
    for (size_t i = 0; i < len; ++i) {
        if (!m.send(out[i])) {
            platform::sleepMs(500);
            return PORT_ERR_TIMEDOUT;
        }
        if (out[i] == 0x76) platform::sleepMs(m.config().busyByteMs);
    }
    return PORT_ERR_OK;
}

int MemoryPort::write(port_ops* port, const void* buf, size_t len) {
    BootMachine& m = self(port)->machine_;
    auto* in = static_cast<const uint8_t*>(buf);
    if (!(port->flags & PORT_BYTE_ORIENTED)) m.dropPending();
    for (size_t i = 0; i < len; ++i) m.receive(in[i]);
    return PORT_ERR_OK;
}

int MemoryPort::gpio(port_ops*, int, int) { return PORT_ERR_OK; }
const char* MemoryPort::describe(port_ops*) { return "memory"; }

}  // namespace stm32sim
