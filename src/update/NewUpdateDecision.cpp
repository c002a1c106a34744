#include "update/NewUpdateDecision.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>

#include "app/TextFormat.h"
#include "device/ORVABluetoothDeviceData.h"

namespace update {
namespace {

constexpr int32_t kNelvar = 0x3020;
constexpr int32_t kAddressRangeModel = 0x5060;
constexpr int32_t kSecondaryAlwaysShown = 0x5345;

struct IdRange {
    int32_t first, last;
};

// Models that compare the listed secondary number even when their own type says nothing of it.
constexpr IdRange kSecondaryAware[] = {
    {0x3052, 0x3052}, {0x3072, 0x3072}, {0x3082, 0x3082}, {0x3085, 0x3085}, {0x3110, 0x3110}, {0x3112, 0x3112},
    {0x3114, 0x3114}, {0x3116, 0x3116}, {0x3118, 0x3118}, {0x3124, 0x3124}, {0x3126, 0x3126}, {0x3128, 0x3128},
    {0x3132, 0x3132}, {0x3134, 0x3134}, {0x3136, 0x3136}, {0x3140, 0x3140}, {0x3142, 0x3142}, {0x3144, 0x3144},
    {0x3146, 0x3146}, {0x3148, 0x3148}, {0x3150, 0x3150}, {0x3152, 0x3152}, {0x3154, 0x3154}, {0x3156, 0x3156},
    {0x3161, 0x3161}, {0x3170, 0x3170}, {0x3210, 0x321C}, {0x3232, 0x3233}, {0x3240, 0x3240}, {0x3260, 0x3260},
    {0x3264, 0x3264}, {0x3320, 0x3320}, {0x3340, 0x3341}, {0x3350, 0x3350}, {0x3360, 0x3360}, {0x3370, 0x3370},
    {0x3380, 0x3380}, {0x3400, 0x3400}, {0x3410, 0x3410}, {0x3420, 0x3420}, {0x3430, 0x3430}, {0x3701, 0x3701},
    {0x3800, 0x3800}, {0x3900, 0x3900}, {0x4023, 0x4023}, {0x4D06, 0x4D06}, {0x4D16, 0x4D16}, {0x4D76, 0x4D76},
    {0x4D86, 0x4D86}, {0x5440, 0x5445}, {0x5552, 0x5553}, {0x5590, 0x5597}, {0x5630, 0x5630}, {0x5632, 0x5632},
    {0x6038, 0x6039}, {0x6042, 0x6042}, {0x6461, 0x6461}, {0x6481, 0x6481}, {0x6491, 0x6491}, {0x6500, 0x6500},
    {0x6510, 0x6510}, {0x6600, 0x6600}, {0x6610, 0x6610}, {0x6620, 0x6620}, {0x6700, 0x6700}, {0x6800, 0x6806},
    {0x6808, 0x6808}, {0x6810, 0x6812}, {0x6814, 0x6817}, {0x6821, 0x6822}, {0x6824, 0x6825}, {0x6828, 0x6828},
    {0x6831, 0x6831}, {0x6838, 0x6839}, {0x683A, 0x683A}, {0x6840, 0x6840}, {0x6900, 0x6900}, {0x6910, 0x6910},
    {0x6A01, 0x6A04},
};

struct AddressRange {
    uint32_t first, last;
};

constexpr AddressRange kXqIveronRange = {0x3323F1, 0x333584};

// Tested in this order.
constexpr AddressRange kFennicRanges[] = {
    {0x73B084, 0x73B2DF}, {0x758BDC, 0x759049}, {0x75A76E, 0x75AC41}, {0x73B2E0, 0x73B625},
    {0x758A8C, 0x758BDB}, {0x75AC42, 0x75ADAA}, {0x73B626, 0x73B7F1}, {0x75872C, 0x758A8B},
    {0x75ADAB, 0x75B16E}, {0x73B7F2, 0x73B91B}, {0x7586BA, 0x75872B}, {0x75B16F, 0x75B1F9},
};

// The number of an address: its first six characters' leading hexadecimal digits (0 when it
// begins with none). A text shorter than six characters has no number and lies in no range.
std::optional<uint32_t> addressNumber(const std::optional<std::string>& address) {
    if (!address || address->size() < 6) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < 6 && std::isxdigit(static_cast<unsigned char>((*address)[i])); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>((*address)[i])));
        value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return value;
}

