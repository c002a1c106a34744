// What the firmware-update message box tells the user to do with the headset, per model: which
// button to hold while the firmware is written, after a failed write, and for the second stage.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace app {

enum class InstructionStage { firstButton, failureFirstButton, secondButton };

// The instruction for a product id in a language; none for models that have no such step. The
// product name fills the "switch off" instruction.
std::optional<std::string> firmwareUpdateInstruction(
    InstructionStage stage, int32_t productId, int language,
    const std::function<std::optional<std::string>(int32_t)>& productName);

}  // namespace app
