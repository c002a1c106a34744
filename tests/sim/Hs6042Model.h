// The 0x6042 headset: a format A headset whose vendor interface (usage page 0xFF00, usage 1)
// passes the probe (command 0x12 answers 0), says whether it has an FM radio (0x1A), keeps its
// name under key 0x3C, its version (no language pack) under command 0x01, its FM block under key
// 0x44 and its speed dials under keys 0x37-0x39. Tests change any of these after construction.
#pragma once

#include <array>
#include <string>

#include "sim/BlockHeadsetModel.h"

namespace sim {

class Hs6042Model : public BlockHeadsetModel {
  public:
    static constexpr uint8_t kKeyName = 0x3C, kKeyFm = 0x44, kKeySpeedDial = 0x37;

    struct Profile {
        std::string name = "VELMAR 6042";
        std::array<uint8_t, 4> version{2, 1, 0, 3};
        bool fmRadio = true;
        // magic, frequency, current preset, 10 presets, RDS, region
        std::array<uint16_t, 15> fm{0x66E9, 10390, 2, 8750, 9010, 9130, 9410, 9650, 9890, 10150, 10390, 10590,
                                    10790, 1, 3};
        std::array<std::string, 3> speedDials{"0123456789", "+4412345", ""};
    };

    Hs6042Model() : Hs6042Model(Profile{}) {}
    explicit Hs6042Model(const Profile& p);
};

}  // namespace sim
