// The QCC family that takes one image over format A: its groups (how the worker waits around the
// write) and its language packs (four models first take an image the worker downloads itself).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"

namespace update {

enum class QccGroup {
    A,  // waits for the headset with a message box and polls 0x0D and 0x12
    B,  // fixed closing progress
};

QccGroup qccGroupOf(int32_t model);

struct LanguagePack {
    int32_t model;
    int32_t major, minor;  // firmware older than this takes the pack
    const char* lp1;
    const char* lp2;
};

// The pack row of a language-pack model, none for the others.
const LanguagePack* languagePackOf(int32_t model);
// The pack a headset of this model and firmware takes first, by the firmware-language pop-up's
// items and selected index (above 9: the second image); none when it takes no pack.
std::optional<std::string> languagePackFile(int32_t model, const device::ORVABluetoothDeviceData& record,
                                            const std::vector<std::string>& popUpItems, int32_t selected);
// Where a pack is fetched: always the main server, never the regional mirror.
std::string languagePackAddress(const std::string& file);

}  // namespace update
