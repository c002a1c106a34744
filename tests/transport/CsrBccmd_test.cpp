// BCCMD over USB on a simulated CSR headset: the request frame, persistent-store keys read and
// written, and replies that must not be taken as answers.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "CsrSimFixture.h"

namespace {

using Words = std::vector<uint16_t>;

Words wordsFrom(const uint8_t* bytes, size_t count) {
    Words w;
    for (size_t i = 0; i + 1 < count; i += 2)
        w.push_back(static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8));
    return w;
}

Words sequence(size_t n, uint16_t first) {
    Words w;
    for (size_t i = 0; i < n; ++i) w.push_back(static_cast<uint16_t>(first + 0x0101 * i));
    return w;
}

class CsrBccmdTest : public CsrSimTest {
  protected:
    void SetUp() override {
        CsrSimTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_NO_FATAL_FAILURE(openHeadset(0x4D10));
    }

    // A PS-key size request for `key`: the result, and the length the reply filled in.
    int sizeOf(uint16_t key, uint16_t& words) {
        uint8_t payload[8] = {static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8), 0xAA, 0xAA};
        int r = csr_bccmd_get(0x3006, payload, sizeof payload);
        words = static_cast<uint16_t>(payload[2] | payload[3] << 8);
        return r;
    }
};

TEST_F(CsrBccmdTest, RequestFrameCarriesTheHeaderAndThePaddedPayload) {
    const struct {
        std::vector<uint8_t> payload;
        uint16_t size;
    } cases[] = {
        {{1, 2, 3}, 9},                         // shorter than 8 bytes: the minimum size
        {{1, 2, 3, 4, 5, 6, 7, 8}, 9},          // 8 bytes: (8 + 1) / 2 + 5
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10},  // (10 + 1) / 2 + 5
        {std::vector<uint8_t>(240, 0x5A), 125},
    };
    uint16_t sequenceNumber = 0x1234;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.payload.size());
        std::vector<uint8_t> payload = c.payload;
        headset().setFaults({.silent = true});
        csr_bccmd_transaction(2, sequenceNumber, 0x7003, payload.data(),
                              static_cast<uint16_t>(payload.size()));
        auto sent = headset().bccmdRequests().back();
        EXPECT_EQ(sent.type, 2);
        EXPECT_EQ(sent.size, c.size);
        EXPECT_EQ(sent.sequence, sequenceNumber);
        EXPECT_EQ(sent.varid, 0x7003);
        std::vector<uint8_t> padded = c.payload;
        padded.resize(2 * c.size - 10, 0);
        EXPECT_EQ(sent.payload, padded);
        ++sequenceNumber;
    }
    EXPECT_EQ(headset().malformedFrames(), 0);  // opcode, channel and both lengths as the device checks them
}

TEST_F(CsrBccmdTest, RequestsTakeConsecutiveSequenceNumbers) {
    headset().setKey(0x0200, {7});
    uint16_t words = 0;
    for (int i = 0; i < 3; ++i) ASSERT_EQ(sizeOf(0x0200, words), 0);
    auto sent = headset().bccmdRequests();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].sequence, static_cast<uint16_t>(sent[0].sequence + 1));
    EXPECT_EQ(sent[2].sequence, static_cast<uint16_t>(sent[0].sequence + 2));
}

TEST_F(CsrBccmdTest, PsKeysReadBackWhatWasStoredAndWritten) {
    const Words lengths = {1, 2, 4, 12, CSR_PSKEY_MAX_WORDS};
    for (uint16_t n : lengths) {
        SCOPED_TRACE(n);
        const uint16_t key = static_cast<uint16_t>(0x2280 + n);
        headset().setKey(key, sequence(n, 0x1100));

        uint16_t words = 0;
        EXPECT_EQ(sizeOf(key, words), 0);
        EXPECT_EQ(words, n);

        uint8_t value[2 * CSR_PSKEY_MAX_WORDS] = {};
        uint16_t bytes = 0;
        ASSERT_EQ(csr_read_pskey(key, value, &bytes), 0);
        EXPECT_EQ(bytes, 2 * n);
        EXPECT_EQ(wordsFrom(value, bytes), sequence(n, 0x1100));

        Words written = sequence(n, 0x2200);
        ASSERT_EQ(csr_write_pskey(key, written.data(), n), 0);
        EXPECT_EQ(headset().key(key), written);
        std::memset(value, 0, sizeof value);
        EXPECT_EQ(csr_read_pskey_len16(key, value), 2 * n);
        EXPECT_EQ(wordsFrom(value, 2 * n), written);
        EXPECT_EQ(csr_read_pskey_len32(key, value), 2u * n);
    }
    EXPECT_EQ(headset().malformedFrames(), 0);
}

