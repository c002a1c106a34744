#include "update/CameraCopy.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/AppTexts.h"
#include "app/TextFormat.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "transport/FirmwareFileChecks.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

namespace fs = std::filesystem;
using app::AppTexts;

constexpr CameraFiles kCameraFiles[] = {
    {0x5510, "__tavrin_firmware__.bin", "FWCARCAM.bin", "TAVRIN.VER"},
    {0x5580, "__tavrin_pro_firmware__.bin", "SD_TAVRINPRO.bin", "tavrinpro.bin"},
    {0x5570, "__tavrin_evo_firmware__.bin", "AmbaSysFW_TAVRINEVO.bin", "MISC/version.conf"},
    {0x5576, "__hurvek_hx7c_firmware__.bin", "AmbaSysFW_HURVEK-HX7C.bin", "MISC/version.conf"},
    {0x3060, "__pemvik_pro_firmware__.bin", "AmbaSysFW_PEMVIKPro.bin", "MISC/version.conf"},
    {0x3232, "__jorvel_firmware__.bin", "AmbaSysFW_JORVEL.bin", "MISC/version.conf"},
    {0x3233, "__jorvel_firmware__.bin", "AmbaSysFW_JORVEL.bin", "MISC/version.conf"},
    {0x3240, "__xqjorvel_firmware__.bin", "AmbaSysFW_XQJORVEL.bin", "MISC/version.conf"},
};

constexpr int64_t kAskStepMs = 1000;
constexpr size_t kReadPiece = 1024;
constexpr size_t kVersionFileCap = 4096;

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// Removes the file when it is there; false only when a removal failed.
bool removeIfThere(const std::string& path) {
    if (!exists(path)) return true;
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

// Both removals after a failed read-back, with the tags of the failure; false with the failure
// published.
bool removeBoth(UpdateRun& run, const std::string& volume, const CameraFiles& files, const char* stagedTag,
                const char* targetTag) {
    if (!removeIfThere(volume + files.staged)) {
        publishCameraFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, stagedTag);
        return false;
    }
    if (!removeIfThere(volume + files.target)) {
        publishCameraFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, targetTag);
        return false;
    }
    return true;
}

int leadingInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

const CameraFiles* cameraFilesOf(int32_t model) {
    for (const CameraFiles& row : kCameraFiles)
        if (row.model == model) return &row;
    return nullptr;
}

CameraPart cameraPartOf(const UpdateRun& run, const BlockRecord& record) {
    return CameraPart{run.image.data() + record.offset, record.length, static_cast<int32_t>(record.versions[0]),
                      static_cast<int32_t>(record.versions[1]), record.digest};
}

bool failCameraStep(UpdateRun& run, const char* tag, bool cameraFailed) {
    publishCameraFailure(run,
                         cameraFailed ? AppTexts::qelm_string_camera_update_fail_in
                                      : UpdateTexts::qelm_string_cannot_get_status_in,
                         tag);
    return false;
}

void publishCameraFailure(UpdateRun& run, const std::function<std::string(int)>& message, const std::string& tag) {
    run.page.setUpdateStatusAll([&](int i) {
        const std::string prefix = AppTexts::qelm_status_failure(run.mode, run.controller.usbStatus(), i).value_or("");
        return app::formatText("%@. %@ %@. %@.", {prefix, message(i), tag, AppTexts::qelm_string_try_again_in(i)});
    });
}

std::optional<std::string> findCameraVolume(UpdateRun& run, int asks) {
    for (int ask = 0; ask < asks; ++ask) {
        if (auto volume = run.controller.getCameraDiskPath()) return volume;
        if (!pause(run, kAskStepMs)) return std::nullopt;
    }
    return std::nullopt;
}

void failCheckSdCard(UpdateRun& run) { publishFailure(run, AppTexts::qelm_string_check_sd_card_in); }

void removeStaleStaged(const std::string& volume, const CameraFiles& files) { removeIfThere(volume + files.staged); }

bool cameraIsCurrent(const std::string& volume, const CameraFiles& files, const CameraPart& part) {
    int major = 0, minor = 0;
    if (auto bytes = platform::readFile(volume + files.version, kVersionFileCap)) {
        const std::string text(bytes->begin(), bytes->end());
        const size_t dot = text.find('.');
        major = leadingInt(text.substr(0, dot));
        if (dot != std::string::npos) minor = leadingInt(text.substr(dot + 1));
    }
    const bool same = device::ORVABluetoothDeviceData::compareVersionUpToMinorMajor(major, minor, part.major, part.minor) == 0;
    platform::logf("bSameCameraVersion[%d]", same ? 1 : 0);
    return same;
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    // A file system that does not know the flag (as FAT cards may not): check, then rename.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    if (exists(to)) return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool copyCameraPart(UpdateRun& run, const std::string& volume, const CameraFiles& files, const CameraPart& part,
                    const CameraCopyTags& tags) {
    const std::string staged = volume + files.staged;
    const std::string target = volume + files.target;
    // On the card before the camera gets it back: the data, then the rename in its folder. The
    // read-back below would otherwise read what is still in memory.
    std::string error;
    if (!platform::writeFileFlushed(staged, part.data, part.length, &error)) {
        platform::logf("camera copy: %s", error.c_str());
        publishCameraFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, tags.create);
        return false;
    }
    if (!renameNoReplace(staged, target)) {
        publishCameraFailure(run, AppTexts::qelm_string_camera_update_fail_in, tags.rename);
        return false;
    }
    if (!platform::syncFolder(fs::path(target).parent_path().string()))
        platform::logf("camera copy: the card's folder of %s was not flushed", target.c_str());
    return readBackCameraFile(run, volume, files, part, tags);
}

bool readBackCameraFile(UpdateRun& run, const std::string& volume, const CameraFiles& files, const CameraPart& part,
                        const CameraCopyTags& tags) {
    const std::string target = volume + files.target;
    std::FILE* file = std::fopen(target.c_str(), "rb");
    if (!file) {
        if (removeBoth(run, volume, files, tags.stagedRemoval, tags.targetRemoval))
            publishCameraFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, tags.open);
        return false;
    }
    md5_context context;
    md5_init(&context);
    unsigned char piece[kReadPiece];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) md5_update(&context, piece, static_cast<uint32_t>(got));
    std::fclose(file);
    std::array<uint8_t, 16> digest{};
    md5_final(digest.data(), &context);
    if (digest != part.digest) {
        if (removeBoth(run, volume, files, tags.digestStagedRemoval, tags.digestTargetRemoval))
            publishCameraFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, tags.digest);
        return false;
    }
    std::error_code ec;
    const auto size = fs::file_size(target, ec);
    if (ec || size != part.length) {
        removeIfThere(target);
        publishCameraFailure(run, UpdateTexts::qelm_string_cannot_get_status_in, tags.size);
        return false;
    }
    return true;
}

}  // namespace update
