#include "app/FirmwareUpdateInstructions.h"

#include <array>
#include <span>

#include "app/TextCatalogue.h"
#include "app/TextFormat.h"

namespace app {

namespace {

enum class Shape : uint8_t {
    none,
    holdButton,           // "Press and hold the %@ ..."
    replugHoldingButton,  // "Unplug ... plug it back by pressing and holding the %@ ..."
    holdTwoButtons,       // "Press and hold the %@ and %@ ..."
    replug,               // "Unplug ... and plug it back in." (no placeholder)
    switchOffOn,          // "Switch off %@ ..." with the product name
    nelvarSteps,          // the camera's four numbered steps
};

struct Instruction {
    Shape shape = Shape::none;
    TextId button1 = TextId::minus_button;
    TextId button2 = TextId::minus_button;
};

constexpr Instruction none{};
constexpr Instruction hold(TextId b) { return {Shape::holdButton, b, b}; }
constexpr Instruction replugHolding(TextId b) { return {Shape::replugHoldingButton, b, b}; }
constexpr Instruction holdTwo(TextId a, TextId b) { return {Shape::holdTwoButtons, a, b}; }
constexpr Instruction replug{Shape::replug};
constexpr Instruction switchOffOn{Shape::switchOffOn};
constexpr Instruction nelvarSteps{Shape::nelvarSteps};

struct IdRange {
    uint16_t first;
    uint16_t last;
};

struct Row {
    std::span<const IdRange> ids;
    Instruction first;
    Instruction failureFirst;
    Instruction second;
};

constexpr IdRange kGroup1[] = {
    {0x2010, 0x2011}, {0x2110, 0x2110}, {0x2120, 0x2120}, {0x2210, 0x2210}, {0x2310, 0x2310},
    {0x3030, 0x3030}, {0x3032, 0x3032}, {0x3040, 0x3040}, {0x4010, 0x4010}, {0x4020, 0x4021},
    {0x4030, 0x4030}, {0x5522, 0x5522}, {0x5524, 0x5524}, {0x5526, 0x5526}, {0x5536, 0x5536},
    {0x5560, 0x5560}, {0x5562, 0x5562}, {0x5610, 0x5612}, {0x5620, 0x5624}, {0x5720, 0x5720},
    {0x5910, 0x5910}, {0x5920, 0x5920}, {0x6210, 0x6210},
};
constexpr IdRange kGroup2[] = {
    {0x2020, 0x2020}, {0x4110, 0x4113}, {0x4D20, 0x4D21}, {0x4D50, 0x4D50},
    {0x6000, 0x6000}, {0x6110, 0x6111}, {0x6120, 0x6121},
};
constexpr IdRange kGroup3[] = {
    {0x4D05, 0x4D05}, {0x4D10, 0x4D10}, {0x4D15, 0x4D15}, {0x4D30, 0x4D30}, {0x4D35, 0x4D35},
    {0x4D40, 0x4D40}, {0x4D45, 0x4D45}, {0x4D55, 0x4D55}, {0x4D65, 0x4D65}, {0x4D75, 0x4D75},
    {0x4D85, 0x4D85}, {0x5010, 0x5011}, {0x5020, 0x5020}, {0x5030, 0x5030}, {0x5040, 0x5040},
    {0x5050, 0x5050}, {0x5060, 0x5061}, {0x5070, 0x5070}, {0x5080, 0x5080}, {0x5510, 0x5510},
    {0x5530, 0x5530}, {0x5532, 0x5532}, {0x5550, 0x5550}, {0x5570, 0x5570}, {0x5580, 0x5580},
    {0x5710, 0x5710},
};
constexpr IdRange kGroup4[] = {{0x4D06, 0x4D06}, {0x4D16, 0x4D16}, {0x4D76, 0x4D76}, {0x4D86, 0x4D86}};
constexpr IdRange k5520[] = {{0x5520, 0x5520}};
constexpr IdRange k6112[] = {{0x6112, 0x6112}, {0x6114, 0x6114}};
constexpr IdRange k3300[] = {{0x3300, 0x3300}};
constexpr IdRange k4040[] = {{0x4040, 0x4040}};
constexpr IdRange k5210[] = {{0x5210, 0x5210}};
constexpr IdRange kSwitchOff[] = {{0x3010, 0x3010}, {0x5310, 0x5310}};
constexpr IdRange k3020[] = {{0x3020, 0x3020}};
constexpr IdRange k4120[] = {{0x4120, 0x4120}};

using T = TextId;
const std::array kRows = {
    Row{kGroup1, hold(T::minus_button), replugHolding(T::minus_button),
        holdTwo(T::plus_button, T::minus_button)},
    Row{kGroup2, hold(T::center_button), replugHolding(T::center_button),
        holdTwo(T::center_button, T::plus_button)},
    Row{kGroup3, hold(T::phone_button), replugHolding(T::phone_button),
        holdTwo(T::jog_dial, T::phone_button)},
    Row{kGroup4, hold(T::phone_button), none, holdTwo(T::jog_dial, T::phone_button)},
    Row{k5520, hold(T::minus_button), replugHolding(T::center_button),
        holdTwo(T::center_button, T::plus_button)},
    Row{k6112, hold(T::minus_button), replugHolding(T::center_button),
        holdTwo(T::center_button, T::plus_button)},
    Row{k3300, hold(T::minus_button), none, none},
    Row{k4040, hold(T::left_button), replugHolding(T::left_button), holdTwo(T::left_button, T::right_button)},
    Row{k5210, hold(T::pairing_button), replugHolding(T::pairing_button),
        holdTwo(T::ptt_button, T::pairing_button)},
    Row{kSwitchOff, replug, replug, switchOffOn},
    Row{k3020, replug, replug, nelvarSteps},
    Row{k4120, replug, replug, holdTwo(T::center_button, T::plus_button)},
};

const Row* rowFor(int32_t productId) {
    for (const Row& row : kRows) {
        for (const IdRange& range : row.ids) {
            if (productId >= range.first && productId <= range.last) return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> firmwareUpdateInstruction(
    InstructionStage stage, int32_t productId, int language,
    const std::function<std::optional<std::string>(int32_t)>& productName) {
    const Row* row = rowFor(productId);
    if (row == nullptr) return std::nullopt;
    const Instruction& step = stage == InstructionStage::firstButton          ? row->first
                              : stage == InstructionStage::failureFirstButton ? row->failureFirst
                                                                              : row->second;
    auto text = [language](TextId id) { return localizedText(id, language); };
    switch (step.shape) {
        case Shape::none:
            return std::nullopt;
        case Shape::holdButton:
            return formatText(text(T::instruction_hold_button), {text(step.button1)});
        case Shape::replugHoldingButton:
            return formatText(text(T::instruction_replug_holding_button), {text(step.button1)});
        case Shape::holdTwoButtons:
            return formatText(text(T::instruction_hold_two_buttons),
                              {text(step.button1), text(step.button2)});
        case Shape::replug:
            return std::string(text(T::instruction_replug));
        case Shape::switchOffOn:
            return formatText(text(T::instruction_switch_off_on),
                              {productName ? productName(productId).value_or("") : std::string()});
        case Shape::nelvarSteps:
            return std::string(text(T::instruction_nelvar_steps));
    }
    return std::nullopt;
}

}  // namespace app
