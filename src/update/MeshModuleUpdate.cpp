// The headsets with a 0x3120 mesh module beside their Bluetooth chip: the module's image first
// (handed over by the headset, written, the module restarted), then the headset's own parts, its
// loader, and the firmware's voice-prompt language from the file name and the unit language.
#include <algorithm>
#include <iterator>

#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/MeshSteps.h"
#include "update/UnitLanguage.h"

namespace update {

namespace {

// The mesh image is the second archive entry on these models, the third on the others; the
// headset's parts are the entries before it.
constexpr int32_t kMeshAtEntry1[] = {0x3500, 0x3540, 0x3550, 0x3560, 0x3570};
constexpr int32_t kUnitLanguageModels[] = {0x3116, 0x3118, 0x3124, 0x3126, 0x3136, 0x3140, 0x3144, 0x3152, 0x3800};
constexpr int32_t kVersionTestedUnitLanguage = 0x3110;

constexpr uint8_t kSetLanguage = 0x59;
constexpr int32_t kWritePhase = 4, kLanguagePhase = 89;
constexpr PartTags kPartTags{"[1]", "[2]", "[3]", "[4]"};

template <size_t N>
bool holds(const int32_t (&set)[N], int32_t model) {
    return std::find(std::begin(set), std::end(set), model) != std::end(set);
}

void setUnitLanguage(UpdateRun& run) {
    const std::string name = run.strLanguageFirmware.value_or("");
    UnitLanguage::bt_set_unit_language(0, UnitLanguage::UnitLanguageCodeFromString(name));
}

// The firmware's language from the file name, then the unit language; neither fails the update.
void setLanguages(UpdateRun& run, PartExchange& x) {
    const int code = languageCodeOfFileName(run.firmwareFile);
    if (!meshCommand(x, kSetLanguage, {static_cast<uint8_t>(code)})) meshCommand(x, kSetLanguage, {0});
    if (run.deviceTarget == kVersionTestedUnitLanguage) {
        platform::logf("GESSA lang?[%s]", run.strLanguageFirmware.value_or("").c_str());
        if (!meshCommand(x, 0x01)) {
            platform::logf("FAIL_GET_VER");
        } else if (x.reply[3] >= 2 && x.reply[4] != 0) {
            platform::logf("2.1 or later");
            setUnitLanguage(run);
        } else {
            platform::logf("2.1 under");
        }
    } else if (holds(kUnitLanguageModels, run.deviceTarget)) {
        setUnitLanguage(run);
    }
}

}  // namespace

void updateMeshModule(UpdateRun& run) {
    PartExchange x(run);
    if (!openCheckedAndLoaded(run, x, RecordVersion::first)) return;
    const int32_t meshEntry = holds(kMeshAtEntry1, run.deviceTarget) ? 1 : 2;
    if (!checkEntries(run, true, meshEntry + 1)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, kWritePhase);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    const BlockRecord mesh = *layout.block(meshEntry);
    if (!updateMeshModuleImage(run, x, run.image.data() + mesh.offset, mesh.length)) return;
    usbhid_close_all();
    platform::logf("--------------BT_MODULE_FIND AND UPDATE START");
    if (!findDevice(run, run.openHeadset, kMeshSearchTries)) return failSearch(run, "[17]");

    const std::optional<bool> loader = writeHeadsetParts(run, x, layout, meshEntry, kPartTags, false);
    if (!loader || !runLoaderAndReopen(run, x, *loader)) return;
    run.page.addUpdateProcessed = kLanguagePhase;
    run.page.updateTimerProcessed = 0;
    setLanguages(run, x);

    succeedMeshRun(run, "--------ALL_UPDATE END\n", false);
}

}  // namespace update