bool inRange(const std::optional<uint32_t>& number, const AddressRange& range) {
    return number && *number >= range.first && *number <= range.last;
}

// Headset major.minor against the list's: negative when the headset's is older.
int32_t compareUpToMinor(const FirmwareVersion& device, const FirmwareVersion& latest) {
    return device::ORVABluetoothDeviceData::compareVersionUpToMinorMajor(device.major, device.minor, latest.major,
                                                                          latest.minor);
}

bool commonRule(const FirmwareVersion& device, const FirmwareVersion& latest) {
    const int32_t compare = compareUpToMinor(device, latest);
    return compare != 0 ? compare < 0 : device.secondary < latest.secondary;
}

}  // namespace

bool isSecondaryAwareModel(int32_t model) {
    return std::any_of(std::begin(kSecondaryAware), std::end(kSecondaryAware),
                       [model](const IdRange& r) { return model >= r.first && model <= r.last; });
}

size_t secondaryAwareModelCount() {
    size_t count = 0;
    for (const IdRange& r : kSecondaryAware) count += static_cast<size_t>(r.last - r.first + 1);
    return count;
}

bool changePSKeyXQIVERONWith(int32_t model, const std::optional<std::string>& address) {
    return model == kAddressRangeModel && inRange(addressNumber(address), kXqIveronRange);
}

bool checkPSKeyFENNIC_RWith(const std::optional<std::string>& address) {
    const std::optional<uint32_t> number = addressNumber(address);
    return std::any_of(std::begin(kFennicRanges), std::end(kFennicRanges),
                       [&](const AddressRange& r) { return inRange(number, r); });
}

bool haveNewUpdateFor(const OfferedHeadset& headset, const FirmwareVersion& latest) {
    const FirmwareVersion& device = headset.version;
    if (headset.model == kNelvar)
        return device::ORVABluetoothDeviceData::compareVersionMajor(device.major, device.minor, device.secondaryType,
                                                                     device.secondary, latest.major, latest.minor,
                                                                     latest.secondaryType, latest.secondary, true) < 0;
    if (headset.model == kAddressRangeModel && changePSKeyXQIVERONWith(headset.model, headset.address)) return true;
    // A release candidate of the listed major.minor is offered the listed firmware.
    if (device.secondaryType == 1) return compareUpToMinor(device, latest) <= 0;
    if (headset.model != kAddressRangeModel && device.secondaryType != 2 && isSecondaryAwareModel(headset.model)) {
        const int32_t compare = compareUpToMinor(device, latest);
        return compare != 0 ? compare < 0 : latest.secondary > 0;
    }
    return commonRule(device, latest);
}

std::string newVersionText(int32_t model, const FirmwareVersion& v) {
    if (model == kNelvar) return app::formatText("v%d.%d.%d.%d", {v.secondaryType, v.secondary, v.major, v.minor});
    const bool secondary = model == kSecondaryAlwaysShown || v.secondary != 0;
    return app::formatText("v%d.%d%@", {v.major, v.minor, secondary ? app::formatText(".%d", {v.secondary}) : ""});
}

std::string currentVersionText(int32_t model, const FirmwareVersion& v) {
    if (model == kNelvar) return app::formatText("v%d.%d.%d.%d", {v.secondaryType, v.secondary, v.major, v.minor});
    if (model == kSecondaryAlwaysShown) return app::formatText("v%d.%d.%d", {v.major, v.minor, v.secondary});
    const std::string number = v.secondary != 0 ? app::formatText("%d", {v.secondary}) : "";
    // A release candidate always says so; its number only when there is one.
    if (v.secondaryType == 1) return app::formatText("v%d.%drc%@", {v.major, v.minor, number});
    if (v.secondaryType == 2) return app::formatText("v%d.%d%@", {v.major, v.minor, number.empty() ? "" : "." + number});
    return app::formatText("v%d.%d", {v.major, v.minor});
}

}  // namespace update
