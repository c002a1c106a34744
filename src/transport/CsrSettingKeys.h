// The persistent-store (PS) keys in which the CSR headsets keep their settings, and the values of
// the legacy EDR key. Recognition reads these keys and the settings save writes them.
#pragma once

#include <cstdint>
#include <span>

namespace transport::csr {

enum PsKey : uint16_t {
    kPsKeyPowerTable = 0x0031,
    kPsKeyLegacyEdr = 0x00EF,        // 239
    kPsKeySettingsWord = 0x028E,     // 654
    kPsKeyIntercomVox = 0x0298,      // 664
    kPsKeyHandsfreeVox = 0x0299,     // 665
    kPsKeyFmBlock = 0x029F,
    kPsKeyAudioChannelTimeout = 0x02AA,  // 682
    kPsKeyRadioTransmitGain = 0x02AC,    // 684
    kPsKeySpeedDial0 = 0x2280,  // speed dial k at 0x2280 + k
};

// The legacy EDR key's value (8 bytes, as read) with EDR on and with EDR off.
std::span<const uint8_t> legacyEdrOn();
std::span<const uint8_t> legacyEdrOff();

}  // namespace transport::csr
