// The device settings save over HID: for each model family the blocks the headset receives
// (chip, key, word count, words high byte first, follow-ups) at the firmware edges that change
// them, then the identity checks and the failures that end a save.
#include <thread>

#include "SaveFixture.h"

namespace settings::testing {
namespace {

using sim::Format;
using Sent = std::vector<sim::SettingBlocksModel::KeyRequest>;
using save::kNotRecognized;
using save::kSaved;
using save::kWriteFailed;

// Words of the edit buffer as the fixture fills it; L and L2 stand for the packed legacy words,
// which the record builds per model.
constexpr uint16_t L = 0xF00D, L2 = 0xF00E, V = 0x0203, SM = 0x0304;
constexpr uint16_t B(int i) { return static_cast<uint16_t>(0x1100 + i); }
constexpr uint16_t C(int i) { return static_cast<uint16_t>(0x0400 + i); }

sim::SettingBlocksModel::KeyRequest w(uint8_t key, std::vector<uint16_t> words) {
    return {Format::A, 0x04, key, std::move(words)};
}
// A follow-up repeats the key's words, back in host order (so read low byte first).
sim::SettingBlocksModel::KeyRequest f(uint8_t key, std::vector<uint16_t> words) {
    return {Format::A, 0x11, key, std::move(words)};
}

std::vector<uint16_t> basics(int n) {
    std::vector<uint16_t> b;
    for (int i = 0; i < n; ++i) b.push_back(B(i));
    return b;
}

struct RowCase {
    const char* name;
    uint16_t target;
    HeadsetVersion version = {};
    bool twoChips = false;
    Sent chip0 = {};
    Sent chip1 = {};
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

std::vector<RowCase> rowCases() {
    return {
        {"two-chip 0x4210 at 1.0 sends three words to the second chip", 0x4210, {1, 0}, true, {}, {w(4, basics(3))}},
        {"two-chip 0x4210 at 1.1 sends four", 0x4210, {1, 1}, true, {}, {w(4, basics(4))}},
        {"two-chip 0x4210 from 1.2 sends ten", 0x4210, {1, 2}, true, {}, {w(4, basics(10))}},
        {"other two-chip models send ten", 0x4610, {1, 0}, true, {}, {w(4, basics(10))}},
        {"0x3560 below 1.4.3 writes keys 32 and 31", 0x3560, {1, 4, 0, 2}, false, {w(32, {B(0)}), w(31, {B(1)})}},
        {"0x3560 from 1.4.3 also key 30", 0x3560, {1, 4, 0, 3}, false,
         {w(32, {B(0)}), w(31, {B(1)}), w(30, {B(2)})}},
        {"0x3570 below 1.4.3 writes key 32 only", 0x3570, {1, 4, 0, 2}, false, {w(32, {B(0)})}},
        {"0x3570 from 1.4.3 writes 32, 31, 30", 0x3570, {1, 4, 0, 3}, false,
         {w(32, {B(0)}), w(31, {B(1)}), w(30, {B(2)})}},
        {"0x3540 writes key 32", 0x3540, {}, false, {w(32, {B(0)})}},
        {"0x4D16 writes key 54 without a status check", 0x4D16, {}, false, {w(54, {B(0), B(1)})}},
        {"0x6510 writes key 54 after its status", 0x6510, {}, false, {w(54, {B(0), B(1)})}},
        {"0x5632 writes five words to key 54", 0x5632, {}, false, {w(54, {L, B(1), B(2), B(3), B(4)})}},
        {"0x5553 writes three words to key 54", 0x5553, {}, false, {w(54, {L, B(1), B(2)})}},
        {"0x6039 writes key 54, VOX to key 23, then 0x11 for key 23", 0x6039, {}, false,
         {w(54, {L, L2}), w(23, {V}), f(23, {V})}},
        {"0x5590 writes key 54", 0x5590, {}, false, {w(54, {L, B(1)})}},
        {"0x3330 writes four basic words", 0x3330, {}, false, {w(4, basics(4))}},
        {"0x3110 below 2.1 writes two words", 0x3110, {2, 0}, false, {w(4, basics(2))}},
        {"0x3110 from 2.1 writes four", 0x3110, {2, 1}, false, {w(4, basics(4))}},
        {"0x3114 below 3.0 writes three", 0x3114, {2, 9}, false, {w(4, basics(3))}},
        {"0x3114 from 3.0 writes four", 0x3114, {3, 0}, false, {w(4, basics(4))}},
        {"0x3170 below 1.2 writes four", 0x3170, {1, 1}, false, {w(4, basics(4))}},
        {"0x3170 from 1.2 writes five", 0x3170, {1, 2}, false, {w(4, basics(5))}},
        {"0x3214 below 1.1 writes four", 0x3214, {1, 0}, false, {w(4, basics(4))}},
        {"0x3214 from 1.1 writes five", 0x3214, {1, 1}, false, {w(4, basics(5))}},
        {"0x3800 writes four", 0x3800, {1, 0}, false, {w(4, basics(4))}},
        {"0x3264 writes five", 0x3264, {1, 0}, false, {w(4, basics(5))}},
        {"0x6036 writes key 4 with zeros and VOX to key 20, each followed by 0x11", 0x6036, {}, false,
         {w(4, {L, 0, B(2), 0}), f(4, {L, 0, B(2), 0}), w(20, {V}), f(20, {V})}},
        {"0x6335 writes key 4", 0x6335, {}, false, {w(4, {L, B(1)})}},
        {"0x5434 writes key 4, VOX and smart volume", 0x5434, {}, false,
         {w(4, {L, B(1)}), w(20, {V}), w(3, {SM})}},
        {"0x6024 writes key 4 and VOX to key 18 with follow-ups", 0x6024, {}, false,
         {w(4, {L, 0, 0, 0}), f(4, {L, 0, 0, 0}), w(18, {V}), f(18, {V})}},
        {"0x5420 writes key 4, VOX and smart volume with follow-ups", 0x5420, {}, false,
         {w(4, {L, 0}), f(4, {L, 0}), w(20, {V}), f(20, {V}), w(3, {SM}), f(3, {SM})}},
        {"0x3030 writes the two legacy words", 0x3030, {}, false, {w(4, {L, L2})}},
        {"0x6400 adds VOX", 0x6400, {}, false, {w(4, {L, L2}), w(20, {V})}},
        {"0x5510 below 2.0 writes keys 4 and 7", 0x5510, {1, 9}, false,
         {w(4, {L, L2}), w(7, {C(0), C(1)})}},
        {"0x5510 from 2.0 also key 28", 0x5510, {2, 0}, false,
         {w(4, {L, L2}), w(7, {C(0), C(1)}), w(28, {C(2), C(3)})}},
        {"0x5622 below 1.1 writes smart volume", 0x5622, {1, 0}, false, {w(4, {L, L2}), w(3, {SM})}},
        {"0x5622 from 1.1 also VOX", 0x5622, {1, 1}, false, {w(4, {L, L2}), w(3, {SM}), w(20, {V})}},
        {"0x5623 below 1.1 writes key 4 only", 0x5623, {1, 0}, false, {w(4, {L, L2})}},
        {"0x5623 from 1.1 adds VOX", 0x5623, {1, 1}, false, {w(4, {L, L2}), w(20, {V})}},
    };
}

class HidRows : public SaveSimTest, public ::testing::WithParamInterface<RowCase> {
  protected:
    Sent resolved(Sent sent) {
        for (auto& r : sent)
            for (uint16_t& word : r.words)
                word = word == L    ? static_cast<uint16_t>(in.dataCurrent.getSettings40())
                       : word == L2 ? static_cast<uint16_t>(in.dataCurrent.getSettings40Second())
                                    : word;
        return sent;
    }
};

TEST_P(HidRows, TheFamilysBlocksReachTheHeadset) {
    const RowCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHid(c.target, c.version, c.twoChips));
    in.dataCurrent.setHandsfreeVOX(1);
    in.dataCurrent.setVoicePrompt(1);
    EXPECT_EQ(save(), kSaved);
    EXPECT_EQ(chip(0).keyRequests(), resolved(c.chip0));
    if (c.twoChips) {
        EXPECT_EQ(chip(1).keyRequests(), resolved(c.chip1));
    }
    EXPECT_EQ(usbhid_slot(0), nullptr) << "the save closes the headset";
}

INSTANTIATE_TEST_SUITE_P(Save, HidRows, ::testing::ValuesIn(rowCases()),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST_F(SaveSimTest, UnchangedBufferStillSendsEveryBlock) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6010));
    in.dataCurrent.copyWithSource(in.data, false);
    EXPECT_EQ(save(), kSaved);
    EXPECT_EQ(chip().keyRequests().size(), 4u);
}

