// What the device settings save writes, as data: one row per HID model family (its identity
// checks, then its writes in order) and the CSR families' keys. The first row holding the chosen
// model decides; a model that no HID row holds takes the CSR road.
#pragma once

#include <cstdint>
#include <vector>

#include "device/WordSources.h"
#include "settings/save/SaveIdentity.h"

namespace settings::save {

using ProductIds = std::vector<uint16_t>;

bool holds(const ProductIds& ids, int32_t productId);

// One user-key write of a HID row.
struct SaveWrite {
    uint8_t key = 0;
    std::vector<device::Source> words{};
    std::vector<device::CountBand> countByVersion{};  // fewer words on older firmware
    bool placeAll = false;   // every word goes into the request, only the counted ones turned
    bool continues = false;  // a failure does not stop the later writes
    bool followUp = false;   // then 0x11 for the same key, its answer not checked
    device::Condition when{};  // on the controller's record
    ProductIds onlyFor{};      // empty: every model of the row
    const char* trace = nullptr;  // printf format over the words
};

struct VersionCheck {
    int slot;
    VersionSet set;
};

struct SaveRow {
    enum class Kind : uint8_t {
        Blocks,        // user-key writes
        ShortCommand,  // the Airoha family's one format B command
    };
    ProductIds ids;
    Kind kind = Kind::Blocks;
    std::vector<VersionCheck> versions{};
    bool status = false;          // the ready status first
    ProductIds statusOnlyFor{};   // empty: every model of the row (when `status`)
    int slot = 0;                 // where the writes go
    std::vector<SaveWrite> writes{};
    ProductIds backgroundVolume{};  // models whose key-63 block follows the writes
};

const std::vector<SaveRow>& deviceSettingsSaveRows();
// Null: the CSR road.
const SaveRow* deviceSettingsSaveRowFor(int32_t deviceTarget);

// CSR: what a model writes besides the EDR key.
struct CsrSaveFamily {
    enum class Kind : uint8_t {
        VoxLevelsBelow,  // keys 664/665 below `below`, the settings word from it on
        SettingsWord,    // key 654
        RadioAndTimeout, // keys 684 and 682
    };
    ProductIds ids;
    Kind kind;
    int belowMajor = 0, belowMinor = 0;
};
const std::vector<CsrSaveFamily>& csrSaveFamilies();
const CsrSaveFamily* csrSaveFamilyFor(int32_t deviceTarget);

}  // namespace settings::save
