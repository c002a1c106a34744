// The mesh headsets with a camera, a 0x3120 mesh module and an iM501 voice processor: the camera's
// firmware handed over on its card (three models), the module's image, the iM501's image (its
// failures only logged), the Bluetooth parts, the loader and the voice-prompt language. Which
// models do what is one table.
#include <algorithm>

#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/CameraCopy.h"
#include "update/MeshSteps.h"
#include "update/UnitLanguage.h"

namespace update {

namespace {

enum class Parts { firstTwo, allWithMountCheck };
enum class Language { none, plain, celvar };

struct MeshCameraVoiceRow {
    int32_t model;
    bool camera;
    Parts parts;
    Language language;
};

constexpr MeshCameraVoiceRow kRows[] = {
    {0x3132, false, Parts::firstTwo, Language::plain},
    {0x3134, false, Parts::firstTwo, Language::plain},
    {0x3156, false, Parts::firstTwo, Language::plain},
    {0x3264, false, Parts::firstTwo, Language::plain},
    {0x3900, false, Parts::firstTwo, Language::plain},
    {0x3148, false, Parts::allWithMountCheck, Language::plain},
    {0x3154, false, Parts::allWithMountCheck, Language::plain},
    {0x3170, false, Parts::firstTwo, Language::none},
    {0x3260, false, Parts::firstTwo, Language::none},
    {0x3320, false, Parts::firstTwo, Language::celvar},
    {0x3232, true, Parts::firstTwo, Language::plain},
    {0x3233, true, Parts::firstTwo, Language::plain},
    {0x3240, true, Parts::firstTwo, Language::plain},
};

constexpr int32_t kCameraEntry = 2;
constexpr int32_t kFirstTwo = 2;
constexpr uint8_t kIm501Selector = 1;
constexpr uint8_t kCameraOn = 0x20, kCameraOff = 0x21, kCameraState = 0x22, kIm501Check = 0x47;
constexpr int kFirstVolumeAsks = 20, kSecondVolumeAsks = 120;
constexpr int32_t kWritePhase = 4;

const MeshCameraVoiceRow* rowOf(int32_t model) {
    for (const MeshCameraVoiceRow& row : kRows)
        if (row.model == model) return &row;
    return nullptr;
}

// The camera switched on, its card found, the camera image copied unless the card runs it
// already, the camera cycled so that it applies the file, and its version read back. False with
// the failure published; the caller ends without closing HID.
bool cameraStep(UpdateRun& run, PartExchange& x, const BlockRecord& record) {
    const CameraFiles* files = cameraFilesOf(run.deviceTarget);
    if (!files) return failCameraStep(run, "[50][c][0]");
    const CameraPart part = cameraPartOf(run, record);

    if (!meshCommand(x, kCameraOn)) return failCameraStep(run, "[50][c][0]");
    if (!pause(run, 2000)) return failCameraStep(run, "[50][c][1]");
    if (!meshCommand(x, kCameraState)) platform::logf("111Fail get status");
    if (x.reply[3] != 1) return failCameraStep(run, "[50][c][1]");
    if (!pause(run, 10000)) return failCameraStep(run, "[50][c][1]");
    const auto volume = findCameraVolume(run, kFirstVolumeAsks);
    if (!volume) {
        failCheckSdCard(run);
        return false;
    }
    removeStaleStaged(*volume, *files);
    if (cameraIsCurrent(*volume, *files, part)) {
        if (!meshCommand(x, kCameraOff)) return failCameraStep(run, "[50][c][2]");
        return true;
    }
    if (!copyCameraPart(run, *volume, *files, part, kMeshCameraCopyTags)) return false;
    if (!pause(run, 2000) || !meshCommand(x, kCameraOff)) return failCameraStep(run, "[50][c][12]");
    if (!pause(run, 10000) || !meshCommand(x, kCameraOn)) return failCameraStep(run, "[50][c][13]");
    if (!pause(run, 15000)) return failCameraStep(run, "[50][c][16]", true);
    const auto again = findCameraVolume(run, kSecondVolumeAsks);
    if (!again) return failCameraStep(run, "[50][c][16]", true);
    if (!pause(run, 3000) || !cameraIsCurrent(*again, *files, part)) return failCameraStep(run, "[50][c][14]", true);
    if (!pause(run, 3000) || !meshCommand(x, kCameraOff)) return failCameraStep(run, "[50][c][15]");
    return true;
}

// The iM501's image on the module: every failure is only logged.
void writeIm501(UpdateRun& run, PartExchange& x, const BlockRecord& record) {
    platform::logf("--------iM501 UPDATE START");
    if (!meshCommand(x, 0x05, {kIm501Selector})) platform::logf("--------iM501 ERASE ERROR");
    const ImageResult r =
        writeCheckedImage(run, x, run.image.data() + record.offset, record.length, CheckedForm::im501);
    if (r == ImageResult::unverified) platform::logf("--------iM501 VeriFy ERROR");
    if (!meshCommand(x, kIm501Check))
        platform::logf("--------iM501 Last VeriFy ERROR");
    else if (x.reply[3] == 0)
        platform::logf("--------iM501 UPDATE ERROR");
}

void setLanguage(UpdateRun& run, Language language) {
    const std::string name = run.strLanguageFirmware.value_or("");
    if (language == Language::plain)
        UnitLanguage::bt_set_unit_language(0, UnitLanguage::UnitLanguageCodeFromString(name));
    else if (language == Language::celvar)
        UnitLanguage::bt_set_unit_language_celvar(0, UnitLanguage::UnitLanguageCodeFromStringForCelvar(name));
}

}  // namespace

const CameraCopyTags kMeshCameraCopyTags{"[50][c][3]", "[50][c][4]", "[50][c][5]", "[50][c][6]", "[50][c][7]",
                                         "[50][c][10]", "[50][c][11]", "[50][c][8]", "[50][c][9]"};

void updateMeshCameraVoice(UpdateRun& run) {
    const MeshCameraVoiceRow& row = *rowOf(run.deviceTarget);
    PartExchange x(run);
    if (!openCheckedAndLoaded(run, x, RecordVersion::plain)) return;
    const int32_t meshEntry = row.camera ? kCameraEntry + 1 : kCameraEntry;
    if (!checkEntries(run, true, meshEntry + 2)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);

    beginWritePhase(run, kWritePhase);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    if (row.camera && !cameraStep(run, x, *layout.block(kCameraEntry))) return endOfWork(run, EndEntry::plain);
    const BlockRecord mesh = *layout.block(meshEntry);
    if (!updateMeshModuleImage(run, x, run.image.data() + mesh.offset, mesh.length)) return;
    writeIm501(run, x, *layout.block(meshEntry + 1));
    if (!findDevice(run, run.openHeadset, kMeshSearchTries)) return failSearch(run, "[27]");

    const bool all = row.parts == Parts::allWithMountCheck;
    const std::optional<bool> loader =
        writeHeadsetParts(run, x, layout, all ? layout.count() : std::min(layout.count(), kFirstTwo), kBluetoothPartTags, all);
    if (!loader) return;
    if (!runLoaderAndReopen(run, x, *loader)) return;
    setLanguage(run, row.language);
    succeedMeshRun(run, nullptr, true);
}

}  // namespace update
