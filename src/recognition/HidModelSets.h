// The model sets by which the HID road of the recognition worker chooses its requests. Each set
// is a list of USB product ids; a step asks whether deviceTarget is in it.
#pragma once

#include <cstdint>
#include <span>

namespace recognition::models {

using ModelSet = std::span<const uint16_t>;

bool contains(ModelSet set, int32_t productId);

// HID probe (command 0x12): group 1 takes the HID road on a non-zero reply, group 2 on zero.
extern const ModelSet kProbeNonZero;
extern const ModelSet kProbeZero;

// The 62-byte report families: short command with a time-out (0x6A01-0x6A04) and the probed
// command family (0x68xx).
extern const ModelSet kShortTimed;
extern const ModelSet kShortProbed;

// Headsets with a second chip on the second HID interface.
extern const ModelSet kTwoChip;

// Identification: models that answer command 0x1A (FM radio present).
extern const ModelSet kFmCommand;
// Name read from key 0x3C on slot 0, falling back to the catalogue's name.
extern const ModelSet kNameKey3C;
// Name read from key 0x1D on slot 0: the models among them that fall back to the catalogue.
extern const ModelSet kNameKey1DNamed;

// Versions: models whose version reply carries no language pack.
extern const ModelSet kVersionOnly;
// Second firmware block.
extern const ModelSet kMeshVoskel;
extern const ModelSet kPlusdovra;
extern const ModelSet kMeshGessa;
extern const ModelSet kMeshLutraV2;

// Common tail: FM block over key 0x44, speed dials over keys 0x37-0x39.
extern const ModelSet kFmKey44;
extern const ModelSet kSpeedDialKeys37;

constexpr int32_t kDorsk = 0x5345;
constexpr int32_t kFerrik = 0x4210;

}  // namespace recognition::models
