#include "sim/stm32/BootMachine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace stm32sim {

namespace {

constexpr uint8_t ACK = 0x79, NACK = 0x1F, BUSY = 0x76, WRONG = 0x5A, FILLER = 0xEE;

// The two reset stubs the chip recognises when it is sent to RAM start.
constexpr uint8_t systemResetCode[16] = {0x01, 0x49, 0x02, 0x4A, 0x0A, 0x60, 0xFE, 0xE7,
                                         0x0C, 0xED, 0x00, 0xE0, 0x04, 0x00, 0xFA, 0x05};
constexpr uint8_t optionReloadCode[16] = {0x01, 0x49, 0x02, 0x4A, 0x0A, 0x60, 0xFE, 0xE7,
                                          0x10, 0x20, 0x02, 0x40, 0x00, 0x20, 0x00, 0x00};

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

uint8_t xorOf(const uint8_t* p, size_t n) {
    uint8_t x = 0;
    for (size_t i = 0; i < n; ++i) x ^= p[i];
    return x;
}

std::string hex(uint32_t v) {
    char buf[16];
    snprintf(buf, sizeof buf, "0x%08x", v);
    return buf;
}

// The chip's CRC unit: CRC-32 (0x04C11DB7) over little-endian words, no reflection.
uint32_t chipCrc(const uint8_t* p, size_t n) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i + 4 <= n; i += 4) {
        crc ^= le32(p + i);
        for (int b = 0; b < 32; ++b) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

bool isProtectedByReadout(uint8_t op) {
    return op == 0x11 || op == 0x21 || op == 0x31 || op == 0x32 || op == 0x43 || op == 0x44 || op == 0x45 || op == 0xA1;
}

}  // namespace

BootMachine::BootMachine(Config config)
    : config_(std::move(config)), chip_(simChip(config_.chipId)),
      flash_(chip_.flashEnd - chip_.flashStart), ram_(chip_.ramEnd - chip_.ramStart),
      option_(chip_.optionEnd - chip_.optionStart + 1), sys_(chip_.sysEnd - chip_.sysStart),
      state_(config_.startSynced ? State::Idle : State::WaitInit), faultSeen_(config_.faults.size(), 0) {
    for (size_t i = 0; i < flash_.size(); ++i) flash_[i] = config_.patternFlash ? patternByte(chip_.flashStart + uint32_t(i)) : 0xFF;
    for (size_t i = 0; i < sys_.size(); ++i) sys_[i] = uint8_t(i * 13 + 1);
    std::fill(option_.begin(), option_.end(), 0xFF);
}

uint8_t BootMachine::patternByte(uint32_t address) const { return uint8_t((address * 7 + 3) ^ (address >> 8)); }

bool BootMachine::send(uint8_t& byte) {
    if (!out_.empty()) {
        byte = out_.front();
        out_.pop_front();
    } else if (busyForever_) {
        byte = BUSY;
    } else {
        return false;
    }
    toClient.push_back(byte);
    return true;
}

void BootMachine::reset(const std::string& why) {
    events.push_back("RESET " + why);
    ++resets;
    state_ = State::WaitInit;
    args_.clear();
}

bool BootMachine::answerOk(int stage) {
    for (size_t i = 0; i < config_.faults.size(); ++i) {
        const Fault& f = config_.faults[i];
        if (f.opcode != opcode_ || f.stage != stage) continue;
        int seen = ++faultSeen_[i];
        if (seen <= f.skip || (f.times != 0 && seen > f.skip + f.times)) continue;
        switch (f.answer) {
        case Answer::Ack: break;
        case Answer::Busy:
            for (int b = 0; b < f.busyBytes; ++b) push(BUSY);
            break;
        case Answer::Nack:
            push(NACK);
            idle();
            return false;
        case Answer::Silent:
            idle();
            return false;
        case Answer::Wrong:
            push(WRONG);
            idle();
            return false;
        case Answer::BusyForever:
            busyForever_ = true;
            state_ = State::Dead;
            return false;
        case Answer::SilentForever:
            state_ = State::Dead;
            return false;
        case Answer::AckThenSilentForever:
            push(ACK);
            state_ = State::Dead;
            return false;
        case Answer::Reset:
            reset("fault");
            return false;
        }
    }
    push(ACK);
    return true;
}

