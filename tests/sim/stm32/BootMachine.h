// A simulated STM32 USART boot loader: one byte-level state machine fed with the client's bytes,
// yielding its answers byte by byte. It checks every complement, checksum, alignment and range,
// NACKs a bad frame, keeps a trace, and misbehaves on demand.
#pragma once

#include "sim/stm32/SimChips.h"

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace stm32sim {

// What the machine does at one of a command's answer points.
enum class Answer { Ack, Nack, Silent, Wrong, Busy, BusyForever, SilentForever, AckThenSilentForever, Reset };

// Stage 0 is the command's own ACK, 1 the next answer (address, list, second ACK), and so on.
struct Fault {
    uint8_t opcode;
    int stage;
    Answer answer;
    int busyBytes = 0;  // Busy: busy bytes before the ACK
    int skip = 0;       // occurrences let through first
    int times = 1;      // occurrences changed; 0 = every one
};

enum class Init { Ack, Nack, Lost, Garbage, Silent };

struct Config {
    uint16_t chipId = 0x410;
    std::vector<uint8_t> getOpcodes = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, 0x44, 0x63, 0x73, 0x82, 0x92};
    std::vector<uint8_t> unlisted;  // served, but left out of the GET reply
    uint8_t blVersion = 0x31;
    uint8_t gvrVersion = 0x31;
    bool gvrExtra = true;
    Init init = Init::Ack;
    bool startSynced = false;
    std::vector<Fault> faults;
    int getCount = -1;  // count byte sent instead of the true one
    int gidCount = -1;
    int getLimit = -1;  // reply bytes after the count byte actually sent
    int gidLimit = -1;
    int readLimit = -1;
    std::vector<uint8_t> gidExtra;
    int gidPid = -1;  // product id sent instead of the chip's
    bool badCrcXor = false;
    bool readProtected = false;
    std::set<uint32_t> writeProtectedPages;
    int resetInWriteBlock = -1;  // block bytes received before the chip resets
    bool patternFlash = false;   // flash starts as a pattern instead of erased
    int64_t busyByteMs = 1;      // virtual time a busy byte costs on the in-memory port
};

class BootMachine {
public:
    explicit BootMachine(Config config);

    void receive(uint8_t byte);
    // The next byte toward the client; false when it has nothing to say.
    bool send(uint8_t& byte);
    // A frame-oriented bus starts each transfer afresh: an unread answer is gone.
    void dropPending() { out_.clear(); }

    const Config& config() const { return config_; }
    Config& config() { return config_; }
    const SimChip& chip() const { return chip_; }
    bool synced() const { return state_ != State::WaitInit && state_ != State::Dead; }
    bool running() const { return state_ == State::Running; }

    // Memory as the chip holds it.
    std::vector<uint8_t>& flash() { return flash_; }
    std::vector<uint8_t>& ram() { return ram_; }
    uint8_t patternByte(uint32_t address) const;
    bool readProtected() const { return config_.readProtected; }
    bool pageWriteProtected(uint32_t page) const { return config_.writeProtectedPages.count(page) != 0; }

    // Trace: command opcodes received (complement checked), actions done, bytes each way.
    std::vector<uint8_t> commands;
    std::vector<std::string> events;
    std::vector<uint8_t> fromClient, toClient;
    int resets = 0;

private:
    enum class State { WaitInit, Idle, Complement, Args, Running, Dead };
    enum class Phase {
        None, ReadAddress, ReadLength, GoAddress, WriteAddress, WriteBlock, EraseCount1, EraseMass1, EraseList1,
        EraseCount2, EraseMass2, EraseList2, CrcAddress, CrcLength
    };

    bool answerOk(int stage);  // the ACK at a stage unless a fault says otherwise; false ends the command
    void answer(int stage);
    void push(uint8_t b) { out_.push_back(b); }
    void pushReply(const std::vector<uint8_t>& bytes, int countOverride, int limit);
    void idle() { state_ = State::Idle; phase_ = Phase::None; args_.clear(); }
    void expect(Phase phase, size_t bytes);
    void reset(const std::string& why);
    void startCommand(uint8_t opcode);
    void onArgs();
    bool addressOk(const uint8_t* frame, uint32_t& address) const;
    uint8_t* memory(uint32_t address, uint32_t len, bool write);
    bool erasePage(uint32_t page);
    void erase(const std::vector<uint32_t>& pages, int stage);
    bool flashWriteAllowed(uint32_t address, uint32_t len) const;
    void go(uint32_t address);

    Config config_;
    const SimChip& chip_;
    std::vector<uint8_t> flash_, ram_, option_, sys_;
    State state_;
    Phase phase_ = Phase::None;
    uint8_t opcode_ = 0;
    int inits_ = 0;
    bool shortReply_ = false;
    uint32_t address_ = 0;
    std::vector<uint8_t> args_;
    size_t want_ = 0;
    std::deque<uint8_t> out_;
    bool busyForever_ = false;
    std::vector<int> faultSeen_;
};

}  // namespace stm32sim
