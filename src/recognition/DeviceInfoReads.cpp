#include "recognition/DeviceInfoReads.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "platform/Log.h"
#include "transport/HidReportChannel.h"

namespace recognition {

namespace {

constexpr uint8_t kReadKey = 0x03;

// One user-key read on slot 0, its words turned to host order.
struct KeyRead {
    uint8_t reply[kLongReplySize] = {};
    bool ok = false;

    KeyRead(uint8_t key, uint8_t words) {
        uint8_t request[kLongRequestSize] = {0x01, kReadKey, key, words};
        ok = usbhid_command(0, request, reply);
        if (ok) usbhid_swap_block_words_ext(reply, sizeof reply);
    }
    int count() const { return reply[4]; }
    // The low byte of word i (byte 5 + 2i once the words are in host order).
    uint8_t low(int i) const {
        uint16_t word;
        std::memcpy(&word, reply + 5 + 2 * i, sizeof word);
        return static_cast<uint8_t>(word & 0xFF);
    }
};

bool among(int32_t id, std::initializer_list<int32_t> ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

int32_t get_device_info_for_fm_radio_with_pskey(int32_t productId) {
    constexpr int32_t kShow = 3, kHide = 4;
    if (!among(productId, {0x3032, 0x3050, 0x3070, 0x3124, 0x3126, 0x3128, 0x3144})) return kShow;
    KeyRead hardware(6, 2);
    if (!hardware.ok) {
        platform::logLine("Fail Read pskey 6");
        return kShow;
    }
    if (hardware.count() != 2) return kShow;
    platform::logf("len = %d hardware version v%1d.%1d", 2, hardware.low(0), hardware.low(1));
    return hardware.low(0) == 2 ? kHide : kShow;
}

int32_t get_device_info_for_hd_speaker_with_pskey(int32_t productId) {
    if (productId == 0x3110 || productId == 0x5570) {
        KeyRead speaker(6, 4);
        if (!speaker.ok || speaker.count() == 2) return 0;
        return speaker.low(2) != 0 ? 2 : 0;
    }
    if (productId != 0x4210) return 0;
    KeyRead user5(5, 0);
    if (user5.ok) {
        uint8_t v = user5.low(0);
        platform::logf("2.user5=[%d]", v);
        if ((v & ~0x10) == 11) return 1;  // 11 or 27
    }
    KeyRead user18(18, 2);
    if (!user18.ok) {
        platform::logLine("Fail Read pskey 18");
        return 0;
    }
    if (user18.count() == 0) return 0;
    uint8_t a = user18.low(0), b = user18.low(1);
    if (a != 0) return b == 1 ? 7 : 2;
    return b == 0 ? 0 : b == 1 ? 6 : 2;
}

}  // namespace recognition
