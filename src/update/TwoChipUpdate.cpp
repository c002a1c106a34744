#include "update/TwoChipUpdate.h"

#include <cstdlib>
#include <vector>

#include "app/AppTexts.h"
#include "platform/Log.h"
#include "update/ArchiveLayout.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

constexpr uint8_t kReadBlock = 0x03;
constexpr uint8_t kVariantBlock = 5;
constexpr uint8_t kEvoMarks[] = {0x1B, 0x10};
// The oldest firmware the EVO variant may take: 1.7, secondary 5 (of type 2).
constexpr ChipVersion kEvoOldest{1, 7, 2, 5};

constexpr int64_t kBeforeReturnMs = 5000;
constexpr int64_t kClosingMs = 1000;
constexpr int32_t kWritePhase = 4, kRestartPhase = 86;

// Where a part goes by its type (long table) or target (short table), and whose loader it asks.
struct Route {
    uint32_t value;
    int slot;
    int loader;  // -1: none
};
constexpr Route kRoutes[] = {{0, 0, 0}, {2, 0, -1}, {1, 1, 1}};
constexpr Route kOtherRoute{0, 1, -1};

const Route& routeOf(uint32_t value) {
    for (const Route& r : kRoutes)
        if (r.value == value) return r;
    return kOtherRoute;
}

struct Part {
    uint32_t route;
    uint8_t commandByte;  // byte 2 of 0x05
    uint32_t offset, length;
};

// Opens the second chip beside the first; false when it is not there.
bool openSecondChip(UpdateRun& run) {
    uint32_t pid = run.productId[0];
    if (run.openSecondChip(&pid, run.message) != 0) return false;
    run.productId[1] = pid;
    return true;
}

bool bothChipsRecognized(UpdateRun& run, PartExchange& x) {
    const device::ORVABluetoothDeviceData& r = run.record;
    return sameVersion(x.readVersion(0), r.deviceVersionMajor01(), r.deviceVersionMinor01(),
                       r.deviceSecondaryVersionType01(), r.deviceSecondaryVersion01()) &&
           sameVersion(x.readVersion(1), r.deviceVersionMajor02(), r.deviceVersionMinor02(),
                       r.deviceSecondaryVersionType02(), r.deviceSecondaryVersion02());
}

// Writes the parts, starts the loaders asked for, waits for the headset and ends; the shared
// tail of both two-chip roads.
void writeAndRestart(UpdateRun& run, PartExchange& x, const std::vector<Part>& parts) {
    beginWritePhase(run, kWritePhase);
    bool loader[2] = {false, false};
    for (const Part& p : parts) {
        const Route& route = routeOf(p.route);
        if (route.loader >= 0) loader[route.loader] = true;
        if (!x.writePart(route.slot, p.commandByte, run.image.data() + p.offset, p.length))
            return failCannotGetStatus(run);
    }
    for (int slot = 0; slot < 2; ++slot)
        if (loader[slot] && !x.finish(slot)) return failCannotGetStatus(run);
    run.page.addUpdateProcessed = kRestartPhase;
    run.page.updateTimerProcessed = 0;
    if (!pause(run, kBeforeReturnMs) || !waitForReturn(run)) return failCannotGetStatus(run);
    run.page.updateRestoreError = 0;
    run.page.addUpdateProcessed = 99;
    pause(run, kClosingMs);
    markSucceeded(run);
    endOfWork(run, EndEntry::plain);
}

// The EVO variant (block 5's first word) refuses files older than its oldest release.
bool downgradeRefused(UpdateRun& run, PartExchange& x) {
    if (!x.command(0, kReadBlock, kVariantBlock) && !x.command(0, kReadBlock, kVariantBlock)) return false;
    usbhid_swap_block_words_ext(x.reply, sizeof x.reply);
    if (x.reply[5] != kEvoMarks[0] && x.reply[5] != kEvoMarks[1]) return false;
    const auto v = versionFromFileName(run.firmwareFile);
    if (!v) return false;
    const int32_t difference = device::ORVABluetoothDeviceData::downGradeFERRIKEVOCompareVersionMajor(
        v->major, v->minor, 2, v->secondary, kEvoOldest.major, kEvoOldest.minor, kEvoOldest.type, kEvoOldest.secondary);
    platform::logf("ferrik evo: file %d.%d.%d, %d", v->major, v->minor, v->secondary, difference);
    return difference < 0;
}

int leadingInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

}  // namespace

std::optional<ChipVersion> versionFromFileName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
    if (const size_t img = name.find(".img"); img != std::string::npos) name.erase(img, 4);
    // A language suffix ("-fr", "_de"); a shorter name has none.
    if (name.size() >= 3 && name.substr(name.size() - 3).find_first_of("_-") != std::string::npos)
        name.erase(name.size() - 3);
    const size_t v = name.find('v');
    if (v == std::string::npos) return std::nullopt;
    std::vector<std::string> fields;
    for (size_t start = v + 1;;) {
        const size_t dot = name.find('.', start);
        fields.push_back(name.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    ChipVersion version{0, 0, 2, 0};
    if (fields.size() == 2 || fields.size() == 3) {
        version.major = leadingInt(fields[0]);
        version.minor = leadingInt(fields[1]);
        if (fields.size() == 3) version.secondary = leadingInt(fields[2]);
    }
    return version;
}

void updateTwoChip(UpdateRun& run) {
    if (!openAndIdentify(run)) return endOfWork(run, EndEntry::plain);
    if (!openSecondChip(run)) return failNotRecognized(run);
    PartExchange x(run);
    if (!bothChipsRecognized(run, x)) return failNotRecognized(run);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    // The loader checks the short table of these models; the long one is read here.
    if (!checkEntries(run, true, 0)) return;
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    std::vector<Part> parts;
    for (int32_t i = 0; i < layout.count(); ++i) {
        const BlockRecord b = *layout.block(i);
        parts.push_back({b.number, static_cast<uint8_t>(b.flag), b.offset, b.length});
    }
    writeAndRestart(run, x, parts);
}

void updateTwoChipDowngradeGuard(UpdateRun& run) {
    uint32_t pid = 0;
    const bool opened = run.openHeadset(&pid, run.message) == 0;
    run.productId[0] = pid;
    if (!opened || static_cast<int32_t>(pid) != run.controller.usbStatus() || !openSecondChip(run))
        return failNotRecognized(run);
    // These chips take the QCC image write's requests: every byte a command does not name is 0.
    PartExchange x(run, RequestFill::zeroFilled);
    if (!bothChipsRecognized(run, x)) return failNotRecognized(run);
    const bool loaded = loadFirmwareArchive(run);
    run.page.addUpdateProcessed = 1;
    if (!loaded) return endOfWork(run, EndEntry::withHid);
    if (!checkEntries(run, false, 0)) return;
    if (downgradeRefused(run, x)) {
        run.page.setUpdateStatusAll([](int i) { return app::AppTexts::qelm_cannot_update_ferrikevo(i); });
        run.page.updateRestoreError = kEndFailed;
        return endOfWork(run, EndEntry::withHid);
    }
    if (!makeSettingsBackup(run)) return endOfWork(run, EndEntry::withHid);
    const ArchiveLayout layout(run.image.data(), run.image.size);
    std::vector<Part> parts;
    for (int32_t i = 0; i < layout.count(); ++i) {
        const PartEntry e = *layout.part(i);
        parts.push_back({e.kind, e.target, e.offset, e.length});
    }
    writeAndRestart(run, x, parts);
}

}  // namespace update
