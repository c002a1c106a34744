// The Nelvar headset's container: a DFU image for its Bluetooth chip and a file for its camera,
// staged in the archive folder before the DFU check; the camera part goes to the camera's card
// once the Bluetooth download is done.
#include <cstdio>
#include <filesystem>

#include "platform/Files.h"
#include "platform/Log.h"
#include "transport/FirmwareFileChecks.h"
#include "update/ArchiveLayout.h"
#include "update/CsrDfuUpdate.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr int32_t kNelvar = 0x3020;

std::string staged(const UpdateRun& run, const char* name) { return run.archiveFolder + "/" + name; }

void failCorrupted(UpdateRun& run) {
    std::snprintf(run.message2, sizeof run.message2, "%s", "Firmware corrupted");
    publishFailure(run, [&](int i) { return UpdateTexts::qelm_string_message(run.message2, kNelvar, i).value_or(""); });
    run.page.updateRestoreError = kEndFirmwareFileFailed;
}

}  // namespace

std::optional<std::string> splitNelvarContainer(UpdateRun& run) {
    unsigned char* image = nullptr;
    const long size = firmware_load_archive(run.firmwareFile.c_str(), &image, run.message2, kNelvar);
    if (size <= 0 || !image) {
        std::free(image);
        publishFailure(run,
                       [&](int i) { return UpdateTexts::qelm_string_message(run.message2, kNelvar, i).value_or(""); });
        run.page.updateRestoreError = kEndFirmwareFileFailed;
        return std::nullopt;
    }
    FirmwareImage archive;
    archive.bytes.reset(image);
    archive.size = static_cast<size_t>(size);
    const ArchiveLayout layout(archive.data(), archive.size);
    const auto dfu = layout.part(0), camera = layout.part(1);
    if (!dfu || !camera) {
        failCorrupted(run);
        return std::nullopt;
    }

    // Files of an earlier update go first, so that a failed write never leaves an older image to
    // be checked and flashed in place of this one.
    platform::createFolders(run.archiveFolder);
    std::error_code ec;
    std::filesystem::remove(staged(run, kNelvarDfuFile), ec);
    std::filesystem::remove(staged(run, kNelvarCameraFile), ec);
    auto part = [&](const PartEntry& e) {
        return std::vector<uint8_t>(archive.data() + e.offset, archive.data() + e.offset + e.length);
    };
    std::string why;
    if (!platform::writeFileAtomically(staged(run, kNelvarDfuFile), part(*dfu), &why) ||
        !platform::writeFileAtomically(staged(run, kNelvarCameraFile), part(*camera), &why)) {
        platform::logf("nelvar: cannot stage the container: %s", why.c_str());
        std::filesystem::remove(staged(run, kNelvarDfuFile), ec);
        publishFailure(run, UpdateTexts::qelm_string_cannot_create_file_in);
        run.page.updateRestoreError = kEndFailed;
        return std::nullopt;
    }
    return staged(run, kNelvarDfuFile);
}

void updateNelvarFirmware(UpdateRun& run) {
    const std::string from = staged(run, kNelvarCameraFile);
    const auto disk = run.controller.getCameraDiskPath();
    if (!disk) {
        platform::logf("nelvar: no camera card found; %s stays", from.c_str());
        return;
    }
    const std::string to = *disk + kNelvarCameraDiskFile;
    // The camera gets this update's file, also over an older one. The card is another file
    // system: where a rename cannot move the file, it is copied (atomically) and then removed.
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (!ec) return;
    const auto bytes = platform::readFile(from);
    std::string why = "cannot read " + from;
    if (bytes && platform::writeFileAtomically(to, *bytes, &why)) {
        std::filesystem::remove(from, ec);
        return;
    }
    platform::logf("nelvar: camera part not moved to %s: %s", to.c_str(), why.c_str());
}

}  // namespace update