void BootMachine::answer(int stage) { answerOk(stage); }

void BootMachine::pushReply(const std::vector<uint8_t>& bytes, int countOverride, int limit) {
    size_t count = countOverride >= 0 ? size_t(countOverride) : bytes.size() - 1;
    std::vector<uint8_t> data(bytes.begin(), bytes.begin() + std::min(bytes.size(), count + 1));
    data.resize(count + 1, FILLER);
    push(uint8_t(count));
    size_t sent = limit >= 0 ? std::min(data.size(), size_t(limit)) : data.size();
    for (size_t i = 0; i < sent; ++i) push(data[i]);
    shortReply_ = sent < data.size();
}

void BootMachine::receive(uint8_t byte) {
    fromClient.push_back(byte);
    switch (state_) {
    case State::WaitInit:
        if (byte != 0x7F) return;
        {
            Init mode = inits_++ == 0 || config_.init == Init::Silent ? config_.init : Init::Ack;
            events.push_back("INIT");
            switch (mode) {
            case Init::Ack: push(ACK); state_ = State::Idle; break;
            case Init::Nack: push(NACK); state_ = State::Idle; break;
            case Init::Lost: state_ = State::Idle; break;
            case Init::Garbage: push(WRONG); state_ = State::Idle; break;
            case Init::Silent: break;
            }
        }
        return;
    case State::Idle:
        if (byte == 0x7F) {  // already awake
            push(NACK);
            return;
        }
        opcode_ = byte;
        state_ = State::Complement;
        return;
    case State::Complement:
        if (byte != uint8_t(~opcode_)) {
            push(NACK);
            idle();
            return;
        }
        startCommand(opcode_);
        return;
    case State::Args:
        args_.push_back(byte);
        if (phase_ == Phase::WriteBlock && config_.resetInWriteBlock >= 0 &&
            int(args_.size()) == config_.resetInWriteBlock) {
            config_.resetInWriteBlock = -1;  // once: the next connection writes
            reset("mid-write");
            return;
        }
        if (args_.size() == want_) onArgs();
        return;
    case State::Running:
    case State::Dead:
        return;
    }
}

void BootMachine::expect(Phase phase, size_t bytes) {
    state_ = State::Args;
    phase_ = phase;
    want_ = bytes;
    args_.clear();
}

void BootMachine::startCommand(uint8_t op) {
    commands.push_back(op);
    auto served = [&](const std::vector<uint8_t>& v) { return std::find(v.begin(), v.end(), op) != v.end(); };
    if ((!served(config_.getOpcodes) && !served(config_.unlisted)) ||
        (config_.readProtected && isProtectedByReadout(op))) {
        push(NACK);
        idle();
        return;
    }
    if (!answerOk(0)) return;
    switch (op) {
    case 0x00: {
        std::vector<uint8_t> reply{config_.blVersion};
        reply.insert(reply.end(), config_.getOpcodes.begin(), config_.getOpcodes.end());
        pushReply(reply, config_.getCount, config_.getLimit);
        if (!shortReply_) answer(1);
        idle();
        return;
    }
    case 0x01:
        push(config_.gvrVersion);
        if (config_.gvrExtra) {
            push(0x00);
            push(0x00);
        }
        answer(1);
        idle();
        return;
    case 0x02: {
        uint16_t pid = config_.gidPid >= 0 ? uint16_t(config_.gidPid) : chip_.id;
        std::vector<uint8_t> reply{uint8_t(pid >> 8), uint8_t(pid)};
        reply.insert(reply.end(), config_.gidExtra.begin(), config_.gidExtra.end());
        pushReply(reply, config_.gidCount, config_.gidLimit);
        if (!shortReply_) answer(1);
        idle();
        return;
    }
    case 0x11: expect(Phase::ReadAddress, 5); return;
    case 0x21: expect(Phase::GoAddress, 5); return;
    case 0x31:
    case 0x32: expect(Phase::WriteAddress, 5); return;
    case 0x43: expect(Phase::EraseCount1, 1); return;
    case 0x44:
    case 0x45: expect(Phase::EraseCount2, 2); return;
    case 0xA1: expect(Phase::CrcAddress, 5); return;
    case 0x63:
    case 0x64:
        if (!answerOk(1)) return;
        for (uint32_t p = 0; p < chip_.pageCount(); ++p) config_.writeProtectedPages.insert(p);
        events.push_back("WRITE PROTECT");
        reset("after WRITE PROTECT");
        return;
    case 0x73:
    case 0x74:
        if (!answerOk(1)) return;
        config_.writeProtectedPages.clear();
        events.push_back("WRITE UNPROTECT");
        reset("after WRITE UNPROTECT");
        return;
    case 0x82:
    case 0x83:
        if (!answerOk(1)) return;
        config_.readProtected = true;
        events.push_back("READOUT PROTECT");
        reset("after READOUT PROTECT");
        return;
    case 0x92:
    case 0x93:
        if (!answerOk(1)) return;
        config_.readProtected = false;
        std::fill(flash_.begin(), flash_.end(), 0xFF);
        events.push_back("READOUT UNPROTECT");
        reset("after READOUT UNPROTECT");
        return;
    default:
        // Offered in the GET reply but unknown to this chip.
        push(NACK);
        idle();
        return;
    }
}

