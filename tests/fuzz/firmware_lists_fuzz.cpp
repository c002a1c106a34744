// The firmware lists of both pages as the server sends them, and the offer decided on what the
// update list gives: a choice of model, the headset's version and address, then the list body.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "device/ProductCatalogue.h"
#include "fuzz/FuzzInput.h"
#include "update/FirmwareLists.h"
#include "update/NewUpdateDecision.h"

namespace {

// Models whose rules differ: the camera (four-part versions), the one with address ranges, one of
// the secondary-aware set, one with a three-part version text, and an ordinary one.
const int32_t kModels[] = {0x3020, 0x5060, 0x6838, 0x5345, 0x4D35};

int32_t int32From(fuzz::FuzzInput& in) {
    uint8_t b[4] = {};
    in.take(b, sizeof b);
    return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
}

bool inListRange(const update::FirmwareVersion& v) {
    for (int32_t part : {v.major, v.minor, v.secondaryType, v.secondary})
        if (part < 0 || part > 9999) return false;
    return true;
}

// The walk's promises to the page: the two arrays side by side, every selection an added item.
void checkRead(const update::FirmwareListRead& read) {
    if (read.arrFileNamesLatestVersion.size() != read.arrLanguageFirmware.size()) std::abort();
    int items = 0;
    for (const update::PopUpChange& change : read.popUp) {
        if (change.kind == update::PopUpChange::Kind::Add) ++items;
        if (change.kind == update::PopUpChange::Kind::Select && (change.index < 0 || change.index >= items)) std::abort();
    }
    // A list's version is read in range or not at all (the walk starts from 0.0).
    if (!inListRange(read.latest)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const int32_t model = kModels[in.byte() % std::size(kModels)];
    update::OfferedHeadset headset;
    headset.model = model;
    headset.version = {int32From(in), int32From(in), int32From(in), int32From(in)};
    const uint8_t addressLength = in.byte();
    if (addressLength < 0x80) {
        std::string address(addressLength % 16, ' ');
        address.resize(in.take(reinterpret_cast<uint8_t*>(address.data()), address.size()));
        headset.address = address;
    }
    std::string body;
    while (!in.empty()) body.push_back(static_cast<char>(in.byte()));
    const std::string name = device::qelm_product_name(model, true).value_or("");
    const bool nelvar = model == 0x3020;
    (void)update::isAsciiList(body);

    const update::FirmwareListRead latest = update::readUpdateList(body, name, nelvar, "French", {});
    checkRead(latest);
    (void)update::preselectedLanguage(latest.arrLanguageFirmware, "English");
    (void)update::haveNewUpdateFor(headset, latest.latest);
    (void)update::newVersionText(model, latest.latest);
    (void)update::currentVersionText(model, headset.version);
    (void)update::changePSKeyXQIVERONWith(model, headset.address);
    (void)update::checkPSKeyFENNIC_RWith(headset.address);

    const update::FirmwareListRead revision = update::readRestoreList(body, name, nelvar, headset.version, "French", {});
    checkRead(revision);
    return 0;
}
