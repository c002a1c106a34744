// The FM radio page's model groups as data: the models whose FM settings the page shows and
// compares, and the road each of them takes to the headset when the page saves.
#pragma once

#include <cstdint>

namespace settings::save {

// The models that keep FM radio settings (presets, region, RDS) the page edits.
bool isFmRadioModel(int32_t productId);
// Models whose region is fixed: the page offers no region choice.
bool hasFixedFmRegion(int32_t productId);

// How the FM image reaches a model's headset.
enum class FmRoad : uint8_t {
    TwoChip,       // both chips' versions checked, key 0x15 written on the second chip
    ShortCommand,  // short key 0x08 in one format B command
    Block44,       // key 0x44, no version check
    Block15,       // key 0x15 after a version check, some models then commit it
    Csr,           // PS key 0x029F on the models that keep it, the others only checked
};
FmRoad fmRoadFor(int32_t productId);

// Block 0x15: the models checked against the first-chip (`01`) version rather than the main one.
bool checksFirstChipVersion(int32_t productId);
// Block 0x15: the models that commit the block (0x11) after writing it.
bool commitsFmBlock(int32_t productId);
// Block 0x44: the models that must report ready (status 0) first.
bool asksFmStatus(int32_t productId);
// CSR: the models that keep the FM image in PS key 0x029F.
bool writesFmPsKey(int32_t productId);
// The image's first word: 0x56E9 for the six-preset image and the models that commit with it.
uint16_t fmMagicFor(int32_t productId);

}  // namespace settings::save