bool BootMachine::addressOk(const uint8_t* frame, uint32_t& address) const {
    if (xorOf(frame, 4) != frame[4]) return false;
    address = be32(frame);
    return true;
}

uint8_t* BootMachine::memory(uint32_t address, uint32_t len, bool write) {
    struct Region {
        uint32_t start;
        std::vector<uint8_t>* bytes;
        bool writable;
    };
    Region regions[] = {{chip_.flashStart, &flash_, true}, {chip_.ramStart, &ram_, true},
                        {chip_.optionStart, &option_, true}, {chip_.sysStart, &sys_, false}};
    for (Region& r : regions) {
        uint64_t end = uint64_t(r.start) + r.bytes->size();
        if (address >= r.start && uint64_t(address) + len <= end && !r.bytes->empty()) {
            if (write && !r.writable) return nullptr;
            return r.bytes->data() + (address - r.start);
        }
    }
    return nullptr;
}

bool BootMachine::erasePage(uint32_t page) {
    uint32_t start, size;
    if (!chip_.page(page, start, size) || pageWriteProtected(page)) return false;
    std::fill_n(flash_.begin() + (start - chip_.flashStart), size, 0xFF);
    return true;
}

bool BootMachine::flashWriteAllowed(uint32_t address, uint32_t len) const {
    for (uint32_t p = 0; p < chip_.pageCount(); ++p) {
        uint32_t start, size;
        chip_.page(p, start, size);
        if (pageWriteProtected(p) && address < start + size && start < address + len) return false;
    }
    return true;
}

void BootMachine::go(uint32_t address) {
    events.push_back("GO " + hex(address));
    if (address == chip_.ramStart && ram_.size() >= 24 && le32(ram_.data() + 4) == address + 9) {
        if (!memcmp(ram_.data() + 8, systemResetCode, 16)) return reset("system");
        if (!memcmp(ram_.data() + 8, optionReloadCode, 16)) return reset(chip_.optionReload ? "option reload" : "system");
    }
    state_ = State::Running;
}

