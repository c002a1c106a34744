#include "sim/SimCamera.h"

#include <filesystem>
#include <fstream>

#include "platform/MountedVolumes.h"

namespace sim {

namespace fs = std::filesystem;

SimCamera::SimCamera(std::string card, std::string target, std::string versionFile, std::string appliedVersion)
    : card_(std::move(card)),
      target_(std::move(target)),
      versionFile_(std::move(versionFile)),
      appliedVersion_(std::move(appliedVersion)) {
    platform::setVolumesForTesting(std::vector<platform::Volume>{});
}

void SimCamera::storageOn() {
    std::lock_guard<std::mutex> lock(mutex_);
    storage_ = true;
    slowLeft_ = slow_;
    if (!hidden_) platform::setVolumesForTesting(std::vector<platform::Volume>{{card_, true, true, true}});
}

void SimCamera::storageOff() {
    std::lock_guard<std::mutex> lock(mutex_);
    storage_ = false;
    platform::setVolumesForTesting(std::vector<platform::Volume>{});
    const fs::path target = fs::path(card_) / target_;
    std::error_code ec;
    if (!fs::exists(target, ec)) return;
    fs::create_directories((fs::path(card_) / versionFile_).parent_path(), ec);
    std::ofstream(fs::path(card_) / versionFile_, std::ios::trunc) << appliedVersion_;
    fs::remove(target, ec);
    ++applied_;
}

bool SimCamera::stateQuery(uint8_t& state) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (failing_.count(++queries_)) return false;
    if (storage_ && slowLeft_ > 0) {
        --slowLeft_;
        state = 0;
        return true;
    }
    state = storage_ ? 1 : 0;
    return true;
}

void SimCamera::failStateQueries(std::set<int> queries) {
    std::lock_guard<std::mutex> lock(mutex_);
    failing_ = std::move(queries);
}

void SimCamera::neverShowCard() {
    std::lock_guard<std::mutex> lock(mutex_);
    hidden_ = true;
}

void SimCamera::slowIntoStorage(int queries) {
    std::lock_guard<std::mutex> lock(mutex_);
    slow_ = queries;
}

int SimCamera::applied() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return applied_;
}

bool SimCamera::inStorage() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return storage_;
}

}  // namespace sim
