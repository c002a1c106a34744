// The 0x6838 headset and its format B family (0x68xx, 0x6Axx), also the Airoha mesh module:
// 62-byte commands (byte 2 the command, byte 3 its parameter) answered in fragments of input
// report 2. Command 0x01 gives the version (parameter 0, 5 bytes) or the language pack
// (parameter 1, 8 bytes), 0x03 a 58-byte text by parameter (2: the name), 0x02 the address,
// 0x04 takes a write. Tests change the answers or make one command fail.
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>

#include "sim/HeadsetModel.h"

namespace sim {

class Hs6838Model : public HeadsetModel {
  public:
    static constexpr uint8_t kParameterName = 0x02;

    struct Profile {
        std::string name = "VELMAR LUVEN";
        // major, minor, secondary type, secondary version, one more byte
        std::array<uint8_t, 5> version{1, 2, 0, 4, 0};
        // language pack: major, minor, two bytes, type, then its own three-part version
        std::array<uint8_t, 8> languagePack{3, 1, 0, 0, 5, 1, 0, 7};
        std::array<uint8_t, 6> address{0x00, 0x1B, 0x66, 0x12, 0x34, 0x56};
    };

    Hs6838Model() : Hs6838Model(Profile{}) {}
    explicit Hs6838Model(const Profile& p);

    // What command (with its parameter) answers instead: another length, a failed status, silence.
    void setShortAnswer(uint8_t command, uint8_t parameter, Answer a);
    // A 58-byte text answer for command 0x03 with the parameter.
    void setText(uint8_t parameter, const std::string& text);

    Answer answer(Format format, const std::vector<uint8_t>& request) override;

  private:
    std::map<std::pair<uint8_t, uint8_t>, Answer> answers_;
};

}  // namespace sim