TEST_F(CsrBccmdTest, KeysLongerThanOneFrameAreRefusedBeforeTheValueIsAsked) {
    for (uint16_t n : {118, 122, 123}) {
        SCOPED_TRACE(n);
        headset().setKey(0x0300, Words(n, 0x4242));
        size_t before = headset().bccmdRequests().size();
        uint8_t value[2 * CSR_PSKEY_MAX_WORDS] = {};
        uint16_t bytes = 99;
        EXPECT_EQ(csr_read_pskey(0x0300, value, &bytes), -5);
        EXPECT_EQ(bytes, 0);
        EXPECT_EQ(headset().bccmdRequests().size(), before + 1);  // the size request only
        EXPECT_EQ(csr_read_pskey_len16(0x0300, value), 0);

        Words written(n, 0x1111);
        before = headset().bccmdRequests().size();
        EXPECT_EQ(csr_write_pskey(0x0300, written.data(), n), -5);
        EXPECT_EQ(headset().bccmdRequests().size(), before);
    }
    uint8_t payload[241] = {};
    errno = 0;
    EXPECT_EQ(csr_bccmd_get(0x7003, payload, sizeof payload), -1);
    EXPECT_EQ(errno, EINVAL);
}

TEST_F(CsrBccmdTest, RepliesThatAreNotTheAnswerFail) {
    headset().setKey(0x0200, {1, 2, 3});
    struct Case {
        const char* name;
        sim::BccmdFaults faults;
        int result;
        int error;
    };
    const Case cases[] = {
        {"no reply", {.silent = true}, -1, EIO},
        {"another event code", {.eventCode = 0x0E}, -1, EIO},
        {"another channel", {.channel = 0xC3}, -1, EIO},
        {"device refuses", {.status = 3}, -1, ENXIO},
        {"reply cut short", {.truncateTo = 20}, -1, EIO},
        {"control transfer stalls", {.controlStalls = true}, -1, EIO},
        {"reply in pieces of 5 bytes", {.piece = 5}, 0, 0},
        {"reply in pieces of 16 bytes", {.piece = 16}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headset().setFaults(c.faults);
        errno = 0;
        uint16_t words = 0xAAAA;
        EXPECT_EQ(sizeOf(0x0200, words), c.result);
        if (c.result == 0) {
            EXPECT_EQ(words, 3);
        } else {
            EXPECT_EQ(errno, c.error);
            EXPECT_EQ(words, 0xAAAA);  // the caller's buffer keeps what it had
        }
    }
    headset().setFaults({});
    uint16_t words = 0;
    EXPECT_EQ(sizeOf(0x0200, words), 0);
    EXPECT_EQ(words, 3);
}

// A reply that comes after its request gave up must not pass for the answer to the next one.
TEST_F(CsrBccmdTest, LateReplyIsNotTakenForTheNextAnswer) {
    headset().setKey(0x0200, {1, 2, 3});
    headset().setKey(0x0201, Words(9, 0));
    headset().setFaults({.staleReplies = 1});
    uint16_t words = 0;
    EXPECT_EQ(sizeOf(0x0200, words), -1);  // its reply is held back
    words = 0xAAAA;
    errno = 0;
    EXPECT_EQ(sizeOf(0x0201, words), -1);  // the 3 words of key 0x0200 arrive first
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(words, 0xAAAA);
    EXPECT_EQ(sizeOf(0x0201, words), 0);
    EXPECT_EQ(words, 9);
}

TEST_F(CsrBccmdTest, ResetRequestsExpectNoReply) {
    for (uint16_t varid : {0x4001, 0x4002, 0x4003, 0x4004}) {
        SCOPED_TRACE(varid);
        uint8_t payload[8] = {};
        EXPECT_EQ(csr_bccmd_set(varid, payload, sizeof payload), 0);
        EXPECT_EQ(headset().bccmdRequests().back().varid, varid);
    }
}

TEST_F(CsrBccmdTest, NothingIsSentWithoutAnOpenDevice) {
    csr_usb_close_all();
    uint8_t payload[8] = {};
    errno = 0;
    EXPECT_EQ(csr_bccmd_get(0x3006, payload, sizeof payload), -1);
    EXPECT_EQ(errno, ENODEV);
    uint8_t event[16];
    EXPECT_EQ(csr_usb_interrupt_read(event, sizeof event, 10), 0);
    EXPECT_TRUE(headset().bccmdRequests().empty());
}

}  // namespace