void BootMachine::onArgs() {
    const uint8_t* a = args_.data();
    switch (phase_) {
    case Phase::ReadAddress:
        if (!addressOk(a, address_) || !memory(address_, 1, false)) break;
        if (answerOk(1)) expect(Phase::ReadLength, 2);
        return;
    case Phase::ReadLength: {
        uint32_t len = uint32_t(a[0]) + 1;
        const uint8_t* mem = memory(address_, len, false);
        if (a[1] != uint8_t(~a[0]) || !mem) break;
        if (!answerOk(2)) return;
        events.push_back("READ " + hex(address_) + " " + std::to_string(len));
        size_t sent = config_.readLimit >= 0 ? std::min<size_t>(len, size_t(config_.readLimit)) : len;
        for (size_t i = 0; i < sent; ++i) push(mem[i]);
        idle();
        return;
    }
    case Phase::GoAddress:
        if (!addressOk(a, address_) || !((address_ >= chip_.flashStart && address_ < chip_.flashEnd) ||
                                         (address_ >= chip_.ramStart && address_ < chip_.ramEnd)))
            break;
        if (answerOk(1)) go(address_);
        return;
    case Phase::WriteAddress:
        if (!addressOk(a, address_) || address_ % 4 != 0 || !memory(address_, 1, true)) break;
        if (answerOk(1)) expect(Phase::WriteBlock, 1);
        return;
    case Phase::WriteBlock: {
        if (args_.size() == 1) {  // the length byte: now the data and the checksum
            want_ = size_t(a[0]) + 1 + 2;
            return;
        }
        uint32_t n = uint32_t(a[0]) + 1;
        uint8_t* mem = memory(address_, n, true);
        if (n % 4 != 0 || xorOf(a, n + 1) != a[n + 1] || !mem) break;
        bool inFlash = address_ >= chip_.flashStart && address_ < chip_.flashEnd;
        if (inFlash && !flashWriteAllowed(address_, n)) break;
        if (!answerOk(2)) return;
        for (uint32_t i = 0; i < n; ++i) mem[i] = inFlash ? uint8_t(mem[i] & a[1 + i]) : a[1 + i];
        events.push_back("WRITE " + hex(address_) + " " + std::to_string(n));
        idle();
        return;
    }
    case Phase::EraseCount1:
        if (a[0] == 0xFF) {
            expect(Phase::EraseMass1, 1);
            return;
        }
        want_ = size_t(a[0]) + 1 + 2;
        phase_ = Phase::EraseList1;
        return;
    case Phase::EraseMass1:
    case Phase::EraseMass2:
        if (a[args_.size() - 1] != 0x00 || chip_.noMassErase) break;
        if (!answerOk(1)) return;
        std::fill(flash_.begin(), flash_.end(), 0xFF);
        events.push_back("ERASE mass");
        idle();
        return;
    case Phase::EraseList1: {
        size_t n = size_t(a[0]) + 1;
        if (xorOf(a, n + 1) != a[n + 1]) break;
        std::vector<uint32_t> pages(a + 1, a + 1 + n);
        return erase(pages, 1);
    }
    case Phase::EraseCount2: {
        uint32_t count = uint32_t(a[0]) << 8 | a[1];
        if (count >= 0xFFF0) {
            if (count != 0xFFFF) break;  // bank erases: not on these chips
            phase_ = Phase::EraseMass2;
            want_ = 3;
            return;
        }
        phase_ = Phase::EraseList2;
        want_ = 2 + 2 * (size_t(count) + 1) + 1;
        return;
    }
    case Phase::EraseList2: {
        size_t n = (size_t(a[0]) << 8 | a[1]) + 1;
        if (xorOf(a, 2 + 2 * n) != a[2 + 2 * n]) break;
        std::vector<uint32_t> pages;
        for (size_t i = 0; i < n; ++i) pages.push_back(uint32_t(a[2 + 2 * i]) << 8 | a[3 + 2 * i]);
        return erase(pages, 1);
    }
    case Phase::CrcAddress:
        if (!addressOk(a, address_) || address_ % 4 != 0) break;
        if (answerOk(1)) expect(Phase::CrcLength, 5);
        return;
    case Phase::CrcLength: {
        uint32_t len;
        if (!addressOk(a, len) || len % 4 != 0 || (len && !memory(address_, len, false))) break;
        if (!answerOk(2)) return;
        uint32_t crc = len ? chipCrc(memory(address_, len, false), len) : 0xFFFFFFFF;
        if (!answerOk(3)) return;
        uint8_t reply[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)};
        for (uint8_t b : reply) push(b);
        push(uint8_t(xorOf(reply, 4) ^ (config_.badCrcXor ? 0x01 : 0x00)));
        events.push_back("CRC " + hex(address_) + " " + std::to_string(len));
        idle();
        return;
    }
    case Phase::None:
        break;
    }
    push(NACK);
    idle();
}

void BootMachine::erase(const std::vector<uint32_t>& pages, int stage) {
    uint32_t start, size;
    for (uint32_t p : pages) {
        if (!chip_.page(p, start, size) || pageWriteProtected(p)) {
            push(NACK);
            idle();
            return;
        }
    }
    if (!answerOk(stage)) return;
    for (uint32_t p : pages) erasePage(p);
    events.push_back("ERASE " + std::to_string(pages.size()) + " from " + std::to_string(pages.empty() ? 0 : pages.front()));
    idle();
}

}  // namespace stm32sim