// 0x4210 below 1.2 counts fewer words than it places: the rest go out unturned.
TEST_F(SaveSimTest, WordsPastTheCountGoAsPlaced) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x4210, {1, 0}, true));
    ASSERT_EQ(save(), kSaved);
    std::vector<uint8_t> sent;
    for (const auto& r : sim_->model(1).requests())
        if (r.format == Format::A && r.bytes[1] == 0x04) sent = r.bytes;
    ASSERT_GE(sent.size(), 24u);
    EXPECT_EQ(sent[3], 3);
    for (int i = 0; i < 10; ++i) {
        uint8_t hi = static_cast<uint8_t>(B(i) >> 8), lo = static_cast<uint8_t>(B(i));
        bool counted = i < 3;
        EXPECT_EQ(sent[4 + 2 * i], counted ? hi : lo) << "word " << i;
        EXPECT_EQ(sent[5 + 2 * i], counted ? lo : hi) << "word " << i;
    }
}

// ---- identity and failures ----------------------------------------------------------------------

struct FaultCase {
    const char* name;
    uint16_t target;
    std::function<void(SaveSimTest&)> arrange;
    int32_t result;
    std::vector<uint8_t> keysWritten;  // keys of the write requests the headset saw, in order
    HeadsetVersion version = {};
    bool twoChips = false;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class HidFaults : public SaveSimTest, public ::testing::WithParamInterface<FaultCase> {};

class HidFaults;

std::vector<FaultCase> faultCases() {
    auto none = [](SaveSimTest&) {};
    return {
        {"another product id than the recognized one", 0x3070,
         [](SaveSimTest& t) { t.openedProductId = 0x3080; }, kNotRecognized, {}},
        {"the open failing", 0x3070, [](SaveSimTest& t) { t.openFails = true; }, kNotRecognized, {}},
        {"another firmware", 0x3070, [](SaveSimTest& t) { t.setVersion(0, {2, 1, 0, 0}); },
         kNotRecognized, {}},
        {"firmware unread", 0x3070, [](SaveSimTest& t) { t.failVersion(0); },
         kNotRecognized, {}},
        {"the second chip's firmware differs", 0x4410,
         [](SaveSimTest& t) { t.setVersion(1, {2, 1, 0, 0}); }, kNotRecognized, {}, {},
         true},
        {"no second chip opened", 0x4410, none, kNotRecognized, {}},
        {"0x6500 not ready writes nothing", 0x6500, [](SaveSimTest& t) { t.family().setByte(0x12, 1); }, kWriteFailed,
         {}},
        {"0x6500 status unanswered", 0x6500,
         [](SaveSimTest& t) { t.family().setAnswer(Format::A, 0x12, sim::Answer{2, {}}); }, kWriteFailed, {}},
        {"0x4D16 asks no status", 0x4D16, [](SaveSimTest& t) { t.family().setByte(0x12, 1); }, kSaved, {54}},
        {"a refused key marked to continue lets the later keys go", 0x3560,
         [](SaveSimTest& t) { t.chip().refuseWritesTo(32); }, kWriteFailed, {32, 31, 30}, {1, 4, 0, 3}},
        {"a refused block without continue ends the save", 0x6010,
         [](SaveSimTest& t) { t.chip().refuseWritesTo(4); }, kWriteFailed, {4}},
        {"a refused key 54 of 0x6038 still writes VOX", 0x6038,
         [](SaveSimTest& t) { t.chip().refuseWritesTo(54); }, kWriteFailed, {54, 23, 0x11}},
        {"a silent headset fails its write within the bound", 0x4D16,
         [](SaveSimTest& t) {
             sim::Faults silent;
             silent.silent = true;
             t.chip().setFaults(silent);
         },
         kWriteFailed, {54}},
        {"background volume: key 63 written back with word 7", 0x6481,
         [](SaveSimTest& t) { t.chip().setBlock(63, {1, 2, 3, 4, 5, 6, 7, 8}); }, kSaved, {54, 63}},
        {"background volume: key 63 unread", 0x6481, none, kWriteFailed, {54}},
        {"background volume: key 63 of another length", 0x6481,
         [](SaveSimTest& t) { t.chip().setBlock(63, {1, 2, 3, 4, 5, 6, 7}); }, kWriteFailed, {54}},
        {"background volume: a refused key 54 still writes key 63", 0x6491,
         [](SaveSimTest& t) {
             t.chip().setBlock(63, {1, 2, 3, 4, 5, 6, 7, 8});
             t.chip().refuseWritesTo(54);
         },
         kWriteFailed, {54, 63}},
    };
}

TEST_P(HidFaults, EndWithTheirCode) {
    const FaultCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(plugHid(c.target, c.version, c.twoChips));
    c.arrange(*this);
    EXPECT_EQ(save(), c.result);
    std::vector<uint8_t> keys;
    for (const auto& r : chip(c.twoChips ? 1 : 0).keyRequests()) keys.push_back(r.command == 0x04 ? r.key : r.command);
    EXPECT_EQ(keys, c.keysWritten);
    EXPECT_EQ(usbhid_slot(0), nullptr);
    EXPECT_EQ(usbhid_slot(1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Save, HidFaults, ::testing::ValuesIn(faultCases()),
                         [](const auto& info) { return "Fault" + std::to_string(info.index); });

TEST_F(SaveSimTest, BackgroundVolumeReplacesWordSevenOnly) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6461));
    chip().setBlock(63, {1, 2, 3, 4, 5, 6, 7, 8});
    in.dataCurrent.setBackgroundVolume(3);
    ASSERT_EQ(save(), kSaved);
    EXPECT_EQ(chip().block(63), (std::vector<uint16_t>{1, 2, 3, 4, 5, 6, 7, 3}));
}

TEST_F(SaveSimTest, StatusNeedsItsRequestOnlyWhereTheFamilyAsksIt) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x4D16));
    ASSERT_EQ(save(), kSaved);
    for (const auto& r : sim_->model().requests()) EXPECT_NE(r.bytes[1], 0x12);
}

// A stop while the headset stays silent ends the save soon with a failure, every slot closed.
TEST_F(SaveSimTest, StopDuringASilentWriteEndsTheSave) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x4D16));
    transport::silenceLimitMs = transport::kDefaultSilenceLimitMs;
    sim::Faults silent;
    silent.silent = true;
    chip().setFaults(silent);
    std::atomic<int32_t> result{save::kSaveRunning};
    std::thread worker([&] { result = save(); });
    for (int i = 0; i < 10000 && chip().keyRequests().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(chip().keyRequests().empty()) << "the save never wrote";
    stop = true;
    transport::stopWaits = true;
    worker.join();
    EXPECT_EQ(result.load(), kWriteFailed);
    EXPECT_EQ(usbhid_slot(0), nullptr);
}

// ---- the Airoha short command -----------------------------------------------------------------

TEST_F(SaveSimTest, AirohaWordsGoLowByteFirstInOneShortCommand) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6838));
    ASSERT_EQ(save(), kSaved);
    std::vector<uint8_t> sent;
    for (const auto& r : sim_->model().requests())
        if (r.format == Format::B) sent = r.bytes;
    ASSERT_EQ(sent.size(), 62u);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + 10),
              (std::vector<uint8_t>{0x01, 0x3C, 0x04, 0x03, 0x00, 0x11, 0x01, 0x11, 0x02, 0x11}));
    EXPECT_EQ(chip().shortBlock(3), (std::vector<uint16_t>{B(0), B(1), B(2)}));
}

TEST_F(SaveSimTest, AirohaRefusedStatusFailsTheSave) {
    ASSERT_NO_FATAL_FAILURE(plugHid(0x6838));
    chip().refuseWritesTo(3);
    EXPECT_EQ(save(), kWriteFailed);
}

}  // namespace
}  // namespace settings::testing
